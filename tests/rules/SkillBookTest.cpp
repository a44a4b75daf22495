#include "rules/SkillBook.h"

#include <gtest/gtest.h>

#include <set>

#include "core/RosterStore.h"
#include "rules/CurrentPet.h"
#include "rules/RulesFixture.h"

TEST(PickBookSlot, NeverPicksTheCertifiedSkill) {
  struct Case {
    int n;
    bool certified;
    std::set<int> possible;
  };
  const std::vector<Case> cases = {
      {0, false, {0}},          {0, true, {0}},
      {1, true, {0}},           {1, false, {1}},
      {2, true, {2}},           {3, true, {2, 3}},
      {4, false, {1, 2, 3, 4}}, {15, true, {2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
  };
  RandomGenerator random;
  random.Seed(3);
  for (const auto& c : cases) {
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) seen.insert(PickBookSlot(random, c.n, c.certified));
    EXPECT_EQ(seen, c.possible) << c.n << (c.certified ? " certified" : "");
  }
}

using SkillBook = RulesTest;

TEST_F(SkillBook, ReplacesTheOnlySkillAndCopiesTheStoredFields) {
  MakeCurrent(3, "12|1300.5| 950|3000|1700|1000|1085|1|19");
  state.bookSkill = 42;
  EXPECT_EQ(OnLearnClicked(state), LearnOutcome::Learned);
  EXPECT_EQ(state.currentSkills, (std::vector<int>{42}));
  EXPECT_EQ(ReadFile(RecordPath(3)), "12|1300.5| 950|3000|1700|1000|1085|1|42");
  EXPECT_EQ(state.bookSkill, 0);
  EXPECT_TRUE(messages.boxes.empty());
  // The book was used up.
  EXPECT_EQ(OnLearnClicked(state), LearnOutcome::Refused);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"请放入兽决"}));
}

TEST_F(SkillBook, CertifiedPetKeepsItsFirstSkill) {
  WriteFile(MarkerPath(4), "71");
  std::set<std::size_t> replaced;
  for (int i = 0; i < 60; ++i) {
    MakeCurrent(4, "5|1|2|3|4|5|1000|3|71|5|13");
    state.bookSkill = 40;
    ASSERT_EQ(OnLearnClicked(state), LearnOutcome::Learned);
    ASSERT_EQ(state.currentSkills.size(), 3u);
    ASSERT_EQ(state.currentSkills[0], 71);
    const auto at = std::find(state.currentSkills.begin(), state.currentSkills.end(), 40);
    ASSERT_NE(at, state.currentSkills.end());
    replaced.insert(static_cast<std::size_t>(at - state.currentSkills.begin()));
    ASSERT_EQ(SkillsOf(ReadRecordFields(4)), state.currentSkills);
  }
  EXPECT_EQ(replaced, (std::set<std::size_t>{1, 2}));
}

TEST_F(SkillBook, RefusalsKeepTheBookAndTheRecord) {
  struct Case {
    const char* name;
    int slot;
    std::string record;  // empty: no file
    bool certified;
    int book;
    std::string_view message;
  };
  const std::vector<Case> cases = {
      {"no book", 1, "5|1|2|3|4|5|1000|2|7|9", false, 0, kNoBookText},
      {"already known", 1, "5|1|2|3|4|5|1000|2|7|9", false, 9, kDuplicateSkillText},
      {"certified skill only", 2, "5|1|2|3|4|5|1000|1|71", true, 40, kNothingToReplaceText},
      {"no skill", 3, "5|1|2|3|4|5|1000|0", false, 40, kNothingToReplaceText},
      {"damaged record", 5, "5|1|2", false, 40, kDamagedPetText},
      {"record gone", 6, "", false, 40, kNoCurrentPetText},
      {"no current pet", 0, "", false, 40, kNoCurrentPetText},
  };
  for (const auto& c : cases) {
    messages.boxes.clear();
    if (c.record.empty()) {
      state.currentSlot = c.slot;
      state.currentSpecies = 5;
      state.currentSkills = {7};
    } else {
      MakeCurrent(c.slot, c.record);
      state.currentSpecies = 5;
    }
    if (c.certified) WriteFile(MarkerPath(c.slot), "71");
    const auto skillsBefore = state.currentSkills;
    state.bookSkill = c.book;
    EXPECT_EQ(OnLearnClicked(state), LearnOutcome::Refused) << c.name;
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{std::string(c.message)})) << c.name;
    EXPECT_EQ(state.bookSkill, c.book) << c.name;
    EXPECT_EQ(state.currentSkills, skillsBefore) << c.name;
    if (!c.record.empty()) {
      EXPECT_EQ(ReadFile(RecordPath(c.slot)), c.record) << c.name;
    }
  }
}

TEST_F(SkillBook, FailedWriteStillUsesUpTheBook) {
  const std::string old = "5|1|2|3|4|5|1000|1|7";
  MakeCurrent(1, old);
  state.bookSkill = 40;
  LearnOutcome outcome;
  {
    FileSizeLimit limit(0);
    outcome = OnLearnClicked(state);
  }
  EXPECT_EQ(outcome, LearnOutcome::Learned);
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"数据保存失败"}));
  EXPECT_EQ(state.currentSkills, (std::vector<int>{40}));
  EXPECT_EQ(state.bookSkill, 0);
  EXPECT_EQ(ReadFile(RecordPath(1)), old);
  EXPECT_EQ(FolderEntries(1), (std::vector<std::string>{"Data.txt"}));
}
