#include "odds/OddsOptions.h"

#include <charconv>

namespace {

template <class Number>
std::optional<Number> WholeNumber(std::string_view text) {
  Number value{};
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || failure != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<OddsOptions> ParseOddsOptions(std::span<const std::string> args, std::string& error) {
  OddsOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string word = args[i];
    if (word == "--help" || word == "-h") {
      options.help = true;
      continue;
    }
    if (!word.starts_with("--")) {
      if (options.command.empty())
        options.command = word;
      else
        options.operands.push_back(word);
      continue;
    }
    if (word == "--json") {
      options.json = true;
      continue;
    }
    // --name VALUE or --name=VALUE
    std::string value;
    if (const auto equals = word.find('='); equals != std::string::npos) {
      value = word.substr(equals + 1);
      word.resize(equals);
    } else if (word == "--want" || word == "--trials" || word == "--seed" || word == "--threads" || word == "--dir" ||
               word == "--plot") {
      if (i + 1 >= args.size() || args[i + 1].starts_with("--")) {
        error = word + " needs a value";
        return std::nullopt;
      }
      value = args[++i];
    }
    if (word == "--want") {
      auto want = ParseWantConditions(value, error);
      if (!want) return std::nullopt;
      options.want = std::move(*want);
    } else if (word == "--trials") {
      const auto trials = WholeNumber<std::uint64_t>(value);
      if (!trials || *trials < 1 || *trials > 100'000'000'000ull) {
        error = "--trials wants a whole number from 1 to 100000000000";
        return std::nullopt;
      }
      options.trials = *trials;
    } else if (word == "--seed") {
      const auto seed = WholeNumber<std::uint32_t>(value);
      if (!seed) {
        error = "--seed wants a whole number from 0 to 4294967295";
        return std::nullopt;
      }
      options.seed = *seed;
    } else if (word == "--threads") {
      const auto threads = WholeNumber<int>(value);
      if (!threads || *threads < 1 || *threads > 256) {
        error = "--threads wants a whole number from 1 to 256";
        return std::nullopt;
      }
      options.threads = *threads;
    } else if (word == "--dir") {
      if (value.empty()) {
        error = "--dir needs a folder";
        return std::nullopt;
      }
      options.givenFolder = value;
    } else if (word == "--plot") {
      if (value.empty()) {
        error = "--plot needs a file name";
        return std::nullopt;
      }
      options.plotPath = value;
    } else {
      error = "unknown option " + word;
      return std::nullopt;
    }
  }
  return options;
}
