#include "PopupsFixture.h"
#include "rules/CurrentPet.h"
#include "ui/windows/MergePetPicker.h"
#include "ui/windows/Popups.h"

namespace popupstest {
namespace {

// The point a user clicks on slot s's head in the picker.
struct PickerPoint {
  int x, y;
};
PickerPoint HeadOf(int slot) {
  const Rect cell = MergePickerCellRect(slot);
  return {cell.x + 35, cell.y + 35};
}

constexpr int kPet = 4;        // 12|1100|1200|3000|1300|1150|1042|3|5|17|20
constexpr int kOther = 5;      // a second pet
constexpr int kCertified = 6;  // holds rz.txt
constexpr int kDamaged = 7;    // too few fields to be a pet
constexpr int kEmpty = 2;

class MergePetPickerTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Record(1, "3|1000|1000|1000|1000|1000|1000|1|5");
    Record(kPet, "12|1100|1200|3000|1300|1150|1042|3|5|17|20");
    Record(kOther, "7|1000|1300|2000|1000|1000|1100|2|5|9");
    Record(kCertified, "8|1000|1000|1000|1000|1000|1000|2|71|11");
    Certified(kCertified, 71);
    Record(kDamaged, "9|1000|1000");
    Start();
    ClickMain(kMergeTab);  // entering the merge tab empties both sides
    Run();
  }
  void OpenSide(int side) { ClickMain(side == 1 ? kMergeSide1 : kMergeSide2); }
  void Pick(int slot) { Click("mergepicker", HeadOf(slot).x, HeadOf(slot).y); }
  void Fill(int side, int slot) {
    OpenSide(side);
    Pick(slot);
  }
};

TEST_F(MergePetPickerTest, LeftClickFillsTheSideFromTheRecordAndShowsItsHead) {
  Fill(1, kPet);
  ExpectPopupsClosed();
  Shot("main", "main");
  Run();

  const MergeSide& side = app.mergeSide[1];
  EXPECT_EQ(side.species, 12);
  EXPECT_EQ(side.slot, kPet);
  EXPECT_EQ((std::vector<double>(side.aptitudes.begin() + 1, side.aptitudes.begin() + 7)),
            (std::vector<double>{1100, 1200, 3000, 1300, 1150, 1.042}));
  EXPECT_EQ(side.skills, (std::vector<int>{5, 17, 20}));
  EXPECT_EQ(app.mergeSide[2].species, 0);
  EXPECT_TRUE(Filled(Taken("main").get(), app.mergePetRects[1], HeadColour(12)));
}

TEST_F(MergePetPickerTest, RefusedPetsLeaveThePickerOpenAndTheSideUnchanged) {
  struct Case {
    int side;
    int slot;
    std::string message;
  };
  const Case cases[] = {
      {1, kPet, "不能重复选择"},  // already on side 2
      {1, kCertified, "请先取消认证"},
      {2, kCertified, "请先取消认证"},
      {1, kDamaged, std::string(kDamagedPetText)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message + " on side " + std::to_string(c.side));
    const std::size_t before = system.Messages().size();
    app.mergeSide[1] = MergeSide{};
    app.mergeSide[2] = MergeSide{};
    app.mergeSide[2].species = 12;
    app.mergeSide[2].slot = kPet;
    OpenSide(c.side);
    Pick(c.slot);
    Shot("mergepicker", "still-open");
    RightClick("mergepicker");
    Run();
    ASSERT_EQ(system.Messages().size(), before + 1);
    EXPECT_EQ(system.Messages().back().text, c.message);
    EXPECT_EQ(system.Messages().back().caption, "信息：");
    EXPECT_EQ(app.mergeSide[c.side].slot, c.side == 2 ? kPet : 0);
    EXPECT_EQ(app.mergeSide[1].species, 0);
  }
}

TEST_F(MergePetPickerTest, AfterARefusalAnotherPetCanBeChosen) {
  Fill(2, kPet);
  Fill(1, kPet);
  Pick(kOther);
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"不能重复选择"}));
  EXPECT_EQ(app.mergeSide[1].slot, kOther);
  EXPECT_EQ(app.mergeSide[1].species, 7);
  EXPECT_EQ(app.mergeSide[2].slot, kPet);
}

TEST_F(MergePetPickerTest, RefillingASideWithItsOwnPetIsAllowed) {
  Fill(2, kPet);
  Fill(2, kPet);
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
  EXPECT_EQ(app.mergeSide[2].slot, kPet);
  EXPECT_EQ(app.mergeSide[2].skills, (std::vector<int>{5, 17, 20}));
}

TEST_F(MergePetPickerTest, EmptyCellsAndTheBackgroundDoNothing) {
  OpenSide(1);
  Pick(kEmpty);
  Click("mergepicker", 10, 10);
  Click("mergepicker", MergePickerCellRect(kPet).x, HeadOf(kPet).y);  // the head's first column
  Shot("mergepicker", "still-open");
  RightClick("mergepicker");
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(app.mergeSide[1].slot, 0);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
}

TEST_F(MergePetPickerTest, RightClickClosesAndKeepsBothSides) {
  Fill(1, kPet);
  OpenSide(2);
  Post(InputKind::RightClick, "mergepicker", HeadOf(kOther).x, HeadOf(kOther).y);
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(app.mergeSide[1].slot, kPet);
  EXPECT_EQ(app.mergeSide[2].slot, 0);
  EXPECT_EQ(app.mergeSide[2].species, 0);
}

TEST_F(MergePetPickerTest, FrameKeepsItsPlaceBetweenOpeningsAndSkipsPetsOnASide) {
  const Rect frameOnOther{350, 17, 74, 74};
  OpenSide(1);
  Shot("mergepicker", "first-opening");  // nothing framed yet
  Move("mergepicker", HeadOf(kOther).x, HeadOf(kOther).y);
  Move("mergepicker", 10, 10);  // the background keeps the frame
  Shot("mergepicker", "framed");
  Pick(kPet);
  OpenSide(2);
  Shot("mergepicker", "second-opening");
  Move("mergepicker", HeadOf(kPet).x, HeadOf(kPet).y);  // on side 1: no frame
  RightClick("mergepicker");
  ExpectPopupsClosed();
  Run();

  EXPECT_EQ(app.mergePickerHighlightRect, frameOnOther);
  const auto first = Taken("first-opening"), framed = Taken("framed"), second = Taken("second-opening");
  EXPECT_FALSE(SameRegion(first.get(), framed.get(), frameOnOther));
  EXPECT_TRUE(SameRegion(framed.get(), second.get(), MakeRect(0, 0, kMergePickerWidth, kMergePickerHeight)));
}

TEST_F(MergePetPickerTest, WithoutASideToFillAClickChangesNothing) {
  app.mergePickSide = 0;
  Pick(kPet);
  Shot("mergepicker", "still-open");
  RightClick("mergepicker");
  ExpectPopupsClosed();
  OpenMergePetPicker(app);
  Run();
  EXPECT_EQ(app.mergeSide[1].slot, 0);
  EXPECT_EQ(app.mergeSide[2].slot, 0);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
}

}  // namespace
}  // namespace popupstest
