#include "report/cResultsGraphics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "components/cCapacityFactor.h"
#include "entity/VEXUtility.h"
#include "report/chart_beam.h"

namespace {

// The image most tests draw on: W 1200, H 600, so M = 120, R = 240, PW = 720,
// the span axis at y = 480 and the value axis 0.7 H = 420 pixels for q.
constexpr int kW = 1200, kH = 600, kM = 120, kPW = 720, kAxisY = 480;

std::vector<std::string> TextsOf(const TChartDrawing& d) {
  std::vector<std::string> texts;
  for (const TChartText& t : d.Texts) texts.push_back(t.Text);
  return texts;
}

const TChartText* FindText(const TChartDrawing& d, const std::string& text) {
  for (const TChartText& t : d.Texts)
    if (t.Text == text) return &t;
  return nullptr;
}

// A value label: right-aligned 9 pixels left of the value axis at x = M.
const TChartText* FindValueLabel(const TChartDrawing& d, const std::string& text, int M = kM) {
  for (const TChartText& t : d.Texts)
    if (t.Text == text && t.At.X == M - 9 && t.Align == THorizontalAlign::Right) return &t;
  return nullptr;
}

// The point of a polyline at position x (mm), or none.
const TChartPoint* PixelAt(const TChartPolyline& p, double x, double* value = nullptr) {
  for (size_t i = 0; i < p.Values.size(); ++i)
    if (std::fabs(p.Values[i].X - x) < 1e-6) {
      if (value) *value = p.Values[i].Y;
      return &p.Pixels[i];
    }
  return nullptr;
}

}  // namespace

TEST(ResultsGraphics, KindsAndCaptionsInTheirOrder) {
  const char* captions[] = {"Results summary",    "Stage 3 strength", "InService strength", "Shear connector distribution",
                            "Deflection results", "Design envelopes", "Deflection shape"};
  const char* kinds[] = {"results-summary", "stage3-strength", "inservice-strength", "connectors",
                         "deflection",      "envelopes",       "deflection-shape"};
  for (int t = 0; t < kDrawingTypeCount; ++t) {
    const auto type = static_cast<TDrawingType>(t);
    EXPECT_EQ(DrawingTypeCaption(type), captions[t]);
    EXPECT_EQ(DrawingTypeKind(type), kinds[t]);
    TDrawingType back = dtResultsSummary;
    EXPECT_TRUE(DrawingTypeFromKind(UpperCase(kinds[t]), back));
    EXPECT_EQ(back, type);
  }
  TDrawingType unknown = dtDeflection;
  EXPECT_FALSE(DrawingTypeFromKind("moment", unknown));
  EXPECT_FALSE(DrawingTypeFromKind("", unknown));
  EXPECT_EQ(unknown, dtDeflection);
}

TEST(ResultsGraphics, ValueTickStepFromANinthOfTheLargestValue) {
  const struct {
    double q, step;
  } cases[] = {
      {45, 5},     // a = 5: d = 1, g = 5, not above 5: 5d
      {46, 10},    // a = 5.11: g > 5: 10d
      {1, 0.2},    // a = 0.111: d = 0.1, g = 1.11: 2d
      {100, 20},   // a = 11.1: d = 10, g = 1.11: 2d
      {130, 20},   // a = 14.4: g = 1.44: 2d
      {12.5, 2},   // a = 1.39: d = 1: 2d
      {9, 1},      // a = 1: g = 1, not above 1: d
      {250, 50},   // a = 27.8: g = 2.78: 5d
      {0.5, 0.1},  // a = 0.0556: d = 0.01, g = 5.56: 10d
      {0, 0},      // nothing to divide: q itself
  };
  for (const auto& c : cases) EXPECT_NEAR(TResultsGraphics::TickStep(c.q), c.step, 1e-12) << "q = " << c.q;
}

TEST(ResultsGraphics, SpanTicksEveryMetreUpToTheSpan) {
  EXPECT_EQ(TResultsGraphics::SpanTicks(7500), (std::vector<double>{0, 1000, 2000, 3000, 4000, 5000, 6000, 7000}));
  EXPECT_EQ(TResultsGraphics::SpanTicks(8000).back(), 8000);
  EXPECT_EQ(TResultsGraphics::SpanTicks(8000).size(), 9u);
  EXPECT_EQ(TResultsGraphics::SpanTicks(999), (std::vector<double>{0}));
}

TEST(ResultsGraphics, LargestValueByKind) {
  TBeam beam;
  TResultsGraphics g;
  g.Beam = &beam;
  beam.CompStageMomentRatio = 0.8;  // the overall ratio
  EXPECT_EQ(g.LargestValue(dtResultsSummary), 100);
  beam.CompStageMomentRatio = 1.3;
  EXPECT_NEAR(g.LargestValue(dtResultsSummary), 130, 1e-9);
  beam.TotalShearConnectors = 24;
  EXPECT_EQ(g.LargestValue(dtShearConnectorDistribution), 12.5);
  beam.TotalShearConnectors = 25;
  EXPECT_EQ(g.LargestValue(dtShearConnectorDistribution), 13);
  EXPECT_EQ(g.LargestValue(dtDeflection), 1);
  EXPECT_EQ(g.LargestValue(dtStage3Strength), 1);  // no actions yet: at least 1
}

TEST(ResultsGraphics, PixelMappingAndItsInverse) {
  TBeam beam;
  beam.Span = 9000;
  TChartDrawing image;
  image.Width = 1000;
  image.Height = 500;
  TResultsGraphics g;
  g.Beam = &beam;
  g.Image = &image;
  EXPECT_EQ(g.Margin(), 100);
  EXPECT_EQ(g.Reserve(), 200);
  EXPECT_EQ(g.PlotWidth(), 600);
  g.LocalOrigin = {100, 400};
  g.LocalScaleX = 600.0 / 9000;
  g.LocalScaleY = 2.8;
  g.YScaleAdjustmentFactor = 100;
  EXPECT_EQ(g.ToPixelX(4500), 400);
  EXPECT_EQ(g.ToPixelY(-50), 399);  // round(400 - 50 x 2.8 / 100) = round(398.6)
  // Lines are drawn at the value's true height whatever the adjustment factor.
  g.MoveTo(0, 0);
  g.LineTo(4500, -10);
  ASSERT_EQ(image.Lines.size(), 1u);
  EXPECT_EQ(image.Lines[0].To.X, 400);
  EXPECT_EQ(image.Lines[0].To.Y, 372);  // 400 - 10 x 2.8
  // Pixel columns back to the span: the axis runs from M for PW pixels.
  for (const auto& [x, mm] : std::vector<std::pair<int, double>>{{40, 0}, {100, 0}, {400, 4500}, {700, 9000}, {950, 9000}})
    EXPECT_DOUBLE_EQ(g.ImageToBeam(x), mm) << "pixel " << x;
  EXPECT_NEAR(g.ImageToBeam(g.ToPixelX(3000)), 3000, 15);  // one pixel is 15 mm here

  // Primitives: a text at the pen, a centred rectangle, an arc ending at its end angle.
  g.YScaleAdjustmentFactor = 1;
  g.LocalScaleX = g.LocalScaleY = 1;
  g.MoveTo(10, -20);
  g.DrawText("", THorizontalAlign::Left, TVerticalAlign::Top);
  g.DrawText("label", THorizontalAlign::Right, TVerticalAlign::Middle);
  ASSERT_EQ(image.Texts.size(), 1u);
  EXPECT_EQ(image.Texts[0].At.X, 110);
  EXPECT_EQ(image.Texts[0].At.Y, 380);
  g.Rectangle(40, 20);
  ASSERT_EQ(image.Rectangles.size(), 1u);
  EXPECT_EQ(image.Rectangles[0].Left, 100);
  EXPECT_EQ(image.Rectangles[0].Right, 120);
  EXPECT_EQ(image.Rectangles[0].Top, 360);
  EXPECT_EQ(image.Rectangles[0].Bottom, 400);
  g.MoveTo(0, 0);
  g.Arc(50, 0, 90);  // Y points down: from (150, 400) to (100, 450)
  EXPECT_NEAR(image.Polylines.back().Pixels.back().X, 100, 1e-9);
  EXPECT_NEAR(image.Polylines.back().Pixels.back().Y, 450, 1e-9);
  EXPECT_NEAR(g.CurrentX, 0, 1e-9);
  EXPECT_NEAR(g.CurrentY, 50, 1e-9);
}

TEST(ResultsGraphics, BeamWithoutResultsShowsANote) {
  TBeam beam;
  beam.Mark = "B7";
  const TChartDrawing d = DrawChart(beam, dtShearConnectorDistribution, kW, kH);
  EXPECT_TRUE(d.Lines.empty());
  EXPECT_TRUE(d.Polylines.empty());
  EXPECT_EQ(TextsOf(d), (std::vector<std::string>{"Shear connector distribution: Secondary beam B7",
                                                  "No results to draw for this beam."}));
}

// A chart reads capacities the engine works out as it draws; results an
// analysis cut short (a cross-section that lost its steel) raise the
// engine's error, which the chart states below its note.
TEST(ResultsGraphics, ResultsThatCannotBeWorkedThroughSayWhy) {
  UsePlainRegionalSettings();
  TChartBeam chart;
  TCompositeSectionAtPCC& cs = chart.beam.PCCList.PCC(0)->CompositeSection;
  cs.SteelSection = nullptr;
  const TChartDrawing d = DrawChart(chart.beam, dtStage3Strength, kW, kH);
  EXPECT_TRUE(d.Polylines.empty());
  const std::vector<std::string> texts = TextsOf(d);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[1], "No results to draw for this beam.");
  EXPECT_EQ(texts[2], "Error during analysis: No steel section [" + cs.SteelSectionLabel + "] for composite section [" +
                          cs.CompositeSectionLabel + "]");
}

class ChartOfBeam : public TChartBeamSuite {
 protected:
  static void SetUpTestSuite() {
    UsePlainRegionalSettings();
    TChartBeamSuite::SetUpTestSuite();
  }
};

TEST_F(ChartOfBeam, ConnectorChartFollowsTheClassicLayout) {
  const TBeam& b = Beam();
  ASSERT_TRUE(b.Status.IsOK()) << b.Status.ErrorMsg;
  ASSERT_GT(b.TotalShearConnectors, 0);
  const TChartDrawing d = DrawChart(b, dtShearConnectorDistribution, kW, kH);
  const double q = b.TotalShearConnectors / 2.0 + 0.5;

  // The span axis, then a tick at every metre (0 to 9000) from 4 above to 4 below it.
  ASSERT_GE(d.Lines.size(), 11u);
  EXPECT_EQ(d.Lines[0].From.X, kM);
  EXPECT_EQ(d.Lines[0].From.Y, kAxisY);
  EXPECT_EQ(d.Lines[0].To.X, kM + kPW);
  EXPECT_EQ(d.Lines[0].To.Y, kAxisY);
  for (int k = 0; k <= 9; ++k) {
    const TChartLine& tick = d.Lines[1 + k];
    EXPECT_EQ(tick.From.X, kM + 80 * k);  // 720 pixels for 9000 mm
    EXPECT_EQ(tick.From.Y, kAxisY - 4);
    EXPECT_EQ(tick.To.Y, kAxisY + 4);
    const TChartText* label = FindText(d, std::to_string(1000 * k));
    ASSERT_NE(label, nullptr) << k;
    EXPECT_EQ(label->At.X, kM + 80 * k);
    EXPECT_EQ(label->At.Y, kAxisY + 10);
    EXPECT_EQ(label->Align, THorizontalAlign::Centre);
  }
  // The value axis reaches 1.05 q: 441 pixels above the origin.
  const TChartLine& axis = d.Lines[11];
  EXPECT_EQ(axis.From.X, kM);
  EXPECT_EQ(axis.To.X, kM);
  EXPECT_EQ(axis.To.Y, kAxisY - 441);
  // Value labels 9 pixels left of the axis, centred on their ticks.
  const double s = TResultsGraphics::TickStep(q);
  const TChartText* top = FindValueLabel(d, FloatToStrDP(false, 0, 1, std::floor(q / s) * s));
  ASSERT_NE(top, nullptr);
  EXPECT_EQ(top->At.X, kM - 9);
  EXPECT_EQ(top->At.Y, std::lround(kAxisY - std::floor(q / s) * s * 420 / q));
  EXPECT_EQ(top->Align, THorizontalAlign::Right);
  EXPECT_EQ(top->VAlign, TVerticalAlign::Middle);

  // Provided in blue, then required in green, each from (0, 0) through every cross-section.
  ASSERT_EQ(d.Polylines.size(), 2u);
  const TChartPolyline& provided = d.Polylines[0];
  const TChartPolyline& required = d.Polylines[1];
  EXPECT_EQ(provided.Pen.Colour, chart_colour::kBlue);
  EXPECT_EQ(required.Pen.Colour, chart_colour::kGreen);
  ASSERT_EQ(provided.Values.size(), static_cast<size_t>(b.PCCList.Count()) + 1);
  EXPECT_EQ(provided.Values[0].X, 0);
  EXPECT_EQ(provided.Values[0].Y, 0);
  for (int i = 0; i < b.PCCList.Count(); ++i) {
    const TPCC& p = *b.PCCList.PCC(i);
    EXPECT_DOUBLE_EQ(provided.Values[i + 1].Y, -p.ni_actual);
    EXPECT_DOUBLE_EQ(required.Values[i + 1].Y, -p.ni);
    EXPECT_NEAR(provided.Pixels[i + 1].X, kM + p.x * kPW / 9000, 1e-9);
    EXPECT_NEAR(provided.Pixels[i + 1].Y, kAxisY - p.ni_actual * 420 / q, 1e-9);
  }
  // At midspan the count provided covers half the beam: the top of the blue line.
  double midspan = 0;
  ASSERT_NE(PixelAt(provided, 4500, &midspan), nullptr);
  EXPECT_NEAR(-midspan, b.TotalShearConnectors / 2.0, 0.5);
  EXPECT_NE(FindText(d, "Total: " + std::to_string(b.TotalShearConnectors)), nullptr);
}

TEST_F(ChartOfBeam, StrengthChartsDrawTheDesignActionsOfTheLoads) {
  // Stage 3: 1.2 x 10 kN/m on 9 m: M* = 12 x 9^2 / 8 = 121.5 kNm at midspan, V* = 54 kN at a support.
  // In service: (1.2 x 10 + 1.5 x 5) = 19.5 kN/m: M* = 197.4375 kNm, V* = 87.75 kN.
  const struct {
    TDrawingType dt;
    double M, V;
  } cases[] = {{dtStage3Strength, 121.5, 54}, {dtInServiceStrength, 197.4375, 87.75}};
  for (const auto& c : cases) {
    SCOPED_TRACE(DrawingTypeCaption(c.dt));
    const TChartDrawing d = DrawChart(Beam(), c.dt, kW, kH);
    ASSERT_EQ(d.Polylines.size(), 4u);  // M*, its capacity, |V*|, its capacity
    const double q = Largest(c.dt);
    double value = 0;
    const TChartPoint* mid = PixelAt(d.Polylines[0], 4500, &value);
    ASSERT_NE(mid, nullptr);
    EXPECT_NEAR(-value, c.M, 1e-6);
    EXPECT_NEAR(mid->X, kM + kPW / 2, 1e-9);
    EXPECT_NEAR(mid->Y, kAxisY - c.M * 420 / q, 1e-6);
    ASSERT_NE(PixelAt(d.Polylines[2], 0, &value), nullptr);
    EXPECT_NEAR(-value, c.V, 1e-6);
    // The capacities are dashed and the scale holds every curve.
    EXPECT_TRUE(d.Polylines[1].Pen.IsDashed);
    EXPECT_GE(q, c.M);
    for (const TChartPolyline& p : d.Polylines)
      for (const TChartPoint& v : p.Values) EXPECT_LE(-v.Y, q * (1 + 1e-12));
  }
}

TEST_F(ChartOfBeam, EnvelopesPassThroughTheMidspanMoment) {
  const TChartDrawing d = DrawChart(Beam(), dtDesignEnvelopes, kW, kH);
  ASSERT_EQ(d.Polylines.size(), 4u);  // M* envelope, phi.Mb, |V*| envelope, phi.Vv
  // The moment panel's axis at 0.45 H = 270 with 0.28 H = 168 pixels for its largest value.
  const double qM = Largest(dtDesignEnvelopes);
  double value = 0;
  const TChartPoint* mid = PixelAt(d.Polylines[0], 4500, &value);
  ASSERT_NE(mid, nullptr);
  EXPECT_NEAR(-value, 197.4375, 1e-6);  // wL^2/8 with w = 19.5 kN/m and L = 9 m
  EXPECT_NEAR(mid->Y, 270 - 197.4375 * 168 / qM, 1e-6);
  EXPECT_NEAR(mid->X, 480, 1e-9);
  ASSERT_NE(PixelAt(d.Polylines[2], 0, &value), nullptr);
  EXPECT_NEAR(-value, 87.75, 1e-6);  // 19.5 x 9 / 2
  // phi.Vv: the web's capacity with the steel shear factor, the same along an unnotched beam.
  const TPCC& first = *Beam().PCCList.PCC(0);
  const double phiVv = CapacityFactor(cfVerticalShearSteel) * first.CompositeSection.SteelSection->Vv;
  ASSERT_NE(PixelAt(d.Polylines[3], 4500, &value), nullptr);
  EXPECT_NEAR(-value, phiVv, 1e-9);
  // Span labels only under the lower panel (its axis at 0.85 H = 510).
  EXPECT_EQ(FindText(d, "4000")->At.Y, 520);
}

TEST_F(ChartOfBeam, DeflectionShapeHangsBelowItsAxis) {
  // Stage 3 dead load on the bare steel (construction deflection factor 1.0):
  // 5 w L^4 / (384 E I) with w = 10 N/mm, L = 9000 mm, E = 200000 MPa.
  const TSteelSection& steel = *Beam().SteelSection(0);
  const double expected = 5 * 10 * std::pow(9000.0, 4) / (384 * 200000 * steel.ISteel);
  const TChartDrawing d = DrawChart(Beam(), dtDeflectionShape, kW, kH);
  ASSERT_EQ(d.Polylines.size(), 5u);
  const double q = Largest(dtDeflectionShape);
  double value = 0;
  const TChartPoint* mid = PixelAt(d.Polylines[0], 4500, &value);
  ASSERT_NE(mid, nullptr);
  EXPECT_NEAR(value, expected, 0.01 * expected);  // ten segments of a parabolic curvature
  EXPECT_NEAR(mid->Y, 132 + value * 360 / q, 1e-6);  // axis at 0.22 H, 0.6 H for q, downwards
  // The stage 3 limit: span / 200 = 45 mm (under the 55 mm absolute limit), a dashed line.
  const TChartText* legend = FindText(d, "Stage 3 (limit 45)");
  ASSERT_NE(legend, nullptr);
  const auto limit = std::find_if(d.Lines.begin(), d.Lines.end(), [&](const TChartLine& l) {
    return l.Pen.IsDashed && l.Pen.Colour == chart_colour::kBlue;
  });
  ASSERT_NE(limit, d.Lines.end());
  EXPECT_EQ(limit->From.Y, std::lround(132 + 45 * 360 / q));
  // Span labels above the axis.
  EXPECT_EQ(FindText(d, "9000")->At.Y, 132 - 10);
  EXPECT_EQ(FindText(d, "9000")->VAlign, TVerticalAlign::Bottom);
}

TEST_F(ChartOfBeam, DeflectionResultsAgainstTheirLimitOfOne) {
  const TChartDrawing d = DrawChart(Beam(), dtDeflection, kW, kH);
  // q = 1, so the value axis has the adjustment factor 100; ticks and labels
  // still sit at their values: 0.2 is 84 pixels above the axis.
  for (const auto& [text, y] : std::vector<std::pair<std::string, int>>{
           {"0", 480}, {"0.2", 396}, {"0.4", 312}, {"0.6", 228}, {"0.8", 144}, {"1", 60}}) {
    const TChartText* label = FindValueLabel(d, text);
    ASSERT_NE(label, nullptr) << text;
    EXPECT_EQ(label->At.Y, y) << text;
  }
  const auto limit = std::find_if(d.Lines.begin(), d.Lines.end(), [](const TChartLine& l) { return l.Pen.IsDashed; });
  ASSERT_NE(limit, d.Lines.end());
  EXPECT_EQ(limit->From.Y, 60);
  EXPECT_EQ(limit->To.X, kM + kPW);
  // Each curve is its deflection over its limit; the stage 3 one peaks at the beam's stage 3 ratio.
  const TPCC& mid = *Beam().GetPCCAt(4500);
  double value = 0;
  ASSERT_NE(PixelAt(d.Polylines.at(0), 4500, &value), nullptr);
  EXPECT_NEAR(-value, mid.GetDeflection(stConstrucDefl, 3) / 45, 1e-9);
}

TEST_F(ChartOfBeam, SummaryBarsShowTheRatiosAgainstOneHundredPercent) {
  const TBeam& b = Beam();
  const TChartDrawing d = DrawChart(b, dtResultsSummary, kW, kH);
  const double q = Largest(dtResultsSummary);
  EXPECT_GE(q, 100);
  // No span ticks: the axis, the value axis and its ticks, the 100 % line, legend swatches.
  EXPECT_EQ(FindText(d, "1000"), nullptr);
  ASSERT_GE(d.Rectangles.size(), 3u);
  const double ratios[] = {b.MaxStrengthRatio(), b.MaxStressRatio(), b.MaxDeflectionRatio()};
  const char* names[] = {"Strength", "Stress", "Deflection"};
  for (int i = 0; i < 3; ++i) {
    const TChartRectangle& bar = d.Rectangles[i];
    EXPECT_NEAR((bar.Left + bar.Right) / 2, kM + kPW * (2 * i + 1) / 6.0, 1);
    EXPECT_EQ(bar.Bottom, kAxisY);
    EXPECT_NEAR(bar.Top, kAxisY - 100 * ratios[i] * 420 / q, 1);
    EXPECT_EQ(bar.Fill, ratios[i] > 1 ? chart_colour::kRed : chart_colour::kGreen);
    EXPECT_NE(FindText(d, names[i]), nullptr);
    EXPECT_NE(FindText(d, FloatToPercentStr(0, ratios[i])), nullptr);
  }
  const auto limit = std::find_if(d.Lines.begin(), d.Lines.end(), [](const TChartLine& l) { return l.Pen.IsDashed; });
  ASSERT_NE(limit, d.Lines.end());
  EXPECT_EQ(limit->From.Y, std::lround(kAxisY - 100 * 420 / q));
}

TEST_F(ChartOfBeam, SpanLabelsThinOutWhenTheyWouldCollide) {
  // 300 x 150: PW = 180 pixels for 9 m, 20 pixels a metre, with 9 pixel
  // labels up to four digits wide (about 22 pixels): every second tick.
  const TChartDrawing small = DrawChart(Beam(), dtShearConnectorDistribution, 300, 150);
  for (int k = 0; k <= 9; ++k) EXPECT_EQ(FindText(small, std::to_string(1000 * k)) != nullptr, k % 2 == 0) << k;
  const TChartDrawing large = DrawChart(Beam(), dtShearConnectorDistribution, 2400, 1200);
  for (int k = 0; k <= 9; ++k) EXPECT_NE(FindText(large, std::to_string(1000 * k)), nullptr) << k;
  // Texts grow with the image: 1/40 of the smaller of W/2 and H.
  EXPECT_EQ(FindText(large, "0")->PixelSize, 30);
  EXPECT_EQ(FindText(small, "0")->PixelSize, 9);
}

TEST_F(ChartOfBeam, EveryChartKeepsItsPointsInsideTheImage) {
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{kW, kH}, {640, 360}, {400, 600}}) {
    for (int t = 0; t < kDrawingTypeCount; ++t) {
      const auto dt = static_cast<TDrawingType>(t);
      SCOPED_TRACE(DrawingTypeKind(dt) + " " + std::to_string(w) + "x" + std::to_string(h));
      const TChartDrawing d = DrawChart(Beam(), dt, w, h);
      EXPECT_FALSE(d.Lines.empty());
      EXPECT_EQ(d.Texts.front().Text, DrawingTypeCaption(dt) + ": Secondary beam SB1");
      const auto inside = [&](const TChartPoint& p) { return p.X >= 0 && p.X <= w && p.Y >= 0 && p.Y <= h; };
      for (const TChartLine& l : d.Lines) EXPECT_TRUE(inside(l.From) && inside(l.To));
      for (const TChartPolyline& p : d.Polylines)
        for (const TChartPoint& pt : p.Pixels) EXPECT_TRUE(inside(pt));
      for (const TChartText& text : d.Texts) EXPECT_TRUE(inside(text.At)) << text.Text;
    }
  }
}
