// The floor's "Geometry" page: whether the floor has a primary beam, whether
// the beam is internal, and three rows of lengths: the secondary beams of
// side 1, those of side 2 (only when they differ), and the primary beam; the
// floor sketch beside them is redrawn from the fields on every change.
//
// Layout rules (P: primary beam, I: internal, S: side 2 the same as side 1):
// row 2 shows when P, I and not S; row 3 when P; the effective spacing is
// typed only when S (otherwise it follows the spans); outstands show for edge
// beams; side-2 fields that are disabled repeat their side-1 values.
//
// The span handler keeps the primary beam's effective spacing in step with
// the secondary spans by the floor's own rule (TGeometry): it follows them
// when the sides differ, and with the same sides as long as it equals the
// span; it is guarded against re-entry by the window's IsBusy flag, because
// the values it writes fire the same handler again.
#pragma once

#include "ui/cDataPage.h"
#include "ui/cPageFields.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class TFloorSketch;
class TGeometry;

class TGeometryPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TGeometryPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void LeavingPage() override;
  void FieldLeaving(QLineEdit* Edit) override;

  // The fields read into a geometry (the rest of Geometry is left as it is).
  void ReadInto(TGeometry& Geometry) const;
  // The effective spacing the primary beam should have for the spans shown
  // (the floor's rule, TGeometry::ExpectedPrimaryEffectiveSpacing).
  double ExpectedEffectiveSpacing() const;

  QCheckBox* chkHasPrimaryBeam;
  QCheckBox* chkIsInternal;
  QCheckBox* chkIsSide2SameAsSide1;  // hidden: shows the project's value
  QCheckBox* chkAutocalcStart;       // hidden: shows the project's value
  QGroupBox* grpDeckOrientation;     // hidden
  QRadioButton* rbDeckParallel;
  QRadioButton* rbDeckPerpendicular;
  QRadioButton* rbDeckAngle;
  TPageField fldThetaSide1, fldThetaSide2;  // hidden
  QLabel* lblRow1;
  QLabel* lblRow2;
  QLabel* lblRow3;
  TPageField fldSpan1, fldSpacing1, fldStart1, fldOutstand1;
  TPageField fldSpan2, fldSpacing2, fldStart2;
  TPageField fldPrimarySpan, fldEffectiveSpacing, fldOutstand3;
  TFloorSketch* sketch;

 private:
  bool IsPrimary() const;
  bool IsInternal() const;
  bool IsSide2Same() const;
  void ApplyLayoutRules();
  void RefreshSketch();
  // A field's text copied into another when that one is disabled and side 2 is the same.
  void CopyToSide2(TLabelledEdit* From, TLabelledEdit* To);
  void ShowComputedStarts();
  void BringEffectiveSpacingToExpected();
  // The effective spacing kept in step with spans that have just changed
  // from those remembered (TGeometry::FollowSecondarySpans), then the spans
  // remembered for the next change.
  void FollowSecondarySpans();
  void RememberSpans();

  void OnPrimaryBeamClicked(bool IsTicked);
  void OnInternalClicked();
  void OnSide2SameToggled();
  void OnSecondarySpanChanged(TLabelledEdit* Span);
  void OnSpacingChanged(TLabelledEdit* Spacing);
  void OnDeckOrientationClicked();

  // The secondary spans as the fields showed them before the latest change.
  QString span1_before_, span2_before_;
};
