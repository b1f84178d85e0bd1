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
  fldMark_ = AddFormField(form, 0, QStringLiteral("Mark"), {}, QStringLiteral("edtMark"),
                         QStringLiteral("Mark to identify the beam"), 160);
  auto* description_label = new QLabel(QStringLiteral("Description"));
  memDescription_ = new QPlainTextEdit;
  memDescription_->setObjectName(QStringLiteral("memBeamDescription"));
  memDescription_->setAccessibleName(QStringLiteral("Beam description"));
  SetHint(memDescription_, QStringLiteral("Description of this beam"));
  memDescription_->setTabChangesFocus(true);
  memDescription_->setFixedHeight(memDescription_->fontMetrics().lineSpacing() * 3 + 12);
  description_label->setBuddy(memDescription_);
  form->addWidget(description_label, 1, 0, Qt::AlignTop);
  form->addWidget(memDescription_, 1, 1);
  chkPropped_ = MakeCheckBox(QStringLiteral("Propped?"), QStringLiteral("chkPropped"),
                            QStringLiteral("Tick if this beam is propped"));
  form->addWidget(chkPropped_, 2, 1);
  form->setColumnStretch(1, 1);

  // Camber basis: an entry per way of setting it, the fixed values beside their entries.
  auto* camber = new QGroupBox(QStringLiteral("Camber"));
  camber->setObjectName(QStringLiteral("grpCamber"));
  SetHint(camber, QStringLiteral("Set the basis for how camber will be determined"));
  grpCamber_ = new QButtonGroup(this);
  grpCamber_->setObjectName(QStringLiteral("rbCamber"));
  fldCamberAbsolute_ = MakeField(QString(), QStringLiteral("mm"), QStringLiteral("edtCamberAbsolute"),
                                QStringLiteral("Camber set to fixed absolute value"), 70, QStringLiteral("Fixed camber"));
  fldCamberRelative_ = MakeField(QString(), QString(), QStringLiteral("edtCamberRelative"),
                                QStringLiteral("Camber set to fixed value based on span"), 70,
                                QStringLiteral("Camber span ratio"));
  auto* camber_grid = new QGridLayout(camber);
  AddChoiceRow(camber_grid, 0, grpCamber_, QStringLiteral("Auto-calculate for Stage 3 dead loads"), nullptr);
  AddChoiceRow(camber_grid, 1, grpCamber_, QStringLiteral("Auto-calculate for Stage 3&&5&&6 dead loads"), nullptr);
  AddChoiceRow(camber_grid, 2, grpCamber_, QStringLiteral("Fixed at"), &fldCamberAbsolute_);
  AddChoiceRow(camber_grid, 3, grpCamber_, QStringLiteral("Fixed at Span / "), &fldCamberRelative_);
  camber_grid->setColumnStretch(1, 1);

  auto* connectors = new QGroupBox(QStringLiteral("Shear connectors"));
  connectors->setObjectName(QStringLiteral("grpConnectorBasis"));
  SetHint(connectors, QStringLiteral("Set the basis for how the actual number of shear connectors is determined"));
  grpConnectorBasis_ = new QButtonGroup(this);
  grpConnectorBasis_->setObjectName(QStringLiteral("rbConnectorBasis"));
  fldUserBeta_ = MakeField(QString(), {}, QStringLiteral("edtUserBeta"),
                          QStringLiteral("Specified shear connection ratio at midspan"), 70,
                          QStringLiteral("Specified shear connection ratio"));
  fldUserStudCount_ = MakeField(QString(), {}, QStringLiteral("edtUserStudCount"),
                               QStringLiteral("Specified total number of evenly-spaced shear connectors along beam"), 70,
                               QStringLiteral("Specified total number of shear connectors"));
  auto* connector_grid = new QGridLayout(connectors);
  AddChoiceRow(connector_grid, 0, grpConnectorBasis_, QStringLiteral("Auto-calculate number of shear connectors"),
               nullptr);
  AddChoiceRow(connector_grid, 1, grpConnectorBasis_, QStringLiteral("Shear connection ratio at midspan"), &fldUserBeta_);
  AddChoiceRow(connector_grid, 2, grpConnectorBasis_, QStringLiteral("Total number of shear connectors"),
               &fldUserStudCount_);
  connector_grid->setColumnStretch(1, 1);
  fldUserNr_ = MakeField(QStringLiteral("User Nr"), {}, QStringLiteral("edtUserNr"),
                        QStringLiteral("Specified # studs per transverse section"), 60);
  fldUserNr_.Edit->setParent(this);
  fldUserNr_.SetShown(false);

  auto* choices = new QHBoxLayout;
  choices->addWidget(camber);
  choices->addWidget(connectors);
  choices->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addSpacing(8);
  layout->addLayout(choices);
  layout->addStretch(1);

  connect(fldMark_.Edit, &QLineEdit::textEdited, this, [this](const QString& Text) {
    // The mark names the beam everywhere at once: the tree and its summary line.
    if (TImportedBeam* beam = this->Host().CurrentBeam()) {
      beam->Mark = ToStd(Text);
      this->Host().UpdateBeamCaptions();
    }
    this->Host().InputChanged(false);
  });
  connect(memDescription_, &QPlainTextEdit::textChanged, this, [this] {
    if (!IsFilling()) this->Host().InputChanged(false);
  });
  connect(chkPropped_, &QCheckBox::clicked, this, &TBeamGeneralPage::OnProppedClicked);
  connect(grpCamber_, &QButtonGroup::idClicked, this, [this] { OnChoiceClicked(grpCamber_); });
  connect(grpConnectorBasis_, &QButtonGroup::idClicked, this, [this] { OnChoiceClicked(grpConnectorBasis_); });
  for (const TPageField* f : {&fldCamberAbsolute_, &fldCamberRelative_, &fldUserBeta_, &fldUserStudCount_, &fldUserNr_})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  grpCamber_->button(0)->setChecked(true);
  grpConnectorBasis_->button(0)->setChecked(true);
  EnableChoiceFields();
}

void TBeamGeneralPage::RegisterFields() {
  TPageHost& host = Host();
  host.RegisterField(*this, QStringLiteral("Mark"), fldMark_.Edit);
  host.RegisterField(*this, QStringLiteral("Fixed (absolute) camber"), fldCamberAbsolute_.Edit);
  host.RegisterField(*this, QStringLiteral("Fixed (relative) camber"), fldCamberRelative_.Edit);
  host.RegisterField(*this, QStringLiteral("Specified shear connection ratio"), fldUserBeta_.Edit);
  host.RegisterField(*this, QStringLiteral("Specified total number of shear connectors"),
                     fldUserStudCount_.Edit);
  host.RegisterField(*this, QStringLiteral("Specified # studs in transverse section"), fldUserNr_.Edit);
}

void TBeamGeneralPage::EnableChoiceFields() {
  fldCamberAbsolute_.SetEnabled(grpCamber_->checkedId() == 2);
  fldCamberRelative_.SetEnabled(grpCamber_->checkedId() == 3);
  fldUserBeta_.SetEnabled(grpConnectorBasis_->checkedId() == 1);
  fldUserStudCount_.SetEnabled(grpConnectorBasis_->checkedId() == 2);
}

void TBeamGeneralPage::OnChoiceClicked(QButtonGroup* Group) {
  EnableChoiceFields();
  // The field that has just become available takes the typing.
  const int id = Group->checkedId();
  QLineEdit* edit = nullptr;
  if (Group == grpCamber_) edit = id == 2 ? fldCamberAbsolute_.Edit : id == 3 ? fldCamberRelative_.Edit : nullptr;
  if (Group == grpConnectorBasis_) edit = id == 1 ? fldUserBeta_.Edit : id == 2 ? fldUserStudCount_.Edit : nullptr;
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
  fldMark_.Edit->setText(ToQ(beam.Mark));
  memDescription_->setPlainText(ToQ(beam.Description));
  chkPropped_->setChecked(beam.IsPropped);
  if (QAbstractButton* b = grpCamber_->button(beam.CamberType)) b->setChecked(true);
  fldCamberAbsolute_.Edit->setText(NumberTextBlankIfZero(beam.CamberAbsolute));
  fldCamberRelative_.Edit->setText(NumberTextBlankIfZero(beam.CamberRelative));
  const int basis = ((beam.StudCountBasis % 3) + 3) % 3;
  grpConnectorBasis_->button(basis)->setChecked(true);
  fldUserBeta_.Edit->setText(NumberTextBlankIfZero(beam.UserBeta, 1, 3));
  fldUserStudCount_.Edit->setText(NumberTextBlankIfZero(beam.UserStudCount));
  fldUserNr_.Edit->setText(NumberTextBlankIfZero(beam.UserNr));
  EnableChoiceFields();
}

void TBeamGeneralPage::UpdateBeamFromScreen(int Side) {
  TImportedBeam& beam = *Host().Project().GetBeam(Side);
  beam.Mark = ToStd(fldMark_.Edit->text());
  beam.Description = ToStd(memDescription_->toPlainText());
  beam.IsPropped = chkPropped_->isChecked();
  beam.CamberType = std::max(0, grpCamber_->checkedId());
  beam.CamberAbsolute = ReadNumber(fldCamberAbsolute_.Edit->text());
  beam.CamberRelative = ReadNumber(fldCamberRelative_.Edit->text());
  beam.StudCountBasis = std::max(0, grpConnectorBasis_->checkedId());
  beam.UserBeta = ReadNumber(fldUserBeta_.Edit->text());
  beam.UserStudCount = ReadInteger(fldUserStudCount_.Edit->text(), 0);
  beam.UserNr = ReadInteger(fldUserNr_.Edit->text(), 0);
}
