#include "core/StoreFiles.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <memory>
#include <vector>

#include "core/FileFaults.h"
#include "core/SavedErrno.h"
#include "shared/ReadUpTo.h"

namespace {

// Owns one file descriptor.
class UniqueFd {
public:
  explicit UniqueFd(int fd = -1) : fd_(fd) {}
  ~UniqueFd() { Reset(); }
  UniqueFd(const UniqueFd&) = delete;
  UniqueFd& operator=(const UniqueFd&) = delete;
  int Get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  // Closes now; false when close reported an error (a write may have been lost).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
  }
  void Reset(int fd = -1) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }

private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    if (FileOperationFails(FileOperation::Write)) return false;
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool Flush(int fd) {
  if (FileOperationFails(FileOperation::Flush)) return false;
  return ::fsync(fd) == 0;
}

// A folder's entries become durable only when the folder itself is flushed.
void FlushFolder(const std::string& folder) {
  const UniqueFd fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (fd) ::fsync(fd.Get());
}

bool IsRunning(long pid) {
  if (pid <= 0 || pid > std::numeric_limits<pid_t>::max() || pid == ::getpid()) return false;
  return ::kill(pid, 0) == 0 || errno == EPERM;
}

}  // namespace

bool WriteInPlace(const std::string& path, std::string_view bytes) {
  if (FileOperationFails(FileOperation::Create)) return false;
  UniqueFd fd(::open(path.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC));
  if (!fd) return false;
  const bool ok = WriteAll(fd.Get(), bytes) && Flush(fd.Get());
  return fd.Close() && ok;
}

FileBytes ReadRegularFile(const std::string& path, std::size_t cap) {
  FileBytes result;
  // Without O_NONBLOCK, opening a FIFO waits for a writer for ever.
  const UniqueFd fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
  if (!fd) {
    result.status = errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    return result;
  }
  struct stat info {};
  if (::fstat(fd.Get(), &info) != 0) {
    result.status = ReadStatus::Unreadable;
    return result;
  }
  if (!S_ISREG(info.st_mode)) {
    result.status = ReadStatus::NotRegular;
    return result;
  }
  if (static_cast<unsigned long long>(info.st_size) > cap) {
    result.status = ReadStatus::TooLarge;
    return result;
  }
  // The size may change while reading: read no more than one byte past the cap.
  std::string bytes;
  if (!ReadUpTo(fd.Get(), cap + 1, bytes)) {
    result.status = ReadStatus::Unreadable;
    return result;
  }
  if (bytes.size() > cap) {
    result.status = ReadStatus::TooLarge;
    return result;
  }
  result.status = ReadStatus::Ok;
  result.bytes = std::move(bytes);
  return result;
}

std::string WriteTemporaryFile(const std::string& target, std::string_view bytes, const std::string& modeFrom) {
  const std::string base =
      FolderOf(target) + "/" + std::string(kTemporaryPrefix) + NameOf(target) + "." + std::to_string(::getpid()) + ".";
  struct stat old {};
  const bool keepMode = !modeFrom.empty() && ::stat(modeFrom.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  std::string temporary;
  UniqueFd fd;
  for (unsigned attempt = 0; attempt < 100 && !fd; ++attempt) {
    temporary = base + std::to_string(attempt);
    if (FileOperationFails(FileOperation::Create)) return {};
    // 0666: the user's umask decides, as for any file the user creates.
    fd.Reset(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (!fd && errno != EEXIST) return {};
  }
  if (!fd) return {};
  bool ok = true;
  if (keepMode) {
    if (::geteuid() == 0) {
      // Best effort: a record root rewrites stays its owner's.
      [[maybe_unused]] const int ignored = ::fchown(fd.Get(), old.st_uid, old.st_gid);
    }
    ok = !FileOperationFails(FileOperation::ChangeMode) && ::fchmod(fd.Get(), old.st_mode & 07777) == 0;
  }
  ok = ok && WriteAll(fd.Get(), bytes) && Flush(fd.Get());
  ok = fd.Close() && ok;
  if (!ok) {
    const SavedErrno keep;
    ::unlink(temporary.c_str());
    return {};
  }
  return temporary;
}

bool RenameDurably(const std::string& from, const std::string& to) {
  if (FileOperationFails(FileOperation::Rename)) return false;
  if (::rename(from.c_str(), to.c_str()) != 0) return false;
  FlushFolder(FolderOf(to));
  if (FolderOf(from) != FolderOf(to)) FlushFolder(FolderOf(from));
  return true;
}

bool RemoveDurably(const std::string& path) {
  if (FileOperationFails(FileOperation::Remove)) return false;
  if (::unlink(path.c_str()) != 0) return false;
  FlushFolder(FolderOf(path));
  return true;
}

bool EntryExists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

bool EntryIsFolder(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

std::vector<std::string> FolderEntryNames(const std::string& folder) {
  std::vector<std::string> names;
  const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
  if (!dir) return names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name(entry->d_name);
    if (name != "." && name != "..") names.emplace_back(name);
  }
  return names;
}

bool MayReplace(const std::string& path) {
  struct stat old {};
  // A link counts as what it points to, as for reading.
  if (::stat(path.c_str(), &old) != 0) return errno == ENOENT;
  if (!S_ISREG(old.st_mode)) {
    errno = S_ISDIR(old.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  // A file its owner made read-only stays as it is, as an in-place write would have failed
  // (root included: the cleared bit is the owner's wish).
  if ((old.st_mode & S_IWUSR) == 0 || ::access(path.c_str(), W_OK) != 0) {
    errno = EACCES;
    return false;
  }
  return true;
}

void DiscardTemporaryFile(const std::string& temporary) {
  const SavedErrno keep;
  ::unlink(temporary.c_str());
}

void RemoveStaleTemporaryFilesIn(const std::string& folder) {
  std::vector<std::string> stale;
  for (std::string& name : FolderEntryNames(folder)) {
    if (name.starts_with(kTemporaryPrefix) && !IsRunning(TemporaryFileWriter(name))) stale.push_back(std::move(name));
  }
  for (const auto& name : stale) ::unlink((folder + "/" + name).c_str());
  if (!stale.empty()) FlushFolder(folder);
}
