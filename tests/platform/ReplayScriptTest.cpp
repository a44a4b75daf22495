#include "platform/headless/ReplayScript.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "platform/headless/HeadlessSystem.h"

namespace platform {
namespace {

struct GoodLine {
  const char* name;
  const char* text;
  InputKind kind;
  const char* window;
  int x, y;
  bool ok;
  const char* file;
};

class ReplayGoodLine : public testing::TestWithParam<GoodLine> {};

TEST_P(ReplayGoodLine, ParsesToOneInput) {
  const GoodLine& c = GetParam();
  ReplayScript script = ParseReplayScript(c.text);
  ASSERT_EQ(script.error, "");
  ASSERT_EQ(script.inputs.size(), 1u);
  const HeadlessInput& in = script.inputs[0];
  EXPECT_EQ(in.kind, c.kind);
  EXPECT_EQ(in.window, c.window);
  EXPECT_EQ(in.x, c.x);
  EXPECT_EQ(in.y, c.y);
  EXPECT_EQ(in.ok, c.ok);
  EXPECT_EQ(in.file, c.file);
  EXPECT_EQ(in.line, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReplayGoodLine,
    testing::Values(
        GoodLine{"Press", "press main 10 20", InputKind::Press, "main", 10, 20, true, ""},
        GoodLine{"ReleaseNegative", "release roster 0 -3", InputKind::Release, "roster", 0, -3, true, ""},
        GoodLine{"Move", "move species 657 414", InputKind::Move, "species", 657, 414, true, ""},
        GoodLine{"ClickWithTabsAndCarriageReturn", "  click\tmergepicker 1 2  \r", InputKind::Click, "mergepicker", 1,
                 2, true, ""},
        GoodLine{"RightClick", "rclick bookpicker 5 6", InputKind::RightClick, "bookpicker", 5, 6, true, ""},
        GoodLine{"MoveWindow", "movewin main -100 40", InputKind::MoveWindow, "main", -100, 40, true, ""},
        GoodLine{"AnswerOk", "answer ok", InputKind::Answer, "", 0, 0, true, ""},
        GoodLine{"AnswerCancel", "answer cancel", InputKind::Answer, "", 0, 0, false, ""},
        GoodLine{"KeyEscape", "key species Escape", InputKind::KeyPress, "species", 0, 0, true, ""},
        GoodLine{"ShotWithSpaces", "shot detail out/after merge.png", InputKind::Shot, "detail", 0, 0, true,
                 "out/after merge.png"},
        GoodLine{"ShotDotsInAName", "shot main ..a/b..png", InputKind::Shot, "main", 0, 0, true, "..a/b..png"},
        GoodLine{"LargestCoordinates", "movewin main 32767 -32767", InputKind::MoveWindow, "main", 32767, -32767, true,
                 ""}),
    [](const testing::TestParamInfo<GoodLine>& info) { return std::string(info.param.name); });

struct BadLine {
  const char* name;
  const char* text;
  const char* why;
};

constexpr const char* kOutsideTheScreen = "X and Y must lie between -32767 and 32767";
constexpr const char* kShotOutside =
    "`shot` writes only below the folder petsim was started in: FILE must be a relative path without `..`";

constexpr const char* kShotNotPng = "`shot` writes PNG pictures only: FILE must end in .png";

class ReplayBadLine : public testing::TestWithParam<BadLine> {};

TEST_P(ReplayBadLine, NamesLineNumberTextAndReason) {
  // Two good lines, a comment and a blank line before the bad one: it is line 5.
  std::string text = std::string("press main 1 1\n# a comment\n\nrelease main 1 1\n") + GetParam().text + "\n";
  ReplayScript script = ParseReplayScript(text);
  EXPECT_TRUE(script.inputs.empty());
  EXPECT_EQ(script.error, std::string("replay line 5 `") + GetParam().text + "`: " + GetParam().why);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ReplayBadLine,
    testing::Values(BadLine{"UnknownCommand", "tap main 1 1", "unknown command `tap`"},
                    BadLine{"MissingY", "click main 1", "expected `click WINDOW X Y` with whole numbers"},
                    BadLine{"MissingXY", "click main", "expected `click WINDOW X Y` with whole numbers"},
                    BadLine{"OnlyVerb", "click", "expected `click WINDOW X Y` with whole numbers"},
                    BadLine{"ExtraNumber", "press main 1 2 3", "expected `press WINDOW X Y` with whole numbers"},
                    BadLine{"NotWhole", "move main 1.5 2", "expected `move WINDOW X Y` with whole numbers"},
                    BadLine{"NotANumber", "rclick main x 2", "expected `rclick WINDOW X Y` with whole numbers"},
                    BadLine{"OutOfRange", "movewin main 99999999999 0",
                            "expected `movewin WINDOW X Y` with whole numbers"},
                    BadLine{"PlusSign", "release main 3 +4", "expected `release WINDOW X Y` with whole numbers"},
                    BadLine{"AnswerNothing", "answer", "expected `answer ok` or `answer cancel`"},
                    BadLine{"AnswerYes", "answer yes", "expected `answer ok` or `answer cancel`"},
                    BadLine{"AnswerTrailing", "answer ok now", "expected `answer ok` or `answer cancel`"},
                    BadLine{"ShotWithoutFile", "shot main", "expected `shot WINDOW FILE`"},
                    BadLine{"KeyUnknown", "key species Enter", "expected `key WINDOW Escape`"},
                    BadLine{"KeyLowerCase", "key species escape", "expected `key WINDOW Escape`"},
                    BadLine{"KeyWithoutKey", "key species", "expected `key WINDOW Escape`"},
                    BadLine{"KeyTrailing", "key species Escape 1", "expected `key WINDOW Escape`"},
                    // Sums of such positions overflowed in the handlers.
                    BadLine{"XBeyondTheScreen", "movewin main 2147483647 0", kOutsideTheScreen},
                    BadLine{"YBeyondTheScreen", "click main 0 32768", kOutsideTheScreen},
                    BadLine{"SmallestInt", "move main -2147483648 0", kOutsideTheScreen},
                    // A script from someone else must not write outside the launch folder.
                    BadLine{"ShotAbsolute", "shot main /home/someone/.bashrc", kShotOutside},
                    BadLine{"ShotUp", "shot main ../x.png", kShotOutside},
                    BadLine{"ShotUpInTheMiddle", "shot main a/../../x.png", kShotOutside},
                    BadLine{"ShotUpAtTheEnd", "shot main a/..", kShotOutside},
                    BadLine{"ShotNotAPicture", "shot main .bashrc", kShotNotPng},
                    BadLine{"ShotOnlyTheSuffix", "shot main .png", kShotNotPng},
                    BadLine{"ShotPngInTheMiddle", "shot main a.png.sh", kShotNotPng}),
    [](const testing::TestParamInfo<BadLine>& info) { return std::string(info.param.name); });

TEST(ReplayScript, KeepsLineNumbersAcrossBlankAndCommentLines) {
  ReplayScript script = ParseReplayScript("\n# start\nclick main 1 2\n   \n  # indented comment\nanswer ok");
  ASSERT_EQ(script.error, "");
  ASSERT_EQ(script.inputs.size(), 2u);
  EXPECT_EQ(script.inputs[0].line, 3);
  EXPECT_EQ(script.inputs[0].text, "click main 1 2");
  EXPECT_EQ(script.inputs[1].line, 6);
}

TEST(ReplayScript, UnreadableFileIsAnError) {
  ReplayScript script = LoadReplayScript("/nonexistent/petsim.replay");
  // The program prints this and exits with status 2 (ProgramTest).
  EXPECT_EQ(script.error, "cannot read replay script /nonexistent/petsim.replay");
}

TEST(ReplayScript, ADirectoryIsNoScript) {
  const auto dir = std::filesystem::temp_directory_path() / ("petsim-replay-dir-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  ReplayScript script = LoadReplayScript(dir.string());
  std::filesystem::remove(dir);
  EXPECT_EQ(script.error, "cannot read replay script " + dir.string() + " (it is a directory)");
  EXPECT_TRUE(script.inputs.empty());
}

// Inputs for a small main window with one button that counts clicks and one that closes it.
struct ClosingMain {
  HeadlessSystem system;
  int clicks = 0;
  Window* main = nullptr;
  ClosingMain() {
    WindowForm form;
    form.name = "main";
    form.width = 20;
    form.height = 10;
    ControlForm count;
    count.name = "count";
    count.place = MakeRect(0, 0, 10, 10);
    count.events.click = [this] { ++clicks; };
    ControlForm close;
    close.name = "close";
    close.place = MakeRect(10, 0, 10, 10);
    close.events.click = [this] { main->Destroy(); };
    form.controls = {count, close};
    main = system.Open(form);
    system.SetInputEndHandler([this] { main->Destroy(); });
  }
};

TEST(ReplayScript, LinesLeftWhenTheMainWindowHasClosedAreAFailure) {
  ClosingMain app;
  ReplayScript script = ParseReplayScript("click main 5 5\nclick main 15 5\n# gone\nclick main 5 5\nclick main 5 5\n");
  ASSERT_EQ(script.error, "");
  for (HeadlessInput& input : script.inputs) app.system.Post(std::move(input));
  app.system.Run();
  EXPECT_EQ(app.clicks, 1);
  EXPECT_EQ(app.system.Failure(), "replay line 4 `click main 5 5`: the main window has already closed");
}

TEST(ReplayScript, ClosingAtTheLastLineIsNoFailure) {
  ClosingMain app;
  ReplayScript script = ParseReplayScript("click main 5 5\nclick main 15 5\n\n# done\n");
  for (HeadlessInput& input : script.inputs) app.system.Post(std::move(input));
  app.system.Run();
  EXPECT_EQ(app.clicks, 1);
  EXPECT_EQ(app.system.Failure(), "");
}

TEST(ReplayScript, LineThatCannotBeCarriedOutEndsTheRunWithItsNumber) {
  auto path = std::filesystem::temp_directory_path() / ("petsim-replay-" + std::to_string(::getpid()));
  {
    std::ofstream out(path);
    out << "click main 5 5\n\nclick roster 1 1\nclick main 5 5\n";
  }
  HeadlessSystem system;
  int clicks = 0;
  bool closed = false;
  WindowForm form;
  form.name = "main";
  form.width = 10;
  form.height = 10;
  ControlForm b;
  b.name = "b";
  b.place = MakeRect(0, 0, 10, 10);
  b.events.click = [&] { ++clicks; };
  form.controls = {b};
  Window* main = system.Open(form);
  // As the program queues a script.
  ReplayScript script = LoadReplayScript(path.string());
  ASSERT_EQ(script.error, "");
  for (HeadlessInput& input : script.inputs) system.Post(std::move(input));
  system.SetInputEndHandler([&] {
    closed = true;
    main->Destroy();
  });
  system.Run();
  std::filesystem::remove(path);
  EXPECT_EQ(clicks, 1);  // the line after the failing one never runs
  EXPECT_TRUE(closed);
  EXPECT_EQ(system.Failure(), "replay line 3 `click roster 1 1`: window roster is not open");
}

}  // namespace
}  // namespace platform
