// Number text and the regional format: the one number formatter through
// which every value shown, compared or exported passes, the reading of
// numbers, and the user's decimal separator and short date order.
//
// The regional format is a program-wide setting (see entity/cProgramSetting.h
// for the thread rule): '.' and day/month/year until a front end calls
// UseLocaleRegionalSettings at start-up; tests and the design tables pin it
// per thread with TRegionalSettingsScope.
#pragma once

#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>

#include "entity/cProgramSetting.h"

// ---------------------------------------------------------------------------
// Regional number and date format.

struct TRegionalSettings {
  // Used for every number shown, written to or read from a file.
  char DecimalSeparator = '.';
  // Short dates: 0 day/month/year, 1 month/day/year, 2 year-month-day.
  int DateOrder = 0;
};

// The calling thread's regional format.
TRegionalSettings RegionalSettings();
char DecimalSeparator();
// Program-wide: the format every thread uses unless it set its own.
void SetRegionalSettings(TRegionalSettings Settings);
void SetDecimalSeparator(char separator);
// The format of the user's locale (LC_ALL, LC_NUMERIC, LC_TIME, LANG); "C"
// and "POSIX" give the plain form.
TRegionalSettings LocaleRegionalSettings();
// Program-wide: the user's locale, or the plain form ('.' and day/month/year).
void UseLocaleRegionalSettings();
void UsePlainRegionalSettings();

// Sets the regional format of the calling thread while it lives.
class TRegionalSettingsScope {
 public:
  explicit TRegionalSettingsScope(TRegionalSettings Settings);

 private:
  TProgramSetting<TRegionalSettings>::TScope scope_;
};

// Today's date (or the given time) in the user's short date format.
std::string FormatShortDate(std::time_t when);
std::string FormatShortDate();
// The short date and the time as h:mm:ss.
std::string FormatDateTime(std::time_t when);

// ---------------------------------------------------------------------------
// Number text.

// Fixed-point text of Value with at least DP and at most DP + MaxDPIncrease
// decimals; trailing zeros beyond DP are dropped. A negative DP rounds to a
// multiple of 10^-DP. With BlankIfZero, a value that prints as zero gives "".
std::string FloatToStrDP(bool BlankIfZero, int DP, int MaxDPIncrease, double Value);
// The same for a value given as text in the regional format (0 when not a number).
std::string FloatToStrDP(bool BlankIfZero, int DP, int MaxDPIncrease, std::string_view Value);
// Value x 100 with exactly DP decimals followed by "%".
std::string FloatToPercentStr(int DP, double Value);
bool IsPercent(std::string_view Text);
double PercentStrToFloat(std::string_view Text, double Default);
bool IsInteger(std::string_view Text);
bool IsFloat(std::string_view Text);

// Fixed decimals in the regional format, as "%.<decimals>f" would print.
std::string FormatFixed(double Value, int Decimals);
// The general form of numbers in files: up to 15 significant digits, trailing
// zeros dropped, exponent form (1E-6) below 0.00001 and above 15 integer digits.
std::string FloatToStrGeneral(double Value);
// Number text written with '.', turned to the regional decimal separator.
std::string WithDecimalSeparator(std::string Text);
// Reads a number in the regional format; blanks at both ends are ignored.
// Under a decimal comma a decimal point is accepted as well.
bool TryStrToFloat(std::string_view Text, double& Value);
double StrToFloatDef(std::string_view Text, double Default);
// Reads a decimal integer; a leading "$" marks hexadecimal.
bool TryStrToInt(std::string_view Text, int32_t& Value);
int32_t StrToIntDef(std::string_view Text, int32_t Default);
