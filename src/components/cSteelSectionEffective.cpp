// Effective section properties of a bare steel section (Cl 3.4.3.3): plate
// slenderness of the top flange and web, the effective top flange width and
// web, axial capacities, the plastic neutral axis that classifies the web, the
// elastic properties of the effective section and the nominal shear capacity.
// The formulas are as4100's (cSteelFormulas.h) and the edition's (the web's
// yield limit and the treatment of a non-compact web, TStandard).
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

#include "components/cStandard.h"
#include "components/cSteelFormulas.h"
#include "components/cSteelSection.h"

using namespace unit;

// The quantities the steps of the calculation pass on to each other.
struct TSteelSection::TWorking {
  // The plates: webs, depths and widths (mm), yield stresses (MPa).
  double nw;  // 2 for a box or hollow section, else 1
  mm Ds, bsf1, tf1, tw, bsf2, tf2, bsp, tsp;
  MPa fyf1, fyw, fyf2, fyp;
  // Element areas: the effective top flange, the bottom flange, the plate.
  mm2 Af1 = 0, Af2 = 0, Asp = 0;
  // The section with its full web.
  mm2 full_Aw = 0, full_As = 0;
  mm ypna = 0;  // its plastic neutral axis
  // The effective web: its thickness, the total over all webs, and the
  // depths next to the top (dc1) and bottom (dc2) flanges that count.
  mm tw_eff = 0, tweb = 0, dc1 = 0, dc2 = 0;
  mm2 Aw1 = 0, Aw2 = 0;

  // The elements for the elastic properties, the web as its two parts.
  as4100::TSteelElements Elements(mm top_flange_width, mm depth1, mm depth2, mm2 A1, mm2 A2, mm clear_depth) const {
    return {tf1, top_flange_width, tf1 * top_flange_width, clear_depth, depth1, depth2, A1, A2,
            Ds,  tf2,              bsf2,                   Af2,         tsp,    bsp,    Asp, nw * tw};
  }
};

void TSteelSection::CalcEffectiveProperties() { CalcEffectiveProperties(CurrentStandard()); }

void TSteelSection::CalcEffectiveProperties(const TStandard& Standard) {
  TWorking w = Plates();
  tw_used = w.tw;
  ClassifyTopFlange(w);
  CalcFullSection(w);
  ClassifyWeb(Standard, w);
  CalcEffectiveWeb(w);
  CalcShearCapacity(w);
  if (WillUseFullSectionForServiceability) UseFullSectionForServiceability(w);
  CalcElasticProperties(w);
  if (As_dash <= 0) {
    Status.SetError(elWarning, "Steel section [" + SteelSectionLabel + "] has no effective area");
  } else if (Fst <= 0) {
    Status.SetError(elWarning, "Steel section [" + SteelSectionLabel + "] has no axial capacity");
  }
}

TSteelSection::TWorking TSteelSection::Plates() const {
  TWorking w;
  w.nw = BaseSteelSection.HasTwoWebs ? 2 : 1;
  w.Ds = Ds();
  w.bsf1 = bsf1();
  w.tf1 = tf1();
  w.tw = tw();
  w.bsf2 = bsf2();
  w.tf2 = tf2();
  w.bsp = bsp();
  w.tsp = tsp();
  w.fyf1 = fyf1();
  w.fyw = fyw();
  w.fyf2 = fyf2();
  w.fyp = IsPlated() ? fyp : 0;
  return w;
}

// Top flange: compact, non-compact (narrowed to the width that would just be
// compact) or slender (no flange, and a warning).
void TSteelSection::ClassifyTopFlange(TWorking& w) {
  le1 = as4100::le1(w.bsf1, w.tf1, w.fyf1, w.tw, w.nw);
  bsf1_eff = w.bsf1;
  if (WillSetTopFlangeCompact) return;
  const as4100::TPlateLimits limits =
      as4100::TopFlangeLimits(BaseSteelSection.ResidualStressType, BaseSteelSection.HasTwoWebs);
  if (BaseSteelSection.ResidualStressType == CF && le1 > limits.lambda_ey) {
    bsf1_eff = 0;
    Status.SetError(elWarning, "(Cl 3.4.3.3c) The top flange of cold-formed steel section [" + SteelSectionLabel +
                                   "] must be compact. Please select another steel section.");
  } else if (le1 <= limits.lambda_ep) {
    // compact
  } else if (le1 > limits.lambda_ey) {
    bsf1_eff = 0;
    Status.SetError(elWarning, "(Cl 3.4.3.3) The top flange of steel section [" + SteelSectionLabel +
                                   "] must not be slender. Please select another steel section.");
  } else {
    bsf1_eff = as4100::bsf1_eff_noncompact(w.bsf1, w.tf1, w.fyf1, w.tw, w.nw, limits.lambda_ep);
  }
}

// Areas and yield forces of the elements with the full web, the plastic
// neutral axis and the elastic centroid of that section.
void TSteelSection::CalcFullSection(TWorking& w) {
  w.Af1 = w.tf1 * bsf1_eff;
  w.Af2 = w.bsf2 * w.tf2;
  w.Asp = w.bsp * w.tsp;
  dp = as4100::dp(w.Ds, w.tf1, w.tf2);
  w.dc1 = w.dc2 = dp / 2;
  w.tweb = w.nw * w.tw;
  Aw_dash = dp * w.tweb;
  As_dash = w.Af1 + w.Af2 + Aw_dash + w.Asp;
  Fscw = w.fyw * Aw_dash / 1000;
  Fscf1 = w.fyf1 * w.Af1 / 1000;
  Fscf2 = w.fyf2 * w.Af2 / 1000;
  Fsp = w.Asp * w.fyp / 1000;
  Fst = Fscf1 + Fscf2 + Fscw + Fsp;
  w.full_Aw = Aw_dash;
  w.full_As = As_dash;
  w.ypna = as4100::ypna(Fscf1, Fscw, Fscf2, Fsp, w.tf1, bsf1_eff, w.fyf1, dp, w.tw, w.nw, w.fyw, w.Ds, w.bsf2, w.fyf2,
                        w.bsp, w.fyp);
  y = w.Elements(bsf1_eff, w.dc1, w.dc2, Aw_dash / 2, Aw_dash / 2, dp).Centroid();
}

// Web: compact, non-compact (the edition's effective web) or slender (no
// web, and a warning). A web without a bottom flange (a notch without a
// plate, a tee) is an outstand with limits of its own.
void TSteelSection::ClassifyWeb(const TStandard& Standard, TWorking& w) {
  w.tw_eff = w.tw;
  lew = as4100::lew(dp, w.tw, w.fyw);
  const std::string slender_web = "(Cl 3.4.3.3) The web of steel section [" + SteelSectionLabel +
                                  "] must not be slender. Please select another steel section.";
  const bool has_bottom_flange = w.bsf2 != 0 && w.tf2 != 0 && w.fyf2 != 0;
  if (!has_bottom_flange) {
    if (lew > as4100::kOutstandWebSlender) {
      Status.SetError(elWarning, slender_web);
      tw_used = 0;  // the elastic properties keep the full web
    } else if (lew > as4100::kOutstandWebCompact) {
      w.tw_eff = as4100::tw_eff_outstand_web(w.tw, lew);
      tw_used = w.tw_eff;
      w.tweb = w.nw * w.tw_eff;
    }
    return;
  }
  const double alpha_p = as4100::alpha_web(w.ypna, w.tf1, dp);
  const double lambda_ep_w = as4100::lambda_ep_web(alpha_p);
  const double alpha_y = as4100::alpha_web(y, w.tf1, dp);
  // A web without compression at its elastic neutral axis cannot be slender.
  const double lambda_ey_w = alpha_y != 0 ? Standard.lambda_ey_web(alpha_y) : 1000000;
  if (lew > lambda_ey_w) {
    Status.SetError(elWarning, slender_web);
    w.tw_eff = 0;
    tw_used = 0;
    w.tweb = 0;
  } else if (lew > lambda_ep_w) {
    const TNonCompactWeb web = Standard.NonCompactWeb(dp, w.tw, w.fyw, w.tf1, y, alpha_p);
    w.dc1 = web.dc1;
    w.dc2 = web.dc2;
    w.tw_eff = web.tw_eff;
    tw_used = web.tw_eff;
    w.tweb = w.nw * web.tw_eff;
    if (web.IsInvalid)
      Status.SetError(elWarning, "(Cl 3.4.3.3) Invalid calculation of effective properties of web for steel section [" +
                                     SteelSectionLabel + "]");
  }
}

// The web's area and yield force as far as it is effective.
void TSteelSection::CalcEffectiveWeb(TWorking& w) {
  w.Aw1 = w.dc1 * w.tweb;
  w.Aw2 = w.dc2 * w.tweb;
  Aw_dash = w.Aw1 + w.Aw2;
  As_dash = w.Af1 + w.Af2 + Aw_dash + w.Asp;
  Fscw = w.fyw * Aw_dash / 1000;
  Fst = Fscf1 + Fscf2 + Fscw + Fsp;
}

// Nominal shear capacity of the full web (Cl 5.11 of AS 4100): a rolled web
// runs the full depth. Its shear stress is taken as uniform enough (eta 1.1)
// in a rolled section; in any other the greatest over the average stress
// of the gross section counts.
void TSteelSection::CalcShearCapacity(const TWorking& w) {
  const double kv = as4100::kv(lew);
  const bool is_rolled = BaseSteelSection.ResidualStressType == HR;
  const mm web_depth = !IsNotched() && is_rolled ? w.Ds : dp;
  const N Vw = as4100::Vw(kv, w.fyw, web_depth, w.nw, w.tw);
  const mm2 Aavg = web_depth * w.nw * w.tw;
  double eta = 1.1;
  if (IsNotched() || IsPlated() || !is_rolled) {
    const as4100::TSteelElements gross = w.Elements(bsf1_eff, dp / 2, dp / 2, w.full_Aw / 2, w.full_Aw / 2, dp);
    const mm y_gross = gross.Centroid();
    const mm3 Q = as4100::Q_above_centroid(y_gross, w.tf1, bsf1_eff, w.nw, w.tw);
    eta = as4100::eta_shear(Q, Aavg, gross.SecondMoment(y_gross), w.nw, w.tw);
  }
  Vv = as4100::Vv(Vw, eta);
}

// Serviceability may use the full section whatever its local buckling; the
// capacities keep the effective one.
void TSteelSection::UseFullSectionForServiceability(TWorking& w) {
  if (w.tw_eff < w.nw * w.tw || w.Aw1 + w.Aw2 < dp * w.nw * w.tw || bsf1_eff < w.bsf1) {
    w.dc1 = w.dc2 = dp / 2;
    w.Aw1 = w.Aw2 = (dp / 2) * w.nw * w.tw;
    bsf1_eff = w.bsf1;
  }
}

// Area, centroid, second moment and moduli of the effective section.
void TSteelSection::CalcElasticProperties(const TWorking& w) {
  const as4100::TSteelElements e = w.Elements(bsf1_eff, w.dc1, w.dc2, w.Aw1, w.Aw2, dp);
  Aw_dash = w.Aw1 + w.Aw2;
  As_dash = e.Af1 + w.Af2 + Aw_dash + w.Asp;
  y = e.Centroid();
  ISteel = As_dash > 0 ? e.SecondMoment(y) : 0;
  Zsb = as4100::Zsb(ISteel, y, w.Ds, w.tsp);
  Zst = as4100::Zst(ISteel, y);
}
