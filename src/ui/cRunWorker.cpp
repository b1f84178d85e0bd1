#include "ui/cRunWorker.h"

#include <QCoreApplication>

#include "project/cAnalysisRun.h"
#include "ui/cUiUtility.h"

namespace {

// Runs on the worker thread: passes what the run reports on as signals of the
// worker, queued to the interface thread.
class TThreadObserver : public TAnalysisObserver {
 public:
  explicit TThreadObserver(TRunWorker& Worker) : worker_(Worker) {}

  void RunStarted(int BeamCount) override {
    beam_count_ = BeamCount;
    beams_done_ = 0;
    status_text_.clear();
  }
  void BeamStarted(int /*Side*/, int Index, int Count) override {
    emit worker_.Progress(Index - 1, Count, QString());
  }
  void CandidateTried(int /*Side*/, int Index, int Count, const TCustomSteelSection& Candidate,
                      bool /*IsTypeAndGradeOpen*/) override {
    emit worker_.Progress(beams_done_, beam_count_,
                          QStringLiteral("Trying %1 (%2 of %3)").arg(ToQ(Candidate.FullName())).arg(Index).arg(Count));
  }
  void BeamFinished(int /*Side*/, const TBeamSummary& Summary) override {
    ++beams_done_;
    emit worker_.SummaryReady(Summary);
    emit worker_.Progress(beams_done_, beam_count_, QString());
    // The status bar collects every beam's outcome of the run so far.
    if (!status_text_.isEmpty()) status_text_ += QStringLiteral("; ");
    status_text_ += ToQ(Summary.Outcome);
    emit worker_.StatusText(status_text_);
  }
  void LogLine(const std::string& Line) override { emit worker_.LogLine(ToQ(Line)); }

 private:
  TRunWorker& worker_;
  int beam_count_ = 0;
  int beams_done_ = 0;
  QString status_text_;
};

std::function<void()>& RunStartHook() {
  static std::function<void()> hook;
  return hook;
}

}  // namespace

void TRunWorker::SetRunStartHook(std::function<void()> Hook) { RunStartHook() = std::move(Hook); }

void TRunWorker::Prepare(TProject& Project, TSession& Session, TRunKind Kind) {
  if (thread_) return;
  run_.reset();
  project_ = &Project;
  observer_ = std::make_unique<TThreadObserver>(*this);
  run_ = std::make_unique<TAnalysisRun>(Project, Session, *observer_);
  if (Kind == TRunKind::Design) run_->MarkStandardSectionsForSelection();
}

TRunWorker::TRunWorker(QObject* Parent) : QObject(Parent) {
  qRegisterMetaType<TBeamSummary>();
  qRegisterMetaType<TRunWorkerOutcome>();
}

TRunWorker::~TRunWorker() {
  if (thread_) {
    Cancel();
    thread_->wait();
    delete thread_;
  }
}

bool TRunWorker::Start(const QString& ProjectFileName) {
  if (thread_ || !run_) return false;
  outcome_ = std::make_shared<TRunWorkerOutcome>();
  auto result = outcome_;
  TAnalysisRun* run = run_.get();
  const std::string file = ToStd(ProjectFileName);
  std::function<void()> start_hook = RunStartHook();
  thread_ = QThread::create([run, file, result, start_hook] {
    if (start_hook) start_hook();
    TStringList lines;
    try {
      TAnalysisRunOptions options;
      options.Report = &lines;
      options.WillDumpReport = true;
      options.ProjectFileName = file;
      const TRunOutcome outcome = run->RunAnalysis(options);
      result->Result = outcome.Result;
      result->Summary = ToQ(outcome.SummaryText);
    } catch (const std::exception& e) {
      // The run reports a beam's analysis error in its status; what still
      // arrives here (running out of memory) ends the run.
      result->Result = TResult::Failure(std::string("Error during analysis: ") + e.what());
    }
    for (const std::string& line : lines) result->ReportLines.push_back(ToQ(line));
  });
  thread_->setObjectName(QStringLiteral("AnalysisRun"));
  connect(thread_, &QThread::finished, this, &TRunWorker::OnThreadFinished);
  thread_->start();
  return true;
}

void TRunWorker::Cancel() {
  if (run_) run_->RequestCancel();
}

void TRunWorker::OnThreadFinished() {
  if (!thread_) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  const TRunWorkerOutcome outcome = *outcome_;
  outcome_.reset();
  run_.reset();
  observer_.reset();
  emit Finished(outcome);
}

void TRunWorker::Wait() {
  if (!thread_) return;
  thread_->wait();
  // The run's reports are queued ahead of its end: deliver them first.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  if (thread_) OnThreadFinished();
}
