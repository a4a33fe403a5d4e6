#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "dxf/dxf_drawing.h"
#include "dxf/dxf_exchange.h"
#include "dxf/dxf_file.h"
#include "dxf/dxf_messages.h"
#include "dxf/dxf_writer.h"
#include "dxf_test_support.h"
#include "engine/calc_engine.h"

namespace pelmora {
namespace {

using dxftest::DataPath;
using dxftest::TTestDrawing;

TDxfLineList Load(const std::string& path) {
  TDxfLineList lines;
  EXPECT_TRUE(lines.LoadFromFile(path)) << lines.Message() << " " << lines.Detail();
  return lines;
}

TDxfLineList LoadText(const std::string& text) {
  TDxfLineList lines;
  EXPECT_TRUE(lines.LoadFromText(text, "memory.dxf")) << lines.Detail();
  return lines;
}

// What an update of the tree drawings writes: every imported pipe and node, each pipe carrying
// 25.5 downstream and each node discharging 15.
TDxfUpdateData TreeUpdate(const std::string& drawing, bool withResults) {
  TdxfFile file;
  EXPECT_TRUE(file.Open(drawing));
  file.Choices.MainLayers = {"P-MAIN"};
  file.Choices.LineLayers = {"P-LINE"};
  file.Choices.SizeLayers = {"P-SIZE"};
  file.Options.OneQuarter = " 1/4";
  file.Options.OneHalf = " 1/2";
  file.BuildCommands();
  TDxfUpdateData data;
  data.HasResults = withResults;
  for (const TdxfLine& pipe : file.Pipes())
    data.Pipes.push_back({{pipe.PipeName, pipe.Handle, pipe.SizeTextHandle},
                          file.Nodes()[pipe.Node1].Name,
                          file.Nodes()[pipe.Node2].Name,
                          pipe.SizeText,
                          true,
                          25.5});
  for (const TdxfNode& node : file.NodeRecords()) data.Nodes.push_back({node, 15});
  return data;
}

struct TLayerCounts {
  size_t NodeNames = 0, PipeNames = 0, FlowTexts = 0, Arrows = 0;
};

TLayerCounts CountOwnEntities(const TDxfLineList& lines) {
  TDxfDrawing drawing = ReadDrawing(lines);
  TLayerCounts counts;
  for (const TdxfText& text : drawing.Texts) {
    counts.NodeNames += text.Layer == kNodeNamesLayer;
    counts.PipeNames += text.Layer == kPipeNamesLayer;
    counts.FlowTexts += text.Layer == kFlowDiagramLayer;
  }
  for (const TdxfBlock& insert : drawing.Inserts) counts.Arrows += insert.Layer == kFlowDiagramLayer;
  return counts;
}

class DxfTreeUpdate : public ::testing::TestWithParam<const char*> {};

TEST_P(DxfTreeUpdate, PassesEzdxfAuditAndReopensWithTheAddedLayersBlockAndEntities) {
  if (!dxftest::EzdxfAvailable()) GTEST_SKIP() << "/usr/bin/python3 cannot import ezdxf";
  auto folder = dxftest::ScratchFolder();
  std::string source = DataPath(GetParam());
  const std::string own = " --layer ZUB_NODE_NAMES --layer ZUB_PIPE_NAMES --layer ZUB_FLOW_DIAGRAM";
  // The user's drawing is carried over: 11 pipe lines and polylines, 7 texts, 7 inserts, 3 walls.
  const std::string theirs = " --count P-MAIN=2 --count P-LINE=6 --count P-SIZE=10 --count HEADS=7 --count WALLS=3";
  std::string message;

  std::string withResults = (folder / "with_results.dxf").string();
  ASSERT_TRUE(WriteDxfUpdate(Load(source), TreeUpdate(source, true), TDxfOptions{}, withResults, message)) << message;
  EXPECT_EQ(dxftest::EzdxfFindings(withResults, own + theirs +
                                                    " --block ZUB_FLOW_ARROW --count ZUB_NODE_NAMES=11"
                                                    " --count ZUB_PIPE_NAMES=10 --count ZUB_FLOW_DIAGRAM=31"),
            "");

  std::string namesOnly = (folder / "names_only.dxf").string();
  ASSERT_TRUE(WriteDxfUpdate(Load(source), TreeUpdate(source, false), TDxfOptions{}, namesOnly, message)) << message;
  EXPECT_EQ(dxftest::EzdxfFindings(namesOnly, own + theirs +
                                                  " --count ZUB_NODE_NAMES=11 --count ZUB_PIPE_NAMES=10"
                                                  " --count ZUB_FLOW_DIAGRAM=0"),
            "");

  // Updating the updated drawing in place replaces the earlier output instead of adding to it.
  ASSERT_TRUE(WriteDxfUpdate(Load(withResults), TreeUpdate(source, true), TDxfOptions{}, withResults, message));
  EXPECT_EQ(dxftest::EzdxfFindings(withResults, own + theirs +
                                                    " --block ZUB_FLOW_ARROW --count ZUB_NODE_NAMES=11"
                                                    " --count ZUB_PIPE_NAMES=10 --count ZUB_FLOW_DIAGRAM=31"),
            "");
}

TEST_P(DxfTreeUpdate, RepeatedUpdateKeepsExactlyOneSetOfOutput) {
  std::string source = DataPath(GetParam());
  TDxfUpdateData data = TreeUpdate(source, true);
  std::string once = BuildDxfUpdate(Load(source), data, TDxfOptions{});
  std::string twice = BuildDxfUpdate(LoadText(once), data, TDxfOptions{});
  TLayerCounts first = CountOwnEntities(LoadText(once)), second = CountOwnEntities(LoadText(twice));
  EXPECT_EQ(first.NodeNames, 11u);
  EXPECT_EQ(first.PipeNames, 10u);
  EXPECT_EQ(first.FlowTexts, 21u);
  EXPECT_EQ(first.Arrows, 10u);
  EXPECT_EQ(second.NodeNames, first.NodeNames);
  EXPECT_EQ(second.PipeNames, first.PipeNames);
  EXPECT_EQ(second.FlowTexts, first.FlowTexts);
  EXPECT_EQ(second.Arrows, first.Arrows);
  EXPECT_EQ(once.size(), twice.size());
}

INSTANTIATE_TEST_SUITE_P(Drawings, DxfTreeUpdate, ::testing::Values("tree_r2000.dxf", "tree_r12.dxf"));

// The rotation (group 50) of the first entity of a kind on a layer, or "none".
std::string RotationOf(const TDxfLineList& lines, const char* kind, const char* layer) {
  for (size_t pair = 0; pair < lines.PairCount(); pair = lines.NextObject(pair)) {
    if (lines.Code(pair) != 0 || !lines.ValueIs(pair, kind)) continue;
    std::string onLayer, rotation = "none";
    for (size_t group = pair + 1; group < lines.PairCount() && lines.Code(group) != 0; ++group) {
      if (lines.Code(group) == 8) onLayer = lines.TrimmedValue(group);
      if (lines.Code(group) == 50) rotation = lines.TrimmedValue(group);
    }
    if (onLayer == layer) return rotation;
  }
  return "missing";
}

TEST(DxfWriter, ArrowsPointDownstreamAndTextsReadFromBelowOrFromTheRight) {
  struct Case {
    TDxfPoint From, To;
    double Flow;
    const char* Arrow;
    const char* Text;
  } cases[] = {
      {{100, 0, 0}, {0, 0, 0}, 10, "180", "0"},   // drawn right to left, flowing left
      {{100, 0, 0}, {0, 0, 0}, -10, "0", "0"},    // the same pipe flowing right
      {{0, 0, 0}, {0, 100, 0}, 10, "90", "90"},   // up the screen
      {{0, 100, 0}, {0, 0, 0}, 10, "-90", "-90"},  // down the screen
      {{0, 0, 0}, {0, 0, 120}, 10, "90", "90"},   // a riser with the water rising
      {{0, 0, 0}, {0, 0, 120}, -10, "-90", "-90"},  // a drop: the water falls
  };
  TTestDrawing drawing;
  drawing.Header("$TEXTSIZE", 40, "2");
  TDxfLineList lines = LoadText(drawing.Finish());
  for (const Case& c : cases) {
    TDxfUpdateData data;
    data.HasResults = true;
    data.Pipes.push_back({{"P1", "", ""}, "A", "B", "2", true, c.Flow});
    data.Nodes = {{{"A", c.From.X, c.From.Y, c.From.Z}, 0}, {{"B", c.To.X, c.To.Y, c.To.Z}, 0}};
    TDxfLineList updated = LoadText(BuildDxfUpdate(lines, data, TDxfOptions{}));
    EXPECT_EQ(RotationOf(updated, "INSERT", kFlowDiagramLayer), c.Arrow) << c.Flow;
    EXPECT_EQ(RotationOf(updated, "TEXT", kFlowDiagramLayer), c.Text) << c.Flow;
    EXPECT_EQ(RotationOf(updated, "TEXT", kPipeNamesLayer), c.Text) << c.Flow;
  }
}

TEST(DxfWriter, PlacesFlowTextAboveAndArrowBelowAHorizontalPipe) {
  TTestDrawing drawing;
  drawing.Header("$TEXTSIZE", 40, "2");
  TDxfUpdateData data;
  data.HasResults = true;
  data.Pipes.push_back({{"P1", "", ""}, "A", "B", "2", true, 12.5});
  data.Nodes = {{{"A", 0, 0, 10}, 0}, {{"B", 100, 0, 10}, 12.5}};
  TDxfDrawing updated = ReadDrawing(LoadText(BuildDxfUpdate(LoadText(drawing.Finish()), data, TDxfOptions{})));
  ASSERT_EQ(updated.Inserts.size(), 1u);
  EXPECT_EQ(updated.Inserts[0].Name, kFlowArrowBlock);
  EXPECT_DOUBLE_EQ(updated.Inserts[0].Point.X, 50);
  EXPECT_DOUBLE_EQ(updated.Inserts[0].Point.Y, -3);
  EXPECT_DOUBLE_EQ(updated.Inserts[0].Point.Z, 10);
  std::set<std::string> texts;
  for (const TdxfText& text : updated.Texts) {
    texts.insert(text.Layer + " " + text.Text);
    if (text.Text == "Q=12.50") {
      EXPECT_DOUBLE_EQ(text.Point.Y, 3);
    }
  }
  EXPECT_EQ(texts, (std::set<std::string>{"ZUB_FLOW_DIAGRAM Q=12.50", "ZUB_FLOW_DIAGRAM q=12.50", "ZUB_NODE_NAMES A",
                                          "ZUB_NODE_NAMES B", "ZUB_PIPE_NAMES P1"}));
}

TEST(DxfWriter, OptionsLeaveOutWhatIsNotWanted) {
  TTestDrawing drawing;
  TDxfUpdateData data;
  data.HasResults = true;
  data.Pipes.push_back({{"RISER", "", ""}, "A", "B", "2", true, 12.5});
  data.Pipes.push_back({{"MISSING", "", ""}, "A", "NOWHERE", "2", true, 12.5});
  data.Nodes = {{{"A", 0, 0, 0}, 0}, {{"B", 0, 0, 10}, 0}};
  TDxfOptions options;
  options.NoFlowVertLine = true;
  options.AddNodeNames = false;
  TDxfDrawing updated = ReadDrawing(LoadText(BuildDxfUpdate(LoadText(drawing.Finish()), data, options)));
  EXPECT_TRUE(updated.Texts.empty());
  EXPECT_TRUE(updated.Inserts.empty());
}

TEST(DxfWriter, WritesSizeTextsBackWithTheDesignersFractions) {
  TTestDrawing drawing;
  drawing.Text("P-SIZE", "1 1/4", 50, 4, 0, "2A");
  drawing.Text("P-SIZE", "3", 50, 54, 0, "2B");
  TDxfUpdateData data;
  data.Pipes.push_back({{"P1", "", "2A"}, "A", "B", "1.5", true, 0});
  data.Pipes.push_back({{"P2", "", "2B"}, "A", "B", "1.3", false, 0});  // not a valid size: left alone
  TDxfOptions options;
  options.OneHalf = std::string(1, '\xBD');
  options.AddNodeNames = options.AddPipeNames = false;
  TDxfDrawing updated = ReadDrawing(LoadText(BuildDxfUpdate(LoadText(drawing.Finish()), data, options)));
  ASSERT_EQ(updated.Texts.size(), 2u);
  EXPECT_EQ(updated.Texts[0].Text, "1\xBD");
  EXPECT_EQ(updated.Texts[1].Text, "3");
}

TEST(DxfWriter, NewHandlesNeverRepeatOnesTheDrawingUses) {
  TTestDrawing drawing;  // no $HANDSEED, and a handle above the usual start of 1000000
  drawing.Text("WALLS", "NOTE", 0, 0, 0, "F4245");
  TDxfUpdateData data;
  data.HasResults = true;
  data.Pipes.push_back({{"P1", "", ""}, "A", "B", "2", true, 1});
  data.Nodes = {{{"A", 0, 0, 0}, 1}, {{"B", 10, 0, 0}, 0}};
  TDxfLineList updated = LoadText(BuildDxfUpdate(LoadText(drawing.Finish()), data, TDxfOptions{}));
  std::set<std::string> handles;
  size_t count = 0;
  for (size_t pair = 0; pair < updated.PairCount(); ++pair)
    if (updated.Code(pair) == 5) handles.insert(std::string(updated.TrimmedValue(pair))), ++count;
  EXPECT_EQ(handles.size(), count);
  EXPECT_GT(count, 8u);
  EXPECT_EQ(handles.count("F4246"), 1u);
}

TEST(DxfWriter, FailedSaveKeepsWhatWasThere) {
  auto folder = dxftest::ScratchFolder();
  TTestDrawing drawing;
  TDxfLineList lines = LoadText(drawing.Finish());
  std::string message;
  std::string intoMissingFolder = (folder / "missing" / "out.dxf").string();
  EXPECT_FALSE(WriteDxfUpdate(lines, {}, TDxfOptions{}, intoMissingFolder, message));
  EXPECT_EQ(message, FormatMessage(kDxfCannotWrite, intoMissingFolder));

  auto occupied = folder / "occupied.dxf";
  std::filesystem::create_directories(occupied / "inside");
  EXPECT_FALSE(WriteDxfUpdate(lines, {}, TDxfOptions{}, occupied.string(), message));
  EXPECT_TRUE(std::filesystem::exists(occupied / "inside"));
  size_t left = std::distance(std::filesystem::directory_iterator(folder), std::filesystem::directory_iterator());
  EXPECT_EQ(left, 1u) << "a temporary file was left behind";
}

TEST(DxfWriter, UpdateTakesPipeLinesFromTheProjectAndFlowsFromAnAcceptedSolution) {
  auto folder = dxftest::ScratchFolder();
  std::string drawingFile = (folder / "tree.dxf").string();
  std::filesystem::copy_file(DataPath("tree_r2000.dxf"), drawingFile);

  TZubFile project;
  TDxfImportChoices choices;
  choices.MainLayers = {"P-MAIN"};
  choices.LineLayers = {"P-LINE"};
  TDxfImportResult imported = ImportDrawing(drawingFile, choices, TDxfOptions{}, project);
  ASSERT_TRUE(imported.Ok);
  StoreDrawingRecords(project, imported);
  std::vector<std::string> text = imported.Lines;
  text.erase(text.begin() + 2);  // the designer deleted Pipe M02
  project.ParseLines(text);

  TCalcEngine engine;
  auto pipe = std::make_unique<TPipe>();
  pipe->Name = "M01";
  pipe->Flow = -40;
  engine.AddPipe(std::move(pipe));
  auto node = std::make_unique<TNode>();
  node->Name = "L02";
  node->Flow = 20;
  engine.AddNode(std::move(node));

  TDxfUpdateData data = CollectUpdateData(project, &engine);
  EXPECT_FALSE(data.HasResults);
  EXPECT_EQ(data.Pipes.size(), 9u);
  EXPECT_EQ(data.Pipes[0].FromNode, "M01");
  EXPECT_EQ(data.Pipes[0].SizeWord, "1\"");
  EXPECT_TRUE(data.Pipes[0].SizeValid);
  EXPECT_DOUBLE_EQ(data.Pipes[0].Flow, 0);

  engine.FCalcOK = true;
  data = CollectUpdateData(project, &engine);
  EXPECT_DOUBLE_EQ(data.Pipes[0].Flow, -40);
  EXPECT_DOUBLE_EQ(data.Nodes[6].Flow, 20);

  TDxfUpdateResult result = UpdateDrawing(project, &engine, TDxfOptions{});
  ASSERT_TRUE(result.Ok) << result.Message;
  TLayerCounts counts = CountOwnEntities(Load(drawingFile));
  EXPECT_EQ(counts.PipeNames, 9u);
  EXPECT_EQ(counts.Arrows, 9u);
  EXPECT_EQ(counts.FlowTexts, 9u + 1u);

  TZubFile empty;
  EXPECT_EQ(UpdateDrawing(empty, nullptr, TDxfOptions{}).Message, kDxfNoProjectDrawing);
  project.DxfFileName = (folder / "gone.dxf").string();
  result = UpdateDrawing(project, &engine, TDxfOptions{});
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Message, FormatMessage(kDxfCannotOpen, project.DxfFileName));
}

}  // namespace
}  // namespace pelmora
