// A design table spread over several runs (machines, a batch scheduler's
// array job): run K of N runs only every N-th case from case K on and writes
// a part file; joining the N parts gives the table one run writes, byte for
// byte.
//
// A part file (CR LF lines):
//   <program> design table part,K,N,<cases in the whole table>
// then every line of the table in order, each behind a tag:
//   0,<text>          a line of the table's own (headers, empty lines)
//   <n>               the place of case n (from 1); every part marks every case
//   <n>,<text>        a line of case n, in the part that ran it
#pragma once

#include <string>
#include <vector>

#include "entity/cResult.h"

// The part file of part Part of Parts: DeriveFileName(ProjectFileName,
// "-Design-<Part>of<Parts>", ".csv"): "P-Design-2of4.csv".
std::string DesignTablePartFileName(const std::string& ProjectFileName, int Part, int Parts);
// The first line of a part file.
std::string DesignTablePartHeader(int Part, int Parts, int Cases);

// Joins the part files of one table, each part from 1 to N once (in any
// order), into the table one run writes; the lines naming the project file
// and the date come from part 1. OutputFile empty: the first file's name
// without its "-<K>of<N>" ("P-Design-1of4.csv" gives "P-Design.csv"). Fails,
// writing nothing, when a file cannot be read or is no part file, a part is
// missing or repeated, or the parts belong to different tables. Success says
// the file written.
TResult MergeDesignTableParts(const std::vector<std::string>& PartFiles, const std::string& OutputFile = "");
