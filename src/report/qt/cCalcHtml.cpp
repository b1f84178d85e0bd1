// The calculation report as one self-contained HTML file (its style sheet
// inside, its figures as inline SVG), and the choice of format by file name.
#include <QByteArray>
#include <cmath>
#include <cstdio>

#include "entity/VEXUtility.h"
#include "report/qt/cCalcRender.h"

namespace {

std::string Escape(const std::string& s) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      default: out += c;
    }
  }
  return out;
}

std::string Colour(TChartColour c) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.R, c.G, c.B);
  return buf;
}

// A number for SVG: at most two decimals, always with a point.
std::string SvgNum(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", std::isfinite(v) ? v : 0.0);
  std::string s = buf;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  return s == "-0" ? "0" : s;
}

std::string Stroke(const TChartPen& p) {
  std::string s = " stroke=\"" + Colour(p.Colour) + "\" stroke-width=\"" + SvgNum(p.Width) + "\"";
  if (p.IsDashed) s += " stroke-dasharray=\"" + SvgNum(4 * p.Width) + " " + SvgNum(3 * p.Width) + "\"";
  return s;
}

const char kStyle[] = R"(
body { font-family: "DejaVu Sans", "Segoe UI", Arial, sans-serif; color: #101820; margin: 0; background: #eef1f4; }
main { max-width: 190mm; margin: 0 auto; background: #fff; padding: 8mm 12mm 16mm; }
table.title { width: 100%; border-collapse: collapse; border: 2px solid #1e3a57; margin-bottom: 6mm; }
table.title td { border: 1px solid #b8c0c8; padding: 2px 6px; vertical-align: top; font-size: 11pt; }
table.title .label { display: block; font-size: 6.5pt; color: #606870; letter-spacing: 0.05em; }
h1 { color: #1e3a57; border-bottom: 2px solid #1e3a57; font-size: 17pt; margin: 10mm 0 3mm; padding-bottom: 1mm; }
h2 { color: #1e3a57; border-bottom: 1px solid #b8c0c8; font-size: 13pt; margin: 6mm 0 2mm; }
h3 { font-size: 10.5pt; margin: 4mm 0 1.5mm; }
p { font-size: 10pt; line-height: 1.35; margin: 1.5mm 0; }
p.note { color: #606870; font-style: italic; }
p.warning { color: #9a2010; font-weight: bold; }
p.small { font-size: 9pt; margin-left: 4mm; }
table.data { border-collapse: collapse; width: 100%; margin: 1mm 0 4mm; font-size: 9pt; }
table.data caption { text-align: left; font-weight: bold; padding: 1mm 0; }
table.data th { background: #e4e8ec; text-align: left; padding: 2px 5px; border-bottom: 1px solid #606870; }
table.data td { padding: 2px 5px; border-bottom: 1px solid #dde2e7; }
table.data .r { text-align: right; } table.data .c { text-align: center; }
table.data tr.gov td { font-weight: bold; background: #f3f5f7; }
.tnote { font-size: 8.5pt; color: #606870; font-style: italic; margin: -3mm 0 4mm; }
.ok { color: #0a7a2f; font-weight: bold; } .notok { color: #c01010; font-weight: bold; }
div.formula { margin: 2mm 0 3mm; padding-left: 3mm; border-left: 3px solid transparent; }
div.formula.check { border-left-color: #b8c0c8; } div.formula.fail { border-left-color: #c01010; }
div.formula .what { font-weight: bold; font-size: 9.5pt; }
div.formula .ref { float: right; color: #606870; font-style: italic; font-size: 8.5pt; }
div.formula .math { margin-left: 6mm; font-size: 10pt; line-height: 1.4; }
div.formula .sub { margin-left: 6mm; font-size: 10pt; line-height: 1.4; }
div.formula .res { margin-left: 6mm; font-size: 10pt; font-weight: bold; }
div.formula .verdict { margin-left: 6mm; font-size: 10pt; }
div.formula .verdict span { margin-right: 5mm; }
figure { margin: 2mm 0 5mm; text-align: center; } figure svg { max-width: 100%; height: auto; }
figcaption { font-size: 9pt; color: #606870; font-style: italic; }
nav ul { font-size: 10pt; } nav a { color: #1e3a57; }
)";

std::string Cell(const std::string& Label, const std::string& Value, int Span = 1) {
  return std::string("<td") + (Span > 1 ? " colspan=\"" + std::to_string(Span) + "\"" : "") + "><span class=\"label\">" +
         Escape(Label) + "</span>" + Escape(Value) + "</td>";
}

std::string AlignClass(TCalcAlign a) {
  return a == TCalcAlign::Right ? " class=\"r\"" : a == TCalcAlign::Centre ? " class=\"c\"" : "";
}

std::string VerdictSpan(const std::string& Text) {
  if (Text == "OK") return "<span class=\"ok\">OK</span>";
  if (Text == "NOT OK") return "<span class=\"notok\">NOT OK</span>";
  return Escape(Text);
}

}  // namespace

std::string DrawingSvg(const TChartDrawing& d, const std::string& Title) {
  std::string s = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + std::to_string(d.Width) + " " +
                  std::to_string(d.Height) + "\" width=\"" + std::to_string(d.Width) + "\" height=\"" +
                  std::to_string(d.Height) + "\" role=\"img\" aria-label=\"" + Escape(Title) +
                  "\" font-family=\"DejaVu Sans, Arial, sans-serif\">\n";
  s += "<title>" + Escape(Title) + "</title>\n";
  s += "<rect x=\"0\" y=\"0\" width=\"" + std::to_string(d.Width) + "\" height=\"" + std::to_string(d.Height) +
       "\" fill=\"#ffffff\"/>\n";
  for (const TChartRectangle& r : d.Rectangles)
    s += "<rect x=\"" + SvgNum(std::min(r.Left, r.Right)) + "\" y=\"" + SvgNum(std::min(r.Top, r.Bottom)) +
         "\" width=\"" + SvgNum(std::fabs(r.Right - r.Left)) + "\" height=\"" + SvgNum(std::fabs(r.Bottom - r.Top)) +
         "\" fill=\"" + (r.IsFilled ? Colour(r.Fill) : std::string("none")) + "\"" + Stroke(r.Pen) + "/>\n";
  for (const TChartLine& l : d.Lines)
    s += "<line x1=\"" + SvgNum(l.From.X) + "\" y1=\"" + SvgNum(l.From.Y) + "\" x2=\"" + SvgNum(l.To.X) + "\" y2=\"" +
         SvgNum(l.To.Y) + "\"" + Stroke(l.Pen) + "/>\n";
  for (const TChartPolyline& p : d.Polylines) {
    if (p.Pixels.size() < 2) continue;
    s += "<polyline fill=\"none\" stroke-linejoin=\"round\" stroke-linecap=\"round\"" + Stroke(p.Pen) + " points=\"";
    for (const TChartPoint& pt : p.Pixels) s += SvgNum(pt.X) + "," + SvgNum(pt.Y) + " ";
    s += "\"/>\n";
  }
  for (const TChartText& t : d.Texts) {
    const char* anchor = t.Align == THorizontalAlign::Centre ? "middle" : t.Align == THorizontalAlign::Right ? "end" : "start";
    // The anchor is the text's top, middle or bottom: shift the baseline by the font's ascent and descent.
    double y = t.At.Y;
    if (t.VAlign == TVerticalAlign::Top) y += 0.93 * t.PixelSize;
    else if (t.VAlign == TVerticalAlign::Middle) y += 0.35 * t.PixelSize;
    else y -= 0.24 * t.PixelSize;
    s += "<text x=\"" + SvgNum(t.At.X) + "\" y=\"" + SvgNum(y) + "\" font-size=\"" + std::to_string(t.PixelSize) +
         "\" text-anchor=\"" + anchor + "\" fill=\"" + Colour(t.Colour) + "\"" +
         (t.IsBold ? " font-weight=\"bold\"" : "") + ">" + Escape(t.Text) + "</text>\n";
  }
  s += "</svg>";
  return s;
}

std::string CalculationHtml(const TCalcDocument& D) {
  const TCalcTitleBlock& t = D.Title;
  std::string h = "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n<title>Calculation report: " +
                  Escape(t.Project) + "</title>\n<meta name=\"generator\" content=\"" + Escape(t.Program) +
                  "\">\n<style>" + kStyle + "</style>\n</head>\n<body>\n<main>\n";
  h += "<table class=\"title\">\n<tr>" + Cell("PROJECT", t.Project) + Cell("DESIGNER", t.Designer) +
       Cell("DATE OF ANALYSIS", t.Date) + "</tr>\n<tr>" + Cell("PROJECT FILE", t.ProjectFile) +
       Cell("STANDARD", t.Standard) + Cell("PROGRAM", t.Program) + "</tr>\n</table>\n";

  // Contents: the chapters.
  h += "<nav><ul>\n";
  for (const TCalcBlock& b : D.Blocks)
    if (b.Kind == TCalcBlockKind::Heading && b.Level == 1)
      h += "<li>" + (b.Anchor.empty() ? Escape(b.Text) : "<a href=\"#" + Escape(b.Anchor) + "\">" + Escape(b.Text) + "</a>") +
           "</li>\n";
  h += "</ul></nav>\n";

  for (const TCalcBlock& b : D.Blocks) {
    switch (b.Kind) {
      case TCalcBlockKind::Heading: {
        const std::string tag = "h" + std::to_string(b.Level);
        h += "<" + tag + (b.Anchor.empty() ? "" : " id=\"" + Escape(b.Anchor) + "\"") + ">" + Escape(b.Text) + "</" +
             tag + ">\n";
        break;
      }
      case TCalcBlockKind::Paragraph: {
        const char* cls = b.Style == TCalcParagraphStyle::Note      ? " class=\"note\""
                          : b.Style == TCalcParagraphStyle::Warning ? " class=\"warning\""
                          : b.Style == TCalcParagraphStyle::Small   ? " class=\"small\""
                                                                    : "";
        h += std::string("<p") + cls + ">" + Escape(b.Text) + "</p>\n";
        break;
      }
      case TCalcBlockKind::Table: {
        const TCalcTable& tb = b.Table;
        h += "<table class=\"data\">\n";
        if (!tb.Caption.empty()) h += "<caption>" + Escape(tb.Caption) + "</caption>\n";
        if (!tb.Header.empty()) {
          h += "<thead><tr>";
          for (size_t c = 0; c < tb.Header.size(); ++c) h += "<th" + AlignClass(tb.AlignOf(c)) + ">" + Escape(tb.Header[c]) + "</th>";
          h += "</tr></thead>\n";
        }
        h += "<tbody>\n";
        for (size_t r = 0; r < tb.Rows.size(); ++r) {
          const bool gov = r < tb.IsEmphasised.size() && tb.IsEmphasised[r];
          h += gov ? "<tr class=\"gov\">" : "<tr>";
          for (size_t c = 0; c < tb.Rows[r].size(); ++c)
            h += "<td" + AlignClass(tb.AlignOf(c)) + ">" + VerdictSpan(tb.Rows[r][c]) + "</td>";
          h += "</tr>\n";
        }
        h += "</tbody></table>\n";
        if (!tb.Note.empty()) h += "<p class=\"tnote\">" + Escape(tb.Note) + "</p>\n";
        break;
      }
      case TCalcBlockKind::Formula: {
        const TCalcFormula& f = b.Formula;
        std::string cls = "formula";
        if (f.IsCheck()) cls += f.Verdict == TCalcVerdict::OK ? " check" : " check fail";
        h += "<div class=\"" + cls + "\">";
        if (!f.Reference.empty()) h += "<span class=\"ref\">" + Escape(f.Reference) + "</span>";
        h += "<div class=\"what\">" + Escape(f.Check) + "</div>";
        if (!f.Symbolic.empty()) h += "<div class=\"math\">" + Escape(f.Symbolic) + "</div>";
        if (!f.Substituted.empty()) h += "<div class=\"sub\">" + Escape(f.Substituted) + "</div>";
        if (!f.Result.empty()) h += "<div class=\"res\">" + Escape(f.Result) + "</div>";
        if (f.IsCheck())
          h += "<div class=\"verdict\"><span>" + Escape(f.Limit) + "</span><span>ratio " + Escape(f.Ratio) + "</span>" +
               VerdictSpan(VerdictText(f.Verdict)) + "</div>";
        h += "</div>\n";
        break;
      }
      case TCalcBlockKind::Figure:
        h += "<figure>\n" + DrawingSvg(b.Figure.Drawing, b.Figure.Caption) + "\n<figcaption>" +
             Escape(b.Figure.Caption) + "</figcaption>\n</figure>\n";
        break;
      case TCalcBlockKind::PageBreak: break;
    }
  }
  h += "</main>\n</body>\n</html>\n";
  return h;
}

TCalcFormat CalcFormatOf(const std::string& File) {
  const size_t dot = File.find_last_of('.');
  const size_t slash = File.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return TCalcFormat::None;
  const std::string ext = LowerCase(File.substr(dot));
  if (ext == ".pdf") return TCalcFormat::Pdf;
  if (ext == ".html" || ext == ".htm") return TCalcFormat::Html;
  return TCalcFormat::None;
}

std::string CalcFormatError(const std::string& File) {
  return "Cannot write the calculation report to [" + File + "]: the file name must end in .pdf or .html";
}

TPrintOutcome WriteCalculationReport(const TCalcDocument& Document, const std::string& File) {
  TPrintOutcome outcome;
  switch (CalcFormatOf(File)) {
    case TCalcFormat::None: outcome.Result = TResult::Failure(CalcFormatError(File)); return outcome;
    case TCalcFormat::Html: {
      outcome.PageCount = outcome.PagesPrinted = 1;
      outcome.Result = WriteFileAtomic(File, CalculationHtml(Document));
      return outcome;
    }
    case TCalcFormat::Pdf: break;
  }
  QByteArray pdf;
  outcome = CalculationPdf(Document, pdf);
  if (!outcome.Result) return outcome;
  outcome.Result = WriteFileAtomic(File, std::string_view(pdf.constData(), static_cast<size_t>(pdf.size())));
  return outcome;
}
