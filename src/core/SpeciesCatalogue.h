#pragma once

#include <array>

#include "core/RandomGenerator.h"

// The fixed table of the 35 species: ranges of the five aptitudes and the growth, and the
// default skills from which a new or washed pet's skills are drawn.

struct ValueRange {
  int lowest = 0;
  int highest = 0;
  friend bool operator==(const ValueRange&, const ValueRange&) = default;
};

inline constexpr int kMaxDefaultSkills = 5;

struct SpeciesRow {
  std::array<ValueRange, 7> ranges;  // 1 attack .. 5 speed, 6 growth in thousandths; 0 unused
  int listedCount;                   // as stored; nothing uses it (row 8 says 4, lists 3)
  int skillCount;                    // default skills actually listed
  std::array<int, kMaxDefaultSkills> skills;
};

// Row of a species 1..35.
const SpeciesRow& SpeciesCatalogueRow(int species);

// (lowest, highest) of a species 1..35 and field 1..6 (6 = growth in thousandths).
ValueRange SpeciesRange(int species, int field);

// A small list of distinct skills drawn from one species' defaults.
struct RolledSkills {
  std::array<int, kMaxDefaultSkills> items{};
  int count = 0;
  const int* begin() const { return items.data(); }
  const int* end() const { return items.data() + count; }
};

// The skill roll of a species: n = RandomInt(1, number of defaults), then n picks without
// replacement, each RandomInt(1, size of what is left) into the remaining pool. Draws in
// exactly that order. Pure over the generator; safe to call millions of times.
RolledSkills RollSpeciesSkills(RandomGenerator& random, int species);
