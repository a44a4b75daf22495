#include "rules/SkillBook.h"

#include <algorithm>

#include "core/AppState.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"

namespace {
bool HasSkill(const AppState& state, int skill) {
  return std::find(state.currentSkills.begin(), state.currentSkills.end(), skill) != state.currentSkills.end();
}
}  // namespace

int PickBookSlot(RandomGenerator& random, int n, bool certified) {
  const int first = certified ? 2 : 1;
  if (n < first) return 0;
  return random.RandomInt(first, n);
}

bool LearnBookSkill(AppState& state, int skill) {
  if (!RequireUsableCurrentPet(state, true)) return false;
  if (HasSkill(state, skill)) {
    ShowMessage(state, kDuplicateSkillText);
    return false;
  }
  const auto stored = ReadRecordFields(state.currentSlot);
  const int n = static_cast<int>(state.currentSkills.size());
  const int k = PickBookSlot(state.random, n, IsSlotCertified(state.currentSlot));
  if (k == 0) {
    ShowMessage(state, kNothingToReplaceText);
    return false;
  }
  state.currentSkills[static_cast<std::size_t>(k - 1)] = skill;
  if (!WriteRecord(state.currentSlot, FormatCopiedRecord(stored, state.currentSkills)))
    ShowMessage(state, kBookSaveFailedText);
  state.bookIcon.LoadFromBytes(kEmptyByteConstant);
  return true;
}

LearnOutcome OnLearnClicked(AppState& state) {
  if (state.bookSkill == 0) {
    ShowMessage(state, kNoBookText);
    return LearnOutcome::Refused;
  }
  if (!RequireUsableCurrentPet(state, true)) return LearnOutcome::Refused;
  if (HasSkill(state, state.bookSkill)) {
    ShowMessage(state, kDuplicateSkillText);
    return LearnOutcome::Refused;
  }
  if (!LearnBookSkill(state, state.bookSkill)) return LearnOutcome::Refused;
  WindowsOf(state).RedrawMainWindow();
  state.bookSkill = 0;
  return LearnOutcome::Learned;
}
