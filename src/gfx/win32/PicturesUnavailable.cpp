// The Windows build has no picture library yet: every picture object stays empty and a canvas
// draws and presents nothing. The simulator's windows, which need them, are not built there.
#include <utility>

#include "gfx/ImageObject.h"
#include "gfx/LayeredCanvas.h"

ImageObject::~ImageObject() { Dispose(); }

ImageObject::ImageObject(ImageObject&& other) noexcept
    : surface_(std::exchange(other.surface_, nullptr)), decodes_(other.decodes_) {}

ImageObject& ImageObject::operator=(ImageObject&& other) noexcept {
  if (this != &other) {
    surface_ = std::exchange(other.surface_, nullptr);
    decodes_ = other.decodes_;
  }
  return *this;
}

bool ImageObject::LoadFromBytes(ByteConstant) { return false; }
bool ImageObject::LoadFromFile(const std::string&) { return false; }
void ImageObject::Dispose() { fileBytes_.clear(); }
std::int32_t ImageObject::Width() const { return 0; }
std::int32_t ImageObject::Height() const { return 0; }
bool ImageObject::Adopt(cairo_surface_t*) { return false; }

LayeredCanvas::~LayeredCanvas() { Release(); }

LayeredCanvas::LayeredCanvas(LayeredCanvas&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)) {}

LayeredCanvas& LayeredCanvas::operator=(LayeredCanvas&& other) noexcept {
  if (this != &other) {
    window_ = std::exchange(other.window_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
  }
  return *this;
}

void LayeredCanvas::Bind(platform::Window* window, int width, int height) {
  window_ = window;
  width_ = width;
  height_ = height;
}

void LayeredCanvas::Release() {
  window_ = nullptr;
  width_ = 0;
  height_ = 0;
}

void LayeredCanvas::Clear() {}
void LayeredCanvas::DrawImage(const ImageObject&, Rect) {}
bool LayeredCanvas::Present() { return false; }
