// The floor in plan as its geometry describes it, for the floor sketch of the
// Geometry page and of the calculation report (report/cFloorDrawing.h draws
// it). With a primary beam: the primary beam along the bottom of side 1, the
// secondary beams of each side at the positions the analysis uses
// (TGeometry::GetSecondaryBeamCount and GetSecondaryBeamLocation), the
// neighbouring primary beams that carry their far ends, and an edge beam's
// slab outstand. Without one: the secondary beam with its neighbours (or the
// slab edge). Spans, spacings, the distance to the first secondary beam and
// outstands are dimensioned in mm.
//
// A length that is no number or not positive (a half-typed layout) is drawn
// as 1000 mm, so the sketch still draws. Pure function of the geometry; any
// thread.
#pragma once

#include "project/cGeometry.h"
#include "report/cFloorDrawing.h"

TFloorPlan PlanOfFloor(const TGeometry& Geometry);
