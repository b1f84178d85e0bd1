// Pictures of the program as a person first meets it, for review: the
// conditions-of-use box, the main window with the sample project opened and
// analysed (summary results and Event Log), every page of the navigation
// tree for the sample at 1600 x 1000, each chart of the Graphics page, the
// printed chart and the printed report (as PDF files), and the window at
// 1024 x 700. Run under an X server (scripts/screenshots starts one
// with Xvfb).
//   trevalon-screenshots OUTPUT_FOLDER
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPixmap>
#include <QPrinter>
#include <QPlainTextEdit>
#include <QThread>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeWidget>
#include <QWindow>

#include <cstdio>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "report/qt/cReportPrinter.h"
#include "ui/cIcons.h"
#include "ui/cMessages.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fAbout.h"
#include "ui/fDesignTablePage.h"
#include "ui/fGeometryPage.h"
#include "ui/fGraphicsPage.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fTestPages.h"

namespace {

void Settle() {
  for (int i = 0; i < 20; ++i) {
    QApplication::processEvents();
    QThread::msleep(20);
  }
}

bool Save(QWidget& Widget, const QString& File) {
  Settle();
  QPixmap picture;
  if (QWindow* window = Widget.windowHandle(); window && window->screen())
    picture = window->screen()->grabWindow(0, Widget.frameGeometry().x(), Widget.frameGeometry().y(),
                                           Widget.frameGeometry().width(), Widget.frameGeometry().height());
  if (picture.isNull()) picture = Widget.grab();
  const bool ok = picture.save(File);
  std::printf("%s %s\n", ok ? "wrote" : "could not write", qPrintable(File));
  return ok;
}

// The sample with a group of regression tests, written to File.
bool WriteSampleWithTests(const QString& File) {
  TSession session;
  TProject project;
  if (!session.LoadLibraries(ToStd(ProgramFile(QString::fromLatin1(kLibraryFileName)))).IsOK()) return false;
  if (!LoadProjectFile(project, session, ToStd(ProgramFile(QString::fromLatin1(kSampleProjectFileName)))).IsOK()) return false;
  auto group = std::make_unique<TTestGroup>();
  group->Group = "Secondary";
  project.TestGroupList.Add("Secondary", std::move(group));
  struct TSpec {
    const char* Name;
    const char* Description;
    std::vector<std::string> Inputs;
    std::vector<TOutput> Outputs;
  };
  const TSpec specs[] = {
      {"Span8", "Secondary span 8 m", {"Geometry.SpacingSide1=8000", "Geometry.SpacingSide2=8000"},
       {{"Beam1.Span", "8000", "", ""}, {"Beam1.SuggestedCamber", "?", "", ""}, {"IsOK", "True", "", ""}}},
      {"Edge", "Edge primary beam", {"Geometry.IsEdgeBeam=1"},
       {{"Geometry.IsEdgeBeam", "True", "", ""}, {"Beam.TotalShearConnectors", "?", "", ""}}},
      {"Heavy", "Heavy live load (expected to fail)", {"Geometry.NominalLiveLoad=12"},
       {{"IsOK", "True", "", ""}, {"Beam1.MaxStrengthRatio", "0.5<1%>", "", ""}}},
  };
  for (const TSpec& spec : specs) {
    auto test = std::make_unique<TTest>();
    test->Group = "Secondary";
    test->Name = spec.Name;
    test->Description = spec.Description;
    test->VersionID = 1;
    test->InputList = spec.Inputs;
    test->OutputList = spec.Outputs;
    project.TestList.Add(spec.Name, std::move(test));
  }
  project.DesignTable.VersionID = 1;
  project.DesignTable.SpanList = {8000, 10000};
  project.DesignTable.SpacingList = {2500, 3000};
  return SaveProjectFile(project, ToStd(File)).IsOK();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Trevalon"));
  QApplication::setWindowIcon(ApplicationIcon());
  if (argc < 2) {
    std::fprintf(stderr, "usage: trevalon-screenshots OUTPUT_FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  // No message box may wait for an answer here.
  SetMessageHook([](const TMessageRequest& r) {
    std::printf("message: %s\n", qPrintable(r.Text));
    return r.Buttons.testFlag(QMessageBox::No) ? QMessageBox::No : QMessageBox::Ok;
  });
  bool ok = true;
  {
    TfrmAbout about(TAboutMode::ConditionsOfUse);
    about.show();
    about.move(40, 40);
    ok = Save(about, out + QStringLiteral("/about.png")) && ok;
  }
  // An engineer's wide screen; the narrow one comes last.
  TfrmMain window;
  window.show();
  window.move(0, 0);
  window.resize(1600, 1000);
  Settle();
  window.Files().OpenUserFile(ProgramFile(QString::fromLatin1(kSampleProjectFileName)));
  window.Run().Analyse();
  window.Run().WaitForRun();
  window.ResultsArea()->setCurrentWidget(window.Run().Summary());
  ok = Save(window, out + QStringLiteral("/main-window.png")) && ok;
  window.ResultsArea()->setCurrentWidget(window.EventLog());
  ok = Save(window, out + QStringLiteral("/main-window-event-log.png")) && ok;

  // Every page of the tree, in tree order.
  window.ResultsArea()->setCurrentWidget(window.Run().Summary());
  struct TShot {
    unsigned Node;
    const char* Page;
    const char* File;
  };
  const TShot shots[] = {
      {2, "General", "page-project-general"},
      {3, "Design factors", "page-design-factors"},
      {4, "Deflection limits", "page-deflection-limits"},
      {12, "Geometry", "page-geometry"},
      {13, "Floor loading", "page-floor-loading"},
      {14, "Slab details", "page-slab-details"},
      {15, "Shear connectors", "page-shear-connectors"},
      {16, "Floor vibration", "page-floor-vibration"},
      {112, "Beam general", "page-secondary-general"},
      {112, "Section definition", "page-secondary-section"},
      {113, "Beam loading", "page-secondary-loading"},
      {102, "Beam general", "page-primary-general"},
      {102, "Section definition", "page-primary-section"},
      {103, "Beam loading", "page-primary-loading"},
      {800, "Analysis results", "page-analysis-results"},
  };
  for (const TShot& shot : shots) {
    if (!window.SelectNode(shot.Node, QString::fromLatin1(shot.Page))) {
      std::printf("could not show %s\n", shot.Page);
      ok = false;
      continue;
    }
    window.Run().WaitForRun();
    ok = Save(window, out + QLatin1Char('/') + QString::fromLatin1(shot.File) + QStringLiteral(".png")) && ok;
  }

  // Each chart of the side-1 secondary beam on the Graphics page.
  window.ResultsArea()->setCurrentWidget(window.Run().GraphicsPage());
  for (int t = 0; t < kDrawingTypeCount; ++t) {
    window.Run().GraphicsPage()->SelectChart(TDrawingType(t));
    ok = Save(window, out + QStringLiteral("/graphics-") + ToQ(DrawingTypeKind(TDrawingType(t))) +
                          QStringLiteral(".png")) && ok;
  }
  // The design envelopes as printed, on A4 landscape; the script turns the page into a picture.
  window.Run().GraphicsPage()->SelectChart(dtDesignEnvelopes);
  SetPrintDialogHook([&out](QPrinter& Printer, int) {
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(out + QStringLiteral("/printed-chart.pdf"));
    Printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  });
  window.Run().GraphicsPage()->PrintChart();
  SetPrintDialogHook({});
  std::printf("wrote %s\n", qPrintable(out + QStringLiteral("/printed-chart.pdf")));
  window.ResultsArea()->setCurrentWidget(window.Run().Summary());

  // The printed report, through the print dialog's PDF choice on A4; the
  // script turns its first page into a picture.
  SetPrintDialogHook([&out](QPrinter& Printer, int) {
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(out + QStringLiteral("/printed-report.pdf"));
    Printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  });
  window.Run().PrintResults();
  // The calculation report, printed the same way; the script turns its first two pages into pictures.
  SetPrintDialogHook([&out](QPrinter& Printer, int) {
    Printer.setOutputFormat(QPrinter::PdfFormat);
    Printer.setOutputFileName(out + QStringLiteral("/calculation-report.pdf"));
    Printer.setPageSize(QPageSize(QPageSize::A4));
    return true;
  });
  window.Run().PrintCalculationReport();
  SetPrintDialogHook({});
  std::printf("wrote %s\n", qPrintable(out + QStringLiteral("/printed-report.pdf")));
  std::printf("wrote %s\n", qPrintable(out + QStringLiteral("/calculation-report.pdf")));

  // The other layouts of the floor: an edge primary beam, then secondary beams alone.
  window.SelectNode(12);
  auto* geometry = qobject_cast<TGeometryPage*>(window.Page(QStringLiteral("Geometry")));
  if (geometry) {
    geometry->chkIsInternal()->click();
    ok = Save(window, out + QStringLiteral("/page-geometry-edge.png")) && ok;
    geometry->chkHasPrimaryBeam()->click();
    ok = Save(window, out + QStringLiteral("/page-geometry-secondary-only.png")) && ok;
  }
  window.SetDataChangedSinceSave(false);

  // A small screen: the information panel gives its width to the tree and the page.
  window.SelectNode(112, QStringLiteral("Beam general"));
  window.resize(1024, 700);
  ok = Save(window, out + QStringLiteral("/main-window-1024x700.png")) && ok;

  // The administrators' screens (--admin): a test, the test results, the design table.
  {
    TfrmMain admin(TMainOptions{true});
    admin.show();
    admin.move(0, 0);
    Settle();
    // The tests' results and the design table are written beside the project: a scratch folder.
    QTemporaryDir scratch;
    const QString project = scratch.filePath(QStringLiteral("AdminSample.tva"));
    if (!WriteSampleWithTests(project) || !admin.Files().OpenUserFile(project)) {
      std::printf("could not open the administrators' sample\n");
      ok = false;
    } else {
      admin.Admin()->SetTestingAllowed(true);
      admin.Admin()->SetDesignParametersShown(true);
      admin.Admin()->RunAllTests();
      admin.Admin()->WaitForJob();
      if (QTreeWidgetItem* node = admin.Admin()->TestNode(QStringLiteral("Heavy"))) admin.NavigationTree()->setCurrentItem(node);
      ok = Save(admin, out + QStringLiteral("/page-test.png")) && ok;
      if (admin.Admin()->TestResults()) admin.ResultsArea()->setCurrentWidget(admin.Admin()->TestResults());
      ok = Save(admin, out + QStringLiteral("/test-results.png")) && ok;
      admin.SelectNode(850);
      admin.Admin()->CreateDesignTable();
      admin.Admin()->WaitForJob();
      admin.ResultsArea()->setCurrentWidget(admin.EventLog());
      ok = Save(admin, out + QStringLiteral("/page-design-table.png")) && ok;
    }
    admin.SetDataChangedSinceSave(false);
  }
  return ok ? 0 : 1;
}
