#pragma once

struct AppState;

// What the pet operations ask of the windows: the steps of an operation that show something.
// The window layer provides the real steps (ProgramWindows); tests record the calls. Like the
// message boxes (Messages), it is reached through AppState, so that an operation reads as the
// list of its steps in one place while the rules stay below the windows.
class OperationWindows {
public:
  virtual ~OperationWindows() = default;
  // Composes and presents the main window's shown tab.
  virtual void RedrawMainWindow() = 0;
  // The certify button's picture and the badge: cancel picture and badge when certified, the
  // certify picture and no badge otherwise. Draws nothing.
  virtual void ShowCertificationLook(bool certified) = 0;
  // Opens the certification picker over the main window; returns when it has closed.
  virtual void OpenCertifyPicker() = 0;
  // Opens the pet detail view (the merge's child) over the main window; returns when closed.
  virtual void OpenPetDetailView() = 0;
  // The roster panel after a release: heads reloaded, the view reset to the current pet, cells
  // laid out and drawn.
  virtual void ReloadRosterPanel() = 0;
  // The roster panel after a merge: placed beside the main window (which reloads the current
  // pet) and drawn.
  virtual void PlaceRosterPanel() = 0;
};

// app.windows, or steps that do nothing when the program runs without windows (the rules' tests).
OperationWindows& WindowsOf(AppState& app);
