// AS/NZS 2327.1:2003: its formulas (Standard2003.h) and its rules behind the
// TStandard interface.
#include "components/Standard2003.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <numbers>

#include "components/cConcreteFloor.h"
#include "components/cFormulas.h"
#include "components/cShearConnector.h"
#include "components/cStandard.h"
#include "components/cSteelDeck.h"
#include "components/cSteelFormulas.h"
#include "entity/VEXUtility.h"
#include "entity/cStatus.h"

namespace as2327_2003 {

double phi(TCapacityFactorType Kind) {
  switch (Kind) {
    case cfBendingSteel: return 0.9;
    case cfBendingConcrete: return 0.9;
    case cfVerticalShearSteel: return 0.9;
    case cfVerticalShearConcrete: return 0.0;  // the slab adds nothing to vertical shear
    case cfLongitudinalShearComposite: return 0.7;
    case cfLongitudinalShearStuds: return 0.85;
  }
  return 0;
}

// ---------------------------------------------------------------------------
// Concrete.

MPa fcm(MPa fc) {
  if (fc < 0) return 0;
  if (fc == 20) return 24;
  if (fc == 25) return 29.5;
  if (fc == 32) return 37.5;
  if (fc == 40) return 46;
  return 1.0833 * fc + 2.333;
}

MPa Ec(MPa fc, kg_m3 rho) { return as2327::Ec_rho_f(rho, fcm(fc)); }

MPa EcForConnectors(MPa fc, kg_m3 rho) { return as2327::Ec_rho_f(rho, fc); }

// ---------------------------------------------------------------------------
// Deck and connectors.

double lambda_inclined_ribs(degrees theta, mm b0, mm sr) {
  // Without a rib pitch there is no share to count, and a steel rib wider
  // than the pitch leaves no concrete.
  if (sr <= 0) return 0;
  const double c = std::cos(theta * std::numbers::pi / 180.0);
  return std::clamp(c * c * b0 / sr, 0.0, 1.0);
}

kN fvs_stud(mm dbs, MPa fuc, MPa fc, MPa Ec) {
  const double dbs2 = dbs * dbs;
  return std::min(0.63 * dbs2 * fuc, 0.31 * dbs2 * std::sqrt(std::max(fc * Ec, 0.0))) / 1000;
}

namespace {

// Nominal capacity (kN) of bolts and channels by f'c (MPa).
constexpr double kTablefc[] = {15, 20, 25, 32, 40};
constexpr double kTableBolt[] = {67, 83, 98, 118, 126};
constexpr double kTableChannel[] = {76, 95, 100, 110, 125};
constexpr size_t kTableCount = std::size(kTablefc);

}  // namespace

kN fvs_bolt_or_channel(bool IsChannel, MPa fc, bool IsLightweight) {
  const double(&fvs)[kTableCount] = IsChannel ? kTableChannel : kTableBolt;
  double value = fvs[kTableCount - 1];
  for (size_t i = 0; i + 1 < kTableCount; ++i) {
    if (kTablefc[i] <= fc && fc < kTablefc[i + 1]) {
      value = Interpolate(fc, kTablefc[i], kTablefc[i + 1], fvs[i], fvs[i + 1]);
      break;
    }
  }
  if (IsLightweight) value *= 0.8;
  return value;
}

double kn(double n) { return 1.18 - 0.18 / std::sqrt(n); }

int ni_with_group_factor(int n, kN Fcp, kN fds, double phi_c) {
  // The forces include the concrete capacity factor, hence the division by it.
  const double target = Fcp / phi_c / fds;
  double c = n;
  for (int iteration = 0; iteration < 200; ++iteration) {
    const double c_prev = c;
    c = std::max(1.0, target / kn(c_prev));
    if (std::fabs(c_prev / c - 1) <= 0.001) break;
  }
  return c < as2327::kMaxConnectors ? static_cast<int>(std::ceil(c)) : as2327::kMaxConnectors;
}

double beta_actual(double ni, kN fds, kN Fcc, double phi_c) {
  const double c = std::floor(std::min(ni + 0.000001, 1e9));  // whole connectors
  return c > 0 ? Ratio(c * kn(c) * fds, Fcc / phi_c) : 0;
}

// ---------------------------------------------------------------------------
// Composite section and partial shear connection.

mm beff_side(mm b, mm bsf1, mm Dc, bool IsEdge) { return std::min(b, bsf1 / 2 + (IsEdge ? 6 : 8) * Dc); }

kNm MomentReducedForShear(double r, kNm M, kNm Mf) { return 2 * (1 - r) * M + (2 * r - 1) * Mf; }

kNm phiMbv_low_shear(double beta, kNm Mb0, kNm Mb05, kNm Mb1) {
  return beta > 0.5 ? (2 * beta - 1) * Mb1 - 2 * (beta - 1) * Mb05 : (1 - 2 * beta) * Mb0 + 2 * beta * Mb05;
}

kNm phiMbv_high_shear(double beta, double psi, kNm R0, kNm P, kNm Q) {
  return beta > psi ? P + Ratio(beta - psi, 1 - psi) * (Q - P) : R0 + Ratio(beta, psi) * (P - R0);
}

double beta_min_low_shear(kNm Mstar, kNm Mb0, kNm Mb05, kNm Mb1) {
  // When Mb(1) is no more than Mb(0.5), a moment above Mb(0.5) cannot be reached.
  if (Mstar > Mb05)
    return Ratio(Mstar + Mb1 - 2 * Mb05, 2 * (Mb1 - Mb05), std::numeric_limits<double>::infinity());
  return Ratio(Mstar - Mb0, 2 * (Mb05 - Mb0));
}

double beta_min_high_shear(kNm Mstar, double r, double psi, kNm R0, kNm P, kNm Mbpsi, kNm Mb1) {
  if (Mstar > P) {
    double D = Mb1 - Mbpsi;
    if (D <= 0.000001) D = 0.000001;
    return psi + (1 - psi) * (Mstar - P) / (2 * (1 - r) * D);
  }
  return psi * Ratio(Mstar - R0, P - R0);
}

// ---------------------------------------------------------------------------
// Steel section.

double lambda_ey_web(double alpha_y) { return alpha_y < 0.5 ? 57.5 / alpha_y : 322 / (1 + 3.6 * alpha_y); }

mm tw_eff_noncompact_web(mm dp, mm tw, MPa fyw, double alpha_p) {
  const mm di = std::max(0.0, alpha_p * dp - 30 * tw * as4100::InverseYieldStressFactor(fyw));
  return tw * Ratio(dp - di, dp);
}

}  // namespace as2327_2003

// ---------------------------------------------------------------------------
// The edition behind the interface.

namespace {

using namespace unit;
namespace ed = as2327_2003;

const TStandardTerms kTerms = {
    "Es",
    "Ec for serviceability",
    "Ec for shear connector strength",
    "fvs",
    "Dc (mm)",
    "phi.Vv (kN)",
    "phi.Vv (kN)",
    "\xCF\x86Vv (kN)",
    "",
};

class TStandard2003 final : public TStandard {
 public:
  int Version() const override { return kStandard2003; }
  std::string Name() const override { return "AS/NZS2327.1-2003"; }
  const TStandardTerms& Terms() const override { return kTerms; }
  double phi(TCapacityFactorType Kind) const override { return ed::phi(Kind); }

  MPa Ec(MPa fc, kg_m3 rho, bool) const override { return ed::Ec(fc, rho); }
  MPa EcForConnectors(MPa fc, kg_m3 rho, bool) const override { return ed::EcForConnectors(fc, rho); }
  void CheckConcreteStrength(MPa fc, TStatus& Status) const override {
    Status.CheckMax(fc, 40.0, elWarning, "Concrete strength grade should not exceed %.0f MPa");
  }

  bool IgnoresConcreteBelowRibs(const TSteelDeck& Deck) const override { return Deck.DeckType == 1; }
  double lambda(const TSteelDeck& Deck, degrees theta) const override {
    if (Deck.IsSolidSlab()) return 1;
    if (theta > 60 || IgnoresConcreteBelowRibs(Deck)) return 0;
    if (theta > 15) return ed::lambda_inclined_ribs(theta, Deck.b0(), Deck.sr);
    return 1;
  }
  void CheckDeck(const TSteelDeck& Deck, TStatus& Status) const override {
    if (Deck.IsSolidSlab()) return;
    Status.CheckMax(Deck.VoidRatio, 0.2, elWarning,
                    "(Old Cl 1.2.4c) Void ratio within the steel deck should be less than %.1f");
    // The rules cover decks with ribs no higher than 80 mm, and ask for at
    // least 150 mm of concrete between steel ribs, b0 = sr - bsr (bcr in the
    // text of the edition).
    Status.CheckMax(Deck.hr, 80.0, elWarning, "(Old Cl 1.2.4a) Height of steel deck should not exceed %.0f mm");
    Status.CheckMin(Deck.b0(), 150.0, elWarning,
                    "(Old Cl 1.2.4d) Width of concrete between the mid-height of adjacent steel ribs (bcr) "
                    "should be at least %.0f mm");
  }

  kN PRk(const TShearConnector& Connector, const TConcreteFloor& Concrete, MPa,
         TStatus& Status) const override {
    const MPa fc = Concrete.ConcreteStrength;
    const int type = Connector.ConnectorType;
    if (type == ctHeadedStud)
      return ed::fvs_stud(Connector.dbs, Connector.fuc, fc, EcForConnectors(fc, Concrete.Density, false));
    if (type == ctHighStrengthBolt || type == ctChannel) {
      if (fc < 15) {
        Status.SetError(elWarning, "f'cj too low to calculate shear connector capacity");
        return 0;
      }
      return ed::fvs_bolt_or_channel(type == ctChannel, fc, as2327::IsLightweight(Concrete.Density));
    }
    Status.SetError(elWarning, "Shear connector type not recognised");
    return 0;
  }
  void CheckConnector(const TShearConnector& Connector, TStatus& Status) const override {
    if (Connector.ConnectorType == ctHeadedStud)
      Status.CheckRange(Connector.dbs, 15.9, 19.0, elWarning,
                        "Headed shear stud diameter must be between %.1f and %.1f mm for " + Name());
  }
  void CheckFloor(mm Ds, const TSteelDeck& Deck, const TShearConnector& Connector,
                  TStatus& Status) const override {
    const mm hr = Deck.hr;
    Status.CheckRange(Ds, 120.0, 500.0, elWarning, "Slab depth must be between %.0f and %.0f mm");
    if (!Deck.IsSolidSlab())
      Status.CheckMin(Ds - hr, 65.0, elWarning,
                      "(Old Cl 1.2.4e) Thickness of the concrete above the sheeting must be at least %.0f mm");
    if (Connector.ConnectorType == ctHeadedStud)
      Status.CheckMin(Connector.hsc - hr, 40.0, elWarning,
                      "(Old Cl 8.2.2.1) Studs must extend at least %.0f above the top of the steel decking");
  }
  // The edition does not reduce the connectors' capacity for the deck.
  double kt(int, degrees, mm, const TSteelDeck&, const TShearConnector&) const override { return 1; }
  void FitSpacingToRibs(const TSteelDeck& Deck, mm cL, mm cR, mm& smin, mm& smax) const override {
    const double nr = Deck.StudsPerRib();  // the connectors a rib holds
    smax = as2327::smax_in_ribs(cL, cR, nr, smax);
    smin = as2327::smin_in_ribs(cL, cR, nr, smin);
  }
  int MaxConnectorsPerGroup(bool) const override { return 4; }
  int ni(kN Fcp, kN fds) const override {
    const int n = as2327::ni(Fcp, fds);
    if (n < 1 || n >= as2327::kMaxConnectors) return n;
    return ed::ni_with_group_factor(n, Fcp, fds, phi(cfBendingConcrete));
  }
  double beta_actual(double ni_actual, kN fds, kN Fcc) const override {
    return ed::beta_actual(ni_actual, fds, Fcc, phi(cfBendingConcrete));
  }

  double lambda_ey_web(double alpha_y) const override { return ed::lambda_ey_web(alpha_y); }
  TNonCompactWeb NonCompactWeb(mm dp, mm tw, MPa fyw, mm, mm, double alpha_p) const override {
    // The whole depth counts, at a reduced thickness.
    return TNonCompactWeb{dp / 2, dp / 2, ed::tw_eff_noncompact_web(dp, tw, fyw, alpha_p), false};
  }

  mm beff_side(mm b, mm, mm, mm bsf1, mm Dc, bool IsEdge) const override {
    return ed::beff_side(b, bsf1, Dc, IsEdge);
  }
  // The slab adds nothing to the vertical shear capacity.
  kN Vslab(mm, mm, double, MPa) const override { return 0; }
  kN Vcomp(kN Vslab, kN Vv, double, double) const override {
    return phi(cfVerticalShearConcrete) * Vslab + phi(cfVerticalShearSteel) * Vv;
  }

  kNm phiMbv(double beta, const TConnectionSection& Section) const override {
    const double r = Section.ShearRatioNow();
    const kNm Mb0 = Section.Mb(0), Mb05 = Section.Mb(0.5), Mb1 = Section.Mb(1);
    if (r <= 0.5) return ed::phiMbv_low_shear(beta, Mb0, Mb05, Mb1);
    const kNm Mbfc = Section.Mbfc();
    const double psi = Section.psi();
    const kNm R0 = ed::MomentReducedForShear(r, Mb0, Section.Msf());
    const kNm P = ed::MomentReducedForShear(r, Section.Mb(psi), Mbfc);
    const kNm Q = ed::MomentReducedForShear(r, Mb1, Mbfc);
    return ed::phiMbv_high_shear(beta, psi, R0, P, Q);
  }
  double beta_min(kNm Mstar, const TConnectionSection& Section, bool) const override {
    const double r = Section.shear_ratio();
    const kNm Mb0 = Section.Mb(0), Mb1 = Section.Mb(1);
    if (r <= 0.5) return ed::beta_min_low_shear(Mstar, Mb0, Section.Mb(0.5), Mb1);
    const double psi = Section.psi();
    const kNm Mbpsi = Section.Mb(psi);
    const kNm R0 = ed::MomentReducedForShear(r, Mb0, Section.Msf());
    const kNm P = ed::MomentReducedForShear(r, Mbpsi, Section.Mbfc());
    return ed::beta_min_high_shear(Mstar, r, psi, R0, P, Mbpsi, Mb1);
  }
  double beta_min_at_max_moment(bool, double, MPa, mm) const override { return ed::kBetaMinAtMaxMoment; }

  bool ChecksCombinedBendingAndShear() const override { return false; }
  bool HasConnectorReductionFactor() const override { return false; }
};

}  // namespace

const TStandard& Standard2003() {
  static const TStandard2003 standard;
  return standard;
}
