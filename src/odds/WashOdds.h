#pragma once

#include <array>
#include <optional>
#include <vector>

#include "odds/ExactDraw.h"
#include "odds/WantConditions.h"

// The exact odds of one wash of a species: every value is drawn on its own, so the chances
// follow from the single draws (each raw generator value equally likely).

struct SkillListChance {
  std::vector<int> skills;  // in the order drawn
  double chance = 0.0;
};

struct WashOdds {
  int species = 0;
  std::array<DrawCounts, 6> values;    // attack .. speed, then the growth in thousandths
  std::vector<double> countChances;    // index c: chance of c skills (index 0 unused)
  std::vector<int> defaultSkills;      // in catalogue order
  std::vector<double> skillChances;    // chance that defaultSkills[i] is among the rolled skills
  std::vector<SkillListChance> lists;  // every possible skill list
};

// species 1..35.
WashOdds ComputeWashOdds(int species);

// The chance that one wash meets every condition.
double WashWantChance(const WashOdds& odds, const WantConditions& want);

// How many tries a goal of chance p per try takes.
struct TriesToGoal {
  double expected = 0.0;            // 1 / p; infinite when p is 0
  std::optional<double> forHalf;    // fewest tries (a whole number) that reach the goal with 50 % certainty
  std::optional<double> forNinety;  // ... with 90 %; nullopt when p is 0
};
TriesToGoal TriesFor(double p);
