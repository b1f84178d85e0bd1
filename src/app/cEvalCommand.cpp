// trevalon eval PROJECT.tva PATH[=EXPECTED]... [--design]
// Analyses (or designs) the project, then evaluates each property path as a
// regression test evaluates an output.
#include "app/cCommand.h"
#include "entity/VEXUtility.h"

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
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    TSession session;
    if (!LoadSession(Common, session)) return kExitUsage;
    TProject project;
    if (!LoadProject(session, project_file_, project)) return kExitUsage;
    TAnalysisObserver quiet;
    TAnalysisRun run(project, session, quiet);
    if (design_) run.MarkStandardSectionsForSelection();
    TAnalysisRunOptions options;  // as a regression test runs: no report
    run.RunAnalysis(options);

    bool all_met = true;
    for (const std::string& arg : paths_) {
      const size_t eq = arg.find('=');
      const bool has_expected = eq != std::string::npos;
      const std::string path = arg.substr(0, eq);
      const std::string expected = has_expected ? arg.substr(eq + 1) : "?";
      std::string evaluated = UpperCase(path);
      if (evaluated.rfind("PROJECT.", 0) == 0) evaluated = evaluated.substr(8);
      std::string actual;
      bool met = false;
      try {
        project.CalcActualValue(evaluated, expected, actual, met);
      } catch (const std::exception& e) {
        actual = std::string("** Calculation error: ") + e.what() + " **";
        met = expected == "?";
      }
      out_ << path << "=" << actual;
      if (has_expected) out_ << '\t' << (met ? "OK" : "MISMATCH (expected " + expected + ")");
      out_ << '\n';
      all_met = all_met && met;
    }
    return all_met ? kExitOK : kExitAssessmentFailed;
  }

 private:
  std::string project_file_;
  std::vector<std::string> paths_;
  bool design_ = false;
};

}  // namespace

std::unique_ptr<TCommand> MakeEvalCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TEvalCommand>(Out, Err);
}
