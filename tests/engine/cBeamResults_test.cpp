// Deflections, camber, summary ratios and the verdict of a beam, and the
// office secondary beam of beam_fixture.h through the whole analysis in both
// editions, against values worked by hand.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/beam_fixture.h"

namespace {

constexpr double kEs = 200000;  // MPa

// Second moments of the plate-built sections (no root radii):
// b d^3/12 - (b - tw) (d - 2 tf)^3 / 12.
constexpr double kI310 =
    165 * 304.0 * 304 * 304 / 12 - 158.9 * 283.6 * 283.6 * 283.6 / 12;  // 84.261e6 mm4
constexpr double kI360 =
    171 * 356.0 * 356 * 356 / 12 - 163.7 * 333.0 * 333 * 333 / 12;  // 139.199e6 mm4

// Midspan deflection of a prismatic simply supported beam, mm (w in kN/m = N/mm).
double UniformLoadDeflection(double w, double L, double I) {
  return 5 * w * std::pow(L, 4) / (384 * kEs * I);
}

// The midspan deflection integrates a curvature that is linear between
// positions; for a parabolic moment the chords lie below the curve by up to
// w h^2 / 8 on a segment of length h, which lowers the deflection by about
// w h^2 L^2 / (96 EI), a fraction 0.8 (h/L)^2 of 5 w L^4 / (384 EI): 0.8 % at
// 10 segments, 0.008 % at 100. The extra positions (plateau ends, quarter
// points) only reduce it. The 0.6667 centroid of the linear part of each
// segment adds at most a few parts in 10^5.
void ExpectWithinDiscretisation(double actual, double exact, int segments) {
  EXPECT_LE(actual, exact * (1 + 1e-4));
  EXPECT_GE(actual, exact * (1 - 0.8 / (segments * segments) - 1e-4));
}

}  // namespace

// ---------------------------------------------------------------------------
// Deflection integration

TEST(BeamResultsTest, UniformCurvatureGivesKappaLSquaredOverEight) {
  // M = 100 kNm on I = 2e8 mm4 everywhere: kappa = 100e6 / (2e5 x 2e8) =
  // 2.5e-6 /mm, deflection kappa x (L - x) / 2, 25.3125 mm at midspan. The
  // positions are irregular (a point load adds two close ones); a linear
  // curvature diagram is integrated exactly whatever the positions.
  TBeamFixture f;
  f.AddOfficeLoads();
  f.AddPoint(3, 3000, 10, false);
  f.beam.PopulatePCCList(10);
  f.beam.I_factor_short = 1;
  for (int i = 0; i < f.beam.PCCList.Count(); ++i) {
    TPCC& p = *f.beam.PCCList.PCC(i);
    p.CompositeSection.Iti = 2e8;
    p.SetMdes(stShort, 7, 100);
  }
  f.beam.CalculateDeflections();
  const double kappa = 100e6 / (kEs * 2e8);
  EXPECT_NEAR(f.beam.GetPCCAt(4500)->GetDeflection(stShort, 7), kappa * 9000 * 9000 / 8, 1e-9);
  for (int i = 0; i < f.beam.PCCList.Count(); ++i) {
    const TPCC& p = *f.beam.PCCList.PCC(i);
    EXPECT_NEAR(p.GetDeflection(stShort, 7), kappa * p.x * (9000 - p.x) / 2, 1e-9) << p.x;
    EXPECT_EQ(p.GetDeflection(stStrength, 7), 0);  // the strength entry has no curvature
  }
}

TEST(BeamResultsTest, UniformLoadOnTheBareSteelWithinTheDiscretisation) {
  // 10 kN/m dead in stage 3 on the 310UB40.4: 5 x 10 x 9000^4 / (384 x 2e5 x 84.261e6) = 50.69 mm.
  for (int segments : {10, 100}) {
    TBeamFixture f;
    f.AddUniform(3, 10, false);
    f.Analyse(segments);
    const double exact = UniformLoadDeflection(10, 9000, kI310);
    EXPECT_NEAR(exact, 50.69, 0.01);
    ExpectWithinDiscretisation(f.beam.GetPCCAt(4500)->GetDeflection(stConstrucDefl, 3), exact,
                               segments);
  }
}

// ---------------------------------------------------------------------------
// The office beam from end to end

namespace {

struct Expected {
  const char* section;
  int edition;
  double Mb0, Mb1;  // kNm at midspan
  double beta_min;
  int ni, total;
  double I;
  double camber;
  bool ok;
  const char* message;
};

}  // namespace

TEST(BeamResultsTest, OfficeBeamInBothEditions) {
  // M* = (1.2 (0.404 + 9.21 + 4.5) + 1.5 x 7.9) x 81 / 8 = 291.47 kNm (the
  // stage 3 construction live load has gone by then).
  // Mb(0) = 0.9 (fyf Af (d - tf) + fyw tw dp^2 / 4):
  //   310UB40.4: 0.9 (320 x 1683 x 293.8 + 320 x 6.1 x 283.6^2 / 4) = 177.73 kNm;
  //   360UB50.7: 0.9 (300 x 1966.5 x 344.5 + 320 x 7.3 x 333^2 / 4) = 241.20 kNm.
  // Mb(1): the steel force 0.9 Fst governs Fcc and acts at the steel centroid,
  // dsr = 120 + d/2; the concrete block is dc = 65 Fcc / Fc1 deep:
  //   310UB, 2017: Fc1 = 0.8 x 0.85 x 32 x 2250 x 65 = 3182.4 kN (1125 mm a side at midspan),
  //     Fcc = 1467.64, dc = 29.98, Mb(1) = 1467.64 (272 - 14.99) = 377.20;
  //   310UB, 2003: 2 x min(1125, 165/2 + 8 x 120) = 2085 mm, Fc1 = 0.9 x 0.85 x 32 x 2085 x 65
  //     = 3317.7, dc = 28.75, Mb(1) = 378.10;
  //   360UB, 2017: Fcc = 1762.01, dc = 35.99, Mb(1) = 1762.01 (298 - 17.99) = 493.37;
  //   360UB, 2003: 2091 mm, Fc1 = 3327.2, dc = 34.42, Mb(1) = 494.75.
  // beta_min at midspan:
  //   2017, 310UB: very ductile studs, (291.47 - 177.73) / (377.20 - 177.73) = 0.5702, ni =
  //   ceil(10.19) = 11;
  //     provided 11 + (4500 - 4175) / 400 = 11.81 at midspan: 24 per beam;
  //   2017, 360UB: (291.47 - 241.20) / (493.37 - 241.20) = 0.199 < 0.4, the ductility minimum;
  //     ni = ceil(0.4 x 1762.01 / 82.142) = ceil(8.58) = 9; the maximum spacing fills
  //     midspan to 4500 / 400 = 11.25: 23 per beam;
  //   2003: the minimum 0.5 governs at the maximum moment; 310UB: ceil(9.18) = 10 by the group
  //     factor iteration with fds = 79.26 kN, 360UB: 11; both filled to 11.25: 23 per beam.
  // Stage 3 deflection: 9.614 kN/m on the bare steel, 5 w L^4 / (384 E I): 48.74 mm
  // (310UB) and 29.50 mm (360UB); the limit is 9000/200 = 45 mm. Cambers are
  // the deflection rounded down to 5 mm: 45 and 25.
  const Expected cases[] = {
      {"310UB40.4", kStandard2017, 177.73, 377.20, 0.5702, 11, 24, kI310, 45, false,
       "Deflection limit exceeded"},
      {"310UB40.4", kStandard2003, 177.73, 378.10, 0.5, 10, 23, kI310, 45, false,
       "Deflection limit exceeded"},
      {"360UB50.7", kStandard2017, 241.20, 493.37, 0.4, 9, 23, kI360, 25, true, ""},
      {"360UB50.7", kStandard2003, 241.20, 494.75, 0.5, 11, 23, kI360, 25, true, ""},
  };
  for (const Expected& c : cases) {
    TStandardVersionScope edition(c.edition);
    TBeamFixture f;
    f.AddOfficeLoads();
    f.SetSection(c.section);
    f.Analyse(10);
    const std::string what =
        std::string(c.section) + (c.edition == kStandard2017 ? " 2017" : " 2003");
    const TBeam& b = f.beam;
    const TPCC& mid = *b.GetPCCAt(4500);
    EXPECT_NEAR(mid.GetMdes(stStrength, 7), 291.47, 0.01) << what;
    EXPECT_NEAR(mid.CompositeSection.Mb(0), c.Mb0, 0.01) << what;
    EXPECT_NEAR(mid.CompositeSection.Mb(1), c.Mb1, 0.01) << what;
    EXPECT_NEAR(mid.beta_min, c.beta_min, 5e-4) << what;
    EXPECT_EQ(mid.ni, c.ni) << what;
    EXPECT_EQ(b.TotalShearConnectors, c.total) << what;
    const double d3 = mid.GetDeflection(stConstrucDefl, 3);
    ExpectWithinDiscretisation(d3, UniformLoadDeflection(9.614, 9000, c.I), 10);
    EXPECT_EQ(b.SuggestedCamber(), c.camber) << what;
    EXPECT_EQ(b.IsAssessmentOK(), c.ok) << what;
    EXPECT_EQ(b.Status.ErrorMsg, c.message) << what;
    if (!c.ok) {
      EXPECT_NEAR(b.MaxDeflectionRatio(), d3 / 45, 1e-9) << what;
    }
  }
}

TEST(BeamResultsTest, SummaryRatiosOfTheOfficeBeam) {
  // Stage 3 strength: 1.2 x 9.614 + 1.5 x 3.0 = 16.037 kN/m: 162.37 kNm at
  // midspan over Mb(0) = 177.73 gives 0.9136; 72.17 kN at the support over
  // phiVvm = 0.9 x 0.6 x 320 x 304 x 6.1 / 1000 = 320.44 kN (no moment there) gives 0.2252.
  // Stage 3 stresses: 12.614 x 81 / 8 = 127.72 kNm over Z = 84.261e6 / 152 =
  // 554349 mm3 = 230.39 MPa, 0.8000 of 0.9 x 320 at top and bottom.
  TBeamFixture f;
  f.AddOfficeLoads();
  f.Analyse();
  const TBeam& b = f.beam;
  EXPECT_NEAR(b.Stage3MomentRatio, 16.037 * 81 / 8 / 177.7304, 1e-4);
  EXPECT_NEAR(b.Stage3ShearRatio, 16.037 * 4.5 / 320.440, 1e-4);
  const TConstructionStage& s3 = *b.StageObject(3);
  EXPECT_NEAR(s3.MaxTopStressRatio, 127.717e6 / (kI310 / 152) / 288, 1e-4);
  EXPECT_NEAR(s3.MaxBottomStressRatio, 127.717e6 / (kI310 / 152) / 288, 1e-4);
  EXPECT_GE(b.MaxTopStressRatio, s3.MaxTopStressRatio);
  const TPCC& mid = *b.GetPCCAt(4500);
  EXPECT_NEAR(b.MaxBetaActual, mid.beta_actual, 1e-12);  // the most connectors are at midspan
  // The plateau ends carry 99.5 % of the moment with the fewest connectors
  // of the plateau (11 against 11.8 at midspan): they govern.
  const TPCC& left = *b.PCCList.PCC(b.PCCList.IndexOfEntity(&mid) - 1);
  EXPECT_GT(b.CompStageMomentRatio, 291.466 / mid.phiMbv);
  EXPECT_NEAR(b.CompStageMomentRatio, left.GetMdes(stStrength, 7) / left.phiMbv, 1e-12);
  EXPECT_NEAR(b.MaxStressRatio(), std::max(b.MaxTopStressRatio, b.MaxBottomStressRatio), 0);
  EXPECT_NEAR(b.MaxOverallRatio(), b.MaxDeflectionRatio(), 0);  // the deflection governs

  // Largest actions and capacities along the span.
  EXPECT_NEAR(b.MaxAbsAction(stStrength, 7, atMoment), 291.466, 1e-3);
  EXPECT_NEAR(b.MaxAbsAction(stStrength, 7, atShear), 28.787 * 4.5, 1e-3);
  EXPECT_NEAR(b.MaxAbsAction(stConstrucDefl, 3, atMoment), 9.614 * 81 / 8, 1e-3);
  EXPECT_NEAR(b.MaxAbsCapacity(stStrength, 3, atMoment), 177.730, 1e-3);
  EXPECT_NEAR(b.MaxAbsCapacity(stStrength, 3, atShear), 320.440, 1e-3);
  EXPECT_NEAR(b.MaxAbsCapacity(stStrength, 7, atMoment), mid.phiMbv, 1e-9);
  EXPECT_EQ(b.MaxAbsCapacity(stShort, 7, atMoment), 0);
  TBeam empty;
  EXPECT_EQ(empty.MaxAbsAction(stStrength, 7, atMoment), 0);
  EXPECT_EQ(empty.MaxAbsCapacity(stStrength, 7, atMoment), 0);
}

TEST(BeamResultsTest, PartialConnectionSoftensTheSectionTowardsTheSteel) {
  // k = 0.6 (1 - beta) at the maximum-moment position: I = Iti + k (Is - Iti).
  TBeamFixture f;
  f.AddOfficeLoads();
  f.Analyse();
  const TPCC& p = *f.beam.GetPCCAt(4500);
  const double k = 0.6 * (1 - p.beta_actual);
  const double Iti = p.CompositeSection.Iti, Itl = p.CompositeSection.Itl;
  EXPECT_DOUBLE_EQ(f.beam.Iti, Iti);
  EXPECT_DOUBLE_EQ(f.beam.ItL, Itl);
  EXPECT_NEAR(f.beam.I_factor_short, (Iti + k * (kI310 - Iti)) / Iti, 1e-9);
  EXPECT_NEAR(f.beam.I_factor_long, (Itl + k * (kI310 - Itl)) / Itl, 1e-9);
  EXPECT_LT(f.beam.I_factor_short, 1);
}

TEST(BeamResultsTest, ConnectorsPerBeamAreAWholeNumber) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.Analyse();
  for (int i = 0; i < f.beam.PCCList.Count(); ++i) f.beam.PCCList.PCC(i)->ni_actual = 3;
  f.beam.GetPCCAt(2700)->ni_actual = 10.2;
  f.beam.CalcSummaryResults();
  EXPECT_EQ(f.beam.TotalShearConnectors, 21);  // ceil(2 x 10.2)
  // Counts that are not numbers (a failed capacity) never turn into undefined integers.
  f.beam.GetPCCAt(900)->ni_actual = std::numeric_limits<double>::quiet_NaN();
  f.beam.GetPCCAt(1800)->ni_actual = 1e300;
  f.beam.CalcSummaryResults();
  EXPECT_GE(f.beam.TotalShearConnectors, 21);
}

// ---------------------------------------------------------------------------
// Camber and deflection ratio

namespace {

// The office beam's positions with chosen deflections at midspan.
struct DeflectedBeam {
  TBeamFixture f;
  TPCC* mid;
  DeflectedBeam(double d3, double d6 = 0, double shrink = 0, double short7 = 0, double long7 = 0) {
    f.AddOfficeLoads();
    f.beam.PopulatePCCList(10);
    mid = f.beam.GetPCCAt(4500);
    mid->SetDeflection(stConstrucDefl, 3, d3);
    mid->SetDeflection(stConstrucDefl, 6, d6);
    mid->SetDeflection(stShrinkage, 7, shrink);
    mid->SetDeflection(stShort, 7, short7);
    mid->SetDeflection(stLong, 7, long7);
  }
};

}  // namespace

TEST(BeamResultsTest, CamberIsTheDeadLoadDeflectionRoundedDown) {
  struct Case {
    int type;
    double d3, d6, maximum, camber;
  } cases[] = {
      {0, 24, 0, 50, 20}, {0, 19, 0, 50, 0},  {0, 63, 0, 50, 50}, {0, 63, 0, 0, 60},
      {0, 20, 0, 50, 20}, {0, -30, 0, 50, 0}, {1, 24, 7, 50, 30},  // 31 rounds down to 30
      {0, 24, 7, 50, 20}, {1, 10, 9, 50, 0},                       // 19 is too small
  };
  for (const Case& c : cases) {
    DeflectedBeam d(c.d3, c.d6);
    d.f.limits.MaximumCamber = c.maximum;
    d.f.beam.CamberType = c.type;
    EXPECT_EQ(d.f.beam.SuggestedCamber(), c.camber) << c.type << " " << c.d3 << "+" << c.d6;
  }
  DeflectedBeam d(63);
  d.f.beam.CamberType = 2;
  d.f.beam.CamberAbsolute = 63;  // fixed cambers are not limited
  EXPECT_EQ(d.f.beam.SuggestedCamber(), 63);
  d.f.beam.CamberType = 3;
  d.f.beam.CamberRelative = 300;
  EXPECT_EQ(d.f.beam.SuggestedCamber(), 30);
  d.f.beam.CamberRelative = 0;
  EXPECT_EQ(d.f.beam.SuggestedCamber(), 0);
  d.f.beam.CamberType = 4;
  EXPECT_EQ(d.f.beam.SuggestedCamber(), 0);
  d.f.beam.CamberType = 0;
  d.f.beam.DeflectionLimit = nullptr;
  EXPECT_EQ(d.f.beam.SuggestedCamber(), 0);
  EXPECT_EQ(d.f.beam.MaxDeflectionRatio(), 0);
}

TEST(BeamResultsTest, EachDeflectionLimitOnItsOwn) {
  // Midspan: stage 3 20 mm, stages 5 and 6 10 mm, shrinkage 10, short-term 15,
  // creep 5: incremental 10 x 0.6 + 15 + 5 = 26 mm, total 60 mm.
  // Camber type 3 at Span/300 = 30 mm comes off the total.
  struct Case {
    double TDeflectionLimit::*limit;
    double value;
    double ratio;
  } cases[] = {
      {&TDeflectionLimit::Stage3DLRelLimit, 200, 20 / 45.0},
      {&TDeflectionLimit::Stage3DLAbsLimit, 55, 20 / 55.0},
      {&TDeflectionLimit::Stage56DLRelLimit, 250, 10 / 36.0},
      {&TDeflectionLimit::Stage56DLAbsLimit, 8, 10 / 8.0},
      {&TDeflectionLimit::Stage356DLRelLimit, 300, 30 / 30.0},
      {&TDeflectionLimit::Stage356DLAbsLimit, 40, 30 / 40.0},
      {&TDeflectionLimit::IncrementalRelLimit, 300, 26 / 30.0},
      {&TDeflectionLimit::IncrementalAbsLimit, 20, 26 / 20.0},
      {&TDeflectionLimit::TotalRelLimit, 250, (60 - 30) / 36.0},
      {&TDeflectionLimit::TotalAbsLimit, 50, (60 - 30) / 50.0},
  };
  for (const Case& c : cases) {
    DeflectedBeam d(20, 10, 10, 15, 5);
    TDeflectionLimit& lim = d.f.limits;
    for (double TDeflectionLimit::*m :
         {&TDeflectionLimit::Stage3DLRelLimit, &TDeflectionLimit::Stage56DLRelLimit,
          &TDeflectionLimit::Stage356DLRelLimit, &TDeflectionLimit::IncrementalRelLimit,
          &TDeflectionLimit::TotalRelLimit, &TDeflectionLimit::Stage3DLAbsLimit,
          &TDeflectionLimit::Stage56DLAbsLimit, &TDeflectionLimit::Stage356DLAbsLimit,
          &TDeflectionLimit::IncrementalAbsLimit, &TDeflectionLimit::TotalAbsLimit})
      lim.*m = 0;
    EXPECT_EQ(d.f.beam.MaxDeflectionRatio(), 0);  // no limits: no ratio
    lim.*c.limit = c.value;
    d.f.beam.CamberType = 3;
    d.f.beam.CamberRelative = 300;
    EXPECT_NEAR(d.f.beam.MaxDeflectionRatio(), c.ratio, 1e-12) << c.value;
  }
  // Camber type 0 takes the rounded stage 3 deflection, 20 mm, off the total instead.
  DeflectedBeam d(20, 10, 10, 15, 5);
  TDeflectionLimit& lim = d.f.limits;  // the defaults, less all but the total ratio 250
  lim.Stage3DLRelLimit = lim.Stage3DLAbsLimit = lim.Stage56DLRelLimit = lim.IncrementalRelLimit = 0;
  EXPECT_NEAR(d.f.beam.MaxDeflectionRatio(), (60 - 20) / 36.0, 1e-12);
  // Upward deflections give no ratio below zero.
  DeflectedBeam up(-20, -10);
  EXPECT_EQ(up.f.beam.MaxDeflectionRatio(), 0);
}

// ---------------------------------------------------------------------------
// Verdict

TEST(BeamResultsTest, EachFailedCheckGivesItsWarning) {
  struct Case {
    const char* what;
    void (*setup)(TBeamFixture&);
    const char* message;
  } cases[] = {
      // 20 kN/m in service: M* = (16.937 + 30) x 10.125 = 475 kNm > Mb(1) = 377 kNm.
      {"strength", [](TBeamFixture& f) { f.AddUniform(7, 20, true); }, "Strength ratio > 1"},
      // 8 connectors fixed 1000 mm from the support with one stud per rib: 1000 / 200 = 5 < 8.
      {"spacing",
       [](TBeamFixture& f) {
         f.beam.UserNr = 1;
         auto u = std::make_unique<TUserPCC>();
         u->x = 1000;
         u->ni = 8;
         f.beam.UserPCCList.Add("0", std::move(u));
       },
       "Shear connector spacing problem"},
      // 48.5 mm at stage 3 against 45 mm.
      {"deflection", [](TBeamFixture&) {}, "Deflection limit exceeded"},
      // The 360UB passes, until 25 kN/m of stage 5 construction load (seen by
      // stage 5 alone) stresses its bottom flange beyond 0.9 fy.
      {"stress",
       [](TBeamFixture& f) {
         f.SetSection("360UB50.7");
         f.AddUniform(5, 25, true);
       },
       "Stress ratio > 1"},
  };
  for (const Case& c : cases) {
    TBeamFixture f;
    f.AddOfficeLoads();
    c.setup(f);
    f.Analyse();
    EXPECT_FALSE(f.beam.IsAssessmentOK()) << c.what;
    EXPECT_EQ(f.beam.Status.ErrorLevel, elWarning) << c.what;
    EXPECT_EQ(f.beam.Status.ErrorMsg, c.message) << c.what;
  }
}

TEST(BeamResultsTest, CombinedRatioCountsInTheCurrentEditionOnly) {
  TBeam b;
  b.CompStageMomentRatio = 0.5;
  b.CompStageCombinedRatio = 1.5;
  EXPECT_EQ(b.MaxStrengthRatio(), 1.5);
  TStandardVersionScope edition2003(kStandard2003);
  EXPECT_EQ(b.MaxStrengthRatio(), 0.5);
}

TEST(BeamResultsTest, AnAssessmentNeedsAnOKStatus) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.SetSection("360UB50.7");
  f.Analyse();
  ASSERT_TRUE(f.beam.IsAssessmentOK());
  f.beam.Status.SetError(elWarning, "anything");
  EXPECT_FALSE(f.beam.IsAssessmentOK());
}
