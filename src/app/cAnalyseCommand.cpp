// trevalon analyse [PROJECT.tva] [--report FILE.csv] [--pdf FILE.pdf] [--json FILE.json]
//                  [--calculation FILE.pdf|FILE.html [--beam N]]
// trevalon design  [PROJECT.tva] [--report FILE.csv] [--pdf FILE.pdf] [--json FILE.json]
//                  [--calculation FILE [--beam N]] [--save OUT.tva]
#include <array>
#include <ctime>
#include <filesystem>
#include <vector>

#include "app/cCommand.h"
#include "entity/VEXUtility.h"
#include "project/cCalculationReport.h"
#include "project/cProjectFile.h"
#include "project/cResultsJson.h"
#include "report/qt/cCalcRender.h"
#include "report/qt/cHeadlessGui.h"
#include "report/qt/cReportPrinter.h"

namespace {

// The beams' summary rows as a table: text left-aligned, numbers right-aligned.
void PrintSummary(std::ostream& out, const std::vector<TBeamSummary>& summaries) {
  using TCells = std::array<std::string, 9>;
  std::vector<TCells> rows;
  rows.push_back({"Beam", "Grade", "Steel section", "Strength", "Stress", "Deflection", "Camber", "Shear connectors",
                  "OK?"});
  for (const TBeamSummary& s : summaries)
    rows.push_back({s.Beam, s.Grade, s.Section, s.Strength, s.Stress, s.Deflection, s.CamberText,
                    s.ShearConnectorsText, s.IsOK ? "OK" : "FAIL  " + s.ErrorText});
  size_t widths[9] = {};
  for (const TCells& r : rows)
    for (int c = 0; c < 8; ++c) widths[c] = std::max(widths[c], r[c].size());
  for (const TCells& r : rows) {
    std::string line;
    for (int c = 0; c < 9; ++c) {
      const bool numeric = c >= 3 && c <= 7;
      std::string cell = r[c];
      if (c < 8) {
        const size_t pad = widths[c] - cell.size();
        cell = numeric ? std::string(pad, ' ') + cell : cell + std::string(pad, ' ');
      }
      line += cell + (c < 8 ? "  " : "");
    }
    out << TrimRight(line) << '\n';
  }
}

// True when File is absent or a plain file once links are followed. A
// project saved into a device or a pipe would be lost.
bool IsPlainFileOrAbsent(const std::string& File) {
  std::error_code ec;
  const auto status = std::filesystem::status(File, ec);
  return !std::filesystem::exists(status) || std::filesystem::is_regular_file(status);
}

class TAnalyseCommand : public TCommand {
 public:
  TAnalyseCommand(std::ostream& Out, std::ostream& Err, bool IsDesign) : TCommand(Out, Err), design_(IsDesign) {}

  CLI::App* Register(CLI::App& App, TCommonOptions&) override {
    CLI::App* cmd = App.add_subcommand(
        design_ ? "design" : "analyse",
        design_ ? "Pick the first passing library section for every standard section, then analyse"
                : "Analyse every beam of a project and write the results report");
    cmd->add_option("PROJECT", project_file_, "Project file (.tva); default: the bundled sample project");
    cmd->add_option("--report", report_file_, "Results report to write (.csv); '-' for standard output");
    cmd->add_option("--pdf", pdf_file_, "Also write the report as printed pages, A4, to this PDF file");
    cmd->add_option("--json", json_file_,
                    "Also write the results as one JSON document (trevalon-results.schema.json); '-' for standard "
                    "output");
    CLI::Option* calculation = cmd->add_option(
        "--calculation", calculation_file_,
        "Also write the calculation report: every check with its formula, numbers and verdict; PDF or HTML by the "
        "file's extension (.pdf, .html)");
    cmd->add_option("--beam", beam_, "Limit the calculation report to one beam: 0 the primary beam, 1 or 2 a secondary beam")
        ->needs(calculation);
    if (design_) cmd->add_option("--save", save_file_, "Save the designed project to this file");
    return cmd;
  }

  int Execute(const TCommonOptions& Common) override {
    const std::string file = project_file_.empty() ? DefaultProjectFile() : project_file_;
    if (!CheckOutputs(Common, file)) return kExitUsage;
    // With the report or the JSON document on standard output, nothing else
    // goes there, so the output is that alone.
    const bool quiet = report_file_ == "-" || json_file_ == "-";
    TSession session;
    TProject project;
    TConsoleObserver observer(out_, quiet, TerminalProgressStream());
    TAnalysisRun run(project, session, observer);
    const std::string announcement = quiet ? "" : design_ ? "Starting design..." : "Running analysis...";
    TStatus validation;
    if (!OpenProject(Common, file, session, project, TProjectOpening::ForRun(run, design_, announcement), &validation))
      return kExitUsage;
    // The notes the validation made, where the report on standard output leaves room.
    for (const TStatusLine& line : validation.ErrorList())
      if (line.Level == elHint) (quiet ? err_ : out_) << line.Text << '\n';
    if (std::string why; beam_ >= 0 && !CanReportBeam(project, beam_, why)) {
      Error(why);
      return kExitUsage;
    }
    TPrintableStringList report;
    TAnalysisRunOptions options;
    options.Report = &report.Lines;
    options.WillDumpReport = true;
    options.ProjectFileName = file;
    run.RunAnalysis(options);
    if (!quiet) {
      out_ << (design_ ? "Design complete" : "Analysis complete") << "\n\n";
      PrintSummary(out_, observer.Summaries());
      out_ << VibrationSummary(project.Vibration).Line << '\n';
      out_ << '\n';
    }

    if (!WriteReport(report.Lines, file, quiet)) return kExitUsage;
    if (!json_file_.empty()) {
      std::vector<std::string> messages;
      for (const TStatusLine& line : validation.ErrorList()) messages.push_back(line.Text);
      if (!WriteJson(JsonText(ResultsDocument(project, file, messages)), quiet)) return kExitUsage;
    }
    if (!pdf_file_.empty()) {
      SetReportPageLayout(report, file, project.Project);
      TGuiApplicationScope gui;  // the fonts; no window, no display needed
      const TPrintOutcome printed = WriteReportPdf(report, pdf_file_);
      if (!printed.Result) {
        Error(printed.Result.Message());
        return kExitUsage;
      }
      if (!quiet)
        out_ << "Printed report written to " << pdf_file_ << " (" << printed.PagesPrinted
             << (printed.PagesPrinted == 1 ? " page)" : " pages)") << '\n';
    }
    if (!calculation_file_.empty() && !WriteCalculation(project, session, file, quiet)) return kExitUsage;
    if (design_ && !save_file_.empty()) {
      if (const TResult saved = SaveProjectFileAs(project, save_file_, file); !saved) {
        Error(saved.Message());
        return kExitUsage;
      }
      if (!quiet) out_ << "Designed project saved to " << save_file_ << '\n';
    }
    return project.GetIsAssessmentOK() && project.Status.IsOK() ? kExitOK : kExitAssessmentFailed;
  }

 private:
  // The report's file: as asked, else the project's name in the current folder.
  std::string ReportTarget(const std::string& project_file) const {
    if (!report_file_.empty()) return report_file_;
    return std::filesystem::path(project_file).stem().string() + ".csv";
  }

  // The calculation report of the run just made, for every beam or the one asked for.
  bool WriteCalculation(const TProject& project, const TSession& session, const std::string& project_file,
                        bool quiet) {
    TCalcReportOptions options;
    options.ProjectFileName = project_file;
    options.Date = std::time(nullptr);
    options.BeamSide = beam_;
    options.FloorUse = FloorUseNameOf(session, project);
    const TCalcDocument document = BuildCalculationReport(project, options);
    TGuiApplicationScope gui;  // the fonts; no window, no display needed
    const TPrintOutcome written = WriteCalculationReport(document, calculation_file_);
    if (!written.Result) {
      Error(written.Result.Message());
      return false;
    }
    if (!quiet) {
      out_ << "Calculation report written to " << calculation_file_;
      if (CalcFormatOf(calculation_file_) == TCalcFormat::Pdf)
        out_ << " (" << written.PageCount << (written.PageCount == 1 ? " page)" : " pages)");
      out_ << '\n';
    }
    return true;
  }

  // Refuses, before anything runs, an output that would replace an input (the
  // project, the library) or another output (TFileUses). Saving the design
  // over the project's own file is a save, and allowed.
  bool CheckOutputs(const TCommonOptions& Common, const std::string& project_file) const {
    if (report_file_ == "-" && json_file_ == "-") {
      Error("Standard output is named twice (--report - and --json -)");
      return false;
    }
    if (!pdf_file_.empty() && (pdf_file_ == "-" || !IsPlainFileOrAbsent(pdf_file_))) {
      Error("Cannot write the PDF report to [" + pdf_file_ + "]: not a plain file");
      return false;
    }
    if (!calculation_file_.empty() && CalcFormatOf(calculation_file_) == TCalcFormat::None) {
      Error(CalcFormatError(calculation_file_));
      return false;
    }
    if (!calculation_file_.empty() && !IsPlainFileOrAbsent(calculation_file_)) {
      Error("Cannot write the calculation report to [" + calculation_file_ + "]: not a plain file");
      return false;
    }
    if (design_ && !save_file_.empty() && !IsPlainFileOrAbsent(save_file_)) {
      Error("Cannot save the project to [" + save_file_ + "]: not a plain file");
      return false;
    }
    TFileUses uses;
    uses.AddInput(project_file, "project file");
    uses.AddInput(Common.LibraryFile.empty() ? DefaultLibraryFile() : Common.LibraryFile, "library file");
    uses.AddOutput(report_file_ == "-" ? "" : ReportTarget(project_file));
    uses.AddOutput(pdf_file_);
    uses.AddOutput(json_file_ == "-" ? "" : json_file_);
    uses.AddOutput(calculation_file_);
    if (design_) uses.AddOutput(save_file_, project_file);
    if (TResult checked = uses.Check(); !checked) {
      Error(checked.Message());
      return false;
    }
    return true;
  }

  bool WriteReport(const TStringList& lines, const std::string& project_file, bool quiet) {
    std::string text;
    for (const std::string& l : lines) text += l + "\r\n";
    if (report_file_ == "-") {
      // A full disk or a closed pipe shows only once the stream is flushed.
      out_ << text << std::flush;
      if (!out_) {
        Error("Cannot write the results report to standard output");
        return false;
      }
      return true;
    }
    const std::string target = ReportTarget(project_file);
    // Through a link, into a device in place, else by a temporary file renamed over the old one.
    if (const TResult written = WriteFileAtomic(target, text); !written) {
      Error(written.Message());
      return false;
    }
    if (!quiet) out_ << "Results report written to " << target << '\n';
    return true;
  }

  bool WriteJson(const std::string& text, bool quiet) {
    if (json_file_ == "-") {
      out_ << text << std::flush;
      if (!out_) {
        Error("Cannot write the JSON results to standard output");
        return false;
      }
      return true;
    }
    if (const TResult written = WriteFileAtomic(json_file_, text); !written) {
      Error(written.Message());
      return false;
    }
    if (!quiet) out_ << "JSON results written to " << json_file_ << '\n';
    return true;
  }

  bool design_;
  std::string project_file_;
  std::string report_file_;
  std::string pdf_file_;
  std::string json_file_;
  std::string calculation_file_;
  int beam_ = -1;  // the calculation report's one beam; -1 every beam
  std::string save_file_;
};

}  // namespace

std::unique_ptr<TCommand> MakeAnalyseCommand(std::ostream& Out, std::ostream& Err, bool IsDesign) {
  return std::make_unique<TAnalyseCommand>(Out, Err, IsDesign);
}
