// The beam's "Section definition" page: the base steel beam chosen from the
// section library (or typed, for a custom section), the notched and plated
// variations, and the composite sections along the span.
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "components/cSteelSection.h"
#include "project/cProject.h"
#include "project/cSession.h"
#include "ui/cFieldCheck.h"
#include "ui/cGridChecks.h"
#include "ui/cStringGrid.h"
#include "ui/cUiUtility.h"
#include "ui/fBeamPages.h"

namespace {

const char* const kSectionLabels[] = {"Base steel beam", "Notched (End 1)", "Plated", "Notched (End 2)"};
const QString kMm = QStringLiteral("mm"), kMPa = QStringLiteral("MPa");

// The composite-sections grid's columns.
enum { colID, colStart, colFinish, colSteel, colWidth1, colWidth2, colCount };
// The cells of a composite section the beam takes as numbers (the finish
// is the next section's start, not stored).
const TNumberColumn kCompositeNumbers[] = {
    {colStart, "start position"}, {colWidth1, "slab width side 1"}, {colWidth2, "slab width side 2"}};
// The grid's design column width (the platform grid's default, enlarged like the window).
constexpr int kDefaultColWidth = 77;

// A dimension field without a caption of its own: the table's headings name it.
TPageField DimensionField(const QString& Unit, const QString& ObjectName, const QString& Hint,
                          const QString& AccessibleName) {
  TPageField f = MakeField(QString(), Unit, ObjectName, Hint, 70, AccessibleName);
  f.Edit->EditLabel()->hide();
  return f;
}

QWidget* FieldWithUnit(const TPageField& Field) {
  auto* cell = new QWidget;
  auto* row = new QHBoxLayout(cell);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(4);
  row->addWidget(Field.Edit);
  if (Field.Unit) row->addWidget(Field.Unit);
  row->addStretch(1);
  return cell;
}

void SetItems(QComboBox* Choice, const QStringList& Items, const QString& Keep) {
  const QSignalBlocker block(Choice);
  Choice->clear();
  Choice->addItems(Items);
  const int i = Choice->findText(Keep);
  Choice->setCurrentIndex(Items.isEmpty() ? -1 : std::max(0, i));
}

}  // namespace

TSectionDefinitionPage::TSectionDefinitionPage(TPageHost& Host, QWidget* Parent)
    : TDataPage(Host, QStringLiteral("Section definition"), Parent) {
  // --- Base steel beam
  cboSectionType_ = MakeChoice(QStringLiteral("cboSectionType"), QStringLiteral("Section type"),
                              QStringLiteral("Select the type of cross-section (UB, UC etc) used for the base steel beam"));
  cboGrade_ = MakeChoice(QStringLiteral("cboGrade"), QStringLiteral("Grade"),
                        QStringLiteral("Select grade for the cross section type (not necessarily identical to the "
                                       "material yield stress)"));
  cboSection_ = MakeChoice(QStringLiteral("cboSection"), QStringLiteral("Steel section"),
                          QStringLiteral("Select base steel section, or <Auto-select> for automated design"));
  cboSectionType_->setMinimumWidth(90);
  cboGrade_->setMinimumWidth(90);
  cboSection_->setMinimumWidth(130);
  fldDepth_ = DimensionField(kMm, QStringLiteral("edtDepth"), QStringLiteral("Overall depth of base steel beam"),
                            QStringLiteral("Steel section depth"));
  fldTopWidth_ = DimensionField(kMm, QStringLiteral("edtTopWidth"), QStringLiteral("Top flange width"),
                               QStringLiteral("Top flange width"));
  fldTopThickness_ = DimensionField(kMm, QStringLiteral("edtTopThickness"), QStringLiteral("Top flange thickness"),
                                   QStringLiteral("Top flange thickness"));
  fldTopYield_ = DimensionField(kMPa, QStringLiteral("edtTopYield"), QStringLiteral("Yield stress of top flange"),
                               QStringLiteral("Top flange yield stress"));
  fldWebThickness_ = DimensionField(kMm, QStringLiteral("edtWebThickness"), QStringLiteral("Web thickness"),
                                   QStringLiteral("Web thickness"));
  fldWebYield_ = DimensionField(kMPa, QStringLiteral("edtWebYield"), QStringLiteral("Yield stress of web"),
                               QStringLiteral("Web yield stress"));
  fldBottomWidth_ = DimensionField(kMm, QStringLiteral("edtBottomWidth"), QStringLiteral("Bottom flange width"),
                                  QStringLiteral("Bottom flange width"));
  fldBottomThickness_ = DimensionField(kMm, QStringLiteral("edtBottomThickness"),
                                      QStringLiteral("Bottom flange thickness"), QStringLiteral("Bottom flange thickness"));
  fldBottomYield_ = DimensionField(kMPa, QStringLiteral("edtBottomYield"), QStringLiteral("Yield stress of bottom flange"),
                                  QStringLiteral("Bottom flange yield stress"));

  auto* base = new QGroupBox(QStringLiteral("Base steel beam"));
  base->setObjectName(QStringLiteral("grpBaseSteelBeam"));
  auto* base_layout = new QVBoxLayout(base);
  auto* choices = new QGridLayout;
  choices->setVerticalSpacing(2);
  const QString captions[] = {QStringLiteral("Section type"), QStringLiteral("Grade"), QStringLiteral("Section")};
  QComboBox* const lists[] = {cboSectionType_, cboGrade_, cboSection_};
  for (int c = 0; c < 3; ++c) {
    auto* label = new QLabel(captions[c]);
    label->setBuddy(lists[c]);
    choices->addWidget(label, 0, c);
    choices->addWidget(lists[c], 1, c);
  }
  choices->setColumnStretch(3, 1);
  base_layout->addLayout(choices);
  auto* dims = new QGridLayout;
  dims->setHorizontalSpacing(8);
  dims->setVerticalSpacing(4);
  auto caption = [](const QString& Text) { return new QLabel(Text); };
  dims->addWidget(caption(QStringLiteral("Depth")), 0, 0);
  dims->addWidget(FieldWithUnit(fldDepth_), 0, 1);
  dims->addWidget(caption(QStringLiteral("Width")), 1, 1);
  dims->addWidget(caption(QStringLiteral("Thickness")), 1, 2);
  dims->addWidget(caption(QStringLiteral("Yield stress")), 1, 3);
  dims->addWidget(caption(QStringLiteral("Top flange")), 2, 0);
  dims->addWidget(FieldWithUnit(fldTopWidth_), 2, 1);
  dims->addWidget(FieldWithUnit(fldTopThickness_), 2, 2);
  dims->addWidget(FieldWithUnit(fldTopYield_), 2, 3);
  dims->addWidget(caption(QStringLiteral("Web")), 3, 0);
  dims->addWidget(FieldWithUnit(fldWebThickness_), 3, 2);
  dims->addWidget(FieldWithUnit(fldWebYield_), 3, 3);
  dims->addWidget(caption(QStringLiteral("Bottom flange")), 4, 0);
  dims->addWidget(FieldWithUnit(fldBottomWidth_), 4, 1);
  dims->addWidget(FieldWithUnit(fldBottomThickness_), 4, 2);
  dims->addWidget(FieldWithUnit(fldBottomYield_), 4, 3);
  base_layout->addLayout(dims);

  // --- Variations
  tabVariations_ = new QTabWidget;
  tabVariations_->setObjectName(QStringLiteral("tabVariations"));
  tabVariations_->setAccessibleName(QStringLiteral("Section variations"));
  const char* const prefixes[] = {"End 1", "", "End 2"};
  const char* const notch_hints[] = {"for end 1 notch", "", "for end 2 notch"};
  for (int v = 0; v < 3; ++v) {
    const QString object = QStringLiteral("Variation%1").arg(v + 1);
    const bool plated = v == 1;
    const QString hint_tail = QString::fromLatin1(notch_hints[v]);
    const QString name_head = plated ? QString() : QString::fromLatin1(prefixes[v]) + QLatin1Char(' ');
    fldPlateWidth_[v] = MakeField(QStringLiteral("Cover plate width"), kMm, QStringLiteral("edtPlateWidth") + object,
                                 plated ? QStringLiteral("Width of cover plate added to base beam")
                                        : QStringLiteral("Cover plate width ") + hint_tail,
                                 70, name_head + QStringLiteral("cover plate width"));
    fldPlateThickness_[v] = MakeField(QStringLiteral("Thickness"), kMm, QStringLiteral("edtPlateThickness") + object,
                                     plated ? QStringLiteral("Thickness of cover plate added to base beam")
                                            : QStringLiteral("Cover plate thickness ") + hint_tail,
                                     70, name_head + QStringLiteral("cover plate thickness"));
    fldPlateYield_[v] = MakeField(QStringLiteral("Yield stress"), kMPa, QStringLiteral("edtPlateYield") + object,
                                 plated ? QStringLiteral("Yield stress of cover plate added to base beam")
                                        : QStringLiteral("Yield stress for cover plate at ") +
                                              QString::fromLatin1(prefixes[v]).toLower() + QStringLiteral(" notch"),
                                 70, name_head + QStringLiteral("cover plate yield stress"));
    fldNotchedDepth_[v] =
        MakeField(plated ? QStringLiteral("Overall depth") : QStringLiteral("Notched depth"), kMm,
                  QStringLiteral("edtNotchedDepth") + object,
                  plated ? QStringLiteral("Overall depth of beam including added cover plate")
                         : QStringLiteral("Total depth of beam at ") + QString::fromLatin1(prefixes[v]).toLower() +
                               QStringLiteral(" notch"),
                  70, plated ? QStringLiteral("Plated overall depth") : name_head + QStringLiteral("overall depth"));
    auto* panel = new QWidget;
    panel->setAccessibleName(QString::fromLatin1(kSectionLabels[v + 1]));
    auto* form = new QGridLayout(panel);
    form->setVerticalSpacing(4);
    int row = 0;
    for (const TPageField* f : {&fldPlateWidth_[v], &fldPlateThickness_[v], &fldPlateYield_[v], &fldNotchedDepth_[v]}) {
      form->addWidget(f->Edit->EditLabel(), row, 0);
      form->addWidget(FieldWithUnit(*f), row, 1);
      ++row;
    }
    form->setRowStretch(row, 1);
    tabVariations_->addTab(panel, QString::fromLatin1(kSectionLabels[v + 1]));
  }
  fldNotchedDepth_[1].SetEnabled(false);
  // All three panels' tabs always show.
  tabVariations_->tabBar()->setUsesScrollButtons(false);

  // --- Composite sections
  grdCompositeSections_ = new TStringGrid;
  grdCompositeSections_->setObjectName(QStringLiteral("grdCompositeSections"));
  grdCompositeSections_->setAccessibleName(QStringLiteral("Composite sections"));
  SetHint(grdCompositeSections_, QStringLiteral("Define the composite section used at various positions along the beam"));
  grdCompositeSections_->SetColCount(colCount);
  grdCompositeSections_->SetRowCount(2);
  grdCompositeSections_->SetRow(0, {QStringLiteral("ID"), QStringLiteral("Start position\r\n(mm)"),
                                   QStringLiteral("Finish position\r\n(mm)"), QStringLiteral("Steel section"),
                                   QStringLiteral("Slab width\r\nSide 1 (mm)"), QStringLiteral("Slab width\r\nSide 2 (mm)")});
  grdCompositeSections_->SetHasMultiRowHeader(true);
  grdCompositeSections_->WillAutoAddNewRow = true;
  grdCompositeSections_->InitialiseLastRow();
  grdCompositeSections_->SetRowEditMenu(true);
  auto* steel = new QComboBox;
  for (const char* label : kSectionLabels) steel->addItem(QString::fromLatin1(label));
  grdCompositeSections_->AddControl(colSteel, steel);
  const int row_height = grdCompositeSections_->verticalHeader()->defaultSectionSize();
  grdCompositeSections_->horizontalHeader()->setFixedHeight(static_cast<int>(1.8 * row_height + 0.5));
  const double widths[] = {0.6, 1.22, 1.22, 1.55};
  for (int c = 0; c < 4; ++c)
    grdCompositeSections_->setColumnWidth(c, static_cast<int>(widths[c] * kDefaultColWidth + 0.5));
  grdCompositeSections_->setMinimumHeight(static_cast<int>(1.8 * row_height) + 3 * row_height + 4);
  grdCompositeSections_->viewport()->installEventFilter(this);
  chkAutosizeSlabWidths_ = MakeCheckBox(QStringLiteral("Autosize slab widths?"), QStringLiteral("chkAutosizeSlabWidths"),
                                       QString());
  chkAutosizeSlabWidths_->setParent(this);
  chkAutosizeSlabWidths_->hide();

  auto* top = new QHBoxLayout;
  top->addWidget(base);
  top->addWidget(tabVariations_);
  top->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(MakeHeading(QStringLiteral("Composite sections")));
  layout->addWidget(grdCompositeSections_, 1);

  // --- Handlers
  connect(cboSectionType_, &QComboBox::activated, this, [this] {
    FillGrades();
    FillSections();
    OnSectionChanged();
  });
  connect(cboGrade_, &QComboBox::activated, this, [this] {
    FillSections();
    OnSectionChanged();
  });
  connect(cboSection_, &QComboBox::activated, this, &TSectionDefinitionPage::OnSectionChanged);
  for (const TPageField* f : {&fldDepth_, &fldTopWidth_, &fldTopThickness_, &fldWebThickness_, &fldBottomWidth_,
                              &fldBottomThickness_, &fldPlateWidth_[0], &fldPlateThickness_[0], &fldNotchedDepth_[0],
                              &fldPlateWidth_[1], &fldPlateThickness_[1], &fldPlateWidth_[2], &fldPlateThickness_[2],
                              &fldNotchedDepth_[2]})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(true); });
  for (const TPageField* f : {&fldTopYield_, &fldWebYield_, &fldBottomYield_, &fldPlateYield_[0], &fldPlateYield_[1],
                              &fldPlateYield_[2]})
    connect(f->Edit, &QLineEdit::textEdited, this, [this] { this->Host().InputChanged(false); });
  connect(fldPlateThickness_[1].Edit, &QLineEdit::textChanged, this, &TSectionDefinitionPage::ShowPlatedDepth);
  connect(grdCompositeSections_, &TStringGrid::CellEdited, this, [this](int ACol, int ARow) {
    FillRowDefaults(ACol, ARow);
    ShowVariationOfRow(ARow);
    this->Host().InputChanged(false);
  });
  connect(grdCompositeSections_, &TStringGrid::RowsEdited, this, [this] { this->Host().InputChanged(false); });
  connect(grdCompositeSections_, &TStringGrid::EndEdit, this, &TSectionDefinitionPage::OnCompositeEditEnded);
  connect(grdCompositeSections_->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& Current) {
            if (Current.isValid()) ShowVariationOfRow(Current.row() + grdCompositeSections_->FixedRows());
          });
}

void TSectionDefinitionPage::RegisterFields() {
  TPageHost& host = Host();
  host.RegisterField(*this, QStringLiteral("Top flange width"), fldTopWidth_.Edit);
  host.RegisterField(*this, QStringLiteral("Bottom flange width"), fldBottomWidth_.Edit);
  host.RegisterField(*this, QStringLiteral("Top flange thickness"), fldTopThickness_.Edit);
  host.RegisterField(*this, QStringLiteral("Web thickness"), fldWebThickness_.Edit);
  host.RegisterField(*this, QStringLiteral("Bottom flange thickness"), fldBottomThickness_.Edit);
  host.RegisterField(*this, QStringLiteral("Top flange yield stress"), fldTopYield_.Edit);
  host.RegisterField(*this, QStringLiteral("Web yield stress"), fldWebYield_.Edit);
  host.RegisterField(*this, QStringLiteral("Bottom flange yield stress"), fldBottomYield_.Edit);
  host.RegisterField(*this, QStringLiteral("Steel section depth"), fldDepth_.Edit);
  host.RegisterGridColumn(*this, QStringLiteral("Start position"), *grdCompositeSections_, colStart);
  host.RegisterGridColumn(*this, QStringLiteral("Finish position"), *grdCompositeSections_, colFinish);
  host.RegisterGridColumn(*this, QStringLiteral("Slab width"), *grdCompositeSections_, colWidth1);
  host.RegisterGridColumn(*this, QStringLiteral("Slab width"), *grdCompositeSections_, colWidth2);
  host.RegisterField(*this, QStringLiteral("End 1 cover plate width"), fldPlateWidth_[0].Edit);
  host.RegisterField(*this, QStringLiteral("Cover plate width"), fldPlateWidth_[1].Edit);
  host.RegisterField(*this, QStringLiteral("End 2 cover plate width"), fldPlateWidth_[2].Edit);
  host.RegisterField(*this, QStringLiteral("End 1 cover plate thickness"), fldPlateThickness_[0].Edit);
  host.RegisterField(*this, QStringLiteral("Cover plate thickness"), fldPlateThickness_[1].Edit);
  host.RegisterField(*this, QStringLiteral("End 2 cover plate thickness"), fldPlateThickness_[2].Edit);
  host.RegisterField(*this, QStringLiteral("End 1 cover plate yield stress"), fldPlateYield_[0].Edit);
  host.RegisterField(*this, QStringLiteral("Cover plate yield stress"), fldPlateYield_[1].Edit);
  host.RegisterField(*this, QStringLiteral("End 2 cover plate yield stress"), fldPlateYield_[2].Edit);
  host.RegisterField(*this, QStringLiteral("End 1 overall depth"), fldNotchedDepth_[0].Edit);
  host.RegisterField(*this, QStringLiteral("End 2 overall depth"), fldNotchedDepth_[2].Edit);
}

bool TSectionDefinitionPage::eventFilter(QObject* Watched, QEvent* Event) {
  // Slab widths share what the other columns leave, with room for a scroll bar.
  if (Watched == grdCompositeSections_->viewport() && Event->type() == QEvent::Resize)
    grdCompositeSections_->SetColumnsFullWidth(colWidth1, true);
  return TDataPage::eventFilter(Watched, Event);
}

// ---------------------------------------------------------------------------
// Choice lists

void TSectionDefinitionPage::LibrariesLoaded() {
  FillTypes();
  FillGrades();
  FillSections();
}

namespace {

QStringList ToQList(const std::vector<std::string>& Texts) {
  QStringList list;
  for (const std::string& t : Texts) list << ToQ(t);
  return list;
}

}  // namespace

// The choices are the session's view of its section library.
void TSectionDefinitionPage::FillTypes() {
  SetItems(cboSectionType_, ToQList(Host().Session().SectionTypeChoices()), cboSectionType_->currentText());
}

void TSectionDefinitionPage::FillGrades() {
  SetItems(cboGrade_, ToQList(Host().Session().SectionGrades(ToStd(cboSectionType_->currentText()))),
           cboGrade_->currentText());
}

void TSectionDefinitionPage::FillSections() {
  QStringList names = ToQList(
      Host().Session().SectionNames(ToStd(cboSectionType_->currentText()), ToStd(cboGrade_->currentText())));
  if (!names.isEmpty()) names.prepend(QString::fromLatin1(kAutoSelect));
  SetItems(cboSection_, names, cboSection_->currentText());
}

// ---------------------------------------------------------------------------
// The base section

void TSectionDefinitionPage::ReadBaseSection(TSteelSection& Section) const {
  Section.SteelSectionLabel = kSectionLabels[0];
  Section.SetSectionType(ToStd(cboSectionType_->currentText()));
  Section.Grade = ToStd(cboGrade_->currentText());
  Section.Name = ToStd(cboSection_->currentText());
  Section.LoadFromLibrary(Host().Session().SteelSectionLibrary);
  TCustomSteelSection& base = Section.BaseSteelSection;
  if (base.IsStandard) return;
  base.d = ReadNumber(fldDepth_.Edit->text());
  base.b = ReadNumber(fldTopWidth_.Edit->text());
  base.tf = ReadNumber(fldTopThickness_.Edit->text());
  base.fyf = ReadNumber(fldTopYield_.Edit->text());
  base.tw = ReadNumber(fldWebThickness_.Edit->text());
  base.fyw = ReadNumber(fldWebYield_.Edit->text());
  base.Setbbf(ReadNumber(fldBottomWidth_.Edit->text()));
  base.Settbf(ReadNumber(fldBottomThickness_.Edit->text()));
  base.Setfybf(ReadNumber(fldBottomYield_.Edit->text()));
}

void TSectionDefinitionPage::ShowBaseSection(const TSteelSection& Section) {
  TFillScope filling(*this);
  const TCustomSteelSection& base = Section.BaseSteelSection;
  fldDepth_.Edit->setText(NumberText(base.d));
  fldTopWidth_.Edit->setText(NumberText(base.b));
  fldTopThickness_.Edit->setText(NumberText(base.tf));
  fldTopYield_.Edit->setText(NumberText(base.fyf));
  fldWebThickness_.Edit->setText(NumberText(base.tw));
  fldWebYield_.Edit->setText(NumberText(base.fyw));
  fldBottomWidth_.Edit->setText(NumberText(base.bbf()));
  fldBottomThickness_.Edit->setText(NumberText(base.tbf()));
  fldBottomYield_.Edit->setText(NumberText(base.fybf()));
  ShowPlatedDepth();
  // A library section's dimensions are the library's; a custom one's are typed.
  for (const TPageField* f : {&fldDepth_, &fldTopWidth_, &fldTopThickness_, &fldTopYield_, &fldWebThickness_, &fldWebYield_,
                              &fldBottomWidth_, &fldBottomThickness_, &fldBottomYield_})
    f->SetEnabled(!base.IsStandard);
  cboGrade_->setEnabled(base.IsStandard);
  cboSection_->setEnabled(base.IsStandard);
}

void TSectionDefinitionPage::OnSectionChanged() {
  TSteelSection section;
  ReadBaseSection(section);
  ShowBaseSection(section);
  const int side = Host().CurrentBeamSide();
  if (side >= 0) {
    if (section.BaseSteelSection.IsStandard)
      Host().ShowBeamSection(side, ToQ(section.Grade), ToQ(section.Name));
    else
      Host().ShowBeamSection(side, QString(), ToQ(section.SectionType));
  }
  CheckPage(Host().FieldChecks());
  Host().InputChanged(true);
}

void TSectionDefinitionPage::ShowPlatedDepth() {
  const double depth = ReadNumber(fldDepth_.Edit->text()) + ReadNumber(fldPlateThickness_[1].Edit->text());
  SetFieldText(fldNotchedDepth_[1].Edit, NumberText(depth));
}

void TSectionDefinitionPage::FieldLeaving(QLineEdit* Edit) {
  if (Edit == fldBottomThickness_.Edit || Edit == fldPlateThickness_[1].Edit || Edit == fldNotchedDepth_[0].Edit ||
      Edit == fldNotchedDepth_[2].Edit)
    ShowPlatedDepth();
}

void TSectionDefinitionPage::ShowVariationOfRow(int Row) {
  const QString label = grdCompositeSections_->Cell(colSteel, Row);
  for (int v = 1; v < 4; ++v)
    if (label == QLatin1String(kSectionLabels[v])) tabVariations_->setCurrentIndex(v - 1);
}

void TSectionDefinitionPage::FloorLayoutChanged() {
  const bool internal = !Host().Project().Geometry.IsEdgeBeam;
  grdCompositeSections_->SetCell(colWidth2, 0, internal ? QStringLiteral("Slab width\r\nSide 2 (mm)")
                                                       : QStringLiteral("Slab width\r\nO/S (mm)"));
}

void TSectionDefinitionPage::UpdateScreenFromProject() { kept_ = {}; }

// The beam shown is read from the grid; the others from what was kept of it.
QString TSectionDefinitionPage::UnreadableInput() const {
  const TProject& project = Host().Project();
  for (int side : {1, 2, 0}) {
    if (!project.GetHasBeam(side)) continue;
    QString message;
    if (side == Host().CurrentBeamSide())
      message = FirstUnreadableCell(GridRowTexts(*grdCompositeSections_, false), QStringLiteral("composite section"),
                                    kCompositeNumbers);
    else if (const auto& kept = kept_[static_cast<size_t>(side)])
      message = FirstUnreadableCell(*kept, QStringLiteral("composite section"), kCompositeNumbers);
    if (!message.isEmpty()) return ToQ(project.GetBeam(side)->LongName()) + QStringLiteral(", ") + message;
  }
  return {};
}

void TSectionDefinitionPage::CheckPage(TFieldCheckList& Checks) {
  TDataPage::CheckPage(Checks);
  CheckAllGridCells(*grdCompositeSections_, Checks);
}

// ---------------------------------------------------------------------------
// Transfers

void TSectionDefinitionPage::UpdateScreenFromBeam(int Side) {
  TImportedBeam& beam = *Host().Project().GetBeam(Side);
  {
    TFillScope filling(*this);
    grid_side_ = Side;
    FillCompositeGrid(beam, Side);
    chkAutosizeSlabWidths_->setChecked(beam.WillAutosizeSlabWidths);
    const TSteelSection* base = beam.SteelSection(0);
    if (base) {
      const QSignalBlocker b1(cboSectionType_), b2(cboGrade_), b3(cboSection_);
      cboSectionType_->setCurrentIndex(std::max(0, cboSectionType_->findText(ToQ(base->SectionType))));
      FillGrades();
      cboGrade_->setCurrentIndex(std::max(0, cboGrade_->findText(ToQ(base->Grade))));
      FillSections();
      cboSection_->setCurrentIndex(cboSection_->findText(ToQ(base->Name)));
      // A custom section shows its own dimensions, which the section change reads.
      if (!base->BaseSteelSection.IsStandard) ShowBaseSection(*base);
    }
    for (int v = 0; v < 3; ++v) {
      const TSteelSection* s = beam.SteelSection(v + 1);
      if (!s) continue;
      fldPlateWidth_[v].Edit->setText(NumberTextBlankIfZero(s->bp));
      fldPlateThickness_[v].Edit->setText(NumberTextBlankIfZero(s->tp));
      fldPlateYield_[v].Edit->setText(NumberTextBlankIfZero(s->fyp));
      if (v != 1) fldNotchedDepth_[v].Edit->setText(NumberTextBlankIfZero(s->NotchedDepth));
    }
  }
  OnSectionChanged();
}

void TSectionDefinitionPage::UpdateBeamFromScreen(int Side) {
  TImportedBeam& beam = *Host().Project().GetBeam(Side);
  TSteelSection section;
  ReadBaseSection(section);
  for (int i = 0; i < 4 && i < beam.SteelSectionList.Count(); ++i) {
    TSteelSection& target = *beam.SteelSection(i);
    section.SteelSectionLabel = kSectionLabels[i];
    const int v = i - 1;
    section.NotchedDepth = (i == 1 || i == 3) ? ReadNumber(fldNotchedDepth_[v].Edit->text()) : 0;
    section.bp = i == 0 ? 0 : ReadNumber(fldPlateWidth_[v].Edit->text());
    section.tp = i == 0 ? 0 : ReadNumber(fldPlateThickness_[v].Edit->text());
    section.fyp = i == 0 ? 0 : ReadNumber(fldPlateYield_[v].Edit->text());
    // Settings no page shows stay as the beam had them.
    section.WillSetTopFlangeCompact = target.WillSetTopFlangeCompact;
    section.WillUseFullSectionForServiceability = target.WillUseFullSectionForServiceability;
    target.Assign(&section);
  }
  CopyCompositeGrid(beam, Side);
}

// ---------------------------------------------------------------------------
// Composite sections

TImportedBeam* TSectionDefinitionPage::GridBeam() const {
  if (Host().CurrentBeamSide() >= 0) return Host().CurrentBeam();
  return nullptr;
}

void TSectionDefinitionPage::FillCompositeGrid(TImportedBeam& Beam, int Side) {
  TStringGrid& grid = *grdCompositeSections_;
  const TGeometry& g = Host().Project().Geometry;
  // Rows with a text that is no number come back as they were typed.
  if (const auto& kept = kept_[static_cast<size_t>(Side)]) {
    grid.SetRowCount(1 + static_cast<int>(kept->size()) + 1);
    grid.ClearDataCells(false);
    for (int r = 1; r <= kept->size(); ++r) {
      QStringList row = kept->at(r - 1);
      row[colID] = QString::number(r);
      grid.SetRow(r, row);
    }
    grid.InitialiseLastRow();
    ApplyCoverageRule(Beam, Side);
    return;
  }
  const int n = Beam.CompositeSectionList.Count();
  grid.SetRowCount(1 + n + 1);
  grid.ClearDataCells(false);
  for (int i = 0; i < n; ++i) {
    TCompositeSection& cs = *Beam.CompositeSection(i);
    const int r = i + 1;
    // A width not given yet, or any width of a beam that sizes its slab itself, is the largest the floor allows.
    if (cs.bcLeft < 0.001 || Beam.WillAutosizeSlabWidths) cs.bcLeft = g.GetMaxSlabWidth(Side, 1);
    if (cs.bcRight < 0.001 || Beam.WillAutosizeSlabWidths) cs.bcRight = g.GetMaxSlabWidth(Side, 2);
    grid.SetCell(colID, r, QString::number(r));
    grid.SetCell(colStart, r, NumberText(cs.StartPosition));
    grid.SetCell(colFinish, r, NumberText(i + 1 < n ? Beam.CompositeSection(i + 1)->StartPosition : Beam.Span));
    grid.SetCell(colSteel, r, ToQ(cs.SteelSectionLabel));
    grid.SetCell(colWidth1, r, NumberText(cs.bcLeft));
    grid.SetCell(colWidth2, r, NumberText(cs.bcRight));
  }
  grid.InitialiseLastRow();
  ApplyCoverageRule(Beam, Side);
}

// The sections must reach the far support: a last finish short of the span
// gets a further base-beam section up to it.
void TSectionDefinitionPage::ApplyCoverageRule(const TImportedBeam& Beam, int Side) {
  TStringGrid& grid = *grdCompositeSections_;
  const int last_data = grid.RowCount() - 2;
  const bool has_rows = last_data >= 1;
  if (has_rows && ReadNumber(grid.Cell(colFinish, last_data), 0.001) >= Beam.Span) return;
  const TGeometry& g = Host().Project().Geometry;
  const int r = grid.RowCount() - 1;  // the empty last row becomes the new section
  grid.SetCell(colID, r, QString::number(r));
  grid.SetCell(colStart, r, has_rows ? grid.Cell(colFinish, last_data) : QStringLiteral("0"));
  grid.SetCell(colFinish, r, NumberText(Beam.Span));
  grid.SetCell(colSteel, r, QString::fromLatin1(kSectionLabels[0]));
  grid.SetCell(colWidth1, r, NumberText(g.GetMaxSlabWidth(Side, 1)));
  grid.SetCell(colWidth2, r, NumberText(g.GetMaxSlabWidth(Side, 2)));
  grid.SetRowCount(grid.RowCount() + 1);
  grid.InitialiseLastRow();
}

// A row typed into gets sensible values in its other empty cells.
void TSectionDefinitionPage::FillRowDefaults(int ACol, int ARow) {
  TImportedBeam* beam = GridBeam();
  if (!beam) return;
  const int side = Host().CurrentBeamSide();
  TStringGrid& grid = *grdCompositeSections_;
  const TGeometry& g = Host().Project().Geometry;
  auto fill = [&](int c, const QString& Text) {
    if (c != ACol && grid.Cell(c, ARow).trimmed().isEmpty()) grid.SetCell(c, ARow, Text);
  };
  fill(colStart, ARow == 1 ? QStringLiteral("0") : NumberText(beam->Span));
  fill(colFinish, NumberText(beam->Span));
  fill(colSteel, QString::fromLatin1(kSectionLabels[0]));
  for (int c : {colWidth1, colWidth2}) {
    if (c == ACol) continue;
    if (ReadNumber(grid.Cell(c, ARow)) == 0 || beam->WillAutosizeSlabWidths)
      grid.SetCell(c, ARow, NumberText(g.GetMaxSlabWidth(side, c == colWidth1 ? 1 : 2)));
  }
}

void TSectionDefinitionPage::OnCompositeEditEnded(int ACol, int ARow) {
  TStringGrid& grid = *grdCompositeSections_;
  const int last_data = grid.RowCount() - 2;
  // Sections follow one another: a start is the finish of the section before.
  if (ACol == colStart && ARow >= 2) grid.SetCell(colFinish, ARow - 1, grid.Cell(colStart, ARow));
  if (ACol == colFinish && ARow < last_data) grid.SetCell(colStart, ARow + 1, grid.Cell(colFinish, ARow));
  if ((ACol == colStart || ACol == colFinish) && GridBeam()) ApplyCoverageRule(*GridBeam(), Host().CurrentBeamSide());
  CheckGridCells(grid, Host().FieldChecks(), ACol, ACol, ARow, ARow, true, true, true);
}

void TSectionDefinitionPage::CopyCompositeGrid(TImportedBeam& Beam, int Side) {
  const TStringGrid& grid = *grdCompositeSections_;
  // Text that is no number would go into the beam as 0 (and a width of 0 as
  // the widest slab): the rows are kept as typed, to be shown again and
  // refused by the commands until mended.
  QList<QStringList> typed = GridRowTexts(grid, false);
  if (!FirstUnreadableCell(typed, QStringLiteral("composite section"), kCompositeNumbers).isEmpty())
    kept_[static_cast<size_t>(Side)] = std::move(typed);
  else
    kept_[static_cast<size_t>(Side)].reset();
  Beam.CompositeSectionList.Clear();
  for (int r = 1; r < grid.RowCount() - 1; ++r) {
    auto cs = std::make_unique<TCompositeSection>();
    cs->CompositeSectionLabel = ToStd(grid.Cell(colID, r));
    cs->StartPosition = ReadNumber(grid.Cell(colStart, r));
    cs->bcLeft = ReadNumber(grid.Cell(colWidth1, r));
    cs->bcRight = ReadNumber(grid.Cell(colWidth2, r));
    cs->SteelSectionLabel = ToStd(grid.Cell(colSteel, r));
    cs->Dc = Beam.Ds;
    cs->IsEdgeBeamLeft = false;
    cs->IsEdgeBeamRight = Beam.IsEdgeBeam;
    cs->thetaLeft = Beam.ThetaSide1;
    cs->thetaRight = Beam.ThetaSide2;
    const std::string key = cs->CompositeSectionLabel;
    Beam.CompositeSectionList.Add(key, std::move(cs));
  }
  Beam.WillAutosizeSlabWidths = chkAutosizeSlabWidths_->isChecked();
}
