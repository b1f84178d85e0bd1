#include "components/cFormulas.h"

#include <gtest/gtest.h>

#include <cmath>

// fcmi = 0.9 f'c (1.2875 - 0.001875 f'c).
TEST(Formulas, fcmi) {
  const struct {
    double fc, fcmi;
  } cases[] = {
      {32, 35.352},  // 28.8 x (1.2875 - 0.06) = 28.8 x 1.2275
      {40, 43.65},   // 36 x (1.2875 - 0.075) = 36 x 1.2125
      {0, 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(as2327::fcmi(c.fc), c.fcmi, 1e-12) << c.fc;
}

// Ec = rho^1.5 x 0.043 sqrt(f), with negative inputs counted as 0.
TEST(Formulas, EcFromDensityAndStrength) {
  const struct {
    double rho, f, Ec;
  } cases[] = {
      {2500, 25, 26875},  // 2500^1.5 = 125000; x 0.043 = 5375; x sqrt(25) = 5
      {1600, 36, 16512},  // 1600^1.5 = 64000; x 0.043 = 2752; x 6
      {-2400, 32, 0},
      {2500, -5, 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(as2327::Ec_rho_f(c.rho, c.f), c.Ec, 1e-9) << c.rho << " " << c.f;
}

TEST(Formulas, LightweightConcreteIsAtMost2100) {
  EXPECT_TRUE(as2327::IsLightweight(2100));
  EXPECT_TRUE(as2327::IsLightweight(1800));
  EXPECT_FALSE(as2327::IsLightweight(2100.1));
}

// The connectors' tensile strength is capped at 450 MPa where the ribs of
// either side cross the beam at more than 15 degrees, else at 500 MPa.
TEST(Formulas, fucMaxByRibAngle) {
  const struct {
    double theta1, theta2, fuc_max;
  } cases[] = {{0, 0, 500}, {15, 15, 500}, {15.1, 0, 450}, {0, 90, 450}};
  for (const auto& c : cases) EXPECT_EQ(as2327::fuc_max(c.theta1, c.theta2), c.fuc_max);
}

// ni = ceil(Fcp / fds), at most 10^6 (also without a capacity).
TEST(Formulas, ConnectorsForAForce) {
  const struct {
    double Fcp, fds;
    int ni;
  } cases[] = {
      {100, 30, 4},        // 3.33 connectors: 4
      {90, 30, 3},         // exactly 3
      {0, 30, 0},          // no force, no connector
      {-50, 30, -1},       // ceil(-1.67)
      {100, 0, 1000000},   // no capacity
      {100, 1e-7, 1000000},
      {1e12, 1, 1000000},  // more than the bound
  };
  for (const auto& c : cases) EXPECT_EQ(as2327::ni(c.Fcp, c.fds), c.ni) << c.Fcp << " / " << c.fds;
}

// The rib pitch along the beam: sr / sin(theta).
TEST(Formulas, RibPitchAlongTheBeam) {
  EXPECT_NEAR(as2327::RibPitchAlongBeam(300, 90), 300, 1e-9);
  EXPECT_NEAR(as2327::RibPitchAlongBeam(300, 30), 600, 1e-9);  // sin 30 = 1/2
  EXPECT_NEAR(as2327::RibPitchAlongBeam(200, 60), 200 / (std::sqrt(3.0) / 2), 1e-9);
}

// In ribs at pitches cL and cR with nr connectors a rib, the greatest
// spacing is the larger of the whole numbers of pitches (per connector) that
// fit in smax; the least at least one pitch per connector.
TEST(Formulas, SpacingInRibs) {
  const double c60 = 300 / (std::sqrt(3.0) / 2);  // 346.41
  const struct {
    double cL, cR, nr, smax_in, smax, smin_in, smin;
  } cases[] = {
      {300, 300, 1, 600, 600, 95, 300},  // 2 pitches in 600; at least a pitch
      {300, 300, 1, 500, 300, 95, 300},  // 1.67 pitches: 1
      {300, 300, 2, 500, 450, 95, 150},  // 500 / 150 = 3.33: 3 half pitches; half a pitch
      {300, c60, 1, 600, 600, 95, 300},  // max(2 x 300, 1 x 346.41)
      {300, 300, 1, 600, 600, 400, 400}, // the connector's own least spacing is larger
  };
  for (const auto& c : cases) {
    EXPECT_NEAR(as2327::smax_in_ribs(c.cL, c.cR, c.nr, c.smax_in), c.smax, 1e-9);
    EXPECT_NEAR(as2327::smin_in_ribs(c.cL, c.cR, c.nr, c.smin_in), c.smin, 1e-9);
  }
}
