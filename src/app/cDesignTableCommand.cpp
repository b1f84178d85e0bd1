// trevalon design-table PROJECT.tva [--floor-use N | --all-floor-uses] [--standard 2003|2017]
//                       [--spans L,...] [--spacings S,...] [--save-inputs] [--save-reports]
//                       [--jobs N] [--cases K/N] [--design-library FILE]
// trevalon design-table --merge PART... [--output FILE]
#include <cmath>
#include <regex>

#include "admin/cDesignTableParts.h"
#include "admin/cDesignTableRunner.h"
#include "app/cCommand.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"

namespace {

// Prints the run's log lines, and on a terminal one progress line on
// standard error, rewritten in place.
class TDesignTableConsole : public TDesignTableObserver {
 public:
  TDesignTableConsole(std::ostream& Out, std::ostream* Progress) : out_(Out), progress_(Progress) {}

  void LogLine(const std::string& Line) override {
    progress_.Clear();
    out_ << Line << '\n' << std::flush;
  }
  void CasesDone(int Done, int Count) override {
    progress_.Show("Design table: " + std::to_string(Done) + " of " + std::to_string(Count) + " cases done");
  }

 private:
  std::ostream& out_;
  TProgressLine progress_;
};

class TDesignTableCommand : public TCommand {
 public:
  using TCommand::TCommand;

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd = App.add_subcommand(
        "design-table",
        "Tabulate the first passing section of the design library, its camber and its studs over a grid of spans "
        "and spacings, for secondary beams and for primary beams, for one or every floor use. The spans, "
        "spacings, floor use and edition come from the project's design-table settings unless options give "
        "them. Writes the table PROJECT-Design.csv beside the project (replacing it); with --save-inputs and "
        "--save-reports also, for every primary-beam case, the project file and the results report beside the "
        "project, named PROJECT-F<floor use>S<edition>(<span>,<spacing>).tva and .csv. The project file "
        "itself is not changed. Exit 0 when every case found a section, 1 when some case did not (the table "
        "says which), 2 for bad input.");
    cmd->add_option("PROJECT", project_file_, "Project file (.tva)");
    CLI::Option* floor_use = cmd->add_option("--floor-use", floor_use_, "Index of the floor use in the design library");
    cmd->add_flag("--all-floor-uses", all_floor_uses_, "Every floor use of the design library, in library order")
        ->excludes(floor_use);
    cmd->add_option("--spans", spans_, "Primary beam spans, mm, comma-separated (e.g. 6000,9000)")->delimiter(',');
    cmd->add_option("--spacings", spacings_, "Spacings, mm, comma-separated (e.g. 2500,3000)")->delimiter(',');
    cmd->add_flag("--save-inputs", save_inputs_, "Also write every primary-beam case as a project file (.tva)");
    cmd->add_flag("--save-reports", save_reports_, "Also write every primary-beam case's results report (.csv)");
    cmd->add_option("--jobs", jobs_, "Cases run side by side, 1 to 1024 (default: one per core)")
        ->check(CLI::Range(1, 1024));
    cmd->add_option("--cases", cases_,
                    "K/N: run only every N-th case from case K on (K from 1 to N) and write the part file "
                    "PROJECT-Design-KofN.csv instead of the table; join the N parts with --merge");
    cmd->add_option("--design-library", design_library_,
                    std::string("Library to design with (default: ") + kDesignLibraryFileName +
                        " beside the program, else in ../share/trevalon)");
    CLI::Option* merge = cmd->add_option("--merge", merge_,
                    "Join the part files PART... written with --cases into the table, identical to a single run's, "
                    "named after the first part without -KofN (P-Design-1of4.csv gives P-Design.csv)")
        ->expected(1, -1);
    cmd->add_option("--output", output_, "With --merge: the table file to write instead")->needs(merge);
    cmd->footer(
        "--standard (an option of trevalon itself, accepted after the command too) sets the tables' edition.");
    floor_use_option_ = floor_use;
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    if (!merge_.empty()) return Merge();
    if (project_file_.empty()) {
      Error("design-table needs a PROJECT file, or --merge and the parts to join");
      return kExitUsage;
    }
    TDesignTableOptions options;
    if (!ReadCases(options)) return kExitUsage;
    // The options meet the same limits as the project's own settings.
    if (const TResult lengths = CheckDesignTableLengths(spans_, spacings_); !lengths) {
      Error(lengths.Message());
      return kExitUsage;
    }

    TSession session;
    TProject project;
    if (!OpenProject(Common, project_file_, session, project)) return kExitUsage;

    TDesignTableSettings& settings = options.Settings;
    settings = DesignTableSettingsOf(project.DesignTable);
    if (Common.IsStandardGiven) settings.VersionID = Common.Standard == 2003 ? kStandard2003 : kStandard2017;
    if (floor_use_option_->count() > 0) {
      settings.FloorUseIndex = floor_use_;
      settings.WillIterateAllFloors = false;
    }
    if (all_floor_uses_) settings.WillIterateAllFloors = true;
    if (!spans_.empty()) settings.SpanList = spans_;
    if (!spacings_.empty()) settings.SpacingList = spacings_;
    settings.WillSaveInputs = save_inputs_;
    settings.WillSaveReports = save_reports_;
    options.ProjectFileName = project_file_;
    options.DesignLibraryFile = design_library_;
    options.LibraryFile = Common.LibraryFile.empty() ? DefaultLibraryFile() : Common.LibraryFile;
    options.Jobs = jobs_;

    TDesignTableConsole console(out_, TerminalProgressStream());
    TDesignTableRunner runner(project, session, console);
    const TDesignTableOutcome outcome = runner.Run(options);
    if (!outcome.Result) {
      Error(outcome.Result.Message());
      return kExitUsage;
    }
    return outcome.Unsolved == 0 && outcome.CalculationErrors == 0 ? kExitOK : kExitAssessmentFailed;
  }

 private:
  bool ReadCases(TDesignTableOptions& Options) {
    if (cases_.empty()) return true;
    std::smatch m;
    if (std::regex_match(cases_, m, std::regex(R"((\d{1,6})/(\d{1,6}))"))) {
      Options.Part = std::stoi(m[1]);
      Options.Parts = std::stoi(m[2]);
      if (Options.Parts >= 1 && Options.Part >= 1 && Options.Part <= Options.Parts) return true;
    }
    Error("--cases takes K/N with 1 <= K <= N, e.g. 2/8, not " + cases_);
    return false;
  }

  int Merge() {
    if (!project_file_.empty()) {
      Error("--merge joins part files; give no PROJECT with it");
      return kExitUsage;
    }
    const TResult merged = MergeDesignTableParts(merge_, output_);
    if (!merged) {
      Error(merged.Message());
      return kExitUsage;
    }
    out_ << "Design table written to " << merged.Message() << '\n';
    return kExitOK;
  }

  std::string project_file_;
  int floor_use_ = 0;
  CLI::Option* floor_use_option_ = nullptr;
  bool all_floor_uses_ = false;
  std::vector<double> spans_, spacings_;
  bool save_inputs_ = false;
  bool save_reports_ = false;
  int jobs_ = 0;
  std::string cases_;
  std::string design_library_;
  std::vector<std::string> merge_;
  std::string output_;
};

}  // namespace

std::unique_ptr<TCommand> MakeDesignTableCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TDesignTableCommand>(Out, Err);
}
