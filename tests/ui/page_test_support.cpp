#include "page_test_support.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidget>

#include "ui/cStringGrid.h"
#include "ui/fMain.h"

void Type(QLineEdit* Edit, const QString& Text) {
  Edit->setFocus();
  Edit->selectAll();
  QTest::keyClick(Edit, Qt::Key_Delete);
  QTest::keyClicks(Edit, Text);
}

void Leave(TfrmMain& Window) { Window.NavigationTree()->setFocus(); }

void Choose(QComboBox* Choice, const QString& Entry) {
  const int i = Choice->findText(Entry);
  QVERIFY2(i >= 0, qPrintable(Entry));
  Choice->setCurrentIndex(i);
  emit Choice->activated(i);
}

void Click(QCheckBox* Box) { QTest::mouseClick(Box, Qt::LeftButton, {}, QPoint(8, Box->height() / 2)); }

// The cell is chosen before the grid takes the focus, as a click chooses it:
// the keyboard's way in would land on the first cell that takes input.
bool TypeIntoCell(TStringGrid& Grid, int ACol, int ARow, const QString& Text) {
  if (!Grid.SelectCell(ACol, ARow)) return false;
  Grid.setFocus(Qt::MouseFocusReason);
  Grid.edit(Grid.IndexOf(ACol, ARow));
  auto* editor = qobject_cast<QLineEdit*>(Grid.indexWidget(Grid.IndexOf(ACol, ARow)));
  if (!editor) return false;
  editor->selectAll();
  QTest::keyClick(editor, Qt::Key_Delete);
  QTest::keyClicks(editor, Text);
  // The delegate writes the text back and closes the editor once the key has been handled.
  QSignalSpy ended(&Grid, &TStringGrid::EndEdit);
  QTest::keyClick(editor, Qt::Key_Return);
  if (ended.isEmpty() && !ended.wait(20000)) return false;
  return Grid.Cell(ACol, ARow) == Text;
}

bool ChooseInCell(TStringGrid& Grid, int ACol, int ARow, const QString& Entry) {
  if (!Grid.SelectCell(ACol, ARow)) return false;
  Grid.setFocus(Qt::MouseFocusReason);
  if (!Grid.IsEditing()) Grid.edit(Grid.IndexOf(ACol, ARow));
  auto* combo = qobject_cast<QComboBox*>(Grid.indexWidget(Grid.IndexOf(ACol, ARow)));
  if (!combo) return false;
  const int i = combo->findText(Entry);
  if (i < 0) return false;
  combo->setCurrentIndex(i);
  emit combo->activated(i);
  Grid.CommitEdit();
  return Grid.Cell(ACol, ARow) == Entry;
}

QStringList Snapshot(const QWidget& Root) {
  QStringList values;
  for (const QWidget* w : Root.findChildren<QWidget*>()) {
    // A grid column's hidden check edit holds whichever cell was checked last.
    if (qobject_cast<const TStringGrid*>(w->parentWidget())) continue;
    const QString name = w->objectName();
    if (auto* edit = qobject_cast<const QLineEdit*>(w); edit && !name.isEmpty())
      values << name + QLatin1Char('=') + edit->text();
    else if (auto* button = qobject_cast<const QAbstractButton*>(w); button && button->isCheckable())
      values << name + QLatin1Char('/') + button->text() + QLatin1Char('=') + (button->isChecked() ? "1" : "0");
    else if (auto* choice = qobject_cast<const QComboBox*>(w); choice && !name.isEmpty())
      values << name + QLatin1Char('=') + choice->currentText();
    else if (auto* memo = qobject_cast<const QPlainTextEdit*>(w))
      values << name + QLatin1Char('=') + memo->toPlainText();
    else if (auto* grid = qobject_cast<const TStringGrid*>(w))
      for (int r = 0; r < grid->RowCount(); ++r)
        for (int c = 0; c < grid->ColCount(); ++c)
          values << QStringLiteral("%1[%2,%3]=%4").arg(name).arg(c).arg(r).arg(grid->Cell(c, r));
  }
  values.sort();
  return values;
}

QStringList GridRows(const TStringGrid& Grid) {
  QStringList rows;
  for (int r = 1; r < Grid.RowCount() - 1; ++r) {
    QStringList cells;
    for (int c = 0; c < Grid.ColCount(); ++c) cells << Grid.Cell(c, r);
    rows << cells.join(QLatin1Char('|'));
  }
  return rows;
}
