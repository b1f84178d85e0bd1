// The "Analysis results" page: the results report of the last run as a
// multi-column tree without hierarchy, one row per report line and one column
// per comma-separated field, under the "Display?" filter and the Export and
// Print buttons.
//
// Units are shown as the pages show them ("kg/m³", "mm⁴" for the report's
// "kg/m^3", "mm^4"); Copy and Export give the report's own text.
//
// Each line belongs to a category: the report's header lines (before the
// first "PROJECT SETTINGS" line) are always shown; the lines from a
// "PROJECT SETTINGS", "INPUT DATA", "SUMMARY" or "FULL RESULTS" heading on
// belong to that part of the report until the next heading, and each part has
// its check box. A report without a heading keeps its later lines in the last
// part met.
//
// The page shows what the window hands it (BuildResultsTree) and tells the
// window when Export or Print is chosen; choosing its node runs Analyse when
// the input changed since the last results (the window does that).
//
// Interface thread only.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>

#include <string>
#include <vector>

#include "ui/cDataPage.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeView;

// A column of the tree is at most this many characters wide; a longer text
// shows whole as its tooltip.
inline constexpr int kResultsColumnCapChars = 40;

// The report's parts, in the order of the display check boxes.
enum TResultsCategory : unsigned char {
  rcProjectSettings = 0,
  rcInputData = 1,
  rcSummary = 2,
  rcDetail = 3,
  rcAlwaysShown = 4,
};

// The report lines as a table: row n is line n, column c its field c.
class TResultsTreeModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  using QAbstractTableModel::QAbstractTableModel;

  // Appends the lines (the category starts again at "always shown"); the
  // column count grows to the most fields of a line. An empty model starts
  // again from one column.
  void AppendLines(const std::vector<std::string>& Lines);
  void Clear();

  int rowCount(const QModelIndex& Parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& Parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& Index, int Role) const override;
  QVariant headerData(int Section, Qt::Orientation Orientation, int Role) const override;

  TResultsCategory Category(int Row) const { return rows_[static_cast<size_t>(Row)].Category; }
  const QString& Line(int Row) const { return rows_[static_cast<size_t>(Row)].Line; }

 private:
  struct TRow {
    QString Line;
    QStringList Fields;  // as the tree shows them (units as the pages write them)
    TResultsCategory Category = rcAlwaysShown;
  };
  std::vector<TRow> rows_;
  int columns_ = 1;
};

class TAnalysisResultsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TAnalysisResultsPage(TPageHost& Host, QWidget* Parent = nullptr);

  // Adds the report lines to the tree (after ClearResultsTree: shows them),
  // filtered by the check boxes, columns sized to the tree.
  void BuildResultsTree(const std::vector<std::string>& Lines);
  // Every row shown exactly when its category is always shown or its box is ticked.
  void ApplyResultsFilter();
  // Every column as wide as its widest text (capped at
  // kResultsColumnCapChars characters); the user may resize and drag them
  // afterwards. The tree itself takes the page's width.
  void SizeResultsColumns();
  // Empties the tree; the page then says why there is nothing to show.
  void ClearResultsTree(const QString& Reason);
  // The design-table generator hides the filter and the buttons; a results run shows them.
  void SetDisplayOptionsVisible(bool IsVisible);

  const TResultsTreeModel& Model() const { return model_; }
  // Whether report line Row is shown (not filtered out).
  bool IsRowShown(int Row) const;
  // The selected report lines, in report order (what Copy puts on the clipboard).
  QStringList SelectedLines() const;

  QGroupBox* grpDisplay() const { return grpDisplay_; }
  QCheckBox* chkProjectSettings() const { return chkProjectSettings_; }
  QCheckBox* chkInputData() const { return chkInputData_; }
  QCheckBox* chkSummary() const { return chkSummary_; }
  QCheckBox* chkDetail() const { return chkDetail_; }
  QPushButton* btnExport() const { return btnExport_; }
  QPushButton* btnPrint() const { return btnPrint_; }
  QPushButton* btnCalculation() const { return btnCalculation_; }
  QTreeView* tvResults() const { return tvResults_; }
  QLabel* lblNoResults() const { return lblNoResults_; }

 signals:
  void ExportRequested();
  void PrintRequested();
  void CalculationRequested();

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  void CopySelection() const;

  TResultsTreeModel model_;
  QStackedWidget* stack_;
  QGroupBox* grpDisplay_ = nullptr;
  QCheckBox* chkProjectSettings_ = nullptr;
  QCheckBox* chkInputData_ = nullptr;
  QCheckBox* chkSummary_ = nullptr;
  QCheckBox* chkDetail_ = nullptr;
  QPushButton* btnExport_ = nullptr;
  QPushButton* btnPrint_ = nullptr;
  QPushButton* btnCalculation_ = nullptr;
  QTreeView* tvResults_ = nullptr;
  QLabel* lblNoResults_ = nullptr;
};
