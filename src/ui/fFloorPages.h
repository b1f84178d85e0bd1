// The floor's loading and material pages. "Floor loading": automatic loading
// on or off, the standard floor use and the floor loads; "Slab details": the
// steel deck and the concrete; "Shear connectors": the connector; "Floor
// vibration": the inputs of the walking check. The deck and connector are
// chosen by library name; a custom deck or connector of a project keeps its
// own values under its own entry.
#pragma once

#include <QPointer>

#include <memory>

#include "ui/cDataPage.h"
#include "ui/cPageFields.h"

class QCheckBox;
class QComboBox;
class QLabel;
class TShearConnector;
class TSteelDeck;

class TFloorLoadingPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TFloorLoadingPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void LibrariesLoaded() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void LeavingPage() override;
  void FloorUseApplied() override;

  QCheckBox* chkAutoLoading() const { return chkAutoLoading_; }
  QComboBox* cboFloorUse() const { return cboFloorUse_; }
  const TPageField& fldLiveLoad() const { return fldLiveLoad_; }
  QCheckBox* chkLiveLoadReducible() const { return chkLiveLoadReducible_; }
  QCheckBox* chkTemporaryLiveLoadReducible() const { return chkTemporaryLiveLoadReducible_; } // hidden
  const TPageField& fldDeadLoad() const { return fldDeadLoad_; }
  const TPageField& fldFacadeLoad() const { return fldFacadeLoad_; }

 private:
  void EnableLoadingFields();
  void OnFloorUseActivated(int Index);
  void OnAutoLoadingClicked(bool IsTicked);
  // The floor use to go back to when a change is cancelled, and to apply
  // when automatic loading is switched on again.
  int SavedStandardAreaLoadingIndex = 0;
  QLabel* lblInService_;
  QCheckBox* chkAutoLoading_ = nullptr;
  QComboBox* cboFloorUse_ = nullptr;
  TPageField fldLiveLoad_;
  QCheckBox* chkLiveLoadReducible_ = nullptr;
  QCheckBox* chkTemporaryLiveLoadReducible_ = nullptr;
  TPageField fldDeadLoad_;
  TPageField fldFacadeLoad_;
};

class TSlabDetailsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TSlabDetailsPage(TPageHost& Host, QWidget* Parent = nullptr);
  ~TSlabDetailsPage() override;

  void RegisterFields() override;
  void LibrariesLoaded() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void LeavingPage() override;
  void FloorUseApplied() override;

  QComboBox* cboDeck() const { return cboDeck_; }
  TStringGrid* grdDeckProperties() const { return grdDeckProperties_; }
  QCheckBox* chkIgnoreConcreteBelowRibs() const { return chkIgnoreConcreteBelowRibs_; }
  const TPageField& fldDs() const { return fldDs_; }
  const TPageField& fldPonding() const { return fldPonding_; }
  const TPageField& fldStrength() const { return fldStrength_; }
  const TPageField& fldDensity() const { return fldDensity_; }
  const TPageField& fldWetDensity() const { return fldWetDensity_; }
  const TPageField& fldShrinkage() const { return fldShrinkage_; }

 private:
  // The project's deck takes the chosen entry: a library deck, or the project's own custom deck.
  void ApplyChosenDeck();
  void ShowDeck();
  std::unique_ptr<TSteelDeck> custom_deck_;  // the project's custom deck, while the list offers it
  QComboBox* cboDeck_ = nullptr;
  TStringGrid* grdDeckProperties_ = nullptr;
  QCheckBox* chkIgnoreConcreteBelowRibs_ = nullptr;
  TPageField fldDs_;
  TPageField fldPonding_;
  TPageField fldStrength_;
  TPageField fldDensity_;
  TPageField fldWetDensity_;
  TPageField fldShrinkage_;
};

class TShearConnectorsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TShearConnectorsPage(TPageHost& Host, QWidget* Parent = nullptr);
  ~TShearConnectorsPage() override;

  void LibrariesLoaded() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;

  QComboBox* cboConnector() const { return cboConnector_; }
  TStringGrid* grdConnectorProperties() const { return grdConnectorProperties_; }

 private:
  void ApplyChosenConnector();
  void ShowConnector();
  std::unique_ptr<TShearConnector> custom_connector_;
  QComboBox* cboConnector_ = nullptr;
  TStringGrid* grdConnectorProperties_ = nullptr;
};

// The floor vibration check's inputs (the project's Vibration): on or off,
// damping, acceleration limit, the live load in the vibration mass, the
// floor's size (0: not limited) and how the beams are connected. The fields
// follow the check box; edits are plain changes (no load depends on them).
class TFloorVibrationPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TFloorVibrationPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void LeavingPage() override;

  QCheckBox* chkIsChecked() const { return chkIsChecked_; }
  const TPageField& fldDamping() const { return fldDamping_; }
  const TPageField& fldAccelerationLimit() const { return fldAccelerationLimit_; }
  const TPageField& fldLiveLoadInMass() const { return fldLiveLoadInMass_; }
  const TPageField& fldFloorWidth() const { return fldFloorWidth_; }
  const TPageField& fldFloorLength() const { return fldFloorLength_; }
  QCheckBox* chkIsBeamContinuous() const { return chkIsBeamContinuous_; }
  QCheckBox* chkIsBeamOnSeat() const { return chkIsBeamOnSeat_; }

 private:
  void EnableFields();
  QCheckBox* chkIsChecked_ = nullptr;
  TPageField fldDamping_;
  TPageField fldAccelerationLimit_;
  TPageField fldLiveLoadInMass_;
  TPageField fldFloorWidth_;
  TPageField fldFloorLength_;
  QCheckBox* chkIsBeamContinuous_ = nullptr;
  QCheckBox* chkIsBeamOnSeat_ = nullptr;
};
