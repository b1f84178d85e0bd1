// TCalcDocument: a calculation report as a document of its own, before any
// page exists: headings, paragraphs, tables, formula lines and figures, in
// reading order, with the title block every page repeats. The builders
// (cCalcBeam.h for one beam, project/cCalculationReport.h for a project) fill
// it from an analysis; the renderers (report/qt/cCalcRender.h) turn the same
// document into PDF pages and into one HTML file, so both always say the same.
//
// A formula line is a check written as a hand calculation: the check in
// words, the formula in the standard's symbols, the same formula with the
// numbers substituted (with their units), the result, and for a check the
// limit, the ratio and the verdict. The numbers are the analysis's own: a
// builder calls the engine's named formula functions with the values the
// analysis used, and never works out a result of its own.
//
// Texts are UTF-8. A number and its unit are joined by a no-break space
// (kNbsp), so that no renderer ever puts them on different lines; negative
// numbers are written with the ASCII hyphen so that a reader (or a program)
// can read them back.
//
// Plain data: no Qt, no file access. Not thread-safe; one owner.
#pragma once

#include <string>
#include <vector>

#include "report/cResultsGraphics.h"

// The no-break space (U+00A0) between a number and its unit.
inline constexpr const char* kNbsp = "\xC2\xA0";

enum class TCalcVerdict { None, OK, NotOK };
// "OK", "NOT OK", "" for none.
std::string VerdictText(TCalcVerdict Verdict);
inline TCalcVerdict VerdictOf(bool IsOK) { return IsOK ? TCalcVerdict::OK : TCalcVerdict::NotOK; }

// What every page repeats, with "Page n of N" and the page's subject.
struct TCalcTitleBlock {
  std::string Project;      // the project's name
  std::string Designer;
  std::string ProjectFile;  // as the user named it
  std::string Program;      // program name and version: "Trevalon 3.0.0.1"
  std::string Standard;     // the edition: "AS/NZS2327:2017"
  std::string Date;         // the date of the analysis, in the user's short format
};

// A check or a step written as a hand calculation.
struct TCalcFormula {
  std::string Check;        // what is worked out or checked, in words
  std::string Reference;    // the clause or source ("Cl 3.6.2.3"); may be empty
  std::string Symbolic;     // "Fcc = min(Fc1 + Fc2, φs·Fst)"
  std::string Substituted;  // "= min(3978 kN + 0 kN, 0.9 × 1765 kN)"; empty when it adds nothing
  std::string Result;       // "= 1589 kN"
  // For a check: the limit the result is held against ("≤ 384 kNm"), the
  // ratio of demand to capacity and the verdict. Empty (None) for a step.
  std::string Limit;
  std::string Ratio;
  TCalcVerdict Verdict = TCalcVerdict::None;

  bool IsCheck() const { return Verdict != TCalcVerdict::None; }
};

enum class TCalcAlign { Left, Right, Centre };

// A table with a heading row. A column's alignment defaults to left for the
// first column and right for the others (numbers).
struct TCalcTable {
  std::string Caption;  // above the table; may be empty
  std::vector<std::string> Header;
  std::vector<TCalcAlign> Align;
  std::vector<std::vector<std::string>> Rows;
  std::vector<bool> IsEmphasised;  // per row: the governing row, set in bold
  std::string Note;                // below the table; may be empty

  void AddRow(std::vector<std::string> Cells, bool Emphasised = false) {
    Rows.push_back(std::move(Cells));
    IsEmphasised.push_back(Emphasised);
  }
  TCalcAlign AlignOf(size_t Column) const {
    if (Column < Align.size()) return Align[Column];
    return Column == 0 ? TCalcAlign::Left : TCalcAlign::Right;
  }
  size_t ColumnCount() const;
};

// A drawing in vectors: a chart of the engine's results or the floor sketch,
// in the pixels of the image it was laid out for. A renderer scales it to
// WidthShare of the text width, keeping its proportions.
struct TCalcFigure {
  std::string Caption;
  TChartDrawing Drawing;
  double WidthShare = 1.0;
};

enum class TCalcBlockKind { Heading, Paragraph, Table, Formula, Figure, PageBreak };
enum class TCalcParagraphStyle { Normal, Note, Warning, Small };

struct TCalcBlock {
  TCalcBlockKind Kind = TCalcBlockKind::Paragraph;
  // Heading: level 1 (a chapter: a beam, the floor), 2 (a step of the
  // calculation) or 3. A level-1 heading starts a new page and sets the
  // subject every following page names in its title block.
  int Level = 1;
  std::string Text;     // heading or paragraph text
  std::string Subject;  // level-1 headings: the pages' subject ("Secondary beam SB1")
  std::string Anchor;   // headings: a name links may use ("beam-1")
  TCalcParagraphStyle Style = TCalcParagraphStyle::Normal;
  TCalcTable Table;
  TCalcFormula Formula;
  TCalcFigure Figure;
};

class TCalcDocument {
 public:
  TCalcTitleBlock Title;
  std::vector<TCalcBlock> Blocks;

  void Heading(int Level, const std::string& Text, const std::string& Subject = "", const std::string& Anchor = "");
  void Paragraph(const std::string& Text, TCalcParagraphStyle Style = TCalcParagraphStyle::Normal);
  void Table(TCalcTable Table);
  void Formula(TCalcFormula Formula);
  void Figure(TCalcFigure Figure);
  void PageBreak();

  // Every text of the document in reading order, one line per paragraph,
  // heading, formula line and table row (cells joined by " | "): what a
  // reader finds in it, for tests and searches.
  std::string PlainText() const;
};

// The words of the warning a builder writes when a step it worked out with
// the engine's formula function does not give what the analysis holds (which
// never happens while the report calls the functions the engine called).
inline constexpr const char* kDiffersFromAnalysis = "differs from the analysis";

// Whether a value a report worked out agrees with the analysis's own, to a
// relative 1e-9 (the same arithmetic in another order).
bool AgreesWithAnalysis(double Shown, double Analysis);
// A warning paragraph on the document unless Shown agrees with Analysis:
// "The report's working of <What> (<Shown>) differs from the analysis (<Analysis>)".
void CheckAgainstAnalysis(TCalcDocument& Document, const std::string& What, double Shown, double Analysis);

// ---------------------------------------------------------------------------
// Numbers as a calculation prints them (the user's decimal separator).
namespace calc {

// Value with exactly Decimals decimals; "-0" never appears.
std::string Num(double Value, int Decimals);
// Value and its unit, joined by a no-break space: "1589 kN".
std::string Qty(double Value, int Decimals, const std::string& Unit);
// A large value in millions: "436.4×10⁶ mm⁴" (Decimals in the millions).
std::string QtyE6(double Value, int Decimals, const std::string& Unit);
// A ratio with two decimals.
std::string Ratio2(double Value);

}  // namespace calc
