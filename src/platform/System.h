#pragma once

#include <string_view>

#include "platform/Window.h"
#include "platform/WindowForm.h"

namespace platform {

struct Point {
  int x = 0;
  int y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

enum class MessageButtons { Ok, OkCancel };

// The window system as the program sees it. One instance per run, chosen at start (gtk or headless,
// see gtk/GtkSystem.h and headless/HeadlessSystem.h), owned by the program's main and reached
// through AppState.
class System {
public:
  virtual ~System() = default;

  // Opens a window from `form`; its created event runs before this returns. Returns the window, or
  // nullptr when it cannot be created or its created handler already destroyed it.
  virtual Window* Open(const WindowForm& form) = 0;

  // Opens a window modally: returns only after it has been destroyed; no other window gets input
  // meanwhile. Returns false when the window could not be created.
  virtual bool OpenModal(const WindowForm& form) = 0;

  // Handles input until the window opened first (the main window) is destroyed.
  virtual void Run() = 0;

  // The open window opened last under that form name, or nullptr.
  virtual Window* Find(std::string_view name) const = 0;

  // The cursor's position in screen pixels.
  virtual Point CursorPosition() const = 0;

  // A message box modal to `owner` (may be null: then to the main window), titled `caption`.
  // Returns true for OK; an OK-only box always returns true.
  virtual bool ShowMessage(Window* owner, std::string_view text, std::string_view caption, MessageButtons buttons) = 0;

  // Waits `milliseconds` while pending events go on being handled (handlers may run inside).
  virtual void Wait(int milliseconds) = 0;
};

}  // namespace platform
