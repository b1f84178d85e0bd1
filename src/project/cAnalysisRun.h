// The analysis run: every existing beam of the project analysed in the order
// that lets the primary beam see its secondary beams (side 1, side 2, then the
// primary beam), with the results report written as it goes, and the
// automatic selection of the first passing library section for beams marked
// "<Auto-select>". Analyse, Design, the regression tests and the design
// tables all run through RunAnalysis.
//
// The run tells a TAnalysisObserver what happens; the results, the sections
// chosen and the report lines never depend on the observer.
//
// Threads: RunAnalysis works on the thread that calls it and calls the
// observer on that same thread, in the order things happen. The project and
// the session belong to the run until it returns. A window runs it on a
// worker thread and passes what its observer receives on to the interface
// thread itself (queued signals); RequestCancel is the one operation another
// thread may call while the run goes.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <memory>
#include <string>

#include "project/cProject.h"
#include "project/cSession.h"
#include "report/cPrintableStringList.h"

// The text a cancelled run reports.
inline constexpr const char* kAnalysisCancelled = "Analysis cancelled";

// The one-line summary of a beam after its analysis: the window's "Summary
// Results" line and the command line's summary table. The result texts are
// empty for a beam that was not analysed (it did not validate).
struct TBeamSummary {
  int Side = 0;              // 0 primary beam, 1 and 2 the secondary beams
  std::string Caption;       // the beam's caption (navigation tree, log lines)
  std::string Beam;          // the summary line's name: "Pri: " or "Sec: " + mark; the caption when unmarked
  std::string Grade;         // of a standard first section; "" for a custom one
  std::string Section;       // its name; the section type of a custom one
  bool IsAnalysed = false;   // the beam has results
  double StrengthRatio = 0;  // MaxStrengthRatio
  double StressRatio = 0;    // MaxStressRatio
  double DeflectionRatio = 0;  // MaxDeflectionRatio
  double Camber = 0;         // SuggestedCamber, mm
  int ShearConnectors = 0;   // TotalShearConnectors
  std::string Strength;      // the ratios as percentages without decimals: "87%"
  std::string Stress;
  std::string Deflection;
  std::string CamberText;    // "35 mm"
  std::string ShearConnectorsText;  // the count, or "N/A" above 1000
  bool IsOK = false;         // IsAssessmentOK: the tick, else the cross
  std::string ErrorText;     // the beam's status message, shown beside the cross
  std::string Outcome;       // caption + " OK", or caption + " " + status message: the log line and status bar
};

// The summary of beam Side of the project as it stands, under Caption.
TBeamSummary BeamSummary(const TProject& Project, int Side, const std::string& Caption);

// The beam's caption: its long name, or "Secondary beam (Side n)" for a
// marked secondary beam when the floor designs both sides.
std::string DefaultBeamCaption(const TProject& Project, int Side);

// How a run ended: its result beside what it has to show.
struct TRunOutcome {
  // A success, or cancelled (with the message kAnalysisCancelled) when a
  // cancel request stopped the run. A beam's failure is a result, in its status.
  TResult Result;
  // "caption OK; caption message" for the status bar, with a report only.
  std::string SummaryText;
};

// What a run reports while it goes. Every callback is called on the thread
// running the analysis (see the top of this file); the defaults do nothing.
class TAnalysisObserver {
 public:
  virtual ~TAnalysisObserver() = default;
  // The run begins: results shown from an earlier run are out of date.
  // BeamCount: the beams it will run.
  virtual void RunStarted(int /*BeamCount*/) {}
  // Beam Side begins: the Index-th (from 1) of Count beams.
  virtual void BeamStarted(int /*Side*/, int /*Index*/, int /*Count*/) {}
  // The automatic selection of beam Side tries Candidate, the Index-th (from 1)
  // of the Count library sections it may try. IsTypeAndGradeOpen: the search
  // may change the section type and grade (design tables).
  virtual void CandidateTried(int /*Side*/, int /*Index*/, int /*Count*/, const TCustomSteelSection& /*Candidate*/,
                              bool /*IsTypeAndGradeOpen*/) {}
  // Beam Side has its results (or its reasons for having none).
  virtual void BeamFinished(int /*Side*/, const TBeamSummary& /*Summary*/) {}
  // A line for the event log: four blanks and a beam's outcome, or
  // kAnalysisCancelled. Only runs that write a report log.
  virtual void LogLine(const std::string& /*Line*/) {}
  // The run has ended; its results are up to date unless it was cancelled.
  virtual void RunFinished(const TRunOutcome& /*Outcome*/) {}
  // The beam's name in log lines and summaries (the navigation tree's caption).
  virtual std::string BeamCaption(const TProject& Project, int Side) const;
};

struct TAnalysisRunOptions {
  TStringList* Report = nullptr;  // report lines, or none
  bool WillDumpReport = false;    // write the report and the per-beam log lines
  bool WillCollectOutputs = false;  // append the values of the project's OutputList as one line
  bool WillSearchAllSections = false;  // the selection may change section type and grade
  std::string ProjectFileName;    // for the report header
  // The clock that dates the report header ("Analysis run"); empty: the system clock.
  std::function<std::time_t()> Clock;
};

class TRunSnapshot;

// One run, or one Design (the marking and the run after it): make a new
// TAnalysisRun for each command.
class TAnalysisRun {
 public:
  TAnalysisRun(TProject& Project, const TSession& Session, TAnalysisObserver& Observer);
  ~TAnalysisRun();
  TAnalysisRun(const TAnalysisRun&) = delete;
  TAnalysisRun& operator=(const TAnalysisRun&) = delete;

  // Runs every existing beam. A cancelled run stops before the next beam or
  // candidate and leaves the project as it was before the run (for a Design,
  // before MarkStandardSectionsForSelection): every section and load it
  // changed, and the statuses, are put back and the report lines it added
  // removed; the beams it reached lose their results, which no longer match
  // their input. It logs kAnalysisCancelled and says so in its outcome. A
  // cancel request holds until the run returns.
  TRunOutcome RunAnalysis(const TAnalysisRunOptions& Options);
  // Tries the library's sections for beam Side when its first section is
  // "<Auto-select>"; keeps the first that passes, else the last one tried.
  // Returns the number of candidates tried. A cancel request stops it before
  // the next candidate (the beam keeps the candidate it has).
  int AutoSelectSteelSection(int Side, bool WillSearchAllSections);
  // The Design command's marking: every standard section of every existing
  // beam. Belongs to the run that follows: cancelling it undoes the marking.
  void MarkStandardSectionsForSelection();

  // Asks the run to stop. Safe from any thread, at any time.
  void RequestCancel() { cancel_requested_.store(true); }
  bool IsCancelRequested() const { return cancel_requested_.load(); }

 private:
  TProject& project_;
  const TSession& session_;
  TAnalysisObserver& observer_;
  std::atomic<bool> cancel_requested_{false};
  std::unique_ptr<TRunSnapshot> snapshot_;  // the input before the run, for a cancel
};
