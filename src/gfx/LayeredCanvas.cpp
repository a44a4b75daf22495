#include "gfx/LayeredCanvas.h"

#include <utility>

#include "platform/Window.h"

LayeredCanvas::~LayeredCanvas() { Release(); }

LayeredCanvas::LayeredCanvas(LayeredCanvas&& other) noexcept
    : window_(std::exchange(other.window_, nullptr)),
      width_(std::exchange(other.width_, 0)),
      height_(std::exchange(other.height_, 0)),
      surface_(std::exchange(other.surface_, nullptr)),
      context_(std::exchange(other.context_, nullptr)) {}

LayeredCanvas& LayeredCanvas::operator=(LayeredCanvas&& other) noexcept {
  if (this != &other) {
    Release();
    window_ = std::exchange(other.window_, nullptr);
    width_ = std::exchange(other.width_, 0);
    height_ = std::exchange(other.height_, 0);
    surface_ = std::exchange(other.surface_, nullptr);
    context_ = std::exchange(other.context_, nullptr);
  }
  return *this;
}

void LayeredCanvas::Bind(platform::Window* window, int width, int height) {
  Release();
  window_ = window;
  width_ = width;
  height_ = height;
  if (width <= 0 || height <= 0) return;
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
    cairo_surface_destroy(surface);
    return;
  }
  cairo_t* context = cairo_create(surface);
  if (cairo_status(context) != CAIRO_STATUS_SUCCESS) {
    cairo_destroy(context);
    cairo_surface_destroy(surface);
    return;
  }
  surface_ = surface;
  context_ = context;
}

void LayeredCanvas::Release() {
  if (context_ != nullptr) {
    cairo_destroy(context_);
    context_ = nullptr;
  }
  if (surface_ != nullptr) {
    cairo_surface_destroy(surface_);
    surface_ = nullptr;
  }
  window_ = nullptr;
  width_ = 0;
  height_ = 0;
}

void LayeredCanvas::Clear() {
  if (context_ == nullptr) return;
  cairo_save(context_);
  cairo_set_operator(context_, CAIRO_OPERATOR_CLEAR);
  cairo_paint(context_);
  cairo_restore(context_);
}

void LayeredCanvas::DrawImage(const ImageObject& image, Rect place) {
  cairo_surface_t* picture = image.ImageHandle();
  if (context_ == nullptr || picture == nullptr) return;
  const int pictureWidth = image.Width();
  const int pictureHeight = image.Height();
  if (place.width <= 0 || place.height <= 0 || pictureWidth <= 0 || pictureHeight <= 0) return;

  cairo_save(context_);
  // The clip keeps the stretched picture inside its place; the surface's own edge clips the rest.
  cairo_rectangle(context_, place.x, place.y, place.width, place.height);
  cairo_clip(context_);
  cairo_translate(context_, place.x, place.y);
  cairo_scale(context_, static_cast<double>(place.width) / pictureWidth,
              static_cast<double>(place.height) / pictureHeight);
  cairo_set_source_surface(context_, picture, 0, 0);
  cairo_pattern_t* source = cairo_get_source(context_);
  cairo_pattern_set_filter(source, CAIRO_FILTER_GOOD);
  // Padding repeats the edge pixels under the filter, so a stretched picture keeps crisp edges
  // instead of fading into the transparency around it.
  cairo_pattern_set_extend(source, CAIRO_EXTEND_PAD);
  cairo_paint(context_);
  cairo_restore(context_);
}

bool LayeredCanvas::Present() {
  if (window_ == nullptr || surface_ == nullptr) return false;
  cairo_surface_flush(surface_);
  return window_->Present(surface_);
}
