#pragma once

#include <string>
#include <vector>

// A bar chart of chances (0..1), one bar per label.
struct ChanceChart {
  std::string title;
  std::vector<std::string> labels;
  std::vector<double> chances;
};

// Draws the charts one above the other under `title` into a PNG file. false with a
// one-line reason when the file cannot be written.
bool DrawOddsPlot(const std::string& path, const std::string& title, const std::vector<ChanceChart>& charts,
                  std::string& error);
