#include <gtest/gtest.h>

#include "materials/materials.h"

namespace pelmora {
namespace {

TMaterialObject Material(const std::string& code, const std::string& description) {
  TMaterialObject material;
  material.Code = code;
  material.Description = description;
  material.CWet = 120;
  return material;
}

TEST(MaterialsStore, AddRefusesKnownAndUnusableCodes) {
  TMaterials db;
  EXPECT_EQ(db.AddMaterial(Material("S40", "Steel")), 0);
  EXPECT_EQ(db.AddMaterial(Material("s40", "Again")), 1);
  EXPECT_EQ(db.AddMaterial(Material("", "Nameless")), 2);
  EXPECT_EQ(db.AddMaterial(Material("TWO WORDS", "Would not read back")), 2);
  ASSERT_EQ(db.Materials.size(), 1u);
  EXPECT_EQ(db.Materials[0].Description, "Steel");
}

TEST(MaterialsStore, StoreReplacesInPlaceOrAppends) {
  TMaterials db;
  db.AddMaterial(Material("S40", "Steel"));
  db.AddMaterial(Material("CU", "Copper"));
  EXPECT_EQ(db.StoreMaterial(Material("s40", "Replaced")), 0);
  EXPECT_EQ(db.StoreMaterial(Material("PVC", "Plastic")), 0);
  EXPECT_EQ(db.StoreMaterial(Material(" ", "Blank")), 2);
  EXPECT_EQ(db.MaterialList(),
            (std::vector<std::string>{"s40 - Replaced", "CU - Copper", "PVC - Plastic"}));
}

TEST(MaterialsStore, StoreFittingReplacesByCode) {
  TMaterials db;
  db.AddMaterial(Material("S40", "Steel"));
  TFitting elbow{"E", "Elbow", {}, {}, {}};
  EXPECT_EQ(db.StoreFitting(0, elbow), 0);
  elbow.Description = "Standard elbow";
  EXPECT_EQ(db.StoreFitting(0, elbow), 0);
  EXPECT_EQ(db.StoreFitting(1, elbow), 1);
  EXPECT_EQ(db.StoreFitting(0, TFitting{"", "", {}, {}, {}}), 2);
  ASSERT_EQ(db.Materials[0].Fittings.size(), 1u);
  EXPECT_EQ(db.Materials[0].Fittings[0].Description, "Standard elbow");
}

TEST(MaterialsStore, LiquidsAreAddedOrReplacedByName) {
  TMaterials db;
  db.AddLiquid(TLiquid{62.34, 998.8, 1.1, 1, "Water"});
  db.AddLiquid(TLiquid{62.34, 998.8, 1.1, 1, "Water"});
  db.StoreLiquid(TLiquid{70, 1100, 2, 0.9, "water"});
  db.StoreLiquid(TLiquid{112.47, 1801.6, 10, 0, "Acid"});
  ASSERT_EQ(db.Liquids.size(), 3u);
  EXPECT_DOUBLE_EQ(db.Liquids[0].DensityUS, 70);
  EXPECT_EQ(db.FindLiquid("ACID"), 2);
  EXPECT_EQ(db.FindLiquid("Oil"), -1);
}

}  // namespace
}  // namespace pelmora
