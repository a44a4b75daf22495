#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/AppState.h"
#include "core/DataPaths.h"
#include "core/LoadSlot.h"
#include "core/RosterStore.h"
#include "gfx/GfxTestSupport.h"
#include "gfx/StoredPictures.h"
#include "ui/main/CertificationLook.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowPictures.h"
#include "ui/main/RedrawMainWindow.h"

// Writes the README's pictures of the three tabs (docs/*-tab.png) from the stored artwork and the
// default data folder. It writes into the source tree, so it is disabled in the normal run:
//   test_ui --gtest_also_run_disabled_tests --gtest_filter='ReadmePictures.*'

namespace {

void ShowTab(AppState& app, int tab) {
  app.tabButtonImages[1].LoadFromBytes(tab == 1 ? stored::tabWashBright : stored::tabWashDull);
  app.tabButtonImages[2].LoadFromBytes(tab == 2 ? stored::tabMergeBright : stored::tabMergeDull);
  app.tabButtonImages[3].LoadFromBytes(tab == 3 ? stored::tabBookBright : stored::tabBookDull);
  app.tabState = static_cast<TabState>(tab);
  LayoutMainWindow(app);
  RedrawMainWindow(app);
}

// Puts the pet of `slot` on a merge side as the merge pet picker does.
void PlaceOnMergeSide(AppState& app, int side, int slot) {
  ASSERT_EQ(LoadSlot(app, slot), SlotLoad::Loaded) << "slot " << slot;
  auto& s = app.mergeSide[side];
  s.species = app.slotSpecies[slot];
  s.slot = slot;
  for (int j = 1; j <= kAptitudeCount; ++j) s.aptitudes[j] = app.slotAptitudes[slot][j];
  s.skills = app.currentSkills;
  app.mergeHeads[side].LoadFromFile(HeadPicturePath(s.species));
}

TEST(ReadmePictures, DISABLED_WriteTabPictures) {
  const std::filesystem::path docs = std::filesystem::path(PETSIM_SOURCE_DIR) / "docs";
  ASSERT_TRUE(std::filesystem::is_directory(PETSIM_SOURCE_DIR "/data")) << "the default data folder is missing";
  gfxtest::ScopedWorkingDirectory inData(PETSIM_SOURCE_DIR "/data");
  gfxtest::FakeWindow window("main", 50, 50);
  AppState app;
  app.mainWindow = &window;
  LoadMainWindowPictures(app);
  app.mainCanvas.Bind(&window, 920, 620);

  const auto occupied = ScanOccupiedSlots();
  ASSERT_GE(occupied.size(), 2u) << "the default roster needs two pets";
  app.tabState = TabState::Wash;
  LayoutMainWindow(app);
  const auto write = [&](const char* name) {
    std::filesystem::create_directories(docs);
    ASSERT_EQ(cairo_surface_write_to_png(window.Presented(), (docs / name).c_str()), CAIRO_STATUS_SUCCESS);
  };

  PlaceOnMergeSide(app, 1, occupied[0]);
  PlaceOnMergeSide(app, 2, occupied[1]);
  ShowTab(app, 2);
  write("merge-tab.png");

  app.currentSlot = occupied[0];
  ASSERT_EQ(LoadSlot(app, app.currentSlot), SlotLoad::Loaded);
  app.currentSpecies = app.slotSpecies[app.currentSlot];
  app.petPicture.LoadFromFile(PetPicturePath(app.currentSpecies));
  ShowSlotCertificationLook(app, app.currentSlot);
  ShowTab(app, 1);
  write("wash-tab.png");

  app.bookSkill = 44;
  app.bookIcon.LoadFromFile(SkillIconPath(app.bookSkill));
  ShowTab(app, 3);
  write("book-tab.png");
}

}  // namespace
