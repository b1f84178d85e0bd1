// trevalon eval PROJECT.tva PATH[=EXPECTED]... [--design]
// Analyses (or designs) the project, then evaluates each property path as a
// regression test evaluates an output.
#include "app/cCommand.h"
#include "entity/VEXUtility.h"
#include "project/cProjectFile.h"

namespace {

// The entity that holds the value a path names, walked as property paths are
// (Name receives the value's name); null when a segment names no entity.
TEntity* OwnerOfValue(TProject& Project, const std::string& Path, std::string& Name) {
  std::string rest = UpperCase(Path);
  TEntity* current = &Project;
  size_t dot;
  while ((dot = rest.find('.')) != std::string::npos && current) {
    std::string segment_name;
    int index;
    SplitTrailingNumber(rest.substr(0, dot), segment_name, index);
    rest = rest.substr(dot + 1);
    try {
      current = current->EntityProperty(segment_name, index);
    } catch (const std::exception&) {
      current = nullptr;
    }
  }
  Name = rest;
  return current;
}

// A plain expected number is compared at its own count of decimals, so the
// value is shown at exactly those decimals: Beam.MaxStrengthRatio=0.0000000000
// shows the ratio to ten decimals. Other values show as the path gives them.
std::string ShownValue(TProject& Project, const std::string& Path, const std::string& Expected,
                       const std::string& Actual) {
  double value, rel, abs;
  int dp;
  ParseExpectedValue(Expected, value, rel, abs, dp);
  if (Expected == "?" || rel > 0 || abs > 0) return Actual;
  std::string name;
  TEntity* owner = OwnerOfValue(Project, Path, name);
  if (!owner || !owner->IsNumeric(name)) return Actual;
  return owner->StringValue(name, Actual, dp, 0);
}

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
    TStatus status;
    if (!ValidateForAnalysis(session, project, status)) {
      for (const TStatusLine& line : status.ErrorList()) Error(line.Text);
      return kExitUsage;
    }
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
        actual = ShownValue(project, evaluated, expected, actual);
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
