#include "core/RosterStore.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <memory>
#include <string>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/PetRecord.h"

namespace {

// Temporary files start with this, followed by the target's name; nothing else in a
// slot folder starts with a dot.
constexpr std::string_view kTemporaryPrefix = ".petsim-tmp.";

// Existence as the data folder means it: any entry of that name counts.
bool FileExists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

bool IsValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }

std::string ReadWholeFile(const std::string& path) {
  std::string bytes;
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return bytes;
  char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd, buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  ::close(fd);
  return bytes;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

void SyncFolder(const std::string& folder) {
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

std::string FolderOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const auto slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool DeleteFile(const std::string& path) {
  if (::unlink(path.c_str()) != 0) return false;
  SyncFolder(FolderOf(path));
  return true;
}

}  // namespace

bool ReplaceFileAtomically(const std::string& path, std::string_view bytes) {
  const std::string folder = FolderOf(path);
  const std::string base = folder + "/" + std::string(kTemporaryPrefix) + NameOf(path) + ".";
  std::string temporary;
  int fd = -1;
  for (unsigned attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    temporary = base + std::to_string(::getpid()) + "." + std::to_string(attempt);
    fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) return false;
  }
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!ok) {
    ::unlink(temporary.c_str());
    return false;
  }
  SyncFolder(folder);
  return true;
}

bool IsSlotOccupied(int slot) { return IsValidSlot(slot) && FileExists(RecordPath(slot)); }

bool IsSlotCertified(int slot) { return IsValidSlot(slot) && FileExists(MarkerPath(slot)); }

std::vector<int> ScanOccupiedSlots() {
  std::vector<int> slots;
  for (int slot = 1; slot <= kSlotCount; ++slot)
    if (IsSlotOccupied(slot)) slots.push_back(slot);
  return slots;
}

std::vector<std::string> ReadRecordFields(int slot) {
  if (!IsValidSlot(slot)) return {};
  return SplitRecord(ReadWholeFile(RecordPath(slot)));
}

bool AreRecordFieldsDamaged(const std::vector<std::string>& fields) {
  if (fields.size() < static_cast<std::size_t>(kRecordFixedFields)) return true;
  const int species = ParseRecordNumber(fields[0]);
  return species < 1 || species > kSpeciesCount;
}

bool IsSlotDamaged(int slot) {
  return IsSlotOccupied(slot) && AreRecordFieldsDamaged(ReadRecordFields(slot));
}

bool WriteRecord(int slot, std::string_view text) {
  return IsValidSlot(slot) && ReplaceFileAtomically(RecordPath(slot), text);
}

bool DeleteRecord(int slot) { return IsValidSlot(slot) && DeleteFile(RecordPath(slot)); }

bool WriteMarker(int slot, int skill) {
  return IsValidSlot(slot) && ReplaceFileAtomically(MarkerPath(slot), std::to_string(skill));
}

bool DeleteMarker(int slot) { return IsValidSlot(slot) && DeleteFile(MarkerPath(slot)); }

void RemoveStaleTemporaryFiles() {
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const std::string folder = SlotFolderPath(slot);
    const std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(folder.c_str()), &::closedir);
    if (!dir) continue;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir.get())) {
      if (std::string_view(entry->d_name).starts_with(kTemporaryPrefix)) stale.emplace_back(entry->d_name);
    }
    for (const auto& name : stale) ::unlink((folder + "/" + name).c_str());
    if (!stale.empty()) SyncFolder(folder);
  }
}
