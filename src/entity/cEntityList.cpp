#include "entity/cEntityList.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

namespace {

// Keeps a list's keys indexed while a file loads into it, so that checking
// every item's key against those already loaded takes the same time however
// long the list grows.
class TIndexedWhileLoading {
 public:
  explicit TIndexedWhileLoading(TEntityList& List) : list_(List), was_indexed_(List.IsIndexed()) {
    if (!was_indexed_) list_.SetIsIndexed(true);
  }
  ~TIndexedWhileLoading() {
    if (!was_indexed_) list_.SetIsIndexed(false);
  }
  TIndexedWhileLoading(const TIndexedWhileLoading&) = delete;
  TIndexedWhileLoading& operator=(const TIndexedWhileLoading&) = delete;

 private:
  TEntityList& list_;
  bool was_indexed_;
};

}  // namespace

// ---------------------------------------------------------------------------
// The list itself.

size_t TEntityList::TCaseFoldedHash::operator()(std::string_view Key) const {
  size_t h = 14695981039346656037ull;  // FNV-1a
  for (char c : Key) {
    h ^= static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
    h *= 1099511628211ull;
  }
  return h;
}

bool TEntityList::TCaseFoldedEqual::operator()(std::string_view A, std::string_view B) const { return SameText(A, B); }

int TEntityList::IndexOf(const std::string& Key) const {
  if (indexed_) {
    const auto found = index_.find(std::string_view(Key));
    return found == index_.end() ? -1 : found->second;
  }
  for (size_t i = 0; i < items_.size(); ++i)
    if (SameText(items_[i].key, Key)) return static_cast<int>(i);
  return -1;
}

void TEntityList::SetIsIndexed(bool Value) {
  indexed_ = Value;
  RebuildIndex();
}

void TEntityList::IndexAppended(int Index) {
  if (!indexed_) return;
  if (Index != Count() - 1) {
    RebuildIndex();
    return;
  }
  index_.try_emplace(items_[Index].key, Index);  // an earlier item with the key stays first
}

void TEntityList::RebuildIndex() {
  index_.clear();
  if (!indexed_) return;
  for (size_t i = 0; i < items_.size(); ++i) index_.try_emplace(items_[i].key, static_cast<int>(i));
}

TEntity* TEntityList::Find(const std::string& Key) const {
  int i = IndexOf(Key);
  return i < 0 ? nullptr : items_[i].entity.get();
}

int TEntityList::IndexOfEntity(const TEntity* Entity) const {
  for (size_t i = 0; i < items_.size(); ++i)
    if (items_[i].entity.get() == Entity) return static_cast<int>(i);
  return -1;
}

int TEntityList::Add(std::string Key, std::unique_ptr<TEntity> Entity) {
  assert(Entity);
  if (!Sorted) {
    items_.push_back({std::move(Key), std::move(Entity)});
    IndexAppended(Count() - 1);
    return Count() - 1;
  }
  // Keys compare without regard to letter case, as they are looked up.
  auto less = [](const std::string& k, const Entry& e) {
    return std::lexicographical_compare(k.begin(), k.end(), e.key.begin(), e.key.end(), [](char a, char b) {
      return std::toupper(static_cast<unsigned char>(a)) < std::toupper(static_cast<unsigned char>(b));
    });
  };
  auto it = std::upper_bound(items_.begin(), items_.end(), Key, less);
  int pos = static_cast<int>(it - items_.begin());
  items_.insert(it, {std::move(Key), std::move(Entity)});
  IndexAppended(pos);
  return pos;
}

void TEntityList::Insert(int Index, std::string Key, std::unique_ptr<TEntity> Entity) {
  assert(Entity);
  Index = std::clamp(Index, 0, Count());
  items_.insert(items_.begin() + Index, {std::move(Key), std::move(Entity)});
  IndexAppended(Index);
}

void TEntityList::Delete(int Index) {
  assert(IsValidIndex(Index));
  items_.erase(items_.begin() + Index);
  RebuildIndex();
}

std::unique_ptr<TEntity> TEntityList::Extract(int Index) {
  assert(IsValidIndex(Index));
  std::unique_ptr<TEntity> e = std::move(items_.at(Index).entity);
  items_.erase(items_.begin() + Index);
  RebuildIndex();
  return e;
}

void TEntityList::Clear() {
  items_.clear();
  index_.clear();
}

std::string TEntityList::SectionName() const {
  if (!ObjectType) return "";
  return ObjectType()->SectionName;
}

// ---------------------------------------------------------------------------
// INI.

void TEntityList::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix) {
  if (!ObjectType) return;
  IniFile.WriteInteger(Prefix + SectionName(), "Count", Count());
  for (int i = 0; i < Count(); ++i) Item(i)->SaveToIniFile(IniFile, Prefix, std::to_string(i + 1));
}

void TEntityList::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& IndexField, bool WillAllowNewEntities,
                                  const std::string& Prefix) {
  if (!ObjectType) return;
  const std::string section = SectionName();
  const std::string count_section = IniFile.ValueExists(Prefix + section, "Count") ? Prefix + section : section;
  // A damaged count must not make the loader churn through millions of empty items.
  const int count = IniFile.ReadCount(count_section, "Count", kMaxIniListCount);
  TIndexedWhileLoading indexed(*this);
  for (int i = 1; i <= count; ++i) {
    std::unique_ptr<TEntity> item = ObjectType();
    item->LoadFromIniFile(IniFile, Prefix, std::to_string(i));
    AddOrReplace(std::move(item), IndexField, WillAllowNewEntities);
  }
}

bool TEntityList::AddOrReplace(std::unique_ptr<TEntity> Entity, const std::string& IndexField, bool WillAllowNew) {
  std::string key = Entity->StringValue(IndexField, std::to_string(Count() + 1), 0, 3);
  int existing = IndexOf(key);
  if (existing >= 0) {
    items_[existing].entity = std::move(Entity);
    return true;
  }
  if (!WillAllowNew) return false;
  Add(std::move(key), std::move(Entity));
  return true;
}

int TEntityList::CloseIndexOf(const std::string& s) const {
  auto strip = [](const std::string& t) {
    std::string out;
    for (char c : UpperCase(t))
      if (c != ' ') out += c;
    return out;
  };
  const std::string target = strip(s);
  for (size_t i = 0; i < items_.size(); ++i) {
    const std::string key = strip(items_[i].key);
    if (key == target || key.rfind(target, 0) == 0 || MatchesMask(items_[i].key, s)) return static_cast<int>(i);
  }
  return -1;
}

void TEntityList::AssignPropsTo(TEntity* Entity, const std::string& StringIndex) const {
  if (!Entity || !ObjectType) return;
  if (TEntity* source = Find(StringIndex)) Entity->Assign(source);
}

// ---------------------------------------------------------------------------
// CSV.

std::vector<std::string> TEntityList::FieldNames() const {
  std::vector<std::string> names;
  if (!ObjectType) return names;
  std::unique_ptr<TEntity> probe = ObjectType();
  for (const TProperty& p : probe->Properties().Items())
    if (p.IsPublished && p.IsScalar() && p.IsReadable()) names.push_back(p.Name);
  return names;
}

std::vector<std::string> TEntityList::ItemFields(TEntity& item, const std::vector<std::string>& names) const {
  std::vector<std::string> values;
  const TPropertyTable& table = item.Properties();
  for (const std::string& name : names) {
    const TProperty* p = table.Find(name);
    std::string v;
    if (p) switch (p->Kind) {
        case TPropKind::Integer: v = std::to_string(p->GetOrdinal(item)); break;
        // Booleans and enumerations are written the way the library format expects Booleans.
        case TPropKind::Boolean:
        case TPropKind::Enumeration: v = p->GetOrdinal(item) ? "-1" : "0"; break;
        case TPropKind::Float: v = FloatToStrGeneral(p->GetFloat(item)); break;
        case TPropKind::String: v = p->GetString(item); break;
        default: break;
      }
    values.push_back(std::move(v));
  }
  return values;
}

std::vector<std::string> TEntityList::CsvLines() const {
  std::vector<std::string> lines;
  if (!ObjectType || items_.empty()) return lines;
  std::vector<std::string> names = FieldNames();
  lines.push_back(JoinCommaText(names));
  for (const Entry& e : items_) lines.push_back(JoinCommaText(ItemFields(*e.entity, names)));
  return lines;
}

TResult TEntityList::SaveToCsv(const std::string& CsvFilename) const {
  std::vector<std::string> lines = CsvLines();
  if (lines.empty()) return {};
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return WriteFileAtomic(CsvFilename, Utf8ToCp1252(text));
}

void TEntityList::LoadFromCsvLines(const std::vector<std::string>& Lines, const std::string& IndexField) {
  if (!ObjectType || Lines.empty()) return;
  std::string header = Lines[0];
  while (!header.empty() && (header.back() == ',' || header.back() == ' ')) header.pop_back();
  // Which field feeds which property is worked out once for the file.
  TIndexedWhileLoading indexed(*this);
  const std::vector<int> columns = ObjectType()->CsvColumns(SplitCommaText(header));
  for (size_t i = 1; i < Lines.size(); ++i) {
    std::vector<std::string> fields = SplitCommaText(Lines[i]);
    if (fields.empty() || fields[0].empty()) break;
    std::unique_ptr<TEntity> item = ObjectType();
    item->LoadFromCsvFields(columns, fields);
    AddOrReplace(std::move(item), IndexField, true);
  }
}

std::vector<std::string> TEntityList::CsvTextLines(std::string_view Bytes) {
  if (Bytes.size() >= 3 && Bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) Bytes.remove_prefix(3);
  const std::string text = IsValidUtf8(Bytes) ? std::string(Bytes) : Cp1252ToUtf8(Bytes);
  std::vector<std::string> lines;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    pos = end + 1;
  }
  return lines;
}

TResult TEntityList::LoadFromCsv(const std::string& CsvFilename, const std::string& IndexField) {
  std::string bytes;
  if (TResult read = ReadFileBytes(CsvFilename, bytes); !read) return read;
  LoadFromCsvLines(CsvTextLines(bytes), IndexField);
  return {};
}

// ---------------------------------------------------------------------------
// Binary library stream.

namespace {

// Bounds on counts read from a stream, so a damaged file cannot make the
// reader allocate without limit.
constexpr int32_t kMaxItems = kMaxStreamItems;
constexpr int32_t kMaxFields = kMaxStreamFields;
constexpr int32_t kMaxStringLength = kMaxStreamStringLength;

// Reads integers and strings from the bytes of a whole library file. The
// first read that would pass the end marks the reader failed; later reads give
// 0 or "" and the failure stays, so a block is read to its end and then judged.
class TStreamReader {
 public:
  explicit TStreamReader(std::string_view bytes) : bytes_(bytes) {}
  const TResult& Result() const { return result_; }
  bool Failed() const { return !result_; }
  int64_t Position() const { return pos_; }
  void Seek(int64_t p) { pos_ = p; }
  int64_t Size() const { return static_cast<int64_t>(bytes_.size()); }
  int32_t ReadInt() {
    if (!Have(4)) return 0;
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(static_cast<unsigned char>(bytes_[pos_ + i])) << (8 * i);
    pos_ += 4;
    return static_cast<int32_t>(v);
  }
  std::string ReadString() {
    std::string s;
    ReadString(s);
    return s;
  }
  // Into Text, reusing its storage.
  void ReadString(std::string& Text) {
    int32_t len = std::clamp(ReadInt(), 0, kMaxStringLength);
    Text.clear();
    if (len < 1 || !Have(static_cast<int64_t>(len) * 2)) return;
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes_.data()) + pos_;
    pos_ += static_cast<int64_t>(len) * 2;
    // Plain ASCII, as library text nearly always is, needs no conversion.
    bool ascii = true;
    for (int32_t i = 0; i < len && ascii; ++i) ascii = p[2 * i + 1] == 0 && p[2 * i] < 0x80;
    if (ascii) {
      Text.resize(static_cast<size_t>(len));
      for (int32_t i = 0; i < len; ++i) Text[i] = static_cast<char>(p[2 * i]);
      return;
    }
    std::u16string u(static_cast<size_t>(len), u'\0');
    for (int32_t i = 0; i < len; ++i) u[i] = static_cast<char16_t>(p[2 * i] | (p[2 * i + 1] << 8));
    Text = Utf16ToUtf8(u);
  }

 private:
  bool Have(int64_t n) {
    if (Failed()) return false;
    if (pos_ >= 0 && pos_ + n <= Size()) return true;
    result_ = TResult::Failure("Library file ends unexpectedly at position " + std::to_string(pos_));
    return false;
  }
  std::string_view bytes_;
  int64_t pos_ = 0;
  TResult result_;
};

void PutInt(std::string& out, int32_t v) {
  uint32_t u = static_cast<uint32_t>(v);
  for (int i = 0; i < 4; ++i) out += static_cast<char>((u >> (8 * i)) & 0xFF);
}

void PutString(std::string& out, const std::string& s) {
  std::u16string u = Utf8ToUtf16(s);
  PutInt(out, static_cast<int32_t>(u.size()));
  for (char16_t c : u) {
    out += static_cast<char>(c & 0xFF);
    out += static_cast<char>(c >> 8);
  }
}

TResult AppendBytes(const std::string& filename, const std::string& bytes, bool truncate) {
  std::ofstream out(filename, std::ios::binary | (truncate ? std::ios::trunc : std::ios::app));
  if (out) out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) return TResult::Failure("Cannot write file [" + filename + "]");
  return {};
}

// Places the reader at the block at Position, or behind the header.
void SeekBlock(TStreamReader& r, int64_t Position) {
  if (Position > 0) {
    r.Seek(Position);
    return;
  }
  r.Seek(0);
  r.ReadInt();
  r.ReadString();
}

}  // namespace

void TEntityList::AppendStreamBlock(std::string& Bytes, bool WillWriteHeader) const {
  if (!ObjectType || items_.empty()) return;
  if (WillWriteHeader) {
    PutInt(Bytes, 0);
    PutString(Bytes, "Saved " + FormatDateTime(std::time(nullptr)));
  }
  std::vector<std::string> names = FieldNames();
  PutString(Bytes, SectionName());
  PutInt(Bytes, Count());
  PutInt(Bytes, static_cast<int32_t>(names.size()));
  for (const std::string& n : names) PutString(Bytes, n);
  for (const Entry& e : items_)
    for (const std::string& v : ItemFields(*e.entity, names)) PutString(Bytes, v);
}

void TEntityList::AppendStreamString(std::string& Bytes, const std::string& s) { PutString(Bytes, s); }

TResult TEntityList::SaveToStream(const std::string& Filename, bool WillAppendIfExists) const {
  if (!ObjectType || items_.empty()) return {};
  std::error_code ec;
  bool append = WillAppendIfExists && std::filesystem::exists(Filename, ec);
  bool empty = !append || std::filesystem::file_size(Filename, ec) == 0;
  std::string bytes;
  AppendStreamBlock(bytes, empty);
  return AppendBytes(Filename, bytes, !append);
}

TResult TEntityList::LoadFromStream(const std::string& Filename, const std::string& IndexField, int64_t Position,
                                    int64_t* NextPosition) {
  std::string bytes;
  if (TResult read = ReadFileBytes(Filename, bytes); !read) return read;
  return LoadFromStreamBytes(bytes, IndexField, Position, NextPosition);
}

TResult TEntityList::LoadFromStreamBytes(std::string_view Bytes, const std::string& IndexField, int64_t Position,
                                         int64_t* NextPosition) {
  TStreamReader r(Bytes);
  SeekBlock(r, Position);
  r.ReadString();  // block name
  int32_t item_count = std::clamp(r.ReadInt(), 0, kMaxItems);
  int32_t field_count = std::clamp(r.ReadInt(), 0, kMaxFields);
  std::vector<std::string> names(static_cast<size_t>(field_count));
  for (std::string& name : names) r.ReadString(name);
  // Each item is filled straight from its fields; which field feeds which
  // property is worked out once for the block, and the keys are checked
  // through the index while the block loads.
  TIndexedWhileLoading indexed(*this);
  std::vector<int> columns;
  if (ObjectType && !r.Failed()) columns = ObjectType()->CsvColumns(names);
  std::vector<std::string> values(static_cast<size_t>(field_count));
  for (int32_t item = 0; item < item_count && !r.Failed(); ++item) {
    for (std::string& value : values) r.ReadString(value);
    if (!ObjectType || r.Failed()) continue;
    std::unique_ptr<TEntity> entity = ObjectType();
    entity->LoadFromCsvFields(columns, values);
    AddOrReplace(std::move(entity), IndexField, true);
  }
  if (r.Failed()) return r.Result();
  if (field_count == 0) return TResult::Failure("Fields not properly defined");
  if (item_count == 0) return TResult::Failure("No library items read");
  if (NextPosition) *NextPosition = r.Position();
  return {};
}

TResult TEntityList::PeekStringFromStream(const std::string& Filename, int64_t Position, std::string& Name) {
  std::string bytes;
  if (TResult read = ReadFileBytes(Filename, bytes); !read) return read;
  return PeekStringFromStreamBytes(bytes, Position, Name);
}

TResult TEntityList::PeekStringFromStreamBytes(std::string_view Bytes, int64_t Position, std::string& Name) {
  TStreamReader r(Bytes);
  SeekBlock(r, Position);
  std::string name = r.ReadString();
  if (r.Failed()) return r.Result();
  Name = std::move(name);
  return {};
}

TResult TEntityList::WriteStringToStream(const std::string& Filename, const std::string& s) {
  std::string bytes;
  PutString(bytes, s);
  return AppendBytes(Filename, bytes, false);
}
