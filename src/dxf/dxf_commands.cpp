#include "dxf/dxf_commands.h"

#include <cmath>

namespace pelmora {

namespace {

constexpr size_t kLengthWidth = 9;
constexpr size_t kSizeWidth = 6;
constexpr size_t kElevationWidth = 8;
constexpr size_t kDischargeWidth = 6;

std::string TrimRight(std::string text) {
  size_t end = text.find_last_not_of(' ');
  text.erase(end == std::string::npos ? 0 : end + 1);
  return text;
}

std::string Spaces(int count) { return std::string(count > 0 ? count : 0, ' '); }

}  // namespace

int IntegerDigits(double value) {
  double whole = std::trunc(std::fabs(value));
  int digits = 1;
  while (whole >= 10) {
    whole /= 10;
    ++digits;
  }
  return digits;
}

std::string PadRight(const std::string& text, size_t width) {
  return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

std::string LengthField(const std::string& lengthText, double length, int digitWidth) {
  return Spaces(1 + digitWidth - IntegerDigits(length)) + lengthText;
}

std::string ElevationField(const std::string& elevationText, double elevation, int digitWidth) {
  return Spaces(digitWidth - IntegerDigits(elevation) - (elevation < 0 ? 1 : 0)) + elevationText;
}

std::string PipeCommand(const std::string& name, const std::string& node1, const std::string& node2,
                        const std::string& lengthField, const std::string& sizeText, const std::string& fittings,
                        size_t nameWidth) {
  return TrimRight("Pipe " + PadRight(name, nameWidth) + " " + PadRight(node1, nameWidth) + " " +
                   PadRight(node2, nameWidth) + " " + PadRight(lengthField, kLengthWidth) + " " +
                   PadRight(sizeText, kSizeWidth) + " " + fittings);
}

std::string NodeCommand(const std::string& name, const std::string& elevation, size_t nameWidth) {
  return TrimRight("Node " + PadRight(name, nameWidth) + " " + elevation);
}

std::string HeadCommand(const std::string& name, const std::string& elevation, const std::string& discharge,
                        const std::string& kFactor, size_t nameWidth) {
  return TrimRight("Head " + PadRight(name, nameWidth) + " " + PadRight(elevation, kElevationWidth) + " " +
                   PadRight(discharge, kDischargeWidth) + " " + kFactor);
}

}  // namespace pelmora
