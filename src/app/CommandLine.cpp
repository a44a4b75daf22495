#include "app/CommandLine.h"

#include <charconv>

namespace {

bool ParseTick(const std::string& text, std::uint32_t& tick) {
  if (text.empty()) return false;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, tick);
  return error == std::errc() && stop == end;
}

CommandLine Fail(std::string why) {
  CommandLine line;
  line.action = CommandLine::Action::Error;
  line.error = std::move(why);
  return line;
}

}  // namespace

CommandLine ParseCommandLine(const std::vector<std::string>& words) {
  CommandLine line;
  if (!words.empty() && words.front() == "odds") {
    line.action = CommandLine::Action::Odds;
    return line;
  }
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (word == "--help" || word == "-h") {
      line.action = CommandLine::Action::Help;
      return line;
    }
    if (word == "--version") {
      line.action = CommandLine::Action::Version;
      return line;
    }
    if (word == "--headless") {
      line.headless = true;
    } else if (word == "--replay") {
      if (i + 1 >= words.size()) return Fail("--replay needs a script file");
      line.replayScript = words[++i];
      line.headless = true;
    } else if (word == "--clock") {
      if (i + 1 >= words.size()) return Fail("--clock needs a tick count");
      std::uint32_t tick = 0;
      if (!ParseTick(words[i + 1], tick))
        return Fail("--clock needs a whole number of milliseconds from 0 to 4294967295, not '" + words[i + 1] + "'");
      line.clock = tick;
      ++i;
    } else if (word.size() > 1 && word.front() == '-') {
      return Fail("unknown option " + word);
    } else if (line.dataFolder) {
      return Fail("only one data folder can be given ('" + *line.dataFolder + "' and '" + word + "')");
    } else {
      line.dataFolder = word;
    }
  }
  // Without a script the headless run would open the windows unseen and close them at once.
  if (line.headless && line.replayScript.empty()) return Fail("--headless needs --replay SCRIPT");
  return line;
}

std::string HelpText() {
  return "usage: petsim [DIR]\n"
         "       petsim --headless --replay SCRIPT [--clock T] [DIR]\n"
         "       petsim odds ...\n"
         "       petsim --help | --version\n"
         "\n"
         "Starts the summoned-pet simulator on the data folder DIR (a folder holding 召唤兽/ and UI/).\n"
         "Without DIR: the current directory when it holds 召唤兽/, otherwise the per-user folder\n"
         "$XDG_DATA_HOME/petsim (~/.local/share/petsim), filled from the default data on first start.\n"
         "\n"
         "  --headless       run without a display, on the in-memory window system (with --replay)\n"
         "  --replay SCRIPT  feed the lines of SCRIPT as input (implies --headless); message boxes\n"
         "                   are printed as 'message CAPTION: TEXT'; at the end the program closes\n"
         "  --clock T        every seeding of the random generator reads the tick T (milliseconds),\n"
         "                   so that a replay gives the same pets each time\n"
         "  odds ...         the odds of a wash, a merge or a skill book (petsim odds --help)\n"
         "  --help, --version\n";
}
