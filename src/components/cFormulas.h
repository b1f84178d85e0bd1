// Formulas of the components that both editions of AS/NZS 2327 share: the
// concrete's strength and modulus, the connectors' spacing in the ribs of a
// deck and the cap on their tensile strength. One function per formula,
// named by its symbol, each with the rule it implements; the arguments are
// the quantities a checker substitutes, in the units their types name
// (cUnits.h). The formulas that differ between the editions are in
// Standard2003.h and Standard2017.h; the composite beam's shared formulas in
// engine/cCompositeFormulas.h.
//
// Pure functions: they read nothing but their arguments and may be called
// from any thread.
#pragma once

#include "components/cUnits.h"

namespace as2327 {

using namespace unit;

// fcmi = 0.9 f'c (1.2875 - 0.001875 f'c): mean in-situ strength of concrete of grade f'c.
MPa fcmi(MPa fc);

// Ec = rho^1.5 x 0.043 sqrt(f) (AS 3600 Cl 3.1.2): elastic modulus of concrete
// of density rho and mean strength f. Negative inputs count as 0.
MPa Ec_rho_f(kg_m3 rho, MPa f);

// Whether concrete of density rho is lightweight (rho <= 2100 kg/m3).
bool IsLightweight(kg_m3 rho);

// fuc,max: the cap on the connectors' tensile strength, 450 MPa when the
// ribs of either side make more than 15 degrees with the beam, else 500 MPa.
MPa fuc_max(degrees theta1, degrees theta2);

// The most connectors a count reaches: a connector without capacity never
// suffices, and counts stay within an int.
constexpr int kMaxConnectors = 1000000;

// ni = ceil(Fcp / fds): connectors of design capacity fds (kN) that
// transmit the force Fcp (kN), at most kMaxConnectors (also for no capacity).
int ni(kN Fcp, kN fds);

// Pitch of the deck's ribs along the beam, sr / sin(theta), mm: sr the rib
// spacing, theta the ribs' angle with the beam.
mm RibPitchAlongBeam(mm sr, degrees theta);

// Greatest connector spacing in ribs at pitches cL and cR along the beam
// with nr connectors per rib: the larger of the whole numbers of rib
// pitches (per connector) that fit in smax, the slab's greatest spacing.
mm smax_in_ribs(mm cL, mm cR, double nr, mm smax);

// Least connector spacing in ribs: at least one rib pitch (per connector),
// and at least smin, the connector's own least spacing.
mm smin_in_ribs(mm cL, mm cR, double nr, mm smin);

}  // namespace as2327
