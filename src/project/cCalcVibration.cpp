// The floor vibration chapter of the calculation report: every step of the
// walking-excitation chain (engine/cFloorVibration.h) with its numbers. The
// inputs are those the run handed the chain (TVibration::Input); each step is
// the chain's own named function, and its result the one the run kept
// (TVibration::Result).
#include <algorithm>
#include <cmath>

#include "engine/cFloorVibration.h"
#include "entity/VEXUtility.h"
#include "project/cCalculationReport.h"

using calc::Num;
using calc::Qty;
using namespace vibration;

namespace {

const std::string kRef = "AISC DG11";

TCalcFormula Step(const std::string& Check, const std::string& Symbolic, const std::string& Substituted,
                  const std::string& Result) {
  TCalcFormula f;
  f.Check = Check;
  f.Reference = kRef;
  f.Symbolic = Symbolic;
  f.Substituted = Substituted;
  f.Result = Result;
  return f;
}

std::string E6(double v, int decimals, const std::string& unit) { return calc::QtyE6(v, decimals, unit); }

// One member's steps: j for the beams, g for the girder.
void MemberSteps(TCalcDocument& d, const TFloorVibrationInput& in, const TFloorVibrationResult& r,
                 const TVibrationMemberInput& m, const TVibrationMemberResult& mr, const std::string& s,
                 const std::string& Name) {
  d.Heading(3, Name);
  const std::string L = "L" + s;
  // Each step by the chain's own function with the chain's inputs: what the check kept.
  const double rib = in.RibShare * std::clamp(m.RibsAlongShare, 0.0, 1.0);
  CheckAgainstAnalysis(d, "beff" + s, EffectiveSlabWidth(m.Spacing, m.L, m.IsEdge, m.Outstand), mr.beff);
  CheckAgainstAnalysis(d, "I" + s, TransformedSecondMoment(m.Steel, mr.beff, r.hc, in.hr, rib, r.n), mr.I);
  CheckAgainstAnalysis(d, "w" + s, MemberLineLoad(r.w, m.TributaryWidth, m.SelfWeight, m.CarriedWeight), mr.LineLoad);
  CheckAgainstAnalysis(d, "Delta" + s, MidspanDeflection(mr.LineLoad, m.L, in.Es, mr.I), mr.Deflection);
  CheckAgainstAnalysis(d, "f" + s, NaturalFrequency(mr.Deflection), mr.Frequency);
  CheckAgainstAnalysis(d, "D" + s, MemberStiffness(mr.I, m.Spacing), mr.Stiffness);
  if (m.IsEdge)
    d.Formula(Step("Effective slab width (edge member)", "beff = min(S/2 + outstand, 0.2 " + L + ")",
                   "= min(" + Num(m.Spacing, 0) + "/2 + " + Num(m.Outstand, 0) + ", 0.2 × " + Num(m.L, 0) + ") mm",
                   "= " + Qty(mr.beff, 0, "mm")));
  else
    d.Formula(Step("Effective slab width", "beff = min(S, 0.4 " + L + ")",
                   "= min(" + Num(m.Spacing, 0) + ", 0.4 × " + Num(m.L, 0) + ") mm", "= " + Qty(mr.beff, 0, "mm")));
  d.Formula(Step("Transformed second moment, full interaction, uncracked",
                 "I" + s + " = Σ (I0 + A (y − ȳ)²): steel, slab above the ribs, rib concrete at " + Num(rib, 2) +
                     " of beff, concrete over n",
                 "As = " + Qty(m.Steel.A, 0, "mm²") + ", Is = " + E6(m.Steel.I, 1, "mm⁴") + ", hc = " +
                     Qty(r.hc, 0, "mm") + ", hr = " + Qty(in.hr, 0, "mm") + ", n = " + Num(r.n, 2),
                 "I" + s + " = " + E6(mr.I, 1, "mm⁴")));
  const std::string carried = m.CarriedWeight > 0 ? " + " + Num(m.CarriedWeight, 3) : "";
  d.Formula(Step("Line load", "w" + s + " = w × tributary width + self-weight" + std::string(m.CarriedWeight > 0 ? " + beams carried" : ""),
                 "= " + Num(r.w, 3) + " kPa × " + Num(m.TributaryWidth / 1000, 3) + " m + " + Num(m.SelfWeight, 3) +
                     carried + " kN/m",
                 "= " + Qty(mr.LineLoad, 2, "kN/m")));
  d.Formula(Step("Midspan deflection", "Δ" + s + " = 5 w" + s + " " + L + "⁴ / (384 Es I" + s + ")",
                 "= 5 × " + Num(mr.LineLoad, 3) + " N/mm × " + Num(m.L, 0) + "⁴ mm⁴ / (384 × " + Num(in.Es, 0) +
                     " MPa × " + E6(mr.I, 1, "mm⁴") + ")",
                 "= " + Qty(mr.Deflection, 2, "mm")));
  d.Formula(Step("Natural frequency of the member", "f" + s + " = 0.18 √(g / Δ" + s + ")",
                 "= 0.18 × √(9810 / " + Num(mr.Deflection, 3) + ")", "= " + Qty(mr.Frequency, 2, "Hz")));
  const std::string spacing = s == "j" ? "S" : "Lj";
  d.Formula(Step("Stiffness per unit width", "D" + s + " = I" + s + " / " + spacing,
                 "= " + E6(mr.I, 1, "mm⁴") + " / " + Qty(m.Spacing, 0, "mm"), "= " + Qty(mr.Stiffness, 0, "mm⁴/mm")));
}

}  // namespace

void AppendVibrationCalculation(TCalcDocument& d, const TVibration& v) {
  if (!v.IsChecked) return;
  d.Heading(1, "Floor vibration", "Floor vibration", "vibration");
  d.Paragraph("Walking excitation by the method of AISC Design Guide 11, as practised in Australia and New Zealand "
              "(AS/NZS 2327 leaves the method to the designer). The check is reported beside the beams' checks and "
              "never changes their verdicts. Units: N, mm, s; g = 9810 mm/s².");
  TCalcTable in;
  in.Header = {"Input", "Value"};
  in.Align = {TCalcAlign::Left, TCalcAlign::Left};
  in.AddRow({"Damping ratio β", Num(v.Damping, 3)});
  in.AddRow({"Live load in the mass", Qty(v.LiveLoadInMass, 2, "kPa")});
  in.AddRow({"Floor width across the beams", v.FloorWidth > 0 ? Qty(v.FloorWidth, 0, "mm") : "not limited"});
  in.AddRow({"Floor length along the beams", v.FloorLength > 0 ? Qty(v.FloorLength, 0, "mm") : "not limited"});
  in.AddRow({"Beams continuous", v.IsBeamContinuous ? "yes (Wj × 1.5)" : "no"});
  in.AddRow({"Beams", v.IsBeamOnSeat ? "seated on the girder's top flange (Cg = 1.6)"
                                     : "framing into the girder's web (Cg = 1.8)"});
  in.AddRow({"Acceleration limit", Qty(v.AccelerationLimit, 2, "%g")});
  d.Table(std::move(in));
  if (!v.IsCalculated) {
    d.Paragraph("The check was not made: " + (v.Message.empty() ? std::string("no analysis") : v.Message) + ".",
                TCalcParagraphStyle::Warning);
    return;
  }
  const TFloorVibrationInput& i = v.Input;
  const TFloorVibrationResult& r = v.Result;
  d.Paragraph("Bay checked: " + v.BayCaption + (i.HasGirder ? " with the primary beam (girder)." : "."));

  CheckAgainstAnalysis(d, "w", FloorWeight(i.SlabWeight, i.DeckWeight, i.DeadLoad, i.LiveLoadInMass), r.w);
  CheckAgainstAnalysis(d, "Ecd", DynamicModulus(i.Ec), r.Ecd);
  CheckAgainstAnalysis(d, "n", DynamicModularRatio(i.Es, i.Ec), r.n);
  CheckAgainstAnalysis(d, "de", EffectiveSlabDepth(i.Ds, i.hr), r.de);
  CheckAgainstAnalysis(d, "Ds", SlabStiffness(r.de, r.n), r.SlabStiffness);
  d.Heading(2, "Mass and stiffness of the slab");
  d.Formula(Step("Floor weight in the vibrating mass", "w = slab + deck + superimposed dead load + live load in mass",
                 "= " + Num(i.SlabWeight, 3) + " + " + Num(i.DeckWeight, 3) + " + " + Num(i.DeadLoad, 3) + " + " +
                     Num(i.LiveLoadInMass, 3) + " kPa",
                 "= " + Qty(r.w, 2, "kPa")));
  d.Formula(Step("Dynamic modulus of the concrete", "Ecd = 1.35 Ec", "= 1.35 × " + Qty(i.Ec, 0, "MPa"),
                 "= " + Qty(r.Ecd, 0, "MPa")));
  d.Formula(Step("Dynamic modular ratio", "n = Es / Ecd", "= " + Num(i.Es, 0) + " / " + Num(r.Ecd, 0),
                 "= " + Num(r.n, 3)));
  d.Formula(Step("Effective slab depth", "de = Ds − hr/2", "= " + Num(i.Ds, 0) + " − " + Num(i.hr, 0) + "/2 mm",
                 "= " + Qty(r.de, 1, "mm")));
  d.Formula(Step("Transformed slab stiffness per unit width", "Ds = de³ / (12 n)",
                 "= " + Num(r.de, 1) + "³ / (12 × " + Num(r.n, 3) + ")", "= " + Qty(r.SlabStiffness, 0, "mm⁴/mm")));

  d.Heading(2, "Beam and girder modes");
  MemberSteps(d, i, r, i.Beam, r.Beam, "j", "Secondary beams (j)");
  const TVibrationMemberResult& j = r.Beam;
  CheckAgainstAnalysis(d, "Bj", PanelWidthWithinFloor(PanelWidth(Cj, r.SlabStiffness, j.Stiffness, i.Beam.L), i.FloorWidth),
                       j.PanelWidth);
  CheckAgainstAnalysis(d, "Wj", PanelWeight(j.LineLoad, i.Beam.TributaryWidth, j.PanelWidth, i.Beam.L, j.WeightFactor),
                       j.PanelWeight);
  d.Formula(Step("Beam panel width", "Bj = Cj (Ds / Dj)^¼ Lj" + std::string(i.FloorWidth > 0 ? ", at most ⅔ of the floor width" : ""),
                 "= " + Num(j.C, 1) + " × (" + Num(r.SlabStiffness, 0) + " / " + Num(j.Stiffness, 0) + ")^¼ × " +
                     Num(i.Beam.L, 0) + " mm",
                 "= " + Qty(j.PanelWidth, 0, "mm") +
                     (j.PanelWidth < j.PanelWidthFree ? " (limited from " + Qty(j.PanelWidthFree, 0, "mm") + ")" : "")));
  d.Formula(Step("Beam panel weight", "Wj = (wj / S) Bj Lj" + std::string(j.WeightFactor != 1 ? " × 1.5" : ""),
                 "= (" + Num(j.LineLoad, 3) + " / " + Num(i.Beam.TributaryWidth, 0) + ") × " + Num(j.PanelWidth, 0) +
                     " × " + Num(i.Beam.L, 0) + " / 1000" + (j.WeightFactor != 1 ? " × 1.5" : ""),
                 "= " + Qty(j.PanelWeight, 1, "kN")));
  if (i.HasGirder) {
    MemberSteps(d, i, r, i.Girder, r.Girder, "g", "Primary beam, the girder (g)");
    const TVibrationMemberResult& g = r.Girder;
    CheckAgainstAnalysis(d, "Bg",
                         PanelWidthWithinFloor(PanelWidth(g.C, j.Stiffness, g.Stiffness, i.Girder.L), i.FloorLength),
                         g.PanelWidth);
    CheckAgainstAnalysis(d, "Wg", PanelWeight(g.LineLoad, i.Girder.TributaryWidth, g.PanelWidth, i.Girder.L, 1),
                         g.PanelWeight);
    CheckAgainstAnalysis(d, "Lg/Bj", GirderDeflectionFactor(i.Girder.L, j.PanelWidth), r.GirderDeflectionFactor);
    CheckAgainstAnalysis(d, "fn", CombinedFrequency(j.Deflection, r.GirderDeflectionReduced), r.Frequency);
    CheckAgainstAnalysis(d, "W", CombinedPanelWeight(j.Deflection, r.GirderDeflectionReduced, j.PanelWeight, g.PanelWeight),
                         r.EffectiveWeight);
    d.Formula(Step("Girder panel width", "Bg = Cg (Dj / Dg)^¼ Lg" + std::string(i.FloorLength > 0 ? ", at most ⅔ of the floor length" : ""),
                   "= " + Num(g.C, 1) + " × (" + Num(j.Stiffness, 0) + " / " + Num(g.Stiffness, 0) + ")^¼ × " +
                       Num(i.Girder.L, 0) + " mm",
                   "= " + Qty(g.PanelWidth, 0, "mm") +
                       (g.PanelWidth < g.PanelWidthFree ? " (limited from " + Qty(g.PanelWidthFree, 0, "mm") + ")" : "")));
    d.Formula(Step("Girder panel weight", "Wg = (wg / Lj) Bg Lg",
                   "= (" + Num(g.LineLoad, 3) + " / " + Num(i.Girder.TributaryWidth, 0) + ") × " + Num(g.PanelWidth, 0) +
                       " × " + Num(i.Girder.L, 0) + " / 1000",
                   "= " + Qty(g.PanelWeight, 1, "kN")));
    d.Heading(2, "Combined mode");
    d.Formula(Step("Girder deflection in the combined mode", "Δg' = (Lg / Bj) Δg when Lg < Bj, Lg/Bj not below 0.5",
                   "factor = " + Num(r.GirderDeflectionFactor, 3) + ", Δg = " + Qty(g.Deflection, 2, "mm"),
                   "Δg' = " + Qty(r.GirderDeflectionReduced, 2, "mm")));
    d.Formula(Step("Natural frequency of the floor", "fn = 0.18 √(g / (Δj + Δg'))",
                   "= 0.18 × √(9810 / (" + Num(j.Deflection, 3) + " + " + Num(r.GirderDeflectionReduced, 3) + "))",
                   "= " + Qty(r.Frequency, 2, "Hz")));
    d.Formula(Step("Effective panel weight", "W = Δj/(Δj + Δg') Wj + Δg'/(Δj + Δg') Wg",
                   "= " + Num(j.Deflection, 3) + "/" + Num(j.Deflection + r.GirderDeflectionReduced, 3) + " × " +
                       Num(j.PanelWeight, 1) + " + " + Num(r.GirderDeflectionReduced, 3) + "/" +
                       Num(j.Deflection + r.GirderDeflectionReduced, 3) + " × " + Num(g.PanelWeight, 1) + " kN",
                   "= " + Qty(r.EffectiveWeight, 1, "kN")));
  } else {
    d.Formula(Step("Natural frequency of the floor (no girder)", "fn = fj", "", "= " + Qty(r.Frequency, 2, "Hz")));
    d.Formula(Step("Effective panel weight (no girder)", "W = Wj", "", "= " + Qty(r.EffectiveWeight, 1, "kN")));
  }

  CheckAgainstAnalysis(d, "ap/g", PeakAcceleration(r.Frequency, i.Damping, r.EffectiveWeight), r.PeakAcceleration);
  d.Heading(2, "Response to walking");
  TCalcFormula a = Step("Peak acceleration", "ap/g = Po exp(−0.35 fn) / (β W),  Po = 0.29 kN",
                        "= 0.29 × exp(−0.35 × " + Num(r.Frequency, 3) + ") / (" + Num(i.Damping, 3) + " × " +
                            Num(r.EffectiveWeight, 1) + ") × 100 %",
                        "= " + Qty(r.PeakAcceleration, 2, "%g"));
  if (r.Verdict == vvAcceptable || r.Verdict == vvExceedsLimit) {
    a.Limit = "≤ " + Qty(r.AccelerationLimit, 2, "%g");
    a.Ratio = calc::Ratio2(r.PeakAcceleration / r.AccelerationLimit);
    a.Verdict = VerdictOf(r.IsOK);
  }
  d.Formula(a);
  if (r.Verdict == vvNotGoverning)
    d.Paragraph("fn = " + Qty(r.Frequency, 2, "Hz") + " is above 9 Hz: walking does not excite the floor in "
                "resonance and the walking check does not govern. Floor vibration: OK.");
  if (r.Verdict == vvTooFlexible)
    d.Paragraph("fn = " + Qty(r.Frequency, 2, "Hz") + " is below 3 Hz: the floor is too flexible. Floor vibration: "
                "NOT OK.", TCalcParagraphStyle::Warning);
}
