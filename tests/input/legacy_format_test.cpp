// Older project files are read and upgraded: the two old tag formats, the binary format and
// headerless text of the old command language.
#include <gtest/gtest.h>

#include <array>
#include <ostream>

#include "input/legacy_format.h"
#include "zub_file_test_support.h"

namespace pelmora {
namespace {

const std::array<std::string, nsCount> kLegacySeeds = {"M1A", "M2A", "L1A", "L2A", "D1A", "R1A"};
const TUnitSet kOldUs{0, 2, 0, 0, 0, 0};
const TUnitSet kMetric{5, 3, 5, 1, 1, 1};

// Head area and density are not part of an upgrade.
void ExpectCommandUnits(const TUnitSet& actual, const TUnitSet& expected) {
  EXPECT_EQ(actual.Length, expected.Length);
  EXPECT_EQ(actual.Size, expected.Size);
  EXPECT_EQ(actual.Elevation, expected.Elevation);
  EXPECT_EQ(actual.Pressure, expected.Pressure);
  EXPECT_EQ(actual.Flow, expected.Flow);
  EXPECT_EQ(actual.KFactor, expected.KFactor);
}

TEST_F(ZubFileTest, Format2IsUpgraded) {
  FileDefaults().Units = kMetric;
  const TZubFile& project = Load(Fixture("format2.zub"));
  EXPECT_EQ(project.Body, (std::vector<std::string>{"// English", "// Vel", "// NoVel", "// ALL 5",
                                                    "Water W 0 60 500 50", "Pipe P1 W N1 100 4 E T",
                                                    "Head N1 10 25 5.6"}));
  EXPECT_FALSE(project.UseVelocity) << "NoVel comes after Vel";
  EXPECT_TRUE(project.SourceCalc);
  EXPECT_EQ(project.NameSeeds, kLegacySeeds);
  ExpectCommandUnits(project.Units, kOldUs);
  EXPECT_EQ(project.JobNo, "88-12");
  EXPECT_EQ(project.Contract, (std::vector<std::string>{"Acme Mechanical", "1 Main St"}));
  EXPECT_EQ(project.Project, std::vector<std::string>{"Warehouse B"});
  EXPECT_EQ(project.Head, (std::vector<std::string>{"Viking", "5.6"}));
  EXPECT_EQ(project.SystemInfo[siOccupancy], "Ordinary Hazard 2");
  EXPECT_EQ(project.Notes, (std::vector<std::string>{"Class IV stored 20 ft high with a roof height of 30 ft",
                                                     "Storage features: wood pallets, racks",
                                                     "Rack storage: double row, longitudinal flue space 6 in",
                                                     "Group A Plastic: cartoned"}));
}

TEST_F(ZubFileTest, Format4FollowsTheOldPressureCodeAndKeepsMetric) {
  const TZubFile& project = Load(Fixture("format4.zub"));
  ExpectCommandUnits(project.Units, kMetric);
  EXPECT_EQ(project.Body[0], "Metric");
  EXPECT_EQ(project.Body[1], "// Vel");
  EXPECT_TRUE(project.UseVelocity);
  EXPECT_EQ(project.NameSeeds, kLegacySeeds);
  EXPECT_EQ(project.Project, std::vector<std::string>{"Pump house"});
}

TEST_F(ZubFileTest, HeaderlessTextOfSixLinesIsConverted) {
  const TZubFile& project = Load(Fixture("plain_six_lines.txt"));
  EXPECT_EQ(project.Body, (std::vector<std::string>{"// JOB 1234 WAREHOUSE", "// ACME FIRE", "// DESIGN 0.20/1500",
                                                    "// REMOTE AREA 1", "// ORDINARY HAZARD 2",
                                                    "Head H1 10 15 5.6"}));
  EXPECT_EQ(project.NameSeeds, kLegacySeeds);
}

TEST_F(ZubFileTest, HeaderlessTextOfFiveLinesIsTakenUnchanged) {
  const TZubFile& project = Load(Fixture("plain_five_lines.txt"));
  EXPECT_EQ(project.Body, (std::vector<std::string>{"Water W 0 60 500 50", "Pipe P1 W N1 100 4 E T",
                                                    "Head N1 10 25 5.6", "// a comment", "Node N2 10"}));
}

// The binary format: a 16-byte header, a record of short strings and flag bytes, the commands.
class TBinaryProjectBuilder {
 public:
  TBinaryProjectBuilder() : FBytes(16 + 661, '\0') {
    const std::string header("\x34\x12\xCB\xED\x03QOR", 8);
    FBytes.replace(0, header.size(), header);
  }
  TBinaryProjectBuilder& Text(size_t offset, const std::string& text) {
    FBytes[16 + offset] = static_cast<char>(text.size());
    FBytes.replace(16 + offset + 1, text.size(), text);
    return *this;
  }
  TBinaryProjectBuilder& Flag(size_t offset) {
    FBytes[16 + offset] = 1;
    return *this;
  }
  std::string Bytes(const std::vector<std::string>& commands) const {
    std::string bytes = FBytes;
    for (const std::string& line : commands) bytes += line + "\r\n";
    return bytes;
  }

 private:
  std::string FBytes;
};

TEST_F(ZubFileTest, BinaryFormatIsReadAndUpgraded) {
  const std::string bytes = TBinaryProjectBuilder()
                                .Text(0, "Acme Mechanical")
                                .Text(164, "Warehouse B")
                                .Text(205, "Dock road")
                                .Text(328, "Ordinary Hazard 2")
                                .Text(410, "0.20/1500")
                                .Text(436, "130 sq ft")
                                .Text(488, "Viking")
                                .Text(501, "VK-100")
                                .Text(514, "1/2\"")
                                .Text(527, "5.6")
                                .Text(540, "155\xB0" "F")
                                .Text(553, "Class IV")
                                .Text(594, "20 ft")
                                .Flag(622)
                                .Flag(655)
                                .Text(636, "6 in")
                                .Flag(635)
                                .Bytes({"Water W 0 60 500 50", "Vel", "Head N1 10 25 5.6"});
  const TZubFile& project = Load(WriteBytes("old.qor", bytes));

  EXPECT_EQ(project.Contract, (std::vector<std::string>{"Acme Mechanical", "", "", ""}));
  EXPECT_EQ(project.Project, (std::vector<std::string>{"Warehouse B", "Dock road", "", ""}));
  EXPECT_EQ(project.SystemInfo[siOccupancy], "Ordinary Hazard 2");
  EXPECT_EQ(project.SystemInfo[siDensity], "0.20/1500");
  EXPECT_EQ(project.SystemInfo[siHeadArea], "130 sq ft");
  EXPECT_EQ(project.Head, std::vector<std::string>{"Viking VK-100 1/2\" 5.6 155°F"});
  EXPECT_EQ(project.Notes, (std::vector<std::string>{"Class IV stored 20 ft high", "Storage features: wood pallets",
                                                     "Rack storage: double row, longitudinal flue space 6 in",
                                                     "Group A Plastic: unstable pile"}));
  EXPECT_EQ(project.Body, (std::vector<std::string>{"Water W 0 60 500 50", "// Vel", "Head N1 10 25 5.6"}));
  EXPECT_TRUE(project.UseVelocity);
  EXPECT_EQ(project.NameSeeds, kLegacySeeds);
}

TEST_F(ZubFileTest, BinaryHeadLineFillsTheOldColumns) {
  const std::string twelve = "ABCDEFGHIJKL";
  const std::string bytes = TBinaryProjectBuilder()
                                .Text(488, twelve)
                                .Text(501, twelve)
                                .Text(514, twelve)
                                .Text(527, twelve)
                                .Text(540, twelve)
                                .Bytes({});
  const TZubFile& project = Load(WriteBytes("heads.qor", bytes));
  ASSERT_EQ(project.Head.size(), 1u);
  EXPECT_EQ(project.Head[0], twelve + " " + twelve + " " + twelve + " " + twelve + " " + twelve);
}

struct TConversionCase {
  const char* Old;
  std::vector<std::string> New;
};

void PrintTo(const TConversionCase& conversion, std::ostream* out) { *out << conversion.Old; }

class OldCommandConverterTest : public ::testing::TestWithParam<TConversionCase> {};

TEST_P(OldCommandConverterTest, RewritesTheLine) {
  std::vector<std::string> lines(5, "header");
  lines.push_back(GetParam().Old);
  const std::vector<std::string> converted = ConvertOldCommands(lines);
  EXPECT_EQ(std::vector<std::string>(converted.begin() + 5, converted.end()), GetParam().New);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, OldCommandConverterTest,
    ::testing::Values(TConversionCase{"PS P1 P2 N1 N2", {"PC P1 P2 N1 N2"}},
                      TConversionCase{"bkfp P1 500 10", {"Bfp P1 500 10"}},
                      TConversionCase{"I W 0 X 60 500 50", {"Water W 0 60 500 50"}},
                      TConversionCase{"B P1 X 100 500 90", {"Bp P1 100 500 90"}},
                      TConversionCase{"S\tH1 10 15 5.6", {"Head\tH1 10 15 5.6"}},
                      TConversionCase{"SS H1 H2 H3", {"HC H1 H2 H3"}},
                      TConversionCase{"R N1 10", {"Node N1 10"}},
                      TConversionCase{"RS N1 N2", {"NC N1 N2"}},
                      TConversionCase{"DESPT 5", {"ALL"}},
                      TConversionCase{"FDESPT", {""}},
                      TConversionCase{"TITLE Warehouse", {"// TITLE Warehouse"}},
                      TConversionCase{"P P1 W N1 100 4 CSAM120 2E TT GV SEDV",
                                      {"Use s40 120", "Pipe P1 W N1 100 4 2E t g ed"}},
                      TConversionCase{"P P1 W N1 100 4 XXXX120 E", {"Pipe P1 W N1 100 4 E"}},
                      TConversionCase{"P P1 W N1 100 4", {"// P P1 W N1 100 4"}},
                      TConversionCase{"I W", {"// I W"}}),
    [](const auto& info) { return "Line" + std::to_string(info.index); });

TEST(OldCommandConverter, WritesUseOnlyWhenMaterialOrCFactorChanges) {
  const std::vector<std::string> lines = {"1", "2", "3", "4", "5",
                                          "P P1 A B 10 2 CSAL120", "P P2 B C 10 2 csal120",
                                          "P P3 C D 10 2 CSAL100", "P P4 D E 10 2 CCUK150"};
  EXPECT_EQ(ConvertOldCommands(lines),
            (std::vector<std::string>{"// 1", "// 2", "// 3", "// 4", "// 5", "Use s10 120", "Pipe P1 A B 10 2",
                                      "Pipe P2 B C 10 2", "Use s10 100", "Pipe P3 C D 10 2", "Use CK 150",
                                      "Pipe P4 D E 10 2"}));
}

}  // namespace
}  // namespace pelmora
