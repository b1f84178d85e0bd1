#include "project/cCalculationReport.h"

#include <algorithm>
#include <cmath>
#include <ctime>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cAnalysisRun.h"
#include "project/cFloorPlan.h"
#include "project/cFloorUse.h"
#include "report/cCalcBeam.h"
#include "report/cFloorDrawing.h"

using calc::Num;
using calc::Qty;

namespace {

// The beams in the order the run analyses them: secondary side 1, side 2, primary.
constexpr int kRunOrder[] = {1, 2, 0};

std::string BeamList(const TProject& Project) {
  std::string list;
  for (int side : kRunOrder)
    if (Project.GetHasBeam(side)) list += (list.empty() ? "" : " and ") + std::to_string(side);
  return list;
}

std::string In(double v) { return FloatToStrDP(false, 0, 3, v); }

std::string LimitText(double Relative, double Absolute) {
  std::string s;
  if (Relative > 0) s = "L/" + In(Relative);
  if (Absolute > 0) s += (s.empty() ? "" : ", at most ") + Qty(Absolute, 0, "mm");
  return s.empty() ? "none" : s;
}

void AppendDesignBasis(TCalcDocument& d, const TProject& p, const TCalcReportOptions& o) {
  d.Heading(2, "Design basis");
  TCalcTable t;
  t.Header = {"Basis", "Value"};
  t.Align = {TCalcAlign::Left, TCalcAlign::Left};
  t.AddRow({"Standard", CurrentStandardName()});
  const TGeometry& g = p.Geometry;
  std::string use = o.FloorUse.empty() ? "" : o.FloorUse + ": ";
  use += "live load " + Qty(g.NominalLiveLoad, 1, "kPa") + (g.IsLiveLoadReducible ? " (reducible)" : "") +
         ", superimposed dead load " + Qty(g.DeadLoad, 1, "kPa");
  if (g.IsEdgeBeam && g.FacadeLoad > 0) use += ", facade " + Qty(g.FacadeLoad, 1, "kN/m");
  t.AddRow({"Floor use", use});
  const TConcreteFloor& c = p.ConcreteFloor;
  t.AddRow({"Concrete", "f'c " + Qty(c.ConcreteStrength, 0, "MPa") + ", density " + Qty(c.Density, 0, "kg/m³") +
                            " (wet " + Qty(c.WetDensity, 0, "kg/m³") + "), Ec " + Qty(c.Ec(), 0, "MPa") +
                            ", shrinkage strain " + Qty(c.ShrinkageStrain, 0, "µε")});
  t.AddRow({"Slab", "overall depth " + Qty(g.Ds, 0, "mm") + ", ponding allowance " + Qty(g.PondingAllowance, 0, "mm")});
  const TSteelDeck& k = p.SteelDeck;
  t.AddRow({"Deck", k.IsSolidSlab() ? k.Name + " (solid slab)"
                                    : k.Name + ": hr " + Qty(k.hr, 0, "mm") + ", sr " + Qty(k.sr, 0, "mm") + ", t " +
                                          Qty(k.t, 2, "mm") + ", " + Qty(k.Mass, 1, "kg/m²")});
  const TShearConnector& s = p.ShearConnector;
  t.AddRow({"Shear connectors", s.Name + ": dbs " + Qty(s.dbs, 1, "mm") + ", hsc " + Qty(s.hsc, 0, "mm") + ", fuc " +
                                    Qty(s.fuc, 0, "MPa")});
  std::string factors;
  for (int i = 0; i < p.LimitStateList.Count(); ++i) {
    const auto* ls = p.LimitStateList.ItemAs<TLimitState>(i);
    if (ls) factors += (factors.empty() ? "" : "; ") + ls->LimitStateLabel + " " + Num(ls->LFdead, 2) + " / " + Num(ls->LFlive, 2);
  }
  t.AddRow({"Load factors (dead / live)", factors});
  const TDeflectionLimit& l = p.DeflectionLimit;
  t.AddRow({"Deflection limits", "stage 3 dead load " + LimitText(l.Stage3DLRelLimit, l.Stage3DLAbsLimit) +
                                     "; stages 5 and 6 " + LimitText(l.Stage56DLRelLimit, l.Stage56DLAbsLimit) +
                                     "; stages 3, 5 and 6 " + LimitText(l.Stage356DLRelLimit, l.Stage356DLAbsLimit) +
                                     "; in service incremental " + LimitText(l.IncrementalRelLimit, l.IncrementalAbsLimit) +
                                     ", total less camber " + LimitText(l.TotalRelLimit, l.TotalAbsLimit)});
  t.AddRow({"Shrinkage and camber", Num(l.ShrinkageRatioPriorInservice, 2) +
                                        " of the shrinkage deflection before service; camber at most " +
                                        Qty(l.MaximumCamber, 0, "mm")});
  t.AddRow({"Analysis positions", In(p.Segments) + " segments per span, and the critical cross-sections"});
  d.Table(std::move(t));
}

std::string Percent(double Ratio) { return Num(100 * Ratio, 0) + "%"; }

void AppendSummary(TCalcDocument& d, const TProject& p, const std::vector<int>& Sides) {
  d.Heading(2, "Summary");
  TCalcTable t;
  t.Header = {"Beam", "Section", "M st3", "V st3", "M", "V", "M+V", "Stress", "Defl.", "Camber", "Studs",
              "Governing", ""};
  t.Align = {TCalcAlign::Left,  TCalcAlign::Left,  TCalcAlign::Right, TCalcAlign::Right, TCalcAlign::Right,
             TCalcAlign::Right, TCalcAlign::Right, TCalcAlign::Right, TCalcAlign::Right, TCalcAlign::Right,
             TCalcAlign::Right, TCalcAlign::Left,  TCalcAlign::Left};
  for (int side : Sides) {
    const TImportedBeam& b = *p.GetBeam(side);
    const TSteelSection* s = b.SteelSectionList.Count() > 0 ? b.SteelSection(0) : nullptr;
    const std::string section = !s ? "" : s->BaseSteelSection.IsStandard ? s->Name + " " + s->Grade : s->SectionType;
    if (!HasCalculationResults(b)) {
      t.AddRow({b.LongName(), section, "", "", "", "", "", "", "", "", "", "not analysed", "NOT OK"});
      continue;
    }
    const TGoverningCheck gov = GoverningCheck(b);
    const bool combined = b.Standard().ChecksCombinedBendingAndShear();
    t.AddRow({b.LongName(), section, Percent(b.Stage3MomentRatio), Percent(b.Stage3ShearRatio),
              Percent(b.CompStageMomentRatio), Percent(b.CompStageShearRatio),
              combined ? Percent(b.CompStageCombinedRatio) : "-", Percent(b.MaxStressRatio()),
              Percent(b.MaxDeflectionRatio()), Qty(b.SuggestedCamber(), 0, "mm"),
              b.TotalShearConnectors > 1000 ? "N/A" : std::to_string(b.TotalShearConnectors),
              b.Min_spacing_violation ? "Connector spacing" : gov.Name, VerdictText(VerdictOf(b.IsAssessmentOK()))});
  }
  t.Note = "Ratios of demand to capacity: M st3, V st3 the bare steel at stage 3; M, V, M+V the composite stage; "
           "stress over 0.9 fy; deflection over its limit. Studs: shear connectors per beam.";
  d.Table(std::move(t));
  if (p.Vibration.IsChecked) {
    const TVibrationSummary v = VibrationSummary(p.Vibration);
    d.Paragraph(v.Line + (v.IsOK ? "" : ": " + v.ErrorText) + " (reported beside the beams; it does not change "
                                                                    "their verdicts).");
  }
  for (const std::string& note : p.AnalysisNotes()) d.Paragraph(note, TCalcParagraphStyle::Note);
}

}  // namespace

std::string FloorUseNameOf(const TSession& Session, const TProject& Project) {
  const int i = Project.Geometry.FloorUseIndex;
  if (i < 0 || i >= Session.FloorUseLibrary.Count()) return "";
  const auto* use = Session.FloorUseLibrary.ItemAs<TFloorUse>(i);
  return use ? use->Name : "";
}

bool CanReportBeam(const TProject& Project, int Side, std::string& Message) {
  if (Side >= 0 && Side <= 2 && Project.GetHasBeam(Side)) return true;
  Message = "The project has no beam " + std::to_string(Side) + "; its beams are " + BeamList(Project) +
            " (0 the primary beam, 1 and 2 the secondary beams)";
  return false;
}

TCalcDocument BuildCalculationReport(const TProject& Project, const TCalcReportOptions& Options) {
  TCalcDocument d;
  TCalcTitleBlock& t = d.Title;
  t.Project = Project.Project.empty() ? "Untitled project" : Project.Project;
  t.Designer = Project.Designer;
  t.ProjectFile = Options.ProjectFileName.empty() ? "Untitled" : Options.ProjectFileName;
  t.Program = GetAppName() + " " + GetAppFileVersion();
  t.Standard = CurrentStandardName();
  t.Date = FormatShortDate(Options.Date != 0 ? Options.Date : std::time(nullptr));

  std::vector<int> sides;
  for (int side : kRunOrder)
    if (Project.GetHasBeam(side) && (Options.BeamSide < 0 || Options.BeamSide == side)) sides.push_back(side);

  d.Heading(1, "Calculation report", "Floor and design basis", "floor");
  if (!Project.Description.empty()) d.Paragraph(Project.Description);
  TCalcFigure sketch;
  sketch.Caption = "The floor in plan (mm)";
  TFloorSketchStyle style;
  style.Width = 1000;
  style.Height = 520;
  style.FontPixels = 22;
  style.DigitWidth = 13;
  TFloorPlan plan = PlanOfFloor(Project.Geometry);
  if (plan.Bottom - plan.Top > plan.Right - plan.Left) plan = QuarterTurn(plan);
  // The drawing takes the plan's proportions, within 2:1 either way.
  const double aspect = std::clamp((plan.Bottom - plan.Top) / std::max(1.0, plan.Right - plan.Left), 0.5, 1.0);
  style.Height = static_cast<int>(std::lround(style.Width * aspect * 0.9)) + 60;
  sketch.Drawing = DrawFloorPlan(plan, style);
  sketch.WidthShare = 0.7;
  d.Figure(std::move(sketch));
  AppendDesignBasis(d, Project, Options);
  AppendSummary(d, Project, sides);

  for (int side : sides) {
    TCalcBeamOptions o;
    o.Caption = DefaultBeamCaption(Project, side);
    o.Anchor = "beam-" + std::to_string(side);
    AppendBeamCalculation(d, *Project.GetBeam(side), o);
  }
  if (Options.BeamSide < 0) AppendVibrationCalculation(d, Project.Vibration);
  return d;
}
