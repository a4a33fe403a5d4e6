// The open project: settings, command text, token table and name lists; it is also the command
// interpreter and the project-file reader and writer.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "equivk/equivk_file.h"
#include "input/name_list.h"
#include "input/tokens.h"
#include "input/units/units.h"
#include "materials/materials.h"

namespace pelmora {

class TCalcEngine;

// System information texts of the report, in this order.
enum TSystemInfoField {
  siOccupancy, siSystemType, siDensity, siRemoteArea, siRemoteAreaLocation, siHeadArea,
  siInsideHose, siOutsideHose, siRackDemand, siDrawingNumber, siRemoteAreaNumber, siVolume,
  siFlowTestDate, siFlowTestLocation, siFlowTestSource, siCount
};
using TZubSystemInformation = std::array<std::string, siCount>;

// Drawing records of an imported DXF file.
struct TdxfPipe {
  std::string Name;
  std::string LineHandle;
  std::string SizeTextHandle;
};
struct TdxfNode {
  std::string Name;
  double X = 0, Y = 0, Z = 0;
};

// Naming seeds of generated nodes and pipes.
enum TNameSeed { nsFirstMain, nsSecondMain, nsFirstLine, nsSecondLine, nsFirstDrop, nsFirstRiserNipple, nsCount };

// Defaults for new projects ("File Defaults" of the options file).
struct TZubFileDefaults {
  bool UseVelocity = false;
  bool Gravity13D = false;
  bool FMFittings = false;
  bool HeadArea = false;
  int FrictionFormula = 0;
  bool SourceCalc = false;
  bool MaterialFittings = true;
  bool UseFittingK = false;
  std::string BaseOfRiser;
  std::array<std::string, nsCount> NameSeeds{"M1-1", "M2-1", "L1-1", "L2-1", "D1", ""};
  TUnitSet Units;
  TLiquid Liquid;  // set from the materials database's third liquid at start-up
};
TZubFileDefaults& FileDefaults();

// Program options read while interpreting and after solving.
struct TRunOptions {
  bool RepNoteNode = false;
  bool RepNotePipe = false;
  bool SortNodes = true;
  int SortPipes = 1;
};

class TZubFile {
 public:
  TZubFile();
  ~TZubFile();

  // Persistent properties, in file order.
  std::string JobNo;
  std::vector<std::string> Contract, Project, AHJ, Notes, Head;
  std::string RepHeader;
  std::vector<std::string> DesignerOR, CompanyOR;
  TUnitSet Units;
  int FrictionFormula = 0;
  std::vector<TEquivKFile> EquivK;
  bool SourceCalc = false;
  bool UseVelocity = false;
  bool Gravity13D = false;
  bool FMFittings = false;
  bool AdjustKForLiquid = false;
  bool HeadArea = false;
  bool MaterialFittings = true;
  bool UseFittingK = false;
  double KFactorMultiplier = 1.0;
  TLiquid Liquid;
  std::string BaseOfRiser;
  std::array<std::string, nsCount> NameSeeds;
  std::string RADescription;
  TZubSystemInformation SystemInfo;
  std::string DxfFileName;
  std::vector<TdxfPipe> DxfPipes;
  std::vector<TdxfNode> DxfNodes;
  std::vector<std::string> Body;  // the command text

  // Scan results (not stored in the file).
  TZubParameterTable FTokens;
  std::vector<std::string> FLineMaterial;
  std::vector<double> FLineCFactor;
  std::vector<uint8_t> FLineHazen;
  std::vector<double> FLineDensity;
  std::vector<double> FLineMinHeadPressure;
  TNameList FDefinedNodes, FReferencedNodes, FUndefinedNodes, FUnconnectedNodes, FPipeNames,
      FGeneratedPipes, FGeneratedNodes;
  std::vector<std::string> FFourHeads;
  TCalcEngine* FEngine = nullptr;  // engine of the last run, owned by the caller
  TMaterials* FMaterials = nullptr;  // the database in use (the program's one by default)
  TRunOptions FOptions;

  void ResetProject();
  // Throws std::runtime_error naming the file and the reason when it cannot be read or written.
  void LoadFromFile(const std::string& fileName, bool convertOldCommands = true);
  void SaveToFile(const std::string& fileName, const std::vector<std::string>* lines = nullptr);

  void ParseLines(const std::vector<std::string>& lines);
  TZubParameter GetToken(int line, int index) const;
  int FindCommandLine(int command, const std::string& name) const;
  int FindPipeLine(const std::string& name) const;
  int FindNodeLine(const std::string& name) const;

  bool Interpret(const std::vector<std::string>& lines, TCalcEngine* engine);
  void ApplySettings(TCalcEngine& engine);
  int CheckFourHeads();
  double FlowFromK(double kFactor, double pressure) const;

 private:
  struct Builder;
};

}  // namespace pelmora
