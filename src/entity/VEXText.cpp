#include "entity/VEXText.h"

#include <cctype>
#include <cstdint>

#include "entity/VEXNumberText.h"

namespace {

bool IsBlankOrControl(char c) { return static_cast<unsigned char>(c) <= ' '; }

}  // namespace

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
