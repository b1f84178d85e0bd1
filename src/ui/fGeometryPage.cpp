#include "ui/fGeometryPage.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
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

// The window's IsBusy flag set for a scope.
class TBusyScope {
 public:
  explicit TBusyScope(TPageHost& Host) : host_(Host) { host_.SetBusy(true); }
  ~TBusyScope() { host_.SetBusy(false); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  TPageHost& host_;
};

bool HasManualLoads(const TImportedBeam& Beam) {
  return Beam.DistributedLoadList.Count() > Beam.DistributedLoadList.AutoLoadCount() ||
         Beam.PointLoadList.Count() > Beam.PointLoadList.AutoLoadCount();
}

}  // namespace

TGeometryPage::TGeometryPage(TPageHost& Host, QWidget* Parent) : TDataPage(Host, QStringLiteral("Geometry"), Parent) {
  chkHasPrimaryBeam = MakeCheckBox(QStringLiteral("Floor has primary AND secondary beams"),
                                   QStringLiteral("chkHasPrimaryBeam"),
                                   QStringLiteral("Tick this checkbox to analyse both primary and secondary beams"));
  chkHasPrimaryBeam->setChecked(true);
  chkIsInternal = MakeCheckBox(QStringLiteral("Primary beam is internal"), QStringLiteral("chkIsInternal"),
                               QStringLiteral("Untick this checkbox if this is an edge beam"));
  chkIsSide2SameAsSide1 =
      MakeCheckBox(QStringLiteral("Side 2 is the same as Side 1"), QStringLiteral("chkIsSide2SameAsSide1"),
                   QStringLiteral("Tick to specify that secondary beams on side 1 are the same as on side 2"));
  chkAutocalcStart = MakeCheckBox(
      QStringLiteral("Autocalc distance to first secondary beam"), QStringLiteral("chkAutocalcStart"),
      QStringLiteral("Tick to equalise distances from the ends of the primary beam to the first and last secondary beam"));

  // The deck orientation and angles are never shown; they hold the project's values.
  grpDeckOrientation = new QGroupBox(QStringLiteral(" Deck Orientation"));
  grpDeckOrientation->setObjectName(QStringLiteral("grpDeckOrientation"));
  SetHint(grpDeckOrientation, QStringLiteral("Deck orientation"));
  rbDeckParallel = new QRadioButton(QStringLiteral("Parallel to primary beam"));
  rbDeckPerpendicular = new QRadioButton(QStringLiteral("Perpendicular to primary beam"));
  rbDeckAngle = new QRadioButton(QStringLiteral("Angle to primary beam"));
  fldThetaSide1 = MakeField(QStringLiteral(" "), QStringLiteral("deg"), QStringLiteral("edtThetaSide1"),
                            QStringLiteral("Angle of deck on side 1"), 60, QStringLiteral("Side 1 deck angle"));
  fldThetaSide2 = MakeField(QStringLiteral("Side 2 angle"), QStringLiteral("deg"), QStringLiteral("edtThetaSide2"),
                            QStringLiteral("Angle of deck on side 2"), 60);
  fldThetaSide2.SetEnabled(false);
  auto* orientation = new QVBoxLayout(grpDeckOrientation);
  for (QRadioButton* b : {rbDeckParallel, rbDeckPerpendicular, rbDeckAngle}) orientation->addWidget(b);
  orientation->addWidget(FieldCell(fldThetaSide1, true));
  orientation->addWidget(FieldCell(fldThetaSide2, true));
  grpDeckOrientation->setParent(this);
  grpDeckOrientation->hide();
  chkIsSide2SameAsSide1->setParent(this);
  chkIsSide2SameAsSide1->hide();
  chkAutocalcStart->setParent(this);
  chkAutocalcStart->hide();

  // The rows of lengths.
  fldSpan1 = MakeField(QStringLiteral("Span (Lef)"), kMm, QStringLiteral("edtSpanSide1"), kSpanHint, 80,
                       QStringLiteral("Side 1 secondary span"));
  fldSpacing1 = MakeField(QStringLiteral("Spacing"), kMm, QStringLiteral("edtSpacingSide1"), kSpacingHint, 80,
                          QStringLiteral("Side 1 secondary spacing"));
  fldStart1 = MakeField(QStringLiteral("Distance to first beam"), kMm, QStringLiteral("edtStartSide1"), kStartHint, 80,
                        QStringLiteral("Side 1 distance to first beam"));
  fldOutstand1 = MakeField(QStringLiteral("Outstand distance"), kMm, QStringLiteral("edtOutstandSecondary"),
                           kOutstandHint, 80, QStringLiteral("Secondary outstand distance"));
  fldSpan2 = MakeField(QStringLiteral("Span (Lef)"), kMm, QStringLiteral("edtSpanSide2"), kSpanHint, 80,
                       QStringLiteral("Side 2 secondary span"));
  fldSpacing2 = MakeField(QStringLiteral("Spacing"), kMm, QStringLiteral("edtSpacingSide2"), kSpacingHint, 80,
                          QStringLiteral("Side 2 secondary spacing"));
  fldStart2 = MakeField(QStringLiteral("Distance to first beam"), kMm, QStringLiteral("edtStartSide2"), kStartHint, 80,
                        QStringLiteral("Side 2 distance to first beam"));
  fldPrimarySpan = MakeField(QStringLiteral("Span (Lef)"), kMm, QStringLiteral("edtPrimarySpan"),
                             QStringLiteral("Effective length of primary beam, also used to assess loading tributary areas"),
                             80, QStringLiteral("Primary span"));
  fldEffectiveSpacing = MakeField(
      QStringLiteral("Effective spacing"), kMm, QStringLiteral("edtEffectiveSpacing"),
      QStringLiteral("Effective spacing between primary beams, usually the same as the secondary beam span"), 80,
      QStringLiteral("Primary effective spacing"));
  fldOutstand3 = MakeField(QStringLiteral("Outstand distance"), kMm, QStringLiteral("edtOutstandPrimary"),
                           kOutstandHint, 80, QStringLiteral("Primary outstand distance"));

  lblRow1 = new QLabel(QStringLiteral("Secondary beam"));
  lblRow2 = new QLabel;
  lblRow3 = new QLabel(QStringLiteral("Primary beam"));
  for (QLabel* l : {lblRow1, lblRow2, lblRow3}) {
    QFont bold = l->font();
    bold.setBold(true);
    l->setFont(bold);
    l->setMinimumWidth(l->fontMetrics().horizontalAdvance(QStringLiteral("Secondary (Side 2)")) + 8);
  }
  lblRow2->setAlignment(Qt::AlignLeft | Qt::AlignBottom);

  auto* rows = new QGridLayout;
  rows->setHorizontalSpacing(14);
  rows->setVerticalSpacing(8);
  rows->addWidget(lblRow1, 0, 0, Qt::AlignBottom);
  rows->addWidget(FieldCell(fldSpan1, true), 0, 1);
  rows->addWidget(FieldCell(fldSpacing1, true), 0, 2);
  rows->addWidget(FieldCell(fldStart1, true), 0, 3);
  rows->addWidget(FieldCell(fldOutstand1, true), 0, 4);
  rows->addWidget(lblRow2, 1, 0, Qt::AlignBottom);
  rows->addWidget(FieldCell(fldSpan2, false), 1, 1);
  rows->addWidget(FieldCell(fldSpacing2, false), 1, 2);
  rows->addWidget(FieldCell(fldStart2, false), 1, 3);
  rows->addWidget(lblRow3, 2, 0, Qt::AlignBottom);
  rows->addWidget(FieldCell(fldPrimarySpan, true), 2, 1);
  rows->addWidget(FieldCell(fldEffectiveSpacing, true), 2, 2);
  rows->addWidget(FieldCell(fldOutstand3, true), 2, 4);
  rows->setColumnStretch(5, 1);

  auto* left = new QVBoxLayout;
  left->addWidget(chkHasPrimaryBeam);
  left->addWidget(chkIsInternal);
  left->addSpacing(12);
  left->addLayout(rows);
  left->addStretch(1);

  sketch = new TFloorSketch;
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 0);
  layout->addWidget(sketch, 1);

  // Change handlers.
  connect(chkHasPrimaryBeam, &QCheckBox::clicked, this, &TGeometryPage::OnPrimaryBeamClicked);
  connect(chkIsInternal, &QCheckBox::clicked, this, &TGeometryPage::OnInternalClicked);
  connect(chkIsSide2SameAsSide1, &QCheckBox::toggled, this, &TGeometryPage::OnSide2SameToggled);
  connect(chkAutocalcStart, &QCheckBox::toggled, this, [this] {
    if (IsFilling()) return;
    if (chkAutocalcStart->isChecked()) ShowComputedStarts();
    this->Host().InputChanged(true);
    RefreshSketch();
  });
  for (QRadioButton* b : {rbDeckParallel, rbDeckPerpendicular, rbDeckAngle})
    connect(b, &QRadioButton::clicked, this, &TGeometryPage::OnDeckOrientationClicked);
  auto on_text = [this](TLabelledEdit* Edit, auto Handler) {
    connect(Edit, &QLineEdit::textChanged, this, [this, Handler] {
      if (IsFilling()) return;
      Handler();
      RefreshSketch();
    });
  };
  on_text(fldThetaSide1.Edit, [this] {
    CopyToSide2(fldThetaSide1.Edit, fldThetaSide2.Edit);
    this->Host().InputChanged(false);
  });
  on_text(fldThetaSide2.Edit, [this] { this->Host().InputChanged(false); });
  on_text(fldSpan1.Edit, [this] { OnSecondarySpanChanged(fldSpan1.Edit); });
  on_text(fldSpan2.Edit, [this] { OnSecondarySpanChanged(fldSpan2.Edit); });
  on_text(fldSpacing1.Edit, [this] { OnSpacingChanged(fldSpacing1.Edit); });
  on_text(fldSpacing2.Edit, [this] { OnSpacingChanged(fldSpacing2.Edit); });
  on_text(fldStart1.Edit, [this] {
    CopyToSide2(fldStart1.Edit, fldStart2.Edit);
    this->Host().InputChanged(true);
  });
  on_text(fldStart2.Edit, [this] { this->Host().InputChanged(true); });
  // The two outstand fields hold the same value; each shows when its row needs it.
  on_text(fldOutstand1.Edit, [this] {
    SetFieldText(fldOutstand3.Edit, fldOutstand1.Edit->text());
    this->Host().InputChanged(true);
  });
  on_text(fldOutstand3.Edit, [this] {
    SetFieldText(fldOutstand1.Edit, fldOutstand3.Edit->text());
    this->Host().InputChanged(true);
  });
  on_text(fldPrimarySpan.Edit, [this] {
    if (chkAutocalcStart->isChecked()) ShowComputedStarts();
    this->Host().InputChanged(true);
  });
  on_text(fldEffectiveSpacing.Edit, [this] { this->Host().InputChanged(true); });
}

void TGeometryPage::RegisterFields() {
  TPageHost& host = Host();
  host.RegisterField(this, PageName(), QStringLiteral(" "), fldThetaSide1.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Side 2 angle"), fldThetaSide2.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Secondary span"), fldSpan1.Edit, true);
  host.RegisterField(this, PageName(), QStringLiteral("Secondary spacing"), fldSpacing1.Edit, true);
  host.RegisterField(this, PageName(), QStringLiteral("Distance to first secondary beam"), fldStart1.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Secondary outstand distance"), fldOutstand1.Edit);
  host.RegisterField(this, PageName(), QStringLiteral("Primary span"), fldPrimarySpan.Edit, true);
  host.RegisterField(this, PageName(), QStringLiteral("Effective spacing of primary beam"), fldEffectiveSpacing.Edit,
                     true);
  host.RegisterField(this, PageName(), QStringLiteral("Primary outstand distance"), fldOutstand3.Edit);
  // Side 2's lengths have no checks of their own, but leaving them still matters.
  for (const TPageField* f : {&fldSpan2, &fldSpacing2, &fldStart2}) host.WatchFieldExit(f->Edit);
}

bool TGeometryPage::IsPrimary() const { return chkHasPrimaryBeam->isChecked(); }
bool TGeometryPage::IsInternal() const { return chkIsInternal->isChecked(); }
bool TGeometryPage::IsSide2Same() const { return chkIsSide2SameAsSide1->isChecked(); }

// ---------------------------------------------------------------------------
// Transfers

void TGeometryPage::ReadInto(TGeometry& G) const {
  G.Span = ReadNumber(fldPrimarySpan.Edit->text());
  G.IsEdgeBeam = !IsInternal();
  G.Outstand = ReadNumber((IsPrimary() ? fldOutstand3 : fldOutstand1).Edit->text());
  G.HasPrimaryBeam = IsPrimary();
  G.IsSide2SameAsSide1 = IsSide2Same();
  G.WillAutocalcSecondaryStartLocations = chkAutocalcStart->isChecked();
  G.PrimaryEffectiveSpacing = ReadNumber(fldEffectiveSpacing.Edit->text());
  G.ThetaSide1 = ReadNumber(fldThetaSide1.Edit->text());
  G.ThetaSide2 = ReadNumber(fldThetaSide2.Edit->text());
  G.SpacingSide1 = ReadNumber(fldSpan1.Edit->text());
  G.SpacingSide2 = ReadNumber(fldSpan2.Edit->text());
  G.SecondaryStartSide1 = ReadNumber(fldStart1.Edit->text());
  G.SecondaryStartSide2 = ReadNumber(fldStart2.Edit->text());
  G.SecondarySpacingSide1 = ReadNumber(fldSpacing1.Edit->text());
  G.SecondarySpacingSide2 = ReadNumber(fldSpacing2.Edit->text());
}

void TGeometryPage::UpdateProjectFromScreen() { ReadInto(Host().Project().Geometry); }

void TGeometryPage::UpdateScreenFromProject() {
  {
    TFillScope filling(*this);
    const TGeometry& g = Host().Project().Geometry;
    fldPrimarySpan.Edit->setText(NumberTextBlankIfZero(g.Span));
    chkIsInternal->setChecked(!g.IsEdgeBeam);
    chkHasPrimaryBeam->setChecked(g.HasPrimaryBeam);
    chkIsSide2SameAsSide1->setChecked(g.IsSide2SameAsSide1);
    chkAutocalcStart->setChecked(g.WillAutocalcSecondaryStartLocations);
    fldThetaSide1.Edit->setText(NumberText(g.ThetaSide1));
    fldThetaSide2.Edit->setText(NumberText(g.ThetaSide2));
    const QString angle = fldThetaSide1.Edit->text();
    rbDeckParallel->setChecked(angle == QLatin1String("0"));
    rbDeckPerpendicular->setChecked(angle == QLatin1String("90"));
    rbDeckAngle->setChecked(angle != QLatin1String("0") && angle != QLatin1String("90"));
    fldThetaSide1.SetEnabled(rbDeckAngle->isChecked());
    fldSpan1.Edit->setText(NumberTextBlankIfZero(g.SpacingSide1));
    fldSpan2.Edit->setText(NumberTextBlankIfZero(g.SpacingSide2));
    fldEffectiveSpacing.Edit->setText(NumberTextBlankIfZero(g.PrimaryEffectiveSpacing));
    fldOutstand1.Edit->setText(NumberTextBlankIfZero(g.Outstand));
    fldOutstand3.Edit->setText(NumberTextBlankIfZero(g.Outstand));
    fldSpacing1.Edit->setText(NumberTextBlankIfZero(g.SecondarySpacingSide1));
    fldSpacing2.Edit->setText(NumberTextBlankIfZero(g.SecondarySpacingSide2));
    fldStart1.Edit->setText(NumberTextBlankIfZero(g.SecondaryStartSide1));
    fldStart2.Edit->setText(NumberTextBlankIfZero(g.SecondaryStartSide2));
    ApplyLayoutRules();
  }
  RememberSpans();
  RefreshSketch();
}

void TGeometryPage::LeavingPage() {
  if (Host().CurrentBeam()) Host().CommitGeometry();
}

// ---------------------------------------------------------------------------
// Layout

void TGeometryPage::ApplyLayoutRules() {
  TFillScope quiet(*this);  // the copies below are part of the rule, not the user's edits
  const bool p = IsPrimary(), i = IsInternal(), s = IsSide2Same();
  chkIsInternal->setText(p ? QStringLiteral("Primary beam is internal") : QStringLiteral("Secondary beam is internal"));
  const bool two_sides = p && i && !s;
  lblRow1->setText(two_sides ? QStringLiteral("Secondary (Side 1)") : QStringLiteral("Secondary beam"));
  lblRow2->setText(two_sides ? QStringLiteral("Secondary (Side 2)") : QString());

  lblRow2->setVisible(two_sides);
  for (const TPageField* f : {&fldSpan2, &fldSpacing2, &fldStart2}) f->Edit->parentWidget()->setVisible(two_sides);
  lblRow3->setVisible(p);
  for (const TPageField* f : {&fldPrimarySpan, &fldEffectiveSpacing})
    f->Edit->parentWidget()->setVisible(p);
  fldOutstand3.Edit->parentWidget()->setVisible(p && !i);
  fldEffectiveSpacing.SetEnabled(s);
  fldOutstand1.Edit->parentWidget()->setVisible(!p && !i);
  fldStart1.Edit->parentWidget()->setVisible(p);
  fldSpan2.SetEnabled(!(i && s));
  fldOutstand3.SetEnabled(fldSpan2.Edit->isEnabled());
  fldSpacing2.SetEnabled(!s);
  fldStart2.SetEnabled(!s);

  if (s) {
    SetFieldText(fldThetaSide2.Edit, fldThetaSide1.Edit->text());
    SetFieldText(fldSpan2.Edit, fldSpan1.Edit->text());
    SetFieldText(fldSpacing2.Edit, fldSpacing1.Edit->text());
    SetFieldText(fldStart2.Edit, fldStart1.Edit->text());
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
  sketch->SetGeometry(shown);
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
    SetFieldText(fldEffectiveSpacing.Edit, NumberText(after.PrimaryEffectiveSpacing));
  RememberSpans();
}

void TGeometryPage::RememberSpans() {
  span1_before_ = fldSpan1.Edit->text();
  span2_before_ = fldSpan2.Edit->text();
}

void TGeometryPage::BringEffectiveSpacingToExpected() {
  const QString expected = NumberText(ExpectedEffectiveSpacing());
  if (NumberText(ReadNumber(fldEffectiveSpacing.Edit->text())) != expected)
    fldEffectiveSpacing.Edit->setText(expected);
}

// The computed positions of the first secondary beams, from the page's values.
void TGeometryPage::ShowComputedStarts() {
  UpdateProjectFromScreen();
  const TGeometry& g = Host().Project().Geometry;
  SetFieldText(fldStart1.Edit, NumberText(g.GetSecondaryBeamLocation(1, 0)));
  SetFieldText(fldStart2.Edit, NumberText(g.GetSecondaryBeamLocation(2, 0)));
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
      chkHasPrimaryBeam->setChecked(false);
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
  if (Host().IsBusy()) return;
  TBusyScope busy(Host());
  if (Span == fldSpan1.Edit) CopyToSide2(fldSpan1.Edit, fldSpan2.Edit);
  FollowSecondarySpans();
  Host().InputChanged(true);
}

void TGeometryPage::OnSpacingChanged(TLabelledEdit* Spacing) {
  if (Spacing == fldSpacing1.Edit) CopyToSide2(fldSpacing1.Edit, fldSpacing2.Edit);
  if (chkAutocalcStart->isChecked()) ShowComputedStarts();
  Host().InputChanged(true);
}

void TGeometryPage::OnDeckOrientationClicked() {
  if (rbDeckParallel->isChecked()) fldThetaSide1.Edit->setText(QStringLiteral("0"));
  if (rbDeckPerpendicular->isChecked()) fldThetaSide1.Edit->setText(QStringLiteral("90"));
  fldThetaSide1.SetEnabled(rbDeckAngle->isChecked());
  Host().InputChanged(false);
}

void TGeometryPage::FieldLeaving(QLineEdit* Edit) {
  if (Edit == fldSpan1.Edit || Edit == fldSpan2.Edit) {
    CopyToSide2(fldSpan1.Edit, fldSpan2.Edit);
    // A primary beam without an effective spacing takes the one the spans give.
    if (ReadNumber(fldEffectiveSpacing.Edit->text()) == 0) {
      TFillScope quiet(*this);
      fldEffectiveSpacing.Edit->setText(NumberText(ExpectedEffectiveSpacing()));
      Host().InputChanged(true);
      RefreshSketch();
    }
  } else if ((Edit == fldSpacing1.Edit || Edit == fldSpacing2.Edit) && !chkAutocalcStart->isChecked()) {
    // An empty distance to the first beam starts one spacing in.
    if (fldStart1.Edit->text().trimmed().isEmpty()) fldStart1.Edit->setText(fldSpacing1.Edit->text());
    if (fldStart2.Edit->text().trimmed().isEmpty()) fldStart2.Edit->setText(fldSpacing2.Edit->text());
  } else if (Edit == fldEffectiveSpacing.Edit) {
    // A secondary span not given yet takes the effective spacing.
    for (const TPageField* span : {&fldSpan1, &fldSpan2})
      if (ReadNumber(span->Edit->text()) == 0) span->Edit->setText(fldEffectiveSpacing.Edit->text());
  }
}
