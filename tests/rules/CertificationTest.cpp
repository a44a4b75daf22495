#include "rules/Certification.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "core/FileFaults.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"
#include "rules/RulesFixture.h"

using Box = RecordingMessages::Box;

TEST(Certification, CandidatesInListOrder) {
  EXPECT_EQ(FindCertifyCandidates({5, 73, 71}), (std::vector<std::string>{"73", "71"}));
  EXPECT_TRUE(FindCertifyCandidates({5, 11, 79, 70}).empty());
  EXPECT_EQ(FindCertifyCandidates({78, 71, 72}), (std::vector<std::string>{"78", "71", "72"}));
}

TEST(Certification, BonusIsElevenOrThirteen) {
  RandomGenerator random;
  random.Seed(1);
  EXPECT_EQ(DrawCertificationBonus(random), 13);  // 1 + 41 % 100 = 42
  std::map<int, int> seen;
  for (int i = 0; i < 4000; ++i) ++seen[DrawCertificationBonus(random)];
  EXPECT_EQ(seen.size(), 2u);
  EXPECT_GT(seen[11], 1700);
  EXPECT_GT(seen[13], 1700);
}

TEST(CertifyPickerGeometry, CellsAndStrictHits) {
  EXPECT_EQ(CertifyCellRect(1), MakeRect(26, 27, 64, 64));
  EXPECT_EQ(CertifyCellRect(4), MakeRect(248, 27, 64, 64));
  EXPECT_EQ(CertifyCellRect(5), MakeRect(26, 101, 64, 64));
  EXPECT_EQ(CertifyHighlightRect(1), MakeRect(24, 25, 68, 68));
  EXPECT_EQ(CertifyHighlightRect(8), MakeRect(246, 99, 68, 68));
  struct Case {
    int x, y, count, cell;
  };
  for (const Case c :
       {Case{27, 28, 2, 1}, Case{95, 50, 8, 0}, Case{26, 50, 8, 0}, Case{90, 50, 8, 0}, Case{89, 90, 8, 1},
        Case{101, 50, 2, 2}, Case{175, 50, 2, 0}, Case{30, 120, 8, 5}, Case{30, 120, 4, 0}, Case{300, 150, 8, 8}}) {
    EXPECT_EQ(CertifyCellAt(c.x, c.y, c.count), c.cell) << c.x << "," << c.y;
  }
}

// Records the window steps certification asks for: the picker opened, the look shown.
class RecordingCertificationWindows final : public OperationWindows {
public:
  void RedrawMainWindow() override {}
  void ShowCertificationLook(bool certified) override { shown.push_back(certified); }
  void OpenCertifyPicker() override { ++pickerOpened; }
  void OpenPetDetailView() override {}
  void ReloadRosterPanel() override {}
  void PlaceRosterPanel() override {}
  int pickerOpened = 0;
  std::vector<bool> shown;
};

class CertificationTest : public RulesTest {
protected:
  void SetUp() override {
    RulesTest::SetUp();
    state.windows = &windows;
  }
  RecordingCertificationWindows windows;
  int& pickerOpened = windows.pickerOpened;
  std::vector<bool>& shown = windows.shown;
};

TEST_F(CertificationTest, CertifyingMovesTheSpellFirstAndAddsABonus) {
  MakeCurrent(3, "9|960|768|3240|1344|768|1042|3|5|73|71");
  ToggleCertification(state);
  EXPECT_EQ(pickerOpened, 1);
  EXPECT_EQ(state.certifyCandidates, (std::vector<std::string>{"73", "71"}));
  state.certifyChoice = 71;
  CertifySkill(state);
  ASSERT_EQ(state.currentSkills.size(), 4u);
  EXPECT_EQ(std::vector<int>(state.currentSkills.begin(), state.currentSkills.begin() + 3),
            (std::vector<int>{71, 5, 73}));
  EXPECT_TRUE(state.currentSkills[3] == 11 || state.currentSkills[3] == 13);
  EXPECT_EQ(ReadFile(MarkerPath(3)), "71");
  EXPECT_EQ(ReadFile(RecordPath(3)),
            "9|960|768|3240|1344|768|1042|4|71|5|73|" + std::to_string(state.currentSkills[3]));
  EXPECT_EQ(shown, (std::vector<bool>{true}));
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(CertificationTest, BonusIsAddedEvenWhenAlreadyKnown) {
  RandomGenerator probe;
  probe.Seed(1);
  ASSERT_EQ(DrawCertificationBonus(probe), 13);
  MakeCurrent(3, "9|1|2|3|4|5|1042|2|13|72");
  state.random.Seed(1);
  state.certifyChoice = 72;
  CertifySkill(state);
  EXPECT_EQ(state.currentSkills, (std::vector<int>{72, 13, 13}));
}

TEST_F(CertificationTest, NoCertifiableSpellGivesTheLongHint) {
  MakeCurrent(3, "9|1|2|3|4|5|1042|2|5|11");
  ToggleCertification(state);
  EXPECT_EQ(pickerOpened, 0);
  EXPECT_EQ(messages.boxes, (std::vector<Box>{{std::string(kNoCertifiableSkillText), "提示", false}}));
  EXPECT_FALSE(IsSlotCertified(3));
}

TEST_F(CertificationTest, ChoiceNotInTheListChangesNothing) {
  const std::string record = "9|1|2|3|4|5|1042|2|5|71";
  MakeCurrent(3, record);
  state.certifyChoice = 73;
  CertifySkill(state);
  EXPECT_EQ(state.currentSkills, (std::vector<int>{5, 71}));
  EXPECT_EQ(ReadFile(RecordPath(3)), record);
  EXPECT_FALSE(IsSlotCertified(3));
}

TEST_F(CertificationTest, CancellingRemovesTheFirstSkillAfterAsking) {
  MakeCurrent(3, "9|1|2|3|4|5|1042|4|71|5|73|13");
  WriteFile(MarkerPath(3), "71");
  ToggleCertification(state);
  EXPECT_EQ(messages.boxes, (std::vector<Box>{{"确定取消认证吗？", "提示", true}, {"成功取消认证", "信息：", false}}));
  EXPECT_EQ(state.currentSkills, (std::vector<int>{5, 73, 13}));
  EXPECT_EQ(ReadFile(RecordPath(3)), "9|1|2|3|4|5|1042|3|5|73|13");
  EXPECT_FALSE(Exists(MarkerPath(3)));
  EXPECT_EQ(shown, (std::vector<bool>{false}));
  EXPECT_EQ(pickerOpened, 0);
}

TEST_F(CertificationTest, CancelFailuresAndRefusal) {
  const std::string record = "9|1|2|3|4|5|1042|3|71|5|13";
  {
    SCOPED_TRACE("the user says Cancel");
    MakeCurrent(3, record);
    WriteFile(MarkerPath(3), "71");
    messages.answer = false;
    ToggleCertification(state);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"确定取消认证吗？"}));
    EXPECT_TRUE(IsSlotCertified(3));
    EXPECT_EQ(state.currentSkills, (std::vector<int>{71, 5, 13}));
    EXPECT_TRUE(shown.empty());
  }
  {
    SCOPED_TRACE("the marker cannot be deleted");
    messages = RecordingMessages{};
    MakeCurrent(4, record);
    std::filesystem::create_directories(PathFromUtf8(MarkerPath(4) + "/inner"));
    ToggleCertification(state);
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"确定取消认证吗？", "取消认证失败"}));
    EXPECT_EQ(state.currentSkills, (std::vector<int>{71, 5, 13}));
    EXPECT_EQ(ReadFile(RecordPath(4)), record);
    EXPECT_TRUE(shown.empty());
  }
  {
    SCOPED_TRACE("the record cannot be rewritten");
    messages = RecordingMessages{};
    MakeCurrent(5, record);
    WriteFile(MarkerPath(5), "71");
    {
      FileSizeLimit limit(0);
      ToggleCertification(state);
    }
    // All or nothing: the marker stays with the record it belongs to.
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"确定取消认证吗？", "数据保存失败"}));
    EXPECT_TRUE(IsSlotCertified(5));
    EXPECT_EQ(ReadFile(RecordPath(5)), record);
    EXPECT_EQ(state.currentSkills, (std::vector<int>{71, 5, 13}));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(FolderEntries(5), (std::vector<std::string>{"Data.txt", "rz.txt"}));
  }
}

TEST_F(CertificationTest, CertifyWriteFailures) {
  const std::string record = "9|1|2|3|4|5|1042|2|5|71";
  {
    SCOPED_TRACE("neither file can be written");
    MakeCurrent(3, record);
    state.certifyChoice = 71;
    {
      FileSizeLimit limit(0);
      CertifySkill(state);
    }
    // The new record is prepared first, so its failure is the one reported.
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"未知错误101！"}));
    EXPECT_EQ(ReadFile(RecordPath(3)), record);
    EXPECT_FALSE(Exists(MarkerPath(3)));
    EXPECT_EQ(state.currentSkills, (std::vector<int>{5, 71}));  // memory follows the disk
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(FolderEntries(3), (std::vector<std::string>{"Data.txt"}));
  }
  {
    SCOPED_TRACE("only the record fails");
    messages = RecordingMessages{};
    MakeCurrent(4, record);
    state.certifyChoice = 71;
    {
      // The new record is put beside the old one, the marker written, then the record
      // renamed into place: the third rename fails.
      ScopedFileFaults faults(FailOnceOf(FileOperation::Rename, 2));
      CertifySkill(state);
    }
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"未知错误101！"}));
    EXPECT_FALSE(Exists(MarkerPath(4)));  // the marker written for it is taken back
    EXPECT_EQ(ReadFile(RecordPath(4)), record);
    EXPECT_EQ(state.currentSkills, (std::vector<int>{5, 71}));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(FolderEntries(4), (std::vector<std::string>{"Data.txt"}));
  }
}

// A slot folder that takes no new file (here: every file creation refused, as in a read-only
// folder) cannot get or lose its marker: the marker's message, and nothing changes.
TEST_F(CertificationTest, FolderTakingNoNewFileReportsTheMarker) {
  const std::string plain = "9|1|2|3|4|5|1042|2|5|71";
  MakeCurrent(3, plain);
  state.certifyChoice = 71;
  {
    ScopedFileFaults readOnly(FailOnceOf(FileOperation::Create, 0, EACCES));
    CertifySkill(state);
  }
  const std::string certified = "9|1|2|3|4|5|1042|3|71|5|13";
  MakeCurrent(4, certified);
  WriteFile(MarkerPath(4), "71");
  {
    ScopedFileFaults readOnly(FailOnceOf(FileOperation::Create, 0, EACCES));
    ToggleCertification(state);
  }
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"未知错误102！", "确定取消认证吗？", "取消认证失败"}));
  EXPECT_EQ(ReadFile(RecordPath(3)), plain);
  EXPECT_FALSE(Exists(MarkerPath(3)));
  EXPECT_EQ(ReadFile(RecordPath(4)), certified);
  EXPECT_TRUE(IsSlotCertified(4));
  EXPECT_TRUE(shown.empty());
}

// After "未知错误102！" nothing was written, so trying again certifies once, with one bonus.
TEST_F(CertificationTest, RetryAfterAFailedMarkerAddsOneBonus) {
  const std::string record = "9|1|2|3|4|5|1042|3|5|71|20";
  MakeCurrent(3, record);
  state.certifyChoice = 71;
  for (int attempt = 0; attempt < 3; ++attempt) {
    // The marker's temporary file is the second file created (after the new record's).
    ScopedFileFaults faults(FailOnceOf(FileOperation::Create, 1));
    CertifySkill(state);
  }
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>(3, "未知错误102！")));
  EXPECT_EQ(ReadFile(RecordPath(3)), record);
  EXPECT_FALSE(Exists(MarkerPath(3)));
  EXPECT_EQ(state.currentSkills, (std::vector<int>{5, 71, 20}));
  messages.boxes.clear();
  CertifySkill(state);
  EXPECT_TRUE(messages.boxes.empty());
  const auto skills = SkillsOf(ReadRecordFields(3));
  ASSERT_EQ(skills.size(), 4u);
  EXPECT_EQ((std::vector<int>(skills.begin(), skills.begin() + 3)), (std::vector<int>{71, 5, 20}));
  EXPECT_EQ(ReadFile(MarkerPath(3)), "71");
  EXPECT_EQ(state.currentSkills, skills);
  EXPECT_EQ(shown, (std::vector<bool>{true}));
}

TEST_F(CertificationTest, RefusesWithoutAUsablePet) {
  state.currentSlot = 0;
  ToggleCertification(state);
  MakeCurrent(2, "9|1|2|3|4|5|1042|2|5|71");
  WriteFile(RecordPath(2), "9|1");
  ToggleCertification(state);
  state.certifyChoice = 71;
  CertifySkill(state);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{std::string(kNoCurrentPetText), std::string(kDamagedPetText),
                                                        std::string(kDamagedPetText)}));
  EXPECT_EQ(pickerOpened, 0);
  EXPECT_FALSE(IsSlotCertified(2));
  EXPECT_EQ(ReadFile(RecordPath(2)), "9|1");
}
