#include "entity/VEXUtility.h"

#include <openssl/evp.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "entity/cIniFiles.h"

namespace fs = std::filesystem;

namespace {

char g_decimal_separator = '.';
// 0: day/month/year, 1: month/day/year, 2: year-month-day.
int g_date_order = 0;

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

// ---------------------------------------------------------------------------
// Regional format.

char DecimalSeparator() { return g_decimal_separator; }
void SetDecimalSeparator(char separator) { g_decimal_separator = separator; }

void UsePlainRegionalSettings() {
  g_decimal_separator = '.';
  g_date_order = 0;
}

void UseLocaleRegionalSettings() {
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
  std::string n = lang(numeric);
  g_decimal_separator = '.';
  if (n != "c" && n != "posix" && !n.empty()) {
    std::string prefix = n.substr(0, 2);
    for (const char* c : comma_locales)
      if (prefix == c) g_decimal_separator = ',';
    if (n == "de_ch" || n == "it_ch") g_decimal_separator = '.';
  }
  std::string t = lang(time);
  g_date_order = 0;
  if (t == "en_us" || t == "en_ph") g_date_order = 1;
  if (t.rfind("ja", 0) == 0 || t.rfind("zh", 0) == 0 || t.rfind("ko", 0) == 0 || t.rfind("sv", 0) == 0 ||
      t.rfind("hu", 0) == 0 || t.rfind("lt", 0) == 0)
    g_date_order = 2;
}

std::string FormatShortDate(std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buf[32];
  switch (g_date_order) {
    case 1: std::snprintf(buf, sizeof buf, "%d/%d/%04d", tm.tm_mon + 1, tm.tm_mday, tm.tm_year + 1900); break;
    case 2: std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday); break;
    default: std::snprintf(buf, sizeof buf, "%d/%02d/%04d", tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900); break;
  }
  return buf;
}

std::string FormatShortDate() { return FormatShortDate(std::time(nullptr)); }

std::string FormatShortTime(std::time_t when) {
  std::tm tm{};
  localtime_r(&when, &tm);
  char buf[16];
  std::snprintf(buf, sizeof buf, "%d:%02d", tm.tm_hour, tm.tm_min);
  return buf;
}

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

std::string Localise(std::string s) {
  if (g_decimal_separator != '.') std::replace(s.begin(), s.end(), '.', g_decimal_separator);
  return s;
}

}  // namespace

std::string FormatFixed(double Value, int Decimals) { return Localise(FixedC(Value, Decimals)); }

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
  return Localise(text);
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
    if (s.find('e') == std::string::npos) return Localise(s);
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
  return Localise(mant) + "E" + std::to_string(exp);
}

bool TryStrToFloat(std::string_view Text, double& Value) {
  std::string t = Trim(Text);
  if (t.empty()) return false;
  // Under another separator a point is read as a decimal point too: the
  // shipped library and sample are written in the plain form, and no file of
  // the program holds thousands separators.
  if (g_decimal_separator != '.') {
    if (t.find('.') != std::string::npos && t.find(g_decimal_separator) != std::string::npos) return false;
    std::replace(t.begin(), t.end(), g_decimal_separator, '.');
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

std::string IntToStr(int64_t Value) { return std::to_string(Value); }

// ---------------------------------------------------------------------------
// Format language.

int64_t TFormatArg::AsInteger() const {
  switch (kind_) {
    case Kind::Integer: return i_;
    case Kind::Float: return std::isfinite(f_) ? static_cast<int64_t>(std::llround(f_)) : 0;
    case Kind::String: return StrToIntDef(s_, 0);
  }
  return 0;
}

double TFormatArg::AsFloat() const {
  switch (kind_) {
    case Kind::Integer: return static_cast<double>(i_);
    case Kind::Float: return f_;
    case Kind::String: return StrToFloatDef(s_, 0.0);
  }
  return 0;
}

std::string TFormatArg::AsString() const {
  switch (kind_) {
    case Kind::Integer: return std::to_string(i_);
    case Kind::Float: return FloatToStrGeneral(f_);
    case Kind::String: return s_;
  }
  return {};
}

namespace {

std::string FormatScientific(double value, int precision) {
  // Delphi's %e: d.ddddE+ddd with precision significant digits (default 15).
  if (precision <= 0 || precision > 18) precision = 15;
  std::array<char, 64> buf{};
  auto r = std::to_chars(buf.data(), buf.data() + buf.size(), value, std::chars_format::scientific, precision - 1);
  std::string s(buf.data(), r.ptr);
  auto e = s.find('e');
  if (e == std::string::npos) return Localise(s);
  int exp = std::atoi(s.c_str() + e + 1);
  char eb[16];
  std::snprintf(eb, sizeof eb, "E%c%03d", exp < 0 ? '-' : '+', std::abs(exp));
  return Localise(s.substr(0, e)) + eb;
}

std::string FormatImpl(std::string_view tmpl, const TFormatArg* args, size_t count) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < tmpl.size(); ++i) {
    char c = tmpl[i];
    if (c != '%') {
      out += c;
      continue;
    }
    size_t start = i;
    ++i;
    if (i >= tmpl.size()) {
      out += '%';
      break;
    }
    if (tmpl[i] == '%') {
      out += '%';
      continue;
    }
    // [index ":"] ["-"] [width] ["." prec] type
    size_t j = i;
    int index = -1;
    {
      size_t k = j;
      while (k < tmpl.size() && std::isdigit(static_cast<unsigned char>(tmpl[k]))) ++k;
      if (k < tmpl.size() && tmpl[k] == ':' && k > j) {
        index = std::atoi(std::string(tmpl.substr(j, k - j)).c_str());
        j = k + 1;
      } else if (k < tmpl.size() && tmpl[k] == ':' && k == j) {
        index = 0;
        j = k + 1;
      }
    }
    bool left = false;
    if (j < tmpl.size() && tmpl[j] == '-') {
      left = true;
      ++j;
    }
    int width = -1;
    {
      size_t k = j;
      while (k < tmpl.size() && std::isdigit(static_cast<unsigned char>(tmpl[k]))) ++k;
      if (k > j) width = std::atoi(std::string(tmpl.substr(j, k - j)).c_str());
      j = k;
    }
    int prec = -1;
    if (j < tmpl.size() && tmpl[j] == '.') {
      ++j;
      size_t k = j;
      while (k < tmpl.size() && std::isdigit(static_cast<unsigned char>(tmpl[k]))) ++k;
      prec = k > j ? std::atoi(std::string(tmpl.substr(j, k - j)).c_str()) : 0;
      j = k;
    }
    if (j >= tmpl.size()) {
      out.append(tmpl.substr(start));
      break;
    }
    char type = static_cast<char>(std::tolower(static_cast<unsigned char>(tmpl[j])));
    if (index >= 0) next = static_cast<size_t>(index);
    if (next >= count || std::string_view("dusefgnxmp").find(type) == std::string_view::npos) {
      // No argument for it: leave the conversion as written.
      out.append(tmpl.substr(start, j - start + 1));
      i = j;
      continue;
    }
    const TFormatArg& a = args[next++];
    std::string piece;
    switch (type) {
      case 'd':
      case 'u': {
        int64_t v = a.AsInteger();
        piece = std::to_string(v < 0 ? -v : v);
        if (prec > 0 && static_cast<int>(piece.size()) < prec) piece.insert(0, prec - piece.size(), '0');
        if (v < 0) piece.insert(0, "-");
        break;
      }
      case 'x': {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%llX", static_cast<unsigned long long>(a.AsInteger()));
        piece = buf;
        if (prec > 0 && static_cast<int>(piece.size()) < prec) piece.insert(0, prec - piece.size(), '0');
        break;
      }
      case 's':
        piece = a.AsString();
        if (prec >= 0 && static_cast<int>(piece.size()) > prec) piece.resize(prec);
        break;
      case 'f':
      case 'm':
        piece = FormatFixed(a.AsFloat(), prec < 0 ? 2 : prec);
        break;
      case 'n': {
        // Fixed with thousands separators; the program uses none, so as %f.
        piece = FormatFixed(a.AsFloat(), prec < 0 ? 2 : prec);
        break;
      }
      case 'e':
        piece = FormatScientific(a.AsFloat(), prec);
        break;
      case 'g': {
        double v = a.AsFloat();
        std::array<char, 64> buf{};
        auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v, std::chars_format::general,
                               prec <= 0 ? 15 : prec);
        piece = Localise(std::string(buf.data(), r.ptr));
        break;
      }
      default:
        piece = a.AsString();
    }
    if (width > 0 && static_cast<int>(piece.size()) < width) {
      std::string pad(width - piece.size(), ' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
    i = j;
  }
  return out;
}

}  // namespace

std::string Format(std::string_view Template, std::initializer_list<TFormatArg> Args) {
  return FormatImpl(Template, Args.begin(), Args.size());
}

std::string Format(std::string_view Template, const std::vector<TFormatArg>& Args) {
  return FormatImpl(Template, Args.data(), Args.size());
}

std::string FormatLiteral(std::string_view Text) { return ReplaceAll(Text, "%", "%%"); }

// ---------------------------------------------------------------------------
// Text.

std::string ReplaceAll(std::string_view Text, std::string_view From, std::string_view To) {
  if (From.empty()) return std::string(Text);
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t hit = Text.find(From, pos);
    if (hit == std::string_view::npos) break;
    out.append(Text.substr(pos, hit - pos));
    out.append(To);
    pos = hit + From.size();
  }
  out.append(Text.substr(pos));
  return out;
}

std::string ReplaceAllText(std::string_view Text, std::string_view From, std::string_view To) {
  if (From.empty()) return std::string(Text);
  std::string upper = UpperCase(Text);
  std::string from = UpperCase(From);
  std::string out;
  size_t pos = 0;
  while (true) {
    size_t hit = upper.find(from, pos);
    if (hit == std::string::npos) break;
    out.append(Text.substr(pos, hit - pos));
    out.append(To);
    pos = hit + from.size();
  }
  out.append(Text.substr(pos));
  return out;
}

std::string EscapeText(std::string_view Text) {
  std::string s = ReplaceAll(Text, "<", "<<");
  s = ReplaceAll(s, "\r\n", "<CRLF>");
  s = ReplaceAll(s, "\r", "<CR>");
  return ReplaceAll(s, "\n", "<LF>");
}

std::string UnescapeText(std::string_view Text) {
  // One pass from left to right, so every text EscapeText wrote comes back
  // unchanged (replacing the codes one after another would turn an escaped
  // "<LF>" typed by a user into a line break).
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '<') {
      std::string_view rest = Text.substr(i);
      if (rest.substr(0, 2) == "<<") {
        out += '<';
        i += 1;
        continue;
      }
      if (rest.substr(0, 6) == "<CRLF>") {
        out += "\r\n";
        i += 5;
        continue;
      }
      if (rest.substr(0, 4) == "<CR>") {
        out += '\r';
        i += 3;
        continue;
      }
      if (rest.substr(0, 4) == "<LF>") {
        out += '\n';
        i += 3;
        continue;
      }
    }
    out += Text[i];
  }
  return out;
}

std::string QuotedText(std::string_view Text, char Quote) {
  std::string out(1, Quote);
  for (char c : Text) {
    out += c;
    if (c == Quote) out += c;
  }
  out += Quote;
  return out;
}

std::string QuotedTextIfContains(std::string_view Text, std::string_view Substring, char Quote) {
  if (Text.find(Substring) == std::string_view::npos) return std::string(Text);
  return QuotedText(Text, Quote);
}

int PosN(std::string_view Substring, std::string_view Text, int N) {
  if (Substring.empty() || N <= 0) return 0;
  size_t from = 0;
  size_t hit = std::string_view::npos;
  for (int k = 0; k < N; ++k) {
    hit = Text.find(Substring, from);
    if (hit == std::string_view::npos) return 0;
    from = hit + 1;
  }
  return static_cast<int>(hit) + 1;
}

int LastPos(std::string_view Substring, std::string_view Text) {
  if (Substring.empty()) return 0;
  size_t hit = Text.rfind(Substring);
  return hit == std::string_view::npos ? 0 : static_cast<int>(hit) + 1;
}

int CountOccurrences(std::string_view Substring, std::string_view Text) {
  if (Substring.empty()) return 0;
  int n = 0;
  size_t from = 0;
  while (true) {
    size_t hit = Text.find(Substring, from);
    if (hit == std::string_view::npos) return n;
    ++n;
    from = hit + 1;
  }
}

void SplitTrailingNumber(std::string_view Text, std::string& Name, int& Number) {
  size_t end = Text.size();
  size_t start = end;
  while (start > 0 && std::isdigit(static_cast<unsigned char>(Text[start - 1]))) --start;
  if (start == end) {
    Name = std::string(Text);
    Number = -1;
    return;
  }
  Name = std::string(Text.substr(0, start));
  int32_t v;
  Number = TryStrToInt(Text.substr(start), v) ? v : -1;
}

std::string IfThen(bool Condition, const std::string& IfTrue, const std::string& IfFalse) {
  return Condition ? IfTrue : IfFalse;
}
int IfThen(bool Condition, int IfTrue, int IfFalse) { return Condition ? IfTrue : IfFalse; }

std::string UpperCase(std::string_view Text) {
  std::string s(Text);
  for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return s;
}

std::string LowerCase(std::string_view Text) {
  std::string s(Text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool SameText(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t i = 0; i < A.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(A[i])) != std::toupper(static_cast<unsigned char>(B[i])))
      return false;
  return true;
}

bool StartsText(std::string_view Prefix, std::string_view Text) {
  return Text.size() >= Prefix.size() && SameText(Text.substr(0, Prefix.size()), Prefix);
}

std::string TrimLeft(std::string_view Text) {
  size_t b = 0;
  while (b < Text.size() && IsBlankOrControl(Text[b])) ++b;
  return std::string(Text.substr(b));
}

std::string TrimRight(std::string_view Text) {
  size_t e = Text.size();
  while (e > 0 && IsBlankOrControl(Text[e - 1])) --e;
  return std::string(Text.substr(0, e));
}

std::string Trim(std::string_view Text) { return TrimLeft(TrimRight(Text)); }

namespace {

// Matches one mask element at m against c; sets `width` to the element's length.
bool MaskCharMatches(std::string_view mask, size_t m, char c, size_t& width) {
  auto up = [](char x) { return static_cast<char>(std::toupper(static_cast<unsigned char>(x))); };
  if (mask[m] == '[') {
    size_t close = mask.find(']', m + 1);
    if (close != std::string_view::npos) {
      width = close - m + 1;
      std::string_view set = mask.substr(m + 1, close - m - 1);
      bool negate = !set.empty() && set[0] == '!';
      if (negate) set.remove_prefix(1);
      bool hit = false;
      for (size_t k = 0; k < set.size(); ++k) {
        if (k + 2 < set.size() && set[k + 1] == '-') {
          if (up(c) >= up(set[k]) && up(c) <= up(set[k + 2])) hit = true;
          k += 2;
        } else if (up(set[k]) == up(c)) {
          hit = true;
        }
      }
      return hit != negate;
    }
  }
  width = 1;
  return mask[m] == '?' || up(mask[m]) == up(c);
}

}  // namespace

bool MatchesMask(std::string_view Text, std::string_view Mask) {
  // Wildcards with backtracking on the last "*"; "[a-z]" sets as in file masks.
  size_t t = 0, m = 0, star = std::string_view::npos, mark = 0;
  while (t < Text.size()) {
    size_t width = 1;
    if (m < Mask.size() && Mask[m] != '*' && MaskCharMatches(Mask, m, Text[t], width)) {
      ++t;
      m += width;
    } else if (m < Mask.size() && Mask[m] == '*') {
      star = m++;
      mark = t;
    } else if (star != std::string_view::npos) {
      m = star + 1;
      t = ++mark;
    } else {
      return false;
    }
  }
  while (m < Mask.size() && Mask[m] == '*') ++m;
  return m == Mask.size();
}

std::vector<std::string> SplitCommaText(std::string_view Text, bool StrictDelimiter) {
  std::vector<std::string> fields;
  size_t i = 0;
  const size_t n = Text.size();
  auto skip_blanks = [&] {
    if (StrictDelimiter) return;
    while (i < n && IsBlankOrControl(Text[i])) ++i;
  };
  skip_blanks();
  if (i >= n) return fields;
  while (true) {
    std::string field;
    if (i < n && Text[i] == '"') {
      ++i;
      while (i < n) {
        if (Text[i] == '"') {
          if (i + 1 < n && Text[i + 1] == '"') {
            field += '"';
            i += 2;
            continue;
          }
          ++i;
          break;
        }
        field += Text[i++];
      }
      // Anything after the closing quote up to the delimiter belongs to it.
      while (i < n && Text[i] != ',' && (StrictDelimiter || !IsBlankOrControl(Text[i]))) field += Text[i++];
    } else {
      while (i < n && Text[i] != ',' && (StrictDelimiter || !IsBlankOrControl(Text[i]))) field += Text[i++];
    }
    fields.push_back(std::move(field));
    skip_blanks();
    if (i >= n) break;
    if (Text[i] == ',') {
      ++i;
      skip_blanks();
      if (i >= n) {
        fields.emplace_back();  // a comma at the very end adds an empty last field
        break;
      }
    }
  }
  return fields;
}

std::string JoinCommaText(const std::vector<std::string>& Fields) {
  if (Fields.size() == 1 && Fields[0].empty()) return "\"\"";
  std::string out;
  for (size_t k = 0; k < Fields.size(); ++k) {
    if (k) out += ',';
    const std::string& f = Fields[k];
    bool quote = false;
    for (char c : f)
      if (IsBlankOrControl(c) || c == ',' || c == '"') quote = true;
    out += quote ? QuotedText(f, '"') : f;
  }
  return out;
}

// ---------------------------------------------------------------------------
// Encodings.

bool IsValidUtf8(std::string_view s) {
  size_t i = 0;
  while (i < s.size()) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int len;
    uint32_t cp;
    if (c < 0x80) {
      ++i;
      continue;
    } else if ((c & 0xE0) == 0xC0) {
      len = 2;
      cp = c & 0x1F;
    } else if ((c & 0xF0) == 0xE0) {
      len = 3;
      cp = c & 0x0F;
    } else if ((c & 0xF8) == 0xF0) {
      len = 4;
      cp = c & 0x07;
    } else {
      return false;
    }
    if (i + len > s.size()) return false;
    for (int k = 1; k < len; ++k) {
      unsigned char cc = static_cast<unsigned char>(s[i + k]);
      if ((cc & 0xC0) != 0x80) return false;
      cp = (cp << 6) | (cc & 0x3F);
    }
    if ((len == 2 && cp < 0x80) || (len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)) ||
        (cp >= 0xD800 && cp <= 0xDFFF))
      return false;
    i += len;
  }
  return true;
}

namespace {

// Windows-1252 code points for bytes 0x80..0x9F (0 where undefined).
constexpr uint16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one code point; invalid sequences give U+FFFD and advance one byte.
uint32_t NextUtf8(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) {
    ++i;
    return c;
  }
  int len = (c & 0xE0) == 0xC0 ? 2 : (c & 0xF0) == 0xE0 ? 3 : (c & 0xF8) == 0xF0 ? 4 : 0;
  if (len == 0 || i + len > s.size()) {
    ++i;
    return 0xFFFD;
  }
  uint32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
  for (int k = 1; k < len; ++k) {
    unsigned char cc = static_cast<unsigned char>(s[i + k]);
    if ((cc & 0xC0) != 0x80) {
      ++i;
      return 0xFFFD;
    }
    cp = (cp << 6) | (cc & 0x3F);
  }
  i += len;
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0xFFFD;
  return cp;
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view Bytes) {
  std::string out;
  out.reserve(Bytes.size());
  for (char ch : Bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    uint32_t cp = c;
    if (c >= 0x80 && c < 0xA0) cp = kCp1252High[c - 0x80] ? kCp1252High[c - 0x80] : c;
    AppendUtf8(out, cp);
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view Text) {
  std::string out;
  out.reserve(Text.size());
  size_t i = 0;
  while (i < Text.size()) {
    uint32_t cp = NextUtf8(Text, i);
    if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF) || (cp >= 0x80 && cp < 0xA0 && kCp1252High[cp - 0x80] == 0)) {
      out += static_cast<char>(cp);
      continue;
    }
    char mapped = '?';
    for (int k = 0; k < 32; ++k)
      if (kCp1252High[k] == cp && cp != 0) mapped = static_cast<char>(0x80 + k);
    out += mapped;
  }
  return out;
}

std::u16string Utf8ToUtf16(std::string_view Text) {
  std::u16string out;
  out.reserve(Text.size());
  size_t i = 0;
  while (i < Text.size()) {
    uint32_t cp = NextUtf8(Text, i);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::u16string_view Text) {
  std::string out;
  out.reserve(Text.size());
  for (size_t i = 0; i < Text.size(); ++i) {
    uint32_t cp = Text[i];
    if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < Text.size() && Text[i + 1] >= 0xDC00 && Text[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (Text[i + 1] - 0xDC00);
      ++i;
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = 0xFFFD;  // unpaired surrogate
    }
    AppendUtf8(out, cp);
  }
  return out;
}

// ---------------------------------------------------------------------------
// Numbers.

int Clamp(int Value, int Min, int Max) { return Value < Min ? Min : std::min(Value, Max); }
bool InRange(double Value, double Low, double High) { return Low <= Value && Value <= High; }

double Interpolate(double x, double x1, double x2, double y1, double y2) {
  if (x2 == x1) return x > x1 ? y2 : y1;
  return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

double KgToKN(double m) { return m * 10.0 / 1000.0; }
double Ratio(double a, double b, double Fallback) { return b != 0 ? a / b : Fallback; }
int Sign(double v) { return (v > 0) - (v < 0); }

// ---------------------------------------------------------------------------
// Program identity.

std::string GetAppName() { return "Trevalon"; }
std::string GetAppDescription() { return "Software for the analysis of composite steel/concrete beams"; }
std::string GetAppVersion() { return GetAppDescription() + " " + TREVALON_VERSION; }

std::string GetAppVersionShort() {
  // The version number cut before its second ".": 3.0.0.1 gives 3.0.
  std::string v = TREVALON_VERSION;
  int second = PosN(".", v, 2);
  return second > 0 ? v.substr(0, second - 1) : v;
}

// ---------------------------------------------------------------------------
// Settings and folders.

namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) : std::string();
}

std::string XdgFolder(const char* variable, const char* fallback) {
  const char* v = std::getenv(variable);
  if (v && *v && v[0] == '/') return std::string(v);
  std::string home = HomeFolder();
  return home.empty() ? std::string() : home + "/" + fallback;
}

std::string StripTrailingSlash(std::string p) {
  while (p.size() > 1 && p.back() == '/') p.pop_back();
  return p;
}

bool IsDirectory(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

}  // namespace

std::string SettingsFileName() {
  std::string config = XdgFolder("XDG_CONFIG_HOME", ".config");
  if (config.empty()) return GetAppName() + ".ini";
  return config + "/" + GetAppName() + "/" + GetAppName() + ".ini";
}

static const char kSettingsSection[] = "Settings";

int ReadSettingInteger(const std::string& Name) {
  TVEXIniFile ini(SettingsFileName(), true);
  return ini.ReadInteger(kSettingsSection, Name, 0);
}

std::string ReadSettingString(const std::string& Name) {
  TVEXIniFile ini(SettingsFileName(), true);
  return ini.ReadString(kSettingsSection, Name, "");
}

int WriteSettingInteger(const std::string& Name, int Value) {
  {
    std::error_code ec;
    fs::create_directories(fs::path(SettingsFileName()).parent_path(), ec);
    TVEXIniFile ini(SettingsFileName());
    ini.WriteInteger(kSettingsSection, Name, Value);
    ini.UpdateFile();
  }
  return ReadSettingInteger(Name);
}

std::string WriteSettingString(const std::string& Name, const std::string& Value) {
  {
    std::error_code ec;
    fs::create_directories(fs::path(SettingsFileName()).parent_path(), ec);
    TVEXIniFile ini(SettingsFileName());
    ini.WriteString(kSettingsSection, Name, Value);
    ini.UpdateFile();
  }
  return ReadSettingString(Name);
}

std::string GetProgramFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return ".";
  return exe.parent_path().string();
}

std::string GetSpecialFolder(const std::string& FolderName) {
  std::string name = UpperCase(FolderName);
  std::string path;
  if (name == "APPDATA") {
    path = XdgFolder("XDG_CONFIG_HOME", ".config");
  } else if (name == "LOCAL_APPDATA") {
    path = XdgFolder("XDG_DATA_HOME", ".local/share");
  } else if (name == "PERSONAL") {
    std::string home = HomeFolder();
    path = IsDirectory(home + "/Documents") ? home + "/Documents" : home;
  } else if (name == "PROGRAM_FILES") {
    path = fs::path(GetProgramFolder()).parent_path().string();
  } else if (name == "COMMON_APPDATA") {
    path = "/var/lib";
  }
  path = StripTrailingSlash(path);
  if (!IsDirectory(path)) return "$" + FolderName + "$";
  return path;
}

std::string GetWorkFolder(const std::string& Subfolder) {
  std::string base = XdgFolder("XDG_DATA_HOME", ".local/share");
  if (base.empty()) return "";
  std::error_code ec;
  fs::create_directories(base, ec);
  if (!IsDirectory(base)) return "";
  base = StripTrailingSlash(base);
  std::string wanted = base + "/" + Subfolder;
  fs::create_directories(wanted, ec);
  if (IsDirectory(wanted)) return wanted + "/";
  std::string temp = base + "/Temp";
  fs::create_directories(temp, ec);
  if (IsDirectory(temp)) return temp + "/";
  return base + "/";
}

bool IsTextFile(const std::string& FileName) {
  std::string bytes;
  if (!ReadFileBytes(FileName, bytes)) return false;
  for (char ch : bytes) {
    unsigned char c = static_cast<unsigned char>(ch);
    if (c == 9 || c == 10 || c == 12 || c == 13 || (c >= 32 && c <= 126)) continue;
    return false;
  }
  return true;
}

std::string HashText(std::string_view Text) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int len = 0;
  EVP_Digest(Text.data(), Text.size(), digest, &len, EVP_md5(), nullptr);
  static const char hex[] = "0123456789abcdef";
  std::string out;
  for (unsigned int i = 0; i < len; ++i) {
    out += hex[digest[i] >> 4];
    out += hex[digest[i] & 15];
  }
  return out;
}

bool ReadFileBytes(const std::string& FileName, std::string& Bytes, std::string* Error) {
  std::error_code ec;
  if (fs::is_directory(FileName, ec)) {
    if (Error) *Error = "[" + FileName + "] is a folder, not a file";
    return false;
  }
  std::ifstream in(FileName, std::ios::binary);
  if (!in) {
    if (Error) *Error = "Cannot open file [" + FileName + "]";
    return false;
  }
  std::ostringstream s;
  s << in.rdbuf();
  if (in.bad()) {
    if (Error) *Error = "Cannot read file [" + FileName + "]";
    return false;
  }
  Bytes = s.str();
  return true;
}

namespace {

// Writes straight into an existing file that is not a regular file (a device
// such as /dev/null, a pipe): renaming over it would replace it.
bool WriteInPlace(const std::string& FileName, std::string_view Bytes, std::string* Error) {
  std::ofstream out(FileName, std::ios::binary);
  out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
  out.flush();
  if (out) return true;
  if (Error) *Error = "Cannot write file [" + FileName + "]";
  return false;
}

}  // namespace

bool WriteFileAtomic(const std::string& FileName, std::string_view Bytes, std::string* Error) {
  fs::path target(FileName);
  std::error_code ec;
  // A link is followed, so the file it names is replaced and the link kept.
  if (fs::is_symlink(target, ec)) {
    fs::path resolved = fs::weakly_canonical(target, ec);
    if (!ec) target = resolved;
  }
  const fs::file_status existing = fs::status(target, ec);
  if (!ec && fs::exists(existing)) {
    if (fs::is_directory(existing)) {
      if (Error) *Error = "[" + FileName + "] is a folder, not a file";
      return false;
    }
    if (!fs::is_regular_file(existing)) return WriteInPlace(target.string(), Bytes, Error);
  }
  fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
  std::string tmpl = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  std::vector<char> name(tmpl.begin(), tmpl.end());
  name.push_back('\0');
  int fd = mkstemp(name.data());
  if (fd < 0) {
    if (Error) *Error = "Cannot write file [" + FileName + "]";
    return false;
  }
  size_t done = 0;
  bool ok = true;
  while (done < Bytes.size()) {
    ssize_t w = ::write(fd, Bytes.data() + done, Bytes.size() - done);
    if (w <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(w);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  ::close(fd);
  if (ok) {
    // Keep the permissions an existing file had.
    auto perms = fs::status(target, ec).permissions();
    if (!ec) fs::permissions(name.data(), perms, ec);
    else fs::permissions(name.data(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                          fs::perms::others_read, ec);
    fs::rename(name.data(), target, ec);
    ok = !ec;
  }
  if (!ok) {
    fs::remove(name.data(), ec);
    if (Error) *Error = "Cannot write file [" + FileName + "]";
  }
  return ok;
}

bool FileExists(const std::string& FileName) {
  std::error_code ec;
  return fs::is_regular_file(FileName, ec);
}
