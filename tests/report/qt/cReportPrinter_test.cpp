// The paged report on Qt's printers: the sample's report as PDF, the print
// dialog with its PDF choice, page ranges and copies, and the line too long
// for a page.
#include "report/qt/cReportPrinter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QComboBox>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextLayout>
#include <QTextOption>

#include "project/sample_fixture.h"
#include "entity/VEXUtility.h"
#include "temp_dir.h"

namespace {

int PdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
  int n = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) ++n;
  return n;
}

int PdfFilePages(const std::string& file) {
  std::string bytes;
  if (!ReadFileBytes(file, bytes).IsOK()) return -1;
  return PdfPages(QByteArray::fromStdString(bytes));
}

// The print dialog answered by the test: Print with the given range, copies
// and PDF file; or Cancel.
struct TDialogAnswer {
  bool IsAccepted = true;
  int From = 0, To = 0;  // 0: all pages
  int Copies = 1;
  std::string PdfFile;
  int MaxPageSeen = 0;
};

void AnswerDialog(TDialogAnswer& answer) {
  SetPrintDialogHook([&answer](QPrinter& printer, int max_page) {
    answer.MaxPageSeen = max_page;
    EXPECT_EQ(printer.printRange(), QPrinter::AllPages);  // preset to all pages
    if (!answer.IsAccepted) return false;
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(answer.PdfFile));
    if (answer.From > 0) {
      printer.setPrintRange(QPrinter::PageRange);
      printer.setFromTo(answer.From, answer.To);
    }
    printer.setCopyCount(answer.Copies);
    return true;
  });
}

class SampleReport : public SampleTest {
 protected:
  void SetUp() override {
    SampleTest::SetUp();
    report.Lines = Report();
    SetReportPageLayout(report, kSampleFile);
  }
  void TearDown() override { SetPrintDialogHook({}); }
  TPrintableStringList report;
};

}  // namespace

namespace {

// An A4 page at 1200 dots per inch as the PDF writer makes it (595 x 842
// points), measured with the report's 9 pt font: the margin m is 5 widths of
// "M"; the body runs from m down to the page height less m and the footer's
// two font heights. A row of one text line is the height Qt's word-wrapped
// layout gives "M"; a row fits while its bottom stays above the body's
// bottom, so a page holds the largest k rows with k x row < body height.
struct TA4Page {
  QByteArray Pdf;
  QBuffer Buffer{&Pdf};
  QPdfWriter Writer{&Buffer};
  TPrintPageMetrics Metrics;
  int RowHeight = 0;
  int LinesPerPage = 0;

  TA4Page() {
    Buffer.open(QIODevice::WriteOnly);
    Writer.setResolution(1200);
    Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    const QFontMetrics font(Font(), &Writer);
    Metrics = {Writer.width(), Writer.height(), static_cast<double>(Writer.logicalDpiX()),
               font.horizontalAdvance(QLatin1Char('M')), font.height()};
    RowHeight = LaidOutHeight(QStringLiteral("M"), 10000);
    const int m = 5 * Metrics.CharWidth;
    const int body = (Metrics.PageHeight - m - 2 * Metrics.CharHeight) - m;
    LinesPerPage = (body - 1) / RowHeight;
  }
  static QFont Font() {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(9);
    return font;
  }
  // Text lines a report line takes: its tallest cell, wrapped at words (and
  // inside a word wider than the cell) in its rectangle less a quarter "M".
  int TextLines(const TPrintableStringList& list, const std::string& line) {
    const TPrintPageLayout layout = PrintPageLayout(list, Metrics);
    int height = 0;
    for (const TPrintCell& cell : PrintRowCells(list, layout, line, 0, 100000))
      height = std::max(height, LaidOutHeight(QString::fromStdString(cell.Text),
                                              cell.Rect.Right - cell.Rect.Left - Metrics.CharWidth / 4));
    return std::max(1, static_cast<int>(std::lround(static_cast<double>(height) / RowHeight)));
  }
  int LaidOutHeight(const QString& Text, int Width) {
    QTextLayout layout(Text, Font(), &Writer);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    qreal height = 0;
    layout.beginLayout();
    for (QTextLine l = layout.createLine(); l.isValid(); l = layout.createLine()) {
      l.setLineWidth(std::max(1, Width));
      height += l.height();
    }
    layout.endLayout();
    return static_cast<int>(std::ceil(height));
  }
};

// Pages of text lines filled in order, a row moving whole to the next page
// when it does not fit.
int PagesFor(const std::vector<int>& rows, int lines_per_page) {
  int pages = 1, used = 0;
  for (int n : rows) {
    if (used > 0 && used + n > lines_per_page) {
      ++pages;
      used = 0;
    }
    used += n;
  }
  return pages;
}

}  // namespace

TEST(ReportPdf, PagesHoldTheLinesThatFitBetweenTheMargins) {
  TA4Page a4;
  // 9 pt is 150 dots at 1200 dpi; a sans-serif line is about 1.15 to 1.25 of it.
  EXPECT_GT(a4.RowHeight, 150);
  EXPECT_LT(a4.RowHeight, 200);
  ASSERT_GT(a4.LinesPerPage, 50);
  for (const int lines : {1, a4.LinesPerPage, a4.LinesPerPage + 1, 2 * a4.LinesPerPage + 5}) {
    SCOPED_TRACE(lines);
    TPrintableStringList list;
    SetReportPageLayout(list, "lines.tva");
    for (int i = 1; i <= lines; ++i) list.Add("line " + std::to_string(i) + ",1.5,kN");
    QByteArray pdf;
    const TPrintOutcome printed = ReportPdf(list, 0, pdf);
    ASSERT_TRUE(printed.Result.IsOK()) << printed.Result.Message();
    const int expected = (lines + a4.LinesPerPage - 1) / a4.LinesPerPage;
    EXPECT_EQ(printed.PageCount, expected);
    EXPECT_EQ(PdfPages(pdf), expected);
  }
}

// The sample's report (three beams' input, summary and full results): its
// labels in the narrow first column wrap onto two to four text lines, so the
// count is of text lines, not report lines.
TEST_F(SampleReport, PrintsToPdfOnTheExpectedPages) {
  TA4Page a4;
  std::vector<int> rows;
  for (const std::string& line : report.PrintableLines()) {
    ASSERT_EQ(line.find('\f'), std::string::npos);  // no forced page breaks in the sample
    rows.push_back(a4.TextLines(report, line));
  }
  const int expected = PagesFor(rows, a4.LinesPerPage);
  EXPECT_GT(expected, 1);

  QByteArray pdf;
  const TPrintOutcome printed = ReportPdf(report, RunDate(), pdf);
  ASSERT_TRUE(printed.Result.IsOK()) << printed.Result.Message();
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_EQ(printed.PageCount, expected);
  EXPECT_EQ(printed.PagesPrinted, expected);
  EXPECT_EQ(PdfPages(pdf), expected);

  // The file: the same pages, written whole.
  TempDir dir;
  ASSERT_TRUE(WriteReportPdf(report, dir.File("sample.pdf")).Result.IsOK());
  EXPECT_EQ(PdfFilePages(dir.File("sample.pdf")), expected);
}

TEST_F(SampleReport, ColumnsFillTheA4PageBetweenItsMargins) {
  TA4Page a4;
  const int w = a4.Metrics.CharWidth;
  // 595 points at 1200 dpi.
  EXPECT_NEAR(a4.Writer.width(), 595.0 / 72 * 1200, 1);
  EXPECT_NEAR(w, 9.0 / 72 * 1200 * 0.86, 0.15 * 9.0 / 72 * 1200);  // "M" about 0.86 em wide
  const TPrintPageLayout layout = PrintPageLayout(report, a4.Metrics);
  int total = 0;
  for (int c = 0; c < 11; ++c) total += ColumnPixels(report, layout, c);
  EXPECT_NEAR(total, a4.Writer.width() - 10 * w, 6);
  // 2.6 cm of 18.7 cm: the first column's share of the width between the margins.
  EXPECT_NEAR(ColumnPixels(report, layout, 0), (a4.Writer.width() - 10 * w) * 2.6 / 18.7, 0.5);
}

TEST_F(SampleReport, DialogPrintsTheChosenPagesAndCopies) {
  TempDir dir;
  TDialogAnswer answer;
  AnswerDialog(answer);

  answer.PdfFile = dir.File("range.pdf");
  answer.From = 2;
  answer.To = 3;
  TPrintOutcome printed = PrintText(report, 0, nullptr);
  ASSERT_TRUE(printed.Result.IsOK()) << printed.Result.Message();
  EXPECT_EQ(answer.MaxPageSeen, 99);
  EXPECT_EQ(printed.PagesPrinted, 2);
  EXPECT_EQ(PdfFilePages(answer.PdfFile), 2);

  // A PDF file cannot make copies itself: the document is printed twice.
  answer.PdfFile = dir.File("copies.pdf");
  answer.From = answer.To = 0;
  answer.Copies = 2;
  printed = PrintText(report, 5, nullptr);
  EXPECT_EQ(answer.MaxPageSeen, 5);
  EXPECT_EQ(printed.PagesPrinted, 10);  // all pages is capped at the 5 the caller allows
  EXPECT_EQ(PdfFilePages(answer.PdfFile), 10);

  // Cancel prints nothing.
  answer.IsAccepted = false;
  answer.PdfFile = dir.File("cancelled.pdf");
  printed = PrintText(report, 0, nullptr);
  EXPECT_TRUE(printed.Result.IsCancelled());
  EXPECT_EQ(printed.PagesPrinted, 0);
  EXPECT_FALSE(FileExists(answer.PdfFile));
}

TEST(ReportPrinter, DialogOffersPrintToPdfAndThePageRange) {
  QPrinter printer(QPrinter::HighResolution);
  std::unique_ptr<QPrintDialog> dialog(MakePrintDialog(printer, 99, nullptr));
  dialog->show();  // the printer list is filled when the dialog is shown
  QApplication::processEvents();
  EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintToFile));
  EXPECT_TRUE(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
  EXPECT_EQ(dialog->minPage(), 1);
  EXPECT_EQ(dialog->maxPage(), 99);
  EXPECT_EQ(printer.printRange(), QPrinter::AllPages);
  bool offers_pdf = false;
  for (const QComboBox* box : dialog->findChildren<QComboBox*>())
    for (int i = 0; i < box->count(); ++i) offers_pdf = offers_pdf || box->itemText(i).contains(QStringLiteral("PDF"));
  EXPECT_TRUE(offers_pdf);
}

// A line taller than a page (thousands of words, or one very long word in a
// description) goes on over the pages after it: the report prints.
TEST(ReportPrinter, LineTallerThanAPageGoesOnOverThePages) {
  std::string words;
  for (int i = 0; i < 6000; ++i) words += "word ";
  const struct {
    const char* what;
    std::string text;
  } cases[] = {{"words", words}, {"one word", std::string(12000, 'A')}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TPrintableStringList list;
    SetReportPageLayout(list, "tall.tva");
    list.Add("before");
    list.Add(",\"" + c.text + "\"");
    list.Add("after");
    QByteArray pdf;
    const TPrintOutcome printed = ReportPdf(list, 0, pdf);
    EXPECT_TRUE(printed.Result.IsOK()) << printed.Result.Message();
    EXPECT_GE(printed.PagesPrinted, 3);
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    TempDir dir;
    EXPECT_TRUE(WriteReportPdf(list, dir.File("tall.pdf")).Result.IsOK());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"tall.pdf"});
  }
}
