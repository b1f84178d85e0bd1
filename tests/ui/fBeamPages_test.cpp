// The beam pages through the real window: the sample's beams on the pages,
// the section choices and a custom section, the composite-sections grid and
// its rules, the load grids to and from the beam, propping, the mark, and an
// edited beam analysed the same as the command line analyses the saved file.
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QRadioButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <cmath>

#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "ui/cFieldCheck.h"
#include "ui/cStringGrid.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"
#include "ui/fGeometryPage.h"
#include "ui/fAdminTools.h"
#include "ui/fFileCommands.h"
#include "ui/fMain.h"
#include "ui/fRunView.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {


int ManualLoads(const TAppliedLoadList& List) { return List.Count() - List.AutoLoadCount(); }

}  // namespace

class TestBeamPages : public TWindowTest {
  Q_OBJECT
 public:
  TestBeamPages() : TWindowTest({.OpensSample = true}) {}

 private:
  TBeamGeneralPage& General() { return Page<TBeamGeneralPage>(); }
  TSectionDefinitionPage& Section() { return Page<TSectionDefinitionPage>(); }
  TBeamLoadingPage& Loads() { return Page<TBeamLoadingPage>(); }
  TStringGrid& Composite() { return *Section().grdCompositeSections(); }

 private slots:
  // --- The sample's beams

  void thePagesShowEachBeam_data() {
    QTest::addColumn<unsigned>("node");
    QTest::addColumn<QString>("mark");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QStringList>("dimensions");  // depth, top width, top thickness, web thickness, yield
    QTest::addColumn<QString>("compositeRow");
    QTest::newRow("secondary") << 112u << "SB1" << "360UB44.7" << QStringList({"352", "171", "9.7", "6.9", "320"})
                               << "1|0|9000|Base steel beam|1500|1500";
    QTest::newRow("primary") << 102u << "PB1" << "530UB82.0" << QStringList({"528.2", "209", "13.2", "9.6", "300"})
                             << "1|0|9000|Base steel beam|4500|4500";
  }
  void thePagesShowEachBeam() {
    QFETCH(unsigned, node);
    QFETCH(QString, mark);
    QFETCH(QString, section);
    QFETCH(QStringList, dimensions);
    QFETCH(QString, compositeRow);
    QVERIFY(Window().SelectNode(node, "Section definition"));
    QCOMPARE(General().fldMark().Edit->text(), mark);
    QCOMPARE(General().grpCamber()->checkedId(), 0);
    QCOMPARE(General().grpConnectorBasis()->checkedId(), 0);
    QVERIFY(!General().chkPropped()->isChecked());
    QCOMPARE(Section().cboSectionType()->currentText(), QStringLiteral("UB"));
    QCOMPARE(Section().cboGrade()->currentText(), QStringLiteral("KESTREL"));
    QCOMPARE(Section().cboSection()->currentText(), section);
    QCOMPARE(QStringList({Section().fldDepth().Edit->text(), Section().fldTopWidth().Edit->text(),
                          Section().fldTopThickness().Edit->text(), Section().fldWebThickness().Edit->text(),
                          Section().fldTopYield().Edit->text()}),
             dimensions);
    QVERIFY(!Section().fldDepth().Edit->isEnabled());  // a library section's dimensions are the library's
    QCOMPARE(Section().fldNotchedDepth(1).Edit->text(), dimensions.first());  // plated depth, no plate
    QCOMPARE(GridRows(Composite()), QStringList{compositeRow});
    QVERIFY(Composite().Cell(1, 2).isEmpty());  // the empty row for a new section
  }

  // --- Section choices

  void sectionChoicesFollowTheLibrary() {
    QVERIFY(Window().SelectNode(112, "Section definition"));
    QComboBox& types = *Section().cboSectionType();
    QCOMPARE(types.itemText(0), QStringLiteral("UB"));
    QCOMPARE(types.itemText(types.count() - 1), QStringLiteral("Custom_I"));
    Choose(&types, "WB");
    QCOMPARE(Section().cboSection()->itemText(0), QStringLiteral("<Auto-select>"));
    QCOMPARE(Section().cboSection()->currentText(), QStringLiteral("<Auto-select>"));
    Choose(Section().cboSection(), Section().cboSection()->itemText(1));
    const QString name = Section().cboSection()->currentText();
    QCOMPARE(Window().Run().Summary()->Text(1, TSummaryResultsPage::colSection), name);
    QCOMPARE(Window().Run().Summary()->Text(1, TSummaryResultsPage::colGrade), Section().cboGrade()->currentText());
    QVERIFY(Window().HasDataChangedSinceSave());

    // A custom section: no grades or names, and the dimensions typed.
    Choose(&types, "Custom_I");
    QCOMPARE(Section().cboSection()->count(), 0);
    QVERIFY(!Section().cboGrade()->isEnabled());
    QVERIFY(Section().fldDepth().Edit->isEnabled());
    QCOMPARE(Window().Run().Summary()->Text(1, TSummaryResultsPage::colSection), QStringLiteral("Custom_I"));
    Type(Section().fldDepth().Edit, "600");
    Type(Section().fldBottomWidth().Edit, "250");
    QVERIFY(Window().SelectNode(113));  // leaving the page saves the beam
    const TSteelSection& base = *Project().GetBeam(1)->SteelSection(0);
    QVERIFY(!base.BaseSteelSection.IsStandard);
    QCOMPARE(base.BaseSteelSection.d, 600.0);
    QCOMPARE(base.BaseSteelSection.bbf(), 250.0);
    QCOMPARE(ToQ(Project().GetBeam(1)->SteelSection(3)->SteelSectionLabel), QStringLiteral("Notched (End 2)"));
    QCOMPARE(Project().GetBeam(1)->SteelSection(3)->BaseSteelSection.d, 600.0);
    // And back: the custom dimensions show again.
    Window().UpdateScreensFromProject();
    QVERIFY(Window().SelectNode(112, "Section definition"));
    QCOMPARE(Section().fldDepth().Edit->text(), QStringLiteral("600"));
  }

  void settingsNoPageShowsSurviveTheSectionPage() {
    Project().GetBeam(1)->SteelSection(0)->WillSetTopFlangeCompact = true;
    Project().GetBeam(1)->SteelSection(2)->WillUseFullSectionForServiceability = true;
    QVERIFY(Window().SelectNode(112, "Section definition"));
    QVERIFY(Window().SelectNode(12));  // leaving saves the page into the beam
    QVERIFY(Project().GetBeam(1)->SteelSection(0)->WillSetTopFlangeCompact);
    QVERIFY(Project().GetBeam(1)->SteelSection(2)->WillUseFullSectionForServiceability);
  }

  void variationsReachTheirSections() {
    QVERIFY(Window().SelectNode(102, "Section definition"));
    Section().tabVariations()->setCurrentIndex(1);
    Type(Section().fldPlateWidth(1).Edit, "200");
    Type(Section().fldPlateThickness(1).Edit, "12");
    QCOMPARE(Section().fldNotchedDepth(1).Edit->text(), QStringLiteral("540.2"));  // 528.2 + 12
    Type(Section().fldPlateYield(1).Edit, "300");
    Section().tabVariations()->setCurrentIndex(0);
    Type(Section().fldNotchedDepth(0).Edit, "400");
    QVERIFY(Window().SelectNode(12));
    const TImportedBeam& beam = *Project().GetBeam(0);
    QCOMPARE(beam.SteelSection(2)->tp, 12.0);
    QCOMPARE(beam.SteelSection(2)->OverallDepth(), 540.2);
    QVERIFY(beam.SteelSection(2)->IsPlated());
    QCOMPARE(beam.SteelSection(1)->NotchedDepth, 400.0);
    QCOMPARE(beam.SteelSection(0)->NotchedDepth, 0.0);
    QCOMPARE(ToQ(beam.SteelSection(2)->Name), QStringLiteral("530UB82.0"));
  }

  // --- Composite sections

  void anEmptyGridGetsOneSectionOverTheSpan() {
    QVERIFY(Window().SelectNode(12));
    auto& geometry = Page<TGeometryPage>();
    Type(geometry.fldSpan1().Edit, "8000");
    Leave(Window());
    Project().GetBeam(1)->CompositeSectionList.Clear();
    QVERIFY(Window().SelectNode(112, "Section definition"));
    QCOMPARE(GridRows(Composite()), QStringList{"1|0|8000|Base steel beam|1500|1500"});
  }

  void editedPositionsFollowOneAnother() {
    QVERIFY(Window().SelectNode(112, "Section definition"));
    QVERIFY(TypeIntoCell(Composite(), 2, 1, "3000"));
    QCOMPARE(GridRows(Composite()),
             QStringList({"1|0|3000|Base steel beam|1500|1500", "2|3000|9000|Base steel beam|1500|1500"}));
    QVERIFY(TypeIntoCell(Composite(), 1, 2, "2500"));
    QCOMPARE(Composite().Cell(2, 1), QStringLiteral("2500"));
    QVERIFY(ChooseInCell(Composite(), 3, 2, "Plated"));
    QCOMPARE(Section().tabVariations()->currentIndex(), 1);  // the row's variation shows
    QVERIFY(Window().SelectNode(113));
    const TImportedBeam& beam = *Project().GetBeam(1);
    QCOMPARE(beam.CompositeSectionList.Count(), 2);
    QCOMPARE(beam.CompositeSection(1)->StartPosition, 2500.0);
    QCOMPARE(ToQ(beam.CompositeSection(1)->SteelSectionLabel), QStringLiteral("Plated"));
    QCOMPARE(beam.CompositeSection(1)->Dc, 120.0);
    QVERIFY(Dialogs().Messages.isEmpty());
  }

  void aBadCellIsReportedAndColoured() {
    QVERIFY(Window().SelectNode(112, "Section definition"));
    QVERIFY(TypeIntoCell(Composite(), 4, 1, "wide"));
    QCOMPARE(Dialogs().Messages, QStringList{"Slab width has invalid characters - please only enter integers"});
    QVERIFY(Composite().CellColoured(4, 1));
    QVERIFY(TypeIntoCell(Composite(), 4, 1, "1400"));
    QVERIFY(!Composite().CellColoured(4, 1));
  }

  // --- Loads

  void typedLoadsReachTheBeam() {
    QVERIFY(Window().SelectNode(103));
    TStringGrid& dl = *Loads().grdDistributedLoads();
    const int r = dl.RowCount() - 1;
    QVERIFY(TypeIntoCell(dl, 4, r, "5"));  // the first cell typed brings the defaults
    QCOMPARE(dl.Cell(1, r), QStringLiteral("7"));
    QCOMPARE(dl.Cell(3, r), QStringLiteral("100%"));
    QCOMPARE(dl.Cell(0, r + 1), QStringLiteral("W") + QString::number(r + 1));
    QVERIFY(TypeIntoCell(dl, 2, r, "25%"));
    QVERIFY(TypeIntoCell(dl, 5, r, "5"));
    QVERIFY(ChooseInCell(dl, 6, r, "Y"));
    QVERIFY(TypeIntoCell(dl, 7, r, "Plant room"));
    TStringGrid& pl = *Loads().grdPointLoads();
    const int p = pl.RowCount() - 1;
    QVERIFY(TypeIntoCell(pl, 2, p, "4500"));
    QVERIFY(TypeIntoCell(pl, 3, p, "12.5"));
    QVERIFY(Window().SelectNode(102));
    const TImportedBeam& beam = *Project().GetBeam(0);
    QCOMPARE(ManualLoads(beam.DistributedLoadList), 1);
    const auto& d = *beam.DistributedLoadList.ItemAs<TDistributedLoad>(beam.DistributedLoadList.Count() - 1);
    QVERIFY(d.IsStartPositionProportional);
    QCOMPARE(d.StartPosition, 0.25);
    QVERIFY(d.IsFinishPositionAtEnd);
    QCOMPARE(d.StartValue, 5.0);
    QVERIFY(d.IsLiveLoad);
    QCOMPARE(d.ConStage, 7);
    QCOMPARE(ToQ(d.Description), QStringLiteral("Plant room"));
    const auto& pt = *beam.PointLoadList.ItemAs<TPointLoad>(beam.PointLoadList.Count() - 1);
    QVERIFY(!pt.IsPositionProportional);
    QCOMPARE(pt.Position, 4500.0);
    QCOMPARE(pt.Value, 12.5);
    QVERIFY(!pt.IsAutoCalced);
    QVERIFY(Window().HasDataChangedSinceSave());
  }

  void loadsTheAnalysisWouldRefuseShowAtOnceAndStopIt() {
    QVERIFY(Window().SelectNode(103));
    TStringGrid& dl = *Loads().grdDistributedLoads();
    const int r = dl.RowCount() - 1;
    QVERIFY(TypeIntoCell(dl, 4, r, "5"));  // stage 7, from 0 to 100%
    QVERIFY(TypeIntoCell(dl, 5, r, "5"));
    QVERIFY(!dl.CellColoured(3, r));
    // Beyond the 9 m span: within what the column takes, not what the beam has.
    // Coloured as the cell is left, not only when the page is shown again.
    QVERIFY(TypeIntoCell(dl, 3, r, "10500"));
    QVERIFY(dl.CellColoured(3, r));
    QVERIFY(!dl.CellColoured(2, r));
    // An uplift: coloured, and the cell that was wrong before stays so.
    QVERIFY(TypeIntoCell(dl, 5, r, "-5"));
    QVERIFY(dl.CellColoured(5, r));
    QVERIFY(dl.CellColoured(3, r));
    QVERIFY(TypeIntoCell(dl, 5, r, "5"));
    QVERIFY(!dl.CellColoured(5, r));
    // Analyse refuses it with the project's own message.
    Dialogs().Clear();
    Window().Run().Analyse();
    QVERIFY(!Window().Run().IsRunning());
    QCOMPARE(Dialogs().Messages,
             QStringList{"Error: Primary beam PB1, distributed load 1: finish 10500 mm is beyond the span of 9000 mm"});
    QVERIFY(Window().SelectNode(103));
    QVERIFY(TypeIntoCell(dl, 3, r, "9000"));
    QVERIFY(!dl.CellColoured(3, r));

    // Letters where a value belongs would be read as no load at all.
    QVERIFY(TypeIntoCell(dl, 4, r, "abc"));
    QVERIFY(dl.CellColoured(4, r));
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    Dialogs().Clear();
    Window().Run().Analyse();
    QVERIFY(!Window().Run().IsRunning());
    const QString unreadable = QStringLiteral("Primary beam PB1, distributed load ") + dl.Cell(0, r) +
                               QStringLiteral(": start value \"abc\" is not a number");
    QCOMPARE(Dialogs().Messages, QStringList{unreadable});
    QVERIFY(Window().EventLogText().contains(QStringLiteral("Analysis not started: ") + unreadable));
    QVERIFY(TypeIntoCell(dl, 4, r, "5"));
    Window().Run().Analyse();
    QVERIFY(Window().Run().IsRunning());
    Window().Run().WaitForRun();
  }

  // Text that is no number, in a load grid or the composite-sections grid,
  // is never read as 0 once the user moves on: it is kept as typed, shown
  // again on the beam's page, and Analyse and Save refuse it naming the
  // beam, the row, the field and the text, from any page.
  void aTextThatIsNoNumberIsKeptAsTypedNeverReadAsZero() {
    auto move_to = [&](unsigned Node, const QString& Page = QString()) {
      // A failed field check holds the first move; the second goes.
      if (Window().SelectNode(Node, Page)) return true;
      return Window().SelectNode(Node, Page);
    };
    QVERIFY(Window().SelectNode(103));
    TStringGrid& dl = *Loads().grdDistributedLoads();
    const int r = dl.RowCount() - 1;
    QVERIFY(TypeIntoCell(dl, 4, r, "5"));
    QVERIFY(TypeIntoCell(dl, 5, r, "5,5"));
    const QString id = dl.Cell(0, r);
    QVERIFY(move_to(2));
    QVERIFY(move_to(103));
    QCOMPARE(Loads().grdDistributedLoads()->Cell(5, r), QStringLiteral("5,5"));

    QVERIFY(move_to(112, "Section definition"));
    QVERIFY(TypeIntoCell(Composite(), 4, 1, "wide"));
    QVERIFY(move_to(13));
    QVERIFY(move_to(112, "Section definition"));
    QCOMPARE(Composite().Cell(4, 1), QStringLiteral("wide"));
    QVERIFY(move_to(2));

    const QString loads = QStringLiteral("Primary beam PB1, distributed load ") + id +
                          QStringLiteral(": finish value \"5,5\" is not a number");
    const QString widths =
        QStringLiteral("Secondary beam SB1, composite section 1: slab width side 1 \"wide\" is not a number");
    Dialogs().Clear();
    Window().Run().Analyse();
    QVERIFY(!Window().Run().IsRunning());
    QCOMPARE(Dialogs().Messages, QStringList{widths});
    Dialogs().Clear();
    Dialogs().Files.push_back(File("never.tva"));
    QVERIFY(!Window().Files().SaveAs());
    QVERIFY(!QFile::exists(File("never.tva")));
    QCOMPARE(Dialogs().Messages, QStringList{widths});

    // Mended one by one: the other is still refused, then the run goes.
    QVERIFY(move_to(112, "Section definition"));
    QVERIFY(TypeIntoCell(Composite(), 4, 1, "1400"));
    QVERIFY(move_to(2));
    Dialogs().Clear();
    Window().Run().Analyse();
    QCOMPARE(Dialogs().Messages, QStringList{loads});
    QVERIFY(move_to(103));
    QVERIFY(TypeIntoCell(*Loads().grdDistributedLoads(), 5, r, "5.5"));
    QVERIFY(move_to(2));
    Dialogs().Clear();
    Window().Run().Analyse();
    Window().Run().WaitForRun();
    QVERIFY(Dialogs().Messages.isEmpty());
    QVERIFY(Window().EventLogText().endsWith("Analysis complete"));
    const TAppliedLoadList& list = Project().GetBeam(0)->DistributedLoadList;
    QCOMPARE(list.ItemAs<TDistributedLoad>(list.Count() - 1)->FinishValue, 5.5);
  }

  void liveLoadCellsReadByTheirFirstLetter() {
    QVERIFY(Window().SelectNode(103));
    TStringGrid& pl = *Loads().grdPointLoads();
    const QStringList cells = {"T", "yes", "L", "N", "x", ""};
    const int first = pl.RowCount() - 1;
    pl.SetRowCount(first + cells.size() + 1);
    for (int i = 0; i < cells.size(); ++i) pl.SetRow(first + i, {"P", "6", "50%", "1", cells[i], "typed"});
    pl.InitialiseLastRow();
    QVERIFY(Window().SelectNode(102));
    const TImportedBeam& beam = *Project().GetBeam(0);
    QList<bool> live;
    for (int i = 0; i < beam.PointLoadList.Count(); ++i)
      if (!beam.PointLoadList.Load(i)->IsAutoCalced) live << beam.PointLoadList.Load(i)->IsLiveLoad;
    QCOMPARE(live, QList<bool>({true, true, true, false, false, false}));
  }

  void automaticLoadsCanBeHiddenButAreKept() {
    QVERIFY(Window().SelectNode(103));
    TStringGrid& pl = *Loads().grdPointLoads();
    const int shown = pl.RowCount() - 2;
    QVERIFY(shown > 0);
    QVERIFY(!pl.SelectCell(2, 1));  // an automatic load cannot be selected, so not edited
    Click(Loads().chkDisplayAutoLoads());
    QCOMPARE(pl.RowCount(), 2);
    QVERIFY(Project().GetBeam(0)->PointLoadList.AutoLoadCount() > 0);  // recomputed, not lost
    Click(Loads().chkDisplayAutoLoads());
    QCOMPARE(pl.RowCount() - 2, shown);
    // A secondary beam carried by the primary beam shows its automatic loads, and takes no others.
    QVERIFY(Window().SelectNode(113));
    QVERIFY(Loads().lblSecondaryWarning()->isVisible());
    QVERIFY(Loads().grdDistributedLoads()->RowCount() > 2);
    QVERIFY(!Loads().grdDistributedLoads()->RowEnabled(Loads().grdDistributedLoads()->RowCount() - 1));
  }

  // --- General

  void proppingFollowsTheConstructionSequence() {
    QVERIFY(Window().SelectNode(112));
    Click(General().chkPropped());
    QCOMPARE(Dialogs().Messages, QStringList{"Primary beam will also be set to propped"});
    QVERIFY(Project().GetBeam(0)->IsPropped);
    QVERIFY(Window().SelectNode(102));
    QVERIFY(General().chkPropped()->isChecked());
    Dialogs().Clear();
    Click(General().chkPropped());
    QCOMPARE(Dialogs().Messages, QStringList{"Secondary beams will also be set to unpropped"});
    QVERIFY(!Project().GetBeam(1)->IsPropped);
    QVERIFY(!Project().GetBeam(0)->IsPropped);
  }

  void choosingACamberBasisOpensItsField() {
    QVERIFY(Window().SelectNode(112));
    QVERIFY(!General().fldCamberAbsolute().Edit->isEnabled());
    QTest::mouseClick(General().grpCamber()->button(2), Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(General().fldCamberAbsolute().Edit->isEnabled());
    QVERIFY(General().fldCamberAbsolute().Edit->hasFocus());
    QTest::keyClicks(General().fldCamberAbsolute().Edit, "20");
    QTest::mouseClick(General().grpConnectorBasis()->button(1), Qt::LeftButton, {}, QPoint(6, 6));
    QVERIFY(General().fldUserBeta().Edit->hasFocus());
    QTest::keyClicks(General().fldUserBeta().Edit, "0.3");
    Leave(Window());
    QCOMPARE(Dialogs().Messages, QStringList{"Specified shear connection ratio should be between 0 and 1"});
    QVERIFY(!Window().SelectNode(12));  // the failed check holds the page once
    QVERIFY(Window().SelectNode(12));
    const TImportedBeam& beam = *Project().GetBeam(1);
    QCOMPARE(beam.CamberType, 2);
    QCOMPARE(beam.CamberAbsolute, 20.0);
    QCOMPARE(beam.StudCountBasis, 1);
    QCOMPARE(beam.UserBeta, 0.3);  // a failing value is still kept
  }

  void theMarkNamesTheBeamEverywhere() {
    QVERIFY(Window().SelectNode(112));
    Type(General().fldMark().Edit, "SB9");
    QCOMPARE(Window().Node(110)->text(0), QStringLiteral("Secondary beam SB9"));
    QCOMPARE(Window().Run().Summary()->Text(1, TSummaryResultsPage::colBeam), QStringLiteral("Sec: SB9"));
    QCOMPARE(ToQ(Project().GetBeam(1)->Mark), QStringLiteral("SB9"));
  }

  // --- An edited beam analysed as the command line analyses its file

  void anEditedBeamGivesTheCommandLinesResults() {
    QVERIFY(Window().SelectNode(102, "Section definition"));
    QVERIFY(TypeIntoCell(Composite(), 2, 1, "4500"));
    QVERIFY(TypeIntoCell(Composite(), 4, 2, "3000"));
    QCOMPARE(GridRows(Composite()).size(), 2);
    QVERIFY(Window().SelectNode(103));
    TStringGrid& pl = *Loads().grdPointLoads();
    const int p = pl.RowCount() - 1;
    QVERIFY(TypeIntoCell(pl, 3, p, "40"));
    QVERIFY(TypeIntoCell(pl, 2, p, "50%"));
    QVERIFY(ChooseInCell(pl, 4, p, "Y"));
    Window().Run().Analyse();
    Window().Run().WaitForRun();
    QVERIFY(!Window().HasDataChangedSinceCalc());

    const QStringList paths = {"Beam0.MaxStrengthRatio", "Beam0.MaxStressRatio", "Beam0.MaxDeflectionRatio",
                               "Beam0.SuggestedCamber", "Beam0.TotalShearConnectors", "Beam1.MaxStrengthRatio",
                               "Beam1.MaxDeflectionRatio"};
    QMap<QString, double> window_values;
    for (const QString& path : paths) {
      TImportedBeam& beam = *Project().GetBeam(path.mid(4, 1).toInt());  // "Beam<n>.<property>"
      window_values[path] = beam.NumericValue(ToStd(path.section('.', 1)));
    }
    // The primary beam carries the new point load: its results moved.
    QVERIFY(window_values["Beam0.MaxStrengthRatio"] > 0.84);

    Dialogs().Files.push_back(File("edited.tva"));
    QVERIFY(Window().Files().SaveAs());
    QProcess cli;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("LC_ALL", "C");
    cli.setProcessEnvironment(env);
    QStringList args = {"eval", File("edited.tva")};
    for (const QString& path : paths) args << path + "=0.0000000000";
    cli.start(ProgramFile("trevalon"), args);
    QVERIFY(cli.waitForFinished(120000));
    const QStringList lines = QString::fromUtf8(cli.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), paths.size());
    for (const QString& line : lines) {
      const QString path = line.section('=', 0, 0);
      const double value = line.section('=', 1).section('\t', 0, 0).toDouble();
      QVERIFY2(std::abs(value - window_values[path]) <= 1e-9 * std::max(1.0, std::abs(value)), qPrintable(line));
    }
  }
};

TRV_UI_TEST_MAIN(TestBeamPages)
#include "fBeamPages_test.moc"
