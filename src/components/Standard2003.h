// The formulas of AS/NZS 2327.1:2003 that differ from the 2017 edition's,
// one function per formula, named by its symbol, each with the clause or rule
// it implements; arguments are the quantities a checker substitutes, in the
// units their types name (cUnits.h). Standard2003() (cStandard.h) puts them
// behind the TStandard interface; a calculation report may call them to
// print a check with its numbers. Pure functions, callable from any thread.
#pragma once

#include "components/cCapacityFactor.h"
#include "components/cUnits.h"

namespace as2327_2003 {

using namespace unit;

// phi: the capacity factor for a kind of action effect.
double phi(TCapacityFactorType Kind);

// --- Concrete.
// fcm: mean strength of concrete of grade f'c for the section's stiffness:
// the tabulated values at the grades 20, 25, 32 and 40 MPa, otherwise
// 1.0833 f'c + 2.333 (0 below 0).
MPa fcm(MPa fc);
// Ec = rho^1.5 x 0.043 sqrt(fcm): the modulus for the section's stiffness.
MPa Ec(MPa fc, kg_m3 rho);
// Ec = rho^1.5 x 0.043 sqrt(f'c): the modulus for the connectors' strength.
MPa EcForConnectors(MPa fc, kg_m3 rho);

// --- Profiled steel deck.
// lambda = cos^2(theta) b0 / sr, within 0 to 1: the share of the concrete
// below the top of the ribs that counts where the ribs make an angle theta
// of more than 15 degrees with the beam (0 without a rib spacing sr).
double lambda_inclined_ribs(degrees theta, mm b0, mm sr);

// --- Shear connectors.
// fvs = min(0.63 dbs^2 fuc, 0.31 dbs^2 sqrt(f'c Ec)): nominal capacity of a
// headed stud of diameter dbs and tensile strength fuc, kN.
kN fvs_stud(mm dbs, MPa fuc, MPa fc, MPa Ec);
// fvs of a high-strength bolt (IsChannel false) or a channel in concrete of
// grade f'c from 15 MPa up, kN: linear between the tabulated grades 15, 20,
// 25, 32 and 40 MPa, the last value above; 0.8 of it in lightweight concrete.
kN fvs_bolt_or_channel(bool IsChannel, MPa fc, bool IsLightweight);
// kn = 1.18 - 0.18 / sqrt(n): the factor for a group of n connectors.
double kn(double n);
// ni with the group factor: the count n (from Fcp / fds alone) raised until n
// connectors of kn(n) fds carry Fcp / phi_c (Fcp in kN with phi_c in it),
// found by fixed-point iteration to 0.1 %.
int ni_with_group_factor(int n, kN Fcp, kN fds, double phi_c);
// beta = c kn(c) fds / (Fcc / phi_c), c the whole connectors of ni: the
// degree of shear connection (0 without a connector).
double beta_actual(double ni, kN fds, kN Fcc, double phi_c);

// --- Composite section.
// beff = min(b, bsf1/2 + 6 Dc) at a free slab edge, min(b, bsf1/2 + 8 Dc)
// otherwise: effective width of one side of the slab, mm.
mm beff_side(mm b, mm bsf1, mm Dc, bool IsEdge);

// --- Partial shear connection.
// 2 (1 - r) M + (2 r - 1) Mf: a moment capacity M reduced for a vertical
// shear ratio r above one half towards Mf, the capacity with the web ignored.
kNm MomentReducedForShear(double r, kNm M, kNm Mf);
// phi Mbv at a shear ratio up to one half: linear in beta between Mb(0),
// Mb(0.5) and Mb(1).
kNm phiMbv_low_shear(double beta, kNm Mb0, kNm Mb05, kNm Mb1);
// phi Mbv at a shear ratio above one half: linear in beta between R0 (at 0),
// P (at psi) and Q (at 1), the capacities reduced for shear.
kNm phiMbv_high_shear(double beta, double psi, kNm R0, kNm P, kNm Q);
// beta_min at a shear ratio up to one half: the beta at which phiMbv_low_shear
// reaches M* (above 1 when M* exceeds Mb(1)).
double beta_min_low_shear(kNm Mstar, kNm Mb0, kNm Mb05, kNm Mb1);
// beta_min at a shear ratio r above one half: the beta at which
// phiMbv_high_shear reaches M*; above P it rises from psi along the full
// capacities Mb(psi) to Mb(1) reduced for shear.
double beta_min_high_shear(kNm Mstar, double r, double psi, kNm R0, kNm P, kNm Mbpsi, kNm Mb1);
// The least degree of shear connection at the position of the greatest moment.
constexpr double kBetaMinAtMaxMoment = 0.5;

// --- Steel section.
// lambda_ey = 57.5 / alpha_y below one half, 322 / (1 + 3.6 alpha_y) above:
// yield slenderness limit of a web whose elastic neutral axis lies alpha_y
// of its depth below the top flange.
double lambda_ey_web(double alpha_y);
// tw,eff = tw (dp - di) / dp with di = max(0, alpha_p dp - 30 tw sqrt(250 /
// fyw)): the thickness of a non-compact web whose compression zone is
// alpha_p of its depth dp, the part beyond 30 tw sqrt(250/fyw) ignored.
mm tw_eff_noncompact_web(mm dp, mm tw, MPa fyw, double alpha_p);

}  // namespace as2327_2003
