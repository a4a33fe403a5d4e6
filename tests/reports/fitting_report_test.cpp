// The fitting-loss comparison report on a small material: which rows, their columns and values.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <sstream>

#include "input/units/units.h"
#include "input/zub_file.h"
#include "reports/fitting_report.h"

namespace pelmora {
namespace {

// E has a length and a K at 1 and 2 in but only a length at 1 1/4 in; T has no K, TN no length.
const std::vector<std::string> kSmallDatabase{
    "2 0",
    "LIQUID 62.34 998.8 1.1 1 Water 60F (15.6C)",
    "LIQUID 62.27 998 0.95 1 Water 70F (21.1C)",
    "MATERIAL S40 120 100 0.0018 0.045 Schedule 40 Steel",
    "ID US 1 1.049 1.25 1.38 2 2.067",
    "FIT E Standard 90 degree elbow",
    "LENGTH US 1 2 1.25 3 2 5",
    "K 1 0.69 2 0.57",
    "FIT T Tee",
    "LENGTH US 1 5 2 10",
    "FIT TN Tee run",
    "K 1 0.9 2 0.9",
};

constexpr size_t kHeadLines = 20;
constexpr size_t kFrictionTableLines = 2 + 3 + 2;
constexpr size_t kBlockLines = 4 + 11;

class FittingReportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Database.LoadFromLines(kSmallDatabase, false);
    Project.FMaterials = &Database;
  }

  // The 8-character cell i of a row, trimmed ("Re" and "f" follow a blank each).
  static std::string Trimmed(std::string text) {
    text.erase(0, text.find_first_not_of(' '));
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
  }
  static std::string CellText(const std::string& row, size_t i) {
    return Trimmed(row.substr(i < 13 ? i * 8 : 13 * 8 + (i - 13) * 9 + 1, 8));
  }
  static double CellValue(const std::string& row, size_t i) { return std::stod(CellText(row, i)); }

  TMaterials Database;
  TZubFile Project;
};

TEST_F(FittingReportTest, OnlySizesWithLengthAndKGiveRowsEachUnderItsHeading) {
  const std::vector<std::string> report = BuildFittingReport(Project, Database, {kHazenWilliamsLiquid, 1});
  ASSERT_EQ(report.size(), kHeadLines + kFrictionTableLines + 2 * kBlockLines);
  EXPECT_EQ(report[0], "Equivalent length pressure loss calculated with Darcy-Weisbach equation.");
  EXPECT_EQ(report[1], "Darcy-Weisbach liquid is Water 70F (21.1C)");
  EXPECT_EQ(report[6], "       V: water velocity (ft/s)");
  EXPECT_EQ(report[11], "    K-Pf: pressure loss for fitting loss coefficient (psi)");
  EXPECT_EQ(report[17], std::string(72, '='));
  EXPECT_EQ(report[20], "Friction factor at point of complete turbulence (sch 40 steel e=0.004\"");
  EXPECT_TRUE(report[22].starts_with("1\"      0.028")) << report[22];  // 0.004 in on 1.049 in

  const size_t first = kHeadLines + kFrictionTableLines;
  const std::string& heading1 = report[first + 1];
  const std::string& heading2 = report[first + 2];
  ASSERT_EQ(heading1.size(), 48u + 24u + 32u);
  EXPECT_EQ(heading1.substr(0, 48), std::string(48, ' '));
  EXPECT_EQ(Trimmed(heading1.substr(48, 24)), "Hazen-Williams");
  EXPECT_EQ(Trimmed(heading1.substr(72)), "Water 70F (21.1C)");
  const std::vector<std::string> titles{"Size", "Code", "V",    "Q",    "Eqv L",    "K",     "L-Pf", "K-Pf",
                                        "Error", "L-Pf", "K-Pf", "Actual-L", "Error", "Re", "f"};
  ASSERT_EQ(heading2.size(), 13u * 8u + 2u * 9u);
  for (size_t i = 0; i < titles.size(); ++i) EXPECT_EQ(CellText(heading2, i), titles[i]) << i;
  EXPECT_EQ(report[first + 3], std::string(heading2.size(), '-'));
  for (size_t block = 0; block < 2; ++block) {
    const size_t top = first + block * kBlockLines;
    EXPECT_EQ(report[top], "");
    EXPECT_EQ(report[top + 2], heading2);
    for (size_t v = 0; v < 11; ++v) {
      const std::string& row = report[top + 4 + v];
      EXPECT_EQ(CellText(row, 0), block == 0 ? "1\"" : "2\"");
      EXPECT_EQ(CellText(row, 1), "E");
    }
  }
}

// 1 in at 10 ft/s: Q from the pipe area, Hazen-Williams for the length, K times the velocity
// pressure for the coefficient, and the Darcy columns consistent with each other.
TEST_F(FittingReportTest, ColumnsOfOneRow) {
  const std::vector<std::string> report = BuildFittingReport(Project, Database, {kHazenWilliamsLiquid, 1});
  const std::string& row = report[kHeadLines + kFrictionTableLines + 4 + 2];
  const double d = 1.049, q = d * d * 10 * 180 * std::numbers::pi / 231;
  EXPECT_EQ(CellText(row, 2), "10");
  EXPECT_EQ(CellText(row, 3), "26.94");
  EXPECT_NEAR(CellValue(row, 3), q, 0.005);
  EXPECT_EQ(CellText(row, 4), "2");
  EXPECT_EQ(CellText(row, 5), "0.69");
  const double lengthLoss = 4.52 * std::pow(q, 1.85) / (std::pow(120, 1.85) * std::pow(d, 4.87)) * 2;
  const double kLoss = 0.69 * 0.001123 * q * q / std::pow(d, 4);
  EXPECT_NEAR(CellValue(row, 6), lengthLoss, 0.0015);
  EXPECT_NEAR(CellValue(row, 7), kLoss, 0.0015);
  EXPECT_NEAR(std::stod(CellText(row, 8)), (lengthLoss / kLoss - 1) * 100, 0.2);
  EXPECT_TRUE(CellText(row, 8).ends_with("%"));
  const double f = CellValue(row, 14), actualLength = 0.69 * d / (f * 12);
  EXPECT_NEAR(CellValue(row, 11), actualLength, 0.002);
  EXPECT_NEAR(std::stod(CellText(row, 12)), (2 / actualLength - 1) * 100, 0.2);
  EXPECT_GT(CellValue(row, 13), 1e4);  // turbulent
  EXPECT_GT(f, 0.01);
  EXPECT_LT(f, 0.05);
}

TEST_F(FittingReportTest, ADatabaseWithoutComparableFittingsEndsAfterTheFrictionTable) {
  Database.Materials.front().Fittings.erase(Database.Materials.front().Fittings.begin());
  const std::vector<std::string> report = BuildFittingReport(Project, Database, {0, 1});
  EXPECT_EQ(report.size(), kHeadLines + kFrictionTableLines);
}

TEST_F(FittingReportTest, ALiquidNotInTheDatabaseWritesNoReport) {
  const std::string file = (std::filesystem::temp_directory_path() / "pelmora_fitting_report_test.txt").string();
  std::filesystem::remove(file);
  std::string message;
  EXPECT_FALSE(WriteFittingReport(Project, Database, {0, 2}, file, &message));
  EXPECT_EQ(message, "Liquid #2 is not in the materials database.");
  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_EQ(DefaultFittingReportChoice(Database).Liquid1, 1);
  EXPECT_EQ(DefaultFittingReportChoice(Database).Liquid2, 1);
}

TEST_F(FittingReportTest, TheFileHasCrLfLinesAndTheProjectAndSwitchesStayAsTheyWere) {
  Database.UseFittingK = true;
  const std::string file = (std::filesystem::temp_directory_path() / "pelmora_fitting_report_test.txt").string();
  ASSERT_TRUE(WriteFittingReport(Project, Database, {0, 1}, file));
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_TRUE(text.str().starts_with("Equivalent length pressure loss calculated with Darcy-Weisbach equation.\r\n"));
  EXPECT_EQ(Project.FrictionFormula, 0);
  EXPECT_TRUE(Project.Body.empty());
  EXPECT_TRUE(Database.UseFittingK);
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace pelmora
