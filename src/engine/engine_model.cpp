#include <algorithm>
#include <chrono>

#include "engine/calc_engine.h"
#include "engine/engine_state.h"
#include "engine/grid.h"
#include "input/units/text.h"

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

namespace pelmora {

namespace {

template <typename T>
using TNameIndex = std::unordered_map<std::string, T*, TNoCaseHash, TNoCaseEqual>;

template <typename T>
T* FindByName(const TNameIndex<T>& index, std::string_view name) {
  const auto found = index.find(name);
  return found == index.end() ? nullptr : found->second;
}

template <typename T>
int IndexOf(const std::vector<T*>& list, const T* object) {
  if (object == nullptr) return -1;
  const auto it = std::find(list.begin() + 1, list.end(), object);
  return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

template <typename T>
bool DeleteFrom(std::vector<T*>& list, TNameIndex<T>& index, T* object) {
  const int i = IndexOf(list, object);
  if (i < 1) return false;
  const auto entry = index.find(object->Name);
  if (entry != index.end() && entry->second == object) index.erase(entry);
  delete object;
  list.erase(list.begin() + i);
  return true;
}

}  // namespace

uint64_t CycleCount() {
#if defined(__x86_64__) || defined(__i386__)
  return __rdtsc();
#else
  return std::chrono::steady_clock::now().time_since_epoch().count();
#endif
}

TCalcEngine::TCalcEngine() : FGrid(std::make_unique<TCalcGrid>(*this)), FImpl(std::make_unique<Impl>()) {}

TCalcEngine::~TCalcEngine() {
  for (TPipe* pipe : FPipes) delete pipe;
  for (TNode* node : FNodes) delete node;
}

void TCalcEngine::SetUnits(const TUnitSet& units) {
  FInputUnits = units;
  FMetric = !units.IsUS();
  FCalcUnits = FMetric ? TUnitSet{5, 3, 5, 1, 1, 1, units.HeadArea, units.Density}
                       : TUnitSet{0, 2, 0, 0, 0, 0, units.HeadArea, units.Density};
}

bool TCalcEngine::AddPipe(std::unique_ptr<TPipe> pipe) {
  if (FindPipe(pipe->Name) != nullptr) {
    AddError(256, "Pipe name " + pipe->Name + " used more than once", 0, pipe->Line);
    return false;
  }
  const TMaterials& db = FMaterials != nullptr ? *FMaterials : Materials();
  const double diameter = db.DiameterOf(pipe->Material, FInputUnits.Size, pipe->NominalSize);
  // A model filled without a database entry keeps the diameter its builder gave it.
  if (diameter > 0) pipe->InsideDiameter = diameter;
  FPipeIndex.emplace(pipe->Name, pipe.get());
  FPipes.push_back(pipe.release());
  return true;
}

bool TCalcEngine::AddNode(std::unique_ptr<TNode> node) {
  if (FindNode(node->Name) != nullptr) {
    AddError(512, "Node name " + node->Name + " used more than once", 0, node->Line);
    return false;
  }
  FNodeIndex.emplace(node->Name, node.get());
  FNodes.push_back(node.release());
  return true;
}

TPipe* TCalcEngine::FindPipe(std::string_view name) const { return FindByName(FPipeIndex, name); }
TNode* TCalcEngine::FindNode(std::string_view name) const { return FindByName(FNodeIndex, name); }
bool TCalcEngine::DeletePipe(TPipe* pipe) { return DeleteFrom(FPipes, FPipeIndex, pipe); }
bool TCalcEngine::DeleteNode(TNode* node) { return DeleteFrom(FNodes, FNodeIndex, node); }
int TCalcEngine::PipeNumber(const TPipe* pipe) const { return IndexOf(FPipes, pipe); }
int TCalcEngine::NodeNumber(const TNode* node) const { return IndexOf(FNodes, node); }

TSpecial* TCalcEngine::AddSpecial(std::unique_ptr<TSpecial> special) {
  FSpecials.push_back(std::move(special));
  return FSpecials.back().get();
}

void TCalcEngine::AddError(int code, const std::string& text, int param, int line) {
  FErrors.push_back({code, text, line, param});
  ++FErrorCount;
}

void TCalcEngine::AddWarning(int code, const std::string& text, int param, int line) {
  FMessages.push_back({code, "[WARNING] " + text, line, param});
}

void TCalcEngine::AddHint(int code, const std::string& text, int param, int line) {
  FMessages.push_back({code, "[HINT] " + text, line, param});
}

void TCalcEngine::ClearErrors() {
  FErrors.clear();
  FErrorCount = 0;
}

}  // namespace pelmora
