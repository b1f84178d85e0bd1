// Formulas of a bare steel section that both editions of AS/NZS 2327 share
// (the standard takes them from AS 4100): plate slenderness and the limits
// that classify it, the plastic neutral axis, the elastic properties of the
// effective section and the nominal shear capacity of the web. One function
// per formula, named by its symbol, with the rule it implements; arguments
// in the units their types name (cUnits.h). TSteelSection's
// CalcEffectiveProperties puts them together; the edition's own limits of a
// web are TStandard::lambda_ey_web and TStandard::NonCompactWeb.
//
// Depths are measured downward from the top of the top flange. An absent
// element (zero thickness or yield stress) gives 0 where its formula would
// divide by it. Pure functions, callable from any thread.
#pragma once

#include "components/cSteelSection.h"
#include "components/cUnits.h"

namespace as4100 {

using namespace unit;

// sqrt(fy / 250): the yield stress factor of plate slenderness; 0 for no yield stress.
double YieldStressFactor(MPa fy);
// sqrt(250 / fy): its inverse, 0 for no yield stress.
double InverseYieldStressFactor(MPa fy);

// Plate slenderness limits of an element (Table 5.2).
struct TPlateLimits {
  double lambda_ep;  // plasticity limit: compact up to here
  double lambda_ey;  // yield limit: slender beyond here
};
// The top flange's limits by residual stress category: with one web the
// flange is an outstand supported on one edge, with two webs (a box) it spans
// between them, supported on both edges (Table 5.2).
TPlateLimits TopFlangeLimits(TResidualStressType Type, bool HasTwoWebs);

// le1 = (nw/2) (bsf1 - nw tw) / tf1 x sqrt(fyf1/250): slenderness of the top
// flange of width bsf1 and thickness tf1 on nw webs of thickness tw (Cl 5.2.2).
double le1(mm bsf1, mm tf1, MPa fyf1, mm tw, double nw);

// bsf1,eff = min(bsf1, (2/nw) tf1 lambda_ep / sqrt(fyf1/250) + nw tw): the
// width of a non-compact top flange at which it would just be compact (Cl 3.4.3.3).
mm bsf1_eff_noncompact(mm bsf1, mm tf1, MPa fyf1, mm tw, double nw, double lambda_ep);

// dp = Ds - tf1 - tf2: clear depth of the web between the flanges (0 when they overlap).
mm dp(mm Ds, mm tf1, mm tf2);

// lew = (dp / tw) sqrt(fyw / 250): slenderness of the web (Cl 5.2.2).
double lew(mm dp, mm tw, MPa fyw);

// ypna: depth of the plastic neutral axis of the section with its full web,
// where half the section's yield force Fst lies above it. The top flange,
// web, bottom flange and plate carry Fscf1, Fscw, Fscf2 and Fsp (kN); the
// axis lies in the first element, from the top, whose force reaches half.
mm ypna(kN Fscf1, kN Fscw, kN Fscf2, kN Fsp, mm tf1, mm bsf1_eff, MPa fyf1, mm dp, mm tw, double nw, MPa fyw,
        mm Ds, mm bsf2, MPa fyf2, mm bsp, MPa fyp);

// alpha = (depth - tf1) / dp, within 0 to 1: the share of the web above an
// axis at that depth (the web's compression zone in bending).
double alpha_web(mm depth, mm tf1, mm dp);

// lambda_ep of a web whose compression zone is alpha of its depth: 41/alpha
// below one half, 111 / (4.7 alpha - 1) above; no limit (10^6) for a web
// without compression (Cl 3.4.3.3).
double lambda_ep_web(double alpha_p);

// Limits of a web without a bottom flange (a notch without a plate, a tee):
// full up to lew 82, slender beyond 115.
constexpr double kOutstandWebCompact = 82;
constexpr double kOutstandWebSlender = 115;
// tw,eff = tw x 82 / lew: thickness of such a web between the two limits, cut
// in proportion so that it carries what a web just at the compact limit
// would (the full web at lew = 82, 0.71 tw at 115).
mm tw_eff_outstand_web(mm tw, double lew);

// The plates of a section and the effective depths of its web, for its
// elastic properties: the top flange (tf1, effective width bsf1_eff), the web
// parts dc1 below the top flange and dc2 above the bottom flange (areas Aw1,
// Aw2), the bottom flange (tf2, bsf2) and the plate under it (tsp, bsp).
struct TSteelElements {
  mm tf1, bsf1_eff;
  mm2 Af1;
  mm dp, dc1, dc2;
  mm2 Aw1, Aw2;
  mm Ds, tf2, bsf2;
  mm2 Af2;
  mm tsp, bsp;
  mm2 Asp;
  mm tw_full;  // nw tw: the web parts' own second moments use the full thickness

  // As' = Af1 + Aw1 + Aw2 + Af2 + Asp.
  mm2 Area() const;
  // y: depth of the elastic centroid (sum of A d over sum of A); 0 without area.
  mm Centroid() const;
  // I about an axis at depth y: each element's own second moment plus A (y - d)^2.
  mm4 SecondMoment(mm y) const;
};

// Zst = I / y: elastic modulus to the top fibre (positive).
mm3 Zst(mm4 I, mm y);
// Zsb = I / (y - Ds - tsp): elastic modulus to the bottom fibre (negative).
mm3 Zsb(mm4 I, mm y, mm Ds, mm tsp);

// kv = (82 / lambda_w)^2 above 82, else 1: the web's shear buckling factor
// (alpha_v of Cl 5.11.5) at the web slenderness lambda_w.
double kv(double lambda_w);
// Vw = 0.6 kv fyw dw nw tw, N: shear capacity of nw webs of depth dw and
// thickness tw (Cl 5.11.4, 5.11.5).
N Vw(double kv, MPa fyw, mm dw, double nw, mm tw);
// Q = (y - tf1)^2 nw tw / 2 + tf1 bsf1,eff (y - tf1/2): first moment of the
// area above the centroid at depth y.
mm3 Q_above_centroid(mm y, mm tf1, mm bsf1_eff, double nw, mm tw);
// eta = max(1.1, Q Aavg / (I nw tw)): the ratio of the greatest to the average
// shear stress in a web of area Aavg.
double eta_shear(mm3 Q, mm2 Aavg, mm4 I, double nw, mm tw);
// Vv = 2 Vw / (0.9 + eta), kN: nominal shear capacity of a web whose shear
// stress is not uniform (Cl 5.11.3).
kN Vv(N Vw, double eta);

}  // namespace as4100
