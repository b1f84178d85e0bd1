#include "ui/fGeometryPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QScopedValueRollback>
#include <QVBoxLayout>

#include "project/cProject.h"
#include "ui/cFieldCheck.h"
#include "ui/cFloorSketch.h"
#include "ui/cMessages.h"

namespace {

const QString kMm = QStringLiteral("mm");
const QString kSpanHint = QStringLiteral("Effective length of secondary beam, also used to assess loading tributary areas");
const QString kSpacingHint = QStringLiteral("Spacing between secondary beams, also used to assess loading tributary areas");
const QString kStartHint = QStringLiteral("Distance from end 1 of the primary beam to the first secondary beam");
const QString kOutstandHint = QStringLiteral("Outstand distance for an edge beam");

// One cell of the rows of lengths: the caption above, the edit and its unit below.
QWidget* FieldCell(const TPageField& Field, bool HasCaption) {
  auto* cell = new QWidget;
  auto* layout = new QVBoxLayout(cell);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  if (HasCaption) {
    layout->addWidget(Field.Edit->EditLabel());
  } else {
    Field.Edit->EditLabel()->setParent(cell);
    Field.Edit->EditLabel()->hide();
  }
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  row->addWidget(Field.Edit);
  if (Field.Unit) row->addWidget(Field.Unit);
  row->addStretch(1);
  layout->addLayout(row);
  return cell;
}

bool HasManualLoads(const TImportedBeam& Beam) {
  return Beam.DistributedLoadList.Count() > Beam.DistributedLoadList.AutoLoadCount() ||
         Beam.PointLoadList.Count() > Beam.PointLoadList.AutoLoadCount();
}

}  // namespace

TGeometryPage::TGeometryPage(TPageHost& Host, QWidget* Parent) : TDataPage(Host, QStringLiteral("Geometry"), Parent) {
  chkHasPrimaryBeam_ = MakeCheckBox(QStringLiteral("Floor has primary AND secondary beams"),
                                   QStringLiteral("chkHasPrimaryBeam"),
                                   QStringLiteral("Tick this checkbox to analyse both primary and secondary beams"));
  chkHasPrimaryBeam_->setChecked(true);
  chkIsInternal_ = MakeCheckBox(QStringLiteral("Primary beam is internal"), QStringLiteral("chkIsInternal"),
                               QStringLiteral("Untick this checkbox if this is an edge beam"));
  chkIsSide2SameAsSide1_ =
      MakeCheckBox(QStringLiteral("Side 2 is the same as Side 1"), QStringLiteral("chkIsSide2SameAsSide1"),
                   QStringLiteral("Tick to specify that secondary beams on side 1 are the same as on side 2"));
  chkAutocalcStart_ = MakeCheckBox(
      QStringLiteral("Autocalc distance to first secondary beam"), QStringLiteral("chkAutocalcStart"),
      QStringLiteral("Tick to equalise distances from the ends of the primary beam to the first and last secondary beam"));

  // The deck orientation and angles are never shown; they hold the project's values.
  grpDeckOrientation_ = new QGroupBox(QStringLiteral(" Deck Orientation"));
  grpDeckOrientation_->setObjectName(QStringLiteral("grpDeckOrientation"));
  SetHint(grpDeckOrientation_, QStringLiteral("Deck orientation"));
  rbDeckParallel_ = new QRadioButton(QStringLiteral("Parallel to primary beam"));
  rbDeckPerpendicular_ = new QRadioButton(QStringLiteral("Perpendicular to primary beam"));
  rbDeckAngle_ = new QRadioButton(QStringLiteral("Angle to primary beam"));
  fldThetaSide1_ = MakeField(QStringLiteral(" "), QStringLiteral("deg"), QStringLiteral("edtThetaSide1"),
                            QStringLiteral("Angle of deck on side 1"), 60, QStringLiteral("Side 1 deck angle"));
  fldThetaSide2_ = MakeField(QStringLiteral("Side 2 angle"), QStringLiteral("deg"), QStringLiteral("edtThetaSide2"),
                            QStringLiteral("Angle of deck on side 2"), 60);
  fldThetaSide2_.SetEnabled(false);
  auto* orientation = new QVBoxLayout(grpDeckOrientation_);
  for (QRadioButton* b : {rbDeckParallel_, rbDeckPerpendicular_, rbDeckAngle_}) orientation->addWidget(b);
  orientation->addWidget(FieldCell(fldThetaSide1_, true));
  orientation->addWidget(FieldCell(fldThetaSide2_, true));
  grpDeckOrientation_->setParent(this);
  grpDeckOrientation_->hide();
  chkIsSide2SameAsSide1_->setParent(this);
  chkIsSide2SameAsSide1_->hide();
  chkAutocalcStart_->setParent(this);
  chkAutocalcStart_->hide();

  // The rows of lengths.
  fldSpan1_ = MakeField(QStringLiteral("Span (Lef)"), kMm, QStringLiteral("edtSpanSide1"), kSpanHint, 80,
                       QStringLiteral("Side 1 secondary span"));
  fldSpacing1_ = MakeField(QStringLiteral("Spacing"), kMm, QStringLiteral("edtSpacingSide1"), kSpacingHint, 80,
                          QStringLiteral("Side 1 secondary spacing"));
  fldStart1_ = MakeField(QStringLiteral("Distance to first beam"), kMm, QStringLiteral("edtStartSide1"), kStartHint, 80,
                        QStringLiteral("Side 1 distance to first beam"));
  fldOutstand1_ = MakeField(QStringLiteral("Outstand distance"), kMm, QStringLiteral("edtOutstandSecondary"),
                           kOutstandHint, 80, QStringLiteral("Secondary outstand distance"));
  fldSpan2_ = MakeField(QStringLiteral("Span (Lef)"), kMm, QStringLiteral("edtSpanSide2"), kSpanHint, 80,
                       QStringLiteral("Side 2 secondary span"));
  fldSpacing2_ = MakeField(QStringLiteral("Spacing"), kMm, QStringLiteral("edtSpacingSide2"), kSpacingHint, 80,
                          QStringLiteral("Side 2 secondary spacing"));
  fldStart2_ = MakeField(QStringLiteral("Distance to first beam"), kMm, QStringLiteral("edtStartSide2"), kStartHint, 80,
                        QStringLiteral("Side 2 distance to first beam"));
  fldPrimarySpan_ = MakeField(QStringLiteral("Span (Lef)"), kMm, QStringLiteral("edtPrimarySpan"),
                             QStringLiteral("Effective length of primary beam, also used to assess loading tributary areas"),
                             80, QStringLiteral("Primary span"));
  fldEffectiveSpacing_ = MakeField(
      QStringLiteral("Effective spacing"), kMm, QStringLiteral("edtEffectiveSpacing"),
      QStringLiteral("Effective spacing between primary beams, usually the same as the secondary beam span"), 80,
      QStringLiteral("Primary effective spacing"));
  fldOutstand3_ = MakeField(QStringLiteral("Outstand distance"), kMm, QStringLiteral("edtOutstandPrimary"),
                           kOutstandHint, 80, QStringLiteral("Primary outstand distance"));

  lblRow1_ = new QLabel(QStringLiteral("Secondary beam"));
  lblRow2_ = new QLabel;
  lblRow3_ = new QLabel(QStringLiteral("Primary beam"));
  for (QLabel* l : {lblRow1_, lblRow2_, lblRow3_}) {
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Secondary (Side 2)")) + 8);
  }
  lblRow2_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

  auto* rows = new QGridLayout;
  rows->setHorizontalSpacing(14);
  rows->setVerticalSpacing(8);
  rows->addWidget(lblRow1_, 0, 0, Qt::AlignBottom);
  rows->addWidget(FieldCell(fldSpan1_, true), 0, 1);
  rows->addWidget(FieldCell(fldSpacing1_, true), 0, 2);
  rows->addWidget(FieldCell(fldStart1_, true), 0, 3);
  rows->addWidget(FieldCell(fldOutstand1_, true), 0, 4);
  rows->addWidget(lblRow2_, 1, 0, Qt::AlignBottom);
  rows->addWidget(FieldCell(fldSpan2_, false), 1, 1);
  rows->addWidget(FieldCell(fldSpacing2_, false), 1, 2);
  rows->addWidget(FieldCell(fldStart2_, false), 1, 3);
  rows->addWidget(lblRow3_, 2, 0, Qt::AlignBottom);
  rows->addWidget(FieldCell(fldPrimarySpan_, true), 2, 1);
  rows->addWidget(FieldCell(fldEffectiveSpacing_, true), 2, 2);
  rows->addWidget(FieldCell(fldOutstand3_, true), 2, 4);
  rows->setColumnStretch(5, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(chkHasPrimaryBeam_);
  left->addWidget(chkIsInternal_);
  left->addSpacing(12);
  left->addLayout(rows);
  left->addStretch(1);

  sketch_ = new TFloorSketch;
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 0);
  layout->addWidget(sketch_, 1);

  // Change handlers.
  connect(chkHasPrimaryBeam_, &QCheckBox::clicked, this, &TGeometryPage::OnPrimaryBeamClicked);
  connect(chkIsInternal_, &QCheckBox::clicked, this, &TGeometryPage::OnInternalClicked);
  connect(chkIsSide2SameAsSide1_, &QCheckBox::toggled, this, &TGeometryPage::OnSide2SameToggled);
  connect(chkAutocalcStart_, &QCheckBox::toggled, this, [this] {
    if (IsFilling()) return;
    if (chkAutocalcStart_->isChecked()) ShowComputedStarts();
    this->Host().InputChanged(true);
    RefreshSketch();
  });
  for (QRadioButton* b : {rbDeckParallel_, rbDeckPerpendicular_, rbDeckAngle_})
    connect(b, &QRadioButton::clicked, this, &TGeometryPage::OnDeckOrientationClicked);
  auto on_text = [this](TLabelledEdit* Edit, auto Handler) {
    connect(Edit, &QLineEdit::textChanged, this, [this, Handler] {
      if (IsFilling()) return;
      Handler();
      RefreshSketch();
    });
  };
  on_text(fldThetaSide1_.Edit, [this] {
    CopyToSide2(fldThetaSide1_.Edit, fldThetaSide2_.Edit);
    this->Host().InputChanged(false);
  });
  on_text(fldThetaSide2_.Edit, [this] { this->Host().InputChanged(false); });
  on_text(fldSpan1_.Edit, [this] { OnSecondarySpanChanged(fldSpan1_.Edit); });
  on_text(fldSpan2_.Edit, [this] { OnSecondarySpanChanged(fldSpan2_.Edit); });
  on_text(fldSpacing1_.Edit, [this] { OnSpacingChanged(fldSpacing1_.Edit); });
  on_text(fldSpacing2_.Edit, [this] { OnSpacingChanged(fldSpacing2_.Edit); });
  on_text(fldStart1_.Edit, [this] {
    CopyToSide2(fldStart1_.Edit, fldStart2_.Edit);
    this->Host().InputChanged(true);
  });
  on_text(fldStart2_.Edit, [this] { this->Host().InputChanged(true); });
  // The two outstand fields hold the same value; each shows when its row needs it.
  on_text(fldOutstand1_.Edit, [this] {
    SetFieldText(fldOutstand3_.Edit, fldOutstand1_.Edit->text());
    this->Host().InputChanged(true);
  });
  on_text(fldOutstand3_.Edit, [this] {
    SetFieldText(fldOutstand1_.Edit, fldOutstand3_.Edit->text());
    this->Host().InputChanged(true);
  });
  on_text(fldPrimarySpan_.Edit, [this] {
    if (chkAutocalcStart_->isChecked()) ShowComputedStarts();
    this->Host().InputChanged(true);
  });
  on_text(fldEffectiveSpacing_.Edit, [this] { this->Host().InputChanged(true); });
}

void TGeometryPage::RegisterFields() {
  TPageHost& host = Host();
  host.RegisterField(*this, QStringLiteral(" "), fldThetaSide1_.Edit);
  host.RegisterField(*this, QStringLiteral("Side 2 angle"), fldThetaSide2_.Edit);
  host.RegisterField(*this, QStringLiteral("Secondary span"), fldSpan1_.Edit, true);
  host.RegisterField(*this, QStringLiteral("Secondary spacing"), fldSpacing1_.Edit, true);
  host.RegisterField(*this, QStringLiteral("Distance to first secondary beam"), fldStart1_.Edit);
  host.RegisterField(*this, QStringLiteral("Secondary outstand distance"), fldOutstand1_.Edit);
  host.RegisterField(*this, QStringLiteral("Primary span"), fldPrimarySpan_.Edit, true);
  host.RegisterField(*this, QStringLiteral("Effective spacing of primary beam"), fldEffectiveSpacing_.Edit,
                     true);
  host.RegisterField(*this, QStringLiteral("Primary outstand distance"), fldOutstand3_.Edit);
  // Side 2's lengths have no checks of their own, but leaving them still matters.
  for (const TPageField* f : {&fldSpan2_, &fldSpacing2_, &fldStart2_}) host.WatchFieldExit(f->Edit);
}

bool TGeometryPage::IsPrimary() const { return chkHasPrimaryBeam_->isChecked(); }
bool TGeometryPage::IsInternal() const { return chkIsInternal_->isChecked(); }
bool TGeometryPage::IsSide2Same() const { return chkIsSide2SameAsSide1_->isChecked(); }

// ---------------------------------------------------------------------------
// Transfers

void TGeometryPage::ReadInto(TGeometry& G) const {
  G.Span = ReadNumber(fldPrimarySpan_.Edit->text());
  G.IsEdgeBeam = !IsInternal();
  G.Outstand = ReadNumber((IsPrimary() ? fldOutstand3_ : fldOutstand1_).Edit->text());
  G.HasPrimaryBeam = IsPrimary();
  G.IsSide2SameAsSide1 = IsSide2Same();
  G.WillAutocalcSecondaryStartLocations = chkAutocalcStart_->isChecked();
  G.PrimaryEffectiveSpacing = ReadNumber(fldEffectiveSpacing_.Edit->text());
  G.ThetaSide1 = ReadNumber(fldThetaSide1_.Edit->text());
  G.ThetaSide2 = ReadNumber(fldThetaSide2_.Edit->text());
  G.SpacingSide1 = ReadNumber(fldSpan1_.Edit->text());
  G.SpacingSide2 = ReadNumber(fldSpan2_.Edit->text());
  G.SecondaryStartSide1 = ReadNumber(fldStart1_.Edit->text());
  G.SecondaryStartSide2 = ReadNumber(fldStart2_.Edit->text());
  G.SecondarySpacingSide1 = ReadNumber(fldSpacing1_.Edit->text());
  G.SecondarySpacingSide2 = ReadNumber(fldSpacing2_.Edit->text());
}

void TGeometryPage::UpdateProjectFromScreen() { ReadInto(Host().Project().Geometry); }

void TGeometryPage::UpdateScreenFromProject() {
  {
    TFillScope filling(*this);
    const TGeometry& g = Host().Project().Geometry;
    fldPrimarySpan_.Edit->setText(NumberTextBlankIfZero(g.Span));
    chkIsInternal_->setChecked(!g.IsEdgeBeam);
    chkHasPrimaryBeam_->setChecked(g.HasPrimaryBeam);
    chkIsSide2SameAsSide1_->setChecked(g.IsSide2SameAsSide1);
    chkAutocalcStart_->setChecked(g.WillAutocalcSecondaryStartLocations);
    fldThetaSide1_.Edit->setText(NumberText(g.ThetaSide1));
    fldThetaSide2_.Edit->setText(NumberText(g.ThetaSide2));
    const QString angle = fldThetaSide1_.Edit->text();
    rbDeckParallel_->setChecked(angle == QLatin1String("0"));
    rbDeckPerpendicular_->setChecked(angle == QLatin1String("90"));
    rbDeckAngle_->setChecked(angle != QLatin1String("0") && angle != QLatin1String("90"));
    fldThetaSide1_.SetEnabled(rbDeckAngle_->isChecked());
    fldSpan1_.Edit->setText(NumberTextBlankIfZero(g.SpacingSide1));
    fldSpan2_.Edit->setText(NumberTextBlankIfZero(g.SpacingSide2));
    fldEffectiveSpacing_.Edit->setText(NumberTextBlankIfZero(g.PrimaryEffectiveSpacing));
    fldOutstand1_.Edit->setText(NumberTextBlankIfZero(g.Outstand));
    fldOutstand3_.Edit->setText(NumberTextBlankIfZero(g.Outstand));
    fldSpacing1_.Edit->setText(NumberTextBlankIfZero(g.SecondarySpacingSide1));
    fldSpacing2_.Edit->setText(NumberTextBlankIfZero(g.SecondarySpacingSide2));
    fldStart1_.Edit->setText(NumberTextBlankIfZero(g.SecondaryStartSide1));
    fldStart2_.Edit->setText(NumberTextBlankIfZero(g.SecondaryStartSide2));
    ApplyLayoutRules();
  }
  RememberSpans();
  RefreshSketch();
}

void TGeometryPage::LeavingPage() {
  // The beam pages shown next read the beam's span and slab widths from this page.
  if (Host().CurrentBeam()) {
    UpdateProjectFromScreen();
    Host().Project().UpdateBeamGeometry();
  }
}

// ---------------------------------------------------------------------------
// Layout

void TGeometryPage::ApplyLayoutRules() {
  TFillScope quiet(*this);  // the copies below are part of the rule, not the user's edits
  const bool p = IsPrimary(), i = IsInternal(), s = IsSide2Same();
  chkIsInternal_->setText(p ? QStringLiteral("Primary beam is internal") : QStringLiteral("Secondary beam is internal"));
  const bool two_sides = p && i && !s;
  lblRow1_->setText(two_sides ? QStringLiteral("Secondary (Side 1)") : QStringLiteral("Secondary beam"));
  lblRow2_->setText(two_sides ? QStringLiteral("Secondary (Side 2)") : QString());

  lblRow2_->setVisible(two_sides);
  for (const TPageField* f : {&fldSpan2_, &fldSpacing2_, &fldStart2_}) f->Edit->parentWidget()->setVisible(two_sides);
  lblRow3_->setVisible(p);
  for (const TPageField* f : {&fldPrimarySpan_, &fldEffectiveSpacing_})
    f->Edit->parentWidget()->setVisible(p);
  fldOutstand3_.Edit->parentWidget()->setVisible(p && !i);
  fldEffectiveSpacing_.SetEnabled(s);
  fldOutstand1_.Edit->parentWidget()->setVisible(!p && !i);
  fldStart1_.Edit->parentWidget()->setVisible(p);
  fldSpan2_.SetEnabled(!(i && s));
  fldOutstand3_.SetEnabled(fldSpan2_.Edit->isEnabled());
  fldSpacing2_.SetEnabled(!s);
  fldStart2_.SetEnabled(!s);

  if (s) {
    SetFieldText(fldThetaSide2_.Edit, fldThetaSide1_.Edit->text());
    SetFieldText(fldSpan2_.Edit, fldSpan1_.Edit->text());
    SetFieldText(fldSpacing2_.Edit, fldSpacing1_.Edit->text());
    SetFieldText(fldStart2_.Edit, fldStart1_.Edit->text());
  }
  RememberSpans();
  // The layout is the project's as soon as it is shown: the tree's beam
  // nodes and the summary lines follow it.
  TGeometry& g = Host().Project().Geometry;
  g.HasPrimaryBeam = p;
  g.IsEdgeBeam = !i;
  g.IsSide2SameAsSide1 = s;
  Host().FloorLayoutChanged();
}

void TGeometryPage::RefreshSketch() {
  TGeometry shown;
  shown.Assign(&Host().Project().Geometry);
  ReadInto(shown);
  sketch_->SetGeometry(shown);
}

void TGeometryPage::CopyToSide2(TLabelledEdit* From, TLabelledEdit* To) {
  if (!To->isEnabled() && IsSide2Same()) SetFieldText(To, From->text());
}

double TGeometryPage::ExpectedEffectiveSpacing() const {
  TGeometry shown;
  shown.Assign(&Host().Project().Geometry);
  ReadInto(shown);
  return shown.ExpectedPrimaryEffectiveSpacing();
}

void TGeometryPage::FollowSecondarySpans() {
  TGeometry before;
  before.Assign(&Host().Project().Geometry);
  ReadInto(before);
  TGeometry after;
  after.Assign(&before);
  before.SpacingSide1 = ReadNumber(span1_before_);
  before.SpacingSide2 = ReadNumber(span2_before_);
  if (after.FollowSecondarySpans(before))
    SetFieldText(fldEffectiveSpacing_.Edit, NumberText(after.PrimaryEffectiveSpacing));
  RememberSpans();
}

void TGeometryPage::RememberSpans() {
  span1_before_ = fldSpan1_.Edit->text();
  span2_before_ = fldSpan2_.Edit->text();
}

void TGeometryPage::BringEffectiveSpacingToExpected() {
  const QString expected = NumberText(ExpectedEffectiveSpacing());
  if (NumberText(ReadNumber(fldEffectiveSpacing_.Edit->text())) != expected)
    fldEffectiveSpacing_.Edit->setText(expected);
}

// The computed positions of the first secondary beams, from the page's values.
void TGeometryPage::ShowComputedStarts() {
  UpdateProjectFromScreen();
  const TGeometry& g = Host().Project().Geometry;
  SetFieldText(fldStart1_.Edit, NumberText(g.GetSecondaryBeamLocation(1, 0)));
  SetFieldText(fldStart2_.Edit, NumberText(g.GetSecondaryBeamLocation(2, 0)));
}

// ---------------------------------------------------------------------------
// Handlers

// Ticking the box turns the side-1 beam into a secondary beam of a primary
// beam, which cannot carry loads of its own: they go, if the user agrees.
void TGeometryPage::OnPrimaryBeamClicked(bool IsTicked) {
  TImportedBeam& side1 = *Host().Project().GetBeam(1);
  if (IsTicked && HasManualLoads(side1)) {
    const auto answer =
        ShowMessage(window(), TMessageKind::Warning,
                    QStringLiteral("Loads (other than auto-calculated) cannot be applied to a secondary beam") +
                        QStringLiteral("\r\n") +
                        QStringLiteral("The current manually-applied secondary beam loads will now be deleted, OK?"),
                    QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer != QMessageBox::Yes) {
      chkHasPrimaryBeam_->setChecked(false);
      return;
    }
    side1.DistributedLoadList.ClearLoads(false, true);
    side1.PointLoadList.ClearLoads(false, true);
  }
  Host().Project().Geometry.HasPrimaryBeam = IsTicked;
  Host().UpdateBeamCaptions();
  ApplyLayoutRules();
  RefreshSketch();
  Host().InputChanged(false);
}

void TGeometryPage::OnInternalClicked() {
  if (!IsSide2Same()) BringEffectiveSpacingToExpected();
  ApplyLayoutRules();
  RefreshSketch();
  Host().InputChanged(false);
}

void TGeometryPage::OnSide2SameToggled() {
  if (IsFilling()) return;
  Host().Project().Geometry.IsSide2SameAsSide1 = IsSide2Same();
  Host().UpdateBeamCaptions();
  ApplyLayoutRules();
  RefreshSketch();
  Host().InputChanged(false);
}

// A secondary span typed: side 2 follows side 1 when it is the same, and the
// primary beam's effective spacing follows the spans (with the same sides
// only while it is the span, so a tributary width the user chose stays).
// The texts written here fire this handler again; IsBusy stops that.
void TGeometryPage::OnSecondarySpanChanged(TLabelledEdit* Span) {
  if (is_busy_) return;
  const QScopedValueRollback busy(is_busy_, true);
  if (Span == fldSpan1_.Edit) CopyToSide2(fldSpan1_.Edit, fldSpan2_.Edit);
  FollowSecondarySpans();
  Host().InputChanged(true);
}

void TGeometryPage::OnSpacingChanged(TLabelledEdit* Spacing) {
  if (Spacing == fldSpacing1_.Edit) CopyToSide2(fldSpacing1_.Edit, fldSpacing2_.Edit);
  if (chkAutocalcStart_->isChecked()) ShowComputedStarts();
  Host().InputChanged(true);
}

void TGeometryPage::OnDeckOrientationClicked() {
  if (rbDeckParallel_->isChecked()) fldThetaSide1_.Edit->setText(QStringLiteral("0"));
  if (rbDeckPerpendicular_->isChecked()) fldThetaSide1_.Edit->setText(QStringLiteral("90"));
  fldThetaSide1_.SetEnabled(rbDeckAngle_->isChecked());
  Host().InputChanged(false);
}

void TGeometryPage::FieldLeaving(QLineEdit* Edit) {
  if (Edit == fldSpan1_.Edit || Edit == fldSpan2_.Edit) {
    CopyToSide2(fldSpan1_.Edit, fldSpan2_.Edit);
    // A primary beam without an effective spacing takes the one the spans give.
    if (ReadNumber(fldEffectiveSpacing_.Edit->text()) == 0) {
      TFillScope quiet(*this);
      fldEffectiveSpacing_.Edit->setText(NumberText(ExpectedEffectiveSpacing()));
      Host().InputChanged(true);
      RefreshSketch();
    }
  } else if ((Edit == fldSpacing1_.Edit || Edit == fldSpacing2_.Edit) && !chkAutocalcStart_->isChecked()) {
    // An empty distance to the first beam starts one spacing in.
    if (fldStart1_.Edit->text().trimmed().isEmpty()) fldStart1_.Edit->setText(fldSpacing1_.Edit->text());
    if (fldStart2_.Edit->text().trimmed().isEmpty()) fldStart2_.Edit->setText(fldSpacing2_.Edit->text());
  } else if (Edit == fldEffectiveSpacing_.Edit) {
    // A secondary span not given yet takes the effective spacing.
    for (const TPageField* span : {&fldSpan1_, &fldSpan2_})
      if (ReadNumber(span->Edit->text()) == 0) span->Edit->setText(fldEffectiveSpacing_.Edit->text());
  }
}
