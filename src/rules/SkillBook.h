#pragma once

#include <string_view>

#include "core/RandomGenerator.h"

struct AppState;

inline constexpr std::string_view kNoBookText = "请放入兽决";
inline constexpr std::string_view kDuplicateSkillText = "技能重复";
inline constexpr std::string_view kBookSaveFailedText = "数据保存失败";
inline constexpr std::string_view kNothingToReplaceText = "没有可被兽决替换的技能";

// The draw of a book: which entry (1-based) of a list of n skills the book replaces.
// A certified pet keeps its first skill: RandomInt(2, n); otherwise RandomInt(1, n).
// Returns 0, drawing nothing, when no entry can be replaced (n = 0, or certified n < 2).
int PickBookSlot(RandomGenerator& random, int n, bool certified);

// Teaches `skill` to the current pet: replaces one entry of currentSkills, rewrites the
// record with its first seven fields as stored ("数据保存失败" on failure; the change
// stays in memory) and blanks bookIcon: the book is used up. Refuses with a message when the
// pet already has the skill, has no replaceable skill, or there is no usable current pet.
// True when a skill was replaced.
bool LearnBookSkill(AppState& app, int skill);

enum class LearnOutcome {
  Refused,  // a message was shown; the book stays in its slot
  Learned,  // the book is used up: bookSkill is 0
};

// The learn click on the book tab, after the button's own part (its tab, its picture at rest):
// "请放入兽决" without a book, "技能重复" when the pet has it; then LearnBookSkill, the main
// window redrawn and the book slot emptied.
LearnOutcome OnLearnClicked(AppState& app);
