#include "engine/cFloorVibration.h"

#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>

#include "components/cSteelSection.h"
#include "components/steel_test_sections.h"

using namespace vibration;

// Floors worked by hand: a 9 m x 9 m bay like the sample's. Secondary beams
// 360UB44.7 at 3000 mm span 9000 mm, primary beam 530UB82.0 span 9000 mm,
// 120 mm slab on a 55 mm re-entrant deck (ribs 200 mm apart, 25 mm steel ribs:
// rib concrete 175/200 = 0.875 of the width), ribs across the beams and along
// the girder; Es 200000, Ec 30000 MPa; beta 0.03, limit 0.5 %g.
//
// Shared steps:
//   n = 200000 / (1.35 x 30000) = 200000 / 40500 = 4.938272
//   w = 3.0 slab + 0.15 deck + 1.5 superimposed dead + 0.5 live = 5.15 kPa
//   hc = 120 - 55 = 65; de = 120 - 55/2 = 92.5; Ds = 92.5^3 / (12 n) = 791453.1 / 59.25926 = 13355.77 mm4/mm
//   360UB44.7 as plates (d 352, b 171, tf 9.7, tw 6.9): A = 2 x 1658.7 + 6.9 x 332.6 = 5612.34 mm2,
//     I = 2 (171 x 9.7^3/12 + 1658.7 x 171.15^2) + 6.9 x 332.6^3/12 = 2 (13005.6 + 48587175) + 21156050
//       = 118356412 mm4, centroid 176 below the top.
//   530UB82.0 as plates (d 528.2, b 209, tf 13.2, tw 9.6): A = 2 x 2758.8 + 9.6 x 501.8 = 10334.88 mm2,
//     I = 2 (209 x 13.2^3/12 + 2758.8 x 257.5^2) + 9.6 x 501.8^3/12 = 2 (40057.8 + 182925683) + 101083893
//       = 467015373 mm4, centroid 264.1 below the top.
// Beam (internal, ribs across): beff = min(3000, 0.4 x 9000) = 3000; parts below the slab top:
//   steel 5612.34 at 65 + 55 + 176 = 296; slab 3000 x 65 / n = 39487.5 at 32.5;
//   y = (5612.34 x 296 + 39487.5 x 32.5) / 45099.84 = 65.2906;
//   Ij = 118356412 + 5612.34 x 230.7094^2 + 3000 x 65^3 / (12 n) + 39487.5 x 32.7906^2
//      = 118356412 + 298727007 + 13902891 + 42457931 = 473444240 mm4.
//   wj = 5.15 x 3 + 0.447 = 15.897 kN/m; Dj = Ij / 3000 = 157814.75 mm4/mm
//   Delta_j = 5 x 15.897 x 9000^4 / (384 x 200000 x 473444240) = 14.34251 mm; fj = 0.18 sqrt(9810 / 14.34251) = 4.707544 Hz
//   Bj = 2 x (13355.77 / 157814.75)^(1/4) x 9000 = 9708.516 mm; Wj = 15.897 / 3000 x 9708.516 x 9000 / 1000 = 463.0088 kN
// Girder (internal, ribs along): beff = min(9000, 0.4 x 9000) = 3600; parts: steel 10334.88 at 120 + 264.1
//   = 384.1; slab 3600 x 65 / n = 47385 at 32.5; ribs 3600 x 0.875 x 55 / n = 35083.13 at 92.5;
//   y = 94.3378; Ig = 467015373 + 867738716 + 16683469 + 181195993 + 8843871 + 118490 = 1541595913 mm4.
//   Its spacing is the beams' span, 9000; it carries the beams' weight 0.447 x 9000 / 3000 = 1.341 kN/m:
//   wg = 5.15 x 9 + 1.341 + 0.82 = 48.511 kN/m; Delta_g = 13.44152 mm; fg = 4.862759 Hz;
//   Dg = Ig / 9000 = 171288.43; Bg = 1.8 x (157814.75 / 171288.43)^(1/4) x 9000 = 15871.57 mm;
//   Wg = 48.511 / 9000 x 15871.57 x 9000 / 1000 = 769.9458 kN.

namespace {

TVibrationSteel Beam360UB447() { return {5612.34, 118356411.58, 176, 352}; }
TVibrationSteel Girder530UB820() { return {10334.88, 467015373.22, 264.1, 528.2}; }

TFloorVibrationInput NineByNine() {
  TFloorVibrationInput in;
  in.Es = 200000;
  in.Ec = 30000;
  in.Ds = 120;
  in.hr = 55;
  in.RibShare = 0.875;
  in.SlabWeight = 3.0;
  in.DeckWeight = 0.15;
  in.DeadLoad = 1.5;
  in.LiveLoadInMass = 0.5;
  in.Beam = {9000, 3000, 3000, false, 0, 0, Beam360UB447(), 0.447, 0};
  in.HasGirder = true;
  in.Girder = {9000, 9000, 9000, false, 150, 1, Girder530UB820(), 0.82, 0.447 * 9000 / 3000};
  in.Damping = 0.03;
  in.AccelerationLimit = 0.5;
  return in;
}

// Every quantity of the chain, as worked by hand (0 where a step does not apply).
struct TExpected {
  double Ij, wj, Dj_, fj, Bj, Wj;  // Dj_: the deflection Delta_j
  double Ig, wg, Dg_, fg, Bg, Wg;  // Dg_: the deflection Delta_g
  double Factor, DgReduced, fn, W, ap;
  TVibrationVerdict Verdict;
};

struct TCase {
  const char* Name;
  void (*Change)(TFloorVibrationInput&);
  TExpected E;
};

const TCase kCases[] = {
    // Beam only: fn = fj; W = Wj;
    // ap = 0.29 x exp(-0.35 x 4.707544) / (0.03 x 463.0088) x 100 = 0.29 x 0.192504 / 13.89026 x 100 = 0.401908 %g.
    {"BeamOnly", [](TFloorVibrationInput& in) { in.HasGirder = false; },
     {473444239.8, 15.897, 14.342510, 4.707544, 9708.516, 463.0088, 0, 0, 0, 0, 0, 0, 0, 0, 4.707544, 463.0088,
      0.401908, vvAcceptable}},
    // Beam and girder, a floor 12 m wide across the beams: Bj = min(9708.5, 2/3 x 12000) = 8000 <= Lg, so
    // the girder deflects in full; Wj = 15.897 / 3000 x 8000 x 9 = 381.528 kN;
    // fn = 0.18 sqrt(9810 / (14.34251 + 13.44152)) = 3.382278 Hz;
    // W = (14.34251 x 381.528 + 13.44152 x 769.9458) / 27.78403 = 569.4390 kN;
    // ap = 0.29 exp(-1.183797) / (0.03 x 569.4390) x 100 = 0.519652 %g > 0.5: fails.
    {"BeamAndGirder", [](TFloorVibrationInput& in) { in.FloorWidth = 12000; },
     {473444239.8, 15.897, 14.342510, 4.707544, 8000, 381.5280, 1541595912.7, 48.511, 13.441524, 4.862759,
      15871.570, 769.9458, 1, 13.441524, 3.382278, 569.4390, 0.519652, vvExceedsLimit}},
    // Lg = 9000 < Bj = 9708.5: Delta_g' = 9000 / 9708.516 x 13.44152 = 0.927021 x 13.44152 = 12.46058 mm;
    // fn = 0.18 sqrt(9810 / 26.80309) = 3.443615 Hz; W = (14.34251 x 463.0088 + 12.46058 x 769.9458) / 26.80309
    // = 605.7018 kN; ap = 0.29 exp(-1.205265) / (0.03 x 605.7018) x 100 = 0.478165 %g.
    {"GirderShorterThanBeamPanel", [](TFloorVibrationInput&) {},
     {473444239.8, 15.897, 14.342510, 4.707544, 9708.516, 463.0088, 1541595912.7, 48.511, 13.441524, 4.862759,
      15871.570, 769.9458, 0.927021, 12.460577, 3.443615, 605.7018, 0.478165, vvAcceptable}},
    // Continuous beams: Wj = 1.5 x 463.0088 = 694.5133 kN; ap = 0.401908 / 1.5 = 0.267938 %g.
    {"ContinuousBeams", [](TFloorVibrationInput& in) { in.HasGirder = false; in.IsBeamContinuous = true; },
     {473444239.8, 15.897, 14.342510, 4.707544, 9708.516, 694.5133, 0, 0, 0, 0, 0, 0, 0, 0, 4.707544, 694.5133,
      0.267938, vvAcceptable}},
    // Edge girder (outstand 150), beams seated on it: beff = min(9000 / 2 + 150, 0.2 x 9000) = 1800; it
    // carries 9000 / 2 + 150 = 4650 mm of floor and 0.447 x 4650 / 3000 = 0.69285 kN/m of beams; parts:
    // steel 10334.88 at 384.1, slab 1800 x 65 / n = 23692.5 at 32.5, ribs 1800 x 0.875 x 55 / n = 17541.56
    // at 92.5: y = 123.3733, Ig = 1394699340 mm4; wg = 5.15 x 4.65 + 0.69285 + 0.82 = 25.46035 kN/m;
    // Delta_g = 7.797630 mm, fg = 6.384483 Hz; Dg = Ig / 9000 = 154966.59;
    // Bg = 1.6 x (157814.75 / 154966.59)^(1/4) x 9000 = 14465.71 mm; Wg = 25.46035 / 4650 x 14465.71 x 9 = 712.8428 kN;
    // Delta_g' = 0.927021 x 7.797630 = 7.228568 mm; fn = 0.18 sqrt(9810 / 21.57108) = 3.838584 Hz;
    // W = (14.34251 x 463.0088 + 7.228568 x 712.8428) / 21.57108 = 546.7294 kN; ap = 0.461347 %g.
    {"EdgeGirderBeamsOnSeat",
     [](TFloorVibrationInput& in) {
       in.Girder.IsEdge = true;
       in.Girder.TributaryWidth = 4650;
       in.Girder.CarriedWeight = 0.447 * 4650 / 3000;
       in.IsBeamOnSeat = true;
     },
     {473444239.8, 15.897, 14.342510, 4.707544, 9708.516, 463.0088, 1394699339.9, 25.46035, 7.797630, 6.384483,
      14465.714, 712.8428, 0.927021, 7.228568, 3.838584, 546.7294, 0.461347, vvAcceptable}},
    // A floor 15 m long along the beams: Bg = min(15871.6, 2/3 x 15000) = 10000 mm; Wg = 48.511 x 10 = 485.11 kN;
    // W = (14.34251 x 463.0088 + 12.46058 x 485.11) / 26.80309 = 473.2835 kN; ap = 0.611949 %g: fails.
    {"FloorLengthLimitsGirderPanel", [](TFloorVibrationInput& in) { in.FloorLength = 15000; },
     {473444239.8, 15.897, 14.342510, 4.707544, 9708.516, 463.0088, 1541595912.7, 48.511, 13.441524, 4.862759,
      10000, 485.11, 0.927021, 12.460577, 3.443615, 473.2835, 0.611949, vvExceedsLimit}},
    // Beams 5 m long at 2 m: beff = min(2000, 2000) = 2000; slab 26325 at 32.5, y = 78.8048, Ij = 448824498;
    // wj = 5.15 x 2 + 0.447 = 10.747; Delta_j = 0.974315 mm; fn = 18.06164 Hz > 9: walking does not govern
    // (ap = 0.29 exp(-6.321575) / (0.03 x 132.7036) x 100 = 0.01309088 %g).
    // Bj = 2 (13355.77 / 224412.25)^(1/4) x 5000 = 4939.189; Wj = 10.747 / 2000 x 4939.189 x 5 = 132.7036 kN.
    {"StiffFloorAbove9Hz",
     [](TFloorVibrationInput& in) {
       in.HasGirder = false;
       in.Beam.L = 5000;
       in.Beam.Spacing = in.Beam.TributaryWidth = 2000;
     },
     {448824497.7, 10.747, 0.974315, 18.061643, 4939.189, 132.7036, 0, 0, 0, 0, 0, 0, 0, 0, 18.061643, 132.7036,
      0.01309088, vvNotGoverning}},
    // 310UB40.4 beams (as plates d 304, b 165, tf 10.2, tw 6.1: A = 3366 + 1729.96 = 5095.96,
    // I = 2 (14591.6 + 1683 x 146.9^2) + 6.1 x 283.6^3/12 = 84261057) 12 m long: y = 59.8752,
    // Ij = 357058502; Delta_j = 60.10486 mm; fn = 2.299600 Hz < 3: too flexible, whatever ap (0.489363 %g,
    // under the limit). Bj = 2 (13355.77 / 119019.50)^(1/4) x 12000 = 13890.69; Wj = 15.897 / 3000 x 13890.69 x 12.
    {"FlexibleFloorBelow3Hz",
     [](TFloorVibrationInput& in) {
       in.HasGirder = false;
       in.Beam.L = 12000;
       in.Beam.Steel = {5095.96, 84261057.45, 152, 304};
     },
     {357058502.1, 15.897, 60.104856, 2.299600, 13890.694, 883.2815, 0, 0, 0, 0, 0, 0, 0, 0, 2.299600, 883.2815,
      0.489363, vvTooFlexible}},
};

void ExpectNear(double Actual, double Expected, const std::string& What) {
  const double tolerance = std::max(1e-9, std::abs(Expected) * 2e-6);
  EXPECT_NEAR(Actual, Expected, tolerance) << What;
}

}  // namespace

TEST(FloorVibration, HandWorkedFloors) {
  for (const TCase& c : kCases) {
    SCOPED_TRACE(c.Name);
    TFloorVibrationInput in = NineByNine();
    c.Change(in);
    const TFloorVibrationResult r = CalcFloorVibration(in);
    const TExpected& e = c.E;
    ExpectNear(r.n, 4.938272, "n");
    ExpectNear(r.w, 5.15, "w");
    ExpectNear(r.SlabStiffness, 13355.7715, "Ds");
    ExpectNear(r.Beam.I, e.Ij, "Ij");
    ExpectNear(r.Beam.LineLoad, e.wj, "wj");
    ExpectNear(r.Beam.Deflection, e.Dj_, "Delta_j");
    ExpectNear(r.Beam.Frequency, e.fj, "fj");
    ExpectNear(r.Beam.PanelWidth, e.Bj, "Bj");
    ExpectNear(r.Beam.PanelWeight, e.Wj, "Wj");
    ExpectNear(r.Girder.I, e.Ig, "Ig");
    ExpectNear(r.Girder.LineLoad, e.wg, "wg");
    ExpectNear(r.Girder.Deflection, e.Dg_, "Delta_g");
    ExpectNear(r.Girder.Frequency, e.fg, "fg");
    ExpectNear(r.Girder.PanelWidth, e.Bg, "Bg");
    ExpectNear(r.Girder.PanelWeight, e.Wg, "Wg");
    ExpectNear(r.GirderDeflectionFactor, e.Factor, "Lg/Bj");
    ExpectNear(r.GirderDeflectionReduced, e.DgReduced, "Delta_g'");
    ExpectNear(r.Frequency, e.fn, "fn");
    ExpectNear(r.EffectiveWeight, e.W, "W");
    ExpectNear(r.PeakAcceleration, e.ap, "ap/g");
    EXPECT_EQ(r.Verdict, e.Verdict);
    EXPECT_EQ(r.IsOK, e.Verdict == vvAcceptable || e.Verdict == vvNotGoverning);
  }
}

TEST(FloorVibration, SteelSectionsAsPlates) {
  // 360UB44.7: see the top of this file.
  TSteelSection ub;
  SetStandard(ub, "UB", 352, 171, 9.7, 6.9, 320);
  TVibrationSteel s = GrossSteelSection(ub);
  EXPECT_NEAR(s.A, 5612.34, 1e-9);
  EXPECT_NEAR(s.I, 118356411.58, 0.01);
  EXPECT_NEAR(s.y, 176, 1e-9);
  EXPECT_NEAR(s.d, 352, 1e-9);

  // Unequal flanges, top 200 x 16, bottom 300 x 20, web 8 x 364: A = 3200 + 2912 + 6000 = 12112;
  // y = (3200 x 8 + 2912 x 198 + 6000 x 390) / 12112 = 242.9141;
  // I = 200 x 16^3/12 + 8 x 364^3/12 + 300 x 20^3/12 + 3200 x 234.9141^2 + 2912 x 44.9141^2 + 6000 x 147.0859^2
  //   = 68267 + 32155221 + 200000 + 176590882 + 5874318 + 129805511 = 344691340 mm4.
  TSteelSection custom;
  SetCustomI(custom, 400, 200, 16, 300, 8, 300, 300, 20, 300);
  s = GrossSteelSection(custom);
  EXPECT_NEAR(s.A, 12112, 1e-9);
  EXPECT_NEAR(s.y, 242.91413474, 1e-6);
  EXPECT_NEAR(s.I, 344691340.03, 0.05);

  // A cover plate 250 x 12 under the 360UB44.7 adds 3000 mm2 at 358 below the top:
  // y = (5612.34 x 176 + 3000 x 358) / 8612.34 = 239.3973; I = 118356412 + 5612.34 x 63.3973^2
  // + 250 x 12^3/12 + 3000 x 118.6027^2 = 118356412 + 22557181 + 36000 + 42199807 = 183149400 mm4.
  ub.bp = 250;
  ub.tp = 12;
  ub.fyp = 300;
  s = GrossSteelSection(ub);
  EXPECT_NEAR(s.A, 8612.34, 1e-9);
  EXPECT_NEAR(s.y, (5612.34 * 176 + 3000 * 358) / 8612.34, 1e-9);
  EXPECT_NEAR(s.I, 118356411.58 + 5612.34 * std::pow(s.y - 176, 2) + 36000 + 3000 * std::pow(358 - s.y, 2), 0.01);
  EXPECT_NEAR(s.d, 364, 1e-9);
}

TEST(FloorVibration, StepsAtTheirEdges) {
  // Effective widths: internal min(S, 0.4 L), edge min(S/2 + outstand, 0.2 L).
  EXPECT_EQ(EffectiveSlabWidth(3000, 9000, false, 150), 3000);
  EXPECT_EQ(EffectiveSlabWidth(4000, 9000, false, 150), 3600);
  EXPECT_EQ(EffectiveSlabWidth(3000, 9000, true, 150), 1650);
  EXPECT_EQ(EffectiveSlabWidth(3000, 6000, true, 150), 1200);
  // Lg/Bj only when the girder is the shorter, and never below 0.5.
  EXPECT_EQ(GirderDeflectionFactor(9000, 9000), 1);
  EXPECT_EQ(GirderDeflectionFactor(9000, 8000), 1);
  EXPECT_DOUBLE_EQ(GirderDeflectionFactor(6000, 8000), 0.75);
  EXPECT_EQ(GirderDeflectionFactor(3000, 9000), 0.5);
  // The floor's dimension limits a panel only when given.
  EXPECT_EQ(PanelWidthWithinFloor(9000, 0), 9000);
  EXPECT_EQ(PanelWidthWithinFloor(9000, 12000), 8000);
  EXPECT_EQ(PanelWidthWithinFloor(7000, 12000), 7000);
  // 3 Hz and 9 Hz belong to the acceleration check.
  EXPECT_EQ(Verdict(3, 0.5, 0.5), vvAcceptable);
  EXPECT_EQ(Verdict(9, 0.51, 0.5), vvExceedsLimit);
  EXPECT_EQ(Verdict(2.99, 0.1, 0.5), vvTooFlexible);
  EXPECT_EQ(Verdict(9.01, 5, 0.5), vvNotGoverning);
  // Damping halves the response when doubled.
  EXPECT_DOUBLE_EQ(PeakAcceleration(5, 0.06, 500), PeakAcceleration(5, 0.03, 500) / 2);
}

TEST(FloorVibration, RefusesWhatCannotGiveAFrequency) {
  struct TBad {
    const char* Message;
    void (*Change)(TFloorVibrationInput&);
  };
  const TBad bad[] = {
      {"Secondary beam span must be greater than zero", [](TFloorVibrationInput& in) { in.Beam.L = 0; }},
      {"Secondary beam spacing must be greater than zero", [](TFloorVibrationInput& in) { in.Beam.Spacing = 0; }},
      {"Primary beam steel second moment of area must be greater than zero",
       [](TFloorVibrationInput& in) { in.Girder.Steel.I = 0; }},
      {"Concrete elastic modulus must be greater than zero", [](TFloorVibrationInput& in) { in.Ec = 0; }},
      {"Slab depth above the ribs must be greater than zero", [](TFloorVibrationInput& in) { in.Ds = 55; }},
      {"Damping ratio must be greater than zero", [](TFloorVibrationInput& in) { in.Damping = 0; }},
  };
  for (const TBad& b : bad) {
    TFloorVibrationInput in = NineByNine();
    b.Change(in);
    try {
      CalcFloorVibration(in);
      ADD_FAILURE() << b.Message;
    } catch (const std::runtime_error& e) {
      EXPECT_EQ(std::string(e.what()), b.Message);
    }
  }
  // Without a girder its steel is not looked at.
  TFloorVibrationInput in = NineByNine();
  in.HasGirder = false;
  in.Girder.Steel.I = 0;
  EXPECT_NO_THROW(CalcFloorVibration(in));
}
