// The design-table generator: the table's layout and its cases, the worker
// threads that run them, and the ordered writing of rows and case files. The
// part files of a table spread over several runs are in cDesignTableParts.cpp.
#include "admin/cDesignTableRunner.h"

#include <algorithm>
#include <cassert>
#include <condition_variable>
#include <filesystem>
#include <memory>
#include <thread>

#include "admin/cDesignTableParts.h"
#include "admin/cProjectSnapshot.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/VEXFolders.h"
#include "entity/cIniFiles.h"
#include "project/cAnalysisRun.h"
#include "project/cFloorUse.h"
#include "report/cImportedBeam.h"

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

// A case's file without its extension: the project's file with
// "-F<floor use>S<edition>(<span>,<spacing>)" (the geometry's span and
// spacing of the case).
std::string CaseFileStem(const std::string& ProjectFileName, int Edition, const TCase& Case) {
  return DeriveFileName(ProjectFileName,
                        "-F" + std::to_string(Case.FloorUse) + "S" + std::to_string(Edition) + "(" +
                            FloatToStrDP(false, 0, 3, Case.Span) + "," + FloatToStrDP(false, 0, 3, Case.Spacing) + ")",
                        "");
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
      result.FileStem = CaseFileStem(options_.ProjectFileName, edition_, Case);
      Analyse(project, Case, result);
    } catch (const std::exception& e) {
      // One cell, whatever the message holds (a name from the library may hold a comma).
      result.Lines.push_back(report::LabelledCell(std::string("** Calculation error: ") + e.what() + " **"));
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
// One run of the generator, step by step (TDesignTableRunner::Run reads as
// the list of the steps).

class TDesignTableJob {
 public:
  TDesignTableJob(TDesignTableRunner& Runner, const TDesignTableOptions& Options)
      : runner_(Runner),
        options_(Options),
        settings_(Options.Settings),
        observer_(Runner.observer_),
        edition_(Options.Settings.VersionID == kStandard2003 ? kStandard2003 : kStandard2017),
        library_(Options.DesignLibraryFile.empty() ? GetShippedFile(kDesignLibraryFileName)
                                                   : Options.DesignLibraryFile),
        is_part_(Options.Parts > 1) {}

  // "Creating design tables..." and the time it starts.
  void Start() {
    started_ = Now();
    observer_.LogLine("Creating design tables...");
    observer_.LogLine("    Starting @ " + FormatDateTime(started_));
  }

  // Part K of N must be one of the parts.
  TResult CheckPart() const {
    if (options_.Parts >= 1 && options_.Part >= 1 && options_.Part <= options_.Parts) return {};
    return TResult::Failure("Part " + std::to_string(options_.Part) + " of " + std::to_string(options_.Parts) +
                            " is not a part: parts are numbered from 1 to their count");
  }

  // The spans and spacings must be lengths a floor can have.
  TResult CheckLengths() const { return CheckDesignTableLengths(settings_.SpanList, settings_.SpacingList); }

  // The design library the cases choose their sections from, and the floor
  // use asked for, which must be in it.
  TResult LoadDesignLibrary() {
    if (TResult loaded = design_.LoadLibraries(library_); !loaded) return loaded;
    if (!design_.IsOK()) return TResult::Failure("Design library [" + library_ + "]: " + design_.Status.ErrorMsg);
    floor_uses_ = design_.FloorUseLibrary.Count();
    if (!settings_.WillIterateAllFloors && (settings_.FloorUseIndex < 0 || settings_.FloorUseIndex >= floor_uses_))
      return TResult::Failure("Floor use " + std::to_string(settings_.FloorUseIndex) +
                              " is not in the design library [" + library_ + "], which holds floor uses 0 to " +
                              std::to_string(floor_uses_ - 1));
    first_floor_use_ = settings_.WillIterateAllFloors ? 0 : settings_.FloorUseIndex;
    last_floor_use_ = settings_.WillIterateAllFloors ? floor_uses_ - 1 : settings_.FloorUseIndex;
    return {};
  }

  // A table of more cases than kMaxDesignTableCases is refused before its
  // layout is made: a small project file may ask for a grid that no run
  // could finish nor memory hold.
  TResult CheckTableSize() const {
    const long double floors = settings_.WillIterateAllFloors ? floor_uses_ : 1;
    const long double spans = static_cast<long double>(settings_.SpanList.size());
    const long double spacings = static_cast<long double>(settings_.SpacingList.size());
    const long double cases = floors * spacings * (spans + 1);
    if (cases <= kMaxDesignTableCases) return {};
    return TResult::Failure(
        "The design table would have " + FloatToStrDP(false, 0, 0, static_cast<double>(cases)) + " cases (" +
        std::to_string(settings_.SpacingList.size()) + " spacings x (" + std::to_string(settings_.SpanList.size()) +
        " spans + 1) x " + FloatToStrDP(false, 0, 0, static_cast<double>(floors)) +
        (floors == 1 ? " floor use" : " floor uses") + "), more than the " + std::to_string(kMaxDesignTableCases) +
        " a table may have: give fewer spans, spacings or floor uses");
  }

  // The table's lines and cases in table order: the header, then for each
  // floor use its secondary-beam table (one case per spacing) and its
  // primary-beam table (one case per span and spacing).
  void LayOutTable() {
    line(GetAppName() + "/V" + GetAppVersionShort());
    line("Design table input file," + report::LabelledCell(options_.ProjectFileName));
    line("Tables created," + FormatShortDate(started_));
    line("Standard," + StandardName(edition_));
    line("");
    const TProject& project = runner_.project_;
    for (int i = first_floor_use_; i <= last_floor_use_; ++i) {
      if (settings_.WillIterateAllFloors && floor_uses_ > 1)
        items_.push_back({TItem::kLog, "    Floor use index " + std::to_string(i) + "...", -1});
      line("Floor Use," + report::QuotedCell(design_.FloorUseLibrary.ItemAs<TFloorUse>(i)->LongName()));
      line("");
      line(report::LabelledCell("Secondary beam: " + project.GetBeam(1)->Mark));
      line(kColumnHeader);
      for (double spacing : settings_.SpacingList) add_case(i, false, 0, spacing);
      line("");
      line(report::LabelledCell("Primary beam: " + project.GetBeam(0)->Mark));
      line(kColumnHeader);
      for (double span : settings_.SpanList) {
        for (double spacing : settings_.SpacingList) add_case(i, true, span, spacing);
        line("");
      }
    }
    outcome_.Cases = static_cast<int>(cases_.size());
    // This part's cases: every Parts-th from case Part on.
    is_own_.assign(cases_.size(), 0);
    for (const TCase& c : cases_)
      if ((c.Number - 1) % options_.Parts == options_.Part - 1) {
        own_.push_back(c.Number - 1);
        is_own_[c.Number - 1] = 1;
      }
    outcome_.CasesRun = static_cast<int>(own_.size());
    outcome_.TableFile = is_part_ ? DesignTablePartFileName(options_.ProjectFileName, options_.Part, options_.Parts)
                                  : DeriveFileName(options_.ProjectFileName, "-Design", ".csv");
  }

  // Every file the run is to write, against every file it reads and against
  // each other, before anything runs.
  TResult CheckOutputs() const {
    TFileUses uses;
    uses.AddInput(options_.ProjectFileName, "project file");
    uses.AddInput(options_.LibraryFile, "library file");
    uses.AddInput(library_, "design library file");
    uses.AddOutput(outcome_.TableFile);
    if (settings_.WillSaveInputs || settings_.WillSaveReports)
      for (int i : own_) {
        if (!cases_[i].IsPrimary) continue;
        const std::string stem = CaseFileStem(options_.ProjectFileName, edition_, cases_[i]);
        if (settings_.WillSaveInputs) uses.AddOutput(stem + ".tva");
        if (settings_.WillSaveReports) uses.AddOutput(stem + ".csv");
      }
    return uses.Check();
  }

  // The workers run this part's cases side by side; this thread reports
  // their progress and takes their rows and case files in table order.
  void RunCases() {
    TProjectSnapshot snapshot(runner_.project_);
    if (is_part_) record_ = PartRecord(snapshot.Bytes());
    TDesignTableWork work(runner_, options_, design_, snapshot.Bytes());
    results_.assign(cases_.size(), TCaseResult());
    is_done_.assign(cases_.size(), 0);
    int jobs = options_.Jobs > 0 ? options_.Jobs : static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
    jobs = std::min(jobs, static_cast<int>(own_.size()));
    std::thread workers([&] {
      work.RunCases(cases_, own_, jobs, results_, [&](int i) {
        std::lock_guard<std::mutex> lock(mutex_);
        is_done_[i] = 1;
        ++done_;
        changed_.notify_one();
      });
      std::lock_guard<std::mutex> lock(mutex_);
      is_finished_ = true;
      changed_.notify_one();
    });
    TakeResultsInOrder();
    workers.join();
  }

  // "Stopping @", the elapsed time; the project's output list emptied, as
  // the window's generator leaves it.
  void Stop() {
    const std::time_t stopped = Now();
    observer_.LogLine("    Stopping @ " + FormatDateTime(stopped));
    observer_.LogLine("    (Elapsed time " + ElapsedText(static_cast<long long>(stopped - started_)) + ")");
    runner_.project_.OutputList.clear();
  }

  bool IsCancelled() const { return runner_.IsCancelRequested() || next_ < items_.size(); }

  TDesignTableOutcome Cancelled() {
    runner_.cancel_requested_.store(false);
    TDesignTableOutcome outcome = outcome_;
    outcome.TableFile.clear();
    outcome.Result = TResult::Cancelled(kDesignTableCancelled);
    observer_.LogLine(kDesignTableCancelled);
    return outcome;
  }

  // The table (or this part) written; a case file that could not be written
  // fails the run first.
  TDesignTableOutcome WriteTable() {
    TDesignTableOutcome outcome = outcome_;
    if (!written_) {
      observer_.LogLine("    " + written_.Message());
      outcome.TableFile.clear();
      outcome.Result = written_;
      return outcome;
    }
    observer_.LogLine("    Writing results to " + outcome.TableFile);
    std::vector<std::string> part_file;
    if (is_part_) {
      part_file = record_;
      part_file.insert(part_file.end(), part_.begin(), part_.end());
    }
    if (TResult saved = WriteFileAtomic(outcome.TableFile, Joined(is_part_ ? part_file : table_)); !saved) {
      observer_.LogLine("    " + saved.Message());
      outcome.Result = saved;
      return outcome;
    }
    outcome.Lines = is_part_ ? part_ : table_;
    observer_.Message("Design table saved to " + outcome.TableFile);
    observer_.LogLine("Completed design table creation");
    return outcome;
  }

  // Why nothing ran, logged; the cancel request ends with the run.
  TDesignTableOutcome Refused(TResult Why) {
    observer_.LogLine("    " + Why.Message());
    runner_.cancel_requested_.store(false);
    TDesignTableOutcome outcome;
    outcome.Result = std::move(Why);
    return outcome;
  }

 private:
  std::time_t Now() const { return options_.Clock ? options_.Clock() : std::time(nullptr); }

  void line(std::string Text) { items_.push_back({TItem::kLine, std::move(Text), -1}); }

  void add_case(int FloorUse, bool IsPrimary, double Span, double Spacing) {
    TCase c;
    c.Number = static_cast<int>(cases_.size()) + 1;
    c.FloorUse = FloorUse;
    c.IsPrimary = IsPrimary;
    c.Span = Span;
    c.Spacing = Spacing;
    items_.push_back({TItem::kCase, "", static_cast<int>(cases_.size())});
    cases_.push_back(c);
  }

  // What a part was cut from, so that only parts of one table are joined.
  std::vector<std::string> PartRecord(const std::string& ProjectBytes) const {
    TDesignTablePartSource source;
    source.Project = std::filesystem::path(options_.ProjectFileName).filename().string();
    source.Edition = edition_;
    source.FirstFloorUse = first_floor_use_;
    source.LastFloorUse = last_floor_use_;
    source.Spans = settings_.SpanList;
    source.Spacings = settings_.SpacingList;
    source.ProjectFingerprint = DesignTableProjectFingerprint(ProjectBytes);
    std::string library;
    if (ReadFileBytes(library_, library)) source.DesignLibraryFingerprint = HashText(library);
    return DesignTablePartHeader(options_.Part, options_.Parts, outcome_.Cases, source);
  }

  // Takes the items in table order as their cases finish: lines go to the
  // table and the part, a case's rows and case files once it is done.
  void TakeResultsInOrder() {
    int reported = 0;
    for (;;) {
      bool finished;
      int now_done;
      {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [&] {
          return done_ != reported || is_finished_ ||
                 (next_ < items_.size() && (items_[next_].Kind != TItem::kCase || !is_own_[items_[next_].Case] ||
                                            is_done_[items_[next_].Case]));
        });
        finished = is_finished_;
        now_done = done_;
      }
      if (now_done != reported) {
        reported = now_done;
        observer_.CasesDone(reported, outcome_.CasesRun);
      }
      for (; next_ < items_.size(); ++next_) {
        const TItem& item = items_[next_];
        if (item.Kind == TItem::kLog) {
          observer_.LogLine(item.Text);
          continue;
        }
        if (item.Kind == TItem::kLine) {
          table_.push_back(item.Text);
          part_.push_back("0," + item.Text);
          continue;
        }
        const int i = item.Case;
        if (is_own_[i]) {
          std::lock_guard<std::mutex> lock(mutex_);
          if (!is_done_[i]) break;  // its turn comes when it is done
        }
        part_.push_back(std::to_string(i + 1));  // the case's place, which every part marks
        if (!is_own_[i]) continue;
        TakeCase(i);
      }
      if (next_ == items_.size() || finished) break;
    }
    // A case may finish between the count read above and the table's last
    // item; the last progress report still counts every case done.
    int last_done;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      last_done = done_;
    }
    if (last_done != reported) observer_.CasesDone(last_done, outcome_.CasesRun);
  }

  void TakeCase(int Index) {
    const TCaseResult& r = results_[Index];
    for (const std::string& l : r.Lines) {
      table_.push_back(l);
      part_.push_back(std::to_string(Index + 1) + "," + l);
    }
    if (r.IsUnsolved) ++outcome_.Unsolved;
    if (r.IsCalculationError) ++outcome_.CalculationErrors;
    if (!r.InputFile.empty()) {
      const std::string file = r.FileStem + ".tva";
      written_.Add(WriteFileAtomic(file, r.InputFile));
      outcome_.CaseFiles.push_back(file);
    }
    if (!r.Report.empty()) {
      const std::string file = r.FileStem + ".csv";
      written_.Add(WriteFileAtomic(file, r.Report));
      outcome_.CaseFiles.push_back(file);
    }
  }

  TDesignTableRunner& runner_;
  const TDesignTableOptions& options_;
  const TDesignTableSettings& settings_;
  TDesignTableObserver& observer_;
  const int edition_;
  const std::string library_;  // the design library file
  const bool is_part_;
  std::time_t started_ = 0;
  TSession design_;  // the design library
  int floor_uses_ = 0, first_floor_use_ = 0, last_floor_use_ = 0;

  std::vector<TItem> items_;
  std::vector<TCase> cases_;
  std::vector<int> own_;
  std::vector<char> is_own_;
  std::vector<std::string> record_;  // a part's record of what it was cut from

  // Shared with the workers.
  std::vector<TCaseResult> results_;
  std::vector<char> is_done_;
  std::mutex mutex_;
  std::condition_variable changed_;
  int done_ = 0;
  bool is_finished_ = false;

  // Taken in table order.
  size_t next_ = 0;
  std::vector<std::string> table_, part_;
  TResult written_;
  TDesignTableOutcome outcome_;
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
  assert(Run);
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
  TDesignTableJob job(*this, Options);
  job.Start();
  // Nothing runs unless the part, the design library, the floor use, the
  // size of the table and every file it is to write are sound.
  if (TResult ready = job.CheckPart(); !ready) return job.Refused(ready);
  if (TResult ready = job.CheckLengths(); !ready) return job.Refused(ready);
  if (TResult ready = job.LoadDesignLibrary(); !ready) return job.Refused(ready);
  if (TResult ready = job.CheckTableSize(); !ready) return job.Refused(ready);
  job.LayOutTable();
  if (TResult ready = job.CheckOutputs(); !ready) return job.Refused(ready);
  job.RunCases();
  job.Stop();
  if (job.IsCancelled()) return job.Cancelled();
  return job.WriteTable();
}
