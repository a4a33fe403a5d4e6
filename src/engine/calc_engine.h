// The calculation engine: one sprinkler system's model, its checks, its solution and its results.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "engine/model.h"
#include "input/units/text.h"
#include "input/units/units.h"
#include "materials/materials.h"

namespace pelmora {

class TCalcGrid;

// Processor time-stamp counts spent in each step of the last calculation (DEBUG statistics).
struct TStepCycles {
  uint64_t Setup = 0, FindNeighbors = 0, SplitSystem = 0, FindLoops = 0, FindPaths = 0;
  uint64_t MatrixSetup = 0, UpdatePipes = 0, Calculate = 0;
  uint64_t PreparationEnd = 0;  // counter value when the preparation ended
};

using TPipeArray = std::vector<TPipe*>;  // slot 0 empty
using TNodeArray = std::vector<TNode*>;  // slot 0 empty

class TCalcEngine {
 public:
  TCalcEngine();
  ~TCalcEngine();
  TCalcEngine(const TCalcEngine&) = delete;
  TCalcEngine& operator=(const TCalcEngine&) = delete;

  // Settings
  TUnitSet FInputUnits{0, 0, 0, 0, 0, 0, 0, 0};
  TUnitSet FCalcUnits;
  bool FMetric = false;
  uint8_t FFrictionMethod = 0;  // 0 Hazen-Williams, 1 NFPA 750, 2 Colebrook, 3 Serghide
  bool FGravity434 = false;
  TLiquid FLiquid;
  bool FUseVelocityPressure = false;
  bool FSourceCalculation = false;
  double FSafetyMargin = 0;
  bool FFavourable = false;
  bool FDebug = false;
  double FTolerance = 0.001;    // psi
  std::string FRiserNodeName;
  volatile bool FCancel = false;
  // Called once per solver iteration so that a user interface stays responsive.
  std::function<void()> FMessagePump;
  int32_t FSprinklerCount = 0;  // sprinklers the command text declares
  const TMaterials* FMaterials = nullptr;  // the database used for diameters and fittings

  // Model (slot 0 of pipes and nodes stays empty)
  TPipeArray FPipes{nullptr};
  TNodeArray FNodes{nullptr};
  std::vector<std::unique_ptr<TLoop>> FLoops, FPaths;
  std::vector<std::unique_ptr<TSpecial>> FSpecials;
  std::vector<TCalcError> FErrors;    // errors, text unprefixed
  std::vector<TCalcError> FMessages;  // warnings and hints, prefixed
  int32_t FErrorCount = 0;
  std::unique_ptr<TCalcGrid> FGrid;
  TNode* FBaseNode = nullptr;
  TNode* FInputNode = nullptr;
  bool FCalcOK = false;
  bool FCalcDone = false;
  bool FHazenPipesUsed = false;  // some pipe is forced to Hazen-Williams in a Darcy-Weisbach project
  TStepCycles FCycles;

  // Summary results
  int32_t FIterations = 0;
  double FUnbalance = 0;
  double FSourceFlow = 0;
  double FDemandFlow = 0;
  double FRequiredPressure = 0;
  double FSupplyPressure = 0;
  double FMargin = 0;
  int32_t FHeadCount = 0;
  double FHeadFlow = 0;
  double FMinHeadFlow = 1e300, FMaxHeadFlow = -1e300, FAvgHeadFlow = 0;
  int32_t FNodeCount = 0;
  double FNodeFlow = 0;
  double FMaxVelocity = 0;
  bool FRiserValid = false;
  double FStaticPressure = 0, FRiserPressure = 0, FRiserFlow = 0;
  double FBeginTime = 0, FEndTime = 0;  // seconds since midnight, set by the run
  TPipeArray FSortedPipes{nullptr};
  TNodeArray FSortedNodes{nullptr};

  void SetUnits(const TUnitSet& units);

  // Filling the model. Both take ownership only when they return true.
  bool AddPipe(std::unique_ptr<TPipe> pipe);
  bool AddNode(std::unique_ptr<TNode> node);
  TPipe* FindPipe(std::string_view name) const;
  TNode* FindNode(std::string_view name) const;
  bool DeletePipe(TPipe* pipe);
  bool DeleteNode(TNode* node);
  TSpecial* AddSpecial(std::unique_ptr<TSpecial> special);

  void AddError(int code, const std::string& text, int param, int line);
  void AddWarning(int code, const std::string& text, int param, int line);
  void AddHint(int code, const std::string& text, int param, int line);
  void ClearErrors();

  // Prepares, checks and solves; true when an accepted solution was found. Never throws.
  bool Calculate();
  void ConvertUnits(const TUnitSet& from, const TUnitSet& to);
  void SortPipes(int order);
  void SortNodes(int order);

  int PipeNumber(const TPipe* pipe) const;
  int NodeNumber(const TNode* node) const;

 private:
  bool PrepareModel();
  bool SolvePass(bool& cancelled, bool& stopped);
  void FinishCalculation(bool solved, bool accepted);

  // Names in upper case to their objects: large texts are built in linear time.
  // By name, letter case ignored.
  std::unordered_map<std::string, TPipe*, TNoCaseHash, TNoCaseEqual> FPipeIndex;
  std::unordered_map<std::string, TNode*, TNoCaseHash, TNoCaseEqual> FNodeIndex;
  struct Impl;
  std::unique_ptr<Impl> FImpl;  // solver scratch: matrices, per-pipe search records, counters
};

}  // namespace pelmora
