#include "reports/results_placement.h"

#include <algorithm>

namespace pelmora {

namespace {

void FitSpan(int& start, int& size, int desktop) {
  if (start + size <= desktop) return;
  start = std::max(0, desktop - size);
  if (start == 0) size = desktop;
}

}  // namespace

TWindowRect PlaceWindow(const TWindowRect& stored, const TWindowRect& current, int desktopWidth, int desktopHeight) {
  const bool usable = stored.Width > 0 && stored.Height > 0 && stored.Left >= 0 && stored.Top >= 0;
  TWindowRect placed = usable ? stored : current;
  FitSpan(placed.Left, placed.Width, desktopWidth);
  FitSpan(placed.Top, placed.Height, desktopHeight);
  return placed;
}

}  // namespace pelmora
