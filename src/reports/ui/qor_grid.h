// TQorGrid: the program's string grid with fixed header rows and columns, per-column alignment,
// a cell-colour hook, row insertion and deletion, and column moving by mouse.
#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QString>
#include <QTableView>
#include <QVector>
#include <functional>

namespace pelmora {

enum TQorGridAlign { alLeft, alRight, alCentered, alDefault };

// Cells are addressed as (column, row) over the whole grid, the fixed rows and columns
// included; the fixed rows show as the column heading, the fixed columns as the row heading.
class TQorGridModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using TGetCellColorsEvent = std::function<void(int column, int row, QColor& background, QColor& font)>;
  using TCellHintEvent = std::function<QString(int column, int row)>;

  explicit TQorGridModel(QObject* parent = nullptr);

  int ColCount() const { return FColCount; }
  int RowCount() const { return static_cast<int>(FCells.size()); }
  void SetSize(int colCount, int rowCount);
  void SetFixed(int fixedCols, int fixedRows);
  int FixedCols() const { return FFixedCols; }
  int FixedRows() const { return FFixedRows; }
  QString Cell(int column, int row) const;
  void SetCell(int column, int row, const QString& text);
  void DeleteRow(int row);
  void InsertRow(int index);
  void MoveColumn(int from, int to);
  // The data rows as text, and back after sorting.
  QVector<QVector<QString>> DataRows() const;
  void SetDataRows(const QVector<QVector<QString>>& rows);

  TQorGridAlign Alignment = alLeft;
  TQorGridAlign ColumnAlignment(int column) const;
  void SetColumnAlignment(int column, TQorGridAlign align);
  TGetCellColorsEvent onGetCellColors;
  TCellHintEvent onCellHint;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  Qt::Alignment DrawAlignment(int column) const;
  QString FixedText(int column, int firstRow, int lastRow) const;

  int FColCount = 0;
  int FFixedCols = 0;
  int FFixedRows = 0;
  QVector<QVector<QString>> FCells;     // [row][column]
  QVector<TQorGridAlign> FColumnAlign;  // follows the columns when they grow, shrink or move
};

class TQorGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TQorGrid(QWidget* parent = nullptr);
  TQorGridModel& Grid() { return *FModel; }
  const TQorGridModel& Grid() const { return *FModel; }
  // The current row in whole-grid numbering, or -1.
  int CurrentRow() const;
  void SetCurrentRow(int row);
  int TopRow() const;
  void SetTopRow(int row);
  // Client width minus one grid line per column shared equally, the last column taking the rest.
  void ResizeColumns();
  void SetColumnsMovable(bool movable);

 signals:
  // A mouse release on a fixed row (the heading) of the column.
  void HeaderClicked(int column);
  // A mouse release anywhere in the grid.
  void CellReleased(int column, int row);
  void ColumnMoved(int from, int to);

 private:
  void SectionMoved(int logical, int oldVisual, int newVisual);
  TQorGridModel* FModel;
};

}  // namespace pelmora
