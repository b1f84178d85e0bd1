#include "ui/fAdminTools.h"

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
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fResultsPage.h"
#include "ui/fTestPages.h"

namespace {

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

TAdminTools::TAdminTools(TfrmMain& Window, QTabWidget& ResultsArea) : window_(Window), area_(ResultsArea) {
  test_page_ = new TTestPage(Window);
  design_page_ = new TDesignTablePage(Window);
  Window.AddPage(test_page_);
  Window.AddPage(design_page_);
  connect(test_page_, &TTestPage::TestsReloaded, this, [this] {
    // The screens show the project as read: its tests' results stand until the next change.
    test_data_changed_since_calc_ = false;
    BuildTestNodes();
  });
  connect(test_page_->btnRunTest(), &QPushButton::clicked, this, &TAdminTools::RunTest);
  connect(test_page_->btnCheckTestData(), &QPushButton::clicked, this, &TAdminTools::CheckTestData);
  connect(test_page_->btnSaveAsDataFile(), &QPushButton::clicked, this, &TAdminTools::SaveTestAsDataFile);
  connect(design_page_->btnCreate(), &QPushButton::clicked, this, &TAdminTools::CreateDesignTable);

  test_results_ = new TTestResultsPage;
  area_.addTab(test_results_, QStringLiteral("Test Results"));
  area_.setTabVisible(area_.indexOf(test_results_), false);

  worker_ = new TAdminWorker(this);
  connect(worker_, &TAdminWorker::LogLine, &window_, &TfrmMain::AddLogLine);
  connect(worker_, &TAdminWorker::Message, this, [this](const QString& Text) { pending_messages_ << Text; });
  connect(worker_, &TAdminWorker::Progress, &window_, &TfrmMain::ShowProgress);
  connect(worker_, &TAdminWorker::TestDone, this,
          [this](const QString& Group, const QString& Name, bool Passed, int Done, int Count, int PassedCount) {
            test_results_->TestDone(Group, Name, Passed, Done, Count, PassedCount);
            window_.SetStatusText(
                QStringLiteral("Tests run: %1/%2, Passed: %3/%4").arg(Done).arg(Count).arg(PassedCount).arg(Done));
          });
}

TAdminTools::~TAdminTools() {
  delete worker_;
  worker_ = nullptr;
}

// ---------------------------------------------------------------------------
// Switches and tree nodes

void TAdminTools::SetTestingAllowed(bool IsAllowed) {
  if (IsAllowed == testing_allowed_) {
    window_.RefreshCommands();
    return;
  }
  if (!IsAllowed && ItemIDOf(Tree()->currentItem()) >= kTestsNode) window_.SelectNode(TfrmMain::kProjectNode);
  testing_allowed_ = IsAllowed;
  window_.AddLogLine(QStringLiteral("act: ENABLEUNITTESTS: ") + TrueFalse(IsAllowed));
  window_.RefreshCommands();
  area_.setTabVisible(area_.indexOf(test_results_), false);
  const QSignalBlocker block(Tree());
  delete window_.Node(kTestsNode);
  if (IsAllowed && test_page_) {
    AddNode(Tree(), nullptr, kTestsNode, 1, QStringLiteral("Tests"), kTestPageName);
    BuildTestNodes();
  }
}

void TAdminTools::SetDesignParametersShown(bool IsShown) {
  if (IsShown == design_parameters_shown_) {
    window_.RefreshCommands();
    return;
  }
  if (!IsShown && ItemIDOf(Tree()->currentItem()) == kDesignTableNode) window_.SelectNode(TfrmMain::kProjectNode);
  design_parameters_shown_ = IsShown;
  window_.AddLogLine(QStringLiteral("act: ENABLEDESIGNTABLES: ") + TrueFalse(IsShown));
  window_.RefreshCommands();
  const QSignalBlocker block(Tree());
  delete window_.Node(kDesignTableNode);
  if (IsShown && design_page_) {
    // Before the tests branch, when there is one.
    QTreeWidgetItem* node =
        AddNode(nullptr, nullptr, kDesignTableNode, 1, QStringLiteral("Design table"), kDesignTablePageName);
    QTreeWidgetItem* tests = window_.Node(kTestsNode);
    Tree()->insertTopLevelItem(tests ? Tree()->indexOfTopLevelItem(tests) : Tree()->topLevelItemCount(), node);
  }
}

// Called with the tree's signals blocked, after the node table's nodes.
void TAdminTools::AddNodes() {
  if (design_parameters_shown_ && design_page_)
    AddNode(Tree(), nullptr, kDesignTableNode, 1, QStringLiteral("Design table"), kDesignTablePageName);
  if (testing_allowed_ && test_page_) {
    AddNode(Tree(), nullptr, kTestsNode, 1, QStringLiteral("Tests"), kTestPageName);
    BuildTestNodes();
  }
}

// Groups in the project's group order (then any group a test names that the
// list lacks), each with its tests in test-list order.
void TAdminTools::BuildTestNodes() {
  QTreeWidgetItem* branch = window_.Node(kTestsNode);
  if (!branch) return;
  const QTreeWidgetItem* current = Tree()->currentItem();
  const unsigned current_id = ItemIDOf(current);
  const QString current_name = current ? current->data(0, TfrmMain::kNameRole).toString() : QString();

  const QSignalBlocker block(Tree());
  qDeleteAll(branch->takeChildren());
  QStringList groups;
  auto add_group = [&groups](const QString& Group) {
    for (const QString& g : groups)
      if (g.compare(Group, Qt::CaseInsensitive) == 0) return;
    groups << Group;
  };
  const TEntityList& group_list = window_.Project().TestGroupList;
  for (int i = 0; i < group_list.Count(); ++i) add_group(ToQ(group_list.ItemAs<TTestGroup>(i)->Group));
  const TEntityList& tests = window_.Project().TestList;
  for (int i = 0; i < tests.Count(); ++i) add_group(ToQ(tests.ItemAs<TTest>(i)->Group));
  for (const QString& group : groups) {
    QTreeWidgetItem* group_node = AddNode(Tree(), branch, kTestGroupNode, 2, group, kTestPageName, group);
    for (int i = 0; i < tests.Count(); ++i) {
      const TTest& test = *tests.ItemAs<TTest>(i);
      if (ToQ(test.Group).compare(group, Qt::CaseInsensitive) != 0) continue;
      AddNode(Tree(), group_node, kTestNode, 3, ToQ(test.Name), kTestPageName, ToQ(test.Name));
    }
  }
  branch->setExpanded(true);
  for (int i = 0; i < branch->childCount(); ++i) branch->child(i)->setExpanded(true);
  // The node chosen before stays chosen when it is still there.
  if (current_id == kTestNode || current_id == kTestGroupNode) {
    for (QTreeWidgetItemIterator it(branch); *it; ++it)
      if (ItemIDOf(*it) == current_id && (*it)->data(0, TfrmMain::kNameRole).toString() == current_name) {
        Tree()->setCurrentItem(*it);
        break;
      }
  }
}

QTreeWidgetItem* TAdminTools::TestNode(const QString& Name) const {
  for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
    if (ItemIDOf(*it) == kTestNode && (*it)->data(0, TfrmMain::kNameRole).toString() == Name) return *it;
  return nullptr;
}

// Test nodes make their test current; a group node or the branch shows no test.
void TAdminTools::NodeChosen(QTreeWidgetItem* Node) {
  auto* page = test_page_;
  if (!page) return;
  switch (ItemIDOf(Node)) {
    case kTestNode: page->ShowTest(Node->data(0, TfrmMain::kNameRole).toString()); break;
    case kTestGroupNode: page->ShowTest(QString(), Node->data(0, TfrmMain::kNameRole).toString()); break;
    case kTestsNode: page->ShowTest(QString()); break;
    default: break;
  }
}

// Any change outside the test page makes every test's stored results stale:
// they are cleared once, until the next run, so Run All Tests runs them again.
void TAdminTools::InputChanged() {
  if (test_data_changed_since_calc_ || window_.CurrentPage() == test_page_) return;
  for (int i = 0; i < window_.Project().TestList.Count(); ++i) window_.Project().TestList.ItemAs<TTest>(i)->ClearResults();
  test_data_changed_since_calc_ = true;
}

// ---------------------------------------------------------------------------
// Import

void TAdminTools::ImportFile() {
  if (window_.IsLocked() || !window_.Files().ConfirmSaveChanges()) return;
  const QString file = AskOpenFileName(&window_, QStringLiteral("Import"), QFileInfo(window_.DefaultFileName()).path(),
                                       QStringLiteral("Trevalon V2 files (*.tvx);;All files (*)"));
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(&window_, TMessageKind::Warning, QStringLiteral("File not opened: unable to find ") + file);
    return;
  }
  ImportFrom(file);
}

// A file that cannot be imported leaves the user's project as it was: the
// readers may have cleared it before they stopped, so it comes back from the
// snapshot taken first.
bool TAdminTools::ImportFrom(const QString& File) {
  const QString path = QFileInfo(File).absoluteFilePath();
  window_.ResetEventLog();
  window_.AddLogLine(QStringLiteral("Importing file [") + path + QStringLiteral("]"));
  TBusyCursor busy;
  const bool has_snapshot = window_.Files().SaveStateSnapshot();
  if (const TResult imported = ImportProjectFile(window_.Project(), window_.Session(), ToStd(path)); !imported) {
    if (has_snapshot) window_.Files().RestoreStateSnapshot();
    window_.AddLogLine(ToQ(imported.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(imported.Message()));
    return false;
  }
  QFile::remove(TFileCommands::StateSnapshotFile());
  // What the import could not take over as it stood: the Event Log says so.
  const std::vector<TStatusLine> warnings = window_.Project().Status.ErrorList();
  window_.Run().ClearResultsDisplay();
  window_.UpdateScreensFromProject();
  for (const TStatusLine& line : warnings) window_.AddLogLine(ToQ(line.Text));
  // Save writes a project file beside the imported one.
  window_.SetWindowTitleFor(ToQ(DeriveFileName(ToStd(path), "", ".tva")));
  window_.SetDataChangedSinceSave(true);
  return true;
}

// ---------------------------------------------------------------------------
// The library generator

void TAdminTools::GenerateLibrary() {
  const QString file = AskOpenFileName(&window_, QStringLiteral("Select library definitions file"),
                                       ProgramFile(QStringLiteral("VarnLibrary.ini")),
                                       QStringLiteral("Library settings files (*.ini);;All files (*)"));
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(&window_, TMessageKind::Warning,
                QStringLiteral("Library definitions file ") + file + QStringLiteral(" not found"));
    return;
  }
  TBusyCursor busy;
  const TResult result = GenerateLibraryFile(ToStd(file));
  if (result.IsOK()) {
    ShowMessage(&window_, TMessageKind::Information, ToQ(result.Message()));
    return;
  }
  const std::vector<std::string> lines = result.MessageLines();
  for (const std::string& line : lines) window_.AddLogLine(ToQ(line));
  window_.ShowEventLogPage();
  if (!lines.empty()) window_.SetStatusText(ToQ(lines.front()));
}

// ---------------------------------------------------------------------------
// Test and design-table runs

QTreeWidget* TAdminTools::Tree() const { return window_.NavigationTree(); }

void TAdminTools::StartJob(const QString& ProgressFormat, int Count) {
  window_.StartProgress(ProgressFormat, Count);
  window_.SetLocked(true);
}

void TAdminTools::EndJob() {
  is_all_tests_ = false;
  window_.SetLocked(false);
}

bool TAdminTools::IsJobRunning() const { return worker_ && worker_->IsRunning(); }

void TAdminTools::CancelJob() {
  if (!IsJobRunning()) return;
  window_.SetStatusText(QStringLiteral("Cancelling..."));
  worker_->Cancel();
}

void TAdminTools::WaitForJob() {
  if (worker_) worker_->Wait();
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

void TAdminTools::RunAllTests() { StartTestRun(false); }

void TAdminTools::RunTest() { StartTestRun(true); }

// Run All Tests and Run Test: the screens go into the project, then the
// core's test runner works on it on the administrators' thread; the window
// stays locked until it has put the project back.
void TAdminTools::StartTestRun(bool IsSingle) {
  if (window_.IsLocked() || !testing_allowed_ || !window_.ValidateActiveControl()) return;
  auto* page = test_page_;
  window_.UpdateProjectFromScreens();
  if (window_.Project().TestList.Empty()) {
    ShowMessage(&window_, TMessageKind::Warning, QStringLiteral("The project has no tests"));
    return;
  }
  TTestRunOptions options;
  options.ProjectFileName = ToStd(window_.DefaultFileName());
  options.LibraryFile = GetShippedFile(kLibraryFileName);
  const std::string name = IsSingle ? ToStd(page->CurrentTestName()) : std::string();
  const int count = IsSingle ? 1 : window_.Project().TestList.Count();

  std::shared_ptr<TTestRunObserver> observer = worker_->MakeTestObserver();
  auto runner = std::make_shared<TTestRunner>(window_.Project(), window_.Session(), *observer);
  auto outcome = std::make_shared<TTestRunOutcome>();
  test_results_->Start(count);
  area_.setTabVisible(area_.indexOf(test_results_), true);
  area_.setCurrentWidget(test_results_);
  is_all_tests_ = !IsSingle;
  StartJob(QStringLiteral("%v of %m tests"), count);
  worker_->Start(
      [runner, observer, outcome, options, name, IsSingle] {
        try {
          *outcome = IsSingle ? runner->RunTest(name, options) : runner->RunAllTests(options);
        } catch (const std::exception& e) {
          outcome->Result = TResult::Failure(std::string("Error during test run: ") + e.what());
        }
      },
      [runner] { runner->RequestCancel(); },
      [this, outcome] {
        EndJob();
        test_data_changed_since_calc_ = false;
        // The project came back from its snapshot with the tests' new results.
        BuildTestNodes();
        if (window_.CurrentPage() == test_page_) test_page_->ShowTest(test_page_->CurrentTestName());
        if (outcome->Result.IsCancelled()) window_.SetStatusText(ToQ(outcome->Result.Message()));
        ShowPendingMessages(outcome->Result.IsFailed());
      });
}

void TAdminTools::CancelTests() { CancelJob(); }

void TAdminTools::CheckTestData() {
  auto* page = test_page_;
  if (window_.IsLocked() || !window_.ValidateActiveControl()) return;
  window_.UpdateProjectFromScreens();
  TBusyCursor busy;
  TWindowTestObserver observer(window_);
  TTestRunner runner(window_.Project(), window_.Session(), observer);
  TTestRunOptions options;
  options.ProjectFileName = ToStd(window_.DefaultFileName());
  const TTestDataCheck check = runner.CheckTestData(ToStd(page->CurrentTestName()), options);
  if (!check.Result) {
    window_.AddLogLine(ToQ(check.Result.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(check.Result.Message()));
  } else if (!check.Validation.IsOK()) {
    window_.ShowEventLogPage();
    window_.SetStatusText(ToQ(check.Validation.ErrorMsg));
    ShowMessage(&window_, check.Validation.ErrorLevel >= elError ? TMessageKind::Error : TMessageKind::Warning,
                ToQ(check.Validation.ErrorMsg));
  }
  page->ShowTest(page->CurrentTestName());
}

void TAdminTools::SaveTestAsDataFile() {
  auto* page = test_page_;
  if (window_.IsLocked() || !window_.ValidateActiveControl()) return;
  window_.UpdateProjectFromScreens();
  TWindowTestObserver observer(window_);
  TTestRunner runner(window_.Project(), window_.Session(), observer);
  const TResult saved =
      runner.SaveAsDataFile(ToStd(page->CurrentTestName()), ToStd(window_.DefaultFileName()), [this](const std::string& Question) {
        return ShowMessage(&window_, TMessageKind::Question, ToQ(Question), QMessageBox::Yes | QMessageBox::No,
                           QMessageBox::No) == QMessageBox::Yes;
      });
  if (saved.IsFailed()) {
    window_.AddLogLine(ToQ(saved.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(saved.Message()));
  }
}

void TAdminTools::ListProperties() {
  if (window_.IsLocked() || !window_.ValidateActiveControl()) return;
  window_.UpdateProjectFromScreens();
  TBusyCursor busy;
  TWindowTestObserver observer(window_);
  const QString file = ToQ(TestPropertyListFileName());
  TResult written = CheckWindowOutput(file, window_.DefaultFileName());
  if (written) written = WriteTestPropertyList(window_.Project(), ToStd(file), observer);
  if (!written) {
    window_.AddLogLine(ToQ(written.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(written.Message()));
  }
}

// Create Design Table: the page's settings go into the project; the core's
// generator runs the cases side by side on the administrators' thread and
// leaves the project and libraries as they were; the table comes back for
// the page to show.
void TAdminTools::CreateDesignTable() {
  auto* page = design_page_;
  const QString refused = QStringLiteral("Design table not started: ");
  if (window_.IsLocked() || !design_parameters_shown_ || !window_.ValidateActiveControl(refused) ||
      !window_.ValidateBeamInput(refused))
    return;
  window_.UpdateProjectFromScreens();
  TDesignTableOptions options;
  options.Settings = DesignTableSettingsOf(window_.Project().DesignTable);
  options.Settings.WillSaveInputs = page->WillSaveInputs();
  options.Settings.WillSaveReports = page->WillSaveReports();
  options.ProjectFileName = ToStd(window_.DefaultFileName());
  options.LibraryFile = GetShippedFile(kLibraryFileName);
  const int floors = options.Settings.WillIterateAllFloors ? std::max(1, page->cboFloorUse()->count()) : 1;
  // The progress bar's end; a table of more cases than may be is refused by the run at once.
  const int cases = static_cast<int>(std::min<size_t>(
      static_cast<size_t>(floors) * options.Settings.SpacingList.size() * (1 + options.Settings.SpanList.size()),
      kMaxDesignTableCases + 1));

  std::shared_ptr<TDesignTableObserver> observer = worker_->MakeDesignTableObserver();
  auto runner = std::make_shared<TDesignTableRunner>(window_.Project(), window_.Session(), *observer);
  auto outcome = std::make_shared<TDesignTableOutcome>();
  page->ShowTable({});
  if (window_.CurrentPage() != page) window_.SelectNode(kDesignTableNode);
  StartJob(QStringLiteral("%v of %m cases"), cases);
  worker_->Start(
      [runner, observer, outcome, options] {
        try {
          *outcome = runner->Run(options);
        } catch (const std::exception& e) {
          outcome->Result = TResult::Failure(std::string("Error during design table creation: ") + e.what());
        }
      },
      [runner] { runner->RequestCancel(); },
      [this, page, outcome] {
        EndJob();
        if (outcome->Result.IsCancelled()) {
          window_.SetStatusText(ToQ(outcome->Result.Message()));
        } else if (outcome->Result) {
          page->ShowTable(outcome->Lines);
          // The table is also the results tree's, without the display options;
          // the next results run shows them again.
          TAnalysisResultsPage& results = *window_.Run().ResultsPage();
          results.ClearResultsTree(QString());
          results.SetDisplayOptionsVisible(false);
          results.BuildResultsTree(outcome->Lines);
        } else if (pending_messages_.isEmpty()) {
          pending_messages_ << ToQ(outcome->Result.Message());
        }
        ShowPendingMessages(outcome->Result.IsFailed());
      });
}

void TAdminTools::ShowPendingMessages(bool IsError) {
  const QStringList messages = std::exchange(pending_messages_, {});
  for (const QString& message : messages)
    ShowMessage(&window_, IsError ? TMessageKind::Error : TMessageKind::Information, message);
}

// ---------------------------------------------------------------------------
// Test editing from the tree

void TAdminTools::AddTestEditEntries(QMenu& Menu) {
  if (!testing_allowed_ || window_.IsLocked()) return;
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
void TAdminTools::EditTests(const QString& Edit) {
  if (window_.IsLocked() || !testing_allowed_) return;
  if (auto* page = test_page_; page && window_.CurrentPage() == page)
    page->UpdateProjectFromScreen();
  const QTreeWidgetItem* node = Tree()->currentItem();
  const unsigned id = ItemIDOf(node);
  const std::string name = node ? ToStd(node->data(0, TfrmMain::kNameRole).toString()) : std::string();
  const std::string test = id == kTestNode ? name : std::string();
  std::string group = id == kTestGroupNode ? name : std::string();
  if (const auto* t = dynamic_cast<const TTest*>(window_.Project().TestList.Find(test))) group = t->Group;

  const auto confirm = [this](const std::string& Question) {
    return ShowMessage(&window_, TMessageKind::Question, ToQ(Question), QMessageBox::Ok | QMessageBox::Cancel,
                       QMessageBox::Ok) == QMessageBox::Ok;
  };
  std::string chosen;  // the name given in the input box
  const auto ask = [&](const QString& Caption, const QString& Prompt, QString Preset,
                       const std::function<TResult(const std::string&)>& Apply) {
    for (;;) {
      const QString answer = AskText(&window_, Caption, Prompt, Preset);
      chosen = ToStd(answer.trimmed());
      TResult edit = Apply(chosen);
      if (!edit.IsFailed() || (edit.Message() != kUniqueGroupName && edit.Message() != kUniqueTestName))
        return edit;
      ShowMessage(&window_, TMessageKind::Warning, ToQ(edit.Message()));
      Preset = answer;
    }
  };

  TResult edit;
  unsigned select_id = kTestsNode;
  std::string select_name;
  if (Edit == QLatin1String("AddGroup")) {
    edit = ask(QStringLiteral("Add new group"), QStringLiteral("Name of new test group"), QString(),
               [this](const std::string& Name) { return AddTestGroup(window_.Project(), Name); });
    select_id = kTestGroupNode;
    select_name = chosen;
  } else if (Edit == QLatin1String("AddTest")) {
    edit = AddTest(window_.Project(), group, "");  // a group must be chosen before a name is asked for
    if (edit.IsCancelled())
      edit = ask(QStringLiteral("Add new test"), QStringLiteral("Name of new test"), QString(),
                 [this, &group](const std::string& Name) { return AddTest(window_.Project(), group, Name); });
    select_id = kTestNode;
    select_name = chosen;
  } else if (Edit == QLatin1String("CopyTest")) {
    edit = CopyTest(window_.Project(), test);
    select_id = kTestNode;
    select_name = edit.Message();
  } else if (Edit == QLatin1String("RenameTest")) {
    edit = RenameTest(window_.Project(), test, "");
    if (edit.IsCancelled())
      edit = ask(QStringLiteral("Change test name"), QStringLiteral("New name of test"), ToQ(test),
                 [this, &test](const std::string& Name) { return RenameTest(window_.Project(), test, Name); });
    select_id = kTestNode;
    select_name = chosen;
  } else if (Edit == QLatin1String("DeleteTest")) {
    edit = DeleteTest(window_.Project(), test, confirm);
    select_id = kTestGroupNode;
    select_name = group;
  } else if (Edit == QLatin1String("DeleteGroup")) {
    edit = DeleteTestGroup(window_.Project(), group, confirm);
  } else {
    return;
  }
  if (edit.IsFailed()) ShowMessage(&window_, TMessageKind::Warning, ToQ(edit.Message()));
  if (!edit) return;

  window_.SetDataChangedSinceSave(true);
  {
    // The page must not write into a test that is gone or renamed: it shows none until a node is chosen.
    if (auto* page = test_page_) page->ShowTest(QString());
    const QSignalBlocker block(Tree());
    if (QTreeWidgetItem* branch = window_.Node(kTestsNode)) Tree()->setCurrentItem(branch);
    BuildTestNodes();
  }
  QTreeWidgetItem* target = window_.Node(kTestsNode);
  for (QTreeWidgetItemIterator it(Tree()); *it; ++it)
    if (ItemIDOf(*it) == select_id && ToStd((*it)->data(0, TfrmMain::kNameRole).toString()) == select_name) target = *it;
  if (target) {
    // Moving to it must not first save the blank page over anything.
    Tree()->setCurrentItem(target);
    NodeChosen(target);
  }
}
