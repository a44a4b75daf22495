#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where the program keeps its data: the folder that holds 召唤兽/ (pets, pictures, records) and
// UI/ (digit pictures). Every path of the program is relative to it, so the program changes into
// it before anything reads a file.

struct FolderResult {
  std::filesystem::path folder;  // empty on failure
  std::string error;             // plain words naming the folder, on failure
};

// The data folder that comes with the program: <exe dir>/../share/petsim/data when installed
// (Windows: <exe dir>/data, shipped beside the program), the source tree's data/ for a build
// tree. Empty when none is found.
std::filesystem::path DefaultDataFolder();

// The per-user folder: $XDG_DATA_HOME/petsim, else ~/.local/share/petsim (Windows:
// %APPDATA%\petsim). Empty without a home.
std::filesystem::path UserDataFolder();

// Which data folder a start uses, found without writing anything: `given` when there is one (it must
// hold 召唤兽/); otherwise the current directory when it holds 召唤兽/; otherwise, on Windows, the
// program's own folder when it holds 召唤兽/ (a portable copy); otherwise the per-user
// folder. `fillFrom` is set when that per-user folder holds no 召唤兽/ yet: it is the default
// data folder a first start fills it from (and what a reader that writes nothing reads instead).
struct ResolvedFolder {
  std::filesystem::path folder;    // empty on failure
  std::filesystem::path fillFrom;  // empty unless the per-user folder is still to be filled
  std::string error;               // plain words naming the folder, on failure
};
ResolvedFolder ResolveDataFolder(const std::optional<std::string>& given);

// The folder a start works in: ResolveDataFolder, and a per-user folder that is still to be
// filled is filled from the default data folder (existing files are never overwritten).
FolderResult ChooseDataFolder(const std::optional<std::string>& given);

// Changes into `folder` and creates the slot folders 召唤兽/数据/1..15 that are missing (what a
// killed program left is settled later, under the folder's lock). Returns an error text, empty
// when all went well.
std::string EnterDataFolder(const std::filesystem::path& folder);
