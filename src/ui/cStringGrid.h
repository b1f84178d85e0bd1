// TStringGrid: the editable table of every input page, a QTableView over a
// grid of text cells addressed as (column, row) with the header row and the
// row-ID column counted, so page code indexes cells the way the page
// describes them: row 0 is the header, column 0 the row IDs, data from (1, 1).
//
// Beyond a plain table it offers: drop-down lists inside the cells of chosen
// columns; enabling per cell, row and column; coloured (flagged) cells; an
// empty last row that grows the table when typed into, with row IDs "prefix +
// number" in column 0; multi-line header cells; an end-of-editing signal;
// insert and delete of rows (cell flags and row states move with the rows);
// column and row sizing; Tab moving over enabled cells only.
//
// Embedded controls handed to AddControl are owned by the grid. The header
// row (at most one) is shown in the table's header; a fixed column (at most
// one) is drawn as a header-coloured, read-only column.
//
// Interface thread only.
#pragma once

#include <QColor>
#include <QTableView>

#include <map>
#include <vector>

class QComboBox;
class QMenu;
class TLabelledEdit;
class TStringGridModel;
class TStringGridDelegate;

class TStringGrid : public QTableView {
  Q_OBJECT
 public:
  explicit TStringGrid(QWidget* Parent = nullptr);
  ~TStringGrid() override;

  // Shape. Counts include the header row and the ID column.
  int ColCount() const { return col_count_; }
  int RowCount() const { return static_cast<int>(cells_.size()); }
  void SetColCount(int Count);
  void SetRowCount(int Count);
  int FixedRows() const { return fixed_rows_; }
  int FixedCols() const { return fixed_cols_; }
  void SetFixedRows(int Count);  // 0 or 1
  void SetFixedCols(int Count);  // 0 or 1

  // Cells; indices out of range read "" and are ignored when written.
  QString Cell(int ACol, int ARow) const;
  void SetCell(int ACol, int ARow, const QString& Text);
  // One row's cells from a list (the header row of a page, say).
  void SetRow(int ARow, const QStringList& Texts);

  bool HasMultiRowHeader() const { return multi_row_header_; }
  void SetHasMultiRowHeader(bool Value);
  bool WillAutoAddNewRow = false;
  QString RowIDPrefix;
  QColor ColouredCellColour = Qt::yellow;

  // Enabling. An index beyond the stored states counts as enabled.
  bool ColEnabled(int ACol) const;
  void SetColEnabled(int ACol, bool Value);
  bool RowEnabled(int ARow) const;
  void SetRowEnabled(int ARow, bool Value);
  // True when the grid, the column and the row are enabled and the cell's own flag allows it.
  bool CellEnabled(int ACol, int ARow) const;
  void SetCellEnabled(int ACol, int ARow, bool Value);
  bool CellColoured(int ACol, int ARow) const;
  void SetCellColoured(int ACol, int ARow, bool Value);

  // Embedded controls, keyed by column. A QComboBox makes the column's cells
  // drop-down lists of its entries (it stays hidden; each cell gets an editor
  // with the same entries). Other controls only stay hidden with the grid.
  void AddControl(int ACol, QWidget* Control);
  QWidget* Control(int ACol) const;
  QComboBox* ComboOf(int ACol) const;
  // Closes an open drop-down, writing its entry into the cell.
  void HideControls();
  // Writes the open cell editor's text (or drop-down entry) into its cell and closes it.
  void CommitEdit();
  bool IsEditing() const { return state() == QAbstractItemView::EditingState; }
  bool IsInComboCell() const { return in_combo_cell_; }

  // The hidden labelled edit through which a column's field checks read a
  // cell: created on first use, named after the grid and the column, its
  // label the column's header text. ExistingCheckEdit does not create one.
  TLabelledEdit* CheckEdit(int ACol);
  TLabelledEdit* ExistingCheckEdit(int ACol) const;

  // Rows.
  void InsertRow(int ARow);
  void DeleteRow(int ARow);
  void ClearRow(int ARow);
  void InitialiseLastRow();
  void ClearDataCells(bool WillOnlyClearDisabledCells);
  // Whether "Insert row" and "Delete row" may act on the current row.
  bool CanInsertRow() const;
  bool CanDeleteRow() const;
  // A context menu with "Insert row" and "Delete row"; RowsEdited follows each use.
  void SetRowEditMenu(bool Enabled);
  QMenu* RowEditMenu() const { return row_menu_; }

  // Current cell.
  int Col() const;
  int Row() const;
  void ForceSelectedCell(int ACol, int ARow);
  // Makes the cell current when it is enabled; false otherwise.
  bool SelectCell(int ACol, int ARow);

  // Sizing.
  void SetColumnsFullWidth(int ACol, bool WillAllowForScrollBar);
  void SetRowsFullHeight(int ARow, bool WillAllowForScrollBar);
  void RationaliseHeight();

  // The view's index of a cell, invalid for a header cell.
  QModelIndex IndexOf(int ACol, int ARow) const;

 signals:
  // A cell's text was set by the user (typing or a drop-down).
  void CellEdited(int ACol, int ARow);
  // The text editor of a cell closed.
  void EndEdit(int ACol, int ARow);
  // A row was inserted or deleted through the context menu.
  void RowsEdited();

 protected:
  QModelIndex moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) override;
  void currentChanged(const QModelIndex& Current, const QModelIndex& Previous) override;
  void closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) override;
  void mousePressEvent(QMouseEvent* Event) override;
  void changeEvent(QEvent* Event) override;

 private:
  friend class TStringGridModel;
  friend class TStringGridDelegate;

  struct TCell {
    QString Text;
    bool IsDisabled = false;
    bool IsColoured = false;
  };
  using TRow = std::vector<TCell>;

  void Reset();
  void SetTextFromEditor(int ACol, int ARow, const QString& Text);
  bool IsEligibleForTab(int ACol, int ARow) const;
  void InsertRowFromMenu();
  void DeleteRowFromMenu();

  int col_count_ = 5;
  int fixed_rows_ = 1;
  int fixed_cols_ = 1;
  bool multi_row_header_ = false;
  bool in_combo_cell_ = false;
  std::vector<TRow> cells_;
  std::vector<bool> col_enabled_, row_enabled_;
  std::map<int, QWidget*> controls_;
  std::map<int, TLabelledEdit*> check_edits_;
  TStringGridModel* model_;
  TStringGridDelegate* delegate_;
  QMenu* row_menu_ = nullptr;
  int edit_col_ = -1, edit_row_ = -1;  // the cell whose text editor is open
};
