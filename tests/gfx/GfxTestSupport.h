#pragma once

// Helpers shared by the graphics and main-window tests: PNG fixtures made with cairo, pixel reads,
// a scratch folder, and a window that keeps what is presented to it.

#include <cairo.h>
#include <gtest/gtest.h>
#include <cstdlib>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/Window.h"

namespace gfxtest {

// A premultiplied ARGB32 pixel as cairo stores it (native-endian 32-bit word).
struct Pixel {
  std::uint8_t a = 0, r = 0, g = 0, b = 0;
  friend bool operator==(const Pixel&, const Pixel&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const Pixel& p) {
  return out << "argb(" << int(p.a) << "," << int(p.r) << "," << int(p.g) << "," << int(p.b) << ")";
}

inline constexpr Pixel kTransparent{0, 0, 0, 0};

inline Pixel ReadPixel(cairo_surface_t* surface, int x, int y) {
  cairo_surface_flush(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  const int stride = cairo_image_surface_get_stride(surface);
  std::uint32_t word = 0;
  std::memcpy(&word, data + static_cast<std::ptrdiff_t>(y) * stride + x * 4, 4);
  return Pixel{static_cast<std::uint8_t>(word >> 24), static_cast<std::uint8_t>(word >> 16),
               static_cast<std::uint8_t>(word >> 8), static_cast<std::uint8_t>(word)};
}

// A picture of one colour (straight, not premultiplied, components 0..255).
inline cairo_surface_t* MakeSolidSurface(int width, int height, int r, int g, int b, int a = 255) {
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
  cairo_set_source_rgba(cr, r / 255.0, g / 255.0, b / 255.0, a / 255.0);
  cairo_paint(cr);
  cairo_destroy(cr);
  return surface;
}

inline void WriteSolidPng(const std::filesystem::path& path, int width, int height, int r, int g, int b, int a = 255) {
  std::filesystem::create_directories(path.parent_path());
  cairo_surface_t* surface = MakeSolidSurface(width, height, r, g, b, a);
  ASSERT_EQ(cairo_surface_write_to_png(surface, path.c_str()), CAIRO_STATUS_SUCCESS) << path;
  cairo_surface_destroy(surface);
}

inline std::vector<std::uint8_t> ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Wraps raw bytes as a stored blob: 32-bit 1, 32-bit count, the bytes.
inline std::vector<std::uint8_t> MakeBlob(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::uint8_t> blob(8 + bytes.size());
  const std::uint32_t tag = 1, count = static_cast<std::uint32_t>(bytes.size());
  std::memcpy(blob.data(), &tag, 4);
  std::memcpy(blob.data() + 4, &count, 4);
  std::copy(bytes.begin(), bytes.end(), blob.begin() + 8);
  return blob;
}

inline std::vector<std::uint8_t> SolidPngBlob(int width, int height, int r, int g, int b, int a = 255) {
  cairo_surface_t* surface = MakeSolidSurface(width, height, r, g, b, a);
  std::vector<std::uint8_t> bytes;
  cairo_surface_write_to_png_stream(
      surface,
      [](void* closure, const unsigned char* data, unsigned int length) {
        auto* out = static_cast<std::vector<std::uint8_t>*>(closure);
        out->insert(out->end(), data, data + length);
        return CAIRO_STATUS_SUCCESS;
      },
      &bytes);
  cairo_surface_destroy(surface);
  return MakeBlob(bytes);
}

// A fresh folder under the system's temporary directory, removed at the end of the test.
class ScratchFolder {
public:
  ScratchFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "petsim-gfx-XXXXXX").string();
    path_ = mkdtemp(pattern.data());
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }

private:
  std::filesystem::path path_;
};

// Makes `folder` the working directory until destroyed, then returns to the one before, so that
// later tests in the same process do not find themselves in a removed folder.
class ScopedWorkingDirectory {
public:
  explicit ScopedWorkingDirectory(const std::filesystem::path& folder) : previous_(std::filesystem::current_path()) {
    std::filesystem::current_path(folder);
  }
  ~ScopedWorkingDirectory() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
  }
  ScopedWorkingDirectory(const ScopedWorkingDirectory&) = delete;
  ScopedWorkingDirectory& operator=(const ScopedWorkingDirectory&) = delete;

private:
  std::filesystem::path previous_;
};

// A window that keeps a copy of the last surface presented to it.
class FakeWindow : public platform::Window {
public:
  explicit FakeWindow(std::string name = "main", int left = 0, int top = 0)
      : name_(std::move(name)), left_(left), top_(top) {}
  ~FakeWindow() override {
    if (last_ != nullptr) cairo_surface_destroy(last_);
  }

  const std::string& Name() const override { return name_; }
  bool Present(cairo_surface_t* surface) override {
    ++presents;
    if (!accept) return false;
    if (last_ != nullptr) cairo_surface_destroy(last_);
    const int w = cairo_image_surface_get_width(surface);
    const int h = cairo_image_surface_get_height(surface);
    last_ = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(last_);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return true;
  }
  int Left() const override { return left_; }
  int Top() const override { return top_; }
  int Width() const override { return last_ ? cairo_image_surface_get_width(last_) : 0; }
  int Height() const override { return last_ ? cairo_image_surface_get_height(last_) : 0; }
  void Move(int left, int top) override {
    left_ = left;
    top_ = top;
  }
  void Minimize() override {}
  void Destroy() override {}
  void SetControlVisible(std::string_view, bool) override {}
  void BeginTitleDrag() override {}

  // The copy of the last accepted surface, or null.
  cairo_surface_t* Presented() const { return last_; }

  int presents = 0;
  bool accept = true;

private:
  std::string name_;
  int left_;
  int top_;
  cairo_surface_t* last_ = nullptr;
};

}  // namespace gfxtest
