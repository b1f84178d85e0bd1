// The administrators' long jobs (a run of the regression tests, a design
// table) on a thread of their own, so the window keeps painting and Cancel
// can be pressed. The job itself is the core's: the window builds the core's
// runner on the interface thread and hands Start a function that runs it.
// What the runner reports while it goes reaches the interface thread as the
// worker's queued signals (the observers in this unit emit them).
//
// Threads: Start, Cancel, IsRunning and Wait are called on the interface
// thread. From Start until Finished the job owns the project and the
// session: the window neither reads nor changes them (it locks its input).
// The job's cancel request is the one thing called from the interface thread
// meanwhile. Done runs on the interface thread after the job returned and
// after every signal it emitted was delivered; Finished follows it.
#pragma once

#include <QObject>
#include <QString>
#include <QThread>

#include <functional>
#include <memory>

class TTestRunObserver;
class TDesignTableObserver;

class TAdminWorker : public QObject {
  Q_OBJECT
 public:
  explicit TAdminWorker(QObject* Parent = nullptr);
  // Asks a job still under way to stop and waits for it; its Done is not called.
  ~TAdminWorker() override;

  // Starts Work on the worker thread; false when a job is under way.
  // CancelRequest asks the job to stop (called by Cancel, from this thread).
  bool Start(std::function<void()> Work, std::function<void()> CancelRequest, std::function<void()> Done);
  void Cancel();
  bool IsRunning() const { return thread_ != nullptr; }
  // Blocks until the job has ended and Done has run (tests, closing).
  void Wait();
  // Tests: called on the worker thread before the job begins, so a test can
  // hold the job until it has asked for a cancel. Empty removes it.
  static void SetJobStartHook(std::function<void()> Hook);

  // Observers for the core's runners: each passes what it hears on as this
  // worker's signals. Create them on the interface thread; they are called
  // on the worker thread.
  std::unique_ptr<TTestRunObserver> MakeTestObserver();
  std::unique_ptr<TDesignTableObserver> MakeDesignTableObserver();

 signals:
  void LogLine(const QString& Line);
  // A message the window shows in a box once the job is over.
  void Message(const QString& Text);
  // Done of Count steps (tests or cases); Activity says what runs now.
  void Progress(int Done, int Count, const QString& Activity);
  // A test dealt with: its verdict and the run's counts so far.
  void TestDone(const QString& Group, const QString& Name, bool Passed, int Done, int Count, int PassedCount);
  void Finished();

 private:
  void OnThreadFinished();

  QThread* thread_ = nullptr;
  std::function<void()> cancel_;
  std::function<void()> done_;
};
