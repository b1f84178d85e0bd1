// Running the regression tests kept inside a project file, and the
// administrators' commands around them: "Run All Tests", "Run Test",
// "Cancel Tests", "Check test data", "Save As Data File" and "List
// Properties". The window's hidden Testing menu and `trevalon test` call
// these; the group and test editing rules are in cTestEditing.h.
//
// Running one test: the whole project is kept in a snapshot; the project,
// tests included, is written to the test file "TVTest.tva" in a folder of
// the run's own under the per-user work folder, the test's inputs written
// over its keys and its outputs into the section "Output"; the project is
// read back from that file and analysed in full (no report) under the test's
// edition (a TStandardVersionScope on the calling thread); every output is
// evaluated against its expected value and tolerances; the test's lines are
// appended to the results file; the project is restored from the snapshot
// with the test's new results, and the folder removed. The user's project
// thus comes back as it was (without analysis results, as after opening it)
// apart from the tests' results.
//
// Threads: everything runs on the thread that calls it, and the observer is
// called on that thread, in the order things happen. The project and the
// session belong to the call until it returns: a window runs it on a worker
// thread, leaves the project and session alone meanwhile, and passes what
// its observer receives on to the interface thread itself (queued signals).
// RequestCancel is the one operation another thread may call meanwhile.
//
// Failure: a test that fails is a result, not an error. A TResult failure
// means the run could not go on: no work folder, or a results file that
// cannot be written or that is an input; the project is restored all the
// same.
//
// The run's folder (TRunFolder) is removed when the run ends, and also when
// SIGINT, SIGTERM or SIGHUP end the program during a test; one left by a
// program killed outright is removed by the next run.
#pragma once

#include <atomic>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "entity/cResult.h"
#include "project/cProject.h"
#include "project/cSession.h"

// What a test run reports while it goes. The defaults do nothing.
class TTestRunObserver {
 public:
  virtual ~TTestRunObserver() = default;
  // A line for the event log (the command line prints it).
  virtual void LogLine(const std::string& /*Line*/) {}
  // A message the window shows in a box ("Test results saved to ...",
  // "Input data check OK"); the event log already holds the same news.
  virtual void Message(const std::string& /*Text*/) {}
  // Test Name, the Index-th (from 1) of Count, is about to run or to be
  // reported from its stored results.
  virtual void TestStarted(const std::string& /*Name*/, int /*Index*/, int /*Count*/) {}
  // After each test, with its results: Done of Count tests dealt with, Passed
  // of Done passed (the labels "Tests run: %d/%d" and "Passed: %d/%d", the
  // status bar "Tests run: %d/%d, Passed: %d/%d").
  virtual void TestFinished(const TTest& /*Test*/, int /*Done*/, int /*Count*/, int /*Passed*/) {}
};

struct TTestRunOptions {
  // The project's file: the results file is DeriveFileName(ProjectFileName,
  // "-Test", ".csv"), beside it.
  std::string ProjectFileName;
  // The library the project was opened with ("" when not known). The results
  // file is never the project's file or the library (TFileUses): the run is
  // refused before any test runs.
  std::string LibraryFile;
  // Where the run's folder for the test file is made; empty: the per-user
  // work folder (GetWorkFolder(GetAppName())).
  std::string WorkFolder;
  // -1: each test runs under the edition recorded with it (its VersionID).
  // 0 or 1: every test runs under that edition instead, and is run again
  // even when it has stored results (they belong to its own edition).
  int Edition = -1;
  // Runs every test again, clearing the results stored with them first.
  bool WillRerunAll = false;
  // Dates the log and the results file; empty: the system clock.
  std::function<std::time_t()> Clock;
};

// The text of a run of the tests that "Cancel Tests" stopped.
inline constexpr const char* kTestsCancelled = "Tests cancelled";

struct TTestRunOutcome {
  // A failure: why the run stopped early. Cancelled (kTestsCancelled): "Cancel
  // Tests" stopped it after a test; the results file holds the tests done.
  TResult Result;
  std::string ResultsFile;
  int Count = 0;   // tests in the run
  int Done = 0;    // tests dealt with (fewer than Count when cancelled or stopped)
  int Passed = 0;  // of Done
};

struct TTestDataCheck {
  TResult Result;      // a failure: the test could not be prepared
  // The validation of the libraries and the project with the test's inputs,
  // as the Analyse command validates (ValidateForAnalysis): OK when they pass.
  TStatus Validation;
};

// Asks the user a question with Yes and No (or OK and Cancel); true for Yes.
using TConfirmFunction = std::function<bool(const std::string& Question)>;

class TTestRunner {
 public:
  // Call after copying the screens into the project. The session's libraries
  // are only read (checking test data validates them, which sets its status).
  TTestRunner(TProject& Project, TSession& Session, TTestRunObserver& Observer);
  TTestRunner(const TTestRunner&) = delete;
  TTestRunner& operator=(const TTestRunner&) = delete;

  // "Run All Tests": every test in list order until cancelled. A test with
  // stored results (status not elNone) is not run again: its stored lines go
  // to the results file, and it counts as passed only when its status is
  // elHint. The results file is replaced.
  TTestRunOutcome RunAllTests(const TTestRunOptions& Options);
  // "Run Test": the test named Name, the first test when no test has that name.
  TTestRunOutcome RunTest(const std::string& Name, const TTestRunOptions& Options);
  // "Check test data": prepares the test named Name as a run does and
  // validates the libraries and the project; the message "Input data check
  // OK" when they pass. The project is restored afterwards.
  TTestDataCheck CheckTestData(const std::string& Name, const TTestRunOptions& Options);
  // "Save As Data File": the project without its tests, with the inputs of
  // the test named Name written over it, as the project file
  // DeriveFileName(ProjectFileName, "-" + Name, ".tva"). An existing file is
  // replaced only when Confirm answers yes to "<file> already exists.\nDo
  // you want to replace it?". Success says the file written; cancelled when
  // the user kept the old file; a failure says why nothing was written.
  TResult SaveAsDataFile(const std::string& Name, const std::string& ProjectFileName,
                         const TConfirmFunction& Confirm);

  // "Cancel Tests": a run of all tests stops after the current test. Safe
  // from any thread, at any time; holds until the run returns.
  void RequestCancel() { cancel_requested_.store(true); }
  bool IsCancelRequested() const { return cancel_requested_.load(); }

 private:
  TTestRunOutcome Run(int Only, const TTestRunOptions& Options);
  // Runs test Index (0-based) of the list as specified for one test;
  // IsPassed tells the verdict.
  TResult RunOne(int Index, const TTestRunOptions& Options, const std::string& ResultsFile, bool& IsPassed);
  std::time_t Now(const TTestRunOptions& Options) const;

  TProject& project_;
  TSession& session_;
  TTestRunObserver& observer_;
  std::atomic<bool> cancel_requested_{false};
};

// The evaluation of a test's outputs on a project that has been analysed
// (steps shared by the run and its tests): sets each output's calculated
// value and comment and the test's status (elHint when every output passed,
// elWarning otherwise). IsCalculationError: the run itself raised an engine
// error; an error while evaluating an output turns the mode on for it and the
// outputs after it. A path that names no entity or property fails whatever
// its expected value. InvalidInput: the first message of a validation the
// project's input did not pass (empty when it passed); the project was then
// not analysed, and only "ISOK" and "ERRORMSG" can still pass: every other
// output fails with that message as its calculated value. Returns true when
// the test passed.
bool EvaluateTestOutputs(TProject& Project, TTest& Test, bool IsCalculationError,
                         const std::string& InvalidInput = "");

// "List Properties": the test property list file (where the command writes
// it: TestPropertyListFileName()). The project's properties are listed to
// depth 4 and sorted, after the explanatory lines; Today dates the list.
std::vector<std::string> TestPropertyList(TProject& Project, std::time_t Today);
std::string TestPropertyListFileName();  // beside the program: <program>-TestPropertyList.csv
// Writes the list into File (CR LF lines), logging "Creating list of test
// properties..." before and "List of test properties saved to " + File
// after, which is also the message.
TResult WriteTestPropertyList(TProject& Project, const std::string& File, TTestRunObserver& Observer,
                              std::time_t Today = std::time(nullptr));
