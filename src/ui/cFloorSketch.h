// The floor sketch beside the Geometry page: the floor in plan as the
// geometry describes it (project/cFloorPlan.h), drawn by the same code that
// draws it on the calculation report's first page (report/cFloorDrawing.h),
// scaled into the widget's rectangle. Interface thread only.
#pragma once

#include <QWidget>

#include "project/cFloorPlan.h"

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
