// The workbook is read as the Office Open XML package it is: a zip archive
// whose relationship parts say where the workbook, its worksheets and its
// shared strings are stored. Element names are matched without their
// namespace prefix, since writers differ in the prefixes they use.
#include "admin/cExcelDirect.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <map>
#include <optional>
#include <unordered_map>
#include <vector>

#include <pugixml.hpp>
#include <zip.h>

#include "entity/VEXUtility.h"

namespace {

constexpr zip_uint64_t kMaxPartSize = 50u * 1024 * 1024;
constexpr int kMaxRows = 1048576;
constexpr int kMaxColumns = 16384;
// The workbook the import understands is small: a few sheets of a few dozen
// rows. These bounds are far above it, and keep the work a crafted file can
// ask for in proportion to its size.
constexpr zip_uint64_t kMaxUnpackRatio = 100;               // parts read, against the file's size
constexpr zip_uint64_t kMinUnpackAllowance = 1024 * 1024;   // what a tiny file may still unpack to
constexpr size_t kMaxXmlElements = 1000000;                 // per part, before it is parsed
constexpr size_t kMaxSharedStrings = 100000;
constexpr size_t kMaxCellsPerSheet = 100000;

// ---------------------------------------------------------------------------
// XML helpers.

const char* LocalName(const char* Name) {
  const char* colon = std::strrchr(Name, ':');
  return colon ? colon + 1 : Name;
}

bool IsElement(const pugi::xml_node& Node, const char* Local) {
  return Node.type() == pugi::node_element && std::strcmp(LocalName(Node.name()), Local) == 0;
}

pugi::xml_node ChildElement(const pugi::xml_node& Parent, const char* Local) {
  for (pugi::xml_node c : Parent.children())
    if (IsElement(c, Local)) return c;
  return {};
}

// An attribute by its name without prefix ("r:id" answers to "id").
pugi::xml_attribute AttributeNamed(const pugi::xml_node& Node, const char* Local) {
  for (pugi::xml_attribute a : Node.attributes())
    if (std::strcmp(LocalName(a.name()), Local) == 0) return a;
  return {};
}

// All character data directly inside an element.
std::string TextOf(const pugi::xml_node& Node) {
  std::string text;
  for (pugi::xml_node c : Node.children())
    if (c.type() == pugi::node_pcdata || c.type() == pugi::node_cdata) text += c.value();
  return text;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Spreadsheet text stores characters XML cannot hold (a CR, a tab in some
// writers) as "_xHHHH_".
std::string DecodeCharacterEscapes(const std::string& Text) {
  if (Text.find("_x") == std::string::npos) return Text;
  std::string out;
  for (size_t i = 0; i < Text.size(); ++i) {
    if (Text[i] == '_' && i + 6 < Text.size() && Text[i + 1] == 'x' && Text[i + 6] == '_') {
      int code = 0;
      bool is_hex = true;
      for (size_t k = i + 2; k < i + 6; ++k) {
        const int d = HexDigit(Text[k]);
        is_hex = is_hex && d >= 0;
        code = code * 16 + (d < 0 ? 0 : d);
      }
      if (is_hex && (code < 0xD800 || code > 0xDFFF)) {
        out += Utf16ToUtf8(std::u16string(1, static_cast<char16_t>(code)));
        i += 6;
        continue;
      }
    }
    out += Text[i];
  }
  return out;
}

// The text of a shared string item or an inline string: its own text, or
// the runs of rich text joined (phonetic hints left out).
std::string StringItemText(const pugi::xml_node& Item) {
  std::string text;
  for (pugi::xml_node c : Item.children()) {
    if (IsElement(c, "t")) text += TextOf(c);
    else if (IsElement(c, "r")) text += TextOf(ChildElement(c, "t"));
  }
  return DecodeCharacterEscapes(text);
}

bool ParseXml(const std::string& Bytes, pugi::xml_document& Doc, std::string& Error) {
  const pugi::xml_parse_result r =
      Doc.load_buffer(Bytes.data(), Bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
  if (r) return true;
  Error = std::string("not well-formed XML (") + r.description() + " at byte " + std::to_string(r.offset) + ")";
  return false;
}

// A number as the workbook stores it: plain decimal text with '.'.
bool ParseStoredNumber(std::string_view Text, double& Value) {
  while (!Text.empty() && static_cast<unsigned char>(Text.front()) <= ' ') Text.remove_prefix(1);
  while (!Text.empty() && static_cast<unsigned char>(Text.back()) <= ' ') Text.remove_suffix(1);
  if (!Text.empty() && Text.front() == '+') Text.remove_prefix(1);
  if (Text.empty()) return false;
  double v = 0;
  const auto r = std::from_chars(Text.data(), Text.data() + Text.size(), v, std::chars_format::general);
  if (r.ec != std::errc() || r.ptr != Text.data() + Text.size() || !std::isfinite(v)) return false;
  Value = v;
  return true;
}

// ---------------------------------------------------------------------------
// Package paths.

// A relationship target resolved against the folder of the part that names
// it ("" for the package root); "." and ".." segments are folded.
std::string ResolvePartName(const std::string& BaseFolder, const std::string& Target) {
  const std::string joined = !Target.empty() && Target[0] == '/' ? Target.substr(1) : BaseFolder + Target;
  std::vector<std::string> segments;
  size_t start = 0;
  while (start <= joined.size()) {
    size_t slash = joined.find('/', start);
    if (slash == std::string::npos) slash = joined.size();
    const std::string segment = joined.substr(start, slash - start);
    if (segment == "..") {
      if (!segments.empty()) segments.pop_back();
    } else if (!segment.empty() && segment != ".") {
      segments.push_back(segment);
    }
    start = slash + 1;
  }
  std::string out;
  for (const std::string& s : segments) out += (out.empty() ? "" : "/") + s;
  return out;
}

// "A" for column 1, "Z" for 26, "AA" for 27.
std::string ColumnName(int Column) {
  std::string name;
  for (; Column > 0; Column = (Column - 1) / 26) name.insert(name.begin(), static_cast<char>('A' + (Column - 1) % 26));
  return name;
}

std::string FolderOf(const std::string& PartName) {
  const size_t slash = PartName.rfind('/');
  return slash == std::string::npos ? "" : PartName.substr(0, slash + 1);
}

// "xl/workbook.xml" -> "xl/_rels/workbook.xml.rels".
std::string RelationshipsPartOf(const std::string& PartName) {
  return FolderOf(PartName) + "_rels/" + PartName.substr(FolderOf(PartName).size()) + ".rels";
}

bool EndsWith(std::string_view Text, std::string_view End) {
  return Text.size() >= End.size() && Text.substr(Text.size() - End.size()) == End;
}

struct TRelationship {
  std::string Type;
  std::string Target;  // resolved part name
};

// ---------------------------------------------------------------------------
// The zip archive.

class TPackage {
 public:
  TPackage() = default;
  ~TPackage() {
    if (zip_) zip_discard(zip_);
  }
  TPackage(const TPackage&) = delete;
  TPackage& operator=(const TPackage&) = delete;

  bool Open(std::string Bytes, std::string& Error) {
    bytes_ = std::move(Bytes);
    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* source = zip_source_buffer_create(bytes_.data(), bytes_.size(), 0, &error);
    if (source) {
      zip_ = zip_open_from_source(source, ZIP_RDONLY, &error);
      if (!zip_) zip_source_free(source);
    }
    if (!zip_) Error = zip_error_strerror(&error);
    zip_error_fini(&error);
    return zip_ != nullptr;
  }

  // False with Error empty when the package has no such part. All parts
  // read together may unpack to at most kMaxUnpackRatio times the file's
  // size (kMinUnpackAllowance for a tiny file).
  bool Read(const std::string& PartName, std::string& Bytes, std::string& Error) const {
    Error.clear();
    const zip_int64_t index = zip_name_locate(zip_, PartName.c_str(), ZIP_FL_NOCASE);
    if (index < 0) return false;
    const zip_uint64_t allowance = std::max<zip_uint64_t>(kMaxUnpackRatio * bytes_.size(), kMinUnpackAllowance);
    const std::string too_much = "its parts unpack to more than " + std::to_string(kMaxUnpackRatio) +
                                 " times the size of the file, more than the workbook the import reads ever holds";
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(zip_, static_cast<zip_uint64_t>(index), 0, &stat) == 0 && (stat.valid & ZIP_STAT_SIZE)) {
      if (stat.size > kMaxPartSize) {
        Error = "part " + PartName + " is larger than 50 MB";
        return false;
      }
      if (unpacked_ + stat.size > allowance) {
        Error = too_much;
        return false;
      }
    }
    zip_file_t* file = zip_fopen_index(zip_, static_cast<zip_uint64_t>(index), 0);
    if (!file) {
      Error = "part " + PartName + " cannot be opened (" + zip_strerror(zip_) + ")";
      return false;
    }
    Bytes.clear();
    char buffer[65536];
    for (;;) {
      const zip_int64_t n = zip_fread(file, buffer, sizeof buffer);
      if (n < 0) {
        Error = "part " + PartName + " cannot be read (" + zip_file_strerror(file) + ")";
        break;
      }
      if (n == 0) break;
      if (Bytes.size() + static_cast<size_t>(n) > kMaxPartSize) {
        Error = "part " + PartName + " is larger than 50 MB";
        break;
      }
      // The sizes a package states may lie: what it unpacks to counts.
      unpacked_ += static_cast<zip_uint64_t>(n);
      if (unpacked_ > allowance) {
        Error = too_much;
        break;
      }
      Bytes.append(buffer, static_cast<size_t>(n));
    }
    zip_fclose(file);
    return Error.empty();
  }

  // Reads and parses an XML part; false with Error empty when it is absent.
  // A part of more than kMaxXmlElements elements is refused before it is
  // parsed (each would take memory of its own).
  bool ReadXml(const std::string& PartName, pugi::xml_document& Doc, std::string& Error) const {
    std::string bytes;
    if (!Read(PartName, bytes, Error)) return false;
    if (static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '<')) > kMaxXmlElements) {
      Error = "part " + PartName + " holds more than " + std::to_string(kMaxXmlElements) + " XML elements";
      return false;
    }
    if (ParseXml(bytes, Doc, Error)) return true;
    Error = "part " + PartName + " is " + Error;
    return false;
  }

  // The relationships a part declares, keyed by their id; empty when it declares none.
  bool ReadRelationships(const std::string& PartName, std::map<std::string, TRelationship>& Out,
                         std::string& Error) const {
    pugi::xml_document doc;
    if (!ReadXml(RelationshipsPartOf(PartName), doc, Error)) return Error.empty();
    const std::string folder = FolderOf(PartName);
    for (pugi::xml_node r : ChildElement(doc, "Relationships").children()) {
      if (!IsElement(r, "Relationship")) continue;
      if (std::string(r.attribute("TargetMode").value()) == "External") continue;
      Out[r.attribute("Id").value()] = {r.attribute("Type").value(),
                                        ResolvePartName(folder, r.attribute("Target").value())};
    }
    return true;
  }

 private:
  std::string bytes_;  // the archive, which libzip reads in place
  zip_t* zip_ = nullptr;
  mutable zip_uint64_t unpacked_ = 0;  // bytes of all the parts read so far
};

}  // namespace

// ---------------------------------------------------------------------------
// The workbook.

struct TExcelDirect::TCell {
  enum class TKind { Number, Text, Boolean, Error };
  TKind Kind = TKind::Text;
  double Number = 0;
  std::string Text;  // text, "True" or "False", or the error code; "" for a number
};

struct TExcelDirect::TSheet {
  std::string Name;
  std::unordered_map<int64_t, TCell> Cells;  // keyed by CellKey
  static int64_t CellKey(int Row, int Column) { return static_cast<int64_t>(Row) * (kMaxColumns + 1) + Column; }
};

struct TExcelDirect::TWorkbook {
  struct TSheetEntry {
    std::string Name;
    std::string PartName;  // "" when the relationships do not say
    std::unique_ptr<TSheet> Loaded;
  };
  std::string FileName;
  TPackage Package;
  std::vector<TSheetEntry> Sheets;
  std::vector<std::string> SharedStrings;

  // Reads the workbook part, the sheet list and the shared strings.
  bool Load(std::string& Error);
  // Parses one worksheet part into cells (Sheet); fails for a damaged sheet.
  TResult LoadSheet(const TSheetEntry& Entry, std::unique_ptr<TSheet>& Sheet) const;
  // One cell element into Cell; nothing for a cell without a value. Fails
  // (the message starting with Prefix) for a value the cell's type cannot hold.
  TResult ReadCell(const pugi::xml_node& C, const std::string& Name, const std::string& Prefix,
                   std::optional<TCell>& Cell) const;
};

bool TExcelDirect::TWorkbook::Load(std::string& Error) {
  // The package's own relationships name the main part; "xl/workbook.xml" by custom.
  std::map<std::string, TRelationship> root;
  if (!Package.ReadRelationships("", root, Error)) return false;
  std::string workbook_part = "xl/workbook.xml";
  for (const auto& [id, rel] : root)
    if (EndsWith(rel.Type, "/officeDocument")) workbook_part = rel.Target;

  pugi::xml_document doc;
  if (!Package.ReadXml(workbook_part, doc, Error)) {
    if (Error.empty()) Error = "it has no workbook part";
    return false;
  }
  const pugi::xml_node workbook = ChildElement(doc, "workbook");
  if (!workbook) {
    Error = "part " + workbook_part + " is not a workbook";
    return false;
  }
  std::map<std::string, TRelationship> rels;
  if (!Package.ReadRelationships(workbook_part, rels, Error)) return false;
  for (pugi::xml_node s : ChildElement(workbook, "sheets").children()) {
    if (!IsElement(s, "sheet")) continue;
    TSheetEntry entry;
    entry.Name = s.attribute("name").value();
    const auto rel = rels.find(AttributeNamed(s, "id").value());
    if (rel != rels.end()) entry.PartName = rel->second.Target;
    Sheets.push_back(std::move(entry));
  }

  for (const auto& [id, rel] : rels) {
    if (!EndsWith(rel.Type, "/sharedStrings")) continue;
    pugi::xml_document sst;
    if (!Package.ReadXml(rel.Target, sst, Error)) {
      if (Error.empty()) Error = "its shared strings part " + rel.Target + " is missing";
      return false;
    }
    for (pugi::xml_node si : ChildElement(sst, "sst").children()) {
      if (!IsElement(si, "si")) continue;
      if (SharedStrings.size() == kMaxSharedStrings) {
        Error = "its shared strings part " + rel.Target + " holds more than " + std::to_string(kMaxSharedStrings) +
                " strings, more than the workbook the import reads ever holds";
        return false;
      }
      SharedStrings.push_back(StringItemText(si));
    }
  }
  return true;
}

TResult TExcelDirect::TWorkbook::LoadSheet(const TSheetEntry& Entry, std::unique_ptr<TSheet>& Sheet) const {
  const std::string prefix = "Sheet \"" + Entry.Name + "\" of [" + FileName + "] cannot be read: ";
  auto fail = [&](const std::string& why) { return TResult::Failure(prefix + why); };
  if (Entry.PartName.empty()) return fail("the workbook does not say where it is stored");
  pugi::xml_document doc;
  std::string error;
  if (!Package.ReadXml(Entry.PartName, doc, error))
    return fail(error.empty() ? "part " + Entry.PartName + " is missing" : error);
  const pugi::xml_node worksheet = ChildElement(doc, "worksheet");
  if (!worksheet) return fail("part " + Entry.PartName + " is not a worksheet");

  auto sheet = std::make_unique<TSheet>();
  sheet->Name = Entry.Name;
  int row = 0;
  size_t cells = 0;
  for (pugi::xml_node r : ChildElement(worksheet, "sheetData").children()) {
    if (!IsElement(r, "row")) continue;
    // A row or cell without its reference follows the one before it.
    if (const pugi::xml_attribute ra = r.attribute("r")) {
      const std::string_view text = ra.value();
      int value = 0;
      const auto parsed = std::from_chars(text.data(), text.data() + text.size(), value);
      if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size() || value < 1 || value > kMaxRows)
        return fail("bad row number \"" + Shown(std::string(text)) + "\"");
      row = value;
    } else {
      ++row;
    }
    if (row > kMaxRows) return fail("more than " + std::to_string(kMaxRows) + " rows");
    int column = 0;
    for (pugi::xml_node c : r.children()) {
      if (!IsElement(c, "c")) continue;
      if (++cells > kMaxCellsPerSheet)
        return fail("more than " + std::to_string(kMaxCellsPerSheet) +
             " cells, more than the workbook the import reads ever holds");
      int cell_row = row;
      if (const pugi::xml_attribute ca = c.attribute("r")) {
        if (!SplitCellReference(UpperCase(ca.value()), cell_row, column))
          return fail("bad cell reference \"" + Shown(ca.value()) + "\"");
      } else if (++column > kMaxColumns) {
        return fail("more than " + std::to_string(kMaxColumns) + " columns in row " + std::to_string(row));
      }
      std::optional<TCell> cell;
      if (TResult read = ReadCell(c, ColumnName(column) + std::to_string(cell_row), prefix, cell); !read) return read;
      if (cell) sheet->Cells[TSheet::CellKey(cell_row, column)] = std::move(*cell);
    }
  }
  Sheet = std::move(sheet);
  return {};
}

TResult TExcelDirect::TWorkbook::ReadCell(const pugi::xml_node& C, const std::string& Name, const std::string& Prefix,
                                         std::optional<TCell>& Cell) const {
  Cell.reset();
  const std::string type = C.attribute("t").value();
  TCell cell;
  if (type == "inlineStr") {
    const pugi::xml_node is = ChildElement(C, "is");
    if (!is) return {};
    cell.Text = StringItemText(is);
    Cell = std::move(cell);
    return {};
  }
  const pugi::xml_node v = ChildElement(C, "v");
  if (!v) return {};
  const std::string value = TextOf(v);
  if (type == "s") {
    size_t index = 0;
    const auto parsed = std::from_chars(value.data(), value.data() + value.size(), index);
    if (parsed.ec != std::errc() || parsed.ptr != value.data() + value.size() || index >= SharedStrings.size())
      return TResult::Failure(Prefix + "cell " + Name + " refers to shared string \"" + Shown(value) +
                              "\", which the workbook lacks");
    cell.Text = SharedStrings[index];
  } else if (type == "b") {
    cell.Kind = TCell::TKind::Boolean;
    cell.Number = value == "1" || SameText(value, "true") ? 1 : 0;
    cell.Text = cell.Number != 0 ? "True" : "False";
  } else if (type == "e") {
    cell.Kind = TCell::TKind::Error;
    cell.Text = value;
  } else if (type.empty() || type == "n") {
    if (Trim(value).empty()) return {};
    if (!ParseStoredNumber(value, cell.Number))
      return TResult::Failure(Prefix + "cell " + Name + " stores \"" + Shown(value) + "\" as a number");
    cell.Kind = TCell::TKind::Number;  // its text is made when read, in the regional format
  } else {
    // "str" (a formula's text result), "d" (a date as text) and any other type.
    cell.Text = DecodeCharacterEscapes(value);
  }
  Cell = std::move(cell);
  return {};
}

// ---------------------------------------------------------------------------
// TExcelDirect.

TExcelDirect::TExcelDirect() = default;
TExcelDirect::~TExcelDirect() { Disconnect(); }

bool TExcelDirect::IsConnected() const { return workbook_ != nullptr; }

void TExcelDirect::Connect(const std::string& Filename) {
  if (IsConnected()) return;
  std::string bytes;
  if (TResult read = ReadFileBytes(Filename, bytes); !read) {
    connect_error_ = read.Message();
    return;
  }
  ConnectToBytes(std::move(bytes), Filename);
}

void TExcelDirect::ConnectToBytes(std::string Bytes, const std::string& Name) {
  if (IsConnected()) return;
  auto workbook = std::make_unique<TWorkbook>();
  workbook->FileName = Name;
  std::string error;
  if (!workbook->Package.Open(std::move(Bytes), error)) {
    connect_error_ = "[" + Name + "] is not a spreadsheet workbook (.xlsx): " + error;
    return;
  }
  if (!workbook->Load(error)) {
    connect_error_ = "[" + Name + "] is not a readable spreadsheet workbook: " + error;
    return;
  }
  connect_error_.clear();
  workbook_ = std::move(workbook);
}

void TExcelDirect::Disconnect() {
  sheet_ = nullptr;
  workbook_.reset();
}

TResult TExcelDirect::SetCurrentSheetByName(const std::string& Name) {
  if (!IsConnected())
    return TResult::Failure(connect_error_.empty() ? "No workbook is open to read sheet \"" + Name + "\" from"
                                                   : connect_error_);
  for (TWorkbook::TSheetEntry& entry : workbook_->Sheets) {
    if (!SameText(entry.Name, Name)) continue;
    if (!entry.Loaded)
      if (TResult loaded = workbook_->LoadSheet(entry, entry.Loaded); !loaded) return loaded;
    sheet_ = entry.Loaded.get();
    return {};
  }
  return TResult::Failure("The workbook [" + workbook_->FileName + "] has no sheet \"" + Name + "\"");
}

const std::string& TExcelDirect::CurrentSheetName() const {
  static const std::string kNone;
  return sheet_ ? sheet_->Name : kNone;
}

bool TExcelDirect::SplitCellReference(std::string_view CellReference, int& Row, int& Column) {
  int row = 0, column = 0;
  for (const char c : CellReference) {
    if (c >= '0' && c <= '9') {
      row = row * 10 + (c - '0');
      if (row > kMaxRows) return false;
    } else if (c >= 'A' && c <= 'Z' && row == 0) {
      column = column * 26 + (c - 64);
      if (column > kMaxColumns) return false;
    } else {
      return false;  // a letter after the row, or no letter at all
    }
  }
  if (row < 1 || column < 1) return false;
  Row = row;
  Column = column;
  return true;
}

std::string TExcelDirect::Shown(const std::string& Text) {
  constexpr size_t kMaxShown = 40;
  std::string shown = EscapeText(Text.size() > kMaxShown ? Text.substr(0, kMaxShown) : Text);
  return Text.size() > kMaxShown ? shown + "..." : shown;
}

std::string TExcelDirect::Where(const std::string& CellReference) const {
  return "Cell " + CellReference + " of sheet \"" + (sheet_ ? sheet_->Name : std::string()) + "\" in [" +
         (workbook_ ? workbook_->FileName : std::string()) + "]";
}

TResult TExcelDirect::CellAt(const std::string& CellReference, const TCell*& Cell) const {
  int row = 0, column = 0;
  if (!SplitCellReference(CellReference, row, column))
    return TResult::Failure("Invalid cell reference \"" + Shown(CellReference) + "\"");
  if (!sheet_) return TResult::Failure("No sheet chosen to read cell " + CellReference + " from");
  const auto found = sheet_->Cells.find(TSheet::CellKey(row, column));
  Cell = found == sheet_->Cells.end() ? nullptr : &found->second;
  return {};
}

TResult TExcelDirect::GetCellValue(const std::string& CellReference, std::string& Value) const {
  const TCell* cell = nullptr;
  if (TResult found = CellAt(CellReference, cell); !found) return found;
  if (!cell) Value.clear();
  else Value = cell->Kind == TCell::TKind::Number ? FloatToStrGeneral(cell->Number) : cell->Text;
  return {};
}

TResult TExcelDirect::GetCellFloatValue(const std::string& CellReference, double& Value) const {
  const TCell* cell = nullptr;
  if (TResult found = CellAt(CellReference, cell); !found) return found;
  if (!cell) {
    Value = 0;
    return {};
  }
  switch (cell->Kind) {
    case TCell::TKind::Number:
    case TCell::TKind::Boolean: Value = cell->Number; return {};
    case TCell::TKind::Error:
      return TResult::Failure(Where(CellReference) + " holds the error value " + Shown(cell->Text) +
                              ", not a number");
    case TCell::TKind::Text: break;
  }
  if (Trim(cell->Text).empty()) {
    Value = 0;
    return {};
  }
  double value = 0;
  if (!TryStrToFloat(cell->Text, value) || !std::isfinite(value))
    return TResult::Failure(Where(CellReference) + " holds \"" + Shown(cell->Text) + "\", which is not a number");
  Value = value;
  return {};
}

TResult TExcelDirect::GetCellIntegerValue(const std::string& CellReference, int& Value) const {
  const TCell* cell = nullptr;
  if (TResult found = CellAt(CellReference, cell); !found) return found;
  if (!cell) {
    Value = 0;
    return {};
  }
  if (cell->Kind == TCell::TKind::Text) {
    int32_t whole = 0;
    if (TryStrToInt(cell->Text, whole)) {
      Value = whole;
      return {};
    }
  }
  double value = 0;
  if (TResult read = GetCellFloatValue(CellReference, value); !read) return read;
  const double rounded = std::round(value);
  if (rounded < std::numeric_limits<int>::min() || rounded > std::numeric_limits<int>::max())
    return TResult::Failure(Where(CellReference) + " holds " + FloatToStrGeneral(value) +
                            ", which is beyond the range of a whole number");
  Value = static_cast<int>(rounded);
  return {};
}
