#include "ui/fMain.h"

#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QMenuBar>
#include <QTreeWidgetItemIterator>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <typeinfo>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cAnalysisRun.h"
#include "project/cFloorUse.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "ui/cAdminWorker.h"
#include "ui/cGridChecks.h"
#include "ui/cIcons.h"
#include "ui/cMessages.h"
#include "ui/cRunWorker.h"
#include "ui/cSettings.h"
#include "ui/cStringGrid.h"
#include "ui/cSummaryResults.h"
#include "ui/cThemes.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"
#include "ui/fFloorPages.h"
#include "ui/fGeometryPage.h"
#include "ui/fGraphicsPage.h"
#include "ui/fProjectPages.h"
#include "ui/fResultsPage.h"

namespace {

// The design sizes of the regions at 96 pixels per inch, enlarged by the
// layout factor; Qt scales them again for high-DPI screens.
constexpr double kLayoutFactor = 1.2;
constexpr int kTreeWidth = 150, kRightPanelWidth = 170, kResultsHeight = 138, kDataWidth = 789, kDataHeight = 344;

int Scaled(int Pixels) { return static_cast<int>(Pixels * kLayoutFactor + 0.5); }

}  // namespace

// ---------------------------------------------------------------------------
// Creation

TfrmMain::TfrmMain(const TMainOptions& Options, QWidget* Parent) : QMainWindow(Parent), options_(Options) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowIcon(ApplicationIcon());
  SetWindowTitleFor(QString());

  session_ = std::make_unique<TSession>();
  project_ = std::make_unique<TProject>();
  worker_ = new TRunWorker(this);

  CreateRegions();
  CreateCommands();
  ApplyLayout();

  // The look-and-feel theme of the last session, written back so the store always names one.
  const QString style = ApplyTheme(settings::ReadString(QString::fromLatin1(settings::kStyle)));
  settings::WriteString(QString::fromLatin1(settings::kStyle), style);
  for (QAction* a : appearance_group_->actions()) a->setChecked(a->text() == style);

  ChooseStandard(StandardVersion());
  LoadRecentFiles();

  AddPage(new TGeneralPage(*this));
  AddPage(new TDesignFactorsPage(*this));
  AddPage(new TDeflectionLimitsPage(*this));
  AddPage(new TGeometryPage(*this));
  AddPage(new TFloorLoadingPage(*this));
  AddPage(new TSlabDetailsPage(*this));
  AddPage(new TShearConnectorsPage(*this));
  AddPage(new TFloorVibrationPage(*this));
  AddPage(new TBeamGeneralPage(*this));
  AddPage(new TSectionDefinitionPage(*this));
  AddPage(new TBeamLoadingPage(*this));
  results_page_ = new TAnalysisResultsPage(*this);
  AddPage(results_page_);
  connect(results_page_, &TAnalysisResultsPage::ExportRequested, this, &TfrmMain::ExportResults);
  connect(results_page_, &TAnalysisResultsPage::PrintRequested, this, &TfrmMain::PrintResults);
  connect(results_page_, &TAnalysisResultsPage::CalculationRequested, this, &TfrmMain::SaveCalculationReport);
  // The page's buttons are the Print, Export Results and Calculation Report commands.
  for (auto [name, button] : {std::pair{"actPrint", results_page_->btnPrint}, std::pair{"actExportResults", results_page_->btnExport},
                              std::pair{"actCalculationReport", results_page_->btnCalculation}}) {
    QAction* command = Command(QString::fromLatin1(name));
    button->setEnabled(command->isEnabled());
    connect(command, &QAction::enabledChanged, button, &QWidget::setEnabled);
  }
  connect(summary_, &TSummaryResultsPage::SectionStepRequested, this, &TfrmMain::StepBeamSection);
  if (options_.IsAdmin) CreateAdminTools();

  connect(worker_, &TRunWorker::LogLine, this, &TfrmMain::AddLogLine);
  connect(worker_, &TRunWorker::StatusText, this, &TfrmMain::SetStatusText);
  connect(worker_, &TRunWorker::SummaryReady, this, &TfrmMain::OnRunSummary);
  connect(worker_, &TRunWorker::Progress, this, &TfrmMain::OnRunProgress);
  connect(worker_, &TRunWorker::Finished, this, &TfrmMain::OnRunFinished);
}

TfrmMain::~TfrmMain() {
  // A run still under way ends before the project it works on goes.
  delete worker_;
  worker_ = nullptr;
  delete admin_worker_;
  admin_worker_ = nullptr;
  // The pages go while the window they report to is whole: a grid cell still
  // being edited is written back now, not half-way through the window's end.
  filling_screens_ = true;
  for (TStringGrid* grid : findChildren<TStringGrid*>()) grid->CommitEdit();
  qDeleteAll(pages_);
  pages_.clear();
}

void TfrmMain::CreateRegions() {
  tree_ = new QTreeWidget;
  tree_->setObjectName(QStringLiteral("tvNavigation"));
  tree_->setAccessibleName(QStringLiteral("Navigation"));
  tree_->setHeaderHidden(true);
  tree_->setRootIsDecorated(true);
  tree_->setStatusTip(QStringLiteral("Navigate to relevant data input screen by clicking on tree entry"));
  tree_->setContextMenuPolicy(Qt::CustomContextMenu);
  tree_->installEventFilter(this);
  connect(tree_, &QTreeWidget::currentItemChanged, this, &TfrmMain::OnTreeItemChanged);
  connect(tree_, &QTreeWidget::customContextMenuRequested, this, &TfrmMain::ShowTreeMenu);

  data_pages_ = new QStackedWidget;
  data_pages_->setObjectName(QStringLiteral("pcData"));
  data_pages_->setAccessibleName(QStringLiteral("Data pages"));

  CreateRightPanel();

  auto* top = new QSplitter(Qt::Horizontal);
  top->setObjectName(QStringLiteral("splTree"));
  top->addWidget(tree_);
  top->addWidget(data_pages_);
  top->setStretchFactor(1, 1);
  top->setChildrenCollapsible(false);
  vertical_splitter_ = top;

  auto* upper = new QWidget;
  auto* upper_layout = new QHBoxLayout(upper);
  upper_layout->setContentsMargins(0, 0, 0, 0);
  upper_layout->setSpacing(0);
  upper_layout->addWidget(top, 1);
  upper_layout->addWidget(right_panel_);

  // The results area: tabs at the bottom.
  results_ = new QTabWidget;
  results_->setObjectName(QStringLiteral("pcResults"));
  results_->setAccessibleName(QStringLiteral("Results area"));
  results_->setTabPosition(QTabWidget::South);
  results_->setDocumentMode(true);
  results_->setStatusTip(QStringLiteral("Log of completed actions"));
  auto* information = new QPlainTextEdit;
  information->setReadOnly(true);
  information->setAccessibleName(QStringLiteral("Information"));
  log_ = new QPlainTextEdit;
  log_->setObjectName(QStringLiteral("memEventLog"));
  log_->setAccessibleName(QStringLiteral("Event Log"));
  log_->setReadOnly(true);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  log_->setStatusTip(QStringLiteral("Log of completed actions"));
  summary_ = new TSummaryResultsPage;
  graphics_ = new TGraphicsPage;
  connect(graphics_, &TGraphicsPage::LogLine, this, &TfrmMain::AddLogLine);
  QWidget* graphics = graphics_;
  auto* tests = new QWidget;
  tests->setAccessibleName(QStringLiteral("Test Results"));
  results_->addTab(information, QStringLiteral("Information"));
  results_->addTab(log_, QStringLiteral("Event Log"));
  results_->addTab(summary_, QStringLiteral("Summary Results"));
  results_->addTab(graphics, QStringLiteral("Graphics"));
  results_->addTab(tests, QStringLiteral("Test Results"));
  for (QWidget* hidden : {static_cast<QWidget*>(information), graphics, tests})
    results_->setTabVisible(results_->indexOf(hidden), false);
  results_->setCurrentWidget(log_);
  connect(results_, &QTabWidget::currentChanged, this, &TfrmMain::ResultsPageChanged);

  horizontal_splitter_ = new QSplitter(Qt::Vertical);
  horizontal_splitter_->setObjectName(QStringLiteral("splResults"));
  horizontal_splitter_->addWidget(upper);
  horizontal_splitter_->addWidget(results_);
  horizontal_splitter_->setStretchFactor(0, 1);
  horizontal_splitter_->setChildrenCollapsible(false);
  setCentralWidget(horizontal_splitter_);

  // One text field; the progress bar and Cancel show only while a run is under way.
  status_text_ = new QLabel;
  status_text_->setObjectName(QStringLiteral("lblStatus"));
  status_text_->setAccessibleName(QStringLiteral("Status"));
  status_text_->setMinimumWidth(1);
  progress_ = new QProgressBar;
  progress_->setObjectName(QStringLiteral("pbRun"));
  progress_->setAccessibleName(QStringLiteral("Run progress"));
  progress_->setMaximumWidth(220);
  progress_->setTextVisible(true);
  progress_->hide();
  cancel_ = new QPushButton(QStringLiteral("Cancel"));
  cancel_->setObjectName(QStringLiteral("btnCancelRun"));
  cancel_->setStatusTip(QStringLiteral("Stops the analysis; the project is left as it was"));
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, &TfrmMain::CancelRun);
  statusBar()->addWidget(status_text_, 1);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(cancel_);
}

void TfrmMain::ApplyLayout() {
  // Tree, splitter and data area are enlarged by the layout factor; the toolbar
  // and the right panel keep their design size.
  tree_->setMinimumWidth(100);
  const int width = Scaled(kTreeWidth + 3 + kDataWidth) + kRightPanelWidth;
  const int height = Scaled(kDataHeight + 3 + kResultsHeight + 19) + 46 + menuBar()->sizeHint().height();
  resize(width, height);
  vertical_splitter_->setSizes({Scaled(kTreeWidth), Scaled(kDataWidth)});
  horizontal_splitter_->setSizes({Scaled(kDataHeight), Scaled(kResultsHeight)});
  KeepOnScreen();
}

// Keeps the window on its monitor's work area, shrinking it first when the
// screen is smaller than the window.
void TfrmMain::KeepOnScreen() {
  QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  const QRect work = s->availableGeometry();
  QRect frame = frameGeometry();
  const QSize decoration = frame.size() - size();
  if (frame.width() > work.width() || frame.height() > work.height())
    resize(std::min(width(), work.width() - decoration.width()), std::min(height(), work.height() - decoration.height()));
  frame = frameGeometry();
  QPoint at = frame.topLeft();
  if (frame.right() > work.right()) at.setX(work.left() + (work.width() - frame.width()) / 2);
  if (at.x() < work.left()) at.setX(work.left());
  if (frame.bottom() > work.bottom()) at.setY(work.top() + (work.height() - frame.height()) / 2);
  if (at.y() < work.top()) at.setY(work.top());
  move(at);
}

void TfrmMain::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  if (is_shown_) return;
  is_shown_ = true;
  InitialiseOnFirstShow();
}

// The first show: libraries, tree, Event Log and the screens filled from a new project.
void TfrmMain::InitialiseOnFirstShow() {
  try {
    if (!pages_.empty()) data_pages_->setCurrentWidget(pages_.front());
    const QString library = ProgramFile(QString::fromLatin1(kLibraryFileName));
    if (const TResult loaded = session_->LoadLibraries(ToStd(library)); !loaded.IsOK())
      ShowMessage(this, TMessageKind::Warning,
                  QStringLiteral("Error when trying to load library data from ") + library + QStringLiteral("\r\n") +
                      ToQ(loaded.Message()));
    project_->SetLimitStateValues(&session_->LimitStateLibrary);
    project_->SetCWBRestrictions(&session_->CWBRestrictionLibrary);
    for (TDataPage* page : pages_) page->LibrariesLoaded();
    if (session_->FloorUseLibrary.Count() > 0) ApplyFloorUse(0);
    BuildNavigationTree();
    ResetEventLog();
    ClearResultsDisplay();
    AddLogLine(QStringLiteral("This software is intended to assist in the preliminary design of "
                              "simply-supported composite steel and concrete floor beams. ") +
               ToQ(GetAppName()) +
               QStringLiteral(" caters for typical grids of secondary and "
                              "primary beams utilising universal and welded sections in KESTREL\u00AE "
                              "or in high strength steel"));
    AddLogLine(QString());
    UpdateScreensFromProject();
  } catch (const std::exception& e) {
    ShowMessage(this, TMessageKind::Error,
                QStringLiteral("[DEBUG] Error when initialising form, exception class ") +
                    QString::fromLatin1(typeid(e).name()) + QStringLiteral(" with message ") + QString::fromUtf8(e.what()));
  }
}

// ---------------------------------------------------------------------------
// State

void TfrmMain::SetDataChangedSinceSave(bool IsChanged) {
  changed_since_save_ = IsChanged;
  SetStatusText(QString());
  if (QAction* save = Command(QStringLiteral("actSave"))) save->setEnabled(IsChanged && !running_);
}

void TfrmMain::SetDataChangedSinceCalc(bool IsChanged) {
  changed_since_calc_ = IsChanged;
  if (QAction* print = Command(QStringLiteral("actPrint"))) print->setEnabled(!IsChanged && !running_);
}

void TfrmMain::SetWindowTitleFor(const QString& FileName) {
  default_file_name_ = FileName;
  const QString name = FileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(FileName).fileName();
  setWindowTitle(name + QStringLiteral(" - ") + ToQ(GetAppName()));
}

void TfrmMain::InputChanged(bool WillAffectLoads) {
  if (filling_screens_ || running_) return;
  if (WillAffectLoads) project_->UpdateAutoLoads();
  SetDataChangedSinceSave(true);
  if (!changed_since_calc_) {
    ClearResultsDisplay();
    SetDataChangedSinceCalc(true);
  }
  summary_->HideErrors();
  AdminInputChanged();
}

// ---------------------------------------------------------------------------
// Event Log and status bar

void TfrmMain::AddLogLine(const QString& Line) {
  log_->appendPlainText(Line);
  if (isVisible() && isEnabled() && results_->currentWidget() == log_) {
    QWidget* focus = QApplication::focusWidget();
    log_->verticalScrollBar()->setValue(log_->verticalScrollBar()->maximum());
    if (focus && focus != QApplication::focusWidget()) focus->setFocus();
  }
  // Shown at once, even in the middle of a long command; user input waits.
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void TfrmMain::ResetEventLog() {
  log_->clear();
  AddLogLine(ToQ(GetAppName() + "/V" + GetAppVersionShort() + ": " + GetAppDescription()));
  AddLogLine(QString());
}

QString TfrmMain::EventLogText() const { return log_->toPlainText(); }

void TfrmMain::ShowEventLogPage() { results_->setCurrentWidget(log_); }

// A chart needs more height than the log: the results area takes close to
// half the window while the Graphics page is shown, and gives it back after.
void TfrmMain::ResultsPageChanged() {
  if (!horizontal_splitter_) return;
  const bool charts = results_->currentWidget() == graphics_;
  QList<int> sizes = horizontal_splitter_->sizes();
  if (sizes.size() != 2) return;
  const int total = sizes[0] + sizes[1];
  if (charts && sizes_before_charts_.isEmpty() && sizes[1] < total * 2 / 5) {
    sizes_before_charts_ = sizes;
    horizontal_splitter_->setSizes({total - total * 9 / 20, total * 9 / 20});
  } else if (!charts && !sizes_before_charts_.isEmpty()) {
    horizontal_splitter_->setSizes(sizes_before_charts_);
    sizes_before_charts_.clear();
  }
}

void TfrmMain::SetStatusText(const QString& Text) {
  status_text_->setText(Text.isEmpty() ? QString() : QLatin1Char(' ') + Text);
}

QString TfrmMain::StatusText() const { return status_text_->text().mid(1); }

// The application's hints go to the status bar: the long part, "/n" read as a space.
bool TfrmMain::event(QEvent* Event) {
  if (Event->type() == QEvent::StatusTip) {
    const QString tip = static_cast<QStatusTipEvent*>(Event)->tip();
    if (!tip.isEmpty()) SetStatusText(QString(tip).replace(QLatin1String("/n"), QLatin1String(" ")));
    return true;
  }
  return QMainWindow::event(Event);
}

// ---------------------------------------------------------------------------
// Pages and navigation

void TfrmMain::AddPage(TDataPage* Page) {
  pages_.push_back(Page);
  data_pages_->addWidget(Page);
  Page->RegisterFields();
  if (is_shown_) BuildNavigationTree();
}

TDataPage* TfrmMain::Page(const QString& PageName) const {
  for (TDataPage* page : pages_)
    if (page->PageName() == PageName) return page;
  return nullptr;
}

TDataPage* TfrmMain::CurrentPage() const { return qobject_cast<TDataPage*>(data_pages_->currentWidget()); }

// ---------------------------------------------------------------------------
// Field checks

void TfrmMain::RegisterField(QObject* Page, const QString& PageName, const QString& Name, QLineEdit* Edit,
                             bool IsGroupField) {
  const int added = field_checks_.AddRegistered(PageName, Name, Edit, Page,
                                                [this](TFieldCheck&, bool HasFailed, bool&) {
                                                  can_change_tabs_ = !HasFailed;
                                                });
  Q_ASSERT_X(added > 0, "RegisterField", "no check of that page and name");
  WatchFieldExit(Edit);
  if (IsGroupField) group_fields_.insert(Edit);
}

void TfrmMain::WatchFieldExit(QLineEdit* Edit) {
  if (watched_fields_.insert(Edit).second) Edit->installEventFilter(this);
}

void TfrmMain::RegisterGridColumn(QObject* Page, const QString& PageName, const QString& Name, TStringGrid* Grid,
                                  int ACol) {
  Grid->ColouredCellColour = HighlightFieldColour();
  // A column's checks belong to its grid: the grid checks its cells itself,
  // so a page's field checks leave the column's hidden edit alone.
  Q_UNUSED(Page);
  const int added = field_checks_.AddRegistered(PageName, Name, Grid->CheckEdit(ACol), Grid,
                                                [this](TFieldCheck&, bool HasFailed, bool&) {
                                                  can_change_tabs_ = !HasFailed;
                                                });
  Q_ASSERT_X(added > 0, "RegisterGridColumn", "no check of that page and name");
}

// Leaving a field checks it. Focus lost to a menu, a popup or another window
// (the check's own message box among them) is not leaving the field.
bool TfrmMain::eventFilter(QObject* Watched, QEvent* Event) {
  // Enter opens or closes the focused node of the tree.
  if (Watched == tree_ && Event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(Event)->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && tree_->currentItem()) {
      tree_->currentItem()->setExpanded(!tree_->currentItem()->isExpanded());
      return true;
    }
  }
  if (Event->type() == QEvent::FocusOut && !suppress_field_exit_) {
    const auto reason = static_cast<QFocusEvent*>(Event)->reason();
    auto* edit = qobject_cast<QLineEdit*>(Watched);
    if (edit && reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) FieldExit(edit);
  }
  return QMainWindow::eventFilter(Watched, Event);
}

void TfrmMain::FieldExit(QLineEdit* Edit) {
  if (!watched_fields_.count(Edit)) return;
  // The page acts on the value left (copies, defaults) before it is checked.
  for (QWidget* w = Edit->parentWidget(); w; w = w->parentWidget())
    if (auto* page = qobject_cast<TDataPage*>(w)) {
      page->FieldLeaving(Edit);
      break;
    }
  if (field_checks_.ChecksOf(Edit).empty()) return;
  const bool group = group_fields_.count(Edit) > 0;
  field_checks_.Check(Edit, group ? field_checks_.GroupOf(Edit) : nullptr, true, true, true);
}

bool TfrmMain::ValidateActiveControl(const QString& Refused) {
  QWidget* focus = QApplication::focusWidget();
  if (!focus) return true;
  QWidget* back_to = nullptr;
  if (auto* edit = qobject_cast<QLineEdit*>(focus); edit && !field_checks_.ChecksOf(edit).empty()) {
    suppress_field_exit_ = true;
    edit->clearFocus();
    suppress_field_exit_ = false;
    // The message comes below, also for a value the check has reported before.
    if (field_checks_.Check(edit, field_checks_.GroupOf(edit), false, true, true)) return true;
    const TFieldCheck* failed = field_checks_.LastErrorFieldCheck();
    back_to = failed && failed->Edit ? static_cast<QWidget*>(failed->Edit.data()) : edit;
  } else {
    // A grid, or the editor of one of its cells.
    TStringGrid* grid = nullptr;
    for (QWidget* w = focus; w && !grid; w = w->parentWidget()) grid = qobject_cast<TStringGrid*>(w);
    if (!grid) return true;
    grid->CommitEdit();
    const int c = grid->Col(), r = grid->Row();
    grid->clearFocus();
    if (c < 0 || r < 0) return true;
    if (CheckGridCells(*grid, field_checks_, c, c, r, r, false, true, true)) return true;
    back_to = grid;
  }
  const TFieldCheck* failed = field_checks_.LastErrorFieldCheck();
  RefuseCommand(Refused, failed ? failed->LastErrorMsg() : QString(), back_to);
  return false;
}

bool TfrmMain::ValidateBeamInput(const QString& Refused) {
  if (current_beam_ < 0) return true;  // the beam pages are copied only for a current beam
  for (TDataPage* page : pages_) {
    if (!page->IsBeamPage()) continue;
    if (const QString message = page->UnreadableInput(); !message.isEmpty()) {
      RefuseCommand(Refused, message, nullptr);
      return false;
    }
  }
  return true;
}

void TfrmMain::RefuseCommand(const QString& Refused, const QString& Message, QWidget* BackTo) {
  QApplication::beep();
  ShowMessage(this, TMessageKind::Warning, Message);
  AddLogLine(Refused + Message);
  SetStatusText(Message);
  if (BackTo && BackTo->isVisible() && BackTo->isEnabled()) BackTo->setFocus(Qt::OtherFocusReason);
}

// ---------------------------------------------------------------------------
// Run state

void TfrmMain::SetRunning(bool IsRunning) {
  running_ = IsRunning;
  tree_->setEnabled(!IsRunning);
  data_pages_->setEnabled(!IsRunning);
  for (QAction* a : data_commands_) a->setEnabled(!IsRunning);
  recent_menu_->setEnabled(!IsRunning && !RecentFiles().isEmpty());
  // Save and Print follow their flags once the run is over (the status text stays).
  Command(QStringLiteral("actSave"))->setEnabled(changed_since_save_ && !IsRunning);
  Command(QStringLiteral("actPrint"))->setEnabled(!changed_since_calc_ && !IsRunning);
  summary_->SetStepButtonsEnabled(!IsRunning);
  progress_->setVisible(IsRunning);
  cancel_->setVisible(IsRunning);
  cancel_->setEnabled(IsRunning);
}

// ---------------------------------------------------------------------------
// Closing

void TfrmMain::closeEvent(QCloseEvent* Event) {
  if (running_) {
    CancelRun();
    WaitForRun();
    CancelAdminJob();
    WaitForAdminJob();
  }
  if (!ConfirmSaveChanges()) {
    Event->ignore();
    return;
  }
  Event->accept();
}
