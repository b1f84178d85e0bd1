// The formulas of AS/NZS 2327:2017 that differ from the 2003 edition's, one
// function per formula, named by its symbol, each with the clause or rule it
// implements; arguments are the quantities a checker substitutes, in the
// units their types name (cUnits.h). Standard2017() (cStandard.h) puts them
// behind the TStandard interface; a calculation report may call them to
// print a check with its numbers. Pure functions, callable from any thread.
#pragma once

#include "components/cCapacityFactor.h"
#include "components/cUnits.h"

namespace as2327_2017 {

using namespace unit;

// phi: the capacity factor for a kind of action effect.
double phi(TCapacityFactorType Kind);

// --- Concrete (AS 3600 Cl 3.1.2).
// Ec = rho^1.5 x 0.043 sqrt(fcmi), or rho^1.5 (0.024 sqrt(fcmi) + 0.12) above
// 40 MPa: elastic modulus of concrete of density rho and mean in-situ strength fcmi.
MPa Ec_rho_fcmi(kg_m3 rho, MPa fcmi);
// Ec of normal-weight concrete of grade f'c from the table of grades (AS 3600
// Table 3.1.2), linear between grades and 42200 MPa above the last. Below the
// first grade (20 MPa) the table gives nothing: 24000 sqrt(f'c / 20), which
// meets it at 20 MPa and falls to 0 at f'c = 0.
MPa Ec_table(MPa fc);
// Ec x (rho / 2400)^1.5: the table's modulus scaled to lightweight concrete.
MPa Ec_lightweight(MPa Ec, kg_m3 rho);
// The modulus of the slab concrete (for stiffness and for the connectors
// alike): from the table of grades when WillUseEcTable, else from fcmi.
MPa Ec(MPa fc, kg_m3 rho, bool WillUseEcTable);

// --- Profiled steel deck.
// Whether the concrete below the top of the ribs counts for nothing: a deck
// of type 1 (open trapezoidal), or one marked to ignore it.
bool IgnoresConcreteBelowRibs(int DeckType, bool WillIgnoreConcreteBelowRibs);

// --- Shear connectors (Cl 3.6.2.3).
// PRk,s = c dbs^2 min(fuc, fuc,max): the shank failure of a connector of
// diameter dbs and tensile strength fuc, kN; c is 0.7 for a headed stud and
// 0.5 for a high-strength bolt.
kN PRk_shank(double c, mm dbs, MPa fuc, MPa fuc_max);
// PRk,c = 0.29 dbs^2 sqrt(Ec min(f'c, 100)): the concrete failure around it, kN.
kN PRk_concrete(mm dbs, MPa Ec, MPa fc);
// kl = min(1, 0.6 (b0 / hr)(h / hr - 1)): reduction of the capacity in a
// deck whose ribs run along the beam; b0 the trough width, hr the rib height,
// h the connector height (at most hr + 75).
double kl(mm b0, mm hr, mm h);
// The base value of kt in a deck whose ribs cross the beam, for n connectors
// per rib of diameter dbs in a deck of type DeckType and sheet thickness t.
double kt_base(int n, int DeckType, mm t, bool IsThroughDeckWelded, mm dbs);
// kt = min(base, (0.7 / sqrt(n)) (b0 / hr)(h / hr - 1)) for decks of types 1
// and 2, min(base, 1) for type 3: reduction of the capacity in ribs across
// the beam. The base value is 0 in ribs deeper than 85 mm, in troughs
// narrower than the ribs are high, and for connectors thicker than 20 mm
// (welded through the deck) or 22 mm (not).
double kt_transverse(int n, int DeckType, mm b0, mm hr, mm h, mm t, bool IsThroughDeckWelded, mm dbs);
// kt = min(1, k Beta): the reduction with the deck's profile coefficient Beta.
double kt_with_profile(double k, double Beta);

// --- Composite section.
// beta = 0.55 + 0.025 Lef / b (0 for no width): the share of the slab width
// b that counts at a support of a span Lef.
double beta_beff(mm b, mm Lef);
// The share of the way from a support's effective width to the full width
// at x: 0 at a support, 1 from the quarter points inwards.
double beff_position_factor(mm x, mm Lef);
// beff = beta b + p (b - beta b): effective width of one side of the slab,
// mm, at the position factor p.
mm beff_side(mm b, double beta, double p);
// Vslab = (Dslab bsf1)^0.7 (13 + 110 lambda_sd) sqrt(f'c), kN: the slab's
// contribution to vertical shear over a top flange of width bsf1.
kN Vslab(mm Dslab, mm bsf1, double lambdasd, MPa fc);
// Vcomp = V (beta + (1 - beta) / (0.92 + 0.76 lambda_sd)), kN: vertical
// shear capacity at the degree of shear connection beta, V being phi_vc
// Vslab + phi_vs Vv.
kN Vcomp(kN V, double beta, double lambdasd);

// --- Partial shear connection.
// (1 - (V*/Vcomp)^6)^(1/3): the reduction of the moment capacity for the
// vertical shear ratio r = V* / Vcomp (r below 1).
double MomentReductionForShear(double r);
// phi Mbv = phi Mb (1 - r^6)^(1/3), 0 when r reaches 1: the moment capacity
// reduced for vertical shear, kNm.
kNm MbAdjustedForShear(kNm Mb, double r);
// beta_min = (M* - M0) / (M1 - M0): the degree of shear connection at which
// the linear interaction between M0 (no connection) and M1 (full
// connection) reaches M* (for very ductile connectors); above 1 when M*
// exceeds M0 and the slab adds nothing.
double beta_min_linear(kNm Mstar, kNm M0, kNm M1);
// The least degree of shear connection for the connectors' ductility in a
// steel section with equal flanges, on a span Le (mm) with a top flange of
// yield stress fy: 1 - (355/fy)(1 - 0.04 L) for very ductile connectors,
// 1 - (355/fy)(0.75 - 0.03 L) for others (L in m), 1 beyond 25 m; at least 0.4.
double beta_min_equal_flanges(bool IsVeryDuctile, mm Le, MPa fy);
// The same with a bottom flange three times the top: 1 - (355/fy)(0.3 -
// 0.015 L), 1 beyond 20 m; at least 0.4.
double beta_min_unequal_flanges(mm Le, MPa fy);
// The least degree of shear connection at the position of the greatest
// moment: the value for equal flanges up to a FlangeAreaRatio (bottom over
// top flange area) of 1, for unequal flanges from 3, linear between them.
double beta_min_ductility(bool IsVeryDuctile, double FlangeAreaRatio, MPa fy, mm Le);
// beta = ni fds / Fcc: the degree of shear connection of ni connectors of
// design capacity fds (kN) in a section whose concrete carries Fcc (kN).
double beta_actual(double ni, kN fds, kN Fcc);

// --- Steel section (Cl 3.4.3.3).
// lambda_ey = 60 / alpha_y: yield slenderness limit of a web whose elastic
// neutral axis lies alpha_y of its depth below the top flange.
double lambda_ey_web(double alpha_y);
// dc = 15 tw sqrt(250 / fyw): the depth of a non-compact web next to its
// compression flange that counts, mm.
mm dc_noncompact_web(mm tw, MPa fyw);

}  // namespace as2327_2017
