#pragma once

// GTK 3 backend on X11 (XWayland included): borderless windows with the screen's RGBA visual,
// input shape from the presented alpha, owned windows above their owner and hidden while it is
// minimised, modal windows and waits on nested main loops, GTK message dialogs.
// Lacks: nothing the program uses; without a compositing manager edges are 1-bit (shape cut from
// alpha), without an RGBA visual windows are opaque, without a window manager iconify does nothing.
// With PETSIM_TRACE_STARTUP=1 it reports the main window's first present (see StartupTrace.h).

#include <memory>

#include "platform/System.h"

namespace platform {

// Initialises GTK (only here, so headless runs need no display) and returns the system, or
// nullptr when no display can be opened.
std::unique_ptr<System> MakeGtkSystem();

}  // namespace platform
