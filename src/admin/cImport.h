// Import of designs made with earlier tools into a project: older project
// text files (.tvx, one value per line) and the beam design workbooks of the
// sibling spreadsheet tool (.xlsx). Each reader clears the project and fills
// it from the file; neither saves anything nor looks at the libraries.
// ImportProjectFile is the Import command: it picks the reader and then keeps
// the project in step with the libraries, as opening a project file does.
//
// Failure: nothing here throws. A file that cannot be read, an older project
// file that is too short, or a workbook, sheet or cell that cannot be read
// gives a TResult that is not OK with a one-line message naming the
// file (and the sheet and cell). A file that cannot be read changes nothing;
// a short .tvx file leaves the project as it was; a workbook error ends the
// import where it happens, leaving the project cleared and partly filled.
// Problems that do not stop an import are warnings in Project.Status, which
// each reader resets first.
//
// Units are the project's: mm, MPa, kPa for floor loads, kN/m and kN for
// beam loads, kg/m3, degrees.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

#include "entity/cResult.h"

class TExcelDirect;
class TProject;
class TSession;


// "Trevalon import file not in correct format": an older project file of
// fewer than 31 lines.
extern const char* const kTvxFormatWarning;

// Reads an older (version 2) project file. Today dates the description
// ("Imported from " + TvxFilename + ", " + the short date).
TResult ImportFromTvx(TProject& Project, const std::string& TvxFilename,
                            std::time_t Today = std::time(nullptr));
// The same for the file's text already in memory (Windows-1252 or UTF-8).
TResult ImportFromTvxText(TProject& Project, std::string_view Text, const std::string& TvxFilename,
                                std::time_t Today = std::time(nullptr));

// Reads a beam design workbook into the project and its beam 1 (the
// secondary beam of side 1).
TResult ImportFromXLS(TProject& Project, const std::string& XLSFilename,
                            std::time_t Today = std::time(nullptr));
// The same from a workbook already connected (or whose connection failed:
// its reason then is the result's message). The project is cleared first.
TResult ImportFromWorkbook(TProject& Project, TExcelDirect& Workbook, const std::string& XLSFilename,
                                 std::time_t Today = std::time(nullptr));

// The Import command: a file whose bytes are all text (IsTextFile) is read as
// an older project file, any other as a workbook. The readers keep the
// project's limit states (only their factors change) and welded-beam
// restrictions; a project without any first takes the session's, as the
// program's project holds them from start-up. After a successful read the
// deck and the connector take the library
// items of their names, and a name the library lacks takes its first item (with a
// warning), as the input screens do; then the beam geometry is updated, the
// steel sections reload from the library (a warning names a section the
// library lacks) and the automatic loads are recomputed. The project is left
// marked changed.
TResult ImportProjectFile(TProject& Project, const TSession& Session, const std::string& File,
                                std::time_t Today = std::time(nullptr));
