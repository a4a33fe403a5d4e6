#include <gtest/gtest.h>

#include <random>

#include "dxf/dxf_chain.h"
#include "dxf/dxf_geometry.h"

namespace pelmora {
namespace {

TEST(DxfGeometry, EndsCoincideWithinTheToleranceAlsoFarFromTheOrigin) {
  struct Case {
    TDxfPoint A, B;
    double Tolerance;
    bool Coincide;
  } cases[] = {
      {{0, 0, 0}, {0.5, -0.5, 0.5}, 1, true},
      {{0, 0, 0}, {1.5, 0, 0}, 1, false},
      {{0, 0, 0}, {0, 0, 1.01}, 1, false},
      {{120000, 80000, 0}, {120000.4, 79999.6, 0}, 1, true},  // a building far from the drawing origin
      {{5, 5, 5}, {5, 5, 5}, 0, true},
      {{5, 5, 5}, {5, 5, 5.0001}, 0, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Coincide(c.A, c.B, c.Tolerance), c.Coincide) << c.B.X << " " << c.B.Y << " " << c.B.Z;
    TCoincidenceGrid grid(c.Tolerance);
    grid.Add(c.A, 7);
    EXPECT_EQ(grid.FirstCoinciding(c.B), c.Coincide ? 7 : -1);
  }
}

TEST(DxfGeometry, GridFindsTheEarliestOfSeveralCoincidingPoints) {
  TCoincidenceGrid grid(1);
  grid.Add({10.9, 0, 0}, 5);
  grid.Add({9.2, 0.9, 0}, 3);
  grid.Add({12.5, 0, 0}, 1);
  EXPECT_EQ(grid.FirstCoinciding({10, 0, 0}), 3);
  EXPECT_EQ(grid.AllCoinciding({10, 0, 0}).size(), 2u);
  grid.Remove({9.2, 0.9, 0}, 3);
  EXPECT_EQ(grid.FirstCoinciding({10, 0, 0}), 5);
}

TEST(DxfGeometry, NearestGridAgreesWithAPlainSearchWhilePointsAreTaken) {
  std::mt19937 random(42);
  std::uniform_real_distribution<double> coordinate(-500, 500);
  std::vector<TDxfPoint> points(400);
  for (TDxfPoint& point : points) point = {coordinate(random), coordinate(random) * 0.01, 0};
  TNearestGrid grid(points);
  std::vector<bool> present(points.size(), true);
  for (int round = 0; round < 390; ++round) {
    TDxfPoint query{coordinate(random) * 2, coordinate(random), 0};
    int expected = -1;
    double best = 0;
    for (size_t i = 0; i < points.size(); ++i) {
      double dx = points[i].X - query.X, dy = points[i].Y - query.Y, d = dx * dx + dy * dy;
      if (present[i] && (expected < 0 || d < best)) expected = static_cast<int>(i), best = d;
    }
    int found = grid.Nearest(query);
    ASSERT_EQ(found, expected) << "round " << round;
    grid.Remove(found);
    present[found] = false;
  }
}

TdxfLine Line(double x1, double y1, double x2, double y2, const std::string& handle) {
  TdxfLine line;
  line.Start = {x1, y1, 0};
  line.End = {x2, y2, 0};
  line.Handle = handle;
  return line;
}

TEST(DxfGeometry, ChainingTurnsLinesAndFollowsEachRunFromTheOrigin) {
  // Two runs from near the origin: A-B-C along x (B drawn backwards), D-E along y. By distance
  // alone the order would be A D E B C.
  std::vector<TdxfLine> lines = {Line(200, 0, 100, 0, "B"), Line(0, 10, 0, 100, "D"), Line(200, 0, 300, 0, "C"),
                                 Line(0, 0, 100, 0, "A"), Line(0, 200, 0, 100, "E")};
  OrientAndChain(lines, 1);
  std::string order;
  for (const TdxfLine& line : lines) order += line.Handle;
  EXPECT_EQ(order, "ABCDE");
  EXPECT_DOUBLE_EQ(lines[1].Start.X, 100);  // B now starts at its end nearer the origin
}

}  // namespace
}  // namespace pelmora
