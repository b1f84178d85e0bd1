#include "components/Standard2003.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>

#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "components/floor_parts.h"
#include "connection_section.h"
#include "entity/cStatus.h"

namespace ed = as2327_2003;

TEST(Standard2003, CapacityFactors) {
  const struct {
    TCapacityFactorType kind;
    double phi;
  } cases[] = {{cfBendingSteel, 0.9},          {cfBendingConcrete, 0.9},
               {cfVerticalShearSteel, 0.9},    {cfVerticalShearConcrete, 0.0},
               {cfLongitudinalShearComposite, 0.7}, {cfLongitudinalShearStuds, 0.85}};
  for (const auto& c : cases) {
    EXPECT_EQ(ed::phi(c.kind), c.phi) << c.kind;
    EXPECT_EQ(Standard2003().phi(c.kind), c.phi) << c.kind;
  }
}

// fcm: the tabulated grades, else 1.0833 f'c + 2.333.
TEST(Standard2003, MeanStrength) {
  const struct {
    double fc, fcm;
  } cases[] = {{20, 24}, {25, 29.5}, {32, 37.5}, {40, 46}, {30, 1.0833 * 30 + 2.333}, {0, 2.333}, {-5, 0}};
  for (const auto& c : cases) EXPECT_NEAR(ed::fcm(c.fc), c.fcm, 1e-12) << c.fc;
}

// The section's stiffness takes fcm, the connectors f'c: at 2500 kg/m3 and
// f'c 25, 125000 x 0.043 = 5375 times sqrt(29.5) = 5.4314 or sqrt(25) = 5.
TEST(Standard2003, ModuliOfTheSlab) {
  EXPECT_NEAR(ed::Ec(25, 2500), 5375 * std::sqrt(29.5), 1e-9);
  EXPECT_NEAR(ed::EcForConnectors(25, 2500), 26875, 1e-9);
  EXPECT_NEAR(Standard2003().Ec(25, 2500, true), 5375 * std::sqrt(29.5), 1e-9);  // no table in this edition
  // Above 40 MPa the same formula (the 2017 edition changes it there).
  EXPECT_NEAR(ed::EcForConnectors(49, 2500), 5375 * 7, 1e-9);
}

// Ribs inclined more than 15 degrees: cos^2(theta) b0 / sr of the rib concrete counts.
TEST(Standard2003, ConcreteInInclinedRibs) {
  EXPECT_NEAR(ed::lambda_inclined_ribs(60, 150, 300), 0.125, 1e-12);  // 0.25 x 0.5
  EXPECT_EQ(ed::lambda_inclined_ribs(30, 150, 0), 0);                 // no rib pitch
  EXPECT_EQ(ed::lambda_inclined_ribs(20, 400, 300), 1);               // at most all of it
  EXPECT_EQ(ed::lambda_inclined_ribs(20, -25, 300), 0);               // steel wider than the pitch

  TSteelDeck deck;
  SetRE55Deck(deck);  // b0 175, sr 200; the flag to ignore the rib concrete is not this edition's
  const double cos20 = std::cos(20 * std::numbers::pi / 180);
  const struct {
    double theta, lambda;
  } cases[] = {{0, 1}, {15, 1}, {20, cos20 * cos20 * 175 / 200}, {61, 0}};
  for (const auto& c : cases) EXPECT_NEAR(Standard2003().lambda(deck, c.theta), c.lambda, 1e-12) << c.theta;
  deck.DeckType = 1;  // open trapezoidal ribs
  EXPECT_EQ(Standard2003().lambda(deck, 0), 0);
  EXPECT_TRUE(Standard2003().IgnoresConcreteBelowRibs(deck));
}

// fvs of a headed stud = min(0.63 dbs^2 fuc, 0.31 dbs^2 sqrt(f'c Ec)).
TEST(Standard2003, StudCapacity) {
  // 19 mm, fuc 410, f'c 25, Ec 26875: shank 0.63 x 361 x 410 = 93246 N;
  // concrete 0.31 x 361 x sqrt(671875) = 111.91 x 819.68 = 91730 N.
  EXPECT_NEAR(ed::fvs_stud(19, 410, 25, 26875), 0.31 * 361 * std::sqrt(671875.0) / 1000, 1e-9);
  EXPECT_NEAR(ed::fvs_stud(19, 410, 40, 40000), 93.2463, 1e-9);  // the shank governs
}

// Bolts and channels from the table, linear between grades, 0.8 of it in lightweight concrete.
TEST(Standard2003, BoltAndChannelCapacity) {
  const struct {
    bool channel;
    double fc;
    bool lightweight;
    double fvs;
  } cases[] = {
      {false, 28, false, 98 + 3 * 20 / 7.0},       // 25 -> 98, 32 -> 118
      {false, 28, true, 0.8 * (98 + 3 * 20 / 7.0)},
      {false, 15, false, 67},  {true, 15, false, 76},
      {false, 40, false, 126}, {true, 45, false, 125},  // the last grade above it
      {true, 22.5, false, 97.5},                        // halfway from 95 to 100
  };
  for (const auto& c : cases)
    EXPECT_NEAR(ed::fvs_bolt_or_channel(c.channel, c.fc, c.lightweight), c.fvs, 1e-12)
        << (c.channel ? "channel " : "bolt ") << c.fc;

  TShearConnector bolt;
  bolt.ConnectorType = ctHighStrengthBolt;
  TConcreteFloor concrete;
  concrete.ConcreteStrength = 12;
  concrete.Density = 2400;
  TStatus status;
  EXPECT_EQ(Standard2003().PRk(bolt, concrete, 500, status), 0);
  EXPECT_EQ(status.ErrorMsg, "f'cj too low to calculate shear connector capacity");
  concrete.ConcreteStrength = 28;
  EXPECT_NEAR(Standard2003().PRk(bolt, concrete, 500, status), 98 + 3 * 20 / 7.0, 1e-12);
}

// kn = 1.18 - 0.18 / sqrt(n), and the connectors that carry a force with it.
TEST(Standard2003, GroupOfConnectors) {
  EXPECT_NEAR(ed::kn(1), 1.0, 1e-12);
  EXPECT_NEAR(ed::kn(4), 1.09, 1e-12);
  EXPECT_NEAR(ed::kn(9), 1.12, 1e-12);
  // Fcp 3.96 kN (with phi_c 0.9 in it), fds 1 kN: 4 connectors by the force
  // alone; they must carry 3.96 / 0.9 = 4.4, but 4 x kn(4) = 4.36: c = 4.4 /
  // kn(c) settles at 4.035, so 5.
  EXPECT_EQ(ed::ni_with_group_factor(4, 3.96, 1, 0.9), 5);
  EXPECT_EQ(Standard2003().ni(3.96, 1), 5);
  // Fcp 90, fds 10: 9 by the force; 100 / kn(c) settles at 8.93, so 9.
  EXPECT_EQ(Standard2003().ni(90, 10), 9);
  EXPECT_EQ(Standard2003().ni(0.9, 10), 1);  // 1 / kn(1) = 1
  EXPECT_EQ(Standard2003().ni(0, 10), 0);
  EXPECT_EQ(Standard2003().ni(90, 0), 1000000);  // no capacity: no iteration
}

// beta = c kn(c) fds / (Fcc / phi_c) over the whole connectors c.
TEST(Standard2003, DegreeOfShearConnectionProvided) {
  // 5 connectors (4.9999995 counts as 5) of 10 kN, Fcc 90 with phi_c 0.9:
  // 5 x (1.18 - 0.18 / sqrt 5) x 10 / 100 = 5 x 1.0995 x 0.1 = 0.54975.
  EXPECT_NEAR(ed::beta_actual(4.9999995, 10, 90, 0.9), 0.5 * (1.18 - 0.18 / std::sqrt(5.0)), 1e-12);
  EXPECT_NEAR(Standard2003().beta_actual(5.7, 10, 90), 0.5 * (1.18 - 0.18 / std::sqrt(5.0)), 1e-12);
  EXPECT_EQ(ed::beta_actual(0.5, 10, 90, 0.9), 0);  // no whole connector
}

// beff = min(b, bsf1/2 + 6 Dc) at a free edge, + 8 Dc otherwise; the same along the span.
TEST(Standard2003, EffectiveWidthOfASide) {
  EXPECT_NEAR(ed::beff_side(1500, 165, 120, true), 802.5, 1e-12);    // 82.5 + 720
  EXPECT_NEAR(ed::beff_side(1500, 165, 120, false), 1042.5, 1e-12);  // 82.5 + 960
  EXPECT_NEAR(ed::beff_side(600, 165, 120, false), 600, 1e-12);
  for (double x : {0.0, 2250.0, 4500.0})
    EXPECT_NEAR(Standard2003().beff_side(1125, 9000, x, 165, 120, false), 1042.5, 1e-12) << x;
}

// No slab contribution to vertical shear: Vcomp = phi_vs Vv.
TEST(Standard2003, VerticalShear) {
  EXPECT_EQ(Standard2003().Vslab(120, 165, 0.3, 32), 0);
  EXPECT_NEAR(Standard2003().Vcomp(50, 200, 0.5, 0.3), 180, 1e-12);  // 0 x 50 + 0.9 x 200
}

// The dependable capacity and the least degree of shear connection on the
// linear section: Mb(0) 200, Mb(0.5) 300, Mb(1) 400; psi 0.6 with Mb(psi)
// 320, Mbfc 250, Msf 150.
TEST(Standard2003, PartialShearConnection) {
  // Up to r = 1/2: linear through Mb(0), Mb(0.5), Mb(1).
  EXPECT_NEAR(ed::phiMbv_low_shear(0.25, 200, 300, 400), 250, 1e-12);  // 0.5 x 200 + 0.5 x 300
  EXPECT_NEAR(ed::phiMbv_low_shear(0.75, 200, 300, 400), 350, 1e-12);  // 0.5 x 400 + 0.5 x 300
  EXPECT_NEAR(ed::beta_min_low_shear(250, 200, 300, 400), 0.25, 1e-12);  // 50 / 200
  EXPECT_NEAR(ed::beta_min_low_shear(350, 200, 300, 400), 0.75, 1e-12);  // (350 + 400 - 600) / 200
  EXPECT_EQ(ed::beta_min_low_shear(350, 200, 300, 300), std::numeric_limits<double>::infinity());

  // r = 0.75: R0 = 2 x 0.25 x 200 + 0.5 x 150 = 175; P = 0.5 x 320 + 0.5 x
  // 250 = 285; Q = 0.5 x 400 + 0.5 x 250 = 325.
  EXPECT_NEAR(ed::MomentReducedForShear(0.75, 200, 150), 175, 1e-12);
  EXPECT_NEAR(ed::MomentReducedForShear(0.75, 320, 250), 285, 1e-12);
  EXPECT_NEAR(ed::MomentReducedForShear(0.5, 320, 250), 320, 1e-12);  // no reduction at one half
  EXPECT_NEAR(ed::phiMbv_high_shear(0.3, 0.6, 175, 285, 325), 230, 1e-12);  // 175 + 0.5 x 110
  EXPECT_NEAR(ed::phiMbv_high_shear(0.8, 0.6, 175, 285, 325), 305, 1e-12);  // 285 + 0.5 x 40
  EXPECT_NEAR(ed::beta_min_high_shear(230, 0.75, 0.6, 175, 285, 320, 400), 0.3, 1e-12);
  // Above P: 0.6 + 0.4 x 20 / (2 x 0.25 x (400 - 320)) = 0.6 + 8 / 40.
  EXPECT_NEAR(ed::beta_min_high_shear(305, 0.75, 0.6, 175, 285, 320, 400), 0.8, 1e-12);

  // Through the interface: phiMbv reads the shear ratio as it stands,
  // beta_min the one the minimum connection held.
  TLinearConnectionSection section;
  section.ratio_now = 0.4;
  EXPECT_NEAR(Standard2003().phiMbv(0.25, section), 250, 1e-12);
  section.ratio_now = 0.75;
  EXPECT_NEAR(Standard2003().phiMbv(0.8, section), 305, 1e-12);
  section.ratio_held = 0.4;
  EXPECT_NEAR(Standard2003().beta_min(350, section, false), 0.75, 1e-12);
  section.ratio_held = 0.75;
  EXPECT_NEAR(Standard2003().beta_min(230, section, true), 0.3, 1e-12);
  EXPECT_EQ(Standard2003().beta_min_at_max_moment(true, 2, 355, 10000), 0.5);
}

// lambda_ey = 57.5 / alpha_y below one half, 322 / (1 + 3.6 alpha_y) above; a
// non-compact web keeps 30 tw sqrt(250/fyw) of its compression zone at a
// reduced thickness.
TEST(Standard2003, NonCompactWeb) {
  EXPECT_NEAR(ed::lambda_ey_web(0.25), 230, 1e-12);
  EXPECT_NEAR(ed::lambda_ey_web(0.5), 115, 1e-12);  // 322 / 2.8
  EXPECT_NEAR(ed::lambda_ey_web(1), 70, 1e-12);     // 322 / 4.6
  // dp 300, tw 8, fyw 360: 30 x 8 / 1.2 = 200 counts. alpha_p 0.6: 180 in
  // compression, all counts; alpha_p 1: 100 ignored, tw x 200/300.
  EXPECT_NEAR(ed::tw_eff_noncompact_web(300, 8, 360, 0.6), 8, 1e-12);
  EXPECT_NEAR(ed::tw_eff_noncompact_web(300, 8, 360, 1), 8 * 200 / 300.0, 1e-12);
  EXPECT_EQ(ed::tw_eff_noncompact_web(0, 8, 360, 1), 0);
  const TNonCompactWeb web = Standard2003().NonCompactWeb(300, 8, 360, 10, 200, 1);
  EXPECT_EQ(web.dc1, 150);
  EXPECT_EQ(web.dc2, 150);
  EXPECT_NEAR(web.tw_eff, 8 * 200 / 300.0, 1e-12);
  EXPECT_FALSE(web.IsInvalid);
}

// Connectors in ribs: no deck reduction; the connectors a rib holds share its pitch.
TEST(Standard2003, ConnectorsInTheDeck) {
  TSteelDeck deck;
  SetRE55Deck(deck);
  TShearConnector stud;
  SetStud19(stud);
  deck.hr = 90;  // ribs the 2017 edition would not count
  EXPECT_EQ(Standard2003().kt(3, 90, 0, deck, stud), 1);
  deck.StoredStudsPerRib = 2;
  double smin = 95, smax = 600;
  Standard2003().FitSpacingToRibs(deck, 300, 300, smin, smax);
  EXPECT_EQ(smax, 600);  // 300 x trunc(600 / 150) / 2
  EXPECT_EQ(smin, 150);  // half a pitch
  EXPECT_EQ(Standard2003().MaxConnectorsPerGroup(true), 4);
  EXPECT_EQ(Standard2003().MaxConnectorsPerGroup(false), 4);
}

// The edition's input checks and terms.
TEST(Standard2003, ChecksAndTerms) {
  TStatus status;
  Standard2003().CheckConcreteStrength(45, status);
  EXPECT_EQ(status.ErrorMsg, "Concrete strength grade should not exceed 40 MPa");
  TShearConnector stud;
  SetStud19(stud);
  stud.dbs = 22.2;
  status.Reset();
  Standard2003().CheckConnector(stud, status);
  EXPECT_EQ(status.ErrorMsg, "Headed shear stud diameter must be between 15.9 and 19.0 mm for AS/NZS2327.1-2003");
  TShearConnector channel;
  channel.ConnectorType = ctChannel;  // permitted
  status.Reset();
  Standard2003().CheckConnector(channel, status);
  EXPECT_TRUE(status.ErrorList().empty());
  TSteelDeck deck;
  SetRE55Deck(deck);
  deck.VoidRatio = 0.3;
  status.Reset();
  Standard2003().CheckDeck(deck, status);
  EXPECT_EQ(status.ErrorMsg, "(Old Cl 1.2.4c) Void ratio within the steel deck should be less than 0.2");
  EXPECT_FALSE(Standard2003().ChecksCombinedBendingAndShear());
  EXPECT_FALSE(Standard2003().HasConnectorReductionFactor());
  EXPECT_STREQ(Standard2003().Terms().SteelLimitsClause, "");
  EXPECT_STREQ(Standard2003().Terms().EcForConnectors, "Ec for shear connector strength");
  EXPECT_EQ(Standard2003().Name(), "AS/NZS2327.1-2003");
  EXPECT_EQ(Standard2003().Version(), kStandard2003);
}
