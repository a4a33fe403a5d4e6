// The AutoPeak search: one solve pass per remote-area position, then a final pass at the best one.
#include <algorithm>
#include <cstdlib>

#include "engine/calc_engine.h"
#include "engine/grid.h"

namespace pelmora {

namespace {

constexpr double kNotCalculated = -100000000.0;
constexpr double kPassFailed = 100000000.0;

}  // namespace

bool TCalcGrid::SearchStep(double criterion) {
  FModelChanged = false;
  // Without a search the model is calculated once, with the areas where they were entered.
  if (FAreas.empty() || !FAutoPeak || FHeadTable.empty()) return FPasses++ == 0;
  ++FPasses;
  FPlacingInCalcUnits = true;
  switch (FSearchState) {
    case ssIdle:
      return StartSearch();
    case ssSearching:
      if (criterion == kPassFailed) ++FFailed;
      FResults[FCurrent.Line][FCurrent.Head] = criterion;
      ++FTried;
      RemoveAreas();
      ++FCurrent.Head;
      return MoveToNextPosition();
    case ssFinalPass:
      FSearchState = ssDone;
      return false;
    case ssDone:
      break;
  }
  return false;
}

bool TCalcGrid::StartSearch() {
  size_t width = 0;
  for (const std::vector<TNode*>& row : FHeadTable) width = std::max(width, row.size());
  FResults.assign(FHeadTable.size(), TDblArray(width, kNotCalculated));
  const TGridPosition entered = EnteredPosition();
  FCurrent = {0, FReduce ? entered.Line : 0};
  FSearchState = ssSearching;
  RemoveAreas();
  return MoveToNextPosition();
}

// From the current position on, the first position that holds every area.
bool TCalcGrid::MoveToNextPosition() {
  const TGridPosition entered = EnteredPosition();
  for (;;) {
    switch (PlaceAreas(FCurrent.Head - entered.Head, FCurrent.Line - entered.Line, false)) {
      case prPlaced:
        return true;
      case prSkip:
        ++FCurrent.Head;
        break;
      case prEndOfLine:
        if (FReduce) return FinishSearch();
        ++FCurrent.Line;
        FCurrent.Head = 0;
        break;
      case prEndOfGrid:
        return FinishSearch();
    }
  }
}

bool TCalcGrid::FinishSearch() {
  const TGridPosition entered = EnteredPosition();
  bool found = false;
  double bestValue = 0;
  for (size_t line = 0; line < FResults.size(); ++line) {
    for (size_t head = 0; head < FResults[line].size(); ++head) {
      const double value = FResults[line][head];
      if (value == kNotCalculated || value == kPassFailed || (found && value >= bestValue)) continue;
      found = true;
      bestValue = value;
      FBest = {static_cast<int32_t>(head), static_cast<int32_t>(line)};
    }
  }
  ReportFailedPositions();
  if (!found) {
    FBest = entered;
    FCurrent = entered;
    PlaceAreas(0, 0, false);
    FEngine.AddError(1025, "No remote area found.", 0, -1);
    FSearchState = ssDone;
    return false;
  }
  FCurrent = FBest;
  PlaceAreas(FBest.Head - entered.Head, FBest.Line - entered.Line, false);
  if (FBest == entered) {
    FEngine.AddHint(1026, "Remote area found and is as entered.", 0, -1);
  } else {
    const int right = FBest.Head - entered.Head;
    const int up = FBest.Line - entered.Line;
    FEngine.AddHint(1026,
                    "Remote area found: " + std::to_string(std::abs(right)) +
                        (right < 0 ? " head(s) left and " : " head(s) right and ") + std::to_string(std::abs(up)) +
                        (up < 0 ? " head(s) down from entered remote area." : " head(s) up from entered remote area."),
                    0, -1);
  }
  FSearchState = ssFinalPass;
  return true;
}

void TCalcGrid::ReportFailedPositions() {
  for (size_t line = 0; line < FResults.size(); ++line)
    for (size_t head = 0; head < FResults[line].size(); ++head)
      if (FResults[line][head] == kPassFailed)
        FEngine.AddWarning(1026,
                           "Remote area at " + std::to_string(head + 1) + "," + std::to_string(line + 1) +
                               " did not calculate correctly.",
                           0, -1);
}

}  // namespace pelmora
