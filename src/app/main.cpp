#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "app/CommandLine.h"
#include "app/RunSimulator.h"
#include "core/DataFolderLock.h"
#include "core/RosterTransactions.h"
#include "core/WorkingFolder.h"
#include "odds/OddsCommand.h"
#include "platform/gtk/GtkSystem.h"
#include "ui/main/SystemMessages.h"

namespace {

// On stderr and, in the window mode when a display can be opened, in a message box.
void ReportFolderInUse(const CommandLine& line, const std::filesystem::path& folder) {
  std::fprintf(stderr, "petsim: the data folder '%s' is in use by another petsim; close that one first\n",
               folder.c_str());
  if (line.headless) return;
  if (const auto system = platform::MakeGtkSystem(); system != nullptr)
    SystemMessages(*system).Show("数据文件夹正被另一个正在运行的程序使用，请先关闭那个程序：\n" + folder.string(),
                                 kErrorCaption);
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> words(argv + 1, argv + argc);
  CommandLine line = ParseCommandLine(words);
  switch (line.action) {
    case CommandLine::Action::Help:
      std::fputs(HelpText().c_str(), stdout);
      return 0;
    case CommandLine::Action::Version:
      std::printf("petsim %s\n", PETSIM_VERSION);
      return 0;
    case CommandLine::Action::Odds:
      return RunOddsCommand(argc - 2, argv + 2);
    case CommandLine::Action::Error:
      std::fprintf(stderr, "petsim: %s (see petsim --help)\n", line.error.c_str());
      return 2;
    case CommandLine::Action::Run:
      break;
  }

  std::error_code ec;
  line.launchFolder = std::filesystem::current_path(ec).string();
  const FolderResult chosen = ChooseDataFolder(line.dataFolder);
  if (chosen.folder.empty()) {
    std::fprintf(stderr, "petsim: %s\n", chosen.error.c_str());
    return 1;
  }
  // Every path the program reads or writes is relative to the data folder.
  if (const std::string error = EnterDataFolder(chosen.folder); !error.empty()) {
    std::fprintf(stderr, "petsim: %s\n", error.c_str());
    return 1;
  }
  // One simulator per data folder, held until the program ends; what a killed program left
  // (temporary files, half-done merges and certifications) is settled only under it.
  const DataFolderLock lock = DataFolderLock::Acquire();
  if (lock.GetState() == DataFolderLock::State::InUse) {
    ReportFolderInUse(line, chosen.folder);
    return 1;
  }
  RecoverRoster();
  return RunSimulator(line);
}
