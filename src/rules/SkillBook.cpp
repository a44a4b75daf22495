#include "rules/SkillBook.h"

#include <algorithm>

#include "core/AppState.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "rules/CurrentPet.h"

namespace {
bool HasSkill(const AppState& app, int skill) {
  return std::find(app.currentSkills.begin(), app.currentSkills.end(), skill) != app.currentSkills.end();
}
}  // namespace

int PickBookSlot(RandomGenerator& random, int n, bool certified) {
  const int first = certified ? 2 : 1;
  if (n < first) return 0;
  return random.RandomInt(first, n);
}

bool LearnBookSkill(AppState& app, int skill) {
  if (!RequireUsableCurrentPet(app, true)) return false;
  if (HasSkill(app, skill)) {
    ShowMessage(app, kDuplicateSkillText);
    return false;
  }
  const auto stored = ReadRecordFields(app.currentSlot);
  const int n = static_cast<int>(app.currentSkills.size());
  const int k = PickBookSlot(app.random, n, IsSlotCertified(app.currentSlot));
  if (k == 0) {
    ShowMessage(app, kNothingToReplaceText);
    return false;
  }
  app.currentSkills[static_cast<std::size_t>(k - 1)] = skill;
  if (!WriteRecord(app.currentSlot, FormatCopiedRecord(stored, app.currentSkills)))
    ShowMessage(app, kBookSaveFailedText);
  app.bookIcon.LoadFromBytes(kEmptyByteConstant);
  return true;
}

LearnOutcome OnLearnClicked(AppState& app) {
  if (app.bookSkill == 0) {
    ShowMessage(app, kNoBookText);
    return LearnOutcome::Refused;
  }
  if (!RequireUsableCurrentPet(app, true)) return LearnOutcome::Refused;
  if (HasSkill(app, app.bookSkill)) {
    ShowMessage(app, kDuplicateSkillText);
    return LearnOutcome::Refused;
  }
  if (!LearnBookSkill(app, app.bookSkill)) return LearnOutcome::Refused;
  WindowsOf(app).RedrawMainWindow();
  app.bookSkill = 0;
  return LearnOutcome::Learned;
}
