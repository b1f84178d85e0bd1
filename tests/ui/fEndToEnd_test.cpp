// An engineer builds the sample floor from New through the pages alone,
// analyses it and saves it; the command line's report of the saved file is
// the window's report, and the beams come out as the bundled sample's do.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"
#include "ui/fFloorPages.h"
#include "ui/fGeometryPage.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fProjectPages.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {

// The summary lines as shown: name, grade, section, ratios, camber, connectors, tick.
QStringList SummaryLines(const TfrmMain& Window) {
  QStringList lines;
  const TSummaryResultsPage& summary = *Window.Run().Summary();
  for (int side : {1, 2, 0}) {
    if (!summary.IsLineVisible(side)) continue;
    QStringList cells;
    for (int c = 0; c < TSummaryResultsPage::colCount; ++c)
      cells << summary.Text(side, TSummaryResultsPage::TColumn(c));
    cells << (summary.IsTickShown(side) ? "OK" : "FAIL");
    lines << cells.join(" | ");
  }
  return lines;
}

// Report lines without the day of the run, which the two runs need not share.
QStringList WithoutRunDate(QStringList Lines) {
  Lines.removeIf([](const QString& l) { return l.startsWith("Analysis run,"); });
  return Lines;
}

}  // namespace

class TestEndToEnd : public TWindowTest {
  Q_OBJECT
 public:
  TestEndToEnd() : TWindowTest({.MakesWindow = false}) {}

 private slots:
  void theSampleFloorBuiltThroughThePages() {
    QTemporaryDir folder;
    TDialogRecorder dialogs;
    TfrmMain window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    window.Command("actNew")->trigger();

    // Project.
    QVERIFY(window.SelectNode(2));
    auto& general = PageOf<TGeneralPage>(window);
    Type(general.edtProject(), "Sample office floor");
    Type(general.edtDesigner(), "Trevalon sample");
    Type(general.edtFloorArea(), "1200");
    Type(general.edtStoreys(), "8");

    // Floor: an internal 9 m primary beam, secondary beams 9 m long at 3 m centres from 3 m.
    QVERIFY(window.SelectNode(12));
    auto& geometry = PageOf<TGeometryPage>(window);
    QVERIFY(geometry.chkHasPrimaryBeam()->isChecked());
    QVERIFY(geometry.chkIsInternal()->isChecked());
    Type(geometry.fldSpan1().Edit, "9000");
    Type(geometry.fldSpacing1().Edit, "3000");
    Type(geometry.fldStart1().Edit, "3000");
    Type(geometry.fldPrimarySpan().Edit, "9000");
    Type(geometry.fldEffectiveSpacing().Edit, "9000");
    QVERIFY(window.SelectNode(13));
    auto& loading = PageOf<TFloorLoadingPage>(window);
    QVERIFY(loading.cboFloorUse()->currentText().startsWith("Office"));
    Type(loading.fldFacadeLoad().Edit, "0");
    QVERIFY(window.SelectNode(14));
    auto& slab = PageOf<TSlabDetailsPage>(window);
    Choose(slab.cboDeck(), "Re-entrant 55 mm x 1.00 mm");
    QCOMPARE(slab.fldDs().Edit->text(), QStringLiteral("120"));  // from the office floor use
    QCOMPARE(slab.fldStrength().Edit->text(), QStringLiteral("32"));
    QVERIFY(window.SelectNode(15));
    Choose(PageOf<TShearConnectorsPage>(window).cboConnector(), "19 mm headed stud");

    // The beams.
    auto& beam_general = PageOf<TBeamGeneralPage>(window);
    auto& section = PageOf<TSectionDefinitionPage>(window);
    QVERIFY(window.SelectNode(112));
    Type(beam_general.fldMark().Edit, "SB1");
    QVERIFY(window.SelectNode(112, "Section definition"));
    Choose(section.cboSectionType(), "UB");
    Choose(section.cboGrade(), "KESTREL");
    Choose(section.cboSection(), "360UB44.7");
    QVERIFY(window.SelectNode(102));
    Type(beam_general.fldMark().Edit, "PB1");
    QVERIFY(window.SelectNode(102, "Section definition"));
    Choose(section.cboSection(), "530UB82.0");
    QCOMPARE(GridRows(*section.grdCompositeSections()), QStringList{"1|0|9000|Base steel beam|4500|4500"});

    // Analyse and save.
    window.Command("actAnalyse")->trigger();
    window.Run().WaitForRun();
    QVERIFY2(dialogs.Messages.isEmpty(), qPrintable(dialogs.Messages.join('\n')));
    const QStringList built = SummaryLines(window);
    QCOMPARE(built.size(), 2);
    for (const QString& line : built) QVERIFY2(line.endsWith("OK"), qPrintable(line));
    const QString file = folder.filePath("office.tva");
    dialogs.Files.push_back(file);
    window.Command("actSaveAs")->trigger();
    QCOMPARE(window.DefaultFileName(), file);
    QVERIFY(!window.HasDataChangedSinceSave());

    // The report names the file once the project has one: analyse again, then ask the command line.
    window.Command("actAnalyse")->trigger();
    window.Run().WaitForRun();
    QStringList window_report;
    for (const std::string& line : window.Run().SavedResults().Lines) window_report << ToQ(line);
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    cli.setProcessEnvironment(env);
    cli.start(ProgramFile("trevalon"), {"analyse", file, "--report", "-"});
    QVERIFY(cli.waitForFinished(120000));
    QCOMPARE(cli.exitCode(), 0);
    // One report line per text line, each ended by CR LF.
    QStringList cli_report = QString::fromUtf8(cli.readAllStandardOutput()).split("\r\n");
    if (!cli_report.isEmpty() && cli_report.last().isEmpty()) cli_report.removeLast();
    QVERIFY(window_report.size() > 50);
    QCOMPARE(WithoutRunDate(window_report), WithoutRunDate(cli_report));

    // The floor is the sample's: its beams come out as the sample's do.
    QVERIFY(window.Files().OpenUserFile(ProgramFile("SampleAnalysis.tva")));
    window.Command("actAnalyse")->trigger();
    window.Run().WaitForRun();
    QCOMPARE(built, SummaryLines(window));
  }
};

TRV_UI_TEST_MAIN(TestEndToEnd)
#include "fEndToEnd_test.moc"
