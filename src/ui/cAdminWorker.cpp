#include "ui/cAdminWorker.h"

#include <QCoreApplication>

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
