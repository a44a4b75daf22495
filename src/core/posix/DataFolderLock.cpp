#include "core/DataFolderLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

std::string DataFolderLockPath() { return "./.petsim.lock"; }

DataFolderLock DataFolderLock::Acquire() {
  const std::string path = DataFolderLockPath();
  // Close-on-exec: a program started from here must not keep the folder locked.
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0666);
  if (fd < 0) fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
  if (fd < 0) return DataFolderLock(-1, State::Unavailable);
  int result;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result == 0) return DataFolderLock(fd, State::Held);
  const State state = errno == EWOULDBLOCK ? State::InUse : State::Unavailable;
  ::close(fd);
  return DataFolderLock(-1, state);
}

void DataFolderLock::CloseFile() {
  if (file_ >= 0) ::close(static_cast<int>(file_));
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
