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

namespace {

TCalcDocument CalculationReportOf(const TProject& Project, const TSession& Session, const QString& ProjectFile) {
  TCalcReportOptions options;
  options.ProjectFileName = ToStd(ProjectFile);
  options.Date = std::time(nullptr);
  options.FloorUse = FloorUseNameOf(Session, Project);
  return BuildCalculationReport(Project, options);
}

}  // namespace

void TfrmMain::SaveCalculationReport() {
  if (HasDataChangedSinceCalc() || IsRunning()) return;
  // The project's own name with ".pdf"; an untitled project proposes the
  // program's name, in the work folder when the program's folder is not the user's to write.
  QString proposed = ToQ(DeriveFileName(ToStd(DefaultFileName()), "-calculation", ".pdf"));
  if (DefaultFileName().isEmpty() && !QFileInfo(QFileInfo(proposed).absolutePath()).isWritable())
    proposed = WorkFolder() + QFileInfo(proposed).fileName();
  const QString file =
      AskSaveFileName(this, QStringLiteral("Calculation Report"), proposed,
                      QStringLiteral("PDF files (*.pdf);;HTML files (*.html *.htm)"), QStringLiteral("pdf"));
  if (file.isEmpty()) return;
  AddLogLine(QStringLiteral("Writing the calculation report to ") + file);
  TResult checked = CheckWindowOutput(file, DefaultFileName());
  if (checked && CalcFormatOf(ToStd(file)) == TCalcFormat::None) checked = TResult::Failure(CalcFormatError(ToStd(file)));
  if (!checked) {
    AddLogLine(ToQ(checked.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(checked.Message()));
    return;
  }
  const TPrintOutcome written =
      WriteCalculationReport(CalculationReportOf(Project(), Session(), DefaultFileName()), ToStd(file));
  if (!written.Result) {
    AddLogLine(ToQ(written.Result.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(written.Result.Message()));
    return;
  }
  SetStatusText(QStringLiteral("Calculation report written to ") + file);
}

void TfrmMain::PrintCalculationReport() {
  if (HasDataChangedSinceCalc() || IsRunning()) return;
  AddLogLine(QStringLiteral("Printing the calculation report"));
  const TPrintOutcome printed = PrintCalculation(CalculationReportOf(Project(), Session(), DefaultFileName()), this);
  if (printed.Result.IsCancelled()) return;
  if (!printed.Result) {
    AddLogLine(ToQ(printed.Result.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(printed.Result.Message()));
    return;
  }
  SetStatusText(printed.PagesPrinted == 1 ? QStringLiteral("Printed 1 page")
                                          : QStringLiteral("Printed %1 pages").arg(printed.PagesPrinted));
}
