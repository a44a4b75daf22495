#include <gtest/gtest.h>

#include "AppFixture.h"
#include "gfx/StoredPictures.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/RedrawMainWindow.h"

namespace {

using apptest::PetColour;
using gfxtest::ReadPixel;

// True when both pictures hold the same pixels.
bool SamePicture(const ImageObject& a, const ByteConstant& stored) {
  ImageObject b;
  b.LoadFromBytes(stored);
  if (a.ImageHandle() == nullptr || b.ImageHandle() == nullptr) return false;
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(ReadPixel(a.ImageHandle(), x, y) == ReadPixel(b.ImageHandle(), x, y))) return false;
  return true;
}

class StartUp : public apptest::AppTest {};

TEST_F(StartUp, LowestOccupiedSlotBecomesCurrent) {
  const struct {
    std::vector<int> slots;
    int current;
  } cases[] = {{{3, 7, 12}, 3}, {{15}, 15}, {{1, 2}, 1}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.current);
    for (int slot = 1; slot <= kSlotCount; ++slot) std::filesystem::remove(RecordPath(slot));
    for (int slot : c.slots) Pet(slot, slot + 10, {slot});
    app = InitAppState();
    app->system = &system;
    app->clock = &clock;
    app->messages = &messages;
    windows = ProgramWindows(*app);
    app->windows = &windows;
    Start();
    EXPECT_EQ(app->occupiedSlots, c.slots);
    EXPECT_EQ(app->currentSlot, c.current);
    // The current pet as its record says, before any input.
    EXPECT_EQ(app->currentSpecies, c.current + 10);
    EXPECT_EQ(app->slotSpecies[c.current], c.current + 10);
    EXPECT_EQ(app->currentSkills, std::vector<int>{c.current});
    EXPECT_EQ(app->slotAptitudes[c.current][1], 1001.0);
    EXPECT_DOUBLE_EQ(app->slotAptitudes[c.current][6], 1.013);
    EXPECT_EQ(app->tabState, TabState::Wash);
    EXPECT_EQ(app->rosterFollowsCurrent, 1);
    // Seeded from the clock once by the main window's start, once by the roster panel's.
    RandomGenerator seeded;
    seeded.SeedFromClock(clock);
    seeded.SeedFromClock(clock);
    EXPECT_EQ(app->random.SeedCounter(), seeded.SeedCounter());
    EXPECT_EQ(app->random.State(), seeded.State());
    // The first frame shows that pet's picture.
    EXPECT_EQ(MainAt(245, 240), PetColour(c.current + 10));
    // The roster panel sits beside the main window with the frame on the current pet's cell.
    ASSERT_NE(app->rosterPanel, nullptr);
    EXPECT_EQ(app->rosterPanel->Left(), app->mainWindow->Left() + 43);
    EXPECT_EQ(app->rosterPanel->Top(), app->mainWindow->Top() + 385);
    const int k = c.current - 1;
    EXPECT_EQ(app->rosterHighlightRect, MakeRect(84 * (k % 5), 83 * (k / 5), 74, 74));
    app->mainWindow->Destroy();
  }
}

TEST_F(StartUp, CertifiedCurrentPetShowsBadgeAndCancelPictureFromTheFirstFrame) {
  Pet(4, 9, {71, 2});
  Certified(4, 71);
  Start();
  EXPECT_TRUE(SamePicture(app->certBadge, stored::certBadge));
  EXPECT_TRUE(SamePicture(app->certifyButtonPicture, stored::cancelCertifyButton));
  // The badge is in the first frame: without it the same place looks different.
  cairo_surface_t* first = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 920, 620);
  cairo_t* cr = cairo_create(first);
  cairo_set_source_surface(cr, MainShown(), 0, 0);
  cairo_paint(cr);
  cairo_destroy(cr);
  ShowCertificationLook(*app, false);
  RedrawMainWindow(*app);
  bool differs = false;
  for (int y = 275; y < 275 + 37; ++y)
    for (int x = 526; x < 526 + 37; ++x)
      if (!(ReadPixel(first, x, y) == MainAt(x, y))) differs = true;
  cairo_surface_destroy(first);
  EXPECT_TRUE(differs);
}

TEST_F(StartUp, UncertifiedCurrentPetShowsCertifyPictureAndNoBadge) {
  Pet(4, 9, {71, 2});
  Certified(5, 71);  // another slot's marker changes nothing
  Start();
  EXPECT_EQ(app->certBadge.ImageHandle(), nullptr);
  EXPECT_TRUE(SamePicture(app->certifyButtonPicture, stored::certifyButton));
}

TEST_F(StartUp, SlotFolderWithOnlyAMarkerHoldsNoPet) {
  Certified(2, 72);
  Pet(8, 3);
  Start();
  EXPECT_EQ(app->occupiedSlots, std::vector<int>{8});
  EXPECT_EQ(app->currentSlot, 8);
  EXPECT_EQ(app->rosterHeads[2].ImageHandle(), nullptr);
  EXPECT_NE(app->rosterHeads[8].ImageHandle(), nullptr);
}

TEST_F(StartUp, RosterPanelThatCannotBeCreatedEndsTheProgram) {
  Pet(1, 1);
  system.RefuseOpen("roster");
  EXPECT_FALSE(OpenMainWindow(*app));
  ASSERT_EQ(system.Messages().size(), 1u);
  EXPECT_EQ(system.Messages()[0].text, "窗口组件创建失败！");
  EXPECT_EQ(system.Messages()[0].caption, "错误");
  EXPECT_EQ(app->mainWindow, nullptr);
  EXPECT_EQ(system.Find("main"), nullptr);
}

TEST_F(StartUp, ClosingWritesNothingAndReleasesTheState) {
  Pet(3, 5, {1, 2});
  const std::string before = ReadFile(RecordPath(3));
  Start();
  const auto mtime = std::filesystem::last_write_time(RecordPath(3));
  Press("main", 870, 20);
  Release("main", 870, 20);
  EXPECT_EQ(system.Find("main"), nullptr);
  EXPECT_EQ(system.Find("roster"), nullptr);
  EXPECT_EQ(app->rosterPanel, nullptr);
  ReleaseAppState(app);
  EXPECT_EQ(app, nullptr);
  ReleaseAppState(app);  // a second release is harmless
  EXPECT_EQ(ReadFile(RecordPath(3)), before);
  EXPECT_EQ(std::filesystem::last_write_time(RecordPath(3)), mtime);
}

TEST_F(StartUp, MessagesGoToTheWindowSystemWithTheStandardCaption) {
  messages.Show("text", "");
  EXPECT_TRUE(messages.Ask("question", "提示"));
  ASSERT_EQ(system.Messages().size(), 2u);
  EXPECT_EQ(system.Messages()[0].caption, "信息：");
  EXPECT_EQ(system.Messages()[0].buttons, platform::MessageButtons::Ok);
  EXPECT_EQ(system.Messages()[1].caption, "提示");
  EXPECT_EQ(system.Messages()[1].buttons, platform::MessageButtons::OkCancel);
}

}  // namespace
