#include "core/StoreFiles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/DataFolderFixture.h"
#include "core/DataPaths.h"
#include "core/FileFaults.h"
#include "core/PetRecord.h"
#include "core/RandomGenerator.h"
#include "core/RosterStore.h"

namespace fs = std::filesystem;

using StoreFiles = DataFolderTest;

namespace {
mode_t ModeOf(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}
}  // namespace

// Files that are not records: none of them may hang the start or fill the memory.
TEST_F(StoreFiles, OnlyRegularFilesOfBoundedSizeAreRead) {
  const std::string path = RecordPath(1);
  struct Case {
    const char* name;
    std::function<void()> arrange;
    ReadStatus status;
  };
  const std::vector<Case> cases = {
      {"missing", [] {}, ReadStatus::Missing},
      {"fifo", [&] { ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0); }, ReadStatus::NotRegular},
      {"folder", [&] { fs::create_directories(path + "/x"); }, ReadStatus::NotRegular},
      {"exactly the cap", [&] { WriteFile(path, std::string(kMaxRecordBytes, '7')); }, ReadStatus::Ok},
      {"one byte over the cap", [&] { WriteFile(path, std::string(kMaxRecordBytes + 1, '7')); }, ReadStatus::TooLarge},
      {"50 MB",
       [&] {
         WriteFile(path, "1");
         fs::resize_file(path, 50'000'000);
       },
       ReadStatus::TooLarge},
  };
  for (const Case& c : cases) {
    fs::remove_all(path);
    c.arrange();
    const FileBytes file = ReadRegularFile(path, kMaxRecordBytes);
    EXPECT_EQ(file.status, c.status) << c.name;
    EXPECT_EQ(file.bytes.size(), c.status == ReadStatus::Ok ? kMaxRecordBytes : 0u) << c.name;
  }
}

// A slot whose Data.txt cannot be a pet's record is occupied but damaged, whatever it is.
TEST_F(StoreFiles, RecordsBeyondTheLimitsAreDamaged) {
  std::string thousand = "1|1|1|1|1|1|1000|1000";
  for (int i = 0; i < 1000; ++i) thousand += "|" + std::to_string(i % 79 + 1);
  WriteFile(RecordPath(1), thousand);
  EXPECT_FALSE(IsSlotDamaged(1));
  WriteFile(RecordPath(2), thousand + "|5");
  EXPECT_TRUE(IsSlotDamaged(2));
  WriteFile(RecordPath(3), "1|1|1|1|1|1|1000|1|5" + std::string(kMaxRecordBytes, ' '));
  EXPECT_TRUE(IsSlotDamaged(3));
  ASSERT_EQ(::mkfifo(RecordPath(4).c_str(), 0644), 0);
  EXPECT_TRUE(IsSlotOccupied(4));
  EXPECT_TRUE(IsSlotDamaged(4));
  EXPECT_TRUE(ReadRecordFields(4).empty());
}

TEST_F(StoreFiles, ReplacedRecordKeepsItsMode) {
  WriteFile(RecordPath(1), "old");
  for (const mode_t mode : {0600, 0640, 0664}) {
    ::chmod(RecordPath(1).c_str(), mode);
    ASSERT_TRUE(WriteRecord(1, "1|1|1|1|1|1|1000|0"));
    EXPECT_EQ(ModeOf(RecordPath(1)), mode);
  }
}

// Before, the file was silently replaced (and came back writable).
TEST_F(StoreFiles, ReadOnlyRecordIsRefused) {
  WriteFile(RecordPath(1), "old");
  ::chmod(RecordPath(1).c_str(), 0444);
  EXPECT_FALSE(WriteRecord(1, "1|1|1|1|1|1|1000|0"));
  EXPECT_EQ(ReadFile(RecordPath(1)), "old");
  EXPECT_EQ(ModeOf(RecordPath(1)), 0444u);
  EXPECT_EQ(FolderEntries(1), (std::vector<std::string>{"Data.txt"}));
}

// A folder that takes no new file (permissions: EACCES) still lets a writable record be
// rewritten in place; other failures (a full disk) never truncate the old record.
TEST_F(StoreFiles, NoTemporaryFileMeansWritingInPlace) {
  WriteFile(RecordPath(1), "old");
  {
    ScopedFileFaults noCreate(FailOnceOf(FileOperation::Create, 0, EACCES));
    EXPECT_TRUE(WriteRecord(1, "1|1|1|1|1|1|1000|0"));
  }
  EXPECT_EQ(ReadFile(RecordPath(1)), "1|1|1|1|1|1|1000|0");
  {
    ScopedFileFaults noCreate(FailOnceOf(FileOperation::Create, 0, EACCES));
    EXPECT_FALSE(WriteRecord(2, "1|1|1|1|1|1|1000|0"));  // a new record cannot be made in place
  }
  {
    ScopedFileFaults full(FailOnceOf(FileOperation::Create, 0, ENOSPC));
    EXPECT_FALSE(WriteRecord(1, "2|2|2|2|2|2|2000|0"));
  }
  EXPECT_EQ(ReadFile(RecordPath(1)), "1|1|1|1|1|1|1000|0");
  EXPECT_EQ(FolderEntries(1), (std::vector<std::string>{"Data.txt"}));
  // The same with a real read-only folder, where permissions stop the user (not root).
  if (::geteuid() != 0) {
    ::chmod(SlotFolderPath(1).c_str(), 0555);
    EXPECT_TRUE(WriteRecord(1, "3|3|3|3|3|3|3000|0"));
    EXPECT_FALSE(WriteMarker(1, 71));
    ::chmod(SlotFolderPath(1).c_str(), 0755);
    EXPECT_EQ(ReadFile(RecordPath(1)), "3|3|3|3|3|3|3000|0");
  }
}

// Before, every start removed every temporary file, also the one a running program was about
// to rename over its record.
TEST_F(StoreFiles, OnlyTemporaryFilesOfEndedProgramsAreRemoved) {
  const pid_t ended = ::fork();
  if (ended == 0) ::_exit(0);
  ASSERT_GT(ended, 0);
  ::waitpid(ended, nullptr, 0);
  const pid_t running = ::getppid();
  const std::string folder = SlotFolderPath(2);
  const std::string ofEnded = ".petsim-tmp.Data.txt." + std::to_string(ended) + ".0";
  const std::string ofRunning = ".petsim-tmp.Data.txt." + std::to_string(running) + ".0";
  const std::string ofThisOne = ".petsim-tmp.rz.txt." + std::to_string(::getpid()) + ".3";
  for (const auto& name : {ofEnded, ofRunning, ofThisOne, std::string(".petsim-tmp.Data.txt.x.0")})
    WriteFile(folder + "/" + name, "half");
  WriteFile(folder + "/notes.txt", "kept");
  RemoveStaleTemporaryFiles();
  // This program has written nothing yet when it cleans up: a file with its pid is a dead
  // program's whose pid came round again.
  EXPECT_EQ(FolderEntries(2), (std::vector<std::string>{ofRunning, "notes.txt"}));
}

TEST(RandomGeneratorSkip, EqualsDrawingOneByOne) {
  for (const std::uint64_t count : {0ull, 1ull, 2ull, 3ull, 7ull, 1000ull, 65537ull}) {
    RandomGenerator stepped, jumped;
    stepped.Seed(987654321u);
    jumped.Seed(987654321u);
    for (std::uint64_t i = 0; i < count; ++i) stepped.Next();
    jumped.Skip(count);
    EXPECT_EQ(jumped.State(), stepped.State()) << count;
  }
}
