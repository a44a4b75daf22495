#include "gfx/ImageObject.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <span>
#include <utility>

#include "shared/ReadUpTo.h"

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

// The whole content of a regular file, or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  // Non-blocking: opening a FIFO for reading would otherwise wait for a writer for ever. A
  // regular file reads the same either way, and nothing else is read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> content;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    // Reads the size the file had when opened; a file cut short meanwhile yields what is left.
    std::string bytes;
    if (ReadUpTo(fd, static_cast<std::size_t>(info.st_size), bytes)) content.emplace(bytes.begin(), bytes.end());
  }
  ::close(fd);
  return content;
}

std::uint32_t BigEndian32(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

// The size a PNG declares in its header (the IHDR chunk that must come first), read before
// decoding so that a huge picture costs nothing. Nothing when the bytes do not start like a PNG.
struct PngSize {
  std::uint32_t width;
  std::uint32_t height;
};
std::optional<PngSize> ReadPngSize(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (bytes.size() < 24 || std::memcmp(bytes.data(), kSignature, 8) != 0 ||
      std::memcmp(bytes.data() + 12, "IHDR", 4) != 0) {
    return std::nullopt;
  }
  return PngSize{BigEndian32(bytes.data() + 16), BigEndian32(bytes.data() + 20)};
}

// Decodes a PNG no larger than the limit, counting the decoder's runs; nullptr when it is refused
// unread, an error surface when cairo failed.
cairo_surface_t* DecodePng(std::span<const std::uint8_t> bytes, int& decodes) {
  const std::optional<PngSize> size = ReadPngSize(bytes);
  if (!size || size->width > ImageObject::kMaxSide || size->height > ImageObject::kMaxSide) return nullptr;
  ++decodes;
  ByteReader reader{bytes.data(), bytes.size(), 0};
  return cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
}

}  // namespace

ImageObject::~ImageObject() { Dispose(); }

ImageObject::ImageObject(ImageObject&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)),
      fileBytes_(std::move(other.fileBytes_)),
      decodes_(other.decodes_) {
  other.fileBytes_.clear();
}

ImageObject& ImageObject::operator=(ImageObject&& other) noexcept {
  if (this != &other) {
    Dispose();
    surface_ = std::exchange(other.surface_, nullptr);
    fileBytes_ = std::move(other.fileBytes_);
    other.fileBytes_.clear();
    decodes_ = other.decodes_;
  }
  return *this;
}

bool ImageObject::LoadFromBytes(ByteConstant blob) {
  Dispose();
  const auto payload = ByteConstantPayload(blob);
  if (payload.empty()) return false;
  // cairo decodes the whole picture into its own pixels, so no copy of the bytes needs to outlive
  // the load.
  return Adopt(DecodePng(payload, decodes_));
}

bool ImageObject::LoadFromFile(const std::string& utf8Path) {
  // Linux file names are bytes; a UTF-8 path reaches the file system unchanged.
  auto content = ReadWholeFile(utf8Path);
  if (!content || content->empty()) {
    Dispose();
    return false;
  }
  // Same bytes, same picture, or the same failure: comparing the content (not the file's times)
  // keeps a file that was replaced a moment ago from showing its old picture, and a damaged file
  // is not decoded again at every redraw.
  if (*content == fileBytes_) return surface_ != nullptr;
  Dispose();
  const bool decoded = Adopt(DecodePng(*content, decodes_));
  fileBytes_ = std::move(*content);
  return decoded;
}

void ImageObject::Dispose() {
  if (surface_ != nullptr) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
  fileBytes_.clear();
  fileBytes_.shrink_to_fit();
}

std::int32_t ImageObject::Width() const { return surface_ != nullptr ? cairo_image_surface_get_width(surface_) : 0; }

std::int32_t ImageObject::Height() const { return surface_ != nullptr ? cairo_image_surface_get_height(surface_) : 0; }

bool ImageObject::Adopt(cairo_surface_t* decoded) {
  // A picture refused before decoding is null; a failed decode yields an error surface that must
  // be destroyed.
  if (decoded == nullptr) return false;
  if (cairo_surface_status(decoded) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(decoded);
    return false;
  }
  surface_ = decoded;
  return true;
}
