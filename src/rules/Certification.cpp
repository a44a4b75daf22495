#include "rules/Certification.h"

#include <algorithm>

#include "core/AppState.h"
#include "core/Messages.h"
#include "core/PetRecord.h"
#include "core/RosterStore.h"
#include "core/RosterTransactions.h"
#include "core/Skills.h"
#include "rules/CurrentPet.h"

int DrawCertificationBonus(RandomGenerator& random) { return random.RandomInt(1, 100) <= 50 ? 13 : 11; }

std::vector<std::string> FindCertifyCandidates(const std::vector<int>& skills) {
  std::vector<std::string> candidates;
  for (int skill : skills)
    for (int certifiable : CertifiableSkills)
      if (skill == certifiable) candidates.push_back(std::to_string(skill));
  return candidates;
}

void ToggleCertification(AppState& app) {
  if (!RequireUsableCurrentPet(app, true)) return;
  OperationWindows& windows = WindowsOf(app);
  if (IsSlotCertified(app.currentSlot)) {
    // Cancel: asked first; then marker and record change together or not at all, and the list
    // in memory follows the disk.
    if (!AskUser(app, kCancelCertifyQuestion, kHintCaption)) return;
    std::vector<int> remaining = app.currentSkills;
    if (!remaining.empty()) remaining.erase(remaining.begin());
    const auto stored = ReadRecordFields(app.currentSlot);
    switch (CommitCancellation(app.currentSlot, FormatCopiedRecord(stored, remaining))) {
      case CertificationStep::Marker:
        ShowMessage(app, kCancelCertifyFailedText);
        return;
      case CertificationStep::Record:
        ShowMessage(app, kCancelCertifySaveFailedText);
        return;
      case CertificationStep::Done:
        break;
    }
    app.currentSkills = std::move(remaining);
    windows.ShowCertificationLook(false);
    windows.RedrawMainWindow();
    ShowMessage(app, kCancelCertifyDoneText);
    return;
  }
  // Certify: the pet's certifiable spells are offered in the picker, whose pick runs
  // CertifySkill.
  app.certifyCandidates = FindCertifyCandidates(app.currentSkills);
  if (app.certifyCandidates.empty()) {
    ShowMessage(app, kNoCertifiableSkillText, kHintCaption);
    return;
  }
  windows.OpenCertifyPicker();
}

void CertifySkill(AppState& app) {
  if (!RequireUsableCurrentPet(app, true)) return;
  auto& skills = app.currentSkills;
  const auto found = std::find(skills.begin(), skills.end(), app.certifyChoice);
  if (found == skills.end()) return;
  std::vector<int> reordered{app.certifyChoice};
  reordered.insert(reordered.end(), skills.begin(), found);
  reordered.insert(reordered.end(), found + 1, skills.end());
  const auto stored = ReadRecordFields(app.currentSlot);
  reordered.push_back(DrawCertificationBonus(app.random));
  // Marker and record change together or not at all; on failure the list in memory stays
  // as on disk, so that a retry does not add a second bonus skill.
  switch (CommitCertification(app.currentSlot, app.certifyChoice, FormatCopiedRecord(stored, reordered))) {
    case CertificationStep::Marker:
      ShowMessage(app, kMarkerWriteFailedText);
      return;
    case CertificationStep::Record:
      ShowMessage(app, kCertifyRecordFailedText);
      return;
    case CertificationStep::Done:
      break;
  }
  skills = std::move(reordered);
  WindowsOf(app).ShowCertificationLook(true);
  WindowsOf(app).RedrawMainWindow();
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
