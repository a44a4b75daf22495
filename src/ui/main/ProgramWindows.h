#pragma once

#include "core/OperationWindows.h"

struct AppState;

// The operations' window steps on the program's own windows: the main window, the roster panel
// and the pop-ups. Installed as app.windows for the run.
class ProgramWindows final : public OperationWindows {
public:
  explicit ProgramWindows(AppState& app) : app_(&app) {}

  void RedrawMainWindow() override;
  void ShowCertificationLook(bool certified) override;
  void OpenCertifyPicker() override;
  void OpenPetDetailView() override;
  void ReloadRosterPanel() override;
  void PlaceRosterPanel() override;

private:
  AppState* app_;  // never null
};
