#include "platform/ControlDispatch.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/HeadlessSystem.h"

namespace platform {
namespace {

// Every control logs its events as "NAME EVENT [X Y]", so a case compares one list.
struct Log {
  std::vector<std::string> lines;
  void Add(const std::string& s) { lines.push_back(s); }
};

ControlForm Logged(Log& log, std::string name, Rect place, bool visible = true) {
  ControlForm c;
  c.name = name;
  c.place = place;
  c.visible = visible;
  auto at = [](int x, int y) { return " " + std::to_string(x) + " " + std::to_string(y); };
  c.events.leftPress = [&log, name, at](int x, int y) { log.Add(name + " press" + at(x, y)); };
  c.events.leftRelease = [&log, name, at](int x, int y) { log.Add(name + " release" + at(x, y)); };
  c.events.click = [&log, name] { log.Add(name + " click"); };
  c.events.mouseMove = [&log, name, at](int x, int y) { log.Add(name + " move" + at(x, y)); };
  c.events.rightRelease = [&log, name, at](int x, int y) { log.Add(name + " right" + at(x, y)); };
  return c;
}

// A hidden control H over everything, listed first; A at [10,30)x[10,30); B listed after A,
// overlapping it at [20,40)x[20,40).
std::vector<ControlForm> Layout(Log& log) {
  return {Logged(log, "H", MakeRect(0, 0, 100, 100), false), Logged(log, "A", MakeRect(10, 10, 20, 20)),
          Logged(log, "B", MakeRect(20, 20, 20, 20))};
}

struct Step {
  char what;  // p press, r release, m move, R right release
  int x, y;
};

struct DispatchCase {
  const char* name;
  std::vector<Step> steps;
  std::vector<std::string> expected;
};

class DispatchRules : public testing::TestWithParam<DispatchCase> {};

TEST_P(DispatchRules, DeliverTheExpectedEvents) {
  Log log;
  ControlDispatch dispatch(Layout(log));
  for (const Step& s : GetParam().steps) {
    switch (s.what) {
      case 'p':
        dispatch.LeftPress(s.x, s.y);
        break;
      case 'r':
        dispatch.LeftRelease(s.x, s.y);
        break;
      case 'm':
        dispatch.Move(s.x, s.y);
        break;
      case 'R':
        dispatch.RightRelease(s.x, s.y);
        break;
    }
  }
  EXPECT_EQ(log.lines, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DispatchRules,
    testing::Values(
        DispatchCase{"ClickInside", {{'p', 15, 15}, {'r', 16, 16}}, {"A press 15 15", "A release 16 16", "A click"}},
        DispatchCase{"OverlapGoesToFirstListed",
                     {{'p', 25, 25}, {'r', 25, 25}},
                     {"A press 25 25", "A release 25 25", "A click"}},
        DispatchCase{"ReleaseOutsideNoClick", {{'p', 15, 15}, {'r', 70, 70}}, {"A press 15 15", "A release 70 70"}},
        DispatchCase{"ReleaseInOtherControlStaysWithPresser",
                     {{'p', 15, 15}, {'r', 35, 35}},
                     {"A press 15 15", "A release 35 35"}},
        DispatchCase{"MovesFollowCaptureOutside",
                     {{'p', 15, 15}, {'m', 60, -5}, {'m', 35, 35}, {'r', 12, 12}},
                     {"A press 15 15", "A move 60 -5", "A move 35 35", "A release 12 12", "A click"}},
        DispatchCase{
            "HoverGoesUnderPointer", {{'m', 35, 35}, {'m', 15, 15}, {'m', 90, 90}}, {"B move 35 35", "A move 15 15"}},
        DispatchCase{"CaptureEndsAtRelease",
                     {{'p', 15, 15}, {'r', 15, 15}, {'m', 35, 35}},
                     {"A press 15 15", "A release 15 15", "A click", "B move 35 35"}},
        DispatchCase{"ReleaseWithoutPressNoClick", {{'r', 35, 35}}, {"B release 35 35"}},
        DispatchCase{"PressOnNothingCapturesNothing",
                     {{'p', 90, 90}, {'m', 35, 35}, {'r', 35, 35}},
                     {"B move 35 35", "B release 35 35"}},
        DispatchCase{"RightReleaseUnderPointerEvenDuringCapture",
                     {{'p', 15, 15}, {'R', 35, 35}, {'R', 15, 15}},
                     {"A press 15 15", "B right 35 35", "A right 15 15"}},
        DispatchCase{"RightReleaseOnNothing", {{'R', 90, 90}}, {}},
        // Half-open places: the first row and column belong to the control, the end does not.
        DispatchCase{"EdgesHalfOpen",
                     {{'p', 10, 10}, {'r', 10, 10}, {'p', 9, 15}, {'p', 30, 15}, {'p', 15, 30}},
                     {"A press 10 10", "A release 10 10", "A click"}},
        DispatchCase{
            "LastPixelInside", {{'p', 29, 15}, {'r', 29, 15}}, {"A press 29 15", "A release 29 15", "A click"}}),
    [](const testing::TestParamInfo<DispatchCase>& info) { return std::string(info.param.name); });

TEST(ControlDispatch, HiddenControlTakesNoInputAndShownAgainDoes) {
  Log log;
  ControlDispatch dispatch(Layout(log));
  ASSERT_TRUE(dispatch.SetVisible("A", false));
  dispatch.LeftPress(25, 25);
  dispatch.LeftRelease(25, 25);
  ASSERT_TRUE(dispatch.SetVisible("A", true));
  dispatch.LeftPress(25, 25);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"B press 25 25", "B release 25 25", "B click", "A press 25 25"}));
  EXPECT_FALSE(dispatch.SetVisible("nope", true));
}

TEST(ControlDispatch, ControlHiddenWhilePressedGetsReleaseButNoClick) {
  Log log;
  ControlDispatch dispatch(Layout(log));
  dispatch.LeftPress(15, 15);
  dispatch.SetVisible("A", false);
  dispatch.LeftRelease(15, 15);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"A press 15 15", "A release 15 15"}));
}

TEST(ControlDispatch, CancelledCaptureGivesNoClick) {
  Log log;
  ControlDispatch dispatch(Layout(log));
  dispatch.LeftPress(15, 15);
  dispatch.CancelCapture();  // a title drag took the pointer
  dispatch.LeftRelease(15, 15);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"A press 15 15", "A release 15 15"}));
}

TEST(ControlDispatch, ControlWithoutPressHandlerStillTakesThePressAndClicks) {
  Log log;
  ControlForm onlyClick;
  onlyClick.name = "C";
  onlyClick.place = MakeRect(0, 0, 50, 50);
  onlyClick.events.click = [&log] { log.Add("C click"); };
  ControlDispatch dispatch({onlyClick, Logged(log, "D", MakeRect(0, 0, 50, 50))});
  dispatch.LeftPress(5, 5);
  dispatch.LeftRelease(5, 5);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"C click"}));
}

TEST(ControlDispatch, HandCursorFollowsTheControlUnderThePointer) {
  Log log;
  auto controls = Layout(log);
  controls[2].handCursor = true;  // B
  ControlDispatch dispatch(controls);
  EXPECT_FALSE(dispatch.HandCursorAt(15, 15));
  EXPECT_FALSE(dispatch.HandCursorAt(25, 25));  // A is on top there
  EXPECT_TRUE(dispatch.HandCursorAt(35, 35));
  EXPECT_FALSE(dispatch.HandCursorAt(90, 90));
}

}  // namespace
}  // namespace platform
