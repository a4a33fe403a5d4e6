// TfrmResults: the "Calculation Results" window with the summary, node and pipe grids.
#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "reports/results_settings.h"
#include "reports/ui/qor_grid.h"

class QCheckBox;
class QMenu;
class QPushButton;
class QSplitter;

namespace pelmora {

class TCalcEngine;
class TZubFile;

class TfrmResults : public QWidget {
  Q_OBJECT
 public:
  // The settings live with the program options; the window reads and updates them.
  explicit TfrmResults(TResultsSettings& settings, QWidget* parent = nullptr);

  // The calculation shown; none clears the grids. Both must outlive their use here.
  void SetCalculation(const TCalcEngine* engine, const TZubFile* project);
  // Fills the pipe grid, the node grid and the summary grid, then sizes the columns.
  void Refresh();
  // Shows the window placed from the settings, or brings it to the front when shown.
  void ShowResults();
  // Writes geometry, filters and pipe columns back into the settings.
  void StoreSettings();

  TQorGrid* grSummary;
  TQorGrid* grNodes;
  TQorGrid* grPipe;
  QCheckBox* cbHideNodes;
  QCheckBox* cbHidePipe;
  QPushButton* btnCancel;
  QMenu* PipeMenu;
  QSplitter* Splitter;

  const std::vector<int>& PipeColumns() const { return FPipeColumns; }
  void PipeMenuClick(int kind);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildPipeMenu();
  void SetPipeColumnsFromSettings();
  void FillPipes();
  void FillNodes();
  void FillSummary();
  void ResizeColumns();
  void PlaceWindow();
  void grPipeHeaderClicked(int column);
  void grNodesHeaderClicked(int column);
  void grPipeColumnMoved(int from, int to);
  void GetCellColors(const TQorGrid& grid, int row, QColor& background, QColor& font) const;
  QString PipeCellHint(int column, int row) const;

  TResultsSettings& FSettings;
  const TCalcEngine* FEngine = nullptr;
  const TZubFile* FProject = nullptr;
  std::vector<int> FPipeColumns;
  std::vector<std::string> FSummaryHints;
  int FPipeSortKind = 0;
  int FNodeSortColumn = 0;
};

}  // namespace pelmora
