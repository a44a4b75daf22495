#include "PopupsFixture.h"
#include "ui/windows/BookSkillPicker.h"

namespace popupstest {
namespace {

struct PickerPoint {
  int x, y;
};
PickerPoint IconOf(int skill) {
  const Rect cell = BookPickerCellRect(skill);
  return {cell.x + 30, cell.y + 30};
}
constexpr Rect kBookSlotIcon{485, 141, 66, 66};

class BookSkillPickerTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Record(1, "3|1000|1100|1200|1300|1400|1013|2|5|9");
    Start();
    ClickMain(kBookTab);
  }
  void Pick(int skill) { Click("bookpicker", IconOf(skill).x, IconOf(skill).y); }
  void Choose(int skill) {
    ClickMain(kBookSlot);
    Pick(skill);
  }
};

TEST_F(BookSkillPickerTest, SeventhColumnOfTheFifthRowIsSkill47AndFillsTheBookSlot) {
  EXPECT_EQ(IconOf(47).x, 64 * 6 + 52);
  EXPECT_EQ(IconOf(47).y, 64 * 4 + 52);
  ClickMain(kBookSlot);
  Shot("bookpicker", "picker");
  Pick(47);
  ExpectPopupsClosed();
  Shot("main", "main");
  Run();

  EXPECT_EQ(app.bookSkill, 47);
  EXPECT_TRUE(Filled(Taken("main").get(), kBookSlotIcon, IconColour(47)));
  const auto picker = Taken("picker");
  // The 74x74 opening frame reaches over skills 1, 2 and 11; the others fill their cells.
  for (int skill : {3, 13, 47, 66, 79})
    EXPECT_TRUE(Filled(picker.get(), BookPickerCellRect(skill), IconColour(skill))) << skill;
}

TEST_F(BookSkillPickerTest, SpecialSkillsAreRefusedAndTheirNeighboursAccepted) {
  for (int skill : {66, 67, 68, 69, 70, 79}) {
    ClickMain(kBookSlot);
    Pick(skill);
    Shot("bookpicker", "still-open");
    RightClick("bookpicker");
    Run();
    EXPECT_EQ(system.Messages().back().text, "特殊技能不能选取") << skill;
    EXPECT_EQ(app.bookSkill, 0) << skill;
  }
  EXPECT_EQ(system.Messages().size(), 6u);
  for (int skill : {65, 71}) {
    Choose(skill);
    ExpectPopupsClosed();
    Run();
    EXPECT_EQ(app.bookSkill, skill);
  }
  EXPECT_EQ(system.Messages().size(), 6u);
}

TEST_F(BookSkillPickerTest, TheTenthCellOfTheLastRowAndTheGapsAreNoSkill) {
  ClickMain(kBookSlot);
  Click("bookpicker", 64 * 9 + 52, 64 * 7 + 52);  // where skill 80 would be
  Click("bookpicker", 84, 52);                    // between skills 1 and 2
  Click("bookpicker", IconOf(2).x, 22);           // skill 2's first row
  Shot("bookpicker", "still-open");
  RightClick("bookpicker");
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(app.bookSkill, 0);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
}

TEST_F(BookSkillPickerTest, FrameSkipsSpecialSkillsAndIsResetAtEveryOpening) {
  ClickMain(kBookSlot);
  Move("bookpicker", IconOf(65).x, IconOf(65).y);
  Move("bookpicker", IconOf(66).x, IconOf(66).y);
  Move("bookpicker", 5, 5);
  RightClick("bookpicker");
  Run();
  EXPECT_EQ(app.bookPickerHighlightRect, MakeRect(64 * 4 + 20, 64 * 6 + 20, 64, 64));

  ClickMain(kBookSlot);
  RightClick("bookpicker");
  Run();
  EXPECT_EQ(app.bookPickerHighlightRect, MakeRect(22, 22, 74, 74));
}

TEST_F(BookSkillPickerTest, RightClickKeepsTheBookThatWasThere) {
  Choose(47);
  ClickMain(kBookSlot);
  Post(InputKind::RightClick, "bookpicker", IconOf(12).x, IconOf(12).y);
  ExpectPopupsClosed();
  Shot("main", "main");
  Run();
  EXPECT_EQ(app.bookSkill, 47);
  EXPECT_TRUE(Filled(Taken("main").get(), kBookSlotIcon, IconColour(47)));
}

TEST_F(BookSkillPickerTest, OpensCentredOnTheMainWindow) {
  ClickMain(kBookSlot);
  RightClick("bookpicker");  // at the picker's pixel (5, 5)
  Run();
  EXPECT_EQ(system.CursorPosition().x - 5, 50 + (920 - kBookPickerWidth) / 2);
  EXPECT_EQ(system.CursorPosition().y - 5, 50 + (620 - kBookPickerHeight) / 2);
}

TEST_F(BookSkillPickerTest, LearningUsesTheBookUpAndASecondLearnAsksForANewOne) {
  Choose(47);
  ClickMain(kLearnButton);
  Shot("main", "learned");
  ClickMain(kLearnButton);
  Run();

  ASSERT_EQ(app.currentSkills.size(), 2u);
  EXPECT_TRUE(app.currentSkills == (std::vector<int>{47, 9}) || app.currentSkills == (std::vector<int>{5, 47}));
  const auto fields = Fields(1);
  EXPECT_EQ((std::vector<std::string>(fields.begin(), fields.begin() + 8)),
            (std::vector<std::string>{"3", "1000", "1100", "1200", "1300", "1400", "1013", "2"}));
  EXPECT_EQ(app.bookSkill, 0);
  EXPECT_EQ(app.learnButtonRect, MakeRect(735, 145, 99, 53));
  EXPECT_EQ(app.bookIcon.ImageHandle(), nullptr);
  EXPECT_FALSE(Filled(Taken("learned").get(), kBookSlotIcon, IconColour(47)));
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"请放入兽决"}));
}

TEST_F(BookSkillPickerTest, ABookThePetAlreadyHasStaysInTheSlot) {
  Choose(9);
  ClickMain(kLearnButton);
  Shot("main", "refused");
  Run();
  EXPECT_EQ(MessageTexts(), (std::vector<std::string>{"技能重复"}));
  EXPECT_EQ(app.bookSkill, 9);
  EXPECT_EQ(app.currentSkills, (std::vector<int>{5, 9}));
  EXPECT_TRUE(Filled(Taken("refused").get(), kBookSlotIcon, IconColour(9)));
}

}  // namespace
}  // namespace popupstest
