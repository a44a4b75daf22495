#include <cmath>
#include <optional>
#include <sstream>

#include "core/PetRecord.h"
#include "odds/JsonWriter.h"
#include "odds/MergeSimulation.h"
#include "odds/OddsFormat.h"
#include "odds/OddsOptions.h"
#include "odds/OddsPlot.h"
#include "odds/ProgressLine.h"
#include "odds/SlotReader.h"
#include "odds/TrialRunner.h"
#include "rules/Merge.h"
#include "rules/MergePick.h"
#include "rules/MergeSideFromRecord.h"

namespace {

constexpr const char* kReseedNote =
    "the program seeds its generator again from the clock at the start of every merge's skill "
    "selection; this simulation does not, so that one seed always gives the same figures "
    "(a clock seed would make every trial's skills depend on the time, not on the seed)";
constexpr const char* kExactNote =
    "the species split and each value's range and mean are also given exactly: each raw "
    "generator value (0..32767) taken as equally likely; the skill figures come from the "
    "trials only";

std::string ValueName(std::size_t k) { return k < 5 ? std::string(kAptitudeNames[k]) : "growth"; }

std::string ValueText(std::size_t k, double value, int decimals) {
  return k < 5 ? FixedText(value, decimals) : FixedText(value / 1000.0, 3 + decimals);
}

std::string SideText(const MergeSide& side) {
  std::ostringstream text;
  text << "slot " << side.slot << ", species " << side.species;
  for (std::size_t k = 1; k <= 5; ++k) text << ", " << kAptitudeNames[k - 1] << " " << FixedText(side.aptitudes[k], 0);
  text << ", growth " << FixedText(side.aptitudes[6], 3) << ", skills";
  if (side.skills.empty()) text << " none";
  for (int skill : side.skills) text << " " << skill;
  return text.str();
}

// Half the width of a 95 % interval of a share of `trials`.
double Margin(double share, double trials) { return 1.96 * std::sqrt(share * (1.0 - share) / trials); }

void WriteText(std::ostream& out, const MergeSetup& setup, const MergeTally& tally, const WantConditions& want,
               const TrialPlan& plan) {
  const double n = static_cast<double>(tally.trials);
  out << "Merge of slot " << setup.side1.slot << " (side 1) and slot " << setup.side2.slot << " (side 2)\n";
  out << "  side 1: " << SideText(setup.side1) << "\n";
  out << "  side 2: " << SideText(setup.side2) << "\n";
  out << "\n" << tally.trials << " simulated merges, seed " << plan.seed << "\n";
  out << "\nSpecies            simulated     exact\n";
  if (setup.side1.species == setup.side2.species) {
    out << "  " << Padded(std::to_string(setup.side1.species) + " (both)", 17) << Padded(PercentText(1.0), 14)
        << PercentText(1.0) << "\n";
  } else {
    const double side1 = tally.side1SpeciesHits / n;
    out << "  " << Padded(std::to_string(setup.side1.species) + " (side 1)", 17) << Padded(PercentText(side1), 14)
        << PercentText(setup.side1SpeciesChance) << "\n";
    out << "  " << Padded(std::to_string(setup.side2.species) + " (side 2)", 17) << Padded(PercentText(1.0 - side1), 14)
        << PercentText(1.0 - setup.side1SpeciesChance) << "\n";
  }
  out << "\nValues     range            mean        exact mean  quartiles (simulated)\n";
  for (std::size_t k = 0; k < 6; ++k) {
    const ValueHistogram& values = tally.values[k];
    const DrawCounts& exact = setup.values[k];
    out << "  " << Padded(ValueName(k), 9)
        << Padded(ValueText(k, exact.low, 0) + ".." + ValueText(k, exact.High(), 0), 17)
        << Padded(ValueText(k, values.Mean(), 2), 12) << Padded(ValueText(k, exact.Mean(), 2), 12)
        << ValueText(k, values.Quantile(0.25), 0) << " / " << ValueText(k, values.Quantile(0.5), 0) << " / "
        << ValueText(k, values.Quantile(0.75), 0) << "\n";
  }
  out << "\nSkill count of the child\n";
  for (std::size_t c = 1; c < tally.countHits.size(); ++c)
    out << "  " << Padded(std::to_string(c) + (c == 1 ? " skill" : " skills"), 11)
        << PercentText(tally.countHits[c] / n) << "\n";
  out << "\nInherited skills (chance the child has it)\n";
  for (std::size_t i = 0; i < setup.pool.size(); ++i)
    out << "  " << Padded("skill " + std::to_string(setup.pool[i]), 11) << PercentText(tally.skillHits[i] / n) << "\n";
  if (!want.Empty()) {
    const double share = tally.wantHits / n;
    out << "\nGoal " << want.text << "\n  chance per merge   " << PercentText(share) << " (95 % within ± "
        << PercentText(Margin(share, n)) << ")\n";
  }
  out << "\nNotes\n  - " << kReseedNote << ".\n  - " << kExactNote << ".\n";
  // About 60 draws per merge: past this many trials they need more than the 2^32 states of
  // the generator's one cycle, and further trials repeat stretches already walked.
  if (tally.trials > 60'000'000)
    out << "  - " << tally.trials << " merges draw more values than the generator's cycle of 2^32 holds: "
        << "beyond about 60 million the trials repeat stretches of it and add little.\n";
  out << "  - the trials run in chunks of " << kTrialsPerChunk
      << ", each on its own stretch of the generator's cycle: the figures depend on the seed and the "
         "number of trials, not on the number of threads.\n";
}

void WriteJson(std::ostream& out, const MergeSetup& setup, const MergeTally& tally, const WantConditions& want,
               const TrialPlan& plan) {
  const double n = static_cast<double>(tally.trials);
  JsonWriter json;
  json.BeginObject().Key("command").String("merge").Key("trials").Integer(static_cast<std::int64_t>(tally.trials));
  json.Key("seed").Integer(plan.seed);
  json.Key("sides").BeginArray();
  for (const MergeSide* side : {&setup.side1, &setup.side2}) {
    json.BeginObject().Key("slot").Integer(side->slot).Key("species").Integer(side->species);
    json.Key("aptitudes").BeginArray();
    for (std::size_t k = 1; k <= 5; ++k) json.Number(side->aptitudes[k]);
    // The growth in thousandths, as stored and as every other growth of these figures.
    json.EndArray().Key("growth").Integer(std::lround(side->aptitudes[6] * 1000.0)).Key("skills").BeginArray();
    for (int skill : side->skills) json.Integer(skill);
    json.EndArray().EndObject();
  }
  json.EndArray();
  json.Key("species").BeginObject();
  json.Key("side1Simulated").Number(setup.side1.species == setup.side2.species ? 1.0 : tally.side1SpeciesHits / n);
  json.Key("side1Exact").Number(setup.side1SpeciesChance).EndObject();
  json.Key("values").BeginObject();
  for (std::size_t k = 0; k < 6; ++k) {
    const ValueHistogram& values = tally.values[k];
    const DrawCounts& exact = setup.values[k];
    json.Key(ValueName(k)).BeginObject().Key("lowest").Integer(exact.low).Key("highest").Integer(exact.High());
    json.Key("mean").Number(values.Mean()).Key("exactMean").Number(exact.Mean());
    json.Key("quartiles")
        .BeginArray()
        .Integer(values.Quantile(0.25))
        .Integer(values.Quantile(0.5))
        .Integer(values.Quantile(0.75));
    json.EndArray().EndObject();
  }
  json.EndObject();
  json.Key("skillCounts").BeginArray();
  for (std::size_t c = 1; c < tally.countHits.size(); ++c)
    json.BeginObject()
        .Key("count")
        .Integer(static_cast<std::int64_t>(c))
        .Key("chance")
        .Number(tally.countHits[c] / n)
        .EndObject();
  json.EndArray().Key("skills").BeginArray();
  for (std::size_t i = 0; i < setup.pool.size(); ++i)
    json.BeginObject().Key("skill").Integer(setup.pool[i]).Key("chance").Number(tally.skillHits[i] / n).EndObject();
  json.EndArray();
  if (!want.Empty()) {
    const double share = tally.wantHits / n;
    json.Key("want").BeginObject().Key("conditions").String(want.text).Key("chance").Number(share);
    json.Key("margin95").Number(Margin(share, n)).EndObject();
  }
  json.Key("notes").BeginArray().String(kReseedNote).String(kExactNote).EndArray();
  json.EndObject();
  out << json.Text() << "\n";
}

// Takes a pet onto a side as the merge pet picker does, with its refusals in its order: the
// pet already on the other side, then a certified pet.
std::optional<MergeSide> ReadSide(const OddsOptions& options, const std::string& word, int otherSlot, OddsIo& io,
                                  int& status) {
  const auto slot = ParseSlotArgument(word);
  if (!slot) {
    io.err << "petsim odds: " << word << " is not a slot (N or slot:N)\n";
    status = kOddsBadUsage;
    return std::nullopt;
  }
  std::string error;
  const auto pet = ReadSlotPet(options.folder, *slot, error);
  if (!pet) {
    io.err << "petsim odds: " << error << "\n";
    status = kOddsBadData;
    return std::nullopt;
  }
  const MergePickRefusal refusal = CheckMergePick(*slot, otherSlot, [&pet](int) { return pet->certified; });
  if (refusal != MergePickRefusal::None) {
    io.err << "petsim odds: "
           << (refusal == MergePickRefusal::OnOtherSide ? "both sides hold slot " + std::to_string(*slot)
                                                        : "slot " + std::to_string(*slot) + " is certified")
           << "; the merge pet picker refuses it: \"" << MergePickRefusalText(refusal) << "\"\n";
    status = kOddsBadData;
    return std::nullopt;
  }
  return MergeSideFromRecord(*slot, pet->fields);
}

}  // namespace

int RunMergeOdds(const OddsOptions& options, OddsIo& io) {
  if (options.operands.size() != 2) {
    io.err << "petsim odds: merge wants two slots, SLOT1 SLOT2\n";
    return kOddsBadUsage;
  }
  int status = kOddsOk;
  const auto side1 = ReadSide(options, options.operands[0], 0, io, status);
  if (!side1) return status;
  const auto side2 = ReadSide(options, options.operands[1], side1->slot, io, status);
  if (!side2) return status;
  if (side1->skills.empty() && side2->skills.empty()) {
    io.err << "petsim odds: neither pet has a skill; the merge refuses it: \"" << kMergeNoSkillsText << "\"\n";
    return kOddsBadData;
  }

  const MergeSetup setup = PrepareMerge(*side1, *side2);
  TrialPlan plan;
  plan.trials = options.trials.value_or(kDefaultMergeTrials);
  plan.seed = options.seed.value_or(io.clockSeed);
  plan.threads = options.threads > 0 ? options.threads : DefaultThreadCount();
  MergeTally tally;
  {
    ProgressLine progress(io.progressTerminal, "merges");
    tally = SimulateMerges(setup, options.want, plan,
                           [&progress](std::uint64_t done, std::uint64_t total) { progress.Update(done, total); });
  }

  if (!options.plotPath.empty()) {
    const double n = static_cast<double>(tally.trials);
    ChanceChart counts{"Skill count of the child (simulated)", {}, {}};
    for (std::size_t c = 1; c < tally.countHits.size(); ++c) {
      counts.labels.push_back(std::to_string(c));
      counts.chances.push_back(tally.countHits[c] / n);
    }
    ChanceChart skills{"Chance to inherit each skill (simulated)", {}, {}};
    for (std::size_t i = 0; i < setup.pool.size(); ++i) {
      skills.labels.push_back(std::to_string(setup.pool[i]));
      skills.chances.push_back(tally.skillHits[i] / n);
    }
    std::string error;
    if (!DrawOddsPlot(options.plotPath,
                      "Merge of slot " + std::to_string(side1->slot) + " and slot " + std::to_string(side2->slot),
                      {counts, skills}, error)) {
      io.err << "petsim odds: " << error << "\n";
      return kOddsBadData;
    }
  }
  if (options.json)
    WriteJson(io.out, setup, tally, options.want, plan);
  else
    WriteText(io.out, setup, tally, options.want, plan);
  return kOddsOk;
}
