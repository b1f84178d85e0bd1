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
#include <QFontMetricsF>
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
// "M"; the body runs from the header's two font heights below m down to the
// page height less m and the footer's two font heights. A row of one text
// line is one font height; a row fits while its bottom stays above the
// body's bottom, so a page holds the largest k rows with k x row < body height.
//
// Cells wrap at blanks only, a number and the unit after it staying
// together, in the columns each block of lines gets (FitColumns) from the
// widths of those tokens.
struct TA4Page : public TPrintRowMeasure {
  QByteArray Pdf;
  QBuffer Buffer{&Pdf};
  QPdfWriter Writer{&Buffer};
  TPrintPageMetrics Metrics;
  int LineHeight = 0;
  int LinesPerPage = 0;
  int Padding = 0;

  TA4Page() {
    Buffer.open(QIODevice::WriteOnly);
    Writer.setResolution(1200);
    Writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    const QFontMetrics font(Font(), &Writer);
    Metrics = {Writer.width(), Writer.height(), static_cast<double>(Writer.logicalDpiX()),
               font.horizontalAdvance(QLatin1Char('M')), font.height()};
    Padding = Metrics.CharWidth / 4;
    LineHeight = static_cast<int>(std::ceil(QFontMetricsF(Font(), &Writer).height()));
    const int m = 5 * Metrics.CharWidth;
    const int body = (Metrics.PageHeight - m - 2 * Metrics.CharHeight) - (m + 2 * Metrics.CharHeight);
    LinesPerPage = (body - 1) / LineHeight;
  }
  static QFont Font(double Scale = 1) {
    QFont font(QStringLiteral("Tahoma"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9 * Scale);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
    return font;
  }
  // The tokens of a cell: words, a number joined to its unit ("55 mm").
  static QStringList Tokens(const QString& Text) {
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9.,]*[0-9][0-9.,%]*$"));
    static const QRegularExpression unit(QStringLiteral("^(%|[A-Za-z\u00B5][A-Za-z0-9/^\u00B2\u00B3]{0,5})$"));
    const QStringList words = Text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    QStringList tokens;
    for (int i = 0; i < words.size(); ++i) {
      if (i + 1 < words.size() && number.match(words[i]).hasMatch() && unit.match(words[i + 1]).hasMatch() &&
          words[i + 1].size() <= 6) {
        tokens << words[i] + QLatin1Char(' ') + words[i + 1];
        ++i;
      } else {
        tokens << words[i];
      }
    }
    return tokens;
  }
  int TokenWidth(const TPrintCell& Cell) override {
    const QFontMetricsF metrics(Font(Cell.FontScale), &Writer);
    double widest = 0;
    for (const QString& t : Tokens(QString::fromStdString(Cell.Text))) widest = std::max(widest, metrics.horizontalAdvance(t));
    return static_cast<int>(std::ceil(widest)) + 2 * Padding + 1;
  }
  // Text lines of a cell wrapped at blanks in its rectangle less a quarter "M".
  int CellLines(const TPrintCell& Cell) {
    const QFontMetricsF metrics(Font(Cell.FontScale), &Writer);
    const double width = Cell.Rect.Right - Cell.Rect.Left - Padding;
    int lines = 0;
    double used = -1;
    for (const QString& t : Tokens(QString::fromStdString(Cell.Text))) {
      const double w = metrics.horizontalAdvance(t);
      if (used >= 0 && used + metrics.horizontalAdvance(QLatin1Char(' ')) + w <= width) {
        used += metrics.horizontalAdvance(QLatin1Char(' ')) + w;
        continue;
      }
      ++lines;
      used = w;
    }
    return std::max(1, lines);
  }
  int Lines(const std::vector<TPrintCell>& Cells) {
    int lines = 1;
    for (const TPrintCell& c : Cells) lines = std::max(lines, CellLines(c));
    return lines;
  }
  int RowHeight(const std::vector<TPrintCell>& Cells) override { return Lines(Cells) * LineHeight; }
  // Text lines each printable line of the list takes, block by block.
  std::vector<int> TextLines(const TPrintableStringList& list) {
    const TPrintPageLayout layout = PrintPageLayout(list, Metrics);
    const TStringList lines = list.PrintableLines();
    std::vector<int> rows;
    for (size_t first = 0; first < lines.size();) {
      size_t last = first;
      while (last < lines.size() && !Trim(lines[last]).empty()) ++last;
      if (last == first) {
        rows.push_back(1);
        ++first;
        continue;
      }
      const TStringList block(lines.begin() + static_cast<long>(first), lines.begin() + static_cast<long>(last));
      const TColumnFit fit = FitColumns(list, layout, block, *this);
      for (const std::string& line : block)
        rows.push_back(Lines(PrintRowCells(list, layout, line, 0, 100000, fit)));
      first = last;
    }
    return rows;
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
  EXPECT_GT(a4.LineHeight, 150);
  EXPECT_LT(a4.LineHeight, 200);
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
  for (const std::string& line : report.PrintableLines())
    ASSERT_EQ(line.find('\f'), std::string::npos);  // no forced page breaks in the sample
  const int expected = PagesFor(a4.TextLines(report), a4.LinesPerPage);
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
