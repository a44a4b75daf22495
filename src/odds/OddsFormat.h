#pragma once

#include <cstdio>
#include <string>

// Number texts of the odds reports.

// "12.3456 %"; small chances keep three significant digits ("0.00123 %").
inline std::string PercentText(double chance) {
  char text[48];
  const double percent = chance * 100.0;
  if (percent != 0.0 && percent < 0.001)
    std::snprintf(text, sizeof text, "%.3g %%", percent);
  else
    std::snprintf(text, sizeof text, "%.4f %%", percent);
  return text;
}

inline std::string FixedText(double value, int decimals) {
  char text[48];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// Whole numbers that can be huge (tries to a goal): plain up to 10^15, then "1.2e+18".
inline std::string CountText(double value) {
  char text[48];
  if (value < 1e15)
    std::snprintf(text, sizeof text, "%.0f", value);
  else
    std::snprintf(text, sizeof text, "%.3g", value);
  return text;
}

// Pads `text` with spaces to `width` display columns (ASCII only).
inline std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), ' ');
  return text;
}
