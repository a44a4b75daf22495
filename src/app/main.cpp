#include <cstdio>
#include <filesystem>
#include <system_error>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/RunSimulator.h"
#include "core/WorkingFolder.h"
#include "odds/OddsCommand.h"

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
  return RunSimulator(line);
}
