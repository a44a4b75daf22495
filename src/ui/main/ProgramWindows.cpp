#include "ui/main/ProgramWindows.h"

#include "ui/main/CertificationLook.h"
#include "ui/main/RedrawMainWindow.h"
#include "ui/windows/Popups.h"
#include "ui/windows/RosterPanel.h"

void ProgramWindows::RedrawMainWindow() { ::RedrawMainWindow(*app_); }

void ProgramWindows::ShowCertificationLook(bool certified) { ::ShowCertificationLook(*app_, certified); }

void ProgramWindows::OpenCertifyPicker() { ::OpenCertifyPicker(*app_); }

void ProgramWindows::OpenPetDetailView() { ::OpenPetDetailView(*app_); }

void ProgramWindows::ReloadRosterPanel() {
  LoadRosterHeads(*app_);
  ResetRosterView(*app_);
  LayoutRosterCells(*app_);
  DrawRosterPanel(*app_);
}

void ProgramWindows::PlaceRosterPanel() {
  ::PlaceRosterPanel(*app_);
  DrawRosterPanel(*app_);
}
