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
  lblTestName = new QLabel;
  lblTestName->setObjectName(QStringLiteral("lblTestName"));
  lblTestName->setAccessibleName(QStringLiteral("Test name"));
  QFont bold = lblTestName->font();
  bold.setBold(true);
  lblTestName->setFont(bold);
  lblGroup = new QLabel;
  lblGroup->setObjectName(QStringLiteral("lblGroup"));
  lblGroup->setAccessibleName(QStringLiteral("Test group"));
  edtDescription = new QLineEdit;
  edtDescription->setObjectName(QStringLiteral("edtTestDescription"));
  edtDescription->setAccessibleName(QStringLiteral("Test description"));
  SetHint(edtDescription, QStringLiteral("What the test checks"));
  cboStandard = MakeChoice(QStringLiteral("cboTestStandard"), QStringLiteral("Test standard"),
                           QStringLiteral("Edition of AS/NZS 2327 the test runs under"));
  for (int version : {kStandard2003, kStandard2017}) cboStandard->addItem(ToQ(StandardName(version)));
  const std::pair<const char*, QWidget*> rows[] = {{"Test", lblTestName},
                                                   {"Group", lblGroup},
                                                   {"Description", edtDescription},
                                                   {"Standard", cboStandard}};
  int row = 0;
  for (const auto& [caption, widget] : rows) {
    auto* label = new QLabel(QString::fromLatin1(caption));
    label->setBuddy(widget);
    form->addWidget(label, row, 0);
    form->addWidget(widget, row++, 1, Qt::AlignLeft);
  }
  edtDescription->setMinimumWidth(420);

  grdInputs = new TStringGrid;
  SetUpListGrid(*grdInputs, QStringLiteral("grdTestInputs"), QStringLiteral("Test inputs"),
                QStringLiteral("Changes to the project file: section name, \".\", key, \"=\" and value"),
                {QStringLiteral("Input (Section.Key=Value)")});
  grdOutputs = new TStringGrid;
  SetUpListGrid(*grdOutputs, QStringLiteral("grdTestOutputs"), QStringLiteral("Test outputs"),
                QStringLiteral("Property paths of the results to check, with their expected values (\"?\" shows a "
                               "value without judging it)"),
                {QStringLiteral("Output (property path)"), QStringLiteral("Expected value"),
                 QStringLiteral("Calculated value"), QStringLiteral("Comment")});
  grdOutputs->SetColEnabled(colCalculated, false);
  grdOutputs->SetColEnabled(colComment, false);
  grdOutputs->setColumnWidth(colOutputName, 260);
  grdOutputs->setColumnWidth(colExpected, 110);
  grdOutputs->setColumnWidth(colCalculated, 110);

  lblVerdict = new QLabel;
  lblVerdict->setObjectName(QStringLiteral("lblTestVerdict"));
  lblVerdict->setAccessibleName(QStringLiteral("Test verdict"));
  lblVerdict->setFont(bold);
  btnRunTest = new QPushButton(QStringLiteral("Run Test"));
  btnRunTest->setObjectName(QStringLiteral("btnRunTest"));
  SetHint(btnRunTest, QStringLiteral("Runs this test and shows its results"));
  btnCheckTestData = new QPushButton(QStringLiteral("Check test data"));
  btnCheckTestData->setObjectName(QStringLiteral("btnCheckTestData"));
  SetHint(btnCheckTestData, QStringLiteral("Checks the project's input with this test's inputs applied"));
  btnSaveAsDataFile = new QPushButton(QStringLiteral("Save As Data File"));
  btnSaveAsDataFile->setObjectName(QStringLiteral("btnSaveAsDataFile"));
  SetHint(btnSaveAsDataFile, QStringLiteral("Saves the project with this test's inputs as a project file of its own"));

  auto* grids = new QHBoxLayout;
  auto* inputs = new QVBoxLayout;
  inputs->addWidget(MakeHeading(QStringLiteral("Inputs")));
  inputs->addWidget(grdInputs);
  auto* outputs = new QVBoxLayout;
  outputs->addWidget(MakeHeading(QStringLiteral("Outputs")));
  outputs->addWidget(grdOutputs);
  grids->addLayout(inputs, 2);
  grids->addLayout(outputs, 5);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(lblVerdict);
  buttons->addStretch(1);
  for (QPushButton* b : {btnRunTest, btnCheckTestData, btnSaveAsDataFile}) buttons->addWidget(b);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addLayout(grids, 1);
  layout->addLayout(buttons);

  connect(edtDescription, &QLineEdit::textEdited, this, &TTestPage::TestChanged);
  connect(cboStandard, &QComboBox::activated, this, &TTestPage::TestChanged);
  for (TStringGrid* grid : {grdInputs, grdOutputs}) {
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
  if (!test) lblGroup->setText(Group);
}

void TTestPage::FillFromTest(const TTest* Test) {
  TFillScope filling(*this);
  for (TStringGrid* grid : {grdInputs, grdOutputs}) grid->CommitEdit();
  lblTestName->setText(Test ? ToQ(Test->Name) : QStringLiteral("(no test chosen)"));
  lblGroup->setText(Test ? ToQ(Test->Group) : QString());
  edtDescription->setText(Test ? ToQ(Test->Description) : QString());
  cboStandard->setCurrentIndex(Test && Test->VersionID == kStandard2003 ? 0 : 1);
  SetDataRowCount(*grdInputs, Test ? static_cast<int>(Test->InputList.size()) : 0);
  SetDataRowCount(*grdOutputs, Test ? static_cast<int>(Test->OutputList.size()) : 0);
  if (Test) {
    for (size_t i = 0; i < Test->InputList.size(); ++i)
      grdInputs->SetCell(colInput, static_cast<int>(i) + 1, ToQ(Test->InputList[i]));
    for (size_t i = 0; i < Test->OutputList.size(); ++i) {
      const TOutput& output = Test->OutputList[i];
      const int r = static_cast<int>(i) + 1;
      grdOutputs->SetCell(colOutputName, r, ToQ(output.Name));
      grdOutputs->SetCell(colExpected, r, ToQ(output.ExpectedValue));
      grdOutputs->SetCell(colCalculated, r, ToQ(output.CalculatedValue));
      grdOutputs->SetCell(colComment, r, ToQ(output.Comment));
    }
  }
  SetEditable(Test != nullptr);
  ShowResults();
}

void TTestPage::SetEditable(bool IsEditable) {
  for (QWidget* w : {static_cast<QWidget*>(edtDescription), static_cast<QWidget*>(cboStandard),
                     static_cast<QWidget*>(grdInputs), static_cast<QWidget*>(grdOutputs),
                     static_cast<QWidget*>(btnRunTest), static_cast<QWidget*>(btnCheckTestData),
                     static_cast<QWidget*>(btnSaveAsDataFile)})
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
      if (r >= grdOutputs->RowCount() - 1) break;
      grdOutputs->SetCell(colCalculated, r, ToQ(test->OutputList[i].CalculatedValue));
      grdOutputs->SetCell(colComment, r, ToQ(test->OutputList[i].Comment));
    }
  }
  const TErrorLevel level = test ? test->Status.ErrorLevel : elNone;
  if (level == elNone) {
    lblVerdict->clear();
  } else if (level == elHint) {
    lblVerdict->setText(QStringLiteral("Test OK"));
    lblVerdict->setStyleSheet(QStringLiteral("color: #1a7f37"));
  } else {
    lblVerdict->setText(QStringLiteral("Test FAIL"));
    lblVerdict->setStyleSheet(QStringLiteral("color: #c0161d"));
  }
}

void TTestPage::ClearCalculatedValues() {
  TFillScope filling(*this);
  for (int r = 1; r < grdOutputs->RowCount(); ++r) grdOutputs->SetCell(colCalculated, r, QString());
}

void TTestPage::TestChanged() {
  if (IsFilling()) return;
  if (TTest* test = CurrentTest()) test->ClearResults();
  {
    TFillScope filling(*this);
    for (int r = 1; r < grdOutputs->RowCount(); ++r) {
      grdOutputs->SetCell(colCalculated, r, QString());
      grdOutputs->SetCell(colComment, r, QString());
    }
  }
  ShowResults();
  Host().InputChanged(false);
}

void TTestPage::UpdateProjectFromScreen() {
  TTest* test = CurrentTest();
  if (!test) return;
  for (TStringGrid* grid : {grdInputs, grdOutputs}) grid->CommitEdit();
  test->Description = ToStd(edtDescription->text());
  test->VersionID = cboStandard->currentIndex() == 0 ? kStandard2003 : kStandard2017;
  test->InputList.clear();
  for (int r = 1; r < grdInputs->RowCount(); ++r)
    if (!IsBlankRow(*grdInputs, r)) test->InputList.push_back(ToStd(grdInputs->Cell(colInput, r).trimmed()));
  test->OutputList.clear();
  for (int r = 1; r < grdOutputs->RowCount(); ++r) {
    if (IsBlankRow(*grdOutputs, r)) continue;
    TOutput output;
    output.Name = ToStd(grdOutputs->Cell(colOutputName, r).trimmed());
    output.ExpectedValue = ToStd(grdOutputs->Cell(colExpected, r).trimmed());
    output.CalculatedValue = ToStd(grdOutputs->Cell(colCalculated, r));
    output.Comment = ToStd(grdOutputs->Cell(colComment, r));
    test->OutputList.push_back(std::move(output));
  }
}

void TTestPage::LeavingPage() { UpdateProjectFromScreen(); }

// ---------------------------------------------------------------------------
// The test results page

TTestResultsPage::TTestResultsPage(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("pageTestResults"));
  setAccessibleName(QStringLiteral("Test Results"));
  lblTestsRun = new QLabel;
  lblTestsRun->setObjectName(QStringLiteral("lblTestsRun"));
  lblPassed = new QLabel;
  lblPassed->setObjectName(QStringLiteral("lblTestsPassed"));
  pbScore = new QProgressBar;
  pbScore->setObjectName(QStringLiteral("pbTestScore"));
  pbScore->setAccessibleName(QStringLiteral("Tests done"));
  pbScore->setTextVisible(false);
  pbScore->setMaximumHeight(14);
  tvTests = new QTreeWidget;
  tvTests->setObjectName(QStringLiteral("tvTestResults"));
  tvTests->setAccessibleName(QStringLiteral("Tests dealt with"));
  tvTests->setRootIsDecorated(false);
  tvTests->setHeaderLabels({QStringLiteral("Test"), QStringLiteral("Verdict")});
  tvTests->header()->setStretchLastSection(false);
  tvTests->header()->setSectionResizeMode(0, QHeaderView::Stretch);

  auto* left = new QVBoxLayout;
  left->addWidget(lblTestsRun);
  left->addWidget(lblPassed);
  left->addWidget(pbScore);
  left->addStretch(1);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  layout->addLayout(left);
  layout->addWidget(tvTests, 1);
  Start(0);
}

void TTestResultsPage::Start(int Count) {
  has_failure_ = false;
  tvTests->clear();
  lblTestsRun->setText(QStringLiteral("Tests run: %1/%2").arg(0).arg(Count));
  lblPassed->setText(QStringLiteral("Passed: 0/0"));
  pbScore->setRange(0, std::max(1, Count));
  pbScore->setValue(0);
  SetScoreColour(false);
}

void TTestResultsPage::TestDone(const QString& Group, const QString& Name, bool Passed, int Done, int Count,
                                int PassedCount) {
  auto* item = new QTreeWidgetItem(tvTests, {Group + QLatin1Char('-') + Name,
                                             Passed ? QStringLiteral("OK") : QStringLiteral("FAIL")});
  item->setForeground(1, Passed ? QColor(0x1a, 0x7f, 0x37) : QColor(0xc0, 0x16, 0x1d));
  tvTests->scrollToItem(item);
  lblTestsRun->setText(QStringLiteral("Tests run: %1/%2").arg(Done).arg(Count));
  lblPassed->setText(QStringLiteral("Passed: %1/%2").arg(PassedCount).arg(Done));
  pbScore->setRange(0, std::max(1, Count));
  pbScore->setValue(Done);
  if (!Passed && !has_failure_) {
    has_failure_ = true;
    SetScoreColour(true);
  }
}

QString TTestResultsPage::TestsRunText() const { return lblTestsRun->text(); }

QString TTestResultsPage::PassedText() const { return lblPassed->text(); }

void TTestResultsPage::SetScoreColour(bool IsError) {
  QPalette palette = pbScore->palette();
  palette.setColor(QPalette::Highlight, IsError ? QColor(0xc0, 0x16, 0x1d) : QColor(0x1a, 0x7f, 0x37));
  pbScore->setPalette(palette);
}
