// The main window's rules without a window: title, command line, names pane, message jumps,
// help topics, copied properties and the run with a message pump.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "input/calc_run.h"
#include "input/zub_file.h"
#include "shell/copy_properties.h"
#include "shell/help_topics.h"
#include "shell/message_jump.h"
#include "shell/names_pane.h"
#include "shell/shell_texts.h"

namespace pelmora {
namespace {

TEST(ShellTexts, TitleAndCommandLineName) {
  EXPECT_EQ(WindowTitle(kUntitled), "ZUB Editor - Untitled");
  EXPECT_EQ(WindowTitle("/home/ann/jobs/ware house.v2.zub"), "ZUB Editor - ware house.v2");
  EXPECT_EQ(CommandLineFileName({}), "");
  EXPECT_EQ(CommandLineFileName({"/tmp/my", "job.zub"}), "/tmp/my job.zub");
  EXPECT_EQ(CommandLineFileName({"/tmp/job.zub"}), "/tmp/job.zub");
}

TEST(NamesPane, ListsUndefinedThenUnusedAndIsEmptyWithoutNames) {
  EXPECT_TRUE(NamesPaneLines({}, {}).empty());
  const std::vector<TNamesPaneLine> lines = NamesPaneLines({"N7"}, {"N8", "N9"});
  std::vector<std::string> texts;
  for (const TNamesPaneLine& line : lines) texts.push_back(line.Text);
  EXPECT_EQ(texts, (std::vector<std::string>{"Undefined", "Nodes", "N7", "", "Unused", "Nodes", "N8", "N9"}));
  EXPECT_TRUE(lines[0].Bold && lines[0].Centered && !lines[0].Underline);
  EXPECT_TRUE(lines[1].Bold && lines[1].Underline);
  EXPECT_FALSE(lines[2].Bold);
  EXPECT_EQ(NamesPaneLines({}, {"N8"}).front().Text, "Unused");
}

TEST(HelpTopics, PagesAndTheCommandOnTheCaretLine) {
  EXPECT_EQ(HelpPageName(460), "head");
  EXPECT_EQ(HelpPageName(12345), "welcome");
  TZubFile project;
  project.ParseLines({"Water W 0 60 500 50", "Head N1 10 25 5.6", "// note"});
  EXPECT_EQ(EditorHelpContext(kEditorHelpContext, project, 1), 460);
  EXPECT_EQ(EditorHelpContext(kEditorHelpContext, project, 0), 430);
  EXPECT_EQ(EditorHelpContext(290, project, 1), 290);
  project.HeadArea = true;
  EXPECT_EQ(EditorHelpContext(kEditorHelpContext, project, 1), 920);
}

class CalculatedText : public ::testing::Test {
 protected:
  TZubFile Project;
  TRunResult Result;
};

TEST_F(CalculatedText, MessagesJumpToTheirWordOrLine) {
  const std::vector<std::string> lines{"Water W 0 60 500 50", "Pipe  P1 W N1 100 4 ZZ", "Head  N1 10 25 5.6"};
  Result = pelmora::Run(lines, Project);
  ASSERT_FALSE(Result.Engine->FErrors.empty());
  const TCalcError& error = Result.Engine->FErrors.front();
  const std::optional<TJumpTarget> target = MessageJumpTarget(Result.Engine.get(), Project, 0);
  ASSERT_TRUE(target.has_value());
  EXPECT_EQ(target->Line, error.Line);
  const TZubParameter token = Project.GetToken(error.Line, error.Param);
  if (token.Present && !token.Comment) {
    EXPECT_EQ(lines[static_cast<size_t>(target->Line)].substr(static_cast<size_t>(target->Column),
                                                               static_cast<size_t>(target->Length)),
              token.Text);
  }
  const std::optional<TJumpTarget> beyond = MessageJumpTarget(Result.Engine.get(), Project, 99);
  ASSERT_TRUE(beyond.has_value());
  EXPECT_EQ(beyond->Line, 0);
}

TEST_F(CalculatedText, AMessageOfNoLineHasNoJump) {
  Result = pelmora::Run({"Pipe P1 A B 10 2"}, Project);
  const auto& errors = Result.Engine->FErrors;
  const auto missing = std::find_if(errors.begin(), errors.end(), [](const TCalcError& e) { return e.Line < 0; });
  ASSERT_NE(missing, errors.end());
  EXPECT_FALSE(MessageJumpTarget(Result.Engine.get(), Project, static_cast<int>(missing - errors.begin())));
}

TEST_F(CalculatedText, MessagePumpLeavesResultsAsTheyAreAndCanCancel) {
  const std::vector<std::string> lines{"Water W 0 60 500 50", "Pipe P1 W N1 100 4 E T", "Head N1 10 25 5.6"};
  const TRunResult plain = pelmora::Run(lines, Project);
  int pumped = 0;
  const TRunResult pumpedRun = pelmora::Run(lines, Project, [&] { ++pumped; });
  EXPECT_GT(pumped, 0);
  ASSERT_TRUE(plain.Success);
  ASSERT_TRUE(pumpedRun.Success);
  EXPECT_EQ(pumpedRun.Messages, plain.Messages);
  EXPECT_DOUBLE_EQ(pumpedRun.Engine->FMargin, plain.Engine->FMargin);
  EXPECT_TRUE(pumpedRun.Engine->FCalcDone);
  EXPECT_EQ(Project.FEngine, pumpedRun.Engine.get());

  const TRunResult cancelled = pelmora::Run(lines, Project, [&] { Project.FEngine->FCancel = true; });
  EXPECT_FALSE(cancelled.Success);
  ASSERT_FALSE(cancelled.Messages.empty());
  EXPECT_EQ(cancelled.Messages.back(), "Calculation cancelled.");
}

TEST(CopyProperties, EverythingButTheTextIsCopiedAndEquivalentKsAreRecalculated) {
  TZubFile from, to;
  from.JobNo = "12-345";
  from.Units.Pressure = 1;
  from.HeadArea = true;
  from.NameSeeds[nsFirstLine] = "B1-1";
  from.SystemInfo[siOccupancy] = "Warehouse";
  TEquivKFile definition;
  definition.Code = "K1";
  definition.Dirty = false;
  from.EquivK.push_back(definition);
  from.Body = {"Head H9 0 10 5.6"};
  from.DxfFileName = "plan.dxf";
  to.Body = {"Water W 0 60 500 50"};
  CopyProjectProperties(from, to);
  EXPECT_EQ(to.JobNo, "12-345");
  EXPECT_EQ(to.Units.Pressure, 1);
  EXPECT_TRUE(to.HeadArea);
  EXPECT_EQ(to.NameSeeds[nsFirstLine], "B1-1");
  EXPECT_EQ(to.SystemInfo[siOccupancy], "Warehouse");
  ASSERT_EQ(to.EquivK.size(), 1u);
  EXPECT_TRUE(to.EquivK[0].Dirty);
  EXPECT_EQ(to.Body, (std::vector<std::string>{"Water W 0 60 500 50"}));
  EXPECT_EQ(to.DxfFileName, "");
}

}  // namespace
}  // namespace pelmora
