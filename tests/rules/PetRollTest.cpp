#include "rules/PetRoll.h"

#include <gtest/gtest.h>

#include <set>

#include "core/RosterStore.h"
#include "core/SpeciesCatalogue.h"
#include "rules/CurrentPet.h"
#include "rules/RulesFixture.h"

TEST(RollPetValues, StaysInsideEverySpeciesRange) {
  RandomGenerator random;
  random.Seed(31337);
  for (int species = 1; species <= 35; ++species) {
    std::set<int> attacks;
    for (int i = 0; i < 300; ++i) {
      const RolledPet pet = RollPetValues(random, species);
      ASSERT_EQ(pet.species, species);
      for (int k = 1; k <= 5; ++k) {
        ASSERT_GE(pet.aptitudes[k - 1], SpeciesRange(species, k).lowest) << species << "/" << k;
        ASSERT_LE(pet.aptitudes[k - 1], SpeciesRange(species, k).highest) << species << "/" << k;
      }
      ASSERT_GE(pet.growth, SpeciesRange(species, 6).lowest);
      ASSERT_LE(pet.growth, SpeciesRange(species, 6).highest);
      attacks.insert(pet.aptitudes[0]);
    }
    EXPECT_GT(attacks.size(), 100u) << "attack hardly varies for species " << species;
  }
}

// Aptitudes 1..5, growth, then the skill draws: an odds simulation relies on this order.
TEST(RollPetValues, DrawsInTheFixedOrder) {
  RandomGenerator random, reference;
  random.Seed(5);
  reference.Seed(5);
  const RolledPet pet = RollPetValues(random, 18);
  for (int k = 1; k <= 5; ++k)
    EXPECT_EQ(pet.aptitudes[k - 1], reference.RandomInt(SpeciesRange(18, k).lowest, SpeciesRange(18, k).highest));
  EXPECT_EQ(pet.growth, reference.RandomInt(1102, 1150));
  const RolledSkills skills = RollSpeciesSkills(reference, 18);
  EXPECT_EQ(std::vector<int>(pet.skills.begin(), pet.skills.end()), std::vector<int>(skills.begin(), skills.end()));
  EXPECT_EQ(random.Next(), reference.Next());
}

using Wash = RulesTest;

TEST_F(Wash, RewritesTheCurrentRecordWithinTheSpeciesRanges) {
  MakeCurrent(3, "1|1380|1200|4500|1920|1200|1000|2|53|17");
  WriteFile(MarkerPath(3), "71");
  const std::set<std::vector<int>> allowed{{53}, {17}, {53, 17}, {17, 53}};
  for (int i = 0; i < 100; ++i) {
    ASSERT_TRUE(WashCurrentPet(state));
    const auto fields = ReadRecordFields(3);
    ASSERT_TRUE(fields.size() == 9 || fields.size() == 10) << ReadFile(RecordPath(3));
    EXPECT_EQ(fields[0], "1");
    const int attack = ParseRecordNumber(fields[1]);
    EXPECT_GE(attack, 1104);
    EXPECT_LE(attack, 1380);
    const int growth = ParseRecordNumber(fields[6]);
    EXPECT_GE(growth, 952);
    EXPECT_LE(growth, 1000);
    EXPECT_EQ(ParseRecordNumber(fields[7]), static_cast<int>(fields.size()) - 8);
    EXPECT_EQ(SkillsOf(fields), state.currentSkills);
    EXPECT_TRUE(allowed.count(state.currentSkills));
    for (int k = 1; k <= 5; ++k) EXPECT_EQ(state.slotAptitudes[3][k], ParseRecordNumber(fields[k]));
    EXPECT_EQ(state.slotAptitudes[3][6], growth / 1000.0);
  }
  EXPECT_EQ(state.currentSlot, 3);
  EXPECT_EQ(state.currentSpecies, 1);
  EXPECT_EQ(ReadFile(MarkerPath(3)), "71");  // a certified pet stays certified
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Wash, GrowthOfOneThousandIsWrittenAsText1000) {
  RandomGenerator probe;
  std::uint32_t seed = 0;
  for (;; ++seed) {
    probe.Seed(seed);
    if (RollPetValues(probe, 1).growth == 1000) break;
  }
  MakeCurrent(1, "1|1104|960|3600|1536|960|952|1|53");
  state.random.Seed(seed);
  ASSERT_TRUE(WashCurrentPet(state));
  EXPECT_EQ(ReadRecordFields(1)[6], "1000");
  EXPECT_EQ(state.slotAptitudes[1][6], 1.0);
}

TEST_F(Wash, FailedWriteKeepsTheOldRecordAndTheDrawnValues) {
  const std::string old = "1|1104|960|3600|1536|960|952|1|53";
  MakeCurrent(2, old);
  {
    FileSizeLimit limit(0);
    ASSERT_TRUE(WashCurrentPet(state));
  }
  EXPECT_EQ(ReadFile(RecordPath(2)), old);
  EXPECT_EQ(messages.boxes, (std::vector<RecordingMessages::Box>{{"数据保存失败！", "信息：", false}}));
  EXPECT_GE(state.slotAptitudes[2][1], 1104);  // memory holds the drawn pet
  EXPECT_FALSE(state.currentSkills.empty());
  EXPECT_EQ(FolderEntries(2), (std::vector<std::string>{"Data.txt"}));
}

TEST_F(Wash, MissingSlotFolderShowsTheSaveMessage) {
  MakeCurrent(2, "1|1104|960|3600|1536|960|952|1|53");
  RemoveSlotFolder(2);
  ASSERT_TRUE(WashCurrentPet(state));
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"数据保存失败！"}));
  EXPECT_FALSE(Exists(SlotFolderPath(2)));
}

TEST_F(Wash, RefusesWithoutAUsablePet) {
  struct Case {
    const char* name;
    int slot;
    std::string record;  // empty: no file
    int species;
    std::string_view message;
  };
  const std::vector<Case> cases = {
      {"no current pet", 0, "", 0, kNoCurrentPetText},
      {"short record", 4, "1|2|3", 1, kDamagedPetText},
      {"species out of range", 4, "40|1|1|1|1|1|1000|1|5", 40, kDamagedPetText},
      {"species never loaded", 4, "1|1|1|1|1|1|1000|1|5", 0, kDamagedPetText},
  };
  for (const auto& c : cases) {
    messages.boxes.clear();
    if (!c.record.empty()) WriteFile(RecordPath(c.slot), c.record);
    state.currentSlot = c.slot;
    state.currentSpecies = c.species;
    state.random.Seed(8);
    EXPECT_FALSE(WashCurrentPet(state)) << c.name;
    EXPECT_EQ(messages.Texts(), (std::vector<std::string>{std::string(c.message)})) << c.name;
    if (!c.record.empty()) {
      EXPECT_EQ(ReadFile(RecordPath(c.slot)), c.record) << c.name;
    }
    RandomGenerator fresh;
    fresh.Seed(8);
    EXPECT_EQ(state.random.Next(), fresh.Next()) << c.name << ": drew although refused";
  }
}

using Create = RulesTest;

TEST_F(Create, NewPetGoesIntoTheFreeSlotAndTheCurrentPetStays) {
  MakeCurrent(2, "12|1300|950|3000|1700|1000|1085|3|19|20|5");
  state.slotAptitudes[2] = {0, 1300, 950, 3000, 1700, 1000, 1.085};
  state.newPetSlot = 6;
  ASSERT_TRUE(CreatePet(state, 33));
  const auto fields = ReadRecordFields(6);
  ASSERT_GE(fields.size(), 9u);
  EXPECT_EQ(fields[0], "33");
  EXPECT_GE(ParseRecordNumber(fields[4]), 2404);
  EXPECT_LE(ParseRecordNumber(fields[4]), 2880);
  EXPECT_EQ(state.currentSlot, 2);
  EXPECT_EQ(state.currentSkills, (std::vector<int>{19, 20, 5}));
  EXPECT_EQ(state.slotAptitudes[2], (AptitudeRow{0, 1300, 950, 3000, 1700, 1000, 1.085}));
  EXPECT_EQ(state.slotSpecies[6], 0);  // known only once the slot is loaded
  EXPECT_TRUE(messages.boxes.empty());
}

TEST_F(Create, NeverOverwritesASavedPetOrUsesABadSlot) {
  const std::string saved = "12|1300|950|3000|1700|1000|1085|3|19|20|5";
  WriteFile(RecordPath(6), saved);
  for (const auto& [slot, species] : std::vector<std::pair<int, int>>{{6, 3}, {0, 3}, {16, 3}, {7, 0}, {7, 36}}) {
    messages.boxes.clear();
    state.newPetSlot = slot;
    EXPECT_FALSE(CreatePet(state, species)) << slot << "/" << species;
    EXPECT_EQ(messages.boxes.size(), 1u);
  }
  EXPECT_EQ(ReadFile(RecordPath(6)), saved);
  EXPECT_FALSE(IsSlotOccupied(7));
}

TEST_F(Create, FailedWriteLeavesTheSlotFree) {
  state.newPetSlot = 9;
  {
    FileSizeLimit limit(0);
    EXPECT_TRUE(CreatePet(state, 5));
  }
  EXPECT_FALSE(IsSlotOccupied(9));
  EXPECT_TRUE(FolderEntries(9).empty());
  EXPECT_EQ(messages.Texts(), (std::vector<std::string>{"数据保存失败！"}));
}
