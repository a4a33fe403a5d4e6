#include "input/calc_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "input/zub_file.h"

namespace pelmora {
namespace {

const std::vector<std::string> kTypical{"Water W   0  60 500 50", "Pipe  P1  W  N1 100 4 E T", "Head  N1  10 25 5.6"};

TEST(CalcRun, TypicalRequestSolves) {
  TZubFile project;
  const TRunResult result = pelmora::Run(kTypical, project);
  ASSERT_TRUE(result.Success) << testing::PrintToString(result.Messages);
  EXPECT_EQ(project.FEngine, result.Engine.get());
  EXPECT_TRUE(result.Engine->FCalcDone);
  EXPECT_GE(result.Engine->FindNode("N1")->Flow, 25 - 1e-6);
  EXPECT_GT(result.Engine->FRequiredPressure, 0);
}

TEST(CalcRun, EmptyTextGivesNothing) {
  TZubFile project;
  const TRunResult result = pelmora::Run({}, project);
  EXPECT_FALSE(result.Success);
  EXPECT_TRUE(result.Messages.empty());
}

TEST(CalcRun, MissingWaterStopsBeforeSolving) {
  TZubFile project;
  const TRunResult result = pelmora::Run({"Pipe P1 N1 H1 100 4", "Node N1 0", "Head H1 10 25 5.6"}, project);
  EXPECT_FALSE(result.Success);
  EXPECT_EQ(result.Messages,
            (std::vector<std::string>{"WATER command missing: at least one \"water\" command is required."}));
  EXPECT_EQ(result.Engine->FIterations, 0);
  EXPECT_EQ(result.Engine->FBaseNode, nullptr);
}

TEST(CalcRun, SecondRunKeepsNoMessageOfTheFirst) {
  TZubFile project;
  pelmora::Run({"Head H1 10 25"}, project);
  const TRunResult second = pelmora::Run(kTypical, project);
  for (const std::string& message : second.Messages) EXPECT_EQ(message.find("Head command"), std::string::npos);
}

TEST(CalcRun, TwoFourHeadsLinesKeepOnlyTheLater) {
  TZubFile project;
  project.HeadArea = true;
  std::vector<std::string> lines{"Density 4.1", "Water W 0 60 500 50", "Pipe P1 W N1 100 4", "Pipe P2 N1 N2 10 2",
                                 "Head N1 10 12 5.6", "Head N2 10 12 5.6", "FourHeads N1 N2", "FourHeads N2"};
  pelmora::Run(lines, project);
  EXPECT_EQ(project.FFourHeads, (std::vector<std::string>{"N2"}));
}

TEST(CalcRun, FourHeadsAreFoundAlongABranchLine) {
  TZubFile project;
  project.HeadArea = true;
  std::vector<std::string> lines{"Density 4.1", "Water W 0 80 500 70", "Pipe P0 W H1 50 2",
                                 "Pipe P1 H1 H2 10 1", "Pipe P2 H2 N3 5 1", "Pipe P3 N3 H3 5 1", "Pipe P4 H3 H4 10 1",
                                 "Node N3 10"};
  for (int head = 1; head <= 4; ++head) lines.push_back("Head H" + std::to_string(head) + " 10 12 5.6");
  const TRunResult result = pelmora::Run(lines, project);
  ASSERT_TRUE(result.Success) << testing::PrintToString(result.Messages);
  EXPECT_EQ(project.FFourHeads, (std::vector<std::string>{"H4", "H3", "H2", "H1"}));
}

TEST(CalcRun, DebugAddsStatisticsAndTheDumpFile) {
  const auto folder = std::filesystem::temp_directory_path() / "pelmora_debug_run";
  std::filesystem::create_directories(folder);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(folder);
  TZubFile project;
  std::vector<std::string> lines = kTypical;
  lines.push_back("Debug");
  const TRunResult result = pelmora::Run(lines, project);
  std::filesystem::current_path(previous);
  const auto base = std::find_if(result.Messages.begin(), result.Messages.end(),
                                 [](const std::string& line) { return line.starts_with("Base Node = "); });
  ASSERT_NE(base, result.Messages.end());
  EXPECT_TRUE(std::any_of(base, result.Messages.end(), [](const std::string& l) { return l.starts_with("# Pipes"); }));
  std::ifstream dump(folder / "Dump.txt");
  std::string first;
  std::getline(dump, first);
  EXPECT_EQ(first, "Pipe\r");
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace pelmora
