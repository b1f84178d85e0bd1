// TAdminTools: the administrators' tools in the main window (started with
// --admin): the Import command, the library generator, the switches that
// show the design-table and test screens, the tree's design-table node and
// tests branch with its editing entries, the "Test" and "Design table" pages,
// the "Test Results" page of the results area, and the test and design-table
// runs on the administrators' worker thread.
//
// The runs are the core's (admin/cTestRunner.h, admin/cDesignTableRunner.h),
// made on the interface thread and run on the worker; the window only shows
// what they report, locked meanwhile. The window owns this part and makes it
// only for an administrator.
//
// Interface thread only.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QMenu;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class TAdminWorker;
class TDesignTablePage;
class TTestPage;
class TTestResultsPage;
class TfrmMain;

class TAdminTools : public QObject {
  Q_OBJECT
 public:
  // Tree nodes of the administrators' screens, after "Analysis results".
  static constexpr unsigned kDesignTableNode = 850;
  static constexpr unsigned kTestsNode = 900;
  static constexpr unsigned kTestGroupNode = 901;
  static constexpr unsigned kTestNode = 902;

  // Adds the Test and Design table pages to Window and the Test Results page
  // (hidden until a run) to ResultsArea.
  TAdminTools(TfrmMain& Window, QTabWidget& ResultsArea);
  // Asks a job still under way to stop and waits for it.
  ~TAdminTools() override;

  void ImportFile();
  // The same as the Import command after its file dialog.
  bool ImportFrom(const QString& File);
  void GenerateLibrary();

  void SetTestingAllowed(bool IsAllowed);
  bool IsTestingAllowed() const { return testing_allowed_; }
  void SetDesignParametersShown(bool IsShown);
  bool AreDesignParametersShown() const { return design_parameters_shown_; }

  void RunAllTests();
  void RunTest();
  void CancelTests();
  void CheckTestData();
  void SaveTestAsDataFile();
  void ListProperties();
  void CreateDesignTable();
  // A test run or a design table under way on the administrators' worker.
  bool IsJobRunning() const;
  // A run of all the tests under way (Cancel Tests shows meanwhile).
  bool IsRunningAllTests() const { return is_all_tests_; }
  void CancelJob();
  // Blocks until a job under way has ended and its outcome is shown.
  void WaitForJob();

  TTestPage* TestPage() const { return test_page_; }
  TDesignTablePage* DesignTablePage() const { return design_page_; }
  TTestResultsPage* TestResults() const { return test_results_; }

  // The tree: the administrators' nodes after the node table's (called with
  // the tree's signals blocked), the tests branch rebuilt from the project,
  // the node of the test Name (or null), a chosen node.
  void AddNodes();
  void BuildTestNodes();
  QTreeWidgetItem* TestNode(const QString& Name) const;
  void NodeChosen(QTreeWidgetItem* Node);
  // The tree's test editing entries on the chosen node: "AddGroup", "AddTest",
  // "CopyTest", "RenameTest", "DeleteTest", "DeleteGroup"; and the tree's
  // context menu entries that lead to them.
  void EditTests(const QString& Edit);
  void AddTestEditEntries(QMenu& Menu);
  // Any change outside the test page makes the tests' stored results stale.
  void InputChanged();

 private:
  QTreeWidget* Tree() const;
  void StartJob(const QString& ProgressFormat, int Count);
  void EndJob();
  void StartTestRun(bool IsSingle);
  // The messages a job sent while it ran, in boxes now that it is over.
  void ShowPendingMessages(bool IsError);

  TfrmMain& window_;
  QTabWidget& area_;
  TAdminWorker* worker_;
  TTestPage* test_page_;
  TDesignTablePage* design_page_;
  TTestResultsPage* test_results_;
  bool testing_allowed_ = false;
  bool design_parameters_shown_ = false;
  bool test_data_changed_since_calc_ = true;
  bool is_all_tests_ = false;
  QStringList pending_messages_;
};
