#include "ui/cDataPage.h"

#include "ui/cFieldCheck.h"

void TDataPage::CheckPage(TFieldCheckList& Checks) { Checks.Check(nullptr, this, false, true, false); }
