#include "PopupsFixture.h"
#include "ui/windows/SpeciesPicker.h"

namespace popupstest {
namespace {

// Slot 4's cell in the roster panel with the strip at the top.
constexpr Rect kRosterCell4{253, 1, 70, 70};

class SpeciesPickerTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Record(1, "3|1000|1000|1000|1000|1000|1000|1|5");
    Start();
  }
  // A press, a small move and a release on the empty cell of slot 4 open the picker.
  void OpenOnSlot4() {
    Post(InputKind::Press, "roster", 288, 36);
    Move("roster", 290, 38);
    Post(InputKind::Release, "roster", 290, 38);
  }
};

TEST_F(SpeciesPickerTest, HeadInThirdColumnOfSecondRowCreatesSpecies10InTheClickedSlot) {
  OpenOnSlot4();
  Shot("species", "picker");
  Click("species", 241, 129);
  ExpectPopupsClosed();
  Shot("roster", "roster");
  Run();

  const auto picker = Taken("picker");
  // Head 1 lies under the frame.
  for (int species : {2, 10, 35})
    EXPECT_TRUE(Filled(picker.get(), SpeciesPickerCellRect(species), HeadColour(species)));
  EXPECT_EQ(app.newPetSlot, 4);
  ASSERT_TRUE(IsSlotOccupied(4));
  EXPECT_EQ(Fields(4).at(0), "10");
  EXPECT_TRUE(Filled(Taken("roster").get(), kRosterCell4, HeadColour(10)));
  // The current pet stays what it was.
  EXPECT_EQ(app.currentSlot, 1);
}

TEST_F(SpeciesPickerTest, ClicksOutsideEveryHeadCreateNothingAndKeepThePickerOpen) {
  struct Case {
    int x, y;
    const char* where;
  };
  const Case cases[] = {
      {110, 50, "between the first two heads"}, {32, 50, "first column of head 1"}, {98, 50, "just right of head 1"},
      {60, 18, "first row of head 1"},          {60, 84, "just below head 1"},      {640, 400, "bottom right corner"},
  };
  for (const Case& c : cases) {
    OpenOnSlot4();
    Click("species", c.x, c.y);
    Shot("species", "still-open");  // fails the run if the picker closed
    RightClick("species");
  }
  ExpectPopupsClosed();
  Run();
  EXPECT_FALSE(IsSlotOccupied(4));
}

TEST_F(SpeciesPickerTest, TheInnermostPixelsOfAHeadCount) {
  for (const auto& [x, y] : {std::pair{33, 19}, std::pair{97, 83}}) {
    ASSERT_TRUE(DeleteRecord(4) || !IsSlotOccupied(4));
    OpenOnSlot4();
    Click("species", x, y);
    ExpectPopupsClosed();
    Run();
    ASSERT_TRUE(IsSlotOccupied(4)) << x << "," << y;
    EXPECT_EQ(Fields(4).at(0), "1");
  }
}

TEST_F(SpeciesPickerTest, RightClickClosesWithoutCreating) {
  OpenOnSlot4();
  Post(InputKind::RightClick, "species", 241, 129);  // over a head: still no pet
  ExpectPopupsClosed();
  Shot("roster", "roster");
  Run();
  EXPECT_FALSE(IsSlotOccupied(4));
  EXPECT_FALSE(Filled(Taken("roster").get(), kRosterCell4, HeadColour(10)));
}

TEST_F(SpeciesPickerTest, FrameStartsOnSpecies1AndLeavesOneMoveAfterThePointerLeftTheHeads) {
  const Rect frameAt1{29, 15, 72, 72};
  const Rect frameAt10{205, 93, 72, 72};
  OpenOnSlot4();
  Shot("species", "opened");
  Move("species", 241, 129);
  Shot("species", "on-10");
  Move("species", 110, 50);
  Shot("species", "left-once");
  Move("species", 112, 50);
  Shot("species", "left-twice");
  RightClick("species");
  Run();

  const auto opened = Taken("opened"), on10 = Taken("on-10"), leftOnce = Taken("left-once"),
             leftTwice = Taken("left-twice");
  // Opened: the frame marks species 1 only.
  EXPECT_FALSE(SameRegion(opened.get(), leftTwice.get(), frameAt1));
  EXPECT_TRUE(SameRegion(opened.get(), leftTwice.get(), frameAt10));
  // Over head 10 the frame moves there; the first move off every head still shows it there.
  EXPECT_TRUE(SameRegion(on10.get(), leftTwice.get(), frameAt1));
  EXPECT_FALSE(SameRegion(on10.get(), leftTwice.get(), frameAt10));
  EXPECT_TRUE(SameRegion(on10.get(), leftOnce.get(), MakeRect(0, 0, kSpeciesPickerWidth, kSpeciesPickerHeight)));
}

TEST_F(SpeciesPickerTest, OpensCentredOnTheMainWindow) {
  OpenOnSlot4();
  Move("species", 0, 0);
  RightClick("species");
  Run();
  // The last input put the cursor at the picker's pixel (5, 5).
  const auto cursor = system.CursorPosition();
  EXPECT_EQ(cursor.x - 5, 50 + (920 - kSpeciesPickerWidth) / 2);
  EXPECT_EQ(cursor.y - 5, 50 + (620 - kSpeciesPickerHeight) / 2);
}

}  // namespace
}  // namespace popupstest

namespace popupstest {
namespace {

TEST_F(SpeciesPickerTest, AFailedWriteIsReportedAndThePickerClosesAnyway) {
  OpenOnSlot4();
  Click("species", 241, 129);
  ExpectPopupsClosed();
  {
    FileSizeLimit tiny(1);  // every record write fails
    Run();
  }
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"数据保存失败！"}));
  EXPECT_FALSE(IsSlotOccupied(4));
}

}  // namespace
}  // namespace popupstest
