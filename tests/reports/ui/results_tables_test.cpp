// The result grids' rules without a window: name order, column choice, cells, hiding and sorting.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "engine/calc_engine.h"
#include "input/calc_run.h"
#include "input/zub_file.h"
#include "reports/results_sort.h"
#include "reports/results_tables.h"

namespace pelmora {
namespace {

TEST(PipeColumns, LettersKeepTheNameColumnFirstAndToggleAppends) {
  EXPECT_EQ(PipeColumnLetters(PipeColumnsFromLetters("CBL")), "ACBL");
  EXPECT_EQ(PipeColumnLetters(PipeColumnsFromLetters("ab?zA")), "AB");

  std::vector<int> columns = PipeColumnsFromLetters("ABCDEFGHIJKLM");
  TogglePipeColumn(columns, 11);  // Q - flow
  EXPECT_EQ(PipeColumnLetters(columns), "ABCDEFGHIJKM");
  TogglePipeColumn(columns, 11);
  EXPECT_EQ(PipeColumnLetters(columns), "ABCDEFGHIJKML");
  TogglePipeColumn(columns, 0);
  EXPECT_EQ(columns.front(), 0);

  MovePipeColumn(columns, 12, 1);
  EXPECT_EQ(PipeColumnLetters(columns), "ALBCDEFGHIJKM");
}

TEST(GridSorting, SecondClickReversesAndCellsReadAsLengths) {
  int last = 0;
  EXPECT_EQ(HeaderClick(last, 0), saReverse);  // a fresh grid is in name order already
  EXPECT_EQ(HeaderClick(last, 11), saSort);
  EXPECT_EQ(HeaderClick(last, 11), saReverse);
  EXPECT_EQ(HeaderClick(last, 0), saSort);

  constexpr int kFeetAndInches = 1, kFeet = 0;
  EXPECT_DOUBLE_EQ(SortValue("", kFeet), 0);
  EXPECT_DOUBLE_EQ(SortValue("n/a", kFeet), kUnreadableCell);
  EXPECT_DOUBLE_EQ(SortValue("12.5", kFeet), 12.5);
  EXPECT_DOUBLE_EQ(SortValue("10'6", kFeetAndInches), 10.5);

  TGridRows rows{{"P10", "10'6"}, {"p2", ""}, {"P1", "x"}, {"P3", "2'0"}};
  SortRowsByNumber(rows, 1, kFeetAndInches);
  EXPECT_EQ(rows[0][0], "P1");
  EXPECT_EQ(rows[1][0], "p2");
  EXPECT_EQ(rows[3][0], "P10");
  SortRowsByText(rows, 0);
  EXPECT_EQ(rows[0][0], "P1");
  EXPECT_EQ(rows[1][0], "P10");  // text order, not natural order
  EXPECT_EQ(rows[2][0], "p2");
}

// A solved tree: the source, a riser, two heads flowing and one dead-end pipe without flow.
class SolvedTree : public ::testing::Test {
 protected:
  TZubFile Project;
  TRunResult Result;

  void Calculate(std::vector<std::string> extra = {}) {
    std::vector<std::string> lines{"Water W 0 60 500 50",  "Pipe P1 W N1 100 4 E T", "Pipe p10 N1 h2 10 2",
                                   "Pipe P2 N1 H1 10 2",   "Pipe P3 N1 N3 10 2",    "Head H1 10 25 5.6",
                                   "Head h2 10 25 5.6",    "Node N3 10",          "Node N1 5"};
    lines.insert(lines.end(), extra.begin(), extra.end());
    Result = pelmora::Run(lines, Project);
    ASSERT_TRUE(Result.Success) << (Result.Messages.empty() ? "" : Result.Messages.front());
  }
  const TCalcEngine& Engine() const { return *Result.Engine; }
};

TEST_F(SolvedTree, RowsComeInNaturalOrderAndNonFlowingPipesCanBeHidden) {
  Calculate();
  std::vector<std::string> names;
  for (const TPipe* pipe : ListedPipes(Engine(), false)) names.push_back(pipe->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"P1", "P2", "P3", "p10"}));
  names.clear();
  for (const TPipe* pipe : ListedPipes(Engine(), true)) names.push_back(pipe->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"P1", "P2", "p10"}));
  names.clear();
  for (const TNode* node : ListedNodes(Engine(), true)) names.push_back(node->Name);
  EXPECT_EQ(names, (std::vector<std::string>{"H1", "h2", "W"}));
}

TEST_F(SolvedTree, OnePipeRowStaysWhenNoPipeFlows) {
  Calculate();
  for (size_t i = 1; i < Result.Engine->FPipes.size(); ++i) Result.Engine->FPipes[i]->Flow = 0;
  EXPECT_EQ(ListedPipes(Engine(), true).size(), 1u);
}

TEST_F(SolvedTree, CellsShowTheEngineValuesInTheProjectUnits) {
  Calculate();
  const TPipe& riser = *Engine().FindPipe("P1");
  EXPECT_EQ(PipeCell(11, riser, Engine()), FormatFlow(riser.Flow));
  EXPECT_EQ(PipeCell(12, riser, Engine()), FormatPressure(0, std::abs(riser.FrictionLoss)));
  EXPECT_EQ(PipeCell(20, riser, Engine()), "Hazen");
  EXPECT_EQ(PipeHeading(13, Engine()), "Pf/ft");
  EXPECT_EQ(PipeUnitText(17, Engine()), "ft/sec");

  const TNode& head = *Engine().FindNode("H1");
  EXPECT_EQ(NodeCell(5, head, Engine(), Project), FormatPressure(0, head.Pressure));
  EXPECT_EQ(NodeCell(8, head, Engine(), Project), "5.6");
  EXPECT_EQ(NodeCell(8, *Engine().FindNode("N3"), Engine(), Project), "");
  EXPECT_EQ(NodeCell(4, *Engine().FindNode("N3"), Engine(), Project), "");  // no minimum pressure set
  EXPECT_EQ(NodeColumnCount(false), 9);
  EXPECT_EQ(NodeColumnCount(true), 12);

  const std::vector<TSummaryRow> rows = SummaryRows(Engine(), Project);
  ASSERT_EQ(rows.size(), 19u);
  EXPECT_EQ(rows[6].Label, "Safety Margin");
  EXPECT_EQ(rows[6].Value, FormatPressure(0, Engine().FMargin) + " psi");
  EXPECT_EQ(rows[4].Value, Engine().FRiserValid ? FormatFlow(Engine().FRiserFlow) + " gpm" : "n/a");
  EXPECT_EQ(rows[15].Value, "No");
}

TEST_F(SolvedTree, HeadAreaModeAddsTheFourHeadRowsAndMarksRemoteHeads) {
  Project.HeadArea = true;
  Calculate({"Density 0.2"});
  Project.FFourHeads = {"h1"};
  const std::vector<TSummaryRow> rows = SummaryRows(Engine(), Project);
  ASSERT_EQ(rows.size(), 22u);
  EXPECT_EQ(rows[4].Label, "ga 'C' Flow");
  EXPECT_EQ(rows[7].Label, "4 Head Area");
  EXPECT_EQ(rows[9].Label, "4 Head Density");
  EXPECT_EQ(rows[10].Label, "Heads Flowing");
  EXPECT_EQ(rows[10].Hint, "number of heads flowing");  // the hint follows its row
  EXPECT_EQ(rows[8].Value, FormatFlow(Engine().FindNode("H1")->Flow) + " gpm");
  EXPECT_EQ(NodeCell(0, *Engine().FindNode("H1"), Engine(), Project), "*H1");
  EXPECT_EQ(NodeCell(0, *Engine().FindNode("h2"), Engine(), Project), "h2");
}

}  // namespace
}  // namespace pelmora
