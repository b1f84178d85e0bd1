#include "report/cCalcDocument.h"

#include <algorithm>
#include <cmath>

#include "entity/VEXNumberText.h"

std::string VerdictText(TCalcVerdict Verdict) {
  switch (Verdict) {
    case TCalcVerdict::OK: return "OK";
    case TCalcVerdict::NotOK: return "NOT OK";
    case TCalcVerdict::None: break;
  }
  return "";
}

size_t TCalcTable::ColumnCount() const {
  size_t n = Header.size();
  for (const auto& row : Rows) n = std::max(n, row.size());
  return n;
}

void TCalcDocument::Heading(int Level, const std::string& Text, const std::string& Subject,
                            const std::string& Anchor) {
  TCalcBlock b;
  b.Kind = TCalcBlockKind::Heading;
  b.Level = std::clamp(Level, 1, 3);
  b.Text = Text;
  b.Subject = Subject;
  b.Anchor = Anchor;
  Blocks.push_back(std::move(b));
}

void TCalcDocument::Paragraph(const std::string& Text, TCalcParagraphStyle Style) {
  TCalcBlock b;
  b.Kind = TCalcBlockKind::Paragraph;
  b.Text = Text;
  b.Style = Style;
  Blocks.push_back(std::move(b));
}

void TCalcDocument::Table(TCalcTable Table) {
  TCalcBlock b;
  b.Kind = TCalcBlockKind::Table;
  Table.IsEmphasised.resize(Table.Rows.size(), false);
  b.Table = std::move(Table);
  Blocks.push_back(std::move(b));
}

void TCalcDocument::Formula(TCalcFormula Formula) {
  TCalcBlock b;
  b.Kind = TCalcBlockKind::Formula;
  b.Formula = std::move(Formula);
  Blocks.push_back(std::move(b));
}

void TCalcDocument::Figure(TCalcFigure Figure) {
  TCalcBlock b;
  b.Kind = TCalcBlockKind::Figure;
  b.Figure = std::move(Figure);
  Blocks.push_back(std::move(b));
}

void TCalcDocument::PageBreak() {
  TCalcBlock b;
  b.Kind = TCalcBlockKind::PageBreak;
  Blocks.push_back(std::move(b));
}

std::string TCalcDocument::PlainText() const {
  std::string text;
  auto line = [&](const std::string& s) {
    if (!s.empty()) text += s + "\n";
  };
  for (const TCalcBlock& b : Blocks) {
    switch (b.Kind) {
      case TCalcBlockKind::Heading:
      case TCalcBlockKind::Paragraph: line(b.Text); break;
      case TCalcBlockKind::Table: {
        line(b.Table.Caption);
        auto row = [&](const std::vector<std::string>& cells) {
          std::string r;
          for (size_t i = 0; i < cells.size(); ++i) r += (i ? " | " : "") + cells[i];
          line(r);
        };
        row(b.Table.Header);
        for (const auto& r : b.Table.Rows) row(r);
        line(b.Table.Note);
        break;
      }
      case TCalcBlockKind::Formula: {
        const TCalcFormula& f = b.Formula;
        line(f.Check + (f.Reference.empty() ? "" : " (" + f.Reference + ")"));
        line(f.Symbolic);
        line(f.Substituted);
        std::string result = f.Result;
        if (!f.Limit.empty()) result += "  " + f.Limit;
        if (!f.Ratio.empty()) result += "  ratio " + f.Ratio;
        if (f.IsCheck()) result += "  " + VerdictText(f.Verdict);
        line(result);
        break;
      }
      case TCalcBlockKind::Figure: line(b.Figure.Caption); break;
      case TCalcBlockKind::PageBreak: break;
    }
  }
  return text;
}

bool AgreesWithAnalysis(double Shown, double Analysis) {
  if (Shown == Analysis) return true;
  return std::fabs(Shown - Analysis) <= 1e-9 * std::max({1.0, std::fabs(Shown), std::fabs(Analysis)});
}

void CheckAgainstAnalysis(TCalcDocument& Document, const std::string& What, double Shown, double Analysis) {
  if (AgreesWithAnalysis(Shown, Analysis)) return;
  Document.Paragraph("The report's working of " + What + " (" + FormatFixed(Shown, 6) + ") " + kDiffersFromAnalysis +
                         " (" + FormatFixed(Analysis, 6) + ")",
                     TCalcParagraphStyle::Warning);
}

namespace calc {

std::string Num(double Value, int Decimals) {
  std::string s = FormatFixed(Value, Decimals);
  // A value that rounds to zero is written without its sign.
  if (!s.empty() && s[0] == '-' && s.find_first_not_of("-0.,") == std::string::npos) s.erase(0, 1);
  return s;
}

std::string Qty(double Value, int Decimals, const std::string& Unit) {
  return Unit.empty() ? Num(Value, Decimals) : Num(Value, Decimals) + kNbsp + Unit;
}

std::string QtyE6(double Value, int Decimals, const std::string& Unit) {
  return Num(Value / 1e6, Decimals) + "\xC3\x97" "10\xE2\x81\xB6" + kNbsp + Unit;
}

std::string Ratio2(double Value) { return Num(Value, 2); }

}  // namespace calc
