#include "ui/fResultsPage.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyle>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

#include "entity/VEXText.h"
#include "report/cPrintableStringList.h"
#include "ui/cPageFields.h"
#include "ui/cUiUtility.h"

namespace {

// The headings that open each part of the report.
struct TCategoryMask {
  const char* Mask;
  TResultsCategory Category;
};
const TCategoryMask kCategoryMasks[] = {
    {"PROJECT SETTINGS*", rcProjectSettings},
    {"INPUT DATA*", rcInputData},
    {"SUMMARY*", rcSummary},
    {"FULL RESULTS*", rcDetail},
    // The floor's vibration check, after every beam, is a result to read beside the beams' summaries.
    {"FLOOR VIBRATION*", rcSummary},
};

// Spreadsheet column names (A, B, ..., Z, AA, ...): the exported file opens
// in a spreadsheet with the same columns.
QString ColumnName(int Section) {
  QString name;
  for (int n = Section + 1; n > 0; n = (n - 1) / 26) name.prepend(QChar('A' + (n - 1) % 26));
  return name;
}

}  // namespace

// ---------------------------------------------------------------------------
// The model

void TResultsTreeModel::AppendLines(const std::vector<std::string>& Lines) {
  if (Lines.empty()) return;
  std::vector<TRow> added;
  added.reserve(Lines.size());
  int columns = rows_.empty() ? 1 : columns_;
  TResultsCategory category = rcAlwaysShown;
  for (const std::string& line : Lines) {
    TRow row;
    row.Line = ToQ(line);
    for (const std::string& field : SplitCommaText(line, true)) row.Fields.push_back(ToQ(UnitsAsWritten(field)));
    for (const TCategoryMask& m : kCategoryMasks)
      if (MatchesMask(line, m.Mask)) category = m.Category;
    row.Category = category;
    columns = std::max(columns, static_cast<int>(row.Fields.size()));
    added.push_back(std::move(row));
  }
  beginResetModel();
  if (rows_.empty()) columns_ = 1;
  columns_ = std::max(columns_, columns);
  std::move(added.begin(), added.end(), std::back_inserter(rows_));
  endResetModel();
}

void TResultsTreeModel::Clear() {
  beginResetModel();
  rows_.clear();
  columns_ = 1;
  endResetModel();
}

int TResultsTreeModel::rowCount(const QModelIndex& Parent) const {
  return Parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int TResultsTreeModel::columnCount(const QModelIndex& Parent) const { return Parent.isValid() ? 0 : columns_; }

QVariant TResultsTreeModel::data(const QModelIndex& Index, int Role) const {
  if (!Index.isValid() || Index.row() >= rowCount()) return {};
  const TRow& row = rows_[static_cast<size_t>(Index.row())];
  if (Role == Qt::DisplayRole || Role == Qt::ToolTipRole) {
    if (Index.column() >= row.Fields.size()) return {};
    const QString& field = row.Fields[Index.column()];
    // The full text as a tooltip where the column's width may cut it off.
    if (Role == Qt::ToolTipRole && field.size() <= kResultsColumnCapChars) return {};
    return field;
  }
  return {};
}

QVariant TResultsTreeModel::headerData(int Section, Qt::Orientation Orientation, int Role) const {
  if (Orientation == Qt::Horizontal && Role == Qt::DisplayRole) return ColumnName(Section);
  return QAbstractTableModel::headerData(Section, Orientation, Role);
}

// ---------------------------------------------------------------------------
// The page

TAnalysisResultsPage::TAnalysisResultsPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Analysis results"), Parent) {
  grpDisplay_ = new QGroupBox(QStringLiteral("Display?"));
  grpDisplay_->setObjectName(QStringLiteral("grpDisplay"));
  SetHint(grpDisplay_, QStringLiteral("Select subset of results to display"));
  auto* boxes = new QHBoxLayout(grpDisplay_);
  struct TBox {
    QCheckBox** Box;
    const char* Caption;
    const char* Name;
    const char* Hint;
  };
  const TBox kBoxes[] = {
      {&chkProjectSettings_, "&Project settings", "chkProjectSettings", "Display overall project settings"},
      {&chkInputData_, "&Input data", "chkInputData", "Display input data"},
      {&chkSummary_, "&Summary results", "chkSummary", "Display summary analysis results"},
      {&chkDetail_, "&Detail", "chkDetail", "Display detailed results"},
  };
  for (const TBox& b : kBoxes) {
    *b.Box = MakeCheckBox(QString::fromLatin1(b.Caption), QString::fromLatin1(b.Name), QString::fromLatin1(b.Hint));
    (*b.Box)->setChecked(true);
    boxes->addWidget(*b.Box);
    connect(*b.Box, &QCheckBox::toggled, this, &TAnalysisResultsPage::ApplyResultsFilter);
  }

  btnExport_ = new QPushButton(QStringLiteral("&Export Results..."));
  btnExport_->setObjectName(QStringLiteral("btnExport"));
  SetHint(btnExport_, QStringLiteral("Exports full results to a csv file (readable by Excel)"));
  btnPrint_ = new QPushButton(QStringLiteral("P&rint Results..."));
  btnPrint_->setObjectName(QStringLiteral("btnPrint"));
  SetHint(btnPrint_, QStringLiteral("Prints results"));
  btnCalculation_ = new QPushButton(QStringLiteral("&Calculation Report..."));
  btnCalculation_->setObjectName(QStringLiteral("btnCalculation"));
  SetHint(btnCalculation_, QStringLiteral("Saves the calculation report, as PDF or HTML"));
  connect(btnCalculation_, &QPushButton::clicked, this, &TAnalysisResultsPage::CalculationRequested);
  connect(btnExport_, &QPushButton::clicked, this, &TAnalysisResultsPage::ExportRequested);
  connect(btnPrint_, &QPushButton::clicked, this, &TAnalysisResultsPage::PrintRequested);

  auto* options = new QHBoxLayout;
  options->addWidget(grpDisplay_);
  options->addStretch(1);
  auto* buttons = new QVBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(btnExport_);
  buttons->addWidget(btnPrint_);
  buttons->addWidget(btnCalculation_);
  options->addLayout(buttons);

  tvResults_ = new QTreeView;
  tvResults_->setObjectName(QStringLiteral("tvResults"));
  tvResults_->setAccessibleName(QStringLiteral("Results report"));
  SetHint(tvResults_, QStringLiteral("Results of successful analysis"));
  tvResults_->setModel(&model_);
  tvResults_->setRootIsDecorated(false);
  tvResults_->setItemsExpandable(false);
  tvResults_->setUniformRowHeights(true);
  tvResults_->setAlternatingRowColors(true);
  tvResults_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  tvResults_->setSelectionBehavior(QAbstractItemView::SelectRows);
  tvResults_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  tvResults_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  tvResults_->setTextElideMode(Qt::ElideRight);
  tvResults_->header()->setStretchLastSection(false);
  tvResults_->header()->setSectionsMovable(true);
  QFont small = tvResults_->font();
  small.setPointSize(8);
  tvResults_->setFont(small);
  tvResults_->installEventFilter(this);

  lblNoResults_ = new QLabel;
  lblNoResults_->setObjectName(QStringLiteral("lblNoResults"));
  lblNoResults_->setAlignment(Qt::AlignCenter);
  lblNoResults_->setWordWrap(true);
  lblNoResults_->setMargin(24);
  QPalette muted = lblNoResults_->palette();
  muted.setColor(QPalette::WindowText, muted.color(QPalette::Disabled, QPalette::WindowText));
  lblNoResults_->setPalette(muted);

  stack_ = new QStackedWidget;
  stack_->addWidget(lblNoResults_);
  stack_->addWidget(tvResults_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(QStringLiteral("Analysis results")));
  layout->addLayout(options);
  layout->addWidget(stack_, 1);
  ClearResultsTree(QString());
}

void TAnalysisResultsPage::BuildResultsTree(const std::vector<std::string>& Lines) {
  model_.AppendLines(Lines);
  if (model_.rowCount() > 0) stack_->setCurrentWidget(tvResults_);
  ApplyResultsFilter();
  SizeResultsColumns();
}

void TAnalysisResultsPage::ApplyResultsFilter() {
  const QCheckBox* boxes[] = {chkProjectSettings_, chkInputData_, chkSummary_, chkDetail_};
  tvResults_->setUpdatesEnabled(false);
  for (int row = 0; row < model_.rowCount(); ++row) {
    const TResultsCategory category = model_.Category(row);
    const bool shown = category == rcAlwaysShown || boxes[category]->isChecked();
    tvResults_->setRowHidden(row, QModelIndex(), !shown);
  }
  tvResults_->setUpdatesEnabled(true);
}

// Each column as wide as its widest field (at most kResultsColumnCapChars
// characters' worth; longer texts show whole as their tooltips), so a
// section name or a date reads whole; the user may resize the columns after.
void TAnalysisResultsPage::SizeResultsColumns() {
  const int columns = model_.columnCount();
  if (columns < 1) return;
  const QFontMetrics metrics(tvResults_->font());
  const int margin = 2 * (style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, tvResults_) + 1) + 6;
  const int cap = metrics.horizontalAdvance(QString(kResultsColumnCapChars, QLatin1Char('n')));
  std::vector<int> widths(static_cast<size_t>(columns), 0);
  for (int c = 0; c < columns; ++c)
    widths[static_cast<size_t>(c)] = tvResults_->header()->sectionSizeHint(c);
  for (int row = 0; row < model_.rowCount(); ++row)
    for (int c = 0; c < columns; ++c) {
      const QString text = model_.data(model_.index(row, c), Qt::DisplayRole).toString();
      if (text.isEmpty()) continue;
      int& width = widths[static_cast<size_t>(c)];
      width = std::max(width, std::min(cap, metrics.horizontalAdvance(text)) + margin);
    }
  for (int c = 0; c < columns; ++c) tvResults_->setColumnWidth(c, widths[static_cast<size_t>(c)]);
}

void TAnalysisResultsPage::ClearResultsTree(const QString& Reason) {
  model_.Clear();
  lblNoResults_->setText(Reason.isEmpty() ? QStringLiteral("No results yet.\n\nChoose Analyse or Design to analyse the "
                                                          "project; its results report is shown here.")
                                         : Reason);
  stack_->setCurrentWidget(lblNoResults_);
}

void TAnalysisResultsPage::SetDisplayOptionsVisible(bool IsVisible) {
  grpDisplay_->setVisible(IsVisible);
  btnExport_->setVisible(IsVisible);
  btnPrint_->setVisible(IsVisible);
}

bool TAnalysisResultsPage::IsRowShown(int Row) const { return !tvResults_->isRowHidden(Row, QModelIndex()); }

QStringList TAnalysisResultsPage::SelectedLines() const {
  QList<int> rows;
  for (const QModelIndex& index : tvResults_->selectionModel()->selectedRows())
    if (IsRowShown(index.row())) rows.push_back(index.row());
  std::sort(rows.begin(), rows.end());
  QStringList lines;
  for (int row : rows) lines.push_back(model_.Line(row));
  return lines;
}

void TAnalysisResultsPage::CopySelection() const {
  const QStringList lines = SelectedLines();
  if (!lines.isEmpty()) QApplication::clipboard()->setText(lines.join(QLatin1Char('\n')) + QLatin1Char('\n'));
}

// Copy puts the selected report lines on the clipboard as they stand in the
// report.
bool TAnalysisResultsPage::eventFilter(QObject* Watched, QEvent* Event) {
  if (Watched == tvResults_) {
    if (Event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(Event)->matches(QKeySequence::Copy)) {
      CopySelection();
      return true;
    }
  }
  return TDataPage::eventFilter(Watched, Event);
}
