#include "report/qt/cResultsChart.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QSvgGenerator>
#include <QTransform>
#include <algorithm>
#include <cmath>

#include "engine/cBeam.h"
#include "entity/VEXNumberText.h"
#include "entity/VEXUtility.h"

namespace {

QString ToQ(const std::string& s) { return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size())); }

QColor ToQColor(TChartColour c) { return QColor(c.R, c.G, c.B); }

QPen ToQPen(const TChartPen& p) {
  QPen pen(ToQColor(p.Colour), p.Width, p.IsDashed ? Qt::DashLine : Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
  return pen;
}

QFont ChartFont(int PixelSize, bool IsBold) {
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(std::max(1, PixelSize));
  font.setBold(IsBold);
  // No ligatures: a chart's words in a PDF read back as typed ("Deflection").
  font.setLetterSpacing(QFont::AbsoluteSpacing, 0.05);
  return font;
}

QByteArray Encode(const QImage& Image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  Image.save(&buffer, "PNG");
  return bytes;
}

std::string Extension(const std::string& File) {
  const size_t dot = File.find_last_of('.');
  const size_t slash = File.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return "";
  return LowerCase(File.substr(dot));
}

}  // namespace

namespace {

// The text's box before it is turned, relative to its anchor.
QRectF LocalTextRect(const TChartText& Text) {
  const QFontMetricsF metrics(ChartFont(Text.PixelSize, Text.IsBold));
  const double w = metrics.horizontalAdvance(ToQ(Text.Text)), h = metrics.height();
  double x = 0, y = 0;
  if (Text.Align == THorizontalAlign::Centre) x -= w / 2;
  else if (Text.Align == THorizontalAlign::Right) x -= w;
  if (Text.VAlign == TVerticalAlign::Middle) y -= h / 2;
  else if (Text.VAlign == TVerticalAlign::Bottom) y -= h;
  return QRectF(x, y, w, h);
}

// From the text's own coordinates to the drawing's: turned about the anchor.
QTransform TextTransform(const TChartText& Text) {
  return QTransform().translate(Text.At.X, Text.At.Y).rotate(-Text.Angle);
}

}  // namespace

QRectF ChartTextRect(const TChartText& Text) { return TextTransform(Text).mapRect(LocalTextRect(Text)); }

void PaintChartDrawing(QPainter& Painter, const TChartDrawing& Drawing) {
  Painter.save();
  Painter.setRenderHint(QPainter::Antialiasing);
  Painter.setRenderHint(QPainter::TextAntialiasing);
  Painter.fillRect(QRectF(0, 0, Drawing.Width, Drawing.Height), Qt::white);
  Painter.setClipRect(QRectF(0, 0, Drawing.Width, Drawing.Height));

  for (const TChartRectangle& r : Drawing.Rectangles) {
    Painter.setPen(ToQPen(r.Pen));
    Painter.setBrush(r.IsFilled ? QBrush(ToQColor(r.Fill)) : QBrush(Qt::NoBrush));
    Painter.drawRect(QRectF(QPointF(r.Left, r.Top), QPointF(r.Right, r.Bottom)));
  }
  Painter.setBrush(Qt::NoBrush);
  for (const TChartLine& l : Drawing.Lines) {
    QPen pen = ToQPen(l.Pen);
    pen.setCapStyle(Qt::FlatCap);
    Painter.setPen(pen);
    Painter.drawLine(QPointF(l.From.X, l.From.Y), QPointF(l.To.X, l.To.Y));
  }
  for (const TChartPolyline& p : Drawing.Polylines) {
    if (p.Pixels.size() < 2) continue;
    QPolygonF polygon;
    polygon.reserve(static_cast<qsizetype>(p.Pixels.size()));
    for (const TChartPoint& pt : p.Pixels) polygon << QPointF(pt.X, pt.Y);
    Painter.setPen(ToQPen(p.Pen));
    Painter.drawPolyline(polygon);
  }
  for (const TChartText& t : Drawing.Texts) {
    Painter.save();
    Painter.setTransform(TextTransform(t), true);
    Painter.setFont(ChartFont(t.PixelSize, t.IsBold));
    Painter.setPen(ToQColor(t.Colour));
    // Not clipped to its box: on a printer or PDF the glyphs may come out a hair wider than measured.
    Painter.drawText(LocalTextRect(t).adjusted(0, 0, 1, 0),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip, ToQ(t.Text));
    Painter.restore();
  }
  Painter.restore();
}

void PaintChart(QPainter& Painter, const TBeam& Beam, TDrawingType Type, const QRect& Target) {
  if (Target.width() <= 0 || Target.height() <= 0) return;
  const TChartDrawing drawing = DrawChart(Beam, Type, Target.width(), Target.height());
  Painter.save();
  Painter.translate(Target.topLeft());
  PaintChartDrawing(Painter, drawing);
  Painter.restore();
}

QImage RenderChart(const TBeam& Beam, TDrawingType Type, QSize Size) {
  if (Size.isEmpty()) return QImage();
  QImage image(Size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintChart(painter, Beam, Type, QRect(QPoint(0, 0), Size));
  painter.end();
  return image;
}

QByteArray ChartPng(const TBeam& Beam, TDrawingType Type, QSize Size) {
  const QImage image = RenderChart(Beam, Type, Size);
  return image.isNull() ? QByteArray() : Encode(image);
}

QByteArray ChartSvg(const TBeam& Beam, TDrawingType Type, QSize Size) {
  if (Size.isEmpty()) return QByteArray();
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(Size);
  svg.setViewBox(QRect(QPoint(0, 0), Size));
  svg.setTitle(ToQ(DrawingTypeCaption(Type) + ": " + Beam.LongName()));
  svg.setDescription(ToQ(GetAppName() + "/" + GetAppVersionShort()));
  QPainter painter;
  if (!painter.begin(&svg)) return QByteArray();
  PaintChart(painter, Beam, Type, QRect(QPoint(0, 0), Size));
  painter.end();
  return bytes;
}

bool IsChartFileName(const std::string& File) {
  const std::string ext = Extension(File);
  return ext == ".png" || ext == ".svg";
}

TResult SaveChart(const TBeam& Beam, TDrawingType Type, QSize Size, const std::string& File) {
  const std::string ext = Extension(File);
  if (ext != ".png" && ext != ".svg")
    return TResult::Failure("Cannot write a chart to [" + File + "]: the file must end in .png or .svg");
  if (Size.isEmpty()) return TResult::Failure("Cannot write a chart to [" + File + "]: the chart has no size");
  const QByteArray bytes = ext == ".png" ? ChartPng(Beam, Type, Size) : ChartSvg(Beam, Type, Size);
  if (bytes.isEmpty()) return TResult::Failure("Cannot draw the chart for [" + File + "]");
  return WriteFileAtomic(File, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())));
}

TChartTitleBlock ChartTitleBlock(const TBeam& Beam, TDrawingType Type, const std::string& ProjectName,
                                 const std::string& ProjectFile, std::time_t When) {
  TChartTitleBlock block;
  const size_t slash = ProjectFile.find_last_of("/\\");
  const std::string file = slash == std::string::npos ? ProjectFile : ProjectFile.substr(slash + 1);
  block.Project = ProjectName.empty() ? (file.empty() ? "Untitled" : file)
                                      : ProjectName + (file.empty() ? "" : " (" + file + ")");
  block.Beam = Beam.LongName();
  block.Chart = DrawingTypeCaption(Type);
  block.Date = FormatShortDate(When);
  block.Program = GetAppName() + "/V" + GetAppVersionShort();
  return block;
}

TChartPageLayout ChartPageLayout(const QRectF& Printable, double LineHeight) {
  const double pad = LineHeight / 2;
  const double block_height = 2 * LineHeight + 2 * pad;
  TChartPageLayout layout;
  layout.TitleBlock = QRectF(Printable.left(), Printable.bottom() - block_height, Printable.width(), block_height);
  layout.Chart = QRectF(Printable.topLeft(), QPointF(Printable.right(), layout.TitleBlock.top() - pad));
  return layout;
}

namespace {

// The block as a drawing's title block: a frame, the project and the chart
// along the top line, the beam beneath them, the date and the program in a
// column of their own at the right.
void PaintTitleBlock(QPainter& Painter, const QRectF& Box, const QFont& Font, const TChartTitleBlock& Block) {
  Painter.save();
  Painter.setFont(Font);
  const QFontMetricsF metrics(Font, Painter.device());
  const double line = metrics.height(), pad = line / 2;
  QPen frame(Qt::black);
  frame.setWidthF(std::max(1.0, line / 12));
  Painter.setPen(frame);
  Painter.setBrush(Qt::NoBrush);
  Painter.drawRect(Box);
  const double right_column = std::max(metrics.horizontalAdvance(ToQ("Date: " + Block.Date)),
                                       metrics.horizontalAdvance(ToQ("Program: " + Block.Program))) +
                              2 * pad;
  const double split = Box.right() - right_column;
  Painter.drawLine(QPointF(split, Box.top()), QPointF(split, Box.bottom()));
  const auto cell = [&](double Left, double Right, int Row, const std::string& Text) {
    const QRectF r(Left + pad, Box.top() + pad + Row * line, Right - Left - 2 * pad, line);
    Painter.drawText(r, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     metrics.elidedText(ToQ(Text), Qt::ElideRight, r.width()));
  };
  cell(Box.left(), split, 0, "Project: " + Block.Project + "    Chart: " + Block.Chart);
  cell(Box.left(), split, 1, "Beam: " + Block.Beam);
  cell(split, Box.right(), 0, "Date: " + Block.Date);
  cell(split, Box.right(), 1, "Program: " + Block.Program);
  Painter.restore();
}

QFont ReportFont() {
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(9);
  return font;
}

}  // namespace

void PaintChartPage(QPainter& Painter, const QRectF& Page, const QFont& Font, const TBeam& Beam, TDrawingType Type,
                    const TChartTitleBlock& Block) {
  const QFontMetricsF metrics(Font, Painter.device());
  const TChartPageLayout layout = ChartPageLayout(Page, metrics.height());
  if (layout.Chart.width() > 0 && layout.Chart.height() > 0) {
    // Laid out for a 1600 pixel wide image of the chart's shape, then scaled onto it.
    const int width = 1600;
    const int height = std::max(1, static_cast<int>(std::lround(width * layout.Chart.height() / layout.Chart.width())));
    const TChartDrawing drawing = DrawChart(Beam, Type, width, height);
    Painter.save();
    Painter.translate(layout.Chart.topLeft());
    Painter.scale(layout.Chart.width() / width, layout.Chart.height() / height);
    PaintChartDrawing(Painter, drawing);
    Painter.restore();
  }
  PaintTitleBlock(Painter, layout.TitleBlock, Font, Block);
}

TPrintOutcome PrintChartOn(QPagedPaintDevice& Device, const TBeam& Beam, TDrawingType Type,
                           const TChartTitleBlock& Block) {
  TPrintOutcome outcome;
  const QFont font = ReportFont();
  const QFontMetricsF metrics(font, &Device);
  // The device's own rectangle is the printable area of the page.
  const QRectF page(0, 0, Device.width(), Device.height());
  const TChartPageLayout layout = ChartPageLayout(page, metrics.height());
  if (layout.Chart.width() <= 0 || layout.Chart.height() <= 0) {
    outcome.Result = TResult::Failure("The page is too small for the chart");
    return outcome;
  }
  QPainter painter;
  if (!painter.begin(&Device)) {
    outcome.Result = TResult::Failure("Unable to start printing");
    return outcome;
  }
  PaintChartPage(painter, page, font, Beam, Type, Block);
  if (!painter.end()) outcome.Result = TResult::Failure("Unable to finish printing");
  outcome.PageCount = outcome.PagesPrinted = outcome.Result ? 1 : 0;
  return outcome;
}

TPrintOutcome PrintChart(const TBeam& Beam, TDrawingType Type, const TChartTitleBlock& Block, QWidget* Parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(ToQ(DrawingTypeCaption(Type) + " " + Beam.Mark));
  // A chart is wider than high.
  printer.setPageOrientation(QPageLayout::Landscape);
  if (!ExecPrintDialog(printer, 1, Parent)) {
    TPrintOutcome cancelled;
    cancelled.Result = TResult::Cancelled();
    return cancelled;
  }
  return PrintChartOn(printer, Beam, Type, Block);
}
