#include "odds/WashOdds.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/SpeciesCatalogue.h"

namespace {

// Walks the skill roll's tree of draws: n = RandomInt(1, m), then n picks, each
// RandomInt(1, what is left) into the remaining pool.
void EnumeratePicks(std::vector<int>& pool, std::vector<int>& picked, int left, double chance,
                    std::vector<SkillListChance>& out) {
  if (left == 0) {
    out.push_back({picked, chance});
    return;
  }
  const DrawCounts pick = RandomIntCounts(1, static_cast<int>(pool.size()));
  for (int k = pick.low; k <= pick.High(); ++k) {
    const double p = pick.Chance(k);
    if (p == 0.0) continue;
    const int skill = pool[static_cast<std::size_t>(k - 1)];
    pool.erase(pool.begin() + (k - 1));
    picked.push_back(skill);
    EnumeratePicks(pool, picked, left - 1, chance * p, out);
    picked.pop_back();
    pool.insert(pool.begin() + (k - 1), skill);
  }
}

double TriesForCertainty(double p, double certainty) {
  if (p >= 1.0) return 1;
  // Fewest t with 1 - (1 - p)^t >= certainty.
  const double missLog = std::log1p(-p);
  const auto reached = [missLog](double t) { return -std::expm1(t * missLog); };
  double tries = std::max(1.0, std::ceil(std::log1p(-certainty) / missLog));
  // The quotient may land a hair beside a whole number; settle on the exact fewest. Beyond
  // 2^53 tries a step of one no longer shows, and the figure is only that large anyway.
  if (tries < 9e15) {
    while (tries > 1 && reached(tries - 1) >= certainty) --tries;
    while (reached(tries) < certainty) ++tries;
  }
  return tries;
}

}  // namespace

WashOdds ComputeWashOdds(int species) {
  const SpeciesRow& row = SpeciesCatalogueRow(species);
  WashOdds odds;
  odds.species = species;
  for (int k = 1; k <= 6; ++k) {
    const ValueRange range = SpeciesRange(species, k);
    odds.values[static_cast<std::size_t>(k - 1)] = RandomIntCounts(range.lowest, range.highest);
  }
  odds.defaultSkills.assign(row.skills.begin(), row.skills.begin() + row.skillCount);
  const int m = row.skillCount;
  odds.countChances.assign(static_cast<std::size_t>(m) + 1, 0.0);
  const DrawCounts count = RandomIntCounts(1, m);
  for (int n = count.low; n <= count.High(); ++n) {
    odds.countChances[static_cast<std::size_t>(n)] = count.Chance(n);
    std::vector<int> pool = odds.defaultSkills;
    std::vector<int> picked;
    EnumeratePicks(pool, picked, n, count.Chance(n), odds.lists);
  }
  odds.skillChances.assign(odds.defaultSkills.size(), 0.0);
  for (const auto& list : odds.lists)
    for (std::size_t i = 0; i < odds.defaultSkills.size(); ++i)
      for (int skill : list.skills)
        if (skill == odds.defaultSkills[i]) odds.skillChances[i] += list.chance;
  return odds;
}

double WashWantChance(const WashOdds& odds, const WantConditions& want) {
  if (!want.SpeciesHolds(odds.species)) return 0.0;
  double chance = 1.0;
  for (int k = 0; k < 5; ++k) {
    const DrawCounts& values = odds.values[static_cast<std::size_t>(k)];
    double part = 0.0;
    for (int v = values.low; v <= values.High(); ++v)
      if (want.AptitudeHolds(k, v)) part += values.Chance(v);
    chance *= part;
  }
  double growth = 0.0;
  const DrawCounts& growths = odds.values[5];
  for (int g = growths.low; g <= growths.High(); ++g)
    if (want.GrowthHolds(g)) growth += growths.Chance(g);
  chance *= growth;
  double skills = 0.0;
  for (const auto& list : odds.lists)
    if (want.SkillsHold(list.skills)) skills += list.chance;
  return chance * skills;
}

TriesToGoal TriesFor(double p) {
  TriesToGoal tries;
  if (p <= 0.0) {
    tries.expected = std::numeric_limits<double>::infinity();
    return tries;
  }
  tries.expected = 1.0 / p;
  tries.forHalf = TriesForCertainty(p, 0.5);
  tries.forNinety = TriesForCertainty(p, 0.9);
  return tries;
}
