#pragma once

#include "app/CommandLine.h"

// The simulator's run: the window system (gtk, or headless for a replay), the clock, the state,
// the stored skinning library, the main window and its event loop until the main window is
// closed. Expects the working directory to be the data folder. Returns the exit status.
int RunSimulator(const CommandLine& line);
