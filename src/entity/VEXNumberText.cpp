#include "entity/VEXNumberText.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "entity/VEXText.h"

namespace {

TProgramSetting<TRegionalSettings> g_regional_settings{TRegionalSettings{}};

}  // namespace

// ---------------------------------------------------------------------------
// Regional format.

TRegionalSettings RegionalSettings() { return g_regional_settings.Get(); }
void SetRegionalSettings(TRegionalSettings Settings) { g_regional_settings.SetProgramWide(Settings); }

TRegionalSettingsScope::TRegionalSettingsScope(TRegionalSettings Settings) : scope_(g_regional_settings, Settings) {}

char DecimalSeparator() { return RegionalSettings().DecimalSeparator; }

void SetDecimalSeparator(char separator) {
  TRegionalSettings settings = g_regional_settings.ProgramWide();
  settings.DecimalSeparator = separator;
  SetRegionalSettings(settings);
}

void UsePlainRegionalSettings() { SetRegionalSettings(TRegionalSettings{}); }

void UseLocaleRegionalSettings() { SetRegionalSettings(LocaleRegionalSettings()); }

TRegionalSettings LocaleRegionalSettings() {
  auto env = [](const char* name) -> std::string {
    const char* v = std::getenv(name);
    return v && *v ? std::string(v) : std::string();
  };
  std::string numeric = env("LC_ALL");
  if (numeric.empty()) numeric = env("LC_NUMERIC");
  if (numeric.empty()) numeric = env("LANG");
  std::string time = env("LC_ALL");
  if (time.empty()) time = env("LC_TIME");
  if (time.empty()) time = env("LANG");
  // The language/territory part decides; the locales that write a decimal
  // comma are the continental European and South American ones.
  auto lang = [](const std::string& locale) { return LowerCase(locale.substr(0, locale.find_first_of(".@"))); };
  static const char* comma_locales[] = {"de", "fr", "it", "es", "nl", "pt", "da", "sv", "nb", "nn", "no",
                                        "fi", "pl", "cs", "sk", "hu", "ru", "uk", "tr", "el", "id", "vi",
                                        "ro", "bg", "hr", "sl", "sr", "lt", "lv", "et", "be", "ca"};
  TRegionalSettings settings;
  std::string n = lang(numeric);
  if (n != "c" && n != "posix" && !n.empty()) {
    std::string prefix = n.substr(0, 2);
    for (const char* c : comma_locales)
      if (prefix == c) settings.DecimalSeparator = ',';
    if (n == "de_ch" || n == "it_ch") settings.DecimalSeparator = '.';
  }
  std::string t = lang(time);
  if (t == "en_us" || t == "en_ph") settings.DateOrder = 1;
  if (t.rfind("ja", 0) == 0 || t.rfind("zh", 0) == 0 || t.rfind("ko", 0) == 0 || t.rfind("sv", 0) == 0 ||
      t.rfind("hu", 0) == 0 || t.rfind("lt", 0) == 0)
    settings.DateOrder = 2;
  return settings;
}

std::string FormatShortDate(std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buf[32];
  switch (RegionalSettings().DateOrder) {
    case 1: std::snprintf(buf, sizeof buf, "%d/%d/%04d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900); break;
    case 2: std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday); break;
    default: std::snprintf(buf, sizeof buf, "%d/%02d/%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900); break;
  }
  return buf;
}

std::string FormatShortDate() { return FormatShortDate(std::time(nullptr)); }

std::string FormatDateTime(std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d:%02d:%02d", tm.tm_hour, tm.tm_min, tm.tm_sec);
  return FormatShortDate(when) + " " + buf;
}

// ---------------------------------------------------------------------------
// Number text.

namespace {

// Fixed text with '.' as separator, locale-independent.
std::string FixedC(double value, int decimals) {
  if (!std::isfinite(value)) return std::isnan(value) ? "NAN" : (value > 0 ? "INF" : "-INF");
  if (decimals < 0) decimals = 0;
  if (decimals > 60) decimals = 60;
  std::array<char, 512> buf{};
  // An exact tie (the dropped digits are exactly 5) rounds away from zero,
  // as an engineer rounds by hand: step one unit in the last place outwards.
  {
    // The exact binary value, written 25 digits past the kept ones, is a tie
    // only when those digits read 5000...0.
    auto t = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals + 25);
    if (t.ec == std::errc()) {
      std::string_view digits(buf.data(), t.ptr - buf.data());
      std::string_view tail = digits.substr(digits.size() - 25);
      if (tail[0] == '5' && tail.find_first_not_of('0', 1) == std::string_view::npos)
        value = std::nextafter(value, value > 0 ? HUGE_VAL : -HUGE_VAL);
    }
  }
  auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::fixed, decimals);
  if (r.ec != std::errc()) {
    std::ostringstream s;
    s.precision(decimals);
    s << std::fixed << value;
    return s.str();
  }
  std::string s(buf.data(), r.ptr);
  // "-0.00" reads as zero; keep the sign off it.
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  return s;
}

}  // namespace

std::string WithDecimalSeparator(std::string Text) {
  const char separator = DecimalSeparator();
  if (separator != '.') std::replace(Text.begin(), Text.end(), '.', separator);
  return Text;
}

std::string FormatFixed(double Value, int Decimals) { return WithDecimalSeparator(FixedC(Value, Decimals)); }

std::string FloatToStrDP(bool BlankIfZero, int DP, int MaxDPIncrease, double Value) {
  if (MaxDPIncrease < 0) MaxDPIncrease = 0;
  int n = DP + MaxDPIncrease;
  std::string text;
  if (n >= 0) {
    // Rounded to n decimals; drop trailing zeros down to DP.
    std::string t = FixedC(Value, n);
    bool zero = t.find_first_not_of("-0.") == std::string::npos;
    if (zero) {
      n = std::max(DP, 0);
      t = FixedC(0.0, n);
    } else {
      while (n > DP && n > 0 && t.back() == '0') {
        t.pop_back();
        --n;
      }
      if (!t.empty() && t.back() == '.') t.pop_back();
    }
    if (n >= 0) text = t;
  }
  if (n < 0) {
    // Round to a multiple of 10^-n, written as an integer.
    double scale = std::pow(10.0, -n);
    double rounded = std::round(Value / scale) * scale;
    text = FixedC(rounded, 0);
  }
  if (BlankIfZero && text.find_first_not_of("-0.") == std::string::npos) return "";
  return WithDecimalSeparator(text);
}

std::string FloatToStrDP(bool BlankIfZero, int DP, int MaxDPIncrease, std::string_view Value) {
  return FloatToStrDP(BlankIfZero, DP, MaxDPIncrease, StrToFloatDef(Value, 0.0));
}

std::string FloatToPercentStr(int DP, double Value) { return FormatFixed(Value * 100.0, DP) + "%"; }

bool IsPercent(std::string_view Text) {
  if (Text.empty() || Text.back() != '%') return false;
  double v;
  return TryStrToFloat(Text.substr(0, Text.size() - 1), v);
}

double PercentStrToFloat(std::string_view Text, double Default) {
  if (!Text.empty() && Text.back() == '%') {
    double v;
    if (TryStrToFloat(Text.substr(0, Text.size() - 1), v)) return v / 100.0;
    return 0.0;
  }
  return StrToFloatDef(Text, Default);
}

bool IsInteger(std::string_view Text) {
  int32_t v;
  return TryStrToInt(Text, v);
}

bool IsFloat(std::string_view Text) {
  double v;
  return TryStrToFloat(Text, v);
}

std::string FloatToStrGeneral(double Value) {
  if (Value == 0.0) return "0";
  if (!std::isfinite(Value)) return std::isnan(Value) ? "NAN" : (Value > 0 ? "INF" : "-INF");
  double mag = std::fabs(Value);
  bool exponent_form = mag < 0.00001 || mag >= 1e15;
  std::array<char, 64> buf{};
  if (!exponent_form) {
    auto r = std::to_chars(buf.data(), buf.data() + buf.size(), Value, std::chars_format::general, 15);
    std::string s(buf.data(), r.ptr);
    if (s.find('e') == std::string::npos) return WithDecimalSeparator(s);
    exponent_form = true;
  }
  auto r = std::to_chars(buf.data(), buf.data() + buf.size(), Value, std::chars_format::scientific, 14);
  std::string s(buf.data(), r.ptr);
  auto e = s.find('e');
  std::string mant = s.substr(0, e);
  int exp = std::atoi(s.c_str() + e + 1);
  if (mant.find('.') != std::string::npos) {
    while (mant.back() == '0') mant.pop_back();
    if (mant.back() == '.') mant.pop_back();
  }
  return WithDecimalSeparator(mant) + "E" + std::to_string(exp);
}

bool TryStrToFloat(std::string_view Text, double& Value) {
  std::string t = Trim(Text);
  if (t.empty()) return false;
  // Under another separator a point is read as a decimal point too: the
  // shipped library and sample are written in the plain form, and no file of
  // the program holds thousands separators.
  const char separator = DecimalSeparator();
  if (separator != '.') {
    if (t.find('.') != std::string::npos && t.find(separator) != std::string::npos) return false;
    std::replace(t.begin(), t.end(), separator, '.');
  }
  const char* b = t.data();
  const char* e = t.data() + t.size();
  if (*b == '+') ++b;
  if (b == e) return false;
  // Only plain decimal forms: digits, one point, an exponent.
  for (const char* p = b; p != e; ++p) {
    char c = *p;
    if (!(std::isdigit(static_cast<unsigned char>(c)) || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
      return false;
  }
  double v = 0;
  auto r = std::from_chars(b, e, v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != e) return false;
  Value = v;
  return true;
}

double StrToFloatDef(std::string_view Text, double Default) {
  double v;
  return TryStrToFloat(Text, v) ? v : Default;
}

bool TryStrToInt(std::string_view Text, int32_t& Value) {
  std::string t = Trim(Text);
  if (t.empty()) return false;
  bool negative = false;
  size_t i = 0;
  if (t[0] == '-' || t[0] == '+') {
    negative = t[0] == '-';
    i = 1;
  }
  int base = 10;
  if (i < t.size() && t[i] == '$') {
    base = 16;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= t.size()) return false;
  int64_t v = 0;
  auto r = std::from_chars(t.data() + i, t.data() + t.size(), v, base);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return false;
  if (negative) v = -v;
  if (base == 16 && !negative && v > INT32_MAX && v <= UINT32_MAX) v = static_cast<int32_t>(static_cast<uint32_t>(v));
  if (v < INT32_MIN || v > INT32_MAX) return false;
  Value = static_cast<int32_t>(v);
  return true;
}

int32_t StrToIntDef(std::string_view Text, int32_t Default) {
  int32_t v;
  return TryStrToInt(Text, v) ? v : Default;
}
