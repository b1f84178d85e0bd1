#include "engine/cCompositeFormulas.h"

#include <gtest/gtest.h>

#include <cmath>

// Most cases use one section: a doubly symmetric I, 320 deep, flanges 200 x
// 10 (500 kN each at 250 MPa), web 300 x 5 (Aw 1500 mm2, 375 kN), under a
// 120 mm slab on 55 mm ribs (hc = 65 above them); with phi_s 0.9 the design
// yield forces are F1 = F2 = 450 and Fw = 337.5 kN. Its steel yield force
// acts at mid-depth, dsr = 120 + 160 = 280.

namespace {

constexpr double kDc = 120, kHr = 55, kHc = 65;
constexpr double kTf = 10, kDp = 300, kDs = 320;
constexpr double kF1 = 450, kFw = 337.5, kF2 = 450;

}  // namespace

TEST(CompositeFormulas, ForcesAtFullShearConnection) {
  // (10 x 500/2 + 250 x 1500 x 160/1000 + 315 x 500) / 1375 + 120 = 220000 / 1375 + 120.
  EXPECT_NEAR(as2327::dsr(500, 250, 1500, 500, 0, 1375, kTf, kDp, kTf, 0, kDs, kDc), 280, 1e-12);
  EXPECT_EQ(as2327::b_within_span(1500, 9000), 1125);  // Lef / 8
  EXPECT_EQ(as2327::b_within_span(1000, 9000), 1000);
  // 0.8 x 0.85 x 32 x 2250 x 65 / 1000.
  EXPECT_NEAR(as2327::Fc_1(0.8, 32, 2250, kDc, kHr), 3182.4, 1e-9);
  EXPECT_NEAR(as2327::Ac_1(2250, kDc, kHr), 146250, 1e-9);
  // 32 x 0.9 x 0.85 x 55 / 1000 x 2085 = 1.3464 x 2085.
  EXPECT_NEAR(as2327::Fc_2(32, 0.9, kHr, 1, 1042.5, 1, 1042.5), 2807.244, 1e-9);
  EXPECT_NEAR(as2327::Fc_2(32, 0.9, kHr, 0, 1042.5, 0, 1042.5), 0, 1e-12);  // no rib concrete counts
  EXPECT_NEAR(as2327::Ac_2(1, 1042.5, 0.5, 1000, kHr), 1542.5 * 55, 1e-9);
  // The steel governs: 0.9 x 1630.7072.
  EXPECT_NEAR(as2327::Fcc(3182.4, 0, 0.9, 1630.7072), 1467.63648, 1e-9);
  EXPECT_NEAR(as2327::Fcc(1000, 200, 0.9, 1630.7072), 1200, 1e-12);
}

// The depth of the concrete stress block: within the 65 mm above the ribs
// while C is within Fc1 = 2000, into the ribs (Fc2 = 500) beyond.
TEST(CompositeFormulas, ConcreteStressBlock) {
  EXPECT_NEAR(as2327::dc(1000, 2000, 500, kHc, kHr), 32.5, 1e-12);         // 65 x 1000 / 2000
  EXPECT_NEAR(as2327::dc(2250, 2000, 500, kHc, kHr), 92.5, 1e-12);         // 65 + 250 x 55 / 500
  EXPECT_NEAR(as2327::dc(2000.000005, 2000, 500, kHc, kHr), 65, 1e-6);     // within 0.00001 of Fc1
  EXPECT_NEAR(as2327::dc(2250, 2000, 0, kHc, kHr), 120, 1e-12);            // no rib concrete: all of it
  EXPECT_EQ(as2327::dc(0, 0, 0, kHc, kHr), 0);
  // Its moment about dsr = 280: within the slab C (dsr - dc/2); beyond it
  // Fc1 at hc/2 and the rest at the middle of the rib part.
  EXPECT_NEAR(as2327::Mc(1000, 2000, 280, 32.5, kHc), 263750, 1e-9);                      // 1000 x 263.75
  EXPECT_NEAR(as2327::Mc(2250, 2000, 280, 92.5, kHc), 2000 * 247.5 + 250 * 201.25, 1e-9);  // 545312.5
}

// The steel's plastic neutral axis for T, twice its compression force.
TEST(CompositeFormulas, SteelNeutralAxisByZone) {
  const struct {
    double T, Fp, tsp;
    as2327::TSteelAxisZone zone;
    double ys;
  } cases[] = {
      {450, 0, 0, as2327::zTopFlange, 125},        // 120 + 10 x 450 / 900
      {1237.5, 0, 0, as2327::zWeb, 280},           // 130 + 337.5 x 300 / 675: mid-depth
      {2025, 0, 0, as2327::zBottomFlange, 435},    // 430 + 450 x 10 / 900
      {2575, 300, 20, as2327::zPlate, 440 + 100 * 20 / 600.0},  // plate 300 kN: 100 kN into it
  };
  for (const auto& c : cases) {
    const as2327::TSteelAxis axis = as2327::ys(c.T, kF1, kFw, kF2, c.Fp, kDc, kTf, kDp, kDs, kTf, c.tsp);
    EXPECT_EQ(axis.zone, c.zone) << c.T;
    EXPECT_NEAR(axis.ys, c.ys, 1e-12) << c.T;
  }
}

// The steel's moment about dsr. The wholly compressed parts count twice
// their force; with dsr at mid-depth (280) the top flange gives
// 900 x 155 = 139500, the web nothing, the bottom flange -139500.
TEST(CompositeFormulas, SteelMoment) {
  EXPECT_NEAR(as2327::M_top_flange(kF1, 280, kDc, kTf), 139500, 1e-9);
  EXPECT_NEAR(as2327::M_web(kFw, 280, kDc, kTf, kDs, kTf), 0, 1e-9);
  EXPECT_NEAR(as2327::M_web(kFw, 300, kDc, kTf, kDs, kTf), 675 * 20, 1e-9);
  EXPECT_NEAR(as2327::M_bottom_flange(kF2, 280, kDc, kDs, kTf), -139500, 1e-9);
  const as2327::TCompressedParts parts{139500, 0, -139500};
  auto Ms = [&](double T, double Fp, double tsp) {
    return as2327::Ms(as2327::ys(T, kF1, kFw, kF2, Fp, kDc, kTf, kDp, kDs, kTf, tsp), T, kF1, kFw, kF2, parts, 280,
                      kDc, kTf, kDs, kTf);
  };
  EXPECT_NEAR(Ms(450, 0, 0), 450 * (280 - 122.5), 1e-9);                  // top flange, to ys 125
  // Without the slab's force the whole section yields about mid-depth: the
  // plastic moment 0.9 x 250 x S, S = 2 (2000 x 155 + 750 x 75) = 732500 mm3.
  EXPECT_NEAR(Ms(1237.5, 0, 0), 0.9 * 250 * 732500 / 1000, 1e-9);         // 164812.5
  EXPECT_NEAR(Ms(2025, 0, 0), 139500 + 450 * (280 - 432.5), 1e-9);        // bottom flange
  EXPECT_NEAR(Ms(2575, 300, 20), 100 * (280 - (440 + 440 + 100 * 20 / 600.0) / 2), 1e-9);  // plate
}

// With the web ignored: the flanges (F1 = F2 = 450) act at yf = 280.
TEST(CompositeFormulas, CapacityWithTheWebIgnored) {
  EXPECT_NEAR(as2327::yf(500, 500, 0, kTf, kDp, kTf, 0, kDs, kDc), 280, 1e-12);
  EXPECT_NEAR(as2327::yf(0, 0, 0, kTf, kDp, kTf, 0, kDs, kDc), kDc, 1e-12);  // nothing: at the steel top
  const struct {
    const char* where;
    double Fscf1, Fscf2, Fc_1, Fc_2, yf, Mbfc, Cf;
  } cases[] = {
      // 900 kN within Fc1 = 2000: 900 (280 - 65 x 900/2000/2) = 900 x 265.375.
      {"slab above the ribs", 500, 500, 2000, 500, 280, 238.8375, 900},
      // Fc1 600 and 300 kN in the ribs (dc = 65 + 55 x 300/600 = 92.5):
      // 600 (280 - 32.5) + 300 (280 - 78.75).
      {"into the ribs", 500, 500, 600, 600, 280, 208.875, 900},
      // All 500 kN of the slab: Mc = 300 x 247.5 + 200 x 187.5 = 111750; the
      // other 400 kN from the top flange to ys = 120 + 10 x 400/900.
      {"and the top flange", 500, 500, 300, 200, 280, (111750 + 400 * (280 - (240 + 40 / 9.0) / 2)) / 1000, 500},
      // Unequal flanges (F1 180, F2 720, yf = 373): 100 kN of slab leaves
      // 800, the top flange's 360 wholly and 440 from the bottom flange, ys
      // = 430 + 10 x 440/1440.
      {"and the bottom flange", 200, 800, 100, 0, 373,
       (100 * (373 - 32.5) + 360 * (373 - 125) + 440 * (373 - (430 + 430 + 4400 / 1440.0) / 2)) / 1000, 100},
  };
  for (const auto& c : cases) {
    const as2327::TMbfc m = as2327::Mbfc(0.9, c.Fscf1, c.Fscf2, 0, c.Fc_1, c.Fc_2, c.yf, kDc, kHr, kTf, kDs, kTf, 0);
    EXPECT_NEAR(m.Mbfc, c.Mbfc, 1e-9) << c.where;
    EXPECT_NEAR(m.Cf, c.Cf, 1e-12) << c.where;
  }
  EXPECT_NEAR(as2327::yf(200, 800, 0, kTf, kDp, kTf, 0, kDs, kDc), 373, 1e-12);  // (1000 + 252000)/1000 + 120
  EXPECT_NEAR(as2327::psi(900, 1467.63648), 900 / 1467.63648, 1e-12);
  EXPECT_EQ(as2327::psi(900, 0), 0);
}

// The flanges and plate alone, unfactored forces, phi_s at the end.
TEST(CompositeFormulas, CapacityOfTheFlanges) {
  // Equal flanges: half the force in each, about mid-depth: 1000 x (280 - 125) x 0.9.
  EXPECT_NEAR(as2327::Msf(0.9, 500, 500, 0, 280, kDc, kTf, kDs, kTf, 0), 139.5, 1e-9);
  // 200 / 800 (yf 373): the top flange's 400 and 600 from the bottom flange (ys 430 + 10 x 600/1600).
  EXPECT_NEAR(as2327::Msf(0.9, 200, 800, 0, 373, kDc, kTf, kDs, kTf, 0),
              0.9 * (400 * 248 + 600 * (373 - (430 + 433.75) / 2)) / 1000, 1e-9);
  // 200 / 200 and a plate of 600 (20 thick, yf = 382): 400 + 400 from the
  // flanges, the other 200 from the plate, to ys = 440 + 20 x 200/1200.
  EXPECT_NEAR(as2327::yf(200, 200, 600, kTf, kDp, kTf, 20, kDs, kDc), 382, 1e-12);
  EXPECT_NEAR(as2327::Msf(0.9, 200, 200, 600, 382, kDc, kTf, kDs, kTf, 20),
              0.9 * (400 * (382 - 125) + 400 * (382 - 435) + 200 * (382 - (440 + 440 + 4000 / 1200.0) / 2)) / 1000,
              1e-9);
}

// The cracked transformed section: the neutral axis balances the first
// moments of the compressed concrete (over n) and of the steel.
TEST(CompositeFormulas, TransformedSection) {
  EXPECT_EQ(as2327::n_modular(200000, 25000, 1), 8);
  EXPECT_EQ(as2327::n_modular(200000, 25000, as2327::kCreepFactorLongTerm), 24);
  // bcf 2000, As 5000 at F = 250: H = 8 x 2 x 5000 / (2000 x 250) = 0.16.
  const double n = 8, bcf = 2000, As = 5000, F = 250, Is = 1e8;
  const double H = as2327::H_transformed(n, As, bcf, F);
  EXPECT_NEAR(H, 0.16, 1e-15);
  // Above the ribs: 2000 d^2 / 16 = 5000 (250 - d): d^2 + 40 d - 10000 = 0, d = -20 + sqrt(10400).
  const double d = as2327::kDb_above_ribs(F, H);
  EXPECT_NEAR(d, -20 + std::sqrt(10400.0), 1e-9);
  EXPECT_NEAR(as2327::It_above_ribs(bcf, d, n, Is, As, F), bcf * d * d * d / 24 + Is + As * (F - d) * (F - d), 1e-3);

  // Into the ribs (lambda 0.5 counts): As 8000 at F = 300; the concrete
  // above the ribs, hc = 65, and lambda of the width below.
  const double lambda = 0.5, As2 = 8000, F2 = 300;
  const double H2 = as2327::H_transformed(n, As2, bcf, F2);
  const double d2 = as2327::kDb_in_ribs(F2, H2, lambda, kHc);
  EXPECT_GT(d2, kHc);
  EXPECT_LT(d2, kDc);
  const double balance = bcf * kHc / n * (d2 - kHc / 2) + lambda * bcf * (d2 - kHc) * (d2 - kHc) / (2 * n);
  EXPECT_NEAR(balance, As2 * (F2 - d2), 1e-6);
  const double I2 = lambda * bcf * std::pow(d2 - kHc, 3) / (3 * n) + Is + As2 * (F2 - d2) * (F2 - d2) +
                    bcf * std::pow(kHc, 3) / (12 * n) + bcf * kHc / n * (d2 - kHc / 2) * (d2 - kHc / 2);
  EXPECT_NEAR(as2327::It_in_ribs(lambda, bcf, d2, kDc, kHr, n, Is, As2, F2), I2, 1e-3);

  // All the concrete in compression (As 40000 at 350 under 1000 mm of slab):
  // the first moments balance, d (As + bcf hc/n + lambda bcf hr/n) = As F + ...
  const double As3 = 40000, F3 = 350, bcf3 = 1000;
  const double d3 = as2327::kDb_whole_slab(As3, F3, bcf3, n, kDc, kHr, lambda);
  EXPECT_GT(d3, kDc);
  const double slab = bcf3 * kHc / n * (d3 - kHc / 2) + lambda * bcf3 * kHr / n * (d3 - kHc - kHr / 2);
  EXPECT_NEAR(slab, As3 * (F3 - d3), 1e-6);
  const double I3 = As3 * (F3 - d3) * (F3 - d3) + Is + bcf3 * std::pow(kHc, 3) / (12 * n) +
                    bcf3 * kHc / n * std::pow(d3 - kHc / 2, 2) + lambda * bcf3 * std::pow(kHr, 3) / (12 * n) +
                    lambda * bcf3 * kHr / n * std::pow(d3 - kHc - kHr / 2, 2);
  EXPECT_NEAR(as2327::It_whole_slab(As3, F3, d3, Is, bcf3, n, kDc, kHr, lambda), I3, 1e-3);

  // The moduli at the steel's top (positive) and bottom (negative).
  EXPECT_NEAR(as2327::Zt(1e8, 150, kDc), 1e8 / 30, 1e-6);
  EXPECT_NEAR(as2327::Zb(1e8, 150, kDc, kDs, 0), 1e8 / -290, 1e-6);
  EXPECT_NEAR(as2327::Zb(1e8, 150, kDc, kDs, 20), 1e8 / -310, 1e-6);
  EXPECT_EQ(as2327::Zt(1e8, kDc, kDc), 0);  // the axis at the steel's top
}

// Msh: each part's free shrinkage force Ec eps A at its lever arm to kDbi.
TEST(CompositeFormulas, ShrinkageMoment) {
  // kDbi 150: the ribs' concrete (55000 mm2) at 150 - 120 + 27.5 = 57.5, the
  // slab's (146250) at 150 - 32.5 = 117.5; Ec eps = 25000 x 300 microstrain.
  // (57.5 x 55000 + 117.5 x 146250) x 7.5e6 / 1e12 = 23.71875 + 128.8828125.
  EXPECT_NEAR(as2327::Msh(150, kDc, kHr, 25000, 300, 146250, 55000), 152.6015625, 1e-9);
  EXPECT_EQ(as2327::Msh(150, kDc, kHr, 25000, 0, 146250, 55000), 0);
}

TEST(CompositeFormulas, VerticalShear) {
  EXPECT_NEAR(as2327::lambdasd(120, 304), 120.0 / 424, 1e-15);
  EXPECT_EQ(as2327::lambdasd(0, 0), 0);
  const struct {
    int deck_type;
    double Dslab;
  } decks[] = {{0, 120}, {1, 65}, {2, 120}, {3, 120}};
  for (const auto& c : decks) EXPECT_EQ(as2327::Dslab(kDc, kHr, c.deck_type), c.Dslab) << c.deck_type;
  // k = 2.2 - 1.6 M*/Ms within 0.6 to 1.0, on phi_vs Vv = 0.9 x 356.0448.
  const struct {
    double Mstar, k;
  } moments[] = {{0, 1.0}, {50, 1.0}, {80, 0.92}, {100, 0.6}, {-100, 1.0}};
  for (const auto& c : moments)
    EXPECT_NEAR(as2327::phiVvm(0.9, 356.0448, c.Mstar, 100), 0.9 * 356.0448 * c.k, 1e-9) << c.Mstar;
  EXPECT_NEAR(as2327::phiVvm(0.9, 356.0448, 0, 0), 0.9 * 356.0448 * 0.6, 1e-9);  // no bending capacity
}

// Stiffness under partial shear connection, and curvature.
TEST(CompositeFormulas, StiffnessAndCurvature) {
  // k = 0.6 x 0.5 = 0.3: (2e8 + 0.3 (1e8 - 2e8)) / 2e8 = 0.85.
  EXPECT_NEAR(as2327::I_factor(2e8, 1e8, 0.5), 0.85, 1e-15);
  EXPECT_EQ(as2327::I_factor(2e8, 1e8, 1), 1);
  EXPECT_NEAR(as2327::I_factor(2e8, 1e8, 0), 0.7, 1e-15);
  EXPECT_EQ(as2327::I_factor(0, 1e8, 0.5), 0);
  EXPECT_EQ(as2327::CurvatureFactor(true), 1.2);
  EXPECT_EQ(as2327::CurvatureFactor(false), 1);
  // 100 kNm over 200000 x 1e8: 5e-12 (1/mm over 10^6).
  EXPECT_NEAR(as2327::Curvature(100, 1, 200000, 1e8), 5e-12, 1e-24);
  EXPECT_NEAR(as2327::Curvature(100, 1.2, 200000, 1e8), 6e-12, 1e-24);
  EXPECT_EQ(as2327::Curvature(100, 1, 200000, 0), 0);
  // Creep: 100 / 200000 x (1/5e7 - 1/1e8) = 5e-4 x 1e-8.
  EXPECT_NEAR(as2327::CreepCurvature(100, 200000, 5e7, 1e8), 5e-12, 1e-24);
}
