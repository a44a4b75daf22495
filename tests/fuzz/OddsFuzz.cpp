// Fuzz target: the command line of `petsim odds` and its --want conditions. The input is split
// into words at newlines and zero bytes; its first line is also read as conditions alone. Besides
// the sanitizers' reports, the traps check that a refusal always says why in one line, and that
// parsed conditions can be tested against any pet.

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "odds/OddsOptions.h"
#include "odds/WantConditions.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

void RequireOneLineReason(const std::string& error) {
  Require(!error.empty() && error.find('\n') == std::string::npos);
}

// The conditions against a few pets: the weakest, the strongest and one in between.
void Probe(const WantConditions& want) {
  const std::vector<int> noSkills;
  const std::vector<int> allSkills = [] {
    std::vector<int> skills;
    for (int s = 1; s <= 79; ++s) skills.push_back(s);
    return skills;
  }();
  const std::array<int, 5> lowest{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  const std::array<int, 5> highest{INT_MAX, INT_MAX, INT_MAX, INT_MAX, INT_MAX};
  const std::array<int, 5> middle{1500, 1400, 5000, 2000, 1300};
  for (int species : {0, 1, 17, 35, 36}) {
    (void)want.Holds(species, lowest, INT_MIN, noSkills);
    (void)want.Holds(species, middle, 1200, allSkills);
    (void)want.Holds(species, highest, INT_MAX, allSkills);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  std::vector<std::string> words;
  for (std::size_t start = 0; start <= text.size();) {
    std::size_t end = text.find_first_of(std::string_view("\n\0", 2), start);
    if (end == std::string_view::npos) end = text.size();
    words.emplace_back(text.substr(start, end - start));
    start = end + 1;
  }

  std::string error;
  const auto want = ParseWantConditions(words.front(), error);
  if (want) {
    Probe(*want);
  } else {
    RequireOneLineReason(error);
  }

  error.clear();
  const auto options = ParseOddsOptions(words, error);
  if (options) {
    if (!options->want.Empty()) Probe(options->want);
  } else {
    RequireOneLineReason(error);
  }
  return 0;
}
