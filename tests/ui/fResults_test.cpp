// The results as an engineer meets them after Analyse: the summary lines
// against the command line's, the report tree and its "Display?" filter,
// Export against `trevalon analyse --report`, the up and down buttons that
// analyse a beam again with its neighbouring library section, and the clear
// states before and after an analysis.
#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QTreeView>

#include "components/cSteelSection.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"
#include "ui/fFloorPages.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fProjectPages.h"
#include "ui/fResultsPage.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {


// `trevalon analyse PROJECT --report REPORT`: its standard output.
QString RunCommandLine(const QString& Project, const QString& Report) {
  QProcess cli;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("LC_ALL", "C");
  cli.setProcessEnvironment(env);
  cli.start(ProgramFile("trevalon"), {"analyse", Project, "--report", Report});
  if (!cli.waitForFinished(120000)) return {};
  return QString::fromUtf8(cli.readAllStandardOutput());
}

// A summary line as shown, in the command line's columns: name, grade,
// section, ratios, camber, connectors, then "OK" or "FAIL  " + error.
QStringList SummaryCells(const TSummaryResultsPage& Summary, int Side) {
  QStringList cells;
  for (int c = 0; c < TSummaryResultsPage::colCount; ++c) cells << Summary.Text(Side, TSummaryResultsPage::TColumn(c));
  cells << (Summary.IsTickShown(Side) ? QStringLiteral("OK") : QStringLiteral("FAIL  ") + Summary.ErrorText(Side));
  return cells;
}

QByteArray ReadAll(const QString& File) {
  QFile f(File);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The rows of the tree shown, by the categories they belong to.
QList<int> ShownCategories(const TAnalysisResultsPage& Page) {
  QList<int> shown;
  for (int row = 0; row < Page.Model().rowCount(); ++row)
    if (Page.IsRowShown(row) && !shown.contains(Page.Model().Category(row))) shown << Page.Model().Category(row);
  std::sort(shown.begin(), shown.end());
  return shown;
}

}  // namespace

class TestResults : public TWindowTest {
  Q_OBJECT
 private:
  TAnalysisResultsPage& ResultsPage() { return *Window().Run().ResultsPage(); }
  const TSummaryResultsPage& Summary() { return *Window().Run().Summary(); }

 private slots:
  // Before any analysis the results say so; after one, an input change
  // clears them and says why; nothing offers to export or print nothing.
  void theStatesBeforeAndAfterResults() {
    QVERIFY(ResultsPage().lblNoResults()->isVisibleTo(&ResultsPage()));
    QCOMPARE(ResultsPage().Model().rowCount(), 0);
    QVERIFY(!Window().Command("actExportResults")->isEnabled());
    QVERIFY(!ResultsPage().btnPrint()->isEnabled());
    for (int side = 0; side < 3; ++side) QVERIFY(!Summary().AreStepButtonsShown(side));

    AnalyseSample();
    QVERIFY(ResultsPage().tvResults()->isVisibleTo(&ResultsPage()));
    QCOMPARE(ResultsPage().Model().rowCount(), int(Window().Run().SavedResults().Lines.size()));
    QVERIFY(ResultsPage().btnExport()->isEnabled());
    QVERIFY(ResultsPage().btnPrint()->isEnabled());

    QVERIFY(Window().SelectNode(2));
    Type(Page<TGeneralPage>().edtDesigner(), "Someone else");
    QVERIFY(Window().HasDataChangedSinceCalc());
    QCOMPARE(ResultsPage().Model().rowCount(), 0);
    QVERIFY(ResultsPage().lblNoResults()->text().contains("changed"));
    QVERIFY(Summary().Text(1, TSummaryResultsPage::colStrength).isEmpty());
    QVERIFY(!Summary().AreStepButtonsShown(1));
    QVERIFY(!ResultsPage().btnPrint()->isEnabled());
    // The last results can still be exported.
    QVERIFY(ResultsPage().btnExport()->isEnabled());
  }

  // Under the beams' lines, the floor vibration line: the command line's
  // text with a tick, a cross and why when it fails, nothing before a run or
  // after an input change, "not checked" without tick or cross when off.
  void theFloorVibrationLineUnderTheBeams() {
    QVERIFY(Summary().VibrationText().isEmpty());
    AnalyseSample();
    QCOMPARE(Summary().VibrationText(), QStringLiteral("fn 3.44 Hz, peak acceleration 0.48 %g (limit 0.50 %g)"));
    QVERIFY(Summary().IsVibrationTickShown());
    QVERIFY(!Summary().IsVibrationCrossShown());
    const QString out = RunCommandLine(Sample(), File("cli.csv"));
    QVERIFY2(out.contains("Floor vibration: " + Summary().VibrationText() + " OK"), qPrintable(out));

    auto& page = Page<TFloorVibrationPage>();
    QVERIFY(Window().SelectNode(16));
    Type(page.fldAccelerationLimit().Edit, "0.25");
    QVERIFY(Summary().VibrationText().isEmpty());
    QVERIFY(!Summary().IsVibrationTickShown());
    Analyse();
    QCOMPARE(Summary().VibrationText(), QStringLiteral("fn 3.44 Hz, peak acceleration 0.48 %g (limit 0.25 %g)"));
    QVERIFY(Summary().IsVibrationCrossShown());
    QCOMPARE(Summary().VibrationErrorText(), QStringLiteral("Peak acceleration above the limit"));
    // The beams pass as before.
    QVERIFY(Summary().IsTickShown(1));
    QVERIFY(Summary().IsTickShown(0));

    Click(page.chkIsChecked());
    Analyse();
    QCOMPARE(Summary().VibrationText(), QStringLiteral("not checked"));
    QVERIFY(!Summary().IsVibrationTickShown());
    QVERIFY(!Summary().IsVibrationCrossShown());
    QVERIFY(!std::count(Window().Run().SavedResults().Lines.begin(), Window().Run().SavedResults().Lines.end(), "FLOOR VIBRATION"));
  }

  // The summary lines show what `trevalon analyse` prints for the same file,
  // and Export writes byte for byte the report the command line writes.
  void summaryAndExportMatchTheCommandLine() {
    AnalyseSample();
    const QString cli_report = File("cli.csv");
    const QString out = RunCommandLine(Sample(), cli_report);
    QVERIFY2(out.contains("Analysis complete"), qPrintable(out));
    QList<QStringList> cli_rows;
    for (const QString& line : out.split('\n'))
      cli_rows << line.split(QRegularExpression("\\s{2,}(?=\\S)"));

    int lines = 0;
    for (int side : {1, 2, 0}) {
      if (!Summary().IsLineVisible(side)) continue;
      ++lines;
      const QStringList cells = SummaryCells(Summary(), side);
      QVERIFY2(cli_rows.contains(cells), qPrintable(cells.join(" | ") + "\nnot in\n" + out));
      QVERIFY(Summary().IsTickShown(side) != Summary().IsCrossShown(side));
      QCOMPARE(Summary().AreStepButtonsShown(side), !cells[TSummaryResultsPage::colGrade].isEmpty());
    }
    QCOMPARE(lines, 2);  // the sample's primary beam and side-1 secondary beam

    // Export proposes the project's name with ".csv" and writes the report.
    const QString exported = File("window.csv");
    Dialogs().Files.push_back(exported);
    ResultsPage().btnExport()->click();
    QCOMPARE(Dialogs().FileCaptions.size(), 1);
    QVERIFY(Window().EventLogText().contains("Exporting analysis results to " + exported));
    const QByteArray expected = ReadAll(cli_report);
    QVERIFY(expected.size() > 1000);
    QCOMPARE(ReadAll(exported), expected);

    // Cancelled: nothing written. Unwritable: the error, and nothing else changes.
    QFile::remove(exported);
    Window().Command("actExportResults")->trigger();
    QVERIFY(!QFile::exists(exported));
    Dialogs().Files.push_back(File("no-such-folder/results.csv"));
    Window().Run().ExportResults();
    QCOMPARE(Dialogs().Messages.size(), 1);
    QCOMPARE(Dialogs().Messages.last(), "Unable to save to file " + File("no-such-folder/results.csv") +
                                            "\r\nThe file may be being used by another program");
    QCOMPARE(int(Window().Run().SavedResults().Lines.size()), ResultsPage().Model().rowCount());
  }

  // The proposal for an untitled project is the program's name with ".csv".
  void exportProposesTheProjectsName() {
    QString proposed;
    SetFileDialogHook([&](TFileDialogKind, const QString&, const QString& Start) {
      proposed = Start;
      return QString();
    });
    AnalyseSample();
    Window().Run().ExportResults();
    QCOMPARE(proposed, ToQ(DeriveFileName(ToStd(Sample()), "", ".csv")));
    Window().Command("actNew")->trigger();
    Window().Run().ExportResults();
    QCOMPARE(QFileInfo(proposed).fileName(), QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + ".csv");
  }

  // On a 1600 x 1000 window every column is as wide as its widest text (up
  // to kResultsColumnCapChars characters, the rest in the tooltip), the tree
  // follows the window's width, and the user may still resize a column.
  void theResultsTreeIsReadable() {
    Window().resize(1600, 1000);
    AnalyseSample();
    QVERIFY(Window().SelectNode(800));
    QApplication::processEvents();
    QTreeView& tree = *ResultsPage().tvResults();
    const TResultsTreeModel& model = ResultsPage().Model();
    const QFontMetrics metrics(tree.font());
    const int cap = metrics.horizontalAdvance(QString(kResultsColumnCapChars, QLatin1Char('n')));
    int long_fields = 0;
    for (int row = 0; row < model.rowCount(); ++row)
      for (int c = 0; c < model.columnCount(); ++c) {
        const QString text = model.index(row, c).data().toString();
        if (text.isEmpty()) continue;
        const int needed = std::min(cap, metrics.horizontalAdvance(text));
        QVERIFY2(tree.columnWidth(c) >= needed, qPrintable(QString("column %1: %2").arg(c).arg(text)));
        const QString tip = model.index(row, c).data(Qt::ToolTipRole).toString();
        if (text.size() > kResultsColumnCapChars) {
          QCOMPARE(tip, text);
          ++long_fields;
        } else {
          QVERIFY(tip.isEmpty());
        }
      }
    QVERIFY(long_fields > 0);  // the project's description, for one
    // Units as the pages write them.
    bool density = false;
    for (int row = 0; row < model.rowCount() && !density; ++row)
      for (int c = 0; c < model.columnCount(); ++c)
        if (model.index(row, c).data().toString() == QStringLiteral("Concrete Density (kg/m\u00B3)")) density = true;
    QVERIFY(density);

    // The tree takes the page's width, and follows the window.
    const int wide = tree.width();
    QVERIFY(wide > Window().width() / 2);
    Window().resize(1300, 1000);
    QApplication::processEvents();
    QVERIFY(tree.width() < wide);
    // Still the user's to resize.
    QCOMPARE(tree.header()->sectionResizeMode(1), QHeaderView::Interactive);
    tree.header()->resizeSection(1, 60);
    QCOMPARE(tree.columnWidth(1), 60);
  }

  // Each box hides and shows its part of the report; the header lines stay.
  void filtersHideAndShowTheirCategories() {
    AnalyseSample();
    QVERIFY(Window().SelectNode(800));
    QVERIFY(!Window().Run().IsRunning());  // results up to date: choosing the node does not analyse again
    TAnalysisResultsPage& page = ResultsPage();
    const TResultsTreeModel& model = page.Model();
    // The report's parts in order: header lines, then the four parts.
    QCOMPARE(model.Category(0), rcAlwaysShown);
    QVERIFY(model.Line(0).startsWith("Trevalon"));
    QCOMPARE(ShownCategories(page), (QList<int>{0, 1, 2, 3, 4}));
    for (int row = 0; row < model.rowCount(); ++row) {
      if (model.Line(row).startsWith("PROJECT SETTINGS")) QCOMPARE(model.Category(row), rcProjectSettings);
      if (row > 0) QVERIFY(model.Category(row) == rcAlwaysShown ? model.Category(row - 1) == rcAlwaysShown : true);
    }

    QCheckBox* const boxes[] = {page.chkProjectSettings(), page.chkInputData(), page.chkSummary(), page.chkDetail()};
    for (int category = 0; category < 4; ++category) {
      QTest::mouseClick(boxes[category], Qt::LeftButton);
      QList<int> expected{0, 1, 2, 3, 4};
      expected.removeAll(category);
      QCOMPARE(ShownCategories(page), expected);
      QTest::mouseClick(boxes[category], Qt::LeftButton);
      QCOMPARE(ShownCategories(page), (QList<int>{0, 1, 2, 3, 4}));
    }
    for (QCheckBox* box : boxes) box->setChecked(false);
    QCOMPARE(ShownCategories(page), QList<int>{4});
    // A new report keeps the choice.
    Analyse();
    QCOMPARE(ShownCategories(page), QList<int>{4});
  }

  // A report without its "FULL RESULTS" part leaves the later lines in the
  // summary; quoted fields keep their commas; columns follow the widest line.
  void linesFallIntoTheirCategories() {
    TAnalysisResultsPage& page = ResultsPage();
    page.BuildResultsTree({"Trevalon/V1", "Input file,x.tva", "Project settings,", "a,1", "Input data", "b",
                           "Summary results", "c,\"d, e\",f", "g", ""});
    const TResultsTreeModel& model = page.Model();
    QCOMPARE(model.columnCount(), 3);
    QCOMPARE(model.index(7, 1).data().toString(), QStringLiteral("d, e"));
    QCOMPARE(model.index(8, 2).data().toString(), QString());
    const QList<int> categories{4, 4, 0, 0, 1, 1, 2, 2, 2, 2};
    for (int row = 0; row < model.rowCount(); ++row) QCOMPARE(int(model.Category(row)), categories[row]);
    page.chkSummary()->setChecked(false);
    QCOMPARE(ShownCategories(page), (QList<int>{0, 1, 4}));
    // Copy gives the selected lines as the report holds them.
    page.chkSummary()->setChecked(true);
    page.tvResults()->selectionModel()->select(model.index(7, 0),
                                             QItemSelectionModel::Select | QItemSelectionModel::Rows);
    QCOMPARE(page.SelectedLines(), QStringList{"c,\"d, e\",f"});
  }

  // Up takes the next (heavier) library section of the type and grade, down
  // the one before; the beam is analysed again with it and the section page
  // of the current beam shows it. At the end of the range the section stays
  // and the analysis still runs.
  void upAndDownChangeTheSectionAndAnalyseAgain() {
    AnalyseSample();
    QCOMPARE(Summary().Text(1, TSummaryResultsPage::colSection), QStringLiteral("360UB44.7"));
    const QString before = Summary().Text(1, TSummaryResultsPage::colStrength);

    QTest::mouseClick(Summary().StepButton(1, +1), Qt::LeftButton);
    Window().Run().WaitForRun();
    QVERIFY(!Window().HasDataChangedSinceCalc());
    QCOMPARE(Summary().Text(1, TSummaryResultsPage::colSection), QStringLiteral("310UB46.2"));
    const TImportedBeam& beam = *Window().Project().GetBeam(1);
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      QCOMPARE(QString::fromStdString(beam.SteelSection(i)->Name), QStringLiteral("310UB46.2"));
      QCOMPARE(beam.SteelSection(i)->BaseSteelSection.d, 307.2);  // the library's depth of 310UB46.2
    }
    QVERIFY(Summary().Text(1, TSummaryResultsPage::colStrength) != before);
    QVERIFY(ResultsPage().Model().rowCount() > 0);
    QVERIFY(Window().HasDataChangedSinceSave());
    // The primary beam was not touched.
    QCOMPARE(Summary().Text(0, TSummaryResultsPage::colSection), QStringLiteral("530UB82.0"));

    // Down twice from the current beam's section page: the page follows.
    QVERIFY(Window().SelectNode(112, "Section definition"));
    auto& section = Page<TSectionDefinitionPage>();
    QTest::mouseClick(Summary().StepButton(1, -1), Qt::LeftButton);
    Window().Run().WaitForRun();
    QTest::mouseClick(Summary().StepButton(1, -1), Qt::LeftButton);
    Window().Run().WaitForRun();
    QCOMPARE(Summary().Text(1, TSummaryResultsPage::colSection), QStringLiteral("310UB40.4"));
    QCOMPARE(section.cboSection()->currentText(), QStringLiteral("310UB40.4"));
    QCOMPARE(QString::fromStdString(beam.SteelSection(0)->Name), QStringLiteral("310UB40.4"));

    // The lightest KESTREL UB has nothing below it.
    Choose(section.cboSection(), "150UB14.0");
    Analyse();
    const int runs = Window().EventLogText().count("Running analysis...");
    QTest::mouseClick(Summary().StepButton(1, -1), Qt::LeftButton);
    Window().Run().WaitForRun();
    QCOMPARE(Window().EventLogText().count("Running analysis..."), runs + 1);
    QCOMPARE(Summary().Text(1, TSummaryResultsPage::colSection), QStringLiteral("150UB14.0"));
    QVERIFY(!Window().HasDataChangedSinceCalc());
  }
};

TRV_UI_TEST_MAIN(TestResults)
#include "fResults_test.moc"
