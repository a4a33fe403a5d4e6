#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <sstream>

#include "dxf/dxf_exchange.h"
#include "dxf/dxf_file.h"
#include "dxf/dxf_messages.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"
#include "input/zub_file.h"

namespace pelmora {
namespace {

using dxftest::DataPath;

TDxfImportChoices TreeChoices() {
  TDxfImportChoices choices;
  choices.MainLayers = {"P-MAIN"};
  choices.LineLayers = {"p-line"};  // layer names are matched without regard to case
  choices.HeadLayers = {"HEADS"};
  choices.SizeLayers = {"P-SIZE"};
  choices.HeadBlocks = {"SPRK"};
  return choices;
}

// The tree drawings label sizes as 2 1/2 and 1 1/4.
TDxfOptions TreeOptions() {
  TDxfOptions options;
  options.OneQuarter = " 1/4";
  options.OneHalf = " 1/2";
  return options;
}

// Words of the imported lines that the command scan does not accept.
std::vector<std::string> InvalidWords(const std::vector<std::string>& lines, const TUnitSet& units = TZubFile().Units) {
  TZubFile project;
  project.Units = units;
  project.ParseLines(lines);
  std::vector<std::string> invalid;
  for (const TTokenLine words : project.FTokens)
    for (const TTokenView word : words)
      if (word.Present && !word.Comment && (!word.Valid || word.Suspect))
        invalid.push_back(std::to_string(word.Line + 1) + ": " + std::string(word.Text) + " " + std::string(word.Message));
  return invalid;
}

class DxfTreeImport : public ::testing::TestWithParam<const char*> {};

// R2000 with a lightweight-polyline main and R12 (CR LF lines) with a heavy-polyline main draw
// the same tree, so both give the same commands.
TEST_P(DxfTreeImport, GivesTheExpectedCommandsThatScanCleanly) {
  TZubFile project;
  TDxfImportResult result = ImportDrawing(DataPath(GetParam()), TreeChoices(), TreeOptions(), project);
  ASSERT_TRUE(result.Ok) << result.Message << " " << result.Detail;
  std::vector<std::string> expected = dxftest::ReadLines(DataPath("tree.expected.txt"));
  if (result.Lines != expected) {
    std::string actual;
    for (const std::string& line : result.Lines) actual += line + "\n";
    dxftest::WriteText(DataPath(std::string(GetParam()) + ".actual.txt"), actual);
  }
  EXPECT_EQ(result.Lines, expected) << "the import's text is written next to tree.expected.txt as .actual.txt";
  EXPECT_EQ(InvalidWords(result.Lines), std::vector<std::string>{});

  ASSERT_EQ(result.Pipes.size(), 10u);
  EXPECT_EQ(result.Nodes.size(), 11u);
  for (const TdxfPipe& pipe : result.Pipes) EXPECT_FALSE(pipe.LineHandle.empty()) << pipe.Name;
  // The main's three segments are one polyline; the branch pipe labelled 1-1/4 got no size text.
  EXPECT_EQ(result.Pipes[1].LineHandle, result.Pipes[3].LineHandle);
  EXPECT_EQ(result.Pipes[8].Name, "L05");
  EXPECT_TRUE(result.Pipes[8].SizeTextHandle.empty());
  EXPECT_EQ(result.Nodes[1].Name, "M02");
  EXPECT_DOUBLE_EQ(result.Nodes[1].Z, 120);
  EXPECT_TRUE(std::filesystem::path(result.FileName).is_absolute());

  StoreDrawingRecords(project, result);
  EXPECT_EQ(project.DxfFileName, result.FileName);
  EXPECT_EQ(project.DxfPipes.size(), 10u);
  EXPECT_EQ(project.DxfNodes.size(), 11u);
}

INSTANTIATE_TEST_SUITE_P(Drawings, DxfTreeImport, ::testing::Values("tree_r2000.dxf", "tree_r12.dxf"));

TEST(DxfImport, ListsLayersAndOrdinaryBlocksSorted) {
  TdxfFile drawing;
  ASSERT_TRUE(drawing.Open(DataPath("tree_r2000.dxf")));
  EXPECT_EQ(drawing.LayerNames(),
            (std::vector<std::string>{"0", "Defpoints", "HEADS", "P-LINE", "P-MAIN", "P-SIZE", "WALLS"}));
  EXPECT_EQ(drawing.BlockNames(), (std::vector<std::string>{"SPRK", "VALVE"}));
}

TEST(DxfImport, ClosedPolylineOfFourVerticesGivesFourPipesAndOpenOneThree) {
  TZubFile project;
  TDxfImportChoices closed = TreeChoices(), open = TreeChoices();
  open.MainLayers.clear();
  closed.LineLayers.clear();
  auto pipeCount = [&](const TDxfImportChoices& choices, const TDxfOptions& options) {
    return ImportDrawing(DataPath("polylines_r2000.dxf"), choices, options, project).Pipes.size();
  };
  EXPECT_EQ(pipeCount(closed, TDxfOptions{}), 4u);
  EXPECT_EQ(pipeCount(open, TDxfOptions{}), 3u);
  TDxfOptions withoutPolylines;
  withoutPolylines.UseLwPolylines = false;
  EXPECT_EQ(pipeCount(closed, withoutPolylines), 0u);
}

TEST(DxfImport, NoLinesOnTheChosenLayersGivesAMessageAndNothingElse) {
  TZubFile project;
  TDxfImportChoices choices = TreeChoices();
  choices.MainLayers = {"HEADS"};
  choices.LineLayers = {"NO SUCH LAYER"};
  TDxfImportResult result = ImportDrawing(DataPath("tree_r2000.dxf"), choices, TDxfOptions{}, project);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Message, kDxfNoPipes);
  EXPECT_TRUE(result.Lines.empty());
  EXPECT_TRUE(result.Nodes.empty());
}

TEST(DxfImport, RefusesDamagedDrawingsWithAReason) {
  struct Case {
    const char* File;
    const char* Message;
    const char* Detail;
  } cases[] = {
      {"binary.dxf", kDxfNotAscii, "binary DXF"},
      {"truncated.dxf", kDxfNotAscii, "truncated"},
      {"bad_group_code.dxf", kDxfNotAscii, "group code \"abc\" is not a number"},
      {"no_such_drawing.dxf", kDxfCannotOpen, ""},
  };
  TZubFile project;
  for (const Case& c : cases) {
    TDxfImportResult result = ImportDrawing(DataPath(c.File), TreeChoices(), TDxfOptions{}, project);
    EXPECT_FALSE(result.Ok) << c.File;
    EXPECT_EQ(result.Message, FormatMessage(c.Message, DataPath(c.File))) << c.File;
    EXPECT_NE(result.Detail.find(c.Detail), std::string::npos) << c.File << ": " << result.Detail;
    EXPECT_TRUE(result.Lines.empty()) << c.File;
  }
}

TEST(DxfImport, PassesOverNamesAlreadyInTheText) {
  TZubFile project;
  project.ParseLines({"Pipe M01 A B 10 2", "Node M02 0", "Node L01 0"});
  TDxfImportResult result = ImportDrawing(DataPath("tree_r2000.dxf"), TreeChoices(), TreeOptions(), project);
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Lines[1].substr(0, 20), "Pipe M03  M03  M04  ");
  EXPECT_EQ(result.Pipes.front().Name, "M03");
  EXPECT_EQ(result.Pipes[4].Name, "L02");
  EXPECT_EQ(result.Nodes.front().Name, "M03");
}

TEST(DxfImport, WritesMetricLengthsSizesAndForcedElevations) {
  TZubFile project;
  project.Units = MetricUnits();
  TDxfImportChoices choices = TreeChoices();
  choices.ForceMainElevation = true;
  choices.MainElevation = "3.5";
  choices.ForceLineElevation = true;  // an empty text forces 0
  choices.KFactor = "115";
  choices.Discharge = "100";
  TDxfImportResult result = ImportDrawing(DataPath("tree_r2000.dxf"), choices, TreeOptions(), project);
  ASSERT_TRUE(result.Ok);
  EXPECT_EQ(result.Lines[1], "Pipe M01  M01  M02   3.048    50      E");
  EXPECT_EQ(result.Lines[7], "Pipe L01  M03  L01   3.048    32      T");
  EXPECT_EQ(result.Lines[11], "Pipe L05  M05  L05   3.048    25      E");
  EXPECT_EQ(result.Lines[15], "Node M01  3.5");
  EXPECT_EQ(result.Lines[20], "Head L01  0        100    115");
  EXPECT_EQ(InvalidWords(result.Lines, project.Units), std::vector<std::string>{});
}

TEST(DxfImport, RefusesHeadDataAndElevationsTheScanWouldReject) {
  struct Case {
    const char* KFactor;
    const char* Discharge;
    const char* Elevation;
    std::string Message;
  } cases[] = {
      {"abc", "", "", FormatMessage(kDxfBadKFactor, "abc")},
      {"-5.6", "", "", FormatMessage(kDxfBadKFactor, "-5.6")},
      {"5.6", "0", "", FormatMessage(kDxfBadDischarge, "0")},
      {"5.6", "25", "ten", FormatMessage(kDxfBadElevation, "ten")},
      {"", "", "10'6", ""},
  };
  TZubFile project;
  for (const Case& c : cases) {
    TDxfImportChoices choices = TreeChoices();
    choices.KFactor = c.KFactor;
    choices.Discharge = c.Discharge;
    choices.ForceLineElevation = true;
    choices.LineElevation = c.Elevation;
    TDxfImportResult result = ImportDrawing(DataPath("tree_r2000.dxf"), choices, TreeOptions(), project);
    EXPECT_EQ(result.Message, c.Message);
    EXPECT_EQ(result.Ok, c.Message.empty());
  }
}

TEST(DxfImport, DefaultHeadDataFollowsTheProjectUnits) {
  EXPECT_EQ(DefaultKFactorText(0), "5.6");
  EXPECT_EQ(DefaultKFactorText(1), "80.6");
  EXPECT_EQ(DefaultKFactorText(2), "8.6");
  EXPECT_EQ(DefaultDischargeText(0), "14.9");
  EXPECT_EQ(DefaultDischargeText(1), "57");
  EXPECT_FALSE(DefaultKFactorText(3).empty());
  EXPECT_FALSE(DefaultDischargeText(3).empty());
}

TEST(DxfImport, JoinsEndsWithinTheToleranceAndMarksHeadsOnTheChosenBlocks) {
  auto folder = dxftest::ScratchFolder();
  dxftest::TTestDrawing drawing;
  drawing.Line("P-LINE", 100000, 50000, 0, 100120, 50000, 0);
  drawing.Line("P-LINE", 100120.4, 50000.3, 0, 100240, 50000, 0);  // a loose end 0.5 off
  drawing.Insert("HEADS", "SPRK", 100240.2, 50000, 0);
  drawing.Insert("HEADS", "OTHER", 100000, 50000, 0);
  drawing.Insert("P-LINE", "SPRK", 100120, 50000, 0);  // a head symbol on the wrong layer
  std::string file = (folder / "loose.dxf").string();
  drawing.SaveAs(file);
  TZubFile project;
  TDxfImportChoices choices = TreeChoices();
  choices.MainLayers.clear();
  TDxfImportResult joined = ImportDrawing(file, choices, TDxfOptions{}, project);
  ASSERT_TRUE(joined.Ok);
  EXPECT_EQ(joined.Nodes.size(), 3u);
  EXPECT_EQ(joined.Lines.back(), "Head L03  0'0      14.9   5.6");
  EXPECT_EQ(joined.Lines[joined.Lines.size() - 3], "Node L01  0'0");

  TDxfOptions tight;
  tight.Tolerance = 0.1;
  EXPECT_EQ(ImportDrawing(file, choices, tight, project).Nodes.size(), 4u);
}

// 100,000 pipes in 500 rows, with a size text beside every pipe and a head at every pipe end.
TEST(DxfImport, HandlesADrawingOf200000Entities) {
  auto folder = dxftest::ScratchFolder();
  dxftest::TTestDrawing drawing;
  for (int row = 0; row < 500; ++row)
    for (int pipe = 0; pipe < 200; ++pipe) {
      drawing.Line("P-LINE", pipe * 120.0, row * 240.0, 0, pipe * 120.0 + 120, row * 240.0, 0);
      drawing.Text("P-SIZE", pipe % 2 ? "1" : "1 1/4", pipe * 120.0 + 60, row * 240.0 + 8);
    }
  std::string file = (folder / "large.dxf").string();
  drawing.SaveAs(file);
  TZubFile project;
  TDxfImportChoices choices = TreeChoices();
  choices.MainLayers.clear();
  TDxfImportResult result = ImportDrawing(file, choices, TreeOptions(), project);
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(result.Pipes.size(), 100000u);
  EXPECT_EQ(result.Nodes.size(), 100500u);
  EXPECT_EQ(result.Lines.size(), 2 + 100000 + 2 + 100500u);
  EXPECT_EQ(result.Lines[2], "Pipe L01      L01      L02       10'0     1.25");
  EXPECT_EQ(result.Lines[3], "Pipe L02      L02      L03       10'0     1.0");
}

// Damaged values must never crash the import or the update: they read as 0 or are passed over.
TEST(DxfImport, SurvivesRandomlyDamagedValues) {
  std::string original = dxftest::ReadText(DataPath("tree_r2000.dxf"));
  const char* junk[] = {"", "x", "-", "1e999", "nan", "99999999999999999999", "\xff\xfe", "0", "-1"};
  std::mt19937 random(7);
  TZubFile project;
  auto folder = dxftest::ScratchFolder();
  std::string file = (folder / "damaged.dxf").string();
  for (int round = 0; round < 40; ++round) {
    std::vector<std::string> lines;
    std::istringstream text(original);
    for (std::string line; std::getline(text, line);) lines.push_back(line);
    for (int change = 0; change < 30; ++change) {
      size_t value = (random() % (lines.size() / 2)) * 2 + 1;
      lines[value] = junk[random() % std::size(junk)];
    }
    std::string damaged;
    for (const std::string& line : lines) damaged += line + "\n";
    dxftest::WriteText(file, damaged);
    TDxfImportResult result = ImportDrawing(file, TreeChoices(), TreeOptions(), project);
    EXPECT_TRUE(result.Ok || !result.Message.empty());
    TDxfLineList drawing;
    if (drawing.LoadFromFile(file)) {
      TDxfUpdateData data;
      data.HasResults = true;
      for (const TdxfPipe& pipe : result.Pipes) data.Pipes.push_back({pipe, "M01", "M02", "2", true, 1});
      for (const TdxfNode& node : result.Nodes) data.Nodes.push_back({node, 1});
      EXPECT_FALSE(BuildDxfUpdate(drawing, data, TDxfOptions{}).empty());
    }
  }
}

}  // namespace
}  // namespace pelmora
