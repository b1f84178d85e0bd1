// TImportedBeam: the beam class the project holds, one for each of its three
// beams (the primary beam and the secondary beams of sides 1 and 2). It is a
// TBeam (engine/cBeam.h: the input, the analysis and its results) with the
// beam's blocks of the results report added: its input data, its summary of
// results and its full results, as comma-separated lines appended to a list
// (never cleared here). Despite its name it has nothing to do with importing
// files (admin/cImport.h): the name is the one the program has always given
// the project's beam class, and project files and test paths do not depend
// on it.
#pragma once

#include "engine/cBeam.h"
#include "report/cPrintableStringList.h"

class TImportedBeam : public TBeam {
 public:
  TImportedBeam() { SectionName = "Beam"; }

  void DumpInput(TStringList& TXT, bool WillDumpExtra);
  void DumpSummary(TStringList& TXT, bool WillDumpExtra);
  // WillDumpExtra adds the table of slab forces at every position.
  void DumpFullResults(TStringList& TXT, bool WillDumpExtra);
  void Dump(TStringList& TXT, bool WillDumpExtra);

  // "Primary beam: " or "Secondary beam: " followed by the mark.
  std::string Caption() const;
};

// Number formats of the report (the user's decimal separator).
namespace report {
std::string Number(double v);               // as few decimals as needed, at most 3: "2400", "0.448"
std::string NumberOrBlank(double v);        // the same, empty for zero
std::string WithDecimal(double v);          // at least 1 decimal, at most 4: "1.0", "1.2346"
std::string Percent(double v);              // a ratio as a percentage without decimals: 0.25 gives "25%"
std::string TrueFalse(bool v);              // "True" or "False"
std::string Fixed(double v, int decimals);  // exactly that many decimals: Fixed(6.9, 2) gives "6.90"
std::string Scientific(double v);           // three significant digits, shortest exponent: "4.36E+8"

// Cells of every CSV file the program writes (the results report, the
// regression test results, the test property list, design tables and their
// parts). They are opened in spreadsheets, so every cell a user typed (or a
// library brought in) stays one cell (quotes doubled inside a quoted cell) and
// never runs as a formula: a cell that begins with "=", "+", "-", "@", a tab
// or a carriage return gets a leading apostrophe, unless it reads back as
// exactly one number (IsOneNumber), which stays as it is: "-2", "+5", "1.5E-3",
// "-12%" do; "-1+1", "-0x1" and "-2+3+cmd|' /C calc'!A0" do not.
std::string FormulaSafe(const std::string& Text);
// One plain number: a sign, digits with "." or the user's decimal separator,
// an exponent, a "%"; nothing else.
bool IsOneNumber(const std::string& Text);
// A data row: the cells joined by the comma-text rule (a cell holding a blank,
// a control character, a comma or a double quote is quoted, inner quotes
// doubled), each cell formula-safe.
std::string ReportRow(const std::vector<std::string>& Cells);
// A text the report always encloses in double quotes (the project title, the
// description lines): formula-safe, inner quotes doubled.
std::string QuotedCell(const std::string& Text);
// A text written after a fixed label (the designer, a beam's caption, the
// input file): formula-safe and bare, unless it holds a comma, a double
// quote, a control character or blanks at its ends; then quoted as a row's
// cell is. Plain words stay bare, as the report has always written them.
std::string LabelledCell(const std::string& Text);
// One line per text line of a description: a comma and the line in double
// quotes (QuotedCell). Lines end at CR (an LF right after it belongs to it) or
// at a lone LF, so a report line never holds a line break.
void AppendDescriptionLines(TStringList& TXT, const std::string& Description);
// A label followed by three commas and values; a value holding the list
// separator (a decimal comma) is quoted so the line stays comma-separated.
std::string ValueLine(const std::string& Label, const std::vector<std::string>& Values);
}  // namespace report
