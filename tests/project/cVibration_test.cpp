#include "project/cVibration.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "entity/cIniFiles.h"
#include "project/sample_fixture.h"
#include "project_fixtures.h"
#include "temp_dir.h"

using namespace vibration;

// The bundled sample worked by hand (the chain's own steps are checked in
// tests/engine/cFloorVibration_test.cpp; here: what the floor gives them).
//   Ec (2017, by formula) = 2400^1.5 x 0.043 x sqrt(fcmi), fcmi = 0.9 x 32 x (1.2875 - 0.001875 x 32) = 35.352:
//      Ec = 117575.5 x 0.043 x 5.945755 = 30060.23 MPa; n = 200000 / (1.35 x 30060.23) = 4.928377
//   slab (hardened, 2400 kg/m3) = 24 x 0.120 + 24 x 0.010 + 0.08 x (1 - 2400/7850) - 24 x 0.12 x 0.055
//      = 2.88 + 0.24 + 0.055541 - 0.1584 = 3.017141 kPa; deck 13.56 kg/m2 = 0.1356 kPa;
//      w = 3.017141 + 0.1356 + 1.5 + 0.5 = 5.152741 kPa
//   SB1 360UB44.7 (0.447 kN/m) at 3000, span 9000, ribs across (deck parallel to PB1): beff 3000,
//      Ij = 473557246 mm4; wj = 5.152741 x 3 + 0.447 = 15.90522 kN/m; Delta_j = 14.34651 mm; fj = 4.706889 Hz;
//      Ds = 92.5^3 / (12 x 4.928377) = 13382.59; Dj = 157852.42; Bj = 9712.806 mm; Wj = 463.4531 kN
//   PB1 530UB82.0 (0.82 kN/m), span 9000, effective spacing 9000, ribs along (175/200 of the width):
//      beff 3600, Ig = 1542010800 mm4; it carries SB1's weight 0.447 x 9000 / 3000 = 1.341 kN/m:
//      wg = 5.152741 x 9 + 1.341 + 0.82 = 48.53567 kN/m; Delta_g = 13.44474 mm; fg = 4.862177 Hz;
//      Dg = 171334.53; Bg = 1.8 x (157852.42 / 171334.53)^(1/4) x 9000 = 15871.45 mm; Wg = 770.3315 kN
//   Lg 9000 < Bj 9712.8: Delta_g' = 9000 / 9712.806 x 13.44474 = 12.45806 mm;
//   fn = 0.18 sqrt(9810 / 26.80457) = 3.443520 Hz; W = (14.34651 x 463.4531 + 12.45806 x 770.3315) / 26.80457
//      = 606.0821 kN; ap/g = 0.29 exp(-1.205232) / (0.03 x 606.0821) x 100 = 0.477881 %g <= 0.5: passes.

namespace {

void ExpectClose(double Actual, double Expected, const char* What) {
  EXPECT_NEAR(Actual, Expected, std::abs(Expected) * 2e-6 + 1e-9) << What;
}

std::vector<std::string> Summaries(const TProject& p) {
  std::vector<std::string> out;
  for (int side : {1, 2, 0}) {
    if (!p.GetHasBeam(side)) continue;
    const TBeamSummary s = BeamSummary(p, side, "beam");
    out.push_back(s.Section + " " + s.Strength + " " + s.Stress + " " + s.Deflection + " " + s.CamberText + " " +
                  s.ShearConnectorsText + (s.IsOK ? " OK" : " FAIL"));
  }
  return out;
}

}  // namespace

class VibrationSample : public SampleTest {
 protected:
  // The sample's file with edits (from, to) applied, loaded in place of the
  // sample; a floor with two different sides gets SB2, a copy of SB1.
  void OpenEdited(const std::vector<std::pair<std::string, std::string>>& Edits) {
    std::string text = project_test::ReadBytes(kSampleFile);
    for (const auto& [from, to] : Edits) {
      const size_t at = text.find(from);
      ASSERT_NE(at, std::string::npos) << from;
      text.replace(at, from.size(), to);
    }
    TVEXIniFile ini = TVEXIniFile::FromBytes(text);
    for (const std::string& section : ini.ReadSections()) {
      if (section.rfind("Secondary1", 0) != 0) continue;
      for (const std::string& key : ini.ReadSection(section))
        ini.WriteString("Secondary2" + section.substr(10), key, ini.ReadString(section, key, ""));
    }
    ini.WriteString("Secondary2Beam", "Mark", "SB2");
    const std::string file = dir_.Write("edited.tva", ini.ToBytes());
    const TResult loaded = LoadProjectFile(project, session, file);
    ASSERT_TRUE(loaded.IsOK()) << loaded.Message();
  }
  TempDir dir_;
};

TEST_F(VibrationSample, TheSampleFloorAsWorkedByHand) {
  Report();
  const TVibration& v = project.Vibration;
  ASSERT_TRUE(v.IsCalculated) << v.Message;
  // What the floor gave the chain.
  const TFloorVibrationInput& in = v.Input;
  ExpectClose(in.Ec, 30060.2309, "Ec");
  ExpectClose(in.SlabWeight, 3.017141, "slab");
  ExpectClose(in.DeckWeight, 0.1356, "deck");
  EXPECT_EQ(in.hr, 55);
  EXPECT_EQ(in.RibShare, 0.875);
  EXPECT_EQ(in.Beam.Spacing, 3000);
  EXPECT_EQ(in.Beam.TributaryWidth, 3000);
  EXPECT_EQ(in.Beam.RibsAlongShare, 0);
  ExpectClose(in.Beam.SelfWeight, 0.447, "SB1 weight");
  EXPECT_TRUE(in.HasGirder);
  EXPECT_EQ(in.Girder.Spacing, 9000);
  EXPECT_EQ(in.Girder.RibsAlongShare, 1);
  ExpectClose(in.Girder.SelfWeight, 0.82, "PB1 weight");
  ExpectClose(in.Girder.CarriedWeight, 1.341, "SB1 on PB1");
  EXPECT_EQ(v.BaySide, 1);
  EXPECT_EQ(v.BayCaption, "Secondary beam: SB1");

  // The results, as `eval` reads them.
  const std::pair<const char*, double> expected[] = {
      {"BeamLineLoad", 15.905224},      {"GirderLineLoad", 48.535673},     {"BeamInertia", 473557245.6},
      {"GirderInertia", 1542010799.6},  {"BeamDeflection", 14.346506},     {"GirderDeflection", 13.444742},
      {"GirderDeflectionReduced", 12.458056}, {"BeamFrequency", 4.706889}, {"GirderFrequency", 4.862177},
      {"Frequency", 3.443520},          {"SlabStiffness", 13382.5858},     {"BeamStiffness", 157852.4152},
      {"GirderStiffness", 171334.5333}, {"BeamPanelWidth", 9712.806},      {"GirderPanelWidth", 15871.450},
      {"BeamWeight", 463.4531},         {"GirderWeight", 770.3315},        {"EffectiveWeight", 606.0821},
      {"PeakAcceleration", 0.477881},   {"AccelerationLimit", 0.5},
  };
  TVibration& vv = project.Vibration;
  for (const auto& [name, value] : expected) {
    ExpectClose(vv.NumericValue(name), value, name);
    const TPathEvaluation e = EvaluatePath(project, std::string("Vibration.") + name);
    EXPECT_FALSE(e.IsUnknownPath) << name;
  }
  EXPECT_EQ(EvaluatePath(project, "Vibration.IsOK").ActualValue, "True");
  EXPECT_EQ(EvaluatePath(project, "Vibration.Frequency=3.44").IsExpected, true);
  for (const char* input : {"IsChecked", "Damping", "LiveLoadInMass", "FloorWidth", "FloorLength",
                            "IsBeamContinuous", "IsBeamOnSeat"})
    EXPECT_FALSE(EvaluatePath(project, std::string("Vibration.") + input).IsUnknownPath) << input;

  const TVibrationSummary s = VibrationSummary(v);
  EXPECT_EQ(s.Line, "Floor vibration: fn 3.44 Hz, peak acceleration 0.48 %g (limit 0.50 %g) OK");
  EXPECT_TRUE(s.IsOK);
  EXPECT_EQ(s.ErrorText, "");
}

TEST_F(VibrationSample, TheBlockEndsTheReportAndLeavesTheRestAsItWas) {
  const TStringList with = Report();
  project.Vibration.IsChecked = false;
  const TStringList without = Report();
  // Without the check the report is the report of old, line for line.
  ASSERT_LT(without.size(), with.size());
  EXPECT_TRUE(std::equal(without.begin(), without.end(), with.begin()));
  EXPECT_EQ(with[without.size()], "FLOOR VIBRATION");
  EXPECT_EQ(std::count(with.begin(), with.end(), "FLOOR VIBRATION"), 1);
  const TStringList block(with.begin() + static_cast<long>(without.size()), with.end());
  auto has = [&](const std::string& line) { return std::find(block.begin(), block.end(), line) != block.end(); };
  EXPECT_TRUE(has("Damping ratio beta,,,0.03"));
  EXPECT_TRUE(has("Floor width across the beams,,,Not limited"));
  EXPECT_TRUE(has("Bay checked,,,Secondary beam: SB1"));
  EXPECT_TRUE(has("Floor weight w,,,5.15,kPa"));
  EXPECT_TRUE(has("Step,,,Beam,Girder"));
  EXPECT_TRUE(has("Frequency,,,4.71,4.86,Hz"));
  EXPECT_TRUE(has("Panel width B,,,9713,15871,mm"));
  EXPECT_TRUE(has("Girder deflection in the combined mode,,,12.46,mm"));
  EXPECT_TRUE(has("Natural frequency fn,,,3.44,Hz"));
  EXPECT_TRUE(has("Peak acceleration ap/g,,,0.48,%g"));
  EXPECT_TRUE(has("Acceleration limit,,,0.50,%g"));
  EXPECT_TRUE(has("Floor vibration,,,Satisfactory"));
  // With the check off nothing is calculated.
  EXPECT_FALSE(project.Vibration.IsCalculated);
  EXPECT_EQ(project.Vibration.Frequency, 0);
  EXPECT_EQ(VibrationSummary(project.Vibration).Line, "Floor vibration: not checked");
}

TEST_F(VibrationSample, AFailingFloorChangesNoBeamVerdict) {
  Report();
  const std::vector<std::string> beams = Summaries(project);
  const bool assessment = project.GetIsAssessmentOK();
  const std::string checksum = project.CalcNewChecksum();
  ASSERT_TRUE(assessment);

  project.Vibration.AccelerationLimit = 0.1;
  const TStringList report = Report();
  EXPECT_FALSE(project.Vibration.IsAcceptable);
  EXPECT_EQ(Summaries(project), beams);
  EXPECT_EQ(project.GetIsAssessmentOK(), assessment);
  EXPECT_TRUE(project.Status.IsOK());
  EXPECT_EQ(project.CalcNewChecksum(), checksum);
  EXPECT_TRUE(std::find(report.begin(), report.end(), "Floor vibration,,,PROBLEM") != report.end());
  const TVibrationSummary s = VibrationSummary(project.Vibration);
  EXPECT_EQ(s.Line, "Floor vibration: fn 3.44 Hz, peak acceleration 0.48 %g (limit 0.10 %g) FAIL");
  EXPECT_EQ(s.ErrorText, "Peak acceleration above the limit");
}

TEST_F(VibrationSample, DesignLeavesTheSectionsToStrengthAndDeflection) {
  // Design picks the same sections with the check failing as without it, and
  // the floor is checked once, on the sections chosen.
  project.Vibration.IsChecked = false;
  {
    TAnalysisObserver quiet;
    TAnalysisRun run(project, session, quiet);
    run.MarkStandardSectionsForSelection();
    run.RunAnalysis(TAnalysisRunOptions{});
  }
  const std::vector<std::string> designed = Summaries(project);
  ASSERT_TRUE(LoadProjectFile(project, session, kSampleFile).IsOK());
  project.Vibration.AccelerationLimit = 0.1;
  TAnalysisObserver quiet;
  TAnalysisRun run(project, session, quiet);
  run.MarkStandardSectionsForSelection();
  run.RunAnalysis(TAnalysisRunOptions{});
  EXPECT_EQ(Summaries(project), designed);
  ASSERT_TRUE(project.Vibration.IsCalculated);
  EXPECT_FALSE(project.Vibration.IsAcceptable);
  // The floor as designed: its beam is the one the design kept.
  EXPECT_DOUBLE_EQ(project.Vibration.Input.Beam.Steel.d,
                   project.GetBeam(1)->SteelSectionList.SteelSectionByLabel("Base steel beam")->BaseSteelSection.d);
}

TEST_F(VibrationSample, TheFloorsOwnInputsReachTheChain) {
  struct TCase {
    const char* Name;
    std::vector<std::pair<std::string, std::string>> Edits;
    void (*Check)(const TVibration&);
  };
  const TCase cases[] = {
      // Different sides: side 2's beams span 11 m (the effective spacing of PB1 is the mean, 10 m); its bay
      // is the more flexible one and governs. The girder carries half of each side's beams:
      // 0.447 x 9000 / 2 / 3000 + 0.447 x 11000 / 2 / 3000 = 1.49 kN/m.
      {"two sides",
       {{"IsSide2SameAsSide1=1", "IsSide2SameAsSide1=0"},
        {"SpacingSide2=9000", "SpacingSide2=11000"},
        {"PrimaryEffectiveSpacing=9000", "PrimaryEffectiveSpacing=10000"}},
       [](const TVibration& v) {
         EXPECT_EQ(v.BaySide, 2);
         EXPECT_EQ(v.BayCaption, "Secondary beam: SB2");
         EXPECT_EQ(v.Input.Beam.L, 11000);
         EXPECT_EQ(v.Input.Girder.Spacing, 10000);
         EXPECT_NEAR(v.Input.Girder.CarriedWeight, 1.49, 1e-12);
       }},
      // An edge primary beam: slab width 9000 / 2 + 150 = 4650 (0.2 x 9000 = 1800 governs), tributary 4650,
      // SB1's weight over that width: 0.447 x 4650 / 3000 = 0.69285 kN/m.
      {"edge primary beam",
       {{"IsEdgeBeam=0", "IsEdgeBeam=1"}},
       [](const TVibration& v) {
         EXPECT_TRUE(v.Input.Girder.IsEdge);
         EXPECT_EQ(v.Input.Girder.TributaryWidth, 4650);
         EXPECT_EQ(v.Result.Girder.beff, 1800);
         EXPECT_NEAR(v.Input.Girder.CarriedWeight, 0.69285, 1e-12);
       }},
      // Without a primary beam: the beams alone (fn = fj), girder results 0.
      {"no primary beam",
       {{"HasPrimaryBeam=1", "HasPrimaryBeam=0"}},
       [](const TVibration& v) {
         EXPECT_FALSE(v.Input.HasGirder);
         EXPECT_EQ(v.Frequency, v.BeamFrequency);
         EXPECT_EQ(v.EffectiveWeight, v.BeamWeight);
         for (double girder : {v.GirderLineLoad, v.GirderInertia, v.GirderDeflection, v.GirderDeflectionReduced,
                               v.GirderFrequency, v.GirderStiffness, v.GirderPanelWidth, v.GirderWeight})
           EXPECT_EQ(girder, 0);
       }},
      // Deck ribs square to the primary beam: they run along the secondary beams.
      {"ribs along the beams",
       {{"ThetaSide1=0", "ThetaSide1=90"}, {"ThetaSide2=0", "ThetaSide2=90"}},
       [](const TVibration& v) {
         EXPECT_EQ(v.Input.Beam.RibsAlongShare, 1);
         EXPECT_EQ(v.Input.Girder.RibsAlongShare, 0);
       }},
      // The options go through as given.
      {"options",
       {{"[LimitState]", "[Vibration]\r\nIsBeamContinuous=1\r\nIsBeamOnSeat=1\r\nFloorWidth=12000\r\n"
                         "FloorLength=15000\r\nLiveLoadInMass=0.3\r\n\r\n[LimitState]"}},
       [](const TVibration& v) {
         EXPECT_EQ(v.Result.Beam.WeightFactor, 1.5);
         EXPECT_EQ(v.Result.Girder.C, 1.6);
         EXPECT_EQ(v.Result.Beam.PanelWidth, 8000);
         EXPECT_EQ(v.Result.Girder.PanelWidth, 10000);
         EXPECT_NEAR(v.Result.w, 3.017141 + 0.1356 + 1.5 + 0.3, 1e-6);
       }},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    OpenEdited(c.Edits);
    Report();
    ASSERT_TRUE(project.Vibration.IsCalculated) << project.Vibration.Message;
    c.Check(project.Vibration);
  }
}

TEST_F(VibrationSample, WhatCannotBeCheckedIsSaid) {
  // A beam without a section: nothing to check the floor with.
  TImportedBeam& pb = *project.GetBeam(0);
  pb.SteelSectionList.Clear();
  Report();
  EXPECT_FALSE(project.Vibration.IsCalculated);
  EXPECT_FALSE(project.Vibration.IsAcceptable);
  EXPECT_EQ(project.Vibration.Message, "Primary beam PB1 has no steel section");
  EXPECT_EQ(VibrationSummary(project.Vibration).Line,
            "Floor vibration: not calculated: Primary beam PB1 has no steel section FAIL");

  // An input out of its range is named; the beams still run.
  ASSERT_TRUE(LoadProjectFile(project, session, kSampleFile).IsOK());
  project.Vibration.Damping = 0.5;
  const TStringList report = Report();
  EXPECT_TRUE(project.GetIsAssessmentOK());
  EXPECT_EQ(project.Vibration.Message, "Floor vibration damping ratio (0.5) must be between 0.005 and 0.1");
  EXPECT_TRUE(std::find(report.begin(), report.end(),
                        "Not calculated,,,Floor vibration damping ratio (0.5) must be between 0.005 and 0.1") !=
              report.end());
}

// ---------------------------------------------------------------------------
// Inputs.

TEST(Vibration, InputsOutsideTheirRangesAreNamed) {
  struct TCase {
    void (*Change)(TVibration&);
    const char* Message;  // empty: valid
  };
  const TCase cases[] = {
      {[](TVibration&) {}, ""},
      {[](TVibration& v) { v.Damping = 0.005; }, ""},
      {[](TVibration& v) { v.Damping = 0.004; }, "Floor vibration damping ratio (0.004) must be between 0.005 and 0.1"},
      {[](TVibration& v) { v.Damping = 0.11; }, "Floor vibration damping ratio (0.11) must be between 0.005 and 0.1"},
      {[](TVibration& v) { v.AccelerationLimit = 10; }, ""},
      {[](TVibration& v) { v.AccelerationLimit = 0.05; },
       "Floor vibration acceleration limit (0.05 %g) must be between 0.1 and 10 %g"},
      {[](TVibration& v) { v.LiveLoadInMass = 0; }, ""},
      {[](TVibration& v) { v.LiveLoadInMass = -0.5; },
       "Live load in the vibration mass (-0.5 kPa) must be between 0 and 5 kPa"},
      {[](TVibration& v) { v.LiveLoadInMass = 6; }, "Live load in the vibration mass (6 kPa) must be between 0 and 5 kPa"},
      {[](TVibration& v) { v.FloorWidth = 1000; }, ""},
      {[](TVibration& v) { v.FloorWidth = 999; },
       "Floor width for vibration (999 mm) must be 0 (not limited) or between 1000 and 500000 mm"},
      {[](TVibration& v) { v.FloorLength = 500000; }, ""},
      {[](TVibration& v) { v.FloorLength = -1; },
       "Floor length for vibration (-1 mm) must be 0 (not limited) or between 1000 and 500000 mm"},
  };
  for (const TCase& c : cases) {
    TVibration v;
    c.Change(v);
    const bool ok = v.IsOK();
    EXPECT_EQ(ok, std::string(c.Message).empty()) << c.Message;
    EXPECT_EQ(v.Status.ErrorMsg, c.Message);
  }
}

TEST(Vibration, DefaultsForANewProjectAndForAnOlderFile) {
  auto expect_defaults = [](const TVibration& v) {
    EXPECT_TRUE(v.IsChecked);
    EXPECT_EQ(v.Damping, 0.03);
    EXPECT_EQ(v.AccelerationLimit, 0.5);
    EXPECT_EQ(v.LiveLoadInMass, 0.5);
    EXPECT_EQ(v.FloorWidth, 0);
    EXPECT_EQ(v.FloorLength, 0);
    EXPECT_FALSE(v.IsBeamContinuous);
    EXPECT_FALSE(v.IsBeamOnSeat);
  };
  TProject fresh;
  expect_defaults(fresh.Vibration);
  // The sample was saved before the check existed: no [Vibration] section.
  TProject older;
  ASSERT_TRUE(LoadProjectFile(older, project_test::Libraries(), project_test::SamplePath()).IsOK());
  expect_defaults(older.Vibration);
  // A section with some keys: the others keep their defaults.
  auto ini = TVEXIniFile::FromBytes("[Project]\r\nProject=x\r\n[Vibration]\r\nDamping=0.05\r\nIsBeamOnSeat=1\r\n");
  TProject partial;
  partial.Vibration.FloorWidth = 7000;  // loading starts from the defaults
  partial.LoadFromIniFile(ini, "", "");
  EXPECT_EQ(partial.Vibration.Damping, 0.05);
  EXPECT_TRUE(partial.Vibration.IsBeamOnSeat);
  EXPECT_TRUE(partial.Vibration.IsChecked);
  EXPECT_EQ(partial.Vibration.AccelerationLimit, 0.5);
  EXPECT_EQ(partial.Vibration.FloorWidth, 0);
}

TEST(Vibration, TheProjectFileKeepsTheInputs) {
  TProject p;
  project_test::MakeValidProject(p);
  TVibration& v = p.Vibration;
  v.IsChecked = false;
  v.Damping = 0.02;
  v.AccelerationLimit = 1.5;
  v.LiveLoadInMass = 0.3;
  v.FloorWidth = 27000;
  v.FloorLength = 36000;
  v.IsBeamContinuous = true;
  v.IsBeamOnSeat = true;
  TempDir dir;
  const std::string file = dir.File("vibration.tva");
  ASSERT_TRUE(SaveProjectFile(p, file).IsOK());
  auto ini = TVEXIniFile::FromBytes(project_test::ReadBytes(file));
  const std::vector<std::string> keys = {"IsChecked",  "Damping",     "AccelerationLimit", "LiveLoadInMass",
                                         "FloorWidth", "FloorLength", "IsBeamContinuous",  "IsBeamOnSeat"};
  EXPECT_EQ(ini.ReadSection("Vibration"), keys);
  EXPECT_EQ(ini.ReadString("Vibration", "IsChecked", ""), "0");
  EXPECT_EQ(ini.ReadString("Vibration", "AccelerationLimit", ""), "1.5");

  TProject again;
  ASSERT_TRUE(LoadProjectFile(again, project_test::Libraries(), file).IsOK());
  const TVibration& w = again.Vibration;
  EXPECT_FALSE(w.IsChecked);
  EXPECT_EQ(w.Damping, 0.02);
  EXPECT_EQ(w.AccelerationLimit, 1.5);
  EXPECT_EQ(w.LiveLoadInMass, 0.3);
  EXPECT_EQ(w.FloorWidth, 27000);
  EXPECT_EQ(w.FloorLength, 36000);
  EXPECT_TRUE(w.IsBeamContinuous);
  EXPECT_TRUE(w.IsBeamOnSeat);
  // A word where a number belongs is a load error, as for every other section.
  const std::string damaged =
      dir.Write("damaged.tva", ReplaceAll(project_test::ReadBytes(file), "Damping=0.02", "Damping=low"));
  TProject refused;
  const TResult loaded = LoadProjectFile(refused, project_test::Libraries(), damaged);
  EXPECT_EQ(loaded.Message(), "Project file [" + damaged + "], section [Vibration], key Damping: \"low\" is not a number");
}
