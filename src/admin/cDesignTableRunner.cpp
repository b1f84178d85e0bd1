// The design-table generator: the table's layout and its cases, the worker
// threads that run them, and the ordered writing of rows and case files. The
// part files of a table spread over several runs are in cDesignTableParts.cpp.
#include "admin/cDesignTableRunner.h"

#include <algorithm>
#include <condition_variable>
#include <memory>
#include <thread>

#include "admin/cDesignTableParts.h"
#include "admin/cProjectSnapshot.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/VEXSettings.h"
#include "entity/cIniFiles.h"
#include "project/cAnalysisRun.h"
#include "project/cFloorUse.h"

namespace {

constexpr const char* kColumnHeader =
    "\"Span (mm)\",\"Spacing (mm)\",\"Beam (KESTREL)\",\"Camber (mm)\",\"Studs/beam\"";
constexpr const char* kUnsolved = "** Unable to find a solution from library steel sections **";

// One cell of the grid: a secondary beam of one span (the spacing list's
// value), or a primary beam of one span and spacing, for one floor use.
struct TCase {
  int Number = 0;  // from 1, in table order
  int FloorUse = 0;
  bool IsPrimary = false;
  double Span = 0;
  double Spacing = 0;
};

struct TCaseResult {
  std::vector<std::string> Lines;  // the row and the error lines
  std::string FileStem;            // the case file's name without extension
  std::string InputFile;           // project file text, when inputs are saved
  std::string Report;              // results report text, when reports are saved
  bool IsUnsolved = false;
  bool IsCalculationError = false;
};

// The table's lines in order: text, a log line, or a case's lines.
struct TItem {
  enum TKind { kLine, kLog, kCase } Kind;
  std::string Text;
  int Case = -1;
};

std::string Joined(const std::vector<std::string>& Lines) {
  std::string text;
  for (const std::string& line : Lines) text += line + "\r\n";
  return text;
}

std::string ElapsedText(long long Seconds) {
  if (Seconds < 0) Seconds = 0;
  return Format("%.2d:%.2d:%.2d", {static_cast<int>(Seconds / 3600), static_cast<int>(Seconds / 60 % 60),
                                   static_cast<int>(Seconds % 60)});
}

}  // namespace

TDesignTableSettings DesignTableSettingsOf(const TDesignTable& DesignTable) {
  TDesignTableSettings s;
  s.VersionID = DesignTable.VersionID;
  s.WillIterateAllFloors = DesignTable.WillIterateAllFloors;
  s.FloorUseIndex = DesignTable.FloorUseIndex;
  s.SpanList = DesignTable.SpanList;
  s.SpacingList = DesignTable.SpacingList;
  return s;
}

// ---------------------------------------------------------------------------
// The work of one run: what every case starts from, and the cases.

class TDesignTableWork {
 public:
  TDesignTableWork(TDesignTableRunner& Runner, const TDesignTableOptions& Options, const TSession& Design,
                   std::string ProjectBytes)
      : runner_(Runner),
        options_(Options),
        design_(Design),
        project_bytes_(std::move(ProjectBytes)),
        edition_(Options.Settings.VersionID == kStandard2003 ? kStandard2003 : kStandard2017),
        regional_(RegionalSettings()) {}

  // Runs Cases[i] for every i of Own on Jobs threads; Finished(i) is called
  // under no lock after each case, from the worker that ran it.
  void RunCases(const std::vector<TCase>& Cases, const std::vector<int>& Own, int Jobs,
                std::vector<TCaseResult>& Results, const std::function<void(int)>& Finished) {
    std::atomic<size_t> next{0};
    auto worker = [&] {
      // A new thread starts from the program-wide values: the table's edition
      // and the caller's number format are set here.
      TStandardVersionScope edition(edition_);
      TRegionalSettingsScope regional(regional_);
      for (size_t k; (k = next.fetch_add(1)) < Own.size();) {
        if (runner_.IsCancelRequested()) break;
        const int i = Own[k];
        Results[i] = RunCase(Cases[i]);
        Finished(i);
      }
    };
    std::vector<std::thread> threads;
    for (int j = 0; j < Jobs; ++j) threads.emplace_back(worker);
    for (std::thread& t : threads) t.join();
  }

 private:
  TCaseResult RunCase(const TCase& Case) {
    TCaseResult result;
    TProject project;
    try {
      CopyProject(project_bytes_, project, runner_.session_);
      Prepare(project, Case);
      result.FileStem = DeriveFileName(options_.ProjectFileName,
                                       "-F" + std::to_string(Case.FloorUse) + "S" + std::to_string(edition_) + "(" +
                                           FloatToStrDP(false, 0, 3, project.Geometry.Span) + "," +
                                           FloatToStrDP(false, 0, 3, project.Geometry.SpacingSide1) + ")",
                                       "");
      Analyse(project, Case, result);
    } catch (const std::exception& e) {
      result.Lines.push_back(std::string("** Calculation error: ") + e.what() + " **");
      result.IsCalculationError = true;
    }
    result.IsUnsolved = !project.GetIsAssessmentOK();
    if (result.IsUnsolved) result.Lines.push_back(kUnsolved);
    return result;
  }

  // The project as the generator leaves it for this case: the floor use, the
  // table's beams and outputs, the case's span and spacing, and every section
  // of the beams it designs marked for selection from the design library.
  void Prepare(TProject& Project, const TCase& Case) const {
    TGeometry& g = Project.Geometry;
    g.WillAutocalcSecondaryStartLocations = true;
    g.FloorUseIndex = Case.FloorUse;
    Project.AssignFromFloorUse(*design_.FloorUseLibrary.ItemAs<TFloorUse>(Case.FloorUse));
    Project.OutputList = {"Beam.Span", Case.IsPrimary ? "Geometry.SpacingSide1" : "Geometry.SecondarySpacingSide1",
                          "Beam.SteelSectionList0.Name", "Beam.SuggestedCamber", "Beam.TotalShearConnectors"};
    // The secondary-beam table goes first and leaves its slab widths automatic.
    g.HasPrimaryBeam = false;
    Project.GetBeam(1)->WillAutosizeSlabWidths = true;
    if (Case.IsPrimary) {
      g.HasPrimaryBeam = true;
      Project.GetBeam(0)->WillAutosizeSlabWidths = true;
      g.Span = Case.Span;
    }
    g.PrimaryEffectiveSpacing = Case.Spacing;
    g.SpacingSide1 = Case.Spacing;
    g.SpacingSide2 = Case.Spacing;
    Project.UpdateBeamGeometry();
    for (int side = 0; side < 3; ++side) {
      if (Case.IsPrimary ? !Project.GetHasBeam(side) : side != 1) continue;
      TImportedBeam& beam = *Project.GetBeam(side);
      for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
        beam.SteelSection(i)->Name = kAutoSelect;
        beam.SteelSection(i)->LoadFromLibrary(design_.SteelSectionLibrary);
      }
    }
    Project.UpdateAutoLoads();
  }

  void Analyse(TProject& Project, const TCase& Case, TCaseResult& Result) {
    TGeometry& g = Project.Geometry;
    if (Case.IsPrimary && options_.Settings.WillSaveInputs) {
      // The file fixes the secondary beams where the centring puts them, so it
      // reads the same wherever it is opened.
      g.SecondaryStartSide1 = g.GetSecondaryBeamLocation(1, 0);
      g.SecondaryStartSide2 = g.GetSecondaryBeamLocation(2, 0);
      g.WillAutocalcSecondaryStartLocations = false;
      auto ini = TVEXIniFile::FromBytes("");
      Project.SaveToIniFile(ini, "", "");
      Result.InputFile = ini.ToBytes();
      g.WillAutocalcSecondaryStartLocations = true;
    }
    TAnalysisObserver quiet;
    TAnalysisRun run(Project, design_, quiet);
    TRunRegistration registered(runner_, run);
    TAnalysisRunOptions search;
    search.Report = &Result.Lines;
    search.WillCollectOutputs = true;
    search.WillSearchAllSections = true;
    run.RunAnalysis(search);
    if (Case.IsPrimary && options_.Settings.WillSaveReports) {
      TStringList report;
      TAnalysisRunOptions full;
      full.Report = &report;
      full.WillDumpReport = true;
      full.WillSearchAllSections = true;
      full.ProjectFileName = options_.ProjectFileName;
      full.Clock = options_.Clock;
      run.RunAnalysis(full);
      Result.Report = Joined(report);
    }
  }

  // Makes a case's run reachable by a cancel while it goes.
  class TRunRegistration {
   public:
    TRunRegistration(TDesignTableRunner& Runner, TAnalysisRun& Run) : runner_(Runner), run_(Run) {
      runner_.Started(&run_);
    }
    ~TRunRegistration() { runner_.Stopped(&run_); }
    TRunRegistration(const TRunRegistration&) = delete;
    TRunRegistration& operator=(const TRunRegistration&) = delete;

   private:
    TDesignTableRunner& runner_;
    TAnalysisRun& run_;
  };

  TDesignTableRunner& runner_;
  const TDesignTableOptions& options_;
  const TSession& design_;
  const std::string project_bytes_;
  const int edition_;
  const TRegionalSettings regional_;
};

// ---------------------------------------------------------------------------
// The runner.

TDesignTableRunner::TDesignTableRunner(TProject& Project, const TSession& Session, TDesignTableObserver& Observer)
    : project_(Project), session_(Session), observer_(Observer) {}

void TDesignTableRunner::RequestCancel() {
  cancel_requested_.store(true);
  std::lock_guard<std::mutex> lock(runs_mutex_);
  for (TAnalysisRun* run : runs_) run->RequestCancel();
}

void TDesignTableRunner::Started(TAnalysisRun* Run) {
  std::lock_guard<std::mutex> lock(runs_mutex_);
  runs_.push_back(Run);
  // A cancel that came before the run was known still reaches it.
  if (cancel_requested_.load()) Run->RequestCancel();
}

void TDesignTableRunner::Stopped(TAnalysisRun* Run) {
  std::lock_guard<std::mutex> lock(runs_mutex_);
  runs_.erase(std::remove(runs_.begin(), runs_.end(), Run), runs_.end());
}

TDesignTableOutcome TDesignTableRunner::Run(const TDesignTableOptions& Options) {
  TDesignTableOutcome outcome;
  const TDesignTableSettings& settings = Options.Settings;
  auto now = [&] { return Options.Clock ? Options.Clock() : std::time(nullptr); };
  const std::time_t started = now();
  observer_.LogLine("Creating design tables...");
  observer_.LogLine("    Starting @ " + FormatDateTime(started));
  auto refuse = [&](TResult Why) {
    observer_.LogLine("    " + Why.Message());
    outcome.Result = std::move(Why);
    cancel_requested_.store(false);
    return outcome;
  };

  if (Options.Parts < 1 || Options.Part < 1 || Options.Part > Options.Parts)
    return refuse(TResult::Failure("Part " + std::to_string(Options.Part) + " of " + std::to_string(Options.Parts) +
                                   " is not a part: parts are numbered from 1 to their count"));
  if (TResult lengths = CheckDesignTableLengths(settings.SpanList, settings.SpacingList); !lengths)
    return refuse(lengths);
  const std::string library =
      Options.DesignLibraryFile.empty() ? GetShippedFile("Trevalon-Design.tvl") : Options.DesignLibraryFile;
  TSession design;
  if (TResult loaded = design.LoadLibraries(library); !loaded) return refuse(loaded);
  if (!design.IsOK()) return refuse(TResult::Failure("Design library [" + library + "]: " + design.Status.ErrorMsg));
  const int floor_uses = design.FloorUseLibrary.Count();
  if (!settings.WillIterateAllFloors && (settings.FloorUseIndex < 0 || settings.FloorUseIndex >= floor_uses))
    return refuse(TResult::Failure("Floor use " + std::to_string(settings.FloorUseIndex) +
                                   " is not in the design library [" + library + "], which holds floor uses 0 to " +
                                   std::to_string(floor_uses - 1)));

  // The table's layout and its cases, in table order.
  const int edition = settings.VersionID == kStandard2003 ? kStandard2003 : kStandard2017;
  std::vector<TItem> items;
  std::vector<TCase> cases;
  auto line = [&](std::string Text) { items.push_back({TItem::kLine, std::move(Text), -1}); };
  auto add_case = [&](int FloorUse, bool IsPrimary, double Span, double Spacing) {
    TCase c;
    c.Number = static_cast<int>(cases.size()) + 1;
    c.FloorUse = FloorUse;
    c.IsPrimary = IsPrimary;
    c.Span = Span;
    c.Spacing = Spacing;
    items.push_back({TItem::kCase, "", static_cast<int>(cases.size())});
    cases.push_back(c);
  };
  line(GetAppName() + "/V" + GetAppVersionShort());
  line("Design table input file," + Options.ProjectFileName);
  line("Tables created," + FormatShortDate(started));
  line("Standard," + StandardName(edition));
  line("");
  const int first = settings.WillIterateAllFloors ? 0 : settings.FloorUseIndex;
  const int last = settings.WillIterateAllFloors ? floor_uses - 1 : settings.FloorUseIndex;
  for (int i = first; i <= last; ++i) {
    if (settings.WillIterateAllFloors && floor_uses > 1)
      items.push_back({TItem::kLog, "    Floor use index " + std::to_string(i) + "...", -1});
    line("Floor Use," + QuotedText(design.FloorUseLibrary.ItemAs<TFloorUse>(i)->LongName(), '"'));
    line("");
    line("Secondary beam: " + project_.GetBeam(1)->Mark);
    line(kColumnHeader);
    for (double spacing : settings.SpacingList) add_case(i, false, 0, spacing);
    line("");
    line("Primary beam: " + project_.GetBeam(0)->Mark);
    line(kColumnHeader);
    for (double span : settings.SpanList) {
      for (double spacing : settings.SpacingList) add_case(i, true, span, spacing);
      line("");
    }
  }
  outcome.Cases = static_cast<int>(cases.size());
  std::vector<int> own;
  for (const TCase& c : cases)
    if ((c.Number - 1) % Options.Parts == Options.Part - 1) own.push_back(c.Number - 1);
  outcome.CasesRun = static_cast<int>(own.size());

  // The workers run the cases; this thread reports and writes in table order.
  TProjectSnapshot snapshot(project_);
  TDesignTableWork work(*this, Options, design, snapshot.Bytes());
  std::vector<TCaseResult> results(cases.size());
  std::vector<char> is_done(cases.size(), 0), is_own(cases.size(), 0);
  for (int i : own) is_own[i] = 1;
  std::mutex mutex;
  std::condition_variable changed;
  int done = 0;
  bool is_finished = false;
  int jobs = Options.Jobs > 0 ? Options.Jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  jobs = std::min(jobs, static_cast<int>(own.size()));
  std::thread workers([&] {
    work.RunCases(cases, own, jobs, results, [&](int i) {
      std::lock_guard<std::mutex> lock(mutex);
      is_done[i] = 1;
      ++done;
      changed.notify_one();
    });
    std::lock_guard<std::mutex> lock(mutex);
    is_finished = true;
    changed.notify_one();
  });

  const bool is_part = Options.Parts > 1;
  std::vector<std::string> table, part;
  TResult written;
  int reported = 0;
  size_t next = 0;
  auto write_case_files = [&](const TCaseResult& r) {
    if (!r.InputFile.empty()) {
      const std::string file = r.FileStem + ".tva";
      written.Add(WriteFileAtomic(file, r.InputFile));
      outcome.CaseFiles.push_back(file);
    }
    if (!r.Report.empty()) {
      const std::string file = r.FileStem + ".csv";
      written.Add(WriteFileAtomic(file, r.Report));
      outcome.CaseFiles.push_back(file);
    }
  };
  for (;;) {
    bool finished;
    int now_done;
    {
      std::unique_lock<std::mutex> lock(mutex);
      changed.wait(lock, [&] {
        return done != reported || is_finished ||
               (next < items.size() && (items[next].Kind != TItem::kCase || !is_own[items[next].Case] ||
                                        is_done[items[next].Case]));
      });
      finished = is_finished;
      now_done = done;
    }
    if (now_done != reported) {
      reported = now_done;
      observer_.CasesDone(reported, outcome.CasesRun);
    }
    for (; next < items.size(); ++next) {
      const TItem& item = items[next];
      if (item.Kind == TItem::kLog) {
        observer_.LogLine(item.Text);
        continue;
      }
      if (item.Kind == TItem::kLine) {
        table.push_back(item.Text);
        part.push_back("0," + item.Text);
        continue;
      }
      const int i = item.Case;
      if (is_own[i]) {
        std::lock_guard<std::mutex> lock(mutex);
        if (!is_done[i]) break;  // its turn comes when it is done
      }
      part.push_back(std::to_string(i + 1));  // the case's place, which every part marks
      if (!is_own[i]) continue;
      const TCaseResult& r = results[i];
      for (const std::string& l : r.Lines) {
        table.push_back(l);
        part.push_back(std::to_string(i + 1) + "," + l);
      }
      if (r.IsUnsolved) ++outcome.Unsolved;
      if (r.IsCalculationError) ++outcome.CalculationErrors;
      write_case_files(r);
    }
    if (next == items.size() || finished) break;
  }
  workers.join();

  const std::time_t stopped = now();
  observer_.LogLine("    Stopping @ " + FormatDateTime(stopped));
  observer_.LogLine("    (Elapsed time " + ElapsedText(static_cast<long long>(stopped - started)) + ")");
  project_.OutputList.clear();
  if (IsCancelRequested() || next < items.size()) {
    cancel_requested_.store(false);
    outcome.IsCancelled = true;
    observer_.LogLine(kAnalysisCancelled);
    return outcome;
  }
  if (!written) {
    observer_.LogLine("    " + written.Message());
    outcome.Result = written;
    return outcome;
  }

  outcome.TableFile = is_part ? DesignTablePartFileName(Options.ProjectFileName, Options.Part, Options.Parts)
                              : DeriveFileName(Options.ProjectFileName, "-Design", ".csv");
  observer_.LogLine("    Writing results to " + outcome.TableFile);
  const std::string text =
      is_part ? Joined({DesignTablePartHeader(Options.Part, Options.Parts, outcome.Cases)}) + Joined(part)
              : Joined(table);
  if (TResult saved = WriteFileAtomic(outcome.TableFile, text); !saved) {
    observer_.LogLine("    " + saved.Message());
    outcome.Result = saved;
    return outcome;
  }
  outcome.Lines = is_part ? part : table;
  observer_.Message("Design table saved to " + outcome.TableFile);
  observer_.LogLine("Completed design table creation");
  return outcome;
}
