// TVibration: the floor vibration check's inputs, what it takes from the
// project (slab, deck, loads, the beams' sections and layout), the choice of
// the governing bay, its block of the results report and its one-line summary.
#include "project/cVibration.h"

#include <algorithm>
#include <stdexcept>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cProject.h"

using namespace report;
using namespace vibration;

namespace {

// Deck ribs within this angle of a member run along it: their concrete stiffens it.
constexpr double kRibsAlongAngle = 15;  // degrees

std::string InputNumber(double v) { return FloatToStrDP(false, 0, 4, v); }

// The steel of a member: its "Base steel beam" section (the first when none
// has that label); false when it has none with dimensions.
bool MemberSteel(const TBeam& Beam, TVibrationSteel& Steel, double& SelfWeight) {
  const TSteelSection* s = Beam.SteelSectionList.SteelSectionByLabel("Base steel beam");
  if (!s && Beam.SteelSectionList.Count() > 0) s = Beam.SteelSection(0);
  if (!s) return false;
  Steel = GrossSteelSection(*s);
  SelfWeight = KgToKN(s->Mass());
  return Steel.A > 0 && Steel.I > 0 && SelfWeight >= 0;
}

// Severity of a verdict, worst highest: the governing bay is the worse one.
int Severity(TVibrationVerdict V) {
  switch (V) {
    case vvTooFlexible: return 3;
    case vvExceedsLimit: return 2;
    case vvAcceptable: return 1;
    case vvNotGoverning: return 0;
  }
  return 3;
}

bool IsWorse(const TFloorVibrationResult& A, const TFloorVibrationResult& B) {
  if (Severity(A.Verdict) != Severity(B.Verdict)) return Severity(A.Verdict) > Severity(B.Verdict);
  return A.PeakAcceleration > B.PeakAcceleration;
}

}  // namespace

TVibration::TVibration() {
  SectionName = "Vibration";
  Clear();
}

void TVibration::Clear() {
  TEntity::Clear();
  IsChecked = true;
  Damping = 0.03;
  AccelerationLimit = 0.5;
  LiveLoadInMass = 0.5;
  FloorWidth = 0;
  FloorLength = 0;
  IsBeamContinuous = false;
  IsBeamOnSeat = false;
  ClearResults();
  IsChanged = false;
}

void TVibration::ClearResults() {
  BeamLineLoad = GirderLineLoad = 0;
  BeamInertia = GirderInertia = 0;
  BeamDeflection = GirderDeflection = GirderDeflectionReduced = 0;
  BeamFrequency = GirderFrequency = Frequency = 0;
  SlabStiffness = BeamStiffness = GirderStiffness = 0;
  BeamPanelWidth = GirderPanelWidth = 0;
  BeamWeight = GirderWeight = EffectiveWeight = 0;
  PeakAcceleration = 0;
  IsAcceptable = false;
  IsCalculated = false;
  BaySide = 0;
  BayCaption.clear();
  Message.clear();
  Input = TFloorVibrationInput();
  Result = TFloorVibrationResult();
}

void TVibration::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  Clear();
  for (const TProperty& p : Properties().Items()) {
    if (!p.IsPublished || !p.IsScalar() || !p.IsWritable()) continue;
    const std::string key = p.Name + Suffix;
    const std::string section = SectionFor(IniFile, Prefix, key);
    if (p.Kind == TPropKind::Boolean)
      p.SetOrdinal(*this, IniFile.ReadBool(section, key, p.GetOrdinal(*this) != 0) ? 1 : 0);
    else if (p.Kind == TPropKind::Float)
      p.SetFloat(*this, IniFile.ReadFloat(section, key, p.GetFloat(*this)));
  }
  IsChanged = false;
}

bool TVibration::IsOK() {
  Status.Reset();
  auto within = [&](double Value, double Min, double Max, const std::string& What, const std::string& Unit) {
    if (Value >= Min && Value <= Max) return;
    Status.SetError(elWarning, What + " (" + InputNumber(Value) + Unit + ") must be between " + InputNumber(Min) +
                                   " and " + InputNumber(Max) + Unit);
  };
  within(Damping, 0.005, 0.1, "Floor vibration damping ratio", "");
  within(AccelerationLimit, 0.1, 10, "Floor vibration acceleration limit", " %g");
  within(LiveLoadInMass, 0, 5, "Live load in the vibration mass", " kPa");
  auto floor_size = [&](double Value, const std::string& What) {
    if (Value == 0 || (Value >= 1000 && Value <= 500000)) return;
    Status.SetError(elWarning,
                    What + " (" + InputNumber(Value) + " mm) must be 0 (not limited) or between 1000 and 500000 mm");
  };
  floor_size(FloorWidth, "Floor width for vibration");
  floor_size(FloorLength, "Floor length for vibration");
  Status.IsChecked = true;
  return Status.IsOK();
}

bool TVibration::GatherInput(const TProject& Project, int Side, TFloorVibrationInput& In, std::string& Why) const {
  const TGeometry& g = Project.Geometry;
  const TSteelDeck& deck = Project.SteelDeck;
  In = TFloorVibrationInput();
  In.Es = TSteelSection::kEs;
  In.Ec = Project.ConcreteFloor.Ec();
  In.Ds = g.Ds;
  In.hr = deck.IsSolidSlab() ? 0 : deck.hr;
  In.RibShare = deck.IsSolidSlab() || deck.sr <= 0 ? 0 : std::clamp(deck.b0() / deck.sr, 0.0, 1.0);
  // The hardened slab, as in service; the floor's own loads.
  In.SlabWeight = SlabWeight(g, deck, Project.ConcreteFloor.Density);
  In.DeckWeight = KgToKN(deck.Mass);
  In.DeadLoad = g.DeadLoad;
  In.LiveLoadInMass = LiveLoadInMass;
  In.Damping = Damping;
  In.AccelerationLimit = AccelerationLimit;
  In.FloorWidth = FloorWidth;
  In.FloorLength = FloorLength;
  In.IsBeamContinuous = IsBeamContinuous;
  In.IsBeamOnSeat = IsBeamOnSeat;

  const TImportedBeam& beam = *Project.GetBeam(Side);
  TVibrationMemberInput& j = In.Beam;
  if (!MemberSteel(beam, j.Steel, j.SelfWeight)) {
    Why = beam.LongName() + " has no steel section";
    return false;
  }
  j.L = beam.Span;
  j.Spacing = g.GetSecondarySpacing(Side);
  j.IsEdge = beam.IsEdgeBeam;
  j.Outstand = g.Outstand;
  j.TributaryWidth = j.IsEdge ? j.Spacing / 2 + g.Outstand : j.Spacing;
  j.RibsAlongShare = beam.ThetaSide1 <= kRibsAlongAngle ? 1 : 0;

  In.HasGirder = g.HasPrimaryBeam;
  if (!In.HasGirder) return true;
  const TImportedBeam& primary = *Project.GetBeam(0);
  TVibrationMemberInput& gd = In.Girder;
  if (!MemberSteel(primary, gd.Steel, gd.SelfWeight)) {
    Why = primary.LongName() + " has no steel section";
    return false;
  }
  gd.L = primary.Span;
  // The girder's effective spacing is the beams' span.
  gd.Spacing = g.PrimaryEffectiveSpacing;
  gd.IsEdge = primary.IsEdgeBeam;
  gd.Outstand = g.Outstand;
  gd.TributaryWidth = gd.IsEdge ? gd.Spacing / 2 + g.Outstand : gd.Spacing;
  const double along1 = primary.ThetaSide1 <= kRibsAlongAngle ? 1 : 0;
  const double along2 = primary.ThetaSide2 <= kRibsAlongAngle ? 1 : 0;
  gd.RibsAlongShare = gd.IsEdge ? along1 : (along1 + along2) / 2;
  // The beams' own weight reaches the girder as the automatic loads take it there.
  const int NB = Project.BeamCount() - 1;
  for (int n = 1; n <= NB; ++n) {
    TVibrationSteel steel;
    double weight = 0;
    if (!MemberSteel(*Project.GetBeam(n), steel, weight)) {
      Why = Project.GetBeam(n)->LongName() + " has no steel section";
      return false;
    }
    const double S = g.GetSecondarySpacing(n);
    if (!(S > 0)) continue;
    gd.CarriedWeight += NB == 1 ? weight * gd.TributaryWidth / S : g.GetSpacing(n) * weight / 2 / S;
  }
  return true;
}

void TVibration::TakeResult(const TFloorVibrationResult& R) {
  BeamLineLoad = R.Beam.LineLoad;
  GirderLineLoad = R.Girder.LineLoad;
  BeamInertia = R.Beam.I;
  GirderInertia = R.Girder.I;
  BeamDeflection = R.Beam.Deflection;
  GirderDeflection = R.Girder.Deflection;
  GirderDeflectionReduced = R.GirderDeflectionReduced;
  BeamFrequency = R.Beam.Frequency;
  GirderFrequency = R.Girder.Frequency;
  Frequency = R.Frequency;
  SlabStiffness = R.SlabStiffness;
  BeamStiffness = R.Beam.Stiffness;
  GirderStiffness = R.Girder.Stiffness;
  BeamPanelWidth = R.Beam.PanelWidth;
  GirderPanelWidth = R.Girder.PanelWidth;
  BeamWeight = R.Beam.PanelWeight;
  GirderWeight = R.Girder.PanelWeight;
  EffectiveWeight = R.EffectiveWeight;
  PeakAcceleration = R.PeakAcceleration;
  IsAcceptable = R.IsOK;
}

void TVibration::Calculate(const TProject& Project) {
  ClearResults();
  if (!IsChecked) return;
  if (!IsOK()) {
    Message = Status.ErrorMsg;
    return;
  }
  bool found = false;
  for (int side = 1; side <= 2; ++side) {
    if (!Project.GetHasBeam(side)) continue;
    TFloorVibrationInput in;
    std::string why;
    if (!GatherInput(Project, side, in, why)) {
      Message = why;
      return;
    }
    TFloorVibrationResult r;
    try {
      r = CalcFloorVibration(in);
    } catch (const std::exception& e) {
      Message = e.what();
      return;
    }
    if (found && !IsWorse(r, Result)) continue;
    found = true;
    Input = in;
    Result = r;
    BaySide = side;
  }
  if (!found) return;
  BayCaption = Project.GetBeam(BaySide)->Caption();
  TakeResult(Result);
  IsCalculated = true;
}

// ---------------------------------------------------------------------------
// The report block.

namespace {

// A floor dimension with its unit, or "Not limited".
std::vector<std::string> FloorSize(double Value) {
  if (Value > 0) return {Number(Value), "mm"};
  return {"Not limited"};
}

}  // namespace

void TVibration::Dump(TStringList& TXT) const {
  if (!IsChecked) return;
  TXT.push_back("FLOOR VIBRATION");
  TXT.push_back(QuotedCell("Walking excitation, AISC Design Guide 11"));
  TXT.push_back("");
  TXT.push_back(ValueLine("Damping ratio beta", {Number(Damping)}));
  TXT.push_back(ValueLine("Live load in the mass", {Number(LiveLoadInMass), "kPa"}));
  TXT.push_back(ValueLine("Floor width across the beams", FloorSize(FloorWidth)));
  TXT.push_back(ValueLine("Floor length along the beams", FloorSize(FloorLength)));
  TXT.push_back(ValueLine("Beams continuous", {TrueFalse(IsBeamContinuous)}));
  TXT.push_back(ValueLine("Beams seated on the primary beam", {TrueFalse(IsBeamOnSeat)}));
  TXT.push_back("");
  if (!IsCalculated) {
    TXT.push_back(ValueLine("Not calculated", {LabelledCell(Message.empty() ? "no analysis" : Message)}));
    TXT.push_back(ValueLine("Floor vibration", {"PROBLEM"}));
    TXT.push_back("");
    TXT.push_back("");
    return;
  }
  const TFloorVibrationResult& r = Result;
  TXT.push_back(ValueLine("Bay checked", {LabelledCell(BayCaption)}));
  TXT.push_back(ValueLine("Floor weight w", {Fixed(r.w, 2), "kPa"}));
  TXT.push_back(ValueLine("Dynamic concrete modulus 1.35Ec", {Fixed(r.Ecd, 0), "MPa"}));
  TXT.push_back(ValueLine("Dynamic modular ratio n", {Fixed(r.n, 2)}));
  TXT.push_back(ValueLine("Slab stiffness Ds", {Fixed(r.SlabStiffness, 0), "mm^4/mm"}));
  TXT.push_back("");
  // One line per step, the beam's value and the girder's side by side.
  const bool girder = Input.HasGirder;
  auto step = [&](const std::string& Label, double Beam, double Girder, int Decimals, const std::string& Unit) {
    auto text = [&](double v) { return Decimals < 0 ? Scientific(v) : Fixed(v, Decimals); };
    std::vector<std::string> values{text(Beam)};
    if (girder) values.push_back(text(Girder));
    values.push_back(Unit);
    TXT.push_back(ValueLine(Label, values));
  };
  TXT.push_back(girder ? "Step,,,Beam,Girder" : "Step,,,Beam");
  step("Span L", Input.Beam.L, Input.Girder.L, 0, "mm");
  step("Effective slab width", r.Beam.beff, r.Girder.beff, 0, "mm");
  step("Transformed second moment I", r.Beam.I, r.Girder.I, -1, "mm^4");
  step("Line load", r.Beam.LineLoad, r.Girder.LineLoad, 2, "kN/m");
  step("Deflection", r.Beam.Deflection, r.Girder.Deflection, 2, "mm");
  step("Frequency", r.Beam.Frequency, r.Girder.Frequency, 2, "Hz");
  step("Stiffness per width D", r.Beam.Stiffness, r.Girder.Stiffness, 0, "mm^4/mm");
  step("Panel width B", r.Beam.PanelWidth, r.Girder.PanelWidth, 0, "mm");
  step("Panel weight W", r.Beam.PanelWeight, r.Girder.PanelWeight, 0, "kN");
  TXT.push_back("");
  if (Input.HasGirder)
    TXT.push_back(ValueLine("Girder deflection in the combined mode", {Fixed(r.GirderDeflectionReduced, 2), "mm"}));
  TXT.push_back(ValueLine("Natural frequency fn", {Fixed(r.Frequency, 2), "Hz"}));
  TXT.push_back(ValueLine("Effective panel weight W", {Fixed(r.EffectiveWeight, 0), "kN"}));
  TXT.push_back(ValueLine("Peak acceleration ap/g", {Fixed(r.PeakAcceleration, 2), "%g"}));
  TXT.push_back(ValueLine("Acceleration limit", {Fixed(AccelerationLimit, 2), "%g"}));
  if (r.Verdict == vvNotGoverning)
    TXT.push_back(ValueLine("Above 9 Hz", {LabelledCell("the walking check does not govern")}));
  if (r.Verdict == vvTooFlexible) TXT.push_back(ValueLine("Below 3 Hz", {LabelledCell("the floor is too flexible")}));
  TXT.push_back(ValueLine("Floor vibration", {r.IsOK ? "Satisfactory" : "PROBLEM"}));
  TXT.push_back("");
  TXT.push_back("");
}

// ---------------------------------------------------------------------------
// The summary line.

TVibrationSummary VibrationSummary(const TVibration& V) {
  TVibrationSummary s;
  s.IsChecked = V.IsChecked;
  if (!V.IsChecked) {
    s.IsOK = true;
    s.Text = "not checked";
    s.Line = "Floor vibration: not checked";
    return s;
  }
  if (!V.IsCalculated) {
    s.Text = "not calculated";
    if (!V.Message.empty()) s.Text += ": " + V.Message;
    s.ErrorText = V.Message.empty() ? std::string("Not calculated") : V.Message;
    s.Line = "Floor vibration: " + s.Text + " FAIL";
    return s;
  }
  const std::string fn = "fn " + FormatFixed(V.Frequency, 2) + " Hz";
  switch (V.Result.Verdict) {
    case vvTooFlexible:
      s.Text = fn + ", below 3 Hz: the floor is too flexible";
      s.ErrorText = "Floor too flexible (fn below 3 Hz)";
      break;
    case vvNotGoverning:
      s.Text = fn + ", above 9 Hz: the walking check does not govern";
      break;
    case vvAcceptable:
    case vvExceedsLimit:
      s.Text = fn + ", peak acceleration " + FormatFixed(V.PeakAcceleration, 2) + " %g (limit " +
               FormatFixed(V.AccelerationLimit, 2) + " %g)";
      if (V.Result.Verdict == vvExceedsLimit) s.ErrorText = "Peak acceleration above the limit";
      break;
  }
  s.IsOK = V.IsAcceptable;
  s.Line = "Floor vibration: " + s.Text + (s.IsOK ? " OK" : " FAIL");
  return s;
}
