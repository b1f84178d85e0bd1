// The paged report on Qt's printers: the sample's report as PDF, the print
// dialog with its PDF choice, page ranges and copies, and the line too long
// for a page.
#include "report/qt/cReportPrinter.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

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

// The sample's report (three beams' input, summary and full results) on A4:
// each line one row of 9 pt text, about 13.4 rows to the inch on the 10.2
// inches between the margins and above the footer.
TEST_F(SampleReport, PrintsToPdfOnTheExpectedPages) {
  QByteArray pdf;
  const TPrintOutcome printed = ReportPdf(report, RunDate(), pdf);
  ASSERT_TRUE(printed.Result.IsOK()) << printed.Result.Message();
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_EQ(printed.PageCount, 7);
  EXPECT_EQ(printed.PagesPrinted, 7);
  EXPECT_EQ(PdfPages(pdf), 7);

  // The file: the same pages, written whole.
  TempDir dir;
  ASSERT_TRUE(WriteReportPdf(report, dir.File("sample.pdf")).IsOK());
  EXPECT_EQ(PdfFilePages(dir.File("sample.pdf")), 7);
}

TEST_F(SampleReport, ColumnsFillTheA4PageBetweenItsMargins) {
  // What the printer code measures on a PDF page of A4 at 1200 dpi.
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(1200);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(9);
  const QFontMetrics metrics(font, &writer);
  const int w = metrics.horizontalAdvance(QLatin1Char('M'));
  // 210 mm at 1200 dpi.
  EXPECT_NEAR(writer.width(), 210 / 25.4 * 1200, 1);
  EXPECT_NEAR(w, 9.0 / 72 * 1200 * 0.86, 0.15 * 9.0 / 72 * 1200);  // "M" about 0.86 em wide
  const TPrintPageMetrics page{writer.width(), writer.height(), static_cast<double>(writer.logicalDpiX()), w,
                               metrics.height()};
  const TPrintPageLayout layout = PrintPageLayout(report, page);
  int total = 0;
  for (int c = 0; c < 11; ++c) total += ColumnPixels(report, layout, c);
  EXPECT_NEAR(total, writer.width() - 10 * w, 6);
  // 2.6 cm of 18.7 cm: the first column's share of the width between the margins.
  EXPECT_NEAR(ColumnPixels(report, layout, 0), (writer.width() - 10 * w) * 2.6 / 18.7, 0.5);
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
  EXPECT_TRUE(printed.IsCancelled);
  EXPECT_EQ(printed.PagesPrinted, 0);
  EXPECT_FALSE(FileExists(answer.PdfFile));
}

TEST(ReportPrinter, DialogOffersPrintToPdfAndThePageRange) {
  QPrinter printer(QPrinter::HighResolution);
  std::unique_ptr<QPrintDialog> dialog(MakePrintDialog(printer, 99, nullptr));
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

TEST(ReportPrinter, LineTallerThanAPagePrintsNothing) {
  TPrintableStringList list;
  SetReportPageLayout(list, "tall.tva");
  list.Add("before");
  std::string words;
  for (int i = 0; i < 6000; ++i) words += "word ";
  list.Add("\"" + words + "\"");
  list.Add("after");
  QByteArray pdf;
  const TPrintOutcome printed = ReportPdf(list, 0, pdf);
  EXPECT_EQ(printed.Result.Message(), "Line too long to fit on single page.");
  EXPECT_EQ(printed.PagesPrinted, 0);
  EXPECT_TRUE(pdf.isEmpty());
  TempDir dir;
  const TResult written = WriteReportPdf(list, dir.File("tall.pdf"));
  EXPECT_FALSE(written.IsOK());
  EXPECT_NE(written.Message().find("Line too long"), std::string::npos);
  EXPECT_TRUE(dir.Names().empty());
}
