#pragma once

// A main window composed in memory: an AppState wired to a fake window system, its canvas bound
// to a fake 920x620 window, and a scratch data folder (the working directory during the test)
// with skill icons and digit glyphs, and the pictures of the pets placed, as solid-colour PNGs.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "gfx/FixturePictures.h"
#include "gfx/GfxTestSupport.h"
#include "platform/System.h"

namespace uitest {

using gfxtest::FakeWindow;
using gfxtest::Pixel;
using gfxtest::ReadPixel;

// A window system whose cursor the test places.
class FakeSystem : public platform::System {
public:
  platform::Window* Open(const platform::WindowForm&) override { return nullptr; }
  bool OpenModal(const platform::WindowForm&) override { return false; }
  void Run() override {}
  platform::Window* Find(std::string_view) const override { return nullptr; }
  platform::Point CursorPosition() const override { return cursor; }
  bool ShowMessage(platform::Window*, std::string_view, std::string_view, platform::MessageButtons) override {
    return true;
  }
  void Wait(int) override {}

  platform::Point cursor;
};

using gfxtest::Filled;
using gfxtest::GlyphColour;
using gfxtest::HeadColour;
using gfxtest::IconColour;
using gfxtest::NumberAt;
using gfxtest::PetColour;
inline constexpr Pixel kBadgeColour{255, 255, 0, 255};

inline void WritePicture(const std::filesystem::path& path, int width, int height, Pixel colour) {
  gfxtest::WriteSolidPng(path, width, height, colour.r, colour.g, colour.b);
}

class MainWindowTest : public testing::Test {
protected:
  static constexpr int kMaxSkill = 79;

  void SetUp() override {
    // Glyphs and icons have sizes other than their boxes, so every one is stretched.
    for (int glyph = 1; glyph <= kGlyphCount; ++glyph)
      WritePicture(std::filesystem::path("UI") / ("text" + std::to_string(glyph) + ".png"), 12, 20, GlyphColour(glyph));
    for (int skill = 1; skill <= kMaxSkill; ++skill) WriteIcon(skill, IconColour(skill));
    app.system = &system;
    app.mainWindow = &window;
    app.mainCanvas.Bind(&window, 920, 620);
  }

  static void WriteIcon(int skill, Pixel colour) {
    WritePicture(std::filesystem::u8path("./召唤兽/技能/技能" + std::to_string(skill) + ".png"), 64, 64, colour);
  }

  // A current pet in `slot`, as the slot load leaves it.
  void SetCurrentPet(int slot, int species, const AptitudeRow& aptitudes, std::vector<int> skills) {
    app.currentSlot = slot;
    app.currentSpecies = species;
    app.slotSpecies[slot] = species;
    app.slotAptitudes[slot] = aptitudes;
    app.currentSkills = std::move(skills);
    WritePicture(std::filesystem::u8path("./召唤兽/图形/召唤兽" + std::to_string(species) + ".png"), 200, 210,
                 PetColour(species));
    app.petPicture.LoadFromFile("./召唤兽/图形/召唤兽" + std::to_string(species) + ".png");
  }

  void SetMergeSide(int side, int species, const AptitudeRow& aptitudes, std::vector<int> skills) {
    auto& s = app.mergeSide[side];
    s.species = species;
    std::copy(aptitudes.begin(), aptitudes.end(), s.aptitudes.begin());
    s.skills = std::move(skills);
    WritePicture(std::filesystem::u8path("./召唤兽/头像/召唤兽" + std::to_string(species) + ".png"), 80, 80,
                 HeadColour(species));
    app.mergeHeads[side].LoadFromFile("./召唤兽/头像/召唤兽" + std::to_string(species) + ".png");
  }

  cairo_surface_t* Surface() const { return app.mainCanvas.Surface(); }
  Pixel At(int x, int y) const { return ReadPixel(Surface(), x, y); }

  gfxtest::ScratchFolder folder;
  gfxtest::ScopedWorkingDirectory inFolder{folder.path()};
  FakeSystem system;
  FakeWindow window{"main", 50, 50};
  AppState app;
};

}  // namespace uitest

namespace uitest {

// How many pixels of the surface satisfy `test`.
template <typename Test>
int CountPixels(cairo_surface_t* surface, Test test) {
  int count = 0;
  for (int y = 0; y < cairo_image_surface_get_height(surface); ++y)
    for (int x = 0; x < cairo_image_surface_get_width(surface); ++x)
      if (test(ReadPixel(surface, x, y))) ++count;
  return count;
}

// How many pixels of the surface have exactly this colour.
inline int CountColour(cairo_surface_t* surface, Pixel colour) {
  return CountPixels(surface, [&](const Pixel& p) { return p == colour; });
}

// Pixels of any fixture skill icon.
inline bool IsIconPixel(const Pixel& p) { return p.a == 255 && p.r == 5 && p.b == 200; }

}  // namespace uitest
