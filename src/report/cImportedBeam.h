// TImportedBeam: the beam class the project holds. It adds the beam's blocks
// of the results report: its input data, its summary of results and its full
// results, as comma-separated lines appended to a list (never cleared here).
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
std::string N(double v);   // as few decimals as needed, at most 3
std::string NB(double v);  // the same, empty for zero
std::string N1(double v);  // at least 1 decimal, at most 4
std::string P(double v);   // percentage without decimals
std::string B(bool v);     // "True" or "False"
std::string F(double v, int decimals);  // fixed decimals
std::string E(double v);   // three significant digits, shortest exponent: 1.23E+8
// One line per text line of a description: a comma and the line in double
// quotes. Lines end at CR (an LF right after it belongs to it) or at a lone
// LF, so a report line never holds a line break.
void AppendDescriptionLines(TStringList& TXT, const std::string& Description);
// A label followed by three commas and values; a value holding the list
// separator (a decimal comma) is quoted so the line stays comma-separated.
std::string ValueLine(const std::string& Label, const std::vector<std::string>& Values);
}  // namespace report
