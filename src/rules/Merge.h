#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>
#include <string_view>
#include <vector>

#include "core/AppState.h"
#include "core/RandomGenerator.h"
#include "core/SpeciesCatalogue.h"

inline constexpr std::string_view kMergeNeedsPetsText = "请添加宠物";
inline constexpr std::string_view kMergeNoSkillsText = "两只宠物都没有技能，无法合宠";
inline constexpr std::string_view kMergeSameSlotText = "不能用同一只宠物合宠";

// How a merge re-seeds its generator before the skill selection: the program seeds from
// the clock; a simulation passes an empty function and keeps its own sequence.
using Reseed = std::function<void(RandomGenerator&)>;

// The child of two parents, before it is stored.
struct MergeChild {
  int species = 0;
  std::array<int, 5> aptitudes{};
  int growth = 0;  // thousandths
  std::vector<int> skills;
};

// The bounds of aptitude k from the parents' values a (side 1) and b (side 2):
// trunc(a - (b - a) / 3) and trunc(b + (b - a) / 3), clamped to 32 bits. RandomInt orders
// them and counts a negative one as 0.
ValueRange MergeAptitudeBounds(double a, double b);

// The child's growth range: the lower of the two species' lowest growths to the higher of
// their highest (thousandths). The parents' own growth values play no part.
ValueRange MergeGrowthBounds(int species1, int species2);

// The child's skills: re-seeds, then repeats attempts until one is accepted. An attempt
// dedups list1 + list2 into a pool of P, draws n = RandomInt(1, P), picks n times from the
// first n pool entries with replacement, dedups the picks, and is accepted when
// RandomInt(P/2, P) == RandomInt(n/2, n). Both lists empty: returns an empty list at once.
std::vector<int> MergeSkills(RandomGenerator& random, std::span<const int> list1, std::span<const int> list2,
                             const Reseed& reseed);

// The pool of MergeSkills: list1 then list2, the first occurrence of each skill, in order.
std::vector<int> MergeSkillPool(std::span<const int> list1, std::span<const int> list2);

// The generator jumps DrawMergeSkillPositions needs for a pool of `poolSize` entries; made
// once per pool, as the odds run millions of merges of one pair.
RandomJumps MergeAttemptJumps(std::size_t poolSize);

// The attempts of MergeSkills on a ready pool of `poolSize` entries, without the re-seeding:
// the positions in the pool of the skills picked, in the order first drawn. Leaves the
// generator exactly where the attempts as written leave it; a rejected attempt costs O(1)
// instead of O(n), so a merge costs about O(pool size) instead of its square.
// `jumps` = MergeAttemptJumps(poolSize).
std::vector<std::size_t> DrawMergeSkillPositions(RandomGenerator& random, std::size_t poolSize,
                                                 const RandomJumps& jumps);

// The draws of a merge before the skills: species, aptitudes 1..5, growth (skills empty).
MergeChild DrawMergeValues(RandomGenerator& random, const MergeSide& side1, const MergeSide& side2);

// All draws of one merge, in order: species (RandomInt(1,10) <= 5 takes side 2's),
// aptitudes 1..5, growth over the union of both species' growth ranges, then MergeSkills.
// Reads species, aptitudes 1..5 and skills of each side; both species must be 1..35.
MergeChild DrawMergeChild(RandomGenerator& random, const MergeSide& side1, const MergeSide& side2,
                          const Reseed& reseed);

// The merge, from a click on the merge button on the merge tab. In order: checks both sides;
// draws the child (mergeResultSkills its skills); replaces side 1's record with it and removes
// side 2's record as one step (CommitMerge: all or nothing, even when the program is killed);
// clears the sides (species 0, aptitudes 0.0, skills empty; slots kept, side 1's slot is where
// the child lives); makes the child current (its slot loaded, its picture, blank merge heads,
// the certify look); opens the detail view; redraws the main window; and lets the roster panel
// follow the child. True when the child was saved. On a refused or failed merge ("数据保存失败！")
// nothing on disk, in the sides or in the windows changes.
bool MergePets(AppState& app);
