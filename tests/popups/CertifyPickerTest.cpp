#include "PopupsFixture.h"
#include "rules/CertifyPicker.h"

namespace popupstest {
namespace {

struct PickerPoint {
  int x, y;
};
PickerPoint CellOf(int candidate) {
  const Rect cell = CertifyCellRect(candidate);
  return {cell.x + 32, cell.y + 32};
}

class CertifyPickerTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Record(1, "3|1000|1000|1000|1000|1000|1013|3|5|73|71");
    Start();
    ClickMain(kBookTab);
  }
  void Pick(int candidate) { Click("certify", CellOf(candidate).x, CellOf(candidate).y); }
  std::vector<int> StoredSkills() const {
    const auto fields = Fields(1);
    std::vector<int> skills;
    for (std::size_t j = 8; j < fields.size(); ++j) skills.push_back(ParseRecordNumber(fields[j]));
    return skills;
  }
  static bool IsIcon(Pixel p) { return p.a == 255 && p.r == 5 && p.b == 200; }
};

TEST_F(CertifyPickerTest, OffersTheCertifiableSkillsInListOrderAndCertifiesThePick) {
  ClickMain(kCertifyButton);
  Shot("certify", "picker");
  Pick(2);
  ExpectPopupsClosed();
  Run();

  const auto picker = Taken("picker");
  EXPECT_TRUE(Filled(picker.get(), CertifyCellRect(1), IconColour(73)));
  EXPECT_TRUE(Filled(picker.get(), CertifyCellRect(2), IconColour(71)));
  EXPECT_FALSE(IsIcon(ReadPixel(picker.get(), CellOf(3).x, CellOf(3).y)));
  EXPECT_FALSE(IsIcon(ReadPixel(picker.get(), CellOf(5).x, CellOf(5).y)));

  ASSERT_EQ(app.currentSkills.size(), 4u);
  EXPECT_EQ((std::vector<int>(app.currentSkills.begin(), app.currentSkills.begin() + 3)),
            (std::vector<int>{71, 5, 73}));
  EXPECT_TRUE(app.currentSkills[3] == 11 || app.currentSkills[3] == 13) << app.currentSkills[3];
  EXPECT_EQ(StoredSkills(), app.currentSkills);
  EXPECT_EQ(Fields(1).at(6), "1013");
  EXPECT_EQ(ReadFile(MarkerPath(1)), "71");
  EXPECT_NE(app.certBadge.ImageHandle(), nullptr);
  EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
}

TEST_F(CertifyPickerTest, GapsBetweenIconsNeitherMoveTheFrameNorPick) {
  ClickMain(kCertifyButton);
  Move("certify", CellOf(2).x, CellOf(2).y);
  Move("certify", 95, CellOf(2).y);  // between the first two icons
  Click("certify", 95, CellOf(2).y);
  Click("certify", 26, CellOf(1).y);  // icon 1's first column
  Click("certify", CellOf(1).x, 91);  // just below icon 1
  Shot("certify", "still-open");
  RightClick("certify");
  ExpectPopupsClosed();
  Run();
  EXPECT_EQ(app.certifyHighlightRect, MakeRect(98, 25, 68, 68));
  EXPECT_FALSE(IsSlotCertified(1));
  EXPECT_EQ(app.currentSkills, (std::vector<int>{5, 73, 71}));
}

TEST_F(CertifyPickerTest, RightClickClosesWithoutCertifying) {
  ClickMain(kCertifyButton);
  Post(InputKind::RightClick, "certify", CellOf(1).x, CellOf(1).y);
  ExpectPopupsClosed();
  Run();
  EXPECT_FALSE(IsSlotCertified(1));
  EXPECT_EQ(app.currentSkills, (std::vector<int>{5, 73, 71}));
  EXPECT_EQ(StoredSkills(), (std::vector<int>{5, 73, 71}));
  EXPECT_EQ(app.certBadge.ImageHandle(), nullptr);
}

TEST_F(CertifyPickerTest, CancellingAsksFirstAndOkRemovesTheCertifiedSkill) {
  ClickMain(kCertifyButton);
  Pick(2);
  Run();
  const int bonus = app.currentSkills.back();

  Answer(false);
  ClickMain(kCertifyButton);
  Run();
  EXPECT_TRUE(IsSlotCertified(1));
  EXPECT_EQ(app.currentSkills, (std::vector<int>{71, 5, 73, bonus}));
  EXPECT_NE(app.certBadge.ImageHandle(), nullptr);

  Answer(true);
  ClickMain(kCertifyButton);
  ExpectPopupsClosed();
  Run();
  EXPECT_FALSE(IsSlotCertified(1));
  EXPECT_EQ(app.currentSkills, (std::vector<int>{5, 73, bonus}));
  EXPECT_EQ(StoredSkills(), (std::vector<int>{5, 73, bonus}));
  EXPECT_EQ(app.certBadge.ImageHandle(), nullptr);
  ASSERT_EQ(system.Messages().size(), 3u);
  EXPECT_EQ(system.Messages()[0].text, "确定取消认证吗？");
  EXPECT_EQ(system.Messages()[0].caption, "提示");
  EXPECT_EQ(system.Messages()[0].buttons, platform::MessageButtons::OkCancel);
  EXPECT_EQ(system.Messages()[2].text, "成功取消认证");
}

TEST_F(CertifyPickerTest, APetWithoutAttackSpellsGetsTheLongMessageAndNoPicker) {
  Record(1, "3|1000|1000|1000|1000|1000|1013|2|5|9");
  app.currentSkills = {5, 9};
  ClickMain(kCertifyButton);
  ExpectPopupsClosed();
  Run();
  ASSERT_EQ(system.Messages().size(), 1u);
  EXPECT_EQ(system.Messages()[0].caption, "提示");
  EXPECT_EQ(system.Messages()[0].text.substr(0, std::string("必须拥有").size()), "必须拥有");
  EXPECT_EQ(app.certifyBackgroundImage.ImageHandle(), nullptr);  // the picker was never created
}

TEST_F(CertifyPickerTest, EightCandidatesFillBothRows) {
  Record(1, "3|1000|1000|1000|1000|1000|1013|8|78|77|76|75|74|73|72|71");
  app.currentSkills = {78, 77, 76, 75, 74, 73, 72, 71};
  ClickMain(kCertifyButton);
  Shot("certify", "eight");
  Pick(8);
  Run();
  const auto picker = Taken("eight");
  for (int i = 1; i <= 8; ++i) EXPECT_TRUE(Filled(picker.get(), CertifyCellRect(i), IconColour(79 - i))) << i;
  EXPECT_EQ(ReadFile(MarkerPath(1)), "71");
  EXPECT_EQ(app.currentSkills.front(), 71);
}

}  // namespace
}  // namespace popupstest
