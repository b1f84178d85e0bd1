// The command line's subcommands, one class each. A command registers its
// options with CLI11 and runs when chosen. Exit codes: 0 success (for analyse
// and design: every beam's assessment passes), 1 the run completed and some
// beam fails its assessment (for eval: some expectation is not met), 2 bad
// usage, a missing or unreadable file, or libraries or a project that do not
// validate. Every error goes to standard error as one line.
#pragma once

#include <CLI/CLI.hpp>

#include <iosfwd>
#include <memory>
#include <string>

#include "project/cAnalysisRun.h"
#include "project/cProject.h"
#include "project/cSession.h"

enum TExitCode { kExitOK = 0, kExitAssessmentFailed = 1, kExitUsage = 2 };

// Options every engineering command shares.
struct TCommonOptions {
  std::string LibraryFile;  // default: Trevalon.tvl beside the program
  int Standard = 2017;      // 2003 or 2017
};

class TCommand {
 public:
  TCommand(std::ostream& Out, std::ostream& Err) : out_(Out), err_(Err) {}
  virtual ~TCommand() = default;
  virtual CLI::App* Register(CLI::App& App, TCommonOptions& Common) = 0;
  virtual int Execute(const TCommonOptions& Common) = 0;

 protected:
  // Loads the library file into Session; prints why and returns false when it does not validate.
  bool LoadSession(const TCommonOptions& Common, TSession& Session);
  // Loads a project the way the window opens one; prints why and returns false when it cannot.
  bool LoadProject(const TSession& Session, const std::string& File, TProject& Project);
  void Error(const std::string& Line) const;

  std::ostream& out_;
  std::ostream& err_;
};

// Prints what a run reports: the per-beam log lines.
class TConsoleObserver : public TAnalysisObserver {
 public:
  TConsoleObserver(std::ostream& Out, bool IsQuiet) : out_(Out), quiet_(IsQuiet) {}
  void AddLogLine(const std::string& Line) override;

 private:
  std::ostream& out_;
  bool quiet_;
};

// The bundled sample project beside the program.
std::string DefaultProjectFile();
std::string DefaultLibraryFile();

std::unique_ptr<TCommand> MakeAnalyseCommand(std::ostream& Out, std::ostream& Err, bool IsDesign);
std::unique_ptr<TCommand> MakeEvalCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeGenerateLibraryCommand(std::ostream& Out, std::ostream& Err);
std::unique_ptr<TCommand> MakeImportCommand(std::ostream& Out, std::ostream& Err);
