#include "ui/cGridChecks.h"

#include <QApplication>

#include "ui/cFieldCheck.h"
#include "ui/cMessages.h"
#include "ui/cStringGrid.h"
#include "ui/cThemes.h"

bool CheckGridCells(TStringGrid& Grid, TFieldCheckList& Checks, int FirstCol, int LastCol, int FirstRow, int LastRow,
                    bool WillDisplayMsg, bool WillHighlightField, bool WillSetFocus) {
  bool result = true;
  Grid.ColouredCellColour = HighlightFieldColour();
  for (int c = FirstCol; c <= LastCol; ++c) {
    TLabelledEdit* edit = Grid.ExistingCheckEdit(c);
    if (!edit) continue;
    for (int r = FirstRow; r <= LastRow; ++r) {
      bool ok = true;
      if (!(Grid.WillAutoAddNewRow && r == Grid.RowCount() - 1)) {
        edit->setText(Grid.Cell(c, r));
        ok = Checks.Check(edit, nullptr, false, false, false);
      }
      Grid.SetCellColoured(c, r, WillHighlightField && !ok);
      if (ok) continue;
      if (result) {
        if (WillDisplayMsg && Checks.LastErrorFieldCheck()) {
          QApplication::beep();
          ShowMessage(Grid.window(), TMessageKind::Warning, Checks.LastErrorFieldCheck()->LastErrorMsg());
        }
        if (WillSetFocus) {
          Grid.ForceSelectedCell(c, r);
          Grid.setFocus();
        }
      }
      result = false;
    }
  }
  return result;
}

bool CheckAllGridCells(TStringGrid& Grid, TFieldCheckList& Checks) {
  return CheckGridCells(Grid, Checks, Grid.FixedCols(), Grid.ColCount() - 1, Grid.FixedRows(), Grid.RowCount() - 1,
                        false, true, false);
}
