// Generating the grid's nodes and names, its elevations, riser nipples and extra nodes on mains.
#include <algorithm>
#include <cmath>

#include "engine/grid.h"
#include "input/units/names.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

struct TProfilePoint {
  double Distance;
  double Elevation;
};

// Straight pieces between the points (sorted by distance); held level before the first and after the last.
double ProfileAt(const std::vector<TProfilePoint>& points, double x) {
  if (points.empty()) return 0;
  if (x <= points.front().Distance) return points.front().Elevation;
  for (size_t k = 1; k < points.size(); ++k) {
    const TProfilePoint& a = points[k - 1];
    const TProfilePoint& b = points[k];
    if (x > b.Distance) continue;
    const double run = b.Distance - a.Distance;
    return run > 0 ? a.Elevation + (b.Elevation - a.Elevation) * (x - a.Distance) / run : b.Elevation;
  }
  return points.back().Elevation;
}

constexpr double kLevelTolerance = 1e-9;

}  // namespace

void TCalcGrid::EnsureGenerated() {
  if (FGenerated) return;
  FGenerated = true;
  GenerateMains();
  GenerateLines();
}

void TCalcGrid::GenerateMains() {
  std::string start = Seed(gsFirstMain);
  for (TCalcGridMain& main : FMains) {
    std::stable_sort(main.Extras.begin(), main.Extras.end(),
                     [](const TCalcGridXtraNode& a, const TCalcGridXtraNode& b) { return a.Offset < b.Offset; });
    std::string cursor = start;
    for (TPipe* pipe : main.Pipes) {
      pipe->Name = TakeName(FUsedPipes, cursor);
      cursor = NextName(pipe->Name);
      main.Junctions.push_back(NewNode(TakeName(FUsedNodes, pipe->Name), 0));
    }
    main.Junctions.push_back(NewNode(TakeName(FUsedNodes, cursor), 0));
    for (size_t k = 0; k < main.Pipes.size(); ++k) ConnectPipe(main.Pipes[k], main.Junctions[k], main.Junctions[k + 1]);
    for (TCalcGridXtraNode& extra : main.Extras) {
      extra.Pipe->Name = TakeName(FUsedPipes, cursor);
      cursor = NextName(extra.Pipe->Name);
      FUsedNodes.insert(UpperCase(extra.Name));
      extra.Node = NewNode(extra.Name, 0);
    }
    main.RiserNipples.assign(main.Junctions.size(), nullptr);
    start = ProgressName(Seed(gsSecondMain), start, Seed(gsFirstMain));
  }
}

// Line pipes and line nodes are two name runs, both from the line's start name.
void TCalcGrid::GenerateLines() {
  const size_t mainCount = FMains.size();
  std::string start = Seed(gsFirstLine);
  for (size_t line = 0; line < LineCount(); ++line) {
    std::string pipeCursor = start, nodeCursor = start;
    auto newLineNode = [&] {
      TNode* node = NewNode(TakeName(FUsedNodes, nodeCursor), 0);
      nodeCursor = NextName(node->Name);
      return node;
    };
    for (size_t b = 0; b < FBays.size(); ++b) {
      if (line >= FBays[b].Lines.size()) continue;
      std::vector<TPipe*>& pipes = FBays[b].Lines[line];
      TNode* from = b == 0 ? newLineNode() : FMains[b - 1].Junctions[line];
      for (size_t k = 0; k < pipes.size(); ++k) {
        pipes[k]->Name = TakeName(FUsedPipes, pipeCursor);
        pipeCursor = NextName(pipes[k]->Name);
        const bool reachesMain = k + 1 == pipes.size() && b < mainCount;
        TNode* to = reachesMain ? FMains[b].Junctions[line] : newLineNode();
        ConnectPipe(pipes[k], from, to);
        from = to;
      }
    }
    start = ProgressName(start, Seed(gsSecondLine), Seed(gsFirstLine));
  }
}

double TCalcGrid::JunctionDistance(const TCalcGridMain& main, size_t junction) const {
  double distance = 0;
  for (size_t k = 0; k < junction && k < main.SpanCount; ++k) distance += main.Pipes[k]->Length;
  return distance;
}

double TCalcGrid::LineLength(size_t line) const {
  double length = 0;
  for (const TCalcGridBay& bay : FBays)
    if (line < bay.Lines.size())
      for (const TPipe* pipe : bay.Lines[line]) length += pipe->Length;
  return length;
}

bool TCalcGrid::AddMainElevation(int mainNumber, double start, double end, double distance, double third) {
  EnsureGenerated();
  if (mainNumber < 1 || mainNumber > static_cast<int>(FMains.size())) return false;
  TCalcGridMain& main = FMains[mainNumber - 1];
  main.Elevation = {true, start, end, distance, third};
  const double length = JunctionDistance(main, main.SpanCount);
  std::vector<TProfilePoint> profile{{0, start}};
  if (distance != 0 && distance < length) profile.push_back({distance, third});
  profile.push_back({length, end});
  for (size_t k = 0; k < main.Junctions.size(); ++k)
    main.Junctions[k]->Elevation = ProfileAt(profile, JunctionDistance(main, k));
  for (TCalcGridXtraNode& extra : main.Extras) extra.Node->Elevation = ProfileAt(profile, extra.Offset);
  return true;
}

bool TCalcGrid::AddLineElevation(bool acrossLines, double start, double end, const std::vector<double>& offsets,
                                 const std::vector<double>& elevations, bool relative) {
  EnsureGenerated();
  if (FMains.empty() || offsets.size() != elevations.size()) return false;
  const TCalcGridMain& first = FMains.front();
  const double span = acrossLines ? JunctionDistance(first, first.SpanCount) : LineLength(0);
  std::vector<TProfilePoint> profile{{0, start}, {span, end}};
  for (size_t k = 0; k < offsets.size(); ++k) profile.push_back({offsets[k], elevations[k]});
  std::stable_sort(profile.begin(), profile.end(),
                   [](const TProfilePoint& a, const TProfilePoint& b) { return a.Distance < b.Distance; });

  const size_t mainCount = FMains.size();
  for (size_t line = 0; line < LineCount(); ++line) {
    const size_t firstJunction = std::min(line, first.Junctions.size() - 1);
    const double base = relative ? first.Junctions[firstJunction]->Elevation : 0;
    const double levelElevation = base + ProfileAt(profile, JunctionDistance(first, firstJunction));
    auto elevationAt = [&](double x) { return acrossLines ? levelElevation : base + ProfileAt(profile, x); };
    // The line's elevation where it meets each main, for the riser nipples.
    std::vector<double> atMain(mainCount, levelElevation);
    double x = 0;
    for (size_t b = 0; b < FBays.size(); ++b) {
      if (line >= FBays[b].Lines.size()) continue;
      const std::vector<TPipe*>& pipes = FBays[b].Lines[line];
      if (b > 0) atMain[b - 1] = elevationAt(x);
      for (size_t k = 0; k < pipes.size(); ++k) {
        if (b == 0 && k == 0) pipes[k]->FromNode->Elevation = elevationAt(x);
        x += pipes[k]->Length;
        const bool reachesMain = k + 1 == pipes.size() && b < mainCount;
        if (reachesMain)
          atMain[b] = elevationAt(x);
        else
          pipes[k]->ToNode->Elevation = elevationAt(x);
      }
    }
    for (size_t m = 0; m < mainCount; ++m) InsertRiserNipples(atMain, m, line);
  }
  return true;
}

// A branch line that does not sit at its main's elevation is joined to it by a riser nipple.
void TCalcGrid::InsertRiserNipples(const std::vector<double>& lineElevationAtMain, size_t m, size_t line) {
  TCalcGridMain& main = FMains[m];
  if (line >= main.Junctions.size() || main.RiserNipples[line] != nullptr) return;
  TNode* junction = main.Junctions[line];
  const double elevation = lineElevationAtMain[m];
  if (std::fabs(elevation - junction->Elevation) <= kLevelTolerance) return;
  const bool leftTree = m == 0, rightTree = m + 1 == FMains.size();
  TPipe* left = line < FBays[m].Lines.size() && !FBays[m].Lines[line].empty() ? FBays[m].Lines[line].back() : nullptr;
  TPipe* right = m + 1 < FBays.size() && line < FBays[m + 1].Lines.size() && !FBays[m + 1].Lines[line].empty()
                     ? FBays[m + 1].Lines[line].front()
                     : nullptr;
  if (left == nullptr && right == nullptr) return;

  const TPipe* source = left == nullptr || (right != nullptr && left->NominalSize < right->NominalSize) ? right : left;
  const TGridPipeSettings settings{source->Line, source->Material, source->CFactor, source->HazenPipe};
  const double rise = ConvertLength(std::fabs(elevation - junction->Elevation), FUnits.Elevation, FUnits.Length);
  TPipe* riser = NewPipe(rise, source->NominalSize, settings);
  riser->Name = TakeName(FUsedPipes, ProgressName(Seed(gsFirstRiser), junction->Name, Seed(gsFirstMain)));
  TNode* top = NewNode(TakeName(FUsedNodes, riser->Name), elevation);
  ConnectPipe(riser, junction, top);
  riser->VelocityAtBegin = true;
  riser->Tees = 1;
  main.RiserNipples[line] = riser;

  // The line now turns off the top of the riser: a tee when lines leave both ways, else an elbow.
  const bool bothSides = left != nullptr && right != nullptr;
  auto reattach = [&](TPipe* pipe, bool treePipe) {
    uint8_t& oldFitting = treePipe ? pipe->Elbows : pipe->Tees;
    if (oldFitting > 0) --oldFitting;
    uint8_t& newFitting = bothSides ? pipe->Tees : pipe->Elbows;
    if (newFitting < 255) ++newFitting;
    pipe->VelocityAtBegin = pipe->VelocityAtEnd = false;
  };
  if (left != nullptr) {
    reattach(left, leftTree);
    ConnectPipe(left, left->FromNode, top);
  }
  if (right != nullptr) {
    reattach(right, rightTree);
    ConnectPipe(right, top, right->ToNode);
  }
}

// An extra node splits the main pipe it falls on; beyond the main's end it hangs off the last junction.
void TCalcGrid::PlaceExtraNodes() {
  for (TCalcGridMain& main : FMains) {
    for (TCalcGridXtraNode& extra : main.Extras) {
      TPipe* pipe = extra.Pipe;
      double runningEnd = 0;
      auto split = main.Pipes.end();
      for (auto it = main.Pipes.begin(); it != main.Pipes.end(); ++it) {
        runningEnd += (*it)->Length;
        if (runningEnd > extra.Offset) {
          split = it;
          break;
        }
      }
      if (split == main.Pipes.end()) {
        pipe->Length = extra.Offset - runningEnd;
        ConnectPipe(pipe, main.Junctions.back(), extra.Node);
        continue;
      }
      TPipe* host = *split;
      pipe->Length = runningEnd - extra.Offset;
      pipe->NominalSize = host->NominalSize;
      pipe->Material = host->Material;
      pipe->CFactor = host->CFactor;
      pipe->HazenPipe = host->HazenPipe;
      ConnectPipe(pipe, extra.Node, host->ToNode);
      host->Length -= pipe->Length;
      ConnectPipe(host, host->FromNode, extra.Node);
      main.Pipes.insert(split + 1, pipe);
    }
  }
}

}  // namespace pelmora
