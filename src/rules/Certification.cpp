#include "rules/Certification.h"

#include <algorithm>

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "core/RosterTransactions.h"
#include "core/Skills.h"
#include "rules/CurrentPet.h"

namespace {

void Notify(const CertificationHooks& hooks, bool certified) {
  if (hooks.showCertification) hooks.showCertification(certified);
}

bool Ask(AppState& state, std::string_view text, std::string_view caption) {
  return state.messages != nullptr && state.messages->Ask(text, caption);
}

void CancelCertification(AppState& state, const CertificationHooks& hooks) {
  if (!Ask(state, kCancelCertifyQuestion, kHintCaption)) return;
  std::vector<int> remaining = state.currentSkills;
  if (!remaining.empty()) remaining.erase(remaining.begin());
  const auto stored = ReadRecordFields(state.currentSlot);
  // Marker and record change together or not at all; the list in memory follows the disk.
  switch (CommitCancellation(state.currentSlot, FormatCopiedRecord(stored, remaining))) {
    case CertificationStep::Marker:
      ShowMessage(state, kCancelCertifyFailedText);
      return;
    case CertificationStep::Record:
      ShowMessage(state, kCancelCertifySaveFailedText);
      return;
    case CertificationStep::Done:
      break;
  }
  state.currentSkills = std::move(remaining);
  Notify(hooks, false);
  ShowMessage(state, kCancelCertifyDoneText);
}

}  // namespace

int DrawCertificationBonus(RandomGenerator& random) { return random.RandomInt(1, 100) <= 50 ? 13 : 11; }

std::vector<std::string> FindCertifyCandidates(const std::vector<int>& skills) {
  std::vector<std::string> candidates;
  for (int skill : skills)
    for (int certifiable : CertifiableSkills)
      if (skill == certifiable) candidates.push_back(std::to_string(skill));
  return candidates;
}

void ToggleCertification(AppState& state, const CertificationHooks& hooks) {
  if (!RequireUsableCurrentPet(state, true)) return;
  if (IsSlotCertified(state.currentSlot)) {
    CancelCertification(state, hooks);
    return;
  }
  state.certifyCandidates = FindCertifyCandidates(state.currentSkills);
  if (state.certifyCandidates.empty()) {
    ShowMessage(state, kNoCertifiableSkillText, kHintCaption);
    return;
  }
  if (hooks.openPicker) hooks.openPicker();
}

void CertifySkill(AppState& state, const CertificationHooks& hooks) {
  if (!RequireUsableCurrentPet(state, true)) return;
  auto& skills = state.currentSkills;
  const auto found = std::find(skills.begin(), skills.end(), state.certifyChoice);
  if (found == skills.end()) return;
  std::vector<int> reordered{state.certifyChoice};
  reordered.insert(reordered.end(), skills.begin(), found);
  reordered.insert(reordered.end(), found + 1, skills.end());
  const auto stored = ReadRecordFields(state.currentSlot);
  reordered.push_back(DrawCertificationBonus(state.random));
  // Marker and record change together or not at all; on failure the list in memory stays
  // as on disk, so that a retry does not add a second bonus skill.
  switch (CommitCertification(state.currentSlot, state.certifyChoice, FormatCopiedRecord(stored, reordered))) {
    case CertificationStep::Marker:
      ShowMessage(state, kMarkerWriteFailedText);
      return;
    case CertificationStep::Record:
      ShowMessage(state, kCertifyRecordFailedText);
      return;
    case CertificationStep::Done:
      break;
  }
  skills = std::move(reordered);
  Notify(hooks, true);
}

Rect CertifyCellRect(int i) {
  const int col = (i - 1) % 4;
  const int row = (i - 1) / 4;
  return MakeRect(26 + 74 * col, 27 + 74 * row, 64, 64);
}

Rect CertifyHighlightRect(int i) {
  const int col = (i - 1) % 4;
  const int row = (i - 1) / 4;
  return MakeRect(24 + 74 * col, 25 + 74 * row, 68, 68);
}

int CertifyCellAt(int x, int y, int count) {
  for (int i = 1; i <= count && i <= 8; ++i) {
    const Rect cell = CertifyCellRect(i);
    if (IsStrictlyInside(cell, x, y)) return i;
  }
  return 0;
}
