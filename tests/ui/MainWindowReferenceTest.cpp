#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "MainWindowFixture.h"
#include "gfx/StoredPictures.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowPictures.h"
#include "ui/main/RedrawMainWindow.h"

// Each tab composed with the stored pictures for a small roster and compared with a reference
// picture under tests/ui/reference/. After a deliberate change of the artwork or the layout, run
// with PETSIM_UPDATE_REFERENCES=1 to rewrite the references, and look at them before committing.

namespace {

using uitest::Pixel;

constexpr int kTolerance = 3;  // per channel: room for rounding in other pixman versions

std::filesystem::path ReferencePath(const std::string& name) {
  return std::filesystem::path(PETSIM_TEST_DIR) / "ui" / "reference" / (name + ".png");
}

bool UpdatingReferences() {
  const char* update = std::getenv("PETSIM_UPDATE_REFERENCES");
  return update != nullptr && std::string(update) == "1";
}

class MainWindowReference : public uitest::MainWindowTest {
protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    LoadMainWindowPictures(app);
    app.certifyButtonPicture.LoadFromBytes(stored::certifyButton);
    app.certBadge.LoadFromBytes(kEmptyByteConstant);
    SetCurrentPet(4, 12, {0, 1523, 1432, 4890, 2754, 1399, 1.234},
                  {71, 3, 17, 25, 40, 52, 60, 61, 66, 70, 79, 12, 30, 31});
  }

  void ShowTab(int tab) {
    app.tabButtonImages[1].LoadFromBytes(tab == 1 ? stored::tabWashBright : stored::tabWashDull);
    app.tabButtonImages[2].LoadFromBytes(tab == 2 ? stored::tabMergeBright : stored::tabMergeDull);
    app.tabButtonImages[3].LoadFromBytes(tab == 3 ? stored::tabBookBright : stored::tabBookDull);
    app.tabState = TabState::Wash;  // the wash layout places what the book tab reuses
    LayoutMainWindow(app);
    app.tabState = static_cast<TabState>(tab);
    LayoutMainWindow(app);
    RedrawMainWindow(app);
  }

  void ExpectMatchesReference(const std::string& name) {
    ASSERT_NE(window.Presented(), nullptr) << "nothing was presented";
    const auto path = ReferencePath(name);
    if (UpdatingReferences()) {
      std::filesystem::create_directories(path.parent_path());
      ASSERT_EQ(cairo_surface_write_to_png(window.Presented(), path.c_str()), CAIRO_STATUS_SUCCESS);
      GTEST_SKIP() << "rewrote " << path;
    }
    cairo_surface_t* reference = cairo_image_surface_create_from_png(path.c_str());
    ASSERT_EQ(cairo_surface_status(reference), CAIRO_STATUS_SUCCESS)
        << "no reference picture " << path << " (PETSIM_UPDATE_REFERENCES=1 writes it)";
    ASSERT_EQ(cairo_image_surface_get_width(reference), 920);
    ASSERT_EQ(cairo_image_surface_get_height(reference), 620);

    int differing = 0;
    std::string first;
    for (int y = 0; y < 620; ++y)
      for (int x = 0; x < 920; ++x) {
        const Pixel a = uitest::ReadPixel(window.Presented(), x, y);
        const Pixel b = uitest::ReadPixel(reference, x, y);
        const int worst =
            std::max({std::abs(a.a - b.a), std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
        if (worst > kTolerance && differing++ == 0)
          first = std::to_string(x) + "," + std::to_string(y) + ": " + testing::PrintToString(a) + " instead of " +
                  testing::PrintToString(b);
      }
    cairo_surface_destroy(reference);
    if (differing > 0) {
      const auto actual = std::filesystem::temp_directory_path() / ("petsim-" + name + "-actual.png");
      cairo_surface_write_to_png(window.Presented(), actual.c_str());
      ADD_FAILURE() << differing << " pixels differ from " << path << ", first at " << first
                    << "; the composed picture is in " << actual;
    }
  }
};

// A certified pet with 14 skills: four rows of icons, the badge over the first.
TEST_F(MainWindowReference, WashTab) {
  app.certBadge.LoadFromBytes(stored::certBadge);
  app.certifyButtonPicture.LoadFromBytes(stored::cancelCertifyButton);
  ShowTab(1);
  ExpectMatchesReference("wash-tab");
}

// One side filled, the other empty (six zeros, no head, no icons).
TEST_F(MainWindowReference, MergeTab) {
  SetMergeSide(1, 6, {0, 1300, 950, 3000, 1700, 1000, 1.085}, {19, 20, 55, 4, 8});
  ShowTab(2);
  ExpectMatchesReference("merge-tab");
}

// A book in the book slot, an uncertified pet.
TEST_F(MainWindowReference, BookTab) {
  app.bookSkill = 44;
  app.bookIcon.LoadFromFile("./召唤兽/技能/技能44.png");
  ShowTab(3);
  ExpectMatchesReference("book-tab");
}

}  // namespace
