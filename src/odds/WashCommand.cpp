#include <cmath>
#include <optional>
#include <sstream>

#include "core/PetRecord.h"
#include "core/TableSizes.h"
#include "odds/JsonWriter.h"
#include "odds/OddsFormat.h"
#include "odds/OddsOptions.h"
#include "odds/OddsPlot.h"
#include "odds/ProgressLine.h"
#include "odds/SlotReader.h"
#include "odds/TrialRunner.h"
#include "odds/WashOdds.h"
#include "odds/WashSimulation.h"

namespace {

constexpr const char* kExactNote =
    "exact figures take each raw generator value (0..32767) as equally likely, as it is over the "
    "generator's whole cycle; they include the slight excess of the low values of a range that "
    "does not divide 32768";

std::string ValueName(std::size_t k) { return k < 5 ? std::string(kAptitudeNames[k]) : "growth"; }

// Aptitudes as whole numbers (means with decimals), the growth as the real it stands for.
std::string ValueText(std::size_t k, double value, int decimals) {
  return k < 5 ? FixedText(value, decimals) : FixedText(value / 1000.0, 3 + decimals);
}

void WriteText(std::ostream& out, const WashOdds& odds, std::optional<int> slot, const WantConditions& want,
               double wantChance, const std::optional<WashTally>& simulated, const TrialPlan& plan) {
  out << "Wash of species " << odds.species;
  if (slot) out << " (the pet of slot " << *slot << ")";
  out << "\n\nValues (each drawn evenly over its range; exact)\n";
  out << "  " << Padded("", 9) << Padded("range", 16) << "mean\n";
  for (std::size_t k = 0; k < 6; ++k) {
    const DrawCounts& values = odds.values[k];
    out << "  " << Padded(ValueName(k), 9)
        << Padded(ValueText(k, values.low, 0) + ".." + ValueText(k, values.High(), 0), 16)
        << ValueText(k, values.Mean(), 2) << "\n";
  }
  const int m = static_cast<int>(odds.defaultSkills.size());
  out << "\nSkill count (drawn evenly over 1.." << m << "; exact)\n";
  for (int c = 1; c <= m; ++c)
    out << "  " << Padded(std::to_string(c) + (c == 1 ? " skill" : " skills"), 11)
        << PercentText(odds.countChances[static_cast<std::size_t>(c)]) << "\n";
  out << "\nDefault skills (chance that a wash gives it; exact)\n";
  for (std::size_t i = 0; i < odds.defaultSkills.size(); ++i)
    out << "  " << Padded("skill " + std::to_string(odds.defaultSkills[i]), 11) << PercentText(odds.skillChances[i])
        << "\n";
  if (!want.Empty()) {
    const TriesToGoal tries = TriesFor(wantChance);
    out << "\nGoal " << want.text << " (exact)\n";
    out << "  chance per wash    " << PercentText(wantChance) << "\n";
    if (wantChance <= 0.0) {
      out << "  no wash of this species reaches it\n";
    } else {
      out << "  expected washes    "
          << (tries.expected < 1e15 ? FixedText(tries.expected, 1) : CountText(tries.expected)) << "\n";
      out << "  washes for 50 %    " << CountText(*tries.forHalf) << "\n";
      out << "  washes for 90 %    " << CountText(*tries.forNinety) << "\n";
    }
  }
  if (simulated) {
    const double n = static_cast<double>(simulated->trials);
    out << "\nSimulated " << simulated->trials << " washes, seed " << plan.seed << " (next to the exact figures)\n";
    for (int c = 1; c <= m; ++c)
      out << "  " << Padded(std::to_string(c) + (c == 1 ? " skill" : " skills"), 11)
          << Padded(PercentText(simulated->countHits[static_cast<std::size_t>(c)] / n), 14)
          << PercentText(odds.countChances[static_cast<std::size_t>(c)]) << "\n";
    for (int skill : odds.defaultSkills)
      out << "  " << Padded("skill " + std::to_string(skill), 11)
          << PercentText(simulated->skillHits[static_cast<std::size_t>(skill)] / n) << "\n";
    if (!want.Empty()) out << "  goal       " << PercentText(simulated->wantHits / n) << "\n";
  }
  out << "\nNotes\n  - " << kExactNote << ".\n";
  out << "  - a wash ignores the pet's present values: every wash has the same odds.\n";
}

void WriteJson(std::ostream& out, const WashOdds& odds, std::optional<int> slot, const WantConditions& want,
               double wantChance, const std::optional<WashTally>& simulated, const TrialPlan& plan) {
  JsonWriter json;
  json.BeginObject().Key("command").String("wash").Key("species").Integer(odds.species);
  json.Key("slot");
  if (slot)
    json.Integer(*slot);
  else
    json.Null();
  json.Key("exact").Bool(true);
  json.Key("values").BeginObject();
  for (std::size_t k = 0; k < 6; ++k) {
    const DrawCounts& values = odds.values[k];
    json.Key(ValueName(k)).BeginObject().Key("lowest").Integer(values.low).Key("highest").Integer(values.High());
    json.Key("mean").Number(values.Mean()).EndObject();
  }
  json.EndObject();
  json.Key("skillCounts").BeginArray();
  for (std::size_t c = 1; c < odds.countChances.size(); ++c)
    json.BeginObject()
        .Key("count")
        .Integer(static_cast<std::int64_t>(c))
        .Key("chance")
        .Number(odds.countChances[c])
        .EndObject();
  json.EndArray();
  json.Key("skills").BeginArray();
  for (std::size_t i = 0; i < odds.defaultSkills.size(); ++i)
    json.BeginObject()
        .Key("skill")
        .Integer(odds.defaultSkills[i])
        .Key("chance")
        .Number(odds.skillChances[i])
        .EndObject();
  json.EndArray();
  if (!want.Empty()) {
    const TriesToGoal tries = TriesFor(wantChance);
    json.Key("want").BeginObject().Key("conditions").String(want.text).Key("chance").Number(wantChance);
    json.Key("expectedWashes").Number(tries.expected);
    json.Key("washesFor50");
    tries.forHalf ? json.Number(*tries.forHalf) : json.Null();
    json.Key("washesFor90");
    tries.forNinety ? json.Number(*tries.forNinety) : json.Null();
    json.EndObject();
  }
  if (simulated) {
    const double n = static_cast<double>(simulated->trials);
    json.Key("simulated").BeginObject().Key("trials").Integer(static_cast<std::int64_t>(simulated->trials));
    json.Key("seed").Integer(plan.seed).Key("skillCounts").BeginArray();
    for (std::size_t c = 1; c < odds.countChances.size(); ++c)
      json.BeginObject()
          .Key("count")
          .Integer(static_cast<std::int64_t>(c))
          .Key("chance")
          .Number(simulated->countHits[c] / n)
          .EndObject();
    json.EndArray().Key("skills").BeginArray();
    for (int skill : odds.defaultSkills)
      json.BeginObject()
          .Key("skill")
          .Integer(skill)
          .Key("chance")
          .Number(simulated->skillHits[static_cast<std::size_t>(skill)] / n)
          .EndObject();
    json.EndArray();
    if (!want.Empty()) json.Key("wantChance").Number(simulated->wantHits / n);
    json.EndObject();
  }
  json.Key("notes").BeginArray().String(kExactNote).EndArray();
  json.EndObject();
  out << json.Text() << "\n";
}

}  // namespace

int RunWashOdds(const OddsOptions& options, OddsIo& io) {
  if (options.operands.size() != 1) {
    io.err << "petsim odds: wash wants one SPECIES or slot:N\n";
    return kOddsBadUsage;
  }
  const std::string& target = options.operands[0];
  std::optional<int> slot;
  int species = 0;
  if (target.starts_with("slot:")) {
    slot = ParseSlotArgument(target);
    if (!slot) {
      io.err << "petsim odds: " << target << " is not slot:N\n";
      return kOddsBadUsage;
    }
    std::string error;
    const auto pet = ReadSlotPet(options.folder, *slot, error);
    if (!pet) {
      io.err << "petsim odds: " << error << "\n";
      return kOddsBadData;
    }
    species = ParseRecordNumber(pet->fields[0]);
  } else {
    const auto number = ParseSlotArgument(target);  // a plain number
    if (!number || !IsValidSpecies(*number)) {
      io.err << "petsim odds: unknown species " << target << " (species are 1..35, or say slot:N)\n";
      return kOddsBadUsage;
    }
    species = *number;
  }

  const WashOdds odds = ComputeWashOdds(species);
  const double wantChance = options.want.Empty() ? 0.0 : WashWantChance(odds, options.want);
  TrialPlan plan;
  plan.seed = options.seed.value_or(io.clockSeed);
  plan.threads = options.threads > 0 ? options.threads : DefaultThreadCount();
  std::optional<WashTally> simulated;
  if (options.trials) {
    plan.trials = *options.trials;
    ProgressLine progress(io.progressTerminal, "washes");
    simulated = SimulateWashes(species, options.want, plan,
                               [&progress](std::uint64_t done, std::uint64_t total) { progress.Update(done, total); });
  }

  if (!options.plotPath.empty()) {
    ChanceChart counts{"Skill count", {}, {}};
    for (std::size_t c = 1; c < odds.countChances.size(); ++c) {
      counts.labels.push_back(std::to_string(c));
      counts.chances.push_back(odds.countChances[c]);
    }
    ChanceChart skills{"Chance of each default skill", {}, {}};
    for (std::size_t i = 0; i < odds.defaultSkills.size(); ++i) {
      skills.labels.push_back(std::to_string(odds.defaultSkills[i]));
      skills.chances.push_back(odds.skillChances[i]);
    }
    std::string error;
    if (!DrawOddsPlot(options.plotPath, "Wash of species " + std::to_string(species) + " (exact)", {counts, skills},
                      error)) {
      io.err << "petsim odds: " << error << "\n";
      return kOddsBadData;
    }
  }
  if (options.json)
    WriteJson(io.out, odds, slot, options.want, wantChance, simulated, plan);
  else
    WriteText(io.out, odds, slot, options.want, wantChance, simulated, plan);
  return kOddsOk;
}
