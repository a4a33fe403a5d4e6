// A project's definitions: the scan and the run use their K-factors, and the command-line summary.
#include <gtest/gtest.h>

#include <cmath>

#include "equivk/equivk_project.h"
#include "input/calc_run.h"
#include "input/zub_file.h"

namespace pelmora {
namespace {

class EquivKProjectTest : public ::testing::Test {
 protected:
  void SetUp() override { Project.LoadFromFile(std::string(PELMORA_SOURCE_DIR) + "/examples/equivk_project.zub"); }
  TZubFile Project;
};

TEST_F(EquivKProjectTest, TheExampleProjectRunsWithItsEquivalentKHeads) {
  ASSERT_EQ(Project.EquivK.size(), 2u);
  UpdateEquivK(Project);
  for (const TEquivKFile& definition : Project.EquivK) EXPECT_GT(definition.GetK(), 0) << definition.Code;
  const TRunResult run = pelmora::Run(Project.Body, Project);
  ASSERT_TRUE(run.Success) << (run.Messages.empty() ? "" : run.Messages.front());
  const TNode* n2 = run.Engine->FindNode("N2");
  ASSERT_NE(n2, nullptr);
  EXPECT_EQ(n2->KReference, "ARM1");
  EXPECT_NEAR(n2->KFactor, Project.EquivK[0].GetK(), 1e-12);
  EXPECT_GE(n2->Flow, 20 - 1e-6);
  EXPECT_EQ(run.Engine->FSprinklerCount, 2);
}

TEST_F(EquivKProjectTest, SummaryListsEachDefinitionOrTheOneAsked) {
  const std::vector<TEquivKSummary> all = SummarizeEquivK(Project);
  ASSERT_EQ(all.size(), 2u);
  EXPECT_EQ(all[1].Code, "DROP1");
  EXPECT_NEAR(all[1].Discharge, 20, 1e-6);
  const std::vector<TEquivKSummary> one = SummarizeEquivK(Project, "arm1");
  ASSERT_EQ(one.size(), 1u);
  const std::vector<std::string> lines = EquivKSummaryLines(one, Project.Units);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], "ARM1 - Arm-over to one upright head");
  EXPECT_TRUE(lines[1].starts_with("  Equivalent K = ")) << lines[1];
  EXPECT_TRUE(lines[1].ends_with(" ; Discharge q = 20.0 gpm")) << lines[1];
  EXPECT_TRUE(SummarizeEquivK(Project, "NONE").empty());
}

TEST_F(EquivKProjectTest, AFailedDefinitionListsItsMessages) {
  Project.EquivK[0].Lines = {"Head 0 20 5.6"};
  const std::vector<std::string> lines = EquivKSummaryLines(SummarizeEquivK(Project, "ARM1"), Project.Units);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[1], "  A \"Head\" command may only follow a \"Pipe\" command.");
}

TEST_F(EquivKProjectTest, AHeadAskingLessThanTheDefinitionDeliversIsWarned) {
  UpdateEquivK(Project);
  std::vector<std::string> body = Project.Body;
  body.back() = "Head  N3  10 15 DROP1";
  const TRunResult run = pelmora::Run(body, Project);
  bool warned = false;
  for (const std::string& message : run.Messages)
    warned = warned || message.find("Minimum discharge parameter is lower than equivalent k-factor's calculated flow of 20.00") !=
                           std::string::npos;
  EXPECT_TRUE(warned);
}

}  // namespace
}  // namespace pelmora
