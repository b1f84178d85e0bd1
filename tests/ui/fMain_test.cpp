// The main window driven as a user would: start-up, the file commands with
// the save prompt, recent files, sample data, field checks blocking commands,
// Analyse and Design on the worker thread with Cancel, and closing.
#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSemaphore>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "ui/cRunWorker.h"
#include "ui/cSettings.h"
#include "ui/cStartup.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fAbout.h"
#include "ui/fMain.h"
#include "ui/fFloorPages.h"
#include "ui/fProjectPages.h"
#include "ui_test_support.h"

namespace {

QString Sample() { return ProgramFile(QStringLiteral("SampleAnalysis.tva")); }

TGeneralPage& GeneralPage(TfrmMain& Window) {
  return *static_cast<TGeneralPage*>(Window.Page(QStringLiteral("General")));
}

// Clicks a button of the conditions-of-use box once it is shown.
void AnswerConditions(bool Agree) {
  QTimer::singleShot(0, [Agree] {
    auto* about = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
    if (!about) return;
    QTest::mouseClick(Agree ? about->AgreeButton() : about->DisagreeButton(), Qt::LeftButton);
  });
}

// Types into a field as a user would, so the change handlers run.
void Type(QLineEdit* Edit, const QString& Text) {
  Edit->setFocus();
  Edit->selectAll();
  QTest::keyClick(Edit, Qt::Key_Delete);
  QTest::keyClicks(Edit, Text);
}

}  // namespace

class TestMainWindow : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<TDialogRecorder> dialogs_;
  std::unique_ptr<TfrmMain> window_;
  std::unique_ptr<QTemporaryDir> folder_;

  TfrmMain& Window() { return *window_; }
  QString File(const QString& Name) const { return folder_->filePath(Name); }

 private slots:
  void init() {
    ClearSettings();
    folder_ = std::make_unique<QTemporaryDir>();
    dialogs_ = std::make_unique<TDialogRecorder>();
    window_ = std::make_unique<TfrmMain>();
    window_->show();
    QVERIFY(QTest::qWaitForWindowExposed(window_.get()));
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_.get()));
  }

  void cleanup() {
    if (window_) {
      window_->WaitForRun();
      window_->SetDataChangedSinceSave(false);
    }
    window_.reset();
    dialogs_.reset();
    folder_.reset();
  }

  // --- Start-up

  void startUpAgreeOpensTheProjectNamedOnTheCommandLine() {
    cleanup();
    TDialogRecorder dialogs;
    TStartOptions options;
    options.ProjectFile = Sample();
    AnswerConditions(true);
    std::unique_ptr<TfrmMain> window = StartProgram(options);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(window->windowTitle(), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    QCOMPARE(window->RecentFiles(), QStringList{Sample()});
    QVERIFY(!window->HasDataChangedSinceSave());
    QVERIFY(dialogs.Messages.isEmpty());
  }

  void startUpDisagreeEndsWithoutAWindow() {
    cleanup();
    AnswerConditions(false);
    QVERIFY(!StartProgram({}));
    for (QWidget* w : QApplication::topLevelWidgets()) QVERIFY(!qobject_cast<TfrmMain*>(w));
  }

  void commandLineOptions() {
    TStartOptions options;
    QString error;
    QVERIFY(ParseStartOptions({"trevalon-gui", "--admin", "job.tva"}, options, error));
    QVERIFY(options.Main.IsAdmin);
    QCOMPARE(options.ProjectFile, QStringLiteral("job.tva"));
    QVERIFY(!ParseStartOptions({"trevalon-gui", "--bogus"}, options, error));
    QVERIFY(!ParseStartOptions({"trevalon-gui", "a.tva", "b.tva"}, options, error));
  }

  void firstShowWritesTheOpeningLines() {
    QCOMPARE(Window().windowTitle(), QStringLiteral("Untitled - Trevalon"));
    const QStringList lines = Window().EventLogText().split('\n');
    QCOMPARE(lines.at(0), QStringLiteral("Trevalon/V3.0: Software for the analysis of composite steel/concrete beams"));
    QCOMPARE(lines.at(1), QString());
    QVERIFY(lines.at(2).startsWith("This software is intended to assist in the preliminary design of "));
    QVERIFY(!Window().Command("actSave")->isEnabled());
    QVERIFY(!Window().Command("actPrint")->isEnabled());
    QVERIFY(Window().CanChangeTabs());
    QVERIFY(dialogs_->Messages.isEmpty());  // the library loaded
  }

  void hiddenMenusShowOnlyForAdministrators() {
    for (const char* name : {"actGenerateLibrary", "actImport", "actSaveImage", "actHelp", "actReadMe"})
      QVERIFY2(!Window().Command(name)->isVisible(), name);
    QVERIFY(!Window().Menu("mnuStandard")->menuAction()->isVisible());
    TfrmMain admin(TMainOptions{true});
    QVERIFY(admin.Command("actGenerateLibrary")->isVisible());
    QVERIFY(admin.Command("actGenerateLibrary")->isEnabled());
    QVERIFY(admin.Menu("mnuStandard")->menuAction()->isVisible());
    QVERIFY(admin.Menu("mnuAppearance")->menuAction()->isVisible());
    QVERIFY(!admin.Command("actCancelTests")->isVisible());
    QVERIFY(admin.Command("actImport")->isEnabled());
  }

  void commandsHaveTheirCaptionsShortcutsAndHints() {
    QCOMPARE(Window().Command("actOpen")->text(), QStringLiteral("&Open..."));
    QCOMPARE(Window().Command("actOpen")->shortcut(), QKeySequence("Ctrl+O"));
    QCOMPARE(Window().Command("actOpen")->statusTip(), QStringLiteral("Opens an existing file"));
    QCOMPARE(Window().Command("actOpen")->toolTip(), QStringLiteral("Open"));
    QCOMPARE(Window().Command("actSaveAs")->text(), QStringLiteral("Save &As..."));
    QCOMPARE(Window().Command("actAnalyse")->statusTip(), QStringLiteral("Runs analysis based on the current data"));
  }

  // --- Files

  void sampleDataIsUntitledAndChanged() {
    Window().LoadSampleData();
    QCOMPARE(Window().windowTitle(), QStringLiteral("Untitled - Trevalon"));
    QVERIFY(Window().DefaultFileName().isEmpty());
    QVERIFY(Window().HasDataChangedSinceSave());
    QVERIFY(Window().Command("actSave")->isEnabled());
    QVERIFY(Window().RecentFiles().isEmpty());
    QCOMPARE(GeneralPage(Window()).edtProject->text(), QStringLiteral("Sample office floor"));
    QVERIFY(QFile::exists(WorkFolder() + "SampleAnalysis.tva"));
    QVERIFY(Window().EventLogText().contains("Loading sample data"));
  }

  void savePromptAnswers_data() {
    QTest::addColumn<int>("answer");
    QTest::addColumn<QString>("saveAsFile");  // the Save As dialog's answer after Yes
    QTest::addColumn<bool>("goesOn");
    QTest::newRow("cancel") << int(QMessageBox::Cancel) << QString() << false;
    QTest::newRow("no discards") << int(QMessageBox::No) << QString() << true;
    QTest::newRow("yes saves first") << int(QMessageBox::Yes) << QStringLiteral("kept") << true;
    QTest::newRow("yes, Save As cancelled") << int(QMessageBox::Yes) << QString() << false;
  }
  void savePromptAnswers() {
    QFETCH(int, answer);
    QFETCH(QString, saveAsFile);
    QFETCH(bool, goesOn);
    Window().LoadSampleData();
    dialogs_->Clear();
    dialogs_->Answers.push_back(QMessageBox::StandardButton(answer));
    if (!saveAsFile.isEmpty()) dialogs_->Files.push_back(File(saveAsFile));
    Window().NewProject();
    QCOMPARE(dialogs_->Messages.value(0), QStringLiteral("Do you want to save the changes to Untitled"));
    QCOMPARE(GeneralPage(Window()).edtProject->text().isEmpty(), goesOn);
    QCOMPARE(Window().HasDataChangedSinceSave(), !goesOn);
    if (!saveAsFile.isEmpty()) {
      QVERIFY(QFile::exists(File("kept.tva")));  // the default extension was added
      QCOMPARE(Window().RecentFiles(), QStringList{File("kept.tva")});
    }
  }

  void saveAsSaveAndReopen() {
    QVERIFY(Window().OpenUserFile(Sample()));
    Type(GeneralPage(Window()).edtDesigner, "A. Engineer");
    QVERIFY(Window().HasDataChangedSinceSave());
    QVERIFY(Window().Command("actSave")->isEnabled());
    dialogs_->Files.push_back(File("job.tva"));
    QVERIFY(Window().SaveAs());
    QCOMPARE(Window().windowTitle(), QStringLiteral("job.tva - Trevalon"));
    QVERIFY(!Window().HasDataChangedSinceSave());
    QVERIFY(!Window().Command("actSave")->isEnabled());
    Type(GeneralPage(Window()).edtDesigner, "B. Engineer");
    QVERIFY(Window().Save());  // to the same file, no dialog
    QCOMPARE(dialogs_->FileCaptions.size(), 1);

    dialogs_->Clear();
    Window().NewProject();  // saved: nothing to ask
    QVERIFY(dialogs_->Messages.isEmpty());
    QCOMPARE(GeneralPage(Window()).edtDesigner->text(), QString());
    QCOMPARE(Window().windowTitle(), QStringLiteral("Untitled - Trevalon"));

    dialogs_->Files.push_back(File("job.tva"));
    Window().OpenProject();
    QVERIFY(dialogs_->Messages.isEmpty());
    QCOMPARE(GeneralPage(Window()).edtDesigner->text(), QStringLiteral("B. Engineer"));
    QCOMPARE(Window().windowTitle(), QStringLiteral("job.tva - Trevalon"));
    QVERIFY(Window().EventLogText().contains("Opening file [" + File("job.tva") + "]"));
    QCOMPARE(Window().RecentFiles().value(0), File("job.tva"));
  }

  // Save keeps what the project's own file holds beyond the project; Save As
  // to another existing file (the user agreed to overwrite it) replaces it whole.
  void saveAsReplacesAnotherFileWhole() {
    const QString own = File("own.tva");
    QVERIFY(QFile::copy(Sample(), own));
    QFile(own).setPermissions(QFile(own).permissions() | QFileDevice::WriteOwner);
    auto write = [](const QString& file, QIODevice::OpenMode mode, const QByteArray& text) {
      QFile f(file);
      QVERIFY(f.open(mode));
      f.write(text);
    };
    write(own, QIODevice::Append, "[Legacy]\r\nFoo=1\r\n");
    write(File("notes.txt"), QIODevice::WriteOnly, "[Notes]\r\nText=my notes\r\n");
    auto read = [](const QString& file) {
      QFile f(file);
      return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    };

    QVERIFY(Window().OpenUserFile(own));
    Type(GeneralPage(Window()).edtDesigner, "C. Engineer");
    QVERIFY(Window().Save());
    QVERIFY(read(own).contains("[Legacy]"));
    QVERIFY(read(own).contains("Designer=C. Engineer"));

    dialogs_->Files.push_back(File("notes.txt"));
    QVERIFY(Window().SaveAs());
    const QByteArray saved = read(File("notes.txt"));
    QVERIFY(!saved.contains("my notes"));
    QVERIFY(!saved.contains("[Legacy]"));
    QVERIFY(saved.contains("Designer=C. Engineer"));
  }

  void aFileThatCannotBeReadLeavesTheProjectAsItWas() {
    QVERIFY(Window().OpenUserFile(Sample()));
    QFile junk(File("junk.tva"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("this is no project\n");
    junk.close();
    dialogs_->Clear();
    QVERIFY(!Window().OpenUserFile(File("junk.tva")));
    QCOMPARE(dialogs_->Messages.size(), 1);
    QCOMPARE(Window().windowTitle(), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    QCOMPARE(ToQ(Window().Project().Project), QStringLiteral("Sample office floor"));
    QVERIFY(Window().Project().GetHasBeam(0));
    QCOMPARE(Window().RecentFiles(), QStringList{Sample()});
  }

  void recentFiles() {
    for (const char* name : {"a", "b", "a"}) Window().AddRecentFile(File(name));
    QCOMPARE(Window().RecentFiles(), QStringList({File("a"), File("b")}));  // the same file twice: once, on top
    for (const char* name : {"c", "d", "e", "f"}) Window().AddRecentFile(File(name));
    QCOMPARE(Window().RecentFiles(), QStringList({File("f"), File("e"), File("d"), File("c"), File("a")}));  // six: b dropped
    Window().AddRecentFile(File("C").toUpper());
    QCOMPARE(Window().RecentFiles().size(), 5);  // letter case does not make another file
    QCOMPARE(Window().RecentFiles().value(0), File("C").toUpper());
    QCOMPARE(settings::ReadInteger(settings::kRecentCount), 5);
    QVERIFY(Window().Menu("mnuOpenRecent")->isEnabled());

    // A missing file is reported and stays listed.
    dialogs_->Clear();
    Window().OpenRecent(1);
    QCOMPARE(dialogs_->Messages, QStringList{"File not opened: unable to find " + File("f")});
    QCOMPARE(Window().RecentFiles().size(), 5);
  }

  // --- Field checks

  void aFailingFieldBlocksFileCommandsAnalyseAndDesign() {
    QVERIFY(Window().OpenUserFile(Sample()));
    QLineEdit* area = GeneralPage(Window()).edtFloorArea;
    Type(area, "");
    QVERIFY(area->hasFocus());
    dialogs_->Clear();
    Window().NewProject();
    QCOMPARE(dialogs_->Messages, QStringList{"Floor area cannot be blank, please enter a valid integer"});
    QCOMPARE(Window().windowTitle(), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    area->setFocus();
    Window().OpenProject();
    QVERIFY(dialogs_->FileCaptions.isEmpty());
    area->setFocus();
    Window().Analyse();
    QVERIFY(!Window().IsRunning());
    area->setFocus();
    Window().Design();
    QVERIFY(!Window().IsRunning());
    QVERIFY(!Window().EventLogText().contains("Running analysis..."));
    // A refused command is never silent: the message every time, and the Event Log and status bar say why.
    const QString blank = QStringLiteral("Floor area cannot be blank, please enter a valid integer");
    QCOMPARE(dialogs_->Messages, QStringList(4, blank));
    QVERIFY(Window().EventLogText().contains(QStringLiteral("Analysis not started: ") + blank));
    QCOMPARE(Window().StatusText().trimmed(), blank);
    QVERIFY(area->hasFocus());  // back to the field to put right
    QVERIFY(IsFieldHighlighted(area));
    // The next move in the tree is refused once.
    QVERIFY(!Window().CanChangeTabs());
    QVERIFY(!Window().SelectNode(2));
    QVERIFY(Window().SelectNode(2));

    Type(area, "1200");
    Window().Analyse();
    QVERIFY(Window().IsRunning());
    Window().WaitForRun();
    QVERIFY(!IsFieldHighlighted(area));
  }

  void aFailingFieldIsNeverSaved() {
    // A slab depth of 50 mm in the focused field: Save and Save As refuse to
    // write it, and say why.
    const QString own = File("own.tva");
    QVERIFY(QFile::copy(Sample(), own));
    QFile(own).setPermissions(QFile(own).permissions() | QFileDevice::WriteOwner);
    QVERIFY(Window().OpenUserFile(own));
    QVERIFY(Window().SelectNode(14));
    TSlabDetailsPage& slab = *static_cast<TSlabDetailsPage*>(Window().Page(QStringLiteral("Slab details")));
    Type(slab.fldDs.Edit, "50");
    QVERIFY(slab.fldDs.Edit->hasFocus());
    QFile before_file(own);
    QVERIFY(before_file.open(QIODevice::ReadOnly));
    const QByteArray before = before_file.readAll();
    before_file.close();
    dialogs_->Clear();
    QVERIFY(!Window().Save());
    const QString range = QStringLiteral("Overall slab depth (Ds) should be between 90 and 500");
    QCOMPARE(dialogs_->Messages, QStringList{range});
    QVERIFY(Window().EventLogText().contains(QStringLiteral("Project not saved: ") + range));
    QVERIFY(slab.fldDs.Edit->hasFocus());
    dialogs_->Files.push_back(File("other.tva"));
    QVERIFY(!Window().SaveAs());
    QVERIFY(dialogs_->FileCaptions.isEmpty());  // refused before the dialog
    QVERIFY(!QFile::exists(File("other.tva")));
    QFile after_file(own);
    QVERIFY(after_file.open(QIODevice::ReadOnly));
    QCOMPARE(after_file.readAll(), before);
    QVERIFY(Window().HasDataChangedSinceSave());

    Type(slab.fldDs.Edit, "150");
    QVERIFY(Window().Save());
    QVERIFY(!Window().HasDataChangedSinceSave());
  }

  void leavingAWrongFieldWarnsOnce() {
    QLineEdit* storeys = GeneralPage(Window()).edtStoreys;
    Type(storeys, "1");
    GeneralPage(Window()).edtDesigner->setFocus();
    QCOMPARE(dialogs_->Messages, QStringList{"Number of storeys should be between 2 and 120"});
    QTRY_VERIFY(storeys->hasFocus());  // the focus went back to the wrong field
    GeneralPage(Window()).edtDesigner->setFocus();
    QCOMPARE(dialogs_->Messages.size(), 1);
    QVERIFY(IsFieldHighlighted(storeys));
  }

  // --- Analyse and Design

  void analyseFillsTheEventLogAndTheSummary() {
    QVERIFY(Window().OpenUserFile(Sample()));
    Window().Analyse();
    QVERIFY(Window().IsRunning());
    QVERIFY(!Window().Command("actAnalyse")->isEnabled());  // input locked during the run
    Window().WaitForRun();
    QVERIFY(!Window().IsRunning());
    const QString log = Window().EventLogText();
    QVERIFY(log.contains("Running analysis...\n    Secondary beam SB1 OK\n    Primary beam PB1 OK"));
    QCOMPARE(Window().StatusText(), QStringLiteral("Secondary beam SB1 OK; Primary beam PB1 OK"));
    TSummaryResultsPage& summary = *Window().SummaryResults();
    for (int side : {1, 0}) {
      QVERIFY(summary.IsLineVisible(side));
      QVERIFY(summary.IsTickShown(side));
      QVERIFY(!summary.IsCrossShown(side));
      for (auto column : {TSummaryResultsPage::colStrength, TSummaryResultsPage::colStress,
                          TSummaryResultsPage::colDeflection})
        QVERIFY(summary.Text(side, column).endsWith('%'));
      QVERIFY(summary.Text(side, TSummaryResultsPage::colCamber).endsWith(" mm"));
      QVERIFY(summary.Text(side, TSummaryResultsPage::colConnectors).toInt() > 0);
    }
    QVERIFY(!summary.IsLineVisible(2));
    QCOMPARE(summary.Text(1, TSummaryResultsPage::colBeam), QStringLiteral("Sec: SB1"));
    QVERIFY(Window().SavedResults().Count() > 10);
    QCOMPARE(ToQ(Window().SavedResults().Lines.front()), QStringLiteral("Trevalon/V3.0"));
    QVERIFY(Window().Command("actPrint")->isEnabled());
    QVERIFY(Window().Command("actAnalyse")->isEnabled());
    QVERIFY(!QFile::exists(TfrmMain::StateSnapshotFile()));

    // An input change makes the results out of date.
    Type(GeneralPage(Window()).edtDesigner, "X");
    QVERIFY(!Window().Command("actPrint")->isEnabled());
    QCOMPARE(summary.Text(1, TSummaryResultsPage::colStrength), QString());
  }

  void cancelLeavesTheProjectAsItWas() {
    QVERIFY(Window().OpenUserFile(Sample()));
    const std::string section = Window().Project().GetBeam(1)->SteelSection(0)->Name;
    QSemaphore go;
    TRunWorker::SetRunStartHook([&go] { go.acquire(); });
    Window().Design();
    QVERIFY(Window().IsRunning());
    QTest::mouseClick(Window().findChild<QPushButton*>("btnCancelRun"), Qt::LeftButton);
    go.release();
    Window().WaitForRun();
    TRunWorker::SetRunStartHook({});
    QVERIFY(Window().EventLogText().endsWith("Analysis cancelled"));
    QCOMPARE(Window().Project().GetBeam(1)->SteelSection(0)->Name, section);  // not "<Auto-select>"
    QVERIFY(!Window().Command("actPrint")->isEnabled());
    QVERIFY(!Window().SummaryResults()->IsTickShown(1));
    QVERIFY(Window().Command("actDesign")->isEnabled());
    QVERIFY(!QFile::exists(TfrmMain::StateSnapshotFile()));
  }

  void designPicksSectionsAndMarksTheProjectChanged() {
    QVERIFY(Window().OpenUserFile(Sample()));
    Window().Design();
    Window().WaitForRun();
    QVERIFY(Window().EventLogText().contains("Starting design..."));
    QVERIFY(Window().HasDataChangedSinceSave());
    for (int side : {1, 0}) {
      QVERIFY(Window().Project().GetBeam(side)->SteelSection(0)->Name != kAutoSelect);
      QCOMPARE(Window().SummaryResults()->Text(side, TSummaryResultsPage::colSection),
               ToQ(Window().Project().GetBeam(side)->SteelSection(0)->Name));
    }
  }

  // --- Help and closing

  void helpCommandsOpenTheirDocuments() {
    Window().Command("actUserManual")->trigger();
    QCOMPARE(dialogs_->Opened.size(), 1);
    QVERIFY(dialogs_->Opened.at(0).endsWith("/Trevalon.pdf"));
    dialogs_->Answers = {QMessageBox::No};
    Window().Command("actEmailSupport")->trigger();
    QVERIFY(dialogs_->Opened.at(1).startsWith("mailto:"));
    QVERIFY(dialogs_->Opened.at(1).contains("subject=Trevalon"));
    dialogs_->Answers = {QMessageBox::Cancel};
    Window().Command("actEmailSupport")->trigger();
    QCOMPARE(dialogs_->Opened.size(), 2);
  }

  void closingAsksToSave() {
    Window().LoadSampleData();
    dialogs_->Answers = {QMessageBox::Cancel};
    QVERIFY(!Window().close());
    QVERIFY(Window().isVisible());
    dialogs_->Answers = {QMessageBox::No};
    QVERIFY(Window().close());
  }
};

TRV_UI_TEST_MAIN(TestMainWindow)
#include "fMain_test.moc"
