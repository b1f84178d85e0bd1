#include "project/cAnalysisRun.h"

#include <cassert>
#include <ctime>
#include <memory>
#include <vector>

#include "entity/VEXUtility.h"
#include "report/cImportedBeam.h"

std::string DefaultBeamCaption(const TProject& Project, int Side) {
  const TImportedBeam* beam = Project.GetBeam(Side);
  if (!beam) return "";
  if ((Side == 1 || Side == 2) && Project.GetHasBeam(2) && !beam->Mark.empty())
    return "Secondary beam (Side " + std::to_string(Side) + ")";
  return beam->LongName();
}

std::string TAnalysisObserver::BeamCaption(const TProject& Project, int Side) const {
  return DefaultBeamCaption(Project, Side);
}

TBeamSummary BeamSummary(const TProject& Project, int Side, const std::string& Caption) {
  TBeamSummary row;
  const TImportedBeam* beam = Project.GetBeam(Side);
  if (!beam) return row;
  row.Side = Side;
  row.Caption = Caption;
  row.Beam = beam->Mark.empty() ? Caption : std::string(Side == 0 ? "Pri" : "Sec") + ": " + beam->Mark;
  const TSteelSection* s = beam->SteelSectionList.Count() > 0 ? beam->SteelSection(0) : nullptr;
  if (s && s->BaseSteelSection.IsStandard) {
    row.Grade = s->Grade;
    row.Section = s->Name;
  } else if (s) {
    row.Section = s->SectionType;
  }
  row.IsAnalysed = beam->PCCList.Count() > 0;
  if (row.IsAnalysed) {
    row.StrengthRatio = beam->MaxStrengthRatio();
    row.StressRatio = beam->MaxStressRatio();
    row.DeflectionRatio = beam->MaxDeflectionRatio();
    row.Camber = beam->SuggestedCamber();
    row.ShearConnectors = beam->TotalShearConnectors;
    row.Strength = FloatToPercentStr(0, row.StrengthRatio);
    row.Stress = FloatToPercentStr(0, row.StressRatio);
    row.Deflection = FloatToPercentStr(0, row.DeflectionRatio);
    row.CamberText = FormatFixed(row.Camber, 0) + " mm";
    // More connectors than any beam carries means no connection could work.
    row.ShearConnectorsText = row.ShearConnectors <= 1000 ? std::to_string(row.ShearConnectors) : "N/A";
  }
  row.IsOK = beam->IsAssessmentOK();
  row.ErrorText = beam->Status.ErrorMsg;
  row.Outcome = Caption + (beam->Status.IsOK() ? " OK" : " " + beam->Status.ErrorMsg);
  return row;
}

// ---------------------------------------------------------------------------
// What a run may change, kept so that a cancelled run can put it back.

namespace {

// A copy of every item of an entity list, made through the property table.
std::vector<std::pair<std::string, std::unique_ptr<TEntity>>> CopyItems(const TEntityList& List) {
  std::vector<std::pair<std::string, std::unique_ptr<TEntity>>> items;
  for (int i = 0; i < List.Count(); ++i) {
    std::unique_ptr<TEntity> copy = List.ObjectType();
    copy->Assign(List.Item(i));
    copy->IsChanged = List.Item(i)->IsChanged;
    items.emplace_back(List.Key(i), std::move(copy));
  }
  return items;
}

}  // namespace

class TRunSnapshot {
 public:
  // Taken before the run changes anything: the inputs it may change (the
  // beams' sections and loads) and the statuses.
  explicit TRunSnapshot(TProject& Project) : project_(Project), project_status_(Project.Status) {
    for (int side = 0; side < 3; ++side) {
      if (!Project.GetHasBeam(side)) continue;
      TImportedBeam& beam = *Project.GetBeam(side);
      TBeamState& state = beams_[side];
      state.is_kept = true;
      state.status = beam.Status;
      for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
        auto copy = std::make_unique<TSteelSection>();
        copy->Assign(beam.SteelSection(i));
        copy->IsChanged = beam.SteelSection(i)->IsChanged;
        state.sections.push_back(std::move(copy));
      }
      state.distributed = CopyItems(beam.DistributedLoadList);
      state.point = CopyItems(beam.PointLoadList);
    }
  }

  void Reached(int Side) {
    assert(Side >= 0 && Side < 3 && beams_[Side].is_kept);
    beams_[Side].is_reached = true;
  }

  void Restore() {
    project_.Status = project_status_;
    for (int side = 0; side < 3; ++side) {
      TBeamState& state = beams_[side];
      if (!state.is_kept) continue;
      TImportedBeam& beam = *project_.GetBeam(side);
      for (int i = 0; i < beam.SteelSectionList.Count() && i < static_cast<int>(state.sections.size()); ++i) {
        beam.SteelSection(i)->Assign(state.sections[i].get());
        beam.SteelSection(i)->IsChanged = state.sections[i]->IsChanged;
      }
      Refill(beam.DistributedLoadList, state.distributed);
      Refill(beam.PointLoadList, state.point);
      if (state.is_reached) {
        // Its results belong to a section or loads it no longer has.
        beam.ClearResults();
      }
      beam.Status = state.status;
    }
  }

 private:
  using TItems = std::vector<std::pair<std::string, std::unique_ptr<TEntity>>>;
  struct TBeamState {
    bool is_kept = false;  // the beam existed when the snapshot was taken
    bool is_reached = false;
    TStatus status;
    std::vector<std::unique_ptr<TSteelSection>> sections;
    TItems distributed;
    TItems point;
  };

  static void Refill(TEntityList& List, TItems& Items) {
    List.Clear();
    for (auto& [key, item] : Items) List.Add(key, std::move(item));
    Items.clear();
  }

  TProject& project_;
  TStatus project_status_;
  TBeamState beams_[3];
};

// ---------------------------------------------------------------------------
// The run.

TAnalysisRun::TAnalysisRun(TProject& Project, const TSession& Session, TAnalysisObserver& Observer)
    : project_(Project), session_(Session), observer_(Observer) {}

TAnalysisRun::~TAnalysisRun() = default;

void TAnalysisRun::MarkStandardSectionsForSelection() {
  // A cancelled Design puts back the sections as they were before the marking.
  if (!snapshot_) snapshot_ = std::make_unique<TRunSnapshot>(project_);
  for (int id = 0; id < 3; ++id) {
    if (!project_.GetHasBeam(id)) continue;
    TImportedBeam& beam = *project_.GetBeam(id);
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      TSteelSection& s = *beam.SteelSection(i);
      if (s.BaseSteelSection.IsStandard) s.Name = kAutoSelect;  // custom sections are kept
    }
  }
}

int TAnalysisRun::AutoSelectSteelSection(int Side, bool WillSearchAllSections) {
  TImportedBeam* beam = project_.GetBeam(Side);
  if (!beam || beam->SteelSectionList.Empty() || beam->SteelSection(0)->Name != kAutoSelect) return 0;
  const TSteelSection& first = *beam->SteelSection(0);
  const std::string type = first.SectionType, grade = first.Grade;
  const TEntityList& library = session_.SteelSectionLibrary;
  auto is_candidate = [&](int i) {
    const auto& section = *library.ItemAs<TCustomSteelSection>(i);
    return WillSearchAllSections || (section.SectionType == type && section.Grade == grade);
  };
  int candidates = 0, last = -1;
  for (int i = 0; i < library.Count(); ++i)
    if (is_candidate(i)) ++candidates, last = i;
  int tried = 0;
  for (int i = 0; i < library.Count(); ++i) {
    if (!is_candidate(i)) continue;
    const auto& candidate = *library.ItemAs<TCustomSteelSection>(i);
    if (IsCancelRequested()) break;
    ++tried;
    observer_.CandidateTried(Side, tried, candidates, candidate, WillSearchAllSections);
    for (int k = 0; k < beam->SteelSectionList.Count(); ++k) {
      TSteelSection& s = *beam->SteelSection(k);
      s.Name = candidate.Name;
      if (WillSearchAllSections) {
        s.SetSectionType(candidate.SectionType);
        s.Grade = candidate.Grade;
      }
      s.LoadFromLibraryItem(candidate);  // what looking its name up in the library finds
    }
    // The loads follow the section's self-weight; a secondary beam's also load the primary beam.
    project_.UpdateAutoLoadsForBeam(*beam);
    if (project_.Geometry.HasPrimaryBeam && Side != 0) project_.UpdateAutoLoadsForBeam(*project_.GetBeam(0));
    if (beam->IsOK()) {
      // A section whose bare steel cannot carry the stage 3 moment cannot
      // pass: it is passed over without the full analysis. The last
      // candidate is analysed whatever, as it stays in the beam when none passes.
      if (i != last && beam->FailsBareSteelMomentCheck(library)) continue;
      beam->FullAnalysis(library, project_.Segments);
      if (beam->IsAssessmentOK()) break;
    }
  }
  return tried;
}

TRunOutcome TAnalysisRun::RunAnalysis(const TAnalysisRunOptions& Options) {
  TStringList* report = Options.Report;
  const size_t report_size = report ? report->size() : 0;
  if (!snapshot_) snapshot_ = std::make_unique<TRunSnapshot>(project_);
  TRunOutcome outcome;
  int count = 0;
  for (int side : {1, 2, 0})
    if (project_.GetHasBeam(side)) ++count;
  observer_.RunStarted(count);

  project_.Vibration.ClearResults();  // results of an earlier run no longer hold

  if (Options.WillDumpReport && report && report->empty()) {
    report->push_back(GetAppName() + "/V" + GetAppVersionShort());
    report->push_back("Input file," + report::LabelledCell(Options.ProjectFileName));
    const std::time_t now = Options.Clock ? Options.Clock() : std::time(nullptr);
    report->push_back("Analysis run," + FormatShortDate(now));
    report->push_back("");
    // What the validation remarked, ahead of everything, so that the results carry it.
    if (const std::vector<std::string> notes = project_.AnalysisNotes(); !notes.empty()) {
      report->push_back("NOTES");
      for (const std::string& note : notes) report->push_back(report::ReportRow({note}));
      report->push_back("");
    }
    project_.Dump(*report, false);
  }

  int index = 0;
  for (int side : {1, 2, 0}) {
    if (!project_.GetHasBeam(side)) continue;
    if (IsCancelRequested()) break;
    observer_.BeamStarted(side, ++index, count);
    assert(snapshot_);
    snapshot_->Reached(side);
    TImportedBeam& beam = *project_.GetBeam(side);
    beam.Status.Reset();
    // A beam that fails its input check is not analysed: what an earlier run
    // left in it must not be reported as its results.
    beam.ClearResults();
    try {
      AutoSelectSteelSection(side, Options.WillSearchAllSections);
    } catch (const std::exception& e) {
      project_.Status.SetError(elError, std::string("Error during analysis: ") + e.what());
    }
    if (IsCancelRequested()) break;
    if (Options.WillDumpReport && report) beam.DumpInput(*report, false);
    try {
      if (beam.IsOK()) beam.FullAnalysis(session_.SteelSectionLibrary, project_.Segments);
    } catch (const std::exception& e) {
      project_.Status.SetError(elError, std::string("Error during analysis: ") + e.what());
    }
    const TBeamSummary summary = BeamSummary(project_, side, observer_.BeamCaption(project_, side));
    observer_.BeamFinished(side, summary);
    if (Options.WillDumpReport) {
      if (report) {
        beam.DumpSummary(*report, false);
        beam.DumpFullResults(*report, false);
      }
      observer_.LogLine("    " + summary.Outcome);
      if (!outcome.SummaryText.empty()) outcome.SummaryText += "; ";
      outcome.SummaryText += summary.Outcome;
    }
  }

  // The floor vibration check, once for the floor now that every beam has its
  // section; it never changes a beam's results or verdict.
  if (!IsCancelRequested()) {
    project_.Vibration.Calculate(project_);
    if (Options.WillDumpReport && report) project_.Vibration.Dump(*report);
  }

  if (IsCancelRequested()) {
    snapshot_->Restore();
    project_.Vibration.ClearResults();
    if (report) report->resize(report_size);
    outcome = TRunOutcome();
    outcome.Result = TResult::Cancelled(kAnalysisCancelled);
    if (Options.WillDumpReport) observer_.LogLine(kAnalysisCancelled);
  } else if (Options.WillCollectOutputs) {
    std::vector<std::string> values;
    for (const std::string& path : project_.OutputList) {
      std::string actual;
      bool expected;
      project_.CalcActualValue(path, "?", actual, expected);
      values.push_back(actual);
    }
    // A design table's row: its texts (a section's name from the library) are cells of a CSV file.
    if (report && !values.empty()) report->push_back(report::ReportRow(values));
  }

  snapshot_.reset();
  cancel_requested_.store(false);
  observer_.RunFinished(outcome);
  return outcome;
}
