// Redraw cost of the main window's tabs, with the skill icons and digit glyphs read from disk at
// every redraw as the window does. The data folder is generated in a temporary directory with
// pictures of realistic size and non-trivial content (so decoding costs what real files cost).

#include <benchmark/benchmark.h>
#include <cairo.h>
#include <unistd.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/AppState.h"
#include "ui/main/LayoutMainWindow.h"
#include "ui/main/MainWindowPictures.h"
#include "ui/main/RedrawMainWindow.h"

namespace {

namespace fs = std::filesystem;

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

// A picture with a gradient, a ring and soft transparent corners, seeded by `seed`.
void WritePicture(const fs::path& path, int width, int height, int seed) {
  fs::create_directories(path.parent_path());
  cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
  cairo_t* cr = cairo_create(surface);
  cairo_pattern_t* gradient = cairo_pattern_create_linear(0, 0, width, height);
  cairo_pattern_add_color_stop_rgba(gradient, 0, (seed % 7) / 7.0, 0.4, 0.8, 1);
  cairo_pattern_add_color_stop_rgba(gradient, 1, 0.9, (seed % 5) / 5.0, 0.2, 0.9);
  const double r = std::min(width, height) / 6.0;
  cairo_new_sub_path(cr);
  cairo_arc(cr, width - r, r, r, -M_PI / 2, 0);
  cairo_arc(cr, width - r, height - r, r, 0, M_PI / 2);
  cairo_arc(cr, r, height - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, r, r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
  cairo_set_source(cr, gradient);
  cairo_fill(cr);
  cairo_pattern_destroy(gradient);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
  cairo_set_line_width(cr, 2 + seed % 3);
  cairo_arc(cr, width / 2.0, height / 2.0, std::min(width, height) / 3.0, 0, 2 * M_PI);
  cairo_stroke(cr);
  cairo_destroy(cr);
  cairo_surface_write_to_png(surface, path.c_str());
  cairo_surface_destroy(surface);
}

class Fixture {
public:
  Fixture() {
    std::string pattern = (fs::temp_directory_path() / "petsim-bench-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
    if (chdir(folder_.c_str()) != 0) std::abort();
    for (int i = 1; i <= kGlyphCount; ++i)
      WritePicture(fs::path("UI") / ("text" + std::to_string(i) + ".png"), 14, 17, i);
    for (int skill = 1; skill <= kSkillCount; ++skill)
      WritePicture(fs::u8path("./召唤兽/技能/技能" + std::to_string(skill) + ".png"), 64, 64, skill);
    WritePicture(fs::u8path("./召唤兽/图形/召唤兽5.png"), 234, 242, 5);
    WritePicture(fs::u8path("./召唤兽/头像/召唤兽5.png"), 88, 86, 5);
    WritePicture(fs::u8path("./召唤兽/头像/召唤兽9.png"), 88, 86, 9);

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
      app.mergeHeads[side].LoadFromFile("./召唤兽/头像/召唤兽" + std::to_string(side == 1 ? 5 : 9) +
                                        ".png");
    }
  }
  ~Fixture() {
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  void Redraw(benchmark::State& state, int tab) {
    app.tabState = tab;
    LayoutMainWindow(app);
    for (auto _ : state) {
      RedrawMainWindow(app);
      benchmark::DoNotOptimize(app.mainCanvas.Surface());
    }
  }

  NullWindow window;
  AppState app;

private:
  fs::path folder_;
};

void BM_RedrawWashTab15Skills(benchmark::State& state) { Fixture().Redraw(state, 1); }
void BM_RedrawMergeTab(benchmark::State& state) { Fixture().Redraw(state, 2); }
void BM_RedrawBookTab15Skills(benchmark::State& state) { Fixture().Redraw(state, 3); }

BENCHMARK(BM_RedrawWashTab15Skills)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawMergeTab)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RedrawBookTab15Skills)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
