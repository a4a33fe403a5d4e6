#include "engine/grid.h"

#include <algorithm>

#include "engine/calc_engine.h"
#include "input/units/names.h"
#include "input/units/text.h"

namespace pelmora {

namespace {

const std::array<const char*, gsCount> kDefaultSeeds{"M1-1", "M2-1", "L1-1", "L2-1", "D1-1", "R1-1"};

template <class T>
void EraseValue(std::vector<T*>& list, const T* value) {
  list.erase(std::remove(list.begin(), list.end(), value), list.end());
}

}  // namespace

TCalcGrid::TCalcGrid(TCalcEngine& engine) : FEngine(engine) {}
TCalcGrid::~TCalcGrid() = default;

void TCalcGrid::SetUsedNames(const std::vector<std::string>& nodes, const std::vector<std::string>& pipes) {
  for (const std::string& name : nodes) FUsedNodes.insert(UpperCase(name));
  for (const std::string& name : pipes) FUsedPipes.insert(UpperCase(name));
}

void TCalcGrid::AddGridError(int code, const std::string& text, int param, int line) {
  FMessages.push_back({code, text, line, param});
}

// Warnings carry their prefix so that the hand-over can tell them from errors.
void TCalcGrid::AddGridWarning(int code, const std::string& text, int param, int line) {
  FMessages.push_back({code, "(WARNING) " + text, line, param});
}

bool TCalcGrid::HasGridErrors() const {
  return std::any_of(FMessages.begin(), FMessages.end(),
                     [](const TCalcError& m) { return m.Text.rfind("(WARNING) ", 0) != 0; });
}

std::string TCalcGrid::Seed(TGridSeed seed) const {
  return FFirstNames[seed].empty() ? kDefaultSeeds[seed] : FFirstNames[seed];
}

// The first name from the candidate on, advancing with NextName, that is not yet in use.
std::string TCalcGrid::TakeName(std::unordered_set<std::string>& used, std::string candidate) {
  while (used.count(UpperCase(candidate)) != 0) candidate = NextName(candidate);
  used.insert(UpperCase(candidate));
  return candidate;
}

void TCalcGrid::FreeName(std::unordered_set<std::string>& used, const std::string& name) {
  used.erase(UpperCase(name));
}

TPipe* TCalcGrid::NewPipe(double length, double nominalSize, const TGridPipeSettings& settings) {
  auto pipe = std::make_unique<TPipe>();
  pipe->Length = length;
  pipe->NominalSize = nominalSize;
  pipe->Material = settings.Material;
  pipe->CFactor = settings.CFactor;
  pipe->HazenPipe = settings.Hazen;
  pipe->Line = settings.Line;
  TPipe* raw = pipe.get();
  FOwnedPipes.push_back(std::move(pipe));
  FGeneratedPipes.push_back(raw);
  return raw;
}

// Generated nodes start plain, without flow or pressure requirement, until an area makes them heads.
TNode* TCalcGrid::NewNode(const std::string& name, double elevation) {
  auto node = std::make_unique<TNode>();
  node->Name = name;
  node->Kind = nkNode;
  node->Elevation = elevation;
  node->MinFlow = 0;
  node->MinPressure = kNotSet;
  TNode* raw = node.get();
  FOwnedNodes.push_back(std::move(node));
  FGeneratedNodes.push_back(raw);
  return raw;
}

void TCalcGrid::ConnectPipe(TPipe* pipe, TNode* from, TNode* to) {
  pipe->FromNode = from;
  pipe->ToNode = to;
  pipe->FromName = from->Name;
  pipe->ToName = to->Name;
}

// Frees a generated pipe: from the engine once handed over, otherwise from the grid's own list.
void TCalcGrid::ForgetPipe(TPipe* pipe) {
  FreeName(FUsedPipes, pipe->Name);
  EraseValue(FGeneratedPipes, pipe);
  if (FCommitted) {
    FEngine.DeletePipe(pipe);
    return;
  }
  std::erase_if(FOwnedPipes, [pipe](const std::unique_ptr<TPipe>& p) { return p.get() == pipe; });
}

void TCalcGrid::ForgetNode(TNode* node) {
  FreeName(FUsedNodes, node->Name);
  EraseValue(FGeneratedNodes, node);
  if (FCommitted) {
    FEngine.DeleteNode(node);
    return;
  }
  std::erase_if(FOwnedNodes, [node](const std::unique_ptr<TNode>& n) { return n.get() == node; });
}

size_t TCalcGrid::LineCount() const {
  size_t count = 0;
  for (const TCalcGridBay& bay : FBays) count = std::max(count, bay.Lines.size());
  return count;
}

TPipe* TCalcGrid::DropAt(int line, int head) const {
  if (line < 0 || head < 0 || static_cast<size_t>(line) >= FDrops.size()) return nullptr;
  const auto& row = FDrops[line];
  return static_cast<size_t>(head) < row.size() ? row[head] : nullptr;
}

const TRemoteArea* TCalcGrid::AreaOfHead(const TNode* node) const {
  for (const TPlacedHead& placed : FPlaced) {
    const TNode* head = placed.Drop != nullptr ? placed.Drop->ToNode : placed.Node;
    if (head == node) return placed.Area;
  }
  return nullptr;
}

TGridPosition TCalcGrid::EnteredPosition() const {
  if (FAreas.empty()) return {};
  return {FAreas.front().FirstHead, FAreas.front().FirstLine};
}

}  // namespace pelmora
