#include "platform/gtk/StartupTrace.h"

#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace platform {
namespace {

double ClockSeconds(clockid_t clock) {
  timespec now{};
  clock_gettime(clock, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

}  // namespace

bool StartupTraceWanted() {
  const char* value = std::getenv("PETSIM_TRACE_STARTUP");
  return value != nullptr && value[0] != '\0' && std::strcmp(value, "0") != 0;
}

double MillisecondsSinceProcessStart() {
  // Field 22 of /proc/self/stat: the start in clock ticks after boot, on the clock that
  // CLOCK_BOOTTIME reads. The command name (field 2) may hold spaces: skip past its ')'.
  std::ifstream file("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  const std::size_t close = stat.rfind(')');
  const long ticks = sysconf(_SC_CLK_TCK);
  if (close == std::string::npos || ticks <= 0) return -1.0;
  std::istringstream fields(stat.substr(close + 1));
  std::string field;
  for (int number = 3; number <= 22 && (fields >> field); ++number) {
    if (number == 22) {
      const double started = std::strtod(field.c_str(), nullptr) / static_cast<double>(ticks);
      return (ClockSeconds(CLOCK_BOOTTIME) - started) * 1000.0;
    }
  }
  return -1.0;
}

void PrintStartupTrace(const char* what) {
  std::fprintf(stderr, "petsim: startup: %s %.1f ms after process start (monotonic %.6f s)\n", what,
               MillisecondsSinceProcessStart(), ClockSeconds(CLOCK_MONOTONIC));
  std::fflush(stderr);
}

}  // namespace platform
