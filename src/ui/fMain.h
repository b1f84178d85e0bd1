// TfrmMain: the program's one main window. It owns the session (the
// libraries) and the project for the whole run, the input pages with their
// field checks, and three parts that each carry one kind of work:
//
//   TFileCommands (fFileCommands.h)  New, Open, recent files, Save, Save As,
//                                    the sample project and the snapshot;
//   TRunView (fRunView.h)            Analyse and Design on the worker thread,
//                                    the summary lines, the results and
//                                    Graphics pages, Export and Print;
//   TAdminTools (fAdminTools.h)      the administrators' Import, tests and
//                                    design tables (only with --admin).
//
// The window itself keeps what they share: the regions, the navigation tree
// and its pages, the transfers between pages and project, the field checks,
// the Event Log and status bar (with the progress bar and Cancel of a long
// job), the changed-since flags and the window title, and the commands: one
// table (fMainCommands.cpp) of rows carrying each command's handler, menu,
// shortcut, icon and enabled rule.
//
// Regions: toolbar (text under 24 x 24 icons, logo at the right end);
// navigation tree (never narrower than its captions) and data pages (the
// page shown scrolls when the window is narrower) side by side under a
// splitter, with the information panel's three picture buttons at the right
// (icons only on a narrow window, hidden on a narrower one); the results
// area (tabs at the bottom: "Event Log", "Summary Results", and "Graphics"
// once there are results) below a splitter, which the Graphics page raises
// to at least half the window; a one-field status bar. The window opens over
// most of the screen the first time, as it was left afterwards; its size and
// both splitters are remembered between runs.
//
// The implementation: fMain.cpp (creation, regions, layout, state, Event
// Log, field checks, closing), fMainNavigation.cpp (the tree, moving between
// its nodes, the current beam, the transfers), fMainCommands.cpp (the command
// table and the help commands).
//
// Interface thread only. While a long job is under way (IsLocked) the input
// is locked: the job owns the project until it ends.
#pragma once

#include <QList>
#include <QMainWindow>

#include <memory>
#include <set>
#include <vector>

#include "ui/cDataPage.h"
#include "ui/cFieldCheck.h"

class QAction;
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
class TAdminTools;
class TCommandTable;
class TFileCommands;
class TProject;
class TRunView;
class TSession;

struct TMainOptions {
  bool IsAdmin = false;  // show the administrators' menus (--admin)
};

class TfrmMain : public QMainWindow, public TPageHost {
  Q_OBJECT
 public:
  explicit TfrmMain(const TMainOptions& Options = {}, QWidget* Parent = nullptr);
  ~TfrmMain() override;

  // --- TPageHost
  TProject& Project() override { return *project_; }
  TSession& Session() override { return *session_; }
  void RegisterField(TDataPage& Page, const QString& Name, QLineEdit* Edit, bool IsGroupField = false) override;
  void RegisterGridColumn(TDataPage& Page, const QString& Name, TStringGrid& Grid, int ACol) override;
  void WatchFieldExit(QLineEdit* Edit) override;
  TFieldCheckList& FieldChecks() override { return field_checks_; }
  void InputChanged(bool WillAffectLoads) override;
  int CurrentBeamSide() const override { return current_beam_; }
  void FloorLayoutChanged() override;
  void UpdateBeamCaptions() override;
  void ApplyFloorUse(int Index) override;
  void ShowBeamSection(int Side, const QString& Grade, const QString& Name) override;

  // --- The parts
  TFileCommands& Files() { return *files_; }
  TRunView& Run() { return *run_; }
  const TRunView& Run() const { return *run_; }
  // Null unless the window was made for an administrator.
  TAdminTools* Admin() { return admin_.get(); }
  bool IsAdmin() const { return options_.IsAdmin; }

  // --- Pages and navigation (fMainNavigation.cpp)
  // The navigation tree's per-node data.
  static constexpr int kItemIdRole = Qt::UserRole;
  static constexpr int kLevelRole = Qt::UserRole + 1;
  static constexpr int kPageRole = Qt::UserRole + 2;
  static constexpr int kNameRole = Qt::UserRole + 3;  // a test node's test, a group node's group
  static constexpr unsigned kProjectNode = 1;
  static constexpr unsigned kResultsNode = 800;
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

  // --- Screens and checks (fMainNavigation.cpp)
  void UpdateScreensFromProject();
  void UpdateProjectFromScreens();
  // After a design changed the beams' sections: every page shows the project again.
  void RefreshScreensAfterDesign();
  // The beam pages filled from beam Side (the loads only WithLoads).
  void FillBeamPages(int Side, bool WithLoads);
  // Checks the focused field or grid cell; false stops the command. A refusal
  // is never silent: the failing field's message is shown (again, if it was
  // shown before), the Event Log records Refused + the message and the status
  // bar shows it.
  bool ValidateActiveControl(const QString& Refused = QStringLiteral("Command not carried out: "));
  // The beam pages' texts that copying them into a beam would misread
  // (TDataPage::UnreadableInput, for every beam), refused as
  // ValidateActiveControl refuses; for the commands that use the data
  // (Analyse, Design, Save, design tables).
  bool ValidateBeamInput(const QString& Refused);
  TFieldCheckList& FieldCheckList() { return field_checks_; }
  TMediatorList& MediatorList() { return mediators_; }

  // --- State
  const QString& DefaultFileName() const { return default_file_name_; }
  bool HasDataChangedSinceSave() const { return changed_since_save_; }
  void SetDataChangedSinceSave(bool IsChanged);
  bool HasDataChangedSinceCalc() const { return changed_since_calc_; }
  void SetDataChangedSinceCalc(bool IsChanged);
  bool CanChangeTabs() const { return can_change_tabs_; }
  // Remembers the file and shows "name[*] - Trevalon" (the "*" while there
  // are unsaved changes), or "Untitled[*] - Trevalon".
  void SetWindowTitleFor(const QString& FileName);

  // --- A long job (a run, a test run, a design table): the input locked,
  // the progress bar and Cancel shown; Cancel asks the parts to stop.
  bool IsLocked() const { return locked_; }
  void SetLocked(bool IsLocked);
  void StartProgress(const QString& Format, int Count);
  void ShowProgress(int Done, int Count, const QString& Activity);

  // --- Event Log and status bar
  // Appends one line (an empty text gives an empty line) and shows it at once.
  void AddLogLine(const QString& Line);
  void ResetEventLog();
  QString EventLogText() const;
  void ShowEventLogPage();
  void SetStatusText(const QString& Text);
  QString StatusText() const;
  QTabWidget* ResultsArea() const { return results_; }
  QPlainTextEdit* EventLog() const { return log_; }

  // --- Commands, by object name ("actNew", "actOpen", "actAnalyse", ...)
  QAction* Command(const QString& ObjectName) const;
  QMenu* Menu(const QString& ObjectName) const;
  // Every command's enabled, visible and checked rule asked again.
  void RefreshCommands();
  // The information panel's buttons show their pictures only (a narrow
  // window); on a narrower one the panel hides.
  bool IsInformationPanelCompact() const { return panel_compact_; }
  QWidget* InformationPanel() const { return right_panel_; }

 protected:
  void showEvent(QShowEvent* Event) override;
  void closeEvent(QCloseEvent* Event) override;
  void resizeEvent(QResizeEvent* Event) override;
  bool event(QEvent* Event) override;
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // fMain.cpp
  void CreateRegions();
  void CreateRightPanel();
  void ApplyLayout();
  void KeepOnScreen();
  void ArrangeTabOrder();
  void SetInformationPanelCompact(bool IsCompact);
  void InitialiseOnFirstShow();
  void FieldExit(QLineEdit* Edit);
  // Tells the user why a command stops: Message in a box, Refused + Message
  // in the Event Log, Message in the status bar; the focus goes to BackTo.
  void RefuseCommand(const QString& Refused, const QString& Message, QWidget* BackTo);
  // The Graphics page raises the results area while it is shown; each
  // placement of the splitter is remembered for the next time.
  void ResultsPageChanged();
  void ResultsSplitterMoved();
  void SaveWindowPlacement();

  // fMainNavigation.cpp
  void OnTreeItemChanged(QTreeWidgetItem* Current, QTreeWidgetItem* Previous);
  void ShowTreeMenu(const QPoint& At);
  // The tree no narrower than its captions.
  void FitTreeToCaptions();
  // Saves the page being left: its own transfer, or the current beam's.
  void LeavePage(TDataPage& Page);
  void SaveBeamPages(int Side);
  // The Geometry page into the project, then the beams' geometry from it.
  void CommitGeometry();

  // fMainCommands.cpp
  void CreateCommands();
  void ShowAbout();
  void ShowUserManual();
  void OpenCommunity();
  void EmailSupport();
  void ShowReadMe();
  void ChooseAppearance(const QString& Theme);
  void ChooseStandard(int Version);
  void FillAppearanceMenu(QMenu& Menu);
  void FillStandardMenu(QMenu& Menu);

  TMainOptions options_;
  std::unique_ptr<TSession> session_;
  std::unique_ptr<TProject> project_;
  TFieldCheckList field_checks_;
  TMediatorList mediators_;

  QString default_file_name_;
  bool changed_since_save_ = false;
  bool changed_since_calc_ = true;
  bool can_change_tabs_ = true;
  bool is_shown_ = false;
  bool filling_screens_ = false;
  bool suppress_field_exit_ = false;
  bool locked_ = false;
  bool panel_compact_ = false;
  int current_beam_ = -1;  // the beam whose pages are edited, or -1
  int standard_ = 1;       // the edition chosen in the administrators' menu

  std::vector<TDataPage*> pages_;
  std::set<const QLineEdit*> group_fields_;
  std::set<const QLineEdit*> watched_fields_;

  QTreeWidget* tree_ = nullptr;
  QStackedWidget* data_pages_ = nullptr;
  QWidget* right_panel_ = nullptr;
  std::vector<QToolButton*> panel_buttons_;
  QSplitter* vertical_splitter_ = nullptr;
  QSplitter* horizontal_splitter_ = nullptr;
  QTabWidget* results_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  bool graphics_shown_ = false;  // the results area is placed for the Graphics page
  bool placing_splitter_ = false;
  QLabel* status_text_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QPushButton* cancel_ = nullptr;

  std::unique_ptr<TCommandTable> commands_;
  std::unique_ptr<TFileCommands> files_;
  std::unique_ptr<TRunView> run_;
  std::unique_ptr<TAdminTools> admin_;
};
