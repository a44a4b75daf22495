#include "PopupsFixture.h"
#include "ui/windows/PetDetailView.h"
#include "ui/windows/Popups.h"

namespace popupstest {
namespace {

constexpr int kSlot = 3;
constexpr Rect kClose{789, 0, 50, 50};

class PetDetailViewTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Record(1, "3|1000|1000|1000|1000|1000|1000|1|5");
    Start();
    app.mergeSide[1].slot = kSlot;
  }
  // Opens the view on the record of kSlot; the queued inputs are its events.
  void Show(const std::string& record) {
    Record(kSlot, record);
    OpenPetDetailView(app);
    Run();
  }
  void Close() { Click("detail", 814, 25); }
  static bool IsIcon(Pixel p) { return p.a == 255 && p.r == 5 && p.b == 200; }
};

TEST_F(PetDetailViewTest, ExampleChildIsDrawnAtTheStatedPlaces) {
  Shot("detail", "view");
  Close();
  ExpectPopupsClosed();
  Show("12|1100|1200|3000|1300|1150|1125|3|5|17|20");

  const auto view = Taken("view");
  EXPECT_TRUE(Filled(view.get(), MakeRect(73, 148, 234, 242), PetColour(12)));
  struct Value {
    int x, y;
    const char* text;
  };
  const Value values[] = {{493, 90, "1100"},  {708, 90, "1200"},  {493, 129, "3000"},
                          {708, 129, "1300"}, {493, 168, "1150"}, {708, 168, "1125"}};
  for (const Value& v : values) EXPECT_EQ(NumberAt(view.get(), v.x, v.y), v.text) << v.x << "," << v.y;
  EXPECT_TRUE(Filled(view.get(), MakeRect(403, 269, 70, 70), IconColour(5)));
  EXPECT_TRUE(Filled(view.get(), MakeRect(501, 269, 70, 70), IconColour(17)));
  EXPECT_TRUE(Filled(view.get(), MakeRect(599, 269, 70, 70), IconColour(20)));
  EXPECT_FALSE(IsIcon(ReadPixel(view.get(), 697 + 35, 269 + 35)));  // the fourth frame stays empty
  EXPECT_FALSE(IsIcon(ReadPixel(view.get(), 403 + 35, 352 + 35)));
}

TEST_F(PetDetailViewTest, TwelveSkillsFillAllTwelveFramesAndMoreShowTheFirstFifteen) {
  std::string twelve = "12|1|1|1|1|1|1000|12";
  for (int skill = 21; skill <= 32; ++skill) twelve += "|" + std::to_string(skill);
  Shot("detail", "twelve");
  Close();
  Show(twelve);
  const auto view = Taken("twelve");
  for (int j = 1; j <= 12; ++j) EXPECT_TRUE(Filled(view.get(), DetailSkillPlace(j), IconColour(20 + j))) << j;

  std::string sixteen = "12|1|1|1|1|1|1000|16";
  for (int skill = 41; skill <= 56; ++skill) sixteen += "|" + std::to_string(skill);
  Shot("detail", "sixteen");
  Close();
  Show(sixteen);
  // Skills 13..15 sit on a fourth row cut by the window's bottom edge; the 16th is not drawn.
  const auto cut = Taken("sixteen");
  EXPECT_EQ(ReadPixel(cut.get(), 403 + 35, 530), IconColour(53));
  EXPECT_EQ(ReadPixel(cut.get(), 599 + 35, 530), IconColour(55));
  EXPECT_FALSE(IsIcon(ReadPixel(cut.get(), 697 + 35, 530)));
}

TEST_F(PetDetailViewTest, CloseButtonShrinksWhilePressedAndTheReleaseCloses) {
  Shot("detail", "rest");
  Post(InputKind::Press, "detail", 814, 25);
  Shot("detail", "pressed");
  Post(InputKind::Release, "detail", 814, 25);
  ExpectPopupsClosed();
  Show("12|1100|1200|3000|1300|1150|1125|3|5|17|20");

  const auto rest = Taken("rest"), pressed = Taken("pressed");
  EXPECT_FALSE(SameRegion(rest.get(), pressed.get(), kClose));
  // Only the button changes.
  EXPECT_TRUE(SameRegion(rest.get(), pressed.get(), MakeRect(0, 0, kClose.x, kDetailHeight)));
  EXPECT_TRUE(SameRegion(rest.get(), pressed.get(), MakeRect(0, kClose.height, kDetailWidth, kDetailHeight)));
}

TEST_F(PetDetailViewTest, ClicksOutsideTheCloseButtonKeepTheViewOpen) {
  Click("detail", 788, 25);
  Click("detail", 814, 50);
  Click("detail", 420, 300);
  Shot("detail", "still-open");
  Close();
  ExpectPopupsClosed();
  Show("12|1100|1200|3000|1300|1150|1125|3|5|17|20");
}

TEST_F(PetDetailViewTest, EachOpeningReadsTheRecordAgain) {
  Shot("detail", "first");
  Close();
  Show("12|1100|1200|3000|1300|1150|1125|3|5|17|20");
  Shot("detail", "second");
  Close();
  Show("7|900|901|902|903|904|1010|1|9");
  const auto second = Taken("second");
  EXPECT_EQ(NumberAt(second.get(), 493, 90), "900");
  EXPECT_EQ(NumberAt(second.get(), 708, 168), "1010");
  EXPECT_TRUE(Filled(second.get(), MakeRect(73, 148, 234, 242), PetColour(7)));
  EXPECT_TRUE(Filled(second.get(), DetailSkillPlace(1), IconColour(9)));
  EXPECT_FALSE(IsIcon(ReadPixel(second.get(), 501 + 35, 269 + 35)));
}

TEST_F(PetDetailViewTest, ARecordWithoutSkillsOrValuesShowsWhatItHasWithoutFailing) {
  Shot("detail", "short");
  Close();
  Show("12|1100");
  const auto view = Taken("short");
  EXPECT_EQ(NumberAt(view.get(), 493, 90), "1100");
  EXPECT_EQ(NumberAt(view.get(), 708, 90), "");
  EXPECT_FALSE(IsIcon(ReadPixel(view.get(), 403 + 35, 269 + 35)));
}

}  // namespace
}  // namespace popupstest
