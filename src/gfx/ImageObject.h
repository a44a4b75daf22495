#pragma once

#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "shared/ByteConstant.h"

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

  // Pictures wider or taller than this are refused before decoding (one of 20000×20000 pixels
  // would take 1.6 GB at every load) and left undrawn, like a missing file.
  static constexpr std::uint32_t kMaxSide = 4096;

  // Decodes the PNG carried by a stored blob. The empty byte string blanks the object. Returns
  // true when a picture was decoded.
  bool LoadFromBytes(ByteConstant blob);

  // Decodes the PNG file at a UTF-8 path (relative paths resolve against the working directory).
  // Only regular files are read (a FIFO or a folder is a missing file). A missing, undecodable or
  // too large file leaves the object empty. Returns true when a picture was decoded. The file is
  // read at every call; when its bytes equal those of the last file loaded, the result of that
  // load stands, picture or failure, instead of being decoded again (the windows reload the same
  // icons and glyphs at every redraw).
  bool LoadFromFile(const std::string& utf8Path);

  // Releases the picture; harmless on an empty object.
  void Dispose();

  // The decoded picture (a cairo image surface), or null when the object holds none.
  cairo_surface_t* ImageHandle() const { return surface_; }

  // The picture's size in pixels; 0 when empty.
  std::int32_t Width() const;
  std::int32_t Height() const;

  // How many times this object has run the decoder: what a reload of unchanged bytes saves.
  int DecodeCount() const { return decodes_; }

private:
  // Takes a freshly decoded surface; an error surface leaves the object empty.
  bool Adopt(cairo_surface_t* decoded);

  cairo_surface_t* surface_ = nullptr;
  // The bytes of the last file loaded, whether they decoded or not; empty after any other load.
  std::vector<std::uint8_t> fileBytes_;
  int decodes_ = 0;
};
