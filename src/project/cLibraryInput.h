// The checks a library definitions file and its CSV files pass before a
// library file is generated from them. Loading CSV libraries into a session
// takes any subset of columns and reads what is not a number as 0; a library
// file is what every later analysis reads its sections from, so generating
// one asks more: every file readable text, every column the sections need,
// every value a number where a number belongs and within the range the
// engineering allows, and nothing longer or more numerous than the library
// file's reader accepts (see kMaxStream* in entity/cEntityList.h).
//
// Failure: the first problem found, one line, naming the file and, where
// there is one, the row and column (both 1-based; row 1 is the header):
//   Library [lib/SteelSections.csv], row 3, column 3 (d): "abc" is not a number
#pragma once

#include <string>

#include "entity/cResult.h"

class TSession;

// The most libraries a definitions file may list (six kinds, a few files each
// at most in real use).
constexpr int kMaxLibraryDefinitions = 100;

// Checks the definitions file (readable, a "Name" unless HasOutputFile, a
// count within kMaxLibraryDefinitions, a file named by every "Library<i>")
// and every CSV file of a known type that exists (a missing one is reported
// by the loading, as before).
TResult CheckLibraryDefinitions(const std::string& DefinitionsFile, bool HasOutputFile);

// Checks libraries loaded from CSV files against the library file's reader:
// no library may hold more items than one block may.
TResult CheckLibrariesFitLibraryFile(const TSession& Session);
