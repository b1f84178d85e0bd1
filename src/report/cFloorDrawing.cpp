#include "report/cFloorDrawing.h"

#include <algorithm>

void TFloorPlan::Include(const TPlanLine& Line) {
  const double l = std::min(Line.X1, Line.X2), r = std::max(Line.X1, Line.X2);
  const double t = std::min(Line.Y1, Line.Y2), b = std::max(Line.Y1, Line.Y2);
  if (!HasExtent) {
    Left = l;
    Right = r;
    Top = t;
    Bottom = b;
    HasExtent = true;
    return;
  }
  Left = std::min(Left, l);
  Right = std::max(Right, r);
  Top = std::min(Top, t);
  Bottom = std::max(Bottom, b);
}

TFloorPlan QuarterTurn(const TFloorPlan& Plan) {
  // (x, y) -> (y, -x).
  auto turn = [](const TPlanLine& l) { return TPlanLine{l.Y1, -l.X1, l.Y2, -l.X2}; };
  auto turn_all = [&](const std::vector<TPlanLine>& lines) {
    std::vector<TPlanLine> out;
    for (const TPlanLine& l : lines) out.push_back(turn(l));
    return out;
  };
  TFloorPlan t;
  t.Caption = Plan.Caption;
  t.PrimaryBeams = turn_all(Plan.PrimaryBeams);
  for (int side = 0; side < 3; ++side) t.SecondaryBeams[side] = turn_all(Plan.SecondaryBeams[side]);
  t.SupportLines = turn_all(Plan.SupportLines);
  t.SlabEdges = turn_all(Plan.SlabEdges);
  for (const TSketchDimension& d : Plan.Dimensions)
    t.Dimensions.push_back({{d.From.Y, -d.From.X}, {d.To.Y, -d.To.X}, d.Text, !d.IsVertical});
  for (const auto* lines : {&t.PrimaryBeams, &t.SecondaryBeams[1], &t.SecondaryBeams[2], &t.SupportLines, &t.SlabEdges})
    for (const TPlanLine& l : *lines) t.Include(l);
  return t;
}

namespace {

constexpr TChartColour kInk{0x1e, 0x3a, 0x57};
constexpr TChartColour kGrey{0x8a, 0x94, 0x9e};
constexpr TChartColour kSteel{0x2f, 0x6f, 0xb0};
constexpr TChartColour kDims{0x55, 0x55, 0x55};
constexpr TChartColour kSlab{0xe9, 0xef, 0xf5};

}  // namespace

TChartDrawing DrawFloorPlan(const TFloorPlan& Plan, const TFloorSketchStyle& Style) {
  TChartDrawing d;
  d.Width = Style.Width;
  d.Height = Style.Height;
  const double font = std::max(1, Style.FontPixels);

  // Room around the plan for the caption and the dimensions.
  const double top = Style.HasCaption ? font + 10 : 8, left = 16, right = 16 + 5 * Style.DigitWidth + 12,
               bottom = font + 22;
  if (Style.HasCaption)
    d.Texts.push_back({{Style.Width / 2.0, 2}, Plan.Caption, THorizontalAlign::Centre, TVerticalAlign::Top,
                       Style.FontPixels, false, kInk});
  if (Plan.IsEmpty()) return d;
  const double area_w = std::max(10.0, Style.Width - left - right);
  const double area_h = std::max(10.0, Style.Height - top - bottom);
  const double ext_w = Plan.Right - Plan.Left, ext_h = Plan.Bottom - Plan.Top;
  const double scale = std::min(area_w / std::max(ext_w, 1.0), area_h / std::max(ext_h, 1.0));
  const double cx = left + area_w / 2, cy = top + area_h / 2;
  const double ox = cx - (Plan.Left + ext_w / 2) * scale, oy = cy - (Plan.Top + ext_h / 2) * scale;
  auto at = [&](double x, double y) { return TChartPoint{x * scale + ox, y * scale + oy}; };
  auto line = [&](const TPlanLine& l, TChartPen pen) {
    d.Lines.push_back({at(l.X1, l.Y1), at(l.X2, l.Y2), pen});
  };

  // The slab, out to its edges and the far supports.
  const TChartPoint a = at(Plan.Left, Plan.Top), b = at(Plan.Right, Plan.Bottom);
  d.Rectangles.push_back({std::min(a.X, b.X), std::min(a.Y, b.Y), std::max(a.X, b.X), std::max(a.Y, b.Y),
                          TChartPen{kSlab, 0.01, false}, true, kSlab});
  for (const TPlanLine& l : Plan.SupportLines) line(l, {kGrey, 1, true});
  for (const TPlanLine& l : Plan.SlabEdges) line(l, {kGrey, 1.5, false});
  for (int side : {1, 2})
    for (const TPlanLine& l : Plan.SecondaryBeams[side]) line(l, {kSteel, 2, false});
  for (const TPlanLine& l : Plan.PrimaryBeams) {
    line(l, {kInk, 4, false});
    // Supports at both ends.
    for (const TChartPoint& end : {at(l.X1, l.Y1), at(l.X2, l.Y2)})
      d.Rectangles.push_back({end.X - 4, end.Y - 4, end.X + 4, end.Y + 4, TChartPen{kInk, 0.01, false}, true, kInk});
  }

  // Dimensions: horizontal ones below their line, vertical ones to its right.
  for (const TSketchDimension& dim : Plan.Dimensions) {
    TChartPoint p = at(dim.From.X, dim.From.Y), q = at(dim.To.X, dim.To.Y);
    if (std::abs(p.X - q.X) < 1 && std::abs(p.Y - q.Y) < 1) continue;
    const double sx = dim.IsVertical ? 8 : 0, sy = dim.IsVertical ? 0 : 10;
    p = {p.X + sx, p.Y + sy};
    q = {q.X + sx, q.Y + sy};
    const TChartPen pen{kDims, 1, false};
    d.Lines.push_back({p, q, pen});
    const double tx = dim.IsVertical ? 3 : 0, ty = dim.IsVertical ? 0 : 3;
    d.Lines.push_back({{p.X - tx, p.Y - ty}, {p.X + tx, p.Y + ty}, pen});
    d.Lines.push_back({{q.X - tx, q.Y - ty}, {q.X + tx, q.Y + ty}, pen});
    const TChartPoint mid{(p.X + q.X) / 2, (p.Y + q.Y) / 2};
    if (dim.IsVertical)
      d.Texts.push_back({{mid.X + 5, mid.Y}, dim.Text, THorizontalAlign::Left, TVerticalAlign::Middle,
                         Style.FontPixels, false, kDims});
    else
      d.Texts.push_back({{mid.X, mid.Y + 2}, dim.Text, THorizontalAlign::Centre, TVerticalAlign::Top,
                         Style.FontPixels, false, kDims});
  }
  return d;
}
