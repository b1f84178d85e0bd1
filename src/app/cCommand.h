// The command line's subcommands, one class each. A command registers its
// options with CLI11 and runs when chosen. Exit codes: 0 success (for analyse
// and design: every beam's assessment passes), 1 the run completed and some
// beam fails its assessment (for eval: some expectation is not met; for
// test: some test fails; for design-table: some case found no section), 2 bad
// usage, a missing or unreadable file, an output that cannot be written
// (standard output too) or that would replace an input, an eval path that
// names nothing, or libraries or a project that do not validate. Every error
// goes to standard error as one line, and nothing the user had is lost.
#pragma once

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "project/cAnalysisRun.h"
#include "project/cProject.h"
#include "project/cSession.h"

enum TExitCode { kExitOK = 0, kExitAssessmentFailed = 1, kExitUsage = 2 };

// Options every engineering command shares.
struct TCommonOptions {
  std::string LibraryFile;  // default: Trevalon.tvl beside the program
  int Standard = 2017;      // 2003 or 2017
  bool IsStandardGiven = false;  // --standard was on the command line
};

// What a command does with the project it opens (TCommand::OpenProject).
struct TProjectOpening {
  // The run the command will make: the project is then validated for it as
  // the Analyse command validates. None: the project is only loaded.
  TAnalysisRun* Run = nullptr;
  // The run is a Design: every standard section is marked for selection
  // first, as part of the run.
  bool IsDesign = false;
  // Printed on standard output once the project is loaded, before it is
  // validated ("Running analysis...", as the window logs it); "" for none.
  std::string Announcement;

  // For a command that analyses with Run.
  static TProjectOpening ForRun(TAnalysisRun& Run, bool IsDesign = false, std::string Announcement = "") {
    return {&Run, IsDesign, std::move(Announcement)};
  }
};

class TCommand {
 public:
  TCommand(std::ostream& Out, std::ostream& Err) : out_(Out), err_(Err) {}
  virtual ~TCommand() = default;
  virtual CLI::App* Register(CLI::App& App, TCommonOptions& Common) = 0;
  virtual int Execute(const TCommonOptions& Common) = 0;

 protected:
  // The opening every engineering command shares: the library file (--library,
  // else the shipped one) into Session, then File into Project the way the
  // window opens a project, then what Opening asks for. Prints why on standard
  // error (a validation that fails: each of its messages on a line) and
  // returns false when a step fails; the command then ends with kExitUsage.
  // Validation, when given, receives the validation's status (its notes too).
  bool OpenProject(const TCommonOptions& Common, const std::string& File, TSession& Session, TProject& Project,
                   const TProjectOpening& Opening = {}, TStatus* Validation = nullptr);
  // The first step alone (commands that read no project): prints why and
  // returns false when the libraries cannot be read or do not validate.
  bool LoadSession(const TCommonOptions& Common, TSession& Session);
  void Error(const std::string& Line) const;

  std::ostream& out_;
  std::ostream& err_;
};

// Prints what a run reports: the log lines on Out (unless quiet), and while
// sections are being chosen a progress line on Progress, rewritten in place,
// when one is given (the command passes standard error when it is a
// terminal). Keeps each beam's summary row for the table after the run.
// One line of progress on a terminal, rewritten in place and erased before
// any other output goes to the console; does nothing without a terminal.
class TProgressLine {
 public:
  explicit TProgressLine(std::ostream* Terminal) : terminal_(Terminal) {}
  ~TProgressLine() { Clear(); }
  TProgressLine(const TProgressLine&) = delete;
  TProgressLine& operator=(const TProgressLine&) = delete;

  bool IsOn() const { return terminal_ != nullptr; }
  // Back to the start of the line, the new text, and the rest of the old one erased.
  void Show(const std::string& Text);
  void Clear();

 private:
  std::ostream* terminal_;
  bool is_shown_ = false;
};

class TConsoleObserver : public TAnalysisObserver {
 public:
  TConsoleObserver(std::ostream& Out, bool IsQuiet, std::ostream* Progress = nullptr)
      : out_(Out), quiet_(IsQuiet), progress_(Progress) {}
  void BeamStarted(int Side, int Index, int Count) override;
  void CandidateTried(int Side, int Index, int Count, const TCustomSteelSection& Candidate,
                      bool IsTypeAndGradeOpen) override;
  void BeamFinished(int Side, const TBeamSummary& Summary) override;
  void LogLine(const std::string& Line) override;
  void RunFinished(const TRunOutcome& Outcome) override;

  const std::vector<TBeamSummary>& Summaries() const { return summaries_; }

 private:
  std::ostream& out_;
  bool quiet_;
  TProgressLine progress_;
  std::string beam_;  // "beam 1 of 2"
  std::vector<TBeamSummary> summaries_;
};

// Standard error, when it is a terminal a person watches; else none.
std::ostream* TerminalProgressStream();

// The bundled sample project beside the program.
std::string DefaultProjectFile();
std::string DefaultLibraryFile();

std::unique_ptr<TCommand> MakeAnalyseCommand(std::ostream& Out, std::ostream& Err, bool IsDesign);
std::unique_ptr<TCommand> MakeEvalCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeGenerateLibraryCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeImportCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeTestCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeDesignTableCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeChartCommand(std::ostream& Out, std::ostream& Err);
