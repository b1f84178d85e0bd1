// The floor sketch: the floor in plan, as the Geometry page shows it beside
// its fields and the calculation report prints it on its first page, so an
// engineer can check a layout by eye.
//
// TFloorPlan is the drawing in floor coordinates (mm; x along the primary
// beam from end 1, y across it, side 1 negative): the beams, the supports of
// their far ends, slab edges and the dimensions. project/cFloorPlan.h makes
// it from a floor's geometry with the same functions the analysis uses;
// DrawFloorPlan lays it out as a vector drawing (TChartDrawing) of a given
// size, which the window paints into its widget and the report's renderers
// into PDF and SVG.
//
// Plain data and arithmetic: any thread, no Qt.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "report/cResultsGraphics.h"

// A straight line of the plan, mm.
struct TPlanLine {
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  double x1() const { return X1; }
  double y1() const { return Y1; }
  double x2() const { return X2; }
  double y2() const { return Y2; }
  double length() const { return std::hypot(X2 - X1, Y2 - Y1); }
};

struct TSketchDimension {
  TChartPoint From, To;  // mm
  std::string Text;
  bool IsVertical = false;  // measured along y
};

struct TFloorPlan {
  std::string Caption;                       // which of the four layouts
  std::vector<TPlanLine> PrimaryBeams;       // the primary beam (or, without one, the designed secondary beam)
  std::vector<TPlanLine> SecondaryBeams[3];  // by side (1, 2); without a primary beam: the neighbours, side 1
  std::vector<TPlanLine> SupportLines;       // beams or walls carrying the far ends, drawn dashed
  std::vector<TPlanLine> SlabEdges;
  std::vector<TSketchDimension> Dimensions;
  // Everything above but the dimensions, mm (HasExtent false when the plan has nothing).
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  bool HasExtent = false;
  bool IsEmpty() const { return !HasExtent || (Right <= Left && Bottom <= Top); }

  // Grows the extent to hold Line.
  void Include(const TPlanLine& Line);
};

// The plan turned a quarter turn anticlockwise: the primary beam's end 1 at
// the bottom, side 1 on the left. A plan taller than wide (secondary beams
// on both sides) then fits a page's width.
TFloorPlan QuarterTurn(const TFloorPlan& Plan);

// How the sketch is laid out: the drawing's size and its text, in pixels.
struct TFloorSketchStyle {
  int Width = 300;
  int Height = 300;
  int FontPixels = 12;     // height of the caption's and dimensions' text
  double DigitWidth = 7;   // width of one digit of that text: room for the dimensions
  bool HasCaption = true;  // the layout's caption centred along the top
};

// The sketch on a drawing of Style.Width x Style.Height pixels: the slab
// shaded out to its edges and far supports, the supports dashed, slab edges
// grey, secondary beams blue, the primary beam dark with its two supports,
// dimensions below (horizontal) or right of (vertical) their lines. The plan
// is scaled to fit, its proportions kept.
TChartDrawing DrawFloorPlan(const TFloorPlan& Plan, const TFloorSketchStyle& Style);
