// The administrators' regression-test screens: the "Test" page, which edits
// one test of the project (its description, edition, input lines and outputs
// with their expected values) and shows its last results, and the "Test
// Results" page of the results area, which follows a run of the tests.
//
// The page edits the project's test in place: the transfers copy the fields
// into the current test (looked up by name, so a project reloaded from a
// file leaves no dangling test behind). Changing a test on its page clears
// that test's results, so the next run of all tests runs it again.
//
// Interface thread only.
#pragma once

#include <QWidget>

#include <string>

#include "ui/cDataPage.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTreeWidget;
class TStringGrid;
class TTest;

class TTestPage : public TDataPage {
  Q_OBJECT
 public:
  // The inputs grid: one input line per row ("Section.Key=Value").
  enum { colInput = 0 };
  // The outputs grid; the calculated value and the comment are the run's, not typed.
  enum { colOutputName = 0, colExpected, colCalculated, colComment, colOutputCount };

  explicit TTestPage(TPageHost& Host, QWidget* Parent = nullptr);

  // After a project was read: no test is current any more.
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void LeavingPage() override;

  // Shows the test Name of the project (none when Name is empty or unknown);
  // with no test, Group names the group node chosen.
  void ShowTest(const QString& Name, const QString& Group = QString());
  // The current test, or null.
  TTest* CurrentTest() const;
  QString CurrentTestName() const { return QString::fromStdString(current_); }
  // The current test's calculated values, comments and verdict, from the project.
  void ShowResults();
  // Empties the calculated-value column (the results display was cleared).
  void ClearCalculatedValues();

  QLabel* lblTestName() const { return lblTestName_; }
  QLabel* lblGroup() const { return lblGroup_; }
  QLineEdit* edtDescription() const { return edtDescription_; }
  QComboBox* cboStandard() const { return cboStandard_; }
  TStringGrid* grdInputs() const { return grdInputs_; }
  TStringGrid* grdOutputs() const { return grdOutputs_; }
  QLabel* lblVerdict() const { return lblVerdict_; }
  QPushButton* btnRunTest() const { return btnRunTest_; }
  QPushButton* btnCheckTestData() const { return btnCheckTestData_; }
  QPushButton* btnSaveAsDataFile() const { return btnSaveAsDataFile_; }

 signals:
  // The project's tests were replaced (New, Open, Import): the tree's test nodes follow.
  void TestsReloaded();

 private:
  // The user changed the current test: its results no longer hold.
  void TestChanged();
  void FillFromTest(const TTest* Test);
  void SetEditable(bool IsEditable);

  std::string current_;  // the current test's name; empty for none
  QLabel* lblTestName_ = nullptr;
  QLabel* lblGroup_ = nullptr;
  QLineEdit* edtDescription_ = nullptr;
  QComboBox* cboStandard_ = nullptr;
  TStringGrid* grdInputs_ = nullptr;
  TStringGrid* grdOutputs_ = nullptr;
  QLabel* lblVerdict_ = nullptr;
  QPushButton* btnRunTest_ = nullptr;
  QPushButton* btnCheckTestData_ = nullptr;
  QPushButton* btnSaveAsDataFile_ = nullptr;
};

// The "Test Results" page of the results area: how far a run of the tests
// has come ("Tests run: d/n", "Passed: p/d"), a score bar that turns to its
// error colour at the first failure, and one line per test dealt with.
class TTestResultsPage : public QWidget {
  Q_OBJECT
 public:
  explicit TTestResultsPage(QWidget* Parent = nullptr);

  // A run of Count tests begins.
  void Start(int Count);
  // Test Name (in Group) was dealt with: Passed tells its verdict; Done of
  // Count dealt with so far, PassedCount of them passed.
  void TestDone(const QString& Group, const QString& Name, bool Passed, int Done, int Count, int PassedCount);

  QString TestsRunText() const;
  QString PassedText() const;
  bool HasFailure() const { return has_failure_; }

  QLabel* lblTestsRun() const { return lblTestsRun_; }
  QLabel* lblPassed() const { return lblPassed_; }
  QProgressBar* pbScore() const { return pbScore_; }
  QTreeWidget* tvTests() const { return tvTests_; }

 private:
  void SetScoreColour(bool IsError);
  bool has_failure_ = false;
  QLabel* lblTestsRun_ = nullptr;
  QLabel* lblPassed_ = nullptr;
  QProgressBar* pbScore_ = nullptr;
  QTreeWidget* tvTests_ = nullptr;
};
