#include "core/ProgramFolders.h"

#include <cstdlib>
#include <system_error>

#include "core/WorkingFolder.h"

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
  std::error_code ec;
  const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

std::vector<fs::path> DefaultDataFolderCandidates(const fs::path& exeFolder) {
  if (exeFolder.empty()) return {};
  return {exeFolder / ".." / "share" / "petsim" / "data", exeFolder / ".." / "data", exeFolder / ".." / ".." / "data"};
}

fs::path PortableDataFolder() { return {}; }

fs::path UserDataFolder() {
  // Relative values of XDG_DATA_HOME are to be ignored.
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg != nullptr && xdg[0] == '/') return fs::path(xdg) / "petsim";
  if (const char* home = std::getenv("HOME"); home != nullptr && home[0] != '\0')
    return fs::path(home) / ".local" / "share" / "petsim";
  return {};
}

std::string MissingUserFolderReason() { return "neither HOME nor XDG_DATA_HOME is set"; }
