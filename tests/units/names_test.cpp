#include "input/units/names.h"

#include <gtest/gtest.h>

namespace pelmora {
namespace {

TEST(NextName, CountsTheTrailingRun) {
  const struct {
    const char* Name;
    const char* Expected;
  } cases[] = {
      {"", "1"},
      {"M09", "M10"},
      {"099", "100"},
      {"9", "10"},
      {"b7", "B8"},
      {"M1-9", "M1-10"},
      {"B", "C"},
      {"AZ", "BA"},
      {"ZZ", "AAA"},
      {"ab", "ac"},
      {"m1a", "m1b"},
      {"X-", "X-1"},
      {"ABCDEFG9", "BCDEFG10"},  // cut to eight characters from the front
      {"ZZZZZZZZ", "AAAAAAAA"},
      {"12345678901234567890123", "67890124"},  // longer than any number type
  };
  for (const auto& t : cases) EXPECT_EQ(NextName(t.Name), t.Expected) << t.Name;
}

TEST(ProgressName, CarriesTheStepItemByItem) {
  const struct {
    const char* A;
    const char* B;
    const char* C;
    const char* Expected;
  } cases[] = {
      {"L1-7", "L2-1", "L1-1", "L2-7"},
      {"5", "5", "4", "6"},
      {"M1", "M2", "M1-1", "M1"},  // different item counts: A unchanged
      {"M1", "2M", "1M", "M1"},    // items of different kinds
      {"3", "1", "5", "0"},        // negative sums stop at 0
      {"R1-1", "M2-3", "M1-1", "R2-3"},
      {"D1-1", "L3-4", "L1-1", "D3-4"},
      {"M2-1", "M1-1", "M1-1", "M2-1"},
      {"M2-1", "M2-1", "M1-1", "M3-1"},
      {"H09", "H02", "H01", "H10"},
      {"A", "C", "A", "C"},
      {"Z", "B", "A", "BA"},             // letters count in base 26 from A = 0
      {"AB", "A", "B", "AA"},            // padded with A to the width of A's item
      {"m1_1", "M2_1", "M1_1", "M2_1"},  // other characters copied from A
  };
  for (const auto& t : cases) EXPECT_EQ(ProgressName(t.A, t.B, t.C), t.Expected) << t.A << " " << t.B << " " << t.C;
}

}  // namespace
}  // namespace pelmora
