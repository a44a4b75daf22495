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
#include "gfx/FixturePictures.h"
#include "gfx/GfxTestSupport.h"
#include "platform/headless/HeadlessSystem.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProgramWindows.h"
#include "ui/main/SystemMessages.h"

namespace popupstest {

using gfxtest::Pixel;
using gfxtest::ReadPixel;
using platform::InputKind;

using gfxtest::Filled;
using gfxtest::GlyphColour;
using gfxtest::HeadColour;
using gfxtest::IconColour;
using gfxtest::NumberAt;
using gfxtest::PetColour;

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
    for (int skill = 1; skill <= kSkillCount; ++skill) Picture(SkillIconPath(skill), 64, 64, IconColour(skill));
    for (int species = 1; species <= kSpeciesCount; ++species) {
      Picture(PetPicturePath(species), 200, 210, PetColour(species));
      Picture(HeadPicturePath(species), 80, 80, HeadColour(species));
    }
    app.system = &system;
    app.clock = &clock;
    app.messages = &messages;
    app.windows = &windows;
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
  ProgramWindows windows{app};
  bool inputRanDry = false;
};

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
