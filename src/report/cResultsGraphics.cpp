#include "report/cResultsGraphics.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "components/cCapacityFactor.h"
#include "components/cStandard.h"
#include "engine/cBeam.h"
#include "entity/VEXUtility.h"

namespace {

struct TDrawingTypeNames {
  const char* Caption;
  const char* Kind;
};

constexpr TDrawingTypeNames kDrawingTypeNames[kDrawingTypeCount] = {
    {"Results summary", "results-summary"},
    {"Stage 3 strength", "stage3-strength"},
    {"InService strength", "inservice-strength"},
    {"Shear connector distribution", "connectors"},
    {"Deflection results", "deflection"},
    {"Design envelopes", "envelopes"},
    {"Deflection shape", "deflection-shape"},
};

bool SamePen(const TChartPen& a, const TChartPen& b) {
  return a.Colour == b.Colour && a.Width == b.Width && a.IsDashed == b.IsDashed;
}

TChartPen PenOf(TChartColour Colour, bool IsDashed = false, double Width = 2) { return {Colour, Width, IsDashed}; }

// Rough width of a text in pixels, for keeping labels apart: digits and
// most letters of a sans-serif font are about 0.6 of the font height wide.
double TextWidth(const std::string& Text, int PixelSize) { return 0.6 * PixelSize * static_cast<double>(Text.size()); }

// The deflection checks of the beam, each with its limit (mm, 0 = none) and
// the deflection along the span that the check compares with it.
struct TDeflectionCheck {
  const char* Label;
  TChartColour Colour;
  double Limit;
  double (*Deflection)(const TBeam&, const TPCC&);
};

// The suggested camber as the beam is made: the midspan camber along a
// parabola through the supports.
double CamberAt(const TBeam& Beam, double x) {
  const double L = Beam.Span;
  return L > 0 ? Beam.SuggestedCamber() * 4 * x * (L - x) / (L * L) : 0;
}

// Without deflection limits every limit is 0.
std::vector<TDeflectionCheck> DeflectionChecks(const TBeam& Beam) {
  const TDeflectionLimit* d = Beam.DeflectionLimit;
  const double L = Beam.Span;
  const auto limit = [&](double (TDeflectionLimit::*Get)(double) const) { return d ? (d->*Get)(L) : 0.0; };
  return {
      {"Stage 3", chart_colour::kBlue, limit(&TDeflectionLimit::GetStage3DLLimit),
       [](const TBeam&, const TPCC& p) { return p.GetDeflection(stConstrucDefl, 3); }},
      {"Stages 5 and 6", chart_colour::kTeal, limit(&TDeflectionLimit::GetStage56DLLimit),
       [](const TBeam&, const TPCC& p) { return p.GetDeflection(stConstrucDefl, 6); }},
      {"Stages 3, 5 and 6", chart_colour::kPurple, limit(&TDeflectionLimit::GetStage356DLLimit),
       [](const TBeam&, const TPCC& p) {
         return p.GetDeflection(stConstrucDefl, 3) + p.GetDeflection(stConstrucDefl, 6);
       }},
      {"Incremental", chart_colour::kOrange, limit(&TDeflectionLimit::GetIncrementalLimit),
       [](const TBeam& b, const TPCC& p) {
         return p.GetIncrementalDeflection(b.DeflectionLimit ? b.DeflectionLimit->ShrinkageRatioPriorInservice : 0);
       }},
      {"Total less camber", chart_colour::kBrown, limit(&TDeflectionLimit::GetTotalLimit),
       [](const TBeam& b, const TPCC& p) { return p.TotalDeflection() - CamberAt(b, p.x); }},
  };
}

// Value-axis labels: whole numbers stay whole, a step below 1 gets the
// decimals it needs.
std::string ValueLabel(double Value, double Step) {
  int decimals = 1;
  if (Step > 0 && Step < 0.1) decimals = static_cast<int>(std::ceil(-std::log10(Step) - 1e-9));
  return FloatToStrDP(false, 0, decimals, Value);
}

}  // namespace

std::string DrawingTypeCaption(TDrawingType Type) {
  return Type >= 0 && Type < kDrawingTypeCount ? kDrawingTypeNames[Type].Caption : "";
}

std::string DrawingTypeKind(TDrawingType Type) {
  return Type >= 0 && Type < kDrawingTypeCount ? kDrawingTypeNames[Type].Kind : "";
}

bool DrawingTypeFromKind(std::string_view Kind, TDrawingType& Type) {
  for (int t = 0; t < kDrawingTypeCount; ++t)
    if (SameText(Kind, kDrawingTypeNames[t].Kind)) {
      Type = static_cast<TDrawingType>(t);
      return true;
    }
  return false;
}

// ---------------------------------------------------------------------------
// Layout and the pixel mapping.

int TResultsGraphics::Margin() const { return Image ? Image->Width / 10 : 0; }
int TResultsGraphics::Reserve() const { return Image ? Image->Width / 5 : 0; }
int TResultsGraphics::PlotWidth() const { return Image ? Image->Width - 2 * Margin() - Reserve() : 0; }

int TResultsGraphics::FontPixelSize() const {
  if (!Image) return 9;
  return std::max(9, std::min(Image->Width / 2, Image->Height) / 40);
}

int TResultsGraphics::ToPixelX(double x) const {
  return static_cast<int>(std::lround(LocalOrigin.X + x * LocalScaleX / XScaleAdjustmentFactor));
}

int TResultsGraphics::ToPixelY(double y) const {
  return static_cast<int>(std::lround(LocalOrigin.Y + y * LocalScaleY / YScaleAdjustmentFactor));
}

// The inverse of the span axis as it is drawn: the axis starts at M and is
// PW pixels long.
double TResultsGraphics::ImageToBeam(int X) const {
  if (!Beam || !Image) return 0;
  const int M = Margin(), PW = PlotWidth();
  if (X <= M || PW <= 0) return 0;
  if (X >= M + PW) return Beam->Span;
  return (X - M) * Beam->Span / PW;
}

// ---------------------------------------------------------------------------
// Primitives. Lines and texts sit at the value's true height: Y is taken
// times YScaleAdjustmentFactor, which ToPixelY divides out again.

void TResultsGraphics::MoveTo(double X, double Y) {
  CurrentX = X;
  CurrentY = Y;
}

void TResultsGraphics::LineTo(double X, double Y) {
  if (Image)
    Image->Lines.push_back({{static_cast<double>(ToPixelX(CurrentX)),
                             static_cast<double>(ToPixelY(CurrentY * YScaleAdjustmentFactor))},
                            {static_cast<double>(ToPixelX(X)), static_cast<double>(ToPixelY(Y * YScaleAdjustmentFactor))},
                            Pen});
  MoveTo(X, Y);
}

void TResultsGraphics::SmoothLineTo(double X, double Y) {
  if (Image) {
    const auto pixel = [&](double x, double y) {
      return TChartPoint{LocalOrigin.X + x * LocalScaleX / XScaleAdjustmentFactor, LocalOrigin.Y + y * LocalScaleY};
    };
    // Continue the polyline that ends where the pen stands, else start one there.
    bool continues = false;
    if (!Image->Polylines.empty()) {
      const TChartPolyline& last = Image->Polylines.back();
      continues = SamePen(last.Pen, Pen) && !last.Values.empty() && last.Values.back().X == CurrentX &&
                  last.Values.back().Y == CurrentY;
    }
    if (!continues) {
      Image->Polylines.push_back({Pen, {{CurrentX, CurrentY}}, {pixel(CurrentX, CurrentY)}});
    }
    Image->Polylines.back().Values.push_back({X, Y});
    Image->Polylines.back().Pixels.push_back(pixel(X, Y));
  }
  MoveTo(X, Y);
}

void TResultsGraphics::DrawText(const std::string& s, THorizontalAlign Align, TVerticalAlign VAlign, int PixelSize,
                                bool IsBold) {
  if (s.empty() || !Image) return;
  Image->Texts.push_back({{static_cast<double>(ToPixelX(CurrentX)),
                           static_cast<double>(ToPixelY(CurrentY * YScaleAdjustmentFactor))},
                          s, Align, VAlign, PixelSize > 0 ? PixelSize : FontPixelSize(), IsBold, Pen.Colour});
}

void TResultsGraphics::Rectangle(double Height, double Width, bool IsFilled, TChartColour Fill) {
  if (!Image) return;
  const double x1 = ToPixelX(CurrentX - Width / 2), x2 = ToPixelX(CurrentX + Width / 2);
  const double y1 = ToPixelY((CurrentY - Height / 2) * YScaleAdjustmentFactor);
  const double y2 = ToPixelY((CurrentY + Height / 2) * YScaleAdjustmentFactor);
  Image->Rectangles.push_back(
      {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2), Pen, IsFilled, Fill});
}

void TResultsGraphics::Arc(double Radius, double ThetaStart, double ThetaEnd) {
  const double cx = LocalOrigin.X + CurrentX * LocalScaleX / XScaleAdjustmentFactor;
  const double cy = LocalOrigin.Y + CurrentY * LocalScaleY;
  const double pi = std::acos(-1.0);
  const int steps = std::max(1, static_cast<int>(std::ceil(std::fabs(ThetaEnd - ThetaStart) / 5)));
  TChartPolyline arc{Pen, {}, {}};
  for (int i = 0; i <= steps; ++i) {
    const double t = (ThetaStart + (ThetaEnd - ThetaStart) * i / steps) * pi / 180;
    const TChartPoint p{cx + Radius * std::cos(t), cy + Radius * std::sin(t)};
    arc.Pixels.push_back(p);
    // Back to chart units, so that the pen rests at the arc's end.
    arc.Values.push_back({LocalScaleX != 0 ? (p.X - LocalOrigin.X) * XScaleAdjustmentFactor / LocalScaleX : 0,
                          LocalScaleY != 0 ? (p.Y - LocalOrigin.Y) / LocalScaleY : 0});
  }
  const TChartPoint end = arc.Values.back();
  if (Image) Image->Polylines.push_back(std::move(arc));
  MoveTo(end.X, end.Y);
}

// ---------------------------------------------------------------------------
// Scales.

double TResultsGraphics::TickStep(double q) {
  const double a = q / 9;
  if (!(a > 0) || !std::isfinite(a)) return q;
  const double d = std::pow(10.0, std::floor(std::log10(a)));
  const double g = a / d;
  double s = d;
  if (g > 5) s = 10 * d;
  else if (g > 2) s = 5 * d;
  else if (g > 1) s = 2 * d;
  return s > 0 ? s : q;
}

std::vector<double> TResultsGraphics::SpanTicks(double Span) {
  std::vector<double> ticks;
  for (int p = 0; p <= Span; p += 1000) ticks.push_back(p);
  return ticks;
}

bool TResultsGraphics::HasResults(const TBeam& ABeam) { return ABeam.Span > 0 && ABeam.PCCList.Count() > 0; }

double TResultsGraphics::LargestValue(TDrawingType dt) const {
  if (!Beam) return 0;
  const TBeam& b = *Beam;
  const auto strength = [&](int Stage) {
    return std::max({1.0, b.MaxAbsAction(stStrength, Stage, atShear), b.MaxAbsAction(stStrength, Stage, atMoment),
                     b.MaxAbsCapacity(stStrength, Stage, atShear), b.MaxAbsCapacity(stStrength, Stage, atMoment)});
  };
  switch (dt) {
    case dtResultsSummary: return std::max(100.0, 100 * b.MaxOverallRatio());
    case dtStage3Strength: return strength(3);
    case dtInServiceStrength: return strength(kInServiceStage);
    case dtShearConnectorDistribution: return b.TotalShearConnectors / 2.0 + 0.5;
    case dtDeflection: return 1;
    case dtDesignEnvelopes: {
      double q = 1;
      for (int i = 0; i < b.PCCList.Count(); ++i) {
        const TPCC& p = *b.PCCList.PCC(i);
        q = std::max({q, p.GetMdes(stStrength, 3), p.GetMdes(stStrength, kInServiceStage), p.phiMbv});
      }
      return q;
    }
    case dtDeflectionShape: {
      double q = 1;
      for (const TDeflectionCheck& c : DeflectionChecks(b)) {
        q = std::max(q, c.Limit);
        for (int i = 0; i < b.PCCList.Count(); ++i) q = std::max(q, std::fabs(c.Deflection(b, *b.PCCList.PCC(i))));
      }
      return q;
    }
  }
  return 1;
}

// ---------------------------------------------------------------------------
// Parts of every chart.

void TResultsGraphics::DrawBeamAxis() {
  MoveTo(0, 0);
  LineTo(Beam ? Beam->Span : 0, 0);
}

// Ticks at every metre with their positions in mm. Where the labels would
// run into each other, only every 2nd, 5th, 10th ... tick is labelled.
void TResultsGraphics::DrawSpanTicks(bool AreLabelsAbove) {
  const std::vector<double> ticks = SpanTicks(Beam->Span);
  const double spacing = 1000 * LocalScaleX / XScaleAdjustmentFactor;
  const double widest = TextWidth(std::to_string(static_cast<int>(ticks.back())), FontPixelSize());
  int every = 1;
  for (int k : {1, 2, 5, 10, 20, 50, 100, 200, 500, 1000}) {
    every = k;
    if (k * spacing >= widest + FontPixelSize()) break;
  }
  for (size_t i = 0; i < ticks.size(); ++i) {
    const double p = ticks[i];
    MoveTo(p, -4);
    LineTo(p, 4);
    if (i % every != 0) continue;
    MoveTo(p, AreLabelsAbove ? -10 : 10);
    DrawText(std::to_string(static_cast<int>(p)), THorizontalAlign::Centre,
             AreLabelsAbove ? TVerticalAlign::Bottom : TVerticalAlign::Top);
  }
}

// The value axis from the origin to 1.05 q, with a tick at every step up to
// q, labelled where the labels keep apart. Values rise (plotted negated)
// unless IsDownwards.
void TResultsGraphics::DrawValueAxis(double q, bool IsDownwards) {
  const double sign = IsDownwards ? 1 : -1;
  MoveTo(0, 0);
  LineTo(0, sign * 1.05 * q);
  const double s = TickStep(q);
  const double spacing = std::fabs(s * LocalScaleY);  // pixels between ticks
  int every = 1;
  for (int k : {1, 2, 5, 10, 20, 50, 100}) {
    every = k;
    if (k * spacing >= 1.4 * FontPixelSize()) break;
  }
  value_axis_.Top = std::min(ToPixelY(0), ToPixelY(sign * 1.05 * q * YScaleAdjustmentFactor));
  value_axis_.Bottom = std::max(ToPixelY(0), ToPixelY(sign * 1.05 * q * YScaleAdjustmentFactor));
  value_axis_.LabelsLeft = ToPixelX(-9);
  for (int h = 0; h * s <= q * (1 + 1e-9); ++h) {
    MoveTo(-4, sign * h * s);
    LineTo(4, sign * h * s);
    if (h % every != 0) continue;
    MoveTo(-9, sign * h * s);
    const std::string label = ValueLabel(h * s, s);
    DrawText(label, THorizontalAlign::Right, TVerticalAlign::Middle);
    value_axis_.LabelsLeft = std::min(value_axis_.LabelsLeft, ToPixelX(-9) - TextWidth(label, FontPixelSize()));
  }
}

// Read upwards beside the labels, as long as the axis allows (a smaller
// font for a short axis), never off the image.
void TResultsGraphics::DrawValueTitle(const std::string& Title) {
  if (Title.empty() || !Image) return;
  const double room = value_axis_.Bottom - value_axis_.Top;
  int size = FontPixelSize();
  while (size > 7 && TextWidth(Title, size) > room) --size;
  const double half = TextWidth(Title, size) / 2;
  const double middle =
      std::clamp((value_axis_.Top + value_axis_.Bottom) / 2, half + 2, std::max(half + 2, Image->Height - half - 2));
  const double x = std::max(0.7 * size + 1, value_axis_.LabelsLeft - 0.9 * size);
  TChartText title{{x, middle}, Title, THorizontalAlign::Centre, TVerticalAlign::Middle, size, false,
                   chart_colour::kBlack};
  title.Angle = 90;
  Image->Texts.push_back(title);
}

std::string TResultsGraphics::ValueAxisTitle(TDrawingType dt) {
  switch (dt) {
    case dtResultsSummary: return "Ratio to limit (%)";
    case dtStage3Strength:
    case dtInServiceStrength: return "M* (kNm), V* (kN)";
    case dtShearConnectorDistribution: return "Connectors (number)";
    case dtDeflection: return "Deflection / limit (ratio)";
    case dtDesignEnvelopes: return "Moment (kNm)";
    case dtDeflectionShape: return "Deflection (mm)";
  }
  return "";
}

void TResultsGraphics::DrawSpanCaption(int Y) {
  if (Y + FontPixelSize() > Image->Height) return;  // no room below the labels
  Image->Texts.push_back({{Margin() + PlotWidth() / 2.0, static_cast<double>(Y)},
                          "Distance from the left support (mm)",
                          THorizontalAlign::Centre,
                          TVerticalAlign::Top,
                          FontPixelSize(),
                          false,
                          chart_colour::kBlack});
}

void TResultsGraphics::DrawTitle(TDrawingType dt) {
  std::string title = DrawingTypeCaption(dt);
  if (Beam) title += ": " + Beam->LongName();
  const int size = FontPixelSize() * 6 / 5;
  Image->Texts.push_back({{static_cast<double>(Margin()), std::max(3.0, Image->Height / 60.0)},
                          title,
                          THorizontalAlign::Left,
                          TVerticalAlign::Top,
                          size,
                          true,
                          chart_colour::kBlack});
  legend_y_ = std::max(Image->Height / 10, static_cast<int>(Image->Height / 60.0) + 3 * size);
}

// Legend entries stack down the reserve at the right of the plot, drawn by
// DrawLegend once they are all known.
void TResultsGraphics::AddLegend(const std::string& Label, TChartPen APen, bool IsBar, TChartColour Fill) {
  legend_.push_back({Label, APen, IsBar, Fill, false});
}

void TResultsGraphics::AddLegendNote(const std::string& Text) { legend_.push_back({Text, {}, false, {}, true}); }

// One text size for the whole legend: the chart's, or smaller where the
// longest entry would not fit between the reserve and the image's edge.
void TResultsGraphics::DrawLegend() {
  if (legend_.empty()) return;
  const double x = Margin() + PlotWidth() + Reserve() / 10.0;
  const double room = Image->Width - x - 4;
  size_t longest = 1;
  for (const TLegendEntry& e : legend_) longest = std::max(longest, e.Label.size() + (e.IsNote ? 0 : 5));
  const int f = std::max(7, std::min(FontPixelSize(), static_cast<int>(room / (0.6 * longest))));
  double y = legend_y_;
  for (const TLegendEntry& e : legend_) {
    const double middle = y + f / 2.0;
    double text_x = x;
    if (!e.IsNote) {
      if (e.IsBar)
        Image->Rectangles.push_back({x, middle - f / 2.0, x + 2.2 * f, middle + f / 2.0, PenOf(e.Fill, false, 1), true, e.Fill});
      else
        Image->Lines.push_back({{x, middle}, {x + 2.2 * f, middle}, e.Pen});
      text_x = x + 2.8 * f;
    }
    Image->Texts.push_back({{text_x, middle},
                            e.Label,
                            THorizontalAlign::Left,
                            TVerticalAlign::Middle,
                            f,
                            false,
                            e.IsNote ? chart_colour::kGrey : chart_colour::kBlack});
    y += f * 1.7;
  }
  legend_.clear();
}

void TResultsGraphics::DrawNoResults(const std::string& Reason) {
  Image->Texts.push_back({{Image->Width / 2.0, Image->Height / 2.0},
                          "No results to draw for this beam.",
                          THorizontalAlign::Centre,
                          TVerticalAlign::Middle,
                          FontPixelSize(),
                          false,
                          chart_colour::kGrey});
  if (Reason.empty()) return;
  Image->Texts.push_back({{Image->Width / 2.0, Image->Height / 2.0 + 1.5 * FontPixelSize()},
                          Reason,
                          THorizontalAlign::Centre,
                          TVerticalAlign::Middle,
                          FontPixelSize(),
                          false,
                          chart_colour::kGrey});
}

template <class Value>
void TResultsGraphics::DrawCurve(const TChartPen& APen, double Sign, Value value, bool StartsAtOrigin) {
  Pen = APen;
  const TPCCList& list = Beam->PCCList;
  if (StartsAtOrigin) MoveTo(0, 0);
  for (int i = 0; i < list.Count(); ++i) {
    const TPCC& p = *list.PCC(i);
    if (i == 0 && !StartsAtOrigin) MoveTo(p.x, Sign * value(p));
    else SmoothLineTo(p.x, Sign * value(p));
  }
}

// ---------------------------------------------------------------------------
// The charts.

void TResultsGraphics::Draw(TDrawingType dt, int /*DrawingOption*/) {
  if (!Image) return;
  Image->Clear();
  legend_.clear();
  Pen = TChartPen{};
  XScaleAdjustmentFactor = YScaleAdjustmentFactor = 1;
  LocalScaleX = LocalScaleY = 1;
  LocalOrigin = {};
  MoveTo(0, 0);
  DrawTitle(dt);
  if (!Beam || !HasResults(*Beam) || PlotWidth() <= 0 || Image->Height <= 0) {
    DrawNoResults();
    return;
  }
  try {
    switch (dt) {
      case dtDesignEnvelopes: DrawEnvelopes(); break;
      case dtDeflectionShape: DrawDeflectionShape(); break;
      default: DrawFrame(dt); break;
    }
    DrawLegend();
  } catch (const std::exception& e) {
    // Results cut short by a failed analysis: nothing dependable to draw, and
    // the engine's error says why.
    legend_.clear();
    Image->Clear();
    Pen = TChartPen{};
    DrawTitle(dt);
    DrawNoResults(std::string("Error during analysis: ") + e.what());
  }
}

// The classic charts: the span axis with its ticks, the value axis scaled to
// the chart's largest value q, then what the chart shows.
void TResultsGraphics::DrawFrame(TDrawingType dt) {
  const int H = Image->Height, M = Margin(), PW = PlotWidth();
  const double span = Beam->Span;
  LocalOrigin = {M, H * 8 / 10};
  LocalScaleX = PW / span;
  LocalScaleY = 1;
  XScaleAdjustmentFactor = YScaleAdjustmentFactor = 1;
  DrawBeamAxis();
  if (dt != dtResultsSummary) {
    DrawSpanTicks(false);
    DrawSpanCaption(LocalOrigin.Y + 10 + FontPixelSize() * 3 / 2);
  }

  const double q = LargestValue(dt);
  XScaleAdjustmentFactor = 1;
  YScaleAdjustmentFactor = q >= 100 ? 1 : 100;
  LocalOrigin = {M, H * 8 / 10};
  LocalScaleX = 1;
  LocalScaleY = 0.7 * H / q;
  DrawValueAxis(q, false);
  DrawValueTitle(ValueAxisTitle(dt));

  LocalScaleX = PW / span;
  switch (dt) {
    case dtResultsSummary: DrawSummaryBars(q); break;
    case dtStage3Strength: DrawStrength(3); break;
    case dtInServiceStrength: DrawStrength(kInServiceStage); break;
    case dtShearConnectorDistribution: DrawConnectors(); break;
    case dtDeflection: DrawDeflectionRatios(); break;
    default: break;
  }
}

// Strength, stress and deflection ratios as bars in %, against 100 %.
void TResultsGraphics::DrawSummaryBars(double q) {
  const TBeam& b = *Beam;
  const double span = b.Span;
  const struct {
    const char* Label;
    double Ratio;
  } bars[] = {{"Strength", b.MaxStrengthRatio()}, {"Stress", b.MaxStressRatio()}, {"Deflection", b.MaxDeflectionRatio()}};
  bool is_any_beyond = false;
  for (int i = 0; i < 3; ++i) {
    const double x = span * (2 * i + 1) / 6;
    const double v = std::clamp(100 * bars[i].Ratio, 0.0, 1.05 * q);
    const bool beyond = bars[i].Ratio > 1;
    is_any_beyond = is_any_beyond || beyond;
    const TChartColour fill = beyond ? chart_colour::kRed : chart_colour::kGreen;
    Pen = PenOf(fill, false, 1);
    MoveTo(x, -v / 2);
    Rectangle(v, span / 6, true, fill);
    Pen = PenOf(chart_colour::kBlack);
    MoveTo(x, -v);
    Image->Texts.push_back({{static_cast<double>(ToPixelX(x)), ToPixelY(-v * YScaleAdjustmentFactor) - 4.0},
                            FloatToPercentStr(0, bars[i].Ratio),
                            THorizontalAlign::Centre,
                            TVerticalAlign::Bottom,
                            FontPixelSize(),
                            true,
                            chart_colour::kBlack});
    Image->Texts.push_back({{static_cast<double>(ToPixelX(x)), LocalOrigin.Y + 10.0},
                            bars[i].Label,
                            THorizontalAlign::Centre,
                            TVerticalAlign::Top,
                            FontPixelSize(),
                            false,
                            chart_colour::kBlack});
  }
  Pen = PenOf(chart_colour::kRed, true);
  MoveTo(0, -100);
  LineTo(span, -100);
  AddLegend("Within its limit", {}, true, chart_colour::kGreen);
  if (is_any_beyond) AddLegend("Beyond its limit", {}, true, chart_colour::kRed);
  AddLegend("Limit (100%)", PenOf(chart_colour::kRed, true));
  Pen = TChartPen{};
}

// Design moment and shear along the span against the capacities: at stage 3
// the bare steel's phi.Ms and phi.Vvm, in the composite stage phi.Mbv and the
// composite shear capacity.
void TResultsGraphics::DrawStrength(int Stage) {
  const bool is_stage3 = Stage == 3;
  DrawCurve(PenOf(chart_colour::kBlue), -1, [&](const TPCC& p) { return p.GetMdes(stStrength, Stage); });
  DrawCurve(PenOf(chart_colour::kBlue, true), -1,
            [&](const TPCC& p) { return is_stage3 ? p.CompositeSection.Mb(0) : p.phiMbv; });
  DrawCurve(PenOf(chart_colour::kOrange), -1, [&](const TPCC& p) { return std::fabs(p.GetVdes(stStrength, Stage)); });
  DrawCurve(PenOf(chart_colour::kOrange, true), -1,
            [&](const TPCC& p) { return is_stage3 ? p.phiVvm() : p.GetVcomp(); });
  Pen = TChartPen{};
  AddLegend("M* (kNm)", PenOf(chart_colour::kBlue));
  AddLegend(is_stage3 ? "\xCF\x86Ms (kNm)" : "\xCF\x86Mbv (kNm)", PenOf(chart_colour::kBlue, true));
  AddLegend("|V*| (kN)", PenOf(chart_colour::kOrange));
  AddLegend(is_stage3 ? "\xCF\x86Vvm (kN)" : Beam->Standard().Terms().VcompLegend, PenOf(chart_colour::kOrange, true));
}

// Connectors provided (blue) and required (green) between each position and
// the nearer support, each line starting at the left support.
void TResultsGraphics::DrawConnectors() {
  DrawCurve(PenOf(chart_colour::kBlue), -1, [](const TPCC& p) { return p.ni_actual; }, true);
  DrawCurve(PenOf(chart_colour::kGreen), -1, [](const TPCC& p) { return static_cast<double>(p.ni); }, true);
  Pen = TChartPen{};
  AddLegend("Provided", PenOf(chart_colour::kBlue));
  AddLegend("Required", PenOf(chart_colour::kGreen));
  AddLegendNote("Counted from the nearer support");
  AddLegendNote("Total: " + std::to_string(Beam->TotalShearConnectors));
}

// Each deflection check along the span as a fraction of its limit, against
// the limit (1). A curve beyond the top of the axis is drawn flat there; its
// legend gives the ratio at midspan.
void TResultsGraphics::DrawDeflectionRatios() {
  const TBeam& b = *Beam;
  const TPCC* mid = b.GetPCCAt(b.Span / 2);
  int drawn = 0;
  for (const TDeflectionCheck& c : DeflectionChecks(b)) {
    if (c.Limit <= 0) continue;
    DrawCurve(PenOf(c.Colour), -1, [&](const TPCC& p) { return std::clamp(c.Deflection(b, p) / c.Limit, -0.1, 1.1); });
    const std::string ratio = mid ? ": " + FloatToPercentStr(0, c.Deflection(b, *mid) / c.Limit) : "";
    AddLegend(c.Label + ratio, PenOf(c.Colour));
    ++drawn;
  }
  Pen = PenOf(chart_colour::kRed, true);
  MoveTo(0, -1);
  LineTo(b.Span, -1);
  AddLegend("Limit", PenOf(chart_colour::kRed, true));
  if (drawn == 0) AddLegendNote("No deflection limits set");
  Pen = TChartPen{};
}

// Two panels sharing the span: above, the larger of the stage 3 and the
// composite-stage design moment at each position against phi.Mb (phi.Mbv at
// each cross-section, with the connectors provided there); below, the larger
// design shear against the web's phi.Vv.
void TResultsGraphics::DrawEnvelopes() {
  const TBeam& b = *Beam;
  const int H = Image->Height, M = Margin(), PW = PlotWidth(), f = FontPixelSize();
  const double span = b.Span;
  const double qM = LargestValue(dtDesignEnvelopes);
  double qV = 1;
  const double phi_vs = b.Standard().phi(cfVerticalShearSteel);
  const auto phiVv = [phi_vs](const TPCC& p) {
    const TSteelSection* s = p.CompositeSection.SteelSection;
    return s ? phi_vs * s->Vv : 0.0;
  };
  const auto Venv = [](const TPCC& p) {
    return std::max(std::fabs(p.GetVdes(stStrength, 3)), std::fabs(p.GetVdes(stStrength, kInServiceStage)));
  };
  const auto Menv = [](const TPCC& p) {
    return std::max(p.GetMdes(stStrength, 3), p.GetMdes(stStrength, kInServiceStage));
  };
  for (int i = 0; i < b.PCCList.Count(); ++i) qV = std::max({qV, Venv(*b.PCCList.PCC(i)), phiVv(*b.PCCList.PCC(i))});

  const struct {
    int OriginY;
    double q;
    const char* Caption;
  } panels[] = {{H * 45 / 100, qM, "Moment (kNm)"}, {H * 85 / 100, qV, "Shear (kN)"}};
  for (int k = 0; k < 2; ++k) {
    XScaleAdjustmentFactor = YScaleAdjustmentFactor = 1;
    LocalOrigin = {M, panels[k].OriginY};
    LocalScaleX = PW / span;
    LocalScaleY = 1;
    Pen = TChartPen{};
    DrawBeamAxis();
    if (k == 0) {
      for (double p : SpanTicks(span)) {
        MoveTo(p, -4);
        LineTo(p, 4);
      }
    } else {
      DrawSpanTicks(false);
    }
    LocalScaleX = 1;
    LocalScaleY = 0.28 * H / panels[k].q;
    DrawValueAxis(panels[k].q, false);
    DrawValueTitle(panels[k].Caption);
    LocalScaleX = PW / span;
    if (k == 0) {
      DrawCurve(PenOf(chart_colour::kBlue), -1, Menv);
      DrawCurve(PenOf(chart_colour::kRed, true), -1, [](const TPCC& p) { return p.phiMbv; });
    } else {
      DrawCurve(PenOf(chart_colour::kOrange), -1, Venv);
      DrawCurve(PenOf(chart_colour::kRed, true), -1, phiVv);
    }
  }
  DrawSpanCaption(H * 85 / 100 + 10 + f * 3 / 2);
  Pen = TChartPen{};
  AddLegend("M* envelope (kNm)", PenOf(chart_colour::kBlue));
  AddLegend("\xCF\x86Mb (kNm)", PenOf(chart_colour::kRed, true));
  AddLegend("|V*| envelope (kN)", PenOf(chart_colour::kOrange));
  AddLegend("\xCF\x86Vv (kN)", PenOf(chart_colour::kRed, true));
  AddLegendNote("Largest of stage 3 and in service");
}

// The deflected shape of each check along the span in mm, downwards, with its
// limit as a dashed line of the same colour.
void TResultsGraphics::DrawDeflectionShape() {
  const TBeam& b = *Beam;
  const int H = Image->Height, M = Margin(), PW = PlotWidth(), f = FontPixelSize();
  const double span = b.Span;
  const double q = LargestValue(dtDeflectionShape);
  XScaleAdjustmentFactor = YScaleAdjustmentFactor = 1;
  LocalOrigin = {M, H * 22 / 100};
  LocalScaleX = PW / span;
  LocalScaleY = 1;
  Pen = TChartPen{};
  DrawBeamAxis();
  DrawSpanTicks(true);
  if (LocalOrigin.Y - 10 - f * 5 / 2 > 3 * f)  // room between the title and the labels
    Image->Texts.push_back({{M + PW / 2.0, LocalOrigin.Y - 10.0 - f * 3 / 2},
                          "Distance from the left support (mm)",
                          THorizontalAlign::Centre,
                          TVerticalAlign::Bottom,
                          f,
                          false,
                          chart_colour::kBlack});
  LocalScaleX = 1;
  LocalScaleY = 0.6 * H / q;
  DrawValueAxis(q, true);
  DrawValueTitle(ValueAxisTitle(dtDeflectionShape));
  LocalScaleX = PW / span;
  int limits = 0;
  for (const TDeflectionCheck& c : DeflectionChecks(b)) {
    DrawCurve(PenOf(c.Colour), 1, [&](const TPCC& p) { return std::max(-0.15 * q, c.Deflection(b, p)); });
    std::string label = c.Label;
    if (c.Limit > 0) {
      Pen = PenOf(c.Colour, true, 1.5);
      MoveTo(0, c.Limit);
      LineTo(span, c.Limit);
      label += " (limit " + FloatToStrDP(false, 0, 1, c.Limit) + ")";
      ++limits;
    }
    AddLegend(label, PenOf(c.Colour));
  }
  if (limits > 0) AddLegend("Limits", PenOf(chart_colour::kGrey, true, 1.5));
  else AddLegendNote("No deflection limits set");
  Pen = TChartPen{};
}

TChartDrawing DrawChart(const TBeam& Beam, TDrawingType Type, int Width, int Height) {
  TChartDrawing drawing;
  drawing.Width = std::max(0, Width);
  drawing.Height = std::max(0, Height);
  TResultsGraphics graphics;
  graphics.Beam = &Beam;
  graphics.Image = &drawing;
  graphics.Draw(Type);
  return drawing;
}
