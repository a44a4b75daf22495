// The window steps each operation asks for, in its order: the detail view opens before the main
// window is redrawn, the roster panel follows after it, and a refusal shows nothing but what
// the operation's own steps say.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/OperationWindows.h"
#include "core/RosterStore.h"
#include "rules/Merge.h"
#include "rules/Release.h"
#include "rules/RulesFixture.h"
#include "rules/SkillBook.h"

namespace {

class RecordingWindows final : public OperationWindows {
public:
  void RedrawMainWindow() override { steps.push_back("redraw"); }
  void ShowCertificationLook(bool certified) override { steps.push_back(certified ? "look certified" : "look plain"); }
  void OpenCertifyPicker() override { steps.push_back("certify picker"); }
  void OpenPetDetailView() override { steps.push_back("detail view"); }
  void ReloadRosterPanel() override { steps.push_back("roster reloaded"); }
  void PlaceRosterPanel() override { steps.push_back("roster placed"); }
  std::vector<std::string> steps;
};

class OperationSteps : public RulesTest {
protected:
  void SetUp() override {
    RulesTest::SetUp();
    state.windows = &windows;
  }
  RecordingWindows windows;
};

MergeSide Side(int species, int slot, int skill) {
  MergeSide side;
  side.species = species;
  side.slot = slot;
  for (int k = 1; k <= 5; ++k) side.aptitudes[k] = 1000;
  side.skills = {skill};
  return side;
}

using Steps = std::vector<std::string>;

}  // namespace

TEST_F(OperationSteps, MergeShowsTheChildThenRedrawsThenTheRosterFollows) {
  WriteFile(RecordPath(2), "1|1000|1000|1000|1000|1000|1000|1|53");
  WriteFile(RecordPath(5), "15|1000|1000|1000|1000|1000|1000|1|28");
  state.mergeSide[1] = Side(1, 2, 53);
  state.mergeSide[2] = Side(15, 5, 28);
  ASSERT_TRUE(MergePets(state));
  EXPECT_EQ(windows.steps, (Steps{"look plain", "detail view", "redraw", "roster placed"}));
  EXPECT_EQ(state.currentSlot, 2);
  EXPECT_EQ(state.rosterFollowsCurrent, 1);
  windows.steps.clear();
  EXPECT_FALSE(MergePets(state));  // the sides are empty now
  EXPECT_TRUE(windows.steps.empty());
}

TEST_F(OperationSteps, ReleaseSetsTheLookReloadsTheRosterAndRedraws) {
  WriteFile(RecordPath(1), "3|1|1|1|1|1|1000|1|2");
  WriteFile(RecordPath(4), "17|1|1|1|1|1|1000|1|2");
  WriteFile(MarkerPath(4), "71");
  state.currentSlot = 1;
  ASSERT_TRUE(ReleasePet(state).released);
  EXPECT_EQ(windows.steps, (Steps{"look certified", "roster reloaded", "redraw"}));
  // Nothing to release: the refusal only redraws.
  windows.steps.clear();
  state.currentSlot = 9;
  EXPECT_FALSE(ReleasePet(state).released);
  EXPECT_EQ(windows.steps, (Steps{"redraw"}));
}

TEST_F(OperationSteps, LearnRedrawsOnlyWhenTheBookWasUsed) {
  MakeCurrent(3, "12|1300|950|3000|1700|1000|1085|1|19");
  EXPECT_EQ(OnLearnClicked(state), LearnOutcome::Refused);  // no book
  EXPECT_TRUE(windows.steps.empty());
  state.bookSkill = 42;
  EXPECT_EQ(OnLearnClicked(state), LearnOutcome::Learned);
  EXPECT_EQ(windows.steps, (Steps{"redraw"}));
}
