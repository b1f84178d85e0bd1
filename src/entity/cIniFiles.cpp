#include "entity/cIniFiles.h"

#include "entity/VEXUtility.h"

#include <filesystem>

TVEXIniFile::TVEXIniFile(std::string FileName, bool ReadOnly) : IsReadOnly(ReadOnly), file_name_(std::move(FileName)) {
  // A missing file reads as empty; a folder or an unreadable file too, with the reason kept.
  std::error_code ec;
  if (file_name_.empty() || !std::filesystem::exists(file_name_, ec)) return;
  std::string bytes;
  load_result_ = ReadFileBytes(file_name_, bytes);
  if (load_result_) Parse(bytes);
}

TVEXIniFile TVEXIniFile::FromBytes(std::string_view Bytes) {
  TVEXIniFile ini;
  ini.IsReadOnly = true;
  ini.Parse(Bytes);
  return ini;
}

TVEXIniFile::~TVEXIniFile() {
  // A destructor cannot report a failure: whoever needs to know calls UpdateFile.
  if (!IsReadOnly && dirty_ && !file_name_.empty()) (void)UpdateFile();
}

void TVEXIniFile::Parse(std::string_view bytes) {
  std::string text;
  if (bytes.size() >= 3 && static_cast<unsigned char>(bytes[0]) == 0xEF && static_cast<unsigned char>(bytes[1]) == 0xBB &&
      static_cast<unsigned char>(bytes[2]) == 0xBF) {
    encoding_ = TEncoding::Utf8Bom;
    text = bytes.substr(3);
    if (!IsValidUtf8(text)) text = Utf16ToUtf8(Utf8ToUtf16(text));  // replaces bad sequences
  } else if (bytes.size() >= 2 && (static_cast<unsigned char>(bytes[0]) == 0xFF && static_cast<unsigned char>(bytes[1]) == 0xFE)) {
    encoding_ = TEncoding::Utf16LE;
    std::u16string u;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      u += static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8));
    text = Utf16ToUtf8(u);
  } else if (bytes.size() >= 2 && (static_cast<unsigned char>(bytes[0]) == 0xFE && static_cast<unsigned char>(bytes[1]) == 0xFF)) {
    encoding_ = TEncoding::Utf16BE;
    std::u16string u;
    for (size_t i = 2; i + 1 < bytes.size(); i += 2)
      u += static_cast<char16_t>((static_cast<unsigned char>(bytes[i]) << 8) | static_cast<unsigned char>(bytes[i + 1]));
    text = Utf16ToUtf8(u);
  } else if (IsValidUtf8(bytes)) {
    encoding_ = TEncoding::Utf8;
    text = bytes;
  } else {
    encoding_ = TEncoding::Cp1252;
    text = Cp1252ToUtf8(bytes);
  }

  TSection* current = nullptr;
  size_t pos = 0;
  while (pos <= text.size()) {
    size_t end = text.find_first_of("\r\n", pos);
    if (end == std::string::npos) end = text.size();
    std::string line = Trim(std::string_view(text).substr(pos, end - pos));
    pos = end + 1;
    if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++pos;
    if (line.empty() || line[0] == ';') {
      if (end >= text.size()) break;
      continue;
    }
    if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
      current = &FindOrAdd(Trim(line.substr(1, line.size() - 2)));
    } else if (current) {
      size_t eq = line.find('=');
      std::string key = Trim(line.substr(0, eq));
      std::string value = eq == std::string::npos ? std::string() : Trim(line.substr(eq + 1));
      std::string upper = UpperCase(key);
      auto it = current->index.find(upper);
      if (it == current->index.end()) {
        current->index.emplace(upper, current->keys.size());
        current->keys.emplace_back(std::move(key), std::move(value));
      }
      // A repeated key: the first one wins, as a lookup from the top finds it.
    }
    if (end >= text.size()) break;
  }
  dirty_ = false;
}

const TVEXIniFile::TSection* TVEXIniFile::Find(const std::string& section) const {
  auto it = section_index_.find(UpperCase(section));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

TVEXIniFile::TSection* TVEXIniFile::Find(const std::string& section) {
  auto it = section_index_.find(UpperCase(section));
  return it == section_index_.end() ? nullptr : &sections_[it->second];
}

TVEXIniFile::TSection& TVEXIniFile::FindOrAdd(const std::string& section) {
  if (TSection* s = Find(section)) return *s;
  section_index_.emplace(UpperCase(section), sections_.size());
  sections_.push_back(TSection{section, {}, {}});
  return sections_.back();
}

void TVEXIniFile::Reindex(TSection& s) {
  s.index.clear();
  for (size_t i = 0; i < s.keys.size(); ++i) s.index.emplace(UpperCase(s.keys[i].first), i);
}

bool TVEXIniFile::SectionExists(const std::string& Section) const { return Find(Section) != nullptr; }

bool TVEXIniFile::ValueExists(const std::string& Section, const std::string& Key) const {
  const auto* s = Find(Section);
  return s && s->index.count(UpperCase(Key));
}

std::string TVEXIniFile::ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const {
  const auto* s = Find(Section);
  if (!s) return Default;
  auto it = s->index.find(UpperCase(Key));
  return it == s->index.end() ? Default : s->keys[it->second].second;
}

void TVEXIniFile::NoteReadProblem(const std::string& Section, const std::string& Key, const std::string& Problem) const {
  if (read_problem_) read_problem_ = TResult::Failure("section [" + Section + "], key " + Key + ": " + Problem);
}

namespace {

// The text of a value inside a one-line message: quoted, and cut short when
// long, so that a damaged file cannot make the message unreadable.
std::string QuotedValue(const std::string& Text) {
  constexpr size_t kShown = 40;
  std::string shown = Text;
  if (shown.size() > kShown) {
    size_t cut = kShown;
    while (cut > 0 && (static_cast<unsigned char>(shown[cut]) & 0xC0) == 0x80) --cut;  // not inside a character
    shown = shown.substr(0, cut) + "...";
  }
  for (char& c : shown)
    if (static_cast<unsigned char>(c) < 0x20) c = '?';
  return "\"" + shown + "\"";
}

}  // namespace

int TVEXIniFile::ReadInteger(const std::string& Section, const std::string& Key, int Default) const {
  const std::string text = ReadString(Section, Key, "");
  int32_t value;
  if (TryStrToInt(text, value)) return value;
  if (!Trim(text).empty()) NoteReadProblem(Section, Key, QuotedValue(text) + " is not a whole number");
  return Default;
}

bool TVEXIniFile::ReadBool(const std::string& Section, const std::string& Key, bool Default) const {
  return ReadInteger(Section, Key, Default ? 1 : 0) != 0;
}

double TVEXIniFile::ReadFloat(const std::string& Section, const std::string& Key, double Default) const {
  const std::string text = ReadString(Section, Key, "");
  double value;
  if (TryStrToFloat(text, value)) return value;
  if (!Trim(text).empty()) NoteReadProblem(Section, Key, QuotedValue(text) + " is not a number");
  return Default;
}

int TVEXIniFile::ReadCount(const std::string& Section, const std::string& Key, int Max) const {
  const int count = ReadInteger(Section, Key, 0);
  const std::string text = ReadString(Section, Key, "");
  if (count < 0) {
    NoteReadProblem(Section, Key, QuotedValue(text) + " is not a count");
    return 0;
  }
  if (count > Max) {
    NoteReadProblem(Section, Key, QuotedValue(text) + " is more than " + std::to_string(Max) + " items");
    return 0;
  }
  return count;
}

void TVEXIniFile::WriteString(const std::string& Section, const std::string& Key, const std::string& Value) {
  auto& s = FindOrAdd(Section);
  std::string upper = UpperCase(Key);
  auto it = s.index.find(upper);
  if (it != s.index.end()) {
    if (s.keys[it->second].second != Value) dirty_ = true;
    s.keys[it->second].second = Value;
    return;
  }
  s.index.emplace(upper, s.keys.size());
  s.keys.emplace_back(Key, Value);
  dirty_ = true;
}

void TVEXIniFile::WriteInteger(const std::string& Section, const std::string& Key, int Value) {
  WriteString(Section, Key, std::to_string(Value));
}

void TVEXIniFile::WriteBool(const std::string& Section, const std::string& Key, bool Value) {
  WriteString(Section, Key, Value ? "1" : "0");
}

void TVEXIniFile::WriteFloat(const std::string& Section, const std::string& Key, double Value) {
  WriteString(Section, Key, FloatToStrGeneral(Value));
}

void TVEXIniFile::EraseSection(const std::string& Section) {
  auto it = section_index_.find(UpperCase(Section));
  if (it == section_index_.end()) return;
  sections_.erase(sections_.begin() + static_cast<long>(it->second));
  section_index_.clear();
  for (size_t i = 0; i < sections_.size(); ++i) section_index_.emplace(UpperCase(sections_[i].name), i);
  dirty_ = true;
}

void TVEXIniFile::DeleteKey(const std::string& Section, const std::string& Key) {
  auto* s = Find(Section);
  if (!s) return;
  auto it = s->index.find(UpperCase(Key));
  if (it == s->index.end()) return;
  s->keys.erase(s->keys.begin() + static_cast<long>(it->second));
  Reindex(*s);
  dirty_ = true;
}

std::vector<std::string> TVEXIniFile::ReadSections() const {
  std::vector<std::string> out;
  for (const auto& s : sections_) out.push_back(s.name);
  return out;
}

std::vector<std::string> TVEXIniFile::ReadSection(const std::string& Section) const {
  std::vector<std::string> out;
  if (const auto* s = Find(Section))
    for (const auto& kv : s->keys) out.push_back(kv.first);
  return out;
}

std::vector<std::string> TVEXIniFile::ReadSectionValues(const std::string& Section) const {
  std::vector<std::string> out;
  if (const auto* s = Find(Section))
    for (const auto& kv : s->keys) out.push_back(kv.first + "=" + kv.second);
  return out;
}

std::string TVEXIniFile::ToBytes() const {
  std::string text;
  for (const auto& s : sections_) {
    text += "[" + s.name + "]\r\n";
    for (const auto& kv : s.keys) text += kv.first + "=" + kv.second + "\r\n";
    text += "\r\n";
  }
  switch (encoding_) {
    case TEncoding::Utf8: return text;
    case TEncoding::Utf8Bom: return "\xEF\xBB\xBF" + text;
    case TEncoding::Cp1252: return Utf8ToCp1252(text);
    case TEncoding::Utf16LE:
    case TEncoding::Utf16BE: {
      std::u16string u = Utf8ToUtf16(text);
      std::string out = encoding_ == TEncoding::Utf16LE ? "\xFF\xFE" : "\xFE\xFF";
      for (char16_t c : u) {
        char lo = static_cast<char>(c & 0xFF), hi = static_cast<char>(c >> 8);
        if (encoding_ == TEncoding::Utf16LE) {
          out += lo;
          out += hi;
        } else {
          out += hi;
          out += lo;
        }
      }
      return out;
    }
  }
  return text;
}

TResult TVEXIniFile::UpdateFile() {
  if (file_name_.empty()) return TResult::Failure("No file name to write to");
  TResult written = WriteFileAtomic(file_name_, ToBytes());
  if (written) dirty_ = false;
  return written;
}
