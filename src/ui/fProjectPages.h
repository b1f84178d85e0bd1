// The project's pages. "General": the project's name, description, designer,
// floor area, number of storeys and the number of positions along a beam at
// which results are calculated.
#pragma once

#include "ui/cDataPage.h"

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
};
