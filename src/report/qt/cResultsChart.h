// The results charts on Qt: paint a chart of an analysed beam into any
// QPainter (a widget, an image, an SVG file, a printer page), render it to an
// image, export it as PNG or SVG, print it on one page.
//
// The chart itself (axes, ticks, labels, curves, legend) comes from
// report/cResultsGraphics.h as a TChartDrawing in the pixels of an image of
// the size asked for; this unit paints such a drawing anti-aliased and knows
// nothing of the engineering.
//
// Typical use by a window page that shows chart Type of beam Side:
//
//   const TBeam& beam = *project.GetBeam(Side);           // after a run
//   void Page::paintEvent(QPaintEvent*) {
//     QPainter painter(this);
//     PaintChart(painter, beam, Type, rect());            // redrawn at every size
//   }
//   QImage image = RenderChart(beam, Type, QSize(1200, 600));
//   TResult saved = SaveChart(beam, Type, QSize(1200, 600), "chart.svg");  // .png or .svg
//   TPrintOutcome printed = PrintChart(beam, Type, block, this);  // print dialog, one page
//
// Preconditions: a QGuiApplication exists (the window's; the command line
// makes one with TGuiApplicationScope, report/qt/cHeadlessGui.h). The beam
// stays unchanged while it is drawn; call on the thread that owns the
// application (the interface thread). A beam without results draws its title
// and "No results to draw for this beam."
#pragma once

#include <QByteArray>
#include <QImage>
#include <QRect>
#include <QRectF>
#include <QSize>
#include <ctime>
#include <string>

#include "entity/cResult.h"
#include "report/cResultsGraphics.h"
#include "report/qt/cReportPrinter.h"

class QPagedPaintDevice;
class QPainter;
class QFont;
class QPrinter;
class QWidget;

// Paints Drawing with its top left corner at the painter's origin, on a white
// background of the drawing's size.
void PaintChartDrawing(QPainter& Painter, const TChartDrawing& Drawing);
// Where a text of a drawing is painted, in the drawing's pixels: its box
// once turned by its angle (for hit tests and layout checks).
QRectF ChartTextRect(const TChartText& Text);
// Draws chart Type of Beam into Target (in the painter's coordinates), laid
// out for Target's size.
void PaintChart(QPainter& Painter, const TBeam& Beam, TDrawingType Type, const QRect& Target);

// The chart as an image of Size pixels (white background). A null image for an
// empty size.
QImage RenderChart(const TBeam& Beam, TDrawingType Type, QSize Size);
// The chart as PNG or SVG file contents.
QByteArray ChartPng(const TBeam& Beam, TDrawingType Type, QSize Size);
QByteArray ChartSvg(const TBeam& Beam, TDrawingType Type, QSize Size);

// Writes the chart to File, as PNG or SVG by the file's extension (".png",
// ".svg", letter case ignored), through a temporary file: a failure leaves an
// existing file as it was. Fails for any other extension, an empty size, or
// a file that cannot be written, saying which.
TResult SaveChart(const TBeam& Beam, TDrawingType Type, QSize Size, const std::string& File);
// True when File ends in ".png" or ".svg".
bool IsChartFileName(const std::string& File);

// What the title block under a printed chart says, as an engineer's
// drawing says it: the project, the beam, the chart, the date printed and
// the program that drew it.
struct TChartTitleBlock {
  std::string Project;  // "Sample office floor (SampleAnalysis.tva)"
  std::string Beam;     // the beam's long name
  std::string Chart;    // the chart's caption
  std::string Date;     // "12/03/2025"
  std::string Program;  // "Trevalon/V3.0"
};
// The block for chart Type of Beam in project ProjectName (its file
// ProjectFile, "" when untitled), printed at When.
TChartTitleBlock ChartTitleBlock(const TBeam& Beam, TDrawingType Type, const std::string& ProjectName,
                                 const std::string& ProjectFile, std::time_t When);

// How a printed page is shared: the title block along the foot of the
// printable area, as high as its two lines of text (LineHeight each) with
// their padding; the chart over all the rest, with a small gap above the block.
struct TChartPageLayout {
  QRectF Chart;
  QRectF TitleBlock;
};
TChartPageLayout ChartPageLayout(const QRectF& Printable, double LineHeight);

// Paints the chart and its title block onto Page (in the painter's
// coordinates) with Font for the block: the page of PrintChartOn, for any
// surface (a printer, an image to look at).
void PaintChartPage(QPainter& Painter, const QRectF& Page, const QFont& Font, const TBeam& Beam, TDrawingType Type,
                    const TChartTitleBlock& Block);

// Prints the chart on one page of Device over its whole printable area, with
// the title block Block along the foot (ChartPageLayout, in the report's
// font: 9 point Tahoma or its stand-in). The chart is laid out for a 1600
// pixel wide image of its rectangle's shape and scaled onto it, so lines and
// texts keep their proportions.
TPrintOutcome PrintChartOn(QPagedPaintDevice& Device, const TBeam& Beam, TDrawingType Type,
                           const TChartTitleBlock& Block);
// Shows the print dialog (with "Print to File (PDF)" among the printers; see
// cReportPrinter.h for the dialog and its test hook), landscape unless the
// user turns it, then prints the chart on one page. A cancelled dialog prints
// nothing.
TPrintOutcome PrintChart(const TBeam& Beam, TDrawingType Type, const TChartTitleBlock& Block, QWidget* Parent);
