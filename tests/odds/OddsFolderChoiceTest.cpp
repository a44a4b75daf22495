// Which data folder `petsim odds` reads: the simulator's choice, with the per-user folder of a
// first start read through the default data it would be filled from, and nothing ever written.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "core/DataPaths.h"
#include "odds/OddsCommand.h"

namespace fs = std::filesystem;

namespace {

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The working directory and XDG_DATA_HOME are the process's: each test sets them and puts them back.
class OddsFolderChoice : public testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/petsim-odds-folder-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root_ = pattern;
    savedCwd_ = fs::current_path();
    if (const char* xdg = std::getenv("XDG_DATA_HOME")) savedXdg_ = xdg;
    // A data folder in the working directory with species 7 in slot 1, a per-user folder with
    // species 9 in slot 1, and a folder that holds none.
    WritePet(root_ / "here", 1, "7|1|2|3|4|5|1000|1|3");
    WritePet(root_ / "xdg" / "petsim", 1, "9|1|2|3|4|5|1000|1|3");
    fs::create_directories(root_ / "elsewhere");
    fs::create_directories(root_ / "fresh-xdg");
    fs::create_directories(root_ / "plain");
    std::ofstream(root_ / "a-file") << "not a folder";
  }
  void TearDown() override {
    fs::current_path(savedCwd_);
    if (savedXdg_)
      setenv("XDG_DATA_HOME", savedXdg_->c_str(), 1);
    else
      unsetenv("XDG_DATA_HOME");
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  static void WritePet(const fs::path& folder, int slot, const std::string& record) {
    for (int s = 1; s <= 15; ++s) fs::create_directories(folder / SlotFolderPath(s));
    std::ofstream(folder / RecordPath(slot), std::ios::binary) << record;
  }

  struct Run {
    int status = 0;
    std::string out;
    std::string err;
  };
  static Run Odds(const std::vector<std::string>& words) {
    std::ostringstream out, err;
    OddsIo io{out, err, nullptr, 1};
    Run run;
    run.status = RunOdds(words, io);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  fs::path root_;
  fs::path savedCwd_;
  std::optional<std::string> savedXdg_;
};

// The species of the default data's slot 1, which a first start copies into the per-user folder.
std::string DefaultSlot1Species() {
  const std::string record = ReadText(fs::path(PETSIM_SOURCE_DIR) / "data" / fs::path(RecordPath(1)));
  return record.substr(0, record.find('|'));
}

TEST_F(OddsFolderChoice, ReadsTheFolderTheSimulatorWouldUse) {
  const std::string defaults = DefaultSlot1Species();
  ASSERT_FALSE(defaults.empty());
  ASSERT_NE(defaults, "7");
  ASSERT_NE(defaults, "9");
  struct Case {
    const char* name;
    fs::path cwd;
    fs::path xdg;
    std::vector<std::string> extra;
    std::string species;
  };
  const Case cases[] = {
      {"the working directory holds 召唤兽/", root_ / "here", root_ / "xdg", {}, "7"},
      {"elsewhere: the per-user folder", root_ / "elsewhere", root_ / "xdg", {}, "9"},
      {"--dir before both", root_ / "here", root_ / "xdg", {"--dir", (root_ / "xdg" / "petsim").string()}, "9"},
      {"a first start's per-user folder: the default data", root_ / "elsewhere", root_ / "fresh-xdg", {}, defaults},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::current_path(c.cwd);
    setenv("XDG_DATA_HOME", c.xdg.c_str(), 1);
    std::vector<std::string> words{"wash", "slot:1"};
    words.insert(words.end(), c.extra.begin(), c.extra.end());
    const Run run = Odds(words);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_TRUE(Contains(run.out, "Wash of species " + c.species + " (the pet of slot 1)")) << run.out;
  }
  // Reading never fills the per-user folder: that is the simulator's first start.
  EXPECT_FALSE(fs::exists(root_ / "fresh-xdg" / "petsim"));
  EXPECT_TRUE(fs::is_empty(root_ / "elsewhere"));
}

TEST_F(OddsFolderChoice, DirThatCannotBeUsedIsNamed) {
  fs::current_path(root_ / "here");
  struct Case {
    fs::path dir;
    const char* says;
  };
  const Case cases[] = {
      {root_ / "missing", "does not exist"},
      {root_ / "a-file", "is not a folder"},
      {root_ / "plain", "holds no 召唤兽 folder"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dir);
    for (const std::vector<std::string>& words :
         {std::vector<std::string>{"wash", "slot:1", "--dir", c.dir.string()},
          std::vector<std::string>{"book", "1", "47", "--dir=" + c.dir.string()}}) {
      const Run run = Odds(words);
      EXPECT_EQ(run.status, kOddsBadData);
      EXPECT_TRUE(run.out.empty()) << run.out;
      EXPECT_EQ(run.err,
                "petsim odds: the data folder '" + c.dir.string() + "' " + c.says +
                    (std::string(c.says).starts_with("holds") ? " (a data folder holds 召唤兽/ and UI/)" : "") + "\n");
    }
  }
  EXPECT_FALSE(fs::exists(root_ / "missing"));
}

}  // namespace
