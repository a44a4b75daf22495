#pragma once

// GTK 3 backend: borderless windows with the screen's RGBA visual, input shape from the presented
// alpha, modal windows and waits on nested main loops, GTK message dialogs.
// Lacks: nothing the program uses; without a compositing manager edges are 1-bit (shape cut from
// alpha), without an RGBA visual windows are opaque, without a window manager iconify does nothing.

#include <memory>

#include "platform/System.h"

namespace platform {

// Initialises GTK (only here, so headless runs need no display) and returns the system, or
// nullptr when no display can be opened.
std::unique_ptr<System> MakeGtkSystem();

}  // namespace platform
