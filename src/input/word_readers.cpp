#include "input/word_readers.h"

#include <array>
#include <cmath>

#include "input/command_table.h"
#include "input/equivk_lookup.h"
#include "input/number_text.h"
#include "input/scan_messages.h"
#include "input/zub_file.h"
#include "input/units/text.h"
#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr int kMaxNameLength = 8;
constexpr double kShortPipeInches = 4;     // shorter pipes are usually a typing slip
constexpr double kLowHeadPressurePsi = 7;  // below this a head's discharge is questioned
constexpr int kLpmCode = 1;
constexpr int kMetreCode = 5;
constexpr int kMmCode = 3;
constexpr int kInchCode = 2;

void Reject(TZubParameter& word, TScanMessage message, std::initializer_list<std::string_view> values) {
  word.Valid = false;
  word.Message = ScanMessage(message, values);
}

void Accept(TZubParameter& word, double value) {
  word.Valid = true;
  word.Value = value;
}

// Length code 1 (feet and inches) has no word of its own; its values are feet.
std::string ShortLengthWord(int code) { return LengthWord(code == 1 ? 0 : code, false); }

bool IsHeadOrFlow(int command) { return command == cmHead || command == cmFlow; }

void ReadPositivePressure(TScanLine& scan, TZubParameter& word, bool zeroAllowed) {
  double value = 0;
  if (ParsePressure(word.Text, scan.Project.Units.Pressure, value) && (value > 0 || (zeroAllowed && value == 0)))
    Accept(word, value);
  else
    Reject(word, smPressure, {word.Text});
}

void ReadStaticPressure(TScanLine& scan, int index) { ReadPositivePressure(scan, scan.Words[index], false); }
void ReadResidualPressure(TScanLine& scan, int index) { ReadPositivePressure(scan, scan.Words[index], true); }

void ReadCFactor(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  double value = 0;
  if (ReadFloat(word.Text, value) && value > 0) {
    Accept(word, value);
    scan.Project.FLineCFactor[scan.Line] = value;
  } else {
    Reject(word, smCFactor, {word.Text});
  }
}

// In head-area mode the discharge of Head and Flow is the area one head covers; the flow is
// that area times the design density in force.
void ReadHeadArea(TScanLine& scan, TZubParameter& word) {
  const TUnitSet& units = scan.Project.Units;
  double area = 0;
  if (!ParseLength(word.Text, units.HeadArea, area) || area < 0) return Reject(word, smFlow, {word.Text});
  const double side = ConvertLength(std::sqrt(area), units.HeadArea, kMetreCode);
  const double litresPerMinute = side * side * scan.Project.FLineDensity[scan.Line];
  Accept(word, ConvertFlow(litresPerMinute, kLpmCode, units.Flow));
}

void ReadDischarge(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  const bool headOrFlow = IsHeadOrFlow(scan.Command);
  if (headOrFlow && scan.Project.HeadArea) return ReadHeadArea(scan, word);
  double value = 0;
  const bool read = ParseFlow(word.Text, scan.Project.Units.Flow, value);
  // A negative discharge of a head is its minimum pressure.
  if (read && (headOrFlow ? value != 0 : value >= 0))
    Accept(word, value);
  else
    Reject(word, smFlow, {word.Text});
}

void ReadElevation(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  double value = 0;
  if (ParseElevation(word.Text, scan.Project.Units.Elevation, value))
    Accept(word, value);
  else
    Reject(word, smElevation, {word.Text});
}

void ReadFitting(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  const TZubFile& project = scan.Project;
  if (SameText(word.Text, "VB") || SameText(word.Text, "VE")) return Accept(word, 0);
  const std::string& material = project.FLineMaterial[scan.Line];
  const double loss = project.FMaterials->FittingLoss(word.Text, material, project.Units.Length,
                                                      project.Units.Size, project.FLineCFactor[scan.Line],
                                                      scan.LastSize);
  if (loss != 0)
    Accept(word, loss);
  else
    Reject(word, smFitting, {word.Text, FormatFloat("0.##", scan.LastSize), material});
}

void ReadHeadCount(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  int count = 0;
  if (ReadInteger(word.Text, count) && count > 0)
    Accept(word, count);
  else
    Reject(word, smHeadCount, {word.Text});
}

// A head whose discharge needs less than 7 psi is rarely meant: the discharge word is questioned.
void CheckHeadPressure(TScanLine& scan, int index) {
  const TZubFile& project = scan.Project;
  const TZubParameter& kWord = scan.Words[index];
  if (project.HeadArea || index == 0 || !kWord.Valid || kWord.Value <= 0) return;
  TZubParameter& discharge = scan.Words[index - 1];
  const TUnitSet& units = project.Units;
  double psi = 0;
  if (discharge.Value < 0) {
    psi = ConvertPressure(-discharge.Value, units.Pressure, 0);
  } else {
    const double ratio = ConvertFlow(discharge.Value, units.Flow, 0) / ConvertK(kWord.Value, units.KFactor, 0);
    psi = ratio * ratio;
  }
  if (psi >= kLowHeadPressurePsi || !discharge.Valid) return;
  discharge.Suspect = true;
  const std::string pressure = FormatPressure(units.Pressure, ConvertPressure(psi, 0, units.Pressure)) + " " +
                               PressureWord(units.Pressure);
  discharge.Message = ScanMessage(smHeadPressure, {pressure});
}

void ReadKFactor(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  const TZubFile& project = scan.Project;
  double value = 0;
  if (ParseK(word.Text, project.Units.KFactor, value)) {
    if (project.FrictionFormula != 0 && project.AdjustKForLiquid) value *= project.KFactorMultiplier;
    Accept(word, value);
  } else if (const TEquivKFile* definition = FindEquivK(project, word.Text); definition && definition->GetK() > 0) {
    Accept(word, definition->GetK());
  } else {
    Reject(word, smKFactor, {word.Text});
  }
  CheckHeadPressure(scan, index);
}

void ReadPipeLength(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  const int unit = scan.Project.Units.Length;
  double value = 0;
  if (!ParseLength(word.Text, unit, value)) return Reject(word, smLength, {word.Text});
  if (value < 0) return Reject(word, smNegativeLength, {word.Text});
  Accept(word, value);
  if (ConvertLength(value, unit, kInchCode) < kShortPipeInches) {
    word.Suspect = true;
    word.Message = ScanMessage(smShortLength, {FormatFloat("0.##", value) + " " + ShortLengthWord(unit)});
  }
}

void ReadMinimumPressure(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  double value = 0;
  if (!ParsePressure(word.Text, scan.Project.Units.Pressure, value)) return Reject(word, smPressure, {word.Text});
  Accept(word, value);
  if (scan.Command == cmDensity) scan.Project.FLineMinHeadPressure[scan.Line] = value;
}

// Which commands define the node they name, and from which word on.
int FirstDefiningWord(int command) {
  switch (command) {
    case cmHead: case cmNode: case cmWater: case cmPump: case cmMain: return 1;
    case cmHC: case cmNC: return 2;
    default: return -1;
  }
}

void ReadNodeName(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  TZubFile& project = scan.Project;
  if (word.Text.size() > kMaxNameLength) return Reject(word, smLongName, {word.Text});
  const int firstDefining = FirstDefiningWord(scan.Command);
  if (firstDefining >= 0 && index >= firstDefining) {
    if (!project.FDefinedNodes.Add(word.Text)) return Reject(word, smNodeDefined, {word.Text});
    if (scan.Command == cmMain) project.FReferencedNodes.Add(word.Text);
  } else if (scan.Command == cmPipe || scan.Command == cmPC) {
    project.FReferencedNodes.Add(word.Text);
  }
  Accept(word, 0);
}

void ReadOffset(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  double value = 0;
  if (!ParseLength(word.Text, scan.Project.Units.Length, value)) return Reject(word, smLength, {word.Text});
  if (value <= 0) return Reject(word, smNotPositiveLength, {word.Text});
  Accept(word, value);
}

void ReadPipeName(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  if (word.Text.size() > kMaxNameLength) return Reject(word, smLongName, {word.Text});
  const bool defines = scan.Command == cmPipe || (scan.Command == cmPC && index >= 2);
  if (defines && !scan.Project.FPipeNames.Add(word.Text)) return Reject(word, smPipeUsed, {word.Text});
  Accept(word, 0);
}

void ReadCurveFlow(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  double value = 0;
  if (ParseFlow(word.Text, scan.Project.Units.Flow, value) && value > 0)
    Accept(word, value);
  else
    Reject(word, smFlow, {word.Text});
}

void ReadSize(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  const TZubFile& project = scan.Project;
  const std::string& material = project.FLineMaterial[scan.Line];
  const double size = SizeValue(word.Text, project.Units.Size);
  scan.LastSize = size;
  const double diameter = project.FMaterials->DiameterOf(material, project.Units.Size, size);
  if (diameter > 0)
    Accept(word, diameter);
  else
    Reject(word, smSize, {word.Text, material});
}

void ReadMaterial(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  TZubFile& project = scan.Project;
  project.FLineMaterial[scan.Line] = UpperCase(word.Text);
  if (project.FMaterials->MaterialExists(word.Text))
    Accept(word, 0);
  else
    Reject(word, smMaterial, {word.Text});
}

void ReadDensity(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  TZubFile& project = scan.Project;
  double value = 0;
  if (!ParseLength(word.Text, project.Units.Density, value) || value <= 0) return Reject(word, smDensity, {word.Text});
  Accept(word, value);
  project.FLineDensity[scan.Line] = ConvertLength(value, project.Units.Density, kMmCode);
}

void ReadCoordinate(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  int value = 0;
  if (ReadInteger(word.Text, value) && value > 0)
    Accept(word, value);
  else
    Reject(word, smInteger, {word.Text});
}

// A continued main may add a single branch line; a new main needs at least two.
void ReadBranchLineCount(TScanLine& scan, int index) {
  TZubParameter& word = scan.Words[index];
  const int minimum = scan.Command == cmMainCont ? 1 : 2;
  int value = 0;
  if (ReadInteger(word.Text, value) && value >= minimum)
    Accept(word, value);
  else
    Reject(word, minimum == 1 ? smBranchLinesOne : smBranchLinesTwo, {word.Text});
}

using TWordReader = void (*)(TScanLine&, int);

// Kinds without a reader (G, I, J, R, U, W) leave the word invalid and silent.
constexpr std::array<TWordReader, 26> kReaders{
    ReadStaticPressure,    // A
    ReadResidualPressure,  // B
    ReadCFactor,           // C
    ReadDischarge,         // D
    ReadElevation,         // E
    ReadFitting,           // F
    nullptr,               // G
    ReadHeadCount,         // H
    nullptr,               // I
    nullptr,               // J
    ReadKFactor,           // K
    ReadPipeLength,        // L
    ReadMinimumPressure,   // M
    ReadNodeName,          // N
    ReadOffset,            // O
    ReadPipeName,          // P
    ReadCurveFlow,         // Q
    nullptr,               // R
    ReadSize,              // S
    ReadMaterial,          // T
    nullptr,               // U
    ReadDensity,           // V
    nullptr,               // W
    ReadCoordinate,        // X
    ReadCoordinate,        // Y
    ReadBranchLineCount,   // Z
};

}  // namespace

void ReadWord(TScanLine& scan, int index) {
  const char kind = scan.Words[index].Letter;
  if (kind < 'A' || kind > 'Z') return;
  if (const TWordReader read = kReaders[kind - 'A']) read(scan, index);
}

}  // namespace pelmora
