// A beam's calculation chapter: its order, the governing cross-sections, the
// shared helpers of its parts, and the first two parts: the inputs and the
// section properties.
#include "report/cCalcBeam.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "components/cCapacityFactor.h"
#include "components/cSteelFormulas.h"
#include "engine/cCompositeFormulas.h"
#include "entity/VEXUtility.h"
#include "report/cCalcBeamParts.h"

using namespace calcbeam;

namespace {

// The ratios of the composite-stage checks at one PCC, as the beam's summary takes them.
double CompositeRatio(const TPCC& p, bool WithCombined) {
  const double M = p.GetMdes(stStrength, 7), V = p.GetVdes(stStrength, 7);
  const double Vcomp = p.GetVcomp();
  double r = std::max(Ratio(M, p.phiMbv), std::fabs(Ratio(V, Vcomp)));
  if (WithCombined) {
    const double Mb = p.phiMbBeta();
    r = std::max(r, std::pow(Ratio(M, Mb), 3) + std::pow(Ratio(V, Vcomp), 6));
  }
  return r;
}

}  // namespace

const TPCC* GoverningCompositePCC(const TBeam& Beam) {
  const TPCC* best = nullptr;
  double most = -1;
  for (int i = 0; i < Beam.PCCList.Count(); ++i) {
    const TPCC& p = *Beam.PCCList.PCC(i);
    if (!p.IsPCC || !p.CompositeSection.SteelSection) continue;
    const double r = CompositeRatio(p, p.CompositeSection.Standard().ChecksCombinedBendingAndShear());
    if (r > most) {
      most = r;
      best = &p;
    }
  }
  return best;
}

const TPCC* GoverningConstructionPCC(const TBeam& Beam) {
  const TPCC* best = nullptr;
  double most = -1;
  for (int i = 0; i < Beam.PCCList.Count(); ++i) {
    const TPCC& p = *Beam.PCCList.PCC(i);
    if (!p.CompositeSection.SteelSection) continue;
    const double Mb0 = p.CompositeSection.Mb(0);
    const double r = std::max(Ratio(p.GetMdes(stStrength, 3), Mb0),
                              std::fabs(Ratio(p.GetVdes(stStrength, 3), p.phiVvmFor(Mb0))));
    if (r > most) {
      most = r;
      best = &p;
    }
  }
  return best;
}

bool HasCalculationResults(const TBeam& Beam) {
  if (!(Beam.Span > 0) || Beam.PCCList.Count() == 0) return false;
  const TPCC* mid = Beam.GetPCCAt(Beam.Span / 2);
  return mid && mid->CompositeSection.SteelSection && mid->CompositeSection.Fcc > 0;
}

void AppendBeamCalculation(TCalcDocument& Document, const TBeam& Beam, const TCalcBeamOptions& Options) {
  Document.Heading(1, Options.Caption, Options.Caption, Options.Anchor);
  if (!Beam.Description.empty()) Document.Paragraph(Beam.Description);
  const TPCC* mid = Beam.GetPCCAt(Beam.Span / 2);
  const TStandard& standard = mid && mid->CompositeSection.SteelSection ? mid->CompositeSection.Standard()
                                                                         : Beam.Standard();
  TContext c{Document, Beam, standard};
  AppendInputs(c);
  if (!HasCalculationResults(Beam)) {
    Document.Heading(2, "No calculation");
    Document.Paragraph("The beam was not analysed, so there is no calculation to show. " +
                           (Beam.Status.ErrorMsg.empty() ? std::string("Analyse the project first.")
                                                         : "The analysis reports: " + Beam.Status.ErrorMsg),
                       TCalcParagraphStyle::Warning);
    AppendMessages(c);
    return;
  }
  AppendSectionProperties(c);
  AppendConstructionStage(c);
  AppendCompositeStage(c);
  AppendConnectors(c);
  AppendServiceability(c);
  AppendDrawings(c);
  AppendMessages(c);
}

// ---------------------------------------------------------------------------
// Shared helpers.

namespace calcbeam {

TCalcFormula Step(const std::string& Check, const std::string& Reference, const std::string& Symbolic,
                  const std::string& Substituted, const std::string& Result) {
  TCalcFormula f;
  f.Check = Check;
  f.Reference = Reference;
  f.Symbolic = Symbolic;
  f.Substituted = Substituted;
  f.Result = Result;
  return f;
}

TCalcFormula Check(const std::string& Check, const std::string& Reference, const std::string& Symbolic,
                   const std::string& Substituted, const std::string& Result, const std::string& Limit,
                   double RatioValue, double Tolerance) {
  TCalcFormula f = Step(Check, Reference, Symbolic, Substituted, Result);
  f.Limit = Limit;
  f.Ratio = calc::Ratio2(RatioValue);
  // The verdict follows the value, not the ratio as printed (which shows 1.004 as 1.00).
  f.Verdict = VerdictOf(RatioValue <= 1 + Tolerance);
  return f;
}

std::string In(double Value) { return FloatToStrDP(false, 0, 3, Value); }

std::string Pos(double x) {
  const double off = std::fabs(x - std::round(x));
  // A hair either side of a load or a change of section needs three decimals to tell it from its neighbour.
  return calc::Num(x, off < 0.0005 ? 0 : off < 0.05 ? 3 : 1);
}

const TSteelSection* SteelAt(const TPCC& P) { return P.CompositeSection.SteelSection; }

std::string PhiText(const TContext& C, TCapacityFactorType Kind) { return In(C.Standard.phi(Kind)); }

std::vector<TDeflectionTerm> DeflectionTerms(const TBeam& Beam) {
  std::vector<TDeflectionTerm> terms;
  const TPCC* p = Beam.GetPCCAt(Beam.Span / 2);
  if (!p || !Beam.DeflectionLimit) return terms;
  const TDeflectionLimit& lim = *Beam.DeflectionLimit;
  const double L = Beam.Span;
  const double d3 = p->GetDeflection(stConstrucDefl, 3), d56 = p->GetDeflection(stConstrucDefl, 6);
  terms.push_back({"Stage 3 dead load", d3, lim.GetStage3DLLimit(L)});
  terms.push_back({"Stages 5 and 6 dead load", d56, lim.GetStage56DLLimit(L)});
  terms.push_back({"Stages 3, 5 and 6 dead load", d3 + d56, lim.GetStage356DLLimit(L)});
  terms.push_back({"In service, incremental", p->GetIncrementalDeflection(lim.ShrinkageRatioPriorInservice),
                   lim.GetIncrementalLimit(L)});
  terms.push_back({"In service, total less camber", p->TotalDeflection() - Beam.SuggestedCamber(),
                   lim.GetTotalLimit(L)});
  return terms;
}

}  // namespace calcbeam

TGoverningCheck GoverningCheck(const TBeam& Beam) {
  std::vector<TGoverningCheck> checks = {
      {"Stage 3 bending", Beam.Stage3MomentRatio},
      {"Stage 3 shear", Beam.Stage3ShearRatio},
      {"Composite bending", Beam.CompStageMomentRatio},
      {"Composite shear", Beam.CompStageShearRatio},
  };
  if (Beam.Standard().ChecksCombinedBendingAndShear())
    checks.push_back({"Bending and shear", Beam.CompStageCombinedRatio});
  checks.push_back({"Steel stress", Beam.MaxStressRatio()});
  for (const TDeflectionTerm& t : DeflectionTerms(Beam))
    if (t.Limit > 0) checks.push_back({"Deflection: " + LowerCase(t.Name.substr(0, 1)) + t.Name.substr(1), t.Ratio()});
  TGoverningCheck best;
  best.Ratio = -1;
  for (const TGoverningCheck& c : checks)
    if (c.Ratio > best.Ratio) best = c;
  if (best.Ratio < 0) best = {};
  return best;
}

// ---------------------------------------------------------------------------
// 1. Inputs.

namespace calcbeam {

namespace {

std::string DeckTypeText(int DeckType) {
  switch (DeckType) {
    case 0: return "solid slab";
    case 1: return "open trapezoidal";
    case 2: return "re-entrant";
    case 3: return "closed rib";
  }
  return "type " + std::to_string(DeckType);
}

std::string ConnectorTypeText(int Type) {
  switch (Type) {
    case ctHeadedStud: return "headed stud";
    case ctChannel: return "channel";
    case ctHighStrengthBolt: return "high-strength bolt";
  }
  return "type " + std::to_string(Type);
}

std::string RibsText(double theta) {
  return "ribs at " + In(theta) + "° to the beam (" + (theta > 15 ? "across" : "along") + " it)";
}

std::string StageText(int Stage) { return Stage == kInServiceStage ? "In service" : "Stage " + std::to_string(Stage); }

// Where a load lies along the span.
std::string LoadExtent(const TAppliedLoad& Load, double Span) {
  if (Load.IsPointLoad()) {
    const auto& p = static_cast<const TPointLoad&>(Load);
    return "point at " + Q(p.PositionMm(Span), 0, kMm);
  }
  const auto& d = static_cast<const TDistributedLoad&>(Load);
  const double s = d.StartPositionMm(Span), e = d.FinishPositionMm(Span);
  if (s <= 0 && e >= Span) return "whole span";
  return Nm(s, 0) + " to " + Q(e, 0, kMm);
}

std::string LoadValue(const TAppliedLoad& Load) {
  if (Load.IsPointLoad()) return Q(static_cast<const TPointLoad&>(Load).Value, 2, kKN);
  const auto& d = static_cast<const TDistributedLoad&>(Load);
  if (d.StartValue == d.FinishValue) return Q(d.StartValue, 2, kKNperM);
  return Nm(d.StartValue, 2) + " to " + Q(d.FinishValue, 2, kKNperM);
}

std::string LoadDescription(const TAppliedLoad& Load) {
  const std::string prefix = "(Auto) ";
  if (Load.Description.rfind(prefix, 0) == 0) return Load.Description.substr(prefix.size());
  return Load.Description;
}

}  // namespace

void AppendInputs(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  d.Heading(2, "1. Inputs");

  TCalcTable t;
  t.Header = {"Input", "Value"};
  t.Align = {TCalcAlign::Left, TCalcAlign::Left};
  t.AddRow({"Span L", Q(b.Span, 0, kMm)});
  t.AddRow({"Beam", b.IsPrimaryBeam ? "primary beam" : "secondary beam"});
  t.AddRow({"Slab width available, side 1 / side 2", Q(b.NominalWidthSide1, 0, kMm) + " / " +
                                                        Q(b.NominalWidthSide2, 0, kMm) +
                                                        (b.IsEdgeBeam ? " (side 2 a free edge)" : "")});
  t.AddRow({"Slab depth Dc", Q(b.Ds, 0, kMm)});
  if (b.ConcreteFloor) {
    const TConcreteFloor& c = *b.ConcreteFloor;
    t.AddRow({"Concrete", "f'c " + Q(c.ConcreteStrength, 0, kMPa) + ", density " + Q(c.Density, 0, "kg/m³") +
                              ", shrinkage strain " + Q(c.ShrinkageStrain, 0, "µε")});
    t.AddRow({"Concrete elastic modulus Ec", Q(c.Ec(C.Standard), 0, kMPa)});
  }
  if (b.SteelDeck) {
    const TSteelDeck& k = *b.SteelDeck;
    if (k.IsSolidSlab())
      t.AddRow({"Deck", k.Name + " (solid slab)"});
    else
      t.AddRow({"Deck", k.Name + (LowerCase(k.Name).find(DeckTypeText(k.DeckType)) != std::string::npos
                                      ? ""
                                      : " (" + DeckTypeText(k.DeckType) + ")") +
                            ", hr " + Q(k.hr, 0, kMm) + ", sr " +
                            Q(k.sr, 0, kMm) + ", b0 " + Q(k.b0(), 0, kMm) + ", t " + Q(k.t, 2, kMm)});
    if (!k.IsSolidSlab()) {
      t.AddRow({"Deck orientation, side 1", RibsText(b.ThetaSide1)});
      t.AddRow({"Deck orientation, side 2", RibsText(b.ThetaSide2)});
      t.AddRow({"Concrete below the top of the ribs",
                C.Standard.IgnoresConcreteBelowRibs(k) ? "ignored" : "counted where the ribs allow"});
    }
  }
  if (b.ShearConnector) {
    const TShearConnector& s = *b.ShearConnector;
    const std::string type = ConnectorTypeText(s.ConnectorType);
    const bool named = LowerCase(s.Name).find(type) != std::string::npos;
    t.AddRow({"Shear connectors", s.Name + (named ? "" : " (" + type + ")") + ", dbs " + Q(s.dbs, 1, kMm) +
                                      ", hsc " + Q(s.hsc, 0, kMm) + ", fuc " + Q(s.fuc, 0, kMPa) +
                                      (s.IsThroughDeckWelded ? ", welded through the deck" : "")});
  }
  const char* basis[] = {"worked out by the analysis", "from the shear connection ratio at midspan",
                         "from the total number given"};
  std::string count = b.StudCountBasis >= 0 && b.StudCountBasis <= 2 ? basis[b.StudCountBasis] : "";
  if (b.StudCountBasis == 1) count += " (" + In(b.UserBeta) + ")";
  if (b.StudCountBasis == 2) count += " (" + In(b.UserStudCount) + ")";
  if (b.UserNr > 0) count += "; " + In(b.UserNr) + " per group";
  t.AddRow({"Number of shear connectors", count});
  t.AddRow({"Construction", b.IsPropped ? "propped" : "unpropped: the steel beam alone carries the stage 3 loads"});
  t.AddRow({"Composite stage for strength", StageText(b.DesignCompositeStage) + " (loads of every stage up to it)"});
  const char* camber[] = {"from the stage 3 dead load deflection", "from the stages 3, 5 and 6 dead load deflection",
                          "specified", "specified as span / ratio"};
  if (b.CamberType >= 0 && b.CamberType <= 3) t.AddRow({"Camber", camber[b.CamberType]});
  d.Table(std::move(t));

  // The steel sections in use, each once.
  TCalcTable s;
  s.Caption = "Steel sections";
  s.Header = {"Label", "Section", "Grade", "Notched depth", "Plate"};
  s.Align = {TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Right, TCalcAlign::Left};
  std::set<std::string> used;
  for (int i = 0; i < b.CompositeSectionList.Count(); ++i) used.insert(b.CompositeSection(i)->SteelSectionLabel);
  for (int i = 0; i < b.SteelSectionList.Count(); ++i) {
    const TSteelSection& st = *b.SteelSection(i);
    if (!used.count(st.SteelSectionLabel)) continue;
    const TCustomSteelSection& base = st.BaseSteelSection;
    const std::string name = base.IsStandard ? st.Name : base.SectionType;
    s.AddRow({st.SteelSectionLabel, name, base.IsStandard ? st.Grade : "fy " + Q(base.fyf, 0, kMPa),
              st.IsNotched() ? Q(st.NotchedDepth, 0, kMm) : "-",
              st.IsPlated() ? Nm(st.bp, 0) + " × " + Q(st.tp, 0, kMm) + ", fy " + Q(st.fyp, 0, kMPa) : "-"});
  }
  d.Table(std::move(s));

  if (b.CompositeSectionList.Count() > 1) {
    TCalcTable cs;
    cs.Caption = "Composite sections along the span";
    cs.Header = {"Label", "From", "Steel section", "Slab width side 1", "Slab width side 2"};
    for (int i = 0; i < b.CompositeSectionList.Count(); ++i) {
      const TCompositeSection& x = *b.CompositeSection(i);
      cs.AddRow({x.CompositeSectionLabel, Q(x.StartPosition, 0, kMm), x.SteelSectionLabel, Q(x.bcLeft, 0, kMm),
                 Q(x.bcRight, 0, kMm)});
    }
    cs.Align = {TCalcAlign::Left, TCalcAlign::Right, TCalcAlign::Left};
    d.Table(std::move(cs));
  }

  TCalcTable l;
  l.Caption = "Loads by stage (unfactored)";
  l.Header = {"Stage", "Load", "Kind", "Where", "Value", "Source"};
  l.Align = {TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Right,
             TCalcAlign::Left};
  for (int stage : {3, 5, 6, 7})
    for (const TAppliedLoadList* list : {&b.DistributedLoadList, &b.PointLoadList})
      for (int i = 0; i < list->Count(); ++i) {
        const TAppliedLoad& load = *list->Load(i);
        if (load.ConStage != stage) continue;
        l.AddRow({StageText(stage), LoadDescription(load), load.IsLiveLoad ? "live" : "dead", LoadExtent(load, b.Span),
                  LoadValue(load), load.IsAutoCalced ? "Automatic" : "User"});
      }
  if (l.Rows.empty()) l.Note = "The beam carries no loads.";
  d.Table(std::move(l));

  if (b.LimitStateList && b.LimitStateList->Count() > 0) {
    TCalcTable f;
    f.Caption = "Load factors";
    f.Header = {"Limit state", "Dead", "Live"};
    for (int i = 0; i < b.LimitStateList->Count(); ++i) {
      const auto* ls = b.LimitStateList->ItemAs<TLimitState>(i);
      if (ls) f.AddRow({ls->LimitStateLabel, Nm(ls->LFdead, 2), Nm(ls->LFlive, 2)});
    }
    d.Table(std::move(f));
  }
}

// ---------------------------------------------------------------------------
// 2. Section properties.

namespace {

std::string TopFlangeClass(const TSteelSection& s) {
  if (s.WillSetTopFlangeCompact) return "taken as compact";
  const as4100::TPlateLimits limits =
      as4100::TopFlangeLimits(s.BaseSteelSection.ResidualStressType, s.BaseSteelSection.HasTwoWebs);
  const std::string range = " (λep " + In(limits.lambda_ep) + ", λey " + In(limits.lambda_ey) + ")";
  if (s.le1 <= limits.lambda_ep) return "compact" + range;
  if (s.le1 > limits.lambda_ey) return "slender" + range;
  return "non-compact" + range + ": effective width " + Q(s.bsf1_eff, 1, kMm);
}

std::string WebClass(const TSteelSection& s) {
  const double nw = s.BaseSteelSection.HasTwoWebs ? 2 : 1;
  const double full = s.dp * nw * s.tw();
  if (s.tw_used <= 0) return "slender: ignored";
  if (s.tw_used < s.tw() - 1e-9) return "effective thickness " + Q(s.tw_used, 2, kMm);
  if (s.Aw_dash < full * (1 - 1e-9)) return "non-compact: only the depths next to the flanges count, Aw' " + Q(s.Aw_dash, 0, kMm2);
  return "fully effective";
}

}  // namespace

void AppendSectionProperties(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  d.Heading(2, "2. Section properties");
  // Each composite section where it first applies (the cross-section the results report uses for it).
  for (int i = 0; i < b.CompositeSectionList.Count(); ++i) {
    const TCompositeSection& cs0 = *b.CompositeSection(i);
    const TPCC* p = b.PCCList.PCCWithCompositeSection(cs0.CompositeSectionLabel);
    if (!p || !SteelAt(*p)) continue;
    const TCompositeSectionAtPCC& cs = p->CompositeSection;
    const TSteelSection& s = *SteelAt(*p);
    if (b.CompositeSectionList.Count() > 1)
      d.Heading(3, "Composite section " + cs.CompositeSectionLabel + " (" + s.SteelSectionLabel + ")");

    TCalcTable st;
    st.Caption = "Steel section " + (s.BaseSteelSection.IsStandard ? s.Name + " " + s.Grade : s.SectionType);
    st.Header = {"Property", "Symbol", "Value"};
    st.Align = {TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Right};
    st.AddRow({"Depth, top flange, web", "d, bsf1 × tf1, tw",
               Q(s.OverallDepth(), 0, kMm) + ", " + Nm(s.bsf1(), 0) + " × " + Q(s.tf1(), 1, kMm) + ", " +
                   Q(s.tw(), 1, kMm)});
    st.AddRow({"Yield stress, flange and web", "fyf, fyw", Nm(s.fyf1(), 0) + " / " + Q(s.fyw(), 0, kMPa)});
    st.AddRow({"Top flange slenderness", "λe1", Nm(s.le1, 2) + ": " + TopFlangeClass(s)});
    st.AddRow({"Web slenderness", "λew", Nm(s.lew, 1) + ": " + WebClass(s)});
    st.AddRow({"Effective area", "As'", Q(s.As_dash, 0, kMm2)});
    st.AddRow({"Second moment of area", "Is", calc::QtyE6(s.ISteel, 1, kMm4)});
    st.AddRow({"Centroid below the top of the steel", "y", Q(s.y, 1, kMm)});
    st.AddRow({"Elastic moduli, top and bottom", "Zst, Zsb", calc::QtyE6(s.Zst, 3, kMm3) + ", " +
                                                                  calc::QtyE6(s.Zsb, 3, kMm3)});
    st.AddRow({"Yield force (effective section)", "Fst", Q(s.Fst, 0, kKN)});
    st.AddRow({"Design plastic moment (bare steel)", kPhi + "Ms", Q(cs.Mb(0), 1, kKNm)});
    st.AddRow({"Nominal shear capacity of the web", "Vv", Q(s.Vv, 0, kKN)});
    d.Table(std::move(st));

    // The composite section's stiffness.
    const double Es = s.Es();
    const double Ec = cs.ConcreteMaterial ? cs.ConcreteMaterial->Ec(C.Standard) : 0;
    const double n = as2327::n_modular(Es, Ec, 1);
    const double n_long = as2327::n_modular(Es, Ec, as2327::kCreepFactorLongTerm);
    d.Formula(Step("Modular ratio, short term", "", "n = Es / Ec", "= " + Q(Es, 0, kMPa) + " / " + Q(Ec, 0, kMPa),
                   "= " + Nm(n, 2)));
    d.Formula(Step("Modular ratio, long term (creep)", "", "nl = 3 n", "= 3 × " + Nm(n, 2), "= " + Nm(n_long, 2)));

    TCalcTable ct;
    ct.Caption = "Composite section (cracked, transformed to steel) at x = " + Q(p->x, 0, kMm);
    ct.Header = {"Property", "Symbol", "Value"};
    ct.Align = {TCalcAlign::Left, TCalcAlign::Left, TCalcAlign::Right};
    ct.AddRow({"Effective width at midspan", "beff", Q(cs.Calcbeff(b.Span, b.Span / 2), 0, kMm)});
    ct.AddRow({"Neutral axis below the slab top, short term", "kDb,i", Q(cs.kDbi, 1, kMm)});
    ct.AddRow({"Second moment, short term", "Iti", calc::QtyE6(cs.Iti, 1, kMm4)});
    ct.AddRow({"Neutral axis below the slab top, long term", "kDb,l", Q(cs.kDbl, 1, kMm)});
    ct.AddRow({"Second moment, long term", "Itl", calc::QtyE6(cs.Itl, 1, kMm4)});
    ct.AddRow({"Elastic moduli at the steel top and bottom", "Zt, Zb",
               calc::QtyE6(cs.Zt, 3, kMm3) + ", " + calc::QtyE6(cs.Zb, 3, kMm3)});
    ct.Note = "Concrete counts in compression only; the concrete within the rib height counts at " +
              Nm(cs.la_l, 2) + " (side 1) and " + Nm(cs.la_r, 2) + " (side 2) of its width.";
    d.Table(std::move(ct));
  }
}

}  // namespace calcbeam
