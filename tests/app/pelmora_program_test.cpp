#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "app/program_fixture.h"
#include "input/zub_file.h"

namespace pelmora {
namespace {

namespace fs = std::filesystem;

using Program = ProgramFixture;

TEST_F(Program, CalculatesTheFirstExample) {
  const TProgramRun run = RunProgram("calc " + Example("first.txt"));
  EXPECT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(run.Out.starts_with("Calculation succeeded: safety margin ")) << run.Out;
  EXPECT_NE(run.Out.find(" psi at W, 25.00 gpm demand\n"), std::string::npos) << run.Out;
}

TEST_F(Program, CrLfTextGivesTheSameResult) {
  const std::string file = Write("crlf.txt", "Water W 0 60 500 50\r\nPipe P1 W N1 100 4 E T\r\nHead N1 10 25 5.6\r\n");
  EXPECT_EQ(RunProgram("calc " + file).Out, RunProgram("calc " + Example("first.txt")).Out);
}

TEST_F(Program, ErrorsGiveStatusOneAndEveryMessage) {
  const TProgramRun run = RunProgram("calc " + Example("mistakes.txt"));
  EXPECT_EQ(run.Status, 1);
  EXPECT_NE(run.Out.find("Name \"ABCDEFGHI\" is longer than 8 characters\n"), std::string::npos) << run.Out;
  EXPECT_NE(run.Out.find("[WARNING] \"Haed\" is not a valid command.\n"), std::string::npos) << run.Out;
  EXPECT_TRUE(run.Out.ends_with("Calculation failed: 5 errors.\n")) << run.Out;
}

TEST_F(Program, CheckListsPlacesOfProblems) {
  const TProgramRun run = RunProgram("check " + Example("mistakes.txt"));
  EXPECT_EQ(run.Status, 1);
  EXPECT_TRUE(run.Out.starts_with("2:19: Name \"ABCDEFGHI\" is longer than 8 characters\n"
                                  "2:30: hint: Is 0.25 ft the correct pipe length?\n"))
      << run.Out;
  EXPECT_NE(run.Out.find("0:0: WATER command missing"), std::string::npos);
  EXPECT_EQ(RunProgram("check " + Example("first.txt")).Status, 0);
  const std::string hintsOnly = Write("hint.txt", "Water W 0 60\nPipe P1 W N1 0.25 4\nHead N1 0 25 5.6\n");
  const TProgramRun hints = RunProgram("check " + hintsOnly);
  EXPECT_EQ(hints.Status, 0);
  EXPECT_EQ(hints.Out, "2:14: hint: Is 0.25 ft the correct pipe length?\n");
}

TEST_F(Program, UnusableFileOrArgumentsGiveStatusTwo) {
  const TProgramRun missing = RunProgram("calc " + (folder / "none.txt").string());
  EXPECT_EQ(missing.Status, 2);
  EXPECT_NE(missing.Err.find("none.txt"), std::string::npos);
  EXPECT_TRUE(missing.Out.empty());
  for (const char* arguments : {"", "calc", "check", "calc a b", "calc a --json", "solve a", "check a b"})
    EXPECT_EQ(RunProgram(arguments).Status, 2) << arguments;
  EXPECT_EQ(RunProgram("check " + folder.string()).Status, 2);
}

TEST_F(Program, JsonHoldsUnitsMessagesAndResults) {
  const TProgramRun run = RunProgram("calc " + Example("first.txt") + " --json -");
  ASSERT_EQ(run.Status, 0) << run.Err;
  EXPECT_TRUE(run.Err.starts_with("Calculation succeeded"));  // readable lines move aside for the JSON
  const nlohmann::json json = nlohmann::json::parse(run.Out);
  EXPECT_TRUE(json["ok"]);
  EXPECT_EQ(json["units"]["pressure"], "psi");
  EXPECT_EQ(json["units"].size(), 8u);
  EXPECT_TRUE(json["messages"].empty());
  for (const char* key : {"iterations", "unbalance", "source_flow", "demand_flow", "required_pressure", "supply_pressure",
                          "margin", "head_count", "sprinkler_count", "head_flow", "min_head_flow", "max_head_flow",
                          "avg_head_flow", "node_count", "node_flow", "max_velocity", "riser_valid", "base_node"})
    EXPECT_TRUE(json["summary"].contains(key)) << key;
  const double margin = json["summary"]["margin"];
  EXPECT_NEAR(margin, double(json["summary"]["supply_pressure"]) - double(json["summary"]["required_pressure"]), 1e-9);
  ASSERT_EQ(json["nodes"].size(), 2u);
  EXPECT_EQ(json["nodes"][1]["name"], "N1");
  EXPECT_EQ(json["nodes"][1]["kind"], "head");
  EXPECT_EQ(json["nodes"][1]["k_factor"], 5.6);
  EXPECT_EQ(json["nodes"][1]["line"], 3);
  const nlohmann::json& pipe = json["pipes"].at(0);
  EXPECT_EQ(pipe["fittings"], nlohmann::json({"E", "T"}));
  EXPECT_EQ(pipe["from"], "W");
  EXPECT_DOUBLE_EQ(double(pipe["total_length"]), double(pipe["length"]) + double(pipe["fitting_length"]));
  EXPECT_NEAR(double(pipe["total_loss"]),
              double(pipe["friction_loss"]) + double(pipe["elevation_loss"]) + double(pipe["device_loss"]), 1e-9);
}

TEST_F(Program, JsonOfAFailedRunHasNoResults) {
  const std::string out = (folder / "run.json").string();
  EXPECT_EQ(RunProgram("calc " + Example("mistakes.txt") + " --json " + out).Status, 1);
  const nlohmann::json json = nlohmann::json::parse(ReadAll(out));
  EXPECT_FALSE(json["ok"]);
  EXPECT_FALSE(json.contains("summary") || json.contains("nodes") || json.contains("pipes"));
  const nlohmann::json& first = json["messages"].at(0);
  EXPECT_EQ(first["severity"], "error");
  EXPECT_EQ(first["line"], 1);
  EXPECT_EQ(json["messages"].back()["severity"], "warning");
  for (const fs::directory_entry& entry : fs::directory_iterator(folder))
    EXPECT_EQ(entry.path().filename().string().find(".saving-"), std::string::npos) << "temporary file left";
}

TEST_F(Program, ReadsAProjectFile) {
  TZubFile project;
  const std::string file = (folder / "first.zub").string();
  const std::vector<std::string> lines{"Water W 0 60 500 50", "Pipe P1 W N1 100 4 E T", "Head N1 10 25 5.6"};
  project.SaveToFile(file, &lines);
  const TProgramRun run = RunProgram("calc " + file);
  EXPECT_EQ(run.Status, 0) << run.Out << run.Err;
  EXPECT_EQ(run.Out, RunProgram("calc " + Example("first.txt")).Out);
}

}  // namespace
}  // namespace pelmora
