#include "odds/OddsPlot.h"

#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

namespace {

using Surface = std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)>;
using Context = std::unique_ptr<cairo_t, decltype(&cairo_destroy)>;

constexpr int kWidth = 900;
constexpr int kTitleHeight = 50;
constexpr int kChartHeight = 300;

void Text(cairo_t* cr, double x, double y, const std::string& text, double size, bool centred) {
  cairo_set_font_size(cr, size);
  cairo_text_extents_t extents;
  cairo_text_extents(cr, text.c_str(), &extents);
  cairo_move_to(cr, centred ? x - extents.width / 2 - extents.x_bearing : x, y);
  cairo_show_text(cr, text.c_str());
}

void DrawChart(cairo_t* cr, const ChanceChart& chart, double top) {
  const double left = 70, right = kWidth - 30, plotTop = top + 40, plotBottom = top + kChartHeight - 40;
  cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
  Text(cr, left, top + 24, chart.title, 16, false);
  const double highest = std::max(0.05, *std::max_element(chart.chances.begin(), chart.chances.end()));
  // A scale in steps of 10 % (or 5 % for small chances) up to the highest bar.
  const double step = highest > 0.3 ? 0.1 : 0.05;
  // Room above the highest bar for its figure.
  const double scaleTop = std::min(1.0, step * std::ceil(highest / step + 0.15));
  cairo_set_line_width(cr, 1);
  for (double tick = 0; tick <= scaleTop + 1e-9; tick += step) {
    const double y = plotBottom - (plotBottom - plotTop) * tick / scaleTop;
    cairo_set_source_rgb(cr, 0.85, 0.85, 0.85);
    cairo_move_to(cr, left, y);
    cairo_line_to(cr, right, y);
    cairo_stroke(cr);
    char label[16];
    std::snprintf(label, sizeof label, "%.0f %%", tick * 100);
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    Text(cr, 8, y + 4, label, 11, false);
  }
  const std::size_t bars = chart.chances.size();
  const double slot = (right - left) / static_cast<double>(bars);
  const double barWidth = std::min(60.0, slot * 0.7);
  for (std::size_t i = 0; i < bars; ++i) {
    const double centre = left + slot * (static_cast<double>(i) + 0.5);
    const double height = (plotBottom - plotTop) * std::clamp(chart.chances[i] / scaleTop, 0.0, 1.0);
    cairo_set_source_rgb(cr, 0.23, 0.45, 0.70);
    cairo_rectangle(cr, centre - barWidth / 2, plotBottom - height, barWidth, height);
    cairo_fill(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    Text(cr, centre, plotBottom + 16, chart.labels[i], 12, true);
    char value[16];
    std::snprintf(value, sizeof value, "%.1f", chart.chances[i] * 100);
    Text(cr, centre, plotBottom - height - 4, value, 10, true);
  }
}

}  // namespace

bool DrawOddsPlot(const std::string& path, const std::string& title, const std::vector<ChanceChart>& charts,
                  std::string& error) {
  std::vector<const ChanceChart*> drawn;
  for (const auto& chart : charts)
    if (!chart.chances.empty() && chart.chances.size() == chart.labels.size()) drawn.push_back(&chart);
  const int height = kTitleHeight + kChartHeight * static_cast<int>(std::max<std::size_t>(drawn.size(), 1));
  Surface surface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, kWidth, height), cairo_surface_destroy);
  Context cr(cairo_create(surface.get()), cairo_destroy);
  cairo_set_source_rgb(cr.get(), 1, 1, 1);
  cairo_paint(cr.get());
  cairo_select_font_face(cr.get(), "WenQuanYi Micro Hei", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
  cairo_set_source_rgb(cr.get(), 0, 0, 0);
  Text(cr.get(), kWidth / 2.0, 32, title, 20, true);
  for (std::size_t i = 0; i < drawn.size(); ++i)
    DrawChart(cr.get(), *drawn[i], kTitleHeight + kChartHeight * static_cast<double>(i));
  cairo_surface_flush(surface.get());
  const cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
  if (status != CAIRO_STATUS_SUCCESS) {
    error = "cannot write " + path + ": " + cairo_status_to_string(status);
    return false;
  }
  return true;
}
