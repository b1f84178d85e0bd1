#include "ui/cDataPage.h"

#include "project/cProject.h"
#include "ui/cFieldCheck.h"

TImportedBeam* TPageHost::CurrentBeam() {
  const int side = CurrentBeamSide();
  return side < 0 ? nullptr : Project().GetBeam(side);
}

void TDataPage::CheckPage(TFieldCheckList& Checks) { Checks.Check(nullptr, this, false, true, false); }
