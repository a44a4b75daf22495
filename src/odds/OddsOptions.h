#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

#include "odds/WantConditions.h"

inline constexpr std::uint64_t kDefaultMergeTrials = 1'000'000;

// The words of one odds command line, checked.
struct OddsOptions {
  std::string command;                     // wash, merge or book
  std::vector<std::string> operands;       // the words that are not options
  std::optional<std::string> givenFolder;  // --dir
  std::filesystem::path folder;            // the data folder read, chosen by RunOdds
  WantConditions want;                     // Empty() when no --want was given
  std::optional<std::uint64_t> trials;
  std::optional<std::uint32_t> seed;
  int threads = 0;  // 0: one per core
  bool json = false;
  std::string plotPath;
  bool help = false;
};

// nullopt with a one-line reason when a word is unknown or a value malformed.
std::optional<OddsOptions> ParseOddsOptions(std::span<const std::string> args, std::string& error);

inline constexpr const char* kOddsUsage =
    "usage: petsim odds wash SPECIES|slot:N [--want CONDITIONS] [--trials N] [--seed S]\n"
    "       petsim odds merge SLOT1 SLOT2 [--trials N] [--seed S] [--threads T] [--want CONDITIONS]\n"
    "       petsim odds book SLOT SKILL\n"
    "options for all: --dir DIR (the folder holding 召唤兽/), --json, --plot FILE.png\n"
    "Without --dir the data folder is the simulator's: the current directory when it holds 召唤兽/,\n"
    "  otherwise the per-user folder $XDG_DATA_HOME/petsim (~/.local/share/petsim).\n"
    "CONDITIONS: comma-separated, all must hold: skills>=K, attack>=V, defence>=V, stamina>=V,\n"
    "  magic>=V, speed>=V, growth>=G (1.05 or 1050), has=SKILL, species=S\n";

// Where a run writes. progressTerminal is stderr when it is a terminal, otherwise null.
struct OddsIo {
  std::ostream& out;
  std::ostream& err;
  std::ostream* progressTerminal = nullptr;
  std::uint32_t clockSeed = 1;  // the seed when none is given
};

// The three commands, on checked options; each returns the exit status.
int RunWashOdds(const OddsOptions& options, OddsIo& io);
int RunMergeOdds(const OddsOptions& options, OddsIo& io);
int RunBookOdds(const OddsOptions& options, OddsIo& io);

// Exit statuses.
inline constexpr int kOddsOk = 0;
inline constexpr int kOddsBadData = 1;   // unknown slot, damaged record, a pet the rules refuse
inline constexpr int kOddsBadUsage = 2;  // malformed command line or condition
