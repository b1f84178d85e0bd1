// The program's field checks in one table: for every checked field of the
// input pages (and checked column of the input grids) its page, the name used
// in messages, kind of value, range, whether it may be empty, whether it may
// hold a percentage instead, and its own out-of-range message if it has one.
// Pages register their fields by page and name
// (TFieldCheckList::AddRegistered); the limits live only here.
#pragma once

#include <vector>

#include "ui/cFieldCheck.h"

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

const std::vector<TFieldCheckSpec>& RegisteredFieldChecks();
