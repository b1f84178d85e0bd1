// The main window's commands: one table whose rows carry each command's
// caption, hint, menu, shortcut, icon, toolbar place, handler and enabled
// rule (cCommandTable.h builds the menus and the toolbar from it); then the
// help commands and the administrators' appearance and edition menus.
#include <QAction>
#include <QActionGroup>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "ui/cCommandTable.h"
#include "ui/cIcons.h"
#include "ui/cMessages.h"
#include "ui/cSettings.h"
#include "ui/cThemes.h"
#include "ui/cUiUtility.h"
#include "ui/fAbout.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fGraphicsPage.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"

namespace {

// The operator's endpoints for the community page and support e-mail.
const char kCommunityUrl[] = "https://community.trevalon.example/";
const char kSupportAddress[] = "support@trevalon.example";

}  // namespace

void TfrmMain::CreateCommands() {
  // Rules the rows share.
  const auto unlocked = [this] { return !locked_; };
  const auto admin = [this] { return admin_.get(); };

  std::vector<TCommandRow> rows = {
      // --- File
      {.Name = "mnuFile", .Caption = "&File", .Kind = ckMenu},
      {.Name = "actNew", .Caption = "New", .Hint = "New|Creates a new file", .Menu = "mnuFile", .Shortcut = "Ctrl+N",
       .Icon = {"document-new", "new"}, .Toolbar = 1, .Handler = [this] { files_->NewProject(); }, .IsEnabled = unlocked},
      {.Name = "actOpen", .Caption = "&Open...", .Hint = "Open|Opens an existing file", .Menu = "mnuFile",
       .Shortcut = "Ctrl+O", .Icon = {"document-open", "open"}, .Toolbar = 2,
       .Handler = [this] { files_->OpenProject(); }, .IsEnabled = unlocked},
      {.Name = "mnuOpenRecent", .Caption = "Open Recent", .Hint = "Opens a recently-used file", .Menu = "mnuFile",
       .Kind = ckMenu,
       .IsEnabled = [this] { return !locked_ && !files_->RecentFiles().isEmpty(); },
       .FillMenu = [this](QMenu& Menu) { files_->FillRecentMenu(Menu); }},
      {.Name = "actSave", .Caption = "Save", .Hint = "Save|Saves the active file", .Menu = "mnuFile",
       .Shortcut = "Ctrl+S", .Icon = {"document-save", "save"}, .Toolbar = 3, .Handler = [this] { files_->Save(); },
       .IsEnabled = [this] { return changed_since_save_ && !locked_; }},
      {.Name = "actSaveAs", .Caption = "Save &As...", .Hint = "Save As|Saves the active file with a new name",
       .Menu = "mnuFile", .Icon = {"document-save-as", "saveas"}, .Toolbar = 4,
       .Handler = [this] { files_->SaveAs(); }, .IsEnabled = unlocked},
      {.Name = "actExportResults", .Caption = "&Export Results...",
       .Hint = "Export Results|Exports full results to a csv file (readable by Excel)", .Menu = "mnuFile",
       .IsGroupStart = true, .Handler = [this] { run_->ExportResults(); },
       .IsEnabled = [this] { return !locked_ && run_->HasResults(); }},
      {.Name = "actPrint", .Caption = "Print", .Hint = "Print|Prints results", .Menu = "mnuFile", .Shortcut = "Ctrl+P",
       .Icon = {"document-print", "print"}, .Toolbar = 7, .Handler = [this] { run_->PrintResults(); },
       .IsEnabled = [this] { return !changed_since_calc_ && !locked_; }},
      // The calculation report is there exactly when the printed results are (results up to date, no run).
      {.Name = "actCalculationReport", .Caption = "&Calculation Report...",
       .Hint = "Calculation Report|Saves the calculation report: every check with its formula, numbers and verdict, "
               "as PDF or HTML",
       .Menu = "mnuFile", .Handler = [this] { run_->SaveCalculationReport(); },
       .IsEnabled = [this] { return !changed_since_calc_ && !locked_; }},
      {.Name = "actPrintCalculationReport", .Caption = "Print Calculation Report",
       .Hint = "Print Calculation Report|Prints the calculation report", .Menu = "mnuFile",
       .Handler = [this] { run_->PrintCalculationReport(); },
       .IsEnabled = [this] { return !changed_since_calc_ && !locked_; }},
      {.Name = "actExit", .Caption = "E&xit", .Hint = "Exit|Quits the application", .Menu = "mnuFile",
       .Icon = {"application-exit", "exit"}, .Toolbar = 8, .IsGroupStart = true, .Handler = [this] { close(); }},

      // --- Tools
      {.Name = "mnuTools", .Caption = "&Tools", .Kind = ckMenu},
      {.Name = "actLoadSample", .Caption = "Load Sample Data", .Hint = "Loads sample data file", .Menu = "mnuTools",
       .Handler = [this] { files_->LoadSampleData(); }, .IsEnabled = unlocked},
      {.Name = "actAnalyse", .Caption = "Analyse", .Hint = "Runs analysis based on the current data",
       .Menu = "mnuTools", .Shortcut = "F9", .Icon = {"", "analyse"}, .Toolbar = 5, .IsGroupStart = true,
       .Handler = [this] { run_->Analyse(); }, .IsEnabled = unlocked},
      {.Name = "actDesign", .Caption = "Design", .Hint = "Runs analysis using auto-selected steel sections",
       .Menu = "mnuTools", .Shortcut = "Shift+F9", .Icon = {"", "design"}, .Toolbar = 6,
       .Handler = [this] { run_->Design(); }, .IsEnabled = unlocked},
      // The administrators' entries (--admin).
      {.Name = "mnuAppearance", .Caption = "Appearance (VEX ADMIN)", .Menu = "mnuTools", .IsGroupStart = true,
       .IsAdminOnly = true, .Kind = ckMenu, .FillMenu = [this](QMenu& Menu) { FillAppearanceMenu(Menu); }},
      {.Name = "mnuStandard", .Caption = "AS/NZS Standard (ADMIN ONLY)",
       .Hint = "Select which standard is to be used in the analysis", .Menu = "mnuTools", .IsAdminOnly = true,
       .Kind = ckMenu, .FillMenu = [this](QMenu& Menu) { FillStandardMenu(Menu); }},
      {.Name = "actImport", .Caption = "&Import... (ADMIN ONLY)",
       .Hint = "Import|Imports an existing Trevalon *.tvx or Korvane *.xlsx file", .Menu = "mnuTools",
       .IsAdminOnly = true, .Handler = [this] { admin_->ImportFile(); }, .IsEnabled = unlocked},
      {.Name = "actSaveImage", .Caption = "Save Image (VEX ADMIN)", .Hint = "Saves image to file", .Menu = "mnuTools",
       .IsAdminOnly = true, .Handler = [this] { run_->GraphicsPage()->SaveImage(); }},
      {.Name = "mnuDesignTables", .Caption = "Design Tables (ADMIN ONLY)", .Menu = "mnuTools", .IsAdminOnly = true,
       .Kind = ckMenu},
      {.Name = "actShowDesignParameters", .Caption = "Show Design Parameters", .Hint = "Shows the design-table parameters",
       .Menu = "mnuDesignTables", .IsAdminOnly = true, .IsCheckable = true,
       .Handler = [this] { admin_->SetDesignParametersShown(Command(QStringLiteral("actShowDesignParameters"))->isChecked()); },
       .IsEnabled = unlocked, .IsChecked = [admin] { return admin() && admin()->AreDesignParametersShown(); }},
      {.Name = "actCreateDesignTable", .Caption = "Create Design Table",
       .Hint = "Makes design tables over the spans and spacings", .Menu = "mnuDesignTables", .IsAdminOnly = true,
       .Handler = [this] { admin_->CreateDesignTable(); },
       .IsEnabled = [this, admin] { return !locked_ && admin() && admin()->AreDesignParametersShown(); }},
      {.Name = "mnuTesting", .Caption = "Testing (ADMIN ONLY)", .Menu = "mnuTools", .IsAdminOnly = true,
       .Kind = ckMenu},
      {.Name = "actAllowTesting", .Caption = "Allow Testing", .Hint = "Shows the regression tests kept in the project",
       .Menu = "mnuTesting", .IsAdminOnly = true, .IsCheckable = true,
       .Handler = [this] { admin_->SetTestingAllowed(Command(QStringLiteral("actAllowTesting"))->isChecked()); },
       .IsEnabled = unlocked, .IsChecked = [admin] { return admin() && admin()->IsTestingAllowed(); }},
      {.Name = "actRunAllTests", .Caption = "Run All Tests",
       .Hint = "Runs every test of the project and writes the results file", .Menu = "mnuTesting",
       .IsAdminOnly = true, .Handler = [this] { admin_->RunAllTests(); },
       .IsEnabled = [this, admin] { return !locked_ && admin() && admin()->IsTestingAllowed(); }},
      {.Name = "actCancelTests", .Caption = "Cancel Tests", .Hint = "Stops the run of all tests after the current test",
       .Menu = "mnuTesting", .IsAdminOnly = true, .Handler = [this] { admin_->CancelTests(); },
       .IsVisible = [admin] { return admin() && admin()->IsRunningAllTests(); }},
      {.Name = "actListProperties", .Caption = "List Properties",
       .Hint = "Writes the list of properties tests may set and read", .Menu = "mnuTesting", .IsAdminOnly = true,
       .Handler = [this] { admin_->ListProperties(); }, .IsEnabled = unlocked},
      {.Name = "actGenerateLibrary", .Caption = "Generate Library (VEX ADMIN)",
       .Hint = "Generates a binary library file based on csv inputs", .Menu = "mnuTools", .IsAdminOnly = true,
       .Handler = [this] { admin_->GenerateLibrary(); }, .IsEnabled = unlocked},

      // --- Help
      {.Name = "mnuHelp", .Caption = "&Help", .Kind = ckMenu},
      {.Name = "actAbout", .Caption = "About Trevalon", .Hint = "Displays information about this software",
       .Menu = "mnuHelp", .Handler = [this] { ShowAbout(); }},
      {.Name = "actUserManual", .Caption = "User Manual", .Hint = "Loads user manual", .Menu = "mnuHelp",
       .Icon = {"", "manual"}, .Handler = [this] { ShowUserManual(); }},
      {.Name = "actCommunity", .Caption = "Community", .Hint = "Links to community forum", .Menu = "mnuHelp",
       .Icon = {"", "community"}, .Handler = [this] { OpenCommunity(); }},
      {.Name = "actEmailSupport", .Caption = "Email Support", .Hint = "Links to email support", .Menu = "mnuHelp",
       .Icon = {"", "email"}, .Handler = [this] { EmailSupport(); }},
      {.Name = "actHelp", .Caption = "Trevalon Help", .Hint = "Help|Displays help file", .Menu = "mnuHelp",
       .IsAdminOnly = true, .Handler = [this] { ShowUserManual(); }},
      {.Name = "actReadMe", .Caption = "Display ReadMe text",
       .Hint = "Displays text file with information about the current version of this software", .Menu = "mnuHelp",
       .IsAdminOnly = true, .Handler = [this] { ShowReadMe(); }},
  };
  commands_ = std::make_unique<TCommandTable>(std::move(rows));

  // Toolbar: caption under a 24 x 24 icon, the logo at the right end.
  QToolBar* bar = addToolBar(QStringLiteral("Commands"));
  bar->setObjectName(QStringLiteral("tbMain"));
  bar->setAccessibleName(QStringLiteral("Commands"));
  bar->setMovable(false);
  bar->setFloatable(false);
  bar->setIconSize(QSize(24, 24));
  bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  bar->setContextMenuPolicy(Qt::PreventContextMenu);
  commands_->Build(*this, *bar, options_.IsAdmin);
  auto* spacer = new QWidget;
  spacer->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  bar->addWidget(spacer);
  auto* logo = new QLabel;
  logo->setObjectName(QStringLiteral("imgLogo"));
  logo->setAccessibleName(QStringLiteral("Trevalon logo"));
  logo->setPixmap(LogoImage(30));
  logo->setContentsMargins(0, 0, 8, 0);
  bar->addWidget(logo);

  // The information panel's buttons are their Help commands.
  const char* const panel[] = {"actUserManual", "actCommunity", "actEmailSupport"};
  for (size_t i = 0; i < panel_buttons_.size(); ++i) {
    const QAction* command = commands_->Action(panel[i]);
    QToolButton* button = panel_buttons_[i];
    button->setText(command->text());
    button->setAccessibleName(command->text());
    button->setToolTip(command->statusTip());
    button->setStatusTip(command->statusTip());
  }
  panel_buttons_[2]->setToolTip(QStringLiteral("Creates email to ") + QString::fromLatin1(kSupportAddress));
  panel_buttons_[2]->setStatusTip(panel_buttons_[2]->toolTip());
}

void TfrmMain::RefreshCommands() {
  if (commands_ && files_ && run_) commands_->Refresh();
}

QAction* TfrmMain::Command(const QString& ObjectName) const {
  return commands_ ? commands_->Action(ObjectName.toLatin1().constData()) : nullptr;
}

QMenu* TfrmMain::Menu(const QString& ObjectName) const {
  return commands_ ? commands_->MenuOf(ObjectName.toLatin1().constData()) : nullptr;
}

// ---------------------------------------------------------------------------
// Help

void TfrmMain::ShowAbout() {
  TfrmAbout about(TAboutMode::Information, this);
  about.exec();
}

// The manual lies beside the program; a copy in the current folder serves
// too. Without a program to show it, the user can keep a copy to read later.
void TfrmMain::ShowUserManual() {
  const QString name = QString::fromLatin1(kUserManualFileName);
  QString manual = ProgramFile(name);
  if (!QFileInfo::exists(manual)) manual = QFileInfo(name).absoluteFilePath();
  if (!QFileInfo::exists(manual)) {
    ShowMessage(this, TMessageKind::Warning,
                QStringLiteral("Unable to find PDF user manual (") + name + QStringLiteral(")"));
    return;
  }
  if (OpenExternal(QUrl::fromLocalFile(manual))) return;
  const auto answer = ShowMessage(this, TMessageKind::Question,
                                  QStringLiteral("No program to show PDF files is set up on this computer, so the "
                                                 "user manual (") +
                                      name + QStringLiteral(") cannot be shown.\r\nDo you want to save a copy of it?"),
                                  QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
  if (answer != QMessageBox::Yes) return;
  const QString copy = AskSaveFileName(this, QStringLiteral("Save User Manual"), WorkFolder() + name,
                                       QStringLiteral("PDF files (*.pdf);;All files (*)"), QStringLiteral("pdf"));
  if (copy.isEmpty()) return;
  QFile::remove(copy);
  if (!QFile::copy(manual, copy)) {
    ShowMessage(this, TMessageKind::Error, QStringLiteral("Unable to save to file ") + copy);
    return;
  }
  AddLogLine(QStringLiteral("User manual saved to ") + copy);
  SetStatusText(QStringLiteral("User manual saved to ") + copy);
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
// The administrators' appearance and edition menus

void TfrmMain::FillAppearanceMenu(QMenu& Menu) {
  auto* group = new QActionGroup(&Menu);
  const QString current = settings::ReadString(QString::fromLatin1(settings::kStyle));
  for (const QString& theme : ThemeNames()) {
    QAction* a = Menu.addAction(theme);
    a->setCheckable(true);
    a->setChecked(theme == current);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, theme] { ChooseAppearance(theme); });
  }
}

void TfrmMain::FillStandardMenu(QMenu& Menu) {
  auto* group = new QActionGroup(&Menu);
  const QString editions[] = {QStringLiteral("AS/NZS 2327.1-2003"), ToQ(StandardName(kStandard2017))};
  for (int version : {kStandard2003, kStandard2017}) {
    QAction* a = Menu.addAction(editions[version]);
    a->setObjectName(version == kStandard2017 ? QStringLiteral("actStandard2017") : QStringLiteral("actStandard2003"));
    a->setCheckable(true);
    group->addAction(a);
    connect(a, &QAction::triggered, this, [this, version] { ChooseStandard(version); });
  }
}

void TfrmMain::ChooseAppearance(const QString& Theme) {
  if (!changed_since_calc_ || files_->ConfirmSaveChanges())
    settings::WriteString(QString::fromLatin1(settings::kStyle), ApplyTheme(Theme));
  // The menu shows the theme in use.
  const QString shown = settings::ReadString(QString::fromLatin1(settings::kStyle));
  if (QMenu* menu = Menu(QStringLiteral("mnuAppearance")))
    for (QAction* a : menu->actions()) a->setChecked(a->text() == shown);
}

void TfrmMain::ChooseStandard(int Version) {
  standard_ = Version == kStandard2017 ? kStandard2017 : kStandard2003;
  if (QMenu* menu = Menu(QStringLiteral("mnuStandard")))
    for (QAction* a : menu->actions())
      a->setChecked(a->objectName() ==
                    (standard_ == kStandard2017 ? QStringLiteral("actStandard2017") : QStringLiteral("actStandard2003")));
  SetStandardVersion(standard_);
  for (TDataPage* page : pages_) page->EditionChanged();
  run_->ClearResultsDisplay();
  SetDataChangedSinceCalc(true);
}
