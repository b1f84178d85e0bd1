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
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fFloorPages.h"
#include "ui/fProjectPages.h"
#include "ui_test_support.h"

namespace {


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

class TestMainWindow : public TWindowTest {
  Q_OBJECT

 private slots:
  // --- Start-up

  void startUpAgreeOpensTheProjectNamedOnTheCommandLine() {
    DropWindow();
    TDialogRecorder dialogs;
    TStartOptions options;
    options.ProjectFile = Sample();
    AnswerConditions(true);
    std::unique_ptr<TfrmMain> window = StartProgram(options);
    QVERIFY(window);
    QVERIFY(window->isVisible());
    QCOMPARE(ShownTitle(*window), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    QCOMPARE(window->Files().RecentFiles(), QStringList{Sample()});
    QVERIFY(!window->HasDataChangedSinceSave());
    QVERIFY(dialogs.Messages.isEmpty());
  }

  void startUpDisagreeEndsWithoutAWindow() {
    DropWindow();
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
    QCOMPARE(ShownTitle(Window()), QStringLiteral("Untitled - Trevalon"));
    const QStringList lines = Window().EventLogText().split('\n');
    QCOMPARE(lines.at(0), QStringLiteral("Trevalon/V3.0: Software for the analysis of composite steel/concrete beams"));
    QCOMPARE(lines.at(1), QString());
    QVERIFY(lines.at(2).startsWith("This software is intended to assist in the preliminary design of "));
    QVERIFY(!Window().Command("actSave")->isEnabled());
    QVERIFY(!Window().Command("actPrint")->isEnabled());
    QVERIFY(Window().CanChangeTabs());
    QVERIFY(Dialogs().Messages.isEmpty());  // the library loaded
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
    Window().Files().LoadSampleData();
    QCOMPARE(ShownTitle(Window()), QStringLiteral("Untitled* - Trevalon"));
    QVERIFY(Window().DefaultFileName().isEmpty());
    QVERIFY(Window().HasDataChangedSinceSave());
    QVERIFY(Window().Command("actSave")->isEnabled());
    QVERIFY(Window().Files().RecentFiles().isEmpty());
    QCOMPARE(Page<TGeneralPage>().edtProject()->text(), QStringLiteral("Sample office floor"));
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
    Window().Files().LoadSampleData();
    Dialogs().Clear();
    Dialogs().Answers.push_back(QMessageBox::StandardButton(answer));
    if (!saveAsFile.isEmpty()) Dialogs().Files.push_back(File(saveAsFile));
    Window().Files().NewProject();
    QCOMPARE(Dialogs().Messages.value(0), QStringLiteral("Do you want to save the changes to Untitled"));
    QCOMPARE(Page<TGeneralPage>().edtProject()->text().isEmpty(), goesOn);
    QCOMPARE(Window().HasDataChangedSinceSave(), !goesOn);
    if (!saveAsFile.isEmpty()) {
      QVERIFY(QFile::exists(File("kept.tva")));  // the default extension was added
      QCOMPARE(Window().Files().RecentFiles(), QStringList{File("kept.tva")});
    }
  }

  void saveAsSaveAndReopen() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    Type(Page<TGeneralPage>().edtDesigner(), "A. Engineer");
    QVERIFY(Window().HasDataChangedSinceSave());
    QVERIFY(Window().Command("actSave")->isEnabled());
    Dialogs().Files.push_back(File("job.tva"));
    QVERIFY(Window().Files().SaveAs());
    QCOMPARE(ShownTitle(Window()), QStringLiteral("job.tva - Trevalon"));
    QVERIFY(!Window().HasDataChangedSinceSave());
    QVERIFY(!Window().Command("actSave")->isEnabled());
    Type(Page<TGeneralPage>().edtDesigner(), "B. Engineer");
    QVERIFY(Window().Files().Save());  // to the same file, no dialog
    QCOMPARE(Dialogs().FileCaptions.size(), 1);

    Dialogs().Clear();
    Window().Files().NewProject();  // saved: nothing to ask
    QVERIFY(Dialogs().Messages.isEmpty());
    QCOMPARE(Page<TGeneralPage>().edtDesigner()->text(), QString());
    QCOMPARE(ShownTitle(Window()), QStringLiteral("Untitled - Trevalon"));

    Dialogs().Files.push_back(File("job.tva"));
    Window().Files().OpenProject();
    QVERIFY(Dialogs().Messages.isEmpty());
    QCOMPARE(Page<TGeneralPage>().edtDesigner()->text(), QStringLiteral("B. Engineer"));
    QCOMPARE(ShownTitle(Window()), QStringLiteral("job.tva - Trevalon"));
    QVERIFY(Window().EventLogText().contains("Opening file [" + File("job.tva") + "]"));
    QCOMPARE(Window().Files().RecentFiles().value(0), File("job.tva"));
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

    QVERIFY(Window().Files().OpenUserFile(own));
    Type(Page<TGeneralPage>().edtDesigner(), "C. Engineer");
    QVERIFY(Window().Files().Save());
    QVERIFY(read(own).contains("[Legacy]"));
    QVERIFY(read(own).contains("Designer=C. Engineer"));

    Dialogs().Files.push_back(File("notes.txt"));
    QVERIFY(Window().Files().SaveAs());
    const QByteArray saved = read(File("notes.txt"));
    QVERIFY(!saved.contains("my notes"));
    QVERIFY(!saved.contains("[Legacy]"));
    QVERIFY(saved.contains("Designer=C. Engineer"));
  }

  void aFileThatCannotBeReadLeavesTheProjectAsItWas() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    QFile junk(File("junk.tva"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write("this is no project\n");
    junk.close();
    Dialogs().Clear();
    QVERIFY(!Window().Files().OpenUserFile(File("junk.tva")));
    QCOMPARE(Dialogs().Messages.size(), 1);
    QCOMPARE(ShownTitle(Window()), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    QCOMPARE(ToQ(Window().Project().Project), QStringLiteral("Sample office floor"));
    QVERIFY(Window().Project().GetHasBeam(0));
    QCOMPARE(Window().Files().RecentFiles(), QStringList{Sample()});
  }

  void recentFiles() {
    for (const char* name : {"a", "b", "a"}) Window().Files().AddRecentFile(File(name));
    QCOMPARE(Window().Files().RecentFiles(), QStringList({File("a"), File("b")}));  // the same file twice: once, on top
    for (const char* name : {"c", "d", "e", "f"}) Window().Files().AddRecentFile(File(name));
    QCOMPARE(Window().Files().RecentFiles(), QStringList({File("f"), File("e"), File("d"), File("c"), File("a")}));  // six: b dropped
    Window().Files().AddRecentFile(File("C").toUpper());
    QCOMPARE(Window().Files().RecentFiles().size(), 5);  // letter case does not make another file
    QCOMPARE(Window().Files().RecentFiles().value(0), File("C").toUpper());
    QCOMPARE(settings::ReadInteger(settings::kRecentCount), 5);
    QVERIFY(Window().Menu("mnuOpenRecent")->isEnabled());

    // A missing file is reported and stays listed.
    Dialogs().Clear();
    Window().Files().OpenRecent(1);
    QCOMPARE(Dialogs().Messages, QStringList{"File not opened: unable to find " + File("f")});
    QCOMPARE(Window().Files().RecentFiles().size(), 5);
  }

  // --- Field checks

  void aFailingFieldBlocksFileCommandsAnalyseAndDesign() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    QLineEdit* area = Page<TGeneralPage>().edtFloorArea();
    Type(area, "");
    QVERIFY(area->hasFocus());
    Dialogs().Clear();
    Window().Files().NewProject();
    QCOMPARE(Dialogs().Messages, QStringList{"Floor area cannot be blank, please enter a valid integer"});
    QCOMPARE(ShownTitle(Window()), QStringLiteral("SampleAnalysis.tva* - Trevalon"));
    area->setFocus();
    Window().Files().OpenProject();
    QVERIFY(Dialogs().FileCaptions.isEmpty());
    area->setFocus();
    Window().Run().Analyse();
    QVERIFY(!Window().Run().IsRunning());
    area->setFocus();
    Window().Run().Design();
    QVERIFY(!Window().Run().IsRunning());
    QVERIFY(!Window().EventLogText().contains("Running analysis..."));
    // A refused command is never silent: the message every time, and the Event Log and status bar say why.
    const QString blank = QStringLiteral("Floor area cannot be blank, please enter a valid integer");
    QCOMPARE(Dialogs().Messages, QStringList(4, blank));
    QVERIFY(Window().EventLogText().contains(QStringLiteral("Analysis not started: ") + blank));
    QCOMPARE(Window().StatusText().trimmed(), blank);
    QVERIFY(area->hasFocus());  // back to the field to put right
    QVERIFY(IsFieldHighlighted(area));
    // The next move in the tree is refused once.
    QVERIFY(!Window().CanChangeTabs());
    QVERIFY(!Window().SelectNode(2));
    QVERIFY(Window().SelectNode(2));

    Type(area, "1200");
    Window().Run().Analyse();
    QVERIFY(Window().Run().IsRunning());
    Window().Run().WaitForRun();
    QVERIFY(!IsFieldHighlighted(area));
  }

  void aFailingFieldIsNeverSaved() {
    // A slab depth of 50 mm in the focused field: Save and Save As refuse to
    // write it, and say why.
    const QString own = File("own.tva");
    QVERIFY(QFile::copy(Sample(), own));
    QFile(own).setPermissions(QFile(own).permissions() | QFileDevice::WriteOwner);
    QVERIFY(Window().Files().OpenUserFile(own));
    QVERIFY(Window().SelectNode(14));
    TSlabDetailsPage& slab = Page<TSlabDetailsPage>();
    Type(slab.fldDs().Edit, "50");
    QVERIFY(slab.fldDs().Edit->hasFocus());
    QFile before_file(own);
    QVERIFY(before_file.open(QIODevice::ReadOnly));
    const QByteArray before = before_file.readAll();
    before_file.close();
    Dialogs().Clear();
    QVERIFY(!Window().Files().Save());
    const QString range = QStringLiteral("Overall slab depth (Ds) should be between 90 and 500");
    QCOMPARE(Dialogs().Messages, QStringList{range});
    QVERIFY(Window().EventLogText().contains(QStringLiteral("Project not saved: ") + range));
    QVERIFY(slab.fldDs().Edit->hasFocus());
    Dialogs().Files.push_back(File("other.tva"));
    QVERIFY(!Window().Files().SaveAs());
    QVERIFY(Dialogs().FileCaptions.isEmpty());  // refused before the dialog
    QVERIFY(!QFile::exists(File("other.tva")));
    QFile after_file(own);
    QVERIFY(after_file.open(QIODevice::ReadOnly));
    QCOMPARE(after_file.readAll(), before);
    QVERIFY(Window().HasDataChangedSinceSave());

    Type(slab.fldDs().Edit, "150");
    QVERIFY(Window().Files().Save());
    QVERIFY(!Window().HasDataChangedSinceSave());
  }

  void leavingAWrongFieldWarnsOnce() {
    QLineEdit* storeys = Page<TGeneralPage>().edtStoreys();
    Type(storeys, "1");
    Page<TGeneralPage>().edtDesigner()->setFocus();
    QCOMPARE(Dialogs().Messages, QStringList{"Number of storeys should be between 2 and 120"});
    QTRY_VERIFY(storeys->hasFocus());  // the focus went back to the wrong field
    Page<TGeneralPage>().edtDesigner()->setFocus();
    QCOMPARE(Dialogs().Messages.size(), 1);
    QVERIFY(IsFieldHighlighted(storeys));
  }

  // --- Analyse and Design

  void analyseFillsTheEventLogAndTheSummary() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    Window().Run().Analyse();
    QVERIFY(Window().Run().IsRunning());
    QVERIFY(!Window().Command("actAnalyse")->isEnabled());  // input locked during the run
    Window().Run().WaitForRun();
    QVERIFY(!Window().Run().IsRunning());
    const QString log = Window().EventLogText();
    QVERIFY(log.contains("Running analysis...\n    Secondary beam SB1 OK\n    Primary beam PB1 OK"));
    QCOMPARE(Window().StatusText(), QStringLiteral("Secondary beam SB1 OK; Primary beam PB1 OK"));
    TSummaryResultsPage& summary = *Window().Run().Summary();
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
    QVERIFY(Window().Run().SavedResults().Count() > 10);
    QCOMPARE(ToQ(Window().Run().SavedResults().Lines.front()), QStringLiteral("Trevalon/V3.0"));
    QVERIFY(Window().Command("actPrint")->isEnabled());
    QVERIFY(Window().Command("actAnalyse")->isEnabled());
    QVERIFY(!QFile::exists(TFileCommands::StateSnapshotFile()));

    // An input change makes the results out of date.
    Type(Page<TGeneralPage>().edtDesigner(), "X");
    QVERIFY(!Window().Command("actPrint")->isEnabled());
    QCOMPARE(summary.Text(1, TSummaryResultsPage::colStrength), QString());
  }

  void cancelLeavesTheProjectAsItWas() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    const std::string section = Window().Project().GetBeam(1)->SteelSection(0)->Name;
    QSemaphore go;
    TRunWorker::SetRunStartHook([&go] { go.acquire(); });
    Window().Run().Design();
    QVERIFY(Window().Run().IsRunning());
    QTest::mouseClick(Window().findChild<QPushButton*>("btnCancelRun"), Qt::LeftButton);
    go.release();
    Window().Run().WaitForRun();
    TRunWorker::SetRunStartHook({});
    QVERIFY(Window().EventLogText().endsWith("Analysis cancelled"));
    QCOMPARE(Window().Project().GetBeam(1)->SteelSection(0)->Name, section);  // not "<Auto-select>"
    QVERIFY(!Window().Command("actPrint")->isEnabled());
    QVERIFY(!Window().Run().Summary()->IsTickShown(1));
    QVERIFY(Window().Command("actDesign")->isEnabled());
    QVERIFY(!QFile::exists(TFileCommands::StateSnapshotFile()));
  }

  void designPicksSectionsAndMarksTheProjectChanged() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    Window().Run().Design();
    Window().Run().WaitForRun();
    QVERIFY(Window().EventLogText().contains("Starting design..."));
    QVERIFY(Window().HasDataChangedSinceSave());
    for (int side : {1, 0}) {
      QVERIFY(Window().Project().GetBeam(side)->SteelSection(0)->Name != kAutoSelect);
      QCOMPARE(Window().Run().Summary()->Text(side, TSummaryResultsPage::colSection),
               ToQ(Window().Project().GetBeam(side)->SteelSection(0)->Name));
    }
  }

  // --- Help and closing

  void helpCommandsOpenTheirDocuments() {
    Window().Command("actUserManual")->trigger();
    QCOMPARE(Dialogs().Opened.size(), 1);
    QVERIFY(Dialogs().Opened.at(0).endsWith("/Trevalon.pdf"));
    Dialogs().Answers = {QMessageBox::No};
    Window().Command("actEmailSupport")->trigger();
    QVERIFY(Dialogs().Opened.at(1).startsWith("mailto:"));
    QVERIFY(Dialogs().Opened.at(1).contains("subject=Trevalon"));
    Dialogs().Answers = {QMessageBox::Cancel};
    Window().Command("actEmailSupport")->trigger();
    QCOMPARE(Dialogs().Opened.size(), 2);
  }

  void closingAsksToSave() {
    Window().Files().LoadSampleData();
    Dialogs().Answers = {QMessageBox::Cancel};
    QVERIFY(!Window().close());
    QVERIFY(Window().isVisible());
    Dialogs().Answers = {QMessageBox::No};
    QVERIFY(Window().close());
  }
};

TRV_UI_TEST_MAIN(TestMainWindow)
#include "fMain_test.moc"
