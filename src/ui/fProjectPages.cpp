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
  edtProject = new QLineEdit;
  edtProject->setObjectName(QStringLiteral("edtProject"));
  edtProject->setAccessibleName(QStringLiteral("Project"));
  SetHint(edtProject, QStringLiteral("Name of project"));
  project_label->setBuddy(edtProject);
  grid->addWidget(project_label, 0, 0);
  grid->addWidget(edtProject, 0, 1);

  auto* description_label = new QLabel(QStringLiteral("Project description"));
  memDescription = new QPlainTextEdit;
  memDescription->setObjectName(QStringLiteral("memDescription"));
  memDescription->setAccessibleName(QStringLiteral("Project description"));
  SetHint(memDescription, QStringLiteral("Description of project"));
  memDescription->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memDescription->setTabChangesFocus(true);
  memDescription->setMaximumHeight(memDescription->fontMetrics().lineSpacing() * 5 + 12);
  description_label->setBuddy(memDescription);
  grid->addWidget(description_label, 1, 0, Qt::AlignTop);
  grid->addWidget(memDescription, 1, 1);

  edtDesigner = AddFormField(grid, 2, QStringLiteral("Designer"), {}, QStringLiteral("edtDesigner"),
                             QStringLiteral("Name of designer"), 260).Edit;
  edtFloorArea = AddFormField(grid, 3, QStringLiteral("Floor area"), QStringLiteral("m2"),
                              QStringLiteral("edtFloorArea"), QStringLiteral("Floor area"), 120).Edit;
  edtStoreys = AddFormField(grid, 4, QStringLiteral("Number of storeys"), {}, QStringLiteral("edtStoreys"),
                            QStringLiteral("Number of storeys"), 120).Edit;
  edtSegments = AddFormField(grid, 5, QStringLiteral("Positions along beam for results calculation"), {},
                             QStringLiteral("edtSegments"),
                             QStringLiteral("Number of regularly-spaced positions along beam for calculation of results"),
                             120).Edit;

  cboCompositeStage = MakeChoice(QStringLiteral("cboCompositeStage"),
                                 QStringLiteral("Construction stage for composite analysis"), QString());
  cboCompositeStage->addItems({QStringLiteral("Construction stage 5"), QStringLiteral("Construction stage 6"),
                               QStringLiteral("InService")});
  cboCompositeStage->setParent(this);
  cboCompositeStage->hide();
  chkIgnoreRangeChecks = MakeCheckBox(QStringLiteral("Ignore input data range checks"),
                                      QStringLiteral("chkIgnoreRangeChecks"), QString());
  chkIgnoreRangeChecks->setParent(this);
  chkIgnoreRangeChecks->hide();
  grid->setRowStretch(6, 1);

  // Every field here is a plain change.
  for (QLineEdit* e : {edtProject, static_cast<QLineEdit*>(edtDesigner), static_cast<QLineEdit*>(edtFloorArea),
                       static_cast<QLineEdit*>(edtStoreys), static_cast<QLineEdit*>(edtSegments)})
    connect(e, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  connect(memDescription, &QPlainTextEdit::textChanged, this, [this] {
    if (!IsFilling() && memDescription->document()->isModified()) this->Host().InputChanged(false);
  });
}

void TGeneralPage::RegisterFields() {
  Host().RegisterField(this, PageName(), QStringLiteral("Designer"), edtDesigner);
  Host().RegisterField(this, PageName(), QStringLiteral("Floor area"), edtFloorArea);
  Host().RegisterField(this, PageName(), QStringLiteral("Number of storeys"), edtStoreys);
  Host().RegisterField(this, PageName(), QStringLiteral("Positions along beam for results calculation"), edtSegments);
}

void TGeneralPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TProject& p = Host().Project();
  edtProject->setText(ToQ(p.Project));
  memDescription->setPlainText(ToQ(p.Description));
  memDescription->document()->setModified(false);
  edtDesigner->setText(ToQ(p.Designer));
  edtFloorArea->setText(NumberTextBlankIfZero(p.FloorArea, 0, 0));
  edtStoreys->setText(NumberTextBlankIfZero(p.Storeys, 0, 0));
  const QString stage = ToQ(TConstructionStage::StageToLabel(p.DesignCompositeStage));
  for (int i = 0; i < cboCompositeStage->count(); ++i)
    if (cboCompositeStage->itemText(i).endsWith(stage)) cboCompositeStage->setCurrentIndex(i);
  edtSegments->setText(QString::number(p.Segments));
}

void TGeneralPage::UpdateProjectFromScreen() {
  TProject& p = Host().Project();
  p.Project = ToStd(edtProject->text());
  p.Description = ToStd(memDescription->toPlainText());
  p.Designer = ToStd(edtDesigner->text());
  p.FloorArea = ReadInteger(edtFloorArea->text(), 0);
  p.Storeys = ReadInteger(edtStoreys->text(), 0);
  p.Segments = ReadInteger(edtSegments->text(), 10);
  // The stage choice's text is never a number: every transfer sets the in-service stage.
  p.DesignCompositeStage = static_cast<TStage>(ReadInteger(cboCompositeStage->currentText(), kInServiceStage));
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

  grdCapacityFactors = new TStringGrid;
  QStringList kinds;
  for (int i = 0; i < kCapacityFactorCount; ++i) kinds << ToQ(CapacityFactorLabel(static_cast<TCapacityFactorType>(i)));
  SetUpTable(*grdCapacityFactors, QStringLiteral("grdCapacityFactors"),
             QStringLiteral("Capacity factors for the ultimate state"),
             {QStringLiteral("Type of action effect"), QStringLiteral("phi")}, kinds);
  grdCapacityFactors->setEnabled(false);
  SetHint(grdCapacityFactors, QStringLiteral("Capacity factors set by AS/NZS 2327"));
  grdCapacityFactors->setColumnWidth(0, 230);
  grdCapacityFactors->setColumnWidth(1, 90);
  grdCapacityFactors->setFixedWidth(230 + 90 + 2 * grdCapacityFactors->frameWidth());
  FitTableHeight(*grdCapacityFactors);

  grdLoadFactors = new TStringGrid;
  QStringList states;
  for (const char* row : kLoadFactorRows) states << QString::fromLatin1(row);
  SetUpTable(*grdLoadFactors, QStringLiteral("grdLoadFactors"), QStringLiteral("Load factors"),
             {QStringLiteral("Limit state"), QStringLiteral("LF dead"), QStringLiteral("LF live")}, states);
  SetHint(grdLoadFactors, QStringLiteral("Factors to be applied to dead and live loads when running an analysis"));
  for (int c = 0; c < 3; ++c) grdLoadFactors->setColumnWidth(c, c == 0 ? 160 : 80);
  grdLoadFactors->setFixedWidth(160 + 2 * 80 + 2 * grdLoadFactors->frameWidth());
  FitTableHeight(*grdLoadFactors);
  WatchGridEdits(Host, this, *grdLoadFactors, false);

  layout->addWidget(MakeHeading(QStringLiteral("Capacity factors for the ultimate state")));
  layout->addWidget(grdCapacityFactors);
  layout->addSpacing(12);
  layout->addWidget(MakeHeading(QStringLiteral("Load factors")));
  layout->addWidget(grdLoadFactors);
  layout->addStretch(1);
  ShowCapacityFactors();
}

void TDesignFactorsPage::RegisterFields() {
  Host().RegisterGridColumn(this, PageName(), QStringLiteral("LF dead"), grdLoadFactors, 1);
  Host().RegisterGridColumn(this, PageName(), QStringLiteral("LF live"), grdLoadFactors, 2);
}

void TDesignFactorsPage::ShowCapacityFactors() {
  for (int i = 0; i < kCapacityFactorCount; ++i)
    grdCapacityFactors->SetCell(1, i + 1, NumberText(CapacityFactor(static_cast<TCapacityFactorType>(i)), 1, 3));
}

void TDesignFactorsPage::ShowLoadFactorRow(int Row) {
  const TLimitState* state = LimitStateOfRow(Host().Project(), grdLoadFactors->Cell(0, Row));
  grdLoadFactors->SetCell(1, Row, state ? NumberText(state->LFdead, 1, 3) : QString());
  grdLoadFactors->SetCell(2, Row, state ? NumberText(state->LFlive, 1, 3) : QString());
}

void TDesignFactorsPage::EditionChanged() { ShowCapacityFactors(); }

void TDesignFactorsPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  ShowCapacityFactors();
  for (int r = 1; r < grdLoadFactors->RowCount(); ++r) ShowLoadFactorRow(r);
}

// A floor use sets only the live load factors of the service states; the
// other cells keep what they show, typed or not.
void TDesignFactorsPage::FloorUseApplied() {
  TFillScope filling(*this);
  for (int r = 1; r < grdLoadFactors->RowCount(); ++r) {
    const TStateType type = TLimitState::StateTypeOfLabel(ToStd(grdLoadFactors->Cell(0, r)));
    if (type != stShort && type != stLong) continue;
    const TLimitState* state = LimitStateOfRow(Host().Project(), grdLoadFactors->Cell(0, r));
    if (state) grdLoadFactors->SetCell(2, r, NumberText(state->LFlive, 1, 3));
  }
}

void TDesignFactorsPage::UpdateProjectFromScreen() {
  for (int r = 1; r < grdLoadFactors->RowCount(); ++r) {
    TLimitState* state = LimitStateOfRow(Host().Project(), grdLoadFactors->Cell(0, r));
    if (!state) continue;
    state->LFdead = ReadNumber(grdLoadFactors->Cell(1, r));
    state->LFlive = ReadNumber(grdLoadFactors->Cell(2, r));
  }
}

void TDesignFactorsPage::CheckPage(TFieldCheckList& Checks) {
  TDataPage::CheckPage(Checks);
  CheckAllGridCells(*grdLoadFactors, Checks);
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
  grdDeflectionLimits = new TStringGrid;
  QStringList stages;
  for (const TDeflectionRow& row : kDeflectionRows) stages << QString::fromLatin1(row.Stage);
  SetUpTable(*grdDeflectionLimits, QStringLiteral("grdDeflectionLimits"), QStringLiteral("Deflection limits"),
             {QStringLiteral("Stage"), QStringLiteral("Span/Defl (ratio)"), QStringLiteral("Absolute (mm)")}, stages);
  SetHint(grdDeflectionLimits,
          QStringLiteral("Deflection limits for the various construction stages (enter 0 to disable a specific check)"));
  const int widths[] = {180, 130, 110};
  for (int c = 0; c < 3; ++c) grdDeflectionLimits->setColumnWidth(c, widths[c]);
  grdDeflectionLimits->setFixedWidth(180 + 130 + 110 + 2 * grdDeflectionLimits->frameWidth());
  FitTableHeight(*grdDeflectionLimits);
  WatchGridEdits(Host, this, *grdDeflectionLimits, false);

  auto* form = new QGridLayout;
  edtShrinkageRatio = AddFormField(form, 0, QStringLiteral("Ratio of shrinkage prior to InService"), {},
                                   QStringLiteral("edtShrinkageRatio"),
                                   QStringLiteral("Ratio of shrinkage occurring prior to the InService stage (e.g. 0.4)"),
                                   90).Edit;
  edtShrinkageRatio->setText(QStringLiteral("0.4"));
  form->setColumnStretch(2, 1);
  connect(edtShrinkageRatio, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });

  layout->addWidget(MakeHeading(QStringLiteral("Deflection limits (leave blank if no limit)")));
  layout->addWidget(grdDeflectionLimits);
  layout->addSpacing(12);
  layout->addLayout(form);
  layout->addStretch(1);
}

void TDeflectionLimitsPage::RegisterFields() {
  Host().RegisterGridColumn(this, PageName(), QStringLiteral("Span/Defl (ratio)"), grdDeflectionLimits, 1);
  Host().RegisterGridColumn(this, PageName(), QStringLiteral("Absolute defl limit"), grdDeflectionLimits, 2);
  Host().RegisterField(this, PageName(), QStringLiteral("Ratio of shrinkage prior to InService"), edtShrinkageRatio);
}

void TDeflectionLimitsPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TDeflectionLimit& limits = Host().Project().DeflectionLimit;
  int r = 1;
  for (const TDeflectionRow& row : kDeflectionRows) {
    grdDeflectionLimits->SetCell(1, r, NumberTextBlankIfZero(limits.*row.Ratio));
    grdDeflectionLimits->SetCell(2, r, NumberTextBlankIfZero(limits.*row.Absolute));
    ++r;
  }
  edtShrinkageRatio->setText(NumberText(limits.ShrinkageRatioPriorInservice, 1, 3));
}

// A floor use sets the two in-service ratios; the other cells keep what they show.
void TDeflectionLimitsPage::FloorUseApplied() {
  TFillScope filling(*this);
  const TDeflectionLimit& limits = Host().Project().DeflectionLimit;
  grdDeflectionLimits->SetCell(1, 4, NumberTextBlankIfZero(limits.IncrementalRelLimit));
  grdDeflectionLimits->SetCell(1, 5, NumberTextBlankIfZero(limits.TotalRelLimit));
}

void TDeflectionLimitsPage::UpdateProjectFromScreen() {
  TDeflectionLimit& limits = Host().Project().DeflectionLimit;
  int r = 1;
  for (const TDeflectionRow& row : kDeflectionRows) {
    limits.*row.Ratio = ReadNumber(grdDeflectionLimits->Cell(1, r));
    limits.*row.Absolute = ReadNumber(grdDeflectionLimits->Cell(2, r));
    ++r;
  }
  limits.ShrinkageRatioPriorInservice = ReadNumber(edtShrinkageRatio->text());
}

void TDeflectionLimitsPage::CheckPage(TFieldCheckList& Checks) {
  TDataPage::CheckPage(Checks);
  CheckAllGridCells(*grdDeflectionLimits, Checks);
}
