#pragma once

// Start-up timing for the benchmark (scripts/bench-startup.sh): with PETSIM_TRACE_STARTUP=1 in the
// environment, the gtk backend prints one line on stderr when the main window is first drawn on
// the screen:
//   petsim: startup: first present 87.3 ms after process start (monotonic 5123.456789 s)
// The process start comes from the kernel (/proc/self/stat, in clock ticks of 10 ms); the
// monotonic stamp (CLOCK_MONOTONIC) lets a caller measure from its own spawn time exactly.

namespace platform {

// True when PETSIM_TRACE_STARTUP is set to a value other than "" or "0".
bool StartupTraceWanted();

// Milliseconds since this process started, or a negative value when the kernel does not say.
double MillisecondsSinceProcessStart();

// Prints the line above for `what` ("first present").
void PrintStartupTrace(const char* what);

}  // namespace platform
