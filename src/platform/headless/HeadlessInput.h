#pragma once

#include <string>

#include "platform/WindowForm.h"

namespace platform {

enum class InputKind {
  Press,       // left button down at window pixel (x, y)
  Release,     // left button up at (x, y)
  Move,        // pointer moved to (x, y)
  Click,       // left press and release at (x, y)
  RightClick,  // right press and release at (x, y)
  Answer,      // the answer (ok) of the next OK/Cancel box
  MoveWindow,  // the window manager puts the window at screen (x, y)
  Shot,        // save the window's last presented surface to `file` as PNG
  KeyPress,    // the key `key` pressed while the window has the keyboard
};

// The largest distance, in pixels, that a replay line may name: X11 keeps window positions in
// 16 bits, and bounded positions keep every sum of positions and offsets far from overflowing.
inline constexpr int kReplayCoordinateLimit = 32767;

// One input of the headless backend, from a test or a replay script line.
struct HeadlessInput {
  InputKind kind = InputKind::Move;
  std::string window;  // form name; empty for Answer
  int x = 0;
  int y = 0;
  bool ok = true;         // Answer
  std::string file;       // Shot
  Key key = Key::Escape;  // KeyPress
  int line = 0;           // script line number, 0 when not from a script
  std::string text;       // the script line as written
};

}  // namespace platform
