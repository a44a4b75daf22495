#include "odds/BookOdds.h"

#include <algorithm>

#include "core/Skills.h"
#include "odds/ExactDraw.h"
#include "rules/SkillBook.h"

namespace {
// The book picker refuses these before they reach the book slot.
constexpr std::string_view kSpecialSkillText = "特殊技能不能选取";
}  // namespace

BookOdds ComputeBookOdds(const std::vector<int>& skills, bool certified, int bookSkill) {
  BookOdds odds;
  const int n = static_cast<int>(skills.size());
  if (IsSpecialSkill(bookSkill)) {
    odds.refusals.push_back(kSpecialSkillText);
    odds.pickerRefuses = true;
  }
  if (bookSkill == 0) odds.refusals.push_back(kNoBookText);
  if (bookSkill != 0 && std::find(skills.begin(), skills.end(), bookSkill) != skills.end())
    odds.refusals.push_back(kDuplicateSkillText);
  // The book's own draw, run once per raw generator value.
  const DrawCounts picks =
      CountSingleDraw([n, certified](RandomGenerator& random) { return PickBookSlot(random, n, certified); });
  if (picks.Chance(0) > 0.0) odds.refusals.push_back(kNothingToReplaceText);
  if (!odds.refusals.empty()) return odds;
  odds.replaceChances.assign(skills.size(), 0.0);
  for (int k = 1; k <= n; ++k) odds.replaceChances[static_cast<std::size_t>(k - 1)] = picks.Chance(k);
  return odds;
}
