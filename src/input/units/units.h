// Unit codes, conversion factors, the nominal size table, value readers and writers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace pelmora {

// Eight unit codes of a project: length, size, elevation, pressure, flow, K-factor,
// head area (a length code whose square is the area unit) and density (length code per minute).
struct TUnitSet {
  uint8_t Length = 0;     // length codes: 0 ft, 1 ft-in, 2 in, 3 mm, 4 cm, 5 m
  uint8_t Size = 2;       // length codes
  uint8_t Elevation = 0;  // length codes
  uint8_t Pressure = 0;   // 0 psi, 1 bar, 2 kPa
  uint8_t Flow = 0;       // 0 gpm, 1 lpm, 2 IMP gpm, 3 m3/hr
  uint8_t KFactor = 0;    // 0 gpm/psi, 1 lpm/bar, 2 lpm/kPa, 3 m3hr/bar, 4 m3hr/kPa, 5 IMPgpm/bar, 6 IMPgpm/kpa
  uint8_t HeadArea = 5;   // length codes
  uint8_t Density = 3;    // length codes

  bool IsUS() const { return Length < 3; }
  bool operator==(const TUnitSet&) const = default;
};

inline constexpr double kNotSet = -100000000.0;  // the model's "no pressure requirement" value
inline constexpr int kNominalSizeCount = 30;

// The sets named by the ENGLISH and METRIC commands. Their head-area and density codes are the
// fixed defaults: the commands set only the first six codes of a project.
TUnitSet EnglishUnits();
TUnitSet MetricUnits();
// The program's default codes: the options file overrides them through UnitDefaults().
TUnitSet& UnitDefaults();
TUnitSet DefaultUnits();  // a copy of UnitDefaults()

// Nominal size table row: inch value and label (with the inch mark, 1 1/4"), millimetre value and label (32mm).
struct TNominalSize {
  double Inch;
  const char* InchLabel;
  double Mm;
  const char* MmLabel;
};
const std::array<TNominalSize, kNominalSizeCount>& NominalSizes();

// Factor conversions between codes of one family; unknown codes leave the value unchanged.
double ConvertLength(double value, int from, int to);
double ConvertPressure(double value, int from, int to);  // kNotSet stays kNotSet
double ConvertFlow(double value, int from, int to);
double ConvertK(double value, int from, int to);
// Nominal size through the size table: -1 when the value is no nominal size of the from unit.
double ConvertSize(double value, int from, int to);
int SizeIndex(int lengthCode, double value);

// Strict number text: an optional sign, digits, full stop, exponent; nothing else, no blanks.
// Out-of-range and non-finite values fail.
bool ParseFloat(std::string_view text, double& value);

// Readers: true and the value in the target unit, or false and 0. They never throw.
bool ParseLength(std::string_view text, int target, double& value);
bool ParseElevation(std::string_view text, int target, double& value);
bool ParseSize(std::string_view text, int target, double& value);
bool ParsePressure(std::string_view text, int target, double& value);
bool ParseK(std::string_view text, int target, double& value);
bool ParseFlow(std::string_view text, int target, double& value);
double SizeValue(std::string_view text, int sizeCode);

// Writers: empty text on failure.
std::string FormatLength(int code, double x);
std::string FormatPressure(int code, double x);
std::string FormatFlow(double x);
std::string FormatK(double x);

// Picture formatting ("0.0#", "0.##", "0.00#", "#,##0", "0.###E-"...) with the full stop as
// decimal separator, rounding half away from zero; empty text for infinities and NaN.
std::string FormatFloat(const std::string& pattern, double x);
// Shortest general form with up to 15 significant digits ("1", "62.4", "1E-5"); empty for
// infinities and NaN.
std::string FormatGeneral(double x);

std::string LengthWord(int code, bool longWord);
std::string PressureWord(int code);
std::string FlowWord(int code);
std::string KWord(int code);
std::string FrictionWord(int code);

// Word to code; a word that matches nothing gives the given default.
int LengthCode(const std::string& word, int fallback);
int PressureCode(const std::string& word, int fallback);
int FlowCode(const std::string& word, int fallback);
int KCode(const std::string& word, int fallback);
int FrictionCode(const std::string& word, int fallback = 0);

// Word to code with the program default of the quantity (UnitDefaults()) as fallback.
// Head-area and density words read with LengthCode.
int LengthCode(const std::string& word);
int SizeCode(const std::string& word);
int ElevationCode(const std::string& word);
int PressureCode(const std::string& word);
int FlowCode(const std::string& word);
int KCode(const std::string& word);

}  // namespace pelmora
