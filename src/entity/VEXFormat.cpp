#include "entity/VEXFormat.h"

#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "entity/VEXNumberText.h"
#include "entity/VEXText.h"

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
  if (e == std::string::npos) return WithDecimalSeparator(s);
  int exp = std::atoi(s.c_str() + e + 1);
  char eb[16];
  std::snprintf(eb, sizeof eb, "E%c%03d", exp < 0 ? '-' : '+', std::abs(exp));
  return WithDecimalSeparator(s.substr(0, e)) + eb;
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
        piece = WithDecimalSeparator(std::string(buf.data(), r.ptr));
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
