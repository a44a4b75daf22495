#pragma once

#include "platform/Window.h"
#include "platform/WindowForm.h"

struct AppState;

// The main window's form: 920x620 at (50, 50) and its controls in the form's order (a press goes
// to the first-listed visible control under the pointer), each wired to its handler.
platform::WindowForm MainWindowForm(AppState& app);

// Opens the main window through app.system; its created handler (OnMainWindowCreated) runs inside.
// True when the window is open afterwards; false when it could not be created or closed itself
// during creation (the roster panel could not be created).
bool OpenMainWindow(AppState& app);

// The created handler: stored pictures, the wash tab, the roster read from disk and the lowest
// occupied slot made current (none when the roster is empty: currentSlot 0), the certification
// look, the canvas bound, the first frame drawn and the roster panel opened. When the panel cannot
// be created it shows "窗口组件创建失败！" titled "错误" and destroys the main window.
void OnMainWindowCreated(AppState& app, platform::Window& window);
