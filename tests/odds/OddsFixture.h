#pragma once

// A throw-away data folder for the odds command: the 15 slot folders under a temporary
// directory, records written into it, and the command run on it with captured output.

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/DataPaths.h"
#include "odds/OddsCommand.h"

class OddsFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/petsim-odds-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
    for (int slot = 1; slot <= 15; ++slot) std::filesystem::create_directories(root_ / SlotFolderPath(slot));
  }
  void TearDown() override {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  void WritePet(int slot, const std::string& record) { WriteBytes(root_ / RecordPath(slot), record); }
  void Certify(int slot, int skill) { WriteBytes(root_ / MarkerPath(slot), std::to_string(skill)); }
  static void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
  }

  struct Run {
    int status = 0;
    std::string out;
    std::string err;
  };
  // Runs `petsim odds <words> --dir <folder>`.
  Run Odds(std::vector<std::string> words) {
    words.push_back("--dir");
    words.push_back(root_.string());
    std::ostringstream out, err;
    OddsIo io{out, err, nullptr, 12345};
    Run run;
    run.status = RunOdds(words, io);
    run.out = out.str();
    run.err = err.str();
    return run;
  }

  // Every file under the folder with its bytes, to see that nothing was written.
  std::vector<std::pair<std::string, std::string>> Snapshot() const {
    std::vector<std::pair<std::string, std::string>> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root_)) {
      if (!entry.is_regular_file()) continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::ostringstream bytes;
      bytes << in.rdbuf();
      files.emplace_back(entry.path().string(), bytes.str());
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  std::filesystem::path root_;
};
