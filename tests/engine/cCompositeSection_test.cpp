#include "engine/cCompositeSection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <vector>

#include "components/cStandard.h"
#include "engine/composite_test_sections.h"

// Hand values below are worked from the plates of the sections; tolerances of
// 1e-6 allow rounding only, wider ones say what else they allow.
//
// 310UB40.4, fy 320: Fscf1 = Fscf2 = 320 x 165 x 10.2 / 1000 = 538.56 kN,
// dp = 304 - 2 x 10.2 = 283.6, Fscw = 320 x 283.6 x 6.1 / 1000 = 553.5872 kN,
// Fst = 1630.7072 kN, phi_s Fst = 1467.63648 kN. Under a 120 mm slab on a 55 mm
// deck: hc = Dc - hr = 65 mm, dsr = 120 + 304 / 2 = 272 mm (equal flanges).

namespace {

constexpr double kLef = 9000;  // effective span, mm
constexpr double kMid = 4500;  // midspan, mm
constexpr double kFc = 32;     // f'c, MPa

// One yielded part of a steel section: depths below the slab top (mm) and its
// design yield force (kN).
struct TPart {
  double top, bottom, force;
};

// Rigid-plastic moment capacity (kNm) from first principles, independent of the
// section's own bookkeeping: the concrete force C fills the slab above the ribs
// (Fc1 over hc) before the ribs (Fc2 over hr); the steel parts yield in
// compression from the top down until the steel compression (sum - C) / 2
// balances, the rest in tension. Moments about the slab top.
double PlasticMoment(double C, double hc, double Fc1, double hr, double Fc2, const std::vector<TPart>& steel) {
  double M = 0;
  const double c1 = std::min(C, Fc1);
  if (c1 > 0) M -= c1 * (hc * c1 / Fc1) / 2;
  if (C > c1) M -= (C - c1) * (hc + hr * (C - c1) / Fc2 / 2);
  double total = 0;
  for (const TPart& p : steel) total += p.force;
  double Cs = (total - C) / 2;
  for (const TPart& p : steel) {
    if (p.force <= 0) continue;
    const double comp = std::clamp(Cs, 0.0, p.force);
    Cs -= comp;
    const double split = p.top + (p.bottom - p.top) * comp / p.force;  // neutral axis within the part
    M += (p.force - comp) * (split + p.bottom) / 2 - comp * (p.top + split) / 2;
  }
  return M / 1000;
}

// The section's flanges, web and plate as parts, forces times phi.
std::vector<TPart> SteelParts(const TSteelSection& s, double Dc, double phi, bool WithWeb = true) {
  const double top = Dc, Ds = s.Ds(), tf1 = s.tf1(), tf2 = s.tf2();
  return {{top, top + tf1, phi * s.Fscf1},
          {top + tf1, top + Ds - tf2, WithWeb ? phi * s.Fscw : 0},
          {top + Ds - tf2, top + Ds, phi * s.Fscf2},
          {top + Ds, top + Ds + s.tsp(), phi * s.Fsp}};
}

// Mb(beta) of the section by the independent model.
double PlasticMb(const TCompositeSectionAtPCC& cs, double beta) {
  const double hr = cs.SteelDeck->hr;
  return PlasticMoment(beta * cs.Fcc, cs.Dc - hr, cs.Fc_1, hr, cs.Fc_2, SteelParts(*cs.SteelSection, cs.Dc, 0.9));
}

// A stocky welded I-section, 200 deep, flanges 150 x 10, web 10, fy 250, with a
// 250 x 25 plate (fy 250) under it; compact whatever the neutral axis.
// Fscf1 = Fscf2 = 375, Fscw = 250 x 180 x 10 / 1000 = 450, Fsp = 1562.5 kN.
void SetPlatedStockyI(TSteelSection& s) {
  SetCustomI(s, 200, 150, 10, 250, 10, 250, 150, 10, 250);
  s.bp = 250;
  s.tp = 25;
  s.fyp = 250;
  s.CalcEffectiveProperties();
}

}  // namespace

TEST(CompositeSection, IsOKMessages) {
  TCompositeSection cs;
  cs.CompositeSectionLabel = "Notch %s";
  cs.StartPosition = -1;
  cs.bcLeft = 0;
  cs.bcRight = 0.0995;  // within the 0.001 tolerance of 0.1
  EXPECT_FALSE(cs.IsOK());
  ASSERT_EQ(cs.Status.ErrorList().size(), 2u);
  // A "%" in the label comes out as typed.
  EXPECT_EQ(cs.Status.ErrorList()[0].Text, "Error: Invalid location for composite section [Notch %s]");
  EXPECT_EQ(cs.Status.ErrorList()[1].Text, "Error: Invalid side 1 slab width for composite section [Notch %s]");
  cs.StartPosition = 0;
  cs.bcLeft = 1000;
  cs.bcRight = 0.05;
  EXPECT_FALSE(cs.IsOK());
  EXPECT_EQ(cs.Status.ErrorMsg, "Invalid side 2 slab width for composite section [Notch %s]");
  cs.bcRight = 1000;
  EXPECT_TRUE(cs.IsOK());
  EXPECT_TRUE(cs.Status.IsChecked);
}

TEST(CompositeSection, AssignCopiesValuesAndLinks) {
  TCompositeRig rig;
  TCompositeSection cs;
  rig.Link(cs, 900);
  cs.StartPosition = 1500;
  cs.IsEdgeBeamRight = true;
  cs.IsChanged = false;
  cs.SetLinksToLibraryData(&rig.steel, &rig.deck, &rig.concrete);
  EXPECT_TRUE(cs.IsChanged);

  TCompositeSectionAtPCC at;
  at.Assign(&cs);
  EXPECT_EQ(at.CompositeSectionLabel, "Base composite section");
  EXPECT_EQ(at.StartPosition, 1500);
  EXPECT_EQ(at.bcLeft, 900);
  EXPECT_EQ(at.Dc, 120);
  EXPECT_EQ(at.b2, 1200);
  EXPECT_TRUE(at.IsEdgeBeamRight);
  EXPECT_EQ(at.SteelSection, &rig.steel);
  EXPECT_EQ(at.SteelDeck, &rig.deck);
  EXPECT_EQ(at.ConcreteMaterial, &rig.concrete);
}

// b = min(1200, 9000 / 8) = 1125 per side. 2017: beta = 0.55 + 0.025 x 9000 /
// 1125 = 0.75, so 843.75 at a support, 843.75 + 0.5 x 281.25 = 984.375 at Lef/8,
// 1125 from the quarter points inwards. 2003: min(1125, 165/2 + 8 x 120 = 1042.5),
// or 165/2 + 6 x 120 = 802.5 at a free edge, anywhere along the span.
TEST(CompositeSection, EffectiveWidth) {
  TCompositeRig rig;
  TCompositeSectionAtPCC cs;
  rig.Link(cs);
  {
    TStandardVersionScope v(kStandard2017);
    const struct {
      double position, beff;
    } cases[] = {{0, 1687.5},    {1125, 1968.75}, {2250, 2250},  {4500, 2250},
                 {6750, 2250}, {7875, 1968.75}, {9000, 1687.5}};
    for (const auto& c : cases) EXPECT_NEAR(cs.Calcbeff(kLef, c.position), c.beff, 1e-9) << c.position;
    cs.CalcDesignCapacities(kLef, 0, kFc);
    EXPECT_NEAR(cs.bcf_1, 843.75, 1e-9);
    EXPECT_NEAR(cs.bcf_2, 843.75, 1e-9);
    EXPECT_NEAR(cs.bcf, 1687.5, 1e-9);
    // The available width caps a side.
    cs.bcLeft = 900;
    EXPECT_NEAR(cs.Calcbeff(kLef, kMid), 900 + 1125, 1e-9);
    cs.bcLeft = 1200;
    // No nominal width: no effective width on that side.
    cs.b1 = 0;
    EXPECT_NEAR(cs.Calcbeff(kLef, kMid), 1125, 1e-9);
    cs.b1 = 1200;
  }
  {
    // The section answers by the standard it was evaluated under.
    TStandardVersionScope v(kStandard2003);
    EXPECT_NEAR(cs.Calcbeff(kLef, 0), 1687.5, 1e-9);
    cs.CalcDesignCapacities(kLef, 0, kFc);
    for (double position : {0.0, 1125.0, 4500.0, 9000.0}) EXPECT_NEAR(cs.Calcbeff(kLef, position), 2085, 1e-9);
    cs.IsEdgeBeamRight = true;
    EXPECT_NEAR(cs.Calcbeff(kLef, 0), 1042.5 + 802.5, 1e-9);
    cs.IsEdgeBeamLeft = true;
    cs.IsEdgeBeamRight = false;
    EXPECT_NEAR(cs.Calcbeff(kLef, kMid), 802.5 + 1042.5, 1e-9);
  }
}

// 310UB40.4 under 120 mm on the 55 mm deck at midspan, rib concrete ignored.
// 2017 (phi_c 0.8): bcf = 2250, Fc_1 = 0.8 x 0.85 x 32 x 2250 x 65 / 1000 = 3182.4 kN,
// Fc_2 = 0, Fcc = min(3182.4, 1467.63648) = 1467.63648 (the steel governs).
// 2003 (phi_c 0.9; the deck's rib concrete counts, lambda 1): bcf = 2085,
// Fc_1 = 0.9 x 0.85 x 32 x 2085 x 65 / 1000 = 3317.652, Fc_2 = 0.765 x 32 x 55 x
// 2085 / 1000 = 2807.244, Fcc = 1467.63648.
//
// beta 0: T = 1467.63648 > 2 F1 = 969.408: web; the bare plastic moment
//   phi_s fy S, S = 165 x 10.2 x 293.8 + 6.1 x 283.6^2 / 4 = 617119.564 mm3: 177.7304 kNm.
// beta 0.5: C = T = 733.81824 <= 969.408: top flange, ys = 120 + 10.2 x 733.81824 / 969.408;
//   Mb = C (272 - dc/2) + T (272 - (120 + ys)/2) with dc = 65 C / Fc_1.
// beta 1: T = 0, the whole steel in tension: Mb = Fcc (272 - dc/2), dc = 65 Fcc / Fc_1.
TEST(CompositeSection, MomentCapacityByHand) {
  const double phiFst = 1467.63648, C = phiFst / 2;
  const double ys = 120 + 10.2 * C / 969.408;
  const struct {
    int edition;
    double bcf, Fc_1, Fc_2;
  } cases[] = {{kStandard2017, 2250, 3182.4, 0}, {kStandard2003, 2085, 3317.652, 2807.244}};
  for (const auto& c : cases) {
    TStandardVersionScope v(c.edition);
    TCompositeRig rig;
    TCompositeSectionAtPCC cs;
    rig.Link(cs);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    EXPECT_NEAR(rig.steel.Fst, 1630.7072, 1e-9);
    EXPECT_NEAR(cs.dsr, 272, 1e-9);
    EXPECT_NEAR(cs.bcf, c.bcf, 1e-9);
    EXPECT_NEAR(cs.Fc_1, c.Fc_1, 1e-6);
    EXPECT_NEAR(cs.Ac_1, 65 * c.bcf, 1e-6);
    EXPECT_NEAR(cs.Fc_2, c.Fc_2, 1e-6);
    EXPECT_NEAR(cs.Ac_2, c.Fc_2 > 0 ? 55 * c.bcf : 0, 1e-6);
    EXPECT_NEAR(cs.Fcc, phiFst, 1e-9);

    EXPECT_NEAR(cs.Mb(0), 0.9 * 320 * 617119.564 / 1e6, 1e-6);
    EXPECT_NEAR(cs.Mb(0), 177.7304, 1e-4);
    const double Mb05 = (C * (272 - 65 * C / c.Fc_1 / 2) + C * (272 - (120 + ys) / 2)) / 1000;
    const double Mb1 = phiFst * (272 - 65 * phiFst / c.Fc_1 / 2) / 1000;
    EXPECT_NEAR(cs.Mb(0.5), Mb05, 1e-6);
    EXPECT_NEAR(cs.Mb(1), Mb1, 1e-6);
    EXPECT_NEAR(cs.Mb(0.5), c.edition == kStandard2017 ? 302.8067 : 303.0309, 1e-4);
    EXPECT_NEAR(cs.Mb(1), c.edition == kStandard2017 ? 377.2000 : 378.0968, 1e-4);

    // Web ignored: Tf = 0.9 x 1077.12 = 969.408 <= Fc_1, yf = 272, psi = 969.408 / Fcc.
    const double Tf = 969.408;
    EXPECT_NEAR(cs.Mbfc(), Tf * (272 - Tf * 65 / c.Fc_1 / 2) / 1000, 1e-6);
    EXPECT_NEAR(cs.psi, Tf / phiFst, 1e-9);
    // Flanges alone: the couple 0.9 x 538.56 x (304 - 10.2) = 142.406 kNm.
    EXPECT_NEAR(cs.Msf(), 0.9 * 538.56 * 293.8 / 1000, 1e-6);
  }
}

// Narrow slab (bcLeft = bcRight = 200, bcf 400) with the rib concrete counted
// (2017, theta 0: lambda 1): Fc_1 = 0.68 x 32 x 400 x 65 / 1000 = 565.76,
// Fc_2 = 0.68 x 32 x 55 x 400 / 1000 = 478.72, Fcc = 1044.48 (the concrete
// governs). beta 1: the ribs are full (dc = 120), T = 1467.63648 - 1044.48 =
// 423.15648 in the top flange, ys = 120 + 10.2 T / 969.408;
// Mb = 565.76 x (272 - 32.5) + 478.72 x (272 - 92.5) + T (272 - (120 + ys)/2) = 284.808 kNm.
// Ignoring the ribs instead: Fcc = Fc_1 = 565.76 and Mb(1) = 268.306 kNm.
TEST(CompositeSection, ConcreteInTheRibs) {
  TStandardVersionScope v(kStandard2017);
  for (bool ignore : {false, true}) {
    TCompositeRig rig(ignore);
    TCompositeSectionAtPCC cs;
    rig.Link(cs, 200);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    EXPECT_EQ(cs.la_l, ignore ? 0 : 1);
    EXPECT_EQ(cs.la_r, ignore ? 0 : 1);
    EXPECT_NEAR(cs.Fc_1, 565.76, 1e-9);
    EXPECT_NEAR(cs.Fc_2, ignore ? 0 : 478.72, 1e-9);
    EXPECT_NEAR(cs.Fcc, ignore ? 565.76 : 1044.48, 1e-9);
    const double T = 1467.63648 - cs.Fcc;
    const double ys = 120 + 10.2 * T / 969.408;
    const double Ms = T * (272 - (120 + ys) / 2);
    const double dc = 65.0;
    const double Mc = ignore ? 565.76 * (272 - dc / 2) : 565.76 * (272 - 32.5) + 478.72 * (272 - (65 + 120) / 2.0);
    EXPECT_NEAR(cs.Mb(1), (Mc + Ms) / 1000, 1e-6);
    EXPECT_NEAR(cs.Mb(1), ignore ? 268.3056 : 284.8075, 1e-4);
    for (double beta : {0.0, 0.25, 0.5, 0.75}) EXPECT_NEAR(cs.Mb(beta), PlasticMb(cs, beta), 1e-6) << beta;
  }
}

// Every zone of the plastic neutral axis, on the plated stocky section under a
// wide slab (2017, rib concrete ignored): Fc_1 = 3182.4 > phi_s Fst = 0.9 x
// 2762.5 = 2486.25 = Fcc. T = 2486.25 (1 - beta); zone limits 2 F1 = 675,
// 2 (F1 + Fw) = 1485, 2 (F1 + Fw + F2) = 2160 kN.
TEST(CompositeSection, NeutralAxisZones) {
  TStandardVersionScope v(kStandard2017);
  TCompositeRig rig;
  TSteelSection plated;
  SetPlatedStockyI(plated);
  ASSERT_NEAR(plated.Fscf1, 375, 1e-9);
  ASSERT_NEAR(plated.Fscw, 450, 1e-9);
  ASSERT_NEAR(plated.Fscf2, 375, 1e-9);
  ASSERT_NEAR(plated.Fsp, 1562.5, 1e-9);
  TCompositeSectionAtPCC cs;
  rig.Link(cs);
  cs.SetLinksToLibraryData(&plated, &rig.deck, &rig.concrete);
  cs.CalcDesignCapacities(kLef, kMid, kFc);
  ASSERT_NEAR(cs.Fcc, 2486.25, 1e-9);

  const double top_web = (2486.25 - 675) / 2486.25;      // T = 2 F1
  const double web_bottom = (2486.25 - 1485) / 2486.25;  // T = 2 (F1 + Fw)
  const double bottom_plate = (2486.25 - 2160) / 2486.25;
  const struct {
    const char* zone;
    double beta;
  } cases[] = {
      {"top flange, T = 0", 1},
      {"just in the top flange", top_web + 1e-4},
      {"just in the web", top_web - 1e-4},
      {"web", 0.55},
      {"just in the bottom flange", web_bottom - 1e-4},
      {"bottom flange", 0.25},
      {"just in the plate", bottom_plate - 1e-4},
      {"plate", 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(cs.Mb(c.beta), PlasticMb(cs, c.beta), 1e-6) << c.zone;
  // The capacity is continuous across each zone limit.
  for (double limit : {top_web, web_bottom, bottom_plate})
    EXPECT_NEAR(cs.Mb(limit - 1e-9), cs.Mb(limit + 1e-9), 1e-4) << limit;
  // beta 0 by hand: steel compression 1243.125 = 337.5 + 405 + 337.5 + 163.125 of
  // the plate (2.9 mm of 25); about that axis, 202.9 mm below the steel top:
  // 337.5 x 197.9 + 405 x 102.9 + 337.5 x 7.9 + 163.125 x 1.45 + 1243.125 x 11.05 = 125105.1 kNmm.
  EXPECT_NEAR(cs.Mb(0), 125.1051, 1e-4);
  // Mb increases with beta.
  for (double beta = 0; beta < 1; beta += 0.05) EXPECT_LT(cs.Mb(beta), cs.Mb(beta + 0.05)) << beta;
}

// A plated section whose compression reaches the plate while the concrete is in
// the ribs: bcf 100, lambda 1: Fc_1 = 141.44, Fc_2 = 119.68, Fcc = 261.12;
// T = 2486.25 - 261.12 = 2225.13 > 2160.
TEST(CompositeSection, PlateZoneWithConcreteInRibs) {
  TStandardVersionScope v(kStandard2017);
  TCompositeRig rig(false);
  TSteelSection plated;
  SetPlatedStockyI(plated);
  TCompositeSectionAtPCC cs;
  rig.Link(cs, 50);
  cs.SetLinksToLibraryData(&plated, &rig.deck, &rig.concrete);
  cs.CalcDesignCapacities(kLef, kMid, kFc);
  EXPECT_NEAR(cs.Fcc, 261.12, 1e-9);
  EXPECT_NEAR(cs.Mb(1), PlasticMb(cs, 1), 1e-6);
  EXPECT_NEAR(cs.Mb(0.5), PlasticMb(cs, 0.5), 1e-6);
}

// Fcc governed by the steel: at beta 1 the concrete takes phi_s Fst, T = 0 and
// the whole steel is in tension, so Mb(1) = phi_s Fst (dsr - dc/2).
TEST(CompositeSection, FccGovernedBySteel) {
  TStandardVersionScope v(kStandard2017);
  TCompositeRig rig;
  TCompositeSectionAtPCC cs;
  rig.Link(cs);
  cs.CalcDesignCapacities(kLef, kMid, kFc);
  ASSERT_LT(0.9 * rig.steel.Fst, cs.Fc_1 + cs.Fc_2);
  const double dc = 65 * cs.Fcc / cs.Fc_1;
  EXPECT_NEAR(cs.Mb(1), cs.Fcc * (cs.dsr - dc / 2) / 1000, 1e-9);
}

// A concrete force a rounding error above Fc_1 still takes the slab depth,
// even with no rib concrete to divide by: the capacity stays continuous.
TEST(CompositeSection, ConcreteForceJustAboveFc1) {
  TStandardVersionScope v(kStandard2017);
  for (bool ignore : {true, false}) {
    TCompositeRig rig(ignore);
    TCompositeSectionAtPCC cs;
    rig.Link(cs, 200);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    const double at_Fc1 = cs.Fc_1 / cs.Fcc;
    const double above = (cs.Fc_1 + 0.000005) / cs.Fcc;  // within the 0.00001 kN guard
    EXPECT_TRUE(std::isfinite(cs.Mb(above)));
    EXPECT_NEAR(cs.Mb(above), cs.Mb(at_Fc1), 1e-6);
    EXPECT_NEAR(cs.Mb(at_Fc1), PlasticMb(cs, at_Fc1), 1e-6);
  }
}

// Web ignored, on the plated stocky section with rib concrete (2017, lambda 1):
// Tf = 0.9 (375 + 375 + 1562.5) = 2081.25; F1 = F2 = 337.5.
TEST(CompositeSection, MbfcBranches) {
  TStandardVersionScope v(kStandard2017);
  const struct {
    const char* branch;
    double bc;
  } cases[] = {
      {"Tf <= Fc_1 (3182.4)", 1200},
      {"Tf in the ribs (Fc_1 1414.4, Fc_2 1196.8)", 500},
      {"R = 514.53 <= 2 F1", 300},
      {"R = 1036.77 <= 2 F1 + 2 F2", 200},
      {"R = 1820.13 in the plate", 50},
  };
  for (const auto& c : cases) {
    TCompositeRig rig(false);
    TSteelSection plated;
    SetPlatedStockyI(plated);
    TCompositeSectionAtPCC cs;
    rig.Link(cs, c.bc);
    cs.SetLinksToLibraryData(&plated, &rig.deck, &rig.concrete);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    const double Cf = std::min(2081.25, cs.Fc_1 + cs.Fc_2);
    const double M =
        PlasticMoment(Cf, 65, cs.Fc_1, 55, cs.Fc_2, SteelParts(plated, cs.Dc, 0.9, /*WithWeb=*/false));
    EXPECT_NEAR(cs.psi, Cf / cs.Fcc, 1e-12) << c.branch;  // set with the capacities
    const double psi = cs.psi;
    EXPECT_NEAR(cs.Mbfc(), M, 1e-6) << c.branch;
    EXPECT_EQ(cs.psi, psi) << "evaluating Mbfc changes nothing";
  }
}

// Flanges and plate alone, unfactored, times phi_s.
TEST(CompositeSection, MsfBranches) {
  TStandardVersionScope v(kStandard2017);
  TCompositeRig rig;
  // Bottom flange three times the top (2 Fscf1 < F <= 2 Fscf1 + 2 Fscf2): the
  // axis 10.2 mm into the 30.6 mm bottom flange; about it 538.56 x 278.5 +
  // 538.56 x 5.1 + 1077.12 x 10.2 = 163722.24 kNmm, x 0.9.
  TSteelSection heavy;
  SetCustomI(heavy, 304, 165, 10.2, 320, 6.1, 320, 165, 30.6, 320);
  heavy.WillSetTopFlangeCompact = true;
  heavy.CalcEffectiveProperties();
  TSteelSection plated;
  SetPlatedStockyI(plated);
  const struct {
    const char* branch;
    TSteelSection* steel;
    double expected;  // kNm; 0: by the plastic model
  } cases[] = {
      {"top flange: equal flanges", &rig.steel, 0.9 * 538.56 * 293.8 / 1000},
      {"bottom flange", &heavy, 0.9 * 163.72224},
      {"plate", &plated, 0},
  };
  for (const auto& c : cases) {
    TCompositeSectionAtPCC cs;
    rig.Link(cs);
    cs.SetLinksToLibraryData(c.steel, &rig.deck, &rig.concrete);
    const double model = 0.9 * PlasticMoment(0, 65, 0, 55, 0, SteelParts(*c.steel, 120, 1, false));
    EXPECT_NEAR(cs.Msf(), model, 1e-6) << c.branch;
    if (c.expected > 0) {
      EXPECT_NEAR(cs.Msf(), c.expected, 1e-6) << c.branch;
    }
  }
}

// Solid slab 120 mm, n = 200000 / 30000 = 6.667, As = 5095.96, Is = 84.261e6,
// F = 152 + 120 = 272 mm.
// bcf 2250: bcf d^2 / (2n) = As (F - d): 168.75 d^2 + 5095.96 d - 1386101 = 0,
//   d = 76.781 <= 120; I = bcf d^3 / (3n) + Is + As (F - d)^2 = 329.393e6 mm4.
// bcf 200: the same equation gives d = 178.4 > 120, so the whole slab is in
//   compression: d = (As F + bcf Dc^2 / 2n) / (As + bcf Dc / n) = 1602101 / 8695.96
//   = 184.235; I = As (F - d)^2 + Is + bcf Dc^3 / 12n + bcf Dc / n (d - Dc/2)^2 = 183.397e6.
// Long term n = 20: 118.085 / 266.730e6 and 231.593 / 129.354e6.
TEST(CompositeSection, TransformedSolidSlab) {
  TStandardVersionScope v(kStandard2017);
  const struct {
    double bc, kDbi, Iti, kDbl, Itl;
  } cases[] = {
      {1200, 76.78076, 329.39341e6, 118.08451, 266.73041e6},
      {100, 184.23511, 183.39729e6, 231.59314, 129.35435e6},
  };
  for (const auto& c : cases) {
    TCompositeRig rig;
    SetSolidSlab(rig.deck);
    TCompositeSectionAtPCC cs;
    rig.Link(cs, c.bc);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    cs.CalcServiceabilityProperties(30000);
    // Hand values to 5 decimals (depths) and 1 mm4 in 1e8.
    EXPECT_NEAR(cs.kDbi, c.kDbi, 1e-5) << c.bc;
    EXPECT_NEAR(cs.Iti, c.Iti, 10) << c.bc;
    EXPECT_NEAR(cs.kDbl, c.kDbl, 1e-5) << c.bc;
    EXPECT_NEAR(cs.Itl, c.Itl, 10) << c.bc;
    EXPECT_NEAR(cs.Zt, cs.Iti / (cs.kDbi - 120), 1e-6) << c.bc;
    EXPECT_NEAR(cs.Zb, cs.Iti / (cs.kDbi - 424), 1e-6) << c.bc;
    EXPECT_LT(cs.Zb, 0);
  }
}

// On the deck, bcf 2250, n 6.667: the slab above the ribs alone would put the
// axis at 76.78 > hc = 65.
// Rib concrete on one side only (lambda = (1 x 1125 + 0 x 1125) / 2250 = 0.5):
//   337.5 x 65 (d - 32.5) + 0.5 x 168.75 (d - 65)^2 = As (272 - d) gives d = 77.184;
//   I = 0.5 bcf (d - 65)^3 / 3n + Is + As (F - d)^2 + bcf 65^3 / 12n + 337.5 x 65 (d - 32.5)^2 = 329.297e6.
// No rib concrete (lambda 0): d = (As F + 168.75 x 65^2) / (As + 337.5 x 65) = 77.647,
//   I = As (F - d)^2 + Is + bcf 65^3 / 12n + 337.5 x 65 (d - 32.5)^2 = 329.189e6.
TEST(CompositeSection, TransformedDeckSlab) {
  TStandardVersionScope v(kStandard2017);
  const struct {
    bool ignore;
    double kDbi, Iti;
  } cases[] = {{false, 77.18379, 329.29672e6}, {true, 77.64710, 329.18918e6}};
  for (const auto& c : cases) {
    TCompositeRig rig(c.ignore);
    TCompositeSectionAtPCC cs;
    rig.Link(cs);
    cs.thetaRight = 90;  // ribs parallel to the beam on side 2: no rib concrete there
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    EXPECT_EQ(cs.la_l, c.ignore ? 0 : 1);
    EXPECT_EQ(cs.la_r, 0);
    cs.CalcServiceabilityProperties(30000);
    EXPECT_NEAR(cs.kDbi, c.kDbi, 1e-5);
    EXPECT_NEAR(cs.Iti, c.Iti, 10);
  }
}

// Shrinkage moment: Ec = 30100 (2017 table), 600 microstrain.
// Rib concrete ignored: kDbi = 77.525 (whole slab above the ribs, as above with n =
//   6.645); Msh = (77.525 - 32.5) x 30100 x 600e-6 x 146250 / 1e6 = 118.924 kNm.
// Rib concrete counted (lambda 1): kDbi = 76.674; Msh = [(76.674 - 92.5) x 123750 +
//   (76.674 - 32.5) x 146250] x 30100 x 600e-6 / 1e6 = 81.306 kNm.
TEST(CompositeSection, ShrinkageMoment) {
  TStandardVersionScope v(kStandard2017);
  const struct {
    bool ignore;
    double kDbi, Msh;
  } cases[] = {{true, 77.52531, 118.92423}, {false, 76.67406, 81.30605}};
  for (const auto& c : cases) {
    TCompositeRig rig(c.ignore);
    TCompositeSectionAtPCC cs;
    rig.Link(cs);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    ASSERT_EQ(rig.concrete.Ec(), 30100);
    cs.CalcServiceabilityProperties(rig.concrete.Ec());
    EXPECT_NEAR(cs.kDbi, c.kDbi, 1e-5);
    EXPECT_NEAR(cs.Msh(), c.Msh, 1e-5);
  }
}

// lambdasd = 120 / (304 + 120) = 0.28302. Dslab = Dc except on open trapezoidal
// decks (type 1), Dc - hr = 65. Vslab (2017) = (Dslab x 165)^0.7 (13 + 110 x
// 0.28302) sqrt(32) / 1000 = 254.094 kN (165.427 with Dslab 65); 0 in 2003.
TEST(CompositeSection, SlabShear) {
  TCompositeRig rig;
  TCompositeSectionAtPCC cs;
  rig.Link(cs);
  EXPECT_NEAR(cs.lambdasd(), 120.0 / 424, 1e-12);
  const struct {
    int type;
    double Dslab, Vslab;
  } cases[] = {{0, 120, 254.09433}, {1, 65, 165.42740}, {2, 120, 254.09433}, {3, 120, 254.09433}};
  for (const auto& c : cases) {
    rig.deck.DeckType = c.type;
    EXPECT_EQ(cs.Dslab(), c.Dslab) << c.type;
    TStandardVersionScope v(kStandard2017);
    EXPECT_NEAR(cs.Vslab(), c.Vslab, 1e-5) << c.type;
    TStandardVersionScope old(kStandard2003);
    EXPECT_EQ(cs.Vslab(), 0) << c.type;
  }
  // A plate deepens the section: 120 / (304 + 20 + 120).
  rig.steel.bp = 200;
  rig.steel.tp = 20;
  rig.steel.fyp = 300;
  EXPECT_NEAR(cs.lambdasd(), 120.0 / 444, 1e-12);
}

// A slab no deeper than its ribs has no concrete above them (Fc_1 = 0): the
// results stay finite. With the rib concrete ignored there is no concrete at
// all, and the composite section is the steel section alone.
TEST(CompositeSection, SlabNoDeeperThanRibs) {
  TStandardVersionScope v(kStandard2017);
  {
    TCompositeRig rig(true);
    TCompositeSectionAtPCC cs;
    rig.Link(cs, 1200, 55);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    EXPECT_EQ(cs.Fc_1, 0);
    EXPECT_EQ(cs.Fcc, 0);
    for (double beta : {0.0, 0.5, 1.0}) EXPECT_NEAR(cs.Mb(beta), 177.7304, 1e-4) << beta;
    EXPECT_NEAR(cs.Mbfc(), 0.9 * 538.56 * 293.8 / 1000, 1e-6);  // the flanges' couple
    EXPECT_EQ(cs.psi, 0);
    cs.CalcServiceabilityProperties(30000);
    EXPECT_NEAR(cs.kDbi, 55 + 152, 1e-9);
    EXPECT_NEAR(cs.Iti, rig.steel.ISteel, 1e-3);
    EXPECT_NEAR(cs.Zt, rig.steel.Zst, 1e-3);
    EXPECT_NEAR(cs.Zb, rig.steel.Zsb, 1e-3);
    EXPECT_EQ(cs.Msh(), 0);
  }
  {
    // Rib concrete counted: Fc_2 = 0.68 x 32 x 55 x 2250 / 1000 = 2692.8, Fcc = 1467.63648,
    // dsr = 55 + 152; beta 1: dc = 55 Fcc / Fc_2, Mb = Fcc (207 - dc/2) = 281.80 kNm.
    TCompositeRig rig(false);
    TCompositeSectionAtPCC cs;
    rig.Link(cs, 1200, 55);
    cs.CalcDesignCapacities(kLef, kMid, kFc);
    EXPECT_EQ(cs.Fc_1, 0);
    EXPECT_NEAR(cs.Fc_2, 2692.8, 1e-9);
    const double dc = 55 * 1467.63648 / 2692.8;
    EXPECT_NEAR(cs.Mb(1), 1467.63648 * (207 - dc / 2) / 1000, 1e-6);
    for (double beta : {0.0, 0.3, 0.7}) {
      EXPECT_TRUE(std::isfinite(cs.Mb(beta))) << beta;
      EXPECT_NEAR(cs.Mb(beta), PlasticMb(cs, beta), 1e-6) << beta;
    }
    EXPECT_TRUE(std::isfinite(cs.Mbfc()));
    EXPECT_TRUE(std::isfinite(cs.Msf()));
    cs.CalcServiceabilityProperties(30000);
    for (double value : {cs.kDbi, cs.Iti, cs.Zt, cs.Zb, cs.kDbl, cs.Itl, cs.Msh()})
      EXPECT_TRUE(std::isfinite(value));
  }
}

TEST(CompositeSection, MissingDataThrows) {
  auto message = [](auto&& call) -> std::string {
    try {
      call();
    } catch (const std::runtime_error& e) {
      return e.what();
    }
    return "no exception";
  };
  TCompositeRig rig;
  TCompositeSectionAtPCC cs;
  rig.Link(cs);

  // A steel section without yield stress has no axial capacity.
  TSteelSection empty;
  Set310UB404(empty);
  empty.BaseSteelSection.fyf = empty.BaseSteelSection.fyw = 0;
  empty.CalcEffectiveProperties();
  ASSERT_EQ(empty.Fst, 0);
  cs.SteelSection = &empty;
  EXPECT_EQ(message([&] { cs.CalcDesignCapacities(kLef, kMid, kFc); }),
            "Steel section [Base steel beam] has no axial capacity");

  cs.SteelSection = nullptr;
  const std::string no_steel = "No steel section [Base steel beam] for composite section [Base composite section]";
  EXPECT_EQ(message([&] { cs.CalcDesignCapacities(kLef, kMid, kFc); }), no_steel);
  EXPECT_EQ(message([&] { cs.Mb(0.5); }), no_steel);

  cs.SteelSection = &rig.steel;
  cs.SteelDeck = nullptr;
  EXPECT_EQ(message([&] { cs.CalcDesignCapacities(kLef, kMid, kFc); }),
            "No steel deck for composite section [Base composite section]");

  cs.SteelDeck = &rig.deck;
  cs.CalcDesignCapacities(kLef, kMid, kFc);
  EXPECT_EQ(message([&] { cs.CalcServiceabilityProperties(0); }),
            "Concrete elastic modulus must be greater than zero");
  cs.b1 = cs.b2 = 0;
  cs.CalcDesignCapacities(kLef, kMid, kFc);
  EXPECT_EQ(message([&] { cs.CalcServiceabilityProperties(30000); }),
            "Composite section [Base composite section] has no effective slab width");
}
