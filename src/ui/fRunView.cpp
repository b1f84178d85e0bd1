#include "ui/fRunView.h"

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

TRunView::TRunView(TfrmMain& Window, QTabWidget& ResultsArea) : window_(Window), area_(ResultsArea) {
  worker_ = new TRunWorker(this);
  summary_ = new TSummaryResultsPage;
  graphics_ = new TGraphicsPage;
  results_page_ = new TAnalysisResultsPage(Window);
  // The Graphics page is shown once there are results.
  area_.addTab(summary_, QStringLiteral("Summary Results"));
  area_.addTab(graphics_, QStringLiteral("Graphics"));
  area_.setTabVisible(area_.indexOf(graphics_), false);

  connect(graphics_, &TGraphicsPage::LogLine, &window_, &TfrmMain::AddLogLine);
  connect(summary_, &TSummaryResultsPage::SectionStepRequested, this, &TRunView::StepBeamSection);
  connect(results_page_, &TAnalysisResultsPage::ExportRequested, this, [this] {
    if (QAction* export_results = window_.Command(QStringLiteral("actExportResults")); export_results->isEnabled())
      ExportResults();
  });
  connect(results_page_, &TAnalysisResultsPage::PrintRequested, this, &TRunView::PrintResults);
  connect(results_page_, &TAnalysisResultsPage::CalculationRequested, this, &TRunView::SaveCalculationReport);
  connect(worker_, &TRunWorker::LogLine, &window_, &TfrmMain::AddLogLine);
  connect(worker_, &TRunWorker::StatusText, &window_, &TfrmMain::SetStatusText);
  connect(worker_, &TRunWorker::SummaryReady, this, &TRunView::OnRunSummary);
  connect(worker_, &TRunWorker::Progress, &window_, &TfrmMain::ShowProgress);
  connect(worker_, &TRunWorker::Finished, this, &TRunView::OnRunFinished);
}

TRunView::~TRunView() {
  delete worker_;
  worker_ = nullptr;
  if (!results_page_taken_) delete results_page_;
}

TAnalysisResultsPage* TRunView::TakeResultsPage() {
  results_page_taken_ = true;
  // The page's buttons are the Print, Export Results and Calculation Report commands.
  for (auto [name, button] : {std::pair{"actPrint", results_page_->btnPrint()},
                              std::pair{"actExportResults", results_page_->btnExport()},
                              std::pair{"actCalculationReport", results_page_->btnCalculation()}}) {
    QAction* command = window_.Command(QString::fromLatin1(name));
    button->setEnabled(command->isEnabled());
    connect(command, &QAction::enabledChanged, button, &QWidget::setEnabled);
  }
  return results_page_;
}

void TRunView::Analyse() { ProduceResults(TRunKind::Analysis); }

void TRunView::Design() { ProduceResults(TRunKind::Design); }

bool TRunView::IsRunning() const { return worker_ && worker_->IsRunning(); }

void TRunView::CancelRun() {
  if (!IsRunning()) return;
  window_.SetStatusText(QStringLiteral("Cancelling..."));
  worker_->Cancel();
}

void TRunView::WaitForRun() {
  if (worker_) worker_->Wait();
}

void TRunView::ClearResultsDisplay() {
  summary_->ClearResultsDisplay();
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
void TRunView::ProduceResults(TRunKind Kind) {
  const QString refused = QStringLiteral("Analysis not started: ");
  if (IsRunning() || !window_.ValidateActiveControl(refused) || !window_.ValidateBeamInput(refused)) return;
  window_.AddLogLine(Kind == TRunKind::Design ? QStringLiteral("Starting design...") : QStringLiteral("Running analysis..."));
  window_.UpdateProjectFromScreens();
  area_.setCurrentWidget(summary_);

  // A Design marks the sections now; a cancelled run puts the project back as it was.
  worker_->Prepare(window_.Project(), window_.Session(), Kind);
  ClearResultsDisplay();
  const TStatus validation = ValidateForAnalysis(window_.Session(), window_.Project());
  for (const TStatusLine& line : validation.ErrorList()) window_.AddLogLine(ToQ(line.Text));
  if (!validation.IsOK()) {
    const QString message = ToQ(validation.ErrorMsg);
    if (!message.isEmpty())
      ShowMessage(&window_, validation.ErrorLevel >= elError ? TMessageKind::Error : TMessageKind::Warning, message);
    window_.SetStatusText(message);
    for (int side = 0; side < 3; ++side) {
      if (!window_.Project().GetHasBeam(side) || window_.Project().GetBeam(side)->Status.IsOK()) continue;
      // The cross, with the section; the error text stays empty until a run.
      TBeamSummary failed = BeamSummary(window_.Project(), side, std::string());
      failed.ErrorText.clear();
      summary_->ShowSummaryPanel(failed);
    }
    results_page_->ClearResultsTree(QStringLiteral("The project could not be analysed.\n\nThe Event Log lists what "
                                                   "needs attention."));
    window_.ShowEventLogPage();
    return;
  }

  // The report's page layout for printing.
  saved_results_ = TPrintableStringList();
  SetReportPageLayout(saved_results_, ToStd(window_.DefaultFileName()), window_.Project().Project);

  run_kind_ = Kind;
  window_.SetDataChangedSinceCalc(true);
  results_page_->ClearResultsTree(QStringLiteral("Analysing..."));
  graphics_->ClearResults(QStringLiteral("Analysing..."));
  results_page_->SetDisplayOptionsVisible(true);
  window_.StartProgress(QStringLiteral("%v of %m beams"), window_.Project().BeamCount());
  window_.SetLocked(true);
  worker_->Start(window_.DefaultFileName());
}

void TRunView::OnRunSummary(const TBeamSummary& Summary) { summary_->ShowSummaryPanel(Summary); }

void TRunView::OnRunFinished(const TRunWorkerOutcome& Outcome) {
  window_.SetLocked(false);
  const TResult& result = Outcome.Result;
  if (result.IsCancelled()) {
    ClearResultsDisplay();
    window_.AddLogLine(ToQ(result.Message()));
    window_.SetStatusText(ToQ(result.Message()));
    return;
  }
  if (result.IsFailed()) {
    ClearResultsDisplay();
    window_.AddLogLine(ToQ(result.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(result.Message()));
    return;
  }
  saved_results_.Lines.clear();
  for (const QString& line : Outcome.ReportLines) saved_results_.Add(ToStd(line));
  window_.SetDataChangedSinceCalc(false);
  results_page_->BuildResultsTree(saved_results_.Lines);
  summary_->ShowVibration(VibrationSummary(window_.Project().Vibration));
  window_.RefreshCommands();
  // Engineers expect to see their beams: the charts come with every result.
  graphics_->SetResults(window_.Project(), window_.DefaultFileName());
  area_.setTabVisible(area_.indexOf(graphics_), true);
  // A design changes the beams' sections: the pages show the sections chosen.
  if (run_kind_ == TRunKind::Design) {
    window_.RefreshScreensAfterDesign();
    window_.SetDataChangedSinceSave(true);
  }
  // The last line of every run, as the command line ends its own.
  window_.AddLogLine(run_kind_ == TRunKind::Design ? QStringLiteral("Design complete")
                                                   : QStringLiteral("Analysis complete"));
}

void TRunView::ExportResults() {
  if (IsRunning()) return;
  // The project's own name with ".csv"; an untitled project proposes the
  // program's name, in the work folder when the program's folder is not the user's to write.
  QString proposed = ToQ(DeriveFileName(ToStd(window_.DefaultFileName()), "", ".csv"));
  if (window_.DefaultFileName().isEmpty() && !QFileInfo(QFileInfo(proposed).absolutePath()).isWritable())
    proposed = WorkFolder() + QFileInfo(proposed).fileName();
  const QString file = AskSaveFileName(&window_, QStringLiteral("Export Results"), proposed,
                                       QStringLiteral("Results files (*.csv);;All files (*.*)"), QStringLiteral("csv"));
  if (file.isEmpty()) return;
  window_.AddLogLine(QStringLiteral("Exporting analysis results to ") + file);
  if (const TResult checked = CheckWindowOutput(file, window_.DefaultFileName()); !checked) {
    window_.AddLogLine(ToQ(checked.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(checked.Message()));
    return;
  }
  std::string text;
  for (const std::string& line : saved_results_.Lines) text += line + "\r\n";
  if (const TResult written = WriteFileAtomic(ToStd(file), text); !written)
    ShowMessage(&window_, TMessageKind::Error,
                QStringLiteral("Unable to save to file ") + file + QStringLiteral("\r\n") +
                    QStringLiteral("The file may be being used by another program"));
}

// Beam Side analysed again with the next (Step +1) or previous (-1) section
// of its type and grade in the library; at either end of the range the
// section stays and the beam is analysed again all the same.
void TRunView::StepBeamSection(int Side, int Step) {
  if (IsRunning() || !window_.ValidateActiveControl(QStringLiteral("Analysis not started: "))) return;
  const QString grade = summary_->Text(Side, TSummaryResultsPage::colGrade);
  if (grade.isEmpty()) return;  // a custom section has no neighbours
  const QString name = ToQ(
      window_.Session().NeighbourSection(ToStd(grade), ToStd(summary_->Text(Side, TSummaryResultsPage::colSection)), Step));
  // What the pages hold goes into the project first, so that the new section is all that changes.
  window_.UpdateProjectFromScreens();
  summary_->SetSection(Side, grade, name);
  TImportedBeam& beam = *window_.Project().GetBeam(Side);
  for (int i = 0; i < beam.SteelSectionList.Count(); ++i) {
    TSteelSection& section = *beam.SteelSection(i);
    section.Name = ToStd(name);
    section.LoadFromLibrary(window_.Session().SteelSectionLibrary);
  }
  if (Side == window_.CurrentBeamSide()) window_.FillBeamPages(Side, true);
  window_.InputChanged(true);
  Analyse();
}

// The paged report through the print dialog, which also offers PDF.
void TRunView::PrintResults() {
  if (window_.HasDataChangedSinceCalc() || IsRunning()) return;
  window_.AddLogLine(QStringLiteral("Printing results"));
  ShowPrinted(PrintText(saved_results_, 0, &window_));
}

void TRunView::ShowPrinted(const TPrintOutcome& Printed) {
  if (Printed.Result.IsCancelled()) return;
  if (!Printed.Result) {
    window_.AddLogLine(ToQ(Printed.Result.Message()));
    ShowMessage(&window_, TMessageKind::Error, ToQ(Printed.Result.Message()));
    return;
  }
  window_.SetStatusText(Printed.PagesPrinted == 1 ? QStringLiteral("Printed 1 page")
                                                  : QStringLiteral("Printed %1 pages").arg(Printed.PagesPrinted));
}

void TRunView::HideErrors() { summary_->HideErrors(); }

void TRunView::SetStepButtonsEnabled(bool IsEnabled) { summary_->SetStepButtonsEnabled(IsEnabled); }
