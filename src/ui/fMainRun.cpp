// Analyse and Design from the main window: the checks before a run, the run
// on the worker thread with its progress, and the results it brings back.
#include <QAction>
#include <QFile>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextDocument>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cSession.h"
#include "ui/cMessages.h"
#include "ui/cRunWorker.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fMain.h"

void TfrmMain::Analyse() { StartRun(TRunKind::Analysis); }

void TfrmMain::Design() { StartRun(TRunKind::Design); }

bool TfrmMain::IsRunning() const { return worker_ && worker_->IsRunning(); }

void TfrmMain::CancelRun() {
  if (!IsRunning()) return;
  cancel_->setEnabled(false);
  SetStatusText(QStringLiteral("Cancelling..."));
  worker_->Cancel();
}

void TfrmMain::WaitForRun() {
  if (worker_) worker_->Wait();
}

void TfrmMain::ClearResultsDisplay() {
  summary_->ClearResultsDisplay();
}

void TfrmMain::StartRun(TRunKind Kind) {
  if (IsRunning() || !ValidateActiveControl()) return;
  AddLogLine(Kind == TRunKind::Design ? QStringLiteral("Starting design...") : QStringLiteral("Running analysis..."));
  UpdateProjectFromScreens();
  results_->setCurrentWidget(summary_);

  // A Design marks the sections now; a cancelled run puts the project back as it was.
  worker_->Prepare(*project_, *session_, Kind);
  ClearResultsDisplay();
  const TRunValidation validation = TRunWorker::Validate(*session_, *project_);
  for (const QString& line : validation.Lines) AddLogLine(line);
  if (!validation.IsOK) {
    if (!validation.ErrorMsg.isEmpty())
      ShowMessage(this, validation.IsError ? TMessageKind::Error : TMessageKind::Warning, validation.ErrorMsg);
    SetStatusText(validation.ErrorMsg);
    for (int side = 0; side < 3; ++side) {
      if (!project_->GetHasBeam(side) || project_->GetBeam(side)->Status.IsOK()) continue;
      // The cross, with the section; the error text stays empty until a run.
      TBeamSummary failed = BeamSummary(*project_, side, std::string());
      failed.ErrorText.clear();
      summary_->ShowSummaryPanel(failed);
    }
    ShowEventLogPage();
    return;
  }

  // The report's page layout for printing.
  saved_results_ = TPrintableStringList();
  const double widths[] = {2.6, 1.6, 1.7, 1.6};
  for (int c = 0; c < 4; ++c) saved_results_.SetColWidths(c, widths[c]);
  saved_results_.SetParameter("&[File]", ToStd(default_file_name_));
  saved_results_.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kLeft,
                                 GetAppName() + "/" + GetAppVersionShort());
  saved_results_.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kCentre, "&[Page]");
  saved_results_.SetHeaderFooter(TPrintableStringList::kBottom, TPrintableStringList::kRight, "&[Date]");
  saved_results_.MaxColCount = 11;

  run_kind_ = Kind;
  SetDataChangedSinceCalc(true);
  progress_->setRange(0, std::max(1, project_->BeamCount()));
  progress_->setValue(0);
  progress_->setFormat(QStringLiteral("%v of %m beams"));
  SetRunning(true);
  worker_->Start(default_file_name_);
}

void TfrmMain::OnRunSummary(const TBeamSummary& Summary) { summary_->ShowSummaryPanel(Summary); }

void TfrmMain::OnRunProgress(int BeamsDone, int BeamCount, const QString& Activity) {
  progress_->setRange(0, std::max(1, BeamCount));
  progress_->setValue(BeamsDone);
  if (!Activity.isEmpty()) SetStatusText(Activity);
}

void TfrmMain::OnRunFinished(const TRunResult& Result) {
  SetRunning(false);
  switch (Result.Outcome) {
    case TRunEnd::Completed:
      saved_results_.Lines.clear();
      for (const QString& line : Result.ReportLines) saved_results_.Add(ToStd(line));
      SetDataChangedSinceCalc(false);
      // A design changes the beams' sections: the pages show the sections chosen.
      if (run_kind_ == TRunKind::Design) {
        RefreshScreensAfterDesign();
        SetDataChangedSinceSave(true);
      }
      break;
    case TRunEnd::Cancelled:
      ClearResultsDisplay();
      AddLogLine(QStringLiteral("Analysis cancelled"));
      SetStatusText(QStringLiteral("Analysis cancelled"));
      break;
    case TRunEnd::Failed:
      ClearResultsDisplay();
      AddLogLine(Result.ErrorMsg);
      ShowMessage(this, TMessageKind::Error, Result.ErrorMsg);
      break;
  }
}

// Prints the report lines of the last run as plain text.
void TfrmMain::PrintResults() {
  if (changed_since_calc_) return;
  AddLogLine(QStringLiteral("Printing results"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(ToQ(GetAppName()) + QStringLiteral(" results"));
  QPrintDialog dialog(&printer, this);
  if (dialog.exec() != QDialog::Accepted) return;
  QString text;
  for (const std::string& line : saved_results_.PrintableLines()) text += ToQ(line) + QLatin1Char('\n');
  QTextDocument document;
  document.setDefaultFont(QFont(QStringLiteral("Monospace"), 8));
  document.setPlainText(text);
  document.print(&printer);
}
