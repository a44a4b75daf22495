#include "gfx/ImageObject.h"

#include <cstring>
#include <utility>

namespace {

// Feeds cairo's PNG reader from a byte range; reading past its end is an error, so a truncated
// picture fails to decode instead of reading beyond the blob.
struct ByteReader {
  const std::uint8_t* data;
  std::size_t size;
  std::size_t position;
};

cairo_status_t ReadBytes(void* closure, unsigned char* out, unsigned int length) {
  auto* reader = static_cast<ByteReader*>(closure);
  if (length > reader->size - reader->position) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(out, reader->data + reader->position, length);
  reader->position += length;
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

ImageObject::~ImageObject() { Dispose(); }

ImageObject::ImageObject(ImageObject&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)) {}

ImageObject& ImageObject::operator=(ImageObject&& other) noexcept {
  if (this != &other) {
    Dispose();
    surface_ = std::exchange(other.surface_, nullptr);
  }
  return *this;
}

bool ImageObject::LoadFromBytes(ByteConstant blob) {
  Dispose();
  const auto payload = ByteConstantPayload(blob);
  if (payload.empty()) return false;
  // cairo decodes the whole picture into its own pixels, so no copy of the bytes needs to outlive
  // the load.
  ByteReader reader{payload.data(), payload.size(), 0};
  return Adopt(cairo_image_surface_create_from_png_stream(ReadBytes, &reader));
}

bool ImageObject::LoadFromFile(const std::string& utf8Path) {
  Dispose();
  // Linux file names are bytes; a UTF-8 path reaches the file system unchanged.
  return Adopt(cairo_image_surface_create_from_png(utf8Path.c_str()));
}

void ImageObject::Dispose() {
  if (surface_ != nullptr) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
}

std::int32_t ImageObject::Width() const {
  return surface_ != nullptr ? cairo_image_surface_get_width(surface_) : 0;
}

std::int32_t ImageObject::Height() const {
  return surface_ != nullptr ? cairo_image_surface_get_height(surface_) : 0;
}

bool ImageObject::Adopt(cairo_surface_t* decoded) {
  // cairo never returns null here: a failed decode yields an error surface that must be destroyed.
  if (cairo_surface_status(decoded) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(decoded);
    return false;
  }
  surface_ = decoded;
  return true;
}
