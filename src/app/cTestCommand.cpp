// trevalon test PROJECT.tva [--standard 2003|2017] [--rerun]
// trevalon test PROJECT.tva --list-properties [FILE]
#include "admin/cTestRunner.h"
#include "app/cCommand.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"

namespace {

// Prints the run's log lines, and on a terminal one progress line on
// standard error, rewritten in place.
class TTestConsole : public TTestRunObserver {
 public:
  TTestConsole(std::ostream& Out, std::ostream* Progress) : out_(Out), progress_(Progress) {}

  void LogLine(const std::string& Line) override {
    progress_.Clear();
    out_ << Line << '\n' << std::flush;
  }
  void TestStarted(const std::string& Name, int Index, int Count) override {
    progress_.Show("Test " + std::to_string(Index) + " of " + std::to_string(Count) + ": " + Name);
  }

 private:
  std::ostream& out_;
  TProgressLine progress_;
};

class TTestCommand : public TCommand {
 public:
  using TCommand::TCommand;

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd = App.add_subcommand(
        "test",
        "Run the regression tests kept in a project file. Writes the results file PROJECT-Test.csv beside the "
        "project (replacing it), prints the log and last a line 'N passed, M failed'; the project file itself "
        "is not changed. Each test runs under the edition recorded with it, on a copy of the project written to "
        "a folder of the run's own in the per-user work folder ($XDG_DATA_HOME/Trevalon, by default "
        "~/.local/share/Trevalon), which is removed afterwards (also on Ctrl+C, SIGTERM or SIGHUP; one left by a "
        "run killed outright is removed by the next run). A test with results stored in the project "
        "(run and saved by the window) is reported from them without running again, unless --rerun or "
        "--standard is given. Exit 0 when every test passes, 1 when any fails, 2 for bad input.");
    cmd->add_option("PROJECT", project_file_, "Project file (.tva) holding the tests")->required();
    cmd->add_flag("--rerun", rerun_, "Run every test again, ignoring the results stored with it");
    cmd->add_option("--list-properties", property_list_,
                    "Write the test property list instead of running the tests: the paths tests may set and read, "
                    "to FILE (default: PROJECT-TestPropertyList.csv beside the project)")
        ->expected(0, 1);
    cmd->footer(
        "With --standard (an option of trevalon itself, accepted after the command too) every test runs under "
        "that edition instead of its own.");
    list_ = cmd->get_option("--list-properties");
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    const std::string library = Common.LibraryFile.empty() ? DefaultLibraryFile() : Common.LibraryFile;
    const std::string list_file =
        property_list_.empty() ? DeriveFileName(project_file_, "-TestPropertyList", ".csv") : property_list_;
    if (list_->count() > 0) {
      TFileUses uses;
      uses.AddInput(project_file_, "project file");
      uses.AddInput(library, "library file");
      uses.AddOutput(list_file);
      if (TResult checked = uses.Check(); !checked) {
        Error(checked.Message());
        return kExitUsage;
      }
    }
    TSession session;
    TProject project;
    if (!OpenProject(Common, project_file_, session, project)) return kExitUsage;
    TTestConsole console(out_, TerminalProgressStream());

    if (list_->count() > 0) {
      const std::string& file = list_file;
      if (const TResult written = WriteTestPropertyList(project, file, console); !written) {
        Error(written.Message());
        return kExitUsage;
      }
      return kExitOK;
    }

    if (project.TestList.Empty()) {
      Error("[" + project_file_ + "] holds no tests");
      return kExitUsage;
    }
    TTestRunOptions options;
    options.ProjectFileName = project_file_;
    options.LibraryFile = library;
    options.WillRerunAll = rerun_;
    if (Common.IsStandardGiven) options.Edition = Common.Standard == 2003 ? kStandard2003 : kStandard2017;
    TTestRunner runner(project, session, console);
    const TTestRunOutcome outcome = runner.RunAllTests(options);
    if (!outcome.Result) {
      Error(outcome.Result.Message());
      return kExitUsage;
    }
    out_ << outcome.Passed << " passed, " << outcome.Done - outcome.Passed << " failed\n";
    return outcome.Passed == outcome.Count ? kExitOK : kExitAssessmentFailed;
  }

 private:
  std::string project_file_;
  bool rerun_ = false;
  std::string property_list_;
  CLI::Option* list_ = nullptr;
};

}  // namespace

std::unique_ptr<TCommand> MakeTestCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TTestCommand>(Out, Err);
}
