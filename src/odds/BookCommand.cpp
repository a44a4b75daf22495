#include <charconv>

#include "core/PetRecord.h"
#include "odds/BookOdds.h"
#include "odds/JsonWriter.h"
#include "odds/OddsFormat.h"
#include "odds/OddsOptions.h"
#include "odds/OddsPlot.h"
#include "odds/SlotReader.h"

namespace {

constexpr const char* kExactNote = "exact: the book makes one draw, run here for each raw generator value (0..32767)";

std::optional<int> BookSkillArgument(std::string_view text) {
  int skill = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), skill);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size() || skill < 0 || skill > 79)
    return std::nullopt;
  return skill;
}

}  // namespace

int RunBookOdds(const OddsOptions& options, OddsIo& io) {
  if (options.operands.size() != 2) {
    io.err << "petsim odds: book wants a slot and a skill, SLOT SKILL\n";
    return kOddsBadUsage;
  }
  const auto slot = ParseSlotArgument(options.operands[0]);
  if (!slot) {
    io.err << "petsim odds: " << options.operands[0] << " is not a slot (N or slot:N)\n";
    return kOddsBadUsage;
  }
  const auto skill = BookSkillArgument(options.operands[1]);
  if (!skill) {
    io.err << "petsim odds: unknown skill " << options.operands[1] << " (skills are 1..79; 0 is an empty book slot)\n";
    return kOddsBadUsage;
  }
  std::string error;
  const auto pet = ReadSlotPet(options.folder, *slot, error);
  if (!pet) {
    io.err << "petsim odds: " << error << "\n";
    return kOddsBadData;
  }
  const std::vector<int> skills = RecordSkills(pet->fields);
  const BookOdds odds = ComputeBookOdds(skills, pet->certified, *skill);

  if (!options.plotPath.empty()) {
    ChanceChart replaced{"Chance that each skill is replaced", {}, {}};
    for (std::size_t i = 0; i < odds.replaceChances.size(); ++i) {
      replaced.labels.push_back(std::to_string(skills[i]));
      replaced.chances.push_back(odds.replaceChances[i]);
    }
    if (!DrawOddsPlot(options.plotPath, "Skill book " + std::to_string(*skill) + " for slot " + std::to_string(*slot),
                      {replaced}, error)) {
      io.err << "petsim odds: " << error << "\n";
      return kOddsBadData;
    }
  }

  if (options.json) {
    JsonWriter json;
    json.BeginObject().Key("command").String("book").Key("slot").Integer(*slot).Key("skill").Integer(*skill);
    json.Key("certified").Bool(pet->certified).Key("exact").Bool(true).Key("refusals").BeginArray();
    for (auto refusal : odds.refusals) json.String(refusal);
    json.EndArray().Key("skills").BeginArray();
    for (std::size_t i = 0; i < skills.size(); ++i) {
      json.BeginObject().Key("position").Integer(static_cast<std::int64_t>(i + 1)).Key("skill").Integer(skills[i]);
      json.Key("chance");
      odds.refusals.empty() ? json.Number(odds.replaceChances[i]) : json.Null();
      json.EndObject();
    }
    json.EndArray().Key("notes").BeginArray().String(kExactNote).EndArray().EndObject();
    io.out << json.Text() << "\n";
    return kOddsOk;
  }

  io.out << "Skill book " << *skill << " for the pet of slot " << *slot << " (species "
         << ParseRecordNumber(pet->fields[0]) << (pet->certified ? ", certified" : "") << ")\n\n";
  if (!odds.refusals.empty()) {
    // A special skill is refused by the skill-book picker: that book never reaches the book
    // slot, so there is nothing for the learn button to refuse.
    if (odds.pickerRefuses) {
      io.out << "The skill-book picker refuses: \"" << odds.refusals.front() << "\"\n";
      for (std::size_t i = 1; i < odds.refusals.size(); ++i)
        io.out << "  the learn button would also refuse: \"" << odds.refusals[i] << "\"\n";
      io.out << "The book cannot be put into the book slot; nothing is replaced.\n";
      return kOddsOk;
    }
    io.out << "The learn button refuses: \"" << odds.refusals.front() << "\"\n";
    for (std::size_t i = 1; i < odds.refusals.size(); ++i)
      io.out << "  it would also refuse: \"" << odds.refusals[i] << "\"\n";
    io.out << "Nothing is replaced; the book stays in its slot.\n";
    return kOddsOk;
  }
  io.out << "position  skill  chance to be replaced (exact)\n";
  for (std::size_t i = 0; i < skills.size(); ++i) {
    io.out << "  " << Padded(std::to_string(i + 1), 8) << Padded(std::to_string(skills[i]), 7);
    if (i == 0 && pet->certified)
      io.out << "never (the certified skill stays first)\n";
    else
      io.out << PercentText(odds.replaceChances[i]) << "\n";
  }
  io.out << "\nThe pet keeps " << skills.size() << (skills.size() == 1 ? " skill" : " skills")
         << "; a book never adds one.\nNotes\n  - " << kExactNote << ".\n";
  return kOddsOk;
}
