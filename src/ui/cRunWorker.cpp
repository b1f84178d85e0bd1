#include "ui/cRunWorker.h"

#include <QCoreApplication>

#include "entity/VEXUtility.h"
#include "project/cAnalysisRun.h"
#include "project/cProjectFile.h"
#include "ui/cUiUtility.h"

namespace {

// Thrown from the observer to leave the run when the user cancels. It is not
// a std::exception, so the run's own error handling does not take it for an
// analysis error and it leaves RunAnalysis at once.
struct TRunCancelled {};

TBeamSummary SummaryOf(int Side, const TImportedBeam& Beam) {
  TBeamSummary s;
  s.Side = Side;
  if (Beam.SteelSectionList.Count() > 0) {
    const TSteelSection& section = *Beam.SteelSection(0);
    if (section.BaseSteelSection.IsStandard) {
      s.Grade = ToQ(section.Grade);
      s.SectionName = ToQ(section.Name);
    } else {
      s.SectionName = ToQ(section.SectionType);
    }
  }
  s.HasResults = Beam.PCCList.Count() > 0;
  if (s.HasResults) {
    s.Strength = ToQ(FloatToPercentStr(0, Beam.MaxStrengthRatio()));
    s.Stress = ToQ(FloatToPercentStr(0, Beam.MaxStressRatio()));
    s.Deflection = ToQ(FloatToPercentStr(0, Beam.MaxDeflectionRatio()));
    s.Camber = ToQ(FormatFixed(Beam.SuggestedCamber(), 0) + " mm");
    s.ShearConnectors =
        Beam.TotalShearConnectors <= 1000 ? QString::number(Beam.TotalShearConnectors) : QStringLiteral("N/A");
  }
  s.IsAssessmentOK = Beam.IsAssessmentOK();
  s.ErrorMsg = ToQ(Beam.Status.ErrorMsg);
  return s;
}

// Runs on the worker thread: turns the run's reports into signals of the
// worker (queued to the interface thread) and checks for a cancel request at
// every report.
class TThreadObserver : public TAnalysisObserver {
 public:
  TThreadObserver(TRunWorker& Worker, const std::atomic<bool>& Cancel, int BeamCount)
      : worker_(Worker), cancel_(Cancel), beam_count_(BeamCount) {}

  void AddLogLine(const std::string& Line) override { emit worker_.LogLine(ToQ(Line)); }
  void SetStatusText(const std::string& Text) override { emit worker_.StatusText(ToQ(Text)); }
  void ShowSummaryPanel(int Side, const TImportedBeam& Beam) override {
    ThrowIfCancelled();
    ++beams_done_;
    emit worker_.SummaryReady(SummaryOf(Side, Beam));
    emit worker_.Progress(beams_done_, beam_count_, QString());
  }
  void ShowCandidateSection(int /*Side*/, const TCustomSteelSection& Candidate, bool /*WillShowTypeAndGrade*/) override {
    ThrowIfCancelled();
    emit worker_.Progress(beams_done_, beam_count_, QStringLiteral("Trying ") + ToQ(Candidate.FullName()));
  }

 private:
  void ThrowIfCancelled() const {
    if (cancel_.load()) throw TRunCancelled{};
  }

  TRunWorker& worker_;
  const std::atomic<bool>& cancel_;
  int beam_count_;
  int beams_done_ = 0;
};

std::function<void()>& RunStartHook() {
  static std::function<void()> hook;
  return hook;
}

}  // namespace

void TRunWorker::SetRunStartHook(std::function<void()> Hook) { RunStartHook() = std::move(Hook); }

void TRunWorker::MarkForDesign(TProject& Project, TSession& Session) {
  TAnalysisObserver quiet;
  TAnalysisRun(Project, Session, quiet).MarkStandardSectionsForSelection();
}

TRunValidation TRunWorker::Validate(TSession& Session, TProject& Project) {
  TStatus status;
  TRunValidation v;
  v.IsOK = ValidateForAnalysis(Session, Project, status);
  for (const TStatusLine& line : status.ErrorList()) v.Lines.push_back(ToQ(line.Text));
  v.IsError = status.ErrorLevel >= elError;
  v.ErrorMsg = ToQ(status.ErrorMsg);
  return v;
}

TRunWorker::TRunWorker(QObject* Parent) : QObject(Parent) {
  qRegisterMetaType<TBeamSummary>();
  qRegisterMetaType<TRunResult>();
}

TRunWorker::~TRunWorker() {
  if (thread_) {
    Cancel();
    thread_->wait();
    delete thread_;
  }
}

bool TRunWorker::Start(TProject& Project, TSession& Session, const QString& ProjectFileName) {
  if (thread_) return false;
  cancel_ = std::make_shared<std::atomic<bool>>(false);
  result_ = std::make_shared<TRunResult>();
  auto cancel = cancel_;
  auto result = result_;
  const std::string file = ToStd(ProjectFileName);
  std::function<void()> start_hook = RunStartHook();
  thread_ = QThread::create([this, &Project, &Session, file, cancel, result, start_hook] {
    if (start_hook) start_hook();
    TThreadObserver observer(*this, *cancel, Project.BeamCount());
    TAnalysisRun run(Project, Session, observer);
    TStringList lines;
    try {
      TAnalysisRunOptions options;
      options.Report = &lines;
      options.WillDumpReport = true;
      options.ProjectFileName = file;
      result->Summary = ToQ(run.RunAnalysis(options));
      result->Outcome = TRunOutcome::Completed;
    } catch (const TRunCancelled&) {
      result->Outcome = TRunOutcome::Cancelled;
    } catch (const std::exception& e) {
      result->Outcome = TRunOutcome::Failed;
      result->ErrorMsg = ToQ(std::string("Error during analysis: ") + e.what());
    }
    for (const std::string& line : lines) result->ReportLines.push_back(ToQ(line));
  });
  thread_->setObjectName(QStringLiteral("AnalysisRun"));
  connect(thread_, &QThread::finished, this, &TRunWorker::OnThreadFinished);
  thread_->start();
  return true;
}

void TRunWorker::Cancel() {
  if (cancel_) cancel_->store(true);
}

void TRunWorker::OnThreadFinished() {
  if (!thread_) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  const TRunResult result = *result_;
  result_.reset();
  emit Finished(result);
}

void TRunWorker::Wait() {
  if (!thread_) return;
  thread_->wait();
  // The run's reports are queued ahead of its end: deliver them first.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  if (thread_) OnThreadFinished();
}
