// The default data folder that a new installation copies: every picture the windows read, the 15
// slot folders, and starting pets whose records the program would have written itself.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "PngSupport.h"
#include "core/PetRecord.h"
#include "core/Skills.h"
#include "core/SpeciesCatalogue.h"

namespace {

namespace fs = std::filesystem;

const fs::path kData = fs::path(PETSIM_SOURCE_DIR) / "data";
const fs::path kPets = kData / "召唤兽";

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct PictureSet {
  const char* what;
  fs::path folder;
  std::string prefix;
  int first, last;
  int width, height;
};

TEST(DataFolder, EveryPictureExistsAtItsSizeAndDiffersFromTheOthers) {
  const PictureSet sets[] = {
      {"pets", kPets / "图形", "召唤兽", 1, 35, 234, 242},
      {"heads", kPets / "头像", "召唤兽", 1, 35, 88, 88},
      {"skill icons", kPets / "技能", "技能", 1, 79, 72, 72},
      {"glyphs", kData / "UI", "text", 1, 11, 14, 17},
  };
  for (const PictureSet& set : sets) {
    SCOPED_TRACE(set.what);
    std::set<std::string> contents;
    for (int n = set.first; n <= set.last; ++n) {
      const fs::path path = set.folder / (set.prefix + std::to_string(n) + ".png");
      SCOPED_TRACE(path.string());
      arttest::Surface s = arttest::LoadPng(path);
      ASSERT_NE(s, nullptr);
      EXPECT_EQ(arttest::Width(s), set.width);
      EXPECT_EQ(arttest::Height(s), set.height);
      EXPECT_TRUE(contents.insert(ReadAll(path)).second) << "same picture as another one";
    }
  }
}

TEST(DataFolder, PetPicturesHaveATransparentBackground) {
  for (int n = 1; n <= 35; ++n) {
    arttest::Surface s = arttest::LoadPng(kPets / "图形" / ("召唤兽" + std::to_string(n) + ".png"));
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(arttest::Alpha(s, 0, 0), 0) << n;
    EXPECT_EQ(arttest::Alpha(s, 233, 241), 0) << n;
    EXPECT_GE(arttest::Alpha(s, 117, 150), 200) << n;  // the creature stands in the middle (spirits glow through)
  }
}

TEST(DataFolder, AllFifteenSlotFoldersExist) {
  for (int slot = 1; slot <= 15; ++slot) EXPECT_TRUE(fs::is_directory(kPets / "数据" / std::to_string(slot))) << slot;
  EXPECT_FALSE(fs::exists(kPets / "数据" / "0"));
  EXPECT_FALSE(fs::exists(kPets / "数据" / "16"));
}

TEST(DataFolder, StartingPetsAreValidRecordsOfTheirSpecies) {
  int pets = 0;
  bool attackSpell = false;
  for (int slot = 1; slot <= 15; ++slot) {
    const fs::path folder = kPets / "数据" / std::to_string(slot);
    EXPECT_FALSE(fs::exists(folder / "rz.txt")) << "a new installation starts uncertified";
    if (!fs::exists(folder / "Data.txt")) continue;
    ++pets;
    SCOPED_TRACE("slot " + std::to_string(slot));
    const std::string text = ReadAll(folder / "Data.txt");
    EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << "a record has no line terminator";
    const std::vector<std::string> fields = SplitRecord(text);
    ASSERT_GE(fields.size(), 9u);
    for (const std::string& f : fields) EXPECT_EQ(std::to_string(ParseRecordNumber(f)), f) << "plain decimal";
    const int species = ParseRecordNumber(fields[0]);
    ASSERT_GE(species, 1);
    ASSERT_LE(species, 35);
    for (int field = 1; field <= 6; ++field) {
      const ValueRange range = SpeciesRange(species, field);
      const int value = ParseRecordNumber(fields[field]);
      EXPECT_GE(value, range.lowest) << "field " << field + 1;
      EXPECT_LE(value, range.highest) << "field " << field + 1;
    }
    const int n = ParseRecordNumber(fields[7]);
    EXPECT_EQ(static_cast<std::size_t>(n), fields.size() - 8);
    const SpeciesRow& row = SpeciesCatalogueRow(species);
    std::set<int> seen;
    for (std::size_t k = 8; k < fields.size(); ++k) {
      const int skill = ParseRecordNumber(fields[k]);
      EXPECT_TRUE(seen.insert(skill).second) << "skill " << skill << " twice";
      EXPECT_NE(std::find(row.skills.begin(), row.skills.begin() + row.skillCount, skill),
                row.skills.begin() + row.skillCount)
          << "skill " << skill << " is no default skill of species " << species;
      attackSpell = attackSpell || IsCertifiableSkill(skill);
    }
  }
  EXPECT_GE(pets, 3);
  EXPECT_LT(pets, 15) << "leave free slots so that a new pet can be created";
  EXPECT_TRUE(attackSpell) << "one starting pet needs an attack spell to try certification";
}

}  // namespace
