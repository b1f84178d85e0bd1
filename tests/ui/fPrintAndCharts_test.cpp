// Printing the results report from the window (the print dialog's choices,
// PDF through the same dialog) and the charts of the Graphics page: shown
// after every run, each chart drawn, resized with the page, saved as PNG and
// SVG and printed.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPlainTextEdit>
#include <QFile>
#include <QImage>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSplitter>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "engine/cBeam.h"
#include "entity/VEXNumberText.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "report/qt/cReportPrinter.h"
#include "ui/cUiUtility.h"
#include "ui/fGraphicsPage.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fProjectPages.h"
#include "ui/fResultsPage.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {


QByteArray ReadAll(const QString& File) {
  QFile f(File);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Pages of a PDF file as its page objects count them.
int PdfPageCount(const QString& File) {
  QFile f(File);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  const QString text = QString::fromLatin1(f.readAll());
  return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
}

// The pages `trevalon analyse --pdf` prints for the project: "(N pages)".
int CommandLinePages(const QString& Project, const QString& Pdf) {
  QProcess cli;
  cli.start(ProgramFile("trevalon"), {"analyse", Project, "--report", Pdf + ".csv", "--pdf", Pdf});
  if (!cli.waitForFinished(120000)) return -1;
  const QString out = QString::fromUtf8(cli.readAllStandardOutput());
  const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("\\((\\d+) pages?\\)")).match(out);
  return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The share of an image's pixels that are not white.
double InkShare(const QImage& Image) {
  if (Image.isNull()) return 0;
  const QImage rgb = Image.convertToFormat(QImage::Format_RGB32);
  qint64 ink = 0;
  for (int y = 0; y < rgb.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
    for (int x = 0; x < rgb.width(); ++x)
      if (qGray(line[x]) < 230) ++ink;
  }
  return double(ink) / (double(rgb.width()) * rgb.height());
}

// The print dialog answered as a user would: a PDF file on A4, pages From to To (0: all).
void AnswerPrintDialog(const QString& Pdf, int From = 0, int To = 0, int* MaxPage = nullptr) {
  SetPrintDialogHook([=](QPrinter& Printer, int Max) {
    if (MaxPage) *MaxPage = Max;
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(Pdf);
    Printer.setPageSize(QPageSize(QPageSize::A4));
    if (From > 0) {
      Printer.setPrintRange(QPrinter::PageRange);
      Printer.setFromTo(From, To);
    }
    return true;
  });
}

}  // namespace

class TestPrintAndCharts : public TWindowTest {
  Q_OBJECT
 private:
  TGraphicsPage& Graphics() { return *Window().Run().GraphicsPage(); }

 private slots:
  // Export, Save Image and Save As never write over a file the window reads:
  // the open project (unless it is the project saved into its own file) and
  // the library files beside the program. The message says which input it
  // is; the file is kept.
  void outputsNeverReplaceWhatTheWindowReads() {
    const QString project = File("job.tva");
    QVERIFY(QFile::copy(Sample(), project));
    QFile::link(project, File("job-link.csv"));
    QVERIFY(Window().Files().OpenUserFile(project));
    Analyse();
    const QByteArray before = ReadAll(project);
    const QString library = ProgramFile(QStringLiteral("Trevalon.tvl"));
    struct Row {
      const char* what;
      std::function<void()> act;
      QString message;
    } rows[] = {
        {"export over the project",
         [&] {
           Dialogs().Files.push_back(project);
           Window().Run().ExportResults();
         },
         project + " is also an input (project file " + project + ")"},
        {"export through a link to the project",
         [&] {
           Dialogs().Files.push_back(File("job-link.csv"));
           Window().Run().ExportResults();
         },
         File("job-link.csv") + " is also an input (project file " + project + ")"},
        {"a chart over the project", [&] { QVERIFY(!Graphics().SaveImageTo(project)); },
         project + " is also an input (project file " + project + ")"},
    };
    for (const Row& row : rows) {
      Dialogs().Clear();
      row.act();
      QVERIFY2(Dialogs().Messages.size() == 1, row.what);
      QCOMPARE(Dialogs().Messages.last(), row.message);
      QCOMPARE(ReadAll(project), before);
    }
    // The library is never a place to save to; the project's own file is.
    QCOMPARE(ToQ(CheckWindowOutput(library, project, true).Message()),
             library + " is also an input (library file " + library + ")");
    QVERIFY(CheckWindowOutput(project, project, true).IsOK());
    QVERIFY(!CheckWindowOutput(project, project, false).IsOK());
  }

  // Print pages the report as the command line's PDF does; the dialog's page
  // range prints those pages only; cancelling prints nothing.
  void printingGivesThePagedReport() {
    AnalyseSample();
    const int expected = CommandLinePages(Sample(), File("cli.pdf"));
    QVERIFY(expected >= 3);
    QCOMPARE(PdfPageCount(File("cli.pdf")), expected);

    int max_page = 0;
    AnswerPrintDialog(File("window.pdf"), 0, 0, &max_page);
    Window().Command("actPrint")->trigger();
    QCOMPARE(max_page, 99);
    QCOMPARE(PdfPageCount(File("window.pdf")), expected);
    QVERIFY(Window().EventLogText().contains("Printing results"));
    QVERIFY2(Dialogs().Messages.isEmpty(), qPrintable(Dialogs().Messages.join('\n')));

    AnswerPrintDialog(File("pages-2-3.pdf"), 2, 3);
    Window().Run().ResultsPage()->btnPrint()->click();
    QCOMPARE(PdfPageCount(File("pages-2-3.pdf")), 2);

    SetPrintDialogHook([](QPrinter&, int) { return false; });
    Window().Command("actPrint")->trigger();
    QVERIFY(Dialogs().Messages.isEmpty());

    // Out of date results are not printed.
    QVERIFY(Window().SelectNode(2));
    Type(Page<TGeneralPage>().edtDesigner(), "Someone else");
    QVERIFY(!Window().Command("actPrint")->isEnabled());
  }

  // The calculation report: there with the printed results (results that
  // match the input, no run), saved as PDF or HTML where the user chooses,
  // printed through the print dialog, and never over a file the window reads.
  void calculationReportFromTheWindowAndItsPrinter() {
    QAction* save = Window().Command("actCalculationReport");
    QAction* print = Window().Command("actPrintCalculationReport");
    QVERIFY(save && print);
    QVERIFY(Window().Menu("mnuFile")->actions().contains(save));
    QVERIFY(Window().Menu("mnuFile")->actions().contains(print));
    QVERIFY(!save->isEnabled() && !print->isEnabled());
    QVERIFY(!Window().Run().ResultsPage()->btnCalculation()->isEnabled());
    const QString project = File("job.tva");
    QVERIFY(QFile::copy(Sample(), project));
    QVERIFY(Window().Files().OpenUserFile(project));
    Analyse();
    QVERIFY(save->isEnabled() && print->isEnabled());
    QVERIFY(Window().Run().ResultsPage()->btnCalculation()->isEnabled());

    Dialogs().Files.push_back(File("calc.pdf"));
    save->trigger();
    QVERIFY2(Dialogs().Messages.isEmpty(), qPrintable(Dialogs().Messages.join('\n')));
    QVERIFY(ReadAll(File("calc.pdf")).startsWith("%PDF-"));
    const int pages = PdfPageCount(File("calc.pdf"));
    QVERIFY(pages >= 10);
    QVERIFY(Window().EventLogText().contains("Writing the calculation report to " + File("calc.pdf")));
    Dialogs().Files.push_back(File("calc.html"));
    Window().Run().ResultsPage()->btnCalculation()->click();
    const QByteArray html = ReadAll(File("calc.html"));
    QVERIFY(html.startsWith("<!DOCTYPE html>"));
    QVERIFY(html.contains("<svg") && html.contains("Sample office floor"));

    int max_page = 0;
    AnswerPrintDialog(File("printed.pdf"), 0, 0, &max_page);
    print->trigger();
    QCOMPARE(max_page, pages);
    QCOMPARE(PdfPageCount(File("printed.pdf")), pages);
    AnswerPrintDialog(File("printed-2-3.pdf"), 2, 3);
    print->trigger();
    QCOMPARE(PdfPageCount(File("printed-2-3.pdf")), 2);

    // Never over the project; only .pdf and .html.
    const QByteArray before = ReadAll(project);
    Dialogs().Clear();
    Dialogs().Files.push_back(project);
    save->trigger();
    QCOMPARE(Dialogs().Messages.size(), 1);
    QCOMPARE(Dialogs().Messages.last(), project + " is also an input (project file " + project + ")");
    QCOMPARE(ReadAll(project), before);
    Dialogs().Files.push_back(File("calc.txt"));
    save->trigger();
    QCOMPARE(Dialogs().Messages.last(), "Cannot write the calculation report to [" + File("calc.txt") +
                                            "]: the file name must end in .pdf or .html");
    QVERIFY(!QFile::exists(File("calc.txt")));

    // Out of date results give no report.
    QVERIFY(Window().SelectNode(2));
    Type(Page<TGeneralPage>().edtDesigner(), "Someone else");
    QVERIFY(!save->isEnabled() && !print->isEnabled());
  }

  // Hidden until the first results; then every chart of every beam is drawn
  // (ink on the page, each chart its own picture), follows the page's size,
  // saves as PNG and SVG and prints on one page.
  // Shown, the Graphics page takes at least half of the window's height. The
  // user may drag the splitter: the Graphics page keeps that share (in the
  // next window too), the other results pages keep theirs.
  void theGraphicsPageTakesHalfTheWindowAndKeepsTheUsersShare() {
    Window().resize(1600, 1000);
    AnalyseSample();
    QTabWidget& area = *Window().ResultsArea();
    auto* splitter = Window().findChild<QSplitter*>("splResults");
    QVERIFY(splitter);
    area.setCurrentWidget(&Graphics());
    area.setCurrentWidget(Window().EventLog());
    QApplication::processEvents();
    const int log_area = area.height();
    QVERIFY(log_area < Window().height() / 2);
    area.setCurrentWidget(&Graphics());
    QApplication::processEvents();
    QVERIFY2(Graphics().height() >= Window().height() / 2, qPrintable(QString::number(Graphics().height())));

    // Dragged higher.
    QWidget* handle = splitter->handle(1);
    const QPoint grip(handle->width() / 2, handle->height() / 2);
    const int before = Graphics().height();
    QTest::mousePress(handle, Qt::LeftButton, {}, grip);
    QTest::mouseMove(handle, grip - QPoint(0, 50));
    QTest::mouseMove(handle, grip - QPoint(0, 100));
    QTest::mouseRelease(handle, Qt::LeftButton, {}, grip - QPoint(0, 100));
    QApplication::processEvents();
    const int dragged = Graphics().height();
    QVERIFY2(dragged > before + 50, qPrintable(QString("%1 -> %2").arg(before).arg(dragged)));

    area.setCurrentWidget(Window().EventLog());
    QApplication::processEvents();
    QVERIFY(std::abs(area.height() - log_area) <= 4);
    area.setCurrentWidget(&Graphics());
    QApplication::processEvents();
    QVERIFY(std::abs(Graphics().height() - dragged) <= 4);

    QVERIFY(Window().close());
    ReopenWindow();
    Window().resize(1600, 1000);
    AnalyseSample();
    Window().ResultsArea()->setCurrentWidget(&Graphics());
    QApplication::processEvents();
    QVERIFY2(std::abs(Graphics().height() - dragged) <= 4, qPrintable(QString::number(Graphics().height())));
  }

  void everyChartIsDrawnOnTheGraphicsPage() {
    QTabWidget& area = *Window().ResultsArea();
    QVERIFY(!area.isTabVisible(area.indexOf(&Graphics())));
    AnalyseSample();
    QVERIFY(area.isTabVisible(area.indexOf(&Graphics())));
    area.setCurrentWidget(&Graphics());
    QVERIFY(Graphics().Chart()->height() >= 150);  // the results area makes room for the chart
    QCOMPARE(Graphics().cboBeam()->count(), 2);

    double least_ink = 1;
    for (int side : {1, 0}) {
      Graphics().SelectBeam(side);
      QList<QImage> pictures;
      for (int t = 0; t < kDrawingTypeCount; ++t) {
        Graphics().SelectChart(TDrawingType(t));
        QCOMPARE(Graphics().cboChart()->currentText(), ToQ(DrawingTypeCaption(TDrawingType(t))));
        const QImage picture = Graphics().Chart()->grab().toImage();
        least_ink = std::min(least_ink, InkShare(picture));
        QVERIFY2(InkShare(picture) > 0.02, qPrintable(Graphics().cboChart()->currentText()));
        QVERIFY(!pictures.contains(picture));
        pictures << picture;
      }
    }

    // Resized with the page.
    const QSize before = Graphics().Chart()->size();
    Window().resize(Window().width() + 200, Window().height());
    QTRY_VERIFY(Graphics().Chart()->width() > before.width());
    QCOMPARE(Graphics().Chart()->grab().size(), Graphics().Chart()->size());

    // PNG and SVG.
    Graphics().SelectChart(dtShearConnectorDistribution);
    QVERIFY(Graphics().SaveImageTo(File("chart.png")));
    const QImage png(File("chart.png"));
    QCOMPARE(png.size(), QSize(1600, 800));
    QVERIFY(InkShare(png) > 0.005);
    Dialogs().Files.push_back(File("chart.svg"));
    Graphics().btnSaveImage()->click();
    QFile svg(File("chart.svg"));
    QVERIFY(svg.open(QIODevice::ReadOnly));
    QVERIFY(svg.readAll().contains("<svg"));

    // One printed page, landscape, with its title block: the project, the
    // beam, the chart, the day and the program.
    AnswerPrintDialog(File("chart.pdf"));
    Graphics().btnPrint()->click();
    QCOMPARE(PdfPageCount(File("chart.pdf")), 1);
    const QRegularExpressionMatch box =
        QRegularExpression("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]").match(QString::fromLatin1(ReadAll(File("chart.pdf"))));
    QVERIFY(box.hasMatch());
    QVERIFY(box.captured(1).toDouble() > box.captured(2).toDouble());
    const TChartTitleBlock block = Graphics().TitleBlock();
    QCOMPARE(block.Project, std::string("Sample office floor (SampleAnalysis.tva)"));
    QCOMPARE(block.Beam, Graphics().Chart()->Beam()->LongName());
    QCOMPARE(block.Chart, DrawingTypeCaption(dtShearConnectorDistribution));
    QCOMPARE(block.Date, FormatShortDate(std::time(nullptr)));
    QCOMPARE(block.Program, GetAppName() + "/V" + GetAppVersionShort());

    // Saving copies the pages into the project; the charts still draw the results.
    Dialogs().Files.push_back(File("saved.tva"));
    Window().Command("actSaveAs")->trigger();
    QCOMPARE(Window().DefaultFileName(), File("saved.tva"));
    for (int t = 0; t < kDrawingTypeCount; ++t) {
      Graphics().SelectChart(TDrawingType(t));
      QVERIFY(InkShare(Graphics().Chart()->grab().toImage()) > 0.02);
    }

    // An input change leaves nothing to draw from.
    QVERIFY(Window().SelectNode(2));
    Type(Page<TGeneralPage>().edtDesigner(), "Someone else");
    QVERIFY(!Graphics().HasResults());
    QVERIFY(!Graphics().Chart()->Beam());
    QVERIFY(!Graphics().btnSaveImage()->isEnabled());
    // Two lines of text where the chart was.
    QVERIFY(InkShare(Graphics().Chart()->grab().toImage()) < least_ink / 2);
  }
};

TRV_UI_TEST_MAIN(TestPrintAndCharts)
#include "fPrintAndCharts_test.moc"
