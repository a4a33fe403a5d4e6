// The model builder: the passes that turn the scanned command text into the engine's model.
#pragma once

#include <string>
#include <string_view>

#include "engine/calc_engine.h"
#include "input/command_table.h"
#include "input/zub_file.h"

namespace pelmora {

struct TZubFile::Builder {
  TZubFile& Project;
  TCalcEngine& Engine;
  int Line = 0;  // the line the pass is reading
  int PumpNumber = 1;
  bool WaterSeen = false;
  bool DensitySeen = false;

  Builder(TZubFile& project, TCalcEngine& engine) : Project(project), Engine(engine) {}

  void Run();

  // Passes, in the order they run.
  void SettingsPass();
  void NodePass();
  void NodeCopyAndPumpNodePass();
  void NodeChangePass();
  void PipePass();
  void FourHeadsPass();
  void PumpPipePass();
  void PipeCopyPass();
  void PipeChangePass();
  void CurveDevicePass();
  void RefreshHazenFlags();
  void ReportMissingCommands();

  // Line handlers.
  void ReadSettingsLine(int command);
  void ReadNodeLine(int command);
  void ReadHeadData(TNode& node);
  void ReadWaterCurve(TNode& node, std::unique_ptr<TSpecial>& curve);
  void ReadNodeCopies();
  void CreatePumpNodes();
  void ChangeNode();
  void ReadPipe();
  void ReadFittings(TPipe& pipe, int first);
  bool NamePipe(TPipe& pipe, int index);
  void SetPipeEnd(TPipe& pipe, int index, std::string_view displayName, bool fromEnd);
  void ReadPumpPipe();
  void CopyPipe();
  void ChangePipe();
  void ReadCurveDevice(int command);
  void ReadCurvePoints(TSpecial& curve, int first, bool negate);

  // The words of the line being read.
  TTokenLine Words() const { return Project.FTokens[Line]; }
  int WordCount() const { return static_cast<int>(Project.FTokens.WordCount(Line)); }
  TTokenView Word(int index) const { return Project.FTokens.Word(Line, static_cast<size_t>(index)); }
  bool HasParameter(int index) const { return index < WordCount() && !Word(index).Comment; }
  std::string_view CommandWord() const { return Word(0).Text; }
  int CommandOf(int line) const;

  // The one gate through which every parameter is read.
  bool CheckParam(int index, std::string_view displayName, bool optional = false);
  void AddError(int code, const std::string& text, int param) { Engine.AddError(code, text, param, Line); }
  void AddWarning(int code, const std::string& text, int param) { Engine.AddWarning(code, text, param, Line); }
  void WarnSurplus(int firstSurplus);

  // Note texts: the comment words of a line.
  std::string LineNote(int line) const;
  std::string PrecedingNote() const;
  void ForEachLine(int command, void (Builder::*read)());
};

}  // namespace pelmora
