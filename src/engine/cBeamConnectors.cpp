// TBeam: the shear connector loop. For n connectors per group (per deck rib,
// or per transverse row in a solid slab): the count required at every
// critical cross-section, a distribution along the span that covers them all,
// corrections for the maximum and minimum spacing, the degree of shear
// connection provided and the dependable moment capacity. Counts run from the
// nearer support, so the count at the maximum-moment position covers half the
// beam.
#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "components/cCapacityFactor.h"
#include "components/cFormulas.h"
#include "components/cStandard.h"
#include "engine/cBeam.h"
#include "entity/VEXUtility.h"

namespace {

// A pass that keeps changing counts after this many repeats has met inputs it
// cannot settle; stopping keeps the analysis finite.
constexpr int kMaxSpacingPasses = 1000;

// The largest of max(0, n_g + (x - x_g) / S) over the positions g added so
// far, all left of x (Side -1), or of max(0, n_g + (x_g - x) / S) over those
// right of it (Side +1), equal to the last bit to what the expression gives
// for each g.
//
// In exact arithmetic the largest value comes from the position with the
// largest key n_g + Side x_g / S, whatever x. In floating point the
// expression rounds three times and is off by at most
// 3.01 u (|x - x_g| / S + |n_g|), u = 2^-53, so two positions' values can
// come out in either order only where their keys lie within the sum of their
// two bounds. Keys tie in a run of positions filled from the same neighbour
// (they lie on one line of slope 1/S): their values then differ only by
// rounding, and each of them is evaluated. Positions whose key lies below
// the best by more than Margin (the largest such bound anywhere on the beam)
// can never give the largest value and are not kept.
class TReach {
 public:
  // KeySlack: the rounding of two keys, worked out in long double.
  TReach(double S, double Margin, double KeySlack, int Side)
      : S_(S), margin_(Margin), slack_(KeySlack), side_(Side) {}

  void Add(double x, double n) {
    const long double key = n + side_ * static_cast<long double>(x) / S_;
    if (!members_.empty() && key < members_.back().key - margin_) return;
    members_.insert(std::upper_bound(members_.begin(), members_.end(), key,
                                     [](long double k, const TMember& m) { return k < m.key; }),
                    {x, n, key});
    all_counts_positive_ = all_counts_positive_ && n >= 0;
    nearest_x_ = members_.size() == 1 ? x : (side_ < 0 ? std::max(nearest_x_, x) : std::min(nearest_x_, x));
  }

  // The value of the best key alone: within Margin of ValueAt.
  double Estimate(double x) const { return members_.empty() ? 0.0 : std::max(0.0, Value(members_.back(), x)); }

  double ValueAt(double x) const {
    if (members_.empty()) return 0;
    const TMember& best = members_.back();
    // With every position on its own side of x and every count positive,
    // |x - x_g| / S + |n_g| = key_g - Side x / S, at most key_best - Side x / S:
    // one bound for all, so the positions to evaluate are the top of the
    // order. Otherwise every position kept is evaluated.
    const bool one_side = side_ < 0 ? x >= nearest_x_ : x <= nearest_x_;
    long double least_key = -std::numeric_limits<long double>::infinity();
    if (one_side && all_counts_positive_) {
      const double u = std::numeric_limits<double>::epsilon() / 2;
      const long double own = best.key - side_ * static_cast<long double>(x) / S_;
      const double best_bound = std::fabs(x - best.x) / S_ + std::fabs(best.n);
      least_key = best.key - (3.01L * u * own + 3.01 * u * best_bound + slack_);
    }
    double most = 0;
    for (auto m = members_.rbegin(); m != members_.rend() && m->key >= least_key; ++m)
      most = std::max(most, Value(*m, x));
    return most;
  }

 private:
  struct TMember {
    double x, n;
    long double key;
  };
  double Value(const TMember& m, double x) const { return side_ < 0 ? (x - m.x) / S_ + m.n : (m.x - x) / S_ + m.n; }

  double S_, margin_, slack_;
  int side_;
  std::vector<TMember> members_;  // in order of key, the best last
  bool all_counts_positive_ = true;
  double nearest_x_ = 0;  // the position kept nearest to the evaluations
};

// Connectors by which a change of count may exceed what fits at the minimum
// spacing before it counts as a violation. A change that fits exactly (every
// rib holding its connector when the minimum and maximum spacing are both the
// rib pitch) must pass, whatever the last bit of the division says.
constexpr double kMinSpacingTolerance = 1e-6;

}  // namespace

// ---------------------------------------------------------------------------
// Connector capacity.

double TBeam::kt(int n) const {
  if (!SteelDeck || !ShearConnector) return 1;
  return Standard().kt(n, std::max(ThetaSide1, ThetaSide2), TroughWidth, *SteelDeck, *ShearConnector);
}

double TBeam::fucMax() const { return as2327::fuc_max(ThetaSide1, ThetaSide2); }

double TBeam::fds(int n) const {
  const TStandard& standard = Standard();
  return standard.phi(cfLongitudinalShearStuds) * kt(n) *
         ShearConnector->CalcPRk(standard, *ConcreteFloor, fucMax());
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

void TBeam::SetActualStudsAtPCC(TPCC& PCC, double fds, double MidspanFcc, double Value) const {
  // 1 at midspan, 0 at the supports.
  auto weight = [&] { return 1 - std::fabs(Ratio(PCC.x, Span / 2) - 1); };
  if (PCC.ni_user > 0) {
    PCC.ni_actual = PCC.ni_user;
  } else if (StudCountBasis == 1 && UserBeta > 0) {
    PCC.ni_actual = fds < 0.000001 ? 1000000 : weight() * MidspanFcc * UserBeta / fds;
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
  const double f = fds(nr_max);
  const TPCC* mid = GetPCCAt(Span / 2);
  const double Fcc = mid ? mid->CompositeSection.Fcc : 0;
  auto set_line = [&](int j, double s, double xa, double na) {
    TPCC& p = *PCCList.PCC(j);
    SetActualStudsAtPCC(p, f, Fcc, s * p.x + (na - s * xa));
  };

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
    for (int j = a; j <= best; ++j) set_line(j, s, xa, na);
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
    for (int j = a; j >= best; --j) set_line(j, s, xa, na);
    a = best;
  }
}

// ---------------------------------------------------------------------------
// Spacing rules.

void TBeam::StudSpacingLimitsAt(double x, double& smin, double& smax, int& nGroupMax) {
  StudSpacingLimitsAtPCC(GetPCCAt(x), smin, smax, nGroupMax);
}

void TBeam::StudSpacingLimitsAtPCC(const TPCC* p, double& smin, double& smax, int& nGroupMax) {
  StudSpacingFor(p ? p->CompositeSection.thetaLeft : ThetaSide1, p ? p->CompositeSection.thetaRight : ThetaSide2,
                 smin, smax);
  nGroupMax = ConnectorsPerGroupAt(p);
}

void TBeam::StudSpacingFor(double theta_left, double theta_right, double& smin, double& smax) const {
  const TSteelDeck& deck = *SteelDeck;
  smax = TShearConnector::MaxSpacing(Ds);
  smin = ShearConnector->MinSpacing();
  if (theta_left >= 45 && theta_right >= 45 && !deck.IsSolidSlab() && deck.sr > 0) {
    // Connectors go in the ribs: spacings are whole numbers of rib pitches along the beam.
    const double cL = as2327::RibPitchAlongBeam(deck.sr, theta_left);
    const double cR = as2327::RibPitchAlongBeam(deck.sr, theta_right);
    Standard().FitSpacingToRibs(deck, cL, cR, smin, smax);
  }
}

int TBeam::ConnectorsPerGroupAt(const TPCC* p) {
  const TSteelSection* s = p ? p->CompositeSection.SteelSection : nullptr;
  if (s && s->BaseSteelSection.HasTwoWebs) return 1;
  switch (ShearConnector->ConnectorType) {
    case 0: return SteelDeck->IsSolidSlab() ? 3 : 2;
    case 1: return 1;
    case 2: return 2;
    default:
      Status.SetError(elError, "Unknown Shear Connector type");
      return 1;
  }
}

void TBeam::AdjustStudSpacing(int nr_max) {
  const int count = PCCList.Count();
  if (count < 2) return;
  // What depends on positions and sections only is worked out once: the
  // spacing limits at every position and its nearest PCC on either side.
  struct TItem {
    TPCC* pcc;
    double smin, smax;
    int group;
    int left, right;  // the nearest PCC before and after (the first and last item when none)
  };
  std::vector<TItem> items(count);
  for (int i = 0; i < count; ++i) {
    TItem& it = items[i];
    it.pcc = PCCList.PCC(i);
    // The spacings follow the rib angles, which the PCCs of one beam share.
    const TCompositeSectionAtPCC& cs = it.pcc->CompositeSection;
    const TCompositeSectionAtPCC* before = i > 0 ? &items[i - 1].pcc->CompositeSection : nullptr;
    if (before && before->thetaLeft == cs.thetaLeft && before->thetaRight == cs.thetaRight) {
      it.smin = items[i - 1].smin;
      it.smax = items[i - 1].smax;
    } else {
      StudSpacingFor(cs.thetaLeft, cs.thetaRight, it.smin, it.smax);
    }
    it.group = ConnectorsPerGroupAt(it.pcc);
  }
  items[0].left = 0;
  for (int i = 1; i < count; ++i) items[i].left = i == 1 || items[i - 1].pcc->IsPCC ? i - 1 : items[i - 1].left;
  items[count - 1].right = count - 1;
  for (int i = count - 2; i >= 0; --i)
    items[i].right = i + 1 == count - 1 || items[i + 1].pcc->IsPCC ? i + 1 : items[i + 1].right;
  auto may_change = [&](const TPCC& p) { return p.ni_user <= 0 && StudCountBasis == 0; };

  // Maximum spacing: fill positions that lie too far from their neighbours' connectors.
  double S = 0;
  for (int i = 0; i + 1 < count; ++i) S = std::max(S, items[i].smax);
  if (S > 0) {
    // A position needs at least the count that each side implies at spacing
    // S: the largest n_g + (x - x_g) / S over the positions on its left (as
    // this sweep leaves them) and n_k + (x_k - x) / S over those on its right
    // (as they stand before it).
    // n_g + (x - x_g) / S rounds three times: it is off by at most
    // 3.01 u (|x - x_g| / S + |n_g|), u = 2^-53. Two positions' values can
    // swap order only where their exact values (their keys) lie within the
    // sum of both bounds; the keys themselves, in long double, add their own
    // rounding. Counts filled here stay below the largest count plus Span / S.
    double largest = 0, farthest = 0;
    for (const TItem& it : items) {
      largest = std::max(largest, std::fabs(it.pcc->ni_actual));
      farthest = std::max(farthest, std::fabs(it.pcc->x));
    }
    const double reach = farthest / S;
    const double u = std::numeric_limits<double>::epsilon() / 2;
    const double slack = 4 * std::numeric_limits<long double>::epsilon() * (2 * reach + largest);
    const double margin = 6.1 * u * (2 * reach + largest) + slack;
    std::vector<double> right(count, 0.0);
    TReach ahead(S, margin, slack, +1);
    for (int i = count - 2; i >= 1; --i) {
      ahead.Add(items[i + 1].pcc->x, items[i + 1].pcc->ni_actual);
      right[i] = ahead.ValueAt(items[i].pcc->x);
    }
    TReach behind(S, margin, slack, -1);
    behind.Add(items[0].pcc->x, items[0].pcc->ni_actual);
    for (int i = 1; i + 1 < count; ++i) {
      TPCC& P = *items[i].pcc;
      if (P.x > 50 && P.x < Span - 50 && may_change(P) &&
          std::min(behind.Estimate(P.x), right[i]) > P.ni_actual - margin) {
        const double need = std::min(behind.ValueAt(P.x), right[i]);
        if (P.ni_actual < need) P.ni_actual = need;
      }
      behind.Add(P.x, P.ni_actual);
    }
  }

  // Spacing passes, repeated until one changes nothing. Counts only rise in
  // a pass, so the position with the most connectors is followed as they do.
  for (int pass = 0; pass < kMaxSpacingPasses; ++pass) {
    bool changed = false;
    Min_spacing_violation = false;
    // As IndexOfMaxStuds: the first of the largest counts above 0, else the middle item.
    int most_at = -1;
    double most = 0;
    for (int i = 0; i < count; ++i)
      if (items[i].pcc->ni_actual > most) {
        most = items[i].pcc->ni_actual;
        most_at = i;
      }
    for (int i = 1; i + 1 < count; ++i) {
      TPCC& P = *items[i].pcc;
      const TItem& l = items[items[i].left];
      const TPCC& L = *l.pcc;
      const TPCC& R = *items[items[i].right].pcc;
      const double nrL = std::min(nr_max, l.group);
      const double nrP = std::min(nr_max, items[i].group);
      const int m = most_at >= 0 ? most_at : count / 2;
      const double NM = items[m].pcc->ni_actual;
      const double A = Ratio(P.x - L.x, l.smax) + L.ni_actual;
      const double B = Ratio(R.x - P.x, items[i].smax) + R.ni_actual;
      const double C = std::min(A, B);
      double v;
      if (i < m) v = std::min(std::max(NM, C), std::max(P.ni_actual, A));
      else if (i > m) v = std::min(std::max(NM, C), std::max(P.ni_actual, B));
      else v = std::max(P.ni_actual, C);
      if (v != P.ni_actual && P.x > 0.05 && P.x < Span - 0.05 && may_change(P)) {
        P.ni_actual = v;
        changed = true;
        if (v > most || (v == most && most_at >= 0 && i < most_at)) {
          most = v;
          most_at = i;
        }
      }
      // The change of count between neighbouring positions must fit at the
      // minimum spacing with the connectors a group may hold.
      if ((P.x - L.x) * nrL / l.smin < std::fabs(v - L.ni_actual) - kMinSpacingTolerance ||
          (R.x - P.x) * nrP / items[i].smin < std::fabs(v - R.ni_actual) - kMinSpacingTolerance)
        Min_spacing_violation = true;
    }
    if (!changed) break;
  }
}

// ---------------------------------------------------------------------------
// Provided connection and dependable capacity.

void TBeam::CalcDependableCapacity(int nr_max) {
  const double f = fds(nr_max);
  const TStandard& standard = Standard();
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    p.beta_actual = std::min(standard.beta_actual(p.ni_actual, f, p.CompositeSection.Fcc), 1.0);
    p.phiMbv = p.DependableMomentCapacity(p.beta_actual);
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
      const int c = TPCC::CalculateNi(Standard(), 0.4 * p.CompositeSection.Fcc, fds(n));
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
    // A count that could not be raised stays a spacing problem after the repeat.
    if (forced_violation) Min_spacing_violation = true;
  }
}
