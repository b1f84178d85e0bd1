#include "ui/fTestPages.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "components/cStandard.h"
#include "project/cProject.h"
#include "project/cTest.h"
#include "ui/cPageFields.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"

namespace {

// A grid of lines that grows as the user types into its empty last row; no ID column.
void SetUpListGrid(TStringGrid& Grid, const QString& ObjectName, const QString& AccessibleName, const QString& Hint,
                   const QStringList& Header) {
  Grid.setObjectName(ObjectName);
  Grid.setAccessibleName(AccessibleName);
  SetHint(&Grid, Hint);
  Grid.SetFixedCols(0);
  Grid.SetColCount(static_cast<int>(Header.size()));
  Grid.SetRowCount(2);
  Grid.SetRow(0, Header);
  Grid.WillAutoAddNewRow = true;
  Grid.InitialiseLastRow();
  Grid.SetRowEditMenu(true);
  Grid.horizontalHeader()->setStretchLastSection(true);
}

// Rows 1 .. n of the grid, then its empty last row.
void SetDataRowCount(TStringGrid& Grid, int Count) {
  Grid.SetRowCount(Count + 2);
  for (int r = 1; r < Grid.RowCount(); ++r) Grid.ClearRow(r);
}

bool IsBlankRow(const TStringGrid& Grid, int ARow) {
  for (int c = 0; c < Grid.ColCount(); ++c)
    if (!Grid.Cell(c, ARow).trimmed().isEmpty()) return false;
  return true;
}

}  // namespace

// ---------------------------------------------------------------------------
// The test page

TTestPage::TTestPage(TPageHost& Host, QWidget* Parent) : TDataPage(Host, QStringLiteral("Test"), Parent) {
  auto* form = new QGridLayout;
  form->setColumnStretch(1, 1);
  lblTestName_ = new QLabel;
  lblTestName_->setObjectName(QStringLiteral("lblTestName"));
  lblTestName_->setAccessibleName(QStringLiteral("Test name"));
  QFont bold = lblTestName_->font();
  bold.setBold(true);
  lblTestName_->setFont(bold);
  lblGroup_ = new QLabel;
  lblGroup_->setObjectName(QStringLiteral("lblGroup"));
  lblGroup_->setAccessibleName(QStringLiteral("Test group"));
  edtDescription_ = new QLineEdit;
  edtDescription_->setObjectName(QStringLiteral("edtTestDescription"));
  edtDescription_->setAccessibleName(QStringLiteral("Test description"));
  SetHint(edtDescription_, QStringLiteral("What the test checks"));
  cboStandard_ = MakeChoice(QStringLiteral("cboTestStandard"), QStringLiteral("Test standard"),
                           QStringLiteral("Edition of AS/NZS 2327 the test runs under"));
  for (int version : {kStandard2003, kStandard2017}) cboStandard_->addItem(ToQ(StandardName(version)));
  const std::pair<const char*, QWidget*> rows[] = {{"Test", lblTestName_},
                                                   {"Group", lblGroup_},
                                                   {"Description", edtDescription_},
                                                   {"Standard", cboStandard_}};
  int row = 0;
  for (const auto& [caption, widget] : rows) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setBuddy(widget);
    form->addWidget(label, row, 0);
    form->addWidget(widget, row++, 1, Qt::AlignLeft);
  }
  edtDescription_->setMinimumWidth(420);

  grdInputs_ = new TStringGrid;
  SetUpListGrid(*grdInputs_, QStringLiteral("grdTestInputs"), QStringLiteral("Test inputs"),
                QStringLiteral("Changes to the project file: section name, \".\", key, \"=\" and value"),
                {QStringLiteral("Input (Section.Key=Value)")});
  grdOutputs_ = new TStringGrid;
  SetUpListGrid(*grdOutputs_, QStringLiteral("grdTestOutputs"), QStringLiteral("Test outputs"),
                QStringLiteral("Property paths of the results to check, with their expected values (\"?\" shows a "
                               "value without judging it)"),
                {QStringLiteral("Output (property path)"), QStringLiteral("Expected value"),
                 QStringLiteral("Calculated value"), QStringLiteral("Comment")});
  grdOutputs_->SetColEnabled(colCalculated, false);
  grdOutputs_->SetColEnabled(colComment, false);
  grdOutputs_->setColumnWidth(colOutputName, 260);
  grdOutputs_->setColumnWidth(colExpected, 110);
  grdOutputs_->setColumnWidth(colCalculated, 110);

  lblVerdict_ = new QLabel;
  lblVerdict_->setObjectName(QStringLiteral("lblTestVerdict"));
  lblVerdict_->setAccessibleName(QStringLiteral("Test verdict"));
  lblVerdict_->setFont(bold);
  btnRunTest_ = new QPushButton(QStringLiteral("Run Test"));
  btnRunTest_->setObjectName(QStringLiteral("btnRunTest"));
  SetHint(btnRunTest_, QStringLiteral("Runs this test and shows its results"));
  btnCheckTestData_ = new QPushButton(QStringLiteral("Check test data"));
  btnCheckTestData_->setObjectName(QStringLiteral("btnCheckTestData"));
  SetHint(btnCheckTestData_, QStringLiteral("Checks the project's input with this test's inputs applied"));
  btnSaveAsDataFile_ = new QPushButton(QStringLiteral("Save As Data File"));
  btnSaveAsDataFile_->setObjectName(QStringLiteral("btnSaveAsDataFile"));
  SetHint(btnSaveAsDataFile_, QStringLiteral("Saves the project with this test's inputs as a project file of its own"));

  auto* grids = new QHBoxLayout;
  auto* inputs = new QVBoxLayout;
  inputs->addWidget(MakeHeading(QStringLiteral("Inputs")));
  inputs->addWidget(grdInputs_);
  auto* outputs = new QVBoxLayout;
  outputs->addWidget(MakeHeading(QStringLiteral("Outputs")));
  outputs->addWidget(grdOutputs_);
  grids->addLayout(inputs, 2);
  grids->addLayout(outputs, 5);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblVerdict_);
  buttons->addStretch(1);
  for (QPushButton* b : {btnRunTest_, btnCheckTestData_, btnSaveAsDataFile_}) buttons->addWidget(b);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(grids, 1);
  layout->addLayout(buttons);

  connect(edtDescription_, &QLineEdit::textEdited, this, &TTestPage::TestChanged);
  connect(cboStandard_, &QComboBox::activated, this, &TTestPage::TestChanged);
  for (TStringGrid* grid : {grdInputs_, grdOutputs_}) {
    connect(grid, &TStringGrid::CellEdited, this, &TTestPage::TestChanged);
    connect(grid, &TStringGrid::RowsEdited, this, &TTestPage::TestChanged);
  }
  FillFromTest(nullptr);
}

TTest* TTestPage::CurrentTest() const {
  if (current_.empty()) return nullptr;
  return dynamic_cast<TTest*>(Host().Project().TestList.Find(current_));
}

void TTestPage::UpdateScreenFromProject() {
  // The project was read again: the page keeps its test only when the project still has one of that name.
  if (!CurrentTest()) current_.clear();
  FillFromTest(CurrentTest());
  emit TestsReloaded();
}

void TTestPage::ShowTest(const QString& Name, const QString& Group) {
  current_ = ToStd(Name);
  TTest* test = CurrentTest();
  if (!test) current_.clear();
  FillFromTest(test);
  if (!test) lblGroup_->setText(Group);
}

void TTestPage::FillFromTest(const TTest* Test) {
  TFillScope filling(*this);
  for (TStringGrid* grid : {grdInputs_, grdOutputs_}) grid->CommitEdit();
  lblTestName_->setText(Test ? ToQ(Test->Name) : QStringLiteral("(no test chosen)"));
  lblGroup_->setText(Test ? ToQ(Test->Group) : QString());
  edtDescription_->setText(Test ? ToQ(Test->Description) : QString());
  cboStandard_->setCurrentIndex(Test && Test->VersionID == kStandard2003 ? 0 : 1);
  SetDataRowCount(*grdInputs_, Test ? static_cast<int>(Test->InputList.size()) : 0);
  SetDataRowCount(*grdOutputs_, Test ? static_cast<int>(Test->OutputList.size()) : 0);
  if (Test) {
    for (size_t i = 0; i < Test->InputList.size(); ++i)
      grdInputs_->SetCell(colInput, static_cast<int>(i) + 1, ToQ(Test->InputList[i]));
    for (size_t i = 0; i < Test->OutputList.size(); ++i) {
      const TOutput& output = Test->OutputList[i];
      const int r = static_cast<int>(i) + 1;
      grdOutputs_->SetCell(colOutputName, r, ToQ(output.Name));
      grdOutputs_->SetCell(colExpected, r, ToQ(output.ExpectedValue));
      grdOutputs_->SetCell(colCalculated, r, ToQ(output.CalculatedValue));
      grdOutputs_->SetCell(colComment, r, ToQ(output.Comment));
    }
  }
  SetEditable(Test != nullptr);
  ShowResults();
}

void TTestPage::SetEditable(bool IsEditable) {
  for (QWidget* w : {static_cast<QWidget*>(edtDescription_), static_cast<QWidget*>(cboStandard_),
                     static_cast<QWidget*>(grdInputs_), static_cast<QWidget*>(grdOutputs_),
                     static_cast<QWidget*>(btnRunTest_), static_cast<QWidget*>(btnCheckTestData_),
                     static_cast<QWidget*>(btnSaveAsDataFile_)})
    w->setEnabled(IsEditable);
}

// Test OK in green when the test passed, Test FAIL in red when it was run and
// failed, nothing when it has not been run since its last change.
void TTestPage::ShowResults() {
  const TTest* test = CurrentTest();
  if (test) {
    TFillScope filling(*this);
    for (size_t i = 0; i < test->OutputList.size(); ++i) {
      const int r = static_cast<int>(i) + 1;
      if (r >= grdOutputs_->RowCount() - 1) break;
      grdOutputs_->SetCell(colCalculated, r, ToQ(test->OutputList[i].CalculatedValue));
      grdOutputs_->SetCell(colComment, r, ToQ(test->OutputList[i].Comment));
    }
  }
  const TErrorLevel level = test ? test->Status.ErrorLevel : elNone;
  if (level == elNone) {
    lblVerdict_->clear();
  } else if (level == elHint) {
    lblVerdict_->setText(QStringLiteral("Test OK"));
    lblVerdict_->setStyleSheet(QStringLiteral("color: #1a7f37"));
  } else {
    lblVerdict_->setText(QStringLiteral("Test FAIL"));
    lblVerdict_->setStyleSheet(QStringLiteral("color: #c0161d"));
  }
}

void TTestPage::ClearCalculatedValues() {
  TFillScope filling(*this);
  for (int r = 1; r < grdOutputs_->RowCount(); ++r) grdOutputs_->SetCell(colCalculated, r, QString());
}

void TTestPage::TestChanged() {
  if (IsFilling()) return;
  if (TTest* test = CurrentTest()) test->ClearResults();
  {
    TFillScope filling(*this);
    for (int r = 1; r < grdOutputs_->RowCount(); ++r) {
      grdOutputs_->SetCell(colCalculated, r, QString());
      grdOutputs_->SetCell(colComment, r, QString());
    }
  }
  ShowResults();
  Host().InputChanged(false);
}

void TTestPage::UpdateProjectFromScreen() {
  TTest* test = CurrentTest();
  if (!test) return;
  for (TStringGrid* grid : {grdInputs_, grdOutputs_}) grid->CommitEdit();
  test->Description = ToStd(edtDescription_->text());
  test->VersionID = cboStandard_->currentIndex() == 0 ? kStandard2003 : kStandard2017;
  test->InputList.clear();
  for (int r = 1; r < grdInputs_->RowCount(); ++r)
    if (!IsBlankRow(*grdInputs_, r)) test->InputList.push_back(ToStd(grdInputs_->Cell(colInput, r).trimmed()));
  test->OutputList.clear();
  for (int r = 1; r < grdOutputs_->RowCount(); ++r) {
    if (IsBlankRow(*grdOutputs_, r)) continue;
    TOutput output;
    output.Name = ToStd(grdOutputs_->Cell(colOutputName, r).trimmed());
    output.ExpectedValue = ToStd(grdOutputs_->Cell(colExpected, r).trimmed());
    output.CalculatedValue = ToStd(grdOutputs_->Cell(colCalculated, r));
    output.Comment = ToStd(grdOutputs_->Cell(colComment, r));
    test->OutputList.push_back(std::move(output));
  }
}

void TTestPage::LeavingPage() { UpdateProjectFromScreen(); }

// ---------------------------------------------------------------------------
// The test results page

TTestResultsPage::TTestResultsPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("pageTestResults"));
  setAccessibleName(QStringLiteral("Test Results"));
  lblTestsRun_ = new QLabel;
  lblTestsRun_->setObjectName(QStringLiteral("lblTestsRun"));
  lblPassed_ = new QLabel;
  lblPassed_->setObjectName(QStringLiteral("lblTestsPassed"));
  pbScore_ = new QProgressBar;
  pbScore_->setObjectName(QStringLiteral("pbTestScore"));
  pbScore_->setAccessibleName(QStringLiteral("Tests done"));
  pbScore_->setTextVisible(false);
  pbScore_->setMaximumHeight(14);
  tvTests_ = new QTreeWidget;
  tvTests_->setObjectName(QStringLiteral("tvTestResults"));
  tvTests_->setAccessibleName(QStringLiteral("Tests dealt with"));
  tvTests_->setRootIsDecorated(false);
  tvTests_->setHeaderLabels({QStringLiteral("Test"), QStringLiteral("Verdict")});
  tvTests_->header()->setStretchLastSection(false);
  tvTests_->header()->setSectionResizeMode(0, QHeaderView::Stretch);

  auto* left = new QVBoxLayout;
  left->addWidget(lblTestsRun_);
  left->addWidget(lblPassed_);
  left->addWidget(pbScore_);
  left->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addLayout(left);
  layout->addWidget(tvTests_, 1);
  Start(0);
}

void TTestResultsPage::Start(int Count) {
  has_failure_ = false;
  tvTests_->clear();
  lblTestsRun_->setText(QStringLiteral("Tests run: %1/%2").arg(0).arg(Count));
  lblPassed_->setText(QStringLiteral("Passed: 0/0"));
  pbScore_->setRange(0, std::max(1, Count));
  pbScore_->setValue(0);
  SetScoreColour(false);
}

void TTestResultsPage::TestDone(const QString& Group, const QString& Name, bool Passed, int Done, int Count,
                                int PassedCount) {
  auto* item = new QTreeWidgetItem(tvTests_, {Group + QLatin1Char('-') + Name,
                                             Passed ? QStringLiteral("OK") : QStringLiteral("FAIL")});
  item->setForeground(1, Passed ? QColor(0x1a, 0x7f, 0x37) : QColor(0xc0, 0x16, 0x1d));
  tvTests_->scrollToItem(item);
  lblTestsRun_->setText(QStringLiteral("Tests run: %1/%2").arg(Done).arg(Count));
  lblPassed_->setText(QStringLiteral("Passed: %1/%2").arg(PassedCount).arg(Done));
  pbScore_->setRange(0, std::max(1, Count));
  pbScore_->setValue(Done);
  if (!Passed && !has_failure_) {
    has_failure_ = true;
    SetScoreColour(true);
  }
}

QString TTestResultsPage::TestsRunText() const { return lblTestsRun_->text(); }

QString TTestResultsPage::PassedText() const { return lblPassed_->text(); }

void TTestResultsPage::SetScoreColour(bool IsError) {
  QPalette palette = pbScore_->palette();
  palette.setColor(QPalette::Highlight, IsError ? QColor(0xc0, 0x16, 0x1d) : QColor(0x1a, 0x7f, 0x37));
  pbScore_->setPalette(palette);
}
