#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// What the command line asks for.
struct CommandLine {
  enum class Action { Run, Help, Version, Odds, Error };
  Action action = Action::Run;
  bool headless = false;                  // the in-memory window system (no display)
  std::string replayScript;               // inputs of a headless run (a headless run needs one)
  std::optional<std::uint32_t> clock;     // every seeding reads this tick
  std::optional<std::string> dataFolder;  // DIR
  std::string launchFolder;               // the directory petsim was started in (set by main)
  std::string error;                      // Action::Error: what was wrong
};

// Reads the words after the program name. `petsim odds ...` gives Action::Odds (its words are
// the odds command's own).
CommandLine ParseCommandLine(const std::vector<std::string>& words);

// The text of `petsim --help`.
std::string HelpText();
