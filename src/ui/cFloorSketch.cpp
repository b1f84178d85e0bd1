#include "ui/cFloorSketch.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QPainter>

#include "report/qt/cResultsChart.h"
#include "ui/cUiUtility.h"

TFloorSketch::TFloorSketch(QWidget* Parent) : QWidget(Parent) {
  setObjectName(QStringLiteral("imgFloorSketch"));
  setAccessibleName(QStringLiteral("Floor sketch"));
  setAccessibleDescription(QStringLiteral("The floor in plan with its beams, spans and spacings"));
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
  setAutoFillBackground(true);
  QPalette white = palette();
  white.setColor(QPalette::Window, Qt::white);
  setPalette(white);
}

void TFloorSketch::SetGeometry(const TGeometry& Geometry) {
  plan_ = PlanOfFloor(Geometry);
  setToolTip(ToQ(plan_.Caption));
  update();
}

void TFloorSketch::paintEvent(QPaintEvent*) {
  const QFontMetricsF metrics(font());
  TFloorSketchStyle style;
  style.Width = width();
  style.Height = height();
  style.FontPixels = QFontInfo(font()).pixelSize();
  style.DigitWidth = metrics.horizontalAdvance(QLatin1Char('0'));
  QPainter painter(this);
  PaintChartDrawing(painter, DrawFloorPlan(plan_, style));
}
