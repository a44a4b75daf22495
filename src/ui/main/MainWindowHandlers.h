#pragma once

struct AppState;

// Handlers of the main window's controls. Press and release handlers test the cursor against the
// button picture's normal place (HitTest), not the control's own place, so a press followed by a
// release outside the picture only restores its look. Each ends by redrawing what it changed.

// 图形按钮1, close.
void OnCloseButtonPress(AppState& app);
void OnCloseButtonRelease(AppState& app);
// 图形按钮2, minimise.
void OnMinimizeButtonPress(AppState& app);
void OnMinimizeButtonRelease(AppState& app);
// 洗练按钮, wash (wash tab only).
void OnWashButtonPress(AppState& app);
void OnWashButtonRelease(AppState& app);
// 放生按钮, release (wash tab only); the release handler is ReleasePet.
void OnReleaseButtonPress(AppState& app);
void ReleasePet(AppState& app);
// 图形按钮3, merge (merge tab only).
void OnMergeButtonPress(AppState& app);
void OnMergeButtonRelease(AppState& app);
void OnMergeButtonClick(AppState& app);
// 图形按钮6, learn (book tab only).
void OnLearnButtonPress(AppState& app);
void OnLearnButtonRelease(AppState& app);
void OnLearnButtonClick(AppState& app);
// 图形按钮8, certify or cancel the certification (book tab only).
void OnCertifyButtonPress(AppState& app);
void OnCertifyButtonRelease(AppState& app);
void OnCertifyButtonClick(AppState& app);
// 图形按钮4 and 图形按钮5: fill merge side 1 or 2 through the merge pet picker (merge tab only).
void OnMergeSideClick(AppState& app, int side);
// 图形按钮7, the book slot: the skill-book picker (book tab only).
void OnBookSlotClick(AppState& app);
// 透明标签1, the title strip: drags the window.
void OnTitleStripPress(AppState& app);
// The main window moved: the roster panel follows it.
void OnMainWindowMoved(AppState& app);

// Closes the main window, which ends the simulator (what the close button does).
void CloseMainWindow(AppState& app);
