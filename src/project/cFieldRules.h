// The input rules of the program's fields, in one table: for every checked
// field of the input pages (and checked column of the input grids) its page,
// the name used in messages, kind of value, range, whether it may be empty,
// whether it may hold a percentage instead, and its own out-of-range message
// if it has one. The window registers its fields by page and name and keeps
// the look (colour, focus, message box); the verdict and its message come from
// here, so the window and the Python module judge a value alike.
//
// Also here: which project property path each rule guards
// (FieldRuleForPath), for writes by path ("Geometry.SpacingSide1" is the
// "Secondary span" field).
//
// Messages are templates of the core formatter (VEXFormat.h) with four
// arguments: 0 the name, 1 Min, 2 Max, 3 the type word ("integer", "number"
// or "string"). Pure functions on constant tables: any thread.
#pragma once

#include <string>
#include <string_view>
#include <vector>

enum TFieldType { ftInteger, ftReal, ftString, ftPercent };

struct TFieldCheckSpec {
  const char* Page;   // "General", "Geometry", "Beam loading", ...
  const char* Name;   // the name in messages (a field may have several checks)
  TFieldType FieldType;
  double Min, Max;
  bool CanBeBlank;
  bool IsPercentOptional;
  const char* RangeErrorMsg;  // "" for the standard message
  bool IsZeroAllowed = false;  // 0 passes as well as the range (0: "not limited")
};

// Every check of the window, in registration order.
const std::vector<TFieldCheckSpec>& RegisteredFieldChecks();

// One check as it is run: a registered check, or one a page made itself.
struct TFieldRule {
  std::string Name;  // the name in messages
  TFieldType FieldType = ftReal;
  double Min = 0, Max = 0;
  bool CanBeBlank = false;
  bool IsPercentOptional = false;
  bool IsZeroAllowed = false;
  std::string RangeErrorMsg;  // "" for the standard message of the type and range
  std::string BlankMsg = "%s cannot be blank, please enter a valid %3:s";
  std::string InvalidCharsMsg = "%s has invalid characters - please only enter %3:ss";

  static TFieldRule Of(const TFieldCheckSpec& Spec);
};

// The out-of-range message of a field without one of its own.
std::string StandardRangeErrorMsg(TFieldType FieldType, double Min, double Max);
// "integer", "number" (real and percent) or "string".
std::string FieldTypeWord(TFieldType FieldType);

struct TFieldVerdict {
  bool IsPassed = false;
  // The text is in the other form of a field that takes a number or a
  // percentage: the field's other check judges it, this one passes it.
  bool IsAlternativeForm = false;
  // The template of the message a failure shows (blank, invalid characters
  // or range); the last one reached when the text passes.
  std::string MessageTemplate;
};

// Judges a field's text, blanks at both ends already removed: blank, then
// the characters (an integer, a number, a percentage), then the range (the
// number, the integer with its bounds rounded, a text's length in UTF-16
// units, the number before "%"). Numbers are read in the program's number
// format (VEXNumberText.h).
TFieldVerdict CheckFieldText(const TFieldRule& Rule, std::string_view Text);
// A message template filled with the rule's four arguments.
std::string FormatFieldMessage(const TFieldRule& Rule, std::string_view Template);

// The field rule that guards a project property path, found without regard
// to letter case and to list indexes ("Beam1.SteelSectionList0.tp" is
// "Beam.SteelSectionList.tp"); a leading "Project." is dropped. False when
// no field guards that path. Rule carries the name messages use for it.
bool FieldRuleForPath(std::string_view Path, TFieldRule& Rule);
