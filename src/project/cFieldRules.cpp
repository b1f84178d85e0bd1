#include "project/cFieldRules.h"

#include <cmath>

#include "entity/VEXFormat.h"
#include "entity/VEXNumberText.h"
#include "entity/VEXText.h"

const std::vector<TFieldCheckSpec>& RegisteredFieldChecks() {
  // Ranges are in the field's own unit (mm, kPa, kN/m, kN, MPa, kg/m^3, microstrain).
  static const std::vector<TFieldCheckSpec> table = {
      {"General", "Designer", ftString, 0, 80, true, false, ""},
      {"General", "Floor area", ftInteger, 100, 5000, false, false, ""},
      {"General", "Number of storeys", ftInteger, 2, 120, false, false, ""},
      {"General", "Positions along beam for results calculation", ftInteger, 10, 100, false, false, ""},

      {"Design factors", "LF dead", ftReal, 0, 2, false, false, ""},
      {"Design factors", "LF live", ftReal, 0, 2, false, false, ""},

      {"Deflection limits", "Span/Defl (ratio)", ftInteger, 50, 1000, true, false, ""},
      {"Deflection limits", "Absolute defl limit", ftInteger, 10, 100, true, false, ""},
      {"Deflection limits", "Ratio of shrinkage prior to InService", ftReal, 0, 1, false, false, ""},

      // The side-1 angle is named by its label, a single space.
      {"Geometry", " ", ftInteger, 0, 90, true, false, ""},
      {"Geometry", "Side 2 angle", ftInteger, 0, 90, true, false, ""},
      {"Geometry", "Secondary span", ftInteger, 1000, 25000, false, false, ""},
      {"Geometry", "Secondary spacing", ftInteger, 500, 25000, false, false, ""},
      {"Geometry", "Distance to first secondary beam", ftInteger, 0, 100000, false, false,
       "%s must be more than %1:.0f mm and less than the primary span"},
      {"Geometry", "Secondary outstand distance", ftInteger, 150, 5000, false, false, ""},
      {"Geometry", "Primary span", ftInteger, 1500, 25000, false, false, ""},
      {"Geometry", "Effective spacing of primary beam", ftInteger, 500, 25000, false, false, ""},
      {"Geometry", "Primary outstand distance", ftInteger, 150, 5000, false, false, ""},

      {"Floor loading", "Nominal live load", ftReal, 0, 100, true, false, ""},
      {"Floor loading", "Superimposed dead load", ftReal, 0, 100, true, false, ""},
      {"Floor loading", "Facade load if edge beam", ftReal, 0, 100, true, false, ""},

      {"Slab details", "Overall slab depth (Ds)", ftInteger, 90, 500, false, false, ""},
      {"Slab details", "Ponding allowance", ftReal, 0, 100, false, false, ""},
      {"Slab details", "Concrete strength (f'c)", ftInteger, 15, 50, false, false, ""},
      {"Slab details", "Concrete density", ftInteger, 1800, 2800, false, false, ""},
      {"Slab details", "Concrete density (wet)", ftInteger, 1800, 2800, false, false, ""},
      {"Slab details", "Shrinkage strain", ftInteger, 200, 400, false, false, ""},

      {"Floor vibration", "Damping ratio", ftReal, 0.005, 0.1, false, false, "%s should be between %.3f and %.1f"},
      {"Floor vibration", "Acceleration limit", ftReal, 0.1, 10, false, false, "%s should be between %.1f and %.0f"},
      {"Floor vibration", "Live load in vibration mass", ftReal, 0, 5, false, false, ""},
      {"Floor vibration", "Floor width across the beams", ftInteger, 1000, 500000, false, false,
       "%s should be 0 (not limited) or between %.0f and %.0f", true},
      {"Floor vibration", "Floor length along the beams", ftInteger, 1000, 500000, false, false,
       "%s should be 0 (not limited) or between %.0f and %.0f", true},

      {"Beam general", "Mark", ftString, 0, 50, false, false, ""},
      {"Beam general", "Fixed (absolute) camber", ftInteger, 0, 100, true, false, ""},
      {"Beam general", "Fixed (relative) camber", ftInteger, 100, 2000, true, false, ""},
      {"Beam general", "Specified shear connection ratio", ftReal, 0.4, 1.0, true, false, ""},
      {"Beam general", "Specified total number of shear connectors", ftInteger, 0, 200, true, false, ""},
      {"Beam general", "Specified # studs in transverse section", ftInteger, 1, 3, true, false, ""},

      {"Section definition", "Top flange width", ftInteger, 25, 1000, false, false, ""},
      {"Section definition", "Bottom flange width", ftInteger, 25, 1000, false, false, ""},
      {"Section definition", "Top flange thickness", ftReal, 3, 50, false, false, ""},
      {"Section definition", "Web thickness", ftReal, 3, 50, false, false, ""},
      {"Section definition", "Bottom flange thickness", ftReal, 3, 50, false, false, ""},
      {"Section definition", "Top flange yield stress", ftInteger, 100, 450, false, false, ""},
      {"Section definition", "Web yield stress", ftInteger, 100, 450, false, false, ""},
      {"Section definition", "Bottom flange yield stress", ftInteger, 100, 450, false, false, ""},
      {"Section definition", "Steel section depth", ftInteger, 25, 2000, false, false, ""},
      {"Section definition", "Start position", ftInteger, 0, 25000, false, false, ""},
      {"Section definition", "Finish position", ftInteger, 0, 25000, false, false, ""},
      {"Section definition", "Slab width", ftInteger, 0, 10000, false, false, ""},
      {"Section definition", "End 1 cover plate width", ftInteger, 25, 1000, true, false, ""},
      {"Section definition", "Cover plate width", ftInteger, 25, 1000, true, false, ""},
      {"Section definition", "End 2 cover plate width", ftInteger, 25, 1000, true, false, ""},
      {"Section definition", "End 1 cover plate thickness", ftReal, 3, 50, true, false, ""},
      {"Section definition", "Cover plate thickness", ftReal, 3, 50, true, false, ""},
      {"Section definition", "End 2 cover plate thickness", ftReal, 3, 50, true, false, ""},
      {"Section definition", "End 1 cover plate yield stress", ftInteger, 100, 450, true, false, ""},
      {"Section definition", "Cover plate yield stress", ftInteger, 100, 450, true, false, ""},
      {"Section definition", "End 2 cover plate yield stress", ftInteger, 100, 450, true, false, ""},
      {"Section definition", "End 1 overall depth", ftInteger, 25, 2000, true, false, ""},
      {"Section definition", "End 2 overall depth", ftInteger, 25, 2000, true, false, ""},

      // A load position is either a percentage of the span or a distance in mm;
      // each of the two checks judges only its own form.
      {"Beam loading", "Load start position", ftPercent, 0, 100, false, true, ""},
      {"Beam loading", "Load finish position", ftPercent, 0, 100, false, true, ""},
      {"Beam loading", "Load start position", ftReal, 0, 25000, false, true, "%s must be within span of beam"},
      {"Beam loading", "Load finish position", ftReal, 0, 25000, false, true, "%s must be within span of beam"},
      {"Beam loading", "Load value", ftReal, 0, 100, false, false, ""},
      {"Beam loading", "Point load position", ftPercent, 0, 100, false, true, ""},
      {"Beam loading", "Point load position", ftReal, 0, 25000, false, true, "%s must be within span of beam"},
      {"Beam loading", "Point load value", ftReal, 0, 1000, false, false, ""},

      // The design-table grids take the geometry's ranges; a blank row is skipped.
      {"Design table", "Span", ftInteger, 1500, 25000, true, false, ""},
      {"Design table", "Spacing", ftInteger, 500, 25000, true, false, ""},
  };
  return table;
}

TFieldRule TFieldRule::Of(const TFieldCheckSpec& Spec) {
  TFieldRule rule;
  rule.Name = Spec.Name;
  rule.FieldType = Spec.FieldType;
  rule.Min = Spec.Min;
  rule.Max = Spec.Max;
  rule.CanBeBlank = Spec.CanBeBlank;
  rule.IsPercentOptional = Spec.IsPercentOptional;
  rule.IsZeroAllowed = Spec.IsZeroAllowed;
  rule.RangeErrorMsg = Spec.RangeErrorMsg;
  return rule;
}

std::string StandardRangeErrorMsg(TFieldType FieldType, double Min, double Max) {
  switch (FieldType) {
    case ftInteger:
      if (Min == 0) return "%s should be less than %2:.0f";
      if (Max >= 100000000) return "%s should be more than %1:.0f";
      return "%s should be between %.0f and %.0f";
    case ftReal: return "%s should be between %.0f and %.0f";
    case ftString:
      if (Min == 0) return "%s length should be shorter than %2:.0f";
      if (Max >= 65536) return "Please enter a meaningful %s (length should be at least %1:.0f characters)";
      return "Length of %s should be between %.0f and %.0f characters";
    case ftPercent: return "%s should be between %.0f%% and %.0f%%";
  }
  return {};
}

std::string FieldTypeWord(TFieldType FieldType) {
  switch (FieldType) {
    case ftInteger: return "integer";
    case ftReal:
    case ftPercent: return "number";
    case ftString: return "string";
  }
  return {};
}

namespace {

// The length a text field counts: UTF-16 units, so a character beyond the
// basic plane counts twice, as in the window's edits.
double Utf16Length(std::string_view Text) {
  double units = 0;
  for (const char c : Text) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte & 0xC0) == 0x80) continue;  // a continuation byte
    units += byte >= 0xF0 ? 2 : 1;
  }
  return units;
}

}  // namespace

TFieldVerdict CheckFieldText(const TFieldRule& Rule, std::string_view Text) {
  TFieldVerdict verdict;
  verdict.MessageTemplate = Rule.BlankMsg;
  bool pass = Rule.CanBeBlank || !Text.empty();

  // A field that may hold a number or a percentage has a check for each form;
  // a text in the other form is the other check's business.
  verdict.IsAlternativeForm = Rule.IsPercentOptional && ((Rule.FieldType == ftReal && IsPercent(Text)) ||
                                                        (Rule.FieldType == ftPercent && IsFloat(Text)));
  const bool alternative = verdict.IsAlternativeForm;
  if (pass && !Text.empty()) {
    verdict.MessageTemplate = Rule.InvalidCharsMsg;
    switch (Rule.FieldType) {
      case ftInteger: pass = IsInteger(Text); break;
      case ftReal: pass = alternative || IsFloat(Text); break;
      case ftPercent: pass = alternative || IsPercent(Text); break;
      case ftString: pass = true; break;
    }
  }
  if (pass && !Text.empty() && !alternative) {
    verdict.MessageTemplate =
        Rule.RangeErrorMsg.empty() ? StandardRangeErrorMsg(Rule.FieldType, Rule.Min, Rule.Max) : Rule.RangeErrorMsg;
    double v = 0, low = Rule.Min, high = Rule.Max;
    switch (Rule.FieldType) {
      case ftInteger:
        v = StrToIntDef(Text, 0);
        low = std::round(Rule.Min);
        high = std::round(Rule.Max);
        break;
      case ftReal: v = StrToFloatDef(Text, 0); break;
      case ftString:
        v = Utf16Length(Text);
        low = std::round(Rule.Min);
        high = std::round(Rule.Max);
        break;
      case ftPercent: v = StrToFloatDef(Text.substr(0, Text.size() - 1), 0); break;
    }
    pass = (low <= v && v <= high) || (Rule.IsZeroAllowed && v == 0);
  }
  verdict.IsPassed = pass;
  return verdict;
}

std::string FormatFieldMessage(const TFieldRule& Rule, std::string_view Template) {
  return Format(Template, {Rule.Name, Rule.Min, Rule.Max, FieldTypeWord(Rule.FieldType)});
}

// ---------------------------------------------------------------------------
// Property paths and the fields that edit them.

namespace {

struct TFieldPath {
  const char* Path;     // without list indexes; "Beam" stands for every beam
  const char* Page;     // the registered check's page and name
  const char* Name;
  const char* Display;  // the name in messages, when the check's own does not say it; else nullptr
  TFieldType FieldType = ftReal;  // of the check, when a field has two (number or percentage)
};

// Which window field writes which property. A field that shows several
// properties alike (the side-2 spans, the cover plates of both ends) guards
// each of them; its name in messages names the property where the field's
// own would not (the side-1 deck angle is named by a blank label).
const std::vector<TFieldPath>& FieldPaths() {
  static const std::vector<TFieldPath> paths = {
      {"Designer", "General", "Designer", nullptr},
      {"FloorArea", "General", "Floor area", nullptr},
      {"Storeys", "General", "Number of storeys", nullptr},
      {"Segments", "General", "Positions along beam for results calculation", nullptr},

      {"LimitStateList.LFdead", "Design factors", "LF dead", nullptr},
      {"LimitStateList.LFlive", "Design factors", "LF live", nullptr},

      {"DeflectionLimit.Stage3DLRelLimit", "Deflection limits", "Span/Defl (ratio)", nullptr},
      {"DeflectionLimit.Stage56DLRelLimit", "Deflection limits", "Span/Defl (ratio)", nullptr},
      {"DeflectionLimit.Stage356DLRelLimit", "Deflection limits", "Span/Defl (ratio)", nullptr},
      {"DeflectionLimit.IncrementalRelLimit", "Deflection limits", "Span/Defl (ratio)", nullptr},
      {"DeflectionLimit.TotalRelLimit", "Deflection limits", "Span/Defl (ratio)", nullptr},
      {"DeflectionLimit.Stage3DLAbsLimit", "Deflection limits", "Absolute defl limit", nullptr},
      {"DeflectionLimit.Stage56DLAbsLimit", "Deflection limits", "Absolute defl limit", nullptr},
      {"DeflectionLimit.Stage356DLAbsLimit", "Deflection limits", "Absolute defl limit", nullptr},
      {"DeflectionLimit.IncrementalAbsLimit", "Deflection limits", "Absolute defl limit", nullptr},
      {"DeflectionLimit.TotalAbsLimit", "Deflection limits", "Absolute defl limit", nullptr},
      {"DeflectionLimit.ShrinkageRatioPriorInservice", "Deflection limits", "Ratio of shrinkage prior to InService",
       nullptr},

      {"Geometry.ThetaSide1", "Geometry", " ", "Side 1 angle"},
      {"Geometry.ThetaSide2", "Geometry", "Side 2 angle", nullptr},
      {"Geometry.SpacingSide1", "Geometry", "Secondary span", nullptr},
      {"Geometry.SpacingSide2", "Geometry", "Secondary span", "Secondary span (side 2)"},
      {"Geometry.SecondarySpacingSide1", "Geometry", "Secondary spacing", nullptr},
      {"Geometry.SecondarySpacingSide2", "Geometry", "Secondary spacing", "Secondary spacing (side 2)"},
      {"Geometry.SecondaryStartSide1", "Geometry", "Distance to first secondary beam", nullptr},
      {"Geometry.SecondaryStartSide2", "Geometry", "Distance to first secondary beam",
       "Distance to first secondary beam (side 2)"},
      // The primary and the secondary outstand fields hold the one value.
      {"Geometry.Outstand", "Geometry", "Primary outstand distance", "Outstand distance"},
      {"Geometry.Span", "Geometry", "Primary span", nullptr},
      {"Geometry.PrimaryEffectiveSpacing", "Geometry", "Effective spacing of primary beam", nullptr},
      {"Geometry.NominalLiveLoad", "Floor loading", "Nominal live load", nullptr},
      {"Geometry.DeadLoad", "Floor loading", "Superimposed dead load", nullptr},
      {"Geometry.FacadeLoad", "Floor loading", "Facade load if edge beam", nullptr},
      {"Geometry.Ds", "Slab details", "Overall slab depth (Ds)", nullptr},
      {"Geometry.PondingAllowance", "Slab details", "Ponding allowance", nullptr},

      {"ConcreteFloor.ConcreteStrength", "Slab details", "Concrete strength (f'c)", nullptr},
      {"ConcreteFloor.Density", "Slab details", "Concrete density", nullptr},
      {"ConcreteFloor.WetDensity", "Slab details", "Concrete density (wet)", nullptr},
      {"ConcreteFloor.ShrinkageStrain", "Slab details", "Shrinkage strain", nullptr},

      {"Vibration.Damping", "Floor vibration", "Damping ratio", nullptr},
      {"Vibration.AccelerationLimit", "Floor vibration", "Acceleration limit", nullptr},
      {"Vibration.LiveLoadInMass", "Floor vibration", "Live load in vibration mass", nullptr},
      {"Vibration.FloorWidth", "Floor vibration", "Floor width across the beams", nullptr},
      {"Vibration.FloorLength", "Floor vibration", "Floor length along the beams", nullptr},

      {"Beam.Mark", "Beam general", "Mark", nullptr},
      {"Beam.CamberAbsolute", "Beam general", "Fixed (absolute) camber", nullptr},
      {"Beam.CamberRelative", "Beam general", "Fixed (relative) camber", nullptr},
      {"Beam.UserBeta", "Beam general", "Specified shear connection ratio", nullptr},
      {"Beam.UserStudCount", "Beam general", "Specified total number of shear connectors", nullptr},
      {"Beam.UserNr", "Beam general", "Specified # studs in transverse section", nullptr},

      {"Beam.SteelSectionList.BaseSteelSection.b", "Section definition", "Top flange width", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.bbf", "Section definition", "Bottom flange width", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.tf", "Section definition", "Top flange thickness", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.tw", "Section definition", "Web thickness", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.tbf", "Section definition", "Bottom flange thickness", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.fyf", "Section definition", "Top flange yield stress", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.fyw", "Section definition", "Web yield stress", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.fybf", "Section definition", "Bottom flange yield stress", nullptr},
      {"Beam.SteelSectionList.BaseSteelSection.d", "Section definition", "Steel section depth", nullptr},
      // Cover plates and notches: the fields of each end share one range.
      {"Beam.SteelSectionList.bp", "Section definition", "Cover plate width", nullptr},
      {"Beam.SteelSectionList.tp", "Section definition", "Cover plate thickness", nullptr},
      {"Beam.SteelSectionList.fyp", "Section definition", "Cover plate yield stress", nullptr},
      {"Beam.SteelSectionList.NotchedDepth", "Section definition", "End 1 overall depth", "Notched overall depth"},
      {"Beam.CompositeSectionList.StartPosition", "Section definition", "Start position", nullptr},
      {"Beam.CompositeSectionList.bcLeft", "Section definition", "Slab width", nullptr},
      {"Beam.CompositeSectionList.bcRight", "Section definition", "Slab width", nullptr},

      // A load's position as a distance; as a share of the span it is a percentage in the window.
      {"Beam.DistributedLoadList.StartPosition", "Beam loading", "Load start position", nullptr, ftReal},
      {"Beam.DistributedLoadList.FinishPosition", "Beam loading", "Load finish position", nullptr, ftReal},
      {"Beam.DistributedLoadList.StartValue", "Beam loading", "Load value", nullptr},
      {"Beam.DistributedLoadList.FinishValue", "Beam loading", "Load value", nullptr},
      {"Beam.PointLoadList.Position", "Beam loading", "Point load position", nullptr, ftReal},
      {"Beam.PointLoadList.Value", "Beam loading", "Point load value", nullptr},
  };
  return paths;
}

// "Project.Beam1.SteelSectionList0.tp" -> "BEAM.STEELSECTIONLIST.TP".
std::string PathPattern(std::string_view Path) {
  std::string upper = UpperCase(Trim(Path));
  if (upper.rfind("PROJECT.", 0) == 0) upper.erase(0, 8);
  std::string pattern;
  size_t start = 0;
  while (true) {
    const size_t dot = upper.find('.', start);
    std::string segment = upper.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
    if (dot == std::string::npos) {
      pattern += segment;
      break;
    }
    while (!segment.empty() && segment.back() >= '0' && segment.back() <= '9') segment.pop_back();
    pattern += segment + ".";
    start = dot + 1;
  }
  return pattern;
}

}  // namespace

bool FieldRuleForPath(std::string_view Path, TFieldRule& Rule) {
  const std::string pattern = PathPattern(Path);
  for (const TFieldPath& entry : FieldPaths()) {
    if (UpperCase(entry.Path) != pattern) continue;
    for (const TFieldCheckSpec& spec : RegisteredFieldChecks()) {
      if (std::string_view(spec.Page) != entry.Page || std::string_view(spec.Name) != entry.Name) continue;
      if (spec.IsPercentOptional && spec.FieldType != entry.FieldType) continue;
      Rule = TFieldRule::Of(spec);
      if (entry.Display) Rule.Name = entry.Display;
      return true;
    }
  }
  return false;
}
