// Analyse and Design from the main window: the checks before a run, the run
// on the worker thread with its progress, and the results it brings back:
// the summary lines, the results tree, Export and Print, and the up and down
// buttons that analyse a beam again with its neighbouring library section.
#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>

#include "components/cSteelSection.h"
#include "entity/VEXFiles.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "report/qt/cReportPrinter.h"
#include "ui/cMessages.h"
#include "ui/cRunWorker.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fGraphicsPage.h"
#include "ui/fMain.h"
#include "ui/fResultsPage.h"

void TfrmMain::Analyse() { ProduceResults(TRunKind::Analysis); }

void TfrmMain::Design() { ProduceResults(TRunKind::Design); }

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
  if (!results_page_) return;  // the window is still being created
  const QString reason =
      saved_results_.Lines.empty()
          ? QString()
          : QStringLiteral("The input has changed since the last analysis.\n\nChoose Analyse or Design to see up-to-date "
                           "results.");
  results_page_->ClearResultsTree(reason);
  graphics_->ClearResults(reason);
}

// The presentation around a run: the checks and the page layout of the report
// here; the summary lines as each beam ends; the results tree when the run ends.
void TfrmMain::ProduceResults(TRunKind Kind) {
  const QString refused = QStringLiteral("Analysis not started: ");
  if (IsRunning() || !ValidateActiveControl(refused) || !ValidateBeamInput(refused)) return;
  AddLogLine(Kind == TRunKind::Design ? QStringLiteral("Starting design...") : QStringLiteral("Running analysis..."));
  UpdateProjectFromScreens();
  results_->setCurrentWidget(summary_);

  // A Design marks the sections now; a cancelled run puts the project back as it was.
  worker_->Prepare(*project_, *session_, Kind);
  ClearResultsDisplay();
  const TStatus validation = ValidateForAnalysis(*session_, *project_);
  for (const TStatusLine& line : validation.ErrorList()) AddLogLine(ToQ(line.Text));
  if (!validation.IsOK()) {
    const QString message = ToQ(validation.ErrorMsg);
    if (!message.isEmpty())
      ShowMessage(this, validation.ErrorLevel >= elError ? TMessageKind::Error : TMessageKind::Warning, message);
    SetStatusText(message);
    for (int side = 0; side < 3; ++side) {
      if (!project_->GetHasBeam(side) || project_->GetBeam(side)->Status.IsOK()) continue;
      // The cross, with the section; the error text stays empty until a run.
      TBeamSummary failed = BeamSummary(*project_, side, std::string());
      failed.ErrorText.clear();
      summary_->ShowSummaryPanel(failed);
    }
    results_page_->ClearResultsTree(QStringLiteral("The project could not be analysed.\n\nThe Event Log lists what "
                                                   "needs attention."));
    ShowEventLogPage();
    return;
  }

  // The report's page layout for printing.
  saved_results_ = TPrintableStringList();
  SetReportPageLayout(saved_results_, ToStd(default_file_name_), project_->Project);
  Command(QStringLiteral("actExportResults"))->setEnabled(false);

  run_kind_ = Kind;
  SetDataChangedSinceCalc(true);
  results_page_->ClearResultsTree(QStringLiteral("Analysing..."));
  graphics_->ClearResults(QStringLiteral("Analysing..."));
  results_page_->SetDisplayOptionsVisible(true);
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

void TfrmMain::OnRunFinished(const TRunWorkerOutcome& Outcome) {
  SetRunning(false);
  const TResult& result = Outcome.Result;
  if (result.IsCancelled()) {
    ClearResultsDisplay();
    AddLogLine(ToQ(result.Message()));
    SetStatusText(ToQ(result.Message()));
    return;
  }
  if (result.IsFailed()) {
    ClearResultsDisplay();
    AddLogLine(ToQ(result.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(result.Message()));
    return;
  }
  saved_results_.Lines.clear();
  for (const QString& line : Outcome.ReportLines) saved_results_.Add(ToStd(line));
  SetDataChangedSinceCalc(false);
  results_page_->BuildResultsTree(saved_results_.Lines);
  summary_->ShowVibration(VibrationSummary(project_->Vibration));
  Command(QStringLiteral("actExportResults"))->setEnabled(!saved_results_.Lines.empty());
  // Engineers expect to see their beams: the charts come with every result.
  graphics_->SetResults(*project_, default_file_name_);
  results_->setTabVisible(results_->indexOf(graphics_), true);
  // A design changes the beams' sections: the pages show the sections chosen.
  if (run_kind_ == TRunKind::Design) {
    RefreshScreensAfterDesign();
    SetDataChangedSinceSave(true);
  }
}

void TfrmMain::ExportResults() {
  if (IsRunning()) return;
  // The project's own name with ".csv"; an untitled project proposes the
  // program's name, in the work folder when the program's folder is not the user's to write.
  QString proposed = ToQ(DeriveFileName(ToStd(default_file_name_), "", ".csv"));
  if (default_file_name_.isEmpty() && !QFileInfo(QFileInfo(proposed).absolutePath()).isWritable())
    proposed = WorkFolder() + QFileInfo(proposed).fileName();
  const QString file = AskSaveFileName(this, QStringLiteral("Export Results"), proposed,
                                       QStringLiteral("Results files (*.csv);;All files (*.*)"), QStringLiteral("csv"));
  if (file.isEmpty()) return;
  AddLogLine(QStringLiteral("Exporting analysis results to ") + file);
  if (const TResult checked = CheckWindowOutput(file, default_file_name_); !checked) {
    AddLogLine(ToQ(checked.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(checked.Message()));
    return;
  }
  std::string text;
  for (const std::string& line : saved_results_.Lines) text += line + "\r\n";
  if (const TResult written = WriteFileAtomic(ToStd(file), text); !written)
    ShowMessage(this, TMessageKind::Error,
                QStringLiteral("Unable to save to file ") + file + QStringLiteral("\r\n") +
                    QStringLiteral("The file may be being used by another program"));
}

// Beam Side analysed again with the next (Step +1) or previous (-1) section
// of its type and grade in the library; at either end of the range the
// section stays and the beam is analysed again all the same.
void TfrmMain::StepBeamSection(int Side, int Step) {
  if (IsRunning() || !ValidateActiveControl(QStringLiteral("Analysis not started: "))) return;
  const QString grade = summary_->Text(Side, TSummaryResultsPage::colGrade);
  if (grade.isEmpty()) return;  // a custom section has no neighbours
  const QString name = ToQ(
      session_->NeighbourSection(ToStd(grade), ToStd(summary_->Text(Side, TSummaryResultsPage::colSection)), Step));
  // What the pages hold goes into the project first, so that the new section is all that changes.
  UpdateProjectFromScreens();
  summary_->SetSection(Side, grade, name);
  TImportedBeam& beam = *project_->GetBeam(Side);
  for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
    TSteelSection& section = *beam.SteelSection(i);
    section.Name = ToStd(name);
    section.LoadFromLibrary(session_->SteelSectionLibrary);
  }
  if (Side == current_beam_) FillBeamPages(Side, true);
  InputChanged(true);
  Analyse();
}

// The paged report through the print dialog, which also offers PDF.
void TfrmMain::PrintResults() {
  if (changed_since_calc_ || IsRunning()) return;
  AddLogLine(QStringLiteral("Printing results"));
  const TPrintOutcome printed = PrintText(saved_results_, 0, this);
  if (printed.Result.IsCancelled()) return;
  if (!printed.Result) {
    AddLogLine(ToQ(printed.Result.Message()));
    ShowMessage(this, TMessageKind::Error, ToQ(printed.Result.Message()));
    return;
  }
  SetStatusText(printed.PagesPrinted == 1 ? QStringLiteral("Printed 1 page")
                                          : QStringLiteral("Printed %1 pages").arg(printed.PagesPrinted));
}
