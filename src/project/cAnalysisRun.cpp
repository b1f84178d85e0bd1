#include "project/cAnalysisRun.h"

#include <ctime>

#include "entity/VEXUtility.h"

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

void TAnalysisRun::MarkStandardSectionsForSelection() {
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
  int tried = 0;
  for (int i = 0; i < library.Count(); ++i) {
    const auto& candidate = *library.ItemAs<TCustomSteelSection>(i);
    if (!WillSearchAllSections && (candidate.SectionType != type || candidate.Grade != grade)) continue;
    ++tried;
    observer_.ShowCandidateSection(Side, candidate, WillSearchAllSections);
    for (int k = 0; k < beam->SteelSectionList.Count(); ++k) {
      TSteelSection& s = *beam->SteelSection(k);
      s.Name = candidate.Name;
      if (WillSearchAllSections) {
        s.SetSectionType(candidate.SectionType);
        s.Grade = candidate.Grade;
      }
      s.LoadFromLibrary(library);
    }
    // The loads follow the section's self-weight; a secondary beam's also load the primary beam.
    project_.UpdateAutoLoadsForBeam(*beam);
    if (project_.Geometry.HasPrimaryBeam && Side != 0) project_.UpdateAutoLoadsForBeam(*project_.GetBeam(0));
    if (beam->IsOK()) {
      beam->FullAnalysis(library, project_.Segments);
      if (beam->IsAssessmentOK()) break;
    }
  }
  return tried;
}

std::string TAnalysisRun::RunAnalysis(const TAnalysisRunOptions& Options) {
  observer_.SetBusy(true);
  observer_.ClearResultsDisplay();
  observer_.SetDataChangedSinceCalc(true);
  TStringList* report = Options.Report;

  if (Options.WillDumpReport && report && report->empty()) {
    report->push_back(GetAppName() + "/V" + GetAppVersionShort());
    report->push_back("Input file," + Options.ProjectFileName);
    const std::time_t now = Options.Clock ? Options.Clock() : std::time(nullptr);
    report->push_back("Analysis run," + FormatShortDate(now));
    report->push_back("");
    project_.Dump(*report, false);
  }

  std::string summary;
  for (int side : {1, 2, 0}) {
    if (!project_.GetHasBeam(side)) continue;
    TImportedBeam& beam = *project_.GetBeam(side);
    beam.Status.Reset();
    beam.ClearSummaryResults();
    try {
      AutoSelectSteelSection(side, Options.WillSearchAllSections);
    } catch (const std::exception& e) {
      project_.Status.SetError(elError, std::string("Error during analysis: ") + e.what());
    }
    if (Options.WillDumpReport && report) beam.DumpInput(*report, false);
    try {
      if (beam.IsOK()) beam.FullAnalysis(session_.SteelSectionLibrary, project_.Segments);
    } catch (const std::exception& e) {
      project_.Status.SetError(elError, std::string("Error during analysis: ") + e.what());
    }
    observer_.ShowSummaryPanel(side, beam);
    if (Options.WillDumpReport) {
      if (report) {
        beam.DumpSummary(*report, false);
        beam.DumpFullResults(*report, false);
      }
      const std::string caption = observer_.BeamCaption(project_, side);
      const std::string outcome = caption + (beam.Status.IsOK() ? " OK" : " " + beam.Status.ErrorMsg);
      observer_.AddLogLine("    " + outcome);
      summary += outcome;
      observer_.SetStatusText(summary);
      summary += "; ";
    }
  }

  if (Options.WillCollectOutputs) {
    std::vector<std::string> values;
    for (const std::string& path : project_.OutputList) {
      std::string actual;
      bool expected;
      project_.CalcActualValue(path, "?", actual, expected);
      values.push_back(actual);
    }
    if (report && !values.empty()) report->push_back(JoinCommaText(values));
  }

  observer_.SetBusy(false);
  observer_.SetDataChangedSinceCalc(false);
  return summary;
}
