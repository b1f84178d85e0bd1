// The beam pages: "General" (mark, propping, camber and shear connector
// basis), "Section definition" (the base steel beam, its notched and plated
// variations and the composite sections along the span) and "Beam loading"
// (distributed and point loads). They show one beam at a time, the window's
// current beam; they are filled from a beam by side and copied into it.
//
// Automatic loads are shown greyed and cannot be edited; the user's own loads
// are edited in the same grids. A secondary beam carried by a primary beam
// takes automatic loads only.
#pragma once

#include "ui/cDataPage.h"
#include "ui/cPageFields.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QRadioButton;
class QTabWidget;
class TImportedBeam;
class TSteelSection;

class TBeamGeneralPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TBeamGeneralPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  bool IsBeamPage() const override { return true; }
  void UpdateScreenFromBeam(int Side) override;
  void UpdateBeamFromScreen(int Side) override;

  TPageField fldMark;
  QPlainTextEdit* memDescription;
  QCheckBox* chkPropped;
  QButtonGroup* grpCamber;         // ids 0..3: CamberType
  TPageField fldCamberAbsolute;    // beside "Fixed at"
  TPageField fldCamberRelative;    // beside "Fixed at Span / "
  QButtonGroup* grpConnectorBasis; // ids 0..2: StudCountBasis
  TPageField fldUserBeta;
  TPageField fldUserStudCount;
  TPageField fldUserNr;            // hidden

 private:
  void EnableChoiceFields();
  void OnChoiceClicked(QButtonGroup* Group);
  void OnProppedClicked(bool IsTicked);
};

class TSectionDefinitionPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TSectionDefinitionPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void LibrariesLoaded() override;
  bool IsBeamPage() const override { return true; }
  void UpdateScreenFromBeam(int Side) override;
  void UpdateBeamFromScreen(int Side) override;
  void CheckPage(TFieldCheckList& Checks) override;
  void FieldLeaving(QLineEdit* Edit) override;
  void FloorLayoutChanged() override;

  // The base section as chosen and typed: type, grade and name loaded from
  // the library, the dimensions read from the page for a custom section.
  void ReadBaseSection(TSteelSection& Section) const;

  QComboBox* cboSectionType;
  QComboBox* cboGrade;
  QComboBox* cboSection;
  TPageField fldDepth;
  TPageField fldTopWidth, fldTopThickness, fldTopYield;
  TPageField fldWebThickness, fldWebYield;
  TPageField fldBottomWidth, fldBottomThickness, fldBottomYield;
  QTabWidget* tabVariations;
  // Per variation (0 "Notched (End 1)", 1 "Plated", 2 "Notched (End 2)").
  TPageField fldPlateWidth[3], fldPlateThickness[3], fldPlateYield[3];
  TPageField fldNotchedDepth[3];  // [1] is the plated overall depth, shown only
  TStringGrid* grdCompositeSections;
  QCheckBox* chkAutosizeSlabWidths;  // hidden: shows the beam's value

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:
  // The beam whose rows the grid holds: the current beam, or the one being filled.
  TImportedBeam* GridBeam() const;
  void FillTypes();
  void FillGrades();
  void FillSections();
  void OnSectionChanged();
  void ShowBaseSection(const TSteelSection& Section);
  void ShowPlatedDepth();
  void ShowVariationOfRow(int Row);
  void FillCompositeGrid(TImportedBeam& Beam, int Side);
  void CopyCompositeGrid(TImportedBeam& Beam) const;
  void ApplyCoverageRule(const TImportedBeam& Beam, int Side);
  void FillRowDefaults(int ACol, int ARow);
  void OnCompositeEditEnded(int ACol, int ARow);

  int grid_side_ = -1;  // the side the grid was last filled for
};

class TBeamLoadingPage : public TDataPage {
  Q_OBJECT
 public:
  explicit TBeamLoadingPage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  bool IsBeamPage() const override { return true; }
  void UpdateScreenFromProject() override;
  void UpdateScreenFromBeam(int Side) override;
  void UpdateBeamFromScreen(int Side) override;
  void CheckPage(TFieldCheckList& Checks) override;
  void FloorLayoutChanged() override;
  // A position or value of a user's load that is no number: "Distributed
  // load W2: start position "abc" is not a number".
  QString UnreadableInput() const override;

  QCheckBox* chkDisplayAutoLoads;
  QLabel* lblSecondaryWarning;
  TStringGrid* grdDistributedLoads;
  TStringGrid* grdPointLoads;

 private:
  bool IsSecondaryUnderPrimary(int Side) const;
  void FillGrids(const TImportedBeam& Beam, int Side);
  void CopyGrids(TImportedBeam& Beam) const;
  void FillNewRowDefaults(TStringGrid& Grid, int ACol, int ARow);
  void OnDisplayAutoLoadsClicked();
  // Row ARow of a load grid checked again as a whole: its columns' own
  // checks, then the project's rules for a user's load (cLoadChecks.h) on
  // the beam shown, each cell a problem concerns coloured.
  void CheckLoadRow(TStringGrid& Grid, int ARow);

 protected:
  bool eventFilter(QObject* Watched, QEvent* Event) override;

 private:

  int shown_side_ = -1;
};
