#include "core/WorkingFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>
#include <vector>

#include "core/DataPaths.h"
#include "core/TableSizes.h"

namespace fs = std::filesystem;

namespace {

const fs::path& PetFolderName() {
  static const fs::path name = fs::path("召唤兽");
  return name;
}

bool HoldsPetFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder / PetFolderName(), ec);
}

std::string Quoted(const fs::path& folder) { return "'" + folder.string() + "'"; }

fs::path ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

// This file's own folder is src/app of the source tree the program was built from.
fs::path SourceTreeDataFolder() {
#ifdef PETSIM_SOURCE_DATA_DIR
  return fs::path(PETSIM_SOURCE_DATA_DIR);
#else
  const fs::path here(__FILE__);
  if (!here.is_absolute()) return {};
  return here.parent_path().parent_path().parent_path() / "data";
#endif
}

}  // namespace

fs::path DefaultDataFolder() {
  std::vector<fs::path> candidates;
  const fs::path exeFolder = ExecutableFolder();
  if (!exeFolder.empty()) {
    candidates.push_back(exeFolder / ".." / "share" / "petsim" / "data");
    candidates.push_back(exeFolder / ".." / "data");
    candidates.push_back(exeFolder / ".." / ".." / "data");
  }
  candidates.push_back(SourceTreeDataFolder());
  for (const fs::path& candidate : candidates) {
    if (!candidate.empty() && HoldsPetFolder(candidate)) return fs::weakly_canonical(candidate);
  }
  return {};
}

fs::path UserDataFolder() {
  // Relative values of XDG_DATA_HOME are to be ignored.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') return fs::path(xdg) / "petsim";
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
    return fs::path(home) / ".local" / "share" / "petsim";
  return {};
}

ResolvedFolder ResolveDataFolder(const std::optional<std::string>& given) {
  std::error_code ec;
  if (given) {
    const fs::path folder = fs::path(*given);
    if (!fs::exists(folder, ec)) return {{}, {}, "the data folder " + Quoted(folder) + " does not exist"};
    if (!fs::is_directory(folder, ec)) return {{}, {}, "the data folder " + Quoted(folder) + " is not a folder"};
    if (!HoldsPetFolder(folder))
      return {{}, {}, "the data folder " + Quoted(folder) + " holds no 召唤兽 folder (a data folder holds 召唤兽/ and UI/)"};
    return {fs::absolute(folder, ec), {}, {}};
  }

  const fs::path current = fs::current_path(ec);
  if (!ec && HoldsPetFolder(current)) return {current, {}, {}};

  const fs::path user = UserDataFolder();
  if (user.empty())
    return {{}, {}, "no data folder: the current directory holds no 召唤兽 folder and neither HOME nor XDG_DATA_HOME is set"};
  if (HoldsPetFolder(user)) return {user, {}, {}};

  const fs::path defaults = DefaultDataFolder();
  if (defaults.empty())
    return {{}, {}, "the data folder " + Quoted(user) + " is new and the default data folder to fill it from was not found"};
  return {user, defaults, {}};
}

FolderResult ChooseDataFolder(const std::optional<std::string>& given) {
  const ResolvedFolder resolved = ResolveDataFolder(given);
  if (resolved.folder.empty()) return {{}, resolved.error};
  if (resolved.fillFrom.empty()) return {resolved.folder, {}};
  const fs::path& user = resolved.folder;
  std::error_code ec;
  fs::create_directories(user, ec);
  if (ec) return {{}, "cannot create the data folder " + Quoted(user) + ": " + ec.message()};
  fs::copy(resolved.fillFrom, user, fs::copy_options::recursive | fs::copy_options::skip_existing, ec);
  if (ec)
    return {{}, "cannot fill the data folder " + Quoted(user) + " from " + Quoted(resolved.fillFrom) + ": " + ec.message()};
  return {user, {}};
}

std::string EnterDataFolder(const fs::path& folder) {
  if (chdir(folder.c_str()) != 0) {
    std::error_code ec(errno, std::generic_category());
    return "cannot enter the data folder " + Quoted(folder) + ": " + ec.message();
  }
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const fs::path slotFolder = fs::path(SlotFolderPath(slot));
    std::error_code ec;
    if (fs::is_directory(slotFolder, ec)) continue;
    fs::create_directories(slotFolder, ec);
    if (ec || !fs::is_directory(slotFolder))
      return "cannot create the slot folder " + Quoted((folder / slotFolder).lexically_normal()) + " in the data folder " +
             Quoted(folder) + (ec ? ": " + ec.message() : std::string());
  }
  return {};
}
