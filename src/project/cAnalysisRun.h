// The analysis run: every existing beam of the project analysed in the order
// that lets the primary beam see its secondary beams (side 1, side 2, then the
// primary beam), with the results report written as it goes, and the
// automatic selection of the first passing library section for beams marked
// "<Auto-select>". Analyse, Design, the regression tests and the design
// tables all run through RunAnalysis.
//
// The run shows its progress through a TAnalysisObserver; the results, the
// sections chosen and the report lines never depend on it.
#pragma once

#include <ctime>
#include <functional>
#include <string>

#include "project/cProject.h"
#include "project/cSession.h"
#include "report/cPrintableStringList.h"

// The window operations a run calls. The desktop program implements them on
// its main window; the command line prints; the default does nothing.
class TAnalysisObserver {
 public:
  virtual ~TAnalysisObserver() = default;
  virtual void SetBusy(bool /*IsBusy*/) {}
  virtual void ClearResultsDisplay() {}
  virtual void SetDataChangedSinceCalc(bool /*IsChanged*/) {}
  virtual void AddLogLine(const std::string& /*Line*/) {}
  virtual void SetStatusText(const std::string& /*Text*/) {}
  // The beam's summary line after its analysis.
  virtual void ShowSummaryPanel(int /*Side*/, const TImportedBeam& /*Beam*/) {}
  // A candidate of the automatic selection, shown while it is tried.
  virtual void ShowCandidateSection(int /*Side*/, const TCustomSteelSection& /*Candidate*/,
                                    bool /*WillShowTypeAndGrade*/) {}
  // The beam's name in log lines and the summary (the navigation tree's caption).
  virtual std::string BeamCaption(const TProject& Project, int Side) const;
};

// The beam's caption: its long name, or "Secondary beam (Side n)" for a
// marked secondary beam when the floor designs both sides.
std::string DefaultBeamCaption(const TProject& Project, int Side);

struct TAnalysisRunOptions {
  TStringList* Report = nullptr;  // report lines, or none
  bool WillDumpReport = false;    // write the report and the per-beam log lines
  bool WillCollectOutputs = false;  // append the values of the project's OutputList as one line
  bool WillSearchAllSections = false;  // the selection may change section type and grade
  std::string ProjectFileName;    // for the report header
  // The clock that dates the report header ("Analysis run"); empty: the system clock.
  std::function<std::time_t()> Clock;
};

class TAnalysisRun {
 public:
  TAnalysisRun(TProject& Project, const TSession& Session, TAnalysisObserver& Observer)
      : project_(Project), session_(Session), observer_(Observer) {}

  // Runs every existing beam; returns the summary text ("caption OK; ...").
  std::string RunAnalysis(const TAnalysisRunOptions& Options);
  // Tries the library's sections for beam Side when its first section is
  // "<Auto-select>"; keeps the first that passes, else the last one tried.
  // Returns the number of candidates tried.
  int AutoSelectSteelSection(int Side, bool WillSearchAllSections);
  // The Design command's marking: every standard section of every existing beam.
  void MarkStandardSectionsForSelection();

 private:
  TProject& project_;
  const TSession& session_;
  TAnalysisObserver& observer_;
};
