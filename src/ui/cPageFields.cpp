#include "ui/cPageFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QEvent>

#include "entity/VEXNumberText.h"
#include "entity/VEXUtility.h"
#include "ui/cDataPage.h"
#include "ui/cFieldCheck.h"
#include "ui/cGridChecks.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"

QString NumberText(double Value, int DP, int MaxDPIncrease) {
  return ToQ(FloatToStrDP(false, DP, MaxDPIncrease, Value));
}

QString NumberTextBlankIfZero(double Value, int DP, int MaxDPIncrease) {
  return ToQ(FloatToStrDP(true, DP, MaxDPIncrease, Value));
}

double ReadNumber(const QString& Text, double Default) { return StrToFloatDef(ToStd(Text.trimmed()), Default); }

int ReadInteger(const QString& Text, int Default) { return StrToIntDef(ToStd(Text.trimmed()), Default); }

void SetFieldText(QLineEdit* Edit, const QString& Text) {
  if (Edit->text() != Text) Edit->setText(Text);
}

QString SquareMetres() { return QStringLiteral("m\u00B2"); }
QString KilogramsPerSquareMetre() { return QStringLiteral("kg/m\u00B2"); }
QString KilogramsPerCubicMetre() { return QStringLiteral("kg/m\u00B3"); }
QString MicrostrainUnit() { return QStringLiteral("\u00B5m/m"); }

void SetHint(QWidget* Widget, const QString& Hint) {
  Widget->setStatusTip(Hint);
  Widget->setToolTip(Hint);
}

void TPageField::SetShown(bool IsShown) const {
  Edit->setVisible(IsShown);
  Edit->EditLabel()->setVisible(IsShown);
  if (Unit) Unit->setVisible(IsShown);
}

void TPageField::SetEnabled(bool IsEnabled) const {
  Edit->setEnabled(IsEnabled);
  Edit->EditLabel()->setEnabled(IsEnabled);
  if (Unit) Unit->setEnabled(IsEnabled);
}

TPageField MakeField(const QString& Caption, const QString& Unit, const QString& ObjectName, const QString& Hint,
                     int Width, const QString& AccessibleName) {
  TPageField field;
  field.Edit = new TLabelledEdit(Caption);
  field.Edit->setObjectName(ObjectName);
  SetHint(field.Edit, Hint);
  if (!AccessibleName.isEmpty()) field.Edit->setAccessibleName(AccessibleName);
  field.Edit->setFixedWidth(Width);
  field.Edit->EditLabel()->show();
  if (!Unit.isEmpty()) {
    field.Unit = new QLabel(Unit);
    field.Unit->setObjectName(ObjectName + QStringLiteral("Unit"));
    // A unit is read as what it is; the field says which unit its number is in.
    field.Unit->setAccessibleName(Unit);
    field.Edit->setAccessibleDescription(QStringLiteral("in ") + Unit);
  }
  return field;
}

TPageField AddFormField(QGridLayout* Grid, int Row, const QString& Caption, const QString& Unit,
                        const QString& ObjectName, const QString& Hint, int Width, int Col) {
  TPageField field = MakeField(Caption, Unit, ObjectName, Hint, Width);
  Grid->addWidget(field.Edit->EditLabel(), Row, Col);
  auto* row = new QHBoxLayout;
  row->setSpacing(6);
  row->addWidget(field.Edit);
  if (field.Unit) row->addWidget(field.Unit);
  row->addStretch(1);
  Grid->addLayout(row, Row, Col + 1);
  return field;
}

QCheckBox* MakeCheckBox(const QString& Caption, const QString& ObjectName, const QString& Hint) {
  auto* box = new QCheckBox(Caption);
  box->setObjectName(ObjectName);
  SetHint(box, Hint);
  return box;
}

QComboBox* MakeChoice(const QString& ObjectName, const QString& AccessibleName, const QString& Hint) {
  auto* choice = new QComboBox;
  choice->setObjectName(ObjectName);
  choice->setAccessibleName(AccessibleName);
  choice->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  SetHint(choice, Hint);
  return choice;
}

QLabel* MakeHeading(const QString& Text) {
  auto* label = new QLabel(Text);
  QFont bold = label->font();
  bold.setBold(true);
  label->setFont(bold);
  return label;
}

void SetUpTable(TStringGrid& Grid, const QString& ObjectName, const QString& AccessibleName,
                const QStringList& Header, const QStringList& Rows) {
  Grid.setObjectName(ObjectName);
  Grid.setAccessibleName(AccessibleName);
  Grid.SetColCount(static_cast<int>(Header.size()));
  Grid.SetRowCount(1 + static_cast<int>(Rows.size()));
  Grid.SetFixedRows(1);
  Grid.SetFixedCols(1);
  Grid.SetRow(0, Header);
  for (int r = 0; r < Rows.size(); ++r) Grid.SetCell(0, r + 1, Rows[r]);
  Grid.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

namespace {

int TableHeight(const TStringGrid& Grid) {
  int height = 2 * Grid.frameWidth();
  const QHeaderView* header = Grid.horizontalHeader();
  if (!header->isHidden()) height += std::max(header->height(), header->sizeHint().height());
  return height + Grid.verticalHeader()->length();
}

// Keeps a table as high as its rows once the style has sized its header and rows.
class TTableFitter : public QObject {
 public:
  explicit TTableFitter(TStringGrid& Grid) : QObject(&Grid), grid_(Grid) {
    Grid.installEventFilter(this);
    Grid.horizontalHeader()->installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* Event) override {
    switch (Event->type()) {
      case QEvent::Show:
      case QEvent::Resize:
      case QEvent::FontChange:
      case QEvent::StyleChange:
        if (const int h = TableHeight(grid_); h != grid_.height()) grid_.setFixedHeight(h);
        break;
      default: break;
    }
    return false;
  }

 private:
  TStringGrid& grid_;
};

}  // namespace

void FitTableHeight(TStringGrid& Grid) {
  Grid.setFixedHeight(TableHeight(Grid));
  if (Grid.property("isFittedTable").toBool()) return;
  Grid.setProperty("isFittedTable", true);
  new TTableFitter(Grid);
}

void WatchGridEdits(TPageHost& Host, QObject* Context, TStringGrid& Grid, bool WillAffectLoads) {
  QObject::connect(&Grid, &TStringGrid::CellEdited, Context,
                   [&Host, WillAffectLoads](int, int) { Host.InputChanged(WillAffectLoads); });
  QObject::connect(&Grid, &TStringGrid::RowsEdited, Context,
                   [&Host, WillAffectLoads] { Host.InputChanged(WillAffectLoads); });
  QObject::connect(&Grid, &TStringGrid::EndEdit, Context, [&Host, &Grid](int ACol, int ARow) {
    CheckGridCells(Grid, Host.FieldChecks(), ACol, ACol, ARow, ARow, false, true, false);
  });
}

QString FirstUnreadableCell(const QList<QStringList>& Rows, const QString& Kind, std::span<const TNumberColumn> Columns) {
  for (const QStringList& row : Rows)
    for (const TNumberColumn& c : Columns) {
      const QString text = row.value(c.Col).trimmed();
      const std::string t = ToStd(text);
      if (IsFloat(t) || (c.MayBePercent && IsPercent(t))) continue;
      const QString where = Kind + QLatin1Char(' ') + row.value(0) + QStringLiteral(": ") + QString::fromLatin1(c.Name);
      return text.isEmpty() ? where + QStringLiteral(" is missing")
                            : where + QStringLiteral(" \"") + text + QStringLiteral("\" is not a number");
    }
  return {};
}

QList<QStringList> GridRowTexts(const TStringGrid& Grid, bool OnlyEnabled) {
  QList<QStringList> rows;
  for (int r = Grid.FixedRows(); r < Grid.RowCount() - 1; ++r) {
    if (OnlyEnabled && !Grid.RowEnabled(r)) continue;
    QStringList cells;
    for (int c = 0; c < Grid.ColCount(); ++c) cells << Grid.Cell(c, r);
    rows << cells;
  }
  return rows;
}
