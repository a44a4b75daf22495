// petsim.exe: the command line, the data folder, its lock and start-up recovery, and the stored
// skinning library mapped by the in-memory loader. The simulator's windows come later: asked to
// run it, the program says so and ends with status 3.
// windows.h before the other Windows headers, which need its definitions.
#include <windows.h>

#include <shellapi.h>

#include <cstdio>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/win32/ProgramConsole.h"
#include "core/DataFolderLock.h"
#include "core/RosterTransactions.h"
#include "core/Utf8Path.h"
#include "core/WorkingFolder.h"
#include "core/win32/WideText.h"
#include "loader/MemoryModule.h"
#include "loader/StoredSkinLibrary.h"
#include "odds/OddsCommand.h"

namespace {

constexpr int kNotAvailable = 3;

// The words after the program's name, as UTF-8 (the narrow argv is in the system's code page).
std::vector<std::string> Utf8Words() {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> words;
  for (int i = 1; i < count; ++i) words.push_back(Utf8FromWide(wide[i]));
  LocalFree(wide);
  return words;
}

// On the console when there is one; in a message box when the program was double-clicked.
void Report(bool console, const std::string& text) {
  if (console) {
    std::fprintf(stderr, "petsim: %s\n", text.c_str());
    return;
  }
  MessageBoxW(nullptr, WideFromUtf8(text).c_str(), L"petsim", MB_OK | MB_ICONERROR);
}

}  // namespace

int main() {
  const bool console = AttachToStartingConsole();
  std::vector<std::string> words = Utf8Words();
  CommandLine line = ParseCommandLine(words);
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(HelpText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::printf("petsim %s\n", PETSIM_VERSION);
      return 0;
    case CommandLine::Action::Odds: {
      std::vector<char*> arguments;
      for (std::size_t i = 1; i < words.size(); ++i) arguments.push_back(words[i].data());
      arguments.push_back(nullptr);
      return RunOddsCommand(static_cast<int>(words.size()) - 1, arguments.data());
    }
    case CommandLine::Action::Error:
      std::fprintf(stderr, "petsim: %s (see petsim --help)\n", line.error.c_str());
      return 2;
    case CommandLine::Action::Run:
      break;
  }

  const FolderResult chosen = ChooseDataFolder(line.dataFolder);
  if (chosen.folder.empty()) {
    Report(console, chosen.error);
    return 1;
  }
  if (const std::string error = EnterDataFolder(chosen.folder); !error.empty()) {
    Report(console, error);
    return 1;
  }
  // One program per data folder; what a killed program left is settled only under the lock.
  const DataFolderLock lock = DataFolderLock::Acquire();
  if (lock.GetState() == DataFolderLock::State::InUse) {
    Report(console,
           "the data folder '" + Utf8FromPath(chosen.folder) + "' is in use by another petsim; close that one first");
    return 1;
  }
  RecoverRoster();
  // Mapped for the whole run and never called, as at every start.
  MemoryModule skinModule;
  LoadStoredSkinLibrary(skinModule);
  Report(console,
         "the simulator's windows are not available in the Windows build yet; "
         "petsim odds works (petsim --help)");
  return kNotAvailable;
}
