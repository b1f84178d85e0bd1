// Formulas of the composite beam that both editions of AS/NZS 2327 share:
// the slab's compressive forces, the rectangular stress blocks of the design
// moment capacity at any degree of shear connection, the capacities with the
// steel web ignored, the cracked transformed section, the shrinkage moment,
// the web's shear capacity under moment, and the stiffness and curvature
// used for deflections. One function per formula, named by its symbol, with
// the rule it implements; arguments are the quantities a checker
// substitutes, in the units their types name (components/cUnits.h). The
// composite section, the potential critical cross-section and the beam put
// them together; the formulas that differ between the editions are behind
// components/cStandard.h.
//
// Depths are measured downward from the top of the slab. Forces are design
// forces (kN, with their capacity factors in them); moments are worked in
// kN mm and returned in kNm where the symbol is a capacity. Pure functions,
// callable from any thread. The stress block functions are inline: the
// search for a degree of shear connection evaluates them hundreds of times.
#pragma once

#include "components/cUnits.h"

namespace as2327 {

using namespace unit;

// a / b, or Fallback when b is zero (a part without force carries no depth).
inline double RatioOr(double a, double b, double Fallback = 0) { return b != 0 ? a / b : Fallback; }

// --- Forces of the slab and the steel at full shear connection.

// dsr: depth of the line of action of the steel section's full yield force
// Fst (kN) below the slab top: the yield forces of the top flange Fscf1, web
// (fyw Aw'), bottom flange Fscf2 and plate Fsp at their centroids.
mm dsr(kN Fscf1, MPa fyw, mm2 Aw_dash, kN Fscf2, kN Fsp, kN Fst, mm tf1, mm dp, mm tf2, mm tsp, mm Ds, mm Dc);
// b = min(b, Lef / 8): the slab width of one side that can count on an effective span Lef.
mm b_within_span(mm b, mm Lef);
// Fc1 = phi_c 0.85 f'c bcf (Dc - hr): design force of the concrete above the ribs.
kN Fc_1(double phi_c, MPa fc, mm bcf, mm Dc, mm hr);
// Ac1 = (Dc - hr) bcf: area of the concrete above the ribs.
mm2 Ac_1(mm bcf, mm Dc, mm hr);
// Fc2 = f'c phi_c 0.85 hr (lambda_l bcf1 + lambda_r bcf2): design force of the
// concrete within the ribs that counts on each side.
kN Fc_2(MPa fc, double phi_c, mm hr, double la_l, mm bcf_1, double la_r, mm bcf_2);
// Ac2 = (lambda_l bcf1 + lambda_r bcf2) hr: area of that concrete.
mm2 Ac_2(double la_l, mm bcf_1, double la_r, mm bcf_2, mm hr);
// Fcc = min(Fc1 + Fc2, phi_s Fst): the concrete's compression at full shear connection.
kN Fcc(kN Fc_1, kN Fc_2, double phi_s, kN Fst);

// --- Design moment capacity at a degree of shear connection (rectangular stress blocks).

// dc: depth of the concrete stress block that carries the compression C:
// within the hc = Dc - hr above the ribs while C is within Fc1, reaching into
// the ribs (of height hr) beyond it.
inline mm dc(kN C, kN Fc_1, kN Fc_2, mm hc, mm hr) {
  if (C <= Fc_1 + 0.00001) return RatioOr(hc * C, Fc_1);
  return hc + RatioOr((C - Fc_1) * hr, Fc_2, hr);
}

// Where the plastic neutral axis of the steel lies.
enum TSteelAxisZone { zTopFlange, zWeb, zBottomFlange, zPlate };
struct TSteelAxis {
  TSteelAxisZone zone;
  mm ys;  // its depth below the slab top
};
// ys: the steel's plastic neutral axis when T (twice the steel's compression
// force) is taken from the top down by the top flange F1, web Fw, bottom
// flange F2 and plate Fp (their design yield forces).
inline TSteelAxis ys(kN T, kN F1, kN Fw, kN F2, kN Fp, mm Dc, mm tf1, mm dp, mm Ds, mm tf2, mm tsp) {
  if (T <= 2 * F1) return {zTopFlange, Dc + RatioOr(tf1 * T, 2 * F1)};
  if (T <= 2 * (F1 + Fw)) return {zWeb, Dc + tf1 + RatioOr((T - 2 * F1) * dp, 2 * Fw)};
  if (T <= 2 * (F1 + Fw + F2)) return {zBottomFlange, Dc + Ds - tf2 + RatioOr((T - 2 * F1 - 2 * Fw) * tf2, 2 * F2)};
  return {zPlate, Dc + Ds + RatioOr((T - 2 * F1 - 2 * Fw - 2 * F2) * tsp, 2 * Fp)};
}

// Mc: moment of the concrete's compression C about the level dsr, kN mm.
inline kNmm Mc(kN C, kN Fc_1, mm dsr, mm dc, mm hc) {
  if (C <= Fc_1) return C * (dsr - dc / 2);
  return Fc_1 * (dsr - hc / 2) + (C - Fc_1) * (dsr - (hc + dc) / 2);
}

// Moments about dsr of the steel parts that are wholly in compression, kN mm:
// each counts twice its yield force, as it turns from tension into compression.
inline kNmm M_top_flange(kN F1, mm dsr, mm Dc, mm tf1) { return 2 * F1 * (dsr - Dc - tf1 / 2); }
inline kNmm M_web(kN Fw, mm dsr, mm Dc, mm tf1, mm Ds, mm tf2) { return 2 * Fw * (dsr - Dc - (tf1 + Ds - tf2) / 2); }
inline kNmm M_bottom_flange(kN F2, mm dsr, mm Dc, mm Ds, mm tf2) { return 2 * F2 * (dsr - (Dc + Ds - tf2 / 2)); }

// The fixed terms of the steel's moment: the wholly compressed parts' moments.
struct TCompressedParts {
  kNmm top_flange, web, bottom_flange;
};

// Ms: moment of the steel's compression about dsr, kN mm: the parts above
// the axis wholly compressed and the part at it to the axis.
inline kNmm Ms(const TSteelAxis& axis, kN T, kN F1, kN Fw, kN F2, const TCompressedParts& parts, mm dsr, mm Dc,
               mm tf1, mm Ds, mm tf2) {
  const mm ys = axis.ys;
  switch (axis.zone) {
    case zTopFlange: return T * (dsr - (Dc + ys) / 2);
    case zWeb: return parts.top_flange + (T - 2 * F1) * (dsr - (Dc + tf1 + ys) / 2);
    case zBottomFlange: return parts.top_flange + parts.web + (T - 2 * F1 - 2 * Fw) * (dsr - (Dc + Ds - tf2 + ys) / 2);
    case zPlate: break;
  }
  return parts.top_flange + parts.web + parts.bottom_flange + (T - 2 * F1 - 2 * Fw - 2 * F2) * (dsr - (Dc + Ds + ys) / 2);
}

// --- Capacities with the steel web ignored.

// yf: depth below the slab top of the line of action of the yield forces of
// the flanges and the plate alone.
mm yf(kN Fscf1, kN Fscf2, kN Fsp, mm tf1, mm dp, mm tf2, mm tsp, mm Ds, mm Dc);
// phi Mbfc with the compression Cf that reaches it: the design moment
// capacity with the web ignored, the flanges and plate (yield forces Fscf1,
// Fscf2, Fsp, times phi_s) at full shear connection to the slab (Fc1, Fc2), kNm.
struct TMbfc {
  kNm Mbfc;
  kN Cf;
};
TMbfc Mbfc(double phi_s, kN Fscf1, kN Fscf2, kN Fsp, kN Fc_1, kN Fc_2, mm yf, mm Dc, mm hr, mm tf1, mm Ds, mm tf2,
           mm tsp);
// psi = Cf / Fcc: the degree of shear connection at which Mbfc is reached.
double psi(kN Cf, kN Fcc);
// phi Msf = phi_s M: design moment capacity of the steel flanges and plate
// alone (yield forces Fscf1, Fscf2, Fsp without the factor), kNm.
kNm Msf(double phi_s, kN Fscf1, kN Fscf2, kN Fsp, mm yf, mm Dc, mm tf1, mm Ds, mm tf2, mm tsp);

// --- Cracked transformed section (concrete in compression only, in steel units).

// n = Es / Ec x creep factor: the modular ratio (the creep factor is 1 short
// term, kCreepFactorLongTerm long term).
double n_modular(MPa Es, MPa Ec, double CreepFactor);
constexpr double kCreepFactorLongTerm = 3;
// H = 2 n As / (bcf F): the section's ratio of steel to slab, F the depth of
// the steel centroid below the slab top.
double H_transformed(double n, mm2 As, mm bcf, mm F);
// kDb = (F/2)(sqrt(H (H + 4)) - H): depth of the neutral axis while it lies
// in the concrete above the ribs.
mm kDb_above_ribs(mm F, double H);
// It = bcf d^3 / (3n) + Is + As (F - d)^2: its second moment there.
mm4 It_above_ribs(mm bcf, mm d, double n, mm4 Is, mm2 As, mm F);
// kDb with the axis in the ribs, where lambda of the width counts (lambda > 0.001).
mm kDb_in_ribs(mm F, double H, double lambda, mm hc);
// It with the axis in the ribs.
mm4 It_in_ribs(double lambda, mm bcf, mm d, mm Dc, mm hr, double n, mm4 Is, mm2 As, mm F);
// kDb with all the concrete above and within the ribs in compression.
mm kDb_whole_slab(mm2 As, mm F, mm bcf, double n, mm Dc, mm hr, double lambda);
// It with all that concrete in compression.
mm4 It_whole_slab(mm2 As, mm F, mm d, mm4 Is, mm bcf, double n, mm Dc, mm hr, double lambda);
// Zt = It / (kDb - Dc): elastic modulus at the top of the steel (positive).
mm3 Zt(mm4 It, mm kDb, mm Dc);
// Zb = It / (kDb - Dc - Ds - tsp): elastic modulus at the bottom of the steel (negative).
mm3 Zb(mm4 It, mm kDb, mm Dc, mm Ds, mm tsp);
// Msh: the free shrinkage force of each concrete part (Ec eps A) times its
// lever arm to the short-term neutral axis kDbi, kNm; eps in microstrain.
kNm Msh(mm kDbi, mm Dc, mm hr, MPa Ec, microstrain eps, mm2 Ac_1, mm2 Ac_2);

// --- Vertical shear.

// lambda_sd = Dc / (D + Dc): the slab's share of the composite depth, D the
// steel's overall depth.
double lambdasd(mm Dc, mm D);
// Dslab: the depth of slab that carries shear: the full depth, less the
// ribs of an open trapezoidal deck (type 1).
mm Dslab(mm Dc, mm hr, int DeckType);
// phi Vvm = phi_vs Vv k, k = 2.2 - 1.6 M*/phi Ms within 0.6 to 1.0 (0.6
// without a bending capacity): the web's shear capacity with the moment M*
// at the bare steel stage.
kN phiVvm(double phi_vs, kN Vv, kNm Mstar, kNm Ms);

// --- Deflections.

// Ie / It = (It + k (Is - It)) / It, k = 0.6 (1 - beta): the stiffness of the
// transformed section under partial shear connection beta, towards the bare
// steel's Is (0 for no transformed section).
double I_factor(mm4 It, mm4 Is, double beta);
// The factor on a box section's curvature for its webs' shear deformation:
// 1.2 with two webs, else 1.
double CurvatureFactor(bool HasTwoWebs);
// kappa = M a / (Es I): curvature under the moment M (kNm) of a section of
// second moment I, in 1/mm over 10^6 (0 without a section).
double Curvature(kNm M, double a, MPa Es, mm4 I);
// The creep increment of the curvature under the sustained moment M (kNm):
// M / Es (1/Il - 1/Ii), Il and Ii the long- and short-term effective second moments.
double CreepCurvature(kNm M, MPa Es, mm4 Il, mm4 Ii);

}  // namespace as2327
