#include "odds/WantConditions.h"

#include <algorithm>
#include <charconv>
#include <cmath>

#include "core/TableSizes.h"

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

std::optional<int> WholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  return value;
}

// "1.05" -> 1050, "1050" -> 1050, "1" -> 1000; more than three decimals round up, since
// growth is whole thousandths and the goal is "at least".
std::optional<int> GrowthThousandths(std::string_view text) {
  double value = 0.0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (failure != std::errc() || end != text.data() + text.size() || text.empty() || !std::isfinite(value))
    return std::nullopt;
  const double thousandths = value < 100.0 ? value * 1000.0 : value;
  if (std::abs(thousandths) > 1e9) return std::nullopt;
  // Written decimals such as 1.013 are not exact in binary; a hair of slack keeps 1013.
  return static_cast<int>(std::ceil(thousandths - 1e-6));
}

}  // namespace

bool WantConditions::SpeciesHolds(int species) const {
  return std::all_of(requiredSpecies.begin(), requiredSpecies.end(), [species](int s) { return s == species; });
}

bool WantConditions::SkillsHold(std::span<const int> skills) const {
  if (static_cast<int>(skills.size()) < minSkills) return false;
  for (int wanted : requiredSkills)
    if (std::find(skills.begin(), skills.end(), wanted) == skills.end()) return false;
  return true;
}

bool WantConditions::Holds(int species, std::span<const int, 5> aptitudes, int growth,
                           std::span<const int> skills) const {
  if (!SpeciesHolds(species) || !GrowthHolds(growth)) return false;
  for (int k = 0; k < 5; ++k)
    if (!AptitudeHolds(k, aptitudes[static_cast<std::size_t>(k)])) return false;
  return SkillsHold(skills);
}

std::optional<WantConditions> ParseWantConditions(std::string_view text, std::string& error) {
  WantConditions want;
  want.text = std::string(text);
  if (Trim(text).empty()) {
    error = "empty condition list";
    return std::nullopt;
  }
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string_view item = Trim(text.substr(start, comma - start));
    start = comma + 1;
    const auto fail = [&](std::string_view why) {
      error = "condition \"" + std::string(item) + "\": " + std::string(why);
      return std::nullopt;
    };
    if (item.empty()) return fail("empty condition");
    const std::size_t atLeast = item.find(">=");
    const std::size_t equals = item.find('=');
    const bool isAtLeast = atLeast != std::string_view::npos;
    if (!isAtLeast && equals == std::string_view::npos) return fail("expected NAME>=VALUE or NAME=VALUE");
    const std::size_t split = isAtLeast ? atLeast : equals;
    const std::string_view name = Trim(item.substr(0, split));
    const std::string_view value = Trim(item.substr(split + (isAtLeast ? 2 : 1)));

    if (name == "has" || name == "species") {
      if (isAtLeast) return fail("use =, not >=");
      const auto number = WholeNumber(value);
      const int limit = name == "has" ? 79 : kSpeciesCount;
      if (!number || *number < 1 || *number > limit)
        return fail(name == "has" ? "a skill is 1..79" : "a species is 1..35");
      (name == "has" ? want.requiredSkills : want.requiredSpecies).push_back(*number);
      continue;
    }
    if (!isAtLeast) return fail("use >= (skills, growth and the aptitudes are lower limits)");
    if (name == "growth") {
      const auto thousandths = GrowthThousandths(value);
      if (!thousandths) return fail("growth is a number such as 1.05 or 1050");
      want.minGrowth = std::max(want.minGrowth, *thousandths);
      continue;
    }
    const auto number = WholeNumber(value);
    if (!number) return fail("expected a whole number");
    if (name == "skills") {
      want.minSkills = std::max(want.minSkills, *number);
      continue;
    }
    const auto aptitude = std::find(kAptitudeNames.begin(), kAptitudeNames.end(), name);
    if (aptitude == kAptitudeNames.end())
      return fail("unknown name (skills, attack, defence, stamina, magic, speed, growth, has, species)");
    auto& limit = want.minAptitudes[static_cast<std::size_t>(aptitude - kAptitudeNames.begin())];
    limit = std::max(limit, *number);
  }
  return want;
}
