#include "rules/Merge.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "core/RosterStore.h"
#include "rules/CurrentPet.h"
#include "rules/RulesFixture.h"

namespace {

MergeSide Side(int species, int slot, std::array<double, 5> aptitudes, std::vector<int> skills) {
  MergeSide side;
  side.species = species;
  side.slot = slot;
  for (int k = 1; k <= 5; ++k) side.aptitudes[k] = aptitudes[k - 1];
  side.skills = std::move(skills);
  return side;
}

}  // namespace

TEST(MergeAptitudeBounds, ReachAThirdOfTheDifferenceBeyondBothParents) {
  struct Case {
    double a, b;
    int low, high;  // as the draw sees them: ordered, a negative end counts as 0
  };
  const std::vector<Case> cases = {
      {1000, 1300, 900, 1400}, {1300, 1000, 900, 1400}, {1000, 1001, 999, 1001},
      {100, 1000, 0, 1300},    {1000, 100, 0, 1300},    {1234, 1234, 1234, 1234},
  };
  for (const auto& c : cases) {
    const ValueRange bounds = MergeAptitudeBounds(c.a, c.b);
    EXPECT_EQ(std::max(0, std::min(bounds.lowest, bounds.highest)), c.low) << c.a << "," << c.b;
    EXPECT_EQ(std::max(bounds.lowest, bounds.highest), c.high) << c.a << "," << c.b;
  }
  EXPECT_EQ(MergeAptitudeBounds(100, 1000).lowest, -200);
}

TEST(DrawMergeChild, DrawsEveryValueFromItsRange) {
  const MergeSide side1 = Side(1, 2, {1000, 100, 1000, 1234, 2000}, {53});
  const MergeSide side2 = Side(15, 5, {1300, 1000, 1001, 1234, 0}, {28});
  const std::array<std::pair<int, int>, 5> ranges{{{900, 1400}, {0, 1300}, {999, 1001}, {1234, 1234}, {0, 2666}}};
  RandomGenerator random;
  random.Seed(2024);
  std::array<std::set<int>, 5> seen;
  std::set<int> species, growths;
  for (int i = 0; i < 20000; ++i) {
    const MergeChild child = DrawMergeChild(random, side1, side2, {});
    for (int k = 0; k < 5; ++k) {
      ASSERT_GE(child.aptitudes[k], ranges[k].first) << k;
      ASSERT_LE(child.aptitudes[k], ranges[k].second) << k;
      seen[k].insert(child.aptitudes[k]);
    }
    species.insert(child.species);
    growths.insert(child.growth);
  }
  for (int k = 0; k < 5; ++k) {
    EXPECT_TRUE(seen[k].count(ranges[k].first)) << k;
    EXPECT_TRUE(seen[k].count(ranges[k].second)) << k;
  }
  EXPECT_EQ(species, (std::set<int>{1, 15}));
  EXPECT_EQ(*growths.begin(), 952);  // lowest of 952..1000 and 1102..1150
  EXPECT_EQ(*growths.rbegin(), 1150);
}

TEST(MergeSkills, OneSkillDrawsInTheFixedOrder) {
  // Seed 1: n and the pick have equal bounds and draw nothing; x = 0 + 41 % 2 = 1 and
  // y = 0 + 18467 % 2 = 1 meet at once.
  RandomGenerator random;
  random.Seed(1);
  const std::vector<int> one{5};
  EXPECT_EQ(MergeSkills(random, one, one, {}), (std::vector<int>{5}));
  EXPECT_EQ(random.Next(), 6334);
}

TEST(MergeSkills, ReseedsOnceBeforeDrawing) {
  RandomGenerator random;
  int calls = 0;
  const Reseed reseed = [&calls](RandomGenerator& r) {
    ++calls;
    r.Seed(1);
  };
  random.Seed(999);
  const std::vector<int> list1{5}, list2{};
  EXPECT_EQ(MergeSkills(random, list1, list2, reseed), (std::vector<int>{5}));
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(random.Next(), 6334);  // the draws came from the re-seeded sequence
}

TEST(MergeSkills, GivesDistinctSkillsOfThePoolFavouringTheFirstSide) {
  RandomGenerator random;
  random.Seed(77);
  const std::vector<int> list1{1, 2}, list2{2, 3};
  std::map<int, int> skillCount;
  std::set<std::size_t> sizes;
  for (int i = 0; i < 5000; ++i) {
    const auto picks = MergeSkills(random, list1, list2, {});
    ASSERT_FALSE(picks.empty());
    ASSERT_LE(picks.size(), 3u);
    ASSERT_EQ(std::set<int>(picks.begin(), picks.end()).size(), picks.size());
    for (int skill : picks) {
      ASSERT_TRUE(skill >= 1 && skill <= 3) << skill;
      ++skillCount[skill];
    }
    sizes.insert(picks.size());
  }
  EXPECT_EQ(sizes, (std::set<std::size_t>{1, 2, 3}));
  EXPECT_GT(skillCount[1], skillCount[3]);  // skill 3 only when n = 3
  EXPECT_GT(skillCount[3], 0);
}

TEST(MergeSkills, NoSkillsAtAllGivesNothingAtOnce) {
  RandomGenerator random;
  const std::vector<int> none;
  EXPECT_TRUE(MergeSkills(random, none, none, {}).empty());
}

using MergePetsTest = RulesTest;

TEST_F(MergePetsTest, ChildReplacesSideOneAndSideTwoIsGone) {
  WriteFile(RecordPath(2), "1|1104|960|3600|1536|960|952|2|53|17");
  WriteFile(RecordPath(5), "15|1200|1020|4950|2160|1320|1150|1|28");
  WriteFile(SlotFolderPath(5) + "/notes.txt", "kept");
  state.mergeSide[1] = Side(1, 2, {1104, 960, 3600, 1536, 960}, {53, 17});
  state.mergeSide[2] = Side(15, 5, {1200, 1020, 4950, 2160, 1320}, {28});
  ASSERT_TRUE(MergePets(state));
  EXPECT_TRUE(messages.boxes.empty());
  EXPECT_FALSE(IsSlotOccupied(5));
  EXPECT_EQ(FolderEntries(5), (std::vector<std::string>{"notes.txt"}));
  const auto child = ReadRecordFields(2);
  ASSERT_GE(child.size(), 9u);
  EXPECT_TRUE(child[0] == "1" || child[0] == "15");
  const int growth = ParseRecordNumber(child[6]);
  EXPECT_GE(growth, 952);
  EXPECT_LE(growth, 1150);
  EXPECT_EQ(ParseRecordNumber(child[7]), static_cast<int>(child.size()) - 8);
  EXPECT_EQ(SkillsOf(child), state.mergeResultSkills);
  for (int side = 1; side <= 2; ++side) {
    EXPECT_EQ(state.mergeSide[side].species, 0);
    EXPECT_EQ(state.mergeSide[side].aptitudes, (std::array<double, 8>{}));
    EXPECT_TRUE(state.mergeSide[side].skills.empty());
  }
  EXPECT_EQ(state.mergeSide[1].slot, 2);
  EXPECT_EQ(state.mergeSide[2].slot, 5);
  // A second click finds the sides empty.
  EXPECT_FALSE(MergePets(state));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"请添加宠物"}));
}

TEST_F(MergePetsTest, RefusalsTouchNoFile) {
  struct Case {
    const char* name;
    MergeSide side1, side2;
    std::string_view message;
  };
  const std::vector<Case> cases = {
      {"side 1 empty", Side(0, 0, {}, {}), Side(15, 5, {1, 1, 1, 1, 1}, {28}), kMergeNeedsPetsText},
      {"side 2 empty", Side(1, 2, {1, 1, 1, 1, 1}, {53}), Side(0, 0, {}, {}), kMergeNeedsPetsText},
      {"no skills", Side(1, 2, {1, 1, 1, 1, 1}, {}), Side(15, 5, {1, 1, 1, 1, 1}, {}), kMergeNoSkillsText},
      {"same slot", Side(1, 2, {1, 1, 1, 1, 1}, {53}), Side(1, 2, {1, 1, 1, 1, 1}, {53}), kMergeSameSlotText},
      {"bad species", Side(40, 2, {1, 1, 1, 1, 1}, {53}), Side(15, 5, {1, 1, 1, 1, 1}, {28}), kDamagedPetText},
      {"bad slot", Side(1, 0, {1, 1, 1, 1, 1}, {53}), Side(15, 5, {1, 1, 1, 1, 1}, {28}), kDamagedPetText},
  };
  const std::string record2 = "1|1|1|1|1|1|952|1|53", record5 = "15|1|1|1|1|1|1150|1|28";
  WriteFile(RecordPath(2), record2);
  WriteFile(RecordPath(5), record5);
  for (const auto& c : cases) {
    messages.boxes.clear();
    state.mergeSide[1] = c.side1;
    state.mergeSide[2] = c.side2;
    EXPECT_FALSE(MergePets(state)) << c.name;
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{std::string(c.message)})) << c.name;
    EXPECT_EQ(ReadFile(RecordPath(2)), record2) << c.name;
    EXPECT_EQ(ReadFile(RecordPath(5)), record5) << c.name;
    EXPECT_EQ(state.mergeSide[1].species, c.side1.species) << c.name;
  }
}

TEST_F(MergePetsTest, FailedWriteKeepsBothParents) {
  struct Failure {
    const char* name;
    bool sizeLimit;
    std::function<void()> arrange;
  };
  std::vector<Failure> failures = {
      {"write fails", true, [] {}},
      {"directory in side 1's record place", false,
       [] {
         std::filesystem::remove(PathFromUtf8(RecordPath(2)));
         std::filesystem::create_directories(PathFromUtf8(RecordPath(2) + "/x"));
       }},
      // Side 2's record cannot leave its slot once the child is ready: before, the child
      // was saved, side 2 stayed as well and the merge passed for done.
      {"side 2's record cannot be moved", false,
       [] { std::filesystem::create_directories(PathFromUtf8(SlotFolderPath(5) + "/.petsim-merge-parent-into.2/x")); }},
      {"side 2's slot folder replaced by a file", false,
       [] {
         std::filesystem::remove_all(PathFromUtf8(SlotFolderPath(5)));
         WriteFile(SlotFolderPath(5), "not a folder");
       }},
  };
#ifndef _WIN32
  // Permissions stop no write of root: this one is for the other users (Windows folders have
  // no such mode).
  if (::geteuid() != 0)
    failures.push_back({"side 2's slot folder read-only", false, [] {
                          std::filesystem::permissions(
                              PathFromUtf8(SlotFolderPath(5)),
                              std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
                        }});
#endif
  for (const auto& failure : failures) {
    const std::string record2 = "1|1104|960|3600|1536|960|952|1|53", record5 = "15|1200|1020|4950|2160|1320|1150|1|28";
    if (std::filesystem::is_directory(PathFromUtf8(SlotFolderPath(5))))
      std::filesystem::permissions(PathFromUtf8(SlotFolderPath(5)), std::filesystem::perms::owner_all);
    std::filesystem::remove_all(PathFromUtf8(RecordPath(2)));
    std::filesystem::remove_all(PathFromUtf8(SlotFolderPath(5)));
    std::filesystem::create_directories(PathFromUtf8(SlotFolderPath(5)));
    WriteFile(RecordPath(2), record2);
    WriteFile(RecordPath(5), record5);
    const auto entries2 = FolderEntries(2);
    failure.arrange();
    messages.boxes.clear();
    state.mergeSide[1] = Side(1, 2, {1104, 960, 3600, 1536, 960}, {53});
    state.mergeSide[2] = Side(15, 5, {1200, 1020, 4950, 2160, 1320}, {28});
    bool merged;
    {
      FileSizeLimit limit(failure.sizeLimit ? 0 : RLIM_INFINITY);
      merged = MergePets(state);
    }
    EXPECT_FALSE(merged) << failure.name;
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"数据保存失败！"})) << failure.name;
    if (failure.sizeLimit) {
      EXPECT_EQ(ReadFile(RecordPath(2)), record2);
    }
    if (std::filesystem::is_directory(PathFromUtf8(SlotFolderPath(5)))) {
      EXPECT_EQ(ReadFile(RecordPath(5)), record5) << failure.name;
    }
    EXPECT_EQ(FolderEntries(2), entries2) << failure.name;     // no child left waiting beside side 1
    EXPECT_EQ(state.mergeSide[1].species, 1) << failure.name;  // the sides stay for another try
    EXPECT_EQ(state.mergeSide[2].species, 15) << failure.name;
  }
}

namespace {

// The skill selection written out step by step, the slow way: the pool rebuilt for every
// attempt and duplicates removed by comparing each entry with every later one.
void RemoveLaterDuplicates(std::vector<int>& list) {
  for (std::size_t i = 0; i < list.size(); ++i)
    for (std::size_t j = list.size() - 1; j > i; --j)
      if (list[j] == list[i]) list.erase(list.begin() + static_cast<std::ptrdiff_t>(j));
}

std::vector<int> LiteralMergeSkills(RandomGenerator& random, const std::vector<int>& list1,
                                    const std::vector<int>& list2) {
  for (;;) {
    std::vector<int> pool = list1;
    pool.insert(pool.end(), list2.begin(), list2.end());
    RemoveLaterDuplicates(pool);
    const int n = random.RandomInt(1, static_cast<int>(pool.size()));
    std::vector<int> picks;
    for (int i = 0; i < n; ++i) picks.push_back(pool[static_cast<std::size_t>(random.RandomInt(1, n) - 1)]);
    RemoveLaterDuplicates(picks);
    const int p = static_cast<int>(pool.size());
    const int x = random.RandomInt(p / 2, p);
    const int y = random.RandomInt(n / 2, n);
    if (x == y) return picks;
  }
}

}  // namespace

TEST(MergeSkills, MatchesTheStepByStepSelectionDrawForDraw) {
  const std::vector<std::pair<std::vector<int>, std::vector<int>>> parents = {
      {{1, 2}, {2, 3}},
      {{28, 5, 57, 12, 4}, {60, 35, 1, 5}},
      {{7, 7, 8}, {8, 9, 7, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20}},
      {{}, {40, 41}},
      {{42}, {}},
  };
  for (const auto& [list1, list2] : parents) {
    for (std::uint32_t seed = 0; seed < 500; ++seed) {
      RandomGenerator fast, literal;
      fast.Seed(seed);
      literal.Seed(seed);
      ASSERT_EQ(MergeSkills(fast, list1, list2, {}), LiteralMergeSkills(literal, list1, list2)) << "seed " << seed;
      ASSERT_EQ(fast.State(), literal.State()) << "seed " << seed;
    }
  }
}

// Large pools, where the attempts jump over the picks they reject: still draw for draw.
TEST(MergeSkills, LargePoolsMatchTheStepByStepSelection) {
  for (const int size : {37, 150, 250}) {
    std::vector<int> list1, list2;
    for (int i = 0; i < size; ++i) {
      list1.push_back(i + 1);
      list2.push_back(size / 2 + i);  // half of them shared with list 1
    }
    for (std::uint32_t seed = 0; seed < 20; ++seed) {
      RandomGenerator fast, literal;
      fast.Seed(seed * 7919u);
      literal.Seed(seed * 7919u);
      ASSERT_EQ(MergeSkills(fast, list1, list2, {}), LiteralMergeSkills(literal, list1, list2)) << size << "/" << seed;
      ASSERT_EQ(fast.State(), literal.State()) << size << "/" << seed;
    }
  }
}
