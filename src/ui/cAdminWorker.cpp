#include "ui/cAdminWorker.h"

#include <QCoreApplication>

#include "admin/cDesignTableRunner.h"
#include "admin/cTestRunner.h"
#include "ui/cUiUtility.h"

namespace {

std::function<void()>& JobStartHook() {
  static std::function<void()> hook;
  return hook;
}

}  // namespace

void TAdminWorker::SetJobStartHook(std::function<void()> Hook) { JobStartHook() = std::move(Hook); }

TAdminWorker::TAdminWorker(QObject* Parent) : QObject(Parent) {}

TAdminWorker::~TAdminWorker() {
  if (!thread_) return;
  done_ = nullptr;  // the window that asked for it is going
  Cancel();
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
}

bool TAdminWorker::Start(std::function<void()> Work, std::function<void()> CancelRequest, std::function<void()> Done) {
  if (thread_) return false;
  cancel_ = std::move(CancelRequest);
  done_ = std::move(Done);
  std::function<void()> start_hook = JobStartHook();
  thread_ = QThread::create([work = std::move(Work), start_hook] {
    if (start_hook) start_hook();
    work();
  });
  thread_->setObjectName(QStringLiteral("AdminJob"));
  connect(thread_, &QThread::finished, this, &TAdminWorker::OnThreadFinished);
  thread_->start();
  return true;
}

void TAdminWorker::Cancel() {
  if (thread_ && cancel_) cancel_();
}

void TAdminWorker::OnThreadFinished() {
  if (!thread_) return;
  thread_->wait();
  delete thread_;
  thread_ = nullptr;
  cancel_ = nullptr;
  // Done may start the next job, so it is taken out first.
  const std::function<void()> done = std::move(done_);
  done_ = nullptr;
  if (done) done();
  emit Finished();
}

void TAdminWorker::Wait() {
  if (!thread_) return;
  thread_->wait();
  // The job's reports are queued ahead of its end: deliver them first.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::MetaCall);
  if (thread_) OnThreadFinished();
}

// ---------------------------------------------------------------------------
// Observers: called on the worker thread, they only emit the worker's signals
// (queued to the interface thread, where the worker lives).

namespace {

class TWorkerTestObserver : public TTestRunObserver {
 public:
  explicit TWorkerTestObserver(TAdminWorker& Worker) : worker_(Worker) {}
  void LogLine(const std::string& Line) override { emit worker_.LogLine(ToQ(Line)); }
  void Message(const std::string& Text) override { emit worker_.Message(ToQ(Text)); }
  void TestStarted(const std::string& Name, int Index, int Count) override {
    emit worker_.Progress(Index - 1, Count, QStringLiteral("Running test %1 (%2 of %3)").arg(ToQ(Name)).arg(Index).arg(Count));
  }
  void TestFinished(const TTest& Test, int Done, int Count, int Passed) override {
    emit worker_.TestDone(ToQ(Test.Group), ToQ(Test.Name), Test.Status.ErrorLevel == elHint, Done, Count, Passed);
    emit worker_.Progress(Done, Count, QString());
  }

 private:
  TAdminWorker& worker_;
};

class TWorkerDesignTableObserver : public TDesignTableObserver {
 public:
  explicit TWorkerDesignTableObserver(TAdminWorker& Worker) : worker_(Worker) {}
  void LogLine(const std::string& Line) override { emit worker_.LogLine(ToQ(Line)); }
  void Message(const std::string& Text) override { emit worker_.Message(ToQ(Text)); }
  void CasesDone(int Done, int Count) override {
    emit worker_.Progress(Done, Count, QStringLiteral("Design table: %1 of %2 cases done").arg(Done).arg(Count));
  }

 private:
  TAdminWorker& worker_;
};

}  // namespace

std::unique_ptr<TTestRunObserver> TAdminWorker::MakeTestObserver() {
  return std::make_unique<TWorkerTestObserver>(*this);
}

std::unique_ptr<TDesignTableObserver> TAdminWorker::MakeDesignTableObserver() {
  return std::make_unique<TWorkerDesignTableObserver>(*this);
}
