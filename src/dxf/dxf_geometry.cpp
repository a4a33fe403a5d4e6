#include "dxf/dxf_geometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace pelmora {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kCellLimit = 1e15;  // keeps cell numbers of wild coordinates in range

int64_t ClampedFloor(double v) { return static_cast<int64_t>(std::floor(std::clamp(v, -kCellLimit, kCellLimit))); }

double PlanSquaredDistance(const TDxfPoint& a, const TDxfPoint& b) {
  double dx = a.X - b.X, dy = a.Y - b.Y;
  return dx * dx + dy * dy;
}

}  // namespace

double SquaredDistance(const TDxfPoint& a, const TDxfPoint& b) {
  double dx = a.X - b.X, dy = a.Y - b.Y, dz = a.Z - b.Z;
  return dx * dx + dy * dy + dz * dz;
}

double Distance(const TDxfPoint& a, const TDxfPoint& b) { return std::sqrt(SquaredDistance(a, b)); }

TDxfPoint Midpoint(const TDxfPoint& a, const TDxfPoint& b) {
  return {(a.X + b.X) / 2, (a.Y + b.Y) / 2, (a.Z + b.Z) / 2};
}

TDxfPoint Difference(const TDxfPoint& to, const TDxfPoint& from) {
  return {to.X - from.X, to.Y - from.Y, to.Z - from.Z};
}

bool Coincide(const TDxfPoint& a, const TDxfPoint& b, double tolerance) {
  return std::fabs(a.X - b.X) <= tolerance && std::fabs(a.Y - b.Y) <= tolerance &&
         std::fabs(a.Z - b.Z) <= tolerance;
}

int DeflectionDegrees(const TDxfPoint& arm1, const TDxfPoint& arm2) {
  double cx = arm1.Y * arm2.Z - arm1.Z * arm2.Y;
  double cy = arm1.Z * arm2.X - arm1.X * arm2.Z;
  double cz = arm1.X * arm2.Y - arm1.Y * arm2.X;
  double dot = arm1.X * arm2.X + arm1.Y * arm2.Y + arm1.Z * arm2.Z;
  double between = std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), dot) * 180 / kPi;
  // A hair of slack so that a drawn square turn of 89.9999999 degrees still counts as 90.
  return static_cast<int>(std::floor(180 - between + 1e-7));
}

TCoincidenceGrid::TCoincidenceGrid(double tolerance, size_t expectedPoints)
    : FTolerance(std::max(tolerance, 0.0)), FCell(tolerance > 0 ? tolerance : 1.0) {
  FEntries.reserve(expectedPoints);
  FCells.reserve(expectedPoints);
}

int64_t TCoincidenceGrid::CellOf(double v) const { return ClampedFloor(v / FCell); }

uint64_t TCoincidenceGrid::CellKey(int64_t cx, int64_t cy) const {
  return static_cast<uint64_t>(cx) * 0x9E3779B97F4A7C15ULL ^ static_cast<uint64_t>(cy);
}

template <typename Visit>
void TCoincidenceGrid::ForNeighbours(const TDxfPoint& point, Visit visit) const {
  int64_t cx = CellOf(point.X), cy = CellOf(point.Y);
  for (int64_t x = cx - 1; x <= cx + 1; ++x)
    for (int64_t y = cy - 1; y <= cy + 1; ++y) {
      auto cell = FCells.find(CellKey(x, y));
      if (cell == FCells.end()) continue;
      for (int entry = cell->second; entry >= 0; entry = FEntries[entry].Next)
        if (FEntries[entry].Id >= 0 && Coincide(FEntries[entry].Point, point, FTolerance)) visit(FEntries[entry].Id);
    }
}

void TCoincidenceGrid::Add(const TDxfPoint& point, int id) {
  auto [cell, added] = FCells.try_emplace(CellKey(CellOf(point.X), CellOf(point.Y)), -1);
  FEntries.push_back({point, id, cell->second});
  cell->second = static_cast<int>(FEntries.size() - 1);
}

void TCoincidenceGrid::Remove(const TDxfPoint& point, int id) {
  auto cell = FCells.find(CellKey(CellOf(point.X), CellOf(point.Y)));
  if (cell == FCells.end()) return;
  for (int entry = cell->second; entry >= 0; entry = FEntries[entry].Next)
    if (FEntries[entry].Id == id) {
      FEntries[entry].Id = -1;
      return;
    }
}

int TCoincidenceGrid::FirstCoinciding(const TDxfPoint& point) const {
  int first = -1;
  ForNeighbours(point, [&first](int id) {
    if (first < 0 || id < first) first = id;
  });
  return first;
}

std::vector<int> TCoincidenceGrid::AllCoinciding(const TDxfPoint& point) const {
  std::vector<int> ids;
  ForNeighbours(point, [&ids](int id) { ids.push_back(id); });
  return ids;
}

TNearestGrid::TNearestGrid(const std::vector<TDxfPoint>& points)
    : FPoints(points), FPresent(points.size(), 1), FRemaining(points.size()) {
  Build();
}

void TNearestGrid::Build() {
  FBuiltWith = FRemaining;
  FCells.clear();
  if (FRemaining == 0) return;
  double minX = std::numeric_limits<double>::max(), minY = minX;
  double maxX = std::numeric_limits<double>::lowest(), maxY = maxX;
  for (size_t id = 0; id < FPoints.size(); ++id) {
    if (!FPresent[id]) continue;
    minX = std::min(minX, FPoints[id].X), maxX = std::max(maxX, FPoints[id].X);
    minY = std::min(minY, FPoints[id].Y), maxY = std::max(maxY, FPoints[id].Y);
  }
  double width = maxX - minX, height = maxY - minY;
  double count = static_cast<double>(FRemaining);
  // About one point per cell; a long thin cloud gets fewer, larger cells.
  FCell = std::sqrt(std::max(width * height, 0.0) / count);
  if (!(FCell > 0)) FCell = std::max({width, height, 1.0}) / count;
  while ((width / FCell + 1) * (height / FCell + 1) > 4 * count + 16) FCell *= 2;
  FMinX = minX, FMinY = minY;
  FColumns = static_cast<int64_t>(width / FCell) + 1;
  FRows = static_cast<int64_t>(height / FCell) + 1;
  FCells.assign(static_cast<size_t>(FColumns * FRows), {});
  for (size_t id = 0; id < FPoints.size(); ++id)
    if (FPresent[id]) FCells[CellIndex(Column(FPoints[id].X), Row(FPoints[id].Y))].push_back(static_cast<int>(id));
}

int64_t TNearestGrid::Column(double x) const { return std::clamp<int64_t>(ClampedFloor((x - FMinX) / FCell), 0, FColumns - 1); }

int64_t TNearestGrid::Row(double y) const { return std::clamp<int64_t>(ClampedFloor((y - FMinY) / FCell), 0, FRows - 1); }

void TNearestGrid::Remove(int id) {
  if (!FPresent[id]) return;
  FPresent[id] = 0;
  --FRemaining;
  if (FBuiltWith > 64 && FRemaining * 4 < FBuiltWith) {
    Build();
    return;
  }
  auto& cell = FCells[CellIndex(Column(FPoints[id].X), Row(FPoints[id].Y))];
  auto found = std::find(cell.begin(), cell.end(), id);
  if (found == cell.end()) return;
  *found = cell.back();
  cell.pop_back();
}

int TNearestGrid::Nearest(const TDxfPoint& point) const {
  if (FRemaining == 0) return -1;
  int64_t cx = Column(point.X), cy = Row(point.Y);
  int best = -1;
  double bestDistance = 0;
  int64_t maxRing = std::max({cx, FColumns - 1 - cx, cy, FRows - 1 - cy});
  for (int64_t ring = 0; ring <= maxRing; ++ring) {
    for (int64_t y = cy - ring; y <= cy + ring; ++y) {
      if (y < 0 || y >= FRows) continue;
      bool edgeRow = (y == cy - ring || y == cy + ring);
      int64_t step = edgeRow ? 1 : std::max<int64_t>(2 * ring, 1);
      for (int64_t x = cx - ring; x <= cx + ring; x += step) {
        if (x < 0 || x >= FColumns) continue;
        for (int id : FCells[CellIndex(x, y)]) {
          double d = PlanSquaredDistance(FPoints[id], point);
          if (best < 0 || d < bestDistance || (d == bestDistance && id < best)) best = id, bestDistance = d;
        }
      }
    }
    // Every point in a further ring lies at least `ring` cells away.
    double reach = static_cast<double>(ring) * FCell;
    if (best >= 0 && bestDistance < reach * reach) break;
  }
  return best;
}

}  // namespace pelmora
