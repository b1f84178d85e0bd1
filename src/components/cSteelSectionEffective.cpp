// Effective section properties of a bare steel section (Cl 3.4.3.3): plate
// slenderness of the top flange and web, the effective top flange width and
// web, axial capacities, the plastic neutral axis that classifies the web, the
// elastic properties of the effective section and the nominal shear capacity.
//
// Depths are measured downward from the top of the top flange. Zst is positive
// and Zsb negative, so that a sagging moment over them gives compression
// positive at the top and tension negative at the bottom.
//
// Degenerate geometry (no top flange, no web, no area) never divides by zero:
// undefined quantities stay 0 and a section left without effective area or
// capacity gets a warning, so that the beam that uses it fails its checks
// instead of carrying infinities into its results.
#include <algorithm>
#include <cmath>

#include "components/cStandard.h"
#include "components/cSteelSection.h"

namespace {

// Plate slenderness limits (AS 4100 Table 5.2), by residual stress category.
struct TPlateLimits {
  double lambda_ep;  // plasticity limit
  double lambda_ey;  // yield limit
};

TPlateLimits TopFlangeLimits(TResidualStressType Type, bool HasTwoWebs) {
  // One web: the flange is an outstand supported on one edge; two webs: it
  // spans between them, supported on both edges.
  switch (Type) {
    case SR:
      return HasTwoWebs ? TPlateLimits{30, 45} : TPlateLimits{10, 16};
    case HR:
      return HasTwoWebs ? TPlateLimits{30, 45} : TPlateLimits{9, 16};
    case LW:
      return HasTwoWebs ? TPlateLimits{30, 40} : TPlateLimits{8, 15};
    case CF:
      return HasTwoWebs ? TPlateLimits{30, 30} : TPlateLimits{8, 15};
    case HW:
      break;
  }
  return HasTwoWebs ? TPlateLimits{30, 35} : TPlateLimits{8, 14};
}

// Slenderness limits of a web without a bottom flange.
constexpr double kWebLimitNoBottomFlangeCompact = 82;   // lew up to here: full web
constexpr double kWebLimitNoBottomFlangeSlender = 115;  // lew beyond here: slender
constexpr double kNoLimit = 1000000;                    // a web with no compression

// a / b, or 0 when b is zero (an element that is absent contributes nothing).
double Div(double a, double b) {
  return b == 0 ? 0 : a / b;
}

// sqrt(fy / 250), the yield stress factor of plate slenderness; 0 for no yield stress.
double YieldFactor(double fy) {
  return std::sqrt(std::max(fy, 0.0) / 250);
}

// Element areas of the cross-section and where their centroids lie.
struct TElements {
  double tf1, bsf1_eff, Af1;  // top flange
  double dp, dc1, dc2, Aw1, Aw2;
  double Ds, tf2, bsf2, Af2;  // bottom flange
  double tsp, bsp, Asp;       // plate under the bottom flange
  double tw_full;             // nw * tw: own second moments of the web parts use the full thickness

  double Area() const { return Af1 + Aw1 + Aw2 + Af2 + Asp; }
  // Depth of the elastic centroid; 0 when there is no area.
  double Centroid() const {
    return Div(tf1 * Af1 / 2 + (tf1 + dc1 / 2) * Aw1 + (tf1 + dp - dc2 / 2) * Aw2 +
                   (Ds - tf2 / 2) * Af2 + (Ds + tsp / 2) * Asp,
               Area());
  }
  double SecondMoment(double y) const {
    const auto sq = [](double v) { return v * v; };
    const auto cube = [](double v) { return v * v * v; };
    return bsf1_eff * cube(tf1) / 12 + bsf2 * cube(tf2) / 12 + tw_full * cube(dc1) / 12 +
           tw_full * cube(dc2) / 12 + bsp * cube(tsp) / 12 + Af1 * sq(y - tf1 / 2) +
           Af2 * sq(y - (Ds - tf2 / 2)) + Aw1 * sq(y - (tf1 + dc1 / 2)) +
           Aw2 * sq(y - (tf1 + dp - dc2 / 2)) + Asp * sq(Ds + tsp / 2 - y);
  }
};

}  // namespace

void TSteelSection::CalcEffectiveProperties() {
  const TCustomSteelSection& base = BaseSteelSection;
  const double nw = base.HasTwoWebs ? 2 : 1;
  const double Ds_ = Ds(), bsf1_ = bsf1(), tf1_ = tf1(), fyf1_ = fyf1(), tw_ = tw(), fyw_ = fyw();
  const double bsf2_ = bsf2(), tf2_ = tf2(), fyf2_ = fyf2(), bsp_ = bsp(), tsp_ = tsp();
  const double fyp_ = IsPlated() ? fyp : 0;
  const std::string label = SteelSectionLabel;

  tw_used = tw_;

  // Top flange slenderness and effective width.
  le1 = (nw / 2) * Div(bsf1_ - nw * tw_, tf1_) * YieldFactor(fyf1_);
  const TPlateLimits flange = TopFlangeLimits(base.ResidualStressType, base.HasTwoWebs);
  bsf1_eff = bsf1_;
  if (!WillSetTopFlangeCompact) {
    if (base.ResidualStressType == CF && le1 > flange.lambda_ey) {
      bsf1_eff = 0;
      Status.SetError(elWarning, "(Cl 3.4.3.3c) The top flange of cold-formed steel section [" +
                                     label +
                                     "] must be compact. Please select another steel section.");
    } else if (le1 <= flange.lambda_ep) {
      // compact
    } else if (le1 > flange.lambda_ey) {
      bsf1_eff = 0;
      Status.SetError(elWarning, "(Cl 3.4.3.3) The top flange of steel section [" + label +
                                     "] must not be slender. Please select another steel section.");
    } else {
      // Non-compact: the width at which the flange would just be compact.
      bsf1_eff =
          std::min(bsf1_, (2 / nw) * tf1_ * flange.lambda_ep / YieldFactor(fyf1_) + nw * tw_);
    }
  }

  // Element areas and capacities with the full web. A web whose flanges
  // overlap has no depth.
  double Af1 = tf1_ * bsf1_eff;
  const double Af2 = bsf2_ * tf2_;
  dp = std::max(0.0, Ds_ - tf1_ - tf2_);
  double dc1 = dp / 2, dc2 = dp / 2;
  double tweb = nw * tw_;
  Aw_dash = dp * tweb;
  const double Asp = bsp_ * tsp_;
  As_dash = Af1 + Af2 + Aw_dash + Asp;
  Fscw = fyw_ * Aw_dash / 1000;
  Fscf1 = fyf1_ * Af1 / 1000;
  Fscf2 = fyf2_ * Af2 / 1000;
  Fsp = Asp * fyp_ / 1000;
  Fst = Fscf1 + Fscf2 + Fscw + Fsp;
  const double full_Aw = Aw_dash, full_As = As_dash;

  // Plastic neutral axis of the full-web section.
  const double H = 0.5 * Fst;
  double ypna;
  if (H <= Fscf1) {
    ypna = Div(1000 * H, fyf1_ * bsf1_eff);
  } else if (H <= Fscf1 + Fscw) {
    ypna = tf1_ + Div(1000 * (H - Fscf1), fyw_ * nw * tw_);
  } else if (H <= Fscf1 + Fscw + Fscf2) {
    ypna = tf1_ + dp + Div(1000 * (H - Fscf1 - Fscw), fyf2_ * bsf2_);
  } else {
    ypna = Ds_ + Div(1000 * (H - Fscf1 - Fscw - Fscf2), bsp_ * fyp_);
  }

  // Elastic centroid of the full-web section.
  TElements e{tf1_, bsf1_eff, Af1,   dp,  dc1,  dc2,  Aw_dash / 2, Aw_dash / 2,
              Ds_,  tf2_,     bsf2_, Af2, tsp_, bsp_, Asp,         nw * tw_};
  y = e.Centroid();

  // Web slenderness and effectiveness.
  double tw_eff = tw_;
  lew = Div(dp, tw_) * YieldFactor(fyw_);
  const std::string slender_web = "(Cl 3.4.3.3) The web of steel section [" + label +
                                  "] must not be slender. Please select another steel section.";
  const bool has_bottom_flange = bsf2_ != 0 && tf2_ != 0 && fyf2_ != 0;
  if (!has_bottom_flange) {
    // A web without a bottom flange (a notch, or a tee) is an outstand.
    if (lew > kWebLimitNoBottomFlangeSlender) {
      Status.SetError(elWarning, slender_web);
      tw_used = 0;  // the elastic properties keep the full web
    } else if (lew > kWebLimitNoBottomFlangeCompact) {
      // Effective width: the thickness is cut in proportion, so that the web
      // carries what a web just at the limit would; continuous with the full
      // web at lew = 82 and falling to 0.71 tw at lew = 115.
      tw_eff = tw_ * kWebLimitNoBottomFlangeCompact / lew;
      tw_used = tw_eff;
      tweb = nw * tw_eff;
    }
  } else {
    const double alpha_p = std::clamp(Div(ypna - tf1_, dp), 0.0, 1.0);
    const double lambda_ep_w = alpha_p == 0    ? kNoLimit
                               : alpha_p < 0.5 ? 41 / alpha_p
                                               : 111 / (4.7 * alpha_p - 1);
    const double alpha_y = std::clamp(Div(y - tf1_, dp), 0.0, 1.0);
    double lambda_ey_w = kNoLimit;
    if (alpha_y != 0) {
      if (Is2017Edition())
        lambda_ey_w = 60 / alpha_y;
      else
        lambda_ey_w = alpha_y < 0.5 ? 57.5 / alpha_y : 322 / (1 + 3.6 * alpha_y);
    }
    if (lew > lambda_ey_w) {
      Status.SetError(elWarning, slender_web);
      tw_eff = 0;
      tw_used = 0;
      tweb = 0;
    } else if (lew > lambda_ep_w) {
      if (Is2017Edition()) {
        // Only a depth of 15 tw next to the compression flange and next to the
        // tension zone counts; the web between them is ignored.
        dc1 = 15 * tw_ * Div(1, YieldFactor(fyw_));
        // The tension zone below the centroid is fully effective (none when the
        // centroid lies below the web).
        dc2 = std::max(0.0, tf1_ + dp - y) + dc1;
        if (dc1 + dc2 > dp) {
          dc2 = std::max(0.0, dp - dc1);
          Status.SetError(elWarning,
                          "(Cl 3.4.3.3) Invalid calculation of effective properties of web for "
                          "steel section [" +
                              label + "]");
        }
      } else {
        const double di = std::max(0.0, alpha_p * dp - 30 * tw_ * Div(1, YieldFactor(fyw_)));
        tw_eff = tw_ * Div(dp - di, dp);
        tw_used = tw_eff;
        tweb = nw * tw_eff;
      }
    }
  }

  // Effective web.
  double Aw1 = dc1 * tweb, Aw2 = dc2 * tweb;
  Aw_dash = Aw1 + Aw2;
  As_dash = Af1 + Af2 + Aw_dash + Asp;
  Fscw = fyw_ * Aw_dash / 1000;
  Fst = Fscf1 + Fscf2 + Fscw + Fsp;

  // Nominal shear capacity of the full web (Cl 5.11 of AS 4100).
  Aw_dash = full_Aw;
  As_dash = full_As;
  const double lambda_w = lew;
  const double kv = lambda_w > 82 ? (82 / lambda_w) * (82 / lambda_w) : 1;
  const bool full_depth_web =
      !IsNotched() && base.ResidualStressType == HR;  // a rolled web runs the full depth
  const double web_depth = full_depth_web ? Ds_ : dp;
  const double Vw = 0.6 * kv * fyw_ * web_depth * nw * tw_;
  const double Aavg = web_depth * nw * tw_;
  double eta = 1.1;  // ratio of maximum to average shear stress in the web
  if (IsNotched() || IsPlated() || base.ResidualStressType != HR) {
    const TElements gross{tf1_, bsf1_eff, Af1,   dp,  dp / 2, dp / 2, full_Aw / 2, full_Aw / 2,
                          Ds_,  tf2_,     bsf2_, Af2, tsp_,   bsp_,   Asp,         nw * tw_};
    y = gross.Centroid();
    const double Q = (y - tf1_) * (y - tf1_) * nw * tw_ / 2 + tf1_ * bsf1_eff * (y - tf1_ / 2);
    ISteel = gross.SecondMoment(y);
    eta = std::max(1.1, Div(Q * Aavg, ISteel * nw * tw_));
  }
  Vv = 2 * Vw / (0.9 + eta) / 1000;

  // Serviceability may use the full section whatever its local buckling.
  if (WillUseFullSectionForServiceability &&
      (tw_eff < nw * tw_ || Aw1 + Aw2 < dp * nw * tw_ || bsf1_eff < bsf1_)) {
    dc1 = dc2 = dp / 2;
    Aw1 = Aw2 = (dp / 2) * nw * tw_;
    bsf1_eff = bsf1_;
  }

  // Elastic properties of the effective section.
  Af1 = tf1_ * bsf1_eff;
  Aw_dash = Aw1 + Aw2;
  As_dash = Af1 + Af2 + Aw_dash + Asp;
  e = TElements{tf1_, bsf1_eff, Af1,   dp,  dc1,  dc2,  Aw1, Aw2,
                Ds_,  tf2_,     bsf2_, Af2, tsp_, bsp_, Asp, nw * tw_};
  y = e.Centroid();
  ISteel = As_dash > 0 ? e.SecondMoment(y) : 0;
  Zsb = Div(ISteel, y - Ds_ - tsp_);
  Zst = Div(ISteel, y);

  if (As_dash <= 0) {
    Status.SetError(elWarning, "Steel section [" + label + "] has no effective area");
  } else if (Fst <= 0) {
    Status.SetError(elWarning, "Steel section [" + label + "] has no axial capacity");
  }
}
