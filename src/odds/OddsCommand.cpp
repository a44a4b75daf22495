#include "odds/OddsCommand.h"

#include <unistd.h>

#include <chrono>
#include <iostream>

#include "core/WorkingFolder.h"

int RunOdds(const std::vector<std::string>& args, OddsIo& io) {
  std::string error;
  const auto options = ParseOddsOptions(args, error);
  if (!options) {
    io.err << "petsim odds: " << error << "\n";
    return kOddsBadUsage;
  }
  if (options->help) {
    io.out << kOddsUsage;
    return kOddsOk;
  }
  using Command = int (*)(const OddsOptions&, OddsIo&);
  Command command = nullptr;
  if (options->command == "wash") command = RunWashOdds;
  if (options->command == "merge") command = RunMergeOdds;
  if (options->command == "book") command = RunBookOdds;
  if (command != nullptr) {
    // The folder the simulator would work in. A per-user folder that a first start would fill
    // holds nothing yet: its pets are those of the default data folder it would be filled from.
    const ResolvedFolder resolved = ResolveDataFolder(options->givenFolder);
    if (resolved.folder.empty()) {
      io.err << "petsim odds: " << resolved.error << "\n";
      return kOddsBadData;
    }
    OddsOptions chosen = *options;
    chosen.folder = resolved.fillFrom.empty() ? resolved.folder : resolved.fillFrom;
    return command(chosen, io);
  }
  if (options->command.empty())
    io.err << "petsim odds: say wash, merge or book (petsim odds --help)\n";
  else
    io.err << "petsim odds: unknown command " << options->command << " (wash, merge or book)\n";
  return kOddsBadUsage;
}

int RunOddsCommand(int argc, char** argv) {
  const std::vector<std::string> args(argv, argv + argc);
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  OddsIo io{std::cout, std::cerr, ::isatty(STDERR_FILENO) ? &std::cerr : nullptr,
            static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count())};
  const int status = RunOdds(args, io);
  std::cout.flush();
  return status;
}
