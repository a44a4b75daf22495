#include "odds/ProgressLine.h"

#include <cstdio>
#include <utility>

ProgressLine::ProgressLine(std::ostream* terminal, std::string what)
    : terminal_(terminal), what_(std::move(what)), start_(std::chrono::steady_clock::now()) {}

ProgressLine::~ProgressLine() {
  if (shown_) *terminal_ << "\r\033[K" << std::flush;
}

void ProgressLine::Update(std::uint64_t done, std::uint64_t total) {
  if (terminal_ == nullptr || total == 0) return;
  if (std::chrono::steady_clock::now() - start_ < std::chrono::seconds(1)) return;
  char line[128];
  std::snprintf(line, sizeof line, "\r%s: %3.0f %% (%llu of %llu)", what_.c_str(), 100.0 * done / total,
                static_cast<unsigned long long>(done), static_cast<unsigned long long>(total));
  *terminal_ << line << std::flush;
  shown_ = true;
}
