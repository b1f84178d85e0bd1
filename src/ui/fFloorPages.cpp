#include "ui/fFloorPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "project/cFloorUse.h"
#include "project/cProject.h"
#include "project/cProjectFile.h"
#include "project/cSession.h"
#include "ui/cFieldCheck.h"
#include "ui/cMessages.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"

namespace {

// The names of a library's items in library order, each once.
QStringList LibraryNames(const TEntityList& Library, const std::string& NameProperty) {
  QStringList names;
  for (int i = 0; i < Library.Count(); ++i) {
    const QString name = ToQ(Library.Item(i)->StringValue(NameProperty, "", 0, 3));
    if (!names.contains(name)) names << name;
  }
  return names;
}

void FitPropertyTable(TStringGrid& Grid) {
  Grid.setColumnWidth(0, 130);
  Grid.setColumnWidth(1, 110);
  Grid.setFixedWidth(130 + 110 + 2 * Grid.frameWidth());
  Grid.setEnabled(false);
  FitTableHeight(Grid);
}

}  // namespace

// ---------------------------------------------------------------------------
// Floor loading

TFloorLoadingPage::TFloorLoadingPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Floor loading"), Parent) {
  chkAutoLoading_ = MakeCheckBox(
      QStringLiteral("Auto-calculate beam loading, including self-weight and superimposed floor loads"),
      QStringLiteral("chkAutoLoading"),
      QStringLiteral("Untick this checkbox if loading is NOT to be automatically applied to the beam"));
  chkAutoLoading_->setChecked(true);
  cboFloorUse_ = MakeChoice(QStringLiteral("cboFloorUse"), QStringLiteral("Standard floor use"),
                           QStringLiteral("Select from a list of predetermined load scenarios"));
  cboFloorUse_->setMinimumWidth(380);
  lblInService_ = MakeHeading(QStringLiteral("In-service superimposed floor loading"));
  chkLiveLoadReducible_ = MakeCheckBox(QStringLiteral("Is live load reducible?"), QStringLiteral("chkLiveLoadReducible"),
                                      QStringLiteral("Tick if the nominal live load is reducible based on tributary area"));
  chkTemporaryLiveLoadReducible_ = MakeCheckBox(
      QStringLiteral("Is construction live load reducible?"), QStringLiteral("chkTemporaryLiveLoadReducible"),
      QStringLiteral("Tick if the construction live load is reducible based on tributary area"));

  auto* form = new QGridLayout;
  form->setVerticalSpacing(8);
  fldLiveLoad_ = AddFormField(form, 0, QStringLiteral("Nominal live load"), QStringLiteral("kPa"),
                             QStringLiteral("edtLiveLoad"), QStringLiteral("Nominal live load"), 80);
  form->addWidget(chkLiveLoadReducible_, 1, 1);
  fldDeadLoad_ = AddFormField(form, 2, QStringLiteral("Superimposed dead load"), QStringLiteral("kPa"),
                             QStringLiteral("edtDeadLoad"), QStringLiteral("Superimposed dead load"), 80);
  fldFacadeLoad_ = AddFormField(form, 3, QStringLiteral("Facade load if edge beam"), QStringLiteral("kN/m"),
                               QStringLiteral("edtFacadeLoad"),
                               QStringLiteral("Value to allow for facade loading on edge beams"), 80);
  form->setColumnStretch(2, 1);
  chkTemporaryLiveLoadReducible_->setParent(this);
  chkTemporaryLiveLoadReducible_->hide();

  auto* use = new QHBoxLayout;
  auto* use_label = new QLabel(QStringLiteral("Standard floor use"));
  use_label->setBuddy(cboFloorUse_);
  use->addWidget(use_label);
  use->addWidget(cboFloorUse_);
  use->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chkAutoLoading_);
  layout->addSpacing(6);
  layout->addLayout(use);
  layout->addSpacing(10);
  layout->addWidget(lblInService_);
  layout->addLayout(form);
  layout->addStretch(1);

  connect(chkAutoLoading_, &QCheckBox::clicked, this, &TFloorLoadingPage::OnAutoLoadingClicked);
  connect(cboFloorUse_, &QComboBox::activated, this, &TFloorLoadingPage::OnFloorUseActivated);
  for (const TPageField* f : {&fldLiveLoad_, &fldDeadLoad_, &fldFacadeLoad_})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(true); });
  for (QCheckBox* box : {chkLiveLoadReducible_, chkTemporaryLiveLoadReducible_})
    connect(box, &QCheckBox::clicked, this, [this] { this->Host().InputChanged(true); });
}

void TFloorLoadingPage::RegisterFields() {
  Host().RegisterField(*this, QStringLiteral("Nominal live load"), fldLiveLoad_.Edit);
  Host().RegisterField(*this, QStringLiteral("Superimposed dead load"), fldDeadLoad_.Edit);
  Host().RegisterField(*this, QStringLiteral("Facade load if edge beam"), fldFacadeLoad_.Edit);
}

void TFloorLoadingPage::LibrariesLoaded() {
  const QSignalBlocker block(cboFloorUse_);
  cboFloorUse_->clear();
  const TEntityList& uses = Host().Session().FloorUseLibrary;
  for (int i = 0; i < uses.Count(); ++i) cboFloorUse_->addItem(ToQ(uses.ItemAs<TFloorUse>(i)->LongName()));
  cboFloorUse_->setCurrentIndex(cboFloorUse_->count() > 0 ? 0 : -1);
  SavedStandardAreaLoadingIndex = std::max(0, cboFloorUse_->currentIndex());
}

void TFloorLoadingPage::EnableLoadingFields() {
  const bool on = chkAutoLoading_->isChecked();
  cboFloorUse_->setEnabled(on);
  lblInService_->setEnabled(on);
  chkLiveLoadReducible_->setEnabled(on);
  chkTemporaryLiveLoadReducible_->setEnabled(on);
  for (const TPageField* f : {&fldLiveLoad_, &fldDeadLoad_, &fldFacadeLoad_}) f->SetEnabled(on);
}

void TFloorLoadingPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TGeometry& g = Host().Project().Geometry;
  chkAutoLoading_->setChecked(g.WillAutocalcBeamLoading);
  if (g.FloorUseIndex >= 0 && g.FloorUseIndex < cboFloorUse_->count()) {
    const QSignalBlocker block(cboFloorUse_);
    cboFloorUse_->setCurrentIndex(g.FloorUseIndex);
  }
  SavedStandardAreaLoadingIndex = std::max(0, cboFloorUse_->currentIndex());
  fldLiveLoad_.Edit->setText(NumberText(g.NominalLiveLoad));
  chkLiveLoadReducible_->setChecked(g.IsLiveLoadReducible);
  chkTemporaryLiveLoadReducible_->setChecked(g.IsTemporaryLiveLoadReducible);
  fldDeadLoad_.Edit->setText(NumberText(g.DeadLoad));
  fldFacadeLoad_.Edit->setText(NumberText(g.FacadeLoad));
  EnableLoadingFields();
}

void TFloorLoadingPage::UpdateProjectFromScreen() {
  TGeometry& g = Host().Project().Geometry;
  g.WillAutocalcBeamLoading = chkAutoLoading_->isChecked();
  if (cboFloorUse_->currentIndex() >= 0) g.FloorUseIndex = cboFloorUse_->currentIndex();
  g.NominalLiveLoad = ReadNumber(fldLiveLoad_.Edit->text());
  g.IsLiveLoadReducible = chkLiveLoadReducible_->isChecked();
  g.IsTemporaryLiveLoadReducible = chkTemporaryLiveLoadReducible_->isChecked();
  g.DeadLoad = ReadNumber(fldDeadLoad_.Edit->text());
  g.FacadeLoad = ReadNumber(fldFacadeLoad_.Edit->text());
}

void TFloorLoadingPage::LeavingPage() { UpdateProjectFromScreen(); }

// The floor use's loads replace what the page shows; the page is checked again.
void TFloorLoadingPage::FloorUseApplied() {
  UpdateScreenFromProject();
  CheckPage(Host().FieldChecks());
}

void TFloorLoadingPage::OnFloorUseActivated(int Index) {
  if (Index == SavedStandardAreaLoadingIndex) return;
  const auto answer = ShowMessage(window(), TMessageKind::Warning,
                                  QStringLiteral("Changing this selection may overwrite floor slab and auto-loading settings"),
                                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
  if (answer != QMessageBox::Ok) {
    const QSignalBlocker block(cboFloorUse_);
    cboFloorUse_->setCurrentIndex(SavedStandardAreaLoadingIndex);
    return;
  }
  SavedStandardAreaLoadingIndex = Index;
  Host().ApplyFloorUse(Index);
  Host().InputChanged(true);
}

void TFloorLoadingPage::OnAutoLoadingClicked(bool IsTicked) {
  if (IsTicked) {
    const auto answer = ShowMessage(window(), TMessageKind::Warning,
                                    QStringLiteral("Setting this may overwrite floor slab and auto-loading settings"),
                                    QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel);
    if (answer != QMessageBox::Ok) {
      chkAutoLoading_->setChecked(false);
      CheckPage(Host().FieldChecks());
      return;
    }
  }
  EnableLoadingFields();
  Host().Project().Geometry.WillAutocalcBeamLoading = IsTicked;
  if (IsTicked) Host().ApplyFloorUse(SavedStandardAreaLoadingIndex);
  Host().InputChanged(true);
  CheckPage(Host().FieldChecks());
}

// ---------------------------------------------------------------------------
// Slab details

TSlabDetailsPage::TSlabDetailsPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Slab details"), Parent) {
  cboDeck_ = MakeChoice(QStringLiteral("cboDeck"), QStringLiteral("Steel deck/floor type"),
                       QStringLiteral("Select a profiled steel deck"));
  cboDeck_->setMinimumWidth(240);
  grdDeckProperties_ = new TStringGrid;
  SetUpTable(*grdDeckProperties_, QStringLiteral("grdDeckProperties"), QStringLiteral("Steel deck properties"),
             {QStringLiteral("Property"), QStringLiteral("Value")},
             {QStringLiteral("Mass (") + KilogramsPerSquareMetre() + QLatin1Char(')'), QStringLiteral("sr (mm)"),
              QStringLiteral("bsr (mm)"), QStringLiteral("hp (mm)"), QStringLiteral("Void ratio")});
  SetHint(grdDeckProperties_, QStringLiteral("Steel deck properties based on the selected deck type"));
  FitPropertyTable(*grdDeckProperties_);
  chkIgnoreConcreteBelowRibs_ =
      MakeCheckBox(QStringLiteral("Ignore concrete below ribs?"), QStringLiteral("chkIgnoreConcreteBelowRibs"),
                   QStringLiteral("Ignore concrete below top of ribs when calculating Nc,d in eq 3.5.4.2(1)"));

  auto* form = new QGridLayout;
  form->setVerticalSpacing(8);
  fldDs_ = AddFormField(form, 0, QStringLiteral("Overall slab depth (Ds)"), QStringLiteral("mm"), QStringLiteral("edtDs"),
                       QStringLiteral("Nominal total slab thickness"), 80);
  fldPonding_ = AddFormField(form, 1, QStringLiteral("Ponding allowance"), QStringLiteral("mm"),
                            QStringLiteral("edtPonding"),
                            QStringLiteral("Allowance for concrete ponding due to the deflection of the profiled steel "
                                           "decking and possibly the deflection of the non-composite steel beam"),
                            80);
  fldStrength_ = AddFormField(form, 2, QStringLiteral("Concrete strength (f'c)"), QStringLiteral("MPa"),
                             QStringLiteral("edtConcreteStrength"), QStringLiteral("Concrete strength"), 80);
  fldDensity_ = AddFormField(form, 3, QStringLiteral("Concrete density"), KilogramsPerCubicMetre(),
                            QStringLiteral("edtDensity"),
                            QStringLiteral("Concrete density, used to determine the dead weight of the slab"), 80);
  fldShrinkage_ = AddFormField(form, 4, QStringLiteral("Shrinkage strain"), MicrostrainUnit(),
                              QStringLiteral("edtShrinkageStrain"),
                              QStringLiteral("Shrinkage strain used to calculate InService shrinkage"), 80);
  fldWetDensity_ = MakeField(QStringLiteral("Concrete density (wet)"), KilogramsPerCubicMetre(),
                            QStringLiteral("edtWetDensity"),
                            QStringLiteral("Density of wet concrete, used to determine the dead weight of the slab in Stage 3"));
  fldWetDensity_.Edit->setParent(this);
  fldWetDensity_.SetShown(false);
  form->setColumnStretch(2, 1);

  auto* deck = new QHBoxLayout;
  auto* deck_label = new QLabel(QStringLiteral("Steel deck/floor type"));
  deck_label->setBuddy(cboDeck_);
  deck->addWidget(deck_label);
  deck->addWidget(cboDeck_);
  deck->addStretch(1);

  auto* columns = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addLayout(form);
  left->addStretch(1);
  auto* right = new QVBoxLayout;
  right->addWidget(MakeHeading(QStringLiteral("Steel deck properties")));
  right->addWidget(grdDeckProperties_);
  right->addWidget(chkIgnoreConcreteBelowRibs_);
  right->addStretch(1);
  columns->addLayout(left);
  columns->addSpacing(24);
  columns->addLayout(right);
  columns->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(deck);
  layout->addSpacing(10);
  layout->addLayout(columns, 1);

  connect(cboDeck_, &QComboBox::activated, this, [this] {
    ApplyChosenDeck();
    ShowDeck();
    this->Host().InputChanged(true);
    CheckPage(this->Host().FieldChecks());
  });
  connect(chkIgnoreConcreteBelowRibs_, &QCheckBox::clicked, this, [this] { this->Host().InputChanged(false); });
  for (const TPageField* f : {&fldDs_, &fldPonding_, &fldWetDensity_})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(true); });
  for (const TPageField* f : {&fldStrength_, &fldShrinkage_})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  connect(fldDensity_.Edit, &QLineEdit::textEdited, this, [this](const QString& Text) {
    fldWetDensity_.Edit->setText(Text);
    this->Host().InputChanged(true);
    CheckPage(this->Host().FieldChecks());
  });
}

TSlabDetailsPage::~TSlabDetailsPage() = default;

void TSlabDetailsPage::RegisterFields() {
  Host().RegisterField(*this, QStringLiteral("Overall slab depth (Ds)"), fldDs_.Edit);
  Host().RegisterField(*this, QStringLiteral("Ponding allowance"), fldPonding_.Edit);
  Host().RegisterField(*this, QStringLiteral("Concrete strength (f'c)"), fldStrength_.Edit);
  Host().RegisterField(*this, QStringLiteral("Concrete density"), fldDensity_.Edit);
  Host().RegisterField(*this, QStringLiteral("Concrete density (wet)"), fldWetDensity_.Edit);
  Host().RegisterField(*this, QStringLiteral("Shrinkage strain"), fldShrinkage_.Edit);
}

void TSlabDetailsPage::LibrariesLoaded() {
  const QSignalBlocker block(cboDeck_);
  cboDeck_->clear();
  cboDeck_->addItems(LibraryNames(Host().Session().SteelDeckLibrary, "Name"));
  // The whole list drops down at once.
  cboDeck_->setMaxVisibleItems(std::max(1, cboDeck_->count()));
  cboDeck_->setCurrentIndex(cboDeck_->count() > 0 ? 0 : -1);
  custom_deck_.reset();
}

void TSlabDetailsPage::ApplyChosenDeck() {
  TSteelDeck& deck = Host().Project().SteelDeck;
  const QString chosen = cboDeck_->currentText();
  if (custom_deck_ && chosen == ToQ(custom_deck_->Name)) {
    // The project's own deck: its values, with the page's rib setting.
    const bool ignore_below_ribs = deck.WillIgnoreConcreteBelowRibs;
    deck.Assign(custom_deck_.get());
    deck.WillIgnoreConcreteBelowRibs = ignore_below_ribs;
    return;
  }
  if (deck.IsCustom && chosen == ToQ(deck.Name)) return;  // a custom deck under a library name stays as it is
  deck.IsCustom = false;
  deck.Name = ToStd(chosen);
  ApplyLibraryDeck(deck, Host().Session().SteelDeckLibrary);
}

void TSlabDetailsPage::ShowDeck() {
  const TSteelDeck& deck = Host().Project().SteelDeck;
  grdDeckProperties_->SetCell(1, 1, NumberText(deck.Mass));
  grdDeckProperties_->SetCell(1, 2, NumberText(deck.sr));
  grdDeckProperties_->SetCell(1, 3, NumberText(deck.bsr));
  grdDeckProperties_->SetCell(1, 4, NumberText(deck.hr));
  grdDeckProperties_->SetCell(1, 5, NumberText(deck.VoidRatio, 2, 3));
  // Only re-entrant and closed-rib decks have concrete below the rib tops worth ignoring.
  chkIgnoreConcreteBelowRibs_->setVisible(deck.DeckType == 2 || deck.DeckType == 3);
  chkIgnoreConcreteBelowRibs_->setChecked(deck.WillIgnoreConcreteBelowRibs);
}

void TSlabDetailsPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  TProject& p = Host().Project();
  const TSteelDeck& deck = p.SteelDeck;
  {
    const QSignalBlocker block(cboDeck_);
    // A custom deck of an earlier project leaves the list; this one's joins it.
    if (custom_deck_) cboDeck_->removeItem(cboDeck_->findText(ToQ(custom_deck_->Name)));
    custom_deck_.reset();
    int i = cboDeck_->findText(ToQ(deck.Name));
    if (i < 0 && deck.IsCustom) {
      custom_deck_ = std::make_unique<TSteelDeck>();
      custom_deck_->Assign(&deck);
      cboDeck_->addItem(ToQ(deck.Name));
      i = cboDeck_->count() - 1;
    }
    if (i >= 0) {
      cboDeck_->setCurrentIndex(i);
    } else if (cboDeck_->count() > 0) {
      cboDeck_->setCurrentIndex(0);
      ApplyChosenDeck();
    }
  }
  ShowDeck();
  const TConcreteFloor& concrete = p.ConcreteFloor;
  fldDs_.Edit->setText(NumberTextBlankIfZero(p.Geometry.Ds));
  fldPonding_.Edit->setText(NumberTextBlankIfZero(p.Geometry.PondingAllowance));
  fldStrength_.Edit->setText(NumberTextBlankIfZero(concrete.ConcreteStrength));
  fldDensity_.Edit->setText(NumberTextBlankIfZero(concrete.Density));
  fldWetDensity_.Edit->setText(NumberTextBlankIfZero(std::max(concrete.WetDensity, concrete.Density)));
  fldShrinkage_.Edit->setText(NumberTextBlankIfZero(concrete.ShrinkageStrain));
}

void TSlabDetailsPage::UpdateProjectFromScreen() {
  TProject& p = Host().Project();
  ApplyChosenDeck();
  p.SteelDeck.WillIgnoreConcreteBelowRibs = chkIgnoreConcreteBelowRibs_->isChecked();
  p.Geometry.Ds = ReadNumber(fldDs_.Edit->text());
  p.Geometry.PondingAllowance = ReadNumber(fldPonding_.Edit->text());
  p.ConcreteFloor.ConcreteStrength = ReadNumber(fldStrength_.Edit->text());
  p.ConcreteFloor.Density = ReadNumber(fldDensity_.Edit->text());
  // Wet concrete is never lighter than hardened concrete.
  p.ConcreteFloor.WetDensity = std::max(ReadNumber(fldWetDensity_.Edit->text()), p.ConcreteFloor.Density);
  p.ConcreteFloor.ShrinkageStrain = ReadNumber(fldShrinkage_.Edit->text());
}

void TSlabDetailsPage::LeavingPage() { UpdateProjectFromScreen(); }

void TSlabDetailsPage::FloorUseApplied() {
  TFillScope filling(*this);
  const TProject& p = Host().Project();
  fldDs_.Edit->setText(NumberTextBlankIfZero(p.Geometry.Ds));
  fldStrength_.Edit->setText(NumberTextBlankIfZero(p.ConcreteFloor.ConcreteStrength));
}

// ---------------------------------------------------------------------------
// Shear connectors

TShearConnectorsPage::TShearConnectorsPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Shear connectors"), Parent) {
  cboConnector_ = MakeChoice(QStringLiteral("cboConnector"), QStringLiteral("Shear connector"),
                            QStringLiteral("Select the type of shear connector"));
  cboConnector_->setMinimumWidth(200);
  grdConnectorProperties_ = new TStringGrid;
  SetUpTable(*grdConnectorProperties_, QStringLiteral("grdConnectorProperties"),
             QStringLiteral("Shear connector properties"), {QStringLiteral("Property"), QStringLiteral("Value")},
             {QStringLiteral("dbs"), QStringLiteral("hsc"), QStringLiteral("fuc")});
  SetHint(grdConnectorProperties_, QStringLiteral("Shear connector properties based on the selected connector type"));
  FitPropertyTable(*grdConnectorProperties_);

  auto* choice = new QHBoxLayout;
  auto* label = new QLabel(QStringLiteral("Shear connector"));
  label->setBuddy(cboConnector_);
  choice->addWidget(label);
  choice->addWidget(cboConnector_);
  choice->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(choice);
  layout->addSpacing(10);
  layout->addWidget(MakeHeading(QStringLiteral("Shear connector properties")));
  layout->addWidget(grdConnectorProperties_);
  layout->addStretch(1);

  connect(cboConnector_, &QComboBox::activated, this, [this] {
    ApplyChosenConnector();
    ShowConnector();
    this->Host().InputChanged(false);
  });
}

TShearConnectorsPage::~TShearConnectorsPage() = default;

void TShearConnectorsPage::LibrariesLoaded() {
  const QSignalBlocker block(cboConnector_);
  cboConnector_->clear();
  cboConnector_->addItems(LibraryNames(Host().Session().ShearConnectorLibrary, "Name"));
  cboConnector_->setCurrentIndex(cboConnector_->count() > 0 ? 0 : -1);
  custom_connector_.reset();
}

void TShearConnectorsPage::ApplyChosenConnector() {
  TShearConnector& connector = Host().Project().ShearConnector;
  const QString chosen = cboConnector_->currentText();
  if (custom_connector_ && chosen == ToQ(custom_connector_->Name)) {
    connector.Assign(custom_connector_.get());
    return;
  }
  if (connector.IsCustom && chosen == ToQ(connector.Name)) return;
  connector.IsCustom = false;
  connector.Name = ToStd(chosen);
  ApplyLibraryConnector(connector, Host().Session().ShearConnectorLibrary);
}

void TShearConnectorsPage::ShowConnector() {
  const TShearConnector& c = Host().Project().ShearConnector;
  grdConnectorProperties_->SetCell(1, 1, NumberText(c.dbs));
  grdConnectorProperties_->SetCell(1, 2, NumberText(c.hsc));
  grdConnectorProperties_->SetCell(1, 3, NumberText(c.fuc));
}

void TShearConnectorsPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TShearConnector& connector = Host().Project().ShearConnector;
  {
    const QSignalBlocker block(cboConnector_);
    if (custom_connector_) cboConnector_->removeItem(cboConnector_->findText(ToQ(custom_connector_->Name)));
    custom_connector_.reset();
    int i = cboConnector_->findText(ToQ(connector.Name));
    if (i < 0 && connector.IsCustom) {
      custom_connector_ = std::make_unique<TShearConnector>();
      custom_connector_->Assign(&connector);
      cboConnector_->addItem(ToQ(connector.Name));
      i = cboConnector_->count() - 1;
    }
    if (i >= 0) {
      cboConnector_->setCurrentIndex(i);
    } else if (cboConnector_->count() >= 2) {
      // The entry with the nearest name, else the first.
      const int close = Host().Session().ShearConnectorLibrary.CloseIndexOf(connector.Name);
      const int entry = close >= 0 ? cboConnector_->findText(
                                         ToQ(Host().Session().ShearConnectorLibrary.Item(close)->StringValue("Name", "", 0, 3)))
                                   : -1;
      cboConnector_->setCurrentIndex(std::max(0, entry));
      ApplyChosenConnector();
    }
  }
  ShowConnector();
}

void TShearConnectorsPage::UpdateProjectFromScreen() { ApplyChosenConnector(); }

// ---------------------------------------------------------------------------
// Floor vibration

TFloorVibrationPage::TFloorVibrationPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Floor vibration"), Parent) {
  chkIsChecked_ = MakeCheckBox(QStringLiteral("Check floor vibration due to walking"), QStringLiteral("chkVibrationChecked"),
                              QStringLiteral("Untick this checkbox to leave the floor vibration check out of the results"));
  chkIsBeamContinuous_ = MakeCheckBox(
      QStringLiteral("Secondary beams continuous with an adjacent span of at least 0.7 times their span"),
      QStringLiteral("chkIsBeamContinuous"),
      QStringLiteral("Tick when the secondary beams continue over their supports: the moving panel is 1.5 times heavier"));
  chkIsBeamOnSeat_ = MakeCheckBox(QStringLiteral("Secondary beams seated on the top flange of the primary beam"),
                                 QStringLiteral("chkIsBeamOnSeat"),
                                 QStringLiteral("Tick when the secondary beams sit on the primary beam rather than "
                                                "framing into its web (Cg 1.6 instead of 1.8)"));

  auto* form = new QGridLayout;
  form->setVerticalSpacing(8);
  fldDamping_ = AddFormField(form, 0, QStringLiteral("Damping ratio"), QString(), QStringLiteral("edtDamping"),
                            QStringLiteral("Damping ratio: 0.02 bare open-plan floor, 0.03 furnished floor with small "
                                           "demountable partitions, 0.05 full-height partitions"),
                            80);
  fldAccelerationLimit_ =
      AddFormField(form, 1, QStringLiteral("Acceleration limit"), QStringLiteral("%g"), QStringLiteral("edtAccelerationLimit"),
                   QStringLiteral("Peak acceleration limit: 0.5 %g for offices and residences, 1.5 %g for shopping and dining"),
                   80);
  fldLiveLoadInMass_ = AddFormField(form, 2, QStringLiteral("Live load in vibration mass"), QStringLiteral("kPa"),
                                   QStringLiteral("edtLiveLoadInMass"),
                                   QStringLiteral("Live load present while the floor vibrates: 0.5 kPa for offices, "
                                                  "0.3 kPa for residences"),
                                   80);
  fldFloorWidth_ = AddFormField(form, 3, QStringLiteral("Floor width across the beams"), QStringLiteral("mm"),
                               QStringLiteral("edtFloorWidth"),
                               QStringLiteral("Width of the floor across the secondary beams: the beams' panel is at "
                                              "most 2/3 of it (0: not limited)"),
                               80);
  fldFloorLength_ = AddFormField(form, 4, QStringLiteral("Floor length along the beams"), QStringLiteral("mm"),
                                QStringLiteral("edtFloorLength"),
                                QStringLiteral("Length of the floor along the secondary beams: the primary beam's panel "
                                               "is at most 2/3 of it (0: not limited)"),
                                80);
  form->setColumnStretch(2, 1);

  auto* note = new QLabel(QStringLiteral(
      "Walking excitation (AISC Design Guide 11). The check is reported beside the beams' results and never changes "
      "them; Design does not choose sections for floor vibration."));
  note->setWordWrap(true);
  note->setObjectName(QStringLiteral("lblVibrationNote"));

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chkIsChecked_);
  layout->addSpacing(6);
  layout->addLayout(form);
  layout->addSpacing(6);
  layout->addWidget(chkIsBeamContinuous_);
  layout->addWidget(chkIsBeamOnSeat_);
  layout->addSpacing(10);
  layout->addWidget(note);
  layout->addStretch(1);

  connect(chkIsChecked_, &QCheckBox::clicked, this, [this] {
    EnableFields();
    this->Host().InputChanged(false);
    CheckPage(this->Host().FieldChecks());
  });
  for (QCheckBox* box : {chkIsBeamContinuous_, chkIsBeamOnSeat_})
    connect(box, &QCheckBox::clicked, this, [this] { this->Host().InputChanged(false); });
  for (const TPageField* f : {&fldDamping_, &fldAccelerationLimit_, &fldLiveLoadInMass_, &fldFloorWidth_, &fldFloorLength_})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
}

void TFloorVibrationPage::RegisterFields() {
  Host().RegisterField(*this, QStringLiteral("Damping ratio"), fldDamping_.Edit);
  Host().RegisterField(*this, QStringLiteral("Acceleration limit"), fldAccelerationLimit_.Edit);
  Host().RegisterField(*this, QStringLiteral("Live load in vibration mass"), fldLiveLoadInMass_.Edit);
  Host().RegisterField(*this, QStringLiteral("Floor width across the beams"), fldFloorWidth_.Edit);
  Host().RegisterField(*this, QStringLiteral("Floor length along the beams"), fldFloorLength_.Edit);
}

void TFloorVibrationPage::EnableFields() {
  const bool on = chkIsChecked_->isChecked();
  for (const TPageField* f : {&fldDamping_, &fldAccelerationLimit_, &fldLiveLoadInMass_, &fldFloorWidth_, &fldFloorLength_})
    f->SetEnabled(on);
  chkIsBeamContinuous_->setEnabled(on);
  chkIsBeamOnSeat_->setEnabled(on);
}

void TFloorVibrationPage::UpdateScreenFromProject() {
  TFillScope filling(*this);
  const TVibration& v = Host().Project().Vibration;
  chkIsChecked_->setChecked(v.IsChecked);
  fldDamping_.Edit->setText(NumberText(v.Damping, 0, 4));
  fldAccelerationLimit_.Edit->setText(NumberText(v.AccelerationLimit));
  fldLiveLoadInMass_.Edit->setText(NumberText(v.LiveLoadInMass));
  fldFloorWidth_.Edit->setText(NumberText(v.FloorWidth));
  fldFloorLength_.Edit->setText(NumberText(v.FloorLength));
  chkIsBeamContinuous_->setChecked(v.IsBeamContinuous);
  chkIsBeamOnSeat_->setChecked(v.IsBeamOnSeat);
  EnableFields();
}

void TFloorVibrationPage::UpdateProjectFromScreen() {
  TVibration& v = Host().Project().Vibration;
  v.IsChecked = chkIsChecked_->isChecked();
  v.Damping = ReadNumber(fldDamping_.Edit->text());
  v.AccelerationLimit = ReadNumber(fldAccelerationLimit_.Edit->text());
  v.LiveLoadInMass = ReadNumber(fldLiveLoadInMass_.Edit->text());
  v.FloorWidth = ReadNumber(fldFloorWidth_.Edit->text());
  v.FloorLength = ReadNumber(fldFloorLength_.Edit->text());
  v.IsBeamContinuous = chkIsBeamContinuous_->isChecked();
  v.IsBeamOnSeat = chkIsBeamOnSeat_->isChecked();
}

void TFloorVibrationPage::LeavingPage() { UpdateProjectFromScreen(); }
