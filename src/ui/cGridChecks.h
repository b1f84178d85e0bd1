// Field checks over grid cells: a checked column carries a hidden labelled
// edit (TStringGrid::CheckEdit) registered in the field-check list; a cell is
// checked by putting its text into that edit and running the column's checks.
#pragma once

class TFieldCheckList;
class TStringGrid;

// Checks the cells of columns FirstCol..LastCol and rows FirstRow..LastRow
// (columns without a check edit are skipped; the automatic empty last row
// always passes). A failed cell is coloured when highlighting is asked, and
// every other checked cell loses its colour. On the first failure the check's
// message is shown when asked and the cell becomes current when focus is
// asked. True when every cell passed.
bool CheckGridCells(TStringGrid& Grid, TFieldCheckList& Checks, int FirstCol, int LastCol, int FirstRow, int LastRow,
                    bool WillDisplayMsg, bool WillHighlightField, bool WillSetFocus);
// Every data cell, with highlighting only.
bool CheckAllGridCells(TStringGrid& Grid, TFieldCheckList& Checks);
