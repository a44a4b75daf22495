#pragma once

#include <array>
#include <climits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What a pet must reach for a goal, all conditions together:
// skills>=K, attack>=V, defence>=V, stamina>=V, magic>=V, speed>=V, growth>=G, has=SKILL,
// species=S, separated by commas. Growth is written as the real (1.05) or in thousandths
// (1050); a number below 100 counts as the real.
struct WantConditions {
  std::string text;  // as given, for reports
  int minSkills = 0;
  std::array<int, 5> minAptitudes{INT_MIN, INT_MIN, INT_MIN, INT_MIN, INT_MIN};
  int minGrowth = INT_MIN;  // thousandths
  std::vector<int> requiredSkills;
  std::vector<int> requiredSpecies;

  bool Empty() const { return text.empty(); }
  bool SpeciesHolds(int species) const;
  // aptitude index 0..4 (attack .. speed)
  bool AptitudeHolds(int index, int value) const { return value >= minAptitudes[static_cast<std::size_t>(index)]; }
  bool GrowthHolds(int thousandths) const { return thousandths >= minGrowth; }
  bool SkillsHold(std::span<const int> skills) const;
  bool Holds(int species, std::span<const int, 5> aptitudes, int growth, std::span<const int> skills) const;
};

// The conditions of `text`; nullopt with a one-line reason in `error` when malformed.
std::optional<WantConditions> ParseWantConditions(std::string_view text, std::string& error);

// Aptitude names in record order.
inline constexpr std::array<std::string_view, 5> kAptitudeNames{"attack", "defence", "stamina", "magic", "speed"};
