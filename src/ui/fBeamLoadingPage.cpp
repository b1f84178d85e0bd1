// The beam's "Beam loading" page: distributed and point loads in two grids,
// the automatic loads (greyed, not editable) ahead of the user's own.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QVBoxLayout>

#include <optional>
#include <span>

#include "entity/VEXUtility.h"
#include "project/cLoadChecks.h"
#include "project/cProject.h"
#include "ui/cFieldCheck.h"
#include "ui/cGridChecks.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"

namespace {

// Distributed-load columns, and point-load columns.
enum { dlID, dlStage, dlStart, dlFinish, dlStartValue, dlFinishValue, dlLive, dlDescription, dlCount };
enum { plID, plStage, plPosition, plValue, plLive, plDescription, plCount };
constexpr int kDefaultColWidth = 77;
// The stage of a load typed into a new row until the user picks another: in service.
const QString kNewLoadStage = QStringLiteral("7");

// The cells of a user's load the beam takes as numbers.
const TNumberColumn kDistributedNumbers[] = {{dlStart, "start position", true},
                                             {dlFinish, "finish position", true},
                                             {dlStartValue, "start value"},
                                             {dlFinishValue, "finish value"}};
const TNumberColumn kPointNumbers[] = {{plPosition, "position", true}, {plValue, "value"}};

QString PositionText(double Value, bool IsProportional) {
  return IsProportional ? NumberText(Value * 100) + QLatin1Char('%') : NumberText(Value);
}

// A position as typed: a percentage of the span, or a distance in mm.
void ReadPosition(const QString& Text, double& Value, bool& IsProportional) {
  const std::string text = ToStd(Text.trimmed());
  IsProportional = IsPercent(text);
  Value = IsProportional ? PercentStrToFloat(text, 0) : StrToFloatDef(text, 0);
}

// "Y", "yes", "T" or "L" mean a live load; "N", anything else or nothing a dead one.
bool ReadIsLive(const QString& Text) {
  const QString t = Text.trimmed();
  return !t.isEmpty() && QStringLiteral("LTYlty").contains(t.front());
}

// A row of the distributed-loads grid, or of the point-loads grid, as the load it describes.
std::unique_ptr<TDistributedLoad> DistributedLoadOfRow(const TStringGrid& Grid, int ARow) {
  auto load = std::make_unique<TDistributedLoad>();
  load->ConStage = ReadInteger(Grid.Cell(dlStage, ARow), 0);
  ReadPosition(Grid.Cell(dlStart, ARow), load->StartPosition, load->IsStartPositionProportional);
  load->StartPosition = std::max(0.0, load->StartPosition);
  ReadPosition(Grid.Cell(dlFinish, ARow), load->FinishPosition, load->IsFinishPositionProportional);
  load->IsFinishPositionAtEnd = Grid.Cell(dlFinish, ARow).trimmed() == QLatin1String("100%");
  load->StartValue = ReadNumber(Grid.Cell(dlStartValue, ARow));
  load->FinishValue = ReadNumber(Grid.Cell(dlFinishValue, ARow));
  load->IsLiveLoad = ReadIsLive(Grid.Cell(dlLive, ARow));
  load->Description = ToStd(Grid.Cell(dlDescription, ARow));
  load->IsAutoCalced = MatchesMask(load->Description, kAutoLoadMask);
  return load;
}

std::unique_ptr<TPointLoad> PointLoadOfRow(const TStringGrid& Grid, int ARow) {
  auto load = std::make_unique<TPointLoad>();
  load->ConStage = ReadInteger(Grid.Cell(plStage, ARow), 0);
  ReadPosition(Grid.Cell(plPosition, ARow), load->Position, load->IsPositionProportional);
  load->Value = ReadNumber(Grid.Cell(plValue, ARow));
  load->IsLiveLoad = ReadIsLive(Grid.Cell(plLive, ARow));
  load->Description = ToStd(Grid.Cell(plDescription, ARow));
  load->IsAutoCalced = MatchesMask(load->Description, kAutoLoadMask);
  return load;
}

// The grid column of the value a problem is about.
int ColumnOf(TLoadField Field) {
  switch (Field) {
    case TLoadField::Stage: return dlStage;  // the same column in both grids
    case TLoadField::StartPosition: return dlStart;
    case TLoadField::FinishPosition: return dlFinish;
    case TLoadField::StartValue: return dlStartValue;
    case TLoadField::FinishValue: return dlFinishValue;
    case TLoadField::Position: return plPosition;
    case TLoadField::Value: return plValue;
  }
  return -1;
}

QComboBox* StageChoice(const TImportedBeam& Primary) {
  auto* stages = new QComboBox;
  for (int i = 0; i < Primary.ConstructionStageList.Count(); ++i)
    stages->addItem(QString::number(Primary.ConstructionStageList.ItemAs<TConstructionStage>(i)->Stage));
  return stages;
}

QComboBox* LiveChoice() {
  auto* live = new QComboBox;
  live->addItems({QStringLiteral("Y"), QStringLiteral("N")});
  return live;
}

void SetUpLoadGrid(TStringGrid& Grid, const QString& ObjectName, const QString& AccessibleName, const QString& Hint,
                   const QStringList& Header, const QString& Prefix) {
  Grid.setObjectName(ObjectName);
  Grid.setAccessibleName(AccessibleName);
  SetHint(&Grid, Hint);
  Grid.SetColCount(static_cast<int>(Header.size()));
  Grid.SetRowCount(2);
  Grid.SetRow(0, Header);
  Grid.SetHasMultiRowHeader(true);
  Grid.WillAutoAddNewRow = true;
  Grid.RowIDPrefix = Prefix;
  Grid.InitialiseLastRow();
  Grid.SetRowEditMenu(true);
  const int row_height = Grid.verticalHeader()->defaultSectionSize();
  Grid.horizontalHeader()->setFixedHeight(static_cast<int>(1.8 * row_height + 0.5));
  Grid.setMinimumHeight(static_cast<int>(1.8 * row_height) + 3 * row_height + 4);
}

void SetColumnWidths(TStringGrid& Grid, std::initializer_list<double> Factors) {
  int c = 0;
  for (double f : Factors) Grid.setColumnWidth(c++, static_cast<int>(f * kDefaultColWidth + 0.5));
}

// Every row of a grid enabled again, also rows a longer grid once had.
void EnableAllRows(TStringGrid& Grid, int UpTo) {
  for (int r = 0; r < std::max(UpTo, Grid.RowCount()); ++r) Grid.SetRowEnabled(r, true);
}

}  // namespace

TBeamLoadingPage::TBeamLoadingPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Beam loading"), Parent) {
  chkDisplayAutoLoads_ = MakeCheckBox(
      QStringLiteral("Display auto-calculated loads"), QStringLiteral("chkDisplayAutoLoads"),
      QStringLiteral("Tick to display loads that have been automatically calculated based on Floor > Floor loading"));
  chkDisplayAutoLoads_->setChecked(true);
  lblSecondaryWarning_ = new QLabel(QStringLiteral("WARNING : loads (other than auto-calculated) cannot be applied to secondary beam"));
  lblSecondaryWarning_->setObjectName(QStringLiteral("lblSecondaryWarning"));
  QFont warning = lblSecondaryWarning_->font();
  warning.setBold(true);
  warning.setItalic(true);
  lblSecondaryWarning_->setFont(warning);
  lblSecondaryWarning_->setStyleSheet(QStringLiteral("color: #c0161d"));
  lblSecondaryWarning_->hide();

  grdDistributedLoads_ = new TStringGrid;
  SetUpLoadGrid(*grdDistributedLoads_, QStringLiteral("grdDistributedLoads"), QStringLiteral("Distributed loads"),
                QStringLiteral("Distributed loads, define stage, start/finish position and value, and whether or not "
                               "it is a live load"),
                {QStringLiteral("ID"), QStringLiteral("Stage"), QStringLiteral("Start position\r\n(mm or %)"),
                 QStringLiteral("Finish position\r\n(mm or %)"), QStringLiteral("Start value (kN/m)"),
                 QStringLiteral("Finish value (kN/m)"), QStringLiteral("Live load?"), QStringLiteral("Description")},
                QStringLiteral("W"));
  grdPointLoads_ = new TStringGrid;
  SetUpLoadGrid(*grdPointLoads_, QStringLiteral("grdPointLoads"), QStringLiteral("Point loads"),
                QStringLiteral("Point loads, define stage, position and value, and whether or not it is a live load"),
                {QStringLiteral("ID"), QStringLiteral("Stage"), QStringLiteral("Position\r\n(mm or %)"),
                 QStringLiteral("Value (kN)"), QStringLiteral("Live load?"), QStringLiteral("Description")},
                QStringLiteral("P"));
  const TImportedBeam& primary = *Host.Project().GetBeam(0);
  grdDistributedLoads_->AddControl(dlStage, StageChoice(primary));
  grdDistributedLoads_->AddControl(dlLive, LiveChoice());
  grdPointLoads_->AddControl(plStage, StageChoice(primary));
  grdPointLoads_->AddControl(plLive, LiveChoice());
  SetColumnWidths(*grdDistributedLoads_, {0.6, 0.7, 1.22, 1.22, 1.1, 1.1, 0.6});
  SetColumnWidths(*grdPointLoads_, {0.6, 0.7, 1.22, 1.1, 0.6});
  for (TStringGrid* grid : {grdDistributedLoads_, grdPointLoads_}) {
    grid->viewport()->installEventFilter(this);
    WatchGridEdits(Host, this, *grid, false);
    connect(grid, &TStringGrid::CellEdited, this, [this, grid](int ACol, int ARow) { FillNewRowDefaults(*grid, ACol, ARow); });
    // A load the analysis would refuse shows as soon as its cell is left.
    connect(grid, &TStringGrid::EndEdit, this, [this, grid](int, int ARow) { CheckLoadRow(*grid, ARow); });
  }

  auto* top = new QHBoxLayout;
  top->addWidget(MakeHeading(QStringLiteral("Distributed loads")));
  top->addStretch(1);
  top->addWidget(chkDisplayAutoLoads_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblSecondaryWarning_);
  layout->addLayout(top);
  layout->addWidget(grdDistributedLoads_, 1);
  layout->addWidget(MakeHeading(QStringLiteral("Point loads")));
  layout->addWidget(grdPointLoads_, 1);

  connect(chkDisplayAutoLoads_, &QCheckBox::clicked, this, &TBeamLoadingPage::OnDisplayAutoLoadsClicked);
}

void TBeamLoadingPage::RegisterFields() {
  TPageHost& host = Host();
  host.RegisterGridColumn(*this, QStringLiteral("Load start position"), *grdDistributedLoads_, dlStart);
  host.RegisterGridColumn(*this, QStringLiteral("Load finish position"), *grdDistributedLoads_, dlFinish);
  host.RegisterGridColumn(*this, QStringLiteral("Load value"), *grdDistributedLoads_, dlStartValue);
  host.RegisterGridColumn(*this, QStringLiteral("Load value"), *grdDistributedLoads_, dlFinishValue);
  host.RegisterGridColumn(*this, QStringLiteral("Point load position"), *grdPointLoads_, plPosition);
  host.RegisterGridColumn(*this, QStringLiteral("Point load value"), *grdPointLoads_, plValue);
}

bool TBeamLoadingPage::eventFilter(QObject* Watched, QEvent* Event) {
  // The descriptions take what the other columns leave, with room for a scroll bar.
  if (Event->type() == QEvent::Resize) {
    if (Watched == grdDistributedLoads_->viewport()) grdDistributedLoads_->SetColumnsFullWidth(dlDescription, true);
    if (Watched == grdPointLoads_->viewport()) grdPointLoads_->SetColumnsFullWidth(plDescription, true);
  }
  return TDataPage::eventFilter(Watched, Event);
}

bool TBeamLoadingPage::IsSecondaryUnderPrimary(int Side) const {
  return Side > 0 && Host().Project().Geometry.HasPrimaryBeam;
}

void TBeamLoadingPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  kept_ = {};
  chkDisplayAutoLoads_->setChecked(true);
}

// ---------------------------------------------------------------------------
// Grids from and into the beam

void TBeamLoadingPage::FillGrids(const TImportedBeam& Beam, int Side) {
  TFillScope filling(*this);
  shown_side_ = Side;
  const bool display_auto = chkDisplayAutoLoads_->isChecked();
  const bool secondary_under_primary = IsSecondaryUnderPrimary(Side);
  // A secondary beam carried by a primary beam takes the floor's automatic loads only.
  if (secondary_under_primary) kept_[static_cast<size_t>(Side)].reset();
  // The user's loads as typed, when some text of them is no number.
  const std::optional<TKeptLoads>& kept = kept_[static_cast<size_t>(Side)];
  auto shown = [&](const TAppliedLoad& Load) {
    return Load.IsAutoCalced ? display_auto : !secondary_under_primary && !kept;
  };

  TStringGrid& dl = *grdDistributedLoads_;
  const int old_dl_rows = dl.RowCount();
  dl.HideControls();
  dl.SetRowCount(2);
  dl.ClearRow(1);
  EnableAllRows(dl, old_dl_rows);
  for (int i = 0; i < Beam.DistributedLoadList.Count(); ++i) {
    const auto& load = *Beam.DistributedLoadList.ItemAs<TDistributedLoad>(i);
    if (!shown(load)) continue;
    const int r = dl.RowCount() - 1;
    dl.SetRowCount(r + 2);
    dl.SetRow(r, {QStringLiteral("W") + QString::number(r), QString::number(load.ConStage),
                  PositionText(load.StartPosition, load.IsStartPositionProportional),
                  load.IsFinishPositionAtEnd ? QStringLiteral("100%")
                                             : PositionText(load.FinishPosition, load.IsFinishPositionProportional),
                  NumberText(load.StartValue), NumberText(load.FinishValue),
                  load.IsLiveLoad ? QStringLiteral("Y") : QStringLiteral("N"), ToQ(load.Description)});
    dl.SetRowEnabled(r, !load.IsAutoCalced);
  }
  if (kept)
    for (QStringList row : kept->Distributed) {
      const int r = dl.RowCount() - 1;
      dl.SetRowCount(r + 2);
      row[0] = QStringLiteral("W") + QString::number(r);
      dl.SetRow(r, row);
    }
  dl.InitialiseLastRow();
  dl.SetRowEnabled(dl.RowCount() - 1, !secondary_under_primary);

  TStringGrid& pl = *grdPointLoads_;
  const int old_pl_rows = pl.RowCount();
  pl.HideControls();
  pl.SetRowCount(2);
  pl.ClearRow(1);
  EnableAllRows(pl, old_pl_rows);
  for (int i = 0; i < Beam.PointLoadList.Count(); ++i) {
    const auto& load = *Beam.PointLoadList.ItemAs<TPointLoad>(i);
    if (!shown(load)) continue;
    const int r = pl.RowCount() - 1;
    pl.SetRowCount(r + 2);
    pl.SetRow(r, {QStringLiteral("P") + QString::number(r), QString::number(load.ConStage),
                  PositionText(load.Position, load.IsPositionProportional), NumberText(load.Value),
                  load.IsLiveLoad ? QStringLiteral("Y") : QStringLiteral("N"), ToQ(load.Description)});
    pl.SetRowEnabled(r, !load.IsAutoCalced);
  }
  if (kept)
    for (QStringList row : kept->Point) {
      const int r = pl.RowCount() - 1;
      pl.SetRowCount(r + 2);
      row[0] = QStringLiteral("P") + QString::number(r);
      pl.SetRow(r, row);
    }
  pl.InitialiseLastRow();
  pl.SetRowEnabled(pl.RowCount() - 1, !secondary_under_primary);
  lblSecondaryWarning_->setVisible(secondary_under_primary);
}

void TBeamLoadingPage::CopyGrids(int Side) {
  TImportedBeam& Beam = *Host().Project().GetBeam(Side);
  // Text that is no number would go into the beam as 0: the rows are kept as
  // typed, to be shown again and refused by the commands until mended.
  TKeptLoads typed{GridRowTexts(*grdDistributedLoads_, true), GridRowTexts(*grdPointLoads_, true)};
  if (!FirstUnreadable(typed).isEmpty()) kept_[static_cast<size_t>(Side)] = std::move(typed);
  else kept_[static_cast<size_t>(Side)].reset();
  Beam.DistributedLoadList.Clear();
  Beam.PointLoadList.Clear();
  const TStringGrid& dl = *grdDistributedLoads_;
  for (int r = 1; r < dl.RowCount() - 1; ++r)
    Beam.DistributedLoadList.Add(std::to_string(r - 1), DistributedLoadOfRow(dl, r));
  const TStringGrid& pl = *grdPointLoads_;
  for (int r = 1; r < pl.RowCount() - 1; ++r) Beam.PointLoadList.Add(std::to_string(r - 1), PointLoadOfRow(pl, r));
  // The automatic loads are the floor's, whatever the grids showed of them.
  Host().Project().UpdateAutoLoadsForBeam(Beam);
}

void TBeamLoadingPage::UpdateScreenFromBeam(int Side) {
  TImportedBeam& beam = *Host().Project().GetBeam(Side);
  // The automatic loads shown are those of the floor as it is now.
  Host().Project().UpdateAutoLoadsForBeam(beam);
  FillGrids(beam, Side);
}

void TBeamLoadingPage::UpdateBeamFromScreen(int Side) { CopyGrids(Side); }

void TBeamLoadingPage::FloorLayoutChanged() {
  const int side = Host().CurrentBeamSide();
  if (side >= 0) {
    // The beam's loads are in the beam (the page saved them when it was left).
    FillGrids(*Host().Project().GetBeam(side), side);
  } else {
    lblSecondaryWarning_->setVisible(IsSecondaryUnderPrimary(shown_side_));
  }
}

void TBeamLoadingPage::CheckPage(TFieldCheckList& Checks) {
  CheckAllGridCells(*grdDistributedLoads_, Checks);
  CheckAllGridCells(*grdPointLoads_, Checks);
  for (TStringGrid* grid : {grdDistributedLoads_, grdPointLoads_})
    for (int r = grid->FixedRows(); r < grid->RowCount() - 1; ++r) CheckLoadRow(*grid, r);
}

QString TBeamLoadingPage::FirstUnreadable(const TKeptLoads& Loads) {
  if (QString d = FirstUnreadableCell(Loads.Distributed, QStringLiteral("distributed load"), kDistributedNumbers);
      !d.isEmpty())
    return d;
  return FirstUnreadableCell(Loads.Point, QStringLiteral("point load"), kPointNumbers);
}

// The beam shown is read from the grids; the others from what was kept of them.
QString TBeamLoadingPage::UnreadableInput() const {
  const TProject& project = Host().Project();
  for (int side : {1, 2, 0}) {
    if (!project.GetHasBeam(side)) continue;
    QString message;
    if (side == Host().CurrentBeamSide())
      message = FirstUnreadable({GridRowTexts(*grdDistributedLoads_, true), GridRowTexts(*grdPointLoads_, true)});
    else if (const auto& kept = kept_[static_cast<size_t>(side)])
      message = FirstUnreadable(*kept);
    if (!message.isEmpty()) return ToQ(project.GetBeam(side)->LongName()) + QStringLiteral(", ") + message;
  }
  return {};
}

void TBeamLoadingPage::CheckLoadRow(TStringGrid& Grid, int ARow) {
  const TImportedBeam* beam = Host().CurrentBeam();
  if (!beam || ARow < Grid.FixedRows() || ARow >= Grid.RowCount() - 1 || !Grid.RowEnabled(ARow)) return;
  CheckGridCells(Grid, Host().FieldChecks(), Grid.FixedCols(), Grid.ColCount() - 1, ARow, ARow, false, true, false);
  Grid.SetCellColoured(dlStage, ARow, false);  // no check of its own colours it
  const bool distributed = &Grid == grdDistributedLoads_;
  const std::vector<TLoadProblem> problems = distributed ? CheckUserLoad(*DistributedLoadOfRow(Grid, ARow), beam->Span)
                                                         : CheckUserLoad(*PointLoadOfRow(Grid, ARow), beam->Span);
  for (const TLoadProblem& p : problems) Grid.SetCellColoured(ColumnOf(p.Field), ARow, true);
}

// A load typed into a new row acts from the in-service stage as a dead load,
// over the whole span for a distributed load, until the user says otherwise:
// a load without a stage would act in no stage at all.
void TBeamLoadingPage::FillNewRowDefaults(TStringGrid& Grid, int ACol, int ARow) {
  if (IsFilling() || !Host().CurrentBeam()) return;
  // Only the first cell typed into a fresh row brings the defaults.
  for (int c = 1; c < Grid.ColCount(); ++c)
    if (c != ACol && !Grid.Cell(c, ARow).trimmed().isEmpty()) return;
  const bool distributed = &Grid == grdDistributedLoads_;
  auto fill = [&](int c, const QString& Text) {
    if (c != ACol) Grid.SetCell(c, ARow, Text);
  };
  fill(distributed ? int(dlStage) : int(plStage), kNewLoadStage);
  fill(distributed ? int(dlLive) : int(plLive), QStringLiteral("N"));
  if (distributed) {
    fill(dlStart, QStringLiteral("0"));
    fill(dlFinish, QStringLiteral("100%"));
  }
}

void TBeamLoadingPage::OnDisplayAutoLoadsClicked() {
  TImportedBeam* beam = Host().CurrentBeam();
  if (!beam) return;
  CopyGrids(Host().CurrentBeamSide());
  FillGrids(*beam, Host().CurrentBeamSide());
  CheckPage(Host().FieldChecks());
}
