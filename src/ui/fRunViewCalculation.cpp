// The calculation report from the main window: the last results' report
// saved as PDF or HTML where the user chooses, or sent to a printer through
// the print dialog. Both need results that match the input (the same rule as
// Print); the report itself is built in the core (project/cCalculationReport.h).
#include <QFileInfo>

#include <ctime>

#include "entity/VEXUtility.h"
#include "project/cCalculationReport.h"
#include "report/qt/cCalcRender.h"
#include "ui/cMessages.h"
#include "ui/cUiUtility.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"

namespace {

TCalcDocument CalculationReportOf(const TProject& Project, const TSession& Session, const QString& ProjectFile) {
  TCalcReportOptions options;
  options.ProjectFileName = ToStd(ProjectFile);
  options.Date = std::time(nullptr);
  options.FloorUse = FloorUseNameOf(Session, Project);
  return BuildCalculationReport(Project, options);
}

}  // namespace

void TRunView::SaveCalculationReport() {
  if (window_.HasDataChangedSinceCalc() || IsRunning()) return;
  // The project's own name with ".pdf"; an untitled project proposes the
  // program's name, in the work folder when the program's folder is not the user's to write.
  QString proposed = ToQ(DeriveFileName(ToStd(window_.DefaultFileName()), "-calculation", ".pdf"));
  if (window_.DefaultFileName().isEmpty() && !QFileInfo(QFileInfo(proposed).absolutePath()).isWritable())
    proposed = WorkFolder() + QFileInfo(proposed).fileName();
  const QString file =
      AskSaveFileName(&window_, QStringLiteral("Calculation Report"), proposed,
                      QStringLiteral("PDF files (*.pdf);;HTML files (*.html *.htm)"), QStringLiteral("pdf"));
  if (file.isEmpty()) return;
  window_.AddLogLine(QStringLiteral("Writing the calculation report to ") + file);
  TResult checked = CheckWindowOutput(file, window_.DefaultFileName());
  if (checked && CalcFormatOf(ToStd(file)) == TCalcFormat::None) checked = TResult::Failure(CalcFormatError(ToStd(file)));
  if (!checked) {
    window_.AddLogLine(ToQ(checked.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(checked.Message()));
    return;
  }
  const TPrintOutcome written = WriteCalculationReport(
      CalculationReportOf(window_.Project(), window_.Session(), window_.DefaultFileName()), ToStd(file));
  if (!written.Result) {
    window_.AddLogLine(ToQ(written.Result.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(written.Result.Message()));
    return;
  }
  window_.SetStatusText(QStringLiteral("Calculation report written to ") + file);
}

void TRunView::PrintCalculationReport() {
  if (window_.HasDataChangedSinceCalc() || IsRunning()) return;
  window_.AddLogLine(QStringLiteral("Printing the calculation report"));
  ShowPrinted(PrintCalculation(CalculationReportOf(window_.Project(), window_.Session(), window_.DefaultFileName()),
                               &window_));
}
