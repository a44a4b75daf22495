#include "odds/OddsPlot.h"

// Charts are drawn with the picture library, which the Windows build does not have yet.
bool DrawOddsPlot(const std::string&, const std::string&, const std::vector<ChanceChart>&, std::string& error) {
  error = "charts (--plot) are not available in the Windows build yet";
  return false;
}
