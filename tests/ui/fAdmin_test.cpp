// The administrators' screens driven as an administrator would (--admin):
// the hidden menus and their switches, the test page against the project's
// tests, Import, and the test and design-table runs, whose files must be the
// command line's.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QSemaphore>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QTest>
#include <QTreeWidget>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "ui/cAdminWorker.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"
#include "ui/fDesignTablePage.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fProjectPages.h"
#include "ui/fResultsPage.h"
#include "ui/fTestPages.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {


QByteArray ReadAll(const QString& File) {
  QFile f(File);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The lines of one INI section of a project file, without its header.
QStringList SectionLines(const QString& File, const QString& Section) {
  QStringList lines;
  bool inside = false;
  for (const QString& line : QString::fromUtf8(ReadAll(File)).split(QRegularExpression(QStringLiteral("\r?\n")))) {
    if (line.startsWith(QLatin1Char('['))) inside = line == QLatin1Char('[') + Section + QLatin1Char(']');
    else if (inside && !line.isEmpty()) lines << line;
  }
  return lines;
}

std::unique_ptr<TTest> MakeTest(const std::string& Group, const std::string& Name, const std::string& Description,
                                std::vector<std::string> Inputs, std::vector<TOutput> Outputs) {
  auto test = std::make_unique<TTest>();
  test->Group = Group;
  test->Name = Name;
  test->Description = Description;
  test->VersionID = 1;
  test->InputList = std::move(Inputs);
  test->OutputList = std::move(Outputs);
  return test;
}

// The sample with one group of two tests: "Span8" shorter secondary beams
// (stored as passed, with its results), "Edge" an edge primary beam (not run).
// Without stored results and with a third test, "Heavy", whose strength
// ratio cannot be what it expects, for runs; and with a 2 x 2 design table.
bool WriteProjectWithTests(const QString& File, bool WithResults = true) {
  TSession session;
  TProject project;
  if (!session.LoadLibraries(ToStd(ProgramFile(QStringLiteral("Trevalon.tvl")))).IsOK()) return false;
  if (!LoadProjectFile(project, session, ToStd(Sample())).IsOK()) return false;
  auto group = std::make_unique<TTestGroup>();
  group->Group = "Secondary";
  project.TestGroupList.Add("Secondary", std::move(group));
  auto span = MakeTest("Secondary", "Span8", "Secondary span 8 m, as built", {"Geometry.SpacingSide1=8000", "Geometry.SpacingSide2=8000"},
                       {{"Beam1.Span", "8000", "8000", ""}, {"Description", "?", "Sample, office", ""}});
  if (WithResults) span->Status.SetError(elHint, "");
  else span->OutputList[1].CalculatedValue.clear();
  project.TestList.Add("Span8", std::move(span));
  project.TestList.Add("Edge", MakeTest("Secondary", "Edge", "Edge primary beam",
                                        {"Geometry.IsEdgeBeam=1", "Project.Designer=Tester"},
                                        {{"Beam.SuggestedCamber", "?", "", ""}, {"IsOK", "True", "", ""}}));
  if (!WithResults)
    project.TestList.Add("Heavy", MakeTest("Secondary", "Heavy", "Heavy live load, strength as if light",
                                           {"Geometry.NominalLiveLoad=12"},
                                           {{"Beam1.MaxStrengthRatio", "0.05<1%>", "", ""}}));
  project.DesignTable.VersionID = 1;
  project.DesignTable.SpanList = {8000, 10000};
  project.DesignTable.SpacingList = {2500, 3000};
  return SaveProjectFile(project, ToStd(File)).IsOK();
}

// A small older project file: a bay of 9 m secondary beams at 3 m on a 9 m primary beam.
const char kBayTvx[] =
    "Trevalon V2\r\nLevel 3 office\r\nTypical bay\r\nA. Engineer\r\nSB1\r\nPB1\r\n1\r\n3\r\nY\r\n1.5\r\n120\r\n10\r\n"
    "0\r\n500\r\n250\r\n0.7\r\n0.4\r\n9000\r\n3000\r\nInt\r\n9000\r\n\r\nInt\r\nRe-entrant 55 mm x 1.00 mm\r\n32\r\n"
    "2400\r\n1500\r\n360UB44.7\r\n1\r\n530UB82.0\r\n1\r\n";

// Runs the command line; its exit code, or -1 when it did not finish.
int Trevalon(const QStringList& Arguments) {
  QProcess cli;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C");
  cli.setProcessEnvironment(env);
  cli.start(ProgramFile("trevalon"), Arguments);
  if (!cli.waitForFinished(300000)) return -1;
  return cli.exitCode();
}

}  // namespace

class TestAdminScreens : public TWindowTest {
  Q_OBJECT
 public:
  TestAdminScreens() : TWindowTest({.IsAdmin = true}) {}

 private:
  TTestPage& TestPage() { return Page<TTestPage>(); }
  TDesignTablePage& DesignPage() { return Page<TDesignTablePage>(); }
  bool ChooseTest(const QString& Name) {
    QTreeWidgetItem* node = Window().Admin()->TestNode(Name);
    if (!node) return false;
    Window().NavigationTree()->setCurrentItem(node);
    return Window().NavigationTree()->currentItem() == node && TestPage().CurrentTestName() == Name;
  }

 private slots:
  // --- Menus and switches

  void adminMenusHiddenWithoutAdminAndEnabledWithIt() {
    {
      TfrmMain plain;
      for (const char* menu : {"mnuTesting", "mnuDesignTables"}) QVERIFY2(!plain.Menu(menu)->menuAction()->isVisible(), menu);
      QVERIFY(!plain.Command("actImport")->isVisible());
      QVERIFY(!plain.Page("Test") && !plain.Page("Design table"));
    }
    for (const char* menu : {"mnuTesting", "mnuDesignTables"}) QVERIFY2(Window().Menu(menu)->menuAction()->isVisible(), menu);
    for (const char* name : {"actImport", "actAllowTesting", "actShowDesignParameters", "actListProperties"})
      QVERIFY2(Window().Command(name)->isEnabled(), name);
    QVERIFY(!Window().Command("actRunAllTests")->isEnabled());
    QVERIFY(!Window().Command("actCreateDesignTable")->isEnabled());
    QVERIFY(!Window().Command("actCancelTests")->isVisible());
    QVERIFY(!Window().Node(900) && !Window().Node(850));

    Window().Command("actAllowTesting")->trigger();
    QVERIFY(Window().Command("actAllowTesting")->isChecked());
    QVERIFY(Window().Command("actRunAllTests")->isEnabled());
    QVERIFY(Window().Node(900));
    QVERIFY(Window().EventLogText().contains("act: ENABLEUNITTESTS: True"));
    Window().Command("actShowDesignParameters")->trigger();
    QVERIFY(Window().Command("actCreateDesignTable")->isEnabled());
    QVERIFY(Window().EventLogText().contains("act: ENABLEDESIGNTABLES: True"));
    // The design table's node comes before the tests branch.
    QTreeWidget* tree = Window().NavigationTree();
    QVERIFY(tree->indexOfTopLevelItem(Window().Node(850)) < tree->indexOfTopLevelItem(Window().Node(900)));

    // Switching a screen off while it is shown goes back to the project.
    QVERIFY(Window().SelectNode(850));
    QCOMPARE(Window().CurrentPage(), &DesignPage());
    Window().Command("actShowDesignParameters")->trigger();
    QVERIFY(!Window().Node(850));
    QCOMPARE(Window().CurrentPage()->PageName(), QStringLiteral("General"));
    QVERIFY(!Window().Command("actCreateDesignTable")->isEnabled());
    QVERIFY(Window().EventLogText().contains("act: ENABLEDESIGNTABLES: False"));
    QVERIFY(Window().Node(900));  // the tests branch stays
  }

  // --- The test page

  void testPageRoundTripsTheProjectsTests() {
    QVERIFY(WriteProjectWithTests(File("tests.tva")));
    QVERIFY(Window().Files().OpenUserFile(File("tests.tva")));
    Window().Admin()->SetTestingAllowed(true);
    QTreeWidgetItem* branch = Window().Node(900);
    QVERIFY(branch);
    QCOMPARE(branch->childCount(), 1);
    QCOMPARE(branch->child(0)->text(0), QStringLiteral("Secondary"));
    QCOMPARE(branch->child(0)->childCount(), 2);

    QVERIFY(ChooseTest("Span8"));
    QCOMPARE(TestPage().lblTestName()->text(), QStringLiteral("Span8"));
    QCOMPARE(TestPage().lblGroup()->text(), QStringLiteral("Secondary"));
    QCOMPARE(TestPage().edtDescription()->text(), QStringLiteral("Secondary span 8 m, as built"));
    QCOMPARE(TestPage().cboStandard()->currentIndex(), 1);
    QCOMPARE(GridRows(*TestPage().grdInputs()), (QStringList{"Geometry.SpacingSide1=8000", "Geometry.SpacingSide2=8000"}));
    QCOMPARE(GridRows(*TestPage().grdOutputs()),
             (QStringList{"Beam1.Span|8000|8000|", "Description|?|Sample, office|"}));
    QCOMPARE(TestPage().lblVerdict()->text(), QStringLiteral("Test OK"));
    QVERIFY(ChooseTest("Edge"));
    QCOMPARE(TestPage().lblVerdict()->text(), QString());
    QCOMPARE(GridRows(*TestPage().grdInputs()), (QStringList{"Geometry.IsEdgeBeam=1", "Project.Designer=Tester"}));

    // Through the pages and back to a file: the tests section is unchanged.
    QVERIFY(Window().SelectNode(1));
    Dialogs().Files.push_back(File("again.tva"));
    QVERIFY(Window().Files().SaveAs());
    QCOMPARE(SectionLines(File("again.tva"), "Tests"), SectionLines(File("tests.tva"), "Tests"));
    QCOMPARE(SectionLines(File("again.tva"), "TestGroups"), SectionLines(File("tests.tva"), "TestGroups"));
  }

  void editingATestClearsItsResultsAndOtherInputClearsAll() {
    QVERIFY(WriteProjectWithTests(File("tests.tva")));
    QVERIFY(Window().Files().OpenUserFile(File("tests.tva")));
    Window().Admin()->SetTestingAllowed(true);
    TTest& span = *Window().Project().TestList.ItemAs<TTest>(0);
    TTest& edge = *Window().Project().TestList.ItemAs<TTest>(1);
    edge.Status.SetError(elWarning, "");  // as if run and failed

    // On its page a test's change clears that test's results only.
    QVERIFY(ChooseTest("Span8"));
    QVERIFY(TypeIntoCell(*TestPage().grdOutputs(), TTestPage::colExpected, 1, "8000<1%>"));
    QCOMPARE(span.Status.ErrorLevel, elNone);
    QCOMPARE(TestPage().lblVerdict()->text(), QString());
    QCOMPARE(TestPage().grdOutputs()->Cell(TTestPage::colCalculated, 1), QString());
    QCOMPARE(edge.Status.ErrorLevel, elWarning);
    QVERIFY(Window().HasDataChangedSinceSave());
    // A new output typed into the last row joins the test when the page is left.
    QVERIFY(TypeIntoCell(*TestPage().grdOutputs(), TTestPage::colOutputName, 3, "Beam.Span"));
    QVERIFY(Window().SelectNode(2));
    QCOMPARE(span.OutputList.size(), size_t(3));
    QCOMPARE(span.OutputList[0].ExpectedValue, std::string("8000<1%>"));
    QCOMPARE(span.OutputList[2].Name, std::string("Beam.Span"));

    // Any other change makes every stored result stale.
    Type(Page<TGeneralPage>().edtDesigner(), "B. Engineer");
    QCOMPARE(edge.Status.ErrorLevel, elNone);
  }

  // Groups and tests are added, copied, renamed and deleted from the tree,
  // with the rules' messages; a name in use is asked for again.
  void testEditingFromTheTree() {
    QVERIFY(WriteProjectWithTests(File("job.tva")));
    QVERIFY(Window().Files().OpenUserFile(File("job.tva")));
    Window().Admin()->SetTestingAllowed(true);
    QVERIFY(Window().SelectNode(900));

    Dialogs().Texts = {"secondary", "Primary"};
    Window().Admin()->EditTests("AddGroup");
    QCOMPARE(Dialogs().Prompts, (QStringList{"Add new group/Name of new test group", "Add new group/Name of new test group"}));
    QCOMPARE(Dialogs().Messages, QStringList{"Please select unique test group name"});
    QTreeWidgetItem* branch = Window().Node(900);
    QCOMPARE(branch->childCount(), 2);
    QCOMPARE(branch->child(1)->text(0), QStringLiteral("Primary"));

    Dialogs().Clear();
    QVERIFY(Window().SelectNode(900));
    Window().Admin()->EditTests("AddTest");
    QCOMPARE(Dialogs().Messages, QStringList{"Please first select test group to add test to"});
    QVERIFY(Dialogs().Prompts.isEmpty());
    Window().NavigationTree()->setCurrentItem(Window().Node(900)->child(1));
    Dialogs().Texts = {"P1"};
    Window().Admin()->EditTests("AddTest");
    QVERIFY(Window().Admin()->TestNode("P1"));
    QCOMPARE(TestPage().CurrentTestName(), QStringLiteral("P1"));
    QCOMPARE(TestPage().lblGroup()->text(), QStringLiteral("Primary"));

    Dialogs().Clear();
    QVERIFY(ChooseTest("Span8"));
    Window().Admin()->EditTests("CopyTest");
    QCOMPARE(TestPage().CurrentTestName(), QStringLiteral("Span8_00"));
    QCOMPARE(GridRows(*TestPage().grdInputs()), (QStringList{"Geometry.SpacingSide1=8000", "Geometry.SpacingSide2=8000"}));
    Dialogs().Texts = {"Edge", "Span8b"};
    Window().Admin()->EditTests("RenameTest");
    QCOMPARE(Dialogs().Messages, QStringList{"Please select unique test name"});
    QVERIFY(Window().Admin()->TestNode("Span8b") && !Window().Admin()->TestNode("Span8_00"));

    Dialogs().Clear();
    Window().NavigationTree()->setCurrentItem(Window().Node(900)->child(0));
    Window().Admin()->EditTests("DeleteGroup");
    QCOMPARE(Dialogs().Messages, QStringList{"Group Secondary has tests, unable to delete"});
    QVERIFY(ChooseTest("Span8b"));
    Dialogs().Answers = {QMessageBox::Ok};
    Window().Admin()->EditTests("DeleteTest");
    QCOMPARE(Dialogs().Messages.last(), QStringLiteral("Please confirm deletion of test Span8b"));
    QVERIFY(!Window().Admin()->TestNode("Span8b"));
    QCOMPARE(Window().Project().TestList.Count(), 3);
    QVERIFY(Window().HasDataChangedSinceSave());
  }

  // --- Runs

  // The window runs the core's test runner on its worker: the results file
  // is the command line's, byte for byte, and the project comes back.
  void runAllTestsGivesTheCommandLinesResultsFile() {
    QVERIFY(WriteProjectWithTests(File("job.tva"), false));
    QVERIFY(Window().Files().OpenUserFile(File("job.tva")));
    Window().Admin()->SetTestingAllowed(true);
    Window().Command("actRunAllTests")->trigger();
    QVERIFY(Window().Admin()->IsJobRunning());
    QVERIFY(Window().Command("actCancelTests")->isVisible());
    QVERIFY(!Window().Command("actAnalyse")->isEnabled());
    Window().Admin()->WaitForJob();
    QVERIFY(!Window().Command("actCancelTests")->isVisible());
    QVERIFY(Window().Command("actRunAllTests")->isEnabled());
    QCOMPARE(Window().Admin()->TestResults()->TestsRunText(), QStringLiteral("Tests run: 3/3"));
    QCOMPARE(Window().Admin()->TestResults()->PassedText(), QStringLiteral("Passed: 2/3"));
    QVERIFY(Window().Admin()->TestResults()->HasFailure());
    QCOMPARE(Dialogs().Messages, QStringList{"Test results saved to " + File("job-Test.csv")});
    // The tests' inputs were a copy's: the project is the user's again, with the results.
    QCOMPARE(Window().Project().Geometry.SpacingSide1, 9000.0);
    QCOMPARE(Window().Project().TestList.ItemAs<TTest>(0)->Status.ErrorLevel, elHint);
    QCOMPARE(Window().Project().TestList.ItemAs<TTest>(2)->Status.ErrorLevel, elWarning);
    QVERIFY(ChooseTest("Heavy"));
    QCOMPARE(TestPage().lblVerdict()->text(), QStringLiteral("Test FAIL"));
    QCOMPARE(TestPage().grdOutputs()->Cell(TTestPage::colComment, 1), QStringLiteral("<<<<<< does not match"));

    const QByteArray window_results = ReadAll(File("job-Test.csv"));
    QVERIFY(window_results.contains("Secondary-Heavy"));
    QVERIFY(QFile::remove(File("job-Test.csv")));
    QCOMPARE(Trevalon({"test", File("job.tva")}), 1);  // one test fails
    QCOMPARE(window_results, ReadAll(File("job-Test.csv")));
  }

  // A 2 x 2 design table with the case files: the window's files are the command line's.
  void designTableGivesTheCommandLinesFiles() {
    QVERIFY(WriteProjectWithTests(File("job.tva"), false));
    QVERIFY(Window().Files().OpenUserFile(File("job.tva")));
    Window().Admin()->SetDesignParametersShown(true);
    QVERIFY(Window().SelectNode(850));
    QCOMPARE(GridRows(*DesignPage().grdSpans()), (QStringList{"1|8000", "2|10000"}));
    QCOMPARE(GridRows(*DesignPage().grdSpacings()), (QStringList{"1|2500", "2|3000"}));
    QCOMPARE(DesignPage().cboStandard()->currentIndex(), 1);
    DesignPage().chkSaveInputs()->setChecked(true);
    Window().Command("actCreateDesignTable")->trigger();
    QVERIFY(Window().Admin()->IsJobRunning());
    Window().Admin()->WaitForJob();
    QCOMPARE(Dialogs().Messages, QStringList{"Design table saved to " + File("job-Design.csv")});
    const QByteArray table = ReadAll(File("job-Design.csv"));
    const QByteArray case_file = ReadAll(File("job-F0S1(10000,3000).tva"));
    QVERIFY(!case_file.isEmpty());
    // The page shows the table, one row per line.
    const QStringList rows = DesignPage().TableRows();
    QStringList lines = QString::fromUtf8(table).split("\r\n");
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    QCOMPARE(rows.size(), lines.size());
    QVERIFY(rows.contains("Span (mm)|Spacing (mm)|Beam (KESTREL)|Camber (mm)|Studs/beam"));
    // The results tree holds the same lines, every one shown, without the display options.
    const TAnalysisResultsPage& results = *Window().Run().ResultsPage();
    QCOMPARE(results.Model().rowCount(), lines.size());
    for (int row = 0; row < lines.size(); ++row) {
      QCOMPARE(results.Model().Line(row), lines[row]);
      QVERIFY(results.IsRowShown(row));
    }
    QVERIFY(!results.grpDisplay()->isVisibleTo(&results));
    QVERIFY(!results.btnExport()->isVisibleTo(&results));
    QCOMPARE(Window().Project().Geometry.Span, 9000.0);

    QVERIFY(QFile::remove(File("job-Design.csv")) && QFile::remove(File("job-F0S1(10000,3000).tva")));
    const int exit = Trevalon({"design-table", File("job.tva"), "--save-inputs"});
    QVERIFY(exit == 0 || exit == 1);
    QCOMPARE(table, ReadAll(File("job-Design.csv")));
    QCOMPARE(case_file, ReadAll(File("job-F0S1(10000,3000).tva")));
  }

  // Cancel stops the table before it is written and the project is as before.
  // A test run cancelled says so as its last word, never that the tests completed.
  void cancelStopsATestRun() {
    QVERIFY(WriteProjectWithTests(File("job.tva"), false));
    QVERIFY(Window().Files().OpenUserFile(File("job.tva")));
    Window().Admin()->SetTestingAllowed(true);
    QSemaphore held;
    TAdminWorker::SetJobStartHook([&held] { held.acquire(); });
    Window().Command("actRunAllTests")->trigger();
    TAdminWorker::SetJobStartHook({});
    QVERIFY(Window().Admin()->IsJobRunning());
    Window().Command("actCancelTests")->trigger();
    held.release();
    Window().Admin()->WaitForJob();
    const QString log = Window().EventLogText();
    QCOMPARE(log.split('\n', Qt::SkipEmptyParts).last(), QStringLiteral("Tests cancelled"));
    QVERIFY(!log.contains("Tests complete"));
  }

  // A project without design-table settings starts the page on the edition
  // it is analysed under, and leaving the page adds no settings to it; a
  // project's own edition for its tables is shown whatever it is analysed under.
  void theDesignTablePageStartsOnTheProjectsEdition() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    Window().Admin()->SetDesignParametersShown(true);
    QVERIFY(Window().SelectNode(850));
    QCOMPARE(DesignPage().cboStandard()->currentText(), QStringLiteral("AS/NZS2327:2017"));
    QVERIFY(Window().SelectNode(2));
    QVERIFY(!Window().Project().DesignTable.HasDesignTableProperties());
    QVERIFY(!Window().HasDataChangedSinceSave());

    Window().findChild<QAction*>("actStandard2003")->trigger();
    QVERIFY(Window().SelectNode(850));
    QCOMPARE(DesignPage().cboStandard()->currentIndex(), 0);
    Window().findChild<QAction*>("actStandard2017")->trigger();
    QCOMPARE(DesignPage().cboStandard()->currentIndex(), 1);

    Window().Project().DesignTable.VersionID = 0;
    Window().Project().DesignTable.SpanList = {8000};
    Window().UpdateScreensFromProject();
    QVERIFY(Window().SelectNode(850));
    QCOMPARE(DesignPage().cboStandard()->currentIndex(), 0);
  }

  void cancelStopsADesignTable() {
    QVERIFY(WriteProjectWithTests(File("job.tva"), false));
    QVERIFY(Window().Files().OpenUserFile(File("job.tva")));
    Window().Admin()->SetDesignParametersShown(true);
    QVERIFY(SaveProjectFile(Window().Project(), ToStd(File("before.tva"))).IsOK());
    QSemaphore held;
    TAdminWorker::SetJobStartHook([&held] { held.acquire(); });
    Window().Admin()->CreateDesignTable();
    TAdminWorker::SetJobStartHook({});
    QVERIFY(Window().Admin()->IsJobRunning());
    Window().Admin()->CancelJob();
    held.release();
    Window().Admin()->WaitForJob();
    QVERIFY(!QFile::exists(File("job-Design.csv")));
    QCOMPARE(Window().StatusText(), QStringLiteral("Design table cancelled"));
    QCOMPARE(Window().EventLogText().split('\n', Qt::SkipEmptyParts).last(), QStringLiteral("Design table cancelled"));
    QVERIFY(DesignPage().TableRows().isEmpty());
    QVERIFY(Window().Command("actCreateDesignTable")->isEnabled());
    QVERIFY(SaveProjectFile(Window().Project(), ToStd(File("after.tva"))).IsOK());
    QCOMPARE(ReadAll(File("after.tva")), ReadAll(File("before.tva")));
  }

  // --- Import

  void importOfAnOlderProjectFileFillsThePages() {
    QFile tvx(File("bay.tvx"));
    QVERIFY(tvx.open(QIODevice::WriteOnly));
    tvx.write(kBayTvx);
    tvx.close();
    Dialogs().Files.push_back(File("bay.tvx"));
    Window().Command("actImport")->trigger();
    QCOMPARE(Dialogs().FileCaptions, QStringList{"Import"});
    auto& general = Page<TGeneralPage>();
    QCOMPARE(general.edtProject()->text(), QStringLiteral("Level 3 office"));
    QCOMPARE(general.edtDesigner()->text(), QStringLiteral("A. Engineer"));
    QCOMPARE(ShownTitle(Window()), QStringLiteral("bay.tva* - Trevalon"));
    QCOMPARE(Window().DefaultFileName(), File("bay.tva"));
    QVERIFY(Window().HasDataChangedSinceSave());
    QVERIFY(Window().EventLogText().contains("Importing file [" + File("bay.tvx") + "]"));
    QCOMPARE(Window().Project().Geometry.Span, 9000.0);
    QVERIFY(Dialogs().Messages.isEmpty());
  }

  // A workbook that cannot be read leaves the project the user had.
  void failedImportKeepsTheProject() {
    QVERIFY(Window().Files().OpenUserFile(Sample()));
    QFile junk(File("junk.xlsx"));
    QVERIFY(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray("PK\x03\x04\x00\x01\x02", 7));
    junk.close();
    QVERIFY(!Window().Admin()->ImportFrom(File("junk.xlsx")));
    QCOMPARE(Dialogs().Messages.size(), 1);
    QCOMPARE(Page<TGeneralPage>().edtProject()->text(),
             QStringLiteral("Sample office floor"));
    QCOMPARE(Window().Project().Project, std::string("Sample office floor"));
    QCOMPARE(ShownTitle(Window()), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    QVERIFY(!Window().HasDataChangedSinceSave());
  }
};

TRV_UI_TEST_MAIN(TestAdminScreens)
#include "fAdmin_test.moc"
