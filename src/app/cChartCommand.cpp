// trevalon chart [PROJECT.tva] --beam N --kind KIND --output FILE.png|.svg
//
// Analyses the project as analyse does (no report file), then draws one
// chart of one beam. Exit codes: 0 the chart was written; 1 the beam has no
// results to draw (its analysis failed); 2 bad usage (a beam the project does
// not have, an unknown kind, an output that is not .png or .svg, a size out of
// range), a file that cannot be read or written, or a project that does not
// validate.
#include <QSize>
#include <sstream>

#include "app/cCommand.h"
#include "entity/VEXUtility.h"
#include "project/cProjectFile.h"
#include "report/cResultsGraphics.h"
#include "report/qt/cHeadlessGui.h"
#include "report/qt/cResultsChart.h"

namespace {

std::string KindList() {
  std::string list;
  for (int t = 0; t < kDrawingTypeCount; ++t)
    list += (t ? ", " : "") + DrawingTypeKind(static_cast<TDrawingType>(t));
  return list;
}

class TChartCommand : public TCommand {
 public:
  using TCommand::TCommand;

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd = App.add_subcommand(
        "chart",
        "Analyse a project, then draw one chart of one beam as a PNG image or an SVG drawing");
    cmd->footer(
        "Kinds:\n"
        "  results-summary     strength, stress and deflection ratios (%) against 100%\n"
        "  stage3-strength     stage 3 M* and |V*| along the span against phi.Ms and phi.Vvm\n"
        "  inservice-strength  composite-stage M* and |V*| against phi.Mbv and the composite shear capacity\n"
        "  connectors          shear connectors provided and required, counted from the nearer support\n"
        "  deflection          each deflection check along the span as a fraction of its limit\n"
        "  envelopes           design moment and shear envelopes against phi.Mb and phi.Vv\n"
        "  deflection-shape    deflected shape of each stage (mm) with its limit\n"
        "Beams: 0 the primary beam, 1 the secondary beam of side 1, 2 that of side 2.\n"
        "Exit codes: 0 chart written, 1 the beam has no results to draw, 2 bad usage or a file problem.");
    cmd->add_option("PROJECT", project_file_, "Project file (.tva); default: the bundled sample project");
    cmd->add_option("--beam", beam_, "Beam to draw: 0 primary, 1 secondary side 1, 2 secondary side 2")
        ->required();
    cmd->add_option("--kind", kind_, "Chart to draw: " + KindList())->required();
    cmd->add_option("--output", output_, "Chart file to write: .png (image) or .svg (drawing)")->required();
    cmd->add_option("--width", width_, "Width in pixels (200 to 10000)")->capture_default_str();
    cmd->add_option("--height", height_, "Height in pixels (100 to 10000)")->capture_default_str();
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    TDrawingType type{};
    if (!DrawingTypeFromKind(kind_, type)) {
      Error("Unknown chart kind [" + kind_ + "]: choose one of " + KindList());
      return kExitUsage;
    }
    if (!IsChartFileName(output_)) {
      Error("Cannot write a chart to [" + output_ + "]: the file must end in .png or .svg");
      return kExitUsage;
    }
    if (width_ < 200 || width_ > 10000 || height_ < 100 || height_ > 10000) {
      Error("Chart size " + std::to_string(width_) + " x " + std::to_string(height_) +
            " is out of range: width 200 to 10000, height 100 to 10000 pixels");
      return kExitUsage;
    }
    if (beam_ < 0 || beam_ > 2) {
      Error("Beam " + std::to_string(beam_) + " does not exist: beams are 0 (primary), 1 and 2 (secondary)");
      return kExitUsage;
    }

    const std::string file = project_file_.empty() ? DefaultProjectFile() : project_file_;
    TFileUses uses;
    uses.AddInput(file, "project file");
    uses.AddInput(Common.LibraryFile.empty() ? DefaultLibraryFile() : Common.LibraryFile, "library file");
    uses.AddOutput(output_);
    if (TResult checked = uses.Check(); !checked) {
      Error(checked.Message());
      return kExitUsage;
    }
    TSession session;
    TProject project;
    TAnalysisObserver quiet;
    TAnalysisRun run(project, session, quiet);
    if (!OpenProject(Common, file, session, project, TProjectOpening::ForRun(run))) return kExitUsage;
    if (!project.GetHasBeam(beam_)) {
      Error("Beam " + std::to_string(beam_) + " is not in use in [" + file + "]; its beams: " + BeamsInUse(project));
      return kExitUsage;
    }
    TAnalysisRunOptions options;
    options.ProjectFileName = file;
    run.RunAnalysis(options);

    const TBeam& beam = *project.GetBeam(beam_);
    if (!TResultsGraphics::HasResults(beam)) {
      Error("Beam " + std::to_string(beam_) + " has no results to draw: " + beam.Status.ErrorMsg);
      return kExitAssessmentFailed;
    }
    TGuiApplicationScope gui;
    if (const TResult saved = SaveChart(beam, type, QSize(width_, height_), output_); !saved) {
      Error(saved.Message());
      return kExitUsage;
    }
    out_ << DrawingTypeCaption(type) << " of " << beam.LongName() << " written to " << output_ << '\n';
    return kExitOK;
  }

 private:
  static std::string BeamsInUse(const TProject& Project) {
    std::string list;
    for (int side : {0, 1, 2})
      if (Project.GetHasBeam(side))
        list += (list.empty() ? "" : ", ") + std::to_string(side) + " (" + Project.GetBeam(side)->LongName() + ")";
    return list.empty() ? "none" : list;
  }

  std::string project_file_;
  int beam_ = -1;
  std::string kind_;
  std::string output_;
  int width_ = 1200;
  int height_ = 600;
};

}  // namespace

std::unique_ptr<TCommand> MakeChartCommand(std::ostream& Out, std::ostream& Err) {
  return std::make_unique<TChartCommand>(Out, Err);
}
