#include "project/cAnalysisRun.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <future>
#include <thread>

#include "entity/cIniFiles.h"
#include "project/sample_fixture.h"
#include "temp_dir.h"

namespace {

// Records what a run reports, in order.
class TRecordingObserver : public TAnalysisObserver {
 public:
  std::vector<std::string> Events;  // one line per callback
  std::vector<std::string> Log;
  std::vector<int> SummarySides;
  std::vector<TBeamSummary> Summaries;
  std::vector<std::pair<int, std::string>> Candidates;  // side, full name
  std::vector<TRunOutcome> Outcomes;
  std::function<void(int)> OnSummary;                  // side
  std::function<void(int, int)> OnCandidate;           // side, index

  void RunStarted(int BeamCount) override { Events.push_back("started " + std::to_string(BeamCount)); }
  void BeamStarted(int Side, int Index, int Count) override {
    Events.push_back("beam " + std::to_string(Side) + ": " + std::to_string(Index) + " of " + std::to_string(Count));
  }
  void CandidateTried(int Side, int Index, int Count, const TCustomSteelSection& Candidate, bool) override {
    Events.push_back("candidate " + std::to_string(Index) + " of " + std::to_string(Count) + " " + Candidate.Name);
    Candidates.emplace_back(Side, Candidate.FullName());
    if (OnCandidate) OnCandidate(Side, Index);
  }
  void BeamFinished(int Side, const TBeamSummary& Summary) override {
    Events.push_back("finished " + std::to_string(Side));
    SummarySides.push_back(Side);
    Summaries.push_back(Summary);
    if (OnSummary) OnSummary(Side);
  }
  void LogLine(const std::string& Line) override {
    Events.push_back("log " + Line);
    Log.push_back(Line);
  }
  void RunFinished(const TRunOutcome& Outcome) override {
    Events.push_back(Outcome.Result.IsCancelled() ? "cancelled" : "done");
    Outcomes.push_back(Outcome);
  }
};

void SetSection(TImportedBeam& beam, const std::string& name) {
  for (int i = 0; i < beam.SteelSectionList.Count(); ++i) beam.SteelSection(i)->Name = name;
}

// The library item of a full name ("UB:360UB44.7/KESTREL").
std::unique_ptr<TEntity> LibraryCopy(const TSession& session, const std::string& full_name) {
  const TEntity* item = session.SteelSectionLibrary.Find(full_name);
  EXPECT_NE(item, nullptr) << full_name;
  auto copy = std::make_unique<TCustomSteelSection>();
  if (item) copy->Assign(item);
  return copy;
}

// The sum of the automatic point loads on the primary beam named Description at x, kN.
double PointLoad(const TImportedBeam& beam, const std::string& description, double x) {
  double total = 0;
  for (int i = 0; i < beam.PointLoadList.Count(); ++i) {
    const auto& l = static_cast<const TPointLoad&>(*beam.PointLoadList.Load(i));
    if (l.Description == description && l.Position == x) total += l.Value;
  }
  return total;
}

const char kSelfWeightOnPB[] = "(Auto) Secondary beam self-weight applied to PB";

// Everything a run may change, as text: the project file the project would
// save, each beam's sections and loads (automatic loads are never saved) and
// the statuses.
std::string State(TProject& project) {
  auto ini = TVEXIniFile::FromBytes("");
  project.SaveToIniFile(ini, "", "");
  std::string state = ini.ToBytes();
  for (int side = 0; side < 3; ++side) {
    const TImportedBeam& beam = *project.GetBeam(side);
    state += "beam " + std::to_string(side) + ": " + beam.Status.ErrorText() + "\n";
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
      const TSteelSection& s = *beam.SteelSection(i);
      state += s.SectionType + " " + s.Name + " " + s.Grade + " d=" + FloatToStrGeneral(s.BaseSteelSection.d) +
               " tf=" + FloatToStrGeneral(s.BaseSteelSection.tf) + "\n";
    }
    for (const TAppliedLoadList* list : {&beam.DistributedLoadList, &beam.PointLoadList})
      for (int i = 0; i < list->Count(); ++i) {
        const TAppliedLoad& load = *list->Load(i);
        state += load.Description + ":";
        for (const char* name : {"StartValue", "FinishValue", "Value", "Position"})
          if (const TProperty* value = load.Properties().Find(name)) state += " " + FloatToStrGeneral(value->GetFloat(load));
        state += "\n";
      }
  }
  return state + "project: " + project.Status.ErrorText();
}

}  // namespace

class AnalysisRun : public SampleTest {
 protected:
  TRunOutcome Run(TRecordingObserver& observer, TStringList* report, bool dump = true) {
    TAnalysisRun run(project, session, observer);
    TAnalysisRunOptions options;
    options.Report = report;
    options.WillDumpReport = dump;
    options.ProjectFileName = "SampleAnalysis.tva";
    return run.RunAnalysis(options);
  }

  // Keeps only the listed full names in the session's section library, in this order.
  void UseLibrary(const std::vector<std::string>& full_names) {
    std::vector<std::unique_ptr<TEntity>> items;
    for (const std::string& n : full_names) items.push_back(LibraryCopy(session, n));
    session.SteelSectionLibrary.Clear();
    for (size_t i = 0; i < items.size(); ++i)
      session.SteelSectionLibrary.Add(full_names[i], std::move(items[i]));
  }

  // Reopens the sample with a secondary beam SB2 of its own on side 2, a copy of SB1.
  void OpenWithTwoSides() {
    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(kSampleFile, bytes));
    TVEXIniFile ini = TVEXIniFile::FromBytes(bytes);
    for (const std::string& section : ini.ReadSections()) {
      if (section.rfind("Secondary1", 0) != 0) continue;
      const std::string copy = "Secondary2" + section.substr(10);
      for (const std::string& key : ini.ReadSection(section))
        ini.WriteString(copy, key, ini.ReadString(section, key, ""));
    }
    ini.WriteString("Secondary2Beam", "Mark", "SB2");
    ini.WriteString("Geometry", "IsSide2SameAsSide1", "0");
    TempDir dir;
    const std::string file = dir.Write("two-sides.tva", ini.ToBytes());
    const TResult loaded = LoadProjectFile(project, session, file);
    ASSERT_TRUE(loaded.IsOK()) << loaded.Message();
    ASSERT_TRUE(project.GetHasBeam(2));
  }
};

TEST_F(AnalysisRun, BeamsRunSide1ThenSide2ThenPrimary) {
  OpenWithTwoSides();
  TRecordingObserver observer;
  TStringList report;
  const TRunOutcome outcome = Run(observer, &report);
  EXPECT_EQ(observer.SummarySides, (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(observer.Log, (std::vector<std::string>{"    Secondary beam (Side 1) OK",
                                                    "    Secondary beam (Side 2) OK",
                                                    "    Primary beam PB1 OK"}));
  EXPECT_TRUE(outcome.Result.IsOK());
  EXPECT_EQ(outcome.SummaryText, "Secondary beam (Side 1) OK; Secondary beam (Side 2) OK; Primary beam PB1 OK");
  // Each beam starts, counted among the three, and finishes before the next.
  EXPECT_EQ(observer.Events,
            (std::vector<std::string>{"started 3", "beam 1: 1 of 3", "finished 1", "log     Secondary beam (Side 1) OK",
                                      "beam 2: 2 of 3", "finished 2", "log     Secondary beam (Side 2) OK",
                                      "beam 0: 3 of 3", "finished 0", "log     Primary beam PB1 OK", "done"}));
  // The report's blocks follow the same order.
  const auto at = [&](const std::string& line) {
    return std::find(report.begin(), report.end(), line) - report.begin();
  };
  EXPECT_LT(at("INPUT DATA,Secondary beam: SB1"), at("FULL RESULTS,Secondary beam: SB1"));
  EXPECT_LT(at("FULL RESULTS,Secondary beam: SB1"), at("INPUT DATA,Secondary beam: SB2"));
  EXPECT_LT(at("FULL RESULTS,Secondary beam: SB2"), at("INPUT DATA,Primary beam: PB1"));
  EXPECT_LT(at("INPUT DATA,Primary beam: PB1"), static_cast<long>(report.size()));
}

TEST_F(AnalysisRun, FloorWithoutPrimaryBeamRunsOnlySide1) {
  project.Geometry.HasPrimaryBeam = false;
  project.UpdateBeamGeometry();
  project.UpdateAutoLoads();
  TRecordingObserver observer;
  Run(observer, nullptr);
  EXPECT_EQ(observer.SummarySides, (std::vector<int>{1}));
  ASSERT_EQ(observer.Log.size(), 1u);
}

TEST_F(AnalysisRun, HeaderOnlyIntoAnEmptyList) {
  TRecordingObserver observer;
  TStringList report;
  Run(observer, &report);
  Run(observer, &report);  // consecutive runs concatenate
  EXPECT_EQ(report[0], "Trevalon/V" + GetAppVersionShort());
  EXPECT_EQ(std::count(report.begin(), report.end(), report[0]), 1);
  EXPECT_EQ(std::count(report.begin(), report.end(), "PROJECT SETTINGS"), 1);
  EXPECT_EQ(std::count(report.begin(), report.end(), "INPUT DATA,Secondary beam: SB1"), 2);
  EXPECT_EQ(std::count(report.begin(), report.end(), "FULL RESULTS,Primary beam: PB1"), 2);

  TStringList held = {"held"};
  Run(observer, &held);
  ASSERT_GT(held.size(), 2u);
  EXPECT_EQ(held[1], "INPUT DATA,Secondary beam: SB1");

  // Without dumping, nothing is written, not even a header.
  TStringList untouched;
  Run(observer, &untouched, false);
  EXPECT_TRUE(untouched.empty());
}

TEST_F(AnalysisRun, BeamFailingItsInputCheckStillGetsItsBlocks) {
  TImportedBeam& sb = *project.GetBeam(1);
  sb.CamberType = 2;
  sb.CamberAbsolute = 500;  // beyond 100 mm
  TRecordingObserver observer;
  TStringList report;
  Run(observer, &report);
  ASSERT_EQ(observer.Log.size(), 2u);
  EXPECT_EQ(observer.Log[0], "    Secondary beam SB1 " + sb.Status.ErrorMsg);
  EXPECT_NE(sb.Status.ErrorMsg.find("specified camber"), std::string::npos) << sb.Status.ErrorMsg;
  EXPECT_EQ(observer.Log[1], "    Primary beam PB1 OK");
  for (const char* block : {"INPUT DATA,", "SUMMARY OF RESULTS,", "FULL RESULTS,"})
    EXPECT_EQ(std::count(report.begin(), report.end(), block + std::string("Secondary beam: SB1")),
              1)
        << block;
  // Not analysed: the summary shows the results as reset.
  EXPECT_NE(std::find(report.begin(), report.end(), "# shear connectors along beam,,,0"),
            report.end());
  EXPECT_NE(std::find(report.begin(), report.end(), "Max M*/phi.Ms,,,0.00"), report.end());
  EXPECT_TRUE(sb.PCCList.Count() == 0);
}

// The window analyses the same project again after an edit: a beam that now
// fails its input check must not keep the previous run's numbers, which the
// results report and the calculation report would show as its own.
TEST_F(AnalysisRun, BeamFailingItsInputCheckLosesAnEarlierRunsResults) {
  TImportedBeam& sb = *project.GetBeam(1);
  TRecordingObserver first;
  Run(first, nullptr);
  ASSERT_GT(sb.PCCList.Count(), 0);
  ASSERT_GT(sb.MaxStrengthRatio(), 0);
  sb.CamberType = 2;
  sb.CamberAbsolute = 500;  // beyond 100 mm
  TRecordingObserver second;
  TStringList report;
  Run(second, &report);
  EXPECT_FALSE(sb.Status.IsOK());
  EXPECT_EQ(sb.PCCList.Count(), 0);
  EXPECT_EQ(sb.MaxStrengthRatio(), 0);
  for (int i = 0; i < sb.ConstructionStageList.Count(); ++i) {
    const auto* stage = sb.ConstructionStageList.ItemAs<TConstructionStage>(i);
    EXPECT_EQ(stage->MaxTopStressRatio, 0);
    EXPECT_EQ(stage->MaxBottomStressRatio, 0);
  }
  EXPECT_NE(std::find(report.begin(), report.end(), "Max M*/phi.Ms,,,0.00"), report.end());
}

TEST_F(AnalysisRun, FailureInOneBeamDoesNotStopTheOthers) {
  project.GetBeam(1)->CompositeSection(0)->SteelSectionLabel = "Missing";
  TRecordingObserver observer;
  TStringList report;
  Run(observer, &report);
  ASSERT_EQ(observer.Log.size(), 2u);
  EXPECT_EQ(observer.Log[0].rfind("    Secondary beam SB1 Error during analysis: ", 0), 0u)
      << observer.Log[0];
  EXPECT_NE(observer.Log[0].find("[Missing]"), std::string::npos) << observer.Log[0];
  EXPECT_EQ(observer.Log[1], "    Primary beam PB1 OK");
  EXPECT_GT(project.GetBeam(0)->MaxStrengthRatio(), 0);
  EXPECT_NE(std::find(report.begin(), report.end(), "FULL RESULTS,Secondary beam: SB1"),
            report.end());
  EXPECT_NE(std::find(report.begin(), report.end(), "FULL RESULTS,Primary beam: PB1"),
            report.end());
}

TEST_F(AnalysisRun, CollectsOutputsAsOneCommaLine) {
  project.OutputList = {"Beam.SteelSectionList0.Name", "Beam1.TotalShearConnectors",
                        "Beam.Description", "Beam.Nonsense.Value"};
  TRecordingObserver observer;
  TStringList table;
  TAnalysisRun run(project, session, observer);
  TAnalysisRunOptions options;
  options.Report = &table;
  options.WillCollectOutputs = true;
  run.RunAnalysis(options);
  ASSERT_EQ(table.size(), 1u);  // no report, no header: the values only
  EXPECT_EQ(table[0], "530UB82.0," + std::to_string(project.GetBeam(1)->TotalShearConnectors) +
                          ",\"Internal primary beam\",\"** UNKNOWN ENTITY **\"");
  EXPECT_GT(project.GetBeam(1)->TotalShearConnectors, 0);
  EXPECT_TRUE(observer.Log.empty());  // log lines only with the report

  project.OutputList.clear();
  table.clear();
  run.RunAnalysis(options);
  EXPECT_TRUE(table.empty());
  options.Report = nullptr;
  project.OutputList = {"Beam.Mark"};
  run.RunAnalysis(options);  // values without a list go nowhere
}

// ---------------------------------------------------------------------------
// Automatic section selection.

TEST_F(AnalysisRun, KeepsTheFirstPassingSectionInLibraryOrder) {
  // A 150UB14.0 is far too light for a 9 m secondary beam; a 610UB125 passes
  // and is kept although a lighter 360UB44.7 would pass too. Sections of
  // another grade or type are skipped.
  UseLibrary({"UB:150UB14.0/KESTREL", "UB:610UB125/350", "UC:150UC23.4/KESTREL",
              "UB:610UB125/KESTREL", "UB:360UB44.7/KESTREL", "UB:530UB82.0/KESTREL"});
  SetSection(*project.GetBeam(1), kAutoSelect);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  EXPECT_EQ(run.AutoSelectSteelSection(1, false), 2);
  EXPECT_EQ(observer.Candidates, (std::vector<std::pair<int, std::string>>{
                                     {1, "UB:150UB14.0/KESTREL"}, {1, "UB:610UB125/KESTREL"}}));
  // Counted among the four sections of the beam's type and grade.
  EXPECT_EQ(observer.Events,
            (std::vector<std::string>{"candidate 1 of 4 150UB14.0", "candidate 2 of 4 610UB125"}));
  const TImportedBeam& sb = *project.GetBeam(1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sb.SteelSection(i)->Name, "610UB125");
  EXPECT_TRUE(sb.IsAssessmentOK());
}

TEST_F(AnalysisRun, DesignWithTheWholeLibraryFindsNoEarlierPassingSection) {
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  run.MarkStandardSectionsForSelection();
  Run(observer, nullptr);
  ASSERT_TRUE(project.GetIsAssessmentOK());
  // Each beam's section passes, and every section of its type and grade
  // before it in the library fails when analysed on its own.
  for (int side : {1, 0}) {
    TImportedBeam& beam = *project.GetBeam(side);
    const std::string chosen = beam.SteelSection(0)->Name;
    int earlier = 0;
    for (int i = 0; i < session.SteelSectionLibrary.Count(); ++i) {
      const auto& item = *session.SteelSectionLibrary.ItemAs<TCustomSteelSection>(i);
      if (item.SectionType != "UB" || item.Grade != "KESTREL") continue;
      if (item.Name == chosen) break;
      ++earlier;
      TImportedBeam& trial = *project.GetBeam(side);
      SetSection(trial, item.Name);
      for (int k = 0; k < 4; ++k)
        trial.SteelSection(k)->LoadFromLibrary(session.SteelSectionLibrary);
      project.UpdateAutoLoadsForBeam(trial);
      ASSERT_TRUE(trial.IsOK());
      trial.FullAnalysis(session.SteelSectionLibrary, project.Segments);
      EXPECT_FALSE(trial.IsAssessmentOK()) << item.Name << " passes before " << chosen;
    }
    EXPECT_GT(earlier, 0);
    SetSection(beam, chosen);
    for (int k = 0; k < 4; ++k) beam.SteelSection(k)->LoadFromLibrary(session.SteelSectionLibrary);
    project.UpdateAutoLoads();
  }
  // Candidates of side 1 came before those of the primary beam.
  ASSERT_FALSE(observer.Candidates.empty());
  EXPECT_EQ(observer.Candidates.front().first, 1);
  EXPECT_EQ(observer.Candidates.back().first, 0);
}

TEST_F(AnalysisRun, NoPassingSectionKeepsTheLastCandidateOfThatTypeAndGrade) {
  // Both light UB sections fail on the 9 m span; the passing 610UB125 is of another grade.
  UseLibrary({"UB:150UB14.0/KESTREL", "UB:180UB16.1/KESTREL", "UB:610UB125/350"});
  SetSection(*project.GetBeam(1), kAutoSelect);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  EXPECT_EQ(run.AutoSelectSteelSection(1, false), 2);
  const TImportedBeam& sb = *project.GetBeam(1);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(sb.SteelSection(i)->Name, "180UB16.1");
  EXPECT_FALSE(sb.IsAssessmentOK());
}

TEST_F(AnalysisRun, NoCandidateKeepsAutoSelect) {
  UseLibrary({"UC:150UC23.4/KESTREL", "UB:610UB125/350"});
  SetSection(*project.GetBeam(1), kAutoSelect);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  EXPECT_EQ(run.AutoSelectSteelSection(1, false), 0);
  EXPECT_EQ(project.GetBeam(1)->SteelSection(0)->Name, kAutoSelect);
  // A beam not marked is left alone.
  EXPECT_EQ(run.AutoSelectSteelSection(0, false), 0);
  EXPECT_EQ(project.GetBeam(0)->SteelSection(0)->Name, "530UB82.0");
}

TEST_F(AnalysisRun, SearchingAllSectionsMayChangeTypeAndGrade) {
  UseLibrary({"UB:150UB14.0/KESTREL", "UB:610UB125/350", "UB:360UB44.7/KESTREL"});
  SetSection(*project.GetBeam(1), kAutoSelect);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  EXPECT_EQ(run.AutoSelectSteelSection(1, true), 2);
  const TSteelSection& s = *project.GetBeam(1)->SteelSection(3);
  EXPECT_EQ(s.Name, "610UB125");
  EXPECT_EQ(s.Grade, "350");
  EXPECT_EQ(s.SectionType, "UB");
}

TEST_F(AnalysisRun, MarkingLeavesCustomSectionsAlone) {
  TImportedBeam& pb = *project.GetBeam(0);
  for (int i = 0; i < 4; ++i) {
    TSteelSection& s = *pb.SteelSection(i);
    s.SetSectionType("Custom_I");
    s.Name = "Custom";
    TCustomSteelSection& c = s.BaseSteelSection;  // about a 530UB82.0
    c.d = 528;
    c.b = 209;
    c.tf = 13.2;
    c.Setbbf(209);
    c.Settbf(13.2);
    c.tw = 9.6;
    c.fyf = 320;
    c.Setfybf(320);
    c.fyw = 320;
  }
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  run.MarkStandardSectionsForSelection();
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(pb.SteelSection(i)->Name, "Custom");
    EXPECT_EQ(project.GetBeam(1)->SteelSection(i)->Name, kAutoSelect);
  }
  Run(observer, nullptr);
  for (const auto& [side, name] : observer.Candidates) EXPECT_EQ(side, 1) << name;
  // A custom section's summary line shows its type and no grade.
  ASSERT_EQ(observer.Summaries.size(), 2u);
  EXPECT_EQ(observer.Summaries[1].Grade, "");
  EXPECT_EQ(observer.Summaries[1].Section, "Custom_I");
  EXPECT_EQ(pb.SteelSection(0)->Name, "Custom");
  EXPECT_EQ(pb.SteelSection(0)->SectionType, "Custom_I");
  EXPECT_NE(project.GetBeam(1)->SteelSection(0)->Name, kAutoSelect);
}

TEST_F(AnalysisRun, SecondaryChoiceLoadsThePrimaryBeamBeforeItsAnalysis) {
  // Baseline: SB1 a 610UB125, so PB1 carries 125 kg/m x 9 m x 0.01 = 11.25 kN
  // of SB1 steel at 3 m and 6 m (both sides together).
  TImportedBeam& sb = *project.GetBeam(1);
  TImportedBeam& pb = *project.GetBeam(0);
  SetSection(sb, "610UB125");
  for (int k = 0; k < 4; ++k) sb.SteelSection(k)->LoadFromLibrary(session.SteelSectionLibrary);
  project.UpdateAutoLoads();
  TRecordingObserver baseline_observer;
  Run(baseline_observer, nullptr);
  EXPECT_NEAR(PointLoad(pb, kSelfWeightOnPB, 3000), 11.25, 1e-9);
  const double M_baseline = pb.GetPCCAt(4500)->GetMdes(stStrength, 3);

  // Design SB1 only; PB1 keeps its section.
  SetSection(sb, kAutoSelect);
  double load_seen = -1, M_seen = -1;
  TRecordingObserver observer;
  observer.OnSummary = [&](int side) {
    if (side != 0) return;
    load_seen = PointLoad(pb, kSelfWeightOnPB, 3000);
    M_seen = pb.GetPCCAt(4500)->GetMdes(stStrength, 3);
  };
  Run(observer, nullptr);
  const double mass = sb.SteelSection(0)->Mass();  // kg/m of the section chosen
  ASSERT_LT(mass, 125);
  EXPECT_NEAR(load_seen, mass * 9 * 0.01, 1e-9);
  // Two point loads lighter by dP at the third points: M*(4.5 m) falls by 1.2 x dP x 3 m.
  const double dP = (125 - mass) * 9 * 0.01;
  EXPECT_NEAR(M_baseline - M_seen, 1.2 * dP * 3, 0.01);
  EXPECT_EQ(pb.SteelSection(0)->Name, "530UB82.0");
}

TEST_F(AnalysisRun, AnalyseAfterDesignKeepsTheChosenSections) {
  TRecordingObserver design_observer;
  TAnalysisRun design(project, session, design_observer);
  design.MarkStandardSectionsForSelection();
  Run(design_observer, nullptr);
  EXPECT_FALSE(design_observer.Candidates.empty());
  const std::string sb = project.GetBeam(1)->SteelSection(0)->Name;
  const std::string pb = project.GetBeam(0)->SteelSection(0)->Name;

  TRecordingObserver observer;
  TStringList report;
  Run(observer, &report);
  EXPECT_TRUE(observer.Candidates.empty());
  EXPECT_EQ(project.GetBeam(1)->SteelSection(0)->Name, sb);
  EXPECT_EQ(project.GetBeam(0)->SteelSection(0)->Name, pb);
  EXPECT_NE(
      std::find(report.begin(), report.end(), "\"Base steel beam\",UB," + pb + ",KESTREL,0,0,0,0"),
      report.end());
}

// ---------------------------------------------------------------------------
// The summary line.

TEST_F(AnalysisRun, SummaryRowFollowsTheBeamsResults) {
  // Before any run a beam has no results: names only.
  const TBeamSummary fresh = BeamSummary(project, 1, "Secondary beam SB1");
  EXPECT_EQ(fresh.Beam, "Sec: SB1");
  EXPECT_EQ(fresh.Grade, "KESTREL");
  EXPECT_EQ(fresh.Section, "360UB44.7");
  EXPECT_FALSE(fresh.IsAnalysed);
  for (const std::string& cell : {fresh.Strength, fresh.Stress, fresh.Deflection, fresh.CamberText,
                                  fresh.ShearConnectorsText})
    EXPECT_EQ(cell, "");

  TRecordingObserver observer;
  Run(observer, nullptr);
  ASSERT_EQ(observer.Summaries.size(), 2u);
  EXPECT_EQ(observer.Summaries[0].Side, 1);
  EXPECT_EQ(observer.Summaries[1].Beam, "Pri: PB1");
  EXPECT_EQ(observer.Summaries[1].Caption, "Primary beam PB1");
  EXPECT_EQ(observer.Summaries[1].Outcome, "Primary beam PB1 OK");

  // Known results, to see each cell written from them.
  TImportedBeam& sb = *project.GetBeam(1);
  sb.Stage3MomentRatio = 0.874;  // the largest strength ratio
  sb.CompStageMomentRatio = 0.5;
  sb.MaxBottomStressRatio = 1.016;  // over the limit
  sb.CamberType = 2;
  sb.CamberAbsolute = 25;
  sb.TotalShearConnectors = 1000;
  TBeamSummary row = BeamSummary(project, 1, "Secondary beam SB1");
  EXPECT_TRUE(row.IsAnalysed);
  EXPECT_EQ(row.Strength, "87%");
  EXPECT_EQ(row.Stress, "102%");
  EXPECT_EQ(row.CamberText, "25 mm");
  EXPECT_EQ(row.ShearConnectorsText, "1000");
  EXPECT_FALSE(row.IsOK);  // a ratio above 1 fails the assessment
  EXPECT_EQ(row.ErrorText, "");
  EXPECT_EQ(row.Outcome, "Secondary beam SB1 OK");  // its status is clean: the log says OK
  // More connectors than any beam carries: no count is shown.
  sb.TotalShearConnectors = 1001;
  EXPECT_EQ(BeamSummary(project, 1, "Secondary beam SB1").ShearConnectorsText, "N/A");
  sb.Status.SetError(elWarning, "Span is outside the typical range");
  row = BeamSummary(project, 1, "SB");
  EXPECT_EQ(row.ErrorText, "Span is outside the typical range");
  EXPECT_EQ(row.Outcome, "SB Span is outside the typical range");
  // A beam without a mark goes by its caption.
  sb.Mark = "";
  EXPECT_EQ(BeamSummary(project, 1, "Secondary beam").Beam, "Secondary beam");
}

// ---------------------------------------------------------------------------
// Cancelling.

TEST_F(AnalysisRun, DesignCancelledAtACandidateLeavesTheProjectAsItWas) {
  const std::string before = State(project);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  observer.OnCandidate = [&](int, int index) {
    if (index == 3) run.RequestCancel();
  };
  run.MarkStandardSectionsForSelection();
  TStringList report = {"held"};
  TAnalysisRunOptions options;
  options.Report = &report;
  options.WillDumpReport = true;
  const TRunOutcome outcome = run.RunAnalysis(options);

  EXPECT_TRUE(outcome.Result.IsCancelled());
  EXPECT_EQ(outcome.Result.Message(), "Analysis cancelled");
  EXPECT_EQ(observer.Candidates.size(), 3u);  // the third is finished, no fourth begun
  EXPECT_TRUE(observer.SummarySides.empty());
  EXPECT_EQ(observer.Log, std::vector<std::string>{"Analysis cancelled"});
  EXPECT_EQ(observer.Events.back(), "cancelled");
  EXPECT_EQ(report, TStringList{"held"});
  EXPECT_EQ(State(project), before);  // sections, loads, statuses: the Design's marking too
  EXPECT_EQ(project.GetBeam(1)->SteelSection(0)->Name, "360UB44.7");
  EXPECT_EQ(project.GetBeam(1)->PCCList.Count(), 0);  // no results from the section it was trying

  // The request ends with the run: the next Design goes through.
  TRecordingObserver next;
  TAnalysisRun design(project, session, next);
  design.MarkStandardSectionsForSelection();
  EXPECT_FALSE(design.RunAnalysis(TAnalysisRunOptions{}).Result.IsCancelled());
  EXPECT_TRUE(project.GetIsAssessmentOK());
  observer.OnCandidate = nullptr;
  run.MarkStandardSectionsForSelection();
  EXPECT_FALSE(run.RunAnalysis(TAnalysisRunOptions{}).Result.IsCancelled());
}

TEST_F(AnalysisRun, AnalysisCancelledBetweenBeamsLeavesTheProjectAsItWas) {
  OpenWithTwoSides();
  const std::string before = State(project);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  observer.OnSummary = [&](int side) {
    if (side == 1) run.RequestCancel();
  };
  TStringList report;
  TAnalysisRunOptions options;
  options.Report = &report;
  options.WillDumpReport = true;
  const TRunOutcome outcome = run.RunAnalysis(options);

  EXPECT_TRUE(outcome.Result.IsCancelled());
  EXPECT_EQ(outcome.SummaryText, "");
  EXPECT_EQ(observer.Events,
            (std::vector<std::string>{"started 3", "beam 1: 1 of 3", "finished 1",
                                      "log     Secondary beam (Side 1) OK", "log Analysis cancelled", "cancelled"}));
  EXPECT_TRUE(report.empty());  // not even the header stays
  EXPECT_EQ(State(project), before);
  EXPECT_EQ(project.GetBeam(1)->PCCList.Count(), 0);
  EXPECT_EQ(project.GetBeam(1)->MaxStrengthRatio(), 0);
}

// The window runs the analysis on a worker thread and cancels from its
// interface thread while a candidate is being tried.
TEST_F(AnalysisRun, CancelFromAnotherThread) {
  const std::string before = State(project);
  TRecordingObserver observer;
  TAnalysisRun run(project, session, observer);
  std::promise<void> trying, cancelled;
  std::future<void> is_trying = trying.get_future();
  std::shared_future<void> is_cancelled = cancelled.get_future().share();
  observer.OnCandidate = [&](int, int index) {
    if (index != 1) return;
    trying.set_value();
    is_cancelled.wait();
  };
  run.MarkStandardSectionsForSelection();
  std::thread worker([&] { run.RunAnalysis(TAnalysisRunOptions{}); });
  is_trying.wait();
  run.RequestCancel();
  cancelled.set_value();
  worker.join();
  EXPECT_EQ(observer.Candidates.size(), 1u);
  ASSERT_EQ(observer.Outcomes.size(), 1u);
  EXPECT_TRUE(observer.Outcomes[0].Result.IsCancelled());
  EXPECT_EQ(State(project), before);
}

// ---------------------------------------------------------------------------
// Property paths.

TEST_F(AnalysisRun, PathsAreEvaluatedAsTestOutputs) {
  TRecordingObserver observer;
  Run(observer, nullptr);
  const struct {
    const char* path;
    const char* expected;
    const char* actual;
    const char* compared;
    bool is_expected;
  } cases[] = {
      {"Geometry.SecondarySpacingSide1", "?", "3000", "3000", true},
      {"project.geometry.secondaryspacingside1", "3000", "3000", "3000", true},
      {"Beam.Span", "9000.0", "9000.0", "9000.0", true},      // shown at the expected decimals
      {"Beam.Span", "9100(+/-2%)", "9000", "9000", true},       // within 2 % of 9100
      {"Beam.Span", "9100(+/-50)", "9000", "9000", false},      // 100 mm off
      {"Beam.Span", "9", "9000", "9000", false},
      {"Beam1.SteelSectionList0.Name", "360UB44.7", "360UB44.7", "360UB44.7", true},
      {"Description", "?", "Internal primary beam carrying secondary beams at 3 m centres",
       "Internal primary beam carrying secondary beams at 3 m centres", true},
      {"IsOK", "True", "True", "True", true},
      {"Nope.Span", "?", "** UNKNOWN ENTITY **", "** UNKNOWN ENTITY **", true},
      {"Beam.Nope", "1", "** UNKNOWN PROPERTY **", "** UNKNOWN PROPERTY **", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.path) + "=" + c.expected);
    const TPathEvaluation value = EvaluatePath(project, c.path, c.expected);
    EXPECT_EQ(value.ActualValue, c.actual);
    EXPECT_EQ(value.ComparedValue, c.compared);
    EXPECT_EQ(value.IsExpected, c.is_expected);
    EXPECT_FALSE(value.IsCalculationError);
  }
  // A ratio compared at ten decimals is shown at ten, while the test output
  // keeps the expected decimals and two more.
  const TPathEvaluation ratio = EvaluatePath(project, "Beam.MaxStrengthRatio", "0.0000000000");
  EXPECT_EQ(ratio.ComparedValue, FloatToStrDP(false, 10, 0, project.GetBeam(0)->MaxStrengthRatio()));
  EXPECT_EQ(ratio.ComparedValue.size(), 12u);
  EXPECT_FALSE(ratio.IsExpected);
}

namespace {

// A project whose engine fails on one value, as a broken calculation would.
class TFailingProject : public TProject {
 public:
  std::string StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                          int MaxDPIncrease) override {
    if (PropertyName == "BROKEN") throw std::runtime_error("no capacity");
    return TProject::StringValue(PropertyName, Default, DP, MaxDPIncrease);
  }
};

}  // namespace

TEST(PathEvaluation, AnEngineErrorIsACalculationError) {
  TFailingProject project;
  const TPathEvaluation shown = EvaluatePath(project, "Project.Broken");
  EXPECT_TRUE(shown.IsCalculationError);
  EXPECT_EQ(shown.ActualValue, "** Calculation error: no capacity **");
  EXPECT_EQ(shown.ComparedValue, shown.ActualValue);
  EXPECT_TRUE(shown.IsExpected);  // "?" judges nothing
  EXPECT_FALSE(EvaluatePath(project, "Broken", "1").IsExpected);
  EXPECT_FALSE(EvaluatePath(project, "Storeys", "0").IsCalculationError);
}
