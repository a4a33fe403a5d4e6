// Committing the grid: head-position table, REDUCE, and handing everything to the engine.
#include <algorithm>
#include <unordered_set>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

// Generated pipes count their fittings; the engine reads them as fitting texts ("1T", "2E", "1TN").
std::vector<std::string> FittingTexts(const TPipe& pipe) {
  std::vector<std::string> texts;
  const std::pair<uint8_t, const char*> counters[] = {{pipe.Tees, "T"}, {pipe.Elbows, "E"}, {pipe.StraightTees, "TN"}};
  for (const auto& [count, code] : counters)
    if (count > 0) texts.push_back(std::to_string(count) + code);
  texts.insert(texts.end(), pipe.Fittings.begin(), pipe.Fittings.end());
  return texts;
}

uint8_t AddCounts(uint8_t a, uint8_t b) { return static_cast<uint8_t>(std::min(255, a + b)); }

}  // namespace

bool TCalcGrid::CommitGrid() {
  if (FMains.empty() && FAreas.empty()) return HandToEngine();
  EnsureGenerated();
  BuildHeadTable();
  for (const TRemoteArea& area : FAreas) {
    if (CheckArea(area, 0, 0) != prPlaced) {
      AddGridError(1025, "Remote area not valid.", 0, -1);
      return false;
    }
  }
  PlaceExtraNodes();
  PlaceAreas(0, 0, false);
  if (FReduce) ReduceLines();
  return HandToEngine();
}

// Per branch-line index the line nodes from left to right; bays keep their columns aligned, so a
// branch line that does not reach into a bay leaves empty positions there.
void TCalcGrid::BuildHeadTable() {
  const size_t rows = LineCount();
  const size_t lastBay = FMains.size();
  FHeadTable.assign(rows, {});
  for (size_t b = 0; b < FBays.size(); ++b) {
    std::vector<std::vector<TNode*>> columns(rows);
    size_t width = 0;
    for (size_t line = 0; line < rows && line < FBays[b].Lines.size(); ++line) {
      const std::vector<TPipe*>& pipes = FBays[b].Lines[line];
      for (size_t k = 0; k < pipes.size(); ++k) {
        if (b == 0)
          columns[line].push_back(pipes[k]->FromNode);
        else if (b == lastBay || k + 1 < pipes.size())
          columns[line].push_back(pipes[k]->ToNode);
      }
      width = std::max(width, columns[line].size());
    }
    for (size_t line = 0; line < rows; ++line) {
      columns[line].resize(width, nullptr);
      FHeadTable[line].insert(FHeadTable[line].end(), columns[line].begin(), columns[line].end());
    }
  }
  for (std::vector<TNode*>& row : FHeadTable)
    while (!row.empty() && row.back() == nullptr) row.pop_back();
  FDrops.assign(rows, {});
  for (size_t line = 0; line < rows; ++line) FDrops[line].assign(FHeadTable[line].size(), nullptr);
}

bool TCalcGrid::LineHoldsFlow(size_t line) const {
  for (size_t head = 0; head < FHeadTable[line].size(); ++head) {
    const TNode* node = FHeadTable[line][head];
    if (FDrops[line][head] != nullptr) return true;
    if (node != nullptr && (node->Kind == nkHead || node->MinFlow != 0)) return true;
  }
  return false;
}

// Lines that carry no head need no detail: tree lines go, lines between mains shrink to few pipes.
void TCalcGrid::ReduceLines() {
  const size_t lastBay = FMains.size();
  for (size_t line = 0; line < FHeadTable.size(); ++line) {
    if (LineHoldsFlow(line)) continue;
    for (size_t b = 0; b < FBays.size(); ++b) {
      if (line >= FBays[b].Lines.size() || FBays[b].Lines[line].empty()) continue;
      std::vector<TPipe*>& pipes = FBays[b].Lines[line];
      if (b == 0 || b == lastBay) {
        for (TPipe* pipe : pipes) {
          TNode* lineNode = b == 0 ? pipe->FromNode : pipe->ToNode;
          ForgetPipe(pipe);
          ForgetNode(lineNode);
        }
        pipes.clear();
      } else {
        JoinLinePipes(pipes);
      }
    }
    const std::unordered_set<TNode*> kept(FGeneratedNodes.begin(), FGeneratedNodes.end());
    for (TNode*& node : FHeadTable[line])
      if (kept.count(node) == 0) node = nullptr;
  }
}

// Each pipe of the same size and material as the one before it is joined into that one.
void TCalcGrid::JoinLinePipes(std::vector<TPipe*>& pipes) {
  std::vector<TPipe*> kept{pipes.front()};
  for (size_t k = 1; k < pipes.size(); ++k) {
    TPipe* into = kept.back();
    TPipe* next = pipes[k];
    if (into->NominalSize != next->NominalSize || !SameText(into->Material, next->Material)) {
      kept.push_back(next);
      continue;
    }
    TNode* middle = into->ToNode;
    into->Length += next->Length;
    into->Tees = AddCounts(into->Tees, next->Tees);
    into->Elbows = AddCounts(into->Elbows, next->Elbows);
    into->StraightTees = AddCounts(into->StraightTees, next->StraightTees);
    into->VelocityAtBegin = into->VelocityAtBegin || next->VelocityAtBegin;
    into->VelocityAtEnd = into->VelocityAtEnd || next->VelocityAtEnd;
    ConnectPipe(into, into->FromNode, next->ToNode);
    ForgetPipe(next);
    ForgetNode(middle);
  }
  pipes = kept;
}

// Messages first, then nodes, then pipes; a grid warning stays a warning and does not stop the run.
bool TCalcGrid::HandToEngine() {
  for (const TCalcError& message : FMessages) {
    if (message.Text.rfind("(WARNING) ", 0) == 0)
      FEngine.AddWarning(message.Code, message.Text.substr(10), message.Param, message.Line);
    else
      FEngine.AddError(message.Code, message.Text, message.Param, message.Line);
  }
  for (TPipe* pipe : FGeneratedPipes) {
    pipe->Fittings = FittingTexts(*pipe);
    pipe->Tees = pipe->Elbows = pipe->StraightTees = 0;
  }
  FCommitted = true;
  bool ok = true;
  for (std::unique_ptr<TNode>& node : FOwnedNodes) ok = FEngine.AddNode(std::move(node)) && ok;
  for (std::unique_ptr<TPipe>& pipe : FOwnedPipes) ok = FEngine.AddPipe(std::move(pipe)) && ok;
  FOwnedNodes.clear();
  FOwnedPipes.clear();
  if (!ok) {
    // A refused object is gone: forget the geometry rather than keep pointers to it.
    FMains.clear();
    FBays.clear();
    FHeadTable.clear();
    FDrops.clear();
    FPlaced.clear();
    FGeneratedNodes.clear();
    FGeneratedPipes.clear();
    FAreas.clear();
  }
  return ok;
}

}  // namespace pelmora
