#include "ui/fMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabWidget>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <typeinfo>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cSession.h"
#include "ui/cCommandTable.h"
#include "ui/cGridChecks.h"
#include "ui/cIcons.h"
#include "ui/cMessages.h"
#include "ui/cSettings.h"
#include "ui/cStringGrid.h"
#include "ui/cThemes.h"
#include "ui/cUiUtility.h"
#include "ui/fAdminTools.h"
#include "ui/fBeamPages.h"
#include "ui/fFileCommands.h"
#include "ui/fFloorPages.h"
#include "ui/fGeometryPage.h"
#include "ui/fGraphicsPage.h"
#include "ui/fProjectPages.h"
#include "ui/fResultsPage.h"
#include "ui/fRunView.h"

namespace {

// The design sizes of the regions at 96 pixels per inch, enlarged by the
// layout factor; Qt scales them again for high-DPI screens.
constexpr double kLayoutFactor = 1.2;
constexpr int kTreeWidth = 150, kRightPanelWidth = 170, kResultsHeight = 138, kDataWidth = 789, kDataHeight = 344;
// The share of the screen's work area a first window takes, when that is more than its design size.
constexpr double kFirstScreenShare = 0.85;
// Below this width the information panel shows its pictures only, so the
// navigation tree keeps room for its captions.
// Below these window widths the information panel shows its pictures only,
// then hides (its commands stay in the Help menu), so the tree keeps its
// captions and the pages their width on a small screen.
constexpr int kCompactPanelBelowWidth = 1200, kHiddenPanelBelowWidth = 1100;

int Scaled(int Pixels) { return static_cast<int>(Pixels * kLayoutFactor + 0.5); }

struct TPanelButton {
  const char* Name;
  const char* Command;
  const char* Icon;
};
const TPanelButton kPanelButtons[] = {
    {"btnUserManual", "actUserManual", "manual"},
    {"btnCommunity", "actCommunity", "community"},
    {"btnEmailSupport", "actEmailSupport", "email"},
};

}  // namespace

// ---------------------------------------------------------------------------
// Creation

TfrmMain::TfrmMain(const TMainOptions& Options, QWidget* Parent) : QMainWindow(Parent), options_(Options) {
  setObjectName(QStringLiteral("frmMain"));
  setWindowIcon(ApplicationIcon());
  SetWindowTitleFor(QString());

  session_ = std::make_unique<TSession>();
  project_ = std::make_unique<TProject>();

  CreateRegions();
  files_ = std::make_unique<TFileCommands>(*this);
  run_ = std::make_unique<TRunView>(*this, *results_);
  CreateCommands();
  ApplyLayout();

  // The look-and-feel theme of the last session, written back so the store always names one.
  const QString style = ApplyTheme(settings::ReadString(QString::fromLatin1(settings::kStyle)));
  settings::WriteString(QString::fromLatin1(settings::kStyle), style);
  ChooseStandard(StandardVersion());

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
  AddPage(run_->TakeResultsPage());
  if (options_.IsAdmin) admin_ = std::make_unique<TAdminTools>(*this, *results_);
  RefreshCommands();
  ArrangeTabOrder();
}

TfrmMain::~TfrmMain() {
  // A job still under way ends before the project it works on goes.
  admin_.reset();
  run_.reset();
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

  // The page shown sets the data area's least size, not the widest page; a
  // window narrower than the page scrolls it rather than growing off the screen.
  connect(data_pages_, &QStackedWidget::currentChanged, this, [this](int Current) {
    for (int i = 0; i < data_pages_->count(); ++i)
      data_pages_->widget(i)->setSizePolicy(i == Current ? QSizePolicy::Preferred : QSizePolicy::Ignored,
                                            i == Current ? QSizePolicy::Preferred : QSizePolicy::Ignored);
    data_pages_->updateGeometry();
  });
  auto* data_area = new QScrollArea;
  data_area->setObjectName(QStringLiteral("sbData"));
  data_area->setFrameShape(QFrame::NoFrame);
  data_area->setFocusPolicy(Qt::NoFocus);  // Tab goes to the page's fields
  data_area->setWidgetResizable(true);
  data_area->setWidget(data_pages_);

  auto* top = new QSplitter(Qt::Horizontal);
  top->setObjectName(QStringLiteral("splTree"));
  top->addWidget(tree_);
  top->addWidget(data_area);
  top->setStretchFactor(1, 1);
  top->setChildrenCollapsible(false);
  vertical_splitter_ = top;

  auto* upper = new QWidget;
  auto* upper_layout = new QHBoxLayout(upper);
  upper_layout->setContentsMargins(0, 0, 0, 0);
  upper_layout->setSpacing(0);
  upper_layout->addWidget(top, 1);
  upper_layout->addWidget(right_panel_);

  // The results area: tabs at the bottom. The run and the administrators'
  // tools add their pages; "Information" stays hidden.
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
  results_->addTab(information, QStringLiteral("Information"));
  results_->addTab(log_, QStringLiteral("Event Log"));
  results_->setTabVisible(results_->indexOf(information), false);
  results_->setCurrentWidget(log_);
  connect(results_, &QTabWidget::currentChanged, this, &TfrmMain::ResultsPageChanged);

  horizontal_splitter_ = new QSplitter(Qt::Vertical);
  horizontal_splitter_->setObjectName(QStringLiteral("splResults"));
  horizontal_splitter_->addWidget(upper);
  horizontal_splitter_->addWidget(results_);
  horizontal_splitter_->setStretchFactor(0, 1);
  horizontal_splitter_->setChildrenCollapsible(false);
  connect(horizontal_splitter_, &QSplitter::splitterMoved, this, &TfrmMain::ResultsSplitterMoved);
  setCentralWidget(horizontal_splitter_);

  // One text field; the progress bar and Cancel show only while a job is under way.
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
  cancel_->setStatusTip(QStringLiteral("Stops the job under way; the project is left as it was"));
  cancel_->hide();
  connect(cancel_, &QPushButton::clicked, this, [this] {
    cancel_->setEnabled(false);
    run_->CancelRun();
    if (admin_) admin_->CancelJob();
  });
  statusBar()->addWidget(status_text_, 1);
  statusBar()->addPermanentWidget(progress_);
  statusBar()->addPermanentWidget(cancel_);
}

// The white information panel: three large picture buttons, each with its
// caption centred below it, spread evenly over the panel's height; each is
// its Help command.
void TfrmMain::CreateRightPanel() {
  right_panel_ = new QWidget;
  right_panel_->setObjectName(QStringLiteral("pnlInformation"));
  right_panel_->setAccessibleName(QStringLiteral("Information panel"));
  right_panel_->setAutoFillBackground(true);
  QPalette white = right_panel_->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Button, Qt::white);
  white.setColor(QPalette::ButtonText, QColor(0x1e, 0x3a, 0x57));
  white.setColor(QPalette::WindowText, QColor(0x1e, 0x3a, 0x57));
  right_panel_->setPalette(white);
  auto* layout = new QVBoxLayout(right_panel_);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addStretch(1);
  for (const TPanelButton& b : kPanelButtons) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(b.Name));
    button->setIcon(BundledIcon(b.Icon));
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    // The command gives the caption and hint once the commands exist.
    connect(button, &QToolButton::clicked, this, [this, command = b.Command] {
      if (QAction* action = Command(QString::fromLatin1(command)); action && action->isEnabled()) action->trigger();
    });
    layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addStretch(1);
    panel_buttons_.push_back(button);
  }
  SetInformationPanelCompact(false);
}

// Compact: the pictures only, smaller, so that a narrow window keeps its
// width for the tree and the pages; the captions stay the buttons' names.
void TfrmMain::SetInformationPanelCompact(bool IsCompact) {
  panel_compact_ = IsCompact;
  right_panel_->setFixedWidth(IsCompact ? 58 : kRightPanelWidth);
  for (QToolButton* button : panel_buttons_) {
    button->setToolButtonStyle(IsCompact ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    button->setIconSize(IsCompact ? QSize(36, 36) : QSize(56, 56));
  }
}

// The first window takes most of the screen (never less than its design
// size, where the screen allows); later ones open as the last was left.
void TfrmMain::ApplyLayout() {
  const int width = Scaled(kTreeWidth + 3 + kDataWidth) + kRightPanelWidth;
  const int height = Scaled(kDataHeight + 3 + kResultsHeight + 19) + 46 + menuBar()->sizeHint().height();
  QSize size(width, height);
  if (const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen()) {
    const QSize work = s->availableGeometry().size();
    size = size.expandedTo(QSize(static_cast<int>(work.width() * kFirstScreenShare),
                                 static_cast<int>(work.height() * kFirstScreenShare)));
  }
  resize(size);
  vertical_splitter_->setSizes({Scaled(kTreeWidth), Scaled(kDataWidth)});
  const QByteArray placed =
      QByteArray::fromBase64(settings::ReadString(QString::fromLatin1(settings::kWindowGeometry)).toLatin1());
  if (placed.isEmpty() || !restoreGeometry(placed)) KeepOnScreen();
  const int share = settings::ReadInteger(QString::fromLatin1(settings::kResultsShare));
  const int total = std::max(1, centralWidget()->height());
  horizontal_splitter_->setSizes({total - total * share / 1000, total * share / 1000});
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

// Tab from the navigation tree reaches the first field of the page shown;
// the information panel, the results tabs and the results pages come after
// the page's fields (hidden pages are passed over as Tab goes).
void TfrmMain::ArrangeTabOrder() {
  std::vector<QWidget*> chain;
  std::vector<QWidget*> order{tree_};
  for (QWidget* w = nextInFocusChain(); w && w != this; w = w->nextInFocusChain()) chain.push_back(w);
  for (QWidget* root : {static_cast<QWidget*>(data_pages_), right_panel_, static_cast<QWidget*>(results_)})
    for (QWidget* w : chain)
      if ((w->focusPolicy() & Qt::TabFocus) && root->isAncestorOf(w)) order.push_back(w);
  for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfrmMain::showEvent(QShowEvent* Event) {
  QMainWindow::showEvent(Event);
  if (is_shown_) return;
  is_shown_ = true;
  InitialiseOnFirstShow();
}

void TfrmMain::resizeEvent(QResizeEvent* Event) {
  QMainWindow::resizeEvent(Event);
  const bool compact = width() < kCompactPanelBelowWidth;
  if (compact != panel_compact_) SetInformationPanelCompact(compact);
  right_panel_->setHidden(width() < kHiddenPanelBelowWidth);
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
    run_->ClearResultsDisplay();
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
  setWindowModified(IsChanged);
  RefreshCommands();
}

void TfrmMain::SetDataChangedSinceCalc(bool IsChanged) {
  changed_since_calc_ = IsChanged;
  RefreshCommands();
}

void TfrmMain::SetWindowTitleFor(const QString& FileName) {
  default_file_name_ = FileName;
  const QString name = FileName.isEmpty() ? QStringLiteral("Untitled") : QFileInfo(FileName).fileName();
  // "[*]" shows as "*" while there are unsaved changes; a "[*]" of the file's own name stays as it is.
  setWindowTitle(QString(name).replace(QLatin1String("[*]"), QLatin1String("[*][*]")) + QStringLiteral("[*] - ") +
                 ToQ(GetAppName()));
  setWindowModified(changed_since_save_);
}

void TfrmMain::InputChanged(bool WillAffectLoads) {
  if (filling_screens_ || locked_) return;
  if (WillAffectLoads) project_->UpdateAutoLoads();
  SetDataChangedSinceSave(true);
  if (!changed_since_calc_) {
    run_->ClearResultsDisplay();
    SetDataChangedSinceCalc(true);
  }
  run_->HideErrors();
  if (admin_) admin_->InputChanged();
}

void TfrmMain::SetLocked(bool IsLocked) {
  locked_ = IsLocked;
  tree_->setEnabled(!IsLocked);
  data_pages_->setEnabled(!IsLocked);
  run_->SetStepButtonsEnabled(!IsLocked);
  progress_->setVisible(IsLocked);
  cancel_->setVisible(IsLocked);
  cancel_->setEnabled(IsLocked);
  RefreshCommands();
}

void TfrmMain::StartProgress(const QString& Format, int Count) {
  progress_->setRange(0, std::max(1, Count));
  progress_->setValue(0);
  progress_->setFormat(Format);
}

void TfrmMain::ShowProgress(int Done, int Count, const QString& Activity) {
  progress_->setRange(0, std::max(1, Count));
  progress_->setValue(std::clamp(Done, 0, std::max(1, Count)));
  if (!Activity.isEmpty()) SetStatusText(Activity);
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

// A chart needs more height than the log: while the Graphics page is shown
// the results area takes its own share of the window (at least enough for
// the page to be half the window's height), and gives it back after. Both
// shares are the user's to drag and are remembered.
void TfrmMain::ResultsPageChanged() {
  if (!horizontal_splitter_ || !run_) return;
  const bool charts = results_->currentWidget() == run_->GraphicsPage();
  if (charts == graphics_shown_) return;
  graphics_shown_ = charts;
  const QList<int> sizes = horizontal_splitter_->sizes();
  if (sizes.size() != 2) return;
  const int total = sizes[0] + sizes[1];
  int share = settings::ReadInteger(QString::fromLatin1(charts ? settings::kGraphicsShare : settings::kResultsShare));
  if (charts) {
    // The page is the results area less its tab bar: half the window's height at least.
    const int tabs = results_->height() - results_->currentWidget()->height();
    const int least = (height() / 2 + tabs) * 1000 / std::max(1, total) + 1;
    share = std::max(share, least);
  }
  share = std::clamp(share, 50, 950);
  placing_splitter_ = true;
  horizontal_splitter_->setSizes({total - total * share / 1000, total * share / 1000});
  placing_splitter_ = false;
}

void TfrmMain::ResultsSplitterMoved() {
  if (placing_splitter_) return;
  const QList<int> sizes = horizontal_splitter_->sizes();
  const int total = sizes.size() == 2 ? sizes[0] + sizes[1] : 0;
  if (total <= 0) return;
  settings::WriteInteger(QString::fromLatin1(graphics_shown_ ? settings::kGraphicsShare : settings::kResultsShare),
                         sizes[1] * 1000 / total);
}

void TfrmMain::SaveWindowPlacement() {
  settings::WriteString(QString::fromLatin1(settings::kWindowGeometry), QString::fromLatin1(saveGeometry().toBase64()));
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
// Pages

void TfrmMain::AddPage(TDataPage* Page) {
  pages_.push_back(Page);
  data_pages_->addWidget(Page);
  if (data_pages_->currentWidget() != Page) Page->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
  Page->RegisterFields();
  if (is_shown_) {
    BuildNavigationTree();
    ArrangeTabOrder();
  }
}

TDataPage* TfrmMain::Page(const QString& PageName) const {
  for (TDataPage* page : pages_)
    if (page->PageName() == PageName) return page;
  return nullptr;
}

TDataPage* TfrmMain::CurrentPage() const { return qobject_cast<TDataPage*>(data_pages_->currentWidget()); }

// ---------------------------------------------------------------------------
// Field checks

void TfrmMain::RegisterField(TDataPage& Page, const QString& Name, QLineEdit* Edit, bool IsGroupField) {
  const int added = field_checks_.AddRegistered(Page.PageName(), Name, Edit, &Page,
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

void TfrmMain::RegisterGridColumn(TDataPage& Page, const QString& Name, TStringGrid& Grid, int ACol) {
  Grid.ColouredCellColour = HighlightFieldColour();
  // A column's checks belong to its grid: the grid checks its cells itself,
  // so a page's field checks leave the column's hidden edit alone.
  const int added = field_checks_.AddRegistered(Page.PageName(), Name, Grid.CheckEdit(ACol), &Grid,
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
// Closing

void TfrmMain::closeEvent(QCloseEvent* Event) {
  if (locked_) {
    run_->CancelRun();
    run_->WaitForRun();
    if (admin_) {
      admin_->CancelJob();
      admin_->WaitForJob();
    }
  }
  if (!files_->ConfirmSaveChanges()) {
    Event->ignore();
    return;
  }
  SaveWindowPlacement();
  Event->accept();
}
