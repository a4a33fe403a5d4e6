// Unit codes, conversion factors, the nominal size table, value readers and writers.
#pragma once

#include <array>
#include <cstdint>
#include <string>

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

TUnitSet EnglishUnits();  // the set named by the ENGLISH command
TUnitSet MetricUnits();   // the set named by the METRIC command
TUnitSet DefaultUnits();  // program defaults (overridden by the options file)

// Nominal size table row: inch value and label, millimetre value and label.
struct TNominalSize {
  double Inch;
  const char* InchLabel;
  double Mm;
  const char* MmLabel;
};
const std::array<TNominalSize, kNominalSizeCount>& NominalSizes();

double ConvertLength(double value, int from, int to);
double ConvertPressure(double value, int from, int to);
double ConvertFlow(double value, int from, int to);
double ConvertK(double value, int from, int to);
double ConvertSize(double value, int from, int to);
int SizeIndex(int lengthCode, double value);

// Readers: true and the value in the target unit, or false and 0. They never throw.
bool ParseLength(const std::string& text, int target, double& value);
bool ParseElevation(const std::string& text, int target, double& value);
bool ParseSize(const std::string& text, int target, double& value);
bool ParsePressure(const std::string& text, int target, double& value);
bool ParseK(const std::string& text, int target, double& value);
bool ParseFlow(const std::string& text, int target, double& value);
double SizeValue(const std::string& text, int sizeCode);

// Writers: empty text on failure.
std::string FormatLength(int code, double x);
std::string FormatPressure(int code, double x);
std::string FormatFlow(double x);
std::string FormatK(double x);

// Picture formatting ("0.0#", "0.##", "0.00#"...) with the full stop as decimal separator.
std::string FormatFloat(const std::string& pattern, double x);

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

}  // namespace pelmora
