#pragma once

// The simulator on the headless window system: a scratch data folder (the working directory
// during the test) with solid-colour pictures and a few record files, an AppState wired as the
// program wires it, and inputs delivered one at a time so that each step can be checked.

#include <gtest/gtest.h>

#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"
#include "core/RosterStore.h"
#include "gfx/FixturePictures.h"
#include "gfx/GfxTestSupport.h"
#include "platform/headless/HeadlessSystem.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProgramWindows.h"
#include "ui/main/SystemMessages.h"

namespace apptest {

using gfxtest::Pixel;
using platform::InputKind;

using gfxtest::GlyphColour;
using gfxtest::HeadColour;
using gfxtest::IconColour;
using gfxtest::PetColour;

// A pet record: species, five aptitudes, growth in thousandths, then the skills.
inline std::string PetRecordText(int species, std::vector<int> skills, int base = 1000) {
  std::string text = std::to_string(species);
  for (int j = 1; j <= 5; ++j) text += "|" + std::to_string(base + j);
  text += "|1013|" + std::to_string(skills.size());
  for (int skill : skills) text += "|" + std::to_string(skill);
  return text;
}

class AppTest : public DataFolderTest {
protected:
  void SetUp() override {
    DataFolderTest::SetUp();
    for (int glyph = 1; glyph <= kGlyphCount; ++glyph)
      Picture("UI/text" + std::to_string(glyph) + ".png", 12, 20, GlyphColour(glyph));
    for (int skill = 1; skill <= kSkillCount; ++skill) Picture(SkillIconPath(skill), 64, 64, IconColour(skill));
    for (int species = 1; species <= kSpeciesCount; ++species) {
      Picture(PetPicturePath(species), 200, 210, PetColour(species));
      Picture(HeadPicturePath(species), 80, 80, HeadColour(species));
    }
    app->system = &system;
    app->clock = &clock;
    app->messages = &messages;
    app->windows = &windows;
  }

  static void Picture(const std::string& path, int width, int height, Pixel colour) {
    gfxtest::WriteSolidPng(std::filesystem::u8path(path), width, height, colour.r, colour.g, colour.b);
  }
  static void Record(int slot, const std::string& text) { WriteFile(RecordPath(slot), text); }
  static void Pet(int slot, int species, std::vector<int> skills = {}) {
    Record(slot, PetRecordText(species, std::move(skills)));
  }
  static void Certified(int slot, int skill) { WriteFile(MarkerPath(slot), std::to_string(skill)); }

  void Start() { ASSERT_TRUE(OpenMainWindow(*app)); }

  // Carries out one input now; the test fails when the input cannot be carried out.
  void Send(InputKind kind, const std::string& window, int x, int y) {
    platform::HeadlessInput input;
    input.kind = kind;
    input.window = window;
    input.x = x;
    input.y = y;
    EXPECT_TRUE(system.Deliver(input)) << system.Failure();
  }
  void Press(const std::string& w, int x, int y) { Send(InputKind::Press, w, x, y); }
  void Release(const std::string& w, int x, int y) { Send(InputKind::Release, w, x, y); }
  void Move(const std::string& w, int x, int y) { Send(InputKind::Move, w, x, y); }
  void Click(const std::string& w, int x, int y) { Send(InputKind::Click, w, x, y); }
  void MoveWindow(const std::string& w, int x, int y) { Send(InputKind::MoveWindow, w, x, y); }

  // Points a user clicks on the main window.
  void ClickWashTab() { Click("main", 240, 80); }
  void ClickMergeTab() { Click("main", 470, 80); }
  void ClickBookTab() { Click("main", 700, 80); }

  // A point on slot s's head while the strip is at the top: its centre column, 20 rows down
  // (the bottom row shows only its upper 32 rows).
  static std::pair<int, int> HeadCentre(int slot) {
    const int k = slot - 1;
    return {84 * (k % 5) + 36, 83 * (k / 5) + 20};
  }
  void ClickHead(int slot) {  // press, a move within the head, release: the head is picked
    const auto [x, y] = HeadCentre(slot);
    Press("roster", x, y);
    Move("roster", x + 2, y + 1);
    Release("roster", x + 2, y + 1);
  }

  cairo_surface_t* MainShown() const { return system.Presented("main"); }
  cairo_surface_t* RosterShown() const { return system.Presented("roster"); }
  Pixel MainAt(int x, int y) const { return gfxtest::ReadPixel(MainShown(), x, y); }
  Pixel RosterAt(int x, int y) const { return gfxtest::ReadPixel(RosterShown(), x, y); }

  std::vector<std::string> MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : system.Messages()) texts.push_back(m.text);
    return texts;
  }

  platform::HeadlessSystem system;
  FixedClock clock{777};
  SystemMessages messages{system};
  std::unique_ptr<AppState> app = InitAppState();
  ProgramWindows windows{*app};
};

}  // namespace apptest
