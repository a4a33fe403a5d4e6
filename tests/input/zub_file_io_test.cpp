// Today's project file: every tag written and read back, its exact layout, and tolerant reading.
#include <gtest/gtest.h>

#include <ostream>

#include "zub_file_test_support.h"

namespace pelmora {
namespace {

const TLiquid kGlycol{66.5, 1065.2, 4.25, 1.0, "Propylene glycol 40%"};

void FillEveryProperty(TZubFile& project) {
  project.JobNo = "12-345";
  project.Contract = {"Acme Mechanical", "1 Main St"};
  project.Project = {"Warehouse B", "Dock road"};
  project.AHJ = {"City Fire Marshal", "555-0100"};
  project.Notes = {"Storage: Class IV", "Racks 20 ft"};
  project.Head = {"Viking VK-100 K5.6 155F"};
  project.RepHeader = "Warehouse B - remote area 1";
  project.DesignerOR = {"J. Doe"};
  project.CompanyOR = {"Acme Fire Protection", "Suite 4"};
  project.Units = {5, 3, 4, 2, 3, 4, 2, 3};
  project.FrictionFormula = 2;
  TEquivKFile equivK;
  equivK.Code = "EK1";
  equivK.Description = "Two heads on an armover";
  equivK.Lines = {"Head A 0 15 5.6", "Pipe P1 A B 2 1"};
  project.EquivK = {equivK, equivK};
  project.EquivK[1].Code = "EK2";
  project.SourceCalc = project.UseVelocity = project.Gravity13D = project.FMFittings = true;
  project.AdjustKForLiquid = project.HeadArea = project.MaterialFittings = project.UseFittingK = true;
  project.KFactorMultiplier = 1.25;
  project.Liquid = kGlycol;
  project.BaseOfRiser = "BOR";
  project.NameSeeds = {"MA1", "MB1", "LA1", "LB1", "DA", "RA"};
  for (int field = 0; field < siCount; ++field) project.SystemInfo[field] = "info " + std::to_string(field);
  project.DxfFileName = "C:\\drawings\\warehouse.dxf";
  project.DxfPipes = {{"P1", "1A2", "1A3"}, {"P2", "1B0", ""}};
  project.DxfNodes = {{"N1", 10.5, -3.25, 0}, {"N2", 1e-5, 123456.789012345, 7}};
  project.Body = {"Water W 0 60 500 50", "", "Pipe P1 W N1 100 4 E T", "// Düse mit 5,6 €", "Head N1 10 25 5.6"};
}

void ExpectSameProject(const TZubFile& a, const TZubFile& b) {
  EXPECT_EQ(a.JobNo, b.JobNo);
  EXPECT_EQ(a.Contract, b.Contract);
  EXPECT_EQ(a.Project, b.Project);
  EXPECT_EQ(a.AHJ, b.AHJ);
  EXPECT_EQ(a.Notes, b.Notes);
  EXPECT_EQ(a.Head, b.Head);
  EXPECT_EQ(a.RepHeader, b.RepHeader);
  EXPECT_EQ(a.DesignerOR, b.DesignerOR);
  EXPECT_EQ(a.CompanyOR, b.CompanyOR);
  EXPECT_EQ(a.Units, b.Units);
  EXPECT_EQ(a.FrictionFormula, b.FrictionFormula);
  ASSERT_EQ(a.EquivK.size(), b.EquivK.size());
  for (size_t i = 0; i < a.EquivK.size(); ++i) {
    EXPECT_EQ(a.EquivK[i].Code, b.EquivK[i].Code);
    EXPECT_EQ(a.EquivK[i].Description, b.EquivK[i].Description);
    EXPECT_EQ(a.EquivK[i].Lines, b.EquivK[i].Lines);
  }
  EXPECT_EQ(a.SourceCalc, b.SourceCalc);
  EXPECT_EQ(a.UseVelocity, b.UseVelocity);
  EXPECT_EQ(a.Gravity13D, b.Gravity13D);
  EXPECT_EQ(a.FMFittings, b.FMFittings);
  EXPECT_EQ(a.AdjustKForLiquid, b.AdjustKForLiquid);
  EXPECT_EQ(a.HeadArea, b.HeadArea);
  EXPECT_EQ(a.MaterialFittings, b.MaterialFittings);
  EXPECT_EQ(a.UseFittingK, b.UseFittingK);
  EXPECT_EQ(a.KFactorMultiplier, b.KFactorMultiplier);
  EXPECT_EQ(a.Liquid.Name, b.Liquid.Name);
  EXPECT_EQ(a.Liquid.DensityUS, b.Liquid.DensityUS);
  EXPECT_EQ(a.Liquid.DensitySI, b.Liquid.DensitySI);
  EXPECT_EQ(a.Liquid.Viscosity, b.Liquid.Viscosity);
  EXPECT_EQ(a.BaseOfRiser, b.BaseOfRiser);
  EXPECT_EQ(a.NameSeeds, b.NameSeeds);
  EXPECT_EQ(a.SystemInfo, b.SystemInfo);
  EXPECT_EQ(a.DxfFileName, b.DxfFileName);
  ASSERT_EQ(a.DxfPipes.size(), b.DxfPipes.size());
  for (size_t i = 0; i < a.DxfPipes.size(); ++i) {
    EXPECT_EQ(a.DxfPipes[i].Name, b.DxfPipes[i].Name);
    EXPECT_EQ(a.DxfPipes[i].LineHandle, b.DxfPipes[i].LineHandle);
    EXPECT_EQ(a.DxfPipes[i].SizeTextHandle, b.DxfPipes[i].SizeTextHandle);
  }
  ASSERT_EQ(a.DxfNodes.size(), b.DxfNodes.size());
  for (size_t i = 0; i < a.DxfNodes.size(); ++i) {
    EXPECT_EQ(a.DxfNodes[i].Name, b.DxfNodes[i].Name);
    EXPECT_EQ(a.DxfNodes[i].X, b.DxfNodes[i].X);
    EXPECT_EQ(a.DxfNodes[i].Y, b.DxfNodes[i].Y);
    EXPECT_EQ(a.DxfNodes[i].Z, b.DxfNodes[i].Z);
  }
  EXPECT_EQ(a.Body, b.Body);
}

TEST_F(ZubFileTest, SaveAndLoadGiveBackEveryProperty) {
  FDatabase.Liquids = {TLiquid{}, kGlycol};
  TZubFile saved;
  FillEveryProperty(saved);
  saved.SaveToFile(PathOf("job.zub"));
  ExpectSameProject(saved, Load(PathOf("job.zub")));
}

// A file stores only the flags that are on: they must come back off even where new projects
// default to on, or a project saved without head-area mode would read its discharges as areas.
TEST_F(ZubFileTest, FlagsSavedOffComeBackOffWhateverTheDefaults) {
  FileDefaults().HeadArea = FileDefaults().MaterialFittings = FileDefaults().UseVelocity = true;
  FileDefaults().SourceCalc = FileDefaults().UseFittingK = true;
  TZubFile saved;
  saved.HeadArea = saved.MaterialFittings = saved.UseVelocity = saved.SourceCalc = saved.UseFittingK = false;
  saved.SaveToFile(PathOf("flags.zub"));
  const TZubFile& loaded = Load(PathOf("flags.zub"));
  EXPECT_FALSE(loaded.HeadArea);
  EXPECT_FALSE(loaded.MaterialFittings);
  EXPECT_FALSE(loaded.UseVelocity);
  EXPECT_FALSE(loaded.SourceCalc);
  EXPECT_FALSE(loaded.UseFittingK);
}

TEST_F(ZubFileTest, FeetAndInchesComeBackOnlyWithAnEnglishCommand) {
  FileDefaults().Units.Length = 0;
  TZubFile saved;
  saved.Units.Length = 1;
  saved.SaveToFile(PathOf("plain.zub"));
  EXPECT_EQ(Load(PathOf("plain.zub")).Units.Length, 0);

  saved.Body = {"English", "Head H1 10 15 5.6"};
  saved.SaveToFile(PathOf("english.zub"));
  EXPECT_EQ(Load(PathOf("english.zub")).Units.Length, 1);
}

TEST_F(ZubFileTest, SavingDropsTrailingEmptyLinesOfTheFiveLists) {
  TZubFile project;
  project.Contract = {"A", "", ""};
  project.Notes = {"", "B", ""};
  project.DesignerOR = {"C", ""};
  project.SaveToFile(PathOf("lists.zub"));
  EXPECT_EQ(project.Contract, std::vector<std::string>{"A"});
  EXPECT_EQ(project.Notes, (std::vector<std::string>{"", "B"}));
  EXPECT_EQ(Load(PathOf("lists.zub")).Notes, (std::vector<std::string>{"", "B"}));
  EXPECT_EQ(FProject.DesignerOR, (std::vector<std::string>{"C", ""}));
}

TEST_F(ZubFileTest, WrittenFileHasTheTagLayoutInWindows1252WithCrLf) {
  FDatabase.Liquids = {kGlycol};
  TZubFile project;
  project.JobNo = "7";
  project.Notes = {"Café €5 → ok", "two\nlines"};
  project.Units = {1, 2, 0, 0, 0, 0, 5, 3};
  project.FrictionFormula = 1;
  project.UseVelocity = project.MaterialFittings = true;
  project.SourceCalc = project.Gravity13D = project.FMFittings = project.AdjustKForLiquid = false;
  project.HeadArea = project.UseFittingK = false;
  project.KFactorMultiplier = 1;
  project.Liquid = {62.4, 998.8, 1.1, 1, "Water"};
  project.BaseOfRiser.clear();
  project.NameSeeds = {"M1-1", "", "", "", "", ""};
  project.SystemInfo[siRemoteAreaLocation] = "North bay";
  project.SystemInfo[siHeadArea] = "130 sq ft";
  project.DxfFileName = "a.dxf";
  project.DxfPipes = {{"P1", "2F", "30"}};
  project.DxfNodes = {{"N1", 1.5, 2, 0}};
  const std::vector<std::string> editorLines = {"Head H1 10 15 5.6"};
  project.SaveToFile(PathOf("layout.zub"), &editorLines);

  EXPECT_EQ(ReadBytes(PathOf("layout.zub")),
            CrLf({"<TZUB 2 3>", "<JOBNO 7>", "<NOTES Caf\xE9 \x80" "5 ? ok>", "<NOTES two lines>",
                  "<UNITLENGTH >", "<UNITSIZE in>", "<UNITELEV ft>", "<UNITPRESSURE psi>", "<UNITFLOW gpm>",
                  "<UNITKFACT gpm/psi>", "<UNITHEADAREA M>", "<UNITDENSITY mm>",
                  "<FRICTIONFORMULA Darcy-Weisbach / Nfpa 750>", "<VELOCITY>", "<USEMATERICALSPECIFICFITTINGS>",
                  "<KFACTORMULTIPLIER 1>", "<LIQUID Water>", "<LIQUIDP 62.4>", "<LIQUIDPSI 998.8>",
                  "<LIQUIDU 1.1>", "<1STMAINNAME M1-1>", "<RADESCRIPTION North bay>", "<HEADAREA 130 sq ft>",
                  "<DXFFILENAME a.dxf>", "<DXFPIPE P1 2F 30 >", "<DXFNODE N1 1.5 2 0 >", "<BODY>",
                  "Head H1 10 15 5.6"}));
}

TEST_F(ZubFileTest, ReadsTagsTolerantly) {
  FDatabase.Liquids = {kGlycol};
  FProject.KFactorMultiplier = 1.7;
  const std::string path = WriteBytes(
      "tolerant.zub",
      std::string("<TZUB 2 3>\n") +
          "<velocity>\n"                           // wrong letter case: not the flag
          "<EQUIVKDESC before any definition>\n"   // ignored
          "<SOMETHINGNEW 42>\n"                     // unknown tag
          "<UNITLENGTH ft>\n<UNITPRESSURE psi>\n"   // overruled by METRIC in the body
          "not a tag line\n"
          "<DXFNODE N7 1.5 abc 2>\n"
          "<JOBNO 99>\n<CONTRACT1 Old style>\n<HEADK K5.6>\n"
          "<BODY>\n"
          "Metric\n"
          "<JOBNO this is a command line>\n");
  const TZubFile& project = Load(path);
  EXPECT_FALSE(project.UseVelocity);
  EXPECT_TRUE(project.EquivK.empty());
  EXPECT_EQ(project.Units.Length, 5);
  EXPECT_EQ(project.Units.Size, 3);
  EXPECT_EQ(project.Units.Elevation, 5);
  EXPECT_EQ(project.Units.Pressure, 1);
  EXPECT_EQ(project.Units.Flow, 1);
  EXPECT_EQ(project.Units.KFactor, 1);
  ASSERT_EQ(project.DxfNodes.size(), 1u);
  EXPECT_EQ(project.DxfNodes[0].Name, "N7");
  EXPECT_EQ(project.DxfNodes[0].X, 0);
  EXPECT_EQ(project.DxfNodes[0].Z, 0);
  EXPECT_EQ(project.JobNo, "99");
  EXPECT_EQ(project.Contract, std::vector<std::string>{"Old style"});
  EXPECT_EQ(project.Head, std::vector<std::string>{"K5.6"});
  EXPECT_EQ(project.KFactorMultiplier, 1.7) << "a file without the tag keeps the multiplier";
  EXPECT_EQ(project.Body, (std::vector<std::string>{"Metric", "<JOBNO this is a command line>"}));
}

TEST_F(ZubFileTest, NumbersThatCannotBeReadTakeTheirDefaults) {
  FDatabase.Liquids = {kGlycol};
  const std::string path =
      WriteBytes("numbers.zub", CrLf({"<TZUB 2 3>", "<KFACTORMULTIPLIER 1,5>", "<LIQUID Brine>", "<LIQUIDP x>",
                                      "<LIQUIDPSI 1200>", "<LIQUIDU nan>", "<BODY>"}));
  const TZubFile& project = Load(path);
  EXPECT_EQ(project.KFactorMultiplier, 1.0);
  EXPECT_EQ(project.Liquid.DensityUS, 0);
  EXPECT_EQ(project.Liquid.DensitySI, 1200);
  EXPECT_EQ(project.Liquid.Viscosity, 0);
}

TEST_F(ZubFileTest, UnknownLiquidIsAddedToTheDatabaseAndSaved) {
  FDatabase.Liquids = {kGlycol};
  const std::string path = WriteBytes(
      "liquid.zub", CrLf({"<TZUB 2 3>", "<LIQUID Brine>", "<LIQUIDP 74.9>", "<LIQUIDPSI 1200>", "<LIQUIDU 2>",
                          "<BODY>"}));
  Load(path);
  ASSERT_EQ(FDatabase.Liquids.size(), 2u);
  EXPECT_EQ(FDatabase.Liquids[1].Name, "Brine");
  EXPECT_EQ(FDatabase.Liquids[1].DensitySI, 1200);
  EXPECT_NE(ReadBytes(PathOf("data/ZUB20.PIT")).find("LIQUID 74.9 1200 2"), std::string::npos);

  Load(path);
  EXPECT_EQ(FDatabase.Liquids.size(), 2u) << "known now, letter case aside";
}

TEST_F(ZubFileTest, FileWithoutLiquidTakesTheDatabasesFirst) {
  FDatabase.Liquids = {kGlycol, TLiquid{}};
  const TZubFile& project = Load(WriteBytes("noliquid.zub", CrLf({"<TZUB 2 3>", "<BODY>", "Vel"})));
  EXPECT_EQ(project.Liquid.Name, kGlycol.Name);
  EXPECT_EQ(project.Liquid.Viscosity, kGlycol.Viscosity);
}

std::string Utf16LittleEndian(std::u16string_view text) {
  std::string bytes = "\xFF\xFE";
  for (const char16_t unit : text) {
    bytes += static_cast<char>(unit & 0xFF);
    bytes += static_cast<char>(unit >> 8);
  }
  return bytes;
}

struct TEncodingCase {
  const char* Name;
  std::string Bytes;
};

void PrintTo(const TEncodingCase& encoding, std::ostream* out) { *out << encoding.Name; }

class ZubFileEncodingTest : public ZubFileTest, public ::testing::WithParamInterface<TEncodingCase> {};

TEST_P(ZubFileEncodingTest, ReadsTheNotesAsUtf8) {
  const TZubFile& project = Load(WriteBytes("encoded.zub", GetParam().Bytes));
  EXPECT_EQ(project.Notes, std::vector<std::string>{"Café €5"});
  EXPECT_EQ(project.Body, std::vector<std::string>{"Head H1 10 15 5.6"});
}

INSTANTIATE_TEST_SUITE_P(
    Encodings, ZubFileEncodingTest,
    ::testing::Values(
        TEncodingCase{"Windows1252CrLf", "<TZUB 2 3>\r\n<NOTES Caf\xE9 \x80" "5>\r\n<BODY>\r\nHead H1 10 15 5.6\r\n"},
        TEncodingCase{"Windows1252Lf", "<TZUB 2 3>\n<NOTES Caf\xE9 \x80" "5>\n<BODY>\nHead H1 10 15 5.6"},
        TEncodingCase{"Utf8WithMark", "\xEF\xBB\xBF<TZUB 2 3>\n<NOTES Café €5>\n<BODY>\nHead H1 10 15 5.6\n"},
        TEncodingCase{"Utf8WithoutMark", "<TZUB 2 3>\r\n<NOTES Café €5>\r\n<BODY>\r\nHead H1 10 15 5.6\r\n"},
        TEncodingCase{"Utf16LittleEndian",
                      Utf16LittleEndian(u"<TZUB 2 3>\r\n<NOTES Café €5>\r\n<BODY>\r\nHead H1 10 15 5.6")}),
    [](const auto& info) { return std::string(info.param.Name); });

}  // namespace
}  // namespace pelmora
