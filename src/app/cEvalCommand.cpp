// trevalon eval PROJECT.tva PATH[=EXPECTED]... [--design] [--json]
// Analyses (or designs) the project, then evaluates each property path as a
// regression test evaluates an output. A path that names no entity or
// property is an error (exit 2); the other paths are still printed. With
// --json the values are one JSON object {path: value}, numbers at full
// precision; a value that does not meet its expected value is said on
// standard error.
#include "app/cCommand.h"
#include "project/cProjectFile.h"
#include "project/cProjectPaths.h"
#include "project/cResultsJson.h"

namespace {

class TEvalCommand : public TCommand {
 public:
  using TCommand::TCommand;

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd = App.add_subcommand(
        "eval", "Analyse a project and print property paths, optionally checked against expected values");
    cmd->add_option("PROJECT", project_file_, "Project file (.tva)")->required();
    cmd->add_option("PATHS", paths_, "PATH or PATH=EXPECTED, e.g. Beam.PCCAt4500.MDes0,7=230(+/-0.5%)")->required();
    cmd->add_flag("--design", design_, "Design the project first");
    cmd->add_flag("--json", json_, "Print the values as one JSON object {path: value}, numbers at full precision");
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    TSession session;
    TProject project;
    TConsoleObserver observer(out_, true, TerminalProgressStream());
    TAnalysisRun run(project, session, observer);
    if (!OpenProject(Common, project_file_, session, project, TProjectOpening::ForRun(run, design_)))
      return kExitUsage;
    TAnalysisRunOptions options;  // as a regression test runs: no report
    run.RunAnalysis(options);

    bool all_met = true;
    bool is_any_unknown = false;
    TJson values = TJson::object();
    for (const std::string& arg : paths_) {
      const size_t eq = arg.find('=');
      const bool has_expected = eq != std::string::npos;
      const std::string path = arg.substr(0, eq);
      const std::string expected = has_expected ? arg.substr(eq + 1) : "?";
      const TPathEvaluation value = EvaluatePath(project, path, expected);
      // A path that names nothing is a mistake in the script, not a value.
      if (value.IsUnknownPath) {
        Error("Unknown property path [" + path + "]: " +
              (value.ActualValue == "** UNKNOWN ENTITY **" ? "no such entity" : "no such property"));
        is_any_unknown = true;
        continue;
      }
      all_met = all_met && value.IsExpected;
      if (json_) {
        const TPathOutcome read = ReadPath(project, path);
        values[path] = read ? PathValueJson(read.Value) : TJson(value.ActualValue);
        if (has_expected && !value.IsExpected)
          Error(path + "=" + value.ComparedValue + " MISMATCH (expected " + expected + ")");
        continue;
      }
      out_ << path << "=" << value.ComparedValue;
      if (has_expected) out_ << '\t' << (value.IsExpected ? "OK" : "MISMATCH (expected " + expected + ")");
      out_ << '\n';
    }
    if (json_) out_ << JsonText(values);
    if (is_any_unknown) return kExitUsage;
    return all_met ? kExitOK : kExitAssessmentFailed;
  }

 private:
  std::string project_file_;
  std::vector<std::string> paths_;
  bool design_ = false;
  bool json_ = false;
};

}  // namespace

std::unique_ptr<TCommand> MakeEvalCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TEvalCommand>(Out, Err);
}
