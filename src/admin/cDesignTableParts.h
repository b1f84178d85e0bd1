// A design table spread over several runs (machines, a batch scheduler's
// array job): run K of N runs only every N-th case from case K on and writes
// a part file; joining the N parts gives the table one run writes, byte for
// byte.
//
// A part file (CR LF lines):
//   <program> design table part,K,N,<cases in the whole table>
// then what the part was cut from, one line each (TDesignTablePartSource):
//   #,Project,<project file name>
//   #,Edition,<0 or 1>
//   #,Floor uses,<first>,<last>
//   #,Spans,<span>,...
//   #,Spacings,<spacing>,...
//   #,Project fingerprint,<32 hexadecimal digits>
//   #,Design library fingerprint,<32 hexadecimal digits>
// then every line of the table in order, each behind a tag:
//   0,<text>          a line of the table's own (headers, empty lines)
//   <n>               the place of case n (from 1); every part marks every case
//   <n>,<text>        a line of case n, in the part that ran it
#pragma once

#include <string>
#include <vector>

#include "entity/cResult.h"

// What a part was cut from. Parts join only when all of it agrees: parts of
// another project, edition, floor use, grid, project content or design
// library would make a table of mixed rows.
struct TDesignTablePartSource {
  std::string Project;  // the project file's name, without its folder (runs may use other folders)
  int Edition = 0;
  int FirstFloorUse = 0, LastFloorUse = 0;
  std::vector<double> Spans, Spacings;
  std::string ProjectFingerprint;        // DesignTableProjectFingerprint
  std::string DesignLibraryFingerprint;  // MD5 of the design library file
};

// The part file of part Part of Parts: DeriveFileName(ProjectFileName,
// "-Design-<Part>of<Parts>", ".csv"): "P-Design-2of4.csv".
std::string DesignTablePartFileName(const std::string& ProjectFileName, int Part, int Parts);
// The first lines of a part file: the part line and the record of its source.
std::vector<std::string> DesignTablePartHeader(int Part, int Parts, int Cases, const TDesignTablePartSource& Source);
// The MD5 of what in a project file (its text) decides a design table's
// rows: the file less its tests, its design-table settings (the run's own
// options give them), its checksum (which differs per user) and the
// project's designer and description.
std::string DesignTableProjectFingerprint(const std::string& ProjectBytes);

// Joins the part files of one table, each part from 1 to N once (in any
// order), into the table one run writes; the lines naming the project file
// and the date come from part 1. OutputFile empty: the first file's name
// without its "-<K>of<N>" ("P-Design-1of4.csv" gives "P-Design.csv"). Fails,
// writing nothing, when a file cannot be read or is no part file, a part is
// missing or repeated, the parts were cut from different tables (naming the
// first thing that differs), or the output is one of the parts (TFileUses).
// Success says the file written.
TResult MergeDesignTableParts(const std::vector<std::string>& PartFiles, const std::string& OutputFile = "");
