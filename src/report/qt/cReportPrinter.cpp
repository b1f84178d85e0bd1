#include "report/qt/cReportPrinter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
#include <QTextLayout>
#include <QTextOption>
#include <algorithm>
#include <cmath>
#include <memory>

#include "entity/VEXUtility.h"

namespace {

TPrintDialogHook& DialogHook() {
  static TPrintDialogHook hook;
  return hook;
}

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The report's font: "Tahoma" where the system has it, else the closest sans-serif one.
QFont ReportFont(int PointSize) {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(PointSize);
  return font;
}

int CellPadding(const QFontMetrics& Metrics) { return Metrics.horizontalAdvance(QLatin1Char('M')) / 4; }

QRect ToQRect(const TPrintRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }

// A cell's text: word wrapped, kept a quarter of an "M" clear of the next
// column, and a word wider than its column broken inside it rather than cut
// off at the column's edge or run into the next cell.
class TCellText {
 public:
  TCellText(const TPrintCell& Cell, const QFont& Font, const QPaintDevice* Device, int Padding)
      : layout_(ToQ(Cell.Text), Font, Device) {
    QTextOption option(Qt::AlignLeft | Qt::AlignTop);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout_.setTextOption(option);
    const qreal width = std::max(1, Cell.Rect.Right - Cell.Rect.Left - Padding);
    layout_.beginLayout();
    for (QTextLine line = layout_.createLine(); line.isValid(); line = layout_.createLine()) {
      line.setLineWidth(width);
      line.setPosition(QPointF(0, height_));
      height_ += line.height();
    }
    layout_.endLayout();
  }
  int Height() const { return static_cast<int>(std::ceil(height_)); }
  void Draw(QPainter& Painter, const TPrintRect& Rect) { layout_.draw(&Painter, QPointF(Rect.Left, Rect.Top)); }

 private:
  QTextLayout layout_;
  qreal height_ = 0;
};

// Row heights as the printer's font lays the cells out.
class TQtRowMeasure : public TPrintRowMeasure {
 public:
  TQtRowMeasure(const QFont& Font, const QPaintDevice* Device, int Padding)
      : font_(Font), device_(Device), padding_(Padding) {}
  int RowHeight(const std::vector<TPrintCell>& Cells) override {
    int height = 0;
    for (const TPrintCell& cell : Cells) height = std::max(height, TCellText(cell, font_, device_, padding_).Height());
    return height;
  }

 private:
  const QFont& font_;
  const QPaintDevice* device_;
  int padding_;
};

void DrawHeaderFooter(QPainter& Painter, const TPrintRect& Rect, const std::string (&Texts)[3], bool IsHeader) {
  static constexpr Qt::Alignment kAlign[3] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
  for (int h = 0; h < 3; ++h) {
    if (Texts[h].empty()) continue;
    Painter.drawText(ToQRect(Rect), kAlign[h] | (IsHeader ? Qt::AlignTop : Qt::AlignBottom) | Qt::TextSingleLine,
                     ToQ(Texts[h]));
  }
}

void DrawPage(QPainter& Painter, const TPrintPlan& Plan, const TPrintedPage& Page, const QFont& Body,
              const QFont& Small, int Padding) {
  const TPrintPageLayout& layout = Plan.Layout;
  Painter.setFont(Small);
  if (layout.HasHeader) DrawHeaderFooter(Painter, layout.HeaderRect, Page.HeaderTexts, true);
  if (layout.HasFooter) DrawHeaderFooter(Painter, layout.FooterRect, Page.FooterTexts, false);
  Painter.setFont(Body);
  // A row taller than the body (alone on its page) runs on into the footer rather than being cut.
  for (const TPrintedRow& row : Page.Rows)
    for (const TPrintCell& cell : row.Cells) TCellText(cell, Body, Painter.device(), Padding).Draw(Painter, cell.Rect);
}

}  // namespace

TPrintOutcome PrintTextOn(QPagedPaintDevice& Device, const TPrintableStringList& List, int FromPage, int ToPage,
                          int Copies, std::time_t Now) {
  TPrintOutcome outcome;
  const QFont body = ReportFont(9), small = ReportFont(8);
  const QFontMetrics metrics(body, &Device);
  TPrintPageMetrics page;
  page.PageWidth = Device.width();
  page.PageHeight = Device.height();
  page.PixelsPerInch = Device.logicalDpiX();
  page.CharWidth = metrics.horizontalAdvance(QLatin1Char('M'));
  page.CharHeight = metrics.height();
  const int padding = CellPadding(metrics);
  TQtRowMeasure measure(body, &Device, padding);
  const TPrintPlan plan = PlanPrintedPages(List, page, measure, std::max(1, FromPage), ToPage, Now);
  outcome.PageCount = plan.PageCount;
  if (!plan.IsOK()) {
    outcome.Result = TResult::Failure(plan.Error);
    return outcome;
  }
  if (plan.Pages.empty()) {
    outcome.Result = TResult::Failure("The report has no page " + std::to_string(FromPage) + " to print");
    return outcome;
  }

  QPainter painter;
  if (!painter.begin(&Device)) {
    outcome.Result = TResult::Failure("Unable to start printing");
    return outcome;
  }
  painter.setRenderHint(QPainter::TextAntialiasing);
  for (int copy = 0; copy < std::max(1, Copies); ++copy)
    for (const TPrintedPage& p : plan.Pages) {
      if (outcome.PagesPrinted > 0 && !Device.newPage()) {
        painter.end();
        outcome.Result = TResult::Failure("Unable to start a new page");
        return outcome;
      }
      DrawPage(painter, plan, p, body, small, padding);
      ++outcome.PagesPrinted;
    }
  if (!painter.end()) outcome.Result = TResult::Failure("Unable to finish printing");
  return outcome;
}

QPrintDialog* MakePrintDialog(QPrinter& Printer, int MaxPage, QWidget* Parent) {
  auto* dialog = new QPrintDialog(&Printer, Parent);
  dialog->setOption(QAbstractPrintDialog::PrintPageRange, true);
  dialog->setOption(QAbstractPrintDialog::PrintToFile, true);  // "Print to File (PDF)"
  dialog->setOption(QAbstractPrintDialog::PrintShowPageSize, true);
  dialog->setOption(QAbstractPrintDialog::PrintCollateCopies, true);
  dialog->setMinMax(1, MaxPage);
  Printer.setPrintRange(QPrinter::AllPages);
  Printer.setFromTo(1, MaxPage);
  return dialog;
}

void SetPrintDialogHook(TPrintDialogHook Hook) { DialogHook() = std::move(Hook); }

bool ExecPrintDialog(QPrinter& Printer, int MaxPage, QWidget* Parent) {
  if (DialogHook()) {
    Printer.setPrintRange(QPrinter::AllPages);
    Printer.setFromTo(1, MaxPage);
    return DialogHook()(Printer, MaxPage);
  }
  std::unique_ptr<QPrintDialog> dialog(MakePrintDialog(Printer, MaxPage, Parent));
  return dialog->exec() == QDialog::Accepted;
}

TPrintOutcome PrintText(const TPrintableStringList& List, int MaxPages, QWidget* Parent) {
  QPrinter printer(QPrinter::HighResolution);
  // The whole sheet, as the PDF report has it: the report keeps its own
  // margins, so the window prints the same pages as `trevalon analyse --pdf`.
  printer.setFullPage(true);
  std::string file;
  for (const auto& [name, value] : List.Parameters())
    if (SameText(name, "&[File]")) file = value;
  if (!file.empty()) printer.setDocName(QFileInfo(ToQ(file)).fileName());
  const int max_page = MaxPages > 0 ? MaxPages : 99;
  if (!ExecPrintDialog(printer, max_page, Parent)) {
    TPrintOutcome cancelled;
    cancelled.Result = TResult::Cancelled();
    return cancelled;
  }
  int from = 1, to = MaxPages > 0 ? MaxPages : 0;  // all pages: every one there is, unless capped
  if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
    from = printer.fromPage();
    to = std::max(from, printer.toPage());
  }
  const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
  return PrintTextOn(printer, List, from, to, copies, std::time(nullptr));
}

TPrintOutcome ReportPdf(const TPrintableStringList& List, std::time_t Now, QByteArray& Pdf) {
  Pdf.clear();
  QBuffer buffer(&Pdf);
  buffer.open(QIODevice::WriteOnly);
  TPrintOutcome outcome;
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(1200);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator(ToQ(GetAppName() + "/" + GetAppVersionShort()));
    outcome = PrintTextOn(writer, List, 1, 0, 1, Now);
  }
  buffer.close();
  if (!outcome.Result) Pdf.clear();
  return outcome;
}

TPrintOutcome WriteReportPdf(const TPrintableStringList& List, const std::string& File) {
  QByteArray pdf;
  TPrintOutcome outcome = ReportPdf(List, std::time(nullptr), pdf);
  if (!outcome.Result) {
    outcome.Result = TResult::Failure("Cannot print the report to [" + File + "]: " + outcome.Result.Message());
    return outcome;
  }
  outcome.Result = WriteFileAtomic(File, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
  if (!outcome.Result) outcome.PagesPrinted = 0;
  return outcome;
}
