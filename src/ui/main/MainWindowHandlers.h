#pragma once

struct AppState;
struct MainControlRow;

// Handlers of the main window's controls, wired to them by the control table
// (MainWindowControls). Each gets its own row: the tab it works on and its picture's resting and
// pressed places. Press and release handlers test the cursor against the picture's resting place
// (HitTest), not the control's own place, so a press followed by a release outside the picture
// only restores its look. Each ends by redrawing what it changed.

// Close and minimise: pressed while the cursor is over the picture.
void OnFrameButtonPress(AppState& app, const MainControlRow& control);
void OnCloseButtonRelease(AppState& app, const MainControlRow& control);
void OnMinimizeButtonRelease(AppState& app, const MainControlRow& control);
// Wash and release (wash tab only): pressed while the cursor is over the picture, else at rest.
void OnWashOrReleasePress(AppState& app, const MainControlRow& control);
void OnWashButtonRelease(AppState& app, const MainControlRow& control);
void OnReleaseButtonRelease(AppState& app, const MainControlRow& control);
// Merge, learn and certify (on their tab): pressed by the press, at rest after the release.
void OnMergeLearnCertifyPress(AppState& app, const MainControlRow& control);
void OnMergeLearnCertifyRelease(AppState& app, const MainControlRow& control);
void OnMergeButtonClick(AppState& app, const MainControlRow& control);
void OnLearnButtonClick(AppState& app, const MainControlRow& control);
void OnCertifyButtonClick(AppState& app, const MainControlRow& control);
// 图形按钮4 and 图形按钮5: fill merge side 1 or 2 through the merge pet picker (merge tab only).
void OnMergeSideClick(AppState& app, const MainControlRow& control);
// 图形按钮7, the book slot: the skill-book picker (book tab only).
void OnBookSlotClick(AppState& app, const MainControlRow& control);
// The tab buttons (TabSwitch).
void OnTabSelectorPress(AppState& app, const MainControlRow& control);
void OnTabSelectorRelease(AppState& app, const MainControlRow& control);
void OnTabSelectorClick(AppState& app, const MainControlRow& control);
// 透明标签1, the title strip: drags the window.
void OnTitleStripPress(AppState& app, const MainControlRow& control);
// The main window moved: the roster panel follows it.
void OnMainWindowMoved(AppState& app);

// Closes the main window, which ends the simulator (what the close button does).
void CloseMainWindow(AppState& app);
