// TResultsGraphics: the charts of one analysed beam. A chart has a horizontal
// axis along the span, a vertical value axis scaled to the largest value of
// its kind of result, tick marks with labels, and the beam's results drawn as
// curves or bars, with a title and a legend.
//
// This unit is the charts' geometry and nothing else: it draws onto a
// TChartDrawing, a plain list of lines, polylines, rectangles and texts in the
// pixels of an image of a given size. The Qt drawing code
// (report/qt/cResultsChart.h) paints such a drawing onto an image, an SVG
// file or a printer page; the tests read it directly.
//
// Coordinates. Chart units: X along the span in mm (or in pixels while the
// value axis is drawn), Y the value; positive values are plotted upwards by
// passing them negated. Pixels: X to the right, Y down, origin at the image's
// top left. ToPixelX(x) = round(LocalOrigin.X + x * LocalScaleX /
// XScaleAdjustmentFactor) and ToPixelY(y) likewise; MoveTo and LineTo map Y
// times YScaleAdjustmentFactor, so lines are drawn at the value's true height
// whatever that factor. Layout of an image W x H (integer division): margin
// M = W div 10, reserve R = W div 5 at the right for the legend, plot width
// PW = W - 2M - R; the span axis runs from (M, H*8 div 10) for PW pixels and
// the value axis rises 0.7 H for the chart's largest value q.
//
// Units of the results: mm, kN, kNm, as the beam holds them. The beam is not
// owned and must stay unchanged while a chart is drawn. Not thread-safe: one
// TResultsGraphics per thread; drawing reads the program-wide standard edition
// for the capacity factors and labels.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

class TBeam;

// The kinds of chart. The first five are the program's classic charts; the
// design envelopes and the deflection shape follow them.
enum TDrawingType {
  dtResultsSummary,              // strength, stress and deflection ratios in % against 100 %
  dtStage3Strength,              // stage 3 (bare steel) M* and V* along the span against phi.Ms and phi.Vvm
  dtInServiceStrength,           // composite-stage M* and V* against phi.Mbv and Vcomp
  dtShearConnectorDistribution,  // connectors provided (blue) and required (green) from the nearer support
  dtDeflection,                  // each deflection check along the span as a fraction of its limit
  dtDesignEnvelopes,             // moment and shear envelopes against phi.Mb and phi.Vv, in two panels
  dtDeflectionShape,             // deflected shape per stage in mm, with each limit
};
inline constexpr int kDrawingTypeCount = 7;

// "Results summary", "Stage 3 strength", "InService strength", "Shear
// connector distribution", "Deflection results", "Design envelopes",
// "Deflection shape": the names a chart choice shows.
std::string DrawingTypeCaption(TDrawingType Type);
// "results-summary", "stage3-strength", "inservice-strength", "connectors",
// "deflection", "envelopes", "deflection-shape": the command line's names.
std::string DrawingTypeKind(TDrawingType Type);
// The type named Kind (letter case ignored); false when none is.
bool DrawingTypeFromKind(std::string_view Kind, TDrawingType& Type);

// ---------------------------------------------------------------------------
// The drawing surface: what a chart consists of, in image pixels.

struct TChartColour {
  uint8_t R = 0, G = 0, B = 0;
  bool operator==(const TChartColour&) const = default;
};

namespace chart_colour {
inline constexpr TChartColour kBlack{0, 0, 0};
inline constexpr TChartColour kGrey{128, 128, 128};
inline constexpr TChartColour kLightGrey{220, 220, 220};
inline constexpr TChartColour kBlue{0, 84, 204};       // connectors provided; moments
inline constexpr TChartColour kGreen{0, 150, 60};      // connectors required; results within their limits
inline constexpr TChartColour kRed{204, 32, 32};       // limits; results beyond them
inline constexpr TChartColour kOrange{230, 120, 0};    // shears
inline constexpr TChartColour kPurple{130, 60, 170};
inline constexpr TChartColour kTeal{0, 140, 150};
inline constexpr TChartColour kBrown{150, 90, 40};
}  // namespace chart_colour

struct TChartPen {
  TChartColour Colour = chart_colour::kBlack;
  double Width = 2;  // pixels
  bool IsDashed = false;
};

struct TChartPoint {
  double X = 0, Y = 0;
};

// A straight line between two pixel positions.
struct TChartLine {
  TChartPoint From, To;
  TChartPen Pen;
};

// A smooth (anti-aliased) polyline. Values holds the points in chart units
// (position along the span in mm, value as plotted: negated when it rises),
// Pixels the same points on the image, unrounded.
struct TChartPolyline {
  TChartPen Pen;
  std::vector<TChartPoint> Values;
  std::vector<TChartPoint> Pixels;
};

// A rectangle in pixels, filled when IsFilled.
struct TChartRectangle {
  double Left = 0, Top = 0, Right = 0, Bottom = 0;
  TChartPen Pen;
  bool IsFilled = false;
  TChartColour Fill;
};

enum class THorizontalAlign { Left, Centre, Right };
enum class TVerticalAlign { Top, Middle, Bottom };

// A single line of text anchored at a pixel position: the anchor is the
// text's left, centre or right end and its top, middle or bottom, before the
// text is turned by Angle about it (degrees, counter-clockwise: 90 reads
// upwards, as the title of a value axis does).
struct TChartText {
  TChartPoint At;
  std::string Text;  // UTF-8
  THorizontalAlign Align = THorizontalAlign::Left;
  TVerticalAlign VAlign = TVerticalAlign::Top;
  int PixelSize = 12;  // font height in pixels
  bool IsBold = false;
  TChartColour Colour = chart_colour::kBlack;
  double Angle = 0;
};

// One chart on an image of Width x Height pixels. Painted in this order:
// rectangles, lines, polylines, texts.
struct TChartDrawing {
  int Width = 0, Height = 0;
  std::vector<TChartRectangle> Rectangles;
  std::vector<TChartLine> Lines;
  std::vector<TChartPolyline> Polylines;
  std::vector<TChartText> Texts;

  void Clear() {
    Rectangles.clear();
    Lines.clear();
    Polylines.clear();
    Texts.clear();
  }
  bool IsEmpty() const { return Rectangles.empty() && Lines.empty() && Polylines.empty() && Texts.empty(); }
};

// ---------------------------------------------------------------------------

struct TPixel {
  int X = 0, Y = 0;
  bool operator==(const TPixel&) const = default;
};

class TResultsGraphics {
 public:
  TResultsGraphics() = default;
  virtual ~TResultsGraphics() = default;

  const TBeam* Beam = nullptr;     // the beam drawn (not owned)
  TChartDrawing* Image = nullptr;  // the drawing surface (not owned); its size is the image's
  TPixel LocalOrigin;              // pixel position of the chart origin
  double LocalScaleX = 1;          // pixels per unit along the horizontal axis
  double LocalScaleY = 1;          // pixels per unit along the vertical axis
  double CurrentX = 0, CurrentY = 0;  // pen position in chart units
  double XScaleAdjustmentFactor = 1, YScaleAdjustmentFactor = 1;  // extra divisors of the scales
  TChartPen Pen;                   // pen of the next lines

  // Layout values of the image: M, R and PW above.
  int Margin() const;
  int Reserve() const;
  int PlotWidth() const;
  // Font height of the chart's texts in pixels, from the image's size
  // (1/40 of the smaller of W/2 and H, at least 9).
  int FontPixelSize() const;

  int ToPixelX(double x) const;
  int ToPixelY(double y) const;
  // Beam position (mm) of a pixel column on the span axis: 0 left of the
  // axis, Span right of it.
  double ImageToBeam(int X) const;

  // Drawing primitives, in chart units.
  void MoveTo(double X, double Y);
  void LineTo(double X, double Y);
  // Draws from the current position to (X, Y) as part of one smooth
  // anti-aliased polyline with the pen, then moves there.
  void SmoothLineTo(double X, double Y);
  // Text at the current position. Empty text draws nothing.
  void DrawText(const std::string& s, THorizontalAlign Align, TVerticalAlign VAlign, int PixelSize = 0,
                bool IsBold = false);
  // A rectangle of the given size (chart units) centred on the current position.
  void Rectangle(double Height, double Width, bool IsFilled = false, TChartColour Fill = {});
  // Arc of the circle of Radius (pixels) about the current position from
  // ThetaStart to ThetaEnd (degrees from the X axis, Y pointing down); the
  // pen then rests at the arc's end.
  void Arc(double Radius, double ThetaStart, double ThetaEnd);

  // Draws the chart of kind dt of Beam onto Image, which it clears first. A
  // beam without results (no span or no cross-sections analysed) gets its
  // title and the note "No results to draw for this beam." A beam whose
  // results cannot be worked through (an analysis cut short, so a capacity
  // raises the engine's error) gets the same note, with the error's message
  // below it. DrawingOption is not used.
  void Draw(TDrawingType dt, int DrawingOption = 0);

  // The axis along the span: (0, 0) to (Span, 0).
  virtual void DrawBeamAxis();

  // The chart's largest value q (the value axis reaches 1.05 q), as Draw
  // takes it for the beam; 0 without a beam.
  double LargestValue(TDrawingType dt) const;
  // Step between value ticks for a largest value q: from a = q / 9, with
  // d = 10^floor(log10 a) and g = a / d, 10d when g > 5, 5d when g > 2, 2d
  // when g > 1, else d; q itself when that is not positive. Where the
  // labels of the ticks would lie on each other (a short chart) only every
  // 2nd, 5th or 10th tick is labelled.
  static double TickStep(double q);
  // The title of the value axis of chart dt ("Ratio to limit (%)",
  // "Deflection (mm)"; for the design envelopes, that of the moment panel).
  static std::string ValueAxisTitle(TDrawingType dt);
  // The positions (mm) of the span ticks: 0, 1000, 2000, ... up to Span.
  static std::vector<double> SpanTicks(double Span);
  // True when the beam has results to draw.
  static bool HasResults(const TBeam& ABeam);

 private:
  void DrawFrame(TDrawingType dt);
  void DrawSpanTicks(bool AreLabelsAbove);
  // The value axis; its extent on the image and the left end of its labels
  // are kept for the axis title.
  void DrawValueAxis(double q, bool IsDownwards);
  // Title, turned to read upwards, left of the value axis last drawn and
  // centred along it.
  void DrawValueTitle(const std::string& Title);
  void DrawSpanCaption(int Y);
  void DrawTitle(TDrawingType dt);
  void AddLegend(const std::string& Label, TChartPen APen, bool IsBar = false, TChartColour Fill = {});
  void AddLegendNote(const std::string& Text);
  void DrawLegend();
  // The note of a beam without results; Reason, when given, on a line below it.
  void DrawNoResults(const std::string& Reason = "");

  void DrawSummaryBars(double q);
  void DrawStrength(int Stage);
  void DrawConnectors();
  void DrawDeflectionRatios();
  void DrawEnvelopes();
  void DrawDeflectionShape();
  // One curve over the PCC list: (x, Sign * value(PCC)) joined smoothly.
  template <class Value>
  void DrawCurve(const TChartPen& APen, double Sign, Value value, bool StartsAtOrigin = false);

  struct TLegendEntry {
    std::string Label;
    TChartPen Pen;
    bool IsBar = false;
    TChartColour Fill;
    bool IsNote = false;
  };
  std::vector<TLegendEntry> legend_;
  int legend_y_ = 0;
  struct {
    double Top = 0, Bottom = 0, LabelsLeft = 0;
  } value_axis_;
};

// The chart of kind Type of Beam on a fresh drawing of Width x Height pixels.
TChartDrawing DrawChart(const TBeam& Beam, TDrawingType Type, int Width, int Height);
