// TRunView: Analyse and Design in the main window and everything that shows
// their outcome. It owns the run's worker thread and makes the pages of the
// results: the "Summary Results" and "Graphics" pages of the results area,
// and the "Analysis results" data page (handed to the window as a page).
//
// A run: the checks of the focused field and of the beam pages, the pages
// copied into the project, the libraries and the project validated, then the
// core's run on the worker (the window locked, with progress and Cancel);
// each beam's summary line as it ends; then the results tree, the charts,
// Export and Print, and "Analysis complete" or "Design complete" in the
// Event Log. The up and down buttons of a summary line analyse the beam
// again with its neighbouring library section.
//
// The results (SavedResults, the tree, the summary lines, the charts) always
// belong together: cleared when a run starts or the input changes, filled
// when a run ends.
//
// Interface thread only; the run owns the project from its start until its
// results are shown.
#pragma once

#include <QObject>
#include <QString>

#include "report/cPrintableStringList.h"

class QTabWidget;
class TAnalysisResultsPage;
class TGraphicsPage;
class TRunWorker;
class TSummaryResultsPage;
class TfrmMain;
struct TBeamSummary;
struct TPrintOutcome;
struct TRunWorkerOutcome;
enum class TRunKind;

class TRunView : public QObject {
  Q_OBJECT
 public:
  // Adds the Summary Results and Graphics pages to ResultsArea (the
  // window's) and makes the Analysis results page.
  TRunView(TfrmMain& Window, QTabWidget& ResultsArea);
  // Waits for a run still under way.
  ~TRunView() override;

  // The Analysis results page, once, for the window to add among its pages.
  TAnalysisResultsPage* TakeResultsPage();

  void Analyse();
  void Design();
  bool IsRunning() const;
  void CancelRun();
  // Blocks until a run under way has ended and its results are shown.
  void WaitForRun();

  const TPrintableStringList& SavedResults() const { return saved_results_; }
  // A report to export: the last run's (it stays after an input change).
  bool HasResults() const { return !saved_results_.Lines.empty(); }
  TSummaryResultsPage* Summary() const { return summary_; }
  TAnalysisResultsPage* ResultsPage() const { return results_page_; }
  TGraphicsPage* GraphicsPage() const { return graphics_; }

  // Empties the summary lines' results, the results tree and the charts.
  void ClearResultsDisplay();
  // Hides the summary lines' crosses and error texts (after an input change).
  void HideErrors();
  void SetStepButtonsEnabled(bool IsEnabled);
  void PrintResults();
  // The calculation report of the last results (fRunViewCalculation.cpp):
  // saved as PDF or HTML where the user chooses, or printed.
  void SaveCalculationReport();
  void PrintCalculationReport();
  // Writes the last results report to a file the user chooses, one line per report line.
  void ExportResults();
  // The up (Step +1) and down (-1) buttons of beam Side's summary line: the
  // neighbouring library section of the same type and grade, then Analyse.
  void StepBeamSection(int Side, int Step);

 private:
  void ProduceResults(TRunKind Kind);
  void OnRunSummary(const TBeamSummary& Summary);
  void OnRunFinished(const TRunWorkerOutcome& Outcome);
  // What a print through the dialog came to: the pages printed in the status
  // line, a failure in the Event Log and a message, nothing when cancelled.
  void ShowPrinted(const TPrintOutcome& Printed);

  TfrmMain& window_;
  QTabWidget& area_;
  TRunWorker* worker_;
  TSummaryResultsPage* summary_;
  TGraphicsPage* graphics_;
  TAnalysisResultsPage* results_page_;
  bool results_page_taken_ = false;
  TPrintableStringList saved_results_;
  TRunKind run_kind_{};
};
