// The design standard edition: 0 is the 2003 edition, 1 the 2017 edition
// (the edition at start). Every edition-dependent rule reads it at the
// moment of calculation. It is a program-wide setting with a per-thread
// guard (see entity/cProgramSetting.h for the thread rule): the front end
// sets the program-wide edition, and the administrator tools run a test or a
// design table under its own edition with TStandardVersionScope.
#pragma once

#include <string>

#include "entity/cProgramSetting.h"

constexpr int kStandard2003 = 0;
constexpr int kStandard2017 = 1;

// The calling thread's edition.
int StandardVersion();
// Sets the program-wide edition (any value other than 0 gives the 2017 edition).
void SetStandardVersion(int Version);
inline bool Is2017Edition() { return StandardVersion() == kStandard2017; }

// "AS/NZS2327.1-2003" for 0, "AS/NZS2327:2017" for 1.
std::string StandardName(int Version);
std::string CurrentStandardName();

// Sets the calling thread's edition while it lives; the previous edition
// returns when it ends.
class TStandardVersionScope {
 public:
  explicit TStandardVersionScope(int Version);

 private:
  TProgramSetting<int>::TScope scope_;
};
