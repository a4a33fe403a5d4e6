// Points, end-point coincidence within a tolerance, angles between pipes, and point look-up grids.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace pelmora {

struct TDxfPoint {
  double X = 0, Y = 0, Z = 0;
};

double SquaredDistance(const TDxfPoint& a, const TDxfPoint& b);
double Distance(const TDxfPoint& a, const TDxfPoint& b);
TDxfPoint Midpoint(const TDxfPoint& a, const TDxfPoint& b);

// Two drawn ends meet when x, y and z each differ by at most the tolerance.
bool Coincide(const TDxfPoint& a, const TDxfPoint& b, double tolerance);

// Change of direction from one pipe into the other at the node they share, in whole degrees:
// 0 for a straight run, 90 for a square turn, 180 for a fold back. Each arm is the vector
// from the node out along its pipe.
int DeflectionDegrees(const TDxfPoint& arm1, const TDxfPoint& arm2);
TDxfPoint Difference(const TDxfPoint& to, const TDxfPoint& from);

// Finds, among the points added so far, those that coincide with a given point. Points are
// binned in plan on a grid of tolerance-sized cells, so a search looks at nine cells only.
class TCoincidenceGrid {
 public:
  explicit TCoincidenceGrid(double tolerance, size_t expectedPoints = 0);
  void Add(const TDxfPoint& point, int id);
  void Remove(const TDxfPoint& point, int id);
  // Smallest id of a point coinciding with `point`, or -1.
  int FirstCoinciding(const TDxfPoint& point) const;
  // Every id of a point coinciding with `point`.
  std::vector<int> AllCoinciding(const TDxfPoint& point) const;

 private:
  struct Entry {
    TDxfPoint Point;
    int Id;    // -1 once removed
    int Next;  // next entry of the same cell, -1 at the end
  };
  uint64_t CellKey(int64_t cx, int64_t cy) const;
  int64_t CellOf(double v) const;
  template <typename Visit>
  void ForNeighbours(const TDxfPoint& point, Visit visit) const;

  double FTolerance;
  double FCell;
  std::vector<Entry> FEntries;
  std::unordered_map<uint64_t, int> FCells;  // first entry of each cell
};

// Nearest-point search among points that can be taken away, for matching size texts to pipes.
class TNearestGrid {
 public:
  explicit TNearestGrid(const std::vector<TDxfPoint>& points);
  void Remove(int id);
  // Nearest remaining point in plan (lowest id among equals), or -1 when none remains.
  int Nearest(const TDxfPoint& point) const;

 private:
  void Build();
  size_t CellIndex(int64_t cx, int64_t cy) const { return static_cast<size_t>(cy * FColumns + cx); }
  int64_t Column(double x) const;
  int64_t Row(double y) const;

  std::vector<TDxfPoint> FPoints;
  std::vector<char> FPresent;
  std::vector<std::vector<int>> FCells;
  double FMinX = 0, FMinY = 0, FCell = 1;
  int64_t FColumns = 1, FRows = 1;
  size_t FRemaining = 0;
  size_t FBuiltWith = 0;  // points present when the cells were last laid out
};

}  // namespace pelmora
