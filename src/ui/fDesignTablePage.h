// The administrators' "Design table" page: the settings of the design-table
// generator kept with the project (spans, spacings, edition, one or every
// floor use of the design library), the two options of a run (save every
// primary-beam case's project file, save its results report), and the last
// table made, shown line by line with one column per field.
//
// The floor uses offered are those of the design library beside the program
// ("Trevalon-Design.tvl"), which the generator designs with; the normal
// library's stand in when there is no design library. A project without
// design-table settings starts on the edition it is analysed under.
//
// Interface thread only.
#pragma once

#include <string>
#include <vector>

#include "ui/cDataPage.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class TStringGrid;

class TDesignTablePage : public TDataPage {
  Q_OBJECT
 public:
  explicit TDesignTablePage(TPageHost& Host, QWidget* Parent = nullptr);

  void RegisterFields() override;
  void LibrariesLoaded() override;
  void UpdateScreenFromProject() override;
  void UpdateProjectFromScreen() override;
  void CheckPage(TFieldCheckList& Checks) override;
  // A project without design-table settings shows the edition it is analysed under.
  void EditionChanged() override;

  // The run's options, as their check boxes say.
  bool WillSaveInputs() const;
  bool WillSaveReports() const;
  // The lines of a table made (or none: the view is emptied).
  void ShowTable(const std::vector<std::string>& Lines);
  // The view's rows, fields joined by "|" (tests, screenshots).
  QStringList TableRows() const;

  QComboBox* cboStandard() const { return cboStandard_; }
  QComboBox* cboFloorUse() const { return cboFloorUse_; }
  QCheckBox* chkAllFloorUses() const { return chkAllFloorUses_; }
  TStringGrid* grdSpans() const { return grdSpans_; }
  TStringGrid* grdSpacings() const { return grdSpacings_; }
  QCheckBox* chkSaveInputs() const { return chkSaveInputs_; }
  QCheckBox* chkSaveReports() const { return chkSaveReports_; }
  QPushButton* btnCreate() const { return btnCreate_; }
  QLabel* lblTable() const { return lblTable_; }
  QTreeWidget* tvTable() const { return tvTable_; }

 private:
  void FillLengths(TStringGrid& Grid, const std::vector<double>& Values);
  std::vector<double> ReadLengths(const TStringGrid& Grid) const;
  QComboBox* cboStandard_ = nullptr;
  QComboBox* cboFloorUse_ = nullptr;
  QCheckBox* chkAllFloorUses_ = nullptr;
  TStringGrid* grdSpans_ = nullptr;
  TStringGrid* grdSpacings_ = nullptr;
  QCheckBox* chkSaveInputs_ = nullptr;
  QCheckBox* chkSaveReports_ = nullptr;
  QPushButton* btnCreate_ = nullptr;
  QLabel* lblTable_ = nullptr;
  QTreeWidget* tvTable_ = nullptr;
};
