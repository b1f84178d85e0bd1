// The results of an analysis or design as one JSON document: what
// `trevalon analyse|design --json` writes and the Python module's
// Results.to_dict() returns. Its layout is described by the JSON Schema
// "trevalon-results.schema.json" shipped beside the program and in the user
// manual:
//
//   program, version, standard       "Trevalon", "3.0.0.1", "AS/NZS2327:2017"
//   project                          name, designer, file
//   beams[]                          in the order of the run: mark, role
//                                    ("secondary", "secondary-side-2",
//                                    "primary"), path ("Beam1"), section,
//                                    grade, span_mm, the ratios, camber_mm,
//                                    shear_connectors, ok, messages, and
//                                    critical_sections[] (each with its path,
//                                    "Beam1.PCCList3", position_mm, design
//                                    actions, capacities, beta and ratios)
//   vibration                        the floor vibration check
//   messages                         the run's notes and errors
//
// Keys are snake_case with the unit in the name (_mm, _kn, _knm, _hz,
// _pct_g); numbers are the program's doubles at full precision, and every
// value is the one `trevalon eval` gives for the path beside it; a result
// that a beam without an analysis does not have is null. Booleans are
// booleans.
//
// The functions only read the project (a const project would do but for the
// path evaluation, which the entities offer non-const); any thread, one
// project per thread.
#pragma once

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

#include "project/cProject.h"
#include "project/cProjectPaths.h"

// The document keeps its keys in the order written here.
using TJson = nlohmann::ordered_json;

// The name of the schema file beside the program.
inline constexpr const char* kResultsSchemaFile = "trevalon-results.schema.json";

// The document of Project as its last run left it. ProjectFile: the file it
// was read from ("" for none). Messages: what the validation before the run
// said (its notes), in order; the project's own messages after the run
// (errors during the analysis) follow, each once.
TJson ResultsDocument(TProject& Project, const std::string& ProjectFile, const std::vector<std::string>& Messages);

// A value read by path as a JSON value: a number, an integer, a Boolean or a string.
TJson PathValueJson(const TPathValue& Value);

// The text written to a file or standard output: indented by two blanks,
// UTF-8 as it is (texts of the project pass through unchanged; bytes that
// are not UTF-8 are replaced), ending in a line break.
std::string JsonText(const TJson& Document);
