#include "ui/fDesignTablePage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "components/cStandard.h"
#include "entity/VEXFolders.h"
#include "entity/VEXText.h"
#include "project/cFloorUse.h"
#include "project/cProject.h"
#include "project/cSession.h"
#include "ui/cGridChecks.h"
#include "ui/cPageFields.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"

namespace {

void SetUpLengthGrid(TStringGrid& Grid, const QString& ObjectName, const QString& AccessibleName, const QString& Hint,
                     const QString& Header) {
  Grid.setObjectName(ObjectName);
  Grid.setAccessibleName(AccessibleName);
  SetHint(&Grid, Hint);
  Grid.SetColCount(2);
  Grid.SetRowCount(2);
  Grid.SetRow(0, {QStringLiteral("No."), Header});
  Grid.WillAutoAddNewRow = true;
  Grid.InitialiseLastRow();
  Grid.SetRowEditMenu(true);
  Grid.setColumnWidth(0, 40);
  Grid.setColumnWidth(1, 100);
  Grid.setFixedWidth(40 + 100 + Grid.verticalScrollBar()->sizeHint().width() + 2 * Grid.frameWidth() + 2);
}

}  // namespace

TDesignTablePage::TDesignTablePage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Design table"), Parent) {
  cboStandard_ = MakeChoice(QStringLiteral("cboDesignStandard"), QStringLiteral("Design table standard"),
                           QStringLiteral("Edition of AS/NZS 2327 the tables are made under"));
  for (int version : {kStandard2003, kStandard2017}) cboStandard_->addItem(ToQ(StandardName(version)));
  cboFloorUse_ = MakeChoice(QStringLiteral("cboDesignFloorUse"), QStringLiteral("Design table floor use"),
                           QStringLiteral("Floor use of the design library the tables are made for"));
  cboFloorUse_->setMinimumWidth(260);
  chkAllFloorUses_ = MakeCheckBox(QStringLiteral("All floor uses"), QStringLiteral("chkAllFloorUses"),
                                 QStringLiteral("Makes the tables for every floor use of the design library in turn"));
  chkSaveInputs_ = MakeCheckBox(QStringLiteral("Save input file of each primary beam case"),
                               QStringLiteral("chkSaveInputs"),
                               QStringLiteral("Writes every primary-beam case as a project file beside the project"));
  chkSaveReports_ = MakeCheckBox(QStringLiteral("Save results report of each primary beam case"),
                                QStringLiteral("chkSaveReports"),
                                QStringLiteral("Writes every primary-beam case's results report beside the project"));
  grdSpans_ = new TStringGrid;
  SetUpLengthGrid(*grdSpans_, QStringLiteral("grdDesignSpans"), QStringLiteral("Design spans"),
                  QStringLiteral("Primary beam spans of the tables, in table order"), QStringLiteral("Span (mm)"));
  grdSpacings_ = new TStringGrid;
  SetUpLengthGrid(*grdSpacings_, QStringLiteral("grdDesignSpacings"), QStringLiteral("Design spacings"),
                  QStringLiteral("Beam spacings of the tables, in table order"), QStringLiteral("Spacing (mm)"));
  btnCreate_ = new QPushButton(QStringLiteral("Create Design Table"));
  btnCreate_->setObjectName(QStringLiteral("btnCreateDesignTable"));
  SetHint(btnCreate_, QStringLiteral("Makes the tables and writes them beside the project"));
  lblTable_ = MakeHeading(QStringLiteral("Design table"));
  tvTable_ = new QTreeWidget;
  tvTable_->setObjectName(QStringLiteral("tvDesignTable"));
  tvTable_->setAccessibleName(QStringLiteral("Design table"));
  tvTable_->setRootIsDecorated(false);
  tvTable_->setUniformRowHeights(true);
  tvTable_->setAlternatingRowColors(true);
  tvTable_->setHeaderHidden(true);
  SetHint(tvTable_, QStringLiteral("The last design table made"));

  auto* form = new QGridLayout;
  form->addWidget(new QLabel(QStringLiteral("Standard")), 0, 0);
  form->addWidget(cboStandard_, 0, 1, Qt::AlignLeft);
  form->addWidget(new QLabel(QStringLiteral("Floor use")), 1, 0);
  form->addWidget(cboFloorUse_, 1, 1, Qt::AlignLeft);
  form->addWidget(chkAllFloorUses_, 2, 1);
  form->addWidget(chkSaveInputs_, 3, 1);
  form->addWidget(chkSaveReports_, 4, 1);
  form->setColumnStretch(1, 1);
  form->setRowStretch(5, 1);
  form->addWidget(btnCreate_, 6, 1, Qt::AlignLeft);

  auto* settings = new QHBoxLayout;
  settings->addWidget(grdSpans_);
  settings->addWidget(grdSpacings_);
  settings->addLayout(form, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(QStringLiteral("Design table parameters")));
  layout->addLayout(settings, 2);
  layout->addWidget(lblTable_);
  layout->addWidget(tvTable_, 3);

  const auto changed = [this] {
    if (!IsFilling()) this->Host().InputChanged(false);
  };
  connect(cboStandard_, &QComboBox::activated, this, changed);
  connect(cboFloorUse_, &QComboBox::activated, this, changed);
  connect(chkAllFloorUses_, &QCheckBox::toggled, this, [this, changed] {
    cboFloorUse_->setEnabled(!chkAllFloorUses_->isChecked());
    changed();
  });
  WatchGridEdits(Host, this, *grdSpans_, false);
  WatchGridEdits(Host, this, *grdSpacings_, false);
  ShowTable({});
}

void TDesignTablePage::RegisterFields() {
  Host().RegisterGridColumn(*this, QStringLiteral("Span"), *grdSpans_, 1);
  Host().RegisterGridColumn(*this, QStringLiteral("Spacing"), *grdSpacings_, 1);
}

void TDesignTablePage::LibrariesLoaded() {
  TFillScope filling(*this);
  const int current = cboFloorUse_->currentIndex();
  cboFloorUse_->clear();
  // The generator designs with the design library: its floor uses are the ones to choose from.
  TSession design;
  const QString library = ProgramFile(QString::fromLatin1(kDesignLibraryFileName));
  const TEntityList* uses = &Host().Session().FloorUseLibrary;
  if (QFileInfo::exists(library) && design.LoadLibraries(ToStd(library)).IsOK()) uses = &design.FloorUseLibrary;
  for (int i = 0; i < uses->Count(); ++i) cboFloorUse_->addItem(ToQ(uses->ItemAs<TFloorUse>(i)->LongName()));
  cboFloorUse_->setCurrentIndex(std::min(std::max(current, 0), cboFloorUse_->count() - 1));
}

void TDesignTablePage::FillLengths(TStringGrid& Grid, const std::vector<double>& Values) {
  Grid.CommitEdit();
  Grid.SetRowCount(static_cast<int>(Values.size()) + 2);
  for (int r = 1; r < Grid.RowCount(); ++r) {
    Grid.ClearRow(r);
    Grid.SetCell(0, r, QString::number(r));
  }
  for (size_t i = 0; i < Values.size(); ++i) Grid.SetCell(1, static_cast<int>(i) + 1, NumberText(Values[i]));
}

std::vector<double> TDesignTablePage::ReadLengths(const TStringGrid& Grid) const {
  std::vector<double> values;
  for (int r = 1; r < Grid.RowCount(); ++r)
    if (const QString text = Grid.Cell(1, r).trimmed(); !text.isEmpty()) values.push_back(ReadNumber(text));
  return values;
}

void TDesignTablePage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TDesignTable& table = Host().Project().DesignTable;
  // A project without settings of its own makes its tables under the edition it is analysed under.
  const int edition = table.HasDesignTableProperties() ? table.VersionID : StandardVersion();
  cboStandard_->setCurrentIndex(edition == kStandard2017 ? 1 : 0);
  // An index the library lacks shows no floor use; it is kept until another is chosen.
  cboFloorUse_->setCurrentIndex(table.FloorUseIndex < cboFloorUse_->count() ? table.FloorUseIndex : -1);
  chkAllFloorUses_->setChecked(table.WillIterateAllFloors);
  cboFloorUse_->setEnabled(!table.WillIterateAllFloors);
  FillLengths(*grdSpans_, table.SpanList);
  FillLengths(*grdSpacings_, table.SpacingList);
}

void TDesignTablePage::UpdateProjectFromScreen() {
  TDesignTable& table = Host().Project().DesignTable;
  if (cboFloorUse_->currentIndex() >= 0) table.FloorUseIndex = cboFloorUse_->currentIndex();
  table.WillIterateAllFloors = chkAllFloorUses_->isChecked();
  for (TStringGrid* grid : {grdSpans_, grdSpacings_}) grid->CommitEdit();
  table.SpanList = ReadLengths(*grdSpans_);
  table.SpacingList = ReadLengths(*grdSpacings_);
  // The edition is the project's to keep once it has settings of its own; a
  // project without them is not given a design-table section by a page
  // that only showed the edition it is analysed under.
  const int edition = cboStandard_->currentIndex() == 1 ? kStandard2017 : kStandard2003;
  if (table.HasDesignTableProperties() || edition == kStandard2003) table.VersionID = edition;
}

void TDesignTablePage::EditionChanged() {
  if (Host().Project().DesignTable.HasDesignTableProperties()) return;
  TFillScope filling(*this);
  cboStandard_->setCurrentIndex(StandardVersion() == kStandard2017 ? 1 : 0);
}

void TDesignTablePage::CheckPage(TFieldCheckList& Checks) {
  CheckAllGridCells(*grdSpans_, Checks);
  CheckAllGridCells(*grdSpacings_, Checks);
}

bool TDesignTablePage::WillSaveInputs() const { return !chkSaveInputs_->isHidden() && chkSaveInputs_->isChecked(); }

bool TDesignTablePage::WillSaveReports() const { return !chkSaveReports_->isHidden() && chkSaveReports_->isChecked(); }

// One row per line, one column per comma-separated field (quoted fields keep their commas).
void TDesignTablePage::ShowTable(const std::vector<std::string>& Lines) {
  tvTable_->clear();
  int columns = 1;
  for (const std::string& line : Lines) {
    QStringList fields;
    for (const std::string& field : SplitCommaText(line, true)) fields << ToQ(field);
    columns = std::max(columns, static_cast<int>(fields.size()));
    new QTreeWidgetItem(tvTable_, fields);
  }
  tvTable_->setColumnCount(columns);
  for (int c = 0; c < columns; ++c) tvTable_->resizeColumnToContents(c);
  lblTable_->setVisible(!Lines.empty());
  tvTable_->setVisible(!Lines.empty());
}

QStringList TDesignTablePage::TableRows() const {
  QStringList rows;
  for (int i = 0; i < tvTable_->topLevelItemCount(); ++i) {
    const QTreeWidgetItem* item = tvTable_->topLevelItem(i);
    QStringList fields;
    for (int c = 0; c < item->columnCount(); ++c) fields << item->text(c);
    rows << fields.join(QLatin1Char('|'));
  }
  return rows;
}
