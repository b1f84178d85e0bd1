// The calculation report on pages: the document laid out on A4 pages (every
// block placed, pages counted), then each page painted with its title block,
// "Page n of N" and what the layout put on it.
#include <QBuffer>
#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <algorithm>
#include <cmath>
#include <memory>

#include "entity/VEXUtility.h"
#include "report/qt/cCalcRender.h"
#include "report/qt/cResultsChart.h"

namespace {

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

// The report's type: DejaVu Sans has every symbol the formulas use (Greek,
// superscripts, minus, less-or-equal).
QFont Font(double Points, bool Bold = false, bool Italic = false) {
  QFont f(QStringLiteral("DejaVu Sans"));
  f.setStyleHint(QFont::SansSerif);
  f.setPointSizeF(Points);
  f.setBold(Bold);
  f.setItalic(Italic);
  // Letter spacing (at least 1/64 of a pixel, the smallest step Qt keeps) turns the font's ligatures off: "office"
  // stays six letters a reader can select and search for.
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
  return f;
}

const QColor kInk(0x10, 0x18, 0x20), kGrey(0x60, 0x68, 0x70), kRule(0xb8, 0xc0, 0xc8), kLight(0xe4, 0xe8, 0xec),
    kShade(0xf3, 0xf5, 0xf7), kOK(0x0a, 0x7a, 0x2f), kNotOK(0xc0, 0x10, 0x10), kWarn(0x9a, 0x20, 0x10),
    kAccent(0x1e, 0x3a, 0x57);

// One thing to paint on a page.
struct TOp {
  enum Kind { Text, Line, Rect, Figure } Kind = Text;
  QPointF At;         // text: left end of the baseline; line: first point
  QPointF To;         // line: second point
  QRectF Box;         // rectangle; figure target
  QString String;
  QFont FontOf;
  QColor Colour;
  double Width = 0;   // line width
  const TChartDrawing* Drawing = nullptr;
};

struct TPage {
  std::string Subject;
  std::vector<TOp> Ops;
};

class TLayout {
 public:
  TLayout(const TCalcDocument& Document, const QPaintDevice& Device, double PageWidth, double PageHeight)
      : doc_(Document), device_(Device), page_w_(PageWidth), page_h_(PageHeight) {
    dpi_ = Device.logicalDpiX();
    left_ = Mm(18);
    right_ = page_w_ - Mm(13);
    top_ = Mm(10);
    bottom_ = page_h_ - Mm(12);
    title_h_ = Mm(24);
  }

  double Mm(double v) const { return v * dpi_ / 25.4; }
  double Pt(double v) const { return v * dpi_ / 72.0; }
  double TitleTop() const { return top_; }
  double TitleHeight() const { return title_h_; }
  double Left() const { return left_; }
  double Right() const { return right_; }
  const QPaintDevice& Device() const { return device_; }

  std::vector<TPage> Run() {
    subject_ = doc_.Title.Project;
    NewPage();
    bool first_block = true;
    for (size_t i = 0; i < doc_.Blocks.size(); ++i) {
      const TCalcBlock& b = doc_.Blocks[i];
      const TCalcBlock* next = i + 1 < doc_.Blocks.size() ? &doc_.Blocks[i + 1] : nullptr;
      switch (b.Kind) {
        case TCalcBlockKind::Heading: Heading(b, next, first_block); break;
        case TCalcBlockKind::Paragraph: Paragraph(b); break;
        case TCalcBlockKind::Table: Table(b.Table); break;
        case TCalcBlockKind::Formula: Formula(b.Formula); break;
        case TCalcBlockKind::Figure: Figure(b.Figure); break;
        case TCalcBlockKind::PageBreak:
          if (y_ > body_top_) NewPage();
          break;
      }
      first_block = false;
    }
    return std::move(pages_);
  }

  // --- Text measuring and wrapping.

  double Width(const QString& s, const QFont& f) const { return QFontMetricsF(f, &device_).horizontalAdvance(s); }
  double LineHeight(const QFont& f) const { return QFontMetricsF(f, &device_).lineSpacing(); }
  double Ascent(const QFont& f) const { return QFontMetricsF(f, &device_).ascent(); }

  // The tokens of a text: runs between ASCII blanks (a no-break space keeps a
  // number with its unit).
  static QStringList Tokens(const QString& s) { return s.split(QLatin1Char(' '), Qt::SkipEmptyParts); }

  double WidestToken(const QString& s, const QFont& f) const {
    double w = 0;
    for (const QString& t : Tokens(s)) w = std::max(w, Width(t, f));
    return w;
  }

  // A one-line text fitted into MaxWidth by a smaller type (down to 6 pt).
  void FitTextWidth(const QString& Text, QFont& F, double MaxWidth) const {
    while (Width(Text, F) > MaxWidth && F.pointSizeF() > 6) F.setPointSizeF(F.pointSizeF() - 0.25);
  }

  // Lines of at most Width, broken at blanks only; a token wider than a
  // whole line is broken by characters (the one case where a token breaks).
  std::vector<QString> Wrap(const QString& s, const QFont& f, double MaxWidth) const {
    std::vector<QString> lines;
    QString line;
    const double space = Width(QStringLiteral(" "), f);
    double w = 0;
    for (QString token : Tokens(s)) {
      double tw = Width(token, f);
      if (!line.isEmpty() && w + space + tw <= MaxWidth) {
        line += QLatin1Char(' ') + token;
        w += space + tw;
        continue;
      }
      if (!line.isEmpty()) lines.push_back(line);
      line.clear();
      w = 0;
      while (tw > MaxWidth && token.size() > 1) {
        // The most characters that fit: doubling to a length that does not
        // fit, then halving (a word may be thousands of characters long).
        qsizetype lo = 1, hi = 2;
        while (hi < token.size() && Width(token.left(hi), f) <= MaxWidth) {
          lo = hi;
          hi *= 2;
        }
        hi = std::min(hi, token.size() - 1);
        while (lo < hi) {
          const qsizetype mid = (lo + hi + 1) / 2;
          if (Width(token.left(mid), f) <= MaxWidth) lo = mid;
          else hi = mid - 1;
        }
        const qsizetype n = lo;
        lines.push_back(token.left(n));
        token = token.mid(n);
        tw = Width(token, f);
      }
      line = token;
      w = tw;
    }
    if (!line.isEmpty() || lines.empty()) lines.push_back(line);
    return lines;
  }

 private:
  // --- Pages.

  void NewPage() {
    pages_.push_back(TPage{subject_, {}});
    body_top_ = top_ + title_h_ + Mm(5);
    y_ = body_top_;
  }
  bool Fits(double h) const { return y_ + h <= bottom_ + 0.5; }
  void Ensure(double h) {
    if (!Fits(h) && y_ > body_top_) NewPage();
  }
  std::vector<TOp>& Ops() { return pages_.back().Ops; }

  void PutText(double x, double baseline, const QString& s, const QFont& f, const QColor& c) {
    TOp op;
    op.Kind = TOp::Text;
    op.At = QPointF(x, baseline);
    op.String = s;
    op.FontOf = f;
    op.Colour = c;
    Ops().push_back(op);
  }
  void PutLine(QPointF a, QPointF b, double w, const QColor& c) {
    TOp op;
    op.Kind = TOp::Line;
    op.At = a;
    op.To = b;
    op.Width = w;
    op.Colour = c;
    Ops().push_back(op);
  }
  void PutRect(const QRectF& r, const QColor& c) {
    TOp op;
    op.Kind = TOp::Rect;
    op.Box = r;
    op.Colour = c;
    Ops().push_back(op);
  }
  // Lines of text from the current position; returns nothing, advances y.
  void PutLines(const std::vector<QString>& lines, double x, const QFont& f, const QColor& c) {
    const double lh = LineHeight(f), asc = Ascent(f);
    for (const QString& l : lines) {
      PutText(x, y_ + asc, l, f, c);
      y_ += lh;
    }
  }

  // --- Blocks.

  // The height the first part of a block needs, so a heading stays with it.
  double LeadHeight(const TCalcBlock* b) const {
    if (!b) return 0;
    switch (b->Kind) {
      case TCalcBlockKind::Paragraph: return 2 * LineHeight(Font(9));
      case TCalcBlockKind::Formula: return FormulaHeight(b->Formula);
      case TCalcBlockKind::Table: return 4 * LineHeight(Font(8)) + Mm(4);
      case TCalcBlockKind::Figure: return Mm(40);
      default: return LineHeight(Font(11));
    }
  }

  void Heading(const TCalcBlock& b, const TCalcBlock* next, bool first_block) {
    if (b.Level == 1) {
      if (!b.Subject.empty()) subject_ = b.Subject;
      if (!first_block && y_ > body_top_) NewPage();
      else pages_.back().Subject = subject_;
      const QFont f = Font(15, true);
      PutLines(Wrap(ToQ(b.Text), f, right_ - left_), left_, f, kAccent);
      PutLine(QPointF(left_, y_ + Mm(1)), QPointF(right_, y_ + Mm(1)), Pt(1.2), kAccent);
      y_ += Mm(4);
      return;
    }
    const QFont f = b.Level == 2 ? Font(11.5, true) : Font(9.5, true);
    const double before = b.Level == 2 ? Mm(5) : Mm(3);
    const std::vector<QString> lines = Wrap(ToQ(b.Text), f, right_ - left_);
    const double h = before + lines.size() * LineHeight(f) + Mm(1.5);
    Ensure(h + LeadHeight(next));
    if (y_ > body_top_) y_ += before;
    PutLines(lines, left_, f, b.Level == 2 ? kAccent : kInk);
    if (b.Level == 2) PutLine(QPointF(left_, y_ + Mm(0.4)), QPointF(right_, y_ + Mm(0.4)), Pt(0.5), kRule);
    y_ += Mm(1.5);
  }

  void Paragraph(const TCalcBlock& b) {
    QFont f = Font(9);
    QColor c = kInk;
    double indent = 0;
    if (b.Style == TCalcParagraphStyle::Note) {
      f = Font(8.5, false, true);
      c = kGrey;
    } else if (b.Style == TCalcParagraphStyle::Warning) {
      f = Font(9, true);
      c = kWarn;
    } else if (b.Style == TCalcParagraphStyle::Small) {
      f = Font(8);
      indent = Mm(3);
    }
    const std::vector<QString> lines = Wrap(ToQ(b.Text), f, right_ - left_ - indent);
    const double lh = LineHeight(f);
    size_t i = 0;
    while (i < lines.size()) {
      Ensure(lh);
      if (b.Style == TCalcParagraphStyle::Small && i == 0) PutText(left_, y_ + Ascent(f), QStringLiteral("•"), f, c);
      PutText(left_ + indent, y_ + Ascent(f), lines[i], f, c);
      y_ += lh;
      ++i;
    }
    y_ += Mm(1.8);
  }

  // --- Formula lines.

  struct TFormulaLines {
    std::vector<QString> Check, Symbolic, Substituted, Result;
    double CheckWidth = 0;
  };
  QFont CheckFont() const { return Font(8.5, true); }
  QFont RefFont() const { return Font(7.5, false, true); }
  QFont MathFont() const { return Font(9); }
  QFont ResultFont() const { return Font(9, true); }
  double FormulaIndent() const { return Mm(5); }
  // The right column of a check: the limit, the ratio and the verdict.
  double CheckColumn() const { return Mm(66); }
  double VerdictWidth() const { return Mm(14); }
  double RatioWidth() const { return Mm(12); }

  TFormulaLines WrapFormula(const TCalcFormula& f) const {
    TFormulaLines l;
    const double ref = f.Reference.empty() ? 0 : Width(ToQ(f.Reference), RefFont()) + Mm(3);
    l.Check = Wrap(ToQ(f.Check), CheckFont(), right_ - left_ - ref);
    const double w = right_ - left_ - FormulaIndent() - (f.IsCheck() ? CheckColumn() : 0);
    if (!f.Symbolic.empty()) l.Symbolic = Wrap(ToQ(f.Symbolic), MathFont(), w);
    if (!f.Substituted.empty()) l.Substituted = Wrap(ToQ(f.Substituted), MathFont(), w - Mm(4));
    if (!f.Result.empty()) l.Result = Wrap(ToQ(f.Result), ResultFont(), w);
    return l;
  }
  double FormulaHeight(const TCalcFormula& f) const {
    const TFormulaLines l = WrapFormula(f);
    return l.Check.size() * LineHeight(CheckFont()) +
           (l.Symbolic.size() + l.Substituted.size()) * LineHeight(MathFont()) +
           l.Result.size() * LineHeight(ResultFont()) + Mm(2.6);
  }

  void Formula(const TCalcFormula& f) {
    const TFormulaLines l = WrapFormula(f);
    Ensure(FormulaHeight(f));
    const double top = y_;
    if (!f.Reference.empty()) {
      const QFont rf = RefFont();
      PutText(right_ - Width(ToQ(f.Reference), rf), y_ + Ascent(CheckFont()), ToQ(f.Reference), rf, kGrey);
    }
    PutLines(l.Check, left_, CheckFont(), kInk);
    const double x = left_ + FormulaIndent();
    PutLines(l.Symbolic, x, MathFont(), kInk);
    const double lh = LineHeight(MathFont());
    for (size_t i = 0; i < l.Substituted.size(); ++i) {
      PutText(i == 0 ? x : x + Mm(4), y_ + Ascent(MathFont()), l.Substituted[i], MathFont(), kInk);
      y_ += lh;
    }
    double last_baseline = y_;
    for (const QString& r : l.Result) {
      last_baseline = y_ + Ascent(ResultFont());
      PutText(x, last_baseline, r, ResultFont(), kInk);
      y_ += LineHeight(ResultFont());
    }
    if (f.IsCheck()) {
      // The limit, the ratio and the verdict on the result's line, in the
      // right column, each right-aligned in its own place.
      const QFont mf = MathFont(), vf = Font(9, true);
      const QString verdict = ToQ(VerdictText(f.Verdict)), ratio = ToQ(f.Ratio);
      QString limit = ToQ(f.Limit);
      QFont lf = mf;
      const double limit_right = right_ - VerdictWidth() - RatioWidth();
      FitTextWidth(limit, lf, CheckColumn() - VerdictWidth() - RatioWidth() - Mm(2));
      PutText(limit_right - Width(limit, lf), last_baseline, limit, lf, kInk);
      PutText(right_ - VerdictWidth() - Mm(2) - Width(ratio, mf), last_baseline, ratio, mf, kGrey);
      PutText(right_ - Width(verdict, vf), last_baseline, verdict, vf, f.Verdict == TCalcVerdict::OK ? kOK : kNotOK);
      // A bar at the left marks a check.
      PutLine(QPointF(left_ - Mm(2), top + Mm(0.5)), QPointF(left_ - Mm(2), y_ - Mm(0.3)), Pt(1.4),
              f.Verdict == TCalcVerdict::OK ? kRule : kNotOK);
    }
    y_ += Mm(2.6);
  }

  // --- Tables.

  struct TTableLayout {
    QFont Body, Head;
    std::vector<double> Widths;
  };

  TTableLayout LayoutTable(const TCalcTable& t) const {
    const size_t n = t.ColumnCount();
    const double avail = right_ - left_;
    const double pad = Mm(1.2);
    TTableLayout l;
    double size = 8;
    for (int attempt = 0; attempt < 12; ++attempt) {
      l.Body = Font(size);
      l.Head = Font(size, true);
      std::vector<double> least(n, 0), pref(n, 0);
      auto measure = [&](const std::vector<std::string>& cells, const QFont& f) {
        for (size_t c = 0; c < cells.size() && c < n; ++c) {
          const QString s = ToQ(cells[c]);
          least[c] = std::max(least[c], WidestToken(s, f) + 2 * pad);
          pref[c] = std::max(pref[c], Width(s, f) + 2 * pad);
        }
      };
      measure(t.Header, l.Head);
      const QFont bold = Font(size, true);
      for (size_t r = 0; r < t.Rows.size(); ++r)
        measure(t.Rows[r], r < t.IsEmphasised.size() && t.IsEmphasised[r] ? bold : l.Body);
      double sum_least = 0, sum_pref = 0;
      for (size_t c = 0; c < n; ++c) {
        sum_least += least[c];
        sum_pref += pref[c];
      }
      l.Widths.assign(n, 0);
      if (sum_pref <= avail) {
        // Every cell on one line; a small table stays compact (at least
        // half the width), its spare width shared out by the columns' widths.
        const double target = std::min(avail, std::max(0.5 * avail, 1.6 * sum_pref));
        for (size_t c = 0; c < n; ++c) l.Widths[c] = pref[c] + (target - sum_pref) * pref[c] / sum_pref;
        return l;
      }
      if (sum_least <= avail) {
        const double slack = sum_pref - sum_least;
        for (size_t c = 0; c < n; ++c)
          l.Widths[c] = least[c] + (slack > 0 ? (avail - sum_least) * (pref[c] - least[c]) / slack : 0);
        return l;
      }
      if (size <= 5.5) {
        // Even the smallest type cannot hold the widest tokens: the width shared
        // out by what each column needs, and only tokens wider than their column break.
        for (size_t c = 0; c < n; ++c) l.Widths[c] = avail * least[c] / sum_least;
        return l;
      }
      size = std::max(5.5, size * avail / sum_least * 0.98);
    }
    return l;
  }

  void Table(const TCalcTable& t) {
    const TTableLayout l = LayoutTable(t);
    const size_t n = l.Widths.size();
    const double pad = Mm(1.2), vpad = Mm(0.55);
    double table_right = left_;
    for (double w : l.Widths) table_right += w;
    const QFont cap = Font(8.5, true), note = Font(7.5, false, true);
    auto cell_lines = [&](const std::vector<std::string>& row, size_t c, const QFont& f) {
      return Wrap(c < row.size() ? ToQ(row[c]) : QString(), f, std::max(1.0, l.Widths[c] - 2 * pad));
    };
    auto row_height = [&](const std::vector<std::string>& row, const QFont& f) {
      size_t lines = 1;
      for (size_t c = 0; c < n; ++c) lines = std::max(lines, cell_lines(row, c, f).size());
      return lines * LineHeight(f) + 2 * vpad;
    };
    const double head_h = t.Header.empty() ? 0 : row_height(t.Header, l.Head);
    const double cap_h = t.Caption.empty() ? 0 : LineHeight(cap) + Mm(0.8);
    const double first_h = t.Rows.empty() ? 0 : row_height(t.Rows[0], l.Body);
    Ensure(cap_h + head_h + first_h);
    if (!t.Caption.empty()) {
      PutLines(Wrap(ToQ(t.Caption), cap, right_ - left_), left_, cap, kInk);
      y_ += Mm(0.8);
    }
    auto draw_row = [&](const std::vector<std::string>& row, const QFont& f, bool header, bool emphasised) {
      const double h = row_height(row, f);
      if (header) PutRect(QRectF(left_, y_, table_right - left_, h), kLight);
      else if (emphasised) PutRect(QRectF(left_, y_, table_right - left_, h), kShade);
      double x = left_;
      for (size_t c = 0; c < n; ++c) {
        const std::vector<QString> lines = cell_lines(row, c, f);
        const TCalcAlign align = t.AlignOf(c);
        double yy = y_ + vpad;
        for (const QString& s : lines) {
          const double w = Width(s, f);
          double tx = x + pad;
          if (align == TCalcAlign::Right) tx = x + l.Widths[c] - pad - w;
          if (align == TCalcAlign::Centre) tx = x + (l.Widths[c] - w) / 2;
          QColor colour = kInk;
          if (!header && s == QStringLiteral("NOT OK")) colour = kNotOK;
          if (!header && s == QStringLiteral("OK")) colour = kOK;
          PutText(tx, yy + Ascent(f), s, f, colour);
          yy += LineHeight(f);
        }
        x += l.Widths[c];
      }
      y_ += h;
      PutLine(QPointF(left_, y_), QPointF(table_right, y_), Pt(header ? 0.8 : 0.3), header ? kGrey : kRule);
    };
    if (!t.Header.empty()) draw_row(t.Header, l.Head, true, false);
    for (size_t r = 0; r < t.Rows.size(); ++r) {
      const bool emph = r < t.IsEmphasised.size() && t.IsEmphasised[r];
      const QFont f = emph ? Font(l.Body.pointSizeF(), true) : l.Body;
      const double h = row_height(t.Rows[r], f);
      if (!Fits(h)) {
        NewPage();
        if (!t.Header.empty()) draw_row(t.Header, l.Head, true, false);
      }
      draw_row(t.Rows[r], f, false, emph);
    }
    if (!t.Note.empty()) {
      y_ += Mm(0.8);
      const std::vector<QString> lines = Wrap(ToQ(t.Note), note, right_ - left_);
      for (const QString& s : lines) {
        Ensure(LineHeight(note));
        PutText(left_, y_ + Ascent(note), s, note, kGrey);
        y_ += LineHeight(note);
      }
    }
    y_ += Mm(3);
  }

  // --- Figures.

  void Figure(const TCalcFigure& f) {
    const TChartDrawing& d = f.Drawing;
    if (d.Width <= 0 || d.Height <= 0) return;
    double w = (right_ - left_) * std::clamp(f.WidthShare, 0.1, 1.0);
    double h = w * d.Height / d.Width;
    const QFont cap = Font(8, false, true);
    const double cap_h = f.Caption.empty() ? 0 : LineHeight(cap) + Mm(1);
    const double room = bottom_ - body_top_ - cap_h - Mm(3);
    if (h > room) {
      h = room;
      w = h * d.Width / d.Height;
    }
    Ensure(h + cap_h + Mm(2));
    TOp op;
    op.Kind = TOp::Figure;
    op.Box = QRectF(left_ + (right_ - left_ - w) / 2, y_, w, h);
    op.Drawing = &d;
    Ops().push_back(op);
    y_ += h + Mm(1);
    if (!f.Caption.empty()) {
      const QString s = ToQ(f.Caption);
      PutText(left_ + (right_ - left_ - Width(s, cap)) / 2, y_ + Ascent(cap), s, cap, kGrey);
      y_ += LineHeight(cap);
    }
    y_ += Mm(3);
  }

  const TCalcDocument& doc_;
  const QPaintDevice& device_;
  double page_w_, page_h_, dpi_ = 72;
  double left_ = 0, right_ = 0, top_ = 0, bottom_ = 0, title_h_ = 0;
  double body_top_ = 0, y_ = 0;
  std::string subject_;
  std::vector<TPage> pages_;
};

// A text fitted into Width: the type made smaller down to MinPoints, then
// shortened in its middle (a long file path) as the last resort.
void FitText(const TLayout& L, QString& Text, QFont& F, double MaxWidth, double MinPoints) {
  while (L.Width(Text, F) > MaxWidth && F.pointSizeF() > MinPoints) F.setPointSizeF(F.pointSizeF() - 0.25);
  if (L.Width(Text, F) > MaxWidth) Text = QFontMetricsF(F, &L.Device()).elidedText(Text, Qt::ElideMiddle, MaxWidth);
}

void PaintTitleBlock(QPainter& P, const TLayout& L, const TCalcTitleBlock& T, const std::string& Subject, int Page,
                     int Pages) {
  const double x0 = L.Left(), x1 = L.Right(), y0 = L.TitleTop(), h = L.TitleHeight();
  const double row = h / 3;
  const double c1 = x0 + (x1 - x0) * 0.50, c2 = x0 + (x1 - x0) * 0.76;
  P.setPen(QPen(kAccent, L.Pt(1)));
  P.setBrush(Qt::NoBrush);
  P.drawRect(QRectF(x0, y0, x1 - x0, h));
  P.setPen(QPen(kRule, L.Pt(0.5)));
  P.drawLine(QPointF(x0, y0 + row), QPointF(x1, y0 + row));
  P.drawLine(QPointF(x0, y0 + 2 * row), QPointF(x1, y0 + 2 * row));
  P.drawLine(QPointF(c1, y0), QPointF(c1, y0 + 2 * row));
  P.drawLine(QPointF(c2, y0), QPointF(c2, y0 + h));
  const QFont label = Font(5.5), value = Font(8.5), bold = Font(8.5, true);
  const double pad = L.Mm(1.0);
  auto cell = [&](double left, double right, int r, const QString& Label, QString Value, const QFont& vf) {
    const double top = y0 + r * row;
    P.setFont(label);
    P.setPen(kGrey);
    P.drawText(QPointF(left + pad, top + L.Mm(0.7) + L.Ascent(label)), Label);
    QFont f = vf;
    FitText(L, Value, f, right - left - 2 * pad, 5);
    P.setFont(f);
    P.setPen(kInk);
    P.drawText(QPointF(left + pad, top + row - pad - QFontMetricsF(f, P.device()).descent()), Value);
  };
  cell(x0, c1, 0, QStringLiteral("PROJECT"), ToQ(T.Project), bold);
  cell(c1, c2, 0, QStringLiteral("DESIGNER"), ToQ(T.Designer), value);
  cell(c2, x1, 0, QStringLiteral("SHEET"), QStringLiteral("Page %1 of %2").arg(Page).arg(Pages), bold);
  cell(x0, c1, 1, QStringLiteral("SUBJECT"), ToQ(Subject), bold);
  cell(c1, c2, 1, QStringLiteral("DATE OF ANALYSIS"), ToQ(T.Date), value);
  cell(c2, x1, 1, QStringLiteral("STANDARD"), ToQ(T.Standard), value);
  cell(x0, c2, 2, QStringLiteral("PROJECT FILE"), ToQ(T.ProjectFile), value);
  cell(c2, x1, 2, QStringLiteral("PROGRAM"), ToQ(T.Program), value);
}

void PaintPage(QPainter& P, const TLayout& L, const TCalcDocument& D, const TPage& Page, int Number, int Pages) {
  PaintTitleBlock(P, L, D.Title, Page.Subject, Number, Pages);
  for (const TOp& op : Page.Ops) {
    switch (op.Kind) {
      case TOp::Text:
        P.setFont(op.FontOf);
        P.setPen(op.Colour);
        P.drawText(op.At, op.String);
        break;
      case TOp::Line:
        P.setPen(QPen(op.Colour, op.Width, Qt::SolidLine, Qt::FlatCap));
        P.drawLine(op.At, op.To);
        break;
      case TOp::Rect: P.fillRect(op.Box, op.Colour); break;
      case TOp::Figure: {
        P.save();
        P.translate(op.Box.topLeft());
        P.scale(op.Box.width() / op.Drawing->Width, op.Box.height() / op.Drawing->Height);
        PaintChartDrawing(P, *op.Drawing);
        P.restore();
        break;
      }
    }
  }
}

}  // namespace

TPrintOutcome PrintCalculationOn(QPagedPaintDevice& Device, const TCalcDocument& Document, int FromPage, int ToPage,
                                 int Copies) {
  TPrintOutcome outcome;
  TLayout layout(Document, Device, Device.width(), Device.height());
  const std::vector<TPage> pages = layout.Run();
  const int count = static_cast<int>(pages.size());
  outcome.PageCount = count;
  const int from = std::max(1, FromPage);
  const int to = ToPage <= 0 ? count : std::min(ToPage, count);
  if (from > to) {
    outcome.Result = TResult::Failure("The calculation report has no page " + std::to_string(from) + " to print");
    return outcome;
  }
  QPainter painter;
  if (!painter.begin(&Device)) {
    outcome.Result = TResult::Failure("Unable to start printing");
    return outcome;
  }
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  bool first = true;
  for (int copy = 0; copy < std::max(1, Copies); ++copy)
    for (int n = from; n <= to; ++n) {
      if (!first) Device.newPage();
      first = false;
      PaintPage(painter, layout, Document, pages[static_cast<size_t>(n - 1)], n, count);
      ++outcome.PagesPrinted;
    }
  painter.end();
  return outcome;
}

TPrintOutcome CalculationPdf(const TCalcDocument& Document, QByteArray& Pdf) {
  Pdf.clear();
  QBuffer buffer(&Pdf);
  buffer.open(QIODevice::WriteOnly);
  QPdfWriter writer(&buffer);
  writer.setResolution(1200);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
  writer.setTitle(QStringLiteral("Calculation report: ") + ToQ(Document.Title.Project));
  writer.setCreator(ToQ(Document.Title.Program));
  TPrintOutcome outcome = PrintCalculationOn(writer, Document);
  buffer.close();
  if (!outcome.Result) Pdf.clear();
  return outcome;
}

TPrintOutcome PrintCalculation(const TCalcDocument& Document, QWidget* Parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setDocName(QStringLiteral("Calculation report ") + ToQ(Document.Title.Project));
  // The report lays out its own margins on the whole sheet.
  printer.setFullPage(true);
  // The page count for the dialog's range.
  const int pages = static_cast<int>(TLayout(Document, printer, printer.width(), printer.height()).Run().size());
  TPrintOutcome outcome;
  if (!ExecPrintDialog(printer, std::max(1, pages), Parent)) {
    outcome.Result = TResult::Cancelled();
    return outcome;
  }
  const bool range = printer.printRange() == QPrinter::PageRange;
  const int copies = printer.supportsMultipleCopies() ? 1 : printer.copyCount();
  return PrintCalculationOn(printer, Document, range ? printer.fromPage() : 1, range ? printer.toPage() : 0, copies);
}
