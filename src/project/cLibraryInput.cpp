#include "project/cLibraryInput.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <vector>

#include "entity/VEXUtility.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"
#include "project/cSession.h"

namespace {

// What a value of a column must be, beyond being readable as its property's kind.
enum class TRule {
  Text,            // not empty
  Positive,        // a number greater than 0 (a dimension, a strength)
  NotNegative,     // a number, 0 when empty (a load, a factor, an optional dimension)
  DepthOrNoLimit,  // -1 for no limit, or a number not negative
};

struct TColumnRule {
  const char* Type;    // the definitions file's type, upper case
  const char* Column;  // property name
  TRule Rule;
  bool IsRequired;  // the column must be in the file
  double Max;       // the largest value a real section, deck, use or factor has
};

// A number of a column no rule names must still be one a library can hold.
constexpr double kMaxAnyLibraryValue = 1e6;

// The columns the sections and the analysis use. Columns not listed here are
// optional and only need values of their kind.
constexpr TColumnRule kRules[] = {
    {"STEELSECTION", "Name", TRule::Text, true, 0},
    {"STEELSECTION", "Grade", TRule::Text, true, 0},
    {"STEELSECTION", "d", TRule::Positive, true, 5000},
    {"STEELSECTION", "b", TRule::Positive, true, 2000},
    {"STEELSECTION", "tf", TRule::Positive, true, 200},
    {"STEELSECTION", "tw", TRule::Positive, true, 200},
    {"STEELSECTION", "fyf", TRule::Positive, true, 1000},
    {"STEELSECTION", "fyw", TRule::Positive, true, 1000},
    // The bottom flange of a doubly symmetric section is its top flange.
    {"STEELSECTION", "bbf", TRule::NotNegative, false, 2000},
    {"STEELSECTION", "tbf", TRule::NotNegative, false, 200},
    {"STEELSECTION", "fybf", TRule::NotNegative, false, 1000},

    {"SHEARCONNECTOR", "Name", TRule::Text, true, 0},
    {"SHEARCONNECTOR", "ConnectorType", TRule::NotNegative, true, 2},
    {"SHEARCONNECTOR", "dbs", TRule::Positive, true, 100},
    {"SHEARCONNECTOR", "hsc", TRule::Positive, true, 1000},
    {"SHEARCONNECTOR", "fuc", TRule::Positive, true, 2000},

    // A solid slab is a deck whose dimensions are all 0.
    {"STEELDECK", "Name", TRule::Text, true, 0},
    {"STEELDECK", "Mass", TRule::NotNegative, true, 1000},
    {"STEELDECK", "sr", TRule::NotNegative, true, 2000},
    {"STEELDECK", "bsr", TRule::NotNegative, true, 2000},
    {"STEELDECK", "hr", TRule::NotNegative, true, 500},
    {"STEELDECK", "t", TRule::NotNegative, true, 10},
    {"STEELDECK", "StudsPerRib", TRule::NotNegative, true, 10},
    {"STEELDECK", "VoidRatio", TRule::NotNegative, true, 1},
    {"STEELDECK", "Beta", TRule::NotNegative, true, 10},
    {"STEELDECK", "DeckType", TRule::NotNegative, true, 3},

    {"FLOORUSE", "Name", TRule::Text, true, 0},
    {"FLOORUSE", "Ds", TRule::Positive, true, 1000},
    {"FLOORUSE", "ConcreteStrength", TRule::Positive, true, 150},
    {"FLOORUSE", "NominalLiveLoad", TRule::NotNegative, true, 100},
    {"FLOORUSE", "IsLiveLoadReducible", TRule::NotNegative, true, 1},
    {"FLOORUSE", "DeadLoad", TRule::NotNegative, true, 100},
    {"FLOORUSE", "IncrementalRelLimit", TRule::NotNegative, true, 10000},
    {"FLOORUSE", "TotalRelLimit", TRule::NotNegative, true, 10000},
    {"FLOORUSE", "LFliveShort", TRule::NotNegative, true, 10},
    {"FLOORUSE", "LFliveLong", TRule::NotNegative, true, 10},
    {"FLOORUSE", "FacadeLoad", TRule::NotNegative, false, 100},

    {"LIMITSTATE", "LimitStateLabel", TRule::Text, true, 0},
    {"LIMITSTATE", "LFdead", TRule::NotNegative, true, 10},
    {"LIMITSTATE", "LFlive", TRule::NotNegative, true, 10},

    {"CWBRESTRICTION", "MinDepth", TRule::NotNegative, true, 5000},
    {"CWBRESTRICTION", "MaxDepth", TRule::DepthOrNoLimit, true, 5000},
    {"CWBRESTRICTION", "bfMin", TRule::NotNegative, true, 2000},
    {"CWBRESTRICTION", "tfMin", TRule::NotNegative, true, 200},
    {"CWBRESTRICTION", "twMin", TRule::NotNegative, true, 200},
};

const TColumnRule* RuleOf(const std::string& Type, const std::string& Column) {
  for (const TColumnRule& r : kRules)
    if (Type == r.Type && SameText(Column, r.Column)) return &r;
  return nullptr;
}

std::string Quoted(const std::string& Text) { return "\"" + Text + "\""; }

// A number of no column rule: finite (it was read) and within what any library holds.
std::string AnyValueProblem(const std::string& Text, double Value) {
  if (std::fabs(Value) <= kMaxAnyLibraryValue) return "";
  return Quoted(Text) + " is outside the range of any library value (" + FloatToStrGeneral(-kMaxAnyLibraryValue) +
         " to " + FloatToStrGeneral(kMaxAnyLibraryValue) + ")";
}

// The problem with one value, "" when there is none. Booleans are written
// "-1" or "0" (or 1, True, False); any other value is a slip, not a truth.
std::string ValueProblem(const TProperty& Property, const TColumnRule* Rule, const std::string& Text) {
  const std::string text = Trim(Text);
  double value = 0;
  switch (Property.Kind) {
    case TPropKind::String: {
      const size_t length = Utf8ToUtf16(Text).size();
      if (length > static_cast<size_t>(kMaxStreamStringLength))
        return std::to_string(length) + " characters, more than " + std::to_string(kMaxStreamStringLength);
      if (Rule && Rule->Rule == TRule::Text && text.empty()) return "a value is needed";
      return "";
    }
    case TPropKind::Integer:
    case TPropKind::Enumeration: {
      int32_t whole = 0;
      if (!text.empty() && !TryStrToInt(text, whole)) return Quoted(Text) + " is not a whole number";
      value = whole;
      break;
    }
    case TPropKind::Boolean:
      if (text.empty() || SameText(text, "True") || SameText(text, "False")) return "";
      if (!TryStrToFloat(text, value) || (value != 0 && value != 1 && value != -1))
        return Quoted(Text) + " is not 0, 1, -1, True or False";
      return "";
    case TPropKind::Float:
      if (!text.empty() && !TryStrToFloat(text, value)) return Quoted(Text) + " is not a number";
      break;
    default: return "";
  }
  if (!Rule) return AnyValueProblem(Text, value);
  switch (Rule->Rule) {
    case TRule::Positive:
      if (text.empty()) return "a value is needed";
      if (!(value > 0)) return Quoted(Text) + " must be greater than 0";
      break;
    case TRule::NotNegative:
      if (value < 0) return Quoted(Text) + " must not be negative";
      break;
    case TRule::DepthOrNoLimit:
      if (value < 0 && value != -1) return Quoted(Text) + " must be -1 (no limit) or not negative";
      break;
    case TRule::Text: return "";
  }
  if (value > Rule->Max) return Quoted(Text) + " is more than " + FloatToStrDP(false, 0, 3, Rule->Max);
  return "";
}

// The section types the program knows; a library section of any other type
// would be analysed with the rules of none.
bool IsKnownSectionType(const std::string& Type) {
  for (const char* known : {"UB", "UC", "WB", "WC", "RHS", "SHS", "Custom", "Custom_I", "Cust_Box"})
    if (Type == known) return true;
  return false;
}

// The problem with a whole row once its values pass, "" when there is none:
// what only the values together say.
std::string RowProblem(const std::string& Type, TEntity& Item) {
  if (Type == "STEELSECTION") {
    const std::string type = Item.TextValue("SectionType");
    if (!IsKnownSectionType(type)) return "section type \"" + type + "\" is not one the program knows";
  }
  if (Type == "CWBRESTRICTION") {
    const double min = Item.NumericValue("MinDepth"), max = Item.NumericValue("MaxDepth");
    if (max != -1 && min > max)
      return "minimum depth " + FloatToStrDP(false, 0, 3, min) + " is more than the maximum depth " +
             FloatToStrDP(false, 0, 3, max);
  }
  return "";
}

// Checks one CSV file as the library of Type (upper case) will read it.
TResult CheckLibraryCsv(const std::string& File, const std::string& Type, TEntityList& Library) {
  const std::string where = "Library [" + File + "]";
  std::string bytes;
  if (TResult read = ReadFileBytes(File, bytes); !read) return read;
  if (bytes.size() >= 2 && ((bytes[0] == '\xFF' && bytes[1] == '\xFE') || (bytes[0] == '\xFE' && bytes[1] == '\xFF')))
    return TResult::Failure(where + ": UTF-16 text; save the file as UTF-8");
  if (const size_t nul = bytes.find('\0'); nul != std::string::npos) {
    const auto row = 1 + std::count(bytes.begin(), bytes.begin() + static_cast<long>(nul), '\n');
    return TResult::Failure(where + ", row " + std::to_string(row) + ": a NUL character; save the file as UTF-8");
  }
  const std::vector<std::string> lines = TEntityList::CsvTextLines(bytes);
  if (lines.empty()) return TResult::Failure(where + ", row 1: no header of column names");

  // The header, as the loader reads it.
  std::string header = lines[0];
  while (!header.empty() && (header.back() == ',' || header.back() == ' ')) header.pop_back();
  const std::vector<std::string> names = SplitCommaText(header);
  const std::unique_ptr<TEntity> probe = Library.ObjectType();
  for (const TColumnRule& r : kRules) {
    if (Type != r.Type || !r.IsRequired) continue;
    bool found = false;
    for (const std::string& n : names) found = found || SameText(n, r.Column);
    if (!found) return TResult::Failure(where + ", row 1: column " + r.Column + " is missing");
  }
  // The property each column feeds (null for columns that name none, which are ignored).
  std::vector<const TProperty*> properties(names.size(), nullptr);
  std::vector<const TColumnRule*> rules(names.size(), nullptr);
  for (size_t i = 0; i < names.size(); ++i) {
    const TProperty* p = probe->Properties().Find(names[i]);
    if (!p || !p->IsPublished || !p->IsScalar() || !p->IsWritable()) continue;
    for (size_t k = 0; k < i; ++k)
      if (properties[k] == p)
        return TResult::Failure(where + ", row 1, column " + std::to_string(i + 1) + ": column " + names[i] +
                                " is there twice");
    properties[i] = p;
    rules[i] = RuleOf(Type, names[i]);
  }

  // The rows, up to the first whose first field is empty, where the loader stops.
  const std::vector<int> columns = probe->CsvColumns(names);
  const std::string index_field = TSession::LibraryIndexField(Type);
  std::map<std::string, size_t> keys;  // upper case, as the library looks keys up; the row holding each
  for (size_t line = 1; line < lines.size(); ++line) {
    const std::vector<std::string> fields = SplitCommaText(lines[line]);
    if (fields.empty() || fields[0].empty()) break;
    const std::string row = where + ", row " + std::to_string(line + 1);
    if (line > static_cast<size_t>(kMaxStreamItems))
      return TResult::Failure(row + ": more than " + std::to_string(kMaxStreamItems) + " rows");
    for (size_t i = 0; i < names.size(); ++i) {
      if (!properties[i]) continue;
      const std::string text = i < fields.size() ? fields[i] : std::string();
      if (const std::string problem = ValueProblem(*properties[i], rules[i], text); !problem.empty())
        return TResult::Failure(row + ", column " + std::to_string(i + 1) + " (" + names[i] + "): " + problem);
    }
    // The item as the loader makes it.
    const std::unique_ptr<TEntity> item = Library.ObjectType();
    item->LoadFromCsvFields(columns, fields);
    if (const std::string problem = RowProblem(Type, *item); !problem.empty())
      return TResult::Failure(row + ": " + problem);
    // A second row of the same key would silently replace the first.
    const std::string key = item->StringValue(index_field, "", 0, 3);
    const auto [earlier, is_new] = keys.emplace(UpperCase(key), line + 1);
    if (!is_new)
      return TResult::Failure(row + ": " + index_field + " \"" + key + "\" is already in row " +
                              std::to_string(earlier->second));
  }
  return {};
}

}  // namespace

TResult CheckLibraryDefinitions(const std::string& DefinitionsFile, bool HasOutputFile) {
  const char* kSection = "Libraries";
  const std::string where = "Library definitions file [" + DefinitionsFile + "]";
  TVEXIniFile ini(DefinitionsFile, true);
  if (!ini.LoadResult()) return ini.LoadResult();
  if (!HasOutputFile && Trim(ini.ReadString(kSection, "Name", "")).empty())
    return TResult::Failure(where + " names no library file to write (no Name in section [" + kSection + "])");
  const int count = ini.ReadCount(kSection, "Count", kMaxLibraryDefinitions);
  if (const TResult& problem = ini.ReadProblem(); !problem) return TResult::Failure(where + ", " + problem.Message());

  const std::filesystem::path folder = std::filesystem::path(DefinitionsFile).parent_path();
  TSession probe;
  for (int i = 1; i <= count; ++i) {
    const std::string index = std::to_string(i);
    const std::string name = Trim(ini.ReadString(kSection, "Library" + index, ""));
    if (name.empty())
      return TResult::Failure(where + ", section [" + kSection + "], key Library" + index + ": no file named");
    const std::string type = UpperCase(Trim(ini.ReadString(kSection, "Type" + index, "")));
    TEntityList* library = probe.LibraryOfType(type);
    if (!library) continue;  // a type no library reads is skipped, as the loading skips it
    const std::string csv = (folder / std::filesystem::path(name).replace_extension(".csv")).string();
    std::error_code ec;
    if (!std::filesystem::exists(csv, ec)) continue;  // reported by the loading
    if (TResult checked = CheckLibraryCsv(csv, type, *library); !checked) return checked;
  }
  return {};
}

TResult CheckLibrariesFitLibraryFile(const TSession& Session) {
  for (const char* type : {"STEELSECTION", "SHEARCONNECTOR", "STEELDECK", "FLOORUSE", "LIMITSTATE", "CWBRESTRICTION"}) {
    const TEntityList* library = Session.LibraryOfType(type);
    if (library && library->Count() > kMaxStreamItems)
      return TResult::Failure("The " + TSession::LibraryCaption(type) + " library holds " +
                              std::to_string(library->Count()) + " items, more than the " +
                              std::to_string(kMaxStreamItems) + " a library file holds");
  }
  return {};
}
