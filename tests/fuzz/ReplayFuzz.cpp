// Fuzz target: the replay script reader, over any text. Besides the sanitizers' reports, the traps
// check what the headless backend relies on: a script is taken whole or not at all, every
// position lies on an X screen, every screenshot name stays below the launch folder, and lines
// keep their numbers in order.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/headless/ReplayScript.h"

namespace {

void Require(bool condition) {
  if (!condition) __builtin_trap();
}

bool OnScreen(int v) { return v >= -platform::kReplayCoordinateLimit && v <= platform::kReplayCoordinateLimit; }

bool StaysBelow(std::string_view file) {
  if (file.empty() || file.front() == '/') return false;
  for (std::size_t start = 0;;) {
    const std::size_t slash = file.find('/', start);
    if (file.substr(start, slash - start) == "..") return false;
    if (slash == std::string_view::npos) return true;
    start = slash + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const platform::ReplayScript script = platform::ParseReplayScript(text);
  if (!script.error.empty()) {
    Require(script.inputs.empty());
    Require(script.error.starts_with("replay line "));
    return 0;
  }
  int previousLine = 0;
  for (const platform::HeadlessInput& input : script.inputs) {
    Require(input.line > previousLine);
    previousLine = input.line;
    Require(!input.text.empty() && input.text.front() != '#');
    Require(OnScreen(input.x) && OnScreen(input.y));
    if (input.kind == platform::InputKind::Shot) Require(StaysBelow(input.file));
    if (input.kind != platform::InputKind::Answer) Require(!input.window.empty());
  }
  return 0;
}
