#include "project/cResultsJson.h"

#include <algorithm>
#include <cmath>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"

namespace {

// A number, or null where it has none (a ratio over a zero capacity).
TJson Number(double V) { return std::isfinite(V) ? TJson(V) : TJson(nullptr); }

const char* RoleOf(int Side) {
  switch (Side) {
    case 0: return "primary";
    case 2: return "secondary-side-2";
    default: return "secondary";
  }
}

// The path by which `eval` and r[path] reach the beam: the primary beam is
// "Beam" (it is, whenever the floor has one), the secondary beams "Beam1" and "Beam2".
std::string BeamPath(int Side) { return Side == 0 ? "Beam" : "Beam" + std::to_string(Side); }

TJson StatusMessages(const TStatus& Status) {
  TJson list = TJson::array();
  for (const TStatusLine& line : Status.ErrorList()) list.push_back(line.Text);
  return list;
}

// One position of the beam's list of potential critical cross-sections: the
// strength actions in service (the composite stage's are those of the stage
// the project designs for, which the report shows too), what resists them,
// the shear connection there, and the bare steel beam at stage 3.
TJson CriticalSection(const std::string& Path, const TPCC& P) {
  TJson s;
  s["path"] = Path;
  s["position_mm"] = P.x;
  s["is_critical"] = P.IsPCC;
  s["composite_section"] = P.CompositeSection.CompositeSectionLabel;
  const double m = P.GetMdes(stStrength, kInServiceStage);
  const double v = P.GetVdes(stStrength, kInServiceStage);
  s["design_moment_knm"] = Number(m);
  s["design_shear_kn"] = Number(v);
  s["moment_capacity_knm"] = Number(P.phiMbv);
  double vcomp = 0;
  try {
    vcomp = P.GetVcomp();
  } catch (const std::exception&) {
    vcomp = std::nan("");  // a section too incomplete for the capacity: the report shows 0, here null
  }
  s["shear_capacity_kn"] = Number(vcomp);
  s["moment_ratio"] = P.phiMbv > 0 ? Number(std::fabs(m) / P.phiMbv) : TJson(nullptr);
  s["shear_ratio"] = Number(P.shear_ratio);
  s["beta_min"] = Number(P.beta_min);
  s["beta_actual"] = Number(P.beta_actual);
  s["shear_connectors_required"] = P.ni;
  s["shear_connectors_provided"] = Number(P.ni_actual);
  s["stage3_design_moment_knm"] = Number(P.GetMdes(stStrength, 3));
  s["stage3_design_shear_kn"] = Number(P.GetVdes(stStrength, 3));
  s["stage3_shear_capacity_kn"] = Number(P.phiVvm());
  s["deflection_total_mm"] = Number(P.TotalDeflection());
  return s;
}

TJson Beam(TProject& Project, int Side) {
  TImportedBeam& beam = *Project.GetBeam(Side);
  const std::string path = BeamPath(Side);
  const bool analysed = beam.PCCList.Count() > 0;
  auto result = [&](double V) { return analysed ? Number(V) : TJson(nullptr); };
  TJson b;
  b["mark"] = beam.Mark;
  b["role"] = RoleOf(Side);
  b["path"] = path;
  const TSteelSection* first = beam.SteelSectionList.Count() > 0 ? beam.SteelSection(0) : nullptr;
  b["section"] = first ? first->Name : "";
  b["grade"] = first ? first->Grade : "";
  b["span_mm"] = beam.Span;
  b["strength_ratio"] = result(beam.MaxStrengthRatio());
  b["stress_ratio"] = result(beam.MaxStressRatio());
  b["deflection_ratio"] = result(beam.MaxDeflectionRatio());
  b["camber_mm"] = result(beam.SuggestedCamber());
  b["shear_connectors"] = analysed ? TJson(beam.TotalShearConnectors) : TJson(nullptr);
  b["ok"] = beam.IsAssessmentOK();
  b["messages"] = StatusMessages(beam.Status);
  TJson sections = TJson::array();
  for (int i = 0; i < beam.PCCList.Count(); ++i)
    sections.push_back(CriticalSection(path + ".PCCList" + std::to_string(i), *beam.PCCList.PCC(i)));
  b["critical_sections"] = std::move(sections);
  return b;
}

TJson Vibration(const TVibration& V) {
  TJson v;
  v["checked"] = V.IsChecked;
  v["calculated"] = V.IsCalculated;
  // A check that is off has no verdict.
  v["ok"] = V.IsChecked ? TJson(V.IsAcceptable) : TJson(nullptr);
  v["message"] = V.Message;
  auto result = [&](double X) { return V.IsCalculated ? Number(X) : TJson(nullptr); };
  v["bay_side"] = V.IsCalculated ? TJson(V.BaySide) : TJson(nullptr);
  v["frequency_hz"] = result(V.Frequency);
  v["peak_acceleration_pct_g"] = result(V.PeakAcceleration);
  v["acceleration_limit_pct_g"] = V.AccelerationLimit;
  v["damping_ratio"] = V.Damping;
  v["beam_frequency_hz"] = result(V.BeamFrequency);
  v["girder_frequency_hz"] = result(V.GirderFrequency);
  v["beam_deflection_mm"] = result(V.BeamDeflection);
  v["girder_deflection_mm"] = result(V.GirderDeflection);
  v["effective_weight_kn"] = result(V.EffectiveWeight);
  return v;
}

}  // namespace

TJson ResultsDocument(TProject& Project, const std::string& ProjectFile, const std::vector<std::string>& Messages) {
  TJson doc;
  doc["program"] = GetAppName();
  doc["version"] = GetAppFileVersion();
  doc["standard"] = CurrentStandardName();
  TJson project;
  project["name"] = Project.Project;
  project["designer"] = Project.Designer;
  project["file"] = ProjectFile;
  doc["project"] = std::move(project);

  // The run's order: secondary side 1, side 2, then the primary beam.
  TJson beams = TJson::array();
  for (int side : {1, 2, 0})
    if (Project.GetHasBeam(side)) beams.push_back(Beam(Project, side));
  doc["beams"] = std::move(beams);
  doc["vibration"] = Vibration(Project.Vibration);

  std::vector<std::string> messages = Messages;
  for (const TStatusLine& line : Project.Status.ErrorList())
    if (std::find(messages.begin(), messages.end(), line.Text) == messages.end()) messages.push_back(line.Text);
  doc["messages"] = messages;
  return doc;
}

TJson PathValueJson(const TPathValue& Value) {
  switch (Value.Kind) {
    case TPathValue::pvNumber: return Number(Value.Number);
    case TPathValue::pvInteger: return Value.Integer;
    case TPathValue::pvBoolean: return Value.Boolean;
    case TPathValue::pvText: return Value.Text;
  }
  return nullptr;
}

std::string JsonText(const TJson& Document) {
  return Document.dump(2, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}
