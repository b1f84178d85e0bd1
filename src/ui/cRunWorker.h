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
// Cancel: the run stops at its next report to the window (a candidate section
// tried or a beam finished) and Finished says so; the project may then hold
// partial results, so the window restores its state snapshot.
#pragma once

#include <QMetaType>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QThread>

#include <atomic>
#include <functional>
#include <memory>

class TProject;
class TSession;

// One beam's summary line, copied from the beam on the worker thread.
struct TBeamSummary {
  int Side = 0;
  QString Grade, SectionName;  // grade empty for a custom section
  bool HasResults = false;     // the beam was analysed (ratios are meaningful)
  QString Strength, Stress, Deflection, Camber, ShearConnectors;
  bool IsAssessmentOK = false;
  QString ErrorMsg;
};
Q_DECLARE_METATYPE(TBeamSummary)

enum class TRunKind { Analysis, Design };
enum class TRunOutcome { Completed, Cancelled, Failed };

struct TRunResult {
  TRunOutcome Outcome = TRunOutcome::Completed;
  QStringList ReportLines;
  QString Summary;  // "caption OK; caption ..." as the status bar shows it
  QString ErrorMsg;  // for Failed
};
Q_DECLARE_METATYPE(TRunResult)

// The libraries and the project checked before a run.
struct TRunValidation {
  bool IsOK = true;
  QStringList Lines;     // every message, the libraries' first
  bool IsError = false;  // the worst message is an error (else a warning or hint)
  QString ErrorMsg;      // the first message of the worst level
};

class TRunWorker : public QObject {
  Q_OBJECT
 public:
  // Interface-thread steps before Start: the Design command first marks every
  // standard section of every beam for automatic selection; then the
  // libraries and the project are validated (nothing runs unless both are OK).
  static void MarkForDesign(TProject& Project, TSession& Session);
  static TRunValidation Validate(TSession& Session, TProject& Project);

  explicit TRunWorker(QObject* Parent = nullptr);
  // Waits for a run still under way.
  ~TRunWorker() override;

  // Starts the run; false when one is already under way.
  bool Start(TProject& Project, TSession& Session, const QString& ProjectFileName);
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
  void Finished(const TRunResult& Result);

 private:
  void OnThreadFinished();

  QThread* thread_ = nullptr;
  std::shared_ptr<std::atomic<bool>> cancel_;
  std::shared_ptr<TRunResult> result_;
};
