// Redraw cost of the main window's tabs with the stored pictures and the default data folder
// (data/ of the source tree, only read), the skill icons and digit glyphs read from disk at every
// redraw as the window does.

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "core/AppState.h"
#include "platform/System.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowPictures.h"
#include "ui/main/RedrawMainWindow.h"

namespace {

// Accepts every surface without copying it: the compositor's own cost is measured.
class NullWindow : public platform::Window {
public:
  const std::string& Name() const override { return name_; }
  bool Present(cairo_surface_t*) override { return true; }
  int Left() const override { return 50; }
  int Top() const override { return 50; }
  int Width() const override { return 920; }
  int Height() const override { return 620; }
  void Move(int, int) override {}
  void Minimize() override {}
  void Destroy() override {}
  void SetControlVisible(std::string_view, bool) override {}
  void BeginTitleDrag() override {}

private:
  std::string name_ = "main";
};

class Fixture {
public:
  Fixture() {
    if (chdir(PETSIM_SOURCE_DIR "/data") != 0) {
      std::fprintf(stderr, "the default data folder %s/data is missing\n", PETSIM_SOURCE_DIR);
      std::abort();
    }
    app.mainWindow = &window;
    LoadMainWindowPictures(app);
    app.petPicture.LoadFromFile("./召唤兽/图形/召唤兽5.png");
    app.mainCanvas.Bind(&window, 920, 620);
    app.currentSlot = 1;
    app.slotSpecies[1] = 5;
    app.slotAptitudes[1] = {0, 1523, 1432, 4890, 2754, 1399, 1.234};
    for (int k = 0; k < 15; ++k) app.currentSkills.push_back(1 + 5 * k);
    for (int side = 1; side <= 2; ++side) {
      app.mergeSide[side].species = side == 1 ? 5 : 9;
      app.mergeSide[side].aptitudes = {0, 1500, 1400, 4800, 2700, 1300, 1.25, 0};
      for (int k = 0; k < 12; ++k) app.mergeSide[side].skills.push_back(side + 6 * k);
      app.mergeHeads[side].LoadFromFile("./召唤兽/头像/召唤兽" + std::to_string(side == 1 ? 5 : 9) + ".png");
    }
  }

  // `cold`: the icons and glyphs are dropped before each redraw, so every file is decoded again
  // (the cost when every file has changed since the last redraw).
  void Redraw(benchmark::State& state, int tab, bool cold = false) {
    app.tabState = static_cast<TabState>(tab);
    LayoutMainWindow(app);
    for (auto _ : state) {
      if (cold) {
        for (auto& icon : app.currentSkillIcons) icon.Dispose();
        for (auto& glyph : app.digitImages) glyph.Dispose();
      }
      RedrawMainWindow(app);
      benchmark::DoNotOptimize(app.mainCanvas.Surface());
    }
  }

  NullWindow window;
  AppState app;
};

void BM_RedrawWashTab15Skills(benchmark::State& state) { Fixture().Redraw(state, 1); }
void BM_RedrawWashTab15SkillsCold(benchmark::State& state) { Fixture().Redraw(state, 1, true); }
void BM_RedrawMergeTab(benchmark::State& state) { Fixture().Redraw(state, 2); }
void BM_RedrawBookTab15Skills(benchmark::State& state) { Fixture().Redraw(state, 3); }

BENCHMARK(BM_RedrawWashTab15Skills)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawWashTab15SkillsCold)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawMergeTab)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawBookTab15Skills)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
