// TfrmMain: the program's one main window. It owns the session (the
// libraries) and the project for the whole run, the input pages, the field
// checks, the results of the last run and the commands.
//
// Regions: toolbar (text under 24 x 24 icons, logo at the right end);
// navigation tree and data pages side by side under a splitter, with the
// information panel's three picture buttons at the right; the results area
// (tabs at the bottom: "Event Log", "Summary Results", and "Graphics" once
// there are results; "Information" and "Test Results" stay hidden) below a
// splitter; a one-field
// status bar, with a progress bar and Cancel while a run is under way.
//
// The implementation is split by idea: fMain.cpp (creation, regions, state,
// Event Log, field checks, closing), fMainNavigation.cpp (the navigation
// tree, moving between its nodes, the current beam and the transfers between
// the pages and the project), fMainCommands.cpp (the command table, menus,
// toolbar, help and administrator commands), fMainFiles.cpp (New, Open,
// recent files, Save, sample data, snapshot) and fMainRun.cpp (Analyse,
// Design, results, Export, Print, the summary lines' up and down buttons).
//
// Interface thread only. While a run is under way (IsRunning) the input is
// locked: the run owns the project until it ends.
#pragma once

#include <QMainWindow>
#include <QPointer>

#include <memory>
#include <set>
#include <vector>

#include "report/cPrintableStringList.h"
#include "ui/cDataPage.h"
#include "ui/cFieldCheck.h"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSplitter;
class QStackedWidget;
class QTabWidget;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;
class TProject;
class TRunWorker;
class TSession;
class TSummaryResultsPage;
class TAdminWorker;
class TAnalysisResultsPage;
class TGraphicsPage;
class TTestResultsPage;
struct TBeamSummary;
struct TRunWorkerOutcome;
enum class TRunKind;

struct TMainOptions {
  bool IsAdmin = false;  // show the administrators' menus (--admin)
};

// Where a node of the navigation tree leads: its number, level and the page it shows.
struct rTreeData {
  unsigned ItemID = 0;
  unsigned Level = 1;
  QString Section;
  QString PageName;
};

class TfrmMain : public QMainWindow, public TPageHost {
  Q_OBJECT
 public:
  explicit TfrmMain(const TMainOptions& Options = {}, QWidget* Parent = nullptr);
  ~TfrmMain() override;

  // --- TPageHost
  TProject& Project() override { return *project_; }
  TSession& Session() override { return *session_; }
  void RegisterField(QObject* Page, const QString& PageName, const QString& Name, QLineEdit* Edit,
                     bool IsGroupField = false) override;
  void RegisterGridColumn(QObject* Page, const QString& PageName, const QString& Name, TStringGrid* Grid,
                          int ACol) override;
  void WatchFieldExit(QLineEdit* Edit) override;
  TFieldCheckList& FieldChecks() override { return field_checks_; }
  void InputChanged(bool WillAffectLoads) override;
  // Appends one line (an empty text gives an empty line) and shows it at once.
  void AddLogLine(const QString& Line) override;
  int CurrentBeamSide() const override { return current_beam_; }
  bool IsBusy() const override { return is_busy_; }
  void SetBusy(bool Busy) override { is_busy_ = Busy; }
  void FloorLayoutChanged() override;
  void UpdateBeamCaptions() override;
  void CommitGeometry() override;
  void ApplyFloorUse(int Index) override;
  void ShowBeamSection(int Side, const QString& Grade, const QString& Name) override;

  // --- Pages and navigation
  // Adds a page to the data area (the window owns it) and registers its fields.
  void AddPage(TDataPage* Page);
  TDataPage* Page(const QString& PageName) const;
  const std::vector<TDataPage*>& Pages() const { return pages_; }
  // Rebuilds the tree from the node table: every node whose page was added.
  void BuildNavigationTree();
  // The node with that number (and page, where two nodes share a number), or null.
  QTreeWidgetItem* Node(unsigned ItemID, const QString& PageName = QString()) const;
  // Moves to the node as a click would; false when the move was refused.
  bool SelectNode(unsigned ItemID, const QString& PageName = QString());
  // Beam nodes show exactly while their beams are in use.
  void UpdateNodeVisibility();
  TDataPage* CurrentPage() const;
  QTreeWidget* NavigationTree() const { return tree_; }

  // --- State
  const QString& DefaultFileName() const { return default_file_name_; }
  bool HasDataChangedSinceSave() const { return changed_since_save_; }
  void SetDataChangedSinceSave(bool IsChanged);
  bool HasDataChangedSinceCalc() const { return changed_since_calc_; }
  void SetDataChangedSinceCalc(bool IsChanged);
  bool CanChangeTabs() const { return can_change_tabs_; }
  // Remembers the file and shows "name - Trevalon", or "Untitled - Trevalon".
  void SetWindowTitleFor(const QString& FileName);
  bool IsAdmin() const { return options_.IsAdmin; }

  // --- Event Log and status bar
  void ResetEventLog();
  QString EventLogText() const;
  void SetStatusText(const QString& Text);
  QString StatusText() const;
  QTabWidget* ResultsArea() const { return results_; }
  QPlainTextEdit* EventLog() const { return log_; }

  // --- File commands
  void NewProject();
  void OpenProject();
  void OpenRecent(int Index);
  bool Save();
  bool SaveAs();
  void LoadSampleData();
  // Opens File as a user's own file (title and recent list), as Open does
  // after its dialog; false when it could not be read (the project is then
  // as it was before).
  bool OpenUserFile(const QString& File);
  // The save prompt: true when the command may go on.
  bool ConfirmSaveChanges();
  void AddRecentFile(const QString& File);
  void LoadRecentFiles();
  QStringList RecentFiles() const;
  // The temporary copy of the whole project, TVState.tva in the work folder.
  bool SaveStateSnapshot();
  bool RestoreStateSnapshot();
  static QString StateSnapshotFile();

  // --- Analyse and Design
  void Analyse();
  void Design();
  bool IsRunning() const;
  void CancelRun();
  // Blocks until a run under way has ended and its results are shown.
  void WaitForRun();
  const TPrintableStringList& SavedResults() const { return saved_results_; }
  TSummaryResultsPage* SummaryResults() const { return summary_; }
  TAnalysisResultsPage* ResultsPage() const { return results_page_; }
  TGraphicsPage* GraphicsPage() const { return graphics_; }
  // Empties the summary lines' results, the results tree and the charts.
  void ClearResultsDisplay();
  void PrintResults();
  // The calculation report of the last results (fMainCalculation.cpp):
  // saved as PDF or HTML where the user chooses, or printed.
  void SaveCalculationReport();
  void PrintCalculationReport();
  // Writes the last results report to a file the user chooses, one line per report line.
  void ExportResults();
  // The up (Step +1) and down (-1) buttons of beam Side's summary line: the
  // neighbouring library section of the same type and grade, then Analyse.
  void StepBeamSection(int Side, int Step);

  // --- Screens and checks
  void UpdateScreensFromProject();
  void UpdateProjectFromScreens();
  // Checks the focused field or grid cell; false stops the command. A refusal
  // is never silent: the failing field's message is shown (again, if it was
  // shown before), the Event Log records Refused + the message and the status
  // bar shows it.
  bool ValidateActiveControl(const QString& Refused = QStringLiteral("Command not carried out: "));
  // The beam pages' texts that copying them into the beam would misread
  // (TDataPage::UnreadableInput), refused as ValidateActiveControl refuses;
  // for the commands that use the data (Analyse, Design, Save).
  bool ValidateBeamInput(const QString& Refused);
  TFieldCheckList& FieldCheckList() { return field_checks_; }
  TMediatorList& MediatorList() { return mediators_; }

  // --- Administrators' tools (fMainAdmin.cpp; pages and nodes only with --admin)
  // The navigation tree's per-node data.
  static constexpr int kItemIdRole = Qt::UserRole;
  static constexpr int kLevelRole = Qt::UserRole + 1;
  static constexpr int kPageRole = Qt::UserRole + 2;
  static constexpr int kNameRole = Qt::UserRole + 3;  // a test node's test, a group node's group
  void ImportFile();
  // The same as the Import command after its file dialog.
  bool ImportFrom(const QString& File);
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
  bool IsAdminJobRunning() const;
  void CancelAdminJob();
  // Blocks until a job under way has ended and its outcome is shown.
  void WaitForAdminJob();
  TTestResultsPage* TestResults() const { return test_results_; }
  // The tests branch of the tree: its group and test nodes, rebuilt from the project.
  void BuildTestNodes();
  // The node of the test Name, or null.
  QTreeWidgetItem* TestNode(const QString& Name) const;
  // The tree's test editing entries on the chosen node: "AddGroup", "AddTest",
  // "CopyTest", "RenameTest", "DeleteTest", "DeleteGroup".
  void EditTests(const QString& Edit);

  // --- Commands, by object name ("actNew", "actOpen", "actAnalyse", ...)
  QAction* Command(const QString& ObjectName) const;
  QMenu* Menu(const QString& ObjectName) const;

 protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  bool event(QEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // Tells the user why a command stops: Message in a box, Refused + Message
  // in the Event Log, Message in the status bar; the focus goes to BackTo.
  void RefuseCommand(const QString& Refused, const QString& Message, QWidget* BackTo);
  // fMain.cpp
  void CreateRegions();
  void ApplyLayout();
  void KeepOnScreen();
  void InitialiseOnFirstShow();
  void FieldExit(QLineEdit* Edit);
  void ShowEventLogPage();
  // The Graphics page makes room for its chart while it is shown.
  void ResultsPageChanged();
  void SetRunning(bool IsRunning);

  // fMainNavigation.cpp
  void OnTreeItemChanged(QTreeWidgetItem* Current, QTreeWidgetItem* Previous);
  void ShowTreeMenu(const QPoint& At);
  // Saves the page being left: its own transfer, or the current beam's.
  void LeavePage(TDataPage& Page);
  // The beam pages filled from beam Side (the loads only WithLoads), and copied into it.
  void FillBeamPages(int Side, bool WithLoads);
  void SaveBeamPages(int Side);
  // After a design changed the beams' sections: every page shows the project again.
  void RefreshScreensAfterDesign();

  // fMainCommands.cpp
  void CreateCommands();
  void CreateRightPanel();
  void ShowAbout();
  void ShowUserManual();
  void OpenCommunity();
  void EmailSupport();
  void ShowReadMe();
  void ChooseAppearance(const QString& Theme);
  void ChooseStandard(int Version);
  void GenerateLibrary();

  // fMainAdmin.cpp
  void CreateAdminTools();
  void AddAdminNodes();
  void AdminNodeChosen(QTreeWidgetItem* Node);
  void AdminInputChanged();
  void AddTestEditEntries(QMenu& Menu);
  void StartAdminJob(const QString& ProgressFormat, int Count);
  void EndAdminJob();
  void StartTestRun(bool IsSingle);
  // The messages a job sent while it ran, in boxes now that it is over.
  void ShowPendingMessages(bool IsError);

  // fMainFiles.cpp
  bool LoadProject(const QString& File, bool IsUserFile);
  bool SaveTo(const QString& File);

  // fMainRun.cpp
  void ProduceResults(TRunKind Kind);
  void OnRunSummary(const TBeamSummary& Summary);
  void OnRunProgress(int BeamsDone, int BeamCount, const QString& Activity);
  void OnRunFinished(const TRunWorkerOutcome& Outcome);

  TMainOptions options_;
  std::unique_ptr<TSession> session_;
  std::unique_ptr<TProject> project_;
  TFieldCheckList field_checks_;
  TMediatorList mediators_;
  TPrintableStringList saved_results_;

  QString default_file_name_;
  bool changed_since_save_ = false;
  bool changed_since_calc_ = true;
  bool can_change_tabs_ = true;
  bool is_shown_ = false;
  bool filling_screens_ = false;
  bool suppress_field_exit_ = false;
  bool running_ = false;
  bool is_busy_ = false;     // the secondary-span handler is at work
  int current_beam_ = -1;    // the beam whose pages are edited, or -1
  TRunKind run_kind_{};

  std::vector<TDataPage*> pages_;
  std::set<const QLineEdit*> group_fields_;
  std::set<const QLineEdit*> watched_fields_;

  QTreeWidget* tree_ = nullptr;
  QStackedWidget* data_pages_ = nullptr;
  QWidget* right_panel_ = nullptr;
  QSplitter* vertical_splitter_ = nullptr;
  QSplitter* horizontal_splitter_ = nullptr;
  QTabWidget* results_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  TSummaryResultsPage* summary_ = nullptr;
  TAnalysisResultsPage* results_page_ = nullptr;
  TGraphicsPage* graphics_ = nullptr;
  QList<int> sizes_before_charts_;  // the splitter's sizes before the Graphics page grew the results area
  QLabel* status_text_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;
  TRunWorker* worker_ = nullptr;
  TAdminWorker* admin_worker_ = nullptr;
  TTestResultsPage* test_results_ = nullptr;
  bool testing_allowed_ = false;
  bool design_parameters_shown_ = false;
  bool test_data_changed_since_calc_ = true;
  QStringList pending_admin_messages_;

  std::vector<QAction*> recent_actions_;
  QMenu* recent_menu_ = nullptr;
  QActionGroup* standard_group_ = nullptr;
  QActionGroup* appearance_group_ = nullptr;
  // Commands that change or use the project, locked while a run is under way.
  std::vector<QAction*> data_commands_;
};
