#pragma once

#include <array>

// Sizes of the fixed tables. Fixed tables are 1-based: entry 0 is unused, so a table of
// n entries is a std::array of n + 1. Lists are std::vector (list entry k is element k-1).
inline constexpr int kSlotCount = 15;        // roster slots 1..15
inline constexpr int kSpeciesCount = 35;     // species 1..35
inline constexpr int kSkillCount = 79;       // skills 1..79
inline constexpr int kAptitudeCount = 6;     // 1 attack .. 5 speed, 6 growth
inline constexpr int kSkillIconCount = 15;   // icons one skill list can show
inline constexpr int kCertifiableCount = 8;  // skills 71..78

// Aptitudes 1..5 (whole numbers held as reals) and growth at 6 (e.g. 1.013).
using AptitudeRow = std::array<double, kAptitudeCount + 1>;

template <typename T>
using SlotTable = std::array<T, kSlotCount + 1>;  // indexed by slot 1..15

// The range checks of roster slots and species.
inline constexpr bool IsValidSlot(int slot) { return slot >= 1 && slot <= kSlotCount; }
inline constexpr bool IsValidSpecies(int species) { return species >= 1 && species <= kSpeciesCount; }
