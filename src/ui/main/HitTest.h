#pragma once

struct AppState;

// The cursor's position in main-window pixels: its screen position minus the main window's left
// (top) edge. Without a window system the cursor counts as (0, 0); without a main window the
// window counts as lying at (0, 0).
int MouseWindowX(const AppState& app);
int MouseWindowY(const AppState& app);

// True when the cursor lies strictly inside the rectangle (main-window pixels): columns left + 1
// to left + width - 1 and rows top + 1 to top + height - 1; the first column and row are outside.
bool HitTest(const AppState& app, int left, int top, int width, int height);
