// Reading the grid and tree commands of a scanned text into the engine's grid.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/calc_engine.h"
#include "engine/grid.h"
#include "input/zub_file.h"

namespace pelmora {

// How many of each grid command the text holds, and the line of the last one of each kind.
struct TGridCommandCounts {
  int Mains = 0, MainElevs = 0, Lines = 0, LineElevs = 0, Trees = 0, RNs = 0, Drops = 0, Flows = 0, Others = 0;
  int LastMain = -1, LastLineElev = -1, LastLineOrTree = -1, LastRN = -1, LastDrop = -1, LastFlow = -1;
  int Total() const { return Mains + MainElevs + Lines + LineElevs + Trees + RNs + Drops + Flows + Others; }
};

class TGridExpander {
 public:
  TGridExpander(TZubFile& project, TCalcEngine& engine);
  bool Run();

 private:
  TZubFile& FProject;
  TCalcEngine& FEngine;
  TCalcGrid& FGrid;
  TGridCommandCounts FCounts;
  int FLine = 0;
  bool FFailed = false;
  int FMainsRead = 0, FLinesRead = 0, FMainElevsRead = 0;

  // expand_grid.cpp: counting and the consistency checks
  void CountCommands();
  void CheckConsistency();
  void CheckFinalCounts();
  void EngineError(int code, const std::string& text, int line);
  bool HandMessagesOnFailure();

  // grid_expand_passes.cpp: one reader per command
  void ForEachLine(std::initializer_list<int> commands, void (TGridExpander::*read)(int command));
  void ReadSwitch(int command);
  void ReadMain(int command);
  void ReadTree(int command);
  void ReadLine(int command);
  void ReadMainElevation(int command);
  void ReadLineElevation(int command);
  void ReadRiserNipples(int command);
  void ReadDrop(int command);
  void ReadFlow(int command);
  void AddRemoteArea(TRemoteArea area);
  void WarnSurplus(int firstSurplus);
  void Refused();

  // The words of the line being read.
  TTokenLine Words() const { return FProject.FTokens[FLine]; }
  bool HasParameter(int index) const;
  TTokenView Word(int index) const { return FProject.FTokens.Word(FLine, static_cast<size_t>(index)); }
  std::string_view CommandWord() const { return Word(0).Text; }
  double SizeOf(int index) const;
  TGridPipeSettings LineSettings() const;
  // The interpreter's parameter gate, reporting into the grid's messages.
  bool CheckGridParam(int index, std::string_view displayName, bool optional = false);
};

// The command of a line whose command word the scan accepted, or cmNone.
int GridCommandOf(const TZubFile& project, int line);

}  // namespace pelmora
