// Statics of the simply supported span, the choice of the potential critical
// cross-sections and the analysis order, checked against closed forms.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "engine/beam_fixture.h"

namespace {

using S = TConstructionStageSet;

const S kAll = S::Of(3, 5, 6, 7);

// Design actions at x (mm) as a pair (M kNm, V kN).
struct Actions {
  double M, V;
};
Actions At(const TBeam& beam, double x, S stages, TStateType st = stStrength) {
  Actions a{};
  beam.GetDesignActions(x, stages, st, a.M, a.V);
  return a;
}

TDistributedLoad* AddLoad(TBeam& beam, int stage, double q1, double q2, bool live = false) {
  auto load = std::make_unique<TDistributedLoad>();
  load->ConStage = stage;
  load->StartValue = q1;
  load->FinishValue = q2;
  load->IsLiveLoad = live;
  return static_cast<TDistributedLoad*>(beam.DistributedLoadList.AddLoad(std::move(load)));
}

// Positions of the PCC list in order.
std::vector<double> Positions(const TBeam& beam) {
  std::vector<double> xs;
  for (int i = 0; i < beam.PCCList.Count(); ++i) xs.push_back(beam.PCCList.PCC(i)->x);
  return xs;
}

// The left and right points where the moment of a uniform load is 99.5 % of
// the maximum: x/L (1 - x/L) = 0.995 / 4.
const double kPlateauLeft = 9000 * (0.5 - std::sqrt(0.25 - 0.995 / 4));  // 4181.80 mm
const double kPlateauRight = 9000 - kPlateauLeft;                        // 4818.20 mm

}  // namespace

// ---------------------------------------------------------------------------
// GetDesignActions

TEST(BeamStaticsTest, UniformLoadMatchesClosedForm) {
  TBeamFixture f;
  AddLoad(f.beam, 3, 10, 10);           // dead, factor 1.2
  AddLoad(f.beam, 3, 4, 4, true);       // live, factor 1.5
  const double w = 1.2 * 10 + 1.5 * 4;  // 18 kN/m
  const double L = 9;
  for (double X : {0.0, 1.5, 4.5, 7.0, 9.0}) {
    Actions a = At(f.beam, X * 1000, S::Of(3));
    EXPECT_NEAR(a.M, w * X * (L - X) / 2, 1e-9) << X;
    EXPECT_NEAR(a.V, w * (L / 2 - X), 1e-9) << X;
  }
}

TEST(BeamStaticsTest, CentralPointLoadTakesTheShearJumpRightOfTheLoad) {
  TBeamFixture f;
  f.AddPoint(3, 4500, 100, false);
  // f = 1.2: M = 1.2 P L / 4 = 270 kNm; left-hand shear R = 1.2 P / 2 = 60 kN at the load.
  Actions at = At(f.beam, 4500, S::Of(3));
  EXPECT_NEAR(at.M, 1.2 * 100 * 9 / 4, 1e-9);
  EXPECT_NEAR(at.V, 60, 1e-9);
  EXPECT_NEAR(At(f.beam, 4500.001, S::Of(3)).V, -60, 1e-9);
  EXPECT_NEAR(At(f.beam, 3000, S::Of(3)).M, 1.2 * 50 * 3, 1e-9);  // R x
  EXPECT_NEAR(At(f.beam, 9000, S::Of(3)).M, 0, 1e-9);

  // A proportional position is a fraction of the span.
  auto* p = static_cast<TPointLoad*>(f.beam.PointLoadList.Load(0));
  p->Position = 0.5;
  p->IsPositionProportional = true;
  EXPECT_NEAR(At(f.beam, 4500, S::Of(3)).M, 270, 1e-9);
}

TEST(BeamStaticsTest, TriangularLoadMatchesIntegratedFormulas) {
  // q rises from 0 to 12 kN/m over the span: R = qL/6 = 18 kN,
  // M(x) = R x - q x^3 / (6L), V(x) = R - q x^2 / (2L), all times 1.2.
  // The triangular resultant T = qL/2 = 54 kN is placed at 0.6667 L rather
  // than 2L/3, which lowers R by T (0.6667 - 2/3) = 0.0018 kN: tolerance
  // 1.2 T 3.4e-5 on V and that times X on M.
  TBeamFixture f;
  AddLoad(f.beam, 3, 0, 12);
  const double q = 12, L = 9, T = q * L / 2;
  const double tolV = 1.2 * T * 3.4e-5;
  for (double X : {0.0, 2.0, 4.5, 6.0, 9.0}) {
    Actions a = At(f.beam, X * 1000, S::Of(3));
    EXPECT_NEAR(a.M, 1.2 * (q * L / 6 * X - q * X * X * X / (6 * L)), tolV * X + 1e-9) << X;
    EXPECT_NEAR(a.V, 1.2 * (q * L / 6 - q * X * X / (2 * L)), tolV) << X;
  }
  // The moment at the far support closes exactly whatever the centroid ratio.
  EXPECT_NEAR(At(f.beam, 9000, S::Of(3)).M, 0, 1e-9);
}

TEST(BeamStaticsTest, PartialTrapezoidalLoadOnEachSideAndWithin) {
  // 5 to 15 kN/m from 2 m to 6 m: uniform part 20 kN at 4 m, triangular part
  // 20 kN at 2 + 8/3 m; R = 20 (5/9) + 20 (1 - 4.6667/9) = 20.7407 kN.
  // Inside at 4 m the load so far is 15 kN acting 0.8889 m to the left.
  TBeamFixture f;
  TDistributedLoad* load = AddLoad(f.beam, 3, 5, 15);
  load->SetStartPosition(2000);
  load->FinishPosition = 6000;
  load->IsFinishPositionProportional = false;
  load->IsFinishPositionAtEnd = false;
  const double R = 20 * 5.0 / 9 + 20 * (1 - (2 + 8.0 / 3) / 9);
  struct Case {
    double X, M, V;
  } cases[] = {
      {1, R * 1, R},
      {4, R * 4 - 15 * (2 - 10.0 / 9), R - 15},  // 15 kN with its centroid 10/9 m past s
      {8, (40 - R) * 1, R - 40},
  };
  // The 0.6667 centroid moves R by 20 x 0.0000333 x 4/9 = 3e-4 kN.
  for (const Case& c : cases) {
    Actions a = At(f.beam, c.X * 1000, S::Of(3));
    EXPECT_NEAR(a.M, 1.2 * c.M, 2e-3) << c.X;
    EXPECT_NEAR(a.V, 1.2 * c.V, 1e-3) << c.X;
  }
}

TEST(BeamStaticsTest, StageSetsSelectTheLoadsThatAct) {
  // Intensities are powers of two so that each sum names its loads; the
  // construction-stress factors are 1.0 and 1.0, so V(0) = 4.5 m x sum.
  TBeamFixture f;
  AddLoad(f.beam, 3, 1, 1);          // dead 3
  AddLoad(f.beam, 3, 2, 2, true);    // construction live 3
  AddLoad(f.beam, 5, 4, 4, true);    // construction live 5
  AddLoad(f.beam, 6, 8, 8);          // dead 6
  AddLoad(f.beam, 7, 16, 16, true);  // in-service live
  struct Case {
    S stages;
    double sum;
  } cases[] = {
      {S::Of(3), 3},       {S::Of(3, 5), 5}, {S::Of(5), 4}, {S::Of(5, 6), 8},
      {S::Of(3, 5, 6), 9}, {S::Of(7), 16},   {kAll, 25},    {S(), 0},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(At(f.beam, 0, c.stages, stConstrucStress).V, 4.5 * c.sum, 1e-9)
        << int(c.stages.Bits());
}

TEST(BeamStaticsTest, LoadFactorsComeFromTheLimitStateOfTheStateType) {
  TBeamFixture f;
  AddLoad(f.beam, 7, 10, 10);
  AddLoad(f.beam, 7, 10, 10, true);
  struct Case {
    TStateType st;
    double LFdead, LFlive;
  } cases[] = {{stStrength, 1.2, 1.5},
               {stShort, 1.0, 0.7},
               {stLong, 1.0, 0.4},
               {stConstrucDefl, 1.0, 0.0},
               {stConstrucStress, 1.0, 1.0}};
  for (const Case& c : cases)
    EXPECT_NEAR(At(f.beam, 0, S::Of(7), c.st).V, 4.5 * 10 * (c.LFdead + c.LFlive), 1e-9) << c.st;
}

TEST(BeamStaticsTest, DesignActionsWithoutLimitStatesReportAnError) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.beam.LimitStateList = nullptr;
  double M, V;
  EXPECT_THROW(f.beam.GetDesignActions(4500, kAll, stStrength, M, V), std::runtime_error);
  f.Analyse();
  EXPECT_EQ(f.beam.Status.ErrorLevel, elError);
  EXPECT_EQ(f.beam.Status.ErrorMsg.rfind("Error during analysis: ", 0), 0u)
      << f.beam.Status.ErrorMsg;
}

// ---------------------------------------------------------------------------
// PopulatePCCList and the maximum-moment region

TEST(BeamStaticsTest, TenSegmentsGiveRegularPositionsSupportsMidspanPlateauAndQuarters) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.beam.PopulatePCCList(10);
  const TBeam& b = f.beam;
  // Symmetric load: the zero-shear search stops at midspan at once.
  EXPECT_DOUBLE_EQ(b.x_max_des_mom, 4500);
  // 0, 900, ..., 8100 (4500 is one of them), 9000, the plateau ends, the quarters.
  std::vector<double> xs = Positions(b);
  ASSERT_EQ(xs.size(), 15u);
  const double expected_regular[] = {0, 900, 1800, 2700, 3600, 4500, 5400, 6300, 7200, 8100};
  for (double x : expected_regular) EXPECT_NE(b.PCCList.PCCAtLocation(x, 0), nullptr) << x;
  EXPECT_DOUBLE_EQ(xs.back(), 9000);
  for (size_t i = 1; i < xs.size(); ++i) EXPECT_LT(xs[i - 1], xs[i]);

  // Each plateau end lies within 10 mm outside its 99.5 % point.
  EXPECT_GT(xs[6], kPlateauLeft - 10);
  EXPECT_LE(xs[6], kPlateauLeft);
  EXPECT_GE(xs[8], kPlateauRight);
  EXPECT_LT(xs[8], kPlateauRight + 10);

  for (int i = 0; i < b.PCCList.Count(); ++i) {
    const TPCC& p = *b.PCCList.PCC(i);
    const bool quarter = p.x == 2250 || p.x == 6750;
    const bool pcc = p.x == 0 || p.x == 9000 || p.x == 4500 || i == 6 || i == 8;
    EXPECT_EQ(p.IsPCC, pcc) << p.x;
    EXPECT_EQ(p.IsPCCStatusKnown, !quarter) << p.x;
  }
}

TEST(BeamStaticsTest, RepeatedStepFallingShortOfTheSpanAddsOneMorePosition) {
  // 9000/13 added 13 times is 8999.999999999998: a 14th regular position, and
  // the support PCC at exactly 9000 after it.
  TBeamFixture f;
  f.AddOfficeLoads();
  f.beam.PopulatePCCList(13);
  std::vector<double> xs = Positions(f.beam);
  ASSERT_GE(xs.size(), 2u);
  EXPECT_DOUBLE_EQ(xs.back(), 9000);
  EXPECT_LT(xs[xs.size() - 2], 9000);
  EXPECT_GT(xs[xs.size() - 2], 9000 - 1e-6);
  EXPECT_TRUE(f.beam.PCCList.PCC(f.beam.PCCList.Count() - 1)->IsPCC);
}

TEST(BeamStaticsTest, MaximumMomentFollowsZeroShearOrAPointLoad) {
  // 10 kN/m and 20 kN at 3 m (both dead): R = 45 + 20 x 2/3 = 58.33 kN, shear
  // is still 8.33 kN right of the load and falls to zero at 3.8333 m.
  TBeamFixture f;
  AddLoad(f.beam, 3, 10, 10);
  f.AddPoint(3, 3000, 20, false);
  f.beam.PopulatePCCList(10);
  EXPECT_NEAR(f.beam.x_max_des_mom, 3833.33, 1);
  EXPECT_NE(f.beam.GetPCCAt(f.beam.x_max_des_mom), nullptr);

  // 60 kN: the shear changes sign at the load itself (85 - 30 = 55, then -5).
  static_cast<TPointLoad*>(f.beam.PointLoadList.Load(0))->Value = 60;
  f.beam.PopulatePCCList(10);
  EXPECT_NEAR(f.beam.x_max_des_mom, 3000, 1);
}

TEST(BeamStaticsTest, PointLoadsAndSectionChangesAddPCCsEitherSide) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.AddPoint(3, 3000, 10, false);
  f.AddPoint(3, 12000, 10, false);  // beyond the span: ignored
  auto cs = std::make_unique<TCompositeSection>();
  cs->CompositeSectionLabel = "2";
  cs->SteelSectionLabel = "Plated";
  cs->StartPosition = 6000;
  f.beam.CompositeSectionList.Add("2", std::move(cs));
  f.beam.PopulatePCCList(10);
  const TPCCList& list = f.beam.PCCList;
  const double eps = 9000 / 1e6;  // 0.009 mm
  for (double x : {3000 - eps, 3000 + eps, 6000 - eps, 6000 + eps}) {
    TPCC* p = list.PCCAtLocation(x, 1e-6);
    ASSERT_NE(p, nullptr) << x;
    EXPECT_TRUE(p->IsPCC) << x;
  }
  EXPECT_EQ(list.PCCAtLocation(3000, 1e-3), nullptr);
  EXPECT_EQ(list.PCCAtLocation(6000 - eps, 1e-6)->CompositeSection.CompositeSectionLabel, "1");
  EXPECT_EQ(list.PCCAtLocation(6000 + eps, 1e-6)->CompositeSection.CompositeSectionLabel, "2");
  EXPECT_EQ(list.PCCAtLocation(8100, 0)->CompositeSection.CompositeSectionLabel, "2");
  for (int i = 0; i < list.Count(); ++i) EXPECT_LE(list.PCC(i)->x, 9000);
}

TEST(BeamStaticsTest, UserPCCsReuseNearbyPositionsAndIgnoreOutsideOnes) {
  TBeamFixture f;
  f.AddOfficeLoads();
  f.beam.PopulatePCCList(10);
  const int plain_count = f.beam.PCCList.Count();
  auto add_user = [&](double x, double ni) {
    auto u = std::make_unique<TUserPCC>();
    u->x = x;
    u->ni = ni;
    f.beam.UserPCCList.Add(std::to_string(f.beam.UserPCCList.Count()), std::move(u));
  };
  add_user(900.6, 5);  // within 1 mm of the regular position 900
  add_user(9600, 3);   // outside the span
  add_user(-50, 3);    // outside the span
  add_user(3333, 0);   // a new position
  f.beam.PopulatePCCList(10);
  EXPECT_EQ(f.beam.PCCList.Count(), plain_count + 1);
  TPCC* reused = f.beam.PCCList.PCCAtLocation(900, 0);
  ASSERT_NE(reused, nullptr);
  EXPECT_TRUE(reused->IsPCC);
  EXPECT_EQ(reused->ni_user, 5);
  TPCC* added = f.beam.PCCList.PCCAtLocation(3333, 0);
  ASSERT_NE(added, nullptr);
  EXPECT_TRUE(added->IsPCC);
  EXPECT_EQ(added->ni_user, 0);
  EXPECT_EQ(f.beam.GetPCCAt(9000)->ni_user, 0);
}

TEST(BeamStaticsTest, BadSegmentCountsAndSpansAreRefused) {
  TBeamFixture f;
  f.AddOfficeLoads();
  EXPECT_THROW(f.beam.PopulatePCCList(0), std::runtime_error);
  EXPECT_THROW(f.beam.PopulatePCCList(-5), std::runtime_error);
  f.beam.Span = 0;
  EXPECT_THROW(f.beam.PopulatePCCList(10), std::runtime_error);
}

// ---------------------------------------------------------------------------
// FullAnalysis order and construction actions

TEST(BeamStaticsTest, QuarterPositionsBecomePCCsOnlyWhereCompositeActionIsLarge) {
  // Mb(1)/Mb(0) with the steel force governing Fcc = 0.9 x 1630.7 = 1467.6 kN:
  // 120 mm slab: 1467.6 (272 - 15.0) / 177.7 = 2.12; 200 mm slab: the steel
  // force acts 352 mm below the slab top, 1467.6 (352 - 15.0) / 177.7 = 2.78.
  for (double Ds : {120.0, 200.0}) {
    TBeamFixture f;
    f.AddOfficeLoads();
    f.beam.Ds = Ds;
    f.Analyse();
    for (double x : {2250.0, 6750.0}) {
      TPCC* p = f.beam.GetPCCAt(x);
      ASSERT_NE(p, nullptr);
      EXPECT_TRUE(p->IsPCCStatusKnown);
      EXPECT_EQ(p->IsPCC, Ds > 150) << Ds << " " << x;
    }
  }
}

TEST(BeamStaticsTest, ConstructionActionsFollowTheirStageSetsAndFactors) {
  // Midspan moments are w L^2 / 8 = 10.125 w with w the combined intensity.
  TBeamFixture f;
  AddLoad(f.beam, 3, 1, 1);
  AddLoad(f.beam, 3, 2, 2, true);
  AddLoad(f.beam, 5, 4, 4, true);
  AddLoad(f.beam, 6, 8, 8);
  AddLoad(f.beam, 7, 16, 16, true);
  f.Analyse();
  ASSERT_TRUE(f.beam.Status.ErrorLevel < elError) << f.beam.Status.ErrorMsg;
  const TPCC& mid = *f.beam.GetPCCAt(4500);
  struct Case {
    TStateType st;
    int stage;
    double w;
  } cases[] = {
      {stStrength, 3, 1.2 * 1 + 1.5 * 2},  // {3}
      {stConstrucStress, 3, 1 + 2},        // {3}
      {stConstrucDefl, 3, 1},              // live factor 0
      {stConstrucStress, 5, 4},            // {5}: the stage 5 live load only
      {stConstrucStress, 6, 8},            // {5, 6}: stage 5 live load removed
      {stConstrucDefl, 6, 8},
      {stShort, 7, 0.7 * 16},
      {stLong, 7, 8 + 0.4 * 16},  // sustained stage 5 and 6 loads carried on
      {stStrength, 7, 1.2 * (1 + 8) + 1.5 * 16},
  };
  for (const Case& c : cases)
    EXPECT_NEAR(mid.GetMdes(c.st, c.stage), 10.125 * c.w, 1e-9) << c.st << "," << c.stage;
  EXPECT_NEAR(f.beam.GetPCCAt(0)->GetVdes(stStrength, 3), 4.5 * (1.2 * 1 + 1.5 * 2), 1e-9);
  EXPECT_DOUBLE_EQ(mid.GetMdes(stShrinkage, 7), mid.CompositeSection.Msh());
  EXPECT_GT(mid.GetMdes(stShrinkage, 7), 0);
}

// ---------------------------------------------------------------------------
// Bad input: reported on the beam's status, never a crash

TEST(BeamStaticsTest, BadInputIsReportedNotRaised) {
  struct Case {
    const char* what;
    void (*setup)(TBeamFixture&);
    int segments;
    TErrorLevel level;
    const char* message;
  } cases[] = {
      {"no composite sections", [](TBeamFixture& f) { f.beam.CompositeSectionList.Clear(); }, 10,
       elError, "Error during analysis: No composite sections defined"},
      {"zero span", [](TBeamFixture& f) { f.beam.Span = 0; }, 10, elError,
       "Error during analysis: Span must be greater than zero"},
      {"no segments", [](TBeamFixture&) {}, 0, elError,
       "Error during analysis: Number of segments must be between 1 and 10000"},
      {"missing links",
       [](TBeamFixture& f) {
         f.beam.SetFloorProperties(nullptr, nullptr, nullptr, nullptr, nullptr);
       },
       10, elError,
       "Error during analysis: Concrete, steel deck and shear connector must be defined"},
      {"composite section without its steel section",
       [](TBeamFixture& f) { f.beam.CompositeSection(0)->SteelSectionLabel = "Haunched"; }, 10,
       elError,
       "Error during analysis: Composite section [1] refers to no steel section [Haunched]"},
      // A 1.5 mm web on a 602 mm deep section: dp/tw sqrt(fy/250) = 419, far past the limit.
      {"slender web",
       [](TBeamFixture& f) {
         f.AddSection("610UB101", 602, 228, 14.8, 1.5, 300, 300);
         f.SetSection("610UB101");
       },
       10, elWarning,
       "(Cl 3.4.3.3) The web of steel section [Base steel beam] must not be slender. Please select "
       "another "
       "steel section."},
  };
  for (const Case& c : cases) {
    TBeamFixture f;
    f.AddOfficeLoads();
    c.setup(f);
    f.Analyse(c.segments);
    EXPECT_EQ(f.beam.Status.ErrorLevel, c.level) << c.what;
    EXPECT_EQ(f.beam.Status.ErrorMsg, c.message) << c.what;
    EXPECT_FALSE(f.beam.IsAssessmentOK()) << c.what;
    // The summary values stay readable.
    (void)f.beam.MaxOverallRatio();
    (void)f.beam.SuggestedCamber();
  }
}

TEST(BeamStaticsTest, ABeamWithoutLoadsAnalysesToZeroActions) {
  TBeamFixture f;
  f.Analyse();
  const TBeam& b = f.beam;
  EXPECT_TRUE(b.Status.IsOK()) << b.Status.ErrorMsg;
  EXPECT_DOUBLE_EQ(b.x_max_des_mom, 4500);  // not at a support: no shear anywhere
  EXPECT_TRUE(b.IsAssessmentOK());
  for (TStateType st : {stStrength, stShort, stLong, stConstrucDefl, stConstrucStress})
    for (int stage : {3, 5, 6, 7}) {
      EXPECT_EQ(b.MaxAbsAction(st, stage, atMoment), 0) << st << "," << stage;
      EXPECT_EQ(b.MaxAbsAction(st, stage, atShear), 0) << st << "," << stage;
    }
  EXPECT_EQ(b.GetPCCAt(4500)->GetDeflection(stConstrucDefl, 3), 0);
  EXPECT_EQ(b.MaxStrengthRatio(), 0);
  EXPECT_EQ(b.SuggestedCamber(), 0);
}

TEST(BeamStaticsTest, AnUnresolvedSectionIsReported) {
  // "<Auto-select>" left in place with no dimensions: the section has no
  // capacity, which the beam reports instead of dividing by it.
  TBeamFixture f;
  f.AddOfficeLoads();
  for (int i = 0; i < 4; ++i) {
    f.beam.SteelSection(i)->Name = kAutoSelect;
    f.beam.SteelSection(i)->BaseSteelSection.Clear();
  }
  f.Analyse();
  // The section's own warning comes first and stays the beam's message.
  EXPECT_EQ(f.beam.Status.ErrorLevel, elWarning);
  EXPECT_EQ(f.beam.Status.ErrorMsg, "Steel section [Base steel beam] has no effective area");
  EXPECT_FALSE(f.beam.IsAssessmentOK());
}
