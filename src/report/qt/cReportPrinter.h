// Printing the results report (a TPrintableStringList) with Qt Print Support:
// the paged table of report lines with its header and footer, on a printer
// chosen in the print dialog (which also offers "Print to File (PDF)"), or
// straight into a PDF file with no dialog.
//
// The layout of the pages (margins, columns scaled to the page, rows, page
// breaks, placeholders) is report/cPrintableStringList.h's PlanPrintedPages;
// this unit measures with the printer's font ("Tahoma" 9 pt, or the closest
// font the system has; 8 pt for the header and footer) and draws the plan.
//
// Typical use by the window's Print command:
//
//   TPrintOutcome printed = PrintText(SavedResults, 0, this);
//   if (printed.Result.IsFailed()) ShowMessage(..., printed.Result.Message());
//
// and by the command line: WriteReportPdf(Report, "report.pdf").
//
// Preconditions: a QGuiApplication exists (a QApplication for the dialog);
// call on its thread. A line taller than a page ("Line too long to fit on
// single page.") prints nothing at all and is reported in the outcome.
#pragma once

#include <QByteArray>
#include <ctime>
#include <functional>
#include <string>

#include "entity/cResult.h"
#include "report/cPrintableStringList.h"

class QPagedPaintDevice;
class QPrintDialog;
class QPrinter;
class QWidget;

struct TPrintOutcome {
  // A failure says why nothing was printed; cancelled: the user cancelled the
  // print dialog, and nothing was printed.
  TResult Result;
  int PageCount = 0;         // pages one copy of the whole document takes
  int PagesPrinted = 0;      // pages produced, all copies together
};

// Prints List on Device: pages FromPage to ToPage (1-based; ToPage 0 or less
// means to the end), Copies times with a page break between copies, dated Now
// ("&[Date]", "&[Time]").
TPrintOutcome PrintTextOn(QPagedPaintDevice& Device, const TPrintableStringList& List, int FromPage, int ToPage,
                          int Copies, std::time_t Now);

// The print dialog for a document of up to MaxPage pages: page range choice
// on and preset to all pages, copies, and "Print to File (PDF)" among the
// printers. The caller runs it (exec) and owns it.
QPrintDialog* MakePrintDialog(QPrinter& Printer, int MaxPage, QWidget* Parent);

// Stands in for the print dialog in tests: receives the printer as the dialog
// would show it (all pages of 1 to MaxPage), may choose a range, copies or a
// PDF output file on it, and returns true for Print, false for Cancel.
using TPrintDialogHook = std::function<bool(QPrinter& Printer, int MaxPage)>;
// Installs Hook for every later print dialog of this unit; an empty hook
// restores the real dialog. Interface thread only.
void SetPrintDialogHook(TPrintDialogHook Hook);
// Shows the print dialog (or its hook) for Printer; true when the user chose Print.
bool ExecPrintDialog(QPrinter& Printer, int MaxPage, QWidget* Parent);

// Shows the print dialog with pages 1 to MaxPages (99 when MaxPages is 0),
// then prints List: the chosen page range, or every page when all pages are
// chosen (at most MaxPages when it is given); the copies asked for, made by
// the printer when it can, else by printing the document that many times.
// The document is named after the report's project file ("&[File]"), so that
// "Print to File (PDF)" proposes that name with ".pdf".
TPrintOutcome PrintText(const TPrintableStringList& List, int MaxPages, QWidget* Parent);

// The paged report as PDF (A4 portrait, 1200 dots per inch, no page margins
// of its own beyond the report's), dated Now.
TPrintOutcome ReportPdf(const TPrintableStringList& List, std::time_t Now, QByteArray& Pdf);
// Writes the paged report as a PDF file through a temporary file, dated now: a
// failure (in Result) leaves an existing file as it was.
TPrintOutcome WriteReportPdf(const TPrintableStringList& List, const std::string& File);
