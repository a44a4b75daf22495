#include "PopupsFixture.h"
#include "ui/windows/MergePetPicker.h"
#include "ui/windows/PetDetailView.h"

namespace popupstest {
namespace {

constexpr int kSide1 = 4;
constexpr int kSide2 = 5;
constexpr MainPoint kDetailClose{814, 25};

class MergeRoadTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Record(1, "3|1000|1000|1000|1000|1000|1000|1|5");
    Certified(1, 5);  // the current pet before the merge is certified
    Record(kSide1, "12|1100|1200|3000|1300|1150|1042|3|5|17|20");
    Record(kSide2, "7|1000|1300|2000|1000|1000|1100|2|5|9");
    Start();
    ClickMain(kMergeTab);
    Fill(1, kSide1);
    Fill(2, kSide2);
    Run();
  }
  void Fill(int side, int slot) {
    ClickMain(side == 1 ? kMergeSide1 : kMergeSide2);
    const Rect cell = MergePickerCellRect(slot);
    Click("mergepicker", cell.x + 35, cell.y + 35);
  }
  // The merge button, then a picture of the detail view and its close button.
  void Merge(const std::string& shotName) {
    ClickMain(kMergeButton);
    Shot("detail", shotName);
    Click("detail", kDetailClose.x, kDetailClose.y);
  }
};

TEST_F(MergeRoadTest, ChildReplacesSide1AndIsShownInTheDetailView) {
  Merge("child");
  ExpectPopupsClosed();
  Run();

  EXPECT_FALSE(IsSlotOccupied(kSide2));
  const auto child = Fields(kSide1);
  ASSERT_GE(child.size(), 9u);
  const int species = ParseRecordNumber(child[0]);
  EXPECT_TRUE(species == 12 || species == 7) << species;
  EXPECT_EQ(app.currentSlot, kSide1);
  EXPECT_EQ(app.currentSpecies, species);
  EXPECT_EQ(app.rosterFollowsCurrent, 1);
  // The sides are empty again but remember their slots; the heads and the badge are gone.
  for (int side : {1, 2}) {
    EXPECT_EQ(app.mergeSide[side].species, 0);
    EXPECT_TRUE(app.mergeSide[side].skills.empty());
    EXPECT_EQ(app.mergeHeads[side].ImageHandle(), nullptr);
  }
  EXPECT_EQ(app.mergeSide[1].slot, kSide1);
  EXPECT_EQ(app.mergeSide[2].slot, kSide2);
  EXPECT_EQ(app.certBadge.ImageHandle(), nullptr);

  const auto view = Taken("child");
  EXPECT_TRUE(Filled(view.get(), MakeRect(73, 148, 234, 242), PetColour(species)));
  for (int value = 1; value <= 6; ++value) {
    const Rect place = DetailValuePlace(value);
    EXPECT_EQ(NumberAt(view.get(), place.x, place.y), child[static_cast<std::size_t>(value)]) << value;
  }
  for (std::size_t j = 8; j < child.size(); ++j)
    EXPECT_TRUE(Filled(view.get(), DetailSkillPlace(static_cast<int>(j) - 7), IconColour(ParseRecordNumber(child[j]))));
}

TEST_F(MergeRoadTest, SecondMergeWithoutRefillingAsksForPets) {
  Merge("child");
  ClickMain(kMergeButton);
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"请添加宠物"}));
  EXPECT_TRUE(IsSlotOccupied(kSide1));
  EXPECT_EQ(app.currentSlot, kSide1);
}

TEST_F(MergeRoadTest, TheChildStaysOnSide1UntilTheTabIsEnteredAgain) {
  Merge("child");
  Fill(2, kSide1);
  RightClick("mergepicker");
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"不能重复选择"}));
}

TEST_F(MergeRoadTest, SecondViewShowsTheSecondChild) {
  Record(6, "20|900|900|900|900|900|1000|1|30");
  Merge("first");
  Fill(1, kSide1);
  Fill(2, 6);
  // Side 2 is slot 6 now; the merge tab was not entered again, so the child keeps slot 4.
  Merge("second");
  ExpectPopupsClosed();
  Run();
  const auto second = Fields(kSide1);
  ASSERT_GE(second.size(), 9u);
  EXPECT_FALSE(IsSlotOccupied(6));
  const auto view = Taken("second");
  for (int value = 1; value <= 6; ++value) {
    const Rect place = DetailValuePlace(value);
    EXPECT_EQ(NumberAt(view.get(), place.x, place.y), second[static_cast<std::size_t>(value)]) << value;
  }
}

TEST_F(MergeRoadTest, AFailedWriteOfTheChildKeepsBothPetsAndOpensNoView) {
  ClickMain(kMergeButton);
  {
    FileSizeLimit tiny(1);  // every record write fails
    Run();
  }
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"数据保存失败！"}));
  EXPECT_EQ(Fields(kSide1).at(0), "12");
  EXPECT_EQ(Fields(kSide2).at(0), "7");
  EXPECT_EQ(app.currentSlot, 1);
  EXPECT_EQ(app.mergeSide[1].species, 12);
  EXPECT_EQ(app.mergeSide[2].species, 7);
  EXPECT_NE(app.mergeHeads[1].ImageHandle(), nullptr);
  EXPECT_NE(app.certBadge.ImageHandle(), nullptr);
  EXPECT_EQ(app.detailBackgroundImage.ImageHandle(), nullptr);  // the view was never created
}

}  // namespace
}  // namespace popupstest
