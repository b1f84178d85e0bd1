#include "ui/fProjectPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include "components/cCapacityFactor.h"
#include "engine/cLimitState.h"
#include "entity/VEXUtility.h"
#include "project/cProject.h"
#include "ui/cFieldCheck.h"
#include "ui/cGridChecks.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"

// ---------------------------------------------------------------------------
// General

TGeneralPage::TGeneralPage(TPageHost& Host, QWidget* Parent) : TDataPage(Host, QStringLiteral("General"), Parent) {
  auto* grid = new QGridLayout(this);
  grid->setColumnStretch(1, 1);

  auto* project_label = new QLabel(QStringLiteral("Project"));
  edtProject_ = new QLineEdit;
  edtProject_->setObjectName(QStringLiteral("edtProject"));
  edtProject_->setAccessibleName(QStringLiteral("Project"));
  SetHint(edtProject_, QStringLiteral("Name of project"));
  project_label->setBuddy(edtProject_);
  grid->addWidget(project_label, 0, 0);
  grid->addWidget(edtProject_, 0, 1);

  auto* description_label = new QLabel(QStringLiteral("Project description"));
  memDescription_ = new QPlainTextEdit;
  memDescription_->setObjectName(QStringLiteral("memDescription"));
  memDescription_->setAccessibleName(QStringLiteral("Project description"));
  SetHint(memDescription_, QStringLiteral("Description of project"));
  memDescription_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memDescription_->setTabChangesFocus(true);
  memDescription_->setMaximumHeight(memDescription_->fontMetrics().lineSpacing() * 5 + 12);
  description_label->setBuddy(memDescription_);
  grid->addWidget(description_label, 1, 0, Qt::AlignTop);
  grid->addWidget(memDescription_, 1, 1);

  edtDesigner_ = AddFormField(grid, 2, QStringLiteral("Designer"), {}, QStringLiteral("edtDesigner"),
                             QStringLiteral("Name of designer"), 260).Edit;
  edtFloorArea_ = AddFormField(grid, 3, QStringLiteral("Floor area"), SquareMetres(),
                              QStringLiteral("edtFloorArea"), QStringLiteral("Floor area"), 120).Edit;
  edtStoreys_ = AddFormField(grid, 4, QStringLiteral("Number of storeys"), {}, QStringLiteral("edtStoreys"),
                            QStringLiteral("Number of storeys"), 120).Edit;
  edtSegments_ = AddFormField(grid, 5, QStringLiteral("Positions along beam for results calculation"), {},
                             QStringLiteral("edtSegments"),
                             QStringLiteral("Number of regularly-spaced positions along beam for calculation of results"),
                             120).Edit;

  cboCompositeStage_ = MakeChoice(QStringLiteral("cboCompositeStage"),
                                 QStringLiteral("Construction stage for composite analysis"), QString());
  cboCompositeStage_->addItems({QStringLiteral("Construction stage 5"), QStringLiteral("Construction stage 6"),
                               QStringLiteral("InService")});
  cboCompositeStage_->setParent(this);
  cboCompositeStage_->hide();
  chkIgnoreRangeChecks_ = MakeCheckBox(QStringLiteral("Ignore input data range checks"),
                                      QStringLiteral("chkIgnoreRangeChecks"), QString());
  chkIgnoreRangeChecks_->setParent(this);
  chkIgnoreRangeChecks_->hide();
  grid->setRowStretch(6, 1);

  // Every field here is a plain change.
  for (QLineEdit* e : {edtProject_, static_cast<QLineEdit*>(edtDesigner_), static_cast<QLineEdit*>(edtFloorArea_),
                       static_cast<QLineEdit*>(edtStoreys_), static_cast<QLineEdit*>(edtSegments_)})
    connect(e, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  connect(memDescription_, &QPlainTextEdit::textChanged, this, [this] {
    if (!IsFilling() && memDescription_->document()->isModified()) this->Host().InputChanged(false);
  });
}

void TGeneralPage::RegisterFields() {
  Host().RegisterField(*this, QStringLiteral("Designer"), edtDesigner_);
  Host().RegisterField(*this, QStringLiteral("Floor area"), edtFloorArea_);
  Host().RegisterField(*this, QStringLiteral("Number of storeys"), edtStoreys_);
  Host().RegisterField(*this, QStringLiteral("Positions along beam for results calculation"), edtSegments_);
}

void TGeneralPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TProject& p = Host().Project();
  edtProject_->setText(ToQ(p.Project));
  memDescription_->setPlainText(ToQ(p.Description));
  memDescription_->document()->setModified(false);
  edtDesigner_->setText(ToQ(p.Designer));
  edtFloorArea_->setText(NumberTextBlankIfZero(p.FloorArea, 0, 0));
  edtStoreys_->setText(NumberTextBlankIfZero(p.Storeys, 0, 0));
  const QString stage = ToQ(TConstructionStage::StageToLabel(p.DesignCompositeStage));
  for (int i = 0; i < cboCompositeStage_->count(); ++i)
    if (cboCompositeStage_->itemText(i).endsWith(stage)) cboCompositeStage_->setCurrentIndex(i);
  edtSegments_->setText(QString::number(p.Segments));
}

void TGeneralPage::UpdateProjectFromScreen() {
  TProject& p = Host().Project();
  p.Project = ToStd(edtProject_->text());
  p.Description = ToStd(memDescription_->toPlainText());
  p.Designer = ToStd(edtDesigner_->text());
  p.FloorArea = ReadInteger(edtFloorArea_->text(), 0);
  p.Storeys = ReadInteger(edtStoreys_->text(), 0);
  p.Segments = ReadInteger(edtSegments_->text(), 10);
  // The stage choice's text is never a number: every transfer sets the in-service stage.
  p.DesignCompositeStage = static_cast<TStage>(ReadInteger(cboCompositeStage_->currentText(), kInServiceStage));
}

// ---------------------------------------------------------------------------
// Design factors

namespace {

const char* const kLoadFactorRows[] = {"Strength", "Short-term", "Long-term", "Constr.Defl", "Constr.Stress"};

// The project's limit state of the kind a row label names, or null.
TLimitState* LimitStateOfRow(TProject& Project, const QString& Label) {
  const TStateType type = TLimitState::StateTypeOfLabel(ToStd(Label));
  for (int i = 0; i < Project.LimitStateList.Count(); ++i) {
    auto* state = Project.LimitStateList.ItemAs<TLimitState>(i);
    if (state->StateType == type) return state;
  }
  return nullptr;
}


}  // namespace

TDesignFactorsPage::TDesignFactorsPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Design factors"), Parent) {
  auto* layout = new QVBoxLayout(this);

  grdCapacityFactors_ = new TStringGrid;
  QStringList kinds;
  for (int i = 0; i < kCapacityFactorCount; ++i) kinds << ToQ(CapacityFactorLabel(static_cast<TCapacityFactorType>(i)));
  SetUpTable(*grdCapacityFactors_, QStringLiteral("grdCapacityFactors"),
             QStringLiteral("Capacity factors for the ultimate state"),
             {QStringLiteral("Type of action effect"), QStringLiteral("phi")}, kinds);
  grdCapacityFactors_->setEnabled(false);
  SetHint(grdCapacityFactors_, QStringLiteral("Capacity factors set by AS/NZS 2327"));
  grdCapacityFactors_->setColumnWidth(0, 230);
  grdCapacityFactors_->setColumnWidth(1, 90);
  grdCapacityFactors_->setFixedWidth(230 + 90 + 2 * grdCapacityFactors_->frameWidth());
  FitTableHeight(*grdCapacityFactors_);

  grdLoadFactors_ = new TStringGrid;
  QStringList states;
  for (const char* row : kLoadFactorRows) states << QString::fromLatin1(row);
  SetUpTable(*grdLoadFactors_, QStringLiteral("grdLoadFactors"), QStringLiteral("Load factors"),
             {QStringLiteral("Limit state"), QStringLiteral("LF dead"), QStringLiteral("LF live")}, states);
  SetHint(grdLoadFactors_, QStringLiteral("Factors to be applied to dead and live loads when running an analysis"));
  for (int c = 0; c < 3; ++c) grdLoadFactors_->setColumnWidth(c, c == 0 ? 160 : 80);
  grdLoadFactors_->setFixedWidth(160 + 2 * 80 + 2 * grdLoadFactors_->frameWidth());
  FitTableHeight(*grdLoadFactors_);
  WatchGridEdits(Host, this, *grdLoadFactors_, false);

  layout->addWidget(MakeHeading(QStringLiteral("Capacity factors for the ultimate state")));
  layout->addWidget(grdCapacityFactors_);
  layout->addSpacing(12);
  layout->addWidget(MakeHeading(QStringLiteral("Load factors")));
  layout->addWidget(grdLoadFactors_);
  layout->addStretch(1);
  ShowCapacityFactors();
}

void TDesignFactorsPage::RegisterFields() {
  Host().RegisterGridColumn(*this, QStringLiteral("LF dead"), *grdLoadFactors_, 1);
  Host().RegisterGridColumn(*this, QStringLiteral("LF live"), *grdLoadFactors_, 2);
}

void TDesignFactorsPage::ShowCapacityFactors() {
  for (int i = 0; i < kCapacityFactorCount; ++i)
    grdCapacityFactors_->SetCell(1, i + 1, NumberText(CapacityFactor(static_cast<TCapacityFactorType>(i)), 1, 3));
}

void TDesignFactorsPage::ShowLoadFactorRow(int Row) {
  const TLimitState* state = LimitStateOfRow(Host().Project(), grdLoadFactors_->Cell(0, Row));
  grdLoadFactors_->SetCell(1, Row, state ? NumberText(state->LFdead, 1, 3) : QString());
  grdLoadFactors_->SetCell(2, Row, state ? NumberText(state->LFlive, 1, 3) : QString());
}

void TDesignFactorsPage::EditionChanged() { ShowCapacityFactors(); }

void TDesignFactorsPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  ShowCapacityFactors();
  for (int r = 1; r < grdLoadFactors_->RowCount(); ++r) ShowLoadFactorRow(r);
}

// A floor use sets only the live load factors of the service states; the
// other cells keep what they show, typed or not.
void TDesignFactorsPage::FloorUseApplied() {
  TFillScope filling(*this);
  for (int r = 1; r < grdLoadFactors_->RowCount(); ++r) {
    const TStateType type = TLimitState::StateTypeOfLabel(ToStd(grdLoadFactors_->Cell(0, r)));
    if (type != stShort && type != stLong) continue;
    const TLimitState* state = LimitStateOfRow(Host().Project(), grdLoadFactors_->Cell(0, r));
    if (state) grdLoadFactors_->SetCell(2, r, NumberText(state->LFlive, 1, 3));
  }
}

void TDesignFactorsPage::UpdateProjectFromScreen() {
  for (int r = 1; r < grdLoadFactors_->RowCount(); ++r) {
    TLimitState* state = LimitStateOfRow(Host().Project(), grdLoadFactors_->Cell(0, r));
    if (!state) continue;
    state->LFdead = ReadNumber(grdLoadFactors_->Cell(1, r));
    state->LFlive = ReadNumber(grdLoadFactors_->Cell(2, r));
  }
}

void TDesignFactorsPage::CheckPage(TFieldCheckList& Checks) {
  TDataPage::CheckPage(Checks);
  CheckAllGridCells(*grdLoadFactors_, Checks);
}

// ---------------------------------------------------------------------------
// Deflection limits

namespace {

// Rows of the deflection table: the ratio and the absolute limit of each pair.
struct TDeflectionRow {
  const char* Stage;
  double TDeflectionLimit::*Ratio;
  double TDeflectionLimit::*Absolute;
};
const TDeflectionRow kDeflectionRows[] = {
    {"3", &TDeflectionLimit::Stage3DLRelLimit, &TDeflectionLimit::Stage3DLAbsLimit},
    {"5&6", &TDeflectionLimit::Stage56DLRelLimit, &TDeflectionLimit::Stage56DLAbsLimit},
    {"3&5&6", &TDeflectionLimit::Stage356DLRelLimit, &TDeflectionLimit::Stage356DLAbsLimit},
    {"InService - incremental", &TDeflectionLimit::IncrementalRelLimit, &TDeflectionLimit::IncrementalAbsLimit},
    {"InService - total", &TDeflectionLimit::TotalRelLimit, &TDeflectionLimit::TotalAbsLimit},
};

}  // namespace

TDeflectionLimitsPage::TDeflectionLimitsPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Deflection limits"), Parent) {
  auto* layout = new QVBoxLayout(this);
  grdDeflectionLimits_ = new TStringGrid;
  QStringList stages;
  for (const TDeflectionRow& row : kDeflectionRows) stages << QString::fromLatin1(row.Stage);
  SetUpTable(*grdDeflectionLimits_, QStringLiteral("grdDeflectionLimits"), QStringLiteral("Deflection limits"),
             {QStringLiteral("Stage"), QStringLiteral("Span/Defl (ratio)"), QStringLiteral("Absolute (mm)")}, stages);
  SetHint(grdDeflectionLimits_,
          QStringLiteral("Deflection limits for the various construction stages (enter 0 to disable a specific check)"));
  const int widths[] = {180, 130, 110};
  for (int c = 0; c < 3; ++c) grdDeflectionLimits_->setColumnWidth(c, widths[c]);
  grdDeflectionLimits_->setFixedWidth(180 + 130 + 110 + 2 * grdDeflectionLimits_->frameWidth());
  FitTableHeight(*grdDeflectionLimits_);
  WatchGridEdits(Host, this, *grdDeflectionLimits_, false);

  auto* form = new QGridLayout;
  edtShrinkageRatio_ = AddFormField(form, 0, QStringLiteral("Ratio of shrinkage prior to InService"), {},
                                   QStringLiteral("edtShrinkageRatio"),
                                   QStringLiteral("Ratio of shrinkage occurring prior to the InService stage (e.g. 0.4)"),
                                   90).Edit;
  edtShrinkageRatio_->setText(QStringLiteral("0.4"));
  form->setColumnStretch(2, 1);
  connect(edtShrinkageRatio_, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });

  layout->addWidget(MakeHeading(QStringLiteral("Deflection limits (leave blank if no limit)")));
  layout->addWidget(grdDeflectionLimits_);
  layout->addSpacing(12);
  layout->addLayout(form);
  layout->addStretch(1);
}

void TDeflectionLimitsPage::RegisterFields() {
  Host().RegisterGridColumn(*this, QStringLiteral("Span/Defl (ratio)"), *grdDeflectionLimits_, 1);
  Host().RegisterGridColumn(*this, QStringLiteral("Absolute defl limit"), *grdDeflectionLimits_, 2);
  Host().RegisterField(*this, QStringLiteral("Ratio of shrinkage prior to InService"), edtShrinkageRatio_);
}

void TDeflectionLimitsPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TDeflectionLimit& limits = Host().Project().DeflectionLimit;
  int r = 1;
  for (const TDeflectionRow& row : kDeflectionRows) {
    grdDeflectionLimits_->SetCell(1, r, NumberTextBlankIfZero(limits.*row.Ratio));
    grdDeflectionLimits_->SetCell(2, r, NumberTextBlankIfZero(limits.*row.Absolute));
    ++r;
  }
  edtShrinkageRatio_->setText(NumberText(limits.ShrinkageRatioPriorInservice, 1, 3));
}

// A floor use sets the two in-service ratios; the other cells keep what they show.
void TDeflectionLimitsPage::FloorUseApplied() {
  TFillScope filling(*this);
  const TDeflectionLimit& limits = Host().Project().DeflectionLimit;
  grdDeflectionLimits_->SetCell(1, 4, NumberTextBlankIfZero(limits.IncrementalRelLimit));
  grdDeflectionLimits_->SetCell(1, 5, NumberTextBlankIfZero(limits.TotalRelLimit));
}

void TDeflectionLimitsPage::UpdateProjectFromScreen() {
  TDeflectionLimit& limits = Host().Project().DeflectionLimit;
  int r = 1;
  for (const TDeflectionRow& row : kDeflectionRows) {
    limits.*row.Ratio = ReadNumber(grdDeflectionLimits_->Cell(1, r));
    limits.*row.Absolute = ReadNumber(grdDeflectionLimits_->Cell(2, r));
    ++r;
  }
  limits.ShrinkageRatioPriorInservice = ReadNumber(edtShrinkageRatio_->text());
}

void TDeflectionLimitsPage::CheckPage(TFieldCheckList& Checks) {
  TDataPage::CheckPage(Checks);
  CheckAllGridCells(*grdDeflectionLimits_, Checks);
}
