#include <windows.h>

#include <cwchar>
#include <string>

#include "core/ProgramFolders.h"
#include "core/WorkingFolder.h"

namespace fs = std::filesystem;

fs::path ExecutableFolder() {
  std::wstring exe(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size()));
    if (length == 0) return {};
    if (length < exe.size()) {
      exe.resize(length);
      return fs::path(exe).parent_path();
    }
    exe.resize(exe.size() * 2);
  }
}

// Shipped beside petsim.exe; in a build tree, the source tree's data/ two or three levels up.
std::vector<fs::path> DefaultDataFolderCandidates(const fs::path& exeFolder) {
  if (exeFolder.empty()) return {};
  return {exeFolder / "data", exeFolder / ".." / "data", exeFolder / ".." / ".." / "data"};
}

fs::path PortableDataFolder() { return ExecutableFolder(); }

fs::path UserDataFolder() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  if (appData == nullptr || appData[0] == L'\0') return {};
  return fs::path(appData) / "petsim";
}

std::string MissingUserFolderReason() { return "APPDATA is not set"; }
