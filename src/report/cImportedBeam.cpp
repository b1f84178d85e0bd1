#include "report/cImportedBeam.h"

#include <cctype>
#include <charconv>
#include <cmath>

#include "components/cCapacityFactor.h"
#include "components/cStandard.h"
#include "entity/VEXUtility.h"

namespace report {

std::string Number(double v) { return FloatToStrDP(false, 0, 3, v); }
std::string NumberOrBlank(double v) { return FloatToStrDP(true, 0, 3, v); }
std::string WithDecimal(double v) { return FloatToStrDP(false, 1, 3, v); }
std::string Percent(double v) { return FloatToPercentStr(0, v); }
std::string TrueFalse(bool v) { return v ? "True" : "False"; }
std::string Fixed(double v, int decimals) { return FormatFixed(v, decimals); }

std::string Scientific(double v) {
  if (!std::isfinite(v)) return FormatFixed(v, 0);
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::scientific, 2);  // d.dde+xx
  std::string s(buf, r.ptr);
  const size_t e = s.find('e');
  const int exponent = std::atoi(s.c_str() + e + 1);
  std::string mantissa = s.substr(0, e);
  if (DecimalSeparator() != '.') mantissa = ReplaceAll(mantissa, ".", std::string(1, DecimalSeparator()));
  return mantissa + "E" + (exponent < 0 ? "-" : "+") + std::to_string(std::abs(exponent));
}

bool IsOneNumber(const std::string& Text) {
  const char separator = DecimalSeparator();
  size_t i = 0;
  const size_t n = Text.size();
  auto digits = [&] {
    const size_t start = i;
    while (i < n && std::isdigit(static_cast<unsigned char>(Text[i]))) ++i;
    return i - start;
  };
  if (i < n && (Text[i] == '+' || Text[i] == '-')) ++i;
  size_t mantissa = digits();
  if (i < n && (Text[i] == '.' || Text[i] == separator)) {
    ++i;
    mantissa += digits();
  }
  if (mantissa == 0) return false;
  if (i < n && (Text[i] == 'E' || Text[i] == 'e')) {
    ++i;
    if (i < n && (Text[i] == '+' || Text[i] == '-')) ++i;
    if (digits() == 0) return false;
  }
  if (i < n && Text[i] == '%') ++i;
  return i == n;
}

std::string FormulaSafe(const std::string& Text) {
  if (Text.empty()) return Text;
  const char c = Text[0];
  const bool is_formula_start = c == '=' || c == '+' || c == '-' || c == '@' || c == '\t' || c == '\r';
  return is_formula_start && !IsOneNumber(Text) ? "'" + Text : Text;
}

std::string ReportRow(const std::vector<std::string>& Cells) {
  std::vector<std::string> safe;
  safe.reserve(Cells.size());
  for (const std::string& cell : Cells) safe.push_back(FormulaSafe(cell));
  return JoinCommaText(safe);
}

std::string QuotedCell(const std::string& Text) { return QuotedText(FormulaSafe(Text), '"'); }

std::string LabelledCell(const std::string& Text) {
  const std::string safe = FormulaSafe(Text);
  bool quote = !safe.empty() && (safe.front() == ' ' || safe.back() == ' ');
  for (char c : safe)
    if (c == ',' || c == '"' || static_cast<unsigned char>(c) < 32 || c == 127) quote = true;
  return quote ? QuotedText(safe, '"') : safe;
}

void AppendDescriptionLines(TStringList& TXT, const std::string& Description) {
  if (Description.empty()) return;
  std::string line;
  for (size_t i = 0; i < Description.size(); ++i) {
    const char c = Description[i];
    if (c == '\r' || c == '\n') {
      TXT.push_back("," + QuotedCell(line));
      line.clear();
      if (c == '\r' && i + 1 < Description.size() && Description[i + 1] == '\n') ++i;
    } else {
      line += c;
    }
  }
  TXT.push_back("," + QuotedCell(line));
}

std::string ValueLine(const std::string& Label, const std::vector<std::string>& Values) {
  std::string line = Label + ",,";
  for (const std::string& v : Values) line += "," + (v.find(',') != std::string::npos ? QuotedText(v, '"') : v);
  return line;
}

}  // namespace report

using namespace report;

namespace {

const char kQB[] = "\" \"";  // a quoted blank cell that ends several headings

// A heading cell or text enclosed in double quotes as it stands.
std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string NiText(int ni) { return ni >= 1001 ? "N/A" : std::to_string(ni); }

}  // namespace

std::string TImportedBeam::Caption() const {
  return std::string(IsPrimaryBeam ? "Primary beam: " : "Secondary beam: ") + Mark;
}

void TImportedBeam::Dump(TStringList& TXT, bool WillDumpExtra) {
  DumpInput(TXT, WillDumpExtra);
  DumpSummary(TXT, WillDumpExtra);
  DumpFullResults(TXT, WillDumpExtra);
}

// ---------------------------------------------------------------------------
// Input block.

void TImportedBeam::DumpInput(TStringList& TXT, bool) {
  TXT.push_back("INPUT DATA," + LabelledCell(Caption()));
  AppendDescriptionLines(TXT, Description);
  TXT.push_back("");

  TXT.push_back("GENERAL BEAM DATA");
  TXT.push_back(
      "Span (mm),f'c (MPa),Concrete Density (kg/m^3),Restrained shrinkage (\xC2\xB5m/m),"
      "Steel Decking Type,Shear Connector Type,Composite Stage,# shear connectors");
  std::vector<std::string> row = {Number(Span),
                                   Number(ConcreteFloor ? ConcreteFloor->ConcreteStrength : 0),
                                   Number(ConcreteFloor ? ConcreteFloor->Density : 0),
                                   Number(ConcreteFloor ? ConcreteFloor->ShrinkageStrain : 0),
                                   SteelDeck ? SteelDeck->Name : "",
                                   ShearConnector ? ShearConnector->Name : "",
                                   TConstructionStage::StageToLabel(DesignCompositeStage)};
  if (StudCountBasis == 0) row.push_back("Auto");
  if (StudCountBasis == 1) row.push_back("Midspan ratio: " + NumberOrBlank(UserBeta));
  if (StudCountBasis == 2) row.push_back("Total number: " + NumberOrBlank(UserStudCount));
  TXT.push_back(ReportRow(row));
  TXT.push_back("");

  TXT.push_back("STEEL SECTIONS");
  TXT.push_back(std::string(",Library,Section,Grade (MPa),Notched Depth (mm),") +
                "Plate Width (mm),Plate thickness (mm),Plate Yield (MPa)," + kQB);
  const TSteelSection* custom = nullptr;
  for (int i = 0; i < SteelSectionList.Count(); ++i) {
    const TSteelSection& s = *SteelSection(i);
    TXT.push_back(ReportRow({s.SteelSectionLabel, s.SectionType, s.Name, s.Grade, Number(s.NotchedDepth), Number(s.bp),
                                 Number(s.tp), Number(s.fyp)}));
    if (!s.BaseSteelSection.IsStandard) custom = &s;
  }
  TXT.push_back("");

  if (custom) {
    const TCustomSteelSection& c = custom->BaseSteelSection;
    TXT.push_back("CUSTOM STEEL SECTIONS");
    TXT.push_back(std::string(",Overall Depth (mm),") + "Top Flange Width (mm),Top Flange Thickness (mm)," +
                  "Bott. Flange Width (mm),Bott. Flange Thickness (mm)," + "Web Thickness (mm)," +
                  "Top Flange Yield (MPa),Bott. Flange Yield (MPa),Web Yield (MPa)," + kQB);
    TXT.push_back(
        ReportRow({c.HasTwoWebs ? "Cust_Box" : "Custom_I", Number(c.d), Number(c.b), Number(c.tf), Number(c.bbf()),
                   Number(c.tbf()), Number(c.tw), Number(c.fyf), Number(c.fybf()), Number(c.fyw)}));
    TXT.push_back("");
  }

  const bool solid = !SteelDeck || SteelDeck->IsSolidSlab();
  TXT.push_back("CONCRETE SECTIONS");
  TXT.push_back(std::string(",Slab Thickness (mm),Slab Width Left (mm),Slab Width Right (mm),") +
                "Rib Angle Left (deg),Rib Angle Right (deg)," + "Edge Beam Left?,Edge Beam Right?," +
                (solid ? std::string(kQB) : std::string("Ignore Concrete Below Ribs?,") + kQB));
  row = {"Slab",
         Number(Ds),
         Number(NominalWidthSide1),
         Number(NominalWidthSide2),
         Number(ThetaSide1),
         Number(ThetaSide2),
         "False",
         TrueFalse(IsEdgeBeam)};
  if (!solid)
    row.push_back(TrueFalse(Standard().IgnoresConcreteBelowRibs(*SteelDeck)));
  TXT.push_back(ReportRow(row));
  TXT.push_back("");

  TXT.push_back("COMPOSITE SECTIONS");
  TXT.push_back(std::string(",Start Position (mm),Steel X-Section Label,Concrete X-Section Label,") +
                "Slab Width Left (mm),Slab Width Right (mm)," + kQB);
  for (int i = 0; i < CompositeSectionList.Count(); ++i) {
    const TCompositeSection& cs = *CompositeSection(i);
    TXT.push_back(ReportRow({cs.CompositeSectionLabel, Number(cs.StartPosition), cs.SteelSectionLabel, "Slab",
                             Number(cs.bcLeft), Number(cs.bcRight)}));
  }
  TXT.push_back("");

  TXT.push_back("DISTRIBUTED LOADS");
  TXT.push_back("Stage,Start Position (mm),Finish Position (mm),Start Value (kN/m),Finish Value (kN/m),Load Type");
  for (int i = 0; i < DistributedLoadList.Count(); ++i) {
    const auto& l = static_cast<const TDistributedLoad&>(*DistributedLoadList.Load(i));
    std::string finish = l.IsFinishPositionAtEnd         ? "100%"
                         : l.IsFinishPositionProportional ? Percent(l.FinishPosition)
                                                          : Number(l.FinishPosition);
    TXT.push_back(ReportRow({TConstructionStage::StageToLabel(l.ConStage),
                             l.IsStartPositionProportional ? Percent(l.StartPosition) : Number(l.StartPosition), finish,
                             Number(l.StartValue), Number(l.FinishValue), l.IsLiveLoad ? "L" : "D", l.Description}));
  }
  TXT.push_back("");

  TXT.push_back("POINT LOADS");
  TXT.push_back("Stage,Position (mm),Value (kN),Load Type");
  for (int i = 0; i < PointLoadList.Count(); ++i) {
    const auto& l = static_cast<const TPointLoad&>(*PointLoadList.Load(i));
    TXT.push_back(ReportRow({TConstructionStage::StageToLabel(l.ConStage),
                                 l.IsPositionProportional ? Percent(l.Position) : Number(l.Position), Number(l.Value),
                                 l.IsLiveLoad ? "L" : "D", l.Description}));
  }
  TXT.push_back("");

  TXT.push_back("CAMBER");
  std::string camber;
  switch (CamberType) {
    case 0: camber = "Autocalc for Stage 3 dead loads"; break;
    case 1: camber = "Autocalc for Stage 3&5&6 dead loads"; break;
    case 2: camber = Number(CamberAbsolute) + " mm"; break;
    case 3: camber = "Span / " + Number(CamberRelative); break;
  }
  TXT.push_back(ReportRow({camber}));
  TXT.push_back("");

  if (!UserPCCList.Empty()) {
    TXT.push_back("USER PCCS");
    TXT.push_back(",x (mm),ni");
    for (int i = 0; i < UserPCCList.Count(); ++i) {
      const auto* u = UserPCCList.ItemAs<TUserPCC>(i);
      TXT.push_back(ReportRow({std::to_string(i + 1), Number(u->x), Number(u->ni)}));
    }
    TXT.push_back("");
  }
  TXT.push_back("");
}

// ---------------------------------------------------------------------------
// Summary block.

namespace {

// Moduli to the nearest multiple of 10 (an exact half goes to the multiple of 20).
double RoundTo10(double v) { return std::nearbyint(v / 10) * 10; }

std::string DeflectionRow(const std::string& label, double result, double limit) {
  if (limit > 0) return ValueLine(label, {Fixed(result, 0), Fixed(limit, 0), Fixed(result / limit, 2)});
  return ValueLine(label, {Fixed(result, 0)});
}

std::string Verdict(bool ok) { return ok ? "Satisfactory" : "PROBLEM"; }

}  // namespace

void TImportedBeam::DumpSummary(TStringList& TXT, bool) {
  const TStandard& standard = Standard();
  const TStandardTerms& terms = standard.Terms();
  TXT.push_back("SUMMARY OF RESULTS," + LabelledCell(Caption()));
  AppendDescriptionLines(TXT, Description);
  TXT.push_back("");

  double PRk = 0;
  if (ShearConnector && ConcreteFloor) PRk = ShearConnector->CalcPRk(standard, *ConcreteFloor, fucMax()) * kt(1);
  const double Ec = ConcreteFloor ? ConcreteFloor->Ec(standard) : 0;
  const bool has_steel = SteelSectionList.Count() > 0;
  const double Es = has_steel ? SteelSection(0)->Es() : 0;
  if (has_steel) TXT.push_back(ValueLine(terms.Es, {Fixed(RoundTo10(Es), 0), "MPa"}));
  TXT.push_back(ValueLine(terms.Ec, {Fixed(RoundTo10(Ec), 0), "MPa"}));
  // An edition whose connectors have a modulus of their own shows it too.
  if (terms.EcForConnectors)
    TXT.push_back(ValueLine(terms.EcForConnectors,
                            {Fixed(RoundTo10(ConcreteFloor ? ConcreteFloor->EcForStuds(standard) : 0), 0), "MPa"}));
  TXT.push_back(ValueLine(terms.PRk, {Fixed(PRk, 0), "kN"}));
  TXT.push_back("");

  TXT.push_back(Quoted("Strength, Construction Stage 3"));
  TXT.push_back(ValueLine("Max M*/phi.Ms", {Fixed(Stage3MomentRatio, 2)}));
  TXT.push_back(ValueLine("Max V*/phi.Vvm", {Fixed(Stage3ShearRatio, 2)}));
  TXT.push_back("");

  TXT.push_back(ValueLine(Quoted("Strength, Composite Stage:"), {TConstructionStage::StageToLabel(DesignCompositeStage)}));
  TXT.push_back(ValueLine("Max M*/phi.Mbv (PCCs only)", {Fixed(CompStageMomentRatio, 2)}));
  TXT.push_back(ValueLine("Max V*/phi.Vv (PCCs only)", {Fixed(CompStageShearRatio, 2)}));
  if (standard.ChecksCombinedBendingAndShear())
    TXT.push_back(ValueLine("Max combined ratio (PCCs only)", {Fixed(CompStageCombinedRatio, 2)}));
  TXT.push_back("");

  TXT.push_back("Shear Connection");
  if (TotalShearConnectors < 1001) {
    TXT.push_back(ValueLine("# shear connectors along beam", {std::to_string(TotalShearConnectors)}));
    if (standard.HasConnectorReductionFactor()) {
      TXT.push_back(ValueLine("# shear connectors per transverse beam section nr", {std::to_string(ShearConnectorsInGroup)}));
      const char* label = std::max(ThetaSide1, ThetaSide2) > 15 ? "Reduction factor kt" : "Reduction factor kl";
      TXT.push_back(ValueLine(label, {Fixed(kt(ShearConnectorsInGroup), 2)}));
    }
  } else {
    TXT.push_back(ValueLine("# shear connectors along beam", {"N/A"}));
  }
  TXT.push_back(ValueLine("Max degree of shear connection (PCCs only)", {Fixed(MaxBetaActual, 2)}));
  TXT.push_back("");

  TXT.push_back("Effective I-factors for deflection calculations");
  TXT.push_back(ValueLine("Superimposed and creep (short term) Ieti/Iti", {Fixed(I_factor_short, 2)}));
  TXT.push_back(ValueLine("Long term Ieti/Iti", {Fixed(I_factor_long, 2)}));
  TXT.push_back("");

  TXT.push_back("MidSpan Deflection,,,Result (mm),Limit (mm),Ratio");
  const TPCC* mid = GetPCCAt(Span / 2);
  auto defl = [&](TStateType st, int stage) { return mid ? mid->GetDeflection(st, stage) : 0.0; };
  const TDeflectionLimit empty_limits;
  const TDeflectionLimit& lim = DeflectionLimit ? *DeflectionLimit : empty_limits;
  const double ratio_prior = lim.ShrinkageRatioPriorInservice;
  const double d3 = defl(stConstrucDefl, 3), d56 = defl(stConstrucDefl, 6);
  const double shrinkage = defl(stShrinkage, 7), short_term = defl(stShort, 7), creep = defl(stLong, 7);
  const double camber = SuggestedCamber();
  TXT.push_back(DeflectionRow("Stage 3 Dead Load", d3, lim.GetStage3DLLimit(Span)));
  TXT.push_back(DeflectionRow("Stages 5 and 6 Dead Load", d56, lim.GetStage56DLLimit(Span)));
  TXT.push_back(DeflectionRow(Quoted("Total Stages 3,5,6 Dead"), d3 + d56, lim.GetStage356DLLimit(Span)));
  TXT.push_back(
      ValueLine(CamberType == 2 || CamberType == 3 ? "Specified camber" : "Suggested camber", {Fixed(camber, 0)}));
  TXT.push_back(ValueLine("Shrinkage prior InService", {Fixed(shrinkage * ratio_prior, 0)}));
  TXT.push_back("");
  TXT.push_back(ValueLine("Additional Short Term InService", {Fixed(short_term, 0)}));
  TXT.push_back(ValueLine("Shrinkage during InService", {Fixed(shrinkage * (1 - ratio_prior), 0)}));
  TXT.push_back(ValueLine("Creep", {Fixed(creep, 0)}));
  TXT.push_back("");
  TXT.push_back(DeflectionRow("Incremental deflection", shrinkage * (1 - ratio_prior) + short_term + creep,
                              lim.GetIncrementalLimit(Span)));
  TXT.push_back(
      DeflectionRow("Total deflection", (mid ? mid->TotalDeflection() : 0) - camber, lim.GetTotalLimit(Span)));
  TXT.push_back("");

  TXT.push_back("Steel Bending Stress/.9fy (maximums),,,Bottom,Top");
  struct {
    int stage;
    const char* label;
  } rows[] = {{3, "Construction Stage 3 (Stage 3 live incl)"},
              {5, "Stage 5 (Stage 5 live incl) (PCCs only)"},
              {6, "Stage 6 (Stage 6 live incl) (PCCs only)"},
              {7, "InService (InS live incl short term) (PCCs only)"}};
  for (const auto& r : rows) {
    const TConstructionStage* s = StageObject(r.stage);
    TXT.push_back(
        ValueLine(r.label, {Fixed(s ? s->MaxBottomStressRatio : 0, 2), Fixed(s ? s->MaxTopStressRatio : 0, 2)}));
  }
  TXT.push_back(ValueLine("Maximum Stress Ratios", {Fixed(MaxBottomStressRatio, 2), Fixed(MaxTopStressRatio, 2)}));
  TXT.push_back("");

  TXT.push_back("Overall Assessment");
  TXT.push_back("Strength,," + Verdict(MaxStrengthRatio() <= 1));
  TXT.push_back("Connectors,," + Verdict(!Min_spacing_violation));
  TXT.push_back("MidSpan Defl,," + Verdict(MaxDeflectionRatio() <= 1));
  TXT.push_back("Bending Stress,," + Verdict(MaxStressRatio() <= 1));
  TXT.push_back("");
  TXT.push_back("");
}

// ---------------------------------------------------------------------------
// Full results block.

void TImportedBeam::DumpFullResults(TStringList& TXT, bool WillDumpExtra) {
  const TStandard& standard = Standard();
  const TStandardTerms& terms = standard.Terms();
  TXT.push_back("FULL RESULTS," + LabelledCell(Caption()));
  AppendDescriptionLines(TXT, Description);
  TXT.push_back("");

  // For each composite section, the cross-section nearest the middle of its first run.
  struct Row {
    std::string label;
    const TPCC* pcc;
  };
  std::vector<Row> sections;
  for (int i = 0; i < CompositeSectionList.Count(); ++i) {
    const std::string& label = CompositeSection(i)->CompositeSectionLabel;
    const TPCC* p = PCCList.PCCWithCompositeSection(label);
    if (p && p->CompositeSection.SteelSection && p->CompositeSection.SteelDeck) sections.push_back({label, p});
  }

  TXT.push_back("COMPOSITE CROSS SECTIONS");
  TXT.push_back(std::string("Label,Steel Section,tw_used (mm),Full section for serviceability?,Notched?,Plated?,") +
                terms.SlabDepthColumn + ",bcf (mm),Ac_1 (mm^2),Ac_2 (mm^2),phi.Ms (kNm)");
  for (const Row& r : sections) {
    const TCompositeSectionAtPCC& cs = r.pcc->CompositeSection;
    const TSteelSection& s = *cs.SteelSection;
    TXT.push_back(
        ReportRow({r.label, s.Name, Fixed(s.tw_used, 2), TrueFalse(s.WillUseFullSectionForServiceability),
                   TrueFalse(s.IsNotched()), TrueFalse(s.IsPlated()), Fixed(cs.Dc, 0),
                   Fixed(cs.Calcbeff(Span, Span / 2), 0), Fixed(cs.Ac_1, 0), Fixed(cs.Ac_2, 0), Fixed(cs.Mb(0), 0)}));
  }
  TXT.push_back("");

  TXT.push_back("COMPOSITE CROSS SECTIONS - Continued");
  TXT.push_back(std::string("Label,phi.Mb.5 (kNm),phi.Mbc (kNm),psi,phi.Mb.psi (kNm),phi.Msf (kNm),phi.Mbfc (kNm),") +
                terms.SteelShearColumn + ",Fcc (kN),Iti (mm^4),kDb.i (mm)");
  for (const Row& r : sections) {
    const TCompositeSectionAtPCC& cs = r.pcc->CompositeSection;
    const double Mbfc = cs.Mbfc();
    TXT.push_back(ReportRow({r.label, Fixed(cs.Mb(0.5), 0), Fixed(cs.Mb(1), 0), Fixed(cs.psi, 2), Fixed(cs.Mb(cs.psi), 0),
                                 Fixed(cs.Msf(), 0), Fixed(Mbfc, 0),
                                 Fixed(standard.phi(cfVerticalShearSteel) * cs.SteelSection->Vv, 0), Fixed(cs.Fcc, 0),
                                 Scientific(cs.Iti), Fixed(cs.kDbi, 0)}));
  }
  TXT.push_back("");

  TXT.push_back("COMPOSITE CROSS SECTIONS - Continued");
  TXT.push_back(
      "Label,Itl (mm^4),kDb.l (mm),Zb (mm^3),Zt (mm^3),Is (mm),Zsb (mm^3),Zst (mm^3),.9xfy (bottom) (MPa),.9xfy "
      "(top) (MPa)");
  for (const Row& r : sections) {
    const TCompositeSectionAtPCC& cs = r.pcc->CompositeSection;
    const TSteelSection& s = *cs.SteelSection;
    TXT.push_back(ReportRow({r.label, Scientific(cs.Itl), Fixed(cs.kDbl, 0), Scientific(cs.Zb), Scientific(cs.Zt),
                             Scientific(s.ISteel), Scientific(s.Zsb), Scientific(s.Zst),
                             Fixed(s.StressLimitBottom(), 0), Fixed(s.StressLimitTop(), 0)}));
  }
  TXT.push_back("");

  TXT.push_back("POTENTIALLY CRITICAL CROSS SECTIONS");
  TXT.push_back(std::string("Position,Is PCC?,Label,M*(Comp) (kNm),V*(Comp) (kN),beta_min,ni,beta_actual,ni_actual,"
                            "phi.Mbv (kNm),") +
                terms.VcompColumn);
  // Positions not evaluated by an analysis (a beam that failed its input check) have no rows.
  std::vector<const TPCC*> evaluated;
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC* p = PCCList.PCC(i);
    if (p->CompositeSection.SteelSection && p->CompositeSection.SteelDeck) evaluated.push_back(p);
  }
  for (const TPCC* pp : evaluated) {
    const TPCC& p = *pp;
    TXT.push_back(ReportRow({Fixed(p.x, 0), TrueFalse(p.IsPCC), p.CompositeSection.CompositeSectionLabel,
                                 Fixed(p.GetMdes(stStrength, 7), 0), Fixed(std::fabs(p.GetVdes(stStrength, 7)), 0),
                                 Fixed(p.beta_min, 2), NiText(p.ni), Fixed(p.beta_actual, 2),
                                 p.ni_actual > 1000 ? "N/A" : Fixed(p.ni_actual, 1), Fixed(p.phiMbv, 0),
                                 Fixed(p.GetVcomp(), 0)}));
  }
  TXT.push_back("");

  auto stress = [](const TPCC& p, TStateType st, int stage, TFibreLocation fl) {
    return Fixed(p.GetStress(st, stage, fl), 0);
  };

  TXT.push_back("POTENTIALLY CRITICAL CROSS SECTIONS - Continued");
  TXT.push_back(std::string("Position,phi.Mbc/ phi.Ms,M*(St3) (kNm),phi.Ms (St3) (kNm),V* (St3) (kN),phi.Vvm (kN)") +
                ",M* (St3/Stress) (kNm),Stress (St3/bottom) (MPa),Stress (St3/top) (MPa),M* (St3/Defl) (kNm),Defl "
                "(St3) (mm)");
  for (const TPCC* pp : evaluated) {
    const TPCC& p = *pp;
    const TCompositeSectionAtPCC& cs = p.CompositeSection;
    const double Mb0 = cs.Mb(0);
    const double Mb1 = cs.Mb(1);
    TXT.push_back(ReportRow({Fixed(p.x, 0), Fixed(Mb0 != 0 ? Mb1 / Mb0 : 0, 2), Fixed(p.GetMdes(stStrength, 3), 0),
                             Fixed(Mb0, 0), Fixed(std::fabs(p.GetVdes(stStrength, 3)), 0), Fixed(p.phiVvm(), 0),
                             Fixed(p.GetMdes(stConstrucStress, 3), 0), stress(p, stConstrucStress, 3, flBottom),
                             stress(p, stConstrucStress, 3, flTop), Fixed(p.GetMdes(stConstrucDefl, 3), 0),
                             Fixed(p.GetDeflection(stConstrucDefl, 3), 0)}));
  }
  TXT.push_back("");

  TXT.push_back("POTENTIALLY CRITICAL CROSS SECTIONS - Continued");
  TXT.push_back(std::string("Position,M* (St5/Stress) (kNm),Stress (St5/bottom) (MPa),Stress (St5/top) (MPa)") +
                ",M* (St6/Stress) (kNm),Stress (St6/bottom) (MPa),Stress (St6/top) (MPa)" +
                ",M* (St5&6/DL) (kNm),Defl (St5&6/Immed) (mm),M* (InS/Short) (kNm),Defl (InS/Short) (mm)");
  for (const TPCC* pp : evaluated) {
    const TPCC& p = *pp;
    TXT.push_back(
        ReportRow({Fixed(p.x, 0), Fixed(p.GetMdes(stConstrucStress, 5), 0), stress(p, stConstrucStress, 5, flBottom),
                   stress(p, stConstrucStress, 5, flTop), Fixed(p.GetMdes(stConstrucStress, 6), 0),
                   stress(p, stConstrucStress, 6, flBottom), stress(p, stConstrucStress, 6, flTop),
                   Fixed(p.GetMdes(stConstrucDefl, 6), 0), Fixed(p.GetDeflection(stConstrucDefl, 6), 0),
                   Fixed(p.GetMdes(stShort, 7), 0), Fixed(p.GetDeflection(stShort, 7), 0)}));
  }
  TXT.push_back("");

  TXT.push_back("POTENTIALLY CRITICAL CROSS SECTIONS - Continued");
  TXT.push_back(
      std::string("Position,M* (St5&6&InS/Long) (kNm),Defl (Creep) (mm),M* (Shrinkage) (kNm),Defl (Shrinkage) "
                  "(mm)") +
      ",Stress (total/bottom) (MPa),.9xfy (bottom) (MPa),Stress (total/top) (MPa),.9xfy (top) (MPa)");
  for (const TPCC* pp : evaluated) {
    const TPCC& p = *pp;
    const TSteelSection* s = p.CompositeSection.SteelSection;
    TXT.push_back(ReportRow({Fixed(p.x, 0), Fixed(p.GetMdes(stLong, 7), 0), Fixed(p.GetDeflection(stLong, 7), 0),
                                 Fixed(p.CompositeSection.Msh(), 0), Fixed(p.GetDeflection(stShrinkage, 7), 0),
                                 stress(p, stShort, 7, flBottom), Fixed(s ? s->StressLimitBottom() : 0, 0),
                                 stress(p, stShort, 7, flTop), Fixed(s ? s->StressLimitTop() : 0, 0)}));
  }
  TXT.push_back("");

  if (WillDumpExtra) {
    TXT.push_back("POTENTIALLY CRITICAL CROSS SECTIONS - Extra");
    TXT.push_back("Position,bcf (mm),Fc1 (kN),Ac1 (mm^2),Fc2 (kN),Ac2 (mm^2),Fcc (kN)");
    for (const TPCC* p : evaluated) {
      const TCompositeSectionAtPCC& cs = p->CompositeSection;
      TXT.push_back(ReportRow({Fixed(p->x, 0), Fixed(cs.bcf, 0), Fixed(cs.Fc_1, 0), Fixed(cs.Ac_1, 0),
                               Fixed(cs.Fc_2, 0), Fixed(cs.Ac_2, 0), Fixed(cs.Fcc, 0)}));
    }
    TXT.push_back("");
  }
}
