// The design-table generator: for one or every standard floor use of the
// design library, a table of the first passing library section, its
// suggested camber and its shear connectors over a grid of spans and
// spacings; first for secondary beams without a primary beam, then for
// primary beams carrying secondary beams. The window's hidden "Create Design
// Table" command and `trevalon design-table` call it.
//
// The table file (CR LF lines):
//   <program>/V<version>
//   Design table input file,<project file>
//   Tables created,<date>
//   Standard,<edition>
//   (empty)
// then for each floor use:
//   Floor Use,"<long name>"
//   (empty)
//   Secondary beam: <mark of beam 1>
//   "Span (mm)","Spacing (mm)","Beam (KESTREL)","Camber (mm)","Studs/beam"
//   one row per spacing: span, spacing, section, camber, connectors
//   (empty)
//   Primary beam: <mark of beam 0>
//   (the same header)
//   one row per span and spacing, an empty line after each span
// A case whose analysis raised an error adds "** Calculation error: <message>
// **"; a case without a passing section adds, below the row of the last
// section tried, "** Unable to find a solution from library steel sections **".
// Texts of the project and of the design library (the file name, marks, floor
// use names, section names) are cells as the results report writes them
// (report::FormulaSafe): one cell each, never a formula in a spreadsheet; a
// mark with a comma makes its whole line one quoted cell.
//
// Cases are independent: each starts from the project as the caller has it
// and runs on its own copy of it (read back from the project's own file text)
// against the design library, so cases run side by side on several threads
// and the table is the same, byte for byte, whatever the number of threads
// or parts. Rows, lines and case files are written in the table's order.
// The caller's project and session are left as they were (the project's
// checksum is brought up to date and its output list emptied, as the
// window's generator leaves them).
//
// Threads: Run works on the thread that calls it and calls the observer on
// that thread only; it starts Jobs worker threads of its own and waits for
// them. Each worker sets the table's edition (TStandardVersionScope) and the
// caller's regional format (TRegionalSettingsScope) for itself. The project
// and the session belong to the call until it returns: they are only read
// while the workers run. RequestCancel is the one operation another thread
// may call meanwhile.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "entity/cResult.h"
#include "project/cProject.h"
#include "project/cSession.h"

class TAnalysisRun;

// The most cases one table may have (spacings x (spans + 1) x floor uses),
// far above real use: a table of more is refused before anything runs.
inline constexpr int kMaxDesignTableCases = 100000;

// What the design-table screen supplies; by default the project's own settings.
struct TDesignTableSettings {
  int VersionID = 0;                 // edition of the tables: 0 the 2003 edition, 1 the 2017 edition
  bool WillIterateAllFloors = false;  // every floor use of the design library
  int FloorUseIndex = 0;             // else this one
  std::vector<double> SpanList;      // primary beam spans, mm
  std::vector<double> SpacingList;   // spacings, mm
  bool WillSaveInputs = false;       // write every primary-beam case as a project file (.tva)
  bool WillSaveReports = false;      // write every primary-beam case's results report (.csv)
};
TDesignTableSettings DesignTableSettingsOf(const TDesignTable& DesignTable);

struct TDesignTableOptions {
  TDesignTableSettings Settings;
  // The project's file: the table is DeriveFileName(ProjectFileName,
  // "-Design", ".csv") and a case file DeriveFileName(ProjectFileName,
  // "-F<floor use>S<edition>(<span>,<spacing>)", ".tva" or ".csv"), beside it.
  std::string ProjectFileName;
  // The design library; empty: "Trevalon-Design.tvl" as shipped (GetShippedFile).
  std::string DesignLibraryFile;
  // The library the project was opened with ("" when not known): like the
  // project and the design library, it is never written over.
  std::string LibraryFile;
  // Worker threads; 0: one per core.
  int Jobs = 0;
  // Part Part (from 1) of Parts: only every Parts-th case, from case Part
  // on, is run, and the part file DesignTablePartFileName(...) is written
  // instead of the table; MergeDesignTableParts joins the parts.
  int Part = 1;
  int Parts = 1;
  // Dates the header, the log and the reports; empty: the system clock.
  std::function<std::time_t()> Clock;
};

// What a run reports. Every callback comes on the thread that called Run.
class TDesignTableObserver {
 public:
  virtual ~TDesignTableObserver() = default;
  // A line for the event log (the command line prints it).
  virtual void LogLine(const std::string& /*Line*/) {}
  // A message the window shows in a box ("Design table saved to ...").
  virtual void Message(const std::string& /*Text*/) {}
  // Done of Count cases have finished (in any order): a progress bar.
  virtual void CasesDone(int /*Done*/, int /*Count*/) {}
};

// The text of a design-table run a cancel request stopped.
inline constexpr const char* kDesignTableCancelled = "Design table cancelled";

struct TDesignTableOutcome {
  // A failure: what stopped the run; no table was written. Cancelled
  // (kDesignTableCancelled): a cancel request stopped it; no table was written.
  TResult Result;
  std::string TableFile;           // the table (or part) written
  std::vector<std::string> Lines;  // its lines, for the results tree
  std::vector<std::string> CaseFiles;  // case files written, in table order
  int Cases = 0;              // cases in the whole table
  int CasesRun = 0;           // of them, those this run (or part) ran
  int Unsolved = 0;           // cases without a passing library section
  int CalculationErrors = 0;  // cases whose analysis raised an error
};

class TDesignTableRunner {
 public:
  // Call after copying the screens into the project. Session holds the
  // normal libraries the project was opened with.
  TDesignTableRunner(TProject& Project, const TSession& Session, TDesignTableObserver& Observer);
  TDesignTableRunner(const TDesignTableRunner&) = delete;
  TDesignTableRunner& operator=(const TDesignTableRunner&) = delete;

  // Runs the cases and writes the table and the case files. Fails before
  // running anything when the design library cannot be read, the floor use is
  // not in it, the part is not one of the parts, the table would have more
  // than kMaxDesignTableCases cases, or a file it is to write is one it reads
  // (the project, the library, the design library) or is named twice
  // (TFileUses); fails after the run when a file cannot be written. A
  // cancelled run writes no table.
  TDesignTableOutcome Run(const TDesignTableOptions& Options);

  // Stops the run soon: cases under way stop before their next beam or
  // section. Safe from any thread, at any time; holds until Run returns.
  void RequestCancel();
  bool IsCancelRequested() const { return cancel_requested_.load(); }

 private:
  friend class TDesignTableWork;
  friend class TDesignTableJob;
  // The runs of the cases under way, so a cancel reaches them.
  void Started(TAnalysisRun* Run);
  void Stopped(TAnalysisRun* Run);

  TProject& project_;
  const TSession& session_;
  TDesignTableObserver& observer_;
  std::atomic<bool> cancel_requested_{false};
  std::mutex runs_mutex_;
  std::vector<TAnalysisRun*> runs_;
};
