#include "reports/ui/qor_grid.h"

#include <QHeaderView>
#include <QScrollBar>
#include <QStringList>
#include <algorithm>

namespace pelmora {

TQorGridModel::TQorGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void TQorGridModel::SetSize(int colCount, int rowCount) {
  beginResetModel();
  FColCount = std::max(0, colCount);
  FCells.resize(std::max(0, rowCount));
  for (QVector<QString>& row : FCells) row.resize(FColCount);
  FColumnAlign.resize(FColCount, alDefault);
  endResetModel();
}

void TQorGridModel::SetFixed(int fixedCols, int fixedRows) {
  beginResetModel();
  FFixedCols = std::max(0, fixedCols);
  FFixedRows = std::max(0, fixedRows);
  endResetModel();
}

QString TQorGridModel::Cell(int column, int row) const {
  if (row < 0 || row >= RowCount() || column < 0 || column >= FColCount) return {};
  return FCells[row][column];
}

void TQorGridModel::SetCell(int column, int row, const QString& text) {
  if (row < 0 || row >= RowCount() || column < 0 || column >= FColCount) return;
  FCells[row][column] = text;
  if (row < FFixedRows) {
    emit headerDataChanged(Qt::Horizontal, column - FFixedCols, column - FFixedCols);
  } else if (column < FFixedCols) {
    emit headerDataChanged(Qt::Vertical, row - FFixedRows, row - FFixedRows);
  } else {
    const QModelIndex at = index(row - FFixedRows, column - FFixedCols);
    emit dataChanged(at, at);
  }
}

void TQorGridModel::DeleteRow(int row) {
  if (row < FFixedRows || row >= RowCount()) return;
  beginRemoveRows({}, row - FFixedRows, row - FFixedRows);
  FCells.remove(row);
  endRemoveRows();
}

void TQorGridModel::InsertRow(int index) {
  const int at = std::clamp(index, FFixedRows, RowCount());
  beginInsertRows({}, at - FFixedRows, at - FFixedRows);
  FCells.insert(at, QVector<QString>(FColCount));
  endInsertRows();
}

void TQorGridModel::MoveColumn(int from, int to) {
  if (from < 0 || from >= FColCount || to < 0 || to >= FColCount || from == to) return;
  beginResetModel();
  for (QVector<QString>& row : FCells) row.move(from, to);
  FColumnAlign.move(from, to);
  endResetModel();
}

QVector<QVector<QString>> TQorGridModel::DataRows() const { return FCells.mid(FFixedRows); }

void TQorGridModel::SetDataRows(const QVector<QVector<QString>>& rows) {
  beginResetModel();
  FCells.resize(FFixedRows);
  for (QVector<QString> row : rows) {
    row.resize(FColCount);
    FCells.append(row);
  }
  endResetModel();
}

TQorGridAlign TQorGridModel::ColumnAlignment(int column) const {
  return column >= 0 && column < FColumnAlign.size() ? FColumnAlign[column] : alDefault;
}

void TQorGridModel::SetColumnAlignment(int column, TQorGridAlign align) {
  if (column < 0 || column >= FColumnAlign.size()) return;
  FColumnAlign[column] = align;
  emit dataChanged(index(0, column - FFixedCols), index(rowCount() - 1, column - FFixedCols));
}

Qt::Alignment TQorGridModel::DrawAlignment(int column) const {
  TQorGridAlign align = ColumnAlignment(column);
  if (align == alDefault) align = Alignment;
  switch (align) {
    case alRight: return Qt::AlignRight | Qt::AlignVCenter;
    case alCentered: return Qt::AlignHCenter | Qt::AlignVCenter;
    default: return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

QString TQorGridModel::FixedText(int column, int firstRow, int lastRow) const {
  QStringList lines;
  for (int row = firstRow; row <= lastRow; ++row) lines << Cell(column, row);
  return lines.join('\n');
}

int TQorGridModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, RowCount() - FFixedRows);
}

int TQorGridModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : std::max(0, FColCount - FFixedCols);
}

QVariant TQorGridModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  const int column = index.column() + FFixedCols, row = index.row() + FFixedRows;
  switch (role) {
    case Qt::DisplayRole: return Cell(column, row);
    case Qt::TextAlignmentRole: return QVariant::fromValue(DrawAlignment(column));
    case Qt::ToolTipRole: return onCellHint ? QVariant(onCellHint(column, row)) : QVariant();
    case Qt::BackgroundRole:
    case Qt::ForegroundRole: {
      if (!onGetCellColors) return {};
      QColor background, font;
      onGetCellColors(column, row, background, font);
      const QColor& colour = role == Qt::BackgroundRole ? background : font;
      return colour.isValid() ? QVariant(colour) : QVariant();
    }
    default: return {};
  }
}

QVariant TQorGridModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation == Qt::Horizontal) {
    const int column = section + FFixedCols;
    if (role == Qt::DisplayRole) return FFixedRows > 0 ? QVariant(FixedText(column, 0, FFixedRows - 1)) : QVariant();
    if (role == Qt::ToolTipRole && onCellHint) return onCellHint(column, 0);
    return {};
  }
  const int row = section + FFixedRows;
  if (role == Qt::DisplayRole && FFixedCols > 0) {
    QStringList parts;
    for (int column = 0; column < FFixedCols; ++column) parts << Cell(column, row);
    return parts.join(' ');
  }
  if (role == Qt::ToolTipRole && onCellHint) return onCellHint(0, row);
  if (role == Qt::TextAlignmentRole) return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  return {};
}

TQorGrid::TQorGrid(QWidget* parent) : QTableView(parent), FModel(new TQorGridModel(this)) {
  setModel(FModel);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  horizontalHeader()->setHighlightSections(false);
  connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int section) { emit HeaderClicked(section + FModel->FixedCols()); });
  connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
    emit CellReleased(index.column() + FModel->FixedCols(), index.row() + FModel->FixedRows());
  });
  connect(horizontalHeader(), &QHeaderView::sectionMoved, this, &TQorGrid::SectionMoved);
  connect(FModel, &QAbstractItemModel::modelReset, this, [this] {
    verticalHeader()->setVisible(FModel->FixedCols() > 0);
    horizontalHeader()->setVisible(FModel->FixedRows() > 0);
  });
}

int TQorGrid::CurrentRow() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? current.row() + FModel->FixedRows() : -1;
}

void TQorGrid::SetCurrentRow(int row) {
  const int dataRow = row - FModel->FixedRows();
  if (dataRow < 0 || dataRow >= FModel->rowCount()) return;
  setCurrentIndex(FModel->index(dataRow, 0));
}

int TQorGrid::TopRow() const { return rowAt(0) < 0 ? FModel->FixedRows() : rowAt(0) + FModel->FixedRows(); }

void TQorGrid::SetTopRow(int row) {
  const int dataRow = row - FModel->FixedRows();
  if (dataRow < 0 || dataRow >= FModel->rowCount()) return;
  scrollTo(FModel->index(dataRow, 0), QAbstractItemView::PositionAtTop);
}

void TQorGrid::ResizeColumns() {
  const int columns = FModel->ColCount();
  if (columns == 0) return;
  int client = width() - 2 * frameWidth();
  if (verticalScrollBar()->isVisible()) client -= verticalScrollBar()->width();
  const int share = std::max(1, client / columns);
  if (FModel->FixedCols() > 0) verticalHeader()->setFixedWidth(share * FModel->FixedCols());
  const int dataColumns = FModel->columnCount();
  for (int section = 0; section < dataColumns; ++section) {
    const bool last = section == dataColumns - 1;
    horizontalHeader()->resizeSection(section, last ? std::max(1, client - share * (columns - 1)) : share);
  }
}

void TQorGrid::SetColumnsMovable(bool movable) { horizontalHeader()->setSectionsMovable(movable); }

// The grid moves its own columns; the header goes back to its plain order.
void TQorGrid::SectionMoved(int logical, int oldVisual, int newVisual) {
  Q_UNUSED(logical);
  QHeaderView* header = horizontalHeader();
  {
    const QSignalBlocker blocker(header);
    header->moveSection(newVisual, oldVisual);
  }
  const int from = oldVisual + FModel->FixedCols(), to = newVisual + FModel->FixedCols();
  FModel->MoveColumn(from, to);
  emit ColumnMoved(from, to);
}

}  // namespace pelmora
