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
// span; it is guarded against re-entry by IsBusy, because the values it
// writes fire the same handler again.
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
  // The re-entrancy guard of the secondary-span handler.
  bool IsBusy() const { return is_busy_; }
  void SetBusy(bool IsBusy) { is_busy_ = IsBusy; }

  QCheckBox* chkHasPrimaryBeam() const { return chkHasPrimaryBeam_; }
  QCheckBox* chkIsInternal() const { return chkIsInternal_; }
  QCheckBox* chkIsSide2SameAsSide1() const { return chkIsSide2SameAsSide1_; } // hidden: shows the project's value
  QCheckBox* chkAutocalcStart() const { return chkAutocalcStart_; } // hidden: shows the project's value
  QGroupBox* grpDeckOrientation() const { return grpDeckOrientation_; } // hidden
  QRadioButton* rbDeckParallel() const { return rbDeckParallel_; }
  QRadioButton* rbDeckPerpendicular() const { return rbDeckPerpendicular_; }
  QRadioButton* rbDeckAngle() const { return rbDeckAngle_; }
  const TPageField& fldThetaSide1() const { return fldThetaSide1_; } // hidden
  const TPageField& fldThetaSide2() const { return fldThetaSide2_; } // hidden
  QLabel* lblRow1() const { return lblRow1_; }
  QLabel* lblRow2() const { return lblRow2_; }
  QLabel* lblRow3() const { return lblRow3_; }
  const TPageField& fldSpan1() const { return fldSpan1_; }
  const TPageField& fldSpacing1() const { return fldSpacing1_; }
  const TPageField& fldStart1() const { return fldStart1_; }
  const TPageField& fldOutstand1() const { return fldOutstand1_; }
  const TPageField& fldSpan2() const { return fldSpan2_; }
  const TPageField& fldSpacing2() const { return fldSpacing2_; }
  const TPageField& fldStart2() const { return fldStart2_; }
  const TPageField& fldPrimarySpan() const { return fldPrimarySpan_; }
  const TPageField& fldEffectiveSpacing() const { return fldEffectiveSpacing_; }
  const TPageField& fldOutstand3() const { return fldOutstand3_; }
  TFloorSketch* sketch() const { return sketch_; }

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
  bool is_busy_ = false;
  QCheckBox* chkHasPrimaryBeam_ = nullptr;
  QCheckBox* chkIsInternal_ = nullptr;
  QCheckBox* chkIsSide2SameAsSide1_ = nullptr;
  QCheckBox* chkAutocalcStart_ = nullptr;
  QGroupBox* grpDeckOrientation_ = nullptr;
  QRadioButton* rbDeckParallel_ = nullptr;
  QRadioButton* rbDeckPerpendicular_ = nullptr;
  QRadioButton* rbDeckAngle_ = nullptr;
  TPageField fldThetaSide1_;
  TPageField fldThetaSide2_;
  QLabel* lblRow1_ = nullptr;
  QLabel* lblRow2_ = nullptr;
  QLabel* lblRow3_ = nullptr;
  TPageField fldSpan1_;
  TPageField fldSpacing1_;
  TPageField fldStart1_;
  TPageField fldOutstand1_;
  TPageField fldSpan2_;
  TPageField fldSpacing2_;
  TPageField fldStart2_;
  TPageField fldPrimarySpan_;
  TPageField fldEffectiveSpacing_;
  TPageField fldOutstand3_;
  TFloorSketch* sketch_ = nullptr;
};
