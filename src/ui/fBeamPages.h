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

#include <array>
#include <optional>

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

  const TPageField& fldMark() const { return fldMark_; }
  QPlainTextEdit* memDescription() const { return memDescription_; }
  QCheckBox* chkPropped() const { return chkPropped_; }
  QButtonGroup* grpCamber() const { return grpCamber_; } // ids 0..3: CamberType
  const TPageField& fldCamberAbsolute() const { return fldCamberAbsolute_; } // beside "Fixed at"
  const TPageField& fldCamberRelative() const { return fldCamberRelative_; } // beside "Fixed at Span / "
  QButtonGroup* grpConnectorBasis() const { return grpConnectorBasis_; } // ids 0..2: StudCountBasis
  const TPageField& fldUserBeta() const { return fldUserBeta_; }
  const TPageField& fldUserStudCount() const { return fldUserStudCount_; }
  const TPageField& fldUserNr() const { return fldUserNr_; } // hidden

 private:
  void EnableChoiceFields();
  void OnChoiceClicked(QButtonGroup* Group);
  void OnProppedClicked(bool IsTicked);
  TPageField fldMark_;
  QPlainTextEdit* memDescription_ = nullptr;
  QCheckBox* chkPropped_ = nullptr;
  QButtonGroup* grpCamber_ = nullptr;
  TPageField fldCamberAbsolute_;
  TPageField fldCamberRelative_;
  QButtonGroup* grpConnectorBasis_ = nullptr;
  TPageField fldUserBeta_;
  TPageField fldUserStudCount_;
  TPageField fldUserNr_;
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
  // After a project was read: nothing typed is kept any more.
  void UpdateScreenFromProject() override;
  // A start or slab width of a composite section that is no number, of any
  // beam: "Primary beam PB1, composite section 2: slab width side 1 "abc" is
  // not a number". A beam's rows with such a text are kept as typed when its
  // pages are left, and shown again for it.
  QString UnreadableInput() const override;

  // The base section as chosen and typed: type, grade and name loaded from
  // the library, the dimensions read from the page for a custom section.
  void ReadBaseSection(TSteelSection& Section) const;

  QComboBox* cboSectionType() const { return cboSectionType_; }
  QComboBox* cboGrade() const { return cboGrade_; }
  QComboBox* cboSection() const { return cboSection_; }
  const TPageField& fldDepth() const { return fldDepth_; }
  const TPageField& fldTopWidth() const { return fldTopWidth_; }
  const TPageField& fldTopThickness() const { return fldTopThickness_; }
  const TPageField& fldTopYield() const { return fldTopYield_; }
  const TPageField& fldWebThickness() const { return fldWebThickness_; }
  const TPageField& fldWebYield() const { return fldWebYield_; }
  const TPageField& fldBottomWidth() const { return fldBottomWidth_; }
  const TPageField& fldBottomThickness() const { return fldBottomThickness_; }
  const TPageField& fldBottomYield() const { return fldBottomYield_; }
  QTabWidget* tabVariations() const { return tabVariations_; }
  // Per variation (0 "Notched (End 1)", 1 "Plated", 2 "Notched (End 2)").
  const TPageField& fldPlateWidth(int Index) const { return fldPlateWidth_[Index]; }
  const TPageField& fldPlateThickness(int Index) const { return fldPlateThickness_[Index]; }
  const TPageField& fldPlateYield(int Index) const { return fldPlateYield_[Index]; }
  const TPageField& fldNotchedDepth(int Index) const { return fldNotchedDepth_[Index]; } // [1] is the plated overall depth, shown only
  TStringGrid* grdCompositeSections() const { return grdCompositeSections_; }
  QCheckBox* chkAutosizeSlabWidths() const { return chkAutosizeSlabWidths_; } // hidden: shows the beam's value

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
  // The grid into Beam (beam Side); rows with a text that is no number are kept.
  void CopyCompositeGrid(TImportedBeam& Beam, int Side);
  void ApplyCoverageRule(const TImportedBeam& Beam, int Side);
  void FillRowDefaults(int ACol, int ARow);
  void OnCompositeEditEnded(int ACol, int ARow);

  int grid_side_ = -1;  // the side the grid was last filled for
  std::array<std::optional<QList<QStringList>>, 3> kept_;  // rows as typed, by beam number
  QComboBox* cboSectionType_ = nullptr;
  QComboBox* cboGrade_ = nullptr;
  QComboBox* cboSection_ = nullptr;
  TPageField fldDepth_;
  TPageField fldTopWidth_;
  TPageField fldTopThickness_;
  TPageField fldTopYield_;
  TPageField fldWebThickness_;
  TPageField fldWebYield_;
  TPageField fldBottomWidth_;
  TPageField fldBottomThickness_;
  TPageField fldBottomYield_;
  QTabWidget* tabVariations_ = nullptr;
  TPageField fldPlateWidth_[3];
  TPageField fldPlateThickness_[3];
  TPageField fldPlateYield_[3];
  TPageField fldNotchedDepth_[3];
  TStringGrid* grdCompositeSections_ = nullptr;
  QCheckBox* chkAutosizeSlabWidths_ = nullptr;
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
  // A position or value of a user's load that is no number, of any beam:
  // "Primary beam PB1, distributed load W2: start position "abc" is not a
  // number". A beam's loads with such a text are kept as typed when its
  // pages are left, and shown again for it.
  QString UnreadableInput() const override;

  QCheckBox* chkDisplayAutoLoads() const { return chkDisplayAutoLoads_; }
  QLabel* lblSecondaryWarning() const { return lblSecondaryWarning_; }
  TStringGrid* grdDistributedLoads() const { return grdDistributedLoads_; }
  TStringGrid* grdPointLoads() const { return grdPointLoads_; }

 private:
  // A beam's user loads as typed: each row's texts, its ID first.
  struct TKeptLoads {
    QList<QStringList> Distributed, Point;
  };
  static QString FirstUnreadable(const TKeptLoads& Loads);
  bool IsSecondaryUnderPrimary(int Side) const;
  void FillGrids(const TImportedBeam& Beam, int Side);
  // The grids into beam Side; rows with a text that is no number are kept.
  void CopyGrids(int Side);
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
  std::array<std::optional<TKeptLoads>, 3> kept_;  // by beam number
  QCheckBox* chkDisplayAutoLoads_ = nullptr;
  QLabel* lblSecondaryWarning_ = nullptr;
  TStringGrid* grdDistributedLoads_ = nullptr;
  TStringGrid* grdPointLoads_ = nullptr;
};
