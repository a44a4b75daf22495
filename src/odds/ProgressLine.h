#pragma once

#include <chrono>
#include <cstdint>
#include <ostream>
#include <string>

// A progress line on a terminal for runs longer than a second: nothing is written before
// the first second has passed, nor at all without a stream.
class ProgressLine {
public:
  ProgressLine(std::ostream* terminal, std::string what);
  ~ProgressLine();  // clears the line if one was written
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Update(std::uint64_t done, std::uint64_t total);

private:
  std::ostream* terminal_;
  std::string what_;
  std::chrono::steady_clock::time_point start_;
  bool shown_ = false;
};
