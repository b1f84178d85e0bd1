// A beam's calculation chapter: the shear connectors and their spacing
// rules, serviceability (stiffness, deflections, camber, stresses), the
// drawings and the messages with the program's assumptions.
#include <algorithm>
#include <cmath>
#include <set>

#include "components/cCapacityFactor.h"
#include "components/cFormulas.h"
#include "engine/cCompositeFormulas.h"
#include "entity/VEXUtility.h"
#include "report/cCalcBeam.h"
#include "report/cCalcBeamParts.h"

namespace calcbeam {

namespace {

// The connectors a group may hold at a cross-section: one on a box, else by
// the connector's type (the analysis's rule).
int GroupLimit(const TBeam& b, const TPCC& p) {
  const TSteelSection* s = SteelAt(p);
  if (s && s->BaseSteelSection.HasTwoWebs) return 1;
  switch (b.ShearConnector->ConnectorType) {
    case ctHeadedStud: return b.SteelDeck->IsSolidSlab() ? 3 : 2;
    case ctChannel: return 1;
    case ctHighStrengthBolt: return 2;
  }
  return 1;
}

}  // namespace

// ---------------------------------------------------------------------------
// 5. Shear connectors.

void AppendConnectors(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  d.Heading(2, "5. Shear connectors");
  if (!b.ShearConnector || !b.SteelDeck) return;
  const TShearConnector& sc = *b.ShearConnector;
  const TSteelDeck& deck = *b.SteelDeck;

  double most = 0;
  for (int i = 0; i < b.PCCList.Count(); ++i) most = std::max(most, b.PCCList.PCC(i)->ni_actual);
  const int nr = std::max(1, b.ShearConnectorsInGroup);
  d.Formula(Step("Connectors along the beam (the count at the largest covers half the beam)", "",
                 "N = ⌈2 ni,max⌉", "= ⌈2 × " + Nm(most, 2) + "⌉",
                 "N = " + (b.TotalShearConnectors > 1000 ? std::string("N/A") : std::to_string(b.TotalShearConnectors))));
  const TPCC* mid = b.GetPCCAt(b.Span / 2);
  const int group_limit = mid ? GroupLimit(b, *mid) : 1;
  d.Formula(Check("Connectors per group (per rib, or per row across a solid slab)", "", "nr ≤ nr,max", "",
                  "nr = " + std::to_string(nr), "≤ " + std::to_string(group_limit),
                  Ratio(nr, group_limit)));

  // The spacing limits, as the analysis fits them to the ribs.
  const double smax0 = TShearConnector::MaxSpacing(b.Ds);
  const double smin0 = sc.MinSpacing();
  d.Formula(Step("Greatest spacing of the connectors along the beam", "", "smax = min(4 Dc, 600 mm)",
                 "= min(4 × " + Q(b.Ds, 0, kMm) + ", 600 mm)", "= " + Q(smax0, 0, kMm)));
  d.Formula(Step("Least spacing of the connectors", "",
                 sc.ConnectorType == ctChannel ? "smin = 150 mm (channels)" : "smin = 5 dbs",
                 sc.ConnectorType == ctChannel ? "" : "= 5 × " + Q(sc.dbs, 1, kMm), "= " + Q(smin0, 0, kMm)));
  double smin = smin0, smax = smax0;
  if (b.ThetaSide1 >= 45 && b.ThetaSide2 >= 45 && !deck.IsSolidSlab() && deck.sr > 0) {
    const double cL = as2327::RibPitchAlongBeam(deck.sr, b.ThetaSide1);
    const double cR = as2327::RibPitchAlongBeam(deck.sr, b.ThetaSide2);
    C.Standard.FitSpacingToRibs(deck, cL, cR, smin, smax);
    d.Formula(Step("Connectors sit in the ribs: pitch of the ribs along the beam", "", "c = sr / sin θ",
                   "= " + Q(deck.sr, 0, kMm) + " / sin " + In(std::min(b.ThetaSide1, b.ThetaSide2)) + "°",
                   "c = " + Q(std::min(cL, cR), 0, kMm)));
    d.Formula(Step("Spacings fitted to whole rib pitches", "", "smin ≥ c;  smax a whole number of pitches", "",
                   "smin = " + Q(smin, 0, kMm) + ";  smax = " + Q(smax, 0, kMm)));
  }

  // The spacing the distribution implies between neighbouring positions.
  double s_least = 0, s_most = 0;
  bool any = false;
  for (int i = 0; i + 1 < b.PCCList.Count(); ++i) {
    const TPCC& p = *b.PCCList.PCC(i);
    const TPCC& q = *b.PCCList.PCC(i + 1);
    const double dn = std::fabs(q.ni_actual - p.ni_actual);
    if (dn < 1e-6) continue;
    const double s = (q.x - p.x) * nr / dn;
    s_least = any ? std::min(s_least, s) : s;
    s_most = any ? std::max(s_most, s) : s;
    any = true;
  }
  if (any) {
    TCalcFormula f = Check("Least spacing of the groups the distribution implies", "",
                           "s = Δx · nr / Δni ≥ smin", "", "s = " + Q(s_least, 0, kMm), "≥ " + Q(smin, 0, kMm),
                           Ratio(smin, s_least));
    // The analysis's own check of the minimum spacing decides.
    f.Verdict = VerdictOf(!b.Min_spacing_violation);
    d.Formula(f);
    d.Formula(Check("Greatest spacing of the groups the distribution implies", "", "s = Δx · nr / Δni ≤ smax", "",
                    "s = " + Q(s_most, 0, kMm), "≤ " + Q(smax, 0, kMm), Ratio(s_most, smax), 1e-6));
  }
  if (b.Min_spacing_violation)
    d.Paragraph("The connectors cannot be spaced within the limits with " + std::to_string(nr) +
                    " per group: the assessment fails (\"Shear connector spacing problem\").",
                TCalcParagraphStyle::Warning);

  TCalcTable t;
  t.Caption = "Connectors from the nearer support";
  t.Header = {"x (mm)", "Critical", "Required ni", "Provided ni", "β"};
  t.Align = {TCalcAlign::Right, TCalcAlign::Left};
  for (int i = 0; i < b.PCCList.Count(); ++i) {
    const TPCC& p = *b.PCCList.PCC(i);
    t.AddRow({Pos(p.x), p.IsPCC ? "yes" : "", p.IsPCC ? std::to_string(p.ni) : "", Nm(p.ni_actual, 1),
              Nm(p.beta_actual, 2)});
  }
  t.Note = "Required: for βmin at a critical cross-section. Provided: the least concave distribution over the "
           "requirements, filled to the greatest spacing.";
  d.Table(std::move(t));
}

// ---------------------------------------------------------------------------
// 6. Serviceability.

void AppendServiceability(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  d.Heading(2, "6. Serviceability");
  const TPCC* pm = b.PCCList.PCCClosestTo(b.x_max_des_mom);
  if (pm && SteelAt(*pm)) {
    const double beta = pm->beta_actual, Is = SteelAt(*pm)->ISteel;
    const double Iti = pm->CompositeSection.Iti, Itl = pm->CompositeSection.Itl;
    CheckAgainstAnalysis(d, "Ie/Iti", as2327::I_factor(Iti, Is, beta), b.I_factor_short);
    CheckAgainstAnalysis(d, "Ie/Itl", as2327::I_factor(Itl, Is, beta), b.I_factor_long);
    d.Formula(Step("Stiffness under partial shear connection, short term (β at the largest moment)", "",
                   "Ie/Iti = (Iti + 0.6 (1 − β)(Is − Iti)) / Iti",
                   "= (" + calc::QtyE6(Iti, 1, kMm4) + " + 0.6 × (1 − " + Nm(beta, 3) + ") × (" + Nm(Is / 1e6, 1) +
                       kMinus + Nm(Iti / 1e6, 1) + ")×10⁶ mm⁴) / " + calc::QtyE6(Iti, 1, kMm4),
                   "= " + Nm(b.I_factor_short, 3)));
    d.Formula(Step("The same, long term", "", "Ie/Itl = (Itl + 0.6 (1 − β)(Is − Itl)) / Itl",
                   "= (" + calc::QtyE6(Itl, 1, kMm4) + " + 0.6 × (1 − " + Nm(beta, 3) + ") × (" + Nm(Is / 1e6, 1) +
                       kMinus + Nm(Itl / 1e6, 1) + ")×10⁶ mm⁴) / " + calc::QtyE6(Itl, 1, kMm4),
                   "= " + Nm(b.I_factor_long, 3)));
  }

  const TPCC* mid = b.GetPCCAt(b.Span / 2);
  if (!mid || !b.DeflectionLimit) return;
  const TDeflectionLimit& lim = *b.DeflectionLimit;
  const TCompositeSectionAtPCC& cs = mid->CompositeSection;
  if (cs.ConcreteMaterial) {
    const double Ec = cs.ConcreteMaterial->Ec(C.Standard);
    const double hr = cs.SteelDeck ? cs.SteelDeck->hr : 0;
    const double eps = cs.ConcreteMaterial->ShrinkageStrain;
    CheckAgainstAnalysis(d, "Msh", as2327::Msh(cs.kDbi, cs.Dc, hr, Ec, eps, cs.Ac_1, cs.Ac_2), cs.Msh());
    d.Formula(Step("Shrinkage moment at midspan", "",
                   "Msh = Ec εsh [Ac2 (kDb,i − Dc + hr/2) + Ac1 (kDb,i − (Dc − hr)/2)]",
                   "= " + Q(Ec, 0, kMPa) + kTimes + In(eps) + "×10⁻⁶ × [" + Nm(cs.Ac_2, 0) + " × (" +
                       Nm(cs.kDbi, 1) + kMinus + Nm(cs.Dc, 0) + " + " + Nm(hr, 0) + "/2) + " + Nm(cs.Ac_1, 0) +
                       " × (" + Nm(cs.kDbi, 1) + " − (" + Nm(cs.Dc, 0) + kMinus + Nm(hr, 0) + ")/2)] N mm",
                   "= " + Q(cs.Msh(), 1, kKNm)));
  }

  const double rho = lim.ShrinkageRatioPriorInservice;
  const double d3 = mid->GetDeflection(stConstrucDefl, 3), d56 = mid->GetDeflection(stConstrucDefl, 6);
  const double dsh = mid->GetDeflection(stShrinkage, 7), dshort = mid->GetDeflection(stShort, 7),
               dcreep = mid->GetDeflection(stLong, 7);
  const double camber = b.SuggestedCamber();
  const std::vector<TDeflectionTerm> terms = DeflectionTerms(b);

  TCalcTable t;
  t.Caption = "Deflections at midspan";
  t.Header = {"Deflection", "δ (mm)", "Limit (mm)", "Ratio", ""};
  auto check_row = [&](const TDeflectionTerm& term) {
    if (term.Limit > 0)
      t.AddRow({term.Name, Nm(term.Value, 1), Nm(term.Limit, 1), Nm(term.Ratio(), 2),
                VerdictText(VerdictOf(term.Ratio() <= 1))});
    else
      t.AddRow({term.Name, Nm(term.Value, 1), "no limit", "", ""});
  };
  check_row(terms[0]);
  check_row(terms[1]);
  check_row(terms[2]);
  t.AddRow({b.CamberType == 2 || b.CamberType == 3 ? "Specified camber" : "Suggested camber", Nm(camber, 1), "", "", ""});
  t.AddRow({"Shrinkage before service (" + Nm(rho, 2) + " of it)", Nm(dsh * rho, 1), "", "", ""});
  t.AddRow({"Short-term in service", Nm(dshort, 1), "", "", ""});
  t.AddRow({"Shrinkage in service", Nm(dsh * (1 - rho), 1), "", "", ""});
  t.AddRow({"Creep", Nm(dcreep, 1), "", "", ""});
  check_row(terms[3]);
  check_row(terms[4]);
  d.Table(std::move(t));
  d.Formula(Step("Incremental deflection in service", "", "δinc = (1 − ρ) δsh + δshort + δcreep",
                 "= (1 − " + Nm(rho, 2) + ") × " + Nm(dsh, 1) + " + " + Nm(dshort, 1) + " + " + Nm(dcreep, 1) + " mm",
                 "= " + Q(terms[3].Value, 1, kMm)));
  d.Formula(Step("Total deflection less camber", "", "δtot = δ3 + δ5,6 + δsh + δshort + δcreep − camber",
                 "= " + Nm(d3, 1) + " + " + Nm(d56, 1) + " + " + Nm(dsh, 1) + " + " + Nm(dshort, 1) + " + " +
                     Nm(dcreep, 1) + kMinus + Nm(camber, 1) + " mm",
                 "= " + Q(terms[4].Value, 1, kMm)));
  if (b.CamberType == 0 || b.CamberType == 1) {
    const double dc = b.CamberType == 0 ? d3 : d3 + d56;
    d.Formula(Step("Suggested camber", "",
                   "5 mm × ⌊δ / 5 mm⌋, none below 20 mm, at most " + Q(lim.MaximumCamber, 0, kMm),
                   std::string("δ = ") + (b.CamberType == 0 ? "δ3" : "δ3 + δ5,6") + " = " + Q(dc, 1, kMm),
                   "camber = " + Q(camber, 0, kMm)));
  }

  // Steel stresses in the later stages.
  TCalcTable s;
  s.Caption = "Steel stresses over 0.9 fy (largest over the beam)";
  s.Header = {"Stage", "Bottom", "Top", ""};
  const char* names[] = {"Stage 3 (bare steel, construction live load)", "Stage 5 (critical cross-sections)",
                         "Stage 6 (critical cross-sections)", "In service, short term (critical cross-sections)"};
  int k = 0;
  for (int stage : {3, 5, 6, 7}) {
    const TConstructionStage* so = b.StageObject(stage);
    const char* name = names[k++];
    if (!so) continue;
    const double worst = std::max(so->MaxBottomStressRatio, so->MaxTopStressRatio);
    s.AddRow({name, Nm(so->MaxBottomStressRatio, 2), Nm(so->MaxTopStressRatio, 2), VerdictText(VerdictOf(worst <= 1))});
  }
  d.Table(std::move(s));
  if (const TSteelSection* st = SteelAt(*mid)) {
    const double bottom = mid->GetStress(stShort, 7, flBottom), top = mid->GetStress(stShort, 7, flTop);
    const bool composite = mid->beta_actual >= 0.4;
    d.Formula(Check("In-service steel stress at the bottom, midspan", "",
                    std::string("σb = M3 / Zsb + (Mshort + M5,6) / ") + (composite ? "Zb" : "Zsb"),
                    "= " + Nm(mid->GetMdes(stConstrucDefl, 3), 1) + " / " + Nm(st->Zsb / 1e6, 3) + " + (" +
                        Nm(mid->GetMdes(stShort, 7), 1) + " + " + Nm(mid->GetMdes(stConstrucDefl, 6), 1) + ") / " +
                        Nm((composite ? cs.Zb : st->Zsb) / 1e6, 3) + "  (kNm over 10⁶ mm³)",
                    "= " + Q(bottom, 0, kMPa), "≥ " + Q(st->StressLimitBottom(), 0, kMPa),
                    Ratio(bottom, st->StressLimitBottom())));
    d.Formula(Check("In-service steel stress at the top, midspan", "",
                    std::string("σt = M3 / Zst + (Mshort + M5,6) / ") + (composite ? "Zt" : "Zst"),
                    "= " + Nm(mid->GetMdes(stConstrucDefl, 3), 1) + " / " + Nm(st->Zst / 1e6, 3) + " + (" +
                        Nm(mid->GetMdes(stShort, 7), 1) + " + " + Nm(mid->GetMdes(stConstrucDefl, 6), 1) + ") / " +
                        Nm((composite ? cs.Zt : st->Zst) / 1e6, 3) + "  (kNm over 10⁶ mm³)",
                    "= " + Q(top, 0, kMPa), "≤ " + Q(st->StressLimitTop(), 0, kMPa), Ratio(top, st->StressLimitTop())));
  }
}

// ---------------------------------------------------------------------------
// 7. Drawings.

void AppendDrawings(TContext& C) {
  TCalcDocument& d = C.Doc;
  d.Heading(2, "7. Drawings");
  struct TChart {
    TDrawingType Type;
    const char* Caption;
  };
  const TChart charts[] = {
      {dtDesignEnvelopes, "Design moments and shears against the capacities along the span"},
      {dtShearConnectorDistribution, "Shear connectors required and provided, from the nearer support"},
      {dtDeflectionShape, "Deflected shape by stage, with the limits"},
  };
  for (const TChart& c : charts) {
    TCalcFigure f;
    f.Caption = c.Caption;
    f.Drawing = DrawChart(C.Beam, c.Type, 1400, 640);
    d.Figure(std::move(f));
  }
}

// ---------------------------------------------------------------------------
// 8. Messages and assumptions.

void AppendMessages(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  d.Heading(2, "8. Messages and assumptions");
  std::vector<std::string> lines;
  std::set<std::string> seen;
  auto add = [&](const std::string& line) {
    if (!line.empty() && seen.insert(line).second) lines.push_back(line);
  };
  for (const TStatusLine& l : b.Status.ErrorList()) add(l.Text);
  for (int i = 0; i < b.PCCList.Count(); ++i)
    for (const TStatusLine& l : b.PCCList.PCC(i)->Status.ErrorList()) add(l.Text);
  if (lines.empty()) d.Paragraph("The analysis of this beam reported no warnings or errors.");
  for (const std::string& l : lines) d.Paragraph(l, TCalcParagraphStyle::Warning);

  d.Heading(3, "Assumptions");
  std::vector<std::string> a = {
      "The beam is simply supported over its span L; the design actions come from the loads by statics, each "
      "limit state with its own load factors.",
      "Moment capacities use rectangular stress blocks: 0.85 f'c in the concrete, fy in the steel, with the "
      "capacity factors of " + C.Standard.Name() + ".",
      "Under partial shear connection the concrete carries β Fcc; β is the connectors provided between the "
      "nearer support and the cross-section times their design capacity, over Fcc.",
      "Deflections integrate the curvature along the span; the cracked transformed section (concrete in "
      "compression only) is softened towards the bare steel for partial shear connection; creep uses three times "
      "the short-term modular ratio.",
      "The stage 3 loads act on the bare steel section; the loads of later stages on the composite section.",
      "Steel stresses are limited to 0.9 fy; below β = 0.4 they are taken on the bare steel section.",
  };
  for (const std::string& s : a) d.Paragraph(s, TCalcParagraphStyle::Small);
}

}  // namespace calcbeam
