// The calculation report (report/cCalcDocument.h) rendered: as PDF pages
// (A4 portrait, vector text in an embedded font that can be selected and
// searched, figures as vectors, the title block with "Page n of N" on every
// page) on a PDF file, a printer or any paged device; and as one
// self-contained HTML file with its figures as inline SVG. Both come from the
// same document, so they say the same.
//
// Layout rules of the pages: a level-1 heading starts a new page and names
// the subject the title block shows from that page on; a heading stays with
// what follows it; formula lines and figures are never split across pages;
// a table splits between rows and repeats its heading row. Text wraps only
// at blanks: a token (a section name, a number with its unit, which the
// document joins with a no-break space) is never broken across lines. A
// table too wide for the page is set in a smaller type until its widest
// tokens fit; only a token wider than the whole text width would break.
//
// Typical use:
//
//   TCalcDocument doc = BuildCalculationReport(project, options);
//   TPrintOutcome written = WriteCalculationReport(doc, "calc.pdf");   // or "calc.html"
//   if (!written.Result) ... written.Result.Message()
//   TPrintOutcome printed = PrintCalculation(doc, this);                // the print dialog
//
// Preconditions: a QGuiApplication exists (report/qt/cHeadlessGui.h for the
// command line; a QApplication for the print dialog); call on its thread.
// Files are written through a temporary file: a failure leaves an existing
// file as it was.
#pragma once

#include <QByteArray>
#include <string>

#include "entity/cResult.h"
#include "report/cCalcDocument.h"
#include "report/qt/cReportPrinter.h"

class QPagedPaintDevice;
class QWidget;

// The pages of the document on Device, pages FromPage to ToPage (1-based;
// ToPage 0 or less: to the end), Copies times. PageCount: pages of the whole
// document.
TPrintOutcome PrintCalculationOn(QPagedPaintDevice& Device, const TCalcDocument& Document, int FromPage = 1,
                                 int ToPage = 0, int Copies = 1);
// The document as PDF: A4 portrait, 1200 dots per inch.
TPrintOutcome CalculationPdf(const TCalcDocument& Document, QByteArray& Pdf);
// The print dialog (its test hook is cReportPrinter.h's) with the document's
// pages, then the pages chosen; a cancelled dialog prints nothing.
TPrintOutcome PrintCalculation(const TCalcDocument& Document, QWidget* Parent);

// The document as one HTML file (UTF-8), figures as inline SVG.
std::string CalculationHtml(const TCalcDocument& Document);
// A drawing as an SVG element of its own size (for the HTML and its tests).
std::string DrawingSvg(const TChartDrawing& Drawing, const std::string& Title);

// The report's format by its file name: ".pdf", or ".html" / ".htm"
// (letter case ignored).
enum class TCalcFormat { None, Pdf, Html };
TCalcFormat CalcFormatOf(const std::string& File);
// The message for a file name of no report format: "Cannot write the
// calculation report to [File]: the file name must end in .pdf or .html".
std::string CalcFormatError(const std::string& File);
// Writes the document to File in the format its name says (PDF or HTML);
// fails, writing nothing, for any other name.
TPrintOutcome WriteCalculationReport(const TCalcDocument& Document, const std::string& File);
