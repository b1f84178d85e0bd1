// Shared utilities: the one number formatter, the message format language,
// one-line escaping of strings in files, small string and number helpers, the
// program's identity, per-user settings and folders. All functions are free
// functions; the only state is the regional number format, read once at
// start-up (or pinned to the plain "C" form by tests and the command line).
#pragma once

#include <cstdint>
#include <ctime>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// ---------------------------------------------------------------------------
// Regional number and date format.

// The decimal separator used for every number shown, written to or read from
// a file. '.' until UseLocaleRegionalSettings is called.
char DecimalSeparator();
void SetDecimalSeparator(char separator);
// Reads the decimal separator and the short date order from the user's locale
// (LC_ALL, LC_NUMERIC, LANG). "C" and "POSIX" give the plain form.
void UseLocaleRegionalSettings();
// Pins the plain form: '.' and day/month/year dates.
void UsePlainRegionalSettings();
// Today's date (or the given time) in the user's short date format.
std::string FormatShortDate(std::time_t when);
std::string FormatShortDate();
std::string FormatShortTime(std::time_t when);
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
// Reads a number in the regional format; blanks at both ends are ignored.
// Under a decimal comma a decimal point is accepted as well.
bool TryStrToFloat(std::string_view Text, double& Value);
double StrToFloatDef(std::string_view Text, double Default);
// Reads a decimal integer; a leading "$" marks hexadecimal.
bool TryStrToInt(std::string_view Text, int32_t& Value);
int32_t StrToIntDef(std::string_view Text, int32_t Default);
std::string IntToStr(int64_t Value);

// ---------------------------------------------------------------------------
// The message format language: %d, %s, %f with width and precision, %e, %g,
// %x, %%, and indexed forms such as %2:.0f (an index sets the argument taken;
// later unindexed conversions continue from it). Numbers use the regional
// decimal separator. A conversion without a matching argument is left as text.

class TFormatArg {
 public:
  enum class Kind { Integer, Float, String };
  TFormatArg(int v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(long v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(long long v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(unsigned v) : kind_(Kind::Integer), i_(v) {}
  TFormatArg(double v) : kind_(Kind::Float), f_(v) {}
  TFormatArg(const char* v) : kind_(Kind::String), s_(v) {}
  TFormatArg(std::string v) : kind_(Kind::String), s_(std::move(v)) {}
  TFormatArg(std::string_view v) : kind_(Kind::String), s_(v) {}
  Kind kind() const { return kind_; }
  int64_t AsInteger() const;
  double AsFloat() const;
  std::string AsString() const;

 private:
  Kind kind_;
  int64_t i_ = 0;
  double f_ = 0;
  std::string s_;
};

std::string Format(std::string_view Template, std::initializer_list<TFormatArg> Args);
std::string Format(std::string_view Template, const std::vector<TFormatArg>& Args);
// User text made safe to put inside a template: every "%" doubled, so a beam
// mark or a label is never read as a conversion.
std::string FormatLiteral(std::string_view Text);

// ---------------------------------------------------------------------------
// Text.

// "<" -> "<<", CR LF -> "<CRLF>", CR -> "<CR>", LF -> "<LF>", in this order.
std::string EscapeText(std::string_view Text);
std::string UnescapeText(std::string_view Text);
// Encloses Text in Quote, doubling each Quote inside.
std::string QuotedText(std::string_view Text, char Quote);
// Quotes Text only when it contains Substring.
std::string QuotedTextIfContains(std::string_view Text, std::string_view Substring, char Quote);
// 1-based position of the N-th occurrence (each search one character after the
// previous hit); 0 when there are fewer.
int PosN(std::string_view Substring, std::string_view Text, int N);
int LastPos(std::string_view Substring, std::string_view Text);
int CountOccurrences(std::string_view Substring, std::string_view Text);
// "SteelSectionList0" -> ("SteelSectionList", 0); no trailing digits -> (Text, -1).
void SplitTrailingNumber(std::string_view Text, std::string& Name, int& Number);
std::string IfThen(bool Condition, const std::string& IfTrue, const std::string& IfFalse = "");
int IfThen(bool Condition, int IfTrue, int IfFalse = 0);

std::string UpperCase(std::string_view Text);
std::string LowerCase(std::string_view Text);
bool SameText(std::string_view A, std::string_view B);
bool StartsText(std::string_view Prefix, std::string_view Text);
std::string Trim(std::string_view Text);
std::string TrimLeft(std::string_view Text);
std::string TrimRight(std::string_view Text);
std::string ReplaceAll(std::string_view Text, std::string_view From, std::string_view To);
std::string ReplaceAllText(std::string_view Text, std::string_view From, std::string_view To);
// Wildcard match: "*" any run, "?" any one character, letter case ignored.
bool MatchesMask(std::string_view Text, std::string_view Mask);

// Comma text: the field rules of CSV lines and report rows.
// Reading: blanks and control characters around a field are skipped; a quoted
// field may hold commas, blanks and doubled quotes; an unquoted field ends at a
// comma, blank or control character; ",," encloses an empty field and a comma
// at the end adds an empty last field. With StrictDelimiter blanks do not split.
std::vector<std::string> SplitCommaText(std::string_view Text, bool StrictDelimiter = false);
// Writing: fields joined by ","; a field holding a blank, control character,
// comma or double quote is quoted; a single empty field is written as "".
std::string JoinCommaText(const std::vector<std::string>& Fields);

// Text encodings at the edges of the program (files are UTF-8 inside).
bool IsValidUtf8(std::string_view Bytes);
std::string Cp1252ToUtf8(std::string_view Bytes);
std::string Utf8ToCp1252(std::string_view Text);
std::u16string Utf8ToUtf16(std::string_view Text);
std::string Utf16ToUtf8(std::u16string_view Text);

// ---------------------------------------------------------------------------
// Numbers.

int Clamp(int Value, int Min, int Max);
bool InRange(double Value, double Low, double High);
double Interpolate(double x, double x1, double x2, double y1, double y2);
// Mass (kg) to weight (kN) with gravity 10 m/s^2.
double KgToKN(double m);
// a / b, or Fallback where b is zero: a quantity whose divisor vanishes.
double Ratio(double a, double b, double Fallback = 0);
// -1, 0 or +1.
int Sign(double v);

// ---------------------------------------------------------------------------
// Program identity.

std::string GetAppName();         // "Trevalon"
std::string GetAppDescription();  // "Software for the analysis of composite steel/concrete beams"
std::string GetAppVersion();      // description + " " + four-number version
std::string GetAppVersionShort(); // "3.0"

// ---------------------------------------------------------------------------
// Settings and folders.

// The settings store is Trevalon.ini in the user's config folder; missing
// values read as 0 or "". The writers return the value read back.
int ReadSettingInteger(const std::string& Name);
std::string ReadSettingString(const std::string& Name);
int WriteSettingInteger(const std::string& Name, int Value);
std::string WriteSettingString(const std::string& Name, const std::string& Value);
// The file behind the settings store; tests may redirect it.
std::string SettingsFileName();

// "APPDATA", "LOCAL_APPDATA", "PERSONAL", "PROGRAM_FILES", "COMMON_APPDATA";
// anything else, or a folder that does not exist, gives "$" + name + "$".
// Paths use "/" and have no trailing separator.
std::string GetSpecialFolder(const std::string& FolderName);
// The local data folder + Subfolder + "/" (created when missing); failing that
// the local data folder + "Temp/"; failing that the local data folder itself + "/";
// "" when none exists.
std::string GetWorkFolder(const std::string& Subfolder);
// The folder holding the running executable, without trailing separator.
std::string GetProgramFolder();
// True when every byte is TAB, LF, FF, CR or printable ASCII.
bool IsTextFile(const std::string& FileName);
// MD5 of the UTF-8 bytes, as 32 lower-case hexadecimal digits.
std::string HashText(std::string_view Text);

// Reads a whole file; false (and Error set) when it cannot be read.
bool ReadFileBytes(const std::string& FileName, std::string& Bytes, std::string* Error = nullptr);
// Writes a file through a temporary file in the same folder renamed over the
// old one, so a failure never leaves a half-written file.
bool WriteFileAtomic(const std::string& FileName, std::string_view Bytes, std::string* Error = nullptr);
bool FileExists(const std::string& FileName);
