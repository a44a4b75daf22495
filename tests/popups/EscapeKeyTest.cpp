// Esc closes every picker as its right click does, and changes nothing else.
#include <functional>

#include "PopupsFixture.h"

namespace popupstest {
namespace {

class EscapeKeyTest : public PopupsTest {
protected:
  void SetUp() override {
    PopupsTest::SetUp();
    // Slot 1: a pet with a skill that can be certified; slot 2 a second pet for the merge.
    Record(1, "3|1000|1000|1000|1000|1000|1013|3|5|73|71");
    Record(2, "7|1000|1300|2000|1000|1000|1100|2|5|9");
    Start();
  }
  void Key(const std::string& window) {
    platform::HeadlessInput input;
    input.kind = InputKind::KeyPress;
    input.window = window;
    input.key = platform::Key::Escape;
    system.Post(input);
  }
  // Every record and marker file of the roster, to see that nothing was written.
  static std::vector<std::string> RosterFiles() {
    std::vector<std::string> files;
    for (int slot = 1; slot <= kSlotCount; ++slot) {
      files.push_back(ReadFile(RecordPath(slot)));
      files.push_back(ReadFile(MarkerPath(slot)));
    }
    return files;
  }
};

TEST_F(EscapeKeyTest, ClosesEveryPickerAndChangesNothing) {
  struct Case {
    const char* window;
    std::function<void()> open;
  };
  const Case cases[] = {
      {"species",
       [this] {  // the empty cell of slot 4
         Post(InputKind::Press, "roster", 288, 36);
         Move("roster", 290, 38);
         Post(InputKind::Release, "roster", 290, 38);
       }},
      {"mergepicker",
       [this] {
         ClickMain(kMergeTab);
         ClickMain(kMergeSide1);
       }},
      {"bookpicker",
       [this] {
         ClickMain(kBookTab);
         ClickMain(kBookSlot);
       }},
      {"certify",
       [this] {
         ClickMain(kBookTab);
         ClickMain(kCertifyButton);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.window);
    const auto files = RosterFiles();
    const int currentSlot = app.currentSlot;
    const auto currentSkills = app.currentSkills;
    c.open();
    Shot(c.window, "open");  // fails the run unless the picker is open
    Move(c.window, 60, 50);  // the frame moves onto a cell: Esc must not take it
    Key(c.window);
    ExpectPopupsClosed();
    Run();
    EXPECT_EQ(system.Find(c.window), nullptr);
    EXPECT_EQ(RosterFiles(), files);
    EXPECT_EQ(app.currentSlot, currentSlot);
    EXPECT_EQ(app.currentSkills, currentSkills);
    EXPECT_EQ(app.mergeSide[1].species, 0);
    EXPECT_EQ(app.bookSkill, 0);
    EXPECT_EQ(app.certifyChoice, 0);
    EXPECT_EQ(MessageTexts(), std::vector<std::string>{});
    ClickMain(kWashTab);
    Run();
  }
}

// Windows without a use for the key let it pass: the main window stays open and usable.
TEST_F(EscapeKeyTest, MainWindowAndRosterPanelIgnoreIt) {
  Key("main");
  Key("roster");
  Shot("main", "after");
  ClickMain(kBookTab);
  Run();
  EXPECT_NE(system.Find("main"), nullptr);
  EXPECT_NE(system.Find("roster"), nullptr);
  EXPECT_EQ(app.tabState, TabState::Book);
}

}  // namespace
}  // namespace popupstest
