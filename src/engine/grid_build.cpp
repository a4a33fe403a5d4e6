// Receiving the grid commands: mains, branch lines, trees, riser-nipple sizes and the drop.
#include <algorithm>

#include "engine/grid.h"

namespace pelmora {

namespace {

// Spacings are taken in turn and start again at the first after the last.
double Cycled(const std::vector<double>& values, size_t k) { return values[k % values.size()]; }

// A tree's lengths and sizes repeat their last value once they run out.
double Held(const std::vector<double>& values, size_t k) { return values[std::min(k, values.size() - 1)]; }

}  // namespace

bool TCalcGrid::AddMain(int index, int branchLines, const std::vector<double>& spacings,
                        const std::vector<TCalcGridXtraNode>& extras, double nominalSize) {
  const int mainCount = static_cast<int>(FMains.size());
  const bool extend = index == mainCount - 1 && index >= 0;
  if (FGenerated || spacings.empty() || (!extend && index != mainCount) || branchLines < (extend ? 1 : 2))
    return false;
  if (!extend) FMains.emplace_back();
  TCalcGridMain& main = FMains[index];
  const size_t newPipes = extend ? branchLines : branchLines - 1;
  for (size_t k = 0; k < newPipes; ++k) main.Pipes.push_back(NewPipe(Cycled(spacings, k), nominalSize, FSettings));
  main.SpanCount = main.Pipes.size();
  for (TCalcGridXtraNode extra : extras) {
    extra.Pipe = NewPipe(0, nominalSize, FSettings);
    main.Extras.push_back(extra);
  }
  for (TCalcGridMain& each : FMains) each.Elevation = {};
  return true;
}

bool TCalcGrid::AddTree(bool left, int heads, const std::vector<double>& lengths, const std::vector<double>& sizes) {
  if (FGenerated || FMains.empty() || heads < 1 || lengths.empty() || sizes.empty()) return false;
  FBays.resize(std::max(FBays.size(), FMains.size() + 1));
  TCalcGridBay& bay = left ? FBays.front() : FBays[FMains.size()];
  const TCalcGridMain& main = left ? FMains.front() : FMains.back();
  bay.Lines.resize(std::max(bay.Lines.size(), main.JunctionCount()));
  for (std::vector<TPipe*>& line : bay.Lines) {
    std::vector<TPipe*> outward;
    for (int k = 0; k < heads; ++k) outward.push_back(NewPipe(Held(lengths, k), Held(sizes, k), FSettings));
    if (line.empty()) {
      // The branch line turns off the main through an elbow.
      TPipe* atMain = outward.front();
      atMain->Elbows = 1;
      (left ? atMain->VelocityAtEnd : atMain->VelocityAtBegin) = true;
    }
    if (left)
      line.insert(line.begin(), outward.rbegin(), outward.rend());
    else
      line.insert(line.end(), outward.begin(), outward.end());
  }
  bay.Filled = true;
  return true;
}

bool TCalcGrid::AddLines(int bayIndex, int heads, double nominalSize, double startLength, double endLength,
                         const std::vector<double>& spacings) {
  if (FGenerated || bayIndex < 1 || bayIndex >= static_cast<int>(FMains.size()) || heads < 1 || spacings.empty())
    return false;
  FBays.resize(std::max(FBays.size(), FMains.size() + 1));
  TCalcGridBay& bay = FBays[bayIndex];
  if (bay.Filled) return false;
  const size_t lines = std::min(FMains[bayIndex - 1].JunctionCount(), FMains[bayIndex].JunctionCount());
  bay.Lines.assign(lines, {});
  for (std::vector<TPipe*>& line : bay.Lines) {
    line.push_back(NewPipe(startLength, nominalSize, FSettings));
    for (int k = 0; k + 1 < heads; ++k) line.push_back(NewPipe(Cycled(spacings, k), nominalSize, FSettings));
    line.push_back(NewPipe(endLength, nominalSize, FSettings));
    // Each end of a line between mains is the branch of a tee on the main.
    line.front()->Tees = 1;
    line.front()->VelocityAtBegin = true;
    line.back()->Tees = 1;
    line.back()->VelocityAtEnd = true;
  }
  bay.Filled = true;
  return true;
}

void TCalcGrid::SetRiserNippleSize(int mainIndex, double nominalSize, const TGridPipeSettings& settings) {
  if (mainIndex < 0 || mainIndex >= static_cast<int>(FMains.size())) return;
  for (TPipe* riser : FMains[mainIndex].RiserNipples) {
    if (riser == nullptr) continue;
    riser->NominalSize = nominalSize;
    riser->Material = settings.Material;
    riser->CFactor = settings.CFactor;
    riser->HazenPipe = settings.Hazen;
    riser->Line = settings.Line;
  }
}

void TCalcGrid::SetDrop(const TGridPipeSettings& settings, double ceiling, double nominalSize, double armOver) {
  FDrop = {true, settings, ceiling, nominalSize, armOver};
}

}  // namespace pelmora
