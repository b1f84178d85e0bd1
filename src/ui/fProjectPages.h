// The project's pages. "General": the project's name, description, designer,
// floor area, number of storeys and the number of positions along a beam at
// which results are calculated. "Design factors": the capacity factors of the
// current edition (read only) and the load factors of the limit states.
// "Deflection limits": the deflection limits of every stage and the share of
// shrinkage before the in-service stage.
#pragma once

#include "ui/cDataPage.h"
#include "ui/cPageFields.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class TLabelledEdit;

class TGeneralPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TGeneralPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;

  QLineEdit* edtProject() const { return edtProject_; }
  QPlainTextEdit* memDescription() const { return memDescription_; }
  TLabelledEdit* edtDesigner() const { return edtDesigner_; }
  TLabelledEdit* edtFloorArea() const { return edtFloorArea_; }
  TLabelledEdit* edtStoreys() const { return edtStoreys_; }
  TLabelledEdit* edtSegments() const { return edtSegments_; }
  // Never shown: the composite stage is always the in-service stage.
  QComboBox* cboCompositeStage() const { return cboCompositeStage_; }
  QCheckBox* chkIgnoreRangeChecks() const { return chkIgnoreRangeChecks_; }

 private:
  QLineEdit* edtProject_ = nullptr;
  QPlainTextEdit* memDescription_ = nullptr;
  TLabelledEdit* edtDesigner_ = nullptr;
  TLabelledEdit* edtFloorArea_ = nullptr;
  TLabelledEdit* edtStoreys_ = nullptr;
  TLabelledEdit* edtSegments_ = nullptr;
  QComboBox* cboCompositeStage_ = nullptr;
  QCheckBox* chkIgnoreRangeChecks_ = nullptr;
};

class TDesignFactorsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TDesignFactorsPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void CheckPage(TFieldCheckList& Checks) override;
  void FloorUseApplied() override;
  void EditionChanged() override;

  TStringGrid* grdCapacityFactors() const { return grdCapacityFactors_; }
  TStringGrid* grdLoadFactors() const { return grdLoadFactors_; }

 private:
  void ShowCapacityFactors();
  // Row r's limit-state values, or empty cells when the project has none of its kind.
  void ShowLoadFactorRow(int Row);
  TStringGrid* grdCapacityFactors_ = nullptr;
  TStringGrid* grdLoadFactors_ = nullptr;
};

class TDeflectionLimitsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TDeflectionLimitsPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void CheckPage(TFieldCheckList& Checks) override;
  void FloorUseApplied() override;

  TStringGrid* grdDeflectionLimits() const { return grdDeflectionLimits_; }
  TLabelledEdit* edtShrinkageRatio() const { return edtShrinkageRatio_; }

 private:
  TStringGrid* grdDeflectionLimits_ = nullptr;
  TLabelledEdit* edtShrinkageRatio_ = nullptr;
};
