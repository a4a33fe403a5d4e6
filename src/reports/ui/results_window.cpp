#include "reports/ui/results_window.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "engine/calc_engine.h"
#include "input/zub_file.h"
#include "materials/materials.h"
#include "reports/results_sort.h"
#include "reports/results_tables.h"
#include "reports/results_placement.h"

namespace pelmora {

namespace {

constexpr int kHeaderRows = 2;

QString Q(const std::string& text) { return QString::fromStdString(text); }

TGridRows ToRows(const QVector<QVector<QString>>& cells) {
  TGridRows rows;
  for (const QVector<QString>& row : cells) {
    std::vector<std::string>& target = rows.emplace_back();
    for (const QString& cell : row) target.push_back(cell.toStdString());
  }
  return rows;
}

QVector<QVector<QString>> FromRows(const TGridRows& rows) {
  QVector<QVector<QString>> cells;
  for (const std::vector<std::string>& row : rows) {
    QVector<QString>& target = cells.emplace_back();
    for (const std::string& cell : row) target.append(Q(cell));
  }
  return cells;
}

// Text columns sort by name, the others by the number they show.
void SortGrid(TQorGrid& grid, TSortAction action, int column, bool asText, int lengthUnit) {
  TGridRows rows = ToRows(grid.Grid().DataRows());
  if (action == saReverse)
    std::reverse(rows.begin(), rows.end());
  else if (asText)
    SortRowsByText(rows, column);
  else
    SortRowsByNumber(rows, column, lengthUnit);
  grid.Grid().SetDataRows(FromRows(rows));
}

TQorGrid* NewGrid(QWidget* parent, bool rowSelect) {
  auto* grid = new TQorGrid(parent);
  if (rowSelect) {
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
  } else {
    grid->setSelectionMode(QAbstractItemView::NoSelection);
  }
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  return grid;
}

}  // namespace

TfrmResults::TfrmResults(TResultsSettings& settings, QWidget* parent)
    : QWidget(parent, Qt::Window), FSettings(settings) {
  setObjectName("frmResults");
  setWindowTitle("Calculation Results");
  Splitter = new QSplitter(Qt::Vertical, this);
  auto* upper = new QWidget(Splitter);
  auto* upperLayout = new QHBoxLayout(upper);
  upperLayout->setContentsMargins(0, 0, 0, 0);
  grSummary = NewGrid(upper, false);
  grNodes = NewGrid(upper, true);
  grSummary->setMinimumWidth(240);
  upperLayout->addWidget(grSummary, 2);
  upperLayout->addWidget(grNodes, 5);
  grPipe = NewGrid(Splitter, true);
  grPipe->SetColumnsMovable(true);
  Splitter->addWidget(upper);
  Splitter->addWidget(grPipe);

  auto* controls = new QHBoxLayout;
  cbHideNodes = new QCheckBox("hide inactive nodes", this);
  cbHidePipe = new QCheckBox("hide non-flowing pipes", this);
  btnCancel = new QPushButton("Close", this);
  controls->addWidget(cbHideNodes);
  controls->addWidget(cbHidePipe);
  controls->addStretch();
  controls->addWidget(btnCancel);
  controls->addSpacing(16);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Splitter, 1);
  layout->addLayout(controls);

  cbHideNodes->setChecked(FSettings.ResultsHideNodes);
  cbHidePipe->setChecked(FSettings.ResultsHidePipes);
  connect(cbHideNodes, &QCheckBox::clicked, this, [this] {
    FillNodes();
    ResizeColumns();
  });
  connect(cbHidePipe, &QCheckBox::clicked, this, [this] {
    FillPipes();
    ResizeColumns();
  });
  connect(btnCancel, &QPushButton::clicked, this, &QWidget::close);
  connect(grPipe, &TQorGrid::HeaderClicked, this, &TfrmResults::grPipeHeaderClicked);
  connect(grNodes, &TQorGrid::HeaderClicked, this, &TfrmResults::grNodesHeaderClicked);
  connect(grNodes, &TQorGrid::CellReleased, this, [this](int column, int) { FNodeSortColumn = column; });
  connect(grPipe, &TQorGrid::ColumnMoved, this, &TfrmResults::grPipeColumnMoved);

  for (TQorGrid* grid : {grNodes, grPipe})
    grid->Grid().onGetCellColors = [this, grid](int, int row, QColor& background, QColor& font) {
      GetCellColors(*grid, row, background, font);
    };
  grSummary->Grid().onCellHint = [this](int, int row) {
    return row >= 0 && row < static_cast<int>(FSummaryHints.size()) ? Q(FSummaryHints[row]) : QString();
  };
  grNodes->Grid().onCellHint = [](int column, int) { return Q(NodeHint(column)); };
  grPipe->Grid().onCellHint = [this](int column, int row) { return PipeCellHint(column, row); };

  BuildPipeMenu();
  SetPipeColumnsFromSettings();
  resize(FSettings.ResultsWidth, FSettings.ResultsHeight);
}

void TfrmResults::SetCalculation(const TCalcEngine* engine, const TZubFile* project) {
  FEngine = engine;
  FProject = project;
  if (FEngine == nullptr || FProject == nullptr) {
    for (TQorGrid* grid : {grSummary, grNodes, grPipe}) grid->Grid().SetSize(0, 0);
  }
}

void TfrmResults::Refresh() {
  FillPipes();
  FillNodes();
  FillSummary();
  ResizeColumns();
}

void TfrmResults::BuildPipeMenu() {
  PipeMenu = new QMenu(this);
  for (int kind = 0; kind < kPipeColumnKinds; ++kind) {
    QAction* item = PipeMenu->addAction(PipeColumnInfo(kind).MenuItem);
    item->setCheckable(true);
    item->setData(kind);
    if (kind == kPipeNameColumn) {
      item->setChecked(true);
      item->setEnabled(false);
    }
    connect(item, &QAction::triggered, this, [this, kind] { PipeMenuClick(kind); });
  }
  grPipe->setContextMenuPolicy(Qt::CustomContextMenu);
  grPipe->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
  const auto popup = [this](const QPoint&) { PipeMenu->popup(QCursor::pos()); };
  connect(grPipe, &QWidget::customContextMenuRequested, this, popup);
  connect(grPipe->horizontalHeader(), &QWidget::customContextMenuRequested, this, popup);
}

void TfrmResults::SetPipeColumnsFromSettings() {
  FPipeColumns = PipeColumnsFromLetters(FSettings.ResultsPipeCol);
  for (QAction* item : PipeMenu->actions()) {
    const int kind = item->data().toInt();
    item->setChecked(std::find(FPipeColumns.begin(), FPipeColumns.end(), kind) != FPipeColumns.end());
  }
}

void TfrmResults::PipeMenuClick(int kind) {
  TogglePipeColumn(FPipeColumns, kind);
  for (QAction* item : PipeMenu->actions())
    if (item->data().toInt() == kind)
      item->setChecked(std::find(FPipeColumns.begin(), FPipeColumns.end(), kind) != FPipeColumns.end());
  FSettings.ResultsPipeCol = PipeColumnLetters(FPipeColumns);
  FillPipes();
  ResizeColumns();
}

void TfrmResults::grPipeColumnMoved(int from, int to) {
  MovePipeColumn(FPipeColumns, from, to);
  FSettings.ResultsPipeCol = PipeColumnLetters(FPipeColumns);
}

void TfrmResults::FillPipes() {
  TQorGridModel& grid = grPipe->Grid();
  const int top = grPipe->TopRow(), current = grPipe->CurrentRow();
  if (FEngine == nullptr || FProject == nullptr) return;
  const std::vector<const TPipe*> pipes = ListedPipes(*FEngine, false);
  const int columns = static_cast<int>(FPipeColumns.size());
  grid.SetFixed(0, kHeaderRows);
  grid.SetSize(columns, kHeaderRows + std::max<int>(1, static_cast<int>(pipes.size())));
  for (int column = 0; column < columns; ++column) {
    const int kind = FPipeColumns[static_cast<size_t>(column)];
    grid.SetCell(column, 0, Q(PipeHeading(kind, *FEngine)));
    grid.SetCell(column, 1, Q(PipeUnitText(kind, *FEngine)));
    for (size_t i = 0; i < pipes.size(); ++i)
      grid.SetCell(column, kHeaderRows + static_cast<int>(i), Q(PipeCell(kind, *pipes[i], *FEngine)));
  }
  if (cbHidePipe->isChecked())
    for (int i = static_cast<int>(pipes.size()) - 1; i >= 0 && grid.RowCount() > kHeaderRows + 1; --i)
      if (pipes[static_cast<size_t>(i)]->Flow == 0) grid.DeleteRow(kHeaderRows + i);
  grPipe->SetTopRow(top);
  grPipe->SetCurrentRow(current);
  FPipeSortKind = 0;
}

void TfrmResults::FillNodes() {
  if (FEngine == nullptr || FProject == nullptr) return;
  TQorGridModel& grid = grNodes->Grid();
  const std::vector<const TNode*> nodes = ListedNodes(*FEngine, cbHideNodes->isChecked());
  const int columns = NodeColumnCount(FProject->HeadArea);
  grid.SetFixed(0, kHeaderRows);
  grid.SetSize(columns, std::max<int>(kHeaderRows + 1, kHeaderRows + static_cast<int>(nodes.size())));
  for (int column = 0; column < columns; ++column) {
    grid.SetCell(column, 0, Q(NodeHeading(column)));
    grid.SetCell(column, 1, Q(NodeUnitText(column, *FEngine)));
    for (size_t i = 0; i < nodes.size(); ++i)
      grid.SetCell(column, kHeaderRows + static_cast<int>(i), Q(NodeCell(column, *nodes[i], *FEngine, *FProject)));
  }
  FNodeSortColumn = 0;
}

void TfrmResults::FillSummary() {
  if (FEngine == nullptr || FProject == nullptr) return;
  TQorGridModel& grid = grSummary->Grid();
  const std::vector<TSummaryRow> rows = SummaryRows(*FEngine, *FProject);
  grid.SetFixed(1, 0);
  grid.SetSize(2, static_cast<int>(rows.size()));
  FSummaryHints.clear();
  for (size_t i = 0; i < rows.size(); ++i) {
    grid.SetCell(0, static_cast<int>(i), Q(rows[i].Label));
    grid.SetCell(1, static_cast<int>(i), Q(rows[i].Value));
    FSummaryHints.push_back(rows[i].Hint);
  }
}

void TfrmResults::ResizeColumns() {
  for (TQorGrid* grid : {grSummary, grNodes, grPipe}) grid->ResizeColumns();
}

void TfrmResults::grPipeHeaderClicked(int column) {
  if (FEngine == nullptr || column < 0 || column >= static_cast<int>(FPipeColumns.size())) return;
  const int kind = FPipeColumns[static_cast<size_t>(column)];
  const TSortAction action = HeaderClick(FPipeSortKind, kind);
  SortGrid(*grPipe, action, column, PipeColumnInfo(kind).TextSort, FEngine->FInputUnits.Length);
}

void TfrmResults::grNodesHeaderClicked(int column) {
  if (FEngine == nullptr) return;
  const TSortAction action = HeaderClick(FNodeSortColumn, column);
  SortGrid(*grNodes, action, column, NodeTextSort(column), FEngine->FInputUnits.Length);
}

void TfrmResults::GetCellColors(const TQorGrid& grid, int row, QColor& background, QColor& font) const {
  if (row != grid.CurrentRow()) return;
  background = palette().color(QPalette::Highlight);
  font = palette().color(QPalette::HighlightedText);
}

QString TfrmResults::PipeCellHint(int column, int row) const {
  if (column < 0 || column >= static_cast<int>(FPipeColumns.size())) return {};
  const int kind = FPipeColumns[static_cast<size_t>(column)];
  const TPipe* pipe = nullptr;
  const auto nameColumn = std::find(FPipeColumns.begin(), FPipeColumns.end(), kPipeNameColumn);
  if (FEngine != nullptr && row >= kHeaderRows && nameColumn != FPipeColumns.end())
    pipe = FEngine->FindPipe(grPipe->Grid().Cell(static_cast<int>(nameColumn - FPipeColumns.begin()), row).toStdString());
  return Q(PipeHint(kind, pipe, FEngine != nullptr && FEngine->FMaterials != nullptr ? *FEngine->FMaterials : Materials()));
}

void TfrmResults::ShowResults() {
  if (isVisible()) {
    showNormal();
    raise();
    activateWindow();
    return;
  }
  PlaceWindow();
  SetPipeColumnsFromSettings();
  Refresh();
  show();
  ResizeColumns();
}

// Stored place and size, kept on the screen; the pipe panel gets its stored height when it fits.
void TfrmResults::PlaceWindow() {
  const TWindowRect stored{std::max(0, FSettings.ResultsLeft), std::max(0, FSettings.ResultsTop),
                           FSettings.ResultsWidth < 1 ? 720 : FSettings.ResultsWidth,
                           FSettings.ResultsHeight < 1 ? 420 : FSettings.ResultsHeight};
  const QRect desktop = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, stored.Width, stored.Height);
  const TWindowRect placed = pelmora::PlaceWindow(stored, stored, desktop.width(), desktop.height());
  setGeometry(desktop.left() + placed.Left, desktop.top() + placed.Top, placed.Width, placed.Height);
  const int total = Splitter->height() > 0 ? Splitter->height() : placed.Height;
  const int lower = FSettings.ResultsSplit > 0 && FSettings.ResultsSplit < total ? FSettings.ResultsSplit : total / 2;
  Splitter->setSizes({total - lower, lower});
}

void TfrmResults::StoreSettings() {
  if (isVisible()) {
    const QRect place = geometry();
    FSettings.ResultsLeft = place.left();
    FSettings.ResultsTop = place.top();
    FSettings.ResultsWidth = place.width();
    FSettings.ResultsHeight = place.height();
    FSettings.ResultsSplit = grPipe->height();
  }
  FSettings.ResultsHideNodes = cbHideNodes->isChecked();
  FSettings.ResultsHidePipes = cbHidePipe->isChecked();
  FSettings.ResultsPipeCol = PipeColumnLetters(FPipeColumns);
}

void TfrmResults::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  ResizeColumns();
}

void TfrmResults::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) StoreSettings();
}

void TfrmResults::hideEvent(QHideEvent* event) {
  StoreSettings();
  QWidget::hideEvent(event);
}

}  // namespace pelmora
