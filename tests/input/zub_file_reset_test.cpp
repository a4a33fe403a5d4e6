// A new project takes the file defaults of the options; the K-factor multiplier stays.
#include <gtest/gtest.h>

#include "input/zub_file_io.h"
#include "zub_file_test_support.h"

namespace pelmora {
namespace {

TEST_F(ZubFileTest, ResetTakesTheFileDefaultsAndKeepsTheMultiplier) {
  TZubFileDefaults& defaults = FileDefaults();
  defaults.UseVelocity = defaults.Gravity13D = defaults.FMFittings = defaults.HeadArea = true;
  defaults.SourceCalc = defaults.UseFittingK = true;
  defaults.MaterialFittings = false;
  defaults.FrictionFormula = 3;
  defaults.BaseOfRiser = "BR";
  defaults.NameSeeds = {"A", "B", "C", "D", "E", "F"};
  defaults.Units = {5, 3, 5, 1, 3, 3, 5, 3};
  defaults.Liquid = {66.5, 1065.2, 4.25, 1.0, "Glycol"};

  FProject.JobNo = "1";
  FProject.Contract = FProject.Project = FProject.AHJ = FProject.Notes = FProject.Head = {"x"};
  FProject.RepHeader = "header";
  FProject.DesignerOR = FProject.CompanyOR = {"y"};
  FProject.EquivK.resize(2);
  FProject.SystemInfo[siVolume] = "300 gal";
  FProject.RADescription = "north";
  FProject.DxfFileName = "a.dxf";
  FProject.DxfPipes.resize(1);
  FProject.DxfNodes.resize(1);
  FProject.Body = {"Head H1 10 15 5.6"};
  FProject.FFourHeads = {"H1"};
  FProject.KFactorMultiplier = 1.4;
  FProject.AdjustKForLiquid = true;

  FProject.ResetProject();

  EXPECT_TRUE(FProject.JobNo.empty() && FProject.RepHeader.empty() && FProject.DxfFileName.empty());
  EXPECT_TRUE(FProject.Contract.empty() && FProject.Project.empty() && FProject.AHJ.empty());
  EXPECT_TRUE(FProject.Notes.empty() && FProject.Head.empty());
  EXPECT_TRUE(FProject.DesignerOR.empty() && FProject.CompanyOR.empty());
  EXPECT_TRUE(FProject.EquivK.empty() && FProject.Body.empty() && FProject.FFourHeads.empty());
  EXPECT_TRUE(FProject.DxfPipes.empty() && FProject.DxfNodes.empty());
  EXPECT_EQ(FProject.SystemInfo, TZubSystemInformation{});
  EXPECT_TRUE(FProject.RADescription.empty());
  EXPECT_TRUE(FProject.UseVelocity && FProject.Gravity13D && FProject.FMFittings && FProject.HeadArea);
  EXPECT_TRUE(FProject.SourceCalc && FProject.UseFittingK);
  EXPECT_FALSE(FProject.MaterialFittings);
  EXPECT_EQ(FProject.FrictionFormula, 3);
  EXPECT_EQ(FProject.BaseOfRiser, "BR");
  EXPECT_EQ(FProject.NameSeeds, defaults.NameSeeds);
  EXPECT_EQ(FProject.Units, defaults.Units);
  EXPECT_EQ(FProject.Liquid.Name, "Glycol");
  EXPECT_EQ(FProject.Liquid.Viscosity, 4.25);
  EXPECT_EQ(FProject.KFactorMultiplier, 1.4);
  EXPECT_TRUE(FProject.AdjustKForLiquid);
}

TEST(DefaultLiquid, IsTheThirdOfTheDatabaseOrItsFirst) {
  TMaterials database;
  EXPECT_EQ(DefaultLiquid(database).Name, TLiquid{}.Name);
  database.Liquids = {TLiquid{0, 0, 0, 1, "first"}, TLiquid{0, 0, 0, 1, "second"}};
  EXPECT_EQ(DefaultLiquid(database).Name, "first");
  database.Liquids.push_back(TLiquid{0, 0, 0, 1, "third"});
  EXPECT_EQ(DefaultLiquid(database).Name, "third");
}

}  // namespace
}  // namespace pelmora
