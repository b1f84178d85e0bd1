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
#include <algorithm>
#include <cmath>

#include "engine/cBeam.h"
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

QRectF ChartTextRect(const TChartText& Text) {
  const QFontMetricsF metrics(ChartFont(Text.PixelSize, Text.IsBold));
  const double w = metrics.horizontalAdvance(ToQ(Text.Text)), h = metrics.height();
  double x = Text.At.X, y = Text.At.Y;
  if (Text.Align == THorizontalAlign::Centre) x -= w / 2;
  else if (Text.Align == THorizontalAlign::Right) x -= w;
  if (Text.VAlign == TVerticalAlign::Middle) y -= h / 2;
  else if (Text.VAlign == TVerticalAlign::Bottom) y -= h;
  return QRectF(x, y, w, h);
}

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
    const QRectF box = ChartTextRect(t);
    Painter.setFont(ChartFont(t.PixelSize, t.IsBold));
    Painter.setPen(ToQColor(t.Colour));
    // Not clipped to its box: on a printer or PDF the glyphs may come out a hair wider than measured.
    Painter.drawText(box.adjusted(0, 0, 1, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextDontClip,
                     ToQ(t.Text));
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

TPrintOutcome PrintChartOn(QPagedPaintDevice& Device, const TBeam& Beam, TDrawingType Type) {
  TPrintOutcome outcome;
  QFont font(QStringLiteral("Tahoma"));
  font.setStyleHint(QFont::SansSerif);
  font.setPointSize(9);
  const QFontMetrics metrics(font, &Device);
  const int pw = Device.width();
  const int m = 5 * metrics.horizontalAdvance(QLatin1Char('M'));
  const QRectF target(QPointF(m, m), QPointF(pw - m, m + (pw - m) / 2));
  if (target.width() <= 0 || target.height() <= 0) {
    outcome.Result = TResult::Failure("The page is too small for the chart");
    return outcome;
  }
  // Laid out for a 1600 pixel wide image of the target's shape, then scaled onto it.
  const int width = 1600;
  const int height = std::max(1, static_cast<int>(std::lround(width * target.height() / target.width())));
  const TChartDrawing drawing = DrawChart(Beam, Type, width, height);
  QPainter painter;
  if (!painter.begin(&Device)) {
    outcome.Result = TResult::Failure("Unable to start printing");
    return outcome;
  }
  painter.translate(target.topLeft());
  painter.scale(target.width() / width, target.height() / height);
  PaintChartDrawing(painter, drawing);
  if (!painter.end()) outcome.Result = TResult::Failure("Unable to finish printing");
  outcome.PageCount = outcome.PagesPrinted = outcome.Result ? 1 : 0;
  return outcome;
}

TPrintOutcome PrintChart(const TBeam& Beam, TDrawingType Type, QWidget* Parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(ToQ(DrawingTypeCaption(Type) + " " + Beam.Mark));
  if (!ExecPrintDialog(printer, 1, Parent)) {
    TPrintOutcome cancelled;
    cancelled.Result = TResult::Cancelled();
    return cancelled;
  }
  return PrintChartOn(printer, Beam, Type);
}
