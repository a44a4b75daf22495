#pragma once

#include <string_view>
#include <vector>

// What a skill book does to a pet: the chance that each of its skills is the one replaced,
// or why the book cannot be learnt.
struct BookOdds {
  // The messages the program would show instead of learning, in the order it checks them;
  // the first is the one the user sees. Empty when the book can be learnt.
  std::vector<std::string_view> refusals;
  // The first refusal is the skill-book picker's (a special skill), not the learn button's.
  bool pickerRefuses = false;
  std::vector<double> replaceChances;  // by position in the pet's skill list; empty when refused
};

// bookSkill 0 is an empty book slot. skills: the pet's skills in record order.
BookOdds ComputeBookOdds(const std::vector<int>& skills, bool certified, int bookSkill);
