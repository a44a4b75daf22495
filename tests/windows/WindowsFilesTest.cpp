// The record store's file layer, the data-folder lock, the clock and the choice of the data
// folder on Windows itself: UTF-8 paths reach the wide calls, replacements keep their promises.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/Clock.h"
#include "core/DataFolderFixture.h"
#include "core/DataFolderLock.h"
#include "core/DataPaths.h"
#include "core/FileFaults.h"
#include "core/RosterStore.h"
#include "core/StoreFiles.h"
#include "core/Utf8Path.h"
#include "core/WorkingFolder.h"

namespace {

using WindowsFiles = DataFolderTest;

// A running process of ours that does nothing until it is ended: the test program itself,
// started suspended.
class SuspendedProcess {
public:
  SuspendedProcess() {
    wchar_t exe[MAX_PATH];
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    std::wstring line = L"\"" + std::wstring(exe) + L"\" --gtest_list_tests";
    created_ = CreateProcessW(exe, line.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr, &startup,
                              &info_) != 0;
  }
  ~SuspendedProcess() { End(); }
  SuspendedProcess(const SuspendedProcess&) = delete;
  SuspendedProcess& operator=(const SuspendedProcess&) = delete;
  bool Created() const { return created_; }
  unsigned long Id() const { return info_.dwProcessId; }
  void End() {
    if (!created_) return;
    TerminateProcess(info_.hProcess, 1);
    WaitForSingleObject(info_.hProcess, INFINITE);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
    created_ = false;
  }

private:
  PROCESS_INFORMATION info_{};
  bool created_ = false;
};

TEST_F(WindowsFiles, ChineseFolderNamesReachTheFileSystemAsUtf16) {
  ASSERT_TRUE(ReplaceFileAtomically(RecordPath(3), "12|1300|950|3000|1700|1000|1085|1|19"));
  // Found by its wide name, whatever the system's code page.
  EXPECT_NE(GetFileAttributesW(L"./\u53EC\u5524\u517D/\u6570\u636E/3/Data.txt"), INVALID_FILE_ATTRIBUTES);
  const FileBytes read = ReadRegularFile(RecordPath(3), 4096);
  EXPECT_EQ(read.status, ReadStatus::Ok);
  EXPECT_EQ(read.bytes, "12|1300|950|3000|1700|1000|1085|1|19");
  EXPECT_TRUE(IsSlotOccupied(3));
  EXPECT_EQ(FolderEntries(3), (std::vector<std::string>{"Data.txt"}));
}

TEST_F(WindowsFiles, AReplacementLeavesTheNewFileAndNoTemporaryFile) {
  WriteFile(RecordPath(2), "old");
  ASSERT_TRUE(ReplaceFileAtomically(RecordPath(2), "new record"));
  EXPECT_EQ(ReadFile(RecordPath(2)), "new record");
  EXPECT_EQ(FolderEntries(2), (std::vector<std::string>{"Data.txt"}));
}

TEST_F(WindowsFiles, AFailedStepLeavesTheOldFileAndNoTemporaryFile) {
  for (const FileOperation step :
       {FileOperation::Create, FileOperation::Write, FileOperation::Flush, FileOperation::Rename}) {
    WriteFile(RecordPath(2), "old");
    {
      const ScopedFileFaults faults(FailOnceOf(step, 0));
      EXPECT_FALSE(ReplaceFileAtomically(RecordPath(2), "new record")) << static_cast<int>(step);
    }
    EXPECT_EQ(ReadFile(RecordPath(2)), "old") << static_cast<int>(step);
    EXPECT_EQ(FolderEntries(2), (std::vector<std::string>{"Data.txt"})) << static_cast<int>(step);
  }
}

TEST_F(WindowsFiles, AReadOnlyRecordIsNeitherReplacedNorRewritten) {
  WriteFile(RecordPath(4), "kept");
  const std::wstring wide = PathFromUtf8(RecordPath(4)).wstring();
  ASSERT_TRUE(SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(MayReplace(RecordPath(4)));
  EXPECT_FALSE(ReplaceFileAtomically(RecordPath(4), "changed"));
  SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(ReadFile(RecordPath(4)), "kept");
  EXPECT_EQ(FolderEntries(4), (std::vector<std::string>{"Data.txt"}));
}

TEST_F(WindowsFiles, AFolderInTheRecordsPlaceIsRefusedAndReadsAsNoFile) {
  std::filesystem::create_directories(PathFromUtf8(RecordPath(6) + "/inner"));
  EXPECT_FALSE(ReplaceFileAtomically(RecordPath(6), "x"));
  EXPECT_EQ(ReadRegularFile(RecordPath(6), 4096).status, ReadStatus::NotRegular);
  EXPECT_FALSE(RemoveDurably(RecordPath(6)));
  EXPECT_EQ(ReadRegularFile(RecordPath(7), 4096).status, ReadStatus::Missing);
}

TEST_F(WindowsFiles, ALargerFileThanTheCapIsRefused) {
  WriteFile(RecordPath(2), std::string(100, '1'));
  EXPECT_EQ(ReadRegularFile(RecordPath(2), 99).status, ReadStatus::TooLarge);
  EXPECT_EQ(ReadRegularFile(RecordPath(2), 100).status, ReadStatus::Ok);
}

TEST_F(WindowsFiles, StaleTemporaryFilesGoAndThoseOfARunningWriterStay) {
  SuspendedProcess writer;
  ASSERT_TRUE(writer.Created());
  const std::string folder = SlotFolderPath(1);
  const std::string running = std::string(kTemporaryPrefix) + "Data.txt." + std::to_string(writer.Id()) + ".0";
  const std::string mine = std::string(kTemporaryPrefix) + "Data.txt." + std::to_string(GetCurrentProcessId()) + ".0";
  const std::string nameless = std::string(kTemporaryPrefix) + "Data.txt";
  for (const auto& name : {running, mine, nameless}) WriteFile(folder + "/" + name, "half");
  WriteFile(RecordPath(1), "1|1|1|1|1|1|1000|0");
  RemoveStaleTemporaryFilesIn(folder);
  EXPECT_EQ(FolderEntries(1), (std::vector<std::string>{running, "Data.txt"}));
  writer.End();  // the writer is gone: its file goes at the next start
  RemoveStaleTemporaryFilesIn(folder);
  EXPECT_EQ(FolderEntries(1), (std::vector<std::string>{"Data.txt"}));
}

TEST_F(WindowsFiles, OneLockHolderPerDataFolder) {
  {
    const DataFolderLock first = DataFolderLock::Acquire();
    EXPECT_EQ(first.GetState(), DataFolderLock::State::Held);
    // A second holder (a second open of the lock file) is refused while the first holds it.
    const DataFolderLock second = DataFolderLock::Acquire();
    EXPECT_EQ(second.GetState(), DataFolderLock::State::InUse);
  }
  const DataFolderLock again = DataFolderLock::Acquire();
  EXPECT_EQ(again.GetState(), DataFolderLock::State::Held);
}

TEST(WindowsClock, IsTheSystemTickCount) {
  MonotonicClock clock;
  const DWORD before = GetTickCount();
  const std::uint32_t tick = clock.TickMilliseconds();
  const DWORD after = GetTickCount();
  EXPECT_GE(tick, before);
  EXPECT_LE(tick, after);
}

// Sets an environment variable for its lifetime.
class ScopedVariable {
public:
  ScopedVariable(const wchar_t* name, const std::wstring& value) : name_(name) {
    if (const wchar_t* old = _wgetenv(name)) old_ = old;
    _wputenv_s(name, value.c_str());
  }
  ~ScopedVariable() { _wputenv_s(name_, old_.c_str()); }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
  const wchar_t* name_;
  std::wstring old_;
};

TEST_F(WindowsFiles, DataFolderChoice) {
  namespace fs = std::filesystem;
  const fs::path here = fs::current_path();
  // A folder given by name, in Chinese: it must hold 召唤兽\.
  const fs::path given = here / PathFromUtf8("宠物 数据");
  fs::create_directories(given / PathFromUtf8("召唤兽"));
  const ResolvedFolder chosen = ResolveDataFolder(Utf8FromPath(given));
  EXPECT_EQ(chosen.folder, given) << chosen.error;
  const ResolvedFolder bare = ResolveDataFolder(Utf8FromPath(here / PathFromUtf8("空")));
  EXPECT_TRUE(bare.folder.empty());
  EXPECT_NE(bare.error.find("'" + Utf8FromPath(here / PathFromUtf8("空")) + "'"), std::string::npos) << bare.error;

  // The current directory holds 召唤兽\ (the fixture's): it is the data folder.
  EXPECT_EQ(ResolveDataFolder(std::nullopt).folder, here);

  // Elsewhere (neither here nor beside the program): %APPDATA%\petsim, filled on the first start.
  const fs::path empty = here / "elsewhere";
  const fs::path appData = here / PathFromUtf8("应用数据");
  fs::create_directories(empty);
  fs::create_directories(appData);
  const ScopedVariable variable(L"APPDATA", appData.wstring());
  fs::current_path(empty);
  const ResolvedFolder user = ResolveDataFolder(std::nullopt);
  fs::current_path(here);
  EXPECT_EQ(user.folder, appData / "petsim") << user.error;
  EXPECT_FALSE(user.fillFrom.empty()) << "the default data folder was not found";
}

}  // namespace
