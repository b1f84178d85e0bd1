// The main window's commands: one table with each command's caption,
// shortcut, hint and icon; the menus, toolbar and right panel built from it;
// the help commands and the administrators' tools.
#include <QAction>
#include <QActionGroup>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cSession.h"
#include "ui/cIcons.h"
#include "ui/cMessages.h"
#include "ui/cSettings.h"
#include "ui/cThemes.h"
#include "ui/cUiUtility.h"
#include "ui/fAbout.h"
#include "ui/fGraphicsPage.h"
#include "ui/fMain.h"

namespace {

// The operator's endpoints for the community page and support e-mail.
const char kCommunityUrl[] = "https://community.trevalon.example/";
const char kSupportAddress[] = "support@trevalon.example";

struct TCommandSpec {
  const char* ObjectName;
  const char* Caption;
  const char* Hint;  // "short|long": the tooltip and the status bar's text
  const char* Shortcut;
  const char* ThemeIcon;
  const char* BundledIcon;
};

const TCommandSpec kCommands[] = {
    {"actNew", "New", "New|Creates a new file", "Ctrl+N", "document-new", "new"},
    {"actOpen", "&Open...", "Open|Opens an existing file", "Ctrl+O", "document-open", "open"},
    {"actSave", "Save", "Save|Saves the active file", "Ctrl+S", "document-save", "save"},
    {"actSaveAs", "Save &As...", "Save As|Saves the active file with a new name", "", "document-save-as", "saveas"},
    {"actExit", "E&xit", "Exit|Quits the application", "", "application-exit", "exit"},
    {"actLoadSample", "Load Sample Data", "Loads sample data file", "", "", ""},
    {"actAnalyse", "Analyse", "Runs analysis based on the current data", "", "", "analyse"},
    {"actDesign", "Design", "Runs analysis using auto-selected steel sections", "", "", "design"},
    {"actPrint", "Print", "Print|Prints results", "Ctrl+P", "document-print", "print"},
    {"actExportResults", "&Export Results...", "Export Results|Exports full results to a csv file (readable by Excel)",
     "", "", ""},
    {"actCalculationReport", "&Calculation Report...",
     "Calculation Report|Saves the calculation report: every check with its formula, numbers and verdict, as PDF or "
     "HTML",
     "", "", ""},
    {"actPrintCalculationReport", "Print Calculation Report", "Print Calculation Report|Prints the calculation report",
     "", "", ""},
    {"actAbout", "About Trevalon", "Displays information about this software", "", "help-about", ""},
    {"actUserManual", "User Manual", "Loads user manual", "", "", "manual"},
    {"actCommunity", "Community", "Links to community forum", "", "", "community"},
    {"actEmailSupport", "Email Support", "Links to email support", "", "", "email"},
    {"actHelp", "Trevalon Help", "Help|Displays help file", "", "help-contents", ""},
    {"actReadMe", "Display ReadMe text",
     "Displays text file with information about the current version of this software", "", "", ""},
    {"actImport", "&Import... (ADMIN ONLY)", "Import|Imports an existing Trevalon *.tvx or Korvane *.xlsx file", "", "",
     ""},
    {"actSaveImage", "Save Image (VEX ADMIN)", "Saves image to file", "", "", ""},
    {"actGenerateLibrary", "Generate Library (VEX ADMIN)", "Generates a binary library file based on csv inputs", "",
     "", ""},
    {"actShowDesignParameters", "Show Design Parameters", "", "", "", ""},
    {"actCreateDesignTable", "Create Design Table", "", "", "", ""},
    {"actAllowTesting", "Allow Testing", "", "", "", ""},
    {"actRunAllTests", "Run All Tests", "", "", "", ""},
    {"actCancelTests", "Cancel Tests", "", "", "", ""},
    {"actListProperties", "List Properties", "", "", "", ""},
};

void SetHint(QAction* Action, const QString& Hint) {
  const qsizetype bar = Hint.indexOf(QLatin1Char('|'));
  Action->setToolTip(bar < 0 ? Hint : Hint.left(bar));
  Action->setStatusTip(bar < 0 ? Hint : Hint.mid(bar + 1));
}

}  // namespace

void TfrmMain::CreateCommands() {
  for (const TCommandSpec& spec : kCommands) {
    auto* action = new QAction(QString::fromLatin1(spec.Caption), this);
    action->setObjectName(QString::fromLatin1(spec.ObjectName));
    SetHint(action, QString::fromLatin1(spec.Hint));
    if (*spec.Shortcut) action->setShortcut(QKeySequence(QString::fromLatin1(spec.Shortcut)));
    if (*spec.BundledIcon) action->setIcon(CommandIcon(spec.ThemeIcon, spec.BundledIcon));
  }
  auto cmd = [this](const char* Name) { return Command(QString::fromLatin1(Name)); };

  connect(cmd("actNew"), &QAction::triggered, this, &TfrmMain::NewProject);
  connect(cmd("actOpen"), &QAction::triggered, this, &TfrmMain::OpenProject);
  connect(cmd("actSave"), &QAction::triggered, this, [this] { Save(); });
  connect(cmd("actSaveAs"), &QAction::triggered, this, [this] { SaveAs(); });
  connect(cmd("actExit"), &QAction::triggered, this, &QWidget::close);
  connect(cmd("actLoadSample"), &QAction::triggered, this, &TfrmMain::LoadSampleData);
  connect(cmd("actAnalyse"), &QAction::triggered, this, &TfrmMain::Analyse);
  connect(cmd("actDesign"), &QAction::triggered, this, &TfrmMain::Design);
  connect(cmd("actPrint"), &QAction::triggered, this, &TfrmMain::PrintResults);
  connect(cmd("actExportResults"), &QAction::triggered, this, &TfrmMain::ExportResults);
  connect(cmd("actCalculationReport"), &QAction::triggered, this, &TfrmMain::SaveCalculationReport);
  connect(cmd("actPrintCalculationReport"), &QAction::triggered, this, &TfrmMain::PrintCalculationReport);
  // The calculation report is there exactly when the printed results are (results up to date, no run).
  for (const char* name : {"actCalculationReport", "actPrintCalculationReport"})
    connect(cmd("actPrint"), &QAction::enabledChanged, cmd(name), &QAction::setEnabled);
  connect(cmd("actAbout"), &QAction::triggered, this, &TfrmMain::ShowAbout);
  connect(cmd("actUserManual"), &QAction::triggered, this, &TfrmMain::ShowUserManual);
  connect(cmd("actHelp"), &QAction::triggered, this, &TfrmMain::ShowUserManual);
  connect(cmd("actCommunity"), &QAction::triggered, this, &TfrmMain::OpenCommunity);
  connect(cmd("actEmailSupport"), &QAction::triggered, this, &TfrmMain::EmailSupport);
  connect(cmd("actReadMe"), &QAction::triggered, this, &TfrmMain::ShowReadMe);
  connect(cmd("actGenerateLibrary"), &QAction::triggered, this, &TfrmMain::GenerateLibrary);
  // The administrators' "Save Image" saves the chart the Graphics page shows.
  connect(cmd("actSaveImage"), &QAction::triggered, graphics_, &TGraphicsPage::SaveImage);

  data_commands_ = {cmd("actNew"),        cmd("actOpen"),      cmd("actSaveAs"), cmd("actLoadSample"),
                    cmd("actAnalyse"),    cmd("actDesign"),    cmd("actGenerateLibrary")};

  // File
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("mnuFile"));
  file->addAction(cmd("actNew"));
  file->addAction(cmd("actOpen"));
  recent_menu_ = file->addMenu(QStringLiteral("Open Recent"));
  recent_menu_->setObjectName(QStringLiteral("mnuOpenRecent"));
  recent_menu_->menuAction()->setStatusTip(QStringLiteral("Opens a recently-used file"));
  for (int i = 0; i < settings::kMaxRecentFiles; ++i) {
    auto* recent = recent_menu_->addAction(QString::number(i + 1));
    recent->setObjectName(QString::number(i + 1));
    recent->setStatusTip(QStringLiteral("Opens recently-used file"));
    recent->setVisible(false);
    connect(recent, &QAction::triggered, this, [this, i] { OpenRecent(i); });
    recent_actions_.push_back(recent);
  }
  file->addAction(cmd("actSave"));
  file->addAction(cmd("actSaveAs"));
  file->addSeparator();
  file->addAction(cmd("actExportResults"));
  file->addAction(cmd("actPrint"));
  file->addAction(cmd("actCalculationReport"));
  file->addAction(cmd("actPrintCalculationReport"));
  file->addSeparator();
  file->addAction(cmd("actExit"));

  // Tools
  QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
  tools->setObjectName(QStringLiteral("mnuTools"));
  tools->addAction(cmd("actLoadSample"));
  tools->addSeparator();
  tools->addAction(cmd("actAnalyse"));
  tools->addAction(cmd("actDesign"));

  // The administrators' entries: hidden unless the program was started with --admin.
  QAction* admin_separator = tools->addSeparator();
  QMenu* appearance = tools->addMenu(QStringLiteral("Appearance (VEX ADMIN)"));
  appearance->setObjectName(QStringLiteral("mnuAppearance"));
  appearance_group_ = new QActionGroup(this);
  for (const QString& theme : ThemeNames()) {
    QAction* a = appearance->addAction(theme);
    a->setCheckable(true);
    appearance_group_->addAction(a);
    connect(a, &QAction::triggered, this, [this, theme] { ChooseAppearance(theme); });
  }
  QMenu* standard = tools->addMenu(QStringLiteral("AS/NZS Standard (ADMIN ONLY)"));
  standard->setObjectName(QStringLiteral("mnuStandard"));
  standard->menuAction()->setStatusTip(QStringLiteral("Select which standard is to be used in the analysis"));
  standard_group_ = new QActionGroup(this);
  const QString editions[] = {QStringLiteral("AS/NZS 2327.1-2003"), ToQ(StandardName(kStandard2017))};
  for (int version : {kStandard2003, kStandard2017}) {
    QAction* a = standard->addAction(editions[version]);
    a->setObjectName(version == kStandard2017 ? QStringLiteral("actStandard2017") : QStringLiteral("actStandard2003"));
    a->setCheckable(true);
    standard_group_->addAction(a);
    connect(a, &QAction::triggered, this, [this, version] { ChooseStandard(version); });
  }
  tools->addAction(cmd("actImport"));
  tools->addAction(cmd("actSaveImage"));
  QMenu* tables = tools->addMenu(QStringLiteral("Design Tables (ADMIN ONLY)"));
  tables->setObjectName(QStringLiteral("mnuDesignTables"));
  tables->addAction(cmd("actShowDesignParameters"));
  tables->addAction(cmd("actCreateDesignTable"));
  QMenu* testing = tools->addMenu(QStringLiteral("Testing (ADMIN ONLY)"));
  testing->setObjectName(QStringLiteral("mnuTesting"));
  testing->addAction(cmd("actAllowTesting"));
  testing->addAction(cmd("actRunAllTests"));
  testing->addAction(cmd("actCancelTests"));
  testing->addAction(cmd("actListProperties"));
  tools->addAction(cmd("actGenerateLibrary"));

  const bool admin = options_.IsAdmin;
  for (QAction* a : {admin_separator, appearance->menuAction(), standard->menuAction(), cmd("actImport"),
                     cmd("actSaveImage"), tables->menuAction(), testing->menuAction(), cmd("actGenerateLibrary")})
    a->setVisible(admin);
  // The tools' own states follow their switches (fMainAdmin.cpp).
  cmd("actShowDesignParameters")->setCheckable(true);
  cmd("actAllowTesting")->setCheckable(true);
  for (QAction* a : {cmd("actCreateDesignTable"), cmd("actRunAllTests"), cmd("actCancelTests")}) a->setEnabled(false);
  cmd("actCancelTests")->setVisible(false);

  // Help
  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("mnuHelp"));
  help->addAction(cmd("actAbout"));
  help->addAction(cmd("actUserManual"));
  help->addAction(cmd("actCommunity"));
  help->addAction(cmd("actEmailSupport"));
  help->addAction(cmd("actHelp"));
  help->addAction(cmd("actReadMe"));
  cmd("actHelp")->setVisible(admin);
  cmd("actReadMe")->setVisible(admin);

  // Toolbar: caption under a 24 x 24 icon, the logo at the right end.
  QToolBar* bar = addToolBar(QStringLiteral("Commands"));
  bar->setObjectName(QStringLiteral("tbMain"));
  bar->setAccessibleName(QStringLiteral("Commands"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(24, 24));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  for (const char* name : {"actNew", "actOpen", "actSave", "actSaveAs", "actAnalyse", "actDesign", "actPrint", "actExit"})
    bar->addAction(cmd(name));
  auto* spacer = new QWidget;
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  auto* logo = new QLabel;
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setAccessibleName(QStringLiteral("Trevalon logo"));
  logo->setPixmap(LogoImage(30));
  logo->setContentsMargins(0, 0, 8, 0);
  bar->addWidget(logo);

  cmd("actSave")->setEnabled(false);
  cmd("actPrint")->setEnabled(false);
  cmd("actExportResults")->setEnabled(false);
  cmd("actCalculationReport")->setEnabled(false);
  cmd("actPrintCalculationReport")->setEnabled(false);
}

// The white information panel: three large picture buttons, each with its
// caption centred below it, spread evenly over the panel's height.
void TfrmMain::CreateRightPanel() {
  right_panel_ = new QWidget;
  right_panel_->setObjectName(QStringLiteral("pnlInformation"));
  right_panel_->setAccessibleName(QStringLiteral("Information panel"));
  right_panel_->setFixedWidth(170);
  right_panel_->setAutoFillBackground(true);
  QPalette white = right_panel_->palette();
  white.setColor(QPalette::Window, Qt::white);
  white.setColor(QPalette::Button, Qt::white);
  white.setColor(QPalette::ButtonText, QColor(0x1e, 0x3a, 0x57));
  white.setColor(QPalette::WindowText, QColor(0x1e, 0x3a, 0x57));
  right_panel_->setPalette(white);
  auto* layout = new QVBoxLayout(right_panel_);
  layout->setContentsMargins(6, 6, 6, 6);
  struct TButton {
    const char* Name;
    const char* Caption;
    const char* Icon;
    QString Hint;
    void (TfrmMain::*Slot)();
  };
  const TButton buttons[] = {
      {"btnUserManual", "User Manual", "manual", QStringLiteral("Loads user manual"), &TfrmMain::ShowUserManual},
      {"btnCommunity", "Community", "community", QStringLiteral("Links to community forum"), &TfrmMain::OpenCommunity},
      {"btnEmailSupport", "Email Support", "email",
       QStringLiteral("Creates email to ") + QString::fromLatin1(kSupportAddress), &TfrmMain::EmailSupport},
  };
  layout->addStretch(1);
  for (const TButton& b : buttons) {
    auto* button = new QToolButton;
    button->setObjectName(QString::fromLatin1(b.Name));
    button->setText(QString::fromLatin1(b.Caption));
    button->setAccessibleName(QString::fromLatin1(b.Caption));
    button->setIcon(BundledIcon(b.Icon));
    button->setIconSize(QSize(56, 56));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setAutoRaise(true);
    button->setStatusTip(b.Hint);
    button->setToolTip(b.Hint);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    connect(button, &QToolButton::clicked, this, b.Slot);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    layout->addStretch(1);
  }
}

QAction* TfrmMain::Command(const QString& ObjectName) const { return findChild<QAction*>(ObjectName); }

QMenu* TfrmMain::Menu(const QString& ObjectName) const { return findChild<QMenu*>(ObjectName); }

// ---------------------------------------------------------------------------
// Help

void TfrmMain::ShowAbout() {
  TfrmAbout about(TAboutMode::Information, this);
  about.exec();
}

// The manual lies beside the program; a copy in the current folder serves too.
void TfrmMain::ShowUserManual() {
  const QString name = QString::fromLatin1(kUserManualFileName);
  QString manual = ProgramFile(name);
  if (!QFileInfo::exists(manual)) manual = QFileInfo(name).absoluteFilePath();
  if (!QFileInfo::exists(manual)) {
    ShowMessage(this, TMessageKind::Warning,
                QStringLiteral("Unable to find PDF user manual (") + name + QStringLiteral(")"));
    return;
  }
  OpenExternal(QUrl::fromLocalFile(manual));
}

void TfrmMain::OpenCommunity() { OpenExternal(QUrl(QString::fromLatin1(kCommunityUrl))); }

void TfrmMain::EmailSupport() {
  const auto answer = ShowMessage(this, TMessageKind::Question,
                                  QStringLiteral("Do you want to first check to see if your enquiry has already been"
                                                 " answered by the Trevalon community?"),
                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Yes);
  if (answer == QMessageBox::Yes) {
    OpenCommunity();
  } else if (answer == QMessageBox::No) {
    OpenExternal(QUrl(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress) +
                      QStringLiteral("?subject=Trevalon%20enquiry")));
  }
}

void TfrmMain::ShowReadMe() {
  const QString readme = ProgramFile(QString::fromLatin1(kReadMeFileName));
  if (!QFileInfo::exists(readme)) {
    ShowMessage(this, TMessageKind::Information, QStringLiteral("Unable to find file ") + readme);
    return;
  }
  OpenExternal(QUrl::fromLocalFile(readme));
}

// ---------------------------------------------------------------------------
// Administrators' commands

void TfrmMain::ChooseAppearance(const QString& Theme) {
  if (changed_since_calc_ && !ConfirmSaveChanges()) {
    // Keep the menu showing the theme in use.
    const QString current = settings::ReadString(QString::fromLatin1(settings::kStyle));
    for (QAction* a : appearance_group_->actions()) a->setChecked(a->text() == current);
    return;
  }
  const QString applied = ApplyTheme(Theme);
  settings::WriteString(QString::fromLatin1(settings::kStyle), applied);
}

void TfrmMain::ChooseStandard(int Version) {
  for (QAction* a : standard_group_->actions())
    a->setChecked(a->objectName() ==
                  (Version == kStandard2017 ? QStringLiteral("actStandard2017") : QStringLiteral("actStandard2003")));
  SetStandardVersion(Version == kStandard2017 ? kStandard2017 : kStandard2003);
  for (TDataPage* page : pages_) page->EditionChanged();
  ClearResultsDisplay();
  SetDataChangedSinceCalc(true);
}

void TfrmMain::GenerateLibrary() {
  const QString file =
      AskOpenFileName(this, QStringLiteral("Select library definitions file"), ProgramFile(QStringLiteral("VarnLibrary.ini")),
                      QStringLiteral("Library settings files (*.ini);;All files (*)"));
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    ShowMessage(this, TMessageKind::Warning, QStringLiteral("Library definitions file ") + file + QStringLiteral(" not found"));
    return;
  }
  TBusyCursor busy;
  const TResult result = GenerateLibraryFile(ToStd(file));
  if (result.IsOK()) {
    ShowMessage(this, TMessageKind::Information, ToQ(result.Message()));
    return;
  }
  const std::vector<std::string> lines = result.MessageLines();
  for (const std::string& line : lines) AddLogLine(ToQ(line));
  ShowEventLogPage();
  if (!lines.empty()) SetStatusText(ToQ(lines.front()));
}
