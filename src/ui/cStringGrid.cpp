#include "ui/cStringGrid.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "ui/cFieldCheck.h"

// ---------------------------------------------------------------------------
// The model: the grid's data rows (the header row goes to the table's header).

class TStringGridModel : public QAbstractTableModel {
 public:
  explicit TStringGridModel(TStringGrid& Grid) : QAbstractTableModel(&Grid), grid_(Grid) {}

  int rowCount(const QModelIndex& Parent = {}) const override {
    return Parent.isValid() ? 0 : std::max(0, grid_.RowCount() - grid_.fixed_rows_);
  }
  int columnCount(const QModelIndex& Parent = {}) const override { return Parent.isValid() ? 0 : grid_.col_count_; }

  QVariant data(const QModelIndex& Index, int Role) const override {
    const int c = Index.column(), r = Index.row() + grid_.fixed_rows_;
    switch (Role) {
      case Qt::DisplayRole:
      case Qt::EditRole: return grid_.Cell(c, r);
      case Qt::BackgroundRole:
        if (c < grid_.fixed_cols_) return grid_.palette().color(QPalette::Button);
        if (grid_.CellColoured(c, r)) return grid_.ColouredCellColour;
        return {};
      case Qt::AccessibleTextRole: return grid_.Cell(c, r);
      default: return {};
    }
  }

  bool setData(const QModelIndex& Index, const QVariant& Value, int Role) override {
    if (Role != Qt::EditRole || !Index.isValid()) return false;
    grid_.SetTextFromEditor(Index.column(), Index.row() + grid_.fixed_rows_, Value.toString());
    return true;
  }

  Qt::ItemFlags flags(const QModelIndex& Index) const override {
    const int c = Index.column(), r = Index.row() + grid_.fixed_rows_;
    if (c < grid_.fixed_cols_) return Qt::ItemIsEnabled;
    if (!grid_.CellEnabled(c, r)) return Qt::NoItemFlags;
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
  }

  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override {
    if (Orientation != Qt::Horizontal || grid_.fixed_rows_ == 0) return {};
    if (Role == Qt::DisplayRole) {
      QString text = grid_.Cell(Section, 0);
      text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
      if (!grid_.multi_row_header_) text.replace(QLatin1Char('\n'), QLatin1Char(' '));
      return text;
    }
    return {};
  }

  void AppendRow(std::vector<TStringGrid::TRow>& Cells, int ColCount) {
    const int at = rowCount();
    beginInsertRows({}, at, at);
    Cells.emplace_back(static_cast<size_t>(ColCount));
    endInsertRows();
  }
  void Reset() {
    beginResetModel();
    endResetModel();
  }
  void CellChanged(int ACol, int ARow) {
    if (ARow < grid_.fixed_rows_) {
      emit headerDataChanged(Qt::Horizontal, ACol, ACol);
      return;
    }
    const QModelIndex i = index(ARow - grid_.fixed_rows_, ACol);
    emit dataChanged(i, i);
  }
  void AllChanged() {
    if (rowCount() > 0 && columnCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    emit headerDataChanged(Qt::Horizontal, 0, std::max(0, columnCount() - 1));
  }

 private:
  TStringGrid& grid_;
};

// ---------------------------------------------------------------------------
// The delegate: drop-down editors for combo columns, and the cell drawing
// (text 6 pixels in, disabled text greyed, the current cell framed instead of filled).

class TStringGridDelegate : public QStyledItemDelegate {
 public:
  explicit TStringGridDelegate(TStringGrid& Grid) : QStyledItemDelegate(&Grid), grid_(Grid) {}

  QWidget* createEditor(QWidget* Parent, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    const int c = Index.column(), r = Index.row() + grid_.fixed_rows_;
    grid_.edit_col_ = c;
    grid_.edit_row_ = r;
    if (QComboBox* source = grid_.ComboOf(c)) {
      auto* combo = new QComboBox(Parent);
      for (int i = 0; i < source->count(); ++i) combo->addItem(source->itemText(i));
      combo->setAccessibleName(grid_.Cell(c, 0).simplified());
      // A choice is written into the cell at once, as the user picks it.
      connect(combo, &QComboBox::activated, this, [this, combo](int) {
        auto* self = const_cast<TStringGridDelegate*>(this);
        emit self->commitData(combo);
      });
      return combo;
    }
    QWidget* editor = QStyledItemDelegate::createEditor(Parent, Option, Index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) line->setAccessibleName(grid_.Cell(c, 0).simplified());
    return editor;
  }

  void setEditorData(QWidget* Editor, const QModelIndex& Index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(Editor)) {
      const int i = combo->findText(Index.data(Qt::EditRole).toString());
      combo->setCurrentIndex(i >= 0 ? i : 0);
      return;
    }
    QStyledItemDelegate::setEditorData(Editor, Index);
  }

  void setModelData(QWidget* Editor, QAbstractItemModel* Model, const QModelIndex& Index) const override {
    if (auto* combo = qobject_cast<QComboBox*>(Editor)) {
      if (combo->currentText() != Index.data(Qt::EditRole).toString())
        Model->setData(Index, combo->currentText(), Qt::EditRole);
      return;
    }
    if (auto* line = qobject_cast<QLineEdit*>(Editor)) {
      if (line->text() != Index.data(Qt::EditRole).toString()) Model->setData(Index, line->text(), Qt::EditRole);
      return;
    }
    QStyledItemDelegate::setModelData(Editor, Model, Index);
  }

  void paint(QPainter* Painter, const QStyleOptionViewItem& Option, const QModelIndex& Index) const override {
    QStyleOptionViewItem opt = Option;
    initStyleOption(&opt, Index);
    const QVariant background = Index.data(Qt::BackgroundRole);
    const bool enabled = Index.flags().testFlag(Qt::ItemIsEnabled) && grid_.isEnabled();
    Painter->save();
    Painter->fillRect(opt.rect, background.isValid() ? background.value<QColor>() : opt.palette.color(QPalette::Base));
    Painter->setPen(opt.palette.color(enabled ? QPalette::Normal : QPalette::Disabled, QPalette::Text));
    const QRect text_rect = opt.rect.adjusted(6, 0, -2, 0);
    const QString text = opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, text_rect.width());
    Painter->drawText(text_rect, Qt::AlignVCenter | Qt::AlignLeft, text);
    if (opt.state.testFlag(QStyle::State_HasFocus) && grid_.currentIndex() == Index) {
      QPen pen(opt.palette.color(QPalette::Highlight));
      pen.setWidth(2);
      Painter->setPen(pen);
      Painter->drawRect(opt.rect.adjusted(1, 1, -1, -1));
    }
    Painter->restore();
  }

 private:
  TStringGrid& grid_;
};

// ---------------------------------------------------------------------------
// TStringGrid

TStringGrid::TStringGrid(QWidget* Parent) : QTableView(Parent) {
  cells_.assign(5, TRow(static_cast<size_t>(col_count_)));
  model_ = new TStringGridModel(*this);
  delegate_ = new TStringGridDelegate(*this);
  setModel(model_);
  setItemDelegate(delegate_);
  // One cell at a time: the range selection is off.
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectItems);
  setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                  QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked);
  setTabKeyNavigation(true);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  horizontalHeader()->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setSectionsClickable(false);
  setWordWrap(false);
}

TStringGrid::~TStringGrid() = default;

void TStringGrid::Reset() {
  const int c = Col(), r = Row();
  const int top = verticalScrollBar()->value();
  model_->Reset();
  if (c >= 0 && r >= fixed_rows_ && r < RowCount()) setCurrentIndex(IndexOf(c, r));
  verticalScrollBar()->setValue(top);
}

void TStringGrid::SetColCount(int Count) {
  col_count_ = std::max(0, Count);
  for (TRow& row : cells_) row.resize(static_cast<size_t>(col_count_));
  Reset();
}

void TStringGrid::SetRowCount(int Count) {
  cells_.resize(static_cast<size_t>(std::max(0, Count)), TRow(static_cast<size_t>(col_count_)));
  Reset();
}

void TStringGrid::SetFixedRows(int Count) {
  fixed_rows_ = std::clamp(Count, 0, 1);
  horizontalHeader()->setVisible(fixed_rows_ > 0);
  Reset();
}

void TStringGrid::SetFixedCols(int Count) {
  fixed_cols_ = std::clamp(Count, 0, 1);
  Reset();
}

QString TStringGrid::Cell(int ACol, int ARow) const {
  if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= col_count_) return {};
  return cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)].Text;
}

void TStringGrid::SetCell(int ACol, int ARow, const QString& Text) {
  if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= col_count_) return;
  cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)].Text = Text;
  model_->CellChanged(ACol, ARow);
}

void TStringGrid::SetRow(int ARow, const QStringList& Texts) {
  for (int c = 0; c < Texts.size() && c < col_count_; ++c) SetCell(c, ARow, Texts[c]);
}

void TStringGrid::SetHasMultiRowHeader(bool Value) {
  multi_row_header_ = Value;
  model_->AllChanged();
  horizontalHeader()->resizeSections(QHeaderView::Interactive);
}

// The user's text: typing into the automatic last row first appends a new
// empty last row, so there is always one to type into.
void TStringGrid::SetTextFromEditor(int ACol, int ARow, const QString& Text) {
  if (WillAutoAddNewRow && ARow == RowCount() - 1 && !Text.isEmpty()) {
    model_->AppendRow(cells_, col_count_);
    InitialiseLastRow();
  }
  SetCell(ACol, ARow, Text);
  emit CellEdited(ACol, ARow);
}

bool TStringGrid::ColEnabled(int ACol) const {
  return ACol < 0 || ACol >= static_cast<int>(col_enabled_.size()) || col_enabled_[static_cast<size_t>(ACol)];
}

void TStringGrid::SetColEnabled(int ACol, bool Value) {
  if (ACol < 0) return;
  if (ACol >= static_cast<int>(col_enabled_.size())) col_enabled_.resize(static_cast<size_t>(ACol) + 1, true);
  col_enabled_[static_cast<size_t>(ACol)] = Value;
  model_->AllChanged();
}

bool TStringGrid::RowEnabled(int ARow) const {
  return ARow < 0 || ARow >= static_cast<int>(row_enabled_.size()) || row_enabled_[static_cast<size_t>(ARow)];
}

void TStringGrid::SetRowEnabled(int ARow, bool Value) {
  if (ARow < 0) return;
  if (ARow >= static_cast<int>(row_enabled_.size())) row_enabled_.resize(static_cast<size_t>(ARow) + 1, true);
  row_enabled_[static_cast<size_t>(ARow)] = Value;
  model_->AllChanged();
}

bool TStringGrid::CellEnabled(int ACol, int ARow) const {
  if (!isEnabled() || !ColEnabled(ACol) || !RowEnabled(ARow)) return false;
  if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= col_count_) return true;
  return !cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)].IsDisabled;
}

void TStringGrid::SetCellEnabled(int ACol, int ARow, bool Value) {
  if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= col_count_) return;
  cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)].IsDisabled = !Value;
  model_->CellChanged(ACol, ARow);
}

bool TStringGrid::CellColoured(int ACol, int ARow) const {
  if (!isEnabled() || !ColEnabled(ACol) || !RowEnabled(ARow)) return false;
  if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= col_count_) return false;
  return cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)].IsColoured;
}

void TStringGrid::SetCellColoured(int ACol, int ARow, bool Value) {
  if (ARow < 0 || ARow >= RowCount() || ACol < 0 || ACol >= col_count_) return;
  cells_[static_cast<size_t>(ARow)][static_cast<size_t>(ACol)].IsColoured = Value;
  model_->CellChanged(ACol, ARow);
}

void TStringGrid::AddControl(int ACol, QWidget* Control) {
  if (!Control) return;
  auto old = controls_.find(ACol);
  if (old != controls_.end() && old->second != Control) delete old->second;
  Control->setParent(this);
  Control->hide();
  if (auto* combo = qobject_cast<QComboBox*>(Control)) combo->setEditable(false);  // a drop-down list
  controls_[ACol] = Control;
}

QWidget* TStringGrid::Control(int ACol) const {
  auto it = controls_.find(ACol);
  return it == controls_.end() ? nullptr : it->second;
}

QComboBox* TStringGrid::ComboOf(int ACol) const { return qobject_cast<QComboBox*>(Control(ACol)); }

void TStringGrid::HideControls() {
  if (state() != QAbstractItemView::EditingState) return;
  QWidget* editor = indexWidget(currentIndex());
  if (auto* combo = qobject_cast<QComboBox*>(editor)) {
    emit delegate_->commitData(combo);
    closeEditor(combo, QAbstractItemDelegate::NoHint);
  }
}

void TStringGrid::CommitEdit() {
  if (!IsEditing()) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    emit delegate_->commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

TLabelledEdit* TStringGrid::CheckEdit(int ACol) {
  if (TLabelledEdit* edit = ExistingCheckEdit(ACol)) return edit;
  auto* edit = new TLabelledEdit(Cell(ACol, 0).simplified(), this);
  edit->setObjectName(objectName() + QStringLiteral("Col%1").arg(ACol));
  edit->hide();
  check_edits_[ACol] = edit;
  return edit;
}

TLabelledEdit* TStringGrid::ExistingCheckEdit(int ACol) const {
  auto it = check_edits_.find(ACol);
  return it == check_edits_.end() ? nullptr : it->second;
}

void TStringGrid::InsertRow(int ARow) {
  if (ARow < fixed_rows_ || ARow >= RowCount()) return;
  cells_.insert(cells_.begin() + ARow, TRow(static_cast<size_t>(col_count_)));
  // The row states below move down with their rows; the new row keeps the state its place had.
  if (ARow < static_cast<int>(row_enabled_.size())) {
    const bool state = row_enabled_[static_cast<size_t>(ARow)];
    row_enabled_.insert(row_enabled_.begin() + ARow, state);
  }
  if (fixed_cols_ > 0)
    for (int r = ARow; r < RowCount(); ++r) cells_[static_cast<size_t>(r)][0].Text = RowIDPrefix + QString::number(r);
  Reset();
}

void TStringGrid::DeleteRow(int ARow) {
  if (ARow < fixed_rows_ || ARow >= RowCount()) return;
  if (ARow < static_cast<int>(row_enabled_.size())) row_enabled_.erase(row_enabled_.begin() + ARow);
  if (RowCount() - fixed_rows_ > 1) {
    cells_.erase(cells_.begin() + ARow);
  } else {
    ClearRow(ARow);
  }
  if (fixed_cols_ > 0)
    for (int r = ARow; r < RowCount(); ++r) cells_[static_cast<size_t>(r)][0].Text = RowIDPrefix + QString::number(r);
  const int top = verticalScrollBar()->value();
  const int c = std::max(Col(), fixed_cols_);
  model_->Reset();
  ForceSelectedCell(c, std::min(ARow, RowCount() - 1));
  verticalScrollBar()->setValue(top);
}

void TStringGrid::ClearRow(int ARow) {
  if (ARow < 0 || ARow >= RowCount()) return;
  for (TCell& cell : cells_[static_cast<size_t>(ARow)]) {
    cell.Text.clear();
    cell.IsDisabled = false;
  }
  model_->AllChanged();
}

void TStringGrid::InitialiseLastRow() {
  const int last = RowCount() - 1;
  if (last < 0) return;
  ClearRow(last);
  if (fixed_cols_ > 0) SetCell(0, last, RowIDPrefix + QString::number(last));
}

void TStringGrid::ClearDataCells(bool WillOnlyClearDisabledCells) {
  for (int r = fixed_rows_; r < RowCount(); ++r)
    for (int c = fixed_cols_; c < col_count_; ++c) {
      TCell& cell = cells_[static_cast<size_t>(r)][static_cast<size_t>(c)];
      if (!WillOnlyClearDisabledCells || !CellEnabled(c, r)) cell.Text.clear();
    }
  model_->AllChanged();
  if (RowCount() > fixed_rows_ && col_count_ > fixed_cols_) SelectCell(fixed_cols_, fixed_rows_);
}

bool TStringGrid::CanInsertRow() const { return Row() >= fixed_rows_ && Row() < RowCount(); }

bool TStringGrid::CanDeleteRow() const {
  const int r = Row();
  if (r < fixed_rows_ || r >= RowCount() || RowCount() - fixed_rows_ <= 1) return false;
  return r != RowCount() - 1 || RowEnabled(r - 1);
}

void TStringGrid::SetRowEditMenu(bool Enabled) {
  if (!Enabled) {
    delete row_menu_;
    row_menu_ = nullptr;
    return;
  }
  if (row_menu_) return;
  row_menu_ = new QMenu(this);
  QAction* insert = row_menu_->addAction(QStringLiteral("Insert row"));
  QAction* remove = row_menu_->addAction(QStringLiteral("Delete row"));
  connect(insert, &QAction::triggered, this, &TStringGrid::InsertRowFromMenu);
  connect(remove, &QAction::triggered, this, &TStringGrid::DeleteRowFromMenu);
  connect(row_menu_, &QMenu::aboutToShow, this, [this, insert, remove] {
    insert->setEnabled(CanInsertRow());
    remove->setEnabled(CanDeleteRow());
  });
}

void TStringGrid::InsertRowFromMenu() {
  if (!CanInsertRow()) return;
  InsertRow(Row());
  emit RowsEdited();
}

void TStringGrid::DeleteRowFromMenu() {
  if (!CanDeleteRow()) return;
  DeleteRow(Row());
  emit RowsEdited();
}

int TStringGrid::Col() const { return currentIndex().isValid() ? currentIndex().column() : -1; }

int TStringGrid::Row() const { return currentIndex().isValid() ? currentIndex().row() + fixed_rows_ : -1; }

QModelIndex TStringGrid::IndexOf(int ACol, int ARow) const {
  if (ARow < fixed_rows_) return {};
  return model_->index(ARow - fixed_rows_, ACol);
}

void TStringGrid::ForceSelectedCell(int ACol, int ARow) {
  const QModelIndex i = IndexOf(ACol, ARow);
  if (!i.isValid()) return;
  selectionModel()->setCurrentIndex(i, QItemSelectionModel::ClearAndSelect);
}

bool TStringGrid::SelectCell(int ACol, int ARow) {
  if (!CellEnabled(ACol, ARow) || ACol < fixed_cols_) return false;
  ForceSelectedCell(ACol, ARow);
  return currentIndex() == IndexOf(ACol, ARow);
}

bool TStringGrid::IsEligibleForTab(int ACol, int ARow) const {
  return ACol >= fixed_cols_ && ARow >= fixed_rows_ && CellEnabled(ACol, ARow);
}

// Tab moves to the next enabled cell to the right, wrapping to the next row
// and from the last row to the first; Shift+Tab first steps one cell to the
// left and, from there, searches to the right the same way. The search ends
// when it comes back to the cell it started from.
QModelIndex TStringGrid::moveCursor(CursorAction Action, Qt::KeyboardModifiers Modifiers) {
  if ((Action != MoveNext && Action != MovePrevious) || col_count_ <= fixed_cols_ || RowCount() <= fixed_rows_)
    return QTableView::moveCursor(Action, Modifiers);
  const int start_c = std::max(Col(), fixed_cols_), start_r = std::max(Row(), fixed_rows_);
  int c = start_c, r = start_r;
  auto step_right = [&] {
    if (++c >= col_count_) {
      c = fixed_cols_;
      if (++r >= RowCount()) r = fixed_rows_;
    }
  };
  if (Action == MovePrevious) {
    if (--c < fixed_cols_) {
      c = col_count_ - 1;
      if (--r < fixed_rows_) r = RowCount() - 1;
    }
    if (IsEligibleForTab(c, r)) return IndexOf(c, r);
  }
  do {
    step_right();
    if (IsEligibleForTab(c, r)) return IndexOf(c, r);
  } while (c != start_c || r != start_r);
  return currentIndex();
}

void TStringGrid::currentChanged(const QModelIndex& Current, const QModelIndex& Previous) {
  QTableView::currentChanged(Current, Previous);
  in_combo_cell_ = false;
  if (!Current.isValid()) return;
  const int c = Current.column(), r = Current.row() + fixed_rows_;
  if (ComboOf(c) && CellEnabled(c, r) && c >= fixed_cols_) {
    // A drop-down cell shows its list at once, in place of the text editor.
    in_combo_cell_ = true;
    if (state() != QAbstractItemView::EditingState && isVisible()) edit(Current);
  }
}

void TStringGrid::closeEditor(QWidget* Editor, QAbstractItemDelegate::EndEditHint Hint) {
  const bool was_text_editor = qobject_cast<QLineEdit*>(Editor) != nullptr;
  const int c = edit_col_, r = edit_row_;
  QTableView::closeEditor(Editor, Hint);
  edit_col_ = edit_row_ = -1;
  if (was_text_editor && c >= 0) emit EndEdit(c, r);
}

void TStringGrid::mousePressEvent(QMouseEvent* Event) {
  if (Event->button() == Qt::RightButton) {
    const QModelIndex i = indexAt(Event->position().toPoint());
    if (!i.isValid()) return;
    const int c = i.column(), r = i.row() + fixed_rows_;
    if (!SelectCell(c, r)) return;
    if (row_menu_) row_menu_->popup(viewport()->mapToGlobal(Event->position().toPoint()));
    return;
  }
  QTableView::mousePressEvent(Event);
}

void TStringGrid::changeEvent(QEvent* Event) {
  QTableView::changeEvent(Event);
  if (Event->type() == QEvent::EnabledChange) model_->AllChanged();
}

void TStringGrid::SetColumnsFullWidth(int ACol, bool WillAllowForScrollBar) {
  if (ACol < 0 || ACol >= col_count_) return;
  int width = viewport()->width();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const bool shown = verticalScrollBar()->isVisible();
  if (WillAllowForScrollBar && !shown) width -= bar;
  if (!WillAllowForScrollBar && shown) width += bar;
  for (int c = 0; c < ACol; ++c) width -= columnWidth(c);
  const int n = col_count_ - ACol;
  const int share = width / n;
  // In a Qt table a column's width includes its grid line.
  for (int c = ACol; c < col_count_ - 1; ++c) {
    setColumnWidth(c, share);
    width -= share;
  }
  setColumnWidth(col_count_ - 1, std::max(width, 1));
}

void TStringGrid::SetRowsFullHeight(int ARow, bool WillAllowForScrollBar) {
  if (ARow < fixed_rows_ || ARow >= RowCount()) return;
  int height = viewport()->height();
  const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const bool shown = horizontalScrollBar()->isVisible();
  if (WillAllowForScrollBar && !shown) height -= bar;
  if (!WillAllowForScrollBar && shown) height += bar;
  for (int r = fixed_rows_; r < ARow; ++r) height -= rowHeight(r - fixed_rows_);
  const int n = RowCount() - ARow;
  const int share = height / n;
  for (int r = ARow; r < RowCount() - 1; ++r) {
    setRowHeight(r - fixed_rows_, share);
    height -= share;
  }
  setRowHeight(RowCount() - 1 - fixed_rows_, std::max(height, 1));
}

// Shortens the grid so that no partial row shows at its bottom; never makes it taller.
void TStringGrid::RationaliseHeight() {
  const int client = height();
  int total = 2 * frameWidth() + (horizontalHeader()->isVisible() ? horizontalHeader()->height() : 0);
  for (int r = 0; r < model_->rowCount(); ++r) total += rowHeight(r);
  if (horizontalScrollBarPolicy() != Qt::ScrollBarAlwaysOff && horizontalScrollBar()->maximum() > 0)
    total += style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
  const int last = model_->rowCount() > 0 ? rowHeight(model_->rowCount() - 1) : verticalHeader()->defaultSectionSize();
  while (last > 0 && total + last <= client) total += last;
  if (total < client) setMaximumHeight(total);
}
