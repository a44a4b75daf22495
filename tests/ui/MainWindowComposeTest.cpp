#include <gtest/gtest.h>

#include "MainWindowFixture.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/RedrawMainWindow.h"

// Probes of the composed main window. The stored frame and panel pictures stay unloaded here, so
// every opaque pixel comes from a fixture picture of a known colour.

namespace {

using uitest::CountColour;
using uitest::Filled;
using uitest::IconColour;
using uitest::kBadgeColour;
using uitest::NumberAt;
using uitest::Pixel;

constexpr AptitudeRow kAptitudes{0, 1234, 5, 67, 890, 1, 1.013};

std::vector<int> Skills(int first, int count) {
  std::vector<int> skills;
  for (int k = 0; k < count; ++k) skills.push_back(first + k);
  return skills;
}

class MainWindowCompose : public uitest::MainWindowTest {
protected:
  void Show(int tab) {
    app.tabState = static_cast<TabState>(tab);
    LayoutMainWindow(app);
    RedrawMainWindow(app);
  }
  void LoadBadge() {
    app.certBadge.LoadFromBytes(gfxtest::SolidPngBlob(50, 43, kBadgeColour.r, kBadgeColour.g, kBadgeColour.b));
  }
};

TEST_F(MainWindowCompose, WashTabShowsTheCurrentPetAndItsSixValues) {
  SetCurrentPet(3, 7, kAptitudes, {});
  Show(1);
  EXPECT_EQ(window.presents, 1);
  EXPECT_TRUE(Filled(Surface(), MakeRect(128, 119, 234, 242), uitest::PetColour(7)));
  const struct {
    int x, y;
    const char* shown;
  } values[] = {{598, 138, "1234"}, {798, 138, "5"}, {598, 181, "67"},
                {798, 181, "890"},  {598, 224, "1"}, {798, 224, "1.013"}};
  for (const auto& v : values) EXPECT_EQ(NumberAt(Surface(), v.x, v.y), v.shown) << v.x << "," << v.y;
}

// Icons go four to a row; skills 13..15 make a fourth row (y 480 on the wash tab, 540 on the
// book tab); a longer list shows its first 15 only.
TEST_F(MainWindowCompose, SkillIconsFillRowsOfFourUpToFifteen) {
  const struct {
    int tab, x0, y0, dx, dy, size, fourthRowY;
  } grids[] = {{1, 527, 276, 82, 68, 59, 480}, {3, 495, 291, 98, 83, 70, 540}};
  for (const auto& g : grids) {
    SCOPED_TRACE(g.tab);
    SetCurrentPet(2, 1, kAptitudes, Skills(20, 17));
    Show(g.tab);
    for (int k = 1; k <= 15; ++k) {
      const Rect place = MakeRect(g.x0 + g.dx * ((k - 1) % 4), g.y0 + g.dy * ((k - 1) / 4), g.size, g.size);
      EXPECT_TRUE(Filled(Surface(), place, IconColour(19 + k))) << "icon " << k;
    }
    EXPECT_EQ(g.y0 + 3 * g.dy, g.fourthRowY);
    EXPECT_EQ(CountColour(Surface(), IconColour(35)), 0) << "the 16th skill is not drawn";
    EXPECT_EQ(CountColour(Surface(), IconColour(36)), 0) << "the 17th skill is not drawn";
    EXPECT_EQ(CountColour(Surface(), IconColour(34)), g.size * g.size);
  }
}

// The badge lies over the first icon's top-left corner: 37x37 at (526, 275) on the wash tab,
// 46x46 at (494, 289) on the book tab, drawn after the icons.
TEST_F(MainWindowCompose, CertifiedBadgeCoversTheFirstIconsCorner) {
  const struct {
    int tab;
    Rect badge;
  } cases[] = {{1, MakeRect(526, 275, 37, 37)}, {3, MakeRect(494, 289, 46, 46)}};
  SetCurrentPet(5, 2, kAptitudes, {71, 3});
  LoadBadge();
  Show(1);  // the book tab reuses places the wash layout sets
  for (const auto& c : cases) {
    SCOPED_TRACE(c.tab);
    Show(c.tab);
    EXPECT_TRUE(Filled(Surface(), c.badge, kBadgeColour));
    EXPECT_EQ(CountColour(Surface(), kBadgeColour), c.badge.width * c.badge.height);
    EXPECT_EQ(At(c.badge.x + c.badge.width, c.badge.y + c.badge.height), IconColour(71));
  }
}

TEST_F(MainWindowCompose, AnUncertifiedPetShowsNoBadge) {
  SetCurrentPet(5, 2, kAptitudes, {71});
  LoadBadge();
  app.certBadge.LoadFromBytes(kEmptyByteConstant);
  Show(1);
  EXPECT_EQ(At(530, 280), IconColour(71));
}

TEST_F(MainWindowCompose, MergeTabWithBothSidesEmptyShowsSixZerosPerCardAndNoIcons) {
  SetCurrentPet(1, 3, kAptitudes, {4, 5});
  Show(2);
  EXPECT_EQ(window.presents, 1);
  for (int x0 : {140, 610})
    for (int j = 0; j < 6; ++j)
      EXPECT_EQ(NumberAt(Surface(), x0 + 200 * (j % 2), 234 + 43 * (j / 2)), "0") << x0 << " " << j;
  EXPECT_EQ(uitest::CountPixels(Surface(), uitest::IsIconPixel), 0);
  // Only the twelve zeros are opaque.
  EXPECT_EQ(CountColour(Surface(), uitest::GlyphColour(1)), 12 * 14 * 17);
}

TEST_F(MainWindowCompose, MergeTabShowsEachSidesHeadValuesAndIcons) {
  SetMergeSide(1, 4, {0, 1500, 1400, 3000, 2000, 1200, 1.25}, {10, 11});
  SetMergeSide(2, 9, {0, 1, 2, 3, 4, 5, 1.3}, Skills(40, 5));
  Show(2);
  EXPECT_TRUE(Filled(Surface(), MakeRect(54, 135, 88, 86), uitest::HeadColour(4)));
  EXPECT_TRUE(Filled(Surface(), MakeRect(525, 135, 89, 86), uitest::HeadColour(9)));
  EXPECT_EQ(NumberAt(Surface(), 140, 234), "1500");
  EXPECT_EQ(NumberAt(Surface(), 340, 320), "1.25");
  EXPECT_EQ(NumberAt(Surface(), 810, 277), "4");
  EXPECT_EQ(NumberAt(Surface(), 810, 320), "1.3");
  EXPECT_TRUE(Filled(Surface(), MakeRect(68, 376, 59, 59), IconColour(10)));
  EXPECT_TRUE(Filled(Surface(), MakeRect(150, 376, 59, 59), IconColour(11)));
  EXPECT_TRUE(Filled(Surface(), MakeRect(537, 376, 59, 59), IconColour(40)));
  EXPECT_TRUE(Filled(Surface(), MakeRect(537, 444, 59, 59), IconColour(44)));
}

TEST_F(MainWindowCompose, TabRowDrawsTheThreeTabButtonsOnEveryTab) {
  const Pixel looks[] = {{}, {255, 10, 20, 30}, {255, 40, 50, 60}, {255, 70, 80, 90}};
  for (int k = 1; k <= 3; ++k)
    app.tabButtonImages[k].LoadFromBytes(gfxtest::SolidPngBlob(198, 52, looks[k].r, looks[k].g, looks[k].b));
  SetCurrentPet(1, 1, kAptitudes, {});
  for (int tab = 1; tab <= 3; ++tab) {
    SCOPED_TRACE(tab);
    Show(tab);
    for (int k = 1; k <= 3; ++k) {
      const Rect place = MakeRect(228 * k - 83, 58, 198, 51);
      EXPECT_TRUE(Filled(Surface(), place, looks[k])) << "tab " << k;
      EXPECT_EQ(CountColour(Surface(), looks[k]), 198 * 51);
    }
  }
}

// Without a current pet (an empty roster) the tabs draw, but show no values and no icons.
TEST_F(MainWindowCompose, NoCurrentPetShowsNoValuesAndNoIcons) {
  app.currentSlot = 0;
  app.slotAptitudes[0] = kAptitudes;
  app.currentSkills = {6, 7};
  for (int tab : {1, 3}) {
    SCOPED_TRACE(tab);
    window.presents = 0;
    Show(tab);
    EXPECT_EQ(window.presents, 1);
    EXPECT_EQ(NumberAt(Surface(), 598, 138), "");
    EXPECT_EQ(uitest::CountPixels(Surface(), uitest::IsIconPixel), 0);
  }
}

TEST_F(MainWindowCompose, TabStateOutsideTheTabsOnlyClears) {
  SetCurrentPet(1, 1, kAptitudes, {2});
  Show(1);
  for (int tab : {0, 4, -1}) {
    app.tabState = static_cast<TabState>(tab);
    LayoutMainWindow(app);
    RedrawMainWindow(app);
    EXPECT_EQ(window.presents, 1) << "nothing is presented for tabState " << tab;
    EXPECT_EQ(CountColour(Surface(), {}), 920 * 620);
  }
}

// Icons are read from disk at every redraw; objects beyond a shorter list are not drawn.
TEST_F(MainWindowCompose, IconsAreReadAgainAtEveryRedraw) {
  SetCurrentPet(1, 1, kAptitudes, {7, 8, 9});
  Show(1);
  EXPECT_EQ(At(530, 280), IconColour(7));
  const Pixel replaced{255, 1, 2, 3};
  WriteIcon(7, replaced);
  app.currentSkills = {7};
  RedrawMainWindow(app);
  EXPECT_EQ(At(530, 280), replaced);
  EXPECT_EQ(CountColour(Surface(), IconColour(8)), 0);
  EXPECT_NE(app.currentSkillIcons[2].ImageHandle(), nullptr);
}

TEST_F(MainWindowCompose, AMissingIconLeavesItsCellEmpty) {
  std::filesystem::remove(std::filesystem::u8path("./召唤兽/技能/技能8.png"));
  SetCurrentPet(1, 1, kAptitudes, {7, 8, 9});
  Show(1);
  EXPECT_EQ(At(612, 280), Pixel{});
  EXPECT_EQ(At(694, 280), IconColour(9));
}

// Each tab's layout sets its own places and leaves the others: the book tab keeps the plain panel
// and pet places of the wash tab, and the badge moves between the two tabs' places.
TEST_F(MainWindowCompose, LayoutSetsOnlyTheShownTabsPlaces) {
  app.tabState = TabState::Wash;
  LayoutMainWindow(app);
  app.washButtonRect = MakeRect(734, 527, 143, 51);  // pressed look
  LayoutMainWindow(app);
  EXPECT_EQ(app.washButtonRect, MakeRect(732, 525, 147, 55));
  app.tabState = TabState::Book;
  LayoutMainWindow(app);
  EXPECT_EQ(app.plainPanelRect, MakeRect(35, 375, 424, 221));
  EXPECT_EQ(app.currentPetRect, MakeRect(128, 119, 234, 242));
  EXPECT_EQ(app.certifiedMarkRect, MakeRect(494, 289, 46, 46));
  app.tabState = TabState::Merge;
  LayoutMainWindow(app);
  EXPECT_EQ(app.certifiedMarkRect, MakeRect(494, 289, 46, 46));
  EXPECT_EQ(app.mergePanelRect, Rect{}) << "the merge panel's place is set by its draw list";
  app.tabState = TabState::Wash;
  LayoutMainWindow(app);
  EXPECT_EQ(app.certifiedMarkRect, MakeRect(526, 275, 37, 37));
}

}  // namespace
