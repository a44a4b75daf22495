#include <windows.h>

#include "core/Clock.h"

std::uint32_t MonotonicClock::TickMilliseconds() { return GetTickCount(); }
