// TBeam: the shear connector loop. For n connectors per group (per deck rib,
// or per transverse row in a solid slab): the count required at every
// critical cross-section, a distribution along the span that covers them all,
// corrections for the maximum and minimum spacing, the degree of shear
// connection provided and the dependable moment capacity. Counts run from the
// nearer support, so the count at the maximum-moment position covers half the
// beam.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "components/cCapacityFactor.h"
#include "components/cStandard.h"
#include "engine/cBeam.h"
#include "entity/VEXUtility.h"

namespace {

// A pass that keeps changing counts after this many repeats has met inputs it
// cannot settle; stopping keeps the analysis finite.
constexpr int kMaxSpacingPasses = 1000;

// Connectors by which a change of count may exceed what fits at the minimum
// spacing before it counts as a violation. A change that fits exactly (every
// rib holding its connector when the minimum and maximum spacing are both the
// rib pitch) must pass, whatever the last bit of the division says.
constexpr double kMinSpacingTolerance = 1e-6;

}  // namespace

// ---------------------------------------------------------------------------
// Connector capacity.

double TBeam::kt(int n) const {
  if (!Is2017Edition()) return 1;
  if (!SteelDeck || !ShearConnector) return 1;
  const TSteelDeck& deck = *SteelDeck;
  const TShearConnector& sc = *ShearConnector;
  const double theta = std::max(ThetaSide1, ThetaSide2);
  const double hr = deck.hr;
  const double h = std::min(sc.hsc, hr + 75);
  const double b = std::max(TroughWidth, deck.b0());
  double k = 1;
  if (theta <= 15 && (deck.DeckType == 1 || deck.DeckType == 2)) {
    // Ribs parallel to the beam.
    if (hr > 0) k = std::min(1.0, 0.6 * (b / hr) * (h / hr - 1));
  } else if (theta > 15 && deck.DeckType != 0) {
    // Ribs across the beam.
    double value = 0;
    if (sc.IsThroughDeckWelded && deck.DeckType == 1) {
      if (n <= 1) value = deck.t <= 1 ? 0.85 : 1.0;
      else if (n == 2) value = deck.t <= 1 ? 0.7 : 0.8;
    } else if (sc.IsThroughDeckWelded && (deck.DeckType == 2 || deck.DeckType == 3)) {
      value = 1.0;
    } else if (!sc.IsThroughDeckWelded) {
      if (sc.dbs >= 19 && sc.dbs <= 22) {
        if (n <= 1) value = 0.75;
        else if (n == 2) value = 0.6;
      }
    }
    if (hr > 85 || b < hr || (sc.IsThroughDeckWelded && sc.dbs > 20) || (!sc.IsThroughDeckWelded && sc.dbs > 22))
      value = 0;
    if (deck.DeckType == 3) k = std::min(value, 1.0);
    else if ((deck.DeckType == 1 || deck.DeckType == 2) && n > 0 && hr > 0)
      k = std::min(value, (0.7 / std::sqrt(n)) * (b / hr) * (h / hr - 1));
    else k = value;
  }
  return std::min(1.0, k * deck.Beta);
}

double TBeam::fucMax() const { return ThetaSide1 > 15 || ThetaSide2 > 15 ? 450 : 500; }

double TBeam::fds(int n) const {
  return CapacityFactor(cfLongitudinalShearStuds) * kt(n) * ShearConnector->CalcPRk(*ConcreteFloor, fucMax());
}

bool TBeam::IsConnectorVeryDuctileAt(const TPCC& PCC, int n) const {
  const TShearConnector& sc = *ShearConnector;
  const TSteelSection* s = PCC.CompositeSection.SteelSection;
  if (sc.ConnectorType != 0 || sc.hsc < 76 || sc.dbs < 18.5 || sc.dbs > 19.5) return false;
  if (!s || s->IsPlated() || s->IsNotched() || s->BaseSteelSection.HasTwoWebs || s->FlangeAreaRatio() != 1)
    return false;
  if (ThetaSide1 < 85 || ThetaSide2 < 85 || TroughWidth != 0) return false;
  if (!SteelDeck->IsSolidSlab() && (Ratio(SteelDeck->b0(), SteelDeck->hr, 0) < 2 || SteelDeck->hr > 60)) return false;
  return n == 1;
}

// ---------------------------------------------------------------------------
// Required and distributed connectors.

void TBeam::ShearStudCapability(int nr) {
  const double f = fds(nr);
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    p.CalculateMinimumShearConnection(Span, f, x_max_des_mom, IsConnectorVeryDuctileAt(p, nr));
  }
}

void TBeam::SetActualStudsAtPCC(TPCC& PCC, int n, double Value) {
  // 1 at midspan, 0 at the supports.
  auto weight = [&] { return 1 - std::fabs(Ratio(PCC.x, Span / 2) - 1); };
  if (PCC.ni_user > 0) {
    PCC.ni_actual = PCC.ni_user;
  } else if (StudCountBasis == 1 && UserBeta > 0) {
    const TPCC* mid = GetPCCAt(Span / 2);
    const double Fcc = mid ? mid->CompositeSection.Fcc : 0;
    const double f = fds(n);
    PCC.ni_actual = f < 0.000001 ? 1000000 : weight() * Fcc * UserBeta / f;
  } else if (StudCountBasis == 2 && UserStudCount > 0) {
    PCC.ni_actual = UserStudCount / 2.0 * weight();
  } else {
    PCC.ni_actual = Value;
  }
}

void TBeam::DetermineStudDistribution(int nr_max) {
  // The least concave piecewise-linear envelope through the requirements,
  // built from each support towards the position with the most connectors.
  const int count = PCCList.Count();
  if (count == 0) return;
  const int m = PCCList.IndexOfMaxStuds();
  const double xM = PCCList.PCC(m)->x;

  double NM = PCCList.PCC(m)->ni_actual;
  int a = 0;
  while (a < m) {
    const TPCC& anchor = *PCCList.PCC(a);
    const double xa = anchor.x, na = anchor.ni_actual;
    double s = Ratio(NM - na, xM - xa);
    int best = m;
    for (int j = a + 1; j < m; ++j) {
      const TPCC& p = *PCCList.PCC(j);
      if (!p.IsPCC) continue;
      const double slope = Ratio(p.ni_actual - na, p.x - xa);
      if (slope > s) {
        s = slope;
        best = j;
      }
    }
    for (int j = a; j <= best; ++j) SetActualStudsAtPCC(*PCCList.PCC(j), nr_max, s * PCCList.PCC(j)->x + (na - s * xa));
    a = best;
  }

  NM = PCCList.PCC(m)->ni_actual;
  a = count - 1;
  while (a > m) {
    const TPCC& anchor = *PCCList.PCC(a);
    const double xa = anchor.x, na = anchor.ni_actual;
    double s = Ratio(NM - na, xM - xa);
    int best = m;
    for (int j = a - 1; j > m; --j) {
      const TPCC& p = *PCCList.PCC(j);
      if (!p.IsPCC) continue;
      const double slope = Ratio(p.ni_actual - na, p.x - xa);
      if (slope < s) {
        s = slope;
        best = j;
      }
    }
    for (int j = a; j >= best; --j) SetActualStudsAtPCC(*PCCList.PCC(j), nr_max, s * PCCList.PCC(j)->x + (na - s * xa));
    a = best;
  }
}

// ---------------------------------------------------------------------------
// Spacing rules.

void TBeam::StudSpacingLimitsAt(double x, double& smin, double& smax, int& nGroupMax) {
  const TPCC* p = GetPCCAt(x);
  const TSteelDeck& deck = *SteelDeck;
  smax = TShearConnector::MaxSpacing(Ds);
  smin = ShearConnector->MinSpacing();
  const double per_rib = Is2017Edition() ? 1 : deck.StudsPerRib();
  const double theta_left = p ? p->CompositeSection.thetaLeft : ThetaSide1;
  const double theta_right = p ? p->CompositeSection.thetaRight : ThetaSide2;
  if (theta_left >= 45 && theta_right >= 45 && !deck.IsSolidSlab() && deck.sr > 0) {
    // Connectors go in the ribs: spacings are whole numbers of rib pitches along the beam.
    const double deg = std::numbers::pi / 180;
    const double cL = deck.sr / std::sin(theta_left * deg);
    const double cR = deck.sr / std::sin(theta_right * deg);
    smax = std::max(cL * std::trunc(smax / (cL / per_rib)) / per_rib, cR * std::trunc(smax / (cR / per_rib)) / per_rib);
    if (Is2017Edition() && deck.DeckType == 1) {
      if (cL <= smax) smax = cL;
      if (cR <= smax) smax = cR;
      smin = std::max(smin, smax);
    }
    smin = std::max(smin, std::min(cL, cR) / per_rib);
  }
  const TSteelSection* s = p ? p->CompositeSection.SteelSection : nullptr;
  if (s && s->BaseSteelSection.HasTwoWebs) {
    nGroupMax = 1;
  } else {
    switch (ShearConnector->ConnectorType) {
      case 0: nGroupMax = deck.IsSolidSlab() ? 3 : 2; break;
      case 1: nGroupMax = 1; break;
      case 2: nGroupMax = 2; break;
      default:
        Status.SetError(elError, "Unknown Shear Connector type");
        nGroupMax = 1;
    }
  }
}

void TBeam::AdjustStudSpacing(int nr_max) {
  const int count = PCCList.Count();
  if (count < 2) return;
  // The limits depend on positions and sections only: work them out once.
  struct Limits {
    double smin, smax;
    int group;
  };
  std::vector<Limits> limits(count);
  for (int i = 0; i < count; ++i) StudSpacingLimitsAt(PCCList.PCC(i)->x, limits[i].smin, limits[i].smax, limits[i].group);
  auto may_change = [&](const TPCC& p) { return p.ni_user <= 0 && StudCountBasis == 0; };

  // Maximum spacing: fill positions that lie too far from their neighbours' connectors.
  double S = 0;
  for (int i = 0; i + 1 < count; ++i) S = std::max(S, limits[i].smax);
  if (S > 0) {
    for (int i = 1; i + 1 < count; ++i) {
      TPCC& P = *PCCList.PCC(i);
      double left = 0, right = 0;
      for (int g = 0; g < i; ++g) left = std::max(left, (P.x - PCCList.PCC(g)->x) / S + PCCList.PCC(g)->ni_actual);
      for (int k = i + 1; k < count; ++k) right = std::max(right, (PCCList.PCC(k)->x - P.x) / S + PCCList.PCC(k)->ni_actual);
      const double need = std::min(left, right);
      if (P.ni_actual < need && P.x > 50 && P.x < Span - 50 && may_change(P)) P.ni_actual = need;
    }
  }

  // Spacing passes, repeated until one changes nothing.
  for (int pass = 0; pass < kMaxSpacingPasses; ++pass) {
    bool changed = false;
    Min_spacing_violation = false;
    for (int i = 1; i + 1 < count; ++i) {
      TPCC& P = *PCCList.PCC(i);
      int l = i - 1;
      while (l > 0 && !PCCList.PCC(l)->IsPCC) --l;
      int r = i + 1;
      while (r < count - 1 && !PCCList.PCC(r)->IsPCC) ++r;
      const TPCC& L = *PCCList.PCC(l);
      const TPCC& R = *PCCList.PCC(r);
      const double nrL = std::min(nr_max, limits[l].group);
      const double nrP = std::min(nr_max, limits[i].group);
      const int m = PCCList.IndexOfMaxStuds();
      const double NM = PCCList.PCC(m)->ni_actual;
      const double A = Ratio(P.x - L.x, limits[l].smax) + L.ni_actual;
      const double B = Ratio(R.x - P.x, limits[i].smax) + R.ni_actual;
      const double C = std::min(A, B);
      double v;
      if (i < m) v = std::min(std::max(NM, C), std::max(P.ni_actual, A));
      else if (i > m) v = std::min(std::max(NM, C), std::max(P.ni_actual, B));
      else v = std::max(P.ni_actual, C);
      if (v != P.ni_actual && P.x > 0.05 && P.x < Span - 0.05 && may_change(P)) {
        P.ni_actual = v;
        changed = true;
      }
      // The change of count between neighbouring positions must fit at the
      // minimum spacing with the connectors a group may hold.
      if ((P.x - L.x) * nrL / limits[l].smin < std::fabs(v - L.ni_actual) - kMinSpacingTolerance ||
          (R.x - P.x) * nrP / limits[i].smin < std::fabs(v - R.ni_actual) - kMinSpacingTolerance)
        Min_spacing_violation = true;
    }
    if (!changed) break;
  }
}

// ---------------------------------------------------------------------------
// Provided connection and dependable capacity.

void TBeam::CalcDependableCapacity(int nr_max) {
  const double f = fds(nr_max);
  const double phic = CapacityFactor(cfBendingConcrete);
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    const TCompositeSectionAtPCC& cs = p.CompositeSection;
    const double Fcc = cs.Fcc;
    double beta;
    if (Is2017Edition()) {
      beta = Ratio(p.ni_actual * f, Fcc);
    } else {
      const double c = std::floor(std::min(p.ni_actual + 0.000001, 1e9));
      beta = c > 0 ? Ratio(c * (1.18 - 0.18 / std::sqrt(c)) * f, Fcc / phic) : 0;
    }
    p.beta_actual = std::min(beta, 1.0);

    if (Is2017Edition()) {
      p.phiMbv = p.MbAdjustedForShear(p.beta_actual);
    } else {
      const double b = p.beta_actual;
      const double Vcomp = p.GetVcomp();
      const double r = Ratio(std::fabs(p.GetVdes(stStrength, 7)), Vcomp, 1);
      const double Mb0 = cs.Mb(0), Mb05 = cs.Mb(0.5), Mb1 = cs.Mb(1);
      if (r <= 0.5) {
        p.phiMbv = b > 0.5 ? (2 * b - 1) * Mb1 - 2 * (b - 1) * Mb05 : (1 - 2 * b) * Mb0 + 2 * b * Mb05;
      } else {
        const double Mbfc = cs.Mbfc();
        const double psi = cs.psi;
        const double R0 = 2 * (1 - r) * Mb0 + (2 * r - 1) * cs.Msf();
        const double P = 2 * (1 - r) * cs.Mb(psi) + (2 * r - 1) * Mbfc;
        const double Q = 2 * (1 - r) * Mb1 + (2 * r - 1) * Mbfc;
        p.phiMbv = b > psi ? P + Ratio(b - psi, 1 - psi) * (Q - P) : R0 + Ratio(b, psi) * (P - R0);
      }
    }
  }
}

void TBeam::CheckHighStressEffectOnStuds(int n) {
  if (WillIgnoreHighStressEffectOnStuds) return;
  bool raised = false;
  bool forced_violation = false;
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    if (!p.IsPCC || p.beta_actual >= 0.4) continue;
    const TSteelSection* s = p.CompositeSection.SteelSection;
    if (!s) continue;
    // Below 0.4 the stresses are taken on the bare steel.
    double top = p.GetStress(stConstrucStress, 5, flTop);
    top = std::max(top, p.GetStress(stConstrucStress, 6, flTop));
    top = std::max(top, p.GetStress(stShort, 7, flTop));
    double bottom = std::fabs(p.GetStress(stConstrucStress, 5, flBottom));
    bottom = std::max(bottom, std::fabs(p.GetStress(stConstrucStress, 6, flBottom)));
    bottom = std::max(bottom, std::fabs(p.GetStress(stShort, 7, flBottom)));
    if (top > s->StressLimitTop() || bottom > std::fabs(s->StressLimitBottom())) {
      p.beta_actual = 0.4;
      const int c = TPCC::CalculateNi(0.4 * p.CompositeSection.Fcc, fds(n));
      if (c > p.ni_actual) {
        if (p.ni_user <= 0 && StudCountBasis == 0) {
          p.ni_actual = c;
          raised = true;
        } else {
          forced_violation = true;
        }
      }
    }
  }
  if (forced_violation) Min_spacing_violation = true;
  if (raised) {
    DetermineStudDistribution(n);
    AdjustStudSpacing(n);
    CalcDependableCapacity(n);
    CalculateServiceabilityProperties();
    AnalyseConstructionLoads();
    // A count that could not be raised stays a spacing problem after the repeat.
    if (forced_violation) Min_spacing_violation = true;
  }
}
