#include "ui/cFieldCheckTable.h"

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
