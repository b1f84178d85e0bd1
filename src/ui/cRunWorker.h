// The one place where the window drives the core's analysis run. Analyse and
// Design run TAnalysisRun::RunAnalysis on a worker thread; what the run
// reports (log lines, status text, each beam's summary, progress) reaches the
// interface thread as queued signals, and the report lines arrive with
// Finished.
//
// Threads: Start, Cancel and IsRunning are called on the interface thread.
// From Start until Finished is delivered the run owns the project and the
// session: the window must neither read nor change them (it locks its input
// while a run is under way). The program-wide edition and number format are
// read by the run and must not change meanwhile either.
//
// Cancel: the run stops before its next beam or candidate section and puts
// the project back as it was before the command (a Design's marking
// included); Finished says so.
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <functional>
#include <memory>

#include "project/cAnalysisRun.h"

// A beam's summary line, made by the run on the worker thread.
Q_DECLARE_METATYPE(TBeamSummary)

enum class TRunKind { Analysis, Design };

// How a run ended, as Finished delivers it: the run's result beside what it
// produced.
struct TRunWorkerOutcome {
  // A success; cancelled (kAnalysisCancelled) when Cancel stopped the run; a
  // failure, "Error during analysis: " + why, when an error ended it.
  TResult Result;
  QStringList ReportLines;
  QString Summary;  // "caption OK; caption ..." as the status bar shows it
};
Q_DECLARE_METATYPE(TRunWorkerOutcome)

class TRunWorker : public QObject {
  Q_OBJECT
 public:
  // Interface-thread step before Start: Prepare makes the command's run (a
  // Design marks every standard section of every beam for automatic selection
  // now, as part of that run); then the window validates the libraries and
  // the project (ValidateForAnalysis) and starts nothing unless both are OK.
  void Prepare(TProject& Project, TSession& Session, TRunKind Kind);

  explicit TRunWorker(QObject* Parent = nullptr);
  // Waits for a run still under way.
  ~TRunWorker() override;

  // Starts the prepared run; false when none is prepared or one is under way.
  bool Start(const QString& ProjectFileName);
  void Cancel();
  bool IsRunning() const { return thread_ != nullptr; }
  // Blocks until the run has ended and Finished was emitted (tests, closing).
  void Wait();
  // Tests: called on the worker thread before the run begins, so a test can
  // hold the run until it has asked for a cancel. Empty removes it.
  static void SetRunStartHook(std::function<void()> Hook);

 signals:
  void LogLine(const QString& Line);
  void StatusText(const QString& Text);
  // BeamsDone of BeamCount beams finished; Activity says what runs now.
  void Progress(int BeamsDone, int BeamCount, const QString& Activity);
  void SummaryReady(const TBeamSummary& Summary);
  void Finished(const TRunWorkerOutcome& Outcome);

 private:
  void OnThreadFinished();

  TProject* project_ = nullptr;
  std::unique_ptr<TAnalysisObserver> observer_;
  std::unique_ptr<TAnalysisRun> run_;
  QThread* thread_ = nullptr;
  std::shared_ptr<TRunWorkerOutcome> outcome_;
};
