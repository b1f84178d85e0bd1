// A beam's calculation chapter: the construction stage (the bare steel beam)
// and the composite stage, formula by formula at the governing cross-section
// and then as a table at every critical cross-section.
#include <algorithm>
#include <cmath>

#include "components/Standard2003.h"
#include "components/Standard2017.h"
#include "components/cCapacityFactor.h"
#include "components/cFormulas.h"
#include "engine/cCompositeFormulas.h"
#include "entity/VEXUtility.h"
#include "report/cCalcBeam.h"
#include "report/cCalcBeamParts.h"

namespace calcbeam {

namespace {

std::string At(const TPCC& p) { return "x = " + Pos(p.x) + kNbsp + kMm; }

// The reduction factor's name: kl where the ribs run along the beam.
bool IsRibsAlong(const TBeam& b) { return std::max(b.ThetaSide1, b.ThetaSide2) <= 15; }

}  // namespace

// ---------------------------------------------------------------------------
// 3. Construction stage.

void AppendConstructionStage(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  d.Heading(2, "3. Construction stage");
  d.Paragraph(b.IsPropped ? "The beam is propped while the slab is cast; the stage 3 loads below are those the "
                            "analysis puts on the steel beam."
                          : "Stage 3: the steel beam alone carries its own weight, the wet slab and the construction "
                            "live load.");
  const TPCC* g = GoverningConstructionPCC(b);
  if (!g) return;

  // Bending at the position of the largest stage 3 moment.
  const TPCC* m = g;
  for (int i = 0; i < b.PCCList.Count(); ++i) {
    const TPCC& p = *b.PCCList.PCC(i);
    if (p.CompositeSection.SteelSection &&
        Ratio(p.GetMdes(stStrength, 3), p.CompositeSection.Mb(0)) > Ratio(m->GetMdes(stStrength, 3), m->CompositeSection.Mb(0)))
      m = &p;
  }
  const double M3 = m->GetMdes(stStrength, 3), Ms_m = m->CompositeSection.Mb(0);
  d.Formula(Check("Bending of the steel beam, stage 3, at " + At(*m), "", "M* ≤ " + kPhi + "Ms",
                  "", "M* = " + Q(M3, 1, kKNm), kLe.substr(1) + Q(Ms_m, 1, kKNm), Ratio(M3, Ms_m)));

  // Shear at the position of the largest stage 3 shear ratio.
  const TPCC* v = g;
  double vr = -1;
  for (int i = 0; i < b.PCCList.Count(); ++i) {
    const TPCC& p = *b.PCCList.PCC(i);
    if (!p.CompositeSection.SteelSection) continue;
    const double r = std::fabs(Ratio(p.GetVdes(stStrength, 3), p.phiVvm()));
    if (r > vr) {
      vr = r;
      v = &p;
    }
  }
  const TSteelSection& sv = *SteelAt(*v);
  const double phivs = C.Standard.phi(cfVerticalShearSteel);
  const double Mv = v->GetMdes(stStrength, 3), Msv = v->CompositeSection.Mb(0);
  const double phiVvm = as2327::phiVvm(phivs, sv.Vv, Mv, Msv);
  CheckAgainstAnalysis(d, "phi Vvm", phiVvm, v->phiVvm());
  const double k = Ratio(phiVvm, phivs * sv.Vv);
  d.Formula(Step("Shear capacity of the web with the stage 3 moment, at " + At(*v), "AS 4100 Cl 5.11",
                 kPhi + "Vvm = " + kPhi + "vs · Vv · k,  k = 2.2 − 1.6 M*/" + kPhi + "Ms within 0.6 to 1.0",
                 "= " + PhiText(C, cfVerticalShearSteel) + kTimes + Q(sv.Vv, 0, kKN) + kTimes + Nm(k, 3) +
                     "  (M* = " + Q(Mv, 1, kKNm) + ", " + kPhi + "Ms = " + Q(Msv, 1, kKNm) + ")",
                 "= " + Q(phiVvm, 1, kKN)));
  const double V3 = std::fabs(v->GetVdes(stStrength, 3));
  d.Formula(Check("Shear of the steel beam, stage 3", "", "|V*| ≤ " + kPhi + "Vvm", "", "|V*| = " + Q(V3, 1, kKN),
                  kLe.substr(1) + Q(phiVvm, 1, kKN), Ratio(V3, phiVvm)));

  // Stresses under the stage 3 loads at the largest moment.
  const double Mst = m->GetMdes(stConstrucStress, 3);
  const double top = m->GetStress(stConstrucStress, 3, flTop), bottom = m->GetStress(stConstrucStress, 3, flBottom);
  const TSteelSection& sm = *SteelAt(*m);
  d.Formula(Check("Steel stress at the top, stage 3 (dead and construction live load)", "",
                  "σt = M* / Zst", "= " + Q(Mst, 1, kKNm) + " / " + calc::QtyE6(sm.Zst, 3, kMm3),
                  "= " + Q(top, 0, kMPa), "≤ 0.9 fy = " + Q(sm.StressLimitTop(), 0, kMPa),
                  Ratio(top, sm.StressLimitTop())));
  d.Formula(Check("Steel stress at the bottom, stage 3", "", "σb = M* / Zsb",
                  "= " + Q(Mst, 1, kKNm) + " / " + calc::QtyE6(sm.Zsb, 3, kMm3), "= " + Q(bottom, 0, kMPa),
                  "≥ −0.9 fy = " + Q(sm.StressLimitBottom(), 0, kMPa), Ratio(bottom, sm.StressLimitBottom())));

  // The stage 3 deflection at midspan against its limit.
  const std::vector<TDeflectionTerm> terms = DeflectionTerms(b);
  if (!terms.empty()) {
    const TDeflectionTerm& t = terms[0];
    if (t.Limit > 0)
      d.Formula(Check("Deflection at midspan under the stage 3 dead load", "",
                      "δ3 ≤ min(L / " + In(b.DeflectionLimit->Stage3DLRelLimit) + ", " +
                          Q(b.DeflectionLimit->Stage3DLAbsLimit, 0, kMm) + ")",
                      "", "δ3 = " + Q(t.Value, 1, kMm), "≤ " + Q(t.Limit, 1, kMm), t.Ratio()));
    else
      d.Formula(Step("Deflection at midspan under the stage 3 dead load", "", "δ3", "", "= " + Q(t.Value, 1, kMm)));
  }
}

// ---------------------------------------------------------------------------
// 4. Composite stage.

namespace {

// The effective width of one side, step by step.
void EffectiveWidthSide(TContext& C, const TPCC& p, int Side) {
  const TBeam& b = C.Beam;
  const TCompositeSectionAtPCC& cs = p.CompositeSection;
  const TSteelSection& s = *SteelAt(p);
  const double Lef = b.Span;
  const double nominal = Side == 1 ? cs.b1 : cs.b2;
  const double bc = Side == 1 ? cs.bcLeft : cs.bcRight;
  const bool edge = Side == 1 ? cs.IsEdgeBeamLeft : cs.IsEdgeBeamRight;
  const double bw = as2327::b_within_span(nominal, Lef);
  const std::string side = std::to_string(Side);
  double beff;
  if (C.Is2017()) {
    const double beta = as2327_2017::beta_beff(bw, Lef);
    const double pf = as2327_2017::beff_position_factor(p.x, Lef);
    beff = as2327_2017::beff_side(bw, beta, pf);
    C.Doc.Formula(Step("Effective width of the slab, side " + side, "",
                       "b" + side + " = min(b, Lef/8);  β = 0.55 + 0.025 Lef/b" + side +
                           ";  beff = β b" + side + " + p (b" + side + " − β b" + side + ")",
                       "b" + side + " = min(" + Q(nominal, 0, kMm) + ", " + Q(Lef, 0, kMm) + "/8) = " + Q(bw, 0, kMm) +
                           ";  β = 0.55 + 0.025 × " + Nm(Lef, 0) + "/" + Nm(bw, 0) + " = " + Nm(beta, 3) +
                           ";  p = " + Nm(pf, 3) + " at " + At(p),
                       "beff = " + Q(beff, 0, kMm)));
  } else {
    beff = as2327_2003::beff_side(bw, s.bsf1(), cs.Dc, edge);
    C.Doc.Formula(Step("Effective width of the slab, side " + side, "",
                       std::string("beff = min(min(b, Lef/8), bsf1/2 + ") + (edge ? "6" : "8") + " Dc)",
                       "= min(" + Q(bw, 0, kMm) + ", " + Nm(s.bsf1(), 0) + "/2 + " + (edge ? "6" : "8") + kTimes +
                           Q(cs.Dc, 0, kMm) + ")",
                       "= " + Q(beff, 0, kMm)));
  }
  CheckAgainstAnalysis(C.Doc, "the effective width of side " + side, std::min(bc, beff),
                       Side == 1 ? cs.bcf_1 : cs.bcf_2);
  C.Doc.Formula(Step("Effective width within the slab available, side " + side, "",
                     "bcf" + side + " = min(bc" + side + ", beff)", "= min(" + Q(bc, 0, kMm) + ", " + Q(beff, 0, kMm) + ")",
                     "= " + Q(Side == 1 ? cs.bcf_1 : cs.bcf_2, 0, kMm)));
}

// phi Mb at the degree of shear connection beta: the rectangular stress blocks.
void MomentCapacityAt(TContext& C, const TPCC& p, double beta) {
  const TCompositeSectionAtPCC& cs = p.CompositeSection;
  const TSteelSection& s = *SteelAt(p);
  const double phis = C.Standard.phi(cfBendingSteel);
  const double hr = cs.SteelDeck ? cs.SteelDeck->hr : 0;
  const double hc = cs.Dc - hr;
  const double Cc = beta * cs.Fcc;
  const double T = phis * s.Fst - Cc;
  const double F1 = phis * s.Fscf1, Fw = phis * s.Fscw, F2 = phis * s.Fscf2, Fp = phis * s.Fsp;
  const double dc = as2327::dc(Cc, cs.Fc_1, cs.Fc_2, hc, hr);
  const as2327::TSteelAxis axis = as2327::ys(T, F1, Fw, F2, Fp, cs.Dc, s.tf1(), s.dp, s.Ds(), s.tf2(), s.tsp());
  const as2327::TCompressedParts parts{as2327::M_top_flange(F1, cs.dsr, cs.Dc, s.tf1()),
                                       as2327::M_web(Fw, cs.dsr, cs.Dc, s.tf1(), s.Ds(), s.tf2()),
                                       as2327::M_bottom_flange(F2, cs.dsr, cs.Dc, s.Ds(), s.tf2())};
  const double Mc = as2327::Mc(Cc, cs.Fc_1, cs.dsr, dc, hc);
  const double Ms = as2327::Ms(axis, T, F1, Fw, F2, parts, cs.dsr, cs.Dc, s.tf1(), s.Ds(), s.tf2());
  const double Mb = cs.Mb(beta);
  CheckAgainstAnalysis(C.Doc, "phi Mb", (Mc + Ms) / 1000, Mb);
  static const char* kZones[] = {"in the top flange", "in the web", "in the bottom flange", "in the plate"};
  TCalcDocument& d = C.Doc;
  d.Formula(Step("Compression in the concrete at β", "", "C = β Fcc", "= " + Nm(beta, 3) + kTimes + Q(cs.Fcc, 0, kKN),
                 "= " + Q(Cc, 0, kKN)));
  d.Formula(Step("Twice the compression in the steel", "", "T = " + kPhi + "s Fst − C",
                 "= " + PhiText(C, cfBendingSteel) + kTimes + Q(s.Fst, 0, kKN) + kMinus + Q(Cc, 0, kKN),
                 "= " + Q(T, 0, kKN)));
  d.Formula(Step("Depth of the concrete stress block", "",
                 Cc <= cs.Fc_1 + 0.00001 ? "dc = (Dc − hr) C / Fc1" : "dc = (Dc − hr) + (C − Fc1) hr / Fc2",
                 Cc <= cs.Fc_1 + 0.00001
                     ? "= " + Q(hc, 0, kMm) + kTimes + Nm(Cc, 0) + " / " + Nm(cs.Fc_1, 0)
                     : "= " + Q(hc, 0, kMm) + " + (" + Nm(Cc, 0) + kMinus + Nm(cs.Fc_1, 0) + ")" + kTimes +
                           Nm(hr, 0) + " / " + Nm(cs.Fc_2, 0),
                 "= " + Q(dc, 1, kMm)));
  d.Formula(Step("Plastic neutral axis of the steel, " + std::string(kZones[axis.zone]), "",
                 "ys: depth below the slab top where the steel's compression is T/2", "",
                 "ys = " + Q(axis.ys, 1, kMm)));
  d.Formula(Step("Moments about the line of action of the steel yield force (dsr = " + Q(cs.dsr, 1, kMm) + ")", "",
                 "Mc = C (dsr − dc/2);  Ms from the compressed steel", "",
                 "Mc = " + Q(Mc / 1000, 1, kKNm) + ";  Ms = " + Q(Ms / 1000, 1, kKNm)));
  d.Formula(Step("Design moment capacity at β", "", kPhi + "Mb = Mc + Ms",
                 "= " + Q(Mc / 1000, 1, kKNm) + " + " + Q(Ms / 1000, 1, kKNm), "= " + Q(Mb, 1, kKNm)));
}

}  // namespace

void AppendCompositeStage(TContext& C) {
  const TBeam& b = C.Beam;
  TCalcDocument& d = C.Doc;
  const TPCC* gp = GoverningCompositePCC(b);
  d.Heading(2, "4. Composite stage");
  if (!gp) {
    d.Paragraph("The beam has no critical cross-section to check.", TCalcParagraphStyle::Warning);
    return;
  }
  const TPCC& p = *gp;
  const TCompositeSectionAtPCC& cs = p.CompositeSection;
  const TSteelSection& s = *SteelAt(p);
  const bool y2017 = C.Is2017();
  const double M = p.GetMdes(stStrength, 7), V = p.GetVdes(stStrength, 7);
  d.Paragraph("The composite beam carries the strength loads of every stage up to " +
              std::string(b.DesignCompositeStage == kInServiceStage ? "the in-service stage"
                                                                     : "stage " + std::to_string(b.DesignCompositeStage)) +
              ". The governing cross-section is at " + At(p) + "; the table at the end of this section gives the same "
              "checks at every critical cross-section.");
  d.Heading(3, "Governing cross-section, " + At(p));
  d.Formula(Step("Design actions at the cross-section (strength limit state)", "", "", "",
                 "M* = " + Q(M, 1, kKNm) + ";  V* = " + Q(V, 1, kKN)));

  // Effective width.
  EffectiveWidthSide(C, p, 1);
  EffectiveWidthSide(C, p, 2);
  d.Formula(Step("Effective width", "", "bcf = bcf1 + bcf2", "= " + Q(cs.bcf_1, 0, kMm) + " + " + Q(cs.bcf_2, 0, kMm),
                 "= " + Q(cs.bcf, 0, kMm)));

  // Concrete compressive force.
  const double fc = cs.ConcreteMaterial ? cs.ConcreteMaterial->ConcreteStrength : 0;
  const double hr = cs.SteelDeck ? cs.SteelDeck->hr : 0;
  d.Formula(Step("Concrete above the ribs", "", "Fc1 = " + kPhi + "c · 0.85 f'c · bcf · (Dc − hr)",
                 "= " + PhiText(C, cfBendingConcrete) + " × 0.85 × " + Q(fc, 0, kMPa) + kTimes + Q(cs.bcf, 0, kMm) +
                     " × (" + Nm(cs.Dc, 0) + kMinus + Nm(hr, 0) + ") mm",
                 "= " + Q(cs.Fc_1, 0, kKN)));
  d.Formula(Step("Concrete within the rib height", "",
                 "Fc2 = " + kPhi + "c · 0.85 f'c · hr · (λ1 bcf1 + λ2 bcf2)",
                 "= " + PhiText(C, cfBendingConcrete) + " × 0.85 × " + Q(fc, 0, kMPa) + kTimes + Q(hr, 0, kMm) +
                     " × (" + Nm(cs.la_l, 2) + kTimes + Nm(cs.bcf_1, 0) + " + " + Nm(cs.la_r, 2) + kTimes +
                     Nm(cs.bcf_2, 0) + ") mm",
                 "= " + Q(cs.Fc_2, 0, kKN)));
  d.Formula(Step("Yield force of the steel section", "", "Fst = Fscf1 + Fscw + Fscf2 + Fsp",
                 "= " + Nm(s.Fscf1, 0) + " + " + Nm(s.Fscw, 0) + " + " + Nm(s.Fscf2, 0) + " + " + Nm(s.Fsp, 0) + " kN",
                 "= " + Q(s.Fst, 0, kKN)));
  d.Formula(Step("Concrete compressive force at full shear connection", "", "Fcc = min(Fc1 + Fc2, " + kPhi + "s Fst)",
                 "= min(" + Q(cs.Fc_1, 0, kKN) + " + " + Q(cs.Fc_2, 0, kKN) + ", " + PhiText(C, cfBendingSteel) +
                     kTimes + Q(s.Fst, 0, kKN) + ")",
                 "= " + Q(cs.Fcc, 0, kKN)));

  // Connector capacity.
  const int n = std::max(1, b.ShearConnectorsInGroup);
  if (b.ShearConnector && b.ConcreteFloor && b.SteelDeck) {
    const TShearConnector& sc = *b.ShearConnector;
    const TConcreteFloor& con = *b.ConcreteFloor;
    const double fucmax = as2327::fuc_max(b.ThetaSide1, b.ThetaSide2);
    const double Ecs = con.EcForStuds(C.Standard);
    double PRk = 0;
    if (y2017) {
      const double c = sc.dbs >= 15.9 && sc.dbs <= 25
                           ? (sc.ConnectorType == ctHeadedStud ? 0.7 : sc.ConnectorType == ctHighStrengthBolt ? 0.5 : 0)
                           : 0;
      const double shank = as2327_2017::PRk_shank(c, sc.dbs, sc.fuc, fucmax);
      const double concrete = as2327_2017::PRk_concrete(sc.dbs, Ecs, con.ConcreteStrength);
      PRk = std::min(shank, concrete);
      d.Formula(Step("Connector capacity, shank failure", "Cl 3.6.2.3", "PRk,s = c dbs² min(fuc, fuc,max)",
                     "= " + In(c) + " × " + Nm(sc.dbs, 1) + "² mm² × min(" + Nm(sc.fuc, 0) + ", " +
                         Nm(fucmax, 0) + ") MPa",
                     "= " + Q(shank, 1, kKN)));
      d.Formula(Step("Connector capacity, concrete failure", "Cl 3.6.2.3", "PRk,c = 0.29 dbs² √(Ec f'c)",
                     "= 0.29 × " + Nm(sc.dbs, 1) + "² mm² × √(" + Nm(Ecs, 0) + " × " + Nm(con.ConcreteStrength, 0) +
                         ") MPa",
                     "= " + Q(concrete, 1, kKN)));
      d.Formula(Step("Nominal capacity of one connector", "Cl 3.6.2.3", "PRk = min(PRk,s, PRk,c)", "",
                     "= " + Q(PRk, 1, kKN)));
    } else {
      const bool stud = sc.ConnectorType == ctHeadedStud;
      PRk = stud ? as2327_2003::fvs_stud(sc.dbs, sc.fuc, con.ConcreteStrength, Ecs)
                 : as2327_2003::fvs_bolt_or_channel(sc.ConnectorType == ctChannel, con.ConcreteStrength,
                                                    as2327::IsLightweight(con.Density));
      d.Formula(Step("Nominal capacity of one connector", "",
                     stud ? "fvs = min(0.63 dbs² fuc, 0.31 dbs² √(f'c Ec))" : "fvs from the table of concrete grades",
                     stud ? "= min(0.63 × " + Nm(sc.dbs, 1) + "² × " + Nm(sc.fuc, 0) + ", 0.31 × " + Nm(sc.dbs, 1) +
                                "² × √(" + Nm(con.ConcreteStrength, 0) + " × " + Nm(Ecs, 0) + ")) / 1000"
                          : "f'c = " + Q(con.ConcreteStrength, 0, kMPa),
                     "= " + Q(PRk, 1, kKN)));
    }
    const double kt = C.Standard.kt(n, std::max(b.ThetaSide1, b.ThetaSide2), b.TroughWidth,
                                    *b.SteelDeck, sc);
    if (y2017 && !b.SteelDeck->IsSolidSlab()) {
      const TSteelDeck& k = *b.SteelDeck;
      const double h = std::min(sc.hsc, k.hr + 75);
      const double b0 = std::max(b.TroughWidth, k.b0());
      if (IsRibsAlong(b))
        d.Formula(Step("Reduction for ribs along the beam", "",
                       "kl = min(1, 0.6 (b0/hr)(h/hr − 1) Beta),  h = min(hsc, hr + 75)",
                       "= min(1, 0.6 × (" + Nm(b0, 0) + "/" + Nm(k.hr, 0) + ") × (" + Nm(h, 0) + "/" + Nm(k.hr, 0) +
                           " − 1) × " + In(k.Beta) + ")",
                       "= " + Nm(kt, 3)));
      else
        d.Formula(Step("Reduction for ribs across the beam, " + std::to_string(n) + " per rib", "",
                       "kt = min(1, min(base, (0.7/√n)(b0/hr)(h/hr − 1)) Beta)",
                       "base = " + In(as2327_2017::kt_base(n, k.DeckType, k.t, sc.IsThroughDeckWelded, sc.dbs)) +
                           ", n = " + std::to_string(n) + ", b0 = " + Q(b0, 0, kMm) + ", hr = " + Q(k.hr, 0, kMm) +
                           ", h = " + Q(h, 0, kMm) + ", Beta = " + In(k.Beta),
                       "= " + Nm(kt, 3)));
    }
    TStatus scratch;  // the messages of the connector's own check are not the report's
    CheckAgainstAnalysis(d, "PRk", PRk, C.Standard.PRk(sc, con, fucmax, scratch));
    CheckAgainstAnalysis(d, "kt", kt, b.kt(n));
    // The design capacity as the analysis takes it (TBeam::fds).
    const double fds = C.Standard.phi(cfLongitudinalShearStuds) * kt * PRk;
    if (y2017) {
      const std::string k_name = IsRibsAlong(b) ? "kl" : "kt";
      d.Formula(Step("Design capacity of one connector", "", "fds = " + kPhi + "sc " + k_name + " PRk",
                     "= " + PhiText(C, cfLongitudinalShearStuds) + kTimes + Nm(kt, 3) + kTimes + Q(PRk, 1, kKN),
                     "= " + Q(fds, 2, kKN)));
    } else {
      // The edition does not reduce the connectors' capacity for the deck (kt = 1).
      d.Formula(Step("Design capacity of one connector", "", "fds = " + kPhi + "sc fvs",
                     "= " + PhiText(C, cfLongitudinalShearStuds) + kTimes + Q(PRk, 1, kKN), "= " + Q(fds, 2, kKN)));
    }

    // Connectors provided and the degree of shear connection.
    d.Formula(Step("Connectors provided between the nearer support and the cross-section", "", "", "",
                   "ni = " + Nm(p.ni_actual, 2) + "  (required " + std::to_string(p.ni) + " for βmin = " +
                       Nm(p.beta_min, 3) + ")"));
    if (y2017) {
      const double beta = as2327_2017::beta_actual(p.ni_actual, fds, cs.Fcc);
      CheckAgainstAnalysis(d, "beta", std::min(beta, 1.0), p.beta_actual);
      d.Formula(Step("Degree of shear connection", "", "β = ni fds / Fcc ≤ 1",
                     "= " + Nm(p.ni_actual, 2) + kTimes + Q(fds, 2, kKN) + " / " + Q(cs.Fcc, 0, kKN) +
                         (beta > 1 ? " (limited to 1)" : ""),
                     "β = " + Nm(p.beta_actual, 3)));
    } else {
      d.Formula(Step("Degree of shear connection", "", "β = c kn fds / (Fcc / " + kPhi + "c),  kn = 1.18 − 0.18/√c",
                     "c = " + Nm(std::floor(p.ni_actual + 0.000001), 0) + ", kn = " +
                         Nm(as2327_2003::kn(std::floor(p.ni_actual + 0.000001)), 3),
                     "β = " + Nm(p.beta_actual, 3)));
    }
  }

  // Moment capacity at that beta.
  MomentCapacityAt(C, p, p.beta_actual);
  const double Mb = cs.Mb(p.beta_actual);
  if (y2017) {
    const double r = p.shear_ratio;
    d.Formula(Step("Dependable moment capacity, reduced for vertical shear", "",
                   kPhi + "Mbv = " + kPhi + "Mb (1 − r⁶)^(1/3),  r = |V*| / Vcomp at the minimum shear connection",
                   "= " + Q(Mb, 1, kKNm) + " × (1 − " + Nm(r, 3) + "⁶)^(1/3)", "= " + Q(p.phiMbv, 1, kKNm)));
  } else {
    const double r = Ratio(std::fabs(V), p.GetVcomp(), 1);
    d.Formula(Step("Dependable moment capacity", "",
                   r <= 0.5 ? kPhi + "Mbv: linear in β between " + kPhi + "Mb(0), " + kPhi + "Mb(0.5) and " + kPhi + "Mb(1)"
                            : kPhi + "Mbv: linear in β between the capacities reduced for the shear ratio r",
                   "r = " + Nm(r, 3) + ", " + kPhi + "Mb(0) = " + Q(cs.Mb(0), 1, kKNm) + ", " + kPhi + "Mb(0.5) = " +
                       Q(cs.Mb(0.5), 1, kKNm) + ", " + kPhi + "Mb(1) = " + Q(cs.Mb(1), 1, kKNm),
                   "= " + Q(p.phiMbv, 1, kKNm)));
  }
  d.Formula(Check("Bending at the governing cross-section", "", "M* ≤ " + kPhi + "Mbv", "", "M* = " + Q(M, 1, kKNm),
                  "≤ " + Q(p.phiMbv, 1, kKNm), Ratio(M, p.phiMbv)));

  // Vertical shear.
  const double Vcomp = p.GetVcomp();
  const double lsd = cs.lambdasd();
  if (y2017) {
    const double Vslab = as2327_2017::Vslab(cs.Dslab(), s.bsf1(), lsd, fc);
    CheckAgainstAnalysis(d, "Vslab", Vslab, cs.Vslab());
    d.Formula(Step("Slab's share of the composite depth", "", "λsd = Dc / (D + Dc)",
                   "= " + Nm(cs.Dc, 0) + " / (" + Nm(s.OverallDepth(), 0) + " + " + Nm(cs.Dc, 0) + ")",
                   "= " + Nm(lsd, 3)));
    d.Formula(Step("Slab's contribution to vertical shear", "", "Vslab = (Dslab bsf1)^0.7 (13 + 110 λsd) √f'c",
                   "= (" + Nm(cs.Dslab(), 0) + kTimes + Nm(s.bsf1(), 0) + ")^0.7 × (13 + 110 × " + Nm(lsd, 3) +
                       ") × √" + Nm(fc, 0) + " / 1000",
                   "= " + Q(Vslab, 1, kKN)));
    d.Formula(Step("Vertical shear capacity at β", "",
                   "Vcomp = (" + kPhi + "vc Vslab + " + kPhi + "vs Vv)(β + (1 − β)/(0.92 + 0.76 λsd))",
                   "= (" + PhiText(C, cfVerticalShearConcrete) + kTimes + Nm(Vslab, 1) + " + " +
                       PhiText(C, cfVerticalShearSteel) + kTimes + Nm(s.Vv, 1) + ") kN × (" + Nm(p.beta_actual, 3) +
                       " + " + Nm(1 - p.beta_actual, 3) + "/(0.92 + 0.76 × " + Nm(lsd, 3) + "))",
                   "= " + Q(Vcomp, 1, kKN)));
  } else {
    d.Formula(Step("Vertical shear capacity", "AS 4100 Cl 5.11", kPhi + "Vv = " + kPhi + "vs Vv",
                   "= " + PhiText(C, cfVerticalShearSteel) + kTimes + Q(s.Vv, 1, kKN), "= " + Q(Vcomp, 1, kKN)));
  }
  d.Formula(Check("Vertical shear at the governing cross-section", "", "|V*| ≤ Vcomp", "",
                  "|V*| = " + Q(std::fabs(V), 1, kKN), "≤ " + Q(Vcomp, 1, kKN), std::fabs(Ratio(V, Vcomp))));
  if (C.Standard.ChecksCombinedBendingAndShear()) {
    const double combined = std::pow(Ratio(M, Mb), 3) + std::pow(Ratio(V, Vcomp), 6);
    d.Formula(Check("Bending and vertical shear together", "", "(M*/" + kPhi + "Mb)³ + (V*/Vcomp)⁶ ≤ 1",
                    "= (" + Nm(M, 1) + "/" + Nm(Mb, 1) + ")³ + (" + Nm(std::fabs(V), 1) + "/" + Nm(Vcomp, 1) + ")⁶",
                    "= " + Nm(combined, 3), "≤ 1", combined));
  }

  // Every critical cross-section.
  TCalcTable t;
  t.Caption = "Composite stage at every critical cross-section";
  t.Header = {"x (mm)", "bcf (mm)", "Fcc (kN)", "ni", "β", kPhi + "Mbv (kNm)", "M* (kNm)", "M*/" + kPhi + "Mbv",
              "V* (kN)", "Vcomp (kN)", "V*/Vcomp"};
  if (C.Standard.ChecksCombinedBendingAndShear()) t.Header.push_back("M+V");
  t.Header.push_back("");
  t.Align = {TCalcAlign::Right};
  for (int i = 0; i < b.PCCList.Count(); ++i) {
    const TPCC& q = *b.PCCList.PCC(i);
    if (!q.IsPCC || !SteelAt(q)) continue;
    const double qM = q.GetMdes(stStrength, 7), qV = q.GetVdes(stStrength, 7), qVc = q.GetVcomp();
    const double rm = Ratio(qM, q.phiMbv), rv = std::fabs(Ratio(qV, qVc));
    double worst = std::max(rm, rv);
    std::vector<std::string> row = {Pos(q.x), Nm(q.CompositeSection.bcf, 0), Nm(q.CompositeSection.Fcc, 0),
                                    Nm(q.ni_actual, 1), Nm(q.beta_actual, 2), Nm(q.phiMbv, 1), Nm(qM, 1),
                                    Nm(rm, 2), Nm(std::fabs(qV), 1), Nm(qVc, 1), Nm(rv, 2)};
    if (C.Standard.ChecksCombinedBendingAndShear()) {
      const double rc = std::pow(Ratio(qM, q.phiMbBeta()), 3) + std::pow(Ratio(qV, qVc), 6);
      row.push_back(Nm(rc, 2));
      worst = std::max(worst, rc);
    }
    row.push_back(VerdictText(VerdictOf(worst <= 1)));
    t.AddRow(std::move(row), &q == gp);
  }
  t.Note = "ni: connectors between the nearer support and the cross-section. The governing cross-section is in bold.";
  d.Table(std::move(t));
}

}  // namespace calcbeam
