#pragma once

// The whole program on the headless window system: a scratch data folder (the working directory
// during the test) whose pictures are solid colours a probe can tell apart, the real start-up,
// and inputs queued for the main window and the pop-ups as a user would give them.

#include <cairo.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "gfx/GfxTestSupport.h"
#include "platform/headless/HeadlessSystem.h"
#include "ui/main/MainWindow.h"
#include "ui/main/SystemMessages.h"

namespace popupstest {

using gfxtest::Pixel;
using gfxtest::ReadPixel;
using platform::InputKind;

inline Pixel GlyphColour(int glyph) { return {255, static_cast<std::uint8_t>(20 * glyph), 60, 90}; }
inline Pixel IconColour(int skill) { return {255, 5, static_cast<std::uint8_t>(3 * skill), 200}; }
inline Pixel PetColour(int species) { return {255, 200, static_cast<std::uint8_t>(5 * species), 5}; }
inline Pixel HeadColour(int species) { return {255, 150, static_cast<std::uint8_t>(5 * species), 150}; }

struct SurfaceDeleter {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
using Surface = std::unique_ptr<cairo_surface_t, SurfaceDeleter>;

// Places of the main window's controls, by the point a user clicks.
struct MainPoint {
  int x, y;
};
inline constexpr MainPoint kWashTab{240, 80};
inline constexpr MainPoint kMergeTab{470, 80};
inline constexpr MainPoint kBookTab{700, 80};
inline constexpr MainPoint kMergeSide1{98, 177};
inline constexpr MainPoint kMergeSide2{568, 177};
inline constexpr MainPoint kMergeButton{457, 349};
inline constexpr MainPoint kBookSlot{518, 174};
inline constexpr MainPoint kLearnButton{784, 171};
inline constexpr MainPoint kCertifyButton{789, 560};

class PopupsTest : public DataFolderTest {
 protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    // Pictures of sizes other than their places, so every one is stretched.
    for (int glyph = 1; glyph <= kGlyphCount; ++glyph)
      Picture("UI/text" + std::to_string(glyph) + ".png", 12, 20, GlyphColour(glyph));
    for (int skill = 1; skill <= kSkillCount; ++skill)
      Picture(SkillIconPath(skill), 64, 64, IconColour(skill));
    for (int species = 1; species <= kSpeciesCount; ++species) {
      Picture(PetPicturePath(species), 200, 210, PetColour(species));
      Picture(HeadPicturePath(species), 80, 80, HeadColour(species));
    }
    app.system = &system;
    app.clock = &clock;
    app.messages = &messages;
    system.SetInputEndHandler([this] { inputRanDry = true; });
  }

  static void Picture(const std::string& path, int width, int height, Pixel colour) {
    gfxtest::WriteSolidPng(std::filesystem::u8path(path), width, height, colour.r, colour.g, colour.b);
  }

  static void Record(int slot, const std::string& text) { WriteFile(RecordPath(slot), text); }
  static void Certified(int slot, int skill) { WriteFile(MarkerPath(slot), std::to_string(skill)); }
  static std::vector<std::string> Fields(int slot) { return ReadRecordFields(slot); }

  // Opens the main window as the program does; the roster must hold a pet by then.
  void Start() { ASSERT_TRUE(OpenMainWindow(app)); }

  void Post(InputKind kind, const std::string& window, int x = 0, int y = 0) {
    platform::HeadlessInput input;
    input.kind = kind;
    input.window = window;
    input.x = x;
    input.y = y;
    system.Post(input);
  }
  void Click(const std::string& window, int x, int y) { Post(InputKind::Click, window, x, y); }
  void ClickMain(MainPoint p) { Click("main", p.x, p.y); }
  void Move(const std::string& window, int x, int y) { Post(InputKind::Move, window, x, y); }
  void RightClick(const std::string& window) { Post(InputKind::RightClick, window, 5, 5); }
  void Answer(bool ok) {
    platform::HeadlessInput input;
    input.kind = InputKind::Answer;
    input.ok = ok;
    system.Post(input);
  }
  // Queues a picture of what `window` shows at that moment; Taken(name) reads it afterwards.
  void Shot(const std::string& window, const std::string& name) {
    platform::HeadlessInput input;
    input.kind = InputKind::Shot;
    input.window = window;
    input.file = name + ".png";
    system.Post(input);
  }
  static Surface Taken(const std::string& name) {
    Surface surface(cairo_image_surface_create_from_png((name + ".png").c_str()));
    EXPECT_EQ(cairo_surface_status(surface.get()), CAIRO_STATUS_SUCCESS) << name;
    return surface;
  }
  // A line that only a main window free of pop-ups accepts: the pop-ups before it must have
  // closed themselves, or the run fails.
  void ExpectPopupsClosed() { Move("main", 460, 300); }

  // Carries out every queued input, as the program's loop does.
  void Run() {
    system.Run();
    EXPECT_EQ(system.Failure(), "");
  }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& box : system.Messages()) texts.push_back(box.text);
    return texts;
  }

  platform::HeadlessSystem system;
  FixedClock clock{777};
  SystemMessages messages{system};
  AppState app;
  bool inputRanDry = false;
};

// True when `place` is filled edge to edge with `colour`: its corners and its centre.
inline ::testing::AssertionResult Filled(cairo_surface_t* surface, Rect place, Pixel colour) {
  const std::pair<int, int> probes[] = {{place.x, place.y},
                                        {place.x + place.width - 1, place.y},
                                        {place.x, place.y + place.height - 1},
                                        {place.x + place.width - 1, place.y + place.height - 1},
                                        {place.x + place.width / 2, place.y + place.height / 2}};
  for (const auto& [x, y] : probes) {
    const Pixel p = ReadPixel(surface, x, y);
    if (!(p == colour))
      return ::testing::AssertionFailure() << "pixel " << x << "," << y << " is " << p << ", not " << colour;
  }
  return ::testing::AssertionSuccess();
}

// The number drawn with the fixture glyphs from the box at (x, y): one character per 14-pixel
// box ('.' for the point), up to the first box that holds no glyph.
inline std::string NumberAt(cairo_surface_t* surface, int x, int y) {
  std::string shown;
  for (int left = x; left + 14 <= cairo_image_surface_get_width(surface); left += 14) {
    const Pixel p = ReadPixel(surface, left + 7, y + 8);
    const int glyph = p.r / 20;
    if (p.a != 255 || p.g != 60 || p.b != 90 || p.r % 20 != 0 || glyph < 1 || glyph > 11) break;
    shown += glyph == 11 ? '.' : static_cast<char>('0' + glyph - 1);
  }
  return shown;
}

}  // namespace popupstest

namespace popupstest {

// True when the two pictures agree on every pixel of `place` (clipped to both).
inline bool SameRegion(cairo_surface_t* a, cairo_surface_t* b, Rect place) {
  const int width = std::min(cairo_image_surface_get_width(a), cairo_image_surface_get_width(b));
  const int height = std::min(cairo_image_surface_get_height(a), cairo_image_surface_get_height(b));
  for (int y = std::max(0, place.y); y < std::min(height, place.y + place.height); ++y)
    for (int x = std::max(0, place.x); x < std::min(width, place.x + place.width); ++x)
      if (!(ReadPixel(a, x, y) == ReadPixel(b, x, y))) return false;
  return true;
}

}  // namespace popupstest
