#include "core/SpeciesCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <vector>

#include "core/Skills.h"

TEST(SpeciesCatalogue, StatedRanges) {
  EXPECT_EQ(SpeciesRange(1, 1), (ValueRange{1104, 1380}));
  EXPECT_EQ(SpeciesRange(35, 6), (ValueRange{1252, 1300}));
  EXPECT_EQ(SpeciesRange(33, 4), (ValueRange{2404, 2880}));
  EXPECT_EQ(SpeciesRange(1, 6), (ValueRange{952, 1000}));
  EXPECT_EQ(SpeciesRange(12, 3), (ValueRange{2700, 3375}));
}

TEST(SpeciesCatalogue, RowEightListsThreeSkillsUnderACountOfFour) {
  const SpeciesRow& row = SpeciesCatalogueRow(8);
  EXPECT_EQ(row.listedCount, 4);
  ASSERT_EQ(row.skillCount, 3);
  EXPECT_EQ(std::vector<int>(row.skills.begin(), row.skills.begin() + 3), (std::vector<int>{73, 11, 77}));
}

TEST(SpeciesCatalogue, AptitudeRangesStartAtEightyPercentExceptSpecies33Magic) {
  for (int species = 1; species <= 35; ++species) {
    for (int field = 1; field <= 5; ++field) {
      const ValueRange range = SpeciesRange(species, field);
      if (species == 33 && field == 4) continue;
      EXPECT_EQ(range.lowest * 5, range.highest * 4) << species << "/" << field;
    }
    const ValueRange growth = SpeciesRange(species, 6);
    EXPECT_EQ(growth.highest - growth.lowest, 48) << species;
  }
}

TEST(SpeciesCatalogue, RowsListDistinctSkillsAndSpecialSkillsBelongToTheirSpecies) {
  const std::map<int, int> ownerOfSpecial{{66, 28}, {67, 32}, {68, 21}, {69, 25}, {70, 22}, {79, 33}};
  for (int species = 1; species <= 35; ++species) {
    const SpeciesRow& row = SpeciesCatalogueRow(species);
    std::set<int> seen;
    for (int i = 0; i < row.skillCount; ++i) {
      const int skill = row.skills[i];
      EXPECT_TRUE(seen.insert(skill).second) << species;
      EXPECT_GE(skill, 1);
      EXPECT_LE(skill, 79);
      if (IsSpecialSkill(skill)) {
        EXPECT_EQ(ownerOfSpecial.at(skill), species) << skill;
      }
    }
    if (species != 8) {
      EXPECT_EQ(row.listedCount, row.skillCount) << species;
    }
  }
}

TEST(RollSpeciesSkills, DrawsCountThenPicksInOrder) {
  // Seed 1 draws 41 then 18467: n = 1 + 41 % 2 = 2, the first pick is entry 1 + 18467 % 2 = 2
  // (skill 17); the last pick has one entry left and draws nothing.
  RandomGenerator random;
  random.Seed(1);
  const RolledSkills skills = RollSpeciesSkills(random, 1);
  EXPECT_EQ(std::vector<int>(skills.begin(), skills.end()), (std::vector<int>{17, 53}));
  EXPECT_EQ(random.Next(), 6334);
}

TEST(RollSpeciesSkills, GivesDistinctDefaultsOfEveryCount) {
  RandomGenerator random;
  random.Seed(20240601);
  for (int species = 1; species <= 35; ++species) {
    const SpeciesRow& row = SpeciesCatalogueRow(species);
    const std::set<int> defaults(row.skills.begin(), row.skills.begin() + row.skillCount);
    std::set<int> countsSeen;
    std::set<int> firstSeen;
    for (int i = 0; i < 2000; ++i) {
      const RolledSkills skills = RollSpeciesSkills(random, species);
      ASSERT_GE(skills.count, 1);
      ASSERT_LE(skills.count, row.skillCount);
      const std::set<int> distinct(skills.begin(), skills.end());
      ASSERT_EQ(static_cast<int>(distinct.size()), skills.count) << species;
      for (int skill : skills) ASSERT_TRUE(defaults.count(skill)) << species << ": " << skill;
      countsSeen.insert(skills.count);
      firstSeen.insert(skills.items[0]);
    }
    EXPECT_EQ(static_cast<int>(countsSeen.size()), row.skillCount) << species;
    EXPECT_EQ(firstSeen, defaults) << species;
  }
}

TEST(RollSpeciesSkills, SpeciesOneGivesOneOfFourLists) {
  RandomGenerator random;
  random.Seed(99);
  std::set<std::vector<int>> lists;
  for (int i = 0; i < 500; ++i) {
    const RolledSkills skills = RollSpeciesSkills(random, 1);
    lists.insert(std::vector<int>(skills.begin(), skills.end()));
  }
  EXPECT_EQ(lists, (std::set<std::vector<int>>{{53}, {17}, {53, 17}, {17, 53}}));
}

TEST(Skills, Facts) {
  EXPECT_EQ(CertifiableSkillsText, "71|72|73|74|75|76|77|78");
  for (int skill = 1; skill <= 79; ++skill) {
    EXPECT_EQ(IsCertifiableSkill(skill), skill >= 71 && skill <= 78) << skill;
    EXPECT_EQ(IsSpecialSkill(skill), (skill >= 66 && skill <= 70) || skill == 79) << skill;
  }
  EXPECT_EQ(CertificationBonusSkills, (std::array<int, 2>{11, 13}));
}
