// Driving the input pages as a user would: typing into fields and grid cells,
// leaving a field, choosing list entries and check boxes; and a snapshot of
// everything a page shows, to compare screens before and after a round trip.
#pragma once

#include <QString>
#include <QStringList>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QWidget;
class TStringGrid;
class TfrmMain;

// Replaces the field's text keystroke by keystroke (the change handlers run).
void Type(QLineEdit* Edit, const QString& Text);
// Moves the focus away from the field (its leave handler and checks run).
void Leave(TfrmMain& Window);
// Chooses an entry as a user would (the choice's activated handler runs).
void Choose(QComboBox* Choice, const QString& Entry);
// Clicks a check box.
void Click(QCheckBox* Box);
// Types Text into a text cell and presses Return; false when the cell could not be edited.
bool TypeIntoCell(TStringGrid& Grid, int ACol, int ARow, const QString& Text);
// Picks an entry of a drop-down cell.
bool ChooseInCell(TStringGrid& Grid, int ACol, int ARow, const QString& Entry);
// Every value a widget and its children show, "objectName=value", in a stable order.
QStringList Snapshot(const QWidget& Root);
// A grid's data rows (without the header and the empty last row), cells joined by "|".
QStringList GridRows(const TStringGrid& Grid);
