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

  // The project as it was, to come back to if the run is cancelled.
  SaveStateSnapshot();
  if (Kind == TRunKind::Design) TRunWorker::MarkForDesign(*project_, *session_);
  ClearResultsDisplay();
  const TRunValidation validation = TRunWorker::Validate(*session_, *project_);
  for (const QString& line : validation.Lines) AddLogLine(line);
  if (!validation.IsOK) {
    QFile::remove(StateSnapshotFile());
    if (!validation.ErrorMsg.isEmpty())
      ShowMessage(this, validation.IsError ? TMessageKind::Error : TMessageKind::Warning, validation.ErrorMsg);
    SetStatusText(validation.ErrorMsg);
    for (int side = 0; side < 3; ++side) {
      if (!project_->GetHasBeam(side) || project_->GetBeam(side)->Status.IsOK()) continue;
      TBeamSummary failed;
      failed.Side = side;
      const TSteelSection* s = project_->GetBeam(side)->SteelSectionList.Count() > 0
                                   ? project_->GetBeam(side)->SteelSection(0) : nullptr;
      if (s) {
        failed.Grade = s->BaseSteelSection.IsStandard ? ToQ(s->Grade) : QString();
        failed.SectionName = s->BaseSteelSection.IsStandard ? ToQ(s->Name) : ToQ(s->SectionType);
      }
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
  worker_->Start(*project_, *session_, default_file_name_);
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
    case TRunOutcome::Completed:
      QFile::remove(StateSnapshotFile());
      saved_results_.Lines.clear();
      for (const QString& line : Result.ReportLines) saved_results_.Add(ToStd(line));
      SetDataChangedSinceCalc(false);
      // A design changes the beams' sections: the pages show the sections chosen.
      if (run_kind_ == TRunKind::Design) {
        RefreshScreensAfterDesign();
        SetDataChangedSinceSave(true);
      }
      break;
    case TRunOutcome::Cancelled:
      RestoreStateSnapshot();
      ClearResultsDisplay();
      AddLogLine(QStringLiteral("Analysis cancelled"));
      SetStatusText(QStringLiteral("Analysis cancelled"));
      break;
    case TRunOutcome::Failed:
      RestoreStateSnapshot();
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
