// TExcelDirect: reads cell values out of a spreadsheet workbook (.xlsx, the
// Office Open XML zip package) directly, without a spreadsheet program. It is
// the small reader the spreadsheet import needs: open a workbook, choose a
// worksheet by name, read single cells as text, as a number or as an integer.
//
// What a cell reads as: a number gives its general decimal form as text
// (FloatToStrGeneral: up to 15 significant digits, the regional separator); a
// text cell (shared or inline string, or a formula's text result) its text; a
// Boolean "True" or "False" (1 or 0 as a number); an error value such as
// "#N/A" its code as text and no number. A formula cell reads as the value
// the workbook stored for it. A cell the sheet does not hold, or holds
// without a value, is empty: "" as text, 0 as a number.
//
// A cell reference is a column in letters followed by a row in digits, "C1"
// or "AA27", read character by character: a digit d makes row := row * 10 + d,
// any other character c makes column := column * 26 + (code of c - 64), so
// "A" is column 1 and "AA" 27. References are written in upper case.
//
// Failure: Connect never reports; a file that cannot be read or is not a
// workbook leaves IsConnected() false and says why in ConnectError(). The
// sheet selection and the cell reads return a TResult that fails, with a
// message that names the sheet and the cell, when there is no workbook, the
// sheet is missing or damaged, no sheet is chosen, the reference is
// malformed, or a number is read from a cell whose text is not one; the value
// read is then left as it was. The reader never throws and never reads
// outside the package.
//
// Limits, so that a small crafted file cannot ask for much time or memory
// (the workbook the import reads is a few sheets of a few dozen rows): a part
// of the package larger than 50 MB unpacked is refused; so are parts that
// together unpack to more than 100 times the file's size (1 MB for a file of
// less than 10 KB), a part of more than 1,000,000 XML elements, more than
// 100,000 shared strings, and a sheet of more than 100,000 cells (empty ones
// too). Each says so in the connect error or the sheet's error. Not
// thread-safe; one reader per thread.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "entity/cResult.h"

class TExcelDirect {
 public:
  TExcelDirect();
  ~TExcelDirect();  // Disconnects
  TExcelDirect(const TExcelDirect&) = delete;
  TExcelDirect& operator=(const TExcelDirect&) = delete;

  // A workbook is open.
  bool IsConnected() const;
  // Why the last Connect left no workbook open ("" after a successful one).
  const std::string& ConnectError() const { return connect_error_; }

  // Opens the workbook in Filename when none is open. Never throws.
  void Connect(const std::string& Filename);
  // The same for a workbook held in memory; Name stands for the file in messages.
  void ConnectToBytes(std::string Bytes, const std::string& Name);

  // Chooses the worksheet that cell reads address, by its name (letter case
  // ignored, as the spreadsheet program finds sheets). Fails when there is no
  // workbook, no such sheet, or the sheet cannot be read; the sheet chosen
  // before stays chosen.
  TResult SetCurrentSheetByName(const std::string& Name);
  // The chosen sheet's name as the workbook spells it; "" before a choice.
  const std::string& CurrentSheetName() const;

  // The cell's value as text into Value; "" for an empty cell.
  TResult GetCellValue(const std::string& CellReference, std::string& Value) const;
  // The cell's value as a number into Value; 0 for an empty cell (or one
  // holding only blanks); text is read as a number in the regional format.
  // Fails when the text is not a number or the cell holds an error value.
  TResult GetCellFloatValue(const std::string& CellReference, double& Value) const;
  // The cell's value as an integer into Value: a number is rounded to the
  // nearest integer, text read as an integer (or as a number, then rounded).
  // Fails when it is not a number or lies outside the range of int.
  TResult GetCellIntegerValue(const std::string& CellReference, int& Value) const;

  // Closes the workbook; nothing happens when none is open.
  void Disconnect();

  // Splits a reference by the rule above into Row and Column (both from 1).
  // False for a reference without both letters and digits, with a letter
  // after a digit, or beyond the largest sheet (16384 columns, 1048576 rows).
  static bool SplitCellReference(std::string_view CellReference, int& Row, int& Column);

 private:
  struct TWorkbook;
  struct TSheet;
  struct TCell;
  // The cell a reference names into Cell, null for an empty one; fails for a
  // malformed reference or when no sheet is chosen.
  TResult CellAt(const std::string& CellReference, const TCell*& Cell) const;
  // The cell's text for messages: quoted, on one line, shortened.
  static std::string Shown(const std::string& Text);
  std::string Where(const std::string& CellReference) const;

  std::unique_ptr<TWorkbook> workbook_;
  const TSheet* sheet_ = nullptr;  // owned by the workbook
  std::string connect_error_;
};
