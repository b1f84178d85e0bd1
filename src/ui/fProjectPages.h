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

  QLineEdit* edtProject;
  QPlainTextEdit* memDescription;
  TLabelledEdit* edtDesigner;
  TLabelledEdit* edtFloorArea;
  TLabelledEdit* edtStoreys;
  TLabelledEdit* edtSegments;
  // Never shown: the composite stage is always the in-service stage.
  QComboBox* cboCompositeStage;
  QCheckBox* chkIgnoreRangeChecks;
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

  TStringGrid* grdCapacityFactors;
  TStringGrid* grdLoadFactors;

 private:
  void ShowCapacityFactors();
  // Row r's limit-state values, or empty cells when the project has none of its kind.
  void ShowLoadFactorRow(int Row);
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

  TStringGrid* grdDeflectionLimits;
  TLabelledEdit* edtShrinkageRatio;
};
