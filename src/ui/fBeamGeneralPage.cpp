// The beam's "General" page.
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "project/cProject.h"
#include "ui/cFieldCheck.h"
#include "ui/cMessages.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"

namespace {

// A radio button with an optional field (and unit) beside it, as one row of a group.
void AddChoiceRow(QGridLayout* Grid, int Row, QButtonGroup* Group, const QString& Caption, const TPageField* Field) {
  auto* button = new QRadioButton(Caption);
  button->setObjectName(Group->objectName() + QString::number(Row));
  Group->addButton(button, Row);
  Grid->addWidget(button, Row, 0);
  if (!Field) return;
  auto* cell = new QHBoxLayout;
  cell->setSpacing(4);
  cell->addWidget(Field->Edit);
  if (Field->Unit) cell->addWidget(Field->Unit);
  cell->addStretch(1);
  Grid->addLayout(cell, Row, 1);
  Field->Edit->EditLabel()->setParent(Field->Edit);  // the radio button is its caption
  Field->Edit->EditLabel()->hide();
}

}  // namespace

TBeamGeneralPage::TBeamGeneralPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Beam general"), Parent) {
  auto* form = new QGridLayout;
  form->setVerticalSpacing(8);
  fldMark = AddFormField(form, 0, QStringLiteral("Mark"), {}, QStringLiteral("edtMark"),
                         QStringLiteral("Mark to identify the beam"), 160);
  auto* description_label = new QLabel(QStringLiteral("Description"));
  memDescription = new QPlainTextEdit;
  memDescription->setObjectName(QStringLiteral("memBeamDescription"));
  memDescription->setAccessibleName(QStringLiteral("Beam description"));
  SetHint(memDescription, QStringLiteral("Description of this beam"));
  memDescription->setTabChangesFocus(true);
  memDescription->setFixedHeight(memDescription->fontMetrics().lineSpacing() * 3 + 12);
  description_label->setBuddy(memDescription);
  form->addWidget(description_label, 1, 0, Qt::AlignTop);
  form->addWidget(memDescription, 1, 1);
  chkPropped = MakeCheckBox(QStringLiteral("Propped?"), QStringLiteral("chkPropped"),
                            QStringLiteral("Tick if this beam is propped"));
  form->addWidget(chkPropped, 2, 1);
  form->setColumnStretch(1, 1);

  // Camber basis: an entry per way of setting it, the fixed values beside their entries.
  auto* camber = new QGroupBox(QStringLiteral("Camber"));
  camber->setObjectName(QStringLiteral("grpCamber"));
  SetHint(camber, QStringLiteral("Set the basis for how camber will be determined"));
  grpCamber = new QButtonGroup(this);
  grpCamber->setObjectName(QStringLiteral("rbCamber"));
  fldCamberAbsolute = MakeField(QString(), QStringLiteral("mm"), QStringLiteral("edtCamberAbsolute"),
                                QStringLiteral("Camber set to fixed absolute value"), 70, QStringLiteral("Fixed camber"));
  fldCamberRelative = MakeField(QString(), QString(), QStringLiteral("edtCamberRelative"),
                                QStringLiteral("Camber set to fixed value based on span"), 70,
                                QStringLiteral("Camber span ratio"));
  auto* camber_grid = new QGridLayout(camber);
  AddChoiceRow(camber_grid, 0, grpCamber, QStringLiteral("Auto-calculate for Stage 3 dead loads"), nullptr);
  AddChoiceRow(camber_grid, 1, grpCamber, QStringLiteral("Auto-calculate for Stage 3&&5&&6 dead loads"), nullptr);
  AddChoiceRow(camber_grid, 2, grpCamber, QStringLiteral("Fixed at"), &fldCamberAbsolute);
  AddChoiceRow(camber_grid, 3, grpCamber, QStringLiteral("Fixed at Span / "), &fldCamberRelative);
  camber_grid->setColumnStretch(1, 1);

  auto* connectors = new QGroupBox(QStringLiteral("Shear connectors"));
  connectors->setObjectName(QStringLiteral("grpConnectorBasis"));
  SetHint(connectors, QStringLiteral("Set the basis for how the actual number of shear connectors is determined"));
  grpConnectorBasis = new QButtonGroup(this);
  grpConnectorBasis->setObjectName(QStringLiteral("rbConnectorBasis"));
  fldUserBeta = MakeField(QString(), {}, QStringLiteral("edtUserBeta"),
                          QStringLiteral("Specified shear connection ratio at midspan"), 70,
                          QStringLiteral("Specified shear connection ratio"));
  fldUserStudCount = MakeField(QString(), {}, QStringLiteral("edtUserStudCount"),
                               QStringLiteral("Specified total number of evenly-spaced shear connectors along beam"), 70,
                               QStringLiteral("Specified total number of shear connectors"));
  auto* connector_grid = new QGridLayout(connectors);
  AddChoiceRow(connector_grid, 0, grpConnectorBasis, QStringLiteral("Auto-calculate number of shear connectors"),
               nullptr);
  AddChoiceRow(connector_grid, 1, grpConnectorBasis, QStringLiteral("Shear connection ratio at midspan"), &fldUserBeta);
  AddChoiceRow(connector_grid, 2, grpConnectorBasis, QStringLiteral("Total number of shear connectors"),
               &fldUserStudCount);
  connector_grid->setColumnStretch(1, 1);
  fldUserNr = MakeField(QStringLiteral("User Nr"), {}, QStringLiteral("edtUserNr"),
                        QStringLiteral("Specified # studs per transverse section"), 60);
  fldUserNr.Edit->setParent(this);
  fldUserNr.SetShown(false);

  auto* choices = new QHBoxLayout;
  choices->addWidget(camber);
  choices->addWidget(connectors);
  choices->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(8);
  layout->addLayout(choices);
  layout->addStretch(1);

  connect(fldMark.Edit, &QLineEdit::textEdited, this, [this](const QString& Text) {
    // The mark names the beam everywhere at once: the tree and its summary line.
    if (TImportedBeam* beam = this->Host().CurrentBeam()) {
      beam->Mark = ToStd(Text);
      this->Host().UpdateBeamCaptions();
    }
    this->Host().InputChanged(false);
  });
  connect(memDescription, &QPlainTextEdit::textChanged, this, [this] {
    if (!IsFilling()) this->Host().InputChanged(false);
  });
  connect(chkPropped, &QCheckBox::clicked, this, &TBeamGeneralPage::OnProppedClicked);
  connect(grpCamber, &QButtonGroup::idClicked, this, [this] { OnChoiceClicked(grpCamber); });
  connect(grpConnectorBasis, &QButtonGroup::idClicked, this, [this] { OnChoiceClicked(grpConnectorBasis); });
  for (const TPageField* f : {&fldCamberAbsolute, &fldCamberRelative, &fldUserBeta, &fldUserStudCount, &fldUserNr})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  grpCamber->button(0)->setChecked(true);
  grpConnectorBasis->button(0)->setChecked(true);
  EnableChoiceFields();
}

void TBeamGeneralPage::RegisterFields() {
  TPageHost& host = Host();
  host.RegisterField(this, PageName(), QStringLiteral("Mark"), fldMark.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Fixed (absolute) camber"), fldCamberAbsolute.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Fixed (relative) camber"), fldCamberRelative.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Specified shear connection ratio"), fldUserBeta.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Specified total number of shear connectors"),
                     fldUserStudCount.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Specified # studs in transverse section"), fldUserNr.Edit);
}

void TBeamGeneralPage::EnableChoiceFields() {
  fldCamberAbsolute.SetEnabled(grpCamber->checkedId() == 2);
  fldCamberRelative.SetEnabled(grpCamber->checkedId() == 3);
  fldUserBeta.SetEnabled(grpConnectorBasis->checkedId() == 1);
  fldUserStudCount.SetEnabled(grpConnectorBasis->checkedId() == 2);
}

void TBeamGeneralPage::OnChoiceClicked(QButtonGroup* Group) {
  EnableChoiceFields();
  // The field that has just become available takes the typing.
  const int id = Group->checkedId();
  QLineEdit* edit = nullptr;
  if (Group == grpCamber) edit = id == 2 ? fldCamberAbsolute.Edit : id == 3 ? fldCamberRelative.Edit : nullptr;
  if (Group == grpConnectorBasis) edit = id == 1 ? fldUserBeta.Edit : id == 2 ? fldUserStudCount.Edit : nullptr;
  if (edit && edit->isVisible() && edit->isEnabled()) edit->setFocus(Qt::OtherFocusReason);
  Host().InputChanged(false);
  CheckPage(Host().FieldChecks());
}

// Propping follows the construction sequence (the project's rule): the
// window only tells the user what else it changed.
void TBeamGeneralPage::OnProppedClicked(bool IsTicked) {
  if (!Host().CurrentBeam()) return;
  const std::string told = Host().Project().SetBeamPropped(Host().CurrentBeamSide(), IsTicked);
  if (!told.empty()) ShowMessage(window(), TMessageKind::Information, ToQ(told));
  Host().InputChanged(true);
}

void TBeamGeneralPage::UpdateScreenFromBeam(int Side) {
  TFillScope filling(*this);
  const TImportedBeam& beam = *Host().Project().GetBeam(Side);
  fldMark.Edit->setText(ToQ(beam.Mark));
  memDescription->setPlainText(ToQ(beam.Description));
  chkPropped->setChecked(beam.IsPropped);
  if (QAbstractButton* b = grpCamber->button(beam.CamberType)) b->setChecked(true);
  fldCamberAbsolute.Edit->setText(NumberTextBlankIfZero(beam.CamberAbsolute));
  fldCamberRelative.Edit->setText(NumberTextBlankIfZero(beam.CamberRelative));
  const int basis = ((beam.StudCountBasis % 3) + 3) % 3;
  grpConnectorBasis->button(basis)->setChecked(true);
  fldUserBeta.Edit->setText(NumberTextBlankIfZero(beam.UserBeta, 1, 3));
  fldUserStudCount.Edit->setText(NumberTextBlankIfZero(beam.UserStudCount));
  fldUserNr.Edit->setText(NumberTextBlankIfZero(beam.UserNr));
  EnableChoiceFields();
}

void TBeamGeneralPage::UpdateBeamFromScreen(int Side) {
  TImportedBeam& beam = *Host().Project().GetBeam(Side);
  beam.Mark = ToStd(fldMark.Edit->text());
  beam.Description = ToStd(memDescription->toPlainText());
  beam.IsPropped = chkPropped->isChecked();
  beam.CamberType = std::max(0, grpCamber->checkedId());
  beam.CamberAbsolute = ReadNumber(fldCamberAbsolute.Edit->text());
  beam.CamberRelative = ReadNumber(fldCamberRelative.Edit->text());
  beam.StudCountBasis = std::max(0, grpConnectorBasis->checkedId());
  beam.UserBeta = ReadNumber(fldUserBeta.Edit->text());
  beam.UserStudCount = ReadInteger(fldUserStudCount.Edit->text(), 0);
  beam.UserNr = ReadInteger(fldUserNr.Edit->text(), 0);
}
