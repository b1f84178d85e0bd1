#include "components/Standard2017.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "components/floor_parts.h"
#include "connection_section.h"
#include "entity/cStatus.h"

namespace ed = as2327_2017;

TEST(Standard2017, CapacityFactors) {
  const struct {
    TCapacityFactorType kind;
    double phi;
  } cases[] = {{cfBendingSteel, 0.9},          {cfBendingConcrete, 0.8},
               {cfVerticalShearSteel, 0.9},    {cfVerticalShearConcrete, 0.6},
               {cfLongitudinalShearComposite, 0.63}, {cfLongitudinalShearStuds, 0.8}};
  for (const auto& c : cases) {
    EXPECT_EQ(ed::phi(c.kind), c.phi) << c.kind;
    EXPECT_EQ(Standard2017().phi(c.kind), c.phi) << c.kind;
  }
}

// Ec = rho^1.5 x 0.043 sqrt(fcmi) up to 40 MPa, rho^1.5 (0.024 sqrt(fcmi) + 0.12) above.
TEST(Standard2017, ModulusFromMeanStrength) {
  EXPECT_NEAR(ed::Ec_rho_fcmi(2500, 36), 32250, 1e-9);            // 125000 x 0.043 x 6
  EXPECT_NEAR(ed::Ec_rho_fcmi(2500, 40), 5375 * std::sqrt(40.0), 1e-9);  // still the first formula
  EXPECT_NEAR(ed::Ec_rho_fcmi(2500, 49), 36000, 1e-9);            // 125000 x (0.024 x 7 + 0.12)
}

// The table of grades: linear between them, the last value above, and the
// square-root law below 20 MPa.
TEST(Standard2017, ModulusFromTheTable) {
  const struct {
    double fc, Ec;
  } cases[] = {
      {20, 24000}, {32, 30100}, {100, 42200},
      {36, 31450},          // halfway from 30100 (32) to 32800 (40)
      {45, 33800},          // halfway from 32800 (40) to 34800 (50)
      {120, 42200},         // above the last grade
      {5, 12000},           // 24000 x sqrt(5 / 20)
      {0, 0},
  };
  for (const auto& c : cases) EXPECT_NEAR(ed::Ec_table(c.fc), c.Ec, 1e-9) << c.fc;
  // Lightweight: x (1800 / 2400)^1.5 = 0.75 x sqrt(0.75) = 0.6495.
  EXPECT_NEAR(ed::Ec_lightweight(33800, 1800), 33800 * 0.75 * std::sqrt(0.75), 1e-9);
}

// The modulus of the slab (for stiffness and connectors alike).
TEST(Standard2017, ModulusOfTheSlab) {
  // f'c 32, 2400 kg/m3, no table: fcmi = 35.352, 2400^1.5 x 0.043 x sqrt(35.352) = 30060.2.
  EXPECT_NEAR(ed::Ec(32, 2400, false), 117575.5 * 0.043 * std::sqrt(35.352), 0.1);
  EXPECT_NEAR(ed::Ec(45, 2400, true), 33800, 1e-9);
  EXPECT_NEAR(ed::Ec(45, 1800, true), 33800 * 0.75 * std::sqrt(0.75), 1e-9);  // lightweight
  EXPECT_NEAR(ed::Ec(45, 2101, true), 33800, 1e-9);                            // normal weight
  EXPECT_EQ(Standard2017().Ec(45, 2400, true), Standard2017().EcForConnectors(45, 2400, true));
}

TEST(Standard2017, ConcreteBelowTheRibs) {
  EXPECT_TRUE(ed::IgnoresConcreteBelowRibs(1, false));  // open trapezoidal ribs
  EXPECT_FALSE(ed::IgnoresConcreteBelowRibs(2, false));
  EXPECT_TRUE(ed::IgnoresConcreteBelowRibs(2, true));
  // lambda counts the rib concrete only with ribs along the beam (up to 15 degrees).
  TSteelDeck deck;
  SetRE55Deck(deck);
  deck.WillIgnoreConcreteBelowRibs = false;
  const struct {
    double theta, lambda;
  } cases[] = {{0, 1}, {15, 1}, {15.1, 0}, {61, 0}};
  for (const auto& c : cases) EXPECT_EQ(Standard2017().lambda(deck, c.theta), c.lambda) << c.theta;
  deck.WillIgnoreConcreteBelowRibs = true;
  EXPECT_EQ(Standard2017().lambda(deck, 0), 0);
  deck.DeckType = 0;  // a solid slab counts whole
  EXPECT_EQ(Standard2017().lambda(deck, 90), 1);
}

// PRk = min(c dbs^2 min(fuc, fuc_max), 0.29 dbs^2 sqrt(Ec min(f'c, 100))).
TEST(Standard2017, ConnectorCapacity) {
  EXPECT_NEAR(ed::PRk_shank(0.7, 19, 450, 500), 113.715, 1e-9);  // 0.7 x 361 x 450 / 1000
  EXPECT_NEAR(ed::PRk_shank(0.7, 19, 520, 500), 126.35, 1e-9);   // fuc capped at 500
  EXPECT_NEAR(ed::PRk_shank(0.5, 20, 830, 450), 90, 1e-9);       // 0.5 x 400 x 450 / 1000
  // 0.29 x 361 x sqrt(30000 x 32) / 1000 = 104.69 x 979.80 / 1000 = 102.57.
  EXPECT_NEAR(ed::PRk_concrete(19, 30000, 32), 102.5748, 1e-4);
  EXPECT_NEAR(ed::PRk_concrete(19, 30000, 110), 181.3284, 1e-4);  // f'c counts up to 100

  // Through the interface: a 19 mm stud (fuc 410) in f'c 32 at 2400 kg/m3:
  // shank 0.7 x 361 x 410 / 1000 = 103.607; concrete 0.29 x 361 x sqrt(30060.2 x 32) / 1000 = 102.68.
  TShearConnector stud;
  SetStud19(stud);
  TConcreteFloor concrete;
  concrete.ConcreteStrength = 32;
  concrete.Density = 2400;
  TStatus status;
  const double concrete_failure = ed::PRk_concrete(19, ed::Ec(32, 2400, false), 32);
  EXPECT_NEAR(concrete_failure, 102.68, 0.01);
  EXPECT_EQ(Standard2017().PRk(stud, concrete, 500, status), concrete_failure);
  EXPECT_TRUE(status.ErrorList().empty());
  stud.ConnectorType = ctChannel;  // no coefficient for a channel
  EXPECT_EQ(Standard2017().PRk(stud, concrete, 500, status), 0);
  EXPECT_EQ(status.ErrorMsg, "Shear connector type not recognised");
}

// kl = min(1, 0.6 (b0/hr)(h/hr - 1)) with ribs along the beam.
TEST(Standard2017, ReductionWithRibsAlongTheBeam) {
  EXPECT_EQ(ed::kl(100, 50, 100), 1);             // 0.6 x 2 x 1 = 1.2
  EXPECT_NEAR(ed::kl(60, 50, 90), 0.576, 1e-12);  // 0.6 x 1.2 x 0.8
  EXPECT_EQ(ed::kl(60, 0, 90), 1);                // no ribs
}

// The base value of kt with ribs across the beam.
TEST(Standard2017, BaseValueOfktAcrossTheRibs) {
  const struct {
    int n, deck_type;
    double t;
    bool welded;
    double dbs, base;
  } cases[] = {
      {1, 1, 0.75, true, 19, 0.85}, {2, 1, 0.75, true, 19, 0.7},  {3, 1, 0.75, true, 19, 0},
      {1, 1, 1.2, true, 19, 1.0},   {2, 1, 1.2, true, 19, 0.8},   {1, 2, 1.0, true, 19, 1.0},
      {2, 3, 1.0, true, 19, 1.0},   {1, 2, 1.0, false, 19, 0.75}, {2, 2, 1.0, false, 22, 0.6},
      {3, 2, 1.0, false, 19, 0},    {1, 2, 1.0, false, 16, 0},    // below 19 mm without welding
  };
  for (const auto& c : cases)
    EXPECT_EQ(ed::kt_base(c.n, c.deck_type, c.t, c.welded, c.dbs), c.base)
        << c.n << " in type " << c.deck_type << " t " << c.t << (c.welded ? " welded" : "") << " dbs " << c.dbs;
}

// kt = min(base, (0.7/sqrt(n))(b0/hr)(h/hr - 1)) in decks of types 1 and 2.
TEST(Standard2017, ktAcrossTheRibs) {
  const struct {
    const char* why;
    int n, deck_type;
    double b0, hr, h, t;
    bool welded;
    double dbs, kt;
  } cases[] = {
      // 0.7 x 175/55 x (95/55 - 1) = 1.62: the base value 1.0.
      {"base governs", 1, 2, 175, 55, 95, 1, true, 19, 1.0},
      // 0.7 x 175/55 x 15/55 = 1837.5 / 3025 = 0.6074.
      {"short stud", 1, 2, 175, 55, 70, 1, true, 19, 1837.5 / 3025},
      // (0.7 / sqrt 2) x 160/55 x 40/55 = 1.047: the base 0.7.
      {"two a rib", 2, 1, 160, 55, 95, 0.75, true, 19, 0.7},
      {"ribs over 85 mm", 1, 2, 175, 90, 165, 1, true, 19, 0},
      {"trough narrower than deep", 1, 2, 50, 55, 95, 1, true, 19, 0},
      {"welded through over 20 mm", 1, 2, 175, 55, 95, 1, true, 22, 0},
      {"type 3: the base up to 1", 1, 3, 100, 55, 70, 1, true, 19, 1.0},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(ed::kt_transverse(c.n, c.deck_type, c.b0, c.hr, c.h, c.t, c.welded, c.dbs), c.kt, 1e-12) << c.why;
  EXPECT_EQ(ed::kt_with_profile(0.9, 1.2), 1);               // 1.08, at most 1
  EXPECT_NEAR(ed::kt_with_profile(0.6, 0.9), 0.54, 1e-12);
}

// Through the interface: the larger rib angle of both sides decides, h is at
// most hr + 75 and b0 at least the trough at the beam.
TEST(Standard2017, ktOfTheBeam) {
  TSteelDeck deck;
  SetRE55Deck(deck);  // b0 175, hr 55, type 2
  TShearConnector stud;
  SetStud19(stud);  // 95 high, welded through
  EXPECT_EQ(Standard2017().kt(1, 90, 0, deck, stud), 1.0);
  // Along the beam: kl = 0.6 x 175/55 x 40/55 = 1.39: 1.
  EXPECT_EQ(Standard2017().kt(1, 0, 0, deck, stud), 1.0);
  stud.hsc = 70;  // kl = 0.6 x 175/55 x 15/55 = 0.5207
  EXPECT_NEAR(Standard2017().kt(1, 10, 0, deck, stud), 0.6 * 175 / 55 * 15 / 55, 1e-12);
  deck.Beta = 0.8;  // the profile coefficient scales it
  EXPECT_NEAR(Standard2017().kt(1, 10, 0, deck, stud), 0.8 * 0.6 * 175 / 55 * 15 / 55, 1e-12);
  deck.DeckType = 0;  // a solid slab: no reduction
  deck.Beta = 1;
  EXPECT_EQ(Standard2017().kt(2, 90, 0, deck, stud), 1);
}

// In an open trapezoidal deck every rib holds a connector: the spacing is the rib pitch.
TEST(Standard2017, SpacingInRibs) {
  TSteelDeck deck;
  SetRE55Deck(deck);
  double smin = 95, smax = 600;
  Standard2017().FitSpacingToRibs(deck, 300, 300, smin, smax);
  EXPECT_EQ(smax, 600);  // two pitches
  EXPECT_EQ(smin, 300);  // one pitch
  deck.DeckType = 1;
  smin = 95;
  smax = 600;
  Standard2017().FitSpacingToRibs(deck, 300, 300, smin, smax);
  EXPECT_EQ(smax, 300);
  EXPECT_EQ(smin, 300);
  EXPECT_EQ(Standard2017().MaxConnectorsPerGroup(true), 3);
  EXPECT_EQ(Standard2017().MaxConnectorsPerGroup(false), 2);
  EXPECT_EQ(Standard2017().ni(100, 30), 4);  // no group factor: ceil(3.33)
}

// beff = beta b + p (b - beta b), beta = 0.55 + 0.025 Lef / b, p from 0 at a
// support to 1 at the quarter points. Lef 9000, b 1125 (= Lef / 8): beta 0.75.
TEST(Standard2017, EffectiveWidthOfASide) {
  EXPECT_NEAR(ed::beta_beff(1125, 9000), 0.75, 1e-12);
  EXPECT_EQ(ed::beta_beff(0, 9000), 0);
  const struct {
    double x, p, beff;
  } cases[] = {{0, 0, 843.75},       {1125, 0.5, 984.375}, {2250, 1, 1125}, {4500, 1, 1125},
               {6750, 1, 1125},      {7875, 0.5, 984.375}, {9000, 0, 843.75}};
  for (const auto& c : cases) {
    EXPECT_NEAR(ed::beff_position_factor(c.x, 9000), c.p, 1e-12) << c.x;
    EXPECT_NEAR(ed::beff_side(1125, 0.75, c.p), c.beff, 1e-9) << c.x;
    EXPECT_NEAR(Standard2017().beff_side(1125, 9000, c.x, 165, 120, true), c.beff, 1e-9) << c.x;
  }
}

// Vslab = (Dslab bsf1)^0.7 (13 + 110 lambda_sd) sqrt(f'c);
// Vcomp = V (beta + (1 - beta) / (0.92 + 0.76 lambda_sd)).
TEST(Standard2017, VerticalShear) {
  // 10000^0.7 = 10^2.8 = 630.957; x (13 + 11) x 5 / 1000 = 75.715 kN.
  EXPECT_NEAR(ed::Vslab(100, 100, 0.1, 25), std::pow(10.0, 2.8) * 24 * 5 / 1000, 1e-9);
  EXPECT_EQ(ed::Vslab(-100, 100, 0.1, 25), 0);
  EXPECT_EQ(ed::Vslab(100, 100, 0.1, -25), 0);
  EXPECT_NEAR(ed::Vcomp(100, 1, 0.3), 100, 1e-12);
  EXPECT_NEAR(ed::Vcomp(100, 0, 0.1), 100 / 0.996, 1e-12);
  EXPECT_NEAR(ed::Vcomp(100, 0.5, 0.5), 100 * (0.5 + 0.5 / 1.3), 1e-12);
  // Through the interface: V = 0.6 Vslab + 0.9 Vv = 0.6 x 50 + 0.9 x 100 = 120, at full connection.
  EXPECT_NEAR(Standard2017().Vcomp(50, 100, 1, 0.3), 120, 1e-12);
}

// phi Mbv = phi Mb (1 - r^6)^(1/3); at r = 1/2: 1 - 1/64 = 63/64.
TEST(Standard2017, MomentCapacityReducedForShear) {
  EXPECT_EQ(ed::MomentReductionForShear(0), 1);
  EXPECT_NEAR(ed::MomentReductionForShear(0.5), std::cbrt(63.0 / 64), 1e-15);
  EXPECT_NEAR(ed::MbAdjustedForShear(300, 0.5), 300 * std::cbrt(63.0 / 64), 1e-12);
  EXPECT_EQ(ed::MbAdjustedForShear(300, 1), 0);
}

// The least degree of shear connection.
TEST(Standard2017, LeastDegreeOfShearConnection) {
  // Linear between M0 = 200 and M1 = 400: (250 - 200) / 200.
  EXPECT_NEAR(ed::beta_min_linear(250, 200, 400), 0.25, 1e-12);
  EXPECT_NEAR(ed::beta_min_linear(150, 200, 400), -0.25, 1e-12);  // the caller limits it to 0
  EXPECT_EQ(ed::beta_min_linear(250, 200, 200), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ed::beta_min_linear(150, 200, 200), 0);

  // Through the interface, on the linear section (Mb = 200 + 200 beta) at r
  // = 1/2: k = (63/64)^(1/3) = 0.99476; M* = 250 is reached where (200 +
  // 200 beta) k = 250: beta = 1.25 / k - 1 = 0.25658.
  TLinearConnectionSection section;
  section.ratio_held = 0.5;
  const double k = std::cbrt(63.0 / 64);
  EXPECT_NEAR(Standard2017().phiMbv(0.5, section), 300 * k, 1e-12);
  EXPECT_NEAR(Standard2017().beta_min(250, section, true), 1.25 / k - 1, 1e-12);   // linear interaction
  EXPECT_NEAR(Standard2017().beta_min(250, section, false), 1.25 / k - 1, 0.001);  // bisection to 0.001
}

// For ductility at the greatest moment: with fy 355 (355/fy = 1) and L in m,
// equal flanges 1 - (1 - 0.04 L) (very ductile) or 1 - (0.75 - 0.03 L),
// unequal 1 - (0.3 - 0.015 L); at least 0.4.
TEST(Standard2017, LeastDegreeForDuctility) {
  const struct {
    bool very_ductile;
    double Le, equal, unequal;
  } cases[] = {
      {true, 10000, 0.4, 0.85},    // 1 - 0.6 = 0.4; 1 - 0.15
      {false, 10000, 0.55, 0.85},  // 1 - 0.45
      {false, 5000, 0.4, 0.775},   // 1 - 0.6 = 0.4; 1 - 0.225
      {false, 21000, 0.88, 1},     // 1 - 0.12; beyond 20 m
      {false, 26000, 1, 1},        // beyond 25 m
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Le);
    EXPECT_NEAR(ed::beta_min_equal_flanges(c.very_ductile, c.Le, 355), c.equal, 1e-12);
    EXPECT_NEAR(ed::beta_min_unequal_flanges(c.Le, 355), c.unequal, 1e-12);
  }
  // By the flange area ratio: equal up to 1, unequal from 3, linear between.
  EXPECT_NEAR(ed::beta_min_ductility(false, 1, 355, 10000), 0.55, 1e-12);
  EXPECT_NEAR(ed::beta_min_ductility(false, 3, 355, 10000), 0.85, 1e-12);
  EXPECT_NEAR(ed::beta_min_ductility(false, 2, 355, 10000), 0.7, 1e-12);
  EXPECT_NEAR(Standard2017().beta_min_at_max_moment(false, 2, 355, 10000), 0.7, 1e-12);
  // fy 300: 355/300 = 1.1833; 1 - 1.1833 x 0.45 = 0.4675.
  EXPECT_NEAR(ed::beta_min_equal_flanges(false, 10000, 300), 1 - 355.0 / 300 * 0.45, 1e-12);
}

TEST(Standard2017, DegreeOfShearConnectionProvided) {
  EXPECT_NEAR(ed::beta_actual(10, 100, 2000), 0.5, 1e-12);  // 10 x 100 / 2000
  EXPECT_EQ(ed::beta_actual(10, 100, 0), 0);
  EXPECT_NEAR(Standard2017().beta_actual(10.5, 100, 2000), 0.525, 1e-12);  // fractional counts count
}

// The web: lambda_ey = 60 / alpha_y; a non-compact web counts 15 tw
// sqrt(250/fyw) next to the compression flange and as much again beyond the
// tension zone.
TEST(Standard2017, NonCompactWeb) {
  EXPECT_EQ(ed::lambda_ey_web(0.5), 120);
  EXPECT_EQ(ed::lambda_ey_web(1), 60);
  EXPECT_NEAR(ed::dc_noncompact_web(8, 360), 100, 1e-12);  // 15 x 8 / 1.2
  // dp 300, centroid 250 below the top of a 10 mm flange: the tension zone
  // is 10 + 300 - 250 = 60 deep; dc2 = 60 + 100.
  TNonCompactWeb web = Standard2017().NonCompactWeb(300, 8, 360, 10, 250, 0.6);
  EXPECT_NEAR(web.dc1, 100, 1e-12);
  EXPECT_NEAR(web.dc2, 160, 1e-12);
  EXPECT_EQ(web.tw_eff, 8);
  EXPECT_FALSE(web.IsInvalid);
  // Centroid at 200: 110 + 100 = 210, with dc1 more than the web's 300: cut to 200.
  web = Standard2017().NonCompactWeb(300, 8, 360, 10, 200, 0.6);
  EXPECT_NEAR(web.dc2, 200, 1e-12);
  EXPECT_TRUE(web.IsInvalid);
}

// The edition's input checks and terms.
TEST(Standard2017, ChecksAndTerms) {
  TStatus status;
  Standard2017().CheckConcreteStrength(55, status);
  EXPECT_EQ(status.ErrorMsg, "Concrete strength grade should not exceed 50 MPa for this version of Trevalon");
  TShearConnector channel;
  channel.ConnectorType = ctChannel;
  status.Reset();
  Standard2017().CheckConnector(channel, status);
  EXPECT_EQ(status.ErrorMsg, "Channel shear connector not permitted");
  TShearConnector stud;
  SetStud19(stud);
  stud.dbs = 25;
  status.Reset();
  Standard2017().CheckConnector(stud, status);
  EXPECT_EQ(status.ErrorMsg, "(Cl 3.6.2.2.1) Headed shear stud diameter must be between 15.9 and 22.2 mm");
  EXPECT_TRUE(Standard2017().ChecksCombinedBendingAndShear());
  EXPECT_TRUE(Standard2017().HasConnectorReductionFactor());
  EXPECT_STREQ(Standard2017().Terms().SteelLimitsClause, "(Cl 1.1.1a) ");
  EXPECT_EQ(Standard2017().Terms().EcForConnectors, nullptr);
  EXPECT_EQ(Standard2017().Name(), "AS/NZS2327:2017");
  EXPECT_EQ(Standard2017().Version(), kStandard2017);
}
