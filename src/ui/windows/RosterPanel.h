#pragma once

#include "platform/WindowForm.h"

struct AppState;

// The roster panel: a 410x200 window owned by the main window, kept at the main window's
// left + 43, top + 385. It shows the 15 slots' heads on a strip of 5 x 3 cells that scrolls
// vertically (strip y within -45..0), marks the current pet with the highlight frame, makes a
// clicked saved pet current and starts a new pet on a clicked empty cell.
//
// Slot s is cell index k = s - 1, in column k mod 5 and row k div 5. The panel's fields live in
// AppState, so they survive closing and reopening; each opening reloads and repaints.

// The panel's window form: one hot area, 图形按钮1, over the whole panel.
platform::WindowForm RosterPanelForm(AppState& app);

// Opens the panel over the main window; true when it is open afterwards (also when it already
// was). False when the window system refused the window.
bool OpenRosterPanel(AppState& app);
// Closes the panel if it is open.
void CloseRosterPanel(AppState& app);
bool IsRosterPanelOpen(const AppState& app);

// Keeps the panel beside the main window and makes strip, highlight and cells consistent;
// while rosterFollowsCurrent is 1 the highlight goes to currentSlot and the current pet is
// reloaded from disk. Works on the fields alone while the panel is closed.
void PlaceRosterPanel(AppState& app);
// rosterCellRects from the strip's place.
void LayoutRosterCells(AppState& app);
// Repaints the panel (nothing is presented while it is closed).
void DrawRosterPanel(AppState& app);
// Reloads the 15 head pictures from the records on disk; free slots get no head.
void LoadRosterHeads(AppState& app);
// Scrolls back to the top and puts the highlight on currentSlot.
void ResetRosterView(AppState& app);

// The cell index 0..14 whose open 70x70 box holds panel point (x, y), with the strip where it
// is now; -1 between and outside the cells.
int RosterCellAt(const AppState& app, int x, int y);

// Handlers of the panel window (the form wires them; tests may call them directly).
void OnRosterPanelCreated(AppState& app);
void OnRosterPress(AppState& app, int x, int y);
void OnRosterMove(AppState& app, int x, int y);
void OnRosterRelease(AppState& app, int x, int y);
