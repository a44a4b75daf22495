#pragma once

#include <algorithm>
#include <array>
#include <string_view>

// Facts about skills 1..79.

// The eight attack spells that can be certified, in the order offered.
inline constexpr std::array<int, 8> CertifiableSkills{71, 72, 73, 74, 75, 76, 77, 78};
inline constexpr std::string_view CertifiableSkillsText = "71|72|73|74|75|76|77|78";
// Skills only a species' defaults give; never the skill of a book.
inline constexpr std::array<int, 6> SpecialSkills{66, 67, 68, 69, 70, 79};
// Certification adds one of these.
inline constexpr std::array<int, 2> CertificationBonusSkills{11, 13};

constexpr bool IsCertifiableSkill(int skill) {
  return std::find(CertifiableSkills.begin(), CertifiableSkills.end(), skill) != CertifiableSkills.end();
}
constexpr bool IsSpecialSkill(int skill) {
  return std::find(SpecialSkills.begin(), SpecialSkills.end(), skill) != SpecialSkills.end();
}
