// The charts painted by Qt: every kind renders, its curves land on the pixels
// the layout puts them at, its texts stay inside the image and apart, and it
// exports as PNG and SVG and prints on one page.
#include "report/qt/cResultsChart.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QFontMetricsF>
#include <QPdfWriter>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>

#include "components/cCapacityFactor.h"
#include "entity/VEXNumberText.h"
#include "entity/VEXUtility.h"
#include "report/chart_beam.h"
#include "temp_dir.h"

namespace {

bool IsNear(QColor a, TChartColour b, int tolerance) {
  return std::abs(a.red() - b.R) <= tolerance && std::abs(a.green() - b.G) <= tolerance &&
         std::abs(a.blue() - b.B) <= tolerance;
}

// True when a pixel within Radius of (x, y) has (nearly) the colour.
bool HasColourNear(const QImage& image, double x, double y, TChartColour colour, int radius = 2) {
  for (int dx = -radius; dx <= radius; ++dx)
    for (int dy = -radius; dy <= radius; ++dy) {
      const int px = static_cast<int>(std::lround(x)) + dx, py = static_cast<int>(std::lround(y)) + dy;
      if (image.valid(px, py) && IsNear(image.pixelColor(px, py), colour, 40)) return true;
    }
  return false;
}

int NonWhitePixels(const QImage& image) {
  int n = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) n += image.pixel(x, y) != qRgb(255, 255, 255);
  return n;
}

int PdfPages(const QByteArray& pdf) {
  static const QRegularExpression page(QStringLiteral("/Type\\s*/Page(?![s\\w])"));
  int n = 0;
  for (auto it = page.globalMatch(QString::fromLatin1(pdf)); it.hasNext(); it.next()) ++n;
  return n;
}

class Chart : public TChartBeamSuite {};

}  // namespace

TEST_F(Chart, EveryKindRendersToAnImageAndExports) {
  for (int t = 0; t < kDrawingTypeCount; ++t) {
    const auto dt = static_cast<TDrawingType>(t);
    SCOPED_TRACE(DrawingTypeKind(dt));
    const QImage image = RenderChart(Beam(), dt, QSize(800, 400));
    ASSERT_EQ(image.size(), QSize(800, 400));
    EXPECT_GT(NonWhitePixels(image), 2000);
    const QByteArray png = ChartPng(Beam(), dt, QSize(640, 320));
    EXPECT_TRUE(png.startsWith("\x89PNG\r\n\x1a\n"));
    EXPECT_EQ(QImage::fromData(png, "PNG").size(), QSize(640, 320));
    const QByteArray svg = ChartSvg(Beam(), dt, QSize(640, 320));
    EXPECT_TRUE(svg.startsWith("<?xml"));
    EXPECT_TRUE(svg.contains("<svg"));
    EXPECT_TRUE(svg.contains(QByteArray::fromStdString(DrawingTypeCaption(dt))));
  }
  EXPECT_TRUE(RenderChart(Beam(), dtDeflection, QSize(0, 100)).isNull());
}

// Every kind on a 1200 x 600 image: M = 120, PW = 720 (80 pixels a metre),
// the classic charts' span axis at 0.8 H = 480 with 0.7 H = 420 pixels for
// their largest value q. Each case a value worked out by hand, at its pixel.
TEST_F(Chart, CurvesPassThroughTheComputedValuesAtTheirPixels) {
  const TBeam& beam = Beam();
  // Stage 3: 1.2 x 10 kN/m on 9 m: 12 x 9^2 / 8 = 121.5 kNm at midspan. In
  // service 1.2 x 10 + 1.5 x 5 = 19.5 kN/m: 197.4375 kNm, 87.75 kN at a support.
  const double M3 = 121.5, M7 = 197.4375, V7 = 87.75;
  // The bare 360UB50.7 (d 356, b 171, tf 11.5, tw 7.3) as two flanges and a
  // web: I = (b d^3 - (b - tw)(d - 2 tf)^3) / 12 = 139.2e6 mm^4; under the
  // stage 3 dead load (1.0 G) at midspan 5 w L^4 / (384 E I) = 30.7 mm, whose
  // stage 3 limit is span / 200 = 45 mm.
  const double I = (171 * std::pow(356.0, 3) - (171 - 7.3) * std::pow(356 - 23.0, 3)) / 12;
  const double d3 = 5 * 10 * std::pow(9000.0, 4) / (384 * 200000 * I);
  double qV = 1;
  for (int i = 0; i < beam.PCCList.Count(); ++i) {
    const TPCC& p = *beam.PCCList.PCC(i);
    qV = std::max({qV, std::fabs(p.GetVdes(stStrength, 7)),
                   CapacityFactor(cfVerticalShearSteel) * p.CompositeSection.SteelSection->Vv});
  }
  const struct {
    TDrawingType dt;
    double x, y;  // pixel
    TChartColour colour;
    int radius;
  } cases[] = {
      // The 100 % line, dashed red, at q = 100: 420 pixels above the axis.
      {dtResultsSummary, 480, 480 - 420, chart_colour::kRed, 4},
      {dtStage3Strength, 480, 480 - M3 * 420 / Largest(dtStage3Strength), chart_colour::kBlue, 2},
      {dtInServiceStrength, 480, 480 - M7 * 420 / Largest(dtInServiceStrength), chart_colour::kBlue, 2},
      {dtInServiceStrength, 121, 480 - V7 * 420 / Largest(dtInServiceStrength), chart_colour::kOrange, 2},
      // Both connector lines start at the left support, the blue one on top.
      {dtShearConnectorDistribution, 121, 479, chart_colour::kBlue, 2},
      // q = 1: the stage 3 ratio 30.7 / 45 = 0.68 is 286 pixels up (0.5 % either way: 1.5 pixels).
      {dtDeflection, 480, 480 - d3 / 45 * 420, chart_colour::kBlue, 3},
      // The moment panel's axis at 0.45 H = 270 with 0.28 H = 168 pixels for its
      // largest value; the shear panel's at 0.85 H = 510.
      {dtDesignEnvelopes, 480, 270 - M7 * 168 / Largest(dtDesignEnvelopes), chart_colour::kBlue, 2},
      {dtDesignEnvelopes, 121, 510 - V7 * 168 / qV, chart_colour::kOrange, 2},
      // Downwards from the axis at 0.22 H = 132, 0.6 H = 360 pixels for q.
      // Stages 5 and 6 add no load, so the curve of stages 3, 5 and 6 (purple)
      // lies on the stage 3 one and is painted over it.
      {dtDeflectionShape, 480, 132 + d3 * 360 / Largest(dtDeflectionShape), chart_colour::kPurple, 3},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(DrawingTypeKind(c.dt) + " at " + std::to_string(c.x) + ", " + std::to_string(c.y));
    const QImage image = RenderChart(beam, c.dt, QSize(1200, 600));
    EXPECT_TRUE(HasColourNear(image, c.x, c.y, c.colour, c.radius));
    // and not well above or below it
    EXPECT_FALSE(HasColourNear(image, c.x, c.y - 12, c.colour, 2));
    EXPECT_FALSE(HasColourNear(image, c.x, c.y + 12, c.colour, 2));
  }

  // Connectors: the provided count at midspan, blue; the value axis reaches 441 pixels above the origin.
  const QImage connectors = RenderChart(beam, dtShearConnectorDistribution, QSize(1200, 600));
  const TPCC& mid = *beam.GetPCCAt(4500);
  const double q = beam.TotalShearConnectors / 2.0 + 0.5;
  EXPECT_TRUE(HasColourNear(connectors, 480, 480 - mid.ni_actual * 420 / q, chart_colour::kBlue));
  EXPECT_TRUE(HasColourNear(connectors, 120, 480 - 441, chart_colour::kBlack));
}

// Readable at every size: no text leaves the image or lies on another, down
// to a chart as short as a page of the window can make it (the design
// envelopes' two panels of labels included).
TEST_F(Chart, TextsStayInsideTheImageAndApart) {
  for (const QSize size : {QSize(1200, 600), QSize(800, 450), QSize(640, 360), QSize(500, 700), QSize(480, 220),
                           QSize(900, 180), QSize(1600, 300)}) {
    for (int t = 0; t < kDrawingTypeCount; ++t) {
      const auto dt = static_cast<TDrawingType>(t);
      SCOPED_TRACE(DrawingTypeKind(dt) + " " + std::to_string(size.width()) + "x" + std::to_string(size.height()));
      const TChartDrawing d = DrawChart(Beam(), dt, size.width(), size.height());
      std::vector<QRectF> boxes;
      for (const TChartText& text : d.Texts) {
        const QRectF box = ChartTextRect(text);
        EXPECT_TRUE(QRectF(-0.5, -0.5, size.width() + 1, size.height() + 1).contains(box))
            << text.Text << " at " << box.left() << "," << box.top() << " size " << box.width() << "x"
            << box.height();
        for (size_t i = 0; i < boxes.size(); ++i)
          EXPECT_FALSE(box.adjusted(0.5, 0.5, -0.5, -0.5).intersects(boxes[i])) << text.Text << " over " << d.Texts[i].Text;
        boxes.push_back(box);
      }
    }
  }
}

// Every chart names its value axis with its unit, read upwards left of the
// axis labels; the design envelopes name each of their two axes.
TEST_F(Chart, EveryValueAxisHasATitleWithItsUnit) {
  const std::pair<TDrawingType, std::vector<std::string>> expected[] = {
      {dtResultsSummary, {"Ratio to limit (%)"}},
      {dtStage3Strength, {"M* (kNm), V* (kN)"}},
      {dtInServiceStrength, {"M* (kNm), V* (kN)"}},
      {dtShearConnectorDistribution, {"Connectors (number)"}},
      {dtDeflection, {"Deflection / limit (ratio)"}},
      {dtDesignEnvelopes, {"Moment (kNm)", "Shear (kN)"}},
      {dtDeflectionShape, {"Deflection (mm)"}},
  };
  for (const auto& [dt, titles] : expected) {
    SCOPED_TRACE(DrawingTypeKind(dt));
    const TChartDrawing d = DrawChart(Beam(), dt, 1200, 600);
    for (const std::string& title : titles) {
      const auto it = std::find_if(d.Texts.begin(), d.Texts.end(), [&](const TChartText& t) { return t.Text == title; });
      ASSERT_NE(it, d.Texts.end()) << title;
      EXPECT_EQ(it->Angle, 90);
      const QRectF box = ChartTextRect(*it);
      EXPECT_GT(box.height(), box.width());  // reads upwards
      // Left of every value label (the right-aligned texts at the axis).
      for (const TChartText& t : d.Texts) {
        if (t.Align == THorizontalAlign::Right && t.Angle == 0) {
          EXPECT_LT(box.right(), ChartTextRect(t).left()) << t.Text;
        }
      }
    }
  }
}

// The printed page: the title block along the foot of the whole printable
// area, the chart over all the rest; the block names the project and its
// file, the beam, the chart, the day and the program.
TEST_F(Chart, PrintedPageHasTheChartOverATitleBlock) {
  const TChartPageLayout layout = ChartPageLayout(QRectF(0, 0, 2800, 1900), 40);
  EXPECT_EQ(layout.TitleBlock.bottom(), 1900);
  EXPECT_EQ(layout.TitleBlock.height(), 2 * 40 + 40);  // two lines and their padding
  EXPECT_EQ(layout.TitleBlock.width(), 2800);
  EXPECT_EQ(layout.Chart.topLeft(), QPointF(0, 0));
  EXPECT_EQ(layout.Chart.width(), 2800);
  EXPECT_LT(layout.Chart.bottom(), layout.TitleBlock.top());
  EXPECT_GT(layout.Chart.height(), 0.9 * 1900);

  // 12 March 2025, noon UTC.
  const TChartTitleBlock block =
      ChartTitleBlock(Beam(), dtDesignEnvelopes, "Office floor", "/work/jobs/Office.tva", 1741780800);
  EXPECT_EQ(block.Project, "Office floor (Office.tva)");
  EXPECT_EQ(block.Beam, Beam().LongName());
  EXPECT_EQ(block.Chart, "Design envelopes");
  EXPECT_EQ(block.Date, FormatShortDate(1741780800));
  EXPECT_EQ(block.Program, GetAppName() + "/V" + GetAppVersionShort());
  EXPECT_EQ(ChartTitleBlock(Beam(), dtDeflection, "", "", 0).Project, "Untitled");
  EXPECT_EQ(ChartTitleBlock(Beam(), dtDeflection, "", "C:\\jobs\\a.tva", 0).Project, "a.tva");

  // Painted on an A4 landscape page at 100 pixels per inch: the block's frame
  // is ink at the foot, the chart's ink above it, and the chart reaches the
  // page's right half (it fills the width, not a strip).
  QImage page(1169, 827, QImage::Format_RGB32);
  page.fill(Qt::white);
  {
    QPainter painter(&page);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(12);
    PaintChartPage(painter, QRectF(0, 0, 1169, 827), font, Beam(), dtDesignEnvelopes, block);
  }
  int foot_ink = 0, chart_ink = 0, right_ink = 0;
  for (int y = 0; y < page.height(); ++y)
    for (int x = 0; x < page.width(); ++x) {
      if (page.pixel(x, y) == qRgb(255, 255, 255)) continue;
      (y > page.height() - 60 ? foot_ink : chart_ink)++;
      if (x > page.width() / 2 && y < page.height() / 2) ++right_ink;
    }
  EXPECT_GT(foot_ink, 500);
  EXPECT_GT(chart_ink, 5000);
  EXPECT_GT(right_ink, 500);
}

TEST_F(Chart, SavedByItsExtensionThroughATemporaryFile) {
  TempDir dir;
  ASSERT_TRUE(SaveChart(Beam(), dtDeflectionShape, QSize(600, 300), dir.File("shape.PNG")).IsOK());
  ASSERT_TRUE(SaveChart(Beam(), dtDeflectionShape, QSize(600, 300), dir.File("shape.svg")).IsOK());
  EXPECT_EQ(QImage(QString::fromStdString(dir.File("shape.PNG"))).size(), QSize(600, 300));
  const TResult wrong = SaveChart(Beam(), dtDeflectionShape, QSize(600, 300), dir.File("shape.jpg"));
  EXPECT_FALSE(wrong.IsOK());
  EXPECT_NE(wrong.Message().find(".png or .svg"), std::string::npos);
  EXPECT_FALSE(SaveChart(Beam(), dtDeflectionShape, QSize(600, 300), dir.File("missing/shape.png")).IsOK());
  EXPECT_FALSE(SaveChart(Beam(), dtDeflectionShape, QSize(), dir.File("empty.png")).IsOK());
  EXPECT_EQ(dir.Names().size(), 2u);  // nothing half-written left behind
  EXPECT_TRUE(IsChartFileName("a.Svg"));
  EXPECT_FALSE(IsChartFileName("png"));
  EXPECT_FALSE(IsChartFileName("dir.png/chart"));
}

TEST_F(Chart, PrintsOnOnePage) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setResolution(600);
    const TPrintOutcome printed = PrintChartOn(writer, Beam(), dtShearConnectorDistribution, {});
    EXPECT_TRUE(printed.Result.IsOK()) << printed.Result.Message();
    EXPECT_EQ(printed.PagesPrinted, 1);
  }
  EXPECT_TRUE(pdf.startsWith("%PDF-"));
  EXPECT_EQ(PdfPages(pdf), 1);

  // Through the print dialog (its test stand-in) into a PDF file; cancelling prints nothing.
  TempDir dir;
  const QString file = QString::fromStdString(dir.File("chart.pdf"));
  SetPrintDialogHook([&](QPrinter& printer, int max_page) {
    EXPECT_EQ(max_page, 1);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    return true;
  });
  EXPECT_TRUE(PrintChart(Beam(), dtDeflection, {}, nullptr).Result.IsOK());
  SetPrintDialogHook([](QPrinter&, int) { return false; });
  EXPECT_TRUE(PrintChart(Beam(), dtDeflection, {}, nullptr).Result.IsCancelled());
  SetPrintDialogHook({});
  std::string bytes;
  ASSERT_TRUE(ReadFileBytes(file.toStdString(), bytes).IsOK());
  EXPECT_EQ(PdfPages(QByteArray::fromStdString(bytes)), 1);
}
