#pragma once

#include <functional>

#include "platform/WindowForm.h"

struct AppState;
class LayeredCanvas;

// Opens a pop-up window modally over the main window, centred on it and owned by it, and returns
// when it has been closed. False when there is no window system or the window cannot be created.
bool OpenPopup(AppState& app, platform::WindowForm form);

// Closes the pop-up whose canvas is bound to it; does nothing when the canvas is unbound.
void ClosePopup(LayeredCanvas& canvas);

// A destroyed handler that unbinds `canvas` from the closing window, so that no later draw can
// reach a window that is gone. The canvas is bound again when the pop-up next opens.
std::function<void(platform::Window&)> ReleaseOnDestroy(LayeredCanvas& canvas);
