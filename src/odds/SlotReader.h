#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads saved pets from a data folder without the program's state: the folder given, not
// the working directory, and nothing is ever written.

struct SlotPet {
  int slot = 0;
  std::vector<std::string> fields;  // the record split at "|"
  bool certified = false;           // rz.txt exists
};

// "7" or "slot:7"; nullopt when it is neither a number nor slot:number.
std::optional<int> ParseSlotArgument(std::string_view text);

// The pet of `slot` under `folder` (the folder that holds 召唤兽/). On failure nullopt and
// a one-line reason: a slot outside 1..15, a free slot, an unreadable or damaged record.
std::optional<SlotPet> ReadSlotPet(const std::filesystem::path& folder, int slot, std::string& error);
