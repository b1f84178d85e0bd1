// The administrators' tools in the main window (started with --admin): the
// Import command, the switches that show the design-table and test screens,
// the tree's design-table node and tests branch, and the test and
// design-table runs. The runs are the core's (admin/cTestRunner.h,
// admin/cDesignTableRunner.h), made on the interface thread and run on the
// administrators' worker thread; the window only shows what they report.
#include <QAction>
#include <QMessageBox>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "admin/cDesignTableRunner.h"
#include "admin/cImport.h"
#include "admin/cTestEditing.h"
#include "admin/cTestRunner.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cSession.h"
#include "ui/cAdminWorker.h"
#include "ui/cMessages.h"
#include "ui/cUiUtility.h"
#include "ui/fDesignTablePage.h"
#include "ui/fMain.h"
#include "ui/fResultsPage.h"
#include "ui/fTestPages.h"

namespace {

// Tree nodes of the administrators' screens, after "Analysis results".
constexpr unsigned kProjectNode = 1;
constexpr unsigned kDesignTableNode = 850;
constexpr unsigned kTestsNode = 900;
constexpr unsigned kTestGroupNode = 901;
constexpr unsigned kTestNode = 902;

const QString kTestPageName = QStringLiteral("Test");
const QString kDesignTablePageName = QStringLiteral("Design table");

QTreeWidgetItem* AddNode(QTreeWidget* Tree, QTreeWidgetItem* Parent, unsigned ItemID, unsigned Level,
                         const QString& Caption, const QString& PageName, const QString& Name = QString()) {
  // Without a tree or parent the node is made free, for the caller to insert.
  auto* item = Parent ? new QTreeWidgetItem(Parent) : Tree ? new QTreeWidgetItem(Tree) : new QTreeWidgetItem;
  item->setText(0, Caption);
  item->setData(0, TfrmMain::kItemIdRole, ItemID);
  item->setData(0, TfrmMain::kLevelRole, Level);
  item->setData(0, TfrmMain::kPageRole, PageName);
  item->setData(0, TfrmMain::kNameRole, Name);
  return item;
}

unsigned ItemIDOf(const QTreeWidgetItem* Item) { return Item ? Item->data(0, TfrmMain::kItemIdRole).toUInt() : 0; }

QString TrueFalse(bool Value) { return Value ? QStringLiteral("True") : QStringLiteral("False"); }

}  // namespace

// ---------------------------------------------------------------------------
// Creation

void TfrmMain::CreateAdminTools() {
  auto* test_page = new TTestPage(*this);
  AddPage(test_page);
  auto* design_page = new TDesignTablePage(*this);
  AddPage(design_page);
  connect(test_page, &TTestPage::TestsReloaded, this, [this] {
    // The screens show the project as read: its tests' results stand until the next change.
    test_data_changed_since_calc_ = false;
    BuildTestNodes();
  });
  connect(test_page->btnRunTest, &QPushButton::clicked, this, &TfrmMain::RunTest);
  connect(test_page->btnCheckTestData, &QPushButton::clicked, this, &TfrmMain::CheckTestData);
  connect(test_page->btnSaveAsDataFile, &QPushButton::clicked, this, &TfrmMain::SaveTestAsDataFile);
  connect(design_page->btnCreate, &QPushButton::clicked, this, &TfrmMain::CreateDesignTable);

  // The "Test Results" page takes the place of the results area's empty one, hidden until a run.
  for (int i = 0; i < results_->count(); ++i) {
    if (results_->tabText(i) != QStringLiteral("Test Results")) continue;
    QWidget* placeholder = results_->widget(i);
    results_->removeTab(i);
    delete placeholder;
    test_results_ = new TTestResultsPage;
    results_->insertTab(i, test_results_, QStringLiteral("Test Results"));
    results_->setTabVisible(i, false);
    break;
  }

  admin_worker_ = new TAdminWorker(this);
  connect(admin_worker_, &TAdminWorker::LogLine, this, &TfrmMain::AddLogLine);
  connect(admin_worker_, &TAdminWorker::Message, this,
          [this](const QString& Text) { pending_admin_messages_ << Text; });
  connect(admin_worker_, &TAdminWorker::Progress, this, [this](int Done, int Count, const QString& Activity) {
    progress_->setRange(0, std::max(1, Count));
    progress_->setValue(Done);
    if (!Activity.isEmpty()) SetStatusText(Activity);
  });
  connect(admin_worker_, &TAdminWorker::TestDone, this,
          [this](const QString& Group, const QString& Name, bool Passed, int Done, int Count, int PassedCount) {
            if (test_results_) test_results_->TestDone(Group, Name, Passed, Done, Count, PassedCount);
            SetStatusText(QStringLiteral("Tests run: %1/%2, Passed: %3/%4").arg(Done).arg(Count).arg(PassedCount).arg(Done));
          });
  connect(cancel_, &QPushButton::clicked, this, &TfrmMain::CancelAdminJob);

  auto cmd = [this](const char* Name) { return Command(QString::fromLatin1(Name)); };
  connect(cmd("actImport"), &QAction::triggered, this, &TfrmMain::ImportFile);
  connect(cmd("actAllowTesting"), &QAction::triggered, this, &TfrmMain::SetTestingAllowed);
  connect(cmd("actShowDesignParameters"), &QAction::triggered, this, &TfrmMain::SetDesignParametersShown);
  connect(cmd("actRunAllTests"), &QAction::triggered, this, &TfrmMain::RunAllTests);
  connect(cmd("actCancelTests"), &QAction::triggered, this, &TfrmMain::CancelTests);
  connect(cmd("actListProperties"), &QAction::triggered, this, &TfrmMain::ListProperties);
  connect(cmd("actCreateDesignTable"), &QAction::triggered, this, &TfrmMain::CreateDesignTable);
  for (const char* name : {"actImport", "actAllowTesting", "actShowDesignParameters", "actListProperties"})
    data_commands_.push_back(cmd(name));
  cmd("actAllowTesting")->setStatusTip(QStringLiteral("Shows the regression tests kept in the project"));
  cmd("actRunAllTests")->setStatusTip(QStringLiteral("Runs every test of the project and writes the results file"));
  cmd("actCancelTests")->setStatusTip(QStringLiteral("Stops the run of all tests after the current test"));
  cmd("actListProperties")->setStatusTip(QStringLiteral("Writes the list of properties tests may set and read"));
  cmd("actShowDesignParameters")->setStatusTip(QStringLiteral("Shows the design-table parameters"));
  cmd("actCreateDesignTable")->setStatusTip(QStringLiteral("Makes design tables over the spans and spacings"));
}

// ---------------------------------------------------------------------------
// Switches and tree nodes

void TfrmMain::SetTestingAllowed(bool IsAllowed) {
  QAction* action = Command(QStringLiteral("actAllowTesting"));
  {
    const QSignalBlocker block(action);
    action->setChecked(IsAllowed);
  }
  if (!options_.IsAdmin || IsAllowed == testing_allowed_) return;
  if (!IsAllowed && ItemIDOf(tree_->currentItem()) >= kTestsNode) SelectNode(kProjectNode);
  testing_allowed_ = IsAllowed;
  AddLogLine(QStringLiteral("act: ENABLEUNITTESTS: ") + TrueFalse(IsAllowed));
  Command(QStringLiteral("actRunAllTests"))->setEnabled(IsAllowed && !running_);
  if (test_results_) results_->setTabVisible(results_->indexOf(test_results_), false);
  const QSignalBlocker block(tree_);
  delete Node(kTestsNode);
  if (IsAllowed && Page(kTestPageName)) {
    AddNode(tree_, nullptr, kTestsNode, 1, QStringLiteral("Tests"), kTestPageName);
    BuildTestNodes();
  }
}

void TfrmMain::SetDesignParametersShown(bool IsShown) {
  QAction* action = Command(QStringLiteral("actShowDesignParameters"));
  {
    const QSignalBlocker block(action);
    action->setChecked(IsShown);
  }
  if (!options_.IsAdmin || IsShown == design_parameters_shown_) return;
  if (!IsShown && ItemIDOf(tree_->currentItem()) == kDesignTableNode) SelectNode(kProjectNode);
  design_parameters_shown_ = IsShown;
  AddLogLine(QStringLiteral("act: ENABLEDESIGNTABLES: ") + TrueFalse(IsShown));
  Command(QStringLiteral("actCreateDesignTable"))->setEnabled(IsShown && !running_);
  const QSignalBlocker block(tree_);
  delete Node(kDesignTableNode);
  if (IsShown && Page(kDesignTablePageName)) {
    // Before the tests branch, when there is one.
    QTreeWidgetItem* node =
        AddNode(nullptr, nullptr, kDesignTableNode, 1, QStringLiteral("Design table"), kDesignTablePageName);
    QTreeWidgetItem* tests = Node(kTestsNode);
    tree_->insertTopLevelItem(tests ? tree_->indexOfTopLevelItem(tests) : tree_->topLevelItemCount(), node);
  }
}

// Called with the tree's signals blocked, after the node table's nodes.
void TfrmMain::AddAdminNodes() {
  if (!options_.IsAdmin) return;
  if (design_parameters_shown_ && Page(kDesignTablePageName))
    AddNode(tree_, nullptr, kDesignTableNode, 1, QStringLiteral("Design table"), kDesignTablePageName);
  if (testing_allowed_ && Page(kTestPageName)) {
    AddNode(tree_, nullptr, kTestsNode, 1, QStringLiteral("Tests"), kTestPageName);
    BuildTestNodes();
  }
}

// Groups in the project's group order (then any group a test names that the
// list lacks), each with its tests in test-list order.
void TfrmMain::BuildTestNodes() {
  QTreeWidgetItem* branch = Node(kTestsNode);
  if (!branch) return;
  const QTreeWidgetItem* current = tree_->currentItem();
  const unsigned current_id = ItemIDOf(current);
  const QString current_name = current ? current->data(0, kNameRole).toString() : QString();

  const QSignalBlocker block(tree_);
  qDeleteAll(branch->takeChildren());
  QStringList groups;
  auto add_group = [&groups](const QString& Group) {
    for (const QString& g : groups)
      if (g.compare(Group, Qt::CaseInsensitive) == 0) return;
    groups << Group;
  };
  const TEntityList& group_list = project_->TestGroupList;
  for (int i = 0; i < group_list.Count(); ++i) add_group(ToQ(group_list.ItemAs<TTestGroup>(i)->Group));
  const TEntityList& tests = project_->TestList;
  for (int i = 0; i < tests.Count(); ++i) add_group(ToQ(tests.ItemAs<TTest>(i)->Group));
  for (const QString& group : groups) {
    QTreeWidgetItem* group_node = AddNode(tree_, branch, kTestGroupNode, 2, group, kTestPageName, group);
    for (int i = 0; i < tests.Count(); ++i) {
      const TTest& test = *tests.ItemAs<TTest>(i);
      if (ToQ(test.Group).compare(group, Qt::CaseInsensitive) != 0) continue;
      AddNode(tree_, group_node, kTestNode, 3, ToQ(test.Name), kTestPageName, ToQ(test.Name));
    }
  }
  branch->setExpanded(true);
  for (int i = 0; i < branch->childCount(); ++i) branch->child(i)->setExpanded(true);
  // The node chosen before stays chosen when it is still there.
  if (current_id == kTestNode || current_id == kTestGroupNode) {
    for (QTreeWidgetItemIterator it(branch); *it; ++it)
      if (ItemIDOf(*it) == current_id && (*it)->data(0, kNameRole).toString() == current_name) {
        tree_->setCurrentItem(*it);
        break;
      }
  }
}

QTreeWidgetItem* TfrmMain::TestNode(const QString& Name) const {
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if (ItemIDOf(*it) == kTestNode && (*it)->data(0, kNameRole).toString() == Name) return *it;
  return nullptr;
}

// Test nodes make their test current; a group node or the branch shows no test.
void TfrmMain::AdminNodeChosen(QTreeWidgetItem* Node) {
  auto* page = qobject_cast<TTestPage*>(Page(kTestPageName));
  if (!page) return;
  switch (ItemIDOf(Node)) {
    case kTestNode: page->ShowTest(Node->data(0, kNameRole).toString()); break;
    case kTestGroupNode: page->ShowTest(QString(), Node->data(0, kNameRole).toString()); break;
    case kTestsNode: page->ShowTest(QString()); break;
    default: break;
  }
}

// Any change outside the test page makes every test's stored results stale:
// they are cleared once, until the next run, so Run All Tests runs them again.
void TfrmMain::AdminInputChanged() {
  if (!options_.IsAdmin || test_data_changed_since_calc_) return;
  if (Page(kTestPageName) && CurrentPage() == Page(kTestPageName)) return;
  for (int i = 0; i < project_->TestList.Count(); ++i) project_->TestList.ItemAs<TTest>(i)->ClearResults();
  test_data_changed_since_calc_ = true;
}

// ---------------------------------------------------------------------------
// Import

void TfrmMain::ImportFile() {
  if (running_ || !ConfirmSaveChanges()) return;
  const QString file = AskOpenFileName(this, QStringLiteral("Import"), QFileInfo(default_file_name_).path(),
                                       QStringLiteral("Trevalon V2 files (*.tvx);;All files (*)"));
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(this, TMessageKind::Warning, QStringLiteral("File not opened: unable to find ") + file);
    return;
  }
  ImportFrom(file);
}

// A file that cannot be imported leaves the user's project as it was: the
// readers may have cleared it before they stopped, so it comes back from the
// snapshot taken first.
bool TfrmMain::ImportFrom(const QString& File) {
  const QString path = QFileInfo(File).absoluteFilePath();
  ResetEventLog();
  AddLogLine(QStringLiteral("Importing file [") + path + QStringLiteral("]"));
  TBusyCursor busy;
  const bool has_snapshot = SaveStateSnapshot();
  if (const TResult imported = ImportProjectFile(*project_, *session_, ToStd(path)); !imported) {
    if (has_snapshot) RestoreStateSnapshot();
    AddLogLine(ToQ(imported.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(imported.Message()));
    return false;
  }
  QFile::remove(StateSnapshotFile());
  // What the import could not take over as it stood: the Event Log says so.
  const std::vector<TStatusLine> warnings = project_->Status.ErrorList();
  ClearResultsDisplay();
  UpdateScreensFromProject();
  for (const TStatusLine& line : warnings) AddLogLine(ToQ(line.Text));
  // Save writes a project file beside the imported one.
  SetWindowTitleFor(ToQ(DeriveFileName(ToStd(path), "", ".tva")));
  SetDataChangedSinceSave(true);
  return true;
}

// ---------------------------------------------------------------------------
// Test and design-table runs

void TfrmMain::StartAdminJob(const QString& ProgressFormat, int Count) {
  SetRunning(true);
  for (const char* name : {"actRunAllTests", "actCreateDesignTable"}) Command(QString::fromLatin1(name))->setEnabled(false);
  progress_->setRange(0, std::max(1, Count));
  progress_->setValue(0);
  progress_->setFormat(ProgressFormat);
}

void TfrmMain::EndAdminJob() {
  SetRunning(false);
  Command(QStringLiteral("actRunAllTests"))->setEnabled(testing_allowed_);
  Command(QStringLiteral("actCreateDesignTable"))->setEnabled(design_parameters_shown_);
  Command(QStringLiteral("actCancelTests"))->setVisible(false);
  Command(QStringLiteral("actCancelTests"))->setEnabled(false);
}

bool TfrmMain::IsAdminJobRunning() const { return admin_worker_ && admin_worker_->IsRunning(); }

void TfrmMain::CancelAdminJob() {
  if (!IsAdminJobRunning()) return;
  cancel_->setEnabled(false);
  SetStatusText(QStringLiteral("Cancelling..."));
  admin_worker_->Cancel();
}

void TfrmMain::WaitForAdminJob() {
  if (admin_worker_) admin_worker_->Wait();
}

namespace {

// The short commands (check, save as data file, property list) run on the
// interface thread: what they report goes straight to the Event Log and to a box.
class TWindowTestObserver : public TTestRunObserver {
 public:
  explicit TWindowTestObserver(TfrmMain& Window) : window_(Window) {}
  void LogLine(const std::string& Line) override { window_.AddLogLine(ToQ(Line)); }
  void Message(const std::string& Text) override { ShowMessage(&window_, TMessageKind::Information, ToQ(Text)); }

 private:
  TfrmMain& window_;
};

}  // namespace

void TfrmMain::RunAllTests() { StartTestRun(false); }

void TfrmMain::RunTest() { StartTestRun(true); }

// Run All Tests and Run Test: the screens go into the project, then the
// core's test runner works on it on the administrators' thread; the window
// stays locked until it has put the project back.
void TfrmMain::StartTestRun(bool IsSingle) {
  if (running_ || !testing_allowed_ || !ValidateActiveControl()) return;
  auto* page = qobject_cast<TTestPage*>(Page(kTestPageName));
  UpdateProjectFromScreens();
  if (project_->TestList.Empty()) {
    ShowMessage(this, TMessageKind::Warning, QStringLiteral("The project has no tests"));
    return;
  }
  TTestRunOptions options;
  options.ProjectFileName = ToStd(default_file_name_);
  options.LibraryFile = GetShippedFile(kLibraryFileName);
  const std::string name = IsSingle && page ? ToStd(page->CurrentTestName()) : std::string();
  const int count = IsSingle ? 1 : project_->TestList.Count();

  std::shared_ptr<TTestRunObserver> observer = admin_worker_->MakeTestObserver();
  auto runner = std::make_shared<TTestRunner>(*project_, *session_, *observer);
  auto outcome = std::make_shared<TTestRunOutcome>();
  if (test_results_) {
    test_results_->Start(count);
    results_->setTabVisible(results_->indexOf(test_results_), true);
    results_->setCurrentWidget(test_results_);
  }
  StartAdminJob(QStringLiteral("%v of %m tests"), count);
  if (!IsSingle) {
    Command(QStringLiteral("actCancelTests"))->setVisible(true);
    Command(QStringLiteral("actCancelTests"))->setEnabled(true);
  }
  admin_worker_->Start(
      [runner, observer, outcome, options, name, IsSingle] {
        try {
          *outcome = IsSingle ? runner->RunTest(name, options) : runner->RunAllTests(options);
        } catch (const std::exception& e) {
          outcome->Result = TResult::Failure(std::string("Error during test run: ") + e.what());
        }
      },
      [runner] { runner->RequestCancel(); },
      [this, outcome] {
        EndAdminJob();
        test_data_changed_since_calc_ = false;
        // The project came back from its snapshot with the tests' new results.
        BuildTestNodes();
        if (auto* test_page = qobject_cast<TTestPage*>(Page(kTestPageName)); test_page && CurrentPage() == test_page)
          test_page->ShowTest(test_page->CurrentTestName());
        if (outcome->Result.IsCancelled()) SetStatusText(ToQ(outcome->Result.Message()));
        ShowPendingMessages(outcome->Result.IsFailed());
      });
}

void TfrmMain::CancelTests() { CancelAdminJob(); }

void TfrmMain::CheckTestData() {
  auto* page = qobject_cast<TTestPage*>(Page(kTestPageName));
  if (running_ || !page || !ValidateActiveControl()) return;
  UpdateProjectFromScreens();
  TBusyCursor busy;
  TWindowTestObserver observer(*this);
  TTestRunner runner(*project_, *session_, observer);
  TTestRunOptions options;
  options.ProjectFileName = ToStd(default_file_name_);
  const TTestDataCheck check = runner.CheckTestData(ToStd(page->CurrentTestName()), options);
  if (!check.Result) {
    AddLogLine(ToQ(check.Result.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(check.Result.Message()));
  } else if (!check.Validation.IsOK()) {
    ShowEventLogPage();
    SetStatusText(ToQ(check.Validation.ErrorMsg));
    ShowMessage(this, check.Validation.ErrorLevel >= elError ? TMessageKind::Error : TMessageKind::Warning,
                ToQ(check.Validation.ErrorMsg));
  }
  page->ShowTest(page->CurrentTestName());
}

void TfrmMain::SaveTestAsDataFile() {
  auto* page = qobject_cast<TTestPage*>(Page(kTestPageName));
  if (running_ || !page || !ValidateActiveControl()) return;
  UpdateProjectFromScreens();
  TWindowTestObserver observer(*this);
  TTestRunner runner(*project_, *session_, observer);
  const TResult saved =
      runner.SaveAsDataFile(ToStd(page->CurrentTestName()), ToStd(default_file_name_), [this](const std::string& Question) {
        return ShowMessage(this, TMessageKind::Question, ToQ(Question), QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No) == QMessageBox::Yes;
      });
  if (saved.IsFailed()) {
    AddLogLine(ToQ(saved.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(saved.Message()));
  }
}

void TfrmMain::ListProperties() {
  if (running_ || !ValidateActiveControl()) return;
  UpdateProjectFromScreens();
  TBusyCursor busy;
  TWindowTestObserver observer(*this);
  const QString file = ToQ(TestPropertyListFileName());
  TResult written = CheckWindowOutput(file, default_file_name_);
  if (written) written = WriteTestPropertyList(*project_, ToStd(file), observer);
  if (!written) {
    AddLogLine(ToQ(written.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(written.Message()));
  }
}

// Create Design Table: the page's settings go into the project; the core's
// generator runs the cases side by side on the administrators' thread and
// leaves the project and libraries as they were; the table comes back for
// the page to show.
void TfrmMain::CreateDesignTable() {
  auto* page = qobject_cast<TDesignTablePage*>(Page(kDesignTablePageName));
  if (running_ || !design_parameters_shown_ || !page || !ValidateActiveControl()) return;
  UpdateProjectFromScreens();
  TDesignTableOptions options;
  options.Settings = DesignTableSettingsOf(project_->DesignTable);
  options.Settings.WillSaveInputs = page->WillSaveInputs();
  options.Settings.WillSaveReports = page->WillSaveReports();
  options.ProjectFileName = ToStd(default_file_name_);
  options.LibraryFile = GetShippedFile(kLibraryFileName);
  const int floors = options.Settings.WillIterateAllFloors ? std::max(1, page->cboFloorUse->count()) : 1;
  // The progress bar's end; a table of more cases than may be is refused by the run at once.
  const int cases = static_cast<int>(std::min<size_t>(
      static_cast<size_t>(floors) * options.Settings.SpacingList.size() * (1 + options.Settings.SpanList.size()),
      kMaxDesignTableCases + 1));

  std::shared_ptr<TDesignTableObserver> observer = admin_worker_->MakeDesignTableObserver();
  auto runner = std::make_shared<TDesignTableRunner>(*project_, *session_, *observer);
  auto outcome = std::make_shared<TDesignTableOutcome>();
  page->ShowTable({});
  if (CurrentPage() != page) SelectNode(kDesignTableNode);
  StartAdminJob(QStringLiteral("%v of %m cases"), cases);
  admin_worker_->Start(
      [runner, observer, outcome, options] {
        try {
          *outcome = runner->Run(options);
        } catch (const std::exception& e) {
          outcome->Result = TResult::Failure(std::string("Error during design table creation: ") + e.what());
        }
      },
      [runner] { runner->RequestCancel(); },
      [this, page, outcome] {
        EndAdminJob();
        if (outcome->Result.IsCancelled()) {
          SetStatusText(ToQ(outcome->Result.Message()));
        } else if (outcome->Result) {
          page->ShowTable(outcome->Lines);
          // The table is also the results tree's, without the display options;
          // the next results run shows them again.
          results_page_->ClearResultsTree(QString());
          results_page_->SetDisplayOptionsVisible(false);
          results_page_->BuildResultsTree(outcome->Lines);
        } else if (pending_admin_messages_.isEmpty()) {
          pending_admin_messages_ << ToQ(outcome->Result.Message());
        }
        ShowPendingMessages(outcome->Result.IsFailed());
      });
}

void TfrmMain::ShowPendingMessages(bool IsError) {
  const QStringList messages = std::exchange(pending_admin_messages_, {});
  for (const QString& message : messages)
    ShowMessage(this, IsError ? TMessageKind::Error : TMessageKind::Information, message);
}

// ---------------------------------------------------------------------------
// Test editing from the tree

void TfrmMain::AddTestEditEntries(QMenu& Menu) {
  if (!testing_allowed_ || running_) return;
  Menu.addSeparator();
  const std::pair<const char*, const char*> entries[] = {
      {"Add test group...", "AddGroup"}, {"Add test...", "AddTest"},       {"Copy test", "CopyTest"},
      {"Rename test...", "RenameTest"},  {"Delete test", "DeleteTest"},     {"Delete test group", "DeleteGroup"}};
  for (const auto& [caption, edit] : entries)
    Menu.addAction(QString::fromLatin1(caption), this, [this, edit = QString::fromLatin1(edit)] { EditTests(edit); });
}

// Each edit is the core's rule (admin/cTestEditing.h); the window asks for
// the names and confirmations, asks again while a name is taken, and shows
// the tree as the project's tests then stand.
void TfrmMain::EditTests(const QString& Edit) {
  if (running_ || !testing_allowed_) return;
  if (auto* page = qobject_cast<TTestPage*>(Page(kTestPageName)); page && CurrentPage() == page)
    page->UpdateProjectFromScreen();
  const QTreeWidgetItem* node = tree_->currentItem();
  const unsigned id = ItemIDOf(node);
  const std::string name = node ? ToStd(node->data(0, kNameRole).toString()) : std::string();
  const std::string test = id == kTestNode ? name : std::string();
  std::string group = id == kTestGroupNode ? name : std::string();
  if (const auto* t = dynamic_cast<const TTest*>(project_->TestList.Find(test))) group = t->Group;

  const auto confirm = [this](const std::string& Question) {
    return ShowMessage(this, TMessageKind::Question, ToQ(Question), QMessageBox::Ok | QMessageBox::Cancel,
                       QMessageBox::Ok) == QMessageBox::Ok;
  };
  std::string chosen;  // the name given in the input box
  const auto ask = [&](const QString& Caption, const QString& Prompt, QString Preset,
                       const std::function<TResult(const std::string&)>& Apply) {
    for (;;) {
      const QString answer = AskText(this, Caption, Prompt, Preset);
      chosen = ToStd(answer.trimmed());
      TResult edit = Apply(chosen);
      if (!edit.IsFailed() || (edit.Message() != kUniqueGroupName && edit.Message() != kUniqueTestName))
        return edit;
      ShowMessage(this, TMessageKind::Warning, ToQ(edit.Message()));
      Preset = answer;
    }
  };

  TResult edit;
  unsigned select_id = kTestsNode;
  std::string select_name;
  if (Edit == QLatin1String("AddGroup")) {
    edit = ask(QStringLiteral("Add new group"), QStringLiteral("Name of new test group"), QString(),
               [this](const std::string& Name) { return AddTestGroup(*project_, Name); });
    select_id = kTestGroupNode;
    select_name = chosen;
  } else if (Edit == QLatin1String("AddTest")) {
    edit = AddTest(*project_, group, "");  // a group must be chosen before a name is asked for
    if (edit.IsCancelled())
      edit = ask(QStringLiteral("Add new test"), QStringLiteral("Name of new test"), QString(),
                 [this, &group](const std::string& Name) { return AddTest(*project_, group, Name); });
    select_id = kTestNode;
    select_name = chosen;
  } else if (Edit == QLatin1String("CopyTest")) {
    edit = CopyTest(*project_, test);
    select_id = kTestNode;
    select_name = edit.Message();
  } else if (Edit == QLatin1String("RenameTest")) {
    edit = RenameTest(*project_, test, "");
    if (edit.IsCancelled())
      edit = ask(QStringLiteral("Change test name"), QStringLiteral("New name of test"), ToQ(test),
                 [this, &test](const std::string& Name) { return RenameTest(*project_, test, Name); });
    select_id = kTestNode;
    select_name = chosen;
  } else if (Edit == QLatin1String("DeleteTest")) {
    edit = DeleteTest(*project_, test, confirm);
    select_id = kTestGroupNode;
    select_name = group;
  } else if (Edit == QLatin1String("DeleteGroup")) {
    edit = DeleteTestGroup(*project_, group, confirm);
  } else {
    return;
  }
  if (edit.IsFailed()) ShowMessage(this, TMessageKind::Warning, ToQ(edit.Message()));
  if (!edit) return;

  SetDataChangedSinceSave(true);
  {
    // The page must not write into a test that is gone or renamed: it shows none until a node is chosen.
    if (auto* page = qobject_cast<TTestPage*>(Page(kTestPageName))) page->ShowTest(QString());
    const QSignalBlocker block(tree_);
    if (QTreeWidgetItem* branch = Node(kTestsNode)) tree_->setCurrentItem(branch);
    BuildTestNodes();
  }
  QTreeWidgetItem* target = Node(kTestsNode);
  for (QTreeWidgetItemIterator it(tree_); *it; ++it)
    if (ItemIDOf(*it) == select_id && ToStd((*it)->data(0, kNameRole).toString()) == select_name) target = *it;
  if (target) {
    // Moving to it must not first save the blank page over anything.
    tree_->setCurrentItem(target);
    AdminNodeChosen(target);
  }
}
