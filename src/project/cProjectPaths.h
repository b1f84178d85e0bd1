// One value of a project by property path, typed, as a script reads and
// writes it: `trevalon eval --json` and the Python module's p[path] and
// r[path]. Paths are those of the regression tests and `eval`
// ("Geometry.SpacingSide1", "Beam1.SteelSectionList0.Name",
// "Beam1.PCCAt4500.MDes0,7"), read without regard to letter case; a leading
// "Project." is dropped.
//
// A write is the window's edit of that field: the value passes the field's
// check (project/cFieldRules.h) with the window's message, is stored, and the
// window's follow-up rules run (side 2 follows side 1 while the sides are the
// same, the primary beam's effective spacing follows the secondary spans, a
// section or a deck or connector named anew takes the library's data,
// propping keeps the construction sequence); then the beams take the floor
// layout and the automatic loads again. Only inputs (the project file's keys)
// can be written, and never a value that opening the project would replace
// from the library (the dimensions of a library section, a library deck's or
// connector's data): that change would be lost without a word.
//
// Not thread-safe for one project; different projects on different threads
// are independent (the session is only read).
#pragma once

#include <cstdint>
#include <string>

#include "project/cProject.h"
#include "project/cSession.h"

struct TPathValue {
  enum TKind { pvNumber, pvInteger, pvBoolean, pvText };
  TKind Kind = pvText;
  double Number = 0;    // pvNumber
  int64_t Integer = 0;  // pvInteger (also an enumeration's ordinal)
  bool Boolean = false;  // pvBoolean
  std::string Text;      // pvText

  static TPathValue OfNumber(double V);
  static TPathValue OfInteger(int64_t V);
  static TPathValue OfBoolean(bool V);
  static TPathValue OfText(std::string V);
};

enum class TPathProblem {
  None,
  UnknownPath,       // names no entity or no value
  CalculationError,  // reading raised an engine error
  NotAnInput,        // a result, or a value the program or its library supplies: not writable
  WrongType,         // a value of the wrong kind (text for a number ...)
  InvalidValue,      // refused by the field's check, or not a finite number
};

struct TPathOutcome {
  TPathProblem Problem = TPathProblem::None;
  std::string Message;  // why, naming the path and the value; empty when fine
  TPathValue Value;     // what was read
  explicit operator bool() const { return Problem == TPathProblem::None; }
};

// Reads a value: a Float or a named number (a PCC's MDes0,7) at full
// precision, an Integer or enumeration as an integer, a Boolean (and the
// project's IsOK) as a Boolean, anything else as text.
TPathOutcome ReadPath(TProject& Project, const std::string& Path);

// Writes an input (see the top of this file). An Integer takes a whole
// number, a Float any finite number, a Boolean only a Boolean, a String
// only text. Nothing changes when the outcome is a failure.
TPathOutcome WritePath(TProject& Project, const TSession& Session, const std::string& Path, const TPathValue& Value);
