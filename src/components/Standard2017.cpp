// AS/NZS 2327:2017: its formulas (Standard2017.h) and its rules behind the
// TStandard interface.
#include "components/Standard2017.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "components/cConcreteFloor.h"
#include "components/cFormulas.h"
#include "components/cShearConnector.h"
#include "components/cSolver.h"
#include "components/cStandard.h"
#include "components/cSteelDeck.h"
#include "components/cSteelFormulas.h"
#include "entity/VEXAppInfo.h"
#include "entity/VEXUtility.h"
#include "entity/cStatus.h"

namespace as2327_2017 {

double phi(TCapacityFactorType Kind) {
  switch (Kind) {
    case cfBendingSteel: return 0.9;
    case cfBendingConcrete: return 0.8;
    case cfVerticalShearSteel: return 0.9;
    case cfVerticalShearConcrete: return 0.6;
    case cfLongitudinalShearComposite: return 0.63;
    case cfLongitudinalShearStuds: return 0.8;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// Concrete.

namespace {

struct TEcPoint {
  MPa fc;
  MPa Ec;
};

// Elastic modulus of normal-weight concrete by strength grade (AS 3600 Table 3.1.2).
constexpr TEcPoint kEcTable[] = {
    {20, 24000}, {25, 26700}, {30, 29200}, {32, 30100}, {40, 32800}, {50, 34800},
    {60, 36600}, {65, 37400}, {70, 38200}, {80, 39600}, {90, 41000}, {100, 42200},
};

}  // namespace

MPa Ec_rho_fcmi(kg_m3 rho, MPa fcmi) {
  if (fcmi > 40) return std::pow(std::max(rho, 0.0), 1.5) * (0.024 * std::sqrt(std::max(fcmi, 0.0)) + 0.12);
  return as2327::Ec_rho_f(rho, fcmi);
}

MPa Ec_table(MPa fc) {
  const TEcPoint& first = kEcTable[0];
  if (fc < first.fc) return first.Ec * std::sqrt(std::max(fc, 0.0) / first.fc);
  for (size_t i = 0; i + 1 < std::size(kEcTable); ++i) {
    const TEcPoint& a = kEcTable[i];
    const TEcPoint& b = kEcTable[i + 1];
    if (a.fc <= fc && fc <= b.fc) return Interpolate(fc, a.fc, b.fc, a.Ec, b.Ec);
  }
  return std::end(kEcTable)[-1].Ec;
}

MPa Ec_lightweight(MPa Ec, kg_m3 rho) { return Ec * std::pow(std::max(rho, 0.0) / 2400.0, 1.5); }

MPa Ec(MPa fc, kg_m3 rho, bool WillUseEcTable) {
  if (!WillUseEcTable) return Ec_rho_fcmi(rho, as2327::fcmi(fc));
  // The table is for normal-weight concrete.
  const MPa E = Ec_table(fc);
  return as2327::IsLightweight(rho) ? Ec_lightweight(E, rho) : E;
}

// ---------------------------------------------------------------------------
// Deck and connectors.

bool IgnoresConcreteBelowRibs(int DeckType, bool WillIgnoreConcreteBelowRibs) {
  return DeckType == 1 || WillIgnoreConcreteBelowRibs;
}

kN PRk_shank(double c, mm dbs, MPa fuc, MPa fuc_max) {
  const double dbs2 = dbs * dbs;
  return c * dbs2 * std::min(fuc, fuc_max) / 1000;
}

kN PRk_concrete(mm dbs, MPa Ec, MPa fc) {
  const double dbs2 = dbs * dbs;
  return 0.29 * dbs2 * std::sqrt(std::max(Ec * std::min(fc, 100.0), 0.0)) / 1000;
}

double kl(mm b0, mm hr, mm h) {
  if (!(hr > 0)) return 1;
  return std::min(1.0, 0.6 * (b0 / hr) * (h / hr - 1));
}

double kt_base(int n, int DeckType, mm t, bool IsThroughDeckWelded, mm dbs) {
  if (IsThroughDeckWelded && DeckType == 1) {
    if (n <= 1) return t <= 1 ? 0.85 : 1.0;
    if (n == 2) return t <= 1 ? 0.7 : 0.8;
    return 0;
  }
  if (IsThroughDeckWelded && (DeckType == 2 || DeckType == 3)) return 1.0;
  if (!IsThroughDeckWelded && dbs >= 19 && dbs <= 22) {
    if (n <= 1) return 0.75;
    if (n == 2) return 0.6;
  }
  return 0;
}

double kt_transverse(int n, int DeckType, mm b0, mm hr, mm h, mm t, bool IsThroughDeckWelded, mm dbs) {
  double value = kt_base(n, DeckType, t, IsThroughDeckWelded, dbs);
  if (hr > 85 || b0 < hr || (IsThroughDeckWelded && dbs > 20) || (!IsThroughDeckWelded && dbs > 22)) value = 0;
  if (DeckType == 3) return std::min(value, 1.0);
  if ((DeckType == 1 || DeckType == 2) && n > 0 && hr > 0)
    return std::min(value, (0.7 / std::sqrt(n)) * (b0 / hr) * (h / hr - 1));
  return value;
}

double kt_with_profile(double k, double Beta) { return std::min(1.0, k * Beta); }

// ---------------------------------------------------------------------------
// Composite section.

double beta_beff(mm b, mm Lef) { return b <= 0 ? 0 : 0.55 + 0.025 * Lef / b; }

double beff_position_factor(mm x, mm Lef) {
  if (x < Lef / 4) return x / (Lef / 4);
  if (x <= 0.75 * Lef) return 1;
  return (Lef - x) / (Lef / 4);
}

mm beff_side(mm b, double beta, double p) { return beta * b + p * (b - beta * b); }

kN Vslab(mm Dslab, mm bsf1, double lambdasd, MPa fc) {
  const double base = std::max(0.0, Dslab * bsf1);
  return std::pow(base, 0.7) * (13 + 110 * lambdasd) * std::sqrt(std::max(0.0, fc)) / 1000;
}

kN Vcomp(kN V, double beta, double lambdasd) { return V * (beta + (1 - beta) / (0.92 + 0.76 * lambdasd)); }

// ---------------------------------------------------------------------------
// Partial shear connection.

double MomentReductionForShear(double r) { return std::cbrt(1 - std::pow(r, 6)); }

kNm MbAdjustedForShear(kNm Mb, double r) { return r >= 1 ? 0 : Mb * MomentReductionForShear(r); }

double beta_min_linear(kNm Mstar, kNm M0, kNm M1) {
  // Without any gain from the slab, a moment above the steel's capacity cannot be reached.
  return Ratio(Mstar - M0, M1 - M0, Mstar > M0 ? std::numeric_limits<double>::infinity() : 0);
}

double beta_min_equal_flanges(bool IsVeryDuctile, mm Le, MPa fy) {
  const double L = Le / 1000;  // m
  const double e = Ratio(355, fy, 1);
  double beta;
  if (L > 25) beta = 1;
  else beta = IsVeryDuctile ? 1 - (1 - 0.04 * L) * e : 1 - e * (0.75 - 0.03 * L);
  return std::max(beta, 0.4);
}

double beta_min_unequal_flanges(mm Le, MPa fy) {
  const double L = Le / 1000;  // m
  const double e = Ratio(355, fy, 1);
  const double beta = L > 20 ? 1 : 1 - e * (0.3 - 0.015 * L);
  return std::max(beta, 0.4);
}

double beta_min_ductility(bool IsVeryDuctile, double FlangeAreaRatio, MPa fy, mm Le) {
  const double equal = beta_min_equal_flanges(IsVeryDuctile, Le, fy);
  const double unequal = beta_min_unequal_flanges(Le, fy);
  if (FlangeAreaRatio <= 1) return equal;
  if (FlangeAreaRatio >= 3) return unequal;
  return equal + (unequal - equal) * (FlangeAreaRatio - 1) / 2;
}

double beta_actual(double ni, kN fds, kN Fcc) { return Ratio(ni * fds, Fcc); }

// ---------------------------------------------------------------------------
// Steel section.

double lambda_ey_web(double alpha_y) { return 60 / alpha_y; }

mm dc_noncompact_web(mm tw, MPa fyw) { return 15 * tw * as4100::InverseYieldStressFactor(fyw); }

}  // namespace as2327_2017

// ---------------------------------------------------------------------------
// The edition behind the interface.

namespace {

using namespace unit;
namespace ed = as2327_2017;

const TStandardTerms kTerms = {
    "Steel elastic modulus Es",
    "Concrete elastic modulus Ec",
    nullptr,
    "Nominal shear capacity of connector PRk",
    "Ds (mm)",
    "\"Vpl,Rd (kN)\"",
    "\"Vcomp,beta (kN)\"",
    "Vcomp,\xCE\xB2 (kN)",
    "(Cl 1.1.1a) ",
};

class TStandard2017 final : public TStandard {
 public:
  int Version() const override { return kStandard2017; }
  std::string Name() const override { return "AS/NZS2327:2017"; }
  const TStandardTerms& Terms() const override { return kTerms; }
  double phi(TCapacityFactorType Kind) const override { return ed::phi(Kind); }

  MPa Ec(MPa fc, kg_m3 rho, bool WillUseEcTable) const override { return ed::Ec(fc, rho, WillUseEcTable); }
  MPa EcForConnectors(MPa fc, kg_m3 rho, bool WillUseEcTable) const override {
    return ed::Ec(fc, rho, WillUseEcTable);
  }
  void CheckConcreteStrength(MPa fc, TStatus& Status) const override {
    Status.CheckMax(fc, 50.0, elWarning,
                    "Concrete strength grade should not exceed %.0f MPa for this version of " + GetAppName());
  }

  bool IgnoresConcreteBelowRibs(const TSteelDeck& Deck) const override {
    return ed::IgnoresConcreteBelowRibs(Deck.DeckType, Deck.WillIgnoreConcreteBelowRibs);
  }
  double lambda(const TSteelDeck& Deck, degrees theta) const override {
    if (Deck.IsSolidSlab()) return 1;
    if (theta > 60 || IgnoresConcreteBelowRibs(Deck)) return 0;
    // Ribs that cross the beam at more than 15 degrees leave no concrete that counts.
    return theta > 15 ? 0 : 1;
  }
  void CheckDeck(const TSteelDeck&, TStatus&) const override {}

  kN PRk(const TShearConnector& Connector, const TConcreteFloor& Concrete, MPa fuc_max,
         TStatus& Status) const override {
    // The lesser of shank failure and concrete failure; the coefficient
    // covers studs and bolts of 15.9 to 25 mm only.
    const mm dbs = Connector.dbs;
    double c = 0;
    if (dbs >= 15.9 && dbs <= 25) {
      if (Connector.ConnectorType == ctHeadedStud)
        c = 0.7;
      else if (Connector.ConnectorType == ctHighStrengthBolt)
        c = 0.5;
      else
        Status.SetError(elError, "Shear connector type not recognised");
    }
    const MPa Ec = EcForConnectors(Concrete.ConcreteStrength, Concrete.Density, Concrete.WillUseEcTable);
    return std::min(ed::PRk_shank(c, dbs, Connector.fuc, fuc_max),
                    ed::PRk_concrete(dbs, Ec, Concrete.ConcreteStrength));
  }
  void CheckConnector(const TShearConnector& Connector, TStatus& Status) const override {
    if (Connector.ConnectorType == ctChannel) Status.SetError(elError, "Channel shear connector not permitted");
    if (Connector.ConnectorType == ctHeadedStud)
      Status.CheckRange(Connector.dbs, 15.9, 22.2, elWarning,
                        "(Cl 3.6.2.2.1) Headed shear stud diameter must be between %.1f and %.1f mm");
  }
  void CheckFloor(mm Ds, const TSteelDeck& Deck, const TShearConnector& Connector,
                  TStatus& Status) const override {
    const mm hr = Deck.hr;
    const bool profiled = !Deck.IsSolidSlab();
    const bool stud = Connector.ConnectorType == ctHeadedStud;
    const mm projection = Connector.hsc - hr;
    Status.CheckMin(Ds, 100.0, elWarning, "(Cl 2.2.1) Composite slab depth must be at least %.0f mm");
    if (profiled)
      Status.CheckMin(Ds - hr, 50.0, elWarning,
                      "(Cl 2.2.1) Thickness of the concrete above the sheeting must be at least %.0f mm");
    Status.CheckMax(Ds, 4 * (Ds - hr), elWarning, "(Table 2.2.1 Note 1) Overall slab depth should not exceed 4*hc");
    if (profiled && !stud)
      Status.CheckMin(projection, 2 * Connector.dbs, elWarning,
                      "(Cl 3.6.2.2.2) Shear connectors must extend at least 2xdbs above the top of the steel decking");
    if (profiled && stud) {
      Status.CheckMin(
          projection, 2 * Connector.dbs, elWarning,
          "(Cl 3.6.2.2.1, 3.6.2.7.3) Headed studs must extend at least 2xdbs above the top of the steel decking");
      Status.CheckMin(Deck.sr, 50.0, elWarning,
                      "(Cl 3.6.2.7.3) Steel deck trough width must be at least %.0f mm when using headed studs");
    }
  }
  double kt(int n, degrees theta, mm TroughWidth, const TSteelDeck& Deck,
            const TShearConnector& Connector) const override {
    const mm hr = Deck.hr;
    const mm h = std::min(Connector.hsc, hr + 75);
    const mm b0 = std::max(TroughWidth, Deck.b0());
    double k = 1;
    if (theta <= 15 && (Deck.DeckType == 1 || Deck.DeckType == 2))
      k = ed::kl(b0, hr, h);
    else if (theta > 15 && Deck.DeckType != 0)
      k = ed::kt_transverse(n, Deck.DeckType, b0, hr, h, Deck.t, Connector.IsThroughDeckWelded, Connector.dbs);
    return ed::kt_with_profile(k, Deck.Beta);
  }
  void FitSpacingToRibs(const TSteelDeck& Deck, mm cL, mm cR, mm& smin, mm& smax) const override {
    // One connector per rib counts; in an open trapezoidal deck every rib holds one.
    const double nr = 1;
    smax = as2327::smax_in_ribs(cL, cR, nr, smax);
    if (Deck.DeckType == 1) {
      if (cL <= smax) smax = cL;
      if (cR <= smax) smax = cR;
      smin = std::max(smin, smax);
    }
    smin = as2327::smin_in_ribs(cL, cR, nr, smin);
  }
  int MaxConnectorsPerGroup(bool IsSolidSlab) const override { return IsSolidSlab ? 3 : 2; }
  int ni(kN Fcp, kN fds) const override { return as2327::ni(Fcp, fds); }
  double beta_actual(double ni_actual, kN fds, kN Fcc) const override { return ed::beta_actual(ni_actual, fds, Fcc); }

  double lambda_ey_web(double alpha_y) const override { return ed::lambda_ey_web(alpha_y); }
  TNonCompactWeb NonCompactWeb(mm dp, mm tw, MPa fyw, mm tf1, mm y, double) const override {
    // Only a depth of 15 tw next to the compression flange and next to the
    // tension zone counts; the web between them is ignored. The tension zone
    // below the centroid is fully effective (none when the centroid lies
    // below the web).
    TNonCompactWeb web{};
    web.dc1 = ed::dc_noncompact_web(tw, fyw);
    web.dc2 = std::max(0.0, tf1 + dp - y) + web.dc1;
    web.tw_eff = tw;
    web.IsInvalid = web.dc1 + web.dc2 > dp;
    if (web.IsInvalid) web.dc2 = std::max(0.0, dp - web.dc1);
    return web;
  }

  mm beff_side(mm b, mm Lef, mm x, mm, mm, bool) const override {
    return ed::beff_side(b, ed::beta_beff(b, Lef), ed::beff_position_factor(x, Lef));
  }
  kN Vslab(mm Dslab, mm bsf1, double lambdasd, MPa fc) const override {
    return ed::Vslab(Dslab, bsf1, lambdasd, fc);
  }
  kN Vcomp(kN Vslab, kN Vv, double beta, double lambdasd) const override {
    const kN V = phi(cfVerticalShearConcrete) * Vslab + phi(cfVerticalShearSteel) * Vv;
    return ed::Vcomp(V, beta, lambdasd);
  }

  kNm phiMbv(double beta, const TConnectionSection& Section) const override {
    return ed::MbAdjustedForShear(Section.Mb(beta), Section.shear_ratio());
  }
  double beta_min(kNm Mstar, const TConnectionSection& Section, bool IsVeryDuctile) const override {
    // The dependable capacity with the reduction for shear worked out once.
    const double r = Section.shear_ratio();
    const double reduction = ed::MomentReductionForShear(r);
    auto capacity = [&](double beta) { return r >= 1 ? 0 : Section.Mb(beta) * reduction; };
    if (IsVeryDuctile) return ed::beta_min_linear(Mstar, capacity(0), capacity(1));
    // The dependable capacity rises with beta: the degree at which it reaches M*.
    return TSolver(0, 1, capacity).Findx(Mstar, 0.001, 500);
  }
  double beta_min_at_max_moment(bool IsVeryDuctile, double FlangeAreaRatio, MPa fy, mm Le) const override {
    return ed::beta_min_ductility(IsVeryDuctile, FlangeAreaRatio, fy, Le);
  }

  bool ChecksCombinedBendingAndShear() const override { return true; }
  bool HasConnectorReductionFactor() const override { return true; }
};

}  // namespace

const TStandard& Standard2017() {
  static const TStandard2017 standard;
  return standard;
}
