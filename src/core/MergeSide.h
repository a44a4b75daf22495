#pragma once

#include <array>
#include <vector>

// One side of the merge tab.
struct MergeSide {
  int species = 0;                    // 0 = side empty
  int slot = 0;                       // slot the pet came from; 0 = none
  std::array<double, 8> aptitudes{};  // 1..5 aptitudes, 6 growth, 7 unused
  std::vector<int> skills;
};
