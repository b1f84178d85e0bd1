// The design standard edition: the one program-wide setting. 0 is the 2003
// edition, 1 the 2017 edition (the edition at start). Every edition-dependent
// rule reads it at the moment of calculation; only the administrator tools
// switch it, temporarily, through TStandardVersionScope.
#pragma once

#include <string>

constexpr int kStandard2003 = 0;
constexpr int kStandard2017 = 1;

int StandardVersion();
void SetStandardVersion(int Version);
inline bool Is2017Edition() { return StandardVersion() == kStandard2017; }

// "AS/NZS2327.1-2003" for 0, "AS/NZS2327:2017" for 1.
std::string StandardName(int Version);
std::string CurrentStandardName();

// Sets the edition for its lifetime and restores the previous one on exit.
class TStandardVersionScope {
 public:
  explicit TStandardVersionScope(int Version) : previous_(StandardVersion()) { SetStandardVersion(Version); }
  ~TStandardVersionScope() { SetStandardVersion(previous_); }
  TStandardVersionScope(const TStandardVersionScope&) = delete;
  TStandardVersionScope& operator=(const TStandardVersionScope&) = delete;

 private:
  int previous_;
};
