#include "input/units/units.h"

namespace pelmora {

namespace {

constexpr int kInch = 2;
constexpr int kMillimetre = 3;

constexpr std::array<TNominalSize, kNominalSizeCount> kNominalSizes{{
    {0.5, "1/2\"", 15, "15mm"},    {0.75, "3/4\"", 20, "20mm"},  {1, "1\"", 25, "25mm"},
    {1.25, "1 1/4\"", 32, "32mm"}, {1.5, "1 1/2\"", 40, "40mm"}, {2, "2\"", 50, "50mm"},
    {2.5, "2 1/2\"", 65, "65mm"},  {3, "3\"", 80, "80mm"},       {3.5, "3 1/2\"", 90, "90mm"},
    {4, "4\"", 100, "100mm"},      {5, "5\"", 125, "125mm"},     {6, "6\"", 150, "150mm"},
    {8, "8\"", 200, "200mm"},      {10, "10\"", 250, "250mm"},   {12, "12\"", 300, "300mm"},
    {14, "14\"", 350, "350mm"},    {16, "16\"", 400, "400mm"},   {18, "18\"", 450, "450mm"},
    {20, "20\"", 500, "500mm"},    {24, "24\"", 600, "600mm"},   {26, "26\"", 650, "650mm"},
    {27, "27\"", 675, "675mm"},    {28, "28\"", 700, "700mm"},   {30, "30\"", 750, "750mm"},
    {32, "32\"", 800, "800mm"},    {34, "34\"", 850, "850mm"},   {36, "36\"", 900, "900mm"},
    {40, "40\"", 1000, "1000mm"},  {48, "48\"", 1200, "1200mm"}, {54, "54\"", 1350, "1350mm"},
}};

bool IsUSLengthCode(int code) { return code >= 0 && code <= kInch; }
bool IsMetricLengthCode(int code) { return code >= kMillimetre && code <= 5; }

// A row's nominal size expressed in the given length unit: U.S. codes from the inch column,
// every other code from the millimetre column.
double RowSizeIn(const TNominalSize& row, int code) {
  return IsUSLengthCode(code) ? ConvertLength(row.Inch, kInch, code) : ConvertLength(row.Mm, kMillimetre, code);
}

}  // namespace

const std::array<TNominalSize, kNominalSizeCount>& NominalSizes() { return kNominalSizes; }

int SizeIndex(int lengthCode, double value) {
  for (int i = 0; i < kNominalSizeCount; ++i)
    if (RowSizeIn(kNominalSizes[i], lengthCode) == value) return i;
  return -1;
}

double ConvertSize(double value, int from, int to) {
  const int row = SizeIndex(from, value);
  if (row < 0 || !(IsUSLengthCode(to) || IsMetricLengthCode(to))) return -1;
  return RowSizeIn(kNominalSizes[row], to);
}

}  // namespace pelmora
