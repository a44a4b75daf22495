#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gfx/ByteConstant.h"

// One decoded picture (PNG with alpha), ready to be drawn by a LayeredCanvas. Every load replaces
// what the object held: afterwards it holds the new picture or nothing. Move-only: a picture has
// one owner.
class ImageObject {
public:
  ImageObject() = default;
  ~ImageObject();
  ImageObject(const ImageObject&) = delete;
  ImageObject& operator=(const ImageObject&) = delete;
  ImageObject(ImageObject&& other) noexcept;
  ImageObject& operator=(ImageObject&& other) noexcept;

  // Decodes the PNG carried by a stored blob. The empty byte string blanks the object. Returns
  // true when a picture was decoded.
  bool LoadFromBytes(ByteConstant blob);

  // Decodes the PNG file at a UTF-8 path (relative paths resolve against the working directory).
  // A missing or undecodable file leaves the object empty. Returns true when a picture was decoded.
  // The file is read at every call; when its bytes equal those of the picture held, the decoded
  // picture is kept instead of being decoded again (the windows reload the same icons and glyphs
  // at every redraw).
  bool LoadFromFile(const std::string& utf8Path);

  // Releases the picture; harmless on an empty object.
  void Dispose();

  // The decoded picture (a cairo image surface), or null when the object holds none.
  cairo_surface_t* ImageHandle() const { return surface_; }

  // The picture's size in pixels; 0 when empty.
  std::int32_t Width() const;
  std::int32_t Height() const;

private:
  // Takes a freshly decoded surface; an error surface leaves the object empty.
  bool Adopt(cairo_surface_t* decoded);

  cairo_surface_t* surface_ = nullptr;
  std::vector<std::uint8_t> fileBytes_;  // the file the picture was decoded from; empty otherwise
};
