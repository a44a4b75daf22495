#pragma once

#include <string_view>

#include "platform/Window.h"
#include "platform/WindowForm.h"

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
};

enum class MessageButtons { Ok, OkCancel };

// The window system as the program sees it. One instance per run, chosen at start (gtk or headless),
// owned by the program's main and reached through AppState.
class System {
public:
  virtual ~System() = default;

  // Opens a window from `form`; its created event runs before this returns. Returns the window, or
  // nullptr when it cannot be created.
  virtual Window* Open(const WindowForm& form) = 0;

  // Opens a window modally: returns only after it has been destroyed; its owner gets no input
  // meanwhile. Returns false when the window could not be created.
  virtual bool OpenModal(const WindowForm& form) = 0;

  // Handles input until the window opened first (the main window) is destroyed.
  virtual void Run() = 0;

  // The cursor's position in screen pixels.
  virtual Point CursorPosition() const = 0;

  // A message box modal to `owner` (may be null). Returns true for OK.
  virtual bool ShowMessage(Window* owner, std::string_view text, std::string_view caption,
                           MessageButtons buttons) = 0;

  // Waits `milliseconds` while pending events go on being handled.
  virtual void Wait(int milliseconds) = 0;
};

}  // namespace platform
