#include "core/WorkingFolder.h"

#include <system_error>
#include <vector>

#include "core/DataPaths.h"
#include "core/ProgramFolders.h"
#include "core/TableSizes.h"
#include "core/Utf8Path.h"

namespace fs = std::filesystem;

namespace {

const fs::path& PetFolderName() {
  static const fs::path name = PathFromUtf8("召唤兽");
  return name;
}

bool HoldsPetFolder(const fs::path& folder) {
  std::error_code ec;
  return fs::is_directory(folder / PetFolderName(), ec);
}

std::string Quoted(const fs::path& folder) { return "'" + Utf8FromPath(folder) + "'"; }

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
  std::vector<fs::path> candidates = DefaultDataFolderCandidates(ExecutableFolder());
  candidates.push_back(SourceTreeDataFolder());
  for (const fs::path& candidate : candidates) {
    if (candidate.empty() || !HoldsPetFolder(candidate)) continue;
    // A path the library cannot make canonical (one without a drive, on Windows) is used as it is.
    std::error_code ec;
    const fs::path canonical = fs::weakly_canonical(candidate, ec);
    return ec ? candidate : canonical;
  }
  return {};
}

ResolvedFolder ResolveDataFolder(const std::optional<std::string>& given) {
  std::error_code ec;
  if (given) {
    const fs::path folder = PathFromUtf8(*given);
    if (!fs::exists(folder, ec)) return {{}, {}, "the data folder " + Quoted(folder) + " does not exist"};
    if (!fs::is_directory(folder, ec)) return {{}, {}, "the data folder " + Quoted(folder) + " is not a folder"};
    if (!HoldsPetFolder(folder))
      return {{},
              {},
              "the data folder " + Quoted(folder) + " holds no 召唤兽 folder (a data folder holds 召唤兽/ and UI/)"};
    return {fs::absolute(folder, ec), {}, {}};
  }

  const fs::path current = fs::current_path(ec);
  if (!ec && HoldsPetFolder(current)) return {current, {}, {}};
  if (const fs::path portable = PortableDataFolder(); !portable.empty() && HoldsPetFolder(portable))
    return {portable, {}, {}};

  const fs::path user = UserDataFolder();
  if (user.empty())
    return {{}, {}, "no data folder: the current directory holds no 召唤兽 folder and " + MissingUserFolderReason()};
  if (HoldsPetFolder(user)) return {user, {}, {}};

  const fs::path defaults = DefaultDataFolder();
  if (defaults.empty())
    return {{},
            {},
            "the data folder " + Quoted(user) + " is new and the default data folder to fill it from was not found"};
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
    return {{},
            "cannot fill the data folder " + Quoted(user) + " from " + Quoted(resolved.fillFrom) + ": " + ec.message()};
  return {user, {}};
}

std::string EnterDataFolder(const fs::path& folder) {
  std::error_code entered;
  fs::current_path(folder, entered);
  if (entered) return "cannot enter the data folder " + Quoted(folder) + ": " + entered.message();
  for (int slot = 1; slot <= kSlotCount; ++slot) {
    const fs::path slotFolder = PathFromUtf8(SlotFolderPath(slot));
    std::error_code ec;
    if (fs::is_directory(slotFolder, ec)) continue;
    fs::create_directories(slotFolder, ec);
    if (ec || !fs::is_directory(slotFolder))
      return "cannot create the slot folder " + Quoted((folder / slotFolder).lexically_normal()) +
             " in the data folder " + Quoted(folder) + (ec ? ": " + ec.message() : std::string());
  }
  return {};
}
