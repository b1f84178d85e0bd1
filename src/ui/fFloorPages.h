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

  QCheckBox* chkAutoLoading;
  QComboBox* cboFloorUse;
  TPageField fldLiveLoad;
  QCheckBox* chkLiveLoadReducible;
  QCheckBox* chkTemporaryLiveLoadReducible;  // hidden
  TPageField fldDeadLoad;
  TPageField fldFacadeLoad;
  // The floor use to go back to when a change is cancelled, and to apply
  // when automatic loading is switched on again.
  int SavedStandardAreaLoadingIndex = 0;

 private:
  void EnableLoadingFields();
  void OnFloorUseActivated(int Index);
  void OnAutoLoadingClicked(bool IsTicked);
  QLabel* lblInService_;
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

  QComboBox* cboDeck;
  TStringGrid* grdDeckProperties;
  QCheckBox* chkIgnoreConcreteBelowRibs;
  TPageField fldDs, fldPonding, fldStrength, fldDensity, fldWetDensity, fldShrinkage;

 private:
  // The project's deck takes the chosen entry: a library deck, or the project's own custom deck.
  void ApplyChosenDeck();
  void ShowDeck();
  std::unique_ptr<TSteelDeck> custom_deck_;  // the project's custom deck, while the list offers it
};

class TShearConnectorsPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TShearConnectorsPage(TPageHost& Host, QWidget* Parent = nullptr);
  ~TShearConnectorsPage() override;

  void LibrariesLoaded() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;

  QComboBox* cboConnector;
  TStringGrid* grdConnectorProperties;

 private:
  void ApplyChosenConnector();
  void ShowConnector();
  std::unique_ptr<TShearConnector> custom_connector_;
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

  QCheckBox* chkIsChecked;
  TPageField fldDamping, fldAccelerationLimit, fldLiveLoadInMass, fldFloorWidth, fldFloorLength;
  QCheckBox* chkIsBeamContinuous;
  QCheckBox* chkIsBeamOnSeat;

 private:
  void EnableFields();
};
