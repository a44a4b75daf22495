#include <windows.h>

#include <utility>

#include "core/DataFolderLock.h"
#include "core/win32/WideText.h"

namespace {
HANDLE AsHandle(std::intptr_t file) { return reinterpret_cast<HANDLE>(file); }
}  // namespace

std::string DataFolderLockPath() { return "./.petsim.lock"; }

DataFolderLock DataFolderLock::Acquire() {
  const std::wstring path = WideFromUtf8(DataFolderLockPath());
  // Not inherited: a program started from here must not keep the folder locked.
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return DataFolderLock(-1, State::Unavailable);
  OVERLAPPED whole{};
  if (LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole))
    return DataFolderLock(reinterpret_cast<std::intptr_t>(file), State::Held);
  const State state = GetLastError() == ERROR_LOCK_VIOLATION ? State::InUse : State::Unavailable;
  CloseHandle(file);
  return DataFolderLock(-1, state);
}

void DataFolderLock::CloseFile() {
  if (file_ != -1) CloseHandle(AsHandle(file_));
  file_ = -1;
}

DataFolderLock::DataFolderLock(DataFolderLock&& other) noexcept
    : file_(std::exchange(other.file_, -1)), state_(other.state_) {}

DataFolderLock& DataFolderLock::operator=(DataFolderLock&& other) noexcept {
  if (this != &other) {
    CloseFile();
    file_ = std::exchange(other.file_, -1);
    state_ = other.state_;
  }
  return *this;
}

DataFolderLock::~DataFolderLock() { CloseFile(); }
