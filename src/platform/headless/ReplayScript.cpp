#include "platform/headless/ReplayScript.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <utility>

#include "shared/ReadUpTo.h"

namespace platform {
namespace {

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsSpace(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsSpace(s.back())) s.remove_suffix(1);
  return s;
}

// Splits off the next word; `rest` keeps what follows it, trimmed.
std::string_view NextWord(std::string_view& rest) {
  std::size_t end = 0;
  while (end < rest.size() && !IsSpace(rest[end])) ++end;
  std::string_view word = rest.substr(0, end);
  rest = Trim(rest.substr(end));
  return word;
}

bool ParseInt(std::string_view word, int& value) {
  if (word.empty()) return false;
  auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
  return ec == std::errc() && end == word.data() + word.size();
}

// A screenshot name from a script someone else wrote must not reach outside the folder petsim
// was started in: no absolute path, no `..` component. (Links are refused when the file is
// written.)
bool StaysBelow(std::string_view file) {
  if (file.front() == '/') return false;
  while (!file.empty()) {
    const std::size_t slash = file.find('/');
    if (file.substr(0, slash) == "..") return false;
    if (slash == std::string_view::npos) break;
    file.remove_prefix(slash + 1);
  }
  return true;
}

struct Verb {
  std::string_view word;
  InputKind kind;
};

constexpr Verb kPointVerbs[] = {
    {"press", InputKind::Press}, {"release", InputKind::Release},   {"move", InputKind::Move},
    {"click", InputKind::Click}, {"rclick", InputKind::RightClick}, {"movewin", InputKind::MoveWindow},
};

bool EndsWithPng(std::string_view file) {
  constexpr std::string_view kSuffix = ".png";
  if (file.size() <= kSuffix.size()) return false;
  std::string_view tail = file.substr(file.size() - kSuffix.size());
  for (std::size_t i = 0; i < kSuffix.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != kSuffix[i]) return false;
  }
  return true;
}

// Empty when the line was understood, otherwise why not.
std::string ParseLine(std::string_view line, HeadlessInput& input) {
  std::string_view rest = line;
  std::string_view verb = NextWord(rest);
  if (verb == "answer") {
    std::string_view word = NextWord(rest);
    if (!rest.empty() || (word != "ok" && word != "cancel")) return "expected `answer ok` or `answer cancel`";
    input.kind = InputKind::Answer;
    input.ok = word == "ok";
    return {};
  }
  if (verb == "key") {
    input.kind = InputKind::KeyPress;
    input.window = NextWord(rest);
    std::string_view key = NextWord(rest);
    if (input.window.empty() || key != "Escape" || !rest.empty()) return "expected `key WINDOW Escape`";
    input.key = Key::Escape;
    return {};
  }
  if (verb == "shot") {
    input.kind = InputKind::Shot;
    input.window = NextWord(rest);
    input.file = rest;  // the rest of the line, so that names may hold spaces
    if (input.window.empty() || input.file.empty()) return "expected `shot WINDOW FILE`";
    if (!StaysBelow(input.file)) {
      return "`shot` writes only below the folder petsim was started in: FILE must be a relative "
             "path without `..`";
    }
    // Only pictures: a script from someone else must not be able to replace a user's dot file
    // or document that happens to lie in the start folder.
    if (!EndsWithPng(input.file)) return "`shot` writes PNG pictures only: FILE must end in .png";
    return {};
  }
  for (const Verb& v : kPointVerbs) {
    if (verb != v.word) continue;
    input.kind = v.kind;
    input.window = NextWord(rest);
    std::string_view x = NextWord(rest);
    std::string_view y = NextWord(rest);
    if (input.window.empty() || !ParseInt(x, input.x) || !ParseInt(y, input.y) || !rest.empty()) {
      return "expected `" + std::string(v.word) + " WINDOW X Y` with whole numbers";
    }
    const auto outside = [](int v) { return v < -kReplayCoordinateLimit || v > kReplayCoordinateLimit; };
    if (outside(input.x) || outside(input.y)) {
      return "X and Y must lie between -" + std::to_string(kReplayCoordinateLimit) + " and " +
             std::to_string(kReplayCoordinateLimit);
    }
    return {};
  }
  return "unknown command `" + std::string(verb) + "`";
}

}  // namespace

ReplayScript ParseReplayScript(std::string_view text) {
  ReplayScript script;
  int number = 0;
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    std::string_view raw = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    ++number;
    std::string_view line = Trim(raw);
    if (line.empty() || line.front() == '#') continue;
    HeadlessInput input;
    input.line = number;
    input.text = line;
    std::string why = ParseLine(line, input);
    if (!why.empty()) {
      script.inputs.clear();
      script.error = "replay line " + std::to_string(number) + " `" + std::string(line) + "`: " + why;
      return script;
    }
    script.inputs.push_back(std::move(input));
  }
  return script;
}

ReplayScript LoadReplayScript(const std::string& path) {
  ReplayScript script;
  // A pipe (`--replay /dev/stdin`) is fine; a directory is not a script, though it opens.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    script.error = "cannot read replay script " + path;
    return script;
  }
  std::string text;
  struct stat info {};
  if (::fstat(fd, &info) != 0) {
    script.error = "cannot read replay script " + path;
  } else if (S_ISDIR(info.st_mode)) {
    script.error = "cannot read replay script " + path + " (it is a directory)";
  } else {
    if (!ReadUpTo(fd, text.max_size(), text)) {
      script.error = "cannot read replay script " + path + " (" + std::strerror(errno) + ")";
    }
  }
  ::close(fd);
  if (!script.error.empty()) return script;
  return ParseReplayScript(text);
}

}  // namespace platform
