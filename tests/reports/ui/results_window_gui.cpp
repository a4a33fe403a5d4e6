// The results window on the offscreen platform: filling, hiding, sorting by header clicks, the
// pipe column menu and its stored letters.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QHeaderView>
#include <QTest>

#include "engine/calc_engine.h"
#include "input/calc_run.h"
#include "input/zub_file.h"
#include "reports/ui/results_window.h"

namespace pelmora {
namespace {

QStringList Column(const TQorGrid& grid, int column) {
  QStringList cells;
  for (int row = grid.Grid().FixedRows(); row < grid.Grid().RowCount(); ++row) cells << grid.Grid().Cell(column, row);
  return cells;
}

class ResultsWindow : public ::testing::Test {
 protected:
  TZubFile Project;
  TRunResult Result;
  TResultsSettings Settings;
  std::unique_ptr<TfrmResults> Window;

  void SetUp() override {
    Result = pelmora::Run({"Water W 0 60 500 50", "Node N1 5", "Pipe P1 W N1 100 4 E T", "Pipe p10 N1 h2 10 2",
                           "Pipe P2 N1 H1 10 2", "Pipe P3 N1 N3 10 2", "Head H1 10 25 5.6", "Head h2 10 30 5.6",
                           "Node N3 10"},
                          Project);
    ASSERT_TRUE(Result.Success);
  }

  void Show() {
    Window = std::make_unique<TfrmResults>(Settings);
    Window->SetCalculation(Result.Engine.get(), &Project);
    Window->ShowResults();
  }

  void ClickHeader(TQorGrid& grid, int column) {
    QHeaderView* header = grid.horizontalHeader();
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(column) + 5, header->height() / 2));
  }
};

TEST_F(ResultsWindow, GridsListTheModelInNaturalOrderWithHeadingsAndUnits) {
  Show();
  EXPECT_EQ(Window->windowTitle(), "Calculation Results");
  EXPECT_EQ(Column(*Window->grPipe, 0), (QStringList{"P1", "P2", "P3", "p10"}));
  EXPECT_EQ(Window->grPipe->Grid().Cell(11, 0), "Q");
  EXPECT_EQ(Window->grPipe->Grid().Cell(11, 1), "gpm");
  EXPECT_EQ(Column(*Window->grNodes, 0), (QStringList{"H1", "h2", "N1", "N3", "W"}));
  EXPECT_EQ(Window->grSummary->Grid().Cell(0, 6), "Safety Margin");
  EXPECT_EQ(Window->grSummary->Grid().onCellHint(1, 6), "safety margin");
  EXPECT_EQ(Window->grPipe->Grid().onCellHint(5, 2), "Schedule 40 Steel");
}

TEST_F(ResultsWindow, FiltersHideInactiveNodesAndNonFlowingPipes) {
  Settings.ResultsHidePipes = true;
  Show();
  EXPECT_EQ(Column(*Window->grPipe, 0), (QStringList{"P1", "P2", "p10"}));
  Window->cbHideNodes->click();
  EXPECT_EQ(Column(*Window->grNodes, 0), (QStringList{"H1", "h2", "W"}));
  Window->hide();
  EXPECT_TRUE(Settings.ResultsHideNodes);
}

TEST_F(ResultsWindow, HeaderClicksSortAndReverse) {
  Show();
  ClickHeader(*Window->grPipe, 0);  // name order already: reversed
  EXPECT_EQ(Column(*Window->grPipe, 0), (QStringList{"p10", "P3", "P2", "P1"}));
  ClickHeader(*Window->grPipe, 11);  // by flow, ascending
  const QStringList flows = Column(*Window->grPipe, 11);
  for (int i = 1; i < flows.size(); ++i) EXPECT_LE(flows[i - 1].toDouble(), flows[i].toDouble());
  ClickHeader(*Window->grPipe, 0);  // back to names, as text
  EXPECT_EQ(Column(*Window->grPipe, 0), (QStringList{"P1", "p10", "P2", "P3"}));
}

TEST_F(ResultsWindow, ColumnMenuAppendsAndTheChoiceIsStoredAsLetters) {
  Settings.ResultsPipeCol = "BCL";
  Show();
  EXPECT_EQ(Window->grPipe->Grid().Cell(0, 0), "Name");
  Window->hide();
  EXPECT_EQ(Settings.ResultsPipeCol, "ABCL");
  Settings.ResultsPipeCol = "ABCDEFGHIJKLM";
  Window->ShowResults();
  Window->PipeMenuClick(11);
  EXPECT_EQ(Window->grPipe->Grid().ColCount(), 12);
  Window->PipeMenuClick(11);
  EXPECT_EQ(Window->grPipe->Grid().Cell(12, 0), "Q");
  Window->hide();
  EXPECT_EQ(Settings.ResultsPipeCol, "ABCDEFGHIJKML");
}

TEST_F(ResultsWindow, AModelWithoutNodesStillHasOneEmptyNodeRow) {
  TCalcEngine empty;
  Window = std::make_unique<TfrmResults>(Settings);
  Window->SetCalculation(&empty, &Project);
  Window->Refresh();
  EXPECT_EQ(Window->grNodes->Grid().RowCount(), 3);
  EXPECT_EQ(Window->grPipe->Grid().RowCount(), 3);
}

}  // namespace
}  // namespace pelmora
