#include <windows.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/FileFaults.h"
#include "core/SavedErrno.h"
#include "core/StoreFiles.h"
#include "core/win32/WideText.h"

// The file layer on Windows: the same promises as on POSIX, with the wide calls. A file is
// made durable with FlushFileBuffers and a rename with MOVEFILE_WRITE_THROUGH; Windows has no
// separate flush of a folder's entries.

namespace {

// Owns one file handle.
class UniqueHandle {
public:
  explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : handle_(handle) {}
  ~UniqueHandle() { Reset(); }
  UniqueHandle(const UniqueHandle&) = delete;
  UniqueHandle& operator=(const UniqueHandle&) = delete;
  HANDLE Get() const { return handle_; }
  explicit operator bool() const { return handle_ != INVALID_HANDLE_VALUE; }
  // Closes now; false when closing reported an error.
  bool Close() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
  }
  void Reset(HANDLE handle = INVALID_HANDLE_VALUE) {
    if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    handle_ = handle;
  }

private:
  HANDLE handle_;
};

// Callers tell failures apart by errno, as on POSIX.
void SetErrnoFromLastError() {
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
      errno = ENOENT;
      break;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
      errno = EEXIST;
      break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      errno = EACCES;
      break;
    case ERROR_WRITE_PROTECT:
      errno = EROFS;
      break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
      errno = ENOSPC;
      break;
    default:
      errno = EIO;
      break;
  }
}

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr DWORD kNoAttributes = INVALID_FILE_ATTRIBUTES;

DWORD AttributesOf(const std::string& path) { return GetFileAttributesW(WideFromUtf8(path).c_str()); }

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    if (FileOperationFails(FileOperation::Write)) return false;
    const DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) {
      SetErrnoFromLastError();
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

bool Flush(HANDLE file) {
  if (FileOperationFails(FileOperation::Flush)) return false;
  if (FlushFileBuffers(file)) return true;
  SetErrnoFromLastError();
  return false;
}

bool IsRunning(long pid) {
  if (pid <= 0 || static_cast<DWORD>(pid) == GetCurrentProcessId()) return false;
  const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
  // A process we may not look at still runs; no process of that id is gone.
  if (process == nullptr) return GetLastError() == ERROR_ACCESS_DENIED;
  DWORD exitCode = 0;
  const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE;
  CloseHandle(process);
  return running;
}

}  // namespace

bool WriteInPlace(const std::string& path, std::string_view bytes) {
  if (FileOperationFails(FileOperation::Create)) return false;
  UniqueHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    SetErrnoFromLastError();
    return false;
  }
  const bool ok = WriteAll(file.Get(), bytes) && Flush(file.Get());
  return file.Close() && ok;
}

FileBytes ReadRegularFile(const std::string& path, std::size_t cap) {
  FileBytes result;
  const DWORD attributes = AttributesOf(path);
  if (attributes == kNoAttributes) {
    const DWORD error = GetLastError();
    result.status =
        error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing : ReadStatus::Unreadable;
    return result;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    result.status = ReadStatus::NotRegular;
    return result;
  }
  const UniqueHandle file(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_READ, kShareAll, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = GetLastError();
    result.status =
        error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadStatus::Missing : ReadStatus::Unreadable;
    return result;
  }
  // A device or pipe that happens to have a file's name is never read.
  if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
    result.status = ReadStatus::NotRegular;
    return result;
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.Get(), &size)) {
    result.status = ReadStatus::Unreadable;
    return result;
  }
  if (static_cast<unsigned long long>(size.QuadPart) > cap) {
    result.status = ReadStatus::TooLarge;
    return result;
  }
  // The size may change while reading: read no more than one byte past the cap.
  std::string bytes;
  char buffer[4096];
  for (;;) {
    const std::size_t room = cap + 1 - bytes.size();
    DWORD got = 0;
    if (!ReadFile(file.Get(), buffer, static_cast<DWORD>(room < sizeof buffer ? room : sizeof buffer), &got, nullptr)) {
      result.status = ReadStatus::Unreadable;
      return result;
    }
    if (got == 0) break;
    bytes.append(buffer, got);
    if (bytes.size() > cap) {
      result.status = ReadStatus::TooLarge;
      return result;
    }
  }
  result.status = ReadStatus::Ok;
  result.bytes = std::move(bytes);
  return result;
}

std::string WriteTemporaryFile(const std::string& target, std::string_view bytes, const std::string&) {
  // The only mode Windows keeps is read-only, and a read-only record is never replaced.
  const std::string base = FolderOf(target) + "/" + std::string(kTemporaryPrefix) + NameOf(target) + "." +
                           std::to_string(GetCurrentProcessId()) + ".";
  std::string temporary;
  UniqueHandle file;
  for (unsigned attempt = 0; attempt < 100 && !file; ++attempt) {
    temporary = base + std::to_string(attempt);
    if (FileOperationFails(FileOperation::Create)) return {};
    file.Reset(CreateFileW(WideFromUtf8(temporary).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
      SetErrnoFromLastError();
      if (errno != EEXIST) return {};
    }
  }
  if (!file) return {};
  bool ok = WriteAll(file.Get(), bytes) && Flush(file.Get());
  ok = file.Close() && ok;
  if (!ok) {
    const SavedErrno keep;
    DeleteFileW(WideFromUtf8(temporary).c_str());
    return {};
  }
  return temporary;
}

bool RenameDurably(const std::string& from, const std::string& to) {
  if (FileOperationFails(FileOperation::Rename)) return false;
  if (MoveFileExW(WideFromUtf8(from).c_str(), WideFromUtf8(to).c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  SetErrnoFromLastError();
  return false;
}

bool RemoveDurably(const std::string& path) {
  if (FileOperationFails(FileOperation::Remove)) return false;
  if (DeleteFileW(WideFromUtf8(path).c_str())) return true;
  SetErrnoFromLastError();
  return false;
}

bool EntryExists(const std::string& path) { return AttributesOf(path) != kNoAttributes; }

bool EntryIsFolder(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  return attributes != kNoAttributes && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
         (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

bool PathExists(const std::string& path) { return EntryExists(path); }

std::vector<std::string> FolderEntryNames(const std::string& folder) {
  std::vector<std::string> names;
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW(WideFromUtf8(folder + "/*").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    const std::wstring_view name(found.cFileName);
    if (name != L"." && name != L"..") names.push_back(Utf8FromWide(name));
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return names;
}

bool MayReplace(const std::string& path) {
  const DWORD attributes = AttributesOf(path);
  if (attributes == kNoAttributes) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return true;
    SetErrnoFromLastError();
    return false;
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
    errno = EISDIR;
    return false;
  }
  // A record its owner made read-only stays as it is, as an in-place write would have failed.
  if ((attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    errno = EACCES;
    return false;
  }
  const UniqueHandle probe(CreateFileW(WideFromUtf8(path).c_str(), GENERIC_WRITE, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!probe) {
    errno = EACCES;
    return false;
  }
  return true;
}

void DiscardTemporaryFile(const std::string& temporary) {
  const SavedErrno keep;
  DeleteFileW(WideFromUtf8(temporary).c_str());
}

void RemoveStaleTemporaryFilesIn(const std::string& folder) {
  for (const std::string& name : FolderEntryNames(folder)) {
    if (name.starts_with(kTemporaryPrefix) && !IsRunning(TemporaryFileWriter(name)))
      DeleteFileW(WideFromUtf8(folder + "/" + name).c_str());
  }
}
