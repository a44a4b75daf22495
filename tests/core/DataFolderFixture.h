#pragma once

// Test helpers shared by the core and rules tests: a throw-away data folder in a temporary
// directory, a message recorder, and a way to make every file write fail.

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "core/DataPaths.h"
#include "core/FileFaults.h"
#include "core/Messages.h"
#include "core/Utf8Path.h"

// Makes a fresh working directory with the slot folders 1..15 and chdirs into it.
class DataFolderTest : public ::testing::Test {
protected:
  void SetUp() override {
#ifdef _WIN32
    const std::string test = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    root_ = std::filesystem::temp_directory_path() / ("petsim-test-" + test);
    std::filesystem::remove_all(root_);
    ASSERT_TRUE(std::filesystem::create_directory(root_));
#else
    char pattern[] = "/tmp/petsim-test-XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    root_ = pattern;
#endif
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(root_);
    for (int slot = 1; slot <= 15; ++slot) std::filesystem::create_directories(PathFromUtf8(SlotFolderPath(slot)));
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

  static void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << path;
  }
  static std::string ReadFile(const std::string& path) {
    std::ifstream in(PathFromUtf8(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static bool Exists(const std::string& path) { return std::filesystem::exists(PathFromUtf8(path)); }
  // Names in a slot folder, to see that no temporary file was left behind.
  static std::vector<std::string> FolderEntries(int slot) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(PathFromUtf8(SlotFolderPath(slot))))
      names.push_back(Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }
  static void RemoveSlotFolder(int slot) { std::filesystem::remove_all(PathFromUtf8(SlotFolderPath(slot))); }

private:
  std::filesystem::path root_;
  std::filesystem::path previous_;
};

#ifdef _WIN32
// Windows has no limit on a file's size: every write of the file layer fails instead, as
// writes past a limit of 0 bytes do.
inline constexpr unsigned long long RLIM_INFINITY = ~0ULL;
class FileSizeLimit {
public:
  explicit FileSizeLimit(unsigned long long bytes) {
    if (bytes == 0) SetFileFaultPlan(FileFaultPlan{0, true, EFBIG, FileOperation::Write});
  }
  ~FileSizeLimit() { SetFileFaultPlan({}); }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;
};

#else
// While alive, no file of this process can grow beyond `bytes` (root included): writes
// past the limit fail with EFBIG instead of raising SIGXFSZ.
class FileSizeLimit {
public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = saved_;
    limit.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &saved_);
    ::signal(SIGXFSZ, previousHandler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
  rlimit saved_{};
  sighandler_t previousHandler_{};
};
#endif

// Records every message box; Ask answers with `answer`.
class RecordingMessages final : public Messages {
public:
  struct Box {
    std::string text;
    std::string caption;
    bool question = false;
    friend bool operator==(const Box&, const Box&) = default;
  };
  void Show(std::string_view text, std::string_view caption) override {
    boxes.push_back({std::string(text), std::string(caption), false});
  }
  bool Ask(std::string_view text, std::string_view caption) override {
    boxes.push_back({std::string(text), std::string(caption), true});
    return answer;
  }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& box : boxes) texts.push_back(box.text);
    return texts;
  }
  std::vector<Box> boxes;
  bool answer = true;
};
