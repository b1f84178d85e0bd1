#include "project/cFloorPlan.h"

#include <cmath>

#include "entity/VEXNumberText.h"

namespace {

// A length that is no number or not positive is drawn as this much.
constexpr double kFallbackLength = 1000;

double Drawable(double Length) { return std::isfinite(Length) && Length > 0 ? Length : kFallbackLength; }

std::string NumberText(double Value) { return FloatToStrDP(false, 0, 3, Value); }

}  // namespace

TFloorPlan PlanOfFloor(const TGeometry& G) {
  TFloorPlan plan;
  const bool internal = !G.IsEdgeBeam;
  if (G.HasPrimaryBeam) {
    plan.Caption = internal ? "Internal primary beam" : "Edge primary beam";
    const double span = Drawable(G.Span);
    plan.PrimaryBeams.push_back({0, 0, span, 0});
    plan.Dimensions.push_back({{0, 0}, {span, 0}, NumberText(G.Span), false});
    // Side 1 lies at negative y; side 2 (internal beams only) at positive y.
    for (int side : {1, 2}) {
      if (side == 2 && !internal) break;
      const double sign = side == 1 ? -1 : 1;
      const double length = Drawable(G.GetSpacing(side));
      plan.SupportLines.push_back({0, sign * length, span, sign * length});
      const int count = G.GetSecondaryBeamCount(side);
      for (int i = 0; i < count; ++i) {
        const double x = G.GetSecondaryBeamLocation(side, i);
        plan.SecondaryBeams[side].push_back({x, 0, x, sign * length});
      }
      plan.Dimensions.push_back({{span, 0}, {span, sign * length}, NumberText(G.GetSpacing(side)), true});
      // Where the beams start and how far apart they are, along the far support.
      const double first = G.GetSecondaryBeamLocation(side, 0);
      if (first > 0) plan.Dimensions.push_back({{0, sign * length}, {first, sign * length}, NumberText(first), false});
      if (count > 1)
        plan.Dimensions.push_back({{first, sign * length},
                                   {first + G.GetSecondarySpacing(side), sign * length},
                                   NumberText(G.GetSecondarySpacing(side)),
                                   false});
    }
    if (!internal) {
      const double outstand = Drawable(G.Outstand);
      plan.SlabEdges.push_back({0, outstand, span, outstand});
      plan.Dimensions.push_back({{span, 0}, {span, outstand}, NumberText(G.Outstand), true});
    }
  } else {
    plan.Caption = internal ? "Internal secondary beam" : "Edge secondary beam";
    // The designed beam spans along y between its supports, with a
    // neighbour each side (or the slab edge beyond an edge beam).
    const double length = Drawable(G.GetSpacing(1));
    const double spacing = Drawable(G.GetSecondarySpacing(1));
    plan.PrimaryBeams.push_back({0, 0, 0, -length});
    plan.SecondaryBeams[1].push_back({-spacing, 0, -spacing, -length});
    double right = spacing;
    if (internal) {
      plan.SecondaryBeams[1].push_back({spacing, 0, spacing, -length});
    } else {
      right = Drawable(G.Outstand);
      plan.SlabEdges.push_back({right, 0, right, -length});
      plan.Dimensions.push_back({{0, 0}, {right, 0}, NumberText(G.Outstand), false});
    }
    plan.SupportLines.push_back({-spacing, 0, right, 0});
    plan.SupportLines.push_back({-spacing, -length, right, -length});
    plan.Dimensions.push_back({{-spacing, 0}, {0, 0}, NumberText(G.GetSecondarySpacing(1)), false});
    plan.Dimensions.push_back({{right, 0}, {right, -length}, NumberText(G.GetSpacing(1)), true});
  }
  for (const TPlanLine& l : plan.PrimaryBeams) plan.Include(l);
  for (int side : {1, 2})
    for (const TPlanLine& l : plan.SecondaryBeams[side]) plan.Include(l);
  for (const TPlanLine& l : plan.SupportLines) plan.Include(l);
  for (const TPlanLine& l : plan.SlabEdges) plan.Include(l);
  return plan;
}
