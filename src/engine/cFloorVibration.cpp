#include "engine/cFloorVibration.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "components/cSteelSection.h"

namespace vibration {

TVibrationSteel GrossSteelSection(const TSteelSection& Section) {
  const TCustomSteelSection& base = Section.BaseSteelSection;
  const double nw = base.HasTwoWebs ? 2 : 1;
  const double d = base.d;
  const double b1 = base.b, t1 = base.tf, b2 = base.bbf(), t2 = base.tbf();
  const double hw = std::max(0.0, d - t1 - t2);
  // A cover plate under the bottom flange (none counted where the section is notched).
  const double bp = Section.bsp(), tp = Section.tsp();
  struct TPart {
    double A, y, I0;
  };
  const TPart parts[] = {
      {b1 * t1, t1 / 2, b1 * t1 * t1 * t1 / 12},
      {nw * base.tw * hw, t1 + hw / 2, nw * base.tw * hw * hw * hw / 12},
      {b2 * t2, d - t2 / 2, b2 * t2 * t2 * t2 / 12},
      {bp * tp, d + tp / 2, bp * tp * tp * tp / 12},
  };
  TVibrationSteel s;
  double first = 0;
  for (const TPart& p : parts) {
    s.A += p.A;
    first += p.A * p.y;
  }
  if (s.A <= 0) return s;
  s.y = first / s.A;
  for (const TPart& p : parts) s.I += p.I0 + p.A * (p.y - s.y) * (p.y - s.y);
  s.d = d + tp;
  return s;
}

double DynamicModulus(double Ec) { return 1.35 * Ec; }

double DynamicModularRatio(double Es, double Ec) { return Es / DynamicModulus(Ec); }

double FloorWeight(double SlabWeight, double DeckWeight, double DeadLoad, double LiveLoadInMass) {
  return SlabWeight + DeckWeight + DeadLoad + LiveLoadInMass;
}

double EffectiveSlabWidth(double Spacing, double L, bool IsEdge, double Outstand) {
  if (IsEdge) return std::min(Spacing / 2 + Outstand, 0.2 * L);
  return std::min(Spacing, 0.4 * L);
}

double TransformedSecondMoment(const TVibrationSteel& Steel, double beff, double hc, double hr, double RibShare,
                               double n) {
  // Depths below the top of the slab; each part's own second moment plus its
  // area times the square of its distance from the common centroid.
  struct TPart {
    double A, y, I0;
  };
  const double b_rib = beff * RibShare;
  const TPart parts[] = {
      {Steel.A, hc + hr + Steel.y, Steel.I},
      {beff * hc / n, hc / 2, beff * hc * hc * hc / (12 * n)},
      {b_rib * hr / n, hc + hr / 2, b_rib * hr * hr * hr / (12 * n)},
  };
  double A = 0, first = 0;
  for (const TPart& p : parts) {
    A += p.A;
    first += p.A * p.y;
  }
  const double y = first / A;
  double I = 0;
  for (const TPart& p : parts) I += p.I0 + p.A * (p.y - y) * (p.y - y);
  return I;
}

double MemberLineLoad(double w, double TributaryWidth, double SelfWeight, double CarriedWeight) {
  return w * TributaryWidth / 1000 + SelfWeight + CarriedWeight;
}

double MidspanDeflection(double LineLoad, double L, double Es, double I) {
  return 5 * LineLoad * L * L * L * L / (384 * Es * I);
}

double NaturalFrequency(double Deflection) { return 0.18 * std::sqrt(g / Deflection); }

double EffectiveSlabDepth(double Ds, double hr) { return Ds - hr / 2; }

double SlabStiffness(double de, double n) { return de * de * de / (12 * n); }

double MemberStiffness(double I, double Spacing) { return I / Spacing; }

double PanelWidth(double C, double Dacross, double Dmember, double L) {
  return C * std::pow(Dacross / Dmember, 0.25) * L;
}

double PanelWidthWithinFloor(double B, double FloorDimension) {
  return FloorDimension > 0 ? std::min(B, 2.0 / 3.0 * FloorDimension) : B;
}

double PanelWeight(double LineLoad, double TributaryWidth, double B, double L, double Factor) {
  return LineLoad / TributaryWidth * B * L / 1000 * Factor;
}

double GirderDeflectionFactor(double Lg, double Bj) {
  if (!(Lg < Bj)) return 1;
  return std::max(0.5, Lg / Bj);
}

double CombinedFrequency(double BeamDeflection, double GirderDeflection) {
  return NaturalFrequency(BeamDeflection + GirderDeflection);
}

double CombinedPanelWeight(double BeamDeflection, double GirderDeflection, double Wj, double Wg) {
  const double total = BeamDeflection + GirderDeflection;
  return BeamDeflection / total * Wj + GirderDeflection / total * Wg;
}

double PeakAcceleration(double fn, double Damping, double W) {
  return Po * std::exp(-0.35 * fn) / (Damping * W) * 100;
}

TVibrationVerdict Verdict(double fn, double PeakAcceleration, double AccelerationLimit) {
  if (fn < kLowestFrequency) return vvTooFlexible;
  if (fn > kHighestFrequency) return vvNotGoverning;
  return PeakAcceleration <= AccelerationLimit ? vvAcceptable : vvExceedsLimit;
}

namespace {

void RequirePositive(double Value, const std::string& What) {
  if (!(Value > 0)) throw std::runtime_error(What + " must be greater than zero");
}

void CheckMember(const TVibrationMemberInput& m, const std::string& Name) {
  RequirePositive(m.L, Name + " span");
  RequirePositive(m.Spacing, Name + " spacing");
  RequirePositive(m.TributaryWidth, Name + " tributary width");
  RequirePositive(m.Steel.A, Name + " steel area");
  RequirePositive(m.Steel.I, Name + " steel second moment of area");
}

// The member's own steps, up to the panel width before the floor's limit.
TVibrationMemberResult MemberSteps(const TVibrationMemberInput& m, const TFloorVibrationInput& in,
                                   const TFloorVibrationResult& r) {
  TVibrationMemberResult out;
  out.beff = EffectiveSlabWidth(m.Spacing, m.L, m.IsEdge, m.Outstand);
  out.I = TransformedSecondMoment(m.Steel, out.beff, r.hc, in.hr, in.RibShare * std::clamp(m.RibsAlongShare, 0.0, 1.0),
                                  r.n);
  out.LineLoad = MemberLineLoad(r.w, m.TributaryWidth, m.SelfWeight, m.CarriedWeight);
  out.Deflection = MidspanDeflection(out.LineLoad, m.L, in.Es, out.I);
  out.Frequency = NaturalFrequency(out.Deflection);
  out.Stiffness = MemberStiffness(out.I, m.Spacing);
  return out;
}

}  // namespace

TFloorVibrationResult CalcFloorVibration(const TFloorVibrationInput& in) {
  RequirePositive(in.Es, "Steel elastic modulus");
  RequirePositive(in.Ec, "Concrete elastic modulus");
  RequirePositive(in.Ds - in.hr, "Slab depth above the ribs");
  RequirePositive(in.Damping, "Damping ratio");
  CheckMember(in.Beam, "Secondary beam");
  if (in.HasGirder) CheckMember(in.Girder, "Primary beam");

  TFloorVibrationResult r;
  r.Ecd = DynamicModulus(in.Ec);
  r.n = DynamicModularRatio(in.Es, in.Ec);
  r.w = FloorWeight(in.SlabWeight, in.DeckWeight, in.DeadLoad, in.LiveLoadInMass);
  RequirePositive(r.w, "Floor weight per area");
  r.hc = in.Ds - in.hr;
  r.de = EffectiveSlabDepth(in.Ds, in.hr);
  r.SlabStiffness = SlabStiffness(r.de, r.n);

  // The beams' panel.
  TVibrationMemberResult& j = r.Beam;
  j = MemberSteps(in.Beam, in, r);
  j.C = Cj;
  j.PanelWidthFree = PanelWidth(Cj, r.SlabStiffness, j.Stiffness, in.Beam.L);
  j.PanelWidth = PanelWidthWithinFloor(j.PanelWidthFree, in.FloorWidth);
  j.WeightFactor = in.IsBeamContinuous ? kContinuityFactor : 1;
  j.PanelWeight = PanelWeight(j.LineLoad, in.Beam.TributaryWidth, j.PanelWidth, in.Beam.L, j.WeightFactor);

  if (!in.HasGirder) {
    r.Frequency = j.Frequency;
    r.EffectiveWeight = j.PanelWeight;
  } else {
    // The girder's panel; the beams' stiffness spreads it along the girder.
    TVibrationMemberResult& gd = r.Girder;
    gd = MemberSteps(in.Girder, in, r);
    gd.C = in.IsBeamOnSeat ? CgOnSeat : CgWebConnected;
    gd.PanelWidthFree = PanelWidth(gd.C, j.Stiffness, gd.Stiffness, in.Girder.L);
    gd.PanelWidth = PanelWidthWithinFloor(gd.PanelWidthFree, in.FloorLength);
    gd.PanelWeight = PanelWeight(gd.LineLoad, in.Girder.TributaryWidth, gd.PanelWidth, in.Girder.L, 1);
    // A girder shorter than the beams' panel is wide cannot deflect alone in the combined mode.
    r.GirderDeflectionFactor = GirderDeflectionFactor(in.Girder.L, j.PanelWidth);
    r.GirderDeflectionReduced = r.GirderDeflectionFactor * gd.Deflection;
    r.Frequency = CombinedFrequency(j.Deflection, r.GirderDeflectionReduced);
    r.EffectiveWeight = CombinedPanelWeight(j.Deflection, r.GirderDeflectionReduced, j.PanelWeight, gd.PanelWeight);
  }
  r.PeakAcceleration = PeakAcceleration(r.Frequency, in.Damping, r.EffectiveWeight);
  r.AccelerationLimit = in.AccelerationLimit;
  r.Verdict = Verdict(r.Frequency, r.PeakAcceleration, in.AccelerationLimit);
  r.IsOK = IsAcceptable(r.Verdict);
  return r;
}

}  // namespace vibration
