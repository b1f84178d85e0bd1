// The floor sketch beside the Geometry page: the floor in plan as the
// geometry describes it, so an engineer can check a layout by eye. With a
// primary beam: the primary beam along the bottom of side 1, the secondary
// beams of each side at the positions the analysis uses
// (TGeometry::GetSecondaryBeamCount and GetSecondaryBeamLocation), the
// neighbouring primary beams that carry their far ends, and an edge beam's
// slab outstand. Without one: the secondary beam with its neighbours (or the
// slab edge). Spans, spacings, the distance to the first secondary beam and
// outstands are dimensioned in mm.
//
// TFloorPlan is the drawing in floor coordinates (mm; x along the primary
// beam from end 1, y across it, side 1 negative); the widget scales it into
// its rectangle. Interface thread only.
#pragma once

#include <QLineF>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <vector>

#include "project/cGeometry.h"

struct TSketchDimension {
  QPointF From, To;  // mm
  QString Text;
  bool IsVertical = false;  // measured along y
};

struct TFloorPlan {
  QString Caption;                        // which of the four layouts
  std::vector<QLineF> PrimaryBeams;       // the primary beam (or, without one, the designed secondary beam)
  std::vector<QLineF> SecondaryBeams[3];  // by side (1, 2); without a primary beam: the neighbours, side 1
  std::vector<QLineF> SupportLines;       // beams or walls carrying the far ends, drawn dashed
  std::vector<QLineF> SlabEdges;
  std::vector<TSketchDimension> Dimensions;
  QRectF Extent;  // everything above
};

// The plan of a floor, from the same geometry functions the analysis uses.
TFloorPlan PlanOfFloor(const TGeometry& Geometry);

class TFloorSketch : public QWidget {
  Q_OBJECT
 public:
  explicit TFloorSketch(QWidget* Parent = nullptr);

  // Redraws the sketch for a geometry (copied).
  void SetGeometry(const TGeometry& Geometry);
  const TFloorPlan& Plan() const { return plan_; }

  QSize sizeHint() const override { return {300, 300}; }
  QSize minimumSizeHint() const override { return {180, 180}; }

 protected:
  void paintEvent(QPaintEvent* Event) override;

 private:
  TFloorPlan plan_;
};
