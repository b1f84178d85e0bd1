// The window as an engineer uses it day to day: the size it opens at and
// keeps, a small screen, the keys for Analyse and Design, Tab through the
// window, what a screen reader hears (units, results, ticks and crosses),
// the title's mark of unsaved changes, the Event Log's last word on a run,
// and the user manual on a computer without a PDF viewer.
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTabWidget>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

#include "ui/cMessages.h"
#include "ui/cStringGrid.h"
#include "ui/cSummaryResults.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"
#include "ui/fMain.h"
#include "ui/fProjectPages.h"
#include "ui/fResultsPage.h"
#include "ui/fRunView.h"
#include "page_test_support.h"
#include "ui_test_support.h"

namespace {

// What a screen reader reads as the name of Widget.
QString HeardName(QWidget* Widget) {
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(Widget);
  return a ? a->text(QAccessible::Name) : QString();
}

// The names a screen reader hears among the shown widgets of Root.
QStringList HeardNames(QWidget& Root) {
  QStringList names;
  for (QWidget* w : Root.findChildren<QWidget*>())
    if (w->isVisibleTo(&Root)) names << HeardName(w);
  return names;
}

// The last line of the Event Log that says something.
QString LastLogLine(const TfrmMain& Window) {
  const QStringList lines = Window.EventLogText().split('\n', Qt::SkipEmptyParts);
  return lines.isEmpty() ? QString() : lines.last();
}

}  // namespace

class TestWindowUse : public TWindowTest {
  Q_OBJECT
 private:
  const TSummaryResultsPage& Summary() { return *Window().Run().Summary(); }

  void OpenSample() { QVERIFY(Window().Files().OpenUserFile(Sample())); }

 private slots:
  // --- Size and place

  // The first time the window takes most of the screen (and stays on it);
  // after that it opens as it was left.
  void theWindowUsesTheScreenAndKeepsItsSize() {
    const QRect work = Window().screen()->availableGeometry();
    QVERIFY2(Window().frameGeometry().width() >= work.width() * 85 / 100, qPrintable(QString::number(Window().width())));
    QVERIFY2(Window().frameGeometry().height() >= work.height() * 85 / 100,
             qPrintable(QString::number(Window().height())));
    QVERIFY(work.adjusted(-8, -8, 8, 8).contains(Window().frameGeometry()));

    Window().resize(760, 620);
    QVERIFY(Window().close());
    ReopenWindow();
    QCOMPARE(Window().size(), QSize(760, 620));
  }

  // At 1024 x 700 the window is 1024 x 700: the information panel gives up
  // its width and every caption of the tree reads whole; a wide window
  // shows the panel's pictures with their captions.
  void aSmallScreenKeepsTheTreesCaptions() {
    OpenSample();
    Window().resize(1024, 700);
    QApplication::processEvents();
    QCOMPARE(Window().size(), QSize(1024, 700));
    QVERIFY(!Window().InformationPanel()->isVisible());
    QTreeWidget& tree = *Window().NavigationTree();
    // Even with the tree's splitter pushed to the left.
    auto* splitter = Window().findChild<QSplitter*>("splTree");
    QVERIFY(splitter);
    splitter->setSizes({10, 2000});
    QApplication::processEvents();
    const QFontMetrics metrics(tree.font());
    int captions = 0;
    for (QTreeWidgetItemIterator it(&tree); *it; ++it) {
      if ((*it)->isHidden()) continue;
      const QRect shown = tree.visualItemRect(*it);
      QVERIFY2(shown.left() + metrics.horizontalAdvance((*it)->text(0)) <= tree.viewport()->width(),
               qPrintable((*it)->text(0)));
      ++captions;
    }
    QVERIFY(captions >= 15);
    // Each page is reachable whole: it scrolls within the data area if it must.
    for (unsigned node : {2u, 12u, 112u, 103u}) {
      QVERIFY(Window().SelectNode(node));
      QApplication::processEvents();
      QCOMPARE(Window().width(), 1024);
      QVERIFY(Window().CurrentPage()->width() >= Window().CurrentPage()->minimumSizeHint().width());
    }

    Window().resize(1150, 700);
    QApplication::processEvents();
    QVERIFY(Window().InformationPanel()->isVisible());
    QVERIFY(Window().IsInformationPanelCompact());
    Window().resize(1600, 1000);
    QApplication::processEvents();
    QVERIFY(!Window().IsInformationPanelCompact());
    for (auto* button : Window().InformationPanel()->findChildren<QToolButton*>())
      QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
  }

  // --- Keyboard

  // F9 analyses and Shift+F9 designs, as the Tools menu shows; each run
  // ends its Event Log with what it did.
  void f9AnalysesAndShiftF9Designs() {
    QAction* analyse = Window().Command("actAnalyse");
    QAction* design = Window().Command("actDesign");
    QCOMPARE(analyse->shortcut(), QKeySequence(Qt::Key_F9));
    QCOMPARE(design->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F9));
    QVERIFY(Window().Menu("mnuTools")->actions().contains(analyse));
    QVERIFY(Window().Menu("mnuTools")->actions().contains(design));

    OpenSample();
    QTest::keyClick(&Window(), Qt::Key_F9);
    QVERIFY(Window().Run().IsRunning() || Window().EventLogText().contains("Running analysis..."));
    Window().Run().WaitForRun();
    QCOMPARE(LastLogLine(Window()), QStringLiteral("Analysis complete"));
    QTest::keyClick(&Window(), Qt::Key_F9, Qt::ShiftModifier);
    Window().Run().WaitForRun();
    QCOMPARE(LastLogLine(Window()), QStringLiteral("Design complete"));
    QVERIFY(!Window().HasDataChangedSinceCalc());
  }

  // From the tree Tab goes to the first field of the page shown, through the
  // page's fields, and only then to the information panel's buttons and the
  // results area (its tabs and the Event Log).
  void tabGoesFromTheTreeToThePageThenTheRest() {
    OpenSample();
    Window().resize(1600, 1000);
    QApplication::processEvents();
    QVERIFY(Window().SelectNode(2));
    auto& general = Page<TGeneralPage>();
    Window().NavigationTree()->setFocus(Qt::OtherFocusReason);
    QVERIFY(Window().NavigationTree()->hasFocus());
    QList<QWidget*> order;
    for (int i = 0; i < 80; ++i) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      if (!focus || focus == Window().NavigationTree() || order.contains(focus)) break;
      order << focus;
    }
    QVERIFY(!order.isEmpty());
    QCOMPARE(order.first(), static_cast<QWidget*>(general.edtProject()));
    auto index_of = [&](const QWidget* Root) {
      for (int i = 0; i < order.size(); ++i)
        if (Root->isAncestorOf(order[i])) return i;
      return -1;
    };
    int last_page_field = -1;
    for (int i = 0; i < order.size(); ++i)
      if (general.isAncestorOf(order[i])) last_page_field = i;
    QVERIFY(last_page_field >= 3);  // the project, description, designer, floor area ...
    const int panel = index_of(Window().InformationPanel());
    const int results = index_of(Window().ResultsArea());
    QVERIFY2(panel > last_page_field, qPrintable(QString::number(panel)));
    QVERIFY2(results > panel, qPrintable(QString::number(results)));
    QVERIFY(order.contains(Window().EventLog()) || order.contains(Window().ResultsArea()->findChild<QTabBar*>()));
  }

  // --- Screen reader

  // A unit is heard as the unit; every result as what it is and its value;
  // the tick as "OK", the cross as "Not OK" and why.
  void aScreenReaderHearsUnitsAndResults() {
    int units = 0;
    for (TDataPage* page : Window().Pages())
      for (QLabel* label : page->findChildren<QLabel*>()) {
        if (!label->objectName().endsWith("Unit")) continue;
        QCOMPARE(HeardName(label), label->text());
        ++units;
      }
    QVERIFY(units >= 20);

    OpenSample();
    Analyse();
    auto& summary = *Window().Run().Summary();
    QStringList heard = HeardNames(summary);
    for (const QString& expected :
         {QStringLiteral("Strength of side-1 secondary beam: 78%"), QStringLiteral("Stress of side-1 secondary beam: 83%"),
          QStringLiteral("Deflection of side-1 secondary beam: 81%"),
          QStringLiteral("Steel section of side-1 secondary beam: 360UB44.7"),
          QStringLiteral("Camber of side-1 secondary beam: 35 mm"),
          QStringLiteral("Shear connectors of side-1 secondary beam: 23"),
          QStringLiteral("Shear connectors of primary beam: 37"), QStringLiteral("OK")})
      QVERIFY2(heard.contains(expected), qPrintable(expected + "\nnot in\n" + heard.join('\n')));

    // A beam that fails: the cross says why, as the line does.
    QVERIFY(Window().SelectNode(112, "Section definition"));
    Choose(Page<TSectionDefinitionPage>().cboSection(), "150UB14.0");
    // Changed input: the values go, and so do their names' values.
    heard = HeardNames(summary);
    QVERIFY(!heard.join('\n').contains("Strength of side-1 secondary beam:"));
    Analyse();
    QVERIFY(Summary().IsCrossShown(1));
    const QString error = Summary().ErrorText(1);
    QVERIFY(!error.isEmpty());
    heard = HeardNames(summary);
    QVERIFY2(heard.contains("Not OK: " + error), qPrintable(heard.join('\n')));
    QVERIFY(heard.contains("Error of side-1 secondary beam: " + error));
    QVERIFY(heard.contains("Strength of side-1 secondary beam: " + Summary().Text(1, TSummaryResultsPage::colStrength)));
  }

  // Units are written one way on every page, in the grids' captions and in
  // the results tree: m², kg/m³, µm/m; never "m2", "kg/m^3" or "um/m".
  void unitsAreWrittenOneWay() {
    const QRegularExpression other(QStringLiteral(R"(\^|\bm[234]\b|kg/m[23]\b|\bum/m|microstrain)"));
    QStringList shown;
    for (TDataPage* page : Window().Pages()) {
      for (QLabel* label : page->findChildren<QLabel*>()) shown << label->text();
      for (TStringGrid* grid : page->findChildren<TStringGrid*>())
        for (int r = 0; r < grid->RowCount(); ++r)
          for (int c = 0; c < grid->ColCount(); ++c) shown << grid->Cell(c, r);
    }
    OpenSample();
    Analyse();
    const TResultsTreeModel& tree = Window().Run().ResultsPage()->Model();
    for (int r = 0; r < tree.rowCount(); ++r)
      for (int c = 0; c < tree.columnCount(); ++c) shown << tree.index(r, c).data().toString();
    for (const QString& text : shown) QVERIFY2(!other.match(text).hasMatch(), qPrintable(text));
    const QString all = shown.join('\n');
    for (const char* unit : {"m\u00B2", "kg/m\u00B3", "\u00B5m/m", "Mass (kg/m\u00B2)", "(mm\u2074)"})
      QVERIFY2(all.contains(QString::fromUtf8(unit)), unit);
  }

  // --- Feedback

  // The title marks unsaved changes as Qt's windows do: "name* - Trevalon".
  void theTitleMarksUnsavedChanges() {
    OpenSample();
    QCOMPARE(ShownTitle(Window()), QStringLiteral("SampleAnalysis.tva - Trevalon"));
    QVERIFY(Window().SelectNode(2));
    Type(Page<TGeneralPage>().edtDesigner(), "Someone else");
    QCOMPARE(ShownTitle(Window()), QStringLiteral("SampleAnalysis.tva* - Trevalon"));
    QVERIFY(!Window().Files().SaveAs());  // cancelled: no file given
    QCOMPARE(ShownTitle(Window()), QStringLiteral("SampleAnalysis.tva* - Trevalon"));
    Dialogs().Files.push_back(File("job.tva"));
    QVERIFY(Window().Files().SaveAs());
    QCOMPARE(ShownTitle(Window()), QStringLiteral("job.tva - Trevalon"));
  }

  // The manual names every menu path as the window has it (an
  // administrator's window, which has them all), and its rendered text shows
  // no stray escapes.
  void theManualNamesTheMenusAsTheyAre() {
    TfrmMain admin(TMainOptions{true});
    auto plain = [](QString Caption) {
      Caption.remove('&');
      for (const char* suffix : {" (ADMIN ONLY)", " (VEX ADMIN)", "..."})
        if (Caption.endsWith(QLatin1String(suffix))) Caption.chop(int(qstrlen(suffix)));
      return Caption;
    };
    const QDir chapters(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../docs/manual"));
    const QStringList files = chapters.entryList({"*.md"}, QDir::Files);
    QVERIFY(files.size() >= 8);
    int paths = 0;
    for (const QString& name : files) {
      QFile file(chapters.filePath(name));
      QVERIFY(file.open(QIODevice::ReadOnly));
      const QString markdown = QString::fromUtf8(file.readAll());
      QTextDocument document;
      document.setMarkdown(markdown, QTextDocument::MarkdownDialectGitHub);
      QVERIFY2(!document.toPlainText().contains("\\|"), qPrintable(name));
      QRegularExpressionMatchIterator it = QRegularExpression(R"(\*\*([^*]+? > [^*]+?)\*\*)").globalMatch(markdown);
      while (it.hasNext()) {
        const QStringList path = it.next().captured(1).split(" > ");
        QList<QAction*> entries = admin.menuBar()->actions();
        for (const QString& step : path) {
          QAction* found = nullptr;
          for (QAction* a : entries)
            if (plain(a->text()) == plain(step)) found = a;
          QVERIFY2(found, qPrintable(name + ": " + path.join(" > ")));
          entries = found->menu() ? found->menu()->actions() : QList<QAction*>{};
        }
        ++paths;
      }
    }
    QVERIFY(paths >= 6);
  }

  // Without a program for PDF files the window says so and offers a copy of
  // the manual, saved where the user chooses; declined, nothing is written.
  void theUserManualWithoutAViewerOffersACopy() {
    QStringList asked;
    SetOpenExternalHook([&](const QUrl& Url) {
      asked << Url.toString();
      return false;
    });
    Dialogs().Answers = {QMessageBox::No};
    Window().Command("actUserManual")->trigger();
    QCOMPARE(asked.size(), 1);
    QVERIFY(asked.first().endsWith("/Trevalon.pdf"));
    QCOMPARE(Dialogs().Messages.size(), 1);
    QVERIFY2(Dialogs().Messages.first().startsWith("No program to show PDF files is set up on this computer"),
             qPrintable(Dialogs().Messages.first()));
    QVERIFY(Dialogs().FileCaptions.isEmpty());

    Dialogs().Clear();
    Dialogs().Answers = {QMessageBox::Yes};
    Dialogs().Files.push_back(File("manual.pdf"));
    Window().Command("actUserManual")->trigger();
    QCOMPARE(Dialogs().FileCaptions, QStringList{"Save User Manual"});
    QFile copy(File("manual.pdf")), bundled(ProgramFile("Trevalon.pdf"));
    QVERIFY(copy.open(QIODevice::ReadOnly) && bundled.open(QIODevice::ReadOnly));
    QVERIFY(copy.size() > 1000);
    QCOMPARE(copy.readAll(), bundled.readAll());
    QVERIFY(Window().EventLogText().contains("User manual saved to " + File("manual.pdf")));
  }
};

TRV_UI_TEST_MAIN(TestWindowUse)
#include "fWindowUse_test.moc"
