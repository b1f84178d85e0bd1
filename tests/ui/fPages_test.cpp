// The navigation tree and the project and floor pages, driven through the
// real window: the sample shown on every page, the round trip between
// screens and project, the three questions (primary beam, floor use,
// automatic loading), the field check that blocks one move, node visibility,
// the span and spacing coupling and the floor sketch.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QMenu>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "ui/cFieldCheck.h"
#include "ui/cFloorSketch.h"
#include "ui/cStringGrid.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"
#include "ui/fFloorPages.h"
#include "ui/fGeometryPage.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "ui/fProjectPages.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {

QStringList Column(const TStringGrid& Grid, int ACol) {
  QStringList texts;
  for (int r = 1; r < Grid.RowCount(); ++r) texts << Grid.Cell(ACol, r);
  return texts;
}

QString ReadFile(const QString& File) {
  QFile f(File);
  return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

class TestPages : public TWindowTest {
  Q_OBJECT
 public:
  TestPages() : TWindowTest({.OpensSample = true}) {}

 private:
  TGeometryPage& Geometry() { return Page<TGeometryPage>(); }
  TFloorLoadingPage& Loading() { return Page<TFloorLoadingPage>(); }
  TSlabDetailsPage& Slab() { return Page<TSlabDetailsPage>(); }
  QString ShownPage() { return Window().CurrentPage() ? Window().CurrentPage()->PageName() : QString(); }

 private slots:
  // --- The tree

  void treeHasItsNodesAndBeamCaptions() {
    QTreeWidget& tree = *Window().NavigationTree();
    QStringList top;
    for (int i = 0; i < tree.topLevelItemCount(); ++i)
      if (!tree.topLevelItem(i)->isHidden()) top << tree.topLevelItem(i)->text(0);
    // Side 2 is the same as side 1: no side-2 beam.
    QCOMPARE(top, QStringList({"Project", "Floor", "Secondary beam SB1", "Primary beam PB1", "Analysis results"}));
    QCOMPARE(Window().Node(110)->childCount(), 3);
    QCOMPARE(Window().Node(112, "Section definition")->text(0), QStringLiteral("Section definition"));
    QVERIFY(Window().Node(120)->isHidden());
    QCOMPARE(ShownPage(), QStringLiteral("General"));
    QCOMPARE(Window().CurrentBeamSide(), -1);
  }

  void enterTogglesAndTheMenuExpandsAndCompresses() {
    QTreeWidget& tree = *Window().NavigationTree();
    QTreeWidgetItem* floor = Window().Node(11);
    QVERIFY(Window().SelectNode(11));
    tree.setFocus();
    QVERIFY(floor->isExpanded());
    QTest::keyClick(&tree, Qt::Key_Return);
    QVERIFY(!floor->isExpanded());
    QTest::keyClick(&tree, Qt::Key_Enter);
    QVERIFY(floor->isExpanded());

    // The context menu: "Compress All" closes every node, "Expand All" opens them.
    QStringList captions;
    auto choose = [this, &captions](const QString& Caption) {
      QTimer::singleShot(0, [&captions, Caption] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) return;
        captions.clear();
        for (QAction* a : menu->actions()) captions << a->text();
        for (QAction* a : menu->actions())
          if (a->text() == Caption) a->trigger();
        menu->close();
      });
      emit Window().NavigationTree()->customContextMenuRequested(QPoint(10, 10));
    };
    choose("Compress All");
    QCOMPARE(captions, QStringList({"Expand All", "Compress All"}));
    for (unsigned id : {1u, 11u, 110u, 100u}) QVERIFY(!Window().Node(id)->isExpanded());
    choose("Expand All");
    for (unsigned id : {1u, 11u, 110u, 100u}) QVERIFY(Window().Node(id)->isExpanded());
  }

  void choosingABeamNodeMakesItsBeamCurrent() {
    QVERIFY(Window().SelectNode(113));
    QCOMPARE(Window().CurrentBeamSide(), 1);
    QCOMPARE(ShownPage(), QStringLiteral("Beam loading"));
    QVERIFY(Window().SelectNode(100));
    QCOMPARE(Window().CurrentBeamSide(), 0);
    QCOMPARE(ShownPage(), QStringLiteral("Beam general"));
    QCOMPARE(Page<TBeamGeneralPage>().fldMark().Edit->text(), QStringLiteral("PB1"));
    QVERIFY(Window().SelectNode(12));
    QCOMPARE(Window().CurrentBeamSide(), -1);
  }

  void analysisResultsRunsAnalyseOnlyWhenTheInputChanged() {
    QVERIFY(Window().SelectNode(800));
    QVERIFY(Window().Run().IsRunning());
    Window().Run().WaitForRun();
    QVERIFY(!Window().HasDataChangedSinceCalc());
    QVERIFY(Window().SelectNode(2));
    QVERIFY(!Window().HasDataChangedSinceCalc());  // moving between nodes keeps the results
    QVERIFY(Window().SelectNode(800));
    QVERIFY(!Window().Run().IsRunning());  // nothing changed: no new run
    QVERIFY(Window().SelectNode(2));
    Type(Page<TGeneralPage>().edtDesigner(), "Someone else");
    QVERIFY(Window().HasDataChangedSinceCalc());
    QVERIFY(Window().SelectNode(800));
    QVERIFY(Window().Run().IsRunning());
    Window().Run().WaitForRun();
  }

  void aFailingFieldBlocksTheNextMoveOnce() {
    QVERIFY(Window().SelectNode(12));
    Type(Geometry().fldPrimarySpan().Edit, "100");
    Leave(Window());
    QCOMPARE(Dialogs().Messages, QStringList{"Primary span should be between 1500 and 25000"});
    QVERIFY(IsFieldHighlighted(Geometry().fldPrimarySpan().Edit));
    QVERIFY(!Window().SelectNode(13));
    QCOMPARE(ShownPage(), QStringLiteral("Geometry"));
    QCOMPARE(Window().NavigationTree()->currentItem(), Window().Node(12));
    QVERIFY(Window().SelectNode(13));  // the second attempt goes through
    QCOMPARE(ShownPage(), QStringLiteral("Floor loading"));
  }

  // --- The sample on every page, and the round trip

  void everyPageShowsTheSample() {
    auto& general = Page<TGeneralPage>();
    QCOMPARE(general.edtProject()->text(), QStringLiteral("Sample office floor"));
    QCOMPARE(general.edtFloorArea()->text(), QStringLiteral("1200"));
    QCOMPARE(general.edtStoreys()->text(), QStringLiteral("8"));
    QCOMPARE(general.edtSegments()->text(), QStringLiteral("10"));

    auto& factors = Page<TDesignFactorsPage>();
    QCOMPARE(Column(*factors.grdLoadFactors(), 1), QStringList({"1.2", "1.0", "1.0", "1.0", "1.0"}));
    QCOMPARE(Column(*factors.grdLoadFactors(), 2), QStringList({"1.5", "0.7", "0.4", "0.0", "1.0"}));
    QCOMPARE(Column(*factors.grdCapacityFactors(), 0).first(), QStringLiteral("Bending - steel"));
    QCOMPARE(Column(*factors.grdCapacityFactors(), 1).first(), QStringLiteral("0.9"));
    auto& limits = Page<TDeflectionLimitsPage>();
    QCOMPARE(Column(*limits.grdDeflectionLimits(), 1), QStringList({"200", "250", "", "500", "250"}));
    QCOMPARE(Column(*limits.grdDeflectionLimits(), 2), QStringList({"55", "", "", "", ""}));  // blank: no limit
    QCOMPARE(limits.edtShrinkageRatio()->text(), QStringLiteral("0.4"));

    TGeometryPage& g = Geometry();
    QVERIFY(g.chkHasPrimaryBeam()->isChecked());
    QVERIFY(g.chkIsInternal()->isChecked());
    QVERIFY(g.chkIsSide2SameAsSide1()->isChecked());
    QCOMPARE(g.fldSpan1().Edit->text(), QStringLiteral("9000"));
    QCOMPARE(g.fldSpacing1().Edit->text(), QStringLiteral("3000"));
    QCOMPARE(g.fldStart1().Edit->text(), QStringLiteral("3000"));
    QCOMPARE(g.fldPrimarySpan().Edit->text(), QStringLiteral("9000"));
    QCOMPARE(g.fldEffectiveSpacing().Edit->text(), QStringLiteral("9000"));
    QCOMPARE(g.fldOutstand3().Edit->text(), QStringLiteral("150"));
    QVERIFY(g.rbDeckParallel()->isChecked());
    QCOMPARE(g.lblRow1()->text(), QStringLiteral("Secondary beam"));

    QVERIFY(Loading().chkAutoLoading()->isChecked());
    QVERIFY(Loading().cboFloorUse()->currentText().startsWith("Office"));
    QCOMPARE(Loading().fldLiveLoad().Edit->text(), QStringLiteral("3"));
    QVERIFY(Loading().chkLiveLoadReducible()->isChecked());
    QCOMPARE(Loading().fldDeadLoad().Edit->text(), QStringLiteral("1.5"));

    QCOMPARE(Slab().cboDeck()->currentText(), QStringLiteral("Re-entrant 55 mm x 1.00 mm"));
    QCOMPARE(Column(*Slab().grdDeckProperties(), 1), QStringList({"13.56", "200", "25", "55", "0.12"}));
    QVERIFY(Slab().chkIgnoreConcreteBelowRibs()->isVisible() || !Slab().isVisible());
    QCOMPARE(Slab().fldDs().Edit->text(), QStringLiteral("120"));
    QCOMPARE(Slab().fldStrength().Edit->text(), QStringLiteral("32"));
    QCOMPARE(Slab().fldDensity().Edit->text(), QStringLiteral("2400"));
    QCOMPARE(Slab().fldShrinkage().Edit->text(), QStringLiteral("300"));
    auto& connectors = Page<TShearConnectorsPage>();
    QCOMPARE(connectors.cboConnector()->currentText(), QStringLiteral("19 mm headed stud"));
    QCOMPARE(Column(*connectors.grdConnectorProperties(), 1), QStringList({"19", "95", "410"}));
  }

  void aRoundTripChangesNeitherScreensNorProject() {
    // Every page, the beam pages showing the side-1 beam with its loads.
    QVERIFY(Window().SelectNode(113));
    const QStringList before = Snapshot(Window());
    Window().UpdateProjectFromScreens();
    QVERIFY(SaveProjectFile(Project(), ToStd(File("a.tva"))).IsOK());
    Window().UpdateScreensFromProject();
    QVERIFY(Window().SelectNode(113));
    QCOMPARE(Snapshot(Window()), before);
    Window().UpdateProjectFromScreens();
    QVERIFY(SaveProjectFile(Project(), ToStd(File("b.tva"))).IsOK());
    QCOMPARE(ReadFile(File("b.tva")), ReadFile(File("a.tva")));
    QVERIFY(Dialogs().Messages.isEmpty());
  }

  void aProjectLoadedWithStageFiveIsRunWithTheInServiceStage() {
    Project().DesignCompositeStage = 5;
    Window().UpdateScreensFromProject();
    QCOMPARE(Page<TGeneralPage>().cboCompositeStage()->currentText(),
             QStringLiteral("Construction stage 5"));
    Window().UpdateProjectFromScreens();
    QCOMPARE(int(Project().DesignCompositeStage), 7);
  }

  // --- Geometry

  void primaryBeamSwitchAsksBeforeDeletingTheSideOneLoads_data() {
    QTest::addColumn<int>("answer");
    QTest::newRow("no keeps the loads") << int(QMessageBox::No);
    QTest::newRow("yes deletes them") << int(QMessageBox::Yes);
  }
  void primaryBeamSwitchAsksBeforeDeletingTheSideOneLoads() {
    QFETCH(int, answer);
    // Secondary beams alone: the side-1 beam may carry loads of its own.
    QVERIFY(Window().SelectNode(12));
    Click(Geometry().chkHasPrimaryBeam());
    QVERIFY(!Project().Geometry.HasPrimaryBeam);
    QVERIFY(Dialogs().Messages.isEmpty());  // un-ticking asks nothing
    QVERIFY(Window().Node(100)->isHidden());
    QCOMPARE(Geometry().lblRow3()->isVisible(), false);
    QCOMPARE(Geometry().chkIsInternal()->text(), QStringLiteral("Secondary beam is internal"));

    QVERIFY(Window().SelectNode(113));
    auto& loads = Page<TBeamLoadingPage>();
    const int empty = loads.grdPointLoads()->RowCount() - 1;
    QVERIFY(TypeIntoCell(*loads.grdPointLoads(), 3, empty, "12"));
    QVERIFY(TypeIntoCell(*loads.grdPointLoads(), 2, empty, "50%"));
    QVERIFY(Window().SelectNode(12));
    TImportedBeam& side1 = *Project().GetBeam(1);
    QCOMPARE(side1.PointLoadList.Count() - side1.PointLoadList.AutoLoadCount(), 1);

    Dialogs().Clear();
    Dialogs().Answers = {QMessageBox::StandardButton(answer)};
    Click(Geometry().chkHasPrimaryBeam());
    QCOMPARE(Dialogs().Messages,
             QStringList{"Loads (other than auto-calculated) cannot be applied to a secondary beam\r\n"
                         "The current manually-applied secondary beam loads will now be deleted, OK?"});
    const bool yes = answer == QMessageBox::Yes;
    QCOMPARE(Geometry().chkHasPrimaryBeam()->isChecked(), yes);
    QCOMPARE(Project().Geometry.HasPrimaryBeam, yes);
    QCOMPARE(Window().Node(100)->isHidden(), !yes);
    QCOMPARE(side1.PointLoadList.Count() - side1.PointLoadList.AutoLoadCount(), yes ? 0 : 1);
    // Nothing brings the deleted load back: the pages save what they show.
    Window().UpdateProjectFromScreens();
    QCOMPARE(side1.PointLoadList.Count() - side1.PointLoadList.AutoLoadCount(), yes ? 0 : 1);
  }

  void sideTwoNodeShowsWhileTheSidesDiffer() {
    QVERIFY(Window().SelectNode(12));
    Geometry().chkIsSide2SameAsSide1()->setChecked(false);  // the hidden box, as a project would set it
    QVERIFY(!Window().Node(120)->isHidden());
    QCOMPARE(Window().Node(110)->text(0), QStringLiteral("Secondary beam (Side 1)"));
    QCOMPARE(Window().Node(120)->text(0), QStringLiteral("Secondary beam"));  // no mark yet
    QCOMPARE(Geometry().lblRow1()->text(), QStringLiteral("Secondary (Side 1)"));
    QCOMPARE(Geometry().lblRow2()->text(), QStringLiteral("Secondary (Side 2)"));
    QVERIFY(Geometry().fldSpan2().Edit->isEnabled());
    QVERIFY(!Geometry().fldEffectiveSpacing().Edit->isEnabled());  // follows the spans now
    QVERIFY(Window().HasDataChangedSinceSave());

    QVERIFY(Window().SelectNode(123));
    QCOMPARE(Window().CurrentBeamSide(), 2);

    // An edge primary beam has one side only; without a primary beam neither it nor side 2.
    QVERIFY(Window().SelectNode(12));
    Click(Geometry().chkIsInternal());
    QVERIFY(Window().Node(120)->isHidden());
    QVERIFY(!Window().Node(100)->isHidden());
    QVERIFY(Geometry().fldOutstand3().Edit->isVisible());
    QCOMPARE(Geometry().lblRow1()->text(), QStringLiteral("Secondary beam"));
    Click(Geometry().chkHasPrimaryBeam());
    QVERIFY(Window().Node(100)->isHidden());
    QVERIFY(Geometry().fldOutstand1().Edit->isVisible());
    QVERIFY(!Geometry().fldStart1().Edit->isVisible());
  }

  void secondarySpansDriveTheSecondSideAndTheEffectiveSpacing() {
    QVERIFY(Window().SelectNode(12));
    TGeometryPage& g = Geometry();
    // Same sides: side 2 repeats side 1.
    Type(g.fldSpan1().Edit, "8000");
    QCOMPARE(g.fldSpan2().Edit->text(), QStringLiteral("8000"));
    QVERIFY(!g.fldSpan2().Edit->isEnabled());
    QVERIFY(!g.IsBusy());
    // While the handler is busy it does not run again.
    g.SetBusy(true);
    Type(g.fldSpan1().Edit, "8500");
    QCOMPARE(g.fldSpan2().Edit->text(), QStringLiteral("8000"));
    g.SetBusy(false);
    Type(g.fldSpan1().Edit, "8000");
    // Different sides: the effective spacing is the mean of the two spans.
    g.chkIsSide2SameAsSide1()->setChecked(false);
    Type(g.fldSpan2().Edit, "6000");
    QCOMPARE(g.fldEffectiveSpacing().Edit->text(), QStringLiteral("7000"));
    Type(g.fldSpan1().Edit, "9000.5");
    QCOMPARE(g.fldEffectiveSpacing().Edit->text(), QStringLiteral("7500.25"));
    QCOMPARE(g.fldSpan2().Edit->text(), QStringLiteral("6000"));
    // An edge beam's effective spacing is the side-1 span, brought in by the switch.
    Click(g.chkIsInternal());
    QCOMPARE(g.fldEffectiveSpacing().Edit->text(), QStringLiteral("9000.5"));
    Window().UpdateProjectFromScreens();
    QCOMPARE(Project().Geometry.PrimaryEffectiveSpacing, 9000.5);
    QVERIFY(Project().Geometry.IsEdgeBeam);
  }

  void theEffectiveSpacingFollowsTheBayWhileItIsTheSpan() {
    QVERIFY(Window().SelectNode(12));
    TGeometryPage& g = Geometry();
    QVERIFY(g.chkIsSide2SameAsSide1()->isChecked());  // the sample's sides are the same (the box is hidden)
    // The sample's 9 m bay made 10 m: the primary beam's tributary width goes with it.
    Type(g.fldSpan1().Edit, "10000");
    Leave(Window());
    QCOMPARE(g.fldEffectiveSpacing().Edit->text(), QStringLiteral("10000"));
    QCOMPARE(g.fldSpan2().Edit->text(), QStringLiteral("10000"));
    // Analysed as the floor now is: the secondary beam for 10 m, the primary
    // beam for a 10 m tributary width too (a stress failure, not 84/91/57 % OK).
    Window().Run().Analyse();
    Window().Run().WaitForRun();
    const TSummaryResultsPage& summary = *Window().Run().Summary();
    QCOMPARE(summary.Text(0, TSummaryResultsPage::colStrength), QStringLiteral("92%"));
    QCOMPARE(summary.Text(0, TSummaryResultsPage::colStress), QStringLiteral("101%"));
    QCOMPARE(summary.Text(0, TSummaryResultsPage::colDeflection), QStringLiteral("63%"));
    QVERIFY(!Window().EventLogText().contains(QStringLiteral("Note: ")));

    // A tributary width the user chose stays when the bay changes, and the
    // analysis notes it.
    QVERIFY(Window().SelectNode(12));
    Type(g.fldEffectiveSpacing().Edit, "9000");
    Leave(Window());
    Type(g.fldSpan1().Edit, "9500");
    Leave(Window());
    QCOMPARE(g.fldEffectiveSpacing().Edit->text(), QStringLiteral("9000"));
    Window().Run().Analyse();
    Window().Run().WaitForRun();
    QVERIFY(Window().EventLogText().contains(
        QStringLiteral("Note: Primary beam effective spacing (9000 mm) differs from the secondary beam span (9500 mm)")));
    QCOMPARE(Project().Geometry.PrimaryEffectiveSpacing, 9000);
    QCOMPARE(Project().Geometry.SpacingSide1, 9500);
  }

  void leavingASpacingFillsAnEmptyDistanceToTheFirstBeam() {
    Window().Files().NewProject();  // a new floor has no lengths yet
    QVERIFY(Window().SelectNode(12));
    TGeometryPage& g = Geometry();
    QCOMPARE(g.fldStart1().Edit->text(), QString());
    Type(g.fldSpacing1().Edit, "2500");
    QCOMPARE(g.fldSpacing2().Edit->text(), QStringLiteral("2500"));  // the same sides
    Leave(Window());
    QCOMPARE(g.fldStart1().Edit->text(), QStringLiteral("2500"));
    QCOMPARE(g.fldStart2().Edit->text(), QStringLiteral("2500"));
    QVERIFY(Dialogs().Messages.isEmpty());
  }

  void theSketchDrawsTheBeamsWhereTheAnalysisPutsThem() {
    QVERIFY(Window().SelectNode(12));
    TGeometryPage& g = Geometry();
    const TFloorPlan* plan = &g.sketch()->Plan();
    QCOMPARE(plan->Caption, std::string("Internal primary beam"));
    auto positions = [&](int Side) {
      QList<double> xs;
      for (const TPlanLine& l : g.sketch()->Plan().SecondaryBeams[Side]) xs << l.x1();
      return xs;
    };
    // 9000 span, first beam at 3000, 3000 apart, at least 100 clear of end 2: two beams.
    QCOMPARE(positions(1), QList<double>({3000, 6000}));
    QCOMPARE(positions(2), QList<double>({3000, 6000}));
    Type(g.fldSpacing1().Edit, "2000");
    QCOMPARE(positions(1), QList<double>({3000, 5000, 7000}));
    QCOMPARE(g.sketch()->Plan().SecondaryBeams[1].front().length(), 9000.0);  // the secondary span
    QStringList texts;
    for (const TSketchDimension& d : g.sketch()->Plan().Dimensions) texts << QString::fromStdString(d.Text);
    QVERIFY(texts.contains("9000"));
    QVERIFY(texts.contains("2000"));
    QVERIFY(texts.contains("3000"));  // the distance to the first beam
    // An edge beam has no second side, but an outstand.
    Click(g.chkIsInternal());
    QCOMPARE(g.sketch()->Plan().Caption, std::string("Edge primary beam"));
    QVERIFY(g.sketch()->Plan().SecondaryBeams[2].empty());
    QCOMPARE(g.sketch()->Plan().SlabEdges.size(), size_t(1));
    QCOMPARE(g.sketch()->Plan().SlabEdges.front().y1(), 150.0);
  }

  // --- Floor loading and slab

  void floorUseChangeAsksFirst() {
    QVERIFY(Window().SelectNode(13));
    const int office = Loading().cboFloorUse()->currentIndex();
    const int retail = Loading().cboFloorUse()->findText("Retail", Qt::MatchStartsWith);
    QVERIFY(retail >= 0);
    Dialogs().Answers = {QMessageBox::Cancel};
    Choose(Loading().cboFloorUse(), Loading().cboFloorUse()->itemText(retail));
    QCOMPARE(Dialogs().Messages, QStringList{"Changing this selection may overwrite floor slab and auto-loading settings"});
    QCOMPARE(Loading().cboFloorUse()->currentIndex(), office);
    QCOMPARE(Slab().fldDs().Edit->text(), QStringLiteral("120"));
    QCOMPARE(Loading().fldLiveLoad().Edit->text(), QStringLiteral("3"));
    QCOMPARE(Project().Geometry.Ds, 120.0);
    QVERIFY(!Window().HasDataChangedSinceSave());

    // An unrelated load factor typed before survives the floor use.
    QVERIFY(Window().SelectNode(3));
    auto& factors = Page<TDesignFactorsPage>();
    QVERIFY(TypeIntoCell(*factors.grdLoadFactors(), 1, 1, "1.25"));
    QVERIFY(Window().SelectNode(13));
    Dialogs().Clear();
    Dialogs().Answers = {QMessageBox::Ok};
    Choose(Loading().cboFloorUse(), Loading().cboFloorUse()->itemText(retail));
    QCOMPARE(Dialogs().Messages.size(), 1);
    QCOMPARE(Loading().cboFloorUse()->currentIndex(), retail);
    QCOMPARE(Loading().fldLiveLoad().Edit->text(), QStringLiteral("4"));
    QCOMPARE(Loading().fldDeadLoad().Edit->text(), QStringLiteral("2"));
    QCOMPARE(Slab().fldDs().Edit->text(), QStringLiteral("130"));
    QCOMPARE(factors.grdLoadFactors()->Cell(1, 1), QStringLiteral("1.25"));
    QVERIFY(Window().HasDataChangedSinceSave());
    Window().UpdateProjectFromScreens();
    QCOMPARE(Project().Geometry.FloorUseIndex, retail);
    QCOMPARE(Project().Geometry.Ds, 130.0);
  }

  void automaticLoadingOffAndOnAgain() {
    auto& loads = Page<TBeamLoadingPage>();
    QVERIFY(Window().SelectNode(103));
    const int auto_rows = loads.grdPointLoads()->RowCount() - 2;
    QVERIFY(auto_rows > 0);
    QVERIFY(!loads.grdPointLoads()->RowEnabled(1));  // automatic: not editable

    // Off: no question, the loading fields are disabled, the grids hold no automatic loads.
    QVERIFY(Window().SelectNode(13));
    Click(Loading().chkAutoLoading());
    QVERIFY(Dialogs().Messages.isEmpty());
    QVERIFY(!Loading().fldLiveLoad().Edit->isEnabled());
    QVERIFY(!Loading().cboFloorUse()->isEnabled());
    QVERIFY(!Project().Geometry.WillAutocalcBeamLoading);
    QVERIFY(Window().SelectNode(103));
    QCOMPARE(loads.grdPointLoads()->RowCount(), 2);
    QCOMPARE(loads.grdDistributedLoads()->RowCount(), 2);

    // On again: the question first; Cancel leaves it off.
    QVERIFY(Window().SelectNode(13));
    Dialogs().Answers = {QMessageBox::Cancel};
    Click(Loading().chkAutoLoading());
    QCOMPARE(Dialogs().Messages, QStringList{"Setting this may overwrite floor slab and auto-loading settings"});
    QVERIFY(!Loading().chkAutoLoading()->isChecked());
    Dialogs().Answers = {QMessageBox::Ok};
    Click(Loading().chkAutoLoading());
    QVERIFY(Loading().chkAutoLoading()->isChecked());
    QVERIFY(Loading().fldLiveLoad().Edit->isEnabled());
    QVERIFY(Window().SelectNode(103));
    QCOMPARE(loads.grdPointLoads()->RowCount() - 2, auto_rows);
    QCOMPARE(loads.grdPointLoads()->Cell(5, 1), QStringLiteral("(Auto) Secondary beam self-weight applied to PB"));
  }

  void theDeckChoiceFillsItsPropertiesAndACustomDeckKeepsItsValues() {
    QVERIFY(Window().SelectNode(14));
    Choose(Slab().cboDeck(), "Trapezoidal 60 mm x 1.00 mm");
    QCOMPARE(ToQ(Project().SteelDeck.Name), QStringLiteral("Trapezoidal 60 mm x 1.00 mm"));
    QCOMPARE(Slab().grdDeckProperties()->Cell(1, 4), QStringLiteral("60"));
    QVERIFY(!Slab().chkIgnoreConcreteBelowRibs()->isVisible());  // an open trapezoidal deck
    QVERIFY(Window().HasDataChangedSinceSave());

    // A project's own deck is offered under its own name and keeps its geometry.
    Project().SteelDeck.IsCustom = true;
    Project().SteelDeck.Name = "Site deck";
    Project().SteelDeck.hr = 48;
    Window().UpdateScreensFromProject();
    QCOMPARE(Slab().cboDeck()->currentText(), QStringLiteral("Site deck"));
    QCOMPARE(Slab().grdDeckProperties()->Cell(1, 4), QStringLiteral("48"));
    Window().UpdateProjectFromScreens();
    QCOMPARE(Project().SteelDeck.hr, 48.0);
    Choose(Slab().cboDeck(), "Re-entrant 55 mm x 1.00 mm");
    QVERIFY(!Project().SteelDeck.IsCustom);
    QCOMPARE(Project().SteelDeck.hr, 55.0);
    Choose(Slab().cboDeck(), "Site deck");
    QCOMPARE(Project().SteelDeck.hr, 48.0);
  }

  void theDensityCarriesTheWetDensity() {
    QVERIFY(Window().SelectNode(14));
    Type(Slab().fldDensity().Edit, "2350");
    QCOMPARE(Slab().fldWetDensity().Edit->text(), QStringLiteral("2350"));
    Window().UpdateProjectFromScreens();
    QCOMPARE(Project().ConcreteFloor.WetDensity, 2350.0);
    QVERIFY(!IsFieldHighlighted(Slab().fldDensity().Edit));
    Type(Slab().fldStrength().Edit, "32.5");
    Leave(Window());
    QCOMPARE(Dialogs().Messages,
             QStringList{"Concrete strength (f'c) has invalid characters - please only enter integers"});
  }

  void closingWhileACellIsEditedLosesNothingAndBreaksNothing() {
    QVERIFY(Window().SelectNode(3));
    auto& factors = Page<TDesignFactorsPage>();
    TStringGrid& grid = *factors.grdLoadFactors();
    QVERIFY(grid.SelectCell(1, 2));
    grid.setFocus(Qt::MouseFocusReason);
    grid.edit(grid.IndexOf(1, 2));
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.IndexOf(1, 2)));
    QVERIFY(editor);
    editor->setFocus();
    QTest::keyClicks(editor, "9");
    // The pages hear of the cell while the window is still whole.
    DropWindow();
  }

  // --- Floor vibration

  // Its page sits under Floor, shows the project's inputs (the sample has
  // none of its own: the defaults), checks its fields and copies them into
  // the project; its fields follow the check box.
  void floorVibrationPageKeepsTheChecksInputs() {
    QTreeWidgetItem* node = Window().Node(16);
    QVERIFY(node);
    QCOMPARE(node->text(0), QStringLiteral("Floor vibration"));
    QCOMPARE(node->parent(), Window().Node(11));
    QVERIFY(Window().SelectNode(16));
    QCOMPARE(ShownPage(), QStringLiteral("Floor vibration"));
    auto& page = Page<TFloorVibrationPage>();
    QVERIFY(page.chkIsChecked()->isChecked());
    QCOMPARE(page.fldDamping().Edit->text(), QStringLiteral("0.03"));
    QCOMPARE(page.fldAccelerationLimit().Edit->text(), QStringLiteral("0.5"));
    QCOMPARE(page.fldAccelerationLimit().Unit->text(), QStringLiteral("%g"));
    QCOMPARE(page.fldLiveLoadInMass().Edit->text(), QStringLiteral("0.5"));
    QCOMPARE(page.fldFloorWidth().Edit->text(), QStringLiteral("0"));
    QCOMPARE(page.fldFloorLength().Edit->text(), QStringLiteral("0"));
    QVERIFY(!page.chkIsBeamContinuous()->isChecked());
    QVERIFY(!page.chkIsBeamOnSeat()->isChecked());

    struct TEntry {
      QLineEdit* Edit;
      const char* Text;
      const char* Message;  // empty: passes
    };
    const TEntry entries[] = {
        {page.fldDamping().Edit, "0.5", "Damping ratio should be between 0.005 and 0.1"},
        {page.fldDamping().Edit, "0.02", ""},
        {page.fldAccelerationLimit().Edit, "20", "Acceleration limit should be between 0.1 and 10"},
        {page.fldAccelerationLimit().Edit, "1.5", ""},
        {page.fldLiveLoadInMass().Edit, "6", "Live load in vibration mass should be between 0 and 5"},
        {page.fldLiveLoadInMass().Edit, "0.3", ""},
        {page.fldFloorWidth().Edit, "500",
         "Floor width across the beams should be 0 (not limited) or between 1000 and 500000"},
        {page.fldFloorWidth().Edit, "0", ""},
        {page.fldFloorWidth().Edit, "27000", ""},
        {page.fldFloorLength().Edit, "600000",
         "Floor length along the beams should be 0 (not limited) or between 1000 and 500000"},
        {page.fldFloorLength().Edit, "36000", ""},
    };
    for (const TEntry& e : entries) {
      Dialogs().Clear();
      Type(e.Edit, QString::fromLatin1(e.Text));
      Leave(Window());
      const QString message = QString::fromLatin1(e.Message);
      QCOMPARE(Dialogs().Messages, message.isEmpty() ? QStringList() : QStringList{message});
      QCOMPARE(IsFieldHighlighted(e.Edit), !message.isEmpty());
    }
    Click(page.chkIsBeamContinuous());
    Click(page.chkIsBeamOnSeat());
    QVERIFY(Window().HasDataChangedSinceSave());
    Window().UpdateProjectFromScreens();
    const TVibration& v = Project().Vibration;
    QVERIFY(v.IsChecked);
    QCOMPARE(v.Damping, 0.02);
    QCOMPARE(v.AccelerationLimit, 1.5);
    QCOMPARE(v.LiveLoadInMass, 0.3);
    QCOMPARE(v.FloorWidth, 27000.0);
    QCOMPARE(v.FloorLength, 36000.0);
    QVERIFY(v.IsBeamContinuous);
    QVERIFY(v.IsBeamOnSeat);

    Click(page.chkIsChecked());
    QVERIFY(!page.fldDamping().Edit->isEnabled());
    QVERIFY(!page.chkIsBeamOnSeat()->isEnabled());
    Window().UpdateProjectFromScreens();
    QVERIFY(!Project().Vibration.IsChecked);
    // A file keeps what the page holds.
    QVERIFY(SaveProjectFile(Project(), ToStd(File("v.tva"))).IsOK());
    QVERIFY(ReadFile(File("v.tva")).contains("[Vibration]\r\nIsChecked=0\r\nDamping=0.02\r\n"));
  }

  void everyFieldHasAHintAndEveryUnitShows() {
    for (TDataPage* page : Window().Pages())
      for (QLineEdit* edit : page->findChildren<QLineEdit*>()) {
        if (qobject_cast<TStringGrid*>(edit->parentWidget()) || edit->objectName().isEmpty()) continue;
        if (edit->parentWidget() && edit->parentWidget()->inherits("QComboBox")) continue;
        QVERIFY2(!edit->statusTip().isEmpty(), qPrintable(edit->objectName()));
        QVERIFY2(!edit->accessibleName().trimmed().isEmpty(), qPrintable(edit->objectName()));
      }
    QCOMPARE(Geometry().fldSpan1().Unit->text(), QStringLiteral("mm"));
    QCOMPARE(Slab().fldShrinkage().Unit->text(), QStringLiteral("\u00B5m/m"));
    QCOMPARE(Loading().fldFacadeLoad().Unit->text(), QStringLiteral("kN/m"));
  }
};

TRV_UI_TEST_MAIN(TestPages)
#include "fPages_test.moc"
