// The pelmora program's project commands end to end: report, convert, expand, equivk, fittings.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <nlohmann/json.hpp>

#include "app/program_fixture.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;

using ProjectCommands = ProgramFixture;

TEST_F(ProjectCommands, ReportIsWrittenOnlyAfterASuccessfulCalculation) {
  const TProgramRun good = RunProgram("calc " + Example("office_tree.zub") + " --report " + InFolder("r.txt"));
  EXPECT_EQ(good.Status, 0) << good.Err;
  EXPECT_NE(ReadAll(InFolder("r.txt")).find("Hydraulic Calculations"), std::string::npos);

  const TProgramRun bad = RunProgram("calc " + Example("mistakes.txt") + " --report " + InFolder("bad.txt"));
  EXPECT_EQ(bad.Status, 1);
  EXPECT_NE(bad.Err.find("no report written"), std::string::npos) << bad.Err;
  EXPECT_FALSE(fs::exists(InFolder("bad.txt")));
}

// A project converted to metric, and back, still calculates, in the units it was converted to.
TEST_F(ProjectCommands, ConvertedProjectCalculatesToTheSameResult) {
  ASSERT_EQ(RunProgram("convert " + Example("office_tree.zub") + " --units metric --out " + InFolder("m.zub")).Status, 0);
  const TProgramRun metric = RunProgram("calc " + InFolder("m.zub"));
  EXPECT_EQ(metric.Status, 0) << metric.Out << metric.Err;
  EXPECT_NE(metric.Out.find(" bar"), std::string::npos) << metric.Out;
  ASSERT_EQ(RunProgram("convert " + InFolder("m.zub") + " --units us --out " + InFolder("us.zub")).Status, 0);
  EXPECT_EQ(RunProgram("calc " + InFolder("us.zub")).Status, 0);
  EXPECT_EQ(RunProgram("convert " + Example("office_tree.zub") + " --units imperial --out x.zub").Status, 2);
}

TEST_F(ProjectCommands, ExpandedTreeSystemCalculatesLikeTheOriginal) {
  const TProgramRun expanded = RunProgram("expand " + Example("tree_system.txt"));
  ASSERT_EQ(expanded.Status, 0) << expanded.Err;
  std::ofstream(InFolder("expanded.txt")) << expanded.Out;
  const TProgramRun original = RunProgram("calc " + Example("tree_system.txt"));
  const TProgramRun again = RunProgram("calc " + InFolder("expanded.txt"));
  ASSERT_EQ(again.Status, 0) << again.Out;
  const auto summary = [](const std::string& out) { return out.substr(out.rfind("Calculation succeeded")); };
  EXPECT_EQ(summary(again.Out), summary(original.Out));
}

TEST_F(ProjectCommands, JsonReportsTheRemoteAreaSearch) {
  const TProgramRun run = RunProgram("calc " + Example("warehouse_grid.txt") + " --json -");
  ASSERT_EQ(run.Status, 0) << run.Err;
  const nlohmann::json area = nlohmann::json::parse(run.Out)["summary"]["remote_area"];
  EXPECT_GT(area["positions_tried"].get<int>(), 1);
  EXPECT_GE(area["best_position"]["head"].get<int>(), 1);
  EXPECT_GE(area["entered_position"]["line"].get<int>(), 1);
  EXPECT_EQ(area["positions_failed"].get<int>(), 0);
}

TEST_F(ProjectCommands, EquivalentKAndFittingReports) {
  const TProgramRun all = RunProgram("equivk " + Example("equivk_project.zub"));
  EXPECT_EQ(all.Status, 0) << all.Err;
  EXPECT_NE(all.Out.find("ARM1"), std::string::npos) << all.Out;
  EXPECT_NE(all.Out.find("DROP1"), std::string::npos) << all.Out;
  EXPECT_EQ(RunProgram("equivk " + Example("equivk_project.zub") + " NOSUCH").Status, 1);

  const TProgramRun fittings = RunProgram("fittings " + Example("office_tree.zub") + " --out " + InFolder("f.txt"));
  EXPECT_EQ(fittings.Status, 0) << fittings.Err;
  EXPECT_FALSE(ReadAll(InFolder("f.txt")).empty());
}


// A drawing made by an independent DXF library, imported and fed from a supply, calculates.
TEST_F(ProjectCommands, ImportedDrawingCalculates) {
  const std::string drawing = std::string(PELMORA_SOURCE_DIR) + "/tests/data/dxf/tree_r2000.dxf";
  const TProgramRun imported =
      RunProgram("dxf-import " + drawing + " --mains P-MAIN --lines P-LINE --heads HEADS --sizes P-SIZE --block SPRK");
  ASSERT_EQ(imported.Status, 0) << imported.Err;
  std::ofstream(InFolder("drawing.txt")) << "Water W 0 80 500 60\nPipe SUP W M01 10 2\n" << imported.Out;
  const TProgramRun run = RunProgram("calc " + InFolder("drawing.txt"));
  EXPECT_EQ(run.Status, 0) << run.Out;
}

}  // namespace
}  // namespace pelmora
