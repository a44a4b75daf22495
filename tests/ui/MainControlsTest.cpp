#include <gtest/gtest.h>

#include "AppFixture.h"
#include "gfx/StoredPictures.h"
#include "rules/SkillBook.h"

namespace {

using apptest::IconColour;
using apptest::PetColour;

bool Shows(const ImageObject& image, const ByteConstant& stored) {
  ImageObject expected;
  expected.LoadFromBytes(stored);
  if (image.Width() != expected.Width() || image.Height() != expected.Height()) return false;
  for (int y = 0; y < image.Height(); y += 3)
    for (int x = 0; x < image.Width(); x += 3)
      if (!(gfxtest::ReadPixel(image.ImageHandle(), x, y) == gfxtest::ReadPixel(expected.ImageHandle(), x, y)))
        return false;
  return true;
}

class MainControls : public apptest::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    Pet(2, 6, {1, 2, 3});
    Pet(5, 8, {4});
  }
};

TEST_F(MainControls, WashFromPressToRedraw) {
  Start();
  const std::string before = ReadFile(RecordPath(2));
  Press("main", 800, 550);
  EXPECT_EQ(app->washButtonRect, MakeRect(734, 527, 143, 51));
  EXPECT_EQ(ReadFile(RecordPath(2)), before);
  Release("main", 800, 550);
  EXPECT_EQ(app->washButtonRect, MakeRect(732, 525, 147, 55));

  // The record on disk, the tables and the skills agree, and the frame shows the new skills.
  const auto fields = ReadRecordFields(2);
  ASSERT_GE(fields.size(), 8u);
  EXPECT_NE(ReadFile(RecordPath(2)), before);
  EXPECT_EQ(fields[0], "6");
  for (int j = 1; j <= 5; ++j) EXPECT_EQ(app->slotAptitudes[2][j], std::stod(fields[j])) << j;
  EXPECT_DOUBLE_EQ(app->slotAptitudes[2][6], std::stod(fields[6]) / 1000.0);
  std::vector<int> skills;
  for (std::size_t j = 8; j < fields.size(); ++j) skills.push_back(std::stoi(fields[j]));
  EXPECT_EQ(app->currentSkills, skills);
  ASSERT_FALSE(skills.empty());
  for (std::size_t k = 0; k < skills.size(); ++k)
    EXPECT_EQ(MainAt(527 + 82 * static_cast<int>(k % 4) + 30, 276 + 68 * static_cast<int>(k / 4) + 30),
              IconColour(skills[k]))
        << k;
  EXPECT_EQ(MainAt(245, 240), PetColour(6));
}

// A press on a button and a release outside its picture restores the look and starts nothing.
TEST_F(MainControls, ReleaseOutsideRestoresTheButton) {
  const struct {
    const char* name;
    int pressX, pressY, releaseX, releaseY;
    Rect AppState::*place;
    Rect normal, pressed;
  } buttons[] = {
      {"close", 870, 20, 870, 90, &AppState::closeButtonRect, {850, 2, 50, 50}, {852, 4, 46, 46}},
      {"minimise", 820, 20, 820, 90, &AppState::minimizeButtonRect, {795, 2, 50, 50}, {797, 4, 46, 46}},
      {"wash", 800, 550, 800, 610, &AppState::washButtonRect, {732, 525, 147, 55}, {734, 527, 143, 51}},
      {"release", 550, 550, 550, 610, &AppState::releaseButtonRect, {480, 525, 147, 55}, {482, 527, 143, 51}},
  };
  Start();
  const std::string record = ReadFile(RecordPath(2));
  for (const auto& b : buttons) {
    SCOPED_TRACE(b.name);
    Press("main", b.pressX, b.pressY);
    EXPECT_EQ((*app).*b.place, b.pressed);
    Release("main", b.releaseX, b.releaseY);
    EXPECT_EQ((*app).*b.place, b.normal);
    ASSERT_NE(system.Find("main"), nullptr);
    EXPECT_FALSE(system.IsMinimized("main"));
    EXPECT_EQ(ReadFile(RecordPath(2)), record);
    EXPECT_EQ(app->occupiedSlots, (std::vector<int>{2, 5}));
  }
}

TEST_F(MainControls, CloseButtonTestsTheCursorStrictly) {
  Start();
  Press("main", 850, 10);  // the picture's first column is outside it
  EXPECT_EQ(app->closeButtonRect, MakeRect(850, 2, 50, 50));
  Release("main", 850, 10);
  ASSERT_NE(system.Find("main"), nullptr);
  Press("main", 851, 10);
  EXPECT_EQ(app->closeButtonRect, MakeRect(852, 4, 46, 46));
  Release("main", 899, 51);  // the last column and row inside
  EXPECT_EQ(system.Find("main"), nullptr);
  EXPECT_EQ(system.Find("roster"), nullptr);
}

TEST_F(MainControls, MinimiseButtonMinimises) {
  Start();
  Press("main", 820, 20);
  Release("main", 820, 20);
  EXPECT_TRUE(system.IsMinimized("main"));
  EXPECT_EQ(app->minimizeButtonRect, MakeRect(795, 2, 50, 50));
}

TEST_F(MainControls, TabSwitchesEmptyTheMergeSidesAndTheBookSlot) {
  Start();
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE(round);
    for (int side = 1; side <= 2; ++side) {
      app->mergeSide[side] = MergeSide{side + 3, side + 1, {0, 1, 2, 3, 4, 5, 1.1, 9}, {1, 2}};
      app->mergeHeads[side].LoadFromFile(HeadPicturePath(side + 3));
    }
    ClickMergeTab();
    EXPECT_EQ(app->tabState, TabState::Merge);
    EXPECT_EQ(system.Find("roster"), nullptr);
    EXPECT_EQ(app->rosterPanel, nullptr);
    for (int side = 1; side <= 2; ++side) {
      const MergeSide& s = app->mergeSide[side];
      EXPECT_EQ(s.species, 0);
      EXPECT_EQ(s.slot, 0);
      for (double a : s.aptitudes) EXPECT_EQ(a, 0.0);
      EXPECT_TRUE(s.skills.empty());
      EXPECT_EQ(app->mergeHeads[side].ImageHandle(), nullptr);
    }
    EXPECT_TRUE(Shows(app->tabButtonImages[2], stored::tabMergeBright));
    EXPECT_TRUE(Shows(app->tabButtonImages[1], stored::tabWashDull));

    ClickBookTab();
    EXPECT_EQ(app->tabState, TabState::Book);
    EXPECT_NE(system.Find("roster"), nullptr);
    app->bookSkill = 7;
    app->bookIcon.LoadFromFile(SkillIconPath(7));
    app->mergeSide[1].slot = 2;
    app->mergeSide[2].slot = 5;
    ClickWashTab();
    EXPECT_EQ(app->tabState, TabState::Wash);
    EXPECT_NE(system.Find("roster"), nullptr);
    ClickBookTab();
    EXPECT_EQ(app->bookSkill, 0);
    EXPECT_EQ(app->bookIcon.ImageHandle(), nullptr);
    EXPECT_EQ(app->mergeSide[1].slot, 0);
    EXPECT_EQ(app->mergeSide[2].slot, 0);
    EXPECT_NE(MainAt(485 + 33, 141 + 33), IconColour(7));
  }
}

TEST_F(MainControls, TabButtonsLightOnPressAndDimOnReleaseOutside) {
  Start();
  Press("main", 470, 80);
  EXPECT_TRUE(Shows(app->tabButtonImages[2], stored::tabMergeBright));
  Release("main", 470, 200);
  EXPECT_TRUE(Shows(app->tabButtonImages[2], stored::tabMergeDull));
  EXPECT_EQ(app->tabState, TabState::Wash);
  EXPECT_NE(system.Find("roster"), nullptr);
  // The shown tab's button does nothing.
  platform::Window* panel = app->rosterPanel;
  ClickWashTab();
  EXPECT_TRUE(Shows(app->tabButtonImages[1], stored::tabWashBright));
  EXPECT_EQ(app->rosterPanel, panel);
}

// Where pictures overlap, the control of the picture shown there takes the press; controls of
// other tabs do nothing.
TEST_F(MainControls, ControlsActOnTheirOwnTabOnly) {
  Start();
  // Wash tab: the certify button is hidden, so the wash button takes its place's press.
  Press("main", 800, 560);
  EXPECT_EQ(app->washButtonRect, MakeRect(734, 527, 143, 51));
  Release("main", 800, 610);
  EXPECT_EQ(app->certifyButtonRect, Rect{});
  // Clicks on the merge, learn, side and book-slot places change nothing on the wash tab.
  for (const auto& [x, y] : {std::pair{457, 349}, {784, 171}, {98, 177}, {568, 177}, {518, 174}}) Click("main", x, y);
  EXPECT_EQ(app->mergePickSide, 0);
  EXPECT_EQ(app->learnButtonRect, Rect{});
  EXPECT_EQ(app->mergeButtonRect, Rect{});
  EXPECT_TRUE(system.Messages().empty());

  // Merge tab: the book slot is hidden, so its overlap with the right side button is that button's.
  ClickMergeTab();
  Click("main", 540, 177);
  EXPECT_EQ(app->mergePickSide, 2);
  Click("main", 98, 177);
  EXPECT_EQ(app->mergePickSide, 1);
  Press("main", 457, 349);
  EXPECT_EQ(app->mergeButtonRect, MakeRect(406, 298, 103, 101));
  Release("main", 457, 349);
  EXPECT_EQ(app->mergeButtonRect, MakeRect(404, 296, 107, 105));

  // Book tab: the certify button lies over the wash button; the merge button is gone.
  ClickBookTab();
  const Rect washBefore = app->washButtonRect;
  Press("main", 800, 560);
  EXPECT_EQ(app->certifyButtonRect, MakeRect(708, 537, 162, 47));
  EXPECT_EQ(app->washButtonRect, washBefore);
  Release("main", 800, 610);
  EXPECT_EQ(app->certifyButtonRect, MakeRect(705, 535, 168, 51));
  Press("main", 457, 349);
  EXPECT_EQ(app->mergeButtonRect, MakeRect(404, 296, 107, 105));
  Release("main", 457, 349);
}

TEST_F(MainControls, LearnUsesTheBookAndEmptiesTheSlot) {
  Start();
  ClickBookTab();
  Click("main", 784, 171);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{std::string(kNoBookText)});

  app->bookSkill = 40;
  app->bookIcon.LoadFromFile(SkillIconPath(40));
  Press("main", 784, 171);
  EXPECT_EQ(app->learnButtonRect, MakeRect(737, 147, 95, 49));
  Release("main", 784, 171);
  EXPECT_EQ(app->learnButtonRect, MakeRect(735, 145, 99, 53));
  EXPECT_EQ(app->bookSkill, 0);
  EXPECT_EQ(app->bookIcon.ImageHandle(), nullptr);
  const auto fields = ReadRecordFields(2);
  ASSERT_EQ(fields.size(), 11u);
  EXPECT_EQ(std::count(fields.begin() + 8, fields.end(), "40"), 1);
  EXPECT_EQ(app->currentSkills.size(), 3u);
}

TEST_F(MainControls, RosterPanelFollowsEveryMoveOfTheMainWindow) {
  Start();
  MoveWindow("main", 300, 120);
  EXPECT_EQ(app->rosterPanel->Left(), 343);
  EXPECT_EQ(app->rosterPanel->Top(), 505);
  // The title strip drags the window; the panel follows each step.
  Press("main", 300, 20);
  Move("main", 350, 60);
  EXPECT_EQ(app->mainWindow->Left(), 350);
  EXPECT_EQ(app->mainWindow->Top(), 160);
  EXPECT_EQ(app->rosterPanel->Left(), 393);
  EXPECT_EQ(app->rosterPanel->Top(), 545);
  Release("main", 350, 60);
  // On the merge tab there is no panel to move; back on the wash tab it is beside the window.
  ClickMergeTab();
  MoveWindow("main", 10, 10);
  ClickWashTab();
  EXPECT_EQ(app->rosterPanel->Left(), 53);
  EXPECT_EQ(app->rosterPanel->Top(), 395);
}

}  // namespace

namespace {

class PanelRefused : public apptest::AppTest {
protected:
  void SetUp() override {
    AppTest::SetUp();
    Pet(2, 6);
  }
};

TEST_F(PanelRefused, EnteringTheWashTabWithoutAPanelClosesTheProgram) {
  Start();
  ClickMergeTab();
  system.RefuseOpen("roster");
  ClickWashTab();
  ASSERT_EQ(system.Messages().size(), 1u);
  EXPECT_EQ(system.Messages()[0].text, "窗口组件创建失败！");
  EXPECT_EQ(system.Messages()[0].caption, "错误");
  EXPECT_EQ(system.Find("main"), nullptr);
  EXPECT_EQ(app->mainWindow, nullptr);
}

TEST_F(PanelRefused, EnteringTheBookTabWithoutAPanelGoesOnQuietly) {
  Start();
  ClickMergeTab();
  system.RefuseOpen("roster");
  ClickBookTab();
  EXPECT_TRUE(system.Messages().empty());
  EXPECT_EQ(app->tabState, TabState::Book);
  EXPECT_NE(system.Find("main"), nullptr);
  EXPECT_EQ(system.Find("roster"), nullptr);
  // The next wash tab opens the panel again.
  ClickWashTab();
  EXPECT_NE(system.Find("roster"), nullptr);
}

}  // namespace
