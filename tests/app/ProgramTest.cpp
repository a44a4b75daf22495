// The real petsim program, run as a subprocess on copies of a data folder.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteText(const fs::path& path, const std::string& text) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

std::string Quote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

class Program : public testing::Test {
protected:
  void SetUp() override {
    char pattern[] = "/tmp/petsim-app-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    root = pattern;
  }
  void TearDown() override {
    std::error_code ignored;
    fs::remove_all(root, ignored);
  }

  // A copy of the default data folder that comes with the program.
  fs::path CopyOfData(const std::string& name) {
    const fs::path copy = root / name;
    fs::copy(fs::path(PETSIM_SOURCE_DIR) / "data", copy, fs::copy_options::recursive);
    return copy;
  }

  // Runs petsim in `cwd` with the words given; `env` is a prefix of `env` assignments.
  Outcome Run(const fs::path& cwd, const std::vector<std::string>& words, const std::string& env = "") {
    std::string command =
        "cd " + Quote(cwd.string()) + " && env -u DISPLAY -u WAYLAND_DISPLAY " + env + " " + Quote(PETSIM_BINARY);
    for (const auto& w : words) command += " " + Quote(w);
    const fs::path errFile = root / "stderr.txt";
    command += " 2>" + Quote(errFile.string());
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) outcome.out.append(buffer, n);
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    outcome.err = ReadText(errFile);
    return outcome;
  }

  fs::path Script(const std::string& text) {
    const fs::path path = root / ("script" + std::to_string(++scripts) + ".txt");
    WriteText(path, text);
    return path;
  }

  // Every record file of a data folder, by slot.
  static std::map<int, std::string> Records(const fs::path& data) {
    std::map<int, std::string> records;
    for (int slot = 1; slot <= 15; ++slot) {
      const fs::path file = data / fs::path("召唤兽/数据/" + std::to_string(slot) + "/Data.txt");
      if (fs::exists(file)) records[slot] = ReadText(file);
    }
    return records;
  }

  fs::path root;
  int scripts = 0;
};

// Washes, a roster pick, a refused learn, a tab round and a screenshot.
constexpr const char* kSession =
    "# a session\n"
    "press main 800 550\n"
    "release main 800 550\n"
    "click main 470 80\n"
    "click main 700 80\n"
    "click main 784 171\n"
    "click main 240 80\n"
    "press roster 120 20\n"
    "move roster 121 21\n"
    "release roster 121 21\n"
    "click main 800 550\n"
    "click main 800 550\n"
    "shot main after.png\n";

TEST_F(Program, ReplayWithAFixedClockGivesTheSameRecordsTwice) {
  const fs::path first = CopyOfData("first");
  const fs::path second = CopyOfData("second");
  const fs::path other = CopyOfData("other");
  const auto original = Records(first);
  const fs::path script = Script(kSession);

  const Outcome a = Run(root, {"--headless", "--replay", script.string(), "--clock", "1234", first.string()});
  const Outcome b = Run(root, {"--headless", "--replay", script.string(), "--clock", "1234", second.string()});
  const Outcome c = Run(root, {"--headless", "--replay", script.string(), "--clock", "98765", other.string()});
  ASSERT_EQ(a.status, 0) << a.err;
  ASSERT_EQ(b.status, 0) << b.err;
  ASSERT_EQ(c.status, 0) << c.err;
  EXPECT_EQ(Records(first), Records(second));
  EXPECT_NE(Records(first), original);        // the washes were written
  EXPECT_NE(Records(first), Records(other));  // and they depend on the clock
  EXPECT_EQ(a.out, b.out);
  // Every message box is one line on stdout.
  EXPECT_NE(a.out.find("message 信息：: 请放入兽决\n"), std::string::npos) << a.out;
  // The screenshot lands where the script was started, not in the data folder.
  EXPECT_TRUE(fs::exists(root / "after.png"));
}

// While a pop-up is open the script's lines are its input; afterwards the main window's again.
TEST_F(Program, ReplayDrivesAPopUpWhileItIsOpen) {
  const fs::path data = CopyOfData("data");
  ASSERT_FALSE(fs::exists(data / fs::path("召唤兽/数据/5/Data.txt")));
  const fs::path script = Script(
      "press roster 372 20\n"  // the empty cell of slot 5
      "move roster 373 21\n"
      "release roster 373 21\n"
      "click species 65 51\n"  // the head of species 1
      "click main 240 80\n");
  const Outcome run = Run(root, {"--replay", script.string(), "--clock", "5", data.string()});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(ReadText(data / fs::path("召唤兽/数据/5/Data.txt")).rfind("1|", 0), 0u);

  // Esc closes the picker as a right click does: nothing is created, the main window takes input.
  const fs::path escaped = CopyOfData("escaped");
  const Outcome esc = Run(root, {"--replay",
                                 Script("press roster 372 20\nmove roster 373 21\n"
                                        "release roster 373 21\nkey species Escape\n"
                                        "click main 240 80\n")
                                     .string(),
                                 escaped.string()});
  ASSERT_EQ(esc.status, 0) << esc.err;
  EXPECT_FALSE(fs::exists(escaped / fs::path("召唤兽/数据/5/Data.txt")));

  // A line for the main window while the picker is open cannot be carried out.
  const fs::path blocked = CopyOfData("blocked");
  const Outcome refused = Run(root, {"--replay",
                                     Script("press roster 372 20\nmove roster 373 21\n"
                                            "release roster 373 21\nclick main 240 80\n")
                                         .string(),
                                     blocked.string()});
  EXPECT_NE(refused.status, 0);
  EXPECT_NE(refused.err.find("replay line 4"), std::string::npos) << refused.err;
  EXPECT_FALSE(fs::exists(blocked / fs::path("召唤兽/数据/5/Data.txt")));
}

TEST_F(Program, ReplayLineThatCannotBeCarriedOutFails) {
  const fs::path data = CopyOfData("data");
  const struct {
    const char* script;
    const char* says;
  } cases[] = {
      {"click main 240 80\nclick species 10 10\n", "replay line 2"},
      {"click main 240 80\nbogus main 1 2\n", "replay line 2"},
      {"click main 240 eighty\n", "replay line 1"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const Outcome run = Run(root, {"--replay", Script(c.script).string(), data.string()});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  const Outcome missing = Run(root, {"--replay", (root / "nowhere.txt").string(), data.string()});
  EXPECT_NE(missing.status, 0);
  EXPECT_NE(missing.err.find("nowhere.txt"), std::string::npos) << missing.err;
}

// What the README promises for scripts that cannot be read or parsed (2) and for lines that
// cannot be carried out (1).
TEST_F(Program, ReplayScriptsFromSomeoneElseKeepToTheirStatusAndFolder) {
  const fs::path data = CopyOfData("data");
  fs::create_directories(root / "a-folder");
  fs::create_directories(root / "mine");
  WriteText(root / "mine" / "notes.png", "keep me");
  fs::create_directory_symlink(root / "mine", root / "a-folder" / "out");
  const struct {
    std::string script;  // empty: the folder a-folder as the script
    int status;
    const char* says;
  } cases[] = {
      {"", 2, "a-folder (it is a directory)"},
      {"click main 240 80\nclick main 875 27\nclick main 240 80\n", 1,
       "replay line 3 `click main 240 80`: the main window has already closed"},
      {"movewin main 2147483647 0\nclick main 800 550\n", 2, "replay line 1"},
      {"click main 800 550\nshot main ../stolen.png\n", 2, "replay line 2"},
      {"shot main " + (root / "stolen.png").string() + "\n", 2, "replay line 1"},
      {"click main 240 80\nshot main out/notes.png\n", 1, "replay line 2 `shot main out/notes.png`: cannot write"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    const fs::path script = c.script.empty() ? root / "a-folder" : Script(c.script);
    const Outcome run = Run(root / "a-folder", {"--replay", script.string(), data.string()});
    EXPECT_EQ(run.status, c.status) << run.err;
    EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
  }
  EXPECT_EQ(ReadText(root / "mine" / "notes.png"), "keep me");
  EXPECT_FALSE(fs::exists(root / "stolen.png"));
}

TEST_F(Program, WithoutADisplaySaysSoAndFails) {
  const fs::path data = CopyOfData("data");
  const Outcome run = Run(root, {data.string()});
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.err.find("display"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("--headless"), std::string::npos) << run.err;
}

TEST_F(Program, HelpVersionAndBadWords) {
  const Outcome help = Run(root, {"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.out.find("--replay SCRIPT"), std::string::npos);
  const Outcome version = Run(root, {"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out.rfind("petsim ", 0), 0u) << version.out;
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--clock", "-3", "--headless"},
                                             {"--clock", "12x", "--headless"},
                                             {"--frobnicate"},
                                             {"a", "b"},
                                             {"--replay"},
                                             {"--headless"},
                                             {"--headless", "--clock", "5", "."}}) {
    const Outcome run = Run(root, words);
    EXPECT_EQ(run.status, 2) << words.front();
    EXPECT_FALSE(run.err.empty());
  }
}

// A headless run without a script would show nothing and do nothing: it is a usage error, and
// it touches no data folder.
TEST_F(Program, HeadlessWithoutAReplayIsAUsageError) {
  const fs::path data = CopyOfData("data");
  const auto before = Records(data);
  for (const std::vector<std::string>& words :
       std::vector<std::vector<std::string>>{{"--headless"}, {"--headless", data.string()}}) {
    const Outcome run = Run(data, words, "XDG_DATA_HOME=" + Quote((root / "xdg").string()));
    EXPECT_EQ(run.status, 2);
    EXPECT_NE(run.err.find("--replay"), std::string::npos) << run.err;
    EXPECT_TRUE(run.out.empty()) << run.out;
  }
  EXPECT_EQ(Records(data), before);
  EXPECT_FALSE(fs::exists(root / "xdg"));
}

TEST_F(Program, FolderThatCannotBeUsedIsNamed) {
  fs::create_directories(root / "plain");
  const fs::path broken = CopyOfData("broken");
  fs::remove_all(broken / fs::path("召唤兽/数据"));
  WriteText(broken / fs::path("召唤兽/数据"), "a file where the slot folders belong");
  const struct { fs::path folder; } cases[] = {{root / "plain"}, {root / "missing"}, {broken}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const Outcome run = Run(root, {"--replay", Script("").string(), c.folder.string()});
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.err.find(c.folder.string()), std::string::npos) << run.err;
  }
}

TEST_F(Program, StartUpCreatesMissingSlotFoldersAndRemovesStaleTemporaryFiles) {
  const fs::path data = CopyOfData("data");
  fs::remove_all(data / fs::path("召唤兽/数据/13"));
  const fs::path stale = data / fs::path("召唤兽/数据/3/.petsim-tmp.Data.txt.12345");
  WriteText(stale, "half a record");
  const auto before = Records(data);
  // No DIR: the current directory holds 召唤兽/, so it is the data folder.
  const Outcome run = Run(data, {"--replay", Script("").string()}, "XDG_DATA_HOME=" + Quote((root / "xdg").string()));
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(fs::is_directory(data / fs::path("召唤兽/数据/13")));
  EXPECT_FALSE(fs::exists(stale));
  EXPECT_EQ(Records(data), before);
  EXPECT_FALSE(fs::exists(root / "xdg"));
}

TEST_F(Program, PerUserFolderIsFilledFromTheDefaultDataOnce) {
  fs::create_directories(root / "elsewhere");
  const struct {
    std::string env;
    fs::path folder;
  } cases[] = {
      {"XDG_DATA_HOME=" + Quote((root / "xdg").string()), root / "xdg" / "petsim"},
      {"-u XDG_DATA_HOME HOME=" + Quote((root / "home").string()), root / "home" / ".local/share/petsim"},
  };
  const auto defaults = Records(fs::path(PETSIM_SOURCE_DIR) / "data");
  ASSERT_FALSE(defaults.empty());
  for (const auto& c : cases) {
    SCOPED_TRACE(c.folder);
    const Outcome run = Run(root / "elsewhere", {"--replay", Script("").string()}, c.env);
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(Records(c.folder), defaults);
    EXPECT_TRUE(fs::exists(c.folder / "UI" / "text1.png"));
    // A second start keeps what the user's folder holds.
    const fs::path record = c.folder / fs::path("召唤兽/数据/1/Data.txt");
    WriteText(record, "5|1|2|3|4|5|1000|0");
    ASSERT_EQ(Run(root / "elsewhere", {"--replay", Script("").string()}, c.env).status, 0);
    EXPECT_EQ(ReadText(record), "5|1|2|3|4|5|1000|0");
  }
  EXPECT_TRUE(fs::is_empty(root / "elsewhere"));
}

// Before, two simulators on one folder overwrote each other's pets.
TEST_F(Program, SecondSimulatorOnAFolderIsRefused) {
  const fs::path data = CopyOfData("data");
  const fs::path lockFile = data / ".petsim.lock";
  {
    // Another program holds the folder: this test process, as a running petsim would.
    const int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(::flock(fd, LOCK_EX | LOCK_NB), 0);
    const auto before = Records(data);
    const Outcome second =
        Run(root, {"--headless", "--replay", Script("click main 800 550\n").string(), data.string()});
    EXPECT_EQ(second.status, 1);
    EXPECT_NE(second.err.find("in use"), std::string::npos) << second.err;
    EXPECT_NE(second.err.find(data.string()), std::string::npos) << second.err;
    EXPECT_EQ(Records(data), before);
    // The odds only read: they need no lock.
    const Outcome odds = Run(root, {"odds", "wash", "slot:1", "--trials", "1000", "--dir", data.string()});
    EXPECT_EQ(odds.status, 0) << odds.err;
    ::close(fd);
  }
  // The lock file a program leaves behind blocks nothing: only a running holder counts.
  ASSERT_TRUE(fs::exists(lockFile));
  const Outcome later = Run(root, {"--replay", Script("").string(), data.string()});
  EXPECT_EQ(later.status, 0) << later.err;
}

// Before, a FIFO named Data.txt made the start wait for ever, and a folder named Data.txt
// aborted petsim odds (status 134).
TEST_F(Program, RecordsThatAreNoFilesAreDamagedNotFatal) {
  const fs::path data = CopyOfData("data");
  fs::remove(data / fs::path("召唤兽/数据/1/Data.txt"));
  ASSERT_EQ(::mkfifo((data / fs::path("召唤兽/数据/1/Data.txt")).c_str(), 0644), 0);
  const Outcome start = Run(root, {"--replay", Script("").string(), data.string()}, "timeout 30");
  EXPECT_EQ(start.status, 0) << start.err;

  fs::remove(data / fs::path("召唤兽/数据/2/Data.txt"));
  fs::create_directories(data / fs::path("召唤兽/数据/2/Data.txt/inside"));
  const Outcome odds = Run(root, {"odds", "merge", "2", "3", "--dir", data.string()}, "timeout 30");
  EXPECT_EQ(odds.status, 1) << odds.err;
  EXPECT_NE(odds.err.find("slot 2: damaged record"), std::string::npos) << odds.err;
}

}  // namespace
