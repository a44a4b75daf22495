#include "gfx/ImageObject.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <span>
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

// The whole content of a regular file, or nothing when it cannot be read.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::vector<std::uint8_t>> content;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(info.st_size));
    std::size_t done = 0;
    bool failed = false;
    // Reads the size the file had when opened; a file cut short meanwhile yields what is left.
    while (!failed && done < bytes.size()) {
      const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (got < 0 && errno == EINTR) continue;
      if (got < 0) failed = true;
      else if (got == 0) break;
      else done += static_cast<std::size_t>(got);
    }
    if (!failed) {
      bytes.resize(done);
      content = std::move(bytes);
    }
  }
  ::close(fd);
  return content;
}

cairo_surface_t* DecodePng(std::span<const std::uint8_t> bytes) {
  ByteReader reader{bytes.data(), bytes.size(), 0};
  return cairo_image_surface_create_from_png_stream(ReadBytes, &reader);
}

}  // namespace

ImageObject::~ImageObject() { Dispose(); }

ImageObject::ImageObject(ImageObject&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)), fileBytes_(std::move(other.fileBytes_)) {
  other.fileBytes_.clear();
}

ImageObject& ImageObject::operator=(ImageObject&& other) noexcept {
  if (this != &other) {
    Dispose();
    surface_ = std::exchange(other.surface_, nullptr);
    fileBytes_ = std::move(other.fileBytes_);
    other.fileBytes_.clear();
  }
  return *this;
}

bool ImageObject::LoadFromBytes(ByteConstant blob) {
  Dispose();
  const auto payload = ByteConstantPayload(blob);
  if (payload.empty()) return false;
  // cairo decodes the whole picture into its own pixels, so no copy of the bytes needs to outlive
  // the load.
  return Adopt(DecodePng(payload));
}

bool ImageObject::LoadFromFile(const std::string& utf8Path) {
  // Linux file names are bytes; a UTF-8 path reaches the file system unchanged.
  auto content = ReadWholeFile(utf8Path);
  if (!content || content->empty()) {
    Dispose();
    return false;
  }
  // Same bytes, same picture: comparing the content (not the file's times) keeps a file that was
  // replaced a moment ago from showing its old picture.
  if (surface_ != nullptr && *content == fileBytes_) return true;
  Dispose();
  if (!Adopt(DecodePng(*content))) return false;
  fileBytes_ = std::move(*content);
  return true;
}

void ImageObject::Dispose() {
  if (surface_ != nullptr) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
  fileBytes_.clear();
  fileBytes_.shrink_to_fit();
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
