#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/AppState.h"
#include "core/Clock.h"
#include "core/DataFolderFixture.h"
#include "core/RosterStore.h"
#include "platform/headless/HeadlessSystem.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProgramWindows.h"
#include "ui/main/SystemMessages.h"
#include "ui/windows/BookSkillPicker.h"
#include "ui/windows/MergePetPicker.h"
#include "ui/windows/SpeciesPicker.h"

// Writes the README's pictures of the pop-ups (docs/species-picker.png ...) by running the program
// headless on a copy of the default data folder. It writes into the source tree, so it is
// disabled in the normal run:
//   test_popups --gtest_also_run_disabled_tests --gtest_filter='ReadmePictures.*'

namespace {

using platform::HeadlessInput;
using platform::InputKind;

class ReadmePictures : public DataFolderTest {
protected:
  void Input(InputKind kind, const std::string& window, int x = 0, int y = 0) {
    HeadlessInput input;
    input.kind = kind;
    input.window = window;
    input.x = x;
    input.y = y;
    system.Post(input);
  }
  void Shot(const std::string& window, const std::string& file) {
    HeadlessInput input;
    input.kind = InputKind::Shot;
    input.window = window;
    input.file = (docs / file).string();
    system.Post(input);
  }
  // A press, a small move and a release on the roster panel's cell of `slot` (top rows only).
  void RosterClick(int slot) {
    const int x = 84 * ((slot - 1) % 5) + 36, y = 36;
    Input(InputKind::Press, "roster", x, y);
    Input(InputKind::Move, "roster", x + 2, y);
    Input(InputKind::Release, "roster", x + 2, y);
  }

  const std::filesystem::path docs = std::filesystem::path(PETSIM_SOURCE_DIR) / "docs";
  platform::HeadlessSystem system;
  FixedClock clock{20261211};
  SystemMessages messages{system};
  AppState app;
  ProgramWindows windows{app};
};

TEST_F(ReadmePictures, DISABLED_WritePopupPictures) {
  std::filesystem::copy(std::filesystem::path(PETSIM_SOURCE_DIR) / "data", ".",
                        std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
  std::filesystem::create_directories(docs);
  app.system = &system;
  app.clock = &clock;
  app.messages = &messages;
  app.windows = &windows;
  ASSERT_TRUE(OpenMainWindow(app));
  ASSERT_FALSE(IsSlotOccupied(5)) << "the default roster's slot 5 must be free";

  RosterClick(5);
  const Rect head = SpeciesPickerCellRect(10);
  Input(InputKind::Move, "species", head.x + 30, head.y + 30);
  Shot("species", "species-picker.png");
  Input(InputKind::RightClick, "species", 5, 5);

  Input(InputKind::Click, "main", 700, 80);   // the book tab
  Input(InputKind::Click, "main", 518, 174);  // the book slot
  const Rect icon = BookPickerCellRect(47);
  Input(InputKind::Move, "bookpicker", icon.x + 30, icon.y + 30);
  Shot("bookpicker", "book-picker.png");
  Input(InputKind::RightClick, "bookpicker", 5, 5);

  RosterClick(3);                             // a pet with a certifiable spell
  Input(InputKind::Click, "main", 789, 560);  // the certify button
  Input(InputKind::Move, "certify", 58, 59);
  Shot("certify", "certify-picker.png");
  Input(InputKind::RightClick, "certify", 5, 5);

  Input(InputKind::Click, "main", 470, 80);  // the merge tab
  Input(InputKind::Click, "main", 98, 177);  // side 1
  const Rect first = MergePickerCellRect(1), fourth = MergePickerCellRect(4);
  Input(InputKind::Move, "mergepicker", fourth.x + 35, fourth.y + 35);
  Shot("mergepicker", "merge-picker.png");
  Input(InputKind::Click, "mergepicker", first.x + 35, first.y + 35);
  Input(InputKind::Click, "main", 568, 177);  // side 2
  Input(InputKind::Click, "mergepicker", fourth.x + 35, fourth.y + 35);
  Input(InputKind::Click, "main", 457, 349);  // merge
  Shot("detail", "pet-detail.png");
  Input(InputKind::Click, "detail", 814, 25);

  system.Run();
  EXPECT_EQ(system.Failure(), "");
  for (const char* name :
       {"species-picker.png", "book-picker.png", "certify-picker.png", "merge-picker.png", "pet-detail.png"})
    EXPECT_TRUE(std::filesystem::exists(docs / name)) << name;
}

}  // namespace
