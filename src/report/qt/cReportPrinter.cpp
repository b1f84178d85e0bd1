#include "report/qt/cReportPrinter.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>
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
  // No ligatures: the printed words read back as typed ("office", not "o\uFB03ce").
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
  return font;
}

int CellPadding(const QFontMetrics& Metrics) { return Metrics.horizontalAdvance(QLatin1Char('M')) / 4; }

QRect ToQRect(const TPrintRect& r) { return QRect(QPoint(r.Left, r.Top), QPoint(r.Right - 1, r.Bottom - 1)); }

QFont ScaledFont(const QFont& Font, double Scale) {
  if (Scale == 1) return Font;
  QFont f = Font;
  f.setPointSizeF(Font.pointSizeF() * Scale);
  return f;
}

// Whether a word is a number (a sign, digits, a decimal point or comma, a
// "%") and a word a unit that goes with it ("mm", "kN/m", "MPa", "mm^4").
bool IsNumberWord(const QString& w) {
  if (w.isEmpty()) return false;
  bool digit = false;
  for (QChar c : w) {
    if (c.isDigit()) digit = true;
    else if (c != QLatin1Char('.') && c != QLatin1Char(',') && c != QLatin1Char('-') && c != QLatin1Char('+') &&
             c != QLatin1Char('%'))
      return false;
  }
  return digit;
}
bool IsUnitWord(const QString& w) {
  if (w.isEmpty() || w.size() > 6) return false;
  for (QChar c : w)
    if (!c.isLetter() && c != QLatin1Char('/') && c != QLatin1Char('^') && !c.isDigit() && c != QChar(0xB2) &&
        c != QChar(0xB3) && c != QLatin1Char('%'))
      return false;
  return w.front().isLetter() || w.front() == QLatin1Char('%');
}

// The tokens of a cell: words between blanks, a number joined to the unit after it.
QStringList CellTokens(const QString& Text) {
  const QStringList words = Text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
  QStringList tokens;
  for (int i = 0; i < words.size(); ++i) {
    if (i + 1 < words.size() && IsNumberWord(words[i]) && IsUnitWord(words[i + 1])) {
      tokens << words[i] + QChar(0xA0) + words[i + 1];
      ++i;
    } else {
      tokens << words[i];
    }
  }
  return tokens;
}

// A cell's text: wrapped at blanks only (a token never breaks unless it is
// wider than the whole cell, when it breaks by characters), kept a quarter of
// an "M" clear of the next column.
class TCellText {
 public:
  TCellText(const TPrintCell& Cell, const QFont& Font, const QPaintDevice* Device, int Padding)
      : font_(ScaledFont(Font, Cell.FontScale)), metrics_(font_, Device) {
    const double width = std::max(1, Cell.Rect.Right - Cell.Rect.Left - Padding);
    const double space = metrics_.horizontalAdvance(QLatin1Char(' '));
    QString line;
    double used = 0;
    for (QString token : CellTokens(ToQ(Cell.Text))) {
      double w = metrics_.horizontalAdvance(token);
      if (!line.isEmpty() && used + space + w <= width) {
        line += QLatin1Char(' ') + token;
        used += space + w;
        continue;
      }
      if (!line.isEmpty()) lines_ << line;
      while (w > width && token.size() > 1) {
        // The most characters that fit: doubling to a length that does not
        // fit, then halving (a word may be thousands of characters long).
        qsizetype lo = 1, hi = 2;
        while (hi < token.size() && metrics_.horizontalAdvance(token.left(hi)) <= width) {
          lo = hi;
          hi *= 2;
        }
        hi = std::min(hi, token.size() - 1);
        while (lo < hi) {
          const qsizetype mid = (lo + hi + 1) / 2;
          if (metrics_.horizontalAdvance(token.left(mid)) <= width) lo = mid;
          else hi = mid - 1;
        }
        const qsizetype n = lo;
        lines_ << token.left(n);
        token = token.mid(n);
        w = metrics_.horizontalAdvance(token);
      }
      line = token;
      used = w;
    }
    // A blank cell (an empty report line) still takes one line.
    if (!line.isEmpty() || lines_.isEmpty()) lines_ << line;
  }
  int Height() const { return static_cast<int>(std::ceil(lines_.size() * metrics_.height())); }
  void Draw(QPainter& Painter, const TPrintRect& Rect) {
    Painter.setFont(font_);
    double y = Rect.Top;
    for (const QString& l : lines_) {
      Painter.drawText(QPointF(Rect.Left, y + metrics_.ascent()), l);
      y += metrics_.height();
    }
  }
  // The widest token: the least width in which none breaks.
  static double WidestToken(const QString& Text, const QFontMetricsF& Metrics) {
    double w = 0;
    for (const QString& t : CellTokens(Text)) w = std::max(w, Metrics.horizontalAdvance(t));
    return w;
  }

 private:
  QFont font_;
  QFontMetricsF metrics_;
  QStringList lines_;
};

// Row heights and token widths as the printer's font lays the cells out.
class TQtRowMeasure : public TPrintRowMeasure {
 public:
  TQtRowMeasure(const QFont& Font, const QPaintDevice* Device, int Padding)
      : font_(Font), device_(Device), padding_(Padding) {}
  int RowHeight(const std::vector<TPrintCell>& Cells) override {
    int height = 0;
    for (const TPrintCell& cell : Cells) height = std::max(height, TCellText(cell, font_, device_, padding_).Height());
    return height;
  }
  int TokenWidth(const TPrintCell& Cell) override {
    const QFontMetricsF metrics(ScaledFont(font_, Cell.FontScale), device_);
    // A quarter "M" kept clear after the text, and as much again before the next column's.
    return static_cast<int>(std::ceil(TCellText::WidestToken(ToQ(Cell.Text), metrics))) + 2 * padding_ + 1;
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
