// The editable grid: the automatic last row, row IDs, insert and delete,
// disabled rows and Tab, drop-down cells, the end-of-edit signal and sizing.
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include "ui/cStringGrid.h"
#include "ui_test_support.h"

namespace {

// A point-loads grid as the beam page sets it up: header, IDs "P1"..., an
// empty last row, stage and live-load drop-downs in columns 1 and 4.
void SetUpLoadGrid(TStringGrid& Grid, const QString& Prefix, int DataRows) {
  Grid.SetColCount(6);
  Grid.SetRowCount(1 + DataRows + 1);
  Grid.SetRow(0, {"ID", "Stage", "Position\r\n(mm or %)", "Value (kN)", "Live load?", "Description"});
  Grid.SetHasMultiRowHeader(true);
  Grid.WillAutoAddNewRow = true;
  Grid.RowIDPrefix = Prefix;
  for (int r = 1; r < Grid.RowCount(); ++r) Grid.SetCell(0, r, Prefix + QString::number(r));
  for (int r = 1; r <= DataRows; ++r) Grid.SetCell(5, r, QStringLiteral("load %1").arg(r));
  auto* stages = new QComboBox;
  stages->addItems({"3", "5", "6", "7"});
  Grid.AddControl(1, stages);
  auto* live = new QComboBox;
  live->addItems({"Y", "N"});
  Grid.AddControl(4, live);
}

QStringList Column(const TStringGrid& Grid, int ACol) {
  QStringList texts;
  for (int r = 1; r < Grid.RowCount(); ++r) texts.push_back(Grid.Cell(ACol, r));
  return texts;
}

}  // namespace

class TestStringGrid : public QObject {
  Q_OBJECT

 private slots:
  void typingIntoTheLastRowAppendsANumberedRow() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "P", 0);
    grid.resize(600, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QCOMPARE(grid.RowCount(), 2);
    QVERIFY(grid.SelectCell(2, 1));
    QSignalSpy edited(&grid, &TStringGrid::CellEdited);
    QSignalSpy ended(&grid, &TStringGrid::EndEdit);
    grid.edit(grid.IndexOf(2, 1));
    auto* editor = qobject_cast<QLineEdit*>(grid.indexWidget(grid.IndexOf(2, 1)));
    QVERIFY(editor);
    QTest::keyClicks(editor, "2500");
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor closes once the key has been handled: awaited by its signal.
    QVERIFY(!ended.isEmpty() || ended.wait(20000));
    QCOMPARE(grid.Cell(2, 1), QStringLiteral("2500"));
    QCOMPARE(grid.RowCount(), 3);
    QCOMPARE(grid.Cell(0, 2), QStringLiteral("P2"));
    QCOMPARE(grid.Cell(2, 2), QString());
    QCOMPARE(edited.count(), 1);
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.at(0).at(0).toInt(), 2);
    QCOMPARE(ended.at(0).at(1).toInt(), 1);
    // The empty last row is never coloured, and a new row's cells start clean.
    QVERIFY(!grid.CellColoured(2, 2));
  }

  void insertAndDeleteRenumberRowsAndCarryTheirFlags() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "W", 3);
    grid.SetRowEnabled(2, false);
    grid.SetCellColoured(3, 2, true);
    grid.InsertRow(2);
    QCOMPARE(Column(grid, 0), QStringList({"W1", "W2", "W3", "W4", "W5"}));
    QCOMPARE(Column(grid, 5), QStringList({"load 1", "", "load 2", "load 3", ""}));
    // The new row keeps its place's state; the old row 2 moved down with its flags.
    QVERIFY(!grid.RowEnabled(2));
    QVERIFY(!grid.RowEnabled(3));
    QVERIFY(grid.RowEnabled(4));
    grid.SetRowEnabled(2, true);
    QVERIFY(!grid.CellColoured(3, 2));
    QVERIFY(!grid.CellColoured(3, 3));  // row 3 is disabled: never coloured
    grid.SetRowEnabled(3, true);
    QVERIFY(grid.CellColoured(3, 3));

    grid.DeleteRow(2);
    QCOMPARE(Column(grid, 0), QStringList({"W1", "W2", "W3", "W4"}));
    QCOMPARE(Column(grid, 5), QStringList({"load 1", "load 2", "load 3", ""}));
    QCOMPARE(grid.Row(), 2);
  }

  void deletingTheOnlyDataRowClearsIt() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "P", 0);
    grid.SetCell(2, 1, "100");
    grid.SetCellEnabled(3, 1, false);
    grid.DeleteRow(1);
    QCOMPARE(grid.RowCount(), 2);
    QCOMPARE(grid.Cell(2, 1), QString());
    QCOMPARE(grid.Cell(0, 1), QStringLiteral("P1"));
    QVERIFY(grid.CellEnabled(3, 1));
  }

  void rowMenuRules() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "W", 2);  // rows 1, 2 and the empty row 3
    grid.SetRowEditMenu(true);
    grid.ForceSelectedCell(2, 3);
    QVERIFY(grid.CanInsertRow());
    QVERIFY(grid.CanDeleteRow());  // the last row, but the row above is enabled
    grid.SetRowEnabled(2, false);
    QVERIFY(!grid.CanDeleteRow());  // the empty row under an automatic load stays
    grid.ForceSelectedCell(2, 1);
    QVERIFY(grid.CanDeleteRow());
    QSignalSpy edited(&grid, &TStringGrid::RowsEdited);
    grid.RowEditMenu()->actions().at(1)->trigger();
    QCOMPARE(edited.count(), 1);
    QCOMPARE(grid.RowCount(), 3);
  }

  void disabledCellsCannotBeSelectedOrEdited() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "W", 3);
    grid.SetRowEnabled(2, false);
    QVERIFY(!grid.SelectCell(2, 2));
    QVERIFY(!(grid.model()->flags(grid.IndexOf(2, 2)) & Qt::ItemIsEditable));
    QVERIFY(!grid.CellEnabled(2, 2));
    grid.SetCellEnabled(3, 1, false);
    QVERIFY(!grid.CellEnabled(3, 1));
    QVERIFY(grid.CellEnabled(2, 1));
    // Column states grow on demand: a column never set counts as enabled.
    QVERIFY(grid.ColEnabled(40));
    grid.SetColEnabled(2, false);
    QVERIFY(!grid.CellEnabled(2, 1));
    QVERIFY(grid.ColEnabled(3));
  }

  void tabMovesOverEnabledCellsOnly_data() {
    QTest::addColumn<int>("fromCol");
    QTest::addColumn<int>("fromRow");
    QTest::addColumn<bool>("backwards");
    QTest::addColumn<int>("toCol");
    QTest::addColumn<int>("toRow");
    // Rows 1 to 4 (row 4 the empty last row); row 2 is an automatic load, disabled.
    QTest::newRow("right") << 1 << 1 << false << 2 << 1;
    QTest::newRow("past a disabled row") << 5 << 1 << false << 1 << 3;
    QTest::newRow("last row wraps to the first") << 5 << 4 << false << 1 << 1;
    QTest::newRow("shift-tab left") << 3 << 3 << true << 2 << 3;
    QTest::newRow("shift-tab over a disabled row searches on to the right") << 1 << 3 << true << 1 << 3;
    QTest::newRow("shift-tab from the first cell") << 1 << 1 << true << 5 << 4;
  }
  void tabMovesOverEnabledCellsOnly() {
    QFETCH(int, fromCol);
    QFETCH(int, fromRow);
    QFETCH(bool, backwards);
    QFETCH(int, toCol);
    QFETCH(int, toRow);
    TStringGrid grid;
    SetUpLoadGrid(grid, "W", 3);
    grid.SetRowEnabled(2, false);
    grid.resize(600, 240);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.ForceSelectedCell(fromCol, fromRow);
    QTest::keyClick(&grid, backwards ? Qt::Key_Backtab : Qt::Key_Tab, backwards ? Qt::ShiftModifier : Qt::NoModifier);
    QCOMPARE(grid.Col(), toCol);
    QCOMPARE(grid.Row(), toRow);
  }

  void dropDownCellsWriteTheChosenEntry() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "P", 1);
    grid.SetCell(4, 1, "N");
    grid.resize(600, 200);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.setFocus();
    grid.ForceSelectedCell(4, 1);
    QVERIFY(grid.IsInComboCell());
    auto* combo = qobject_cast<QComboBox*>(grid.indexWidget(grid.IndexOf(4, 1)));
    QVERIFY(combo);
    QCOMPARE(combo->currentText(), QStringLiteral("N"));  // the entry equal to the cell
    QCOMPARE(combo->count(), 2);
    QSignalSpy edited(&grid, &TStringGrid::CellEdited);
    combo->setCurrentIndex(0);
    emit combo->activated(0);
    QCOMPARE(grid.Cell(4, 1), QStringLiteral("Y"));
    QCOMPARE(edited.count(), 1);
    grid.HideControls();
    QVERIFY(!grid.IsEditing());
    grid.ForceSelectedCell(2, 1);
    QVERIFY(!grid.IsInComboCell());
  }

  void multiLineHeadersShowTheirLines() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "P", 1);
    QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Position\n(mm or %)"));
    grid.SetHasMultiRowHeader(false);
    QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Position (mm or %)"));
  }

  void columnsFillTheWidthAndLeaveRoomForAScrollBar() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "P", 1);
    grid.resize(600, 300);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    QVERIFY(!grid.verticalScrollBar()->isVisible());
    grid.setColumnWidth(0, 40);
    grid.SetColumnsFullWidth(1, true);
    int total = 0;
    for (int c = 0; c < grid.ColCount(); ++c) total += grid.columnWidth(c);
    const int bar = grid.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &grid);
    QCOMPARE(total, grid.viewport()->width() - bar);
    QCOMPARE(grid.columnWidth(0), 40);
    grid.SetColumnsFullWidth(1, false);
    total = 0;
    for (int c = 0; c < grid.ColCount(); ++c) total += grid.columnWidth(c);
    QCOMPARE(total, grid.viewport()->width());
  }

  void rationaliseHeightLeavesNoPartialRow() {
    TStringGrid grid;
    SetUpLoadGrid(grid, "P", 1);
    grid.resize(600, 203);
    grid.show();
    QVERIFY(QTest::qWaitForWindowExposed(&grid));
    grid.SetColumnsFullWidth(0, true);  // no horizontal scroll bar
    QApplication::processEvents();
    grid.RationaliseHeight();
    QApplication::processEvents();
    const int header = grid.horizontalHeader()->height();
    const int row = grid.rowHeight(0);
    QVERIFY(grid.height() <= 203);
    QCOMPARE((grid.height() - 2 * grid.frameWidth() - header) % row, 0);
    const int before = grid.height();
    grid.RationaliseHeight();  // never taller
    QCOMPARE(grid.height(), before);
  }
};

TRV_UI_TEST_MAIN(TestStringGrid)
#include "cStringGrid_test.moc"
