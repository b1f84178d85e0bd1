#include "ui/cFloorSketch.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

#include "ui/cPageFields.h"

namespace {

void Include(QRectF& Extent, const QLineF& Line) {
  const QRectF r = QRectF(Line.p1(), Line.p2()).normalized();
  Extent = Extent.isNull() ? r : Extent.united(r);
}

// A length that is no number or not positive is drawn as this much, so a
// half-typed layout still draws.
constexpr double kFallbackLength = 1000;

double Drawable(double Length) { return std::isfinite(Length) && Length > 0 ? Length : kFallbackLength; }

}  // namespace

TFloorPlan PlanOfFloor(const TGeometry& G) {
  TFloorPlan plan;
  const bool internal = !G.IsEdgeBeam;
  if (G.HasPrimaryBeam) {
    plan.Caption = internal ? QStringLiteral("Internal primary beam") : QStringLiteral("Edge primary beam");
    const double span = Drawable(G.Span);
    plan.PrimaryBeams.emplace_back(0, 0, span, 0);
    plan.Dimensions.push_back({{0, 0}, {span, 0}, NumberText(G.Span), false});
    // Side 1 lies at negative y; side 2 (internal beams only) at positive y.
    for (int side : {1, 2}) {
      if (side == 2 && !internal) break;
      const double sign = side == 1 ? -1 : 1;
      const double length = Drawable(G.GetSpacing(side));
      plan.SupportLines.emplace_back(0, sign * length, span, sign * length);
      const int count = G.GetSecondaryBeamCount(side);
      for (int i = 0; i < count; ++i) {
        const double x = G.GetSecondaryBeamLocation(side, i);
        plan.SecondaryBeams[side].emplace_back(x, 0, x, sign * length);
      }
      plan.Dimensions.push_back({{span, 0}, {span, sign * length}, NumberText(G.GetSpacing(side)), true});
      // Where the beams start and how far apart they are, along the far support.
      const double first = G.GetSecondaryBeamLocation(side, 0);
      if (first > 0)
        plan.Dimensions.push_back({{0, sign * length}, {first, sign * length}, NumberText(first), false});
      if (count > 1)
        plan.Dimensions.push_back({{first, sign * length},
                                   {first + G.GetSecondarySpacing(side), sign * length},
                                   NumberText(G.GetSecondarySpacing(side)), false});
    }
    if (!internal) {
      const double outstand = Drawable(G.Outstand);
      plan.SlabEdges.emplace_back(0, outstand, span, outstand);
      plan.Dimensions.push_back({{span, 0}, {span, outstand}, NumberText(G.Outstand), true});
    }
  } else {
    plan.Caption = internal ? QStringLiteral("Internal secondary beam") : QStringLiteral("Edge secondary beam");
    // The designed beam spans along y between its supports, with a
    // neighbour each side (or the slab edge beyond an edge beam).
    const double length = Drawable(G.GetSpacing(1));
    const double spacing = Drawable(G.GetSecondarySpacing(1));
    plan.PrimaryBeams.emplace_back(0, 0, 0, -length);
    plan.SecondaryBeams[1].emplace_back(-spacing, 0, -spacing, -length);
    double right = spacing;
    if (internal) {
      plan.SecondaryBeams[1].emplace_back(spacing, 0, spacing, -length);
    } else {
      right = Drawable(G.Outstand);
      plan.SlabEdges.emplace_back(right, 0, right, -length);
      plan.Dimensions.push_back({{0, 0}, {right, 0}, NumberText(G.Outstand), false});
    }
    plan.SupportLines.emplace_back(-spacing, 0, right, 0);
    plan.SupportLines.emplace_back(-spacing, -length, right, -length);
    plan.Dimensions.push_back({{-spacing, 0}, {0, 0}, NumberText(G.GetSecondarySpacing(1)), false});
    plan.Dimensions.push_back({{right, 0}, {right, -length}, NumberText(G.GetSpacing(1)), true});
  }
  for (const QLineF& l : plan.PrimaryBeams) Include(plan.Extent, l);
  for (int side : {1, 2})
    for (const QLineF& l : plan.SecondaryBeams[side]) Include(plan.Extent, l);
  for (const QLineF& l : plan.SupportLines) Include(plan.Extent, l);
  for (const QLineF& l : plan.SlabEdges) Include(plan.Extent, l);
  return plan;
}

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
  setToolTip(plan_.Caption);
  update();
}

void TFloorSketch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  const QColor ink(0x1e, 0x3a, 0x57), grey(0x8a, 0x94, 0x9e), steel(0x2f, 0x6f, 0xb0), dims(0x55, 0x55, 0x55);
  const QFontMetrics metrics(font());

  // Room around the plan for the caption and the dimensions.
  const int top = metrics.height() + 10, left = 16, right = 16 + metrics.horizontalAdvance(QStringLiteral("00000")) + 12,
            bottom = metrics.height() + 22;
  painter.setPen(ink);
  painter.drawText(QRect(0, 2, width(), metrics.height() + 4), Qt::AlignHCenter | Qt::AlignTop, plan_.Caption);
  const QRectF area(left, top, std::max(10, width() - left - right), std::max(10, height() - top - bottom));
  const QRectF extent = plan_.Extent;
  if (extent.width() <= 0 && extent.height() <= 0) return;
  const double scale = std::min(area.width() / std::max(extent.width(), 1.0), area.height() / std::max(extent.height(), 1.0));
  const QPointF offset(area.center().x() - extent.center().x() * scale, area.center().y() - extent.center().y() * scale);
  auto at = [&](const QPointF& p) { return QPointF(p.x() * scale, p.y() * scale) + offset; };
  auto line = [&](const QLineF& l) { return QLineF(at(l.p1()), at(l.p2())); };

  // The slab, out to its edges and the far supports.
  painter.fillRect(QRectF(at(extent.topLeft()), at(extent.bottomRight())).normalized(), QColor(0xe9, 0xef, 0xf5));
  painter.setPen(QPen(grey, 1, Qt::DashLine));
  for (const QLineF& l : plan_.SupportLines) painter.drawLine(line(l));
  painter.setPen(QPen(grey, 1.5));
  for (const QLineF& l : plan_.SlabEdges) painter.drawLine(line(l));
  painter.setPen(QPen(steel, 2));
  for (int side : {1, 2})
    for (const QLineF& l : plan_.SecondaryBeams[side]) painter.drawLine(line(l));
  painter.setPen(QPen(ink, 4, Qt::SolidLine, Qt::SquareCap));
  for (const QLineF& l : plan_.PrimaryBeams) {
    painter.drawLine(line(l));
    // Supports at both ends.
    for (const QPointF& end : {l.p1(), l.p2()}) painter.fillRect(QRectF(at(end) - QPointF(4, 4), QSizeF(8, 8)), ink);
  }

  // Dimensions: horizontal ones below their line, vertical ones to its right.
  painter.setPen(QPen(dims, 1));
  for (const TSketchDimension& d : plan_.Dimensions) {
    QPointF a = at(d.From), b = at(d.To);
    if (std::abs(a.x() - b.x()) < 1 && std::abs(a.y() - b.y()) < 1) continue;
    const QPointF shift = d.IsVertical ? QPointF(8, 0) : QPointF(0, 10);
    a += shift;
    b += shift;
    painter.drawLine(a, b);
    const QPointF tick = d.IsVertical ? QPointF(3, 0) : QPointF(0, 3);
    painter.drawLine(a - tick, a + tick);
    painter.drawLine(b - tick, b + tick);
    const QPointF mid = (a + b) / 2;
    const int w = metrics.horizontalAdvance(d.Text);
    const QRectF text = d.IsVertical ? QRectF(mid.x() + 4, mid.y() - metrics.height() / 2.0, w + 2, metrics.height())
                                     : QRectF(mid.x() - w / 2.0 - 1, mid.y() + 2, w + 2, metrics.height());
    painter.drawText(text, Qt::AlignCenter, d.Text);
  }
}
