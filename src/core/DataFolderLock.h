#pragma once

#include <cstdint>
#include <string>

// One simulator per data folder: the program holds a lock on a lock file in the data folder
// for its whole run (POSIX: flock(2); Windows: LockFileEx). The system drops the lock when the
// program ends, however it ends, so a killed program never blocks the next start. Readers
// (petsim odds) take none.
class DataFolderLock {
public:
  enum class State {
    Held,         // this program holds the folder
    InUse,        // another running program holds it
    Unavailable,  // no lock file can be opened (a read-only folder): nothing can be written
                  // there either, so the program runs without the lock
  };

  // Locks the data folder of the working directory, without waiting.
  static DataFolderLock Acquire();

  DataFolderLock(DataFolderLock&& other) noexcept;
  DataFolderLock& operator=(DataFolderLock&& other) noexcept;
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;
  ~DataFolderLock();

  State GetState() const { return state_; }

private:
  // The open lock file: a file descriptor, or a Windows handle; -1 when none.
  DataFolderLock(std::intptr_t file, State state) : file_(file), state_(state) {}
  void CloseFile();
  std::intptr_t file_ = -1;
  State state_ = State::Unavailable;
};

// "./.petsim.lock", in the data folder itself: 召唤兽/数据 holds only the slot folders.
std::string DataFolderLockPath();
