// The first pet created in an empty roster becomes the current pet; later ones do not.
#include "PopupsFixture.h"
#include "rules/CurrentPet.h"
#include "ui/windows/SpeciesPicker.h"

namespace popupstest {
namespace {

class FirstPetTest : public PopupsTest {
protected:
  // A press, a small move and a release on the empty cell of `slot` (strip at the top).
  void OpenPickerOn(int slot) {
    const int k = slot - 1;
    const int x = 84 * (k % 5) + 36, y = 83 * (k / 5) + 20;
    Post(InputKind::Press, "roster", x, y);
    Move("roster", x + 2, y + 1);
    Post(InputKind::Release, "roster", x + 2, y + 1);
  }
  void PickSpecies(int species) {
    const Rect head = SpeciesPickerCellRect(species);
    Click("species", head.x + 33, head.y + 33);
  }
  void ClickWash() { Click("main", 800, 550); }
};

TEST_F(FirstPetTest, FirstPetOfAnEmptyRosterBecomesCurrentAndCanBeWashed) {
  Start();
  ASSERT_EQ(app.currentSlot, 0);
  // Cancelled: still no pet, still none current.
  OpenPickerOn(4);
  RightClick("species");
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(app.currentSlot, 0);

  OpenPickerOn(4);
  PickSpecies(10);
  ExpectPopupsClosed();
  Shot("main", "created");
  Run();
  ASSERT_TRUE(IsSlotOccupied(4));
  EXPECT_EQ(app.currentSlot, 4);
  EXPECT_EQ(app.currentSpecies, 10);
  EXPECT_EQ(app.currentSkills.size(), Fields(4).size() - 8);
  EXPECT_EQ(ReadPixel(Taken("created").get(), 245, 240), PetColour(10));  // its picture is shown
  EXPECT_EQ(app.rosterHighlightRect.width, 74);                           // and framed in the roster

  // The wash works on it: no "当前没有宠物", the record is rolled anew.
  const std::string created = ReadFile(RecordPath(4));
  ClickWash();
  Run();
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
  EXPECT_NE(ReadFile(RecordPath(4)), created);
  EXPECT_EQ(Fields(4).at(0), "10");

  // A second pet joins the roster; the current pet stays.
  OpenPickerOn(2);
  PickSpecies(20);
  ExpectPopupsClosed();
  Run();
  ASSERT_TRUE(IsSlotOccupied(2));
  EXPECT_EQ(app.currentSlot, 4);
  EXPECT_EQ(app.currentSpecies, 10);
}

// After the last pet was released there is no current pet again: the next one created is it.
TEST_F(FirstPetTest, PetCreatedAfterTheLastReleaseBecomesCurrent) {
  Record(6, "20|1000|1000|1000|1000|1000|1000|1|5");
  Start();
  Click("main", 550, 550);  // release
  Run();
  ASSERT_EQ(app.currentSlot, 0);
  OpenPickerOn(9);
  PickSpecies(3);
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(app.currentSlot, 9);
  EXPECT_EQ(app.currentSpecies, 3);
}

}  // namespace
}  // namespace popupstest
