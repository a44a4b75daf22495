#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/HeadlessInput.h"

namespace platform {

// A replay script: one input per line, blank lines and lines starting with '#' ignored.
//   press W X Y     left button down at window pixel X,Y of window W
//   release W X Y   left button up
//   move W X Y      pointer moved
//   click W X Y     press and release
//   rclick W X Y    right press and release
//   answer ok | answer cancel   the answer of the next OK/Cancel box
//   movewin W X Y   the window manager puts W at screen X,Y
//   shot W FILE     save W's last presented surface as PNG (FILE is the rest of the line)
//   key W Escape    the Esc key pressed while W has the keyboard
// W is a form name: main, roster, species, mergepicker, bookpicker, detail, certify. X, Y are
// decimal integers (may be negative). Pixels are turned into screen positions when the line is
// carried out, against the window's place at that moment.
struct ReplayScript {
  std::vector<HeadlessInput> inputs;
  std::string error;  // empty when every line was understood
};

// Parses a whole script; on the first malformed line `error` names its number and text.
ReplayScript ParseReplayScript(std::string_view text);

// Reads and parses the file at `path`; an unreadable file is an error too.
ReplayScript LoadReplayScript(const std::string& path);

}  // namespace platform
