// Fitting a stored window place onto the desktop.
#include <gtest/gtest.h>

#include "reports/results_placement.h"

namespace pelmora {
namespace {

TEST(WindowPlacement, UnusableStoredPlacesAreIgnoredAndWideWindowsFitTheDesktop) {
  const TWindowRect current{10, 10, 800, 600};
  EXPECT_EQ(PlaceWindow({-5, 10, 640, 480}, current, 1920, 1080).Left, 10);
  EXPECT_EQ(PlaceWindow({5, 10, 0, 480}, current, 1920, 1080).Width, 800);
  const TWindowRect wide = PlaceWindow({300, 20, 2500, 480}, current, 1920, 1080);
  EXPECT_EQ(wide.Left, 0);
  EXPECT_EQ(wide.Width, 1920);
  const TWindowRect moved = PlaceWindow({1500, 700, 640, 480}, current, 1920, 1080);
  EXPECT_EQ(moved.Left, 1280);
  EXPECT_EQ(moved.Top, 600);
}

}  // namespace
}  // namespace pelmora
