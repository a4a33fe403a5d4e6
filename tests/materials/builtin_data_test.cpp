#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <set>

#include "input/units/text.h"
#include "materials/materials.h"

namespace pelmora {
namespace {

// Outside diameters of iron-pipe-size steel pipe (ASME B36.10M) per size index, in and mm: no
// inside diameter of any material in the database can reach them.
constexpr double kIpsOutsideIn[] = {0.840, 1.050, 1.315, 1.660, 1.900, 2.375, 2.875, 3.500, 4.000, 4.500,
                                    5.563, 6.625, 8.625, 10.750, 12.750, 14, 16, 18, 20, 24};
constexpr double kIpsOutsideMm[] = {21.3, 26.7, 33.4, 42.2, 48.3,  60.3,  73.0,  88.9,  101.6, 114.3,
                                    141.3, 168.3, 219.1, 273.0, 323.8, 355.6, 406.4, 457, 508, 610};
constexpr size_t kTabulatedSizes = std::size(kIpsOutsideIn);

const TMaterials& BuiltIn() { return Materials(); }

TEST(BuiltInData, StartsWithSchedule40SteelAndTheListedLiquids) {
  ASSERT_FALSE(BuiltIn().Materials.empty());
  const TMaterialObject& steel = BuiltIn().Materials[0];
  EXPECT_EQ(steel.Code, "S40");
  EXPECT_EQ(steel.CWet, 120);
  EXPECT_EQ(steel.CDry, 100);
  EXPECT_DOUBLE_EQ(steel.IdUS[2], 1.049);
  ASSERT_EQ(BuiltIn().Liquids.size(), 8u);
  EXPECT_EQ(BuiltIn().Liquids[2].Name, "Water 60F (15.6C)");
  EXPECT_EQ(BuiltIn().Liquids[7].Name, "Sulfuric Acid 94%");
  EXPECT_DOUBLE_EQ(BuiltIn().Liquids[7].DensitySI, 1801.5965756693);
}

TEST(BuiltInData, MaterialCodesAreUniqueAndCFactorsPlausible) {
  std::set<std::string> codes;
  for (const TMaterialObject& material : BuiltIn().Materials) {
    EXPECT_TRUE(codes.insert(UpperCase(material.Code)).second) << material.Code;
    EXPECT_GE(material.CWet, 100) << material.Code;
    EXPECT_LE(material.CWet, 150) << material.Code;
    EXPECT_LE(material.CDry, material.CWet) << material.Code;
    EXPECT_GT(material.RoughnessIn, 0) << material.Code;
    EXPECT_NEAR(material.RoughnessMm, material.RoughnessIn * 25.4, 0.002) << material.Code;
  }
}

TEST(BuiltInData, InsideDiametersGrowWithSizeAndStayInsideThePipe) {
  for (const TMaterialObject& material : BuiltIn().Materials) {
    double previous = 0;
    size_t sizes = 0;
    for (size_t i = 0; i < material.IdUS.size(); ++i) {
      const double inch = material.IdUS[i];
      const double mm = material.IdSI[i];
      ASSERT_EQ(inch > 0, mm > 0) << material.Code << " size index " << i;
      if (inch == 0) continue;
      ++sizes;
      ASSERT_LT(i, kTabulatedSizes) << material.Code;
      EXPECT_GT(inch, previous) << material.Code << " size index " << i;
      EXPECT_LT(inch, kIpsOutsideIn[i]) << material.Code << " size index " << i;
      EXPECT_LT(mm, kIpsOutsideMm[i]) << material.Code << " size index " << i;
      EXPECT_NEAR(mm, inch * 25.4, 0.01 * mm) << material.Code << " size index " << i;
      previous = inch;
    }
    EXPECT_GE(sizes, 2u) << material.Code;
  }
}

TEST(BuiltInData, GeneralFittingLengthsArePositiveAndGrowWithSize) {
  const TMaterialObject& steel = BuiltIn().Materials[0];
  ASSERT_GE(steel.Fittings.size(), 8u);
  for (const TFitting& fitting : steel.Fittings) {
    double previousUS = 0;
    double previousSI = 0;
    for (size_t i = 0; i < fitting.LengthUS.size(); ++i) {
      const double feet = fitting.LengthUS[i];
      const double metres = fitting.LengthSI[i];
      ASSERT_EQ(feet > 0, metres > 0) << fitting.Code << " size index " << i;
      EXPECT_GE(feet, 0) << fitting.Code;
      EXPECT_GE(fitting.K[i], 0) << fitting.Code;
      if (feet == 0) continue;
      EXPECT_GT(steel.IdUS[i], 0) << fitting.Code << " size index " << i;
      // The chart rounds its metric column to 0.1 m, and 65 ft to 20 m.
      EXPECT_NEAR(metres, feet * 0.3048, std::max(0.051, 0.011 * metres)) << fitting.Code << " size index " << i;
      // The published butterfly valve row dips at 5 in; every other row never shrinks.
      if (fitting.Code != "B") {
        EXPECT_GE(feet, previousUS) << fitting.Code << " size index " << i;
        EXPECT_GE(metres, previousSI) << fitting.Code << " size index " << i;
      }
      previousUS = feet;
      previousSI = metres;
    }
  }
}

TEST(BuiltInData, ElbowOnSchedule40AtC120IsTheChartValue) {
  TMaterials db = Materials();
  db.MaterialFittings = true;
  db.UseFittingK = false;
  EXPECT_DOUBLE_EQ(db.FittingLoss("E", "S40", 0, 2, 120, 4), 10);
  EXPECT_DOUBLE_EQ(db.FittingLoss("2T", "S40", 5, 3, 120, 100), 12.2);
  EXPECT_DOUBLE_EQ(db.FittingLoss("TN", "S40", 0, 2, 120, 4), 0);
  db.UseFittingK = true;
  EXPECT_DOUBLE_EQ(db.FittingLoss("TN", "S40", 0, 2, 120, 4), -0.9);
}

TEST(BuiltInData, SavesAndReadsBackUnchanged) {
  const std::vector<std::string> saved = BuiltIn().SaveToLines();
  TMaterials again;
  again.LoadFromLines(saved, false);
  EXPECT_EQ(again.SaveToLines(), saved);
  EXPECT_EQ(again.MaterialList(), BuiltIn().MaterialList());
}

}  // namespace
}  // namespace pelmora
