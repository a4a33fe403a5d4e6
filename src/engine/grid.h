// Companion of the engine for gridded and tree systems: generation and the remote-area search.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "engine/model.h"
#include "input/units/units.h"

namespace pelmora {

class TCalcEngine;

// Seeds of generated names, in the order of the project's name seeds.
enum TGridSeed { gsFirstMain, gsSecondMain, gsFirstLine, gsSecondLine, gsFirstDrop, gsFirstRiser, gsCount };

// Material, C-factor and friction law of the command a generated pipe comes from.
struct TGridPipeSettings {
  int32_t Line = -1;
  std::string Material = "S40";
  double CFactor = 120;
  bool Hazen = false;
};

// A node placed on a main at a distance from its first junction.
struct TCalcGridXtraNode {
  double Offset = 0;        // length unit, from the main's first junction
  std::string Name;
  TPipe* Pipe = nullptr;    // the pipe that will lead to it
  TNode* Node = nullptr;
};

struct TCalcGridMainElevation {
  bool Given = false;
  double Start = 0, End = 0;        // elevation unit
  double Distance = 0, Third = 0;   // third point: distance (length unit) and elevation
};

struct TCalcGridMain {
  std::vector<TPipe*> Pipes;        // in order from the first junction; extra-node halves included after commit
  std::vector<TNode*> Junctions;    // junction k joins branch line k
  std::vector<TCalcGridXtraNode> Extras;
  TCalcGridMainElevation Elevation;
  std::vector<TPipe*> RiserNipples; // per branch-line index, null where none
  size_t SpanCount = 0;             // main pipes between junctions
  size_t JunctionCount() const { return SpanCount + 1; }
};

// Branch lines of one bay: per branch-line index, that line's pipes from left to right.
struct TCalcGridBay {
  std::vector<std::vector<TPipe*>> Lines;
  bool Filled = false;
};

// The heads of one FLOW command: a rectangle of head positions and what every head discharges.
struct TRemoteArea {
  int32_t FirstLine = 0, LastLine = 0;  // branch-line indexes, 0-based
  int32_t FirstHead = 0, LastHead = 0;  // head positions, 0-based
  double Discharge = 0;                 // minimum head flow, input units
  double KFactor = 0;                   // input units
  double MinPressure = kNotSet;         // from a negative discharge, input units
  double Density = 0;
  std::string KReference;               // equivalent-K code, empty for a number
  std::string DischargeText, KText;     // the words as typed
  int32_t Line = -1;
};

enum TPlaceResult { prPlaced = 0, prEndOfLine = 1, prEndOfGrid = 2, prSkip = 4 };

// A remote-area position: head position and branch-line index, both 0-based.
struct TGridPosition {
  int32_t Head = 0, Line = 0;
  bool operator==(const TGridPosition&) const = default;
};

class TCalcGrid {
 public:
  explicit TCalcGrid(TCalcEngine& engine);
  ~TCalcGrid();
  TCalcGrid(const TCalcGrid&) = delete;
  TCalcGrid& operator=(const TCalcGrid&) = delete;

  // Settings given by the interpreter before the commands are read.
  TUnitSet FUnits;                               // input units of the project
  std::array<std::string, gsCount> FFirstNames;  // empty ones take the defaults
  bool FAutoPeak = false;
  bool FReduce = false;
  void SetUsedNames(const std::vector<std::string>& nodes, const std::vector<std::string>& pipes);
  void SetLineSettings(const TGridPipeSettings& settings) { FSettings = settings; }

  // Building, in the order of the interpreter's passes; false when the command is refused.
  bool AddMain(int index, int branchLines, const std::vector<double>& spacings,
               const std::vector<TCalcGridXtraNode>& extras, double nominalSize);
  bool AddTree(bool left, int heads, const std::vector<double>& lengths, const std::vector<double>& sizes);
  bool AddLines(int bay, int heads, double nominalSize, double startLength, double endLength,
                const std::vector<double>& spacings);
  bool AddMainElevation(int mainNumber, double start, double end, double distance, double third);
  bool AddLineElevation(bool acrossLines, double start, double end, const std::vector<double>& offsets,
                        const std::vector<double>& elevations, bool relative);
  void SetRiserNippleSize(int mainIndex, double nominalSize, const TGridPipeSettings& settings);
  void SetDrop(const TGridPipeSettings& settings, double ceiling, double nominalSize, double armOver);
  void AddRemoteArea(const TRemoteArea& area) { FAreas.push_back(area); }
  void AddGridError(int code, const std::string& text, int param, int line);
  void AddGridWarning(int code, const std::string& text, int param, int line);
  bool HasGridErrors() const;
  // Validates the remote areas, generates the grid and hands messages, nodes and pipes to the engine.
  bool CommitGrid();

  // Called by Calculate at the start of every solve pass with the criterion of the previous pass
  // (ignored on the first call); true while another pass is to be calculated. During the search
  // the model is expected in the engine's calculation units.
  bool SearchStep(double criterion);
  // True when the last SearchStep added or deleted drop pipes and heads (in the model's units):
  // the engine must prepare the changed model again, fittings, coefficients, neighbours and loops.
  bool ModelChanged() const { return FModelChanged; }

  // Search results for reports: positions are 0-based; Best equals Entered when none was found.
  bool Searched() const { return FSearchState != ssIdle; }
  TGridPosition EnteredPosition() const;
  TGridPosition BestPosition() const { return FBest; }
  int PositionsTried() const { return FTried; }
  int PositionsFailed() const { return FFailed; }
  const std::vector<TDblArray>& SearchResults() const { return FResults; }

  // Geometry for the flow diagram, the four-heads check and the expanded text.
  const std::vector<TCalcGridMain>& Mains() const { return FMains; }
  const std::vector<TCalcGridBay>& Bays() const { return FBays; }
  const std::vector<std::vector<TNode*>>& HeadPositions() const { return FHeadTable; }
  TPipe* DropAt(int line, int head) const;
  const std::vector<TRemoteArea>& RemoteAreas() const { return FAreas; }
  const std::vector<TCalcError>& GridMessages() const { return FMessages; }
  // Every node and pipe the grid created that is still in the model, in creation order.
  const std::vector<TNode*>& GeneratedNodes() const { return FGeneratedNodes; }
  const std::vector<TPipe*>& GeneratedPipes() const { return FGeneratedPipes; }
  // The remote area whose head stands at the node, or null.
  const TRemoteArea* AreaOfHead(const TNode* node) const;

 private:
  enum TSearchState { ssIdle, ssSearching, ssFinalPass, ssDone };
  struct TDropSettings {
    bool Given = false;
    TGridPipeSettings Settings;
    double Ceiling = 0, NominalSize = 0, ArmOver = 0;
  };
  struct TPlacedHead {
    TNode* Node = nullptr;
    TPipe* Drop = nullptr;
    const TRemoteArea* Area = nullptr;
  };

  TCalcEngine& FEngine;
  std::vector<TCalcError> FMessages;
  TGridPipeSettings FSettings;
  TDropSettings FDrop;
  std::vector<TCalcGridMain> FMains;
  std::vector<TCalcGridBay> FBays;
  std::vector<TRemoteArea> FAreas;
  std::vector<std::vector<TNode*>> FHeadTable;  // per branch-line index, head positions left to right (null: none)
  std::vector<std::vector<TPipe*>> FDrops;  // per branch-line index and head position
  std::vector<TPlacedHead> FPlaced;
  std::unordered_set<std::string> FUsedNodes, FUsedPipes;  // upper case
  std::vector<std::unique_ptr<TNode>> FOwnedNodes;         // until commit
  std::vector<std::unique_ptr<TPipe>> FOwnedPipes;
  std::vector<TNode*> FGeneratedNodes;
  std::vector<TPipe*> FGeneratedPipes;
  bool FGenerated = false;
  bool FCommitted = false;
  bool FModelChanged = false;
  bool FPlacingInCalcUnits = false;

  TSearchState FSearchState = ssIdle;
  int FPasses = 0;
  TGridPosition FCurrent, FBest;
  std::vector<TDblArray> FResults;
  int FTried = 0, FFailed = 0;

  // grid.cpp: objects and names
  TPipe* NewPipe(double length, double nominalSize, const TGridPipeSettings& settings);
  TNode* NewNode(const std::string& name, double elevation);
  std::string TakeName(std::unordered_set<std::string>& used, std::string candidate);
  void FreeName(std::unordered_set<std::string>& used, const std::string& name);
  std::string Seed(TGridSeed seed) const;
  void ForgetPipe(TPipe* pipe);
  void ForgetNode(TNode* node);
  size_t LineCount() const;
  void ConnectPipe(TPipe* pipe, TNode* from, TNode* to);

  // grid_generate.cpp: nodes, names and elevations
  void EnsureGenerated();
  void GenerateMains();
  void GenerateLines();
  double LineLength(size_t line) const;
  double JunctionDistance(const TCalcGridMain& main, size_t junction) const;
  void InsertRiserNipples(const std::vector<double>& lineElevationAtMain, size_t mainIndex, size_t line);
  void PlaceExtraNodes();

  // grid_commit.cpp: head table, reduction, hand-over
  void BuildHeadTable();
  void ReduceLines();
  bool ReduceTreeLine(TCalcGridBay& bay, size_t line);
  void JoinLinePipes(std::vector<TPipe*>& pipes);
  bool LineHoldsFlow(size_t line) const;
  bool HandToEngine();

  // grid_area.cpp: placing and removing the remote areas
  TPlaceResult PlaceAreas(int headShift, int lineShift, bool validateOnly);
  TPlaceResult CheckArea(const TRemoteArea& area, int headShift, int lineShift) const;
  void PlaceHead(TNode* lineNode, int line, int head, const TRemoteArea& area);
  void MakeHead(TNode& node, const TRemoteArea& area) const;
  TPipe* CreateDrop(TNode* lineNode, int line, int head);
  void AdoptDrop(TPipe* drop);
  void RemoveAreas();

  // grid_search.cpp: the AutoPeak search
  bool StartSearch();
  bool MoveToNextPosition();
  bool FinishSearch();
  void ReportFailedPositions();
};

}  // namespace pelmora
