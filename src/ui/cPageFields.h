// What the input pages share: the text of numbers (screens hold text, the
// project holds numbers) and the building blocks of a page: a captioned field
// with its unit and hint, check boxes, choices and small fixed tables.
//
// Numbers are read in the user's number format (an unreadable or empty text
// reads as the default) and written with the program's one formatter: by
// default no minimum and at most three decimals, no trailing zeros.
//
// Interface thread only.
#pragma once

#include <QString>
#include <QList>
#include <QStringList>

#include <span>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QWidget;
class TLabelledEdit;
class TStringGrid;

// FloatToStrDP with at least DP and at most DP + MaxDPIncrease decimals.
QString NumberText(double Value, int DP = 0, int MaxDPIncrease = 3);
// The same, but "" for a value that shows as zero.
QString NumberTextBlankIfZero(double Value, int DP = 0, int MaxDPIncrease = 3);
double ReadNumber(const QString& Text, double Default = 0);
int ReadInteger(const QString& Text, int Default = 0);
// Shows Text unless the field already shows it, so the cursor stays put.
void SetFieldText(QLineEdit* Edit, const QString& Text);

// The units whose symbols have exponents or a prefix, written one way on
// every page and in the results tree: m², kg/m³, µm/m.
QString SquareMetres();
QString KilogramsPerSquareMetre();
QString KilogramsPerCubicMetre();
QString MicrostrainUnit();

// The status bar's hint (and the tooltip) of a control.
void SetHint(QWidget* Widget, const QString& Hint);

// A field as the pages lay it out: its caption (the edit's label), the edit
// and its unit. Hiding or disabling the field takes its caption and unit along.
struct TPageField {
  TLabelledEdit* Edit = nullptr;
  QLabel* Unit = nullptr;
  void SetShown(bool IsShown) const;
  void SetEnabled(bool IsEnabled) const;
};

// A captioned edit with its unit beside it. AccessibleName defaults to the caption.
TPageField MakeField(const QString& Caption, const QString& Unit, const QString& ObjectName, const QString& Hint,
                     int Width = 96, const QString& AccessibleName = QString());
// The field as one row of a form: caption in column Col, edit and unit in Col + 1.
TPageField AddFormField(QGridLayout* Grid, int Row, const QString& Caption, const QString& Unit,
                        const QString& ObjectName, const QString& Hint, int Width = 96, int Col = 0);
QCheckBox* MakeCheckBox(const QString& Caption, const QString& ObjectName, const QString& Hint);
QComboBox* MakeChoice(const QString& ObjectName, const QString& AccessibleName, const QString& Hint);
QLabel* MakeHeading(const QString& Text);

// A table with a header row and captions in column 0 (Rows, after the header).
void SetUpTable(TStringGrid& Grid, const QString& ObjectName, const QString& AccessibleName,
                const QStringList& Header, const QStringList& Rows);
// Makes the grid exactly as high as its rows (no scrolling, no empty band).
void FitTableHeight(TStringGrid& Grid);

// Texts a beam takes as numbers, kept as typed: a grid column whose text
// is a number (or, where allowed, a percentage), and the first cell of a
// list of rows (each a row's texts, its ID first) that is not, as
// "<Kind> <ID>: <Name> "text" is not a number" or "... is missing"; "" when
// every cell reads. GridRowTexts gives a grid's data rows (no header, no
// empty last row; only the enabled ones when asked).
struct TNumberColumn {
  int Col;
  const char* Name;
  bool MayBePercent = false;
};
QString FirstUnreadableCell(const QList<QStringList>& Rows, const QString& Kind, std::span<const TNumberColumn> Columns);
QList<QStringList> GridRowTexts(const TStringGrid& Grid, bool OnlyEnabled);

class TPageHost;
class QObject;
// Every cell the user edits in Grid is an input change (affecting the loads or
// not); a cell whose editing ends is checked silently with highlighting; rows
// inserted or deleted through the grid's menu are an input change too.
void WatchGridEdits(TPageHost& Host, QObject* Context, TStringGrid& Grid, bool WillAffectLoads);
