// Floor vibration under walking: the natural frequency and the peak
// acceleration of a floor panel of secondary beams ("beams", span Lj, spacing
// S) carried by a primary beam ("girder", span Lg), by the walking-excitation
// method of AISC Design Guide 11 (Chapter 4), as practised in Australia and New
// Zealand. AS/NZS 2327 leaves the method to the designer.
//
// Every step of the chain is a named, pure function, so that a calculation
// report can print each formula with its numbers by calling the same function
// the check used. CalcFloorVibration runs the whole chain and keeps every
// intermediate value.
//
// Units: N, mm, s throughout (so a line load in kN/m is also N/mm), masses as
// weights: loads per area in kPa, line loads in kN/m, panel weights and the
// walking force in kN, second moments in mm4, stiffness per width in mm4/mm,
// deflections in mm, frequencies in Hz, accelerations in %g (per cent of g).
// g = 9810 mm/s2.
//
// The check never changes a beam's results or verdict; it is reported beside them.
//
// Failure: the functions are plain arithmetic on the values given; the chain
// (CalcFloorVibration) throws std::runtime_error, with a message that names
// the quantity, for an input that would divide by zero or give no frequency
// (a span, spacing, stiffness or weight that is not positive).
#pragma once

#include <string>

class TSteelSection;

namespace vibration {

inline constexpr double g = 9810;            // mm/s2
inline constexpr double Po = 0.29;           // walking force amplitude, kN
inline constexpr double Cj = 2.0;            // beam panel width coefficient
inline constexpr double CgWebConnected = 1.8;  // girder panel width coefficient, beams framing into its web
inline constexpr double CgOnSeat = 1.6;      // the same, beams seated on its top flange
inline constexpr double kLowestFrequency = 3;   // Hz: below, the floor is too flexible for the method
inline constexpr double kHighestFrequency = 9;  // Hz: above, walking does not excite resonance
inline constexpr double kContinuityFactor = 1.5;  // on Wj for beams continuous over their supports

// Gross steel section of a member for stiffness: area A (mm2), second moment
// I (mm4), depth y of its centroid below the top of the steel (mm), overall
// depth d (mm). Slender plates count in full: local buckling does not soften
// a floor under the small amplitudes of walking.
struct TVibrationSteel {
  double A = 0;
  double I = 0;
  double y = 0;
  double d = 0;
};

// The base section of a beam (flanges, web(s) and a cover plate under the
// bottom flange when plated); a notch is ignored (the check looks at midspan).
TVibrationSteel GrossSteelSection(const TSteelSection& Section);

// 1.35 Ec: the concrete's modulus under the small, fast strains of walking, MPa.
double DynamicModulus(double Ec);
// n = Es / (1.35 Ec).
double DynamicModularRatio(double Es, double Ec);
// w = slab + deck + superimposed dead load + live load in the mass, kPa.
double FloorWeight(double SlabWeight, double DeckWeight, double DeadLoad, double LiveLoadInMass);
// Effective slab width of a member, mm: min(Spacing, 0.4 L) for an internal
// member; Spacing / 2 + Outstand, at most 0.2 L, for a member at a floor edge.
double EffectiveSlabWidth(double Spacing, double L, bool IsEdge, double Outstand);
// Second moment of the composite section (mm4, steel units) at full
// interaction, the concrete transformed by n and counted whole (uncracked):
// the concrete above the ribs (depth hc) over the width beff, and within the
// rib height hr the rib concrete at its average width, RibShare of beff (0 for
// ribs across the member). The slab sits directly on the steel.
double TransformedSecondMoment(const TVibrationSteel& Steel, double beff, double hc, double hr, double RibShare,
                               double n);
// Line load on a member, kN/m: w x TributaryWidth / 1000 + its own weight +
// the weight of the members it carries (the beams' on a girder).
double MemberLineLoad(double w, double TributaryWidth, double SelfWeight, double CarriedWeight);
// Midspan deflection of a simply supported member, mm: 5 wL L^4 / (384 Es I).
double MidspanDeflection(double LineLoad, double L, double Es, double I);
// f = 0.18 sqrt(g / Delta), Hz.
double NaturalFrequency(double Deflection);
// de = slab depth - half the rib height, mm.
double EffectiveSlabDepth(double Ds, double hr);
// Ds = de^3 / (12 n): the slab's transformed stiffness per unit width across the beams, mm4/mm.
double SlabStiffness(double de, double n);
// Dj = Ij / S, Dg = Ig / Lj: a member's stiffness per unit width, mm4/mm.
double MemberStiffness(double I, double Spacing);
// B = C (Dacross / Dmember)^(1/4) L: the width of floor moving with the member, mm.
double PanelWidth(double C, double Dacross, double Dmember, double L);
// B, at most 2/3 of the floor's dimension in that direction when it is given (> 0), mm.
double PanelWidthWithinFloor(double B, double FloorDimension);
// W = (wL / TributaryWidth) B L x Factor: the weight of the moving panel, kN.
double PanelWeight(double LineLoad, double TributaryWidth, double B, double L, double Factor);
// Lg / Bj, not below 0.5, when the girder is shorter than the beams' panel
// is wide (Lg < Bj); 1 otherwise.
double GirderDeflectionFactor(double Lg, double Bj);
// fn = 0.18 sqrt(g / (Delta_j + Delta_g')), Hz.
double CombinedFrequency(double BeamDeflection, double GirderDeflection);
// W = Delta_j / (Delta_j + Delta_g') Wj + Delta_g' / (Delta_j + Delta_g') Wg, kN.
double CombinedPanelWeight(double BeamDeflection, double GirderDeflection, double Wj, double Wg);
// ap / g = Po exp(-0.35 fn) / (beta W), in %g.
double PeakAcceleration(double fn, double Damping, double W);

enum TVibrationVerdict {
  vvAcceptable,     // 3 Hz <= fn <= 9 Hz and ap/g within the limit
  vvExceedsLimit,   // 3 Hz <= fn <= 9 Hz and ap/g above the limit
  vvTooFlexible,    // fn < 3 Hz: fails
  vvNotGoverning,   // fn > 9 Hz: walking does not govern; passes
};
TVibrationVerdict Verdict(double fn, double PeakAcceleration, double AccelerationLimit);
inline bool IsAcceptable(TVibrationVerdict V) { return V == vvAcceptable || V == vvNotGoverning; }

// One member of the panel as the floor gives it.
struct TVibrationMemberInput {
  double L = 0;               // span, mm
  double Spacing = 0;         // spacing of such members (the girder's: the beams' span Lj), mm
  double TributaryWidth = 0;  // width of floor whose weight it carries, mm
  bool IsEdge = false;        // at a floor edge: the edge effective width
  double Outstand = 0;        // slab beyond an edge member, mm
  double RibsAlongShare = 0;  // share of its slab whose ribs run along it (0 to 1)
  TVibrationSteel Steel;
  double SelfWeight = 0;      // kN/m
  double CarriedWeight = 0;   // steel it carries, kN/m (the beams' weight on a girder)
};

struct TFloorVibrationInput {
  double Es = 0;              // MPa
  double Ec = 0;              // static modulus of the slab concrete, MPa
  double Ds = 0;              // overall slab depth, mm
  double hr = 0;              // rib height, mm (0 for a solid slab)
  double RibShare = 0;        // concrete share of the rib zone: rib width / rib pitch
  double SlabWeight = 0;      // kPa
  double DeckWeight = 0;      // kPa
  double DeadLoad = 0;        // superimposed dead load, kPa
  double LiveLoadInMass = 0;  // kPa
  TVibrationMemberInput Beam;
  bool HasGirder = false;
  TVibrationMemberInput Girder;
  double Damping = 0;            // beta
  double AccelerationLimit = 0;  // %g
  double FloorWidth = 0;         // across the beams, mm; 0: not limited
  double FloorLength = 0;        // along the beams, mm; 0: not limited
  bool IsBeamContinuous = false;
  bool IsBeamOnSeat = false;
};

// One member's steps, in chain order.
struct TVibrationMemberResult {
  double beff = 0;          // mm
  double I = 0;             // mm4
  double LineLoad = 0;      // kN/m
  double Deflection = 0;    // mm
  double Frequency = 0;     // Hz
  double Stiffness = 0;     // D, mm4/mm
  double C = 0;             // panel width coefficient
  double PanelWidthFree = 0;  // before the floor's limit, mm
  double PanelWidth = 0;    // mm
  double WeightFactor = 1;  // 1.5 for continuous beams
  double PanelWeight = 0;   // kN
};

struct TFloorVibrationResult {
  double Ecd = 0;    // MPa
  double n = 0;
  double w = 0;      // kPa
  double hc = 0;     // concrete above the ribs, mm
  double de = 0;     // mm
  double SlabStiffness = 0;  // Ds, mm4/mm
  TVibrationMemberResult Beam;
  TVibrationMemberResult Girder;   // zero without a girder
  double GirderDeflectionFactor = 0;   // Lg/Bj (0.5 to 1); 0 without a girder
  double GirderDeflectionReduced = 0;  // mm
  double Frequency = 0;                // fn, Hz
  double EffectiveWeight = 0;          // W, kN
  double PeakAcceleration = 0;         // %g
  double AccelerationLimit = 0;        // %g
  TVibrationVerdict Verdict = vvAcceptable;
  bool IsOK = false;
};

// The whole chain; without a girder fn = fj and W = Wj.
TFloorVibrationResult CalcFloorVibration(const TFloorVibrationInput& Input);

}  // namespace vibration
