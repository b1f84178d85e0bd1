#include "entity/cEntity.h"

#include <algorithm>
#include <cmath>
#include <typeinfo>

#include "entity/VEXUtility.h"
#include "entity/cEntityList.h"
#include "entity/cIniFiles.h"

// ---------------------------------------------------------------------------
// Property table.

bool TProperty::IsReadable() const {
  switch (Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enumeration: return static_cast<bool>(GetOrdinal);
    case TPropKind::Float: return static_cast<bool>(GetFloat);
    case TPropKind::String: return static_cast<bool>(GetString);
    case TPropKind::Entity: return static_cast<bool>(GetEntity);
    case TPropKind::EntityList: return static_cast<bool>(GetList);
  }
  return false;
}

bool TProperty::IsWritable() const {
  switch (Kind) {
    case TPropKind::Integer:
    case TPropKind::Boolean:
    case TPropKind::Enumeration: return static_cast<bool>(SetOrdinal);
    case TPropKind::Float: return static_cast<bool>(SetFloat);
    case TPropKind::String: return static_cast<bool>(SetString);
    case TPropKind::Entity: return IsEntityWritable;
    case TPropKind::EntityList: return static_cast<bool>(GetList);
  }
  return false;
}

TPropertyTable::TPropertyTable(std::vector<TProperty> Own, const TPropertyTable* Base) : items_(std::move(Own)) {
  // A class may redeclare a base property (to publish it): its own entry
  // takes the place of the base's.
  if (Base)
    for (const TProperty& p : Base->items_) {
      bool redeclared = false;
      for (size_t i = 0; i < items_.size() && !redeclared; ++i) redeclared = SameText(items_[i].Name, p.Name);
      if (!redeclared) items_.push_back(p);
    }
  for (size_t i = 0; i < items_.size(); ++i) index_.emplace(UpperCase(items_[i].Name), i);
}

const TProperty* TPropertyTable::Find(std::string_view Name) const {
  auto it = index_.find(UpperCase(Name));
  return it == index_.end() ? nullptr : &items_[it->second];
}

// ---------------------------------------------------------------------------
// Expected values.

void ParseExpectedValue(const std::string& Text, double& Value, double& RelTolerance, double& AbsTolerance,
                        int& DecimalPlaces) {
  std::string s = Trim(Text);
  RelTolerance = 0;
  AbsTolerance = 0;
  while (true) {
    int open = LastPos("(+/-", s);
    if (open == 0) break;
    int pct = LastPos("%)", s);
    int close = LastPos(")", s);
    size_t start = static_cast<size_t>(open - 1) + 4;  // just behind "(+/-"
    if (pct > open + 4) {
      RelTolerance = StrToFloatDef(Trim(s.substr(start, static_cast<size_t>(pct - 1) - start)), 0.0) / 100.0;
    } else if (close > open + 4) {
      AbsTolerance = StrToFloatDef(Trim(s.substr(start, static_cast<size_t>(close - 1) - start)), 0.0);
    } else {
      break;
    }
    s = s.substr(0, static_cast<size_t>(open - 1));
  }
  s = Trim(s);
  Value = StrToFloatDef(s, 0.0);
  size_t sep = s.find(DecimalSeparator());
  DecimalPlaces = sep == std::string::npos ? 0 : static_cast<int>(s.size() - sep - 1);
}

// ---------------------------------------------------------------------------
// TEntity.

// Each class names its own section in its constructor.
TEntity::TEntity() : SectionName("Entity") {}

TEntity::~TEntity() = default;

const TPropertyTable& TEntity::Table() {
  static const TPropertyTable table({}, nullptr);
  return table;
}

void TEntity::Clear() {
  for (const TProperty& p : Properties().Items()) {
    if (!p.IsPublished || !p.IsWritable()) continue;
    switch (p.Kind) {
      case TPropKind::Integer:
      case TPropKind::Boolean:
      case TPropKind::Enumeration: p.SetOrdinal(*this, 0); break;
      case TPropKind::Float: p.SetFloat(*this, 0.0); break;
      case TPropKind::String: p.SetString(*this, ""); break;
      case TPropKind::Entity:
        if (TEntity* sub = p.GetEntity(*this)) sub->Clear();
        break;
      case TPropKind::EntityList:
        if (TEntityList* list = p.GetList(*this)) list->Clear();
        break;
    }
  }
}

TEntity* TEntity::EntityProperty(const std::string& PropertyName, int Index) {
  const TProperty* p = Properties().Find(PropertyName);
  if (!p) return nullptr;
  if (p->Kind == TPropKind::Entity) {
    return Index < 0 ? p->GetEntity(*this) : nullptr;
  }
  if (p->Kind == TPropKind::EntityList) {
    TEntityList* list = p->GetList(*this);
    if (!list || Index < 0 || Index >= list->Count()) return nullptr;
    return list->Item(Index);
  }
  return nullptr;
}

bool TEntity::IsSameValueAsString(const std::string& PropertyName, const std::string& Value, int DP) {
  return StringValue(PropertyName, "** UNKNOWN PROPERTY **", DP, 0) == Value;
}

bool TEntity::IsNumeric(const std::string& PropertyName) {
  const TProperty* p = Properties().Find(PropertyName);
  return p && p->IsReadable() && (p->Kind == TPropKind::Integer || p->Kind == TPropKind::Float);
}

double TEntity::NumericValue(const std::string& PropertyName) {
  const TProperty* p = Properties().Find(PropertyName);
  if (!p || !p->IsReadable()) return 0.0;
  if (p->Kind == TPropKind::Integer) return static_cast<double>(p->GetOrdinal(*this));
  if (p->Kind == TPropKind::Float) return p->GetFloat(*this);
  return 0.0;
}

std::string TEntity::StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                                 int MaxDPIncrease) {
  const TProperty* p = Properties().Find(PropertyName);
  if (!p || !p->IsReadable()) return Default;
  switch (p->Kind) {
    case TPropKind::Integer:
    case TPropKind::Enumeration: return std::to_string(p->GetOrdinal(*this));
    case TPropKind::Boolean: return p->GetOrdinal(*this) ? "True" : "False";
    case TPropKind::Float: return FloatToStrDP(false, DP, MaxDPIncrease, p->GetFloat(*this));
    case TPropKind::String: return p->GetString(*this);
    default: return "** Unable to evaluate property **";
  }
}

int64_t TEntity::OrdinalValue(const std::string& PropertyName) const {
  const TProperty* p = Properties().Find(PropertyName);
  if (!p || !p->GetOrdinal) return 0;
  return p->GetOrdinal(*this);
}

std::string TEntity::TextValue(const std::string& PropertyName) const {
  const TProperty* p = Properties().Find(PropertyName);
  if (!p || !p->GetString) return "";
  return p->GetString(*this);
}

TEntity* TEntity::ResolvePath(const std::string& ExtendedPropertyName, std::string& ValueName) {
  std::string path = UpperCase(ExtendedPropertyName);
  TEntity* current = this;
  size_t dot;
  while ((dot = path.find('.')) != std::string::npos && current) {
    std::string segment = path.substr(0, dot);
    path = path.substr(dot + 1);
    std::string name;
    int index;
    SplitTrailingNumber(segment, name, index);
    // Digits too many for an index name no entity (not the first one).
    if (index < 0 && name.size() != segment.size()) {
      current = nullptr;
      break;
    }
    current = current->EntityProperty(name, index);
  }
  ValueName = path;
  return current;
}

void TEntity::CalcActualValue(const std::string& ExtendedPropertyName, const std::string& ExpectedValue,
                              std::string& ActualValue, bool& IsExpected) {
  std::string value_name;
  TEntity* current = ResolvePath(ExtendedPropertyName, value_name);
  IsExpected = ExpectedValue == "?";
  if (!current) {
    ActualValue = "** UNKNOWN ENTITY **";
    return;
  }
  if (current->IsNumeric(value_name)) {
    double expected, rel, abs;
    int dp;
    ParseExpectedValue(ExpectedValue, expected, rel, abs, dp);
    if (rel > 0 || abs > 0) {
      double actual = current->NumericValue(value_name);
      if (!IsExpected) {
        double diff = std::fabs(expected - actual);
        double scale = std::max(std::fabs(expected), std::fabs(actual));
        bool rel_ok = rel <= 0 || (scale == 0 ? true : diff / scale <= rel);
        bool abs_ok = abs <= 0 || diff <= abs;
        IsExpected = rel_ok && abs_ok;
      }
    } else if (!IsExpected) {
      IsExpected = current->IsSameValueAsString(value_name, ExpectedValue, dp);
    }
    ActualValue = current->StringValue(value_name, "** UNKNOWN PROPERTY **", dp, 2);
  } else {
    if (!IsExpected) IsExpected = current->IsSameValueAsString(value_name, ExpectedValue, 0);
    ActualValue = current->StringValue(value_name, "** UNKNOWN PROPERTY **", 0, 3);
  }
}

bool TEntity::IsOK() { return Status.IsOK(); }

void TEntity::Assign(const TEntity* Source) {
  if (!Source) return;
  TEntity& src = const_cast<TEntity&>(*Source);
  const TPropertyTable& source_table = Source->Properties();
  for (const TProperty& p : Properties().Items()) {
    if (!p.IsWritable()) continue;
    const TProperty* sp = source_table.Find(p.Name);
    if (!sp || sp->Kind != p.Kind || !sp->IsReadable()) continue;
    switch (p.Kind) {
      case TPropKind::Integer:
      case TPropKind::Boolean:
      case TPropKind::Enumeration: p.SetOrdinal(*this, sp->GetOrdinal(src)); break;
      case TPropKind::Float: p.SetFloat(*this, sp->GetFloat(src)); break;
      case TPropKind::String: p.SetString(*this, sp->GetString(src)); break;
      case TPropKind::Entity: {
        TEntity* mine = p.GetEntity(*this);
        TEntity* theirs = sp->GetEntity(src);
        if (mine && theirs && mine != theirs) mine->Assign(theirs);
        break;
      }
      case TPropKind::EntityList: break;  // owners copy their lists themselves
    }
  }
}

std::string TEntity::SectionFor(const TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Key) const {
  std::string prefixed = Prefix + SectionName;
  if (Prefix.empty() || IniFile.ValueExists(prefixed, Key)) return prefixed;
  return SectionName;
}

void TEntity::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  const std::string section = Prefix + SectionName;
  for (const TProperty& p : Properties().Items()) {
    if (!p.IsPublished || !p.IsReadable()) continue;
    const std::string key = p.Name + Suffix;
    switch (p.Kind) {
      case TPropKind::Integer:
      case TPropKind::Enumeration: IniFile.WriteInteger(section, key, static_cast<int>(p.GetOrdinal(*this))); break;
      case TPropKind::Boolean: IniFile.WriteBool(section, key, p.GetOrdinal(*this) != 0); break;
      case TPropKind::Float: IniFile.WriteFloat(section, key, p.GetFloat(*this)); break;
      case TPropKind::String: IniFile.WriteString(section, key, EscapeText(p.GetString(*this))); break;
      case TPropKind::Entity:
        if (TEntity* sub = p.GetEntity(*this)) sub->SaveToIniFile(IniFile, Prefix, Suffix);
        break;
      case TPropKind::EntityList: break;  // owners save their lists themselves
    }
  }
}

TResult TEntity::LoadFromFile(const std::string& Filename) {
  TVEXIniFile ini(Filename, true);
  if (!ini.LoadResult()) {
    Clear();
    return ini.LoadResult();
  }
  LoadFromIniFile(ini, "", "");
  return {};
}

void TEntity::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  Clear();
  for (const TProperty& p : Properties().Items()) {
    if (!p.IsPublished) continue;
    if (p.Kind == TPropKind::Entity) {
      if (TEntity* sub = p.GetEntity(*this)) sub->LoadFromIniFile(IniFile, Prefix, Suffix);
      continue;
    }
    if (!p.IsWritable() || p.Kind == TPropKind::EntityList) continue;
    const std::string key = p.Name + Suffix;
    const std::string section = SectionFor(IniFile, Prefix, key);
    switch (p.Kind) {
      case TPropKind::Integer:
      case TPropKind::Enumeration: p.SetOrdinal(*this, IniFile.ReadInteger(section, key, 0)); break;
      case TPropKind::Boolean: p.SetOrdinal(*this, IniFile.ReadBool(section, key, false) ? 1 : 0); break;
      case TPropKind::Float: p.SetFloat(*this, IniFile.ReadFloat(section, key, 0.0)); break;
      case TPropKind::String: {
        const std::string text = IniFile.ReadString(section, key, "");
        // Line breaks travel escaped; any other control character (a NUL,
        // an escape sequence) is no part of a text a user wrote.
        if (std::any_of(text.begin(), text.end(), [](char c) {
              const auto u = static_cast<unsigned char>(c);
              return (u < 0x20 && c != '\t') || u == 0x7F;
            }))
          IniFile.NoteReadProblem(section, key, "a control character in the text");
        p.SetString(*this, UnescapeText(text));
        break;
      }
      default: break;
    }
  }
  IsChanged = false;
}

void TEntity::SetTestData(const std::vector<std::string>&) {}

namespace {

int DotCount(const std::string& s) { return static_cast<int>(std::count(s.begin(), s.end(), '.')); }

void AddUnique(std::vector<std::string>& list, const std::string& line) {
  if (std::find(list.begin(), list.end(), line) == list.end()) list.push_back(line);
}

}  // namespace

void TEntity::GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix, const std::string& Suffix,
                            int MaxDepth) {
  const std::string P = Prefix.empty() ? SectionName : Prefix;
  const std::string upper_p = UpperCase(P);
  if (upper_p == "TESTGROUPS" || upper_p == "TESTS") return;
  const bool plain_entity = P.find('.') == std::string::npos && P.find('*') == std::string::npos;
  for (const TProperty& p : Properties().Items()) {
    if (!p.IsReadable()) continue;
    if (SameText(p.Name, "SectionName") || SameText(p.Name, "IsChanged")) continue;
    if (p.IsScalar()) {
      std::string type;
      switch (p.Kind) {
        case TPropKind::Integer: type = "Integer"; break;
        case TPropKind::Float: type = "Float"; break;
        case TPropKind::String: type = "String"; break;
        case TPropKind::Boolean: type = "Boolean"; break;
        case TPropKind::Enumeration:
          if (StartsText("Is", p.Name) || StartsText("Are", p.Name) || StartsText("Will", p.Name)) type = "Boolean";
          break;
        default: break;
      }
      if (type.empty()) continue;
      std::string use;
      if (p.IsPublished && plain_entity) use += "I";
      if (P.find('<') == std::string::npos && Suffix.find('<') == std::string::npos) use += "O";
      if (use.empty()) continue;
      AddUnique(PropertyList, P + "," + p.Name + Suffix + "," + type + "," + use);
    } else if (p.Kind == TPropKind::Entity) {
      if (DotCount(P) >= MaxDepth) continue;
      TEntity* sub = p.GetEntity(*this);
      if (!sub) continue;
      sub->GetProperties(PropertyList, Prefix.empty() ? p.Name : Prefix + "." + p.Name, Suffix, MaxDepth);
    } else {
      TEntityList* list = p.GetList(*this);
      if (!list || list->Count() == 0) continue;
      TEntity* first = list->Item(0);
      if (DotCount(P) < MaxDepth)
        first->GetProperties(PropertyList, (Prefix.empty() ? p.Name : Prefix + "." + p.Name) + "*", Suffix, MaxDepth);
      if (plain_entity && MaxDepth >= 0) first->GetProperties(PropertyList, first->SectionName, Suffix + "<N>", MaxDepth);
    }
  }
}

double TEntity::LoadFloatFromIniFile(const TVEXIniFile& IniFile, const std::string& PropertyName,
                                     const std::string& Prefix, const std::string& Suffix, double Default) {
  const std::string key = PropertyName + Suffix;
  return IniFile.ReadFloat(SectionFor(IniFile, Prefix, key), key, Default);
}

void TEntity::SaveFloatToIniFile(TVEXIniFile& IniFile, const std::string& PropertyName, double PropertyValue,
                                 const std::string& Prefix, const std::string& Suffix) {
  IniFile.WriteFloat(Prefix + SectionName, PropertyName + Suffix, PropertyValue);
}

void TEntity::SetNamedPropertyValue(const std::string& PropertyName, const std::string& Value) {
  const TProperty* p = Properties().Find(PropertyName);
  if (p && p->Kind == TPropKind::String && p->SetString) p->SetString(*this, Value);
}

void TEntity::SetNamedPropertyValue(const std::string& PropertyName, int Value) {
  const TProperty* p = Properties().Find(PropertyName);
  if (p && p->Kind == TPropKind::Integer && p->SetOrdinal) p->SetOrdinal(*this, Value);
}

void TEntity::SetNamedPropertyValue(const std::string& PropertyName, double Value) {
  const TProperty* p = Properties().Find(PropertyName);
  if (p && p->Kind == TPropKind::Float && p->SetFloat) p->SetFloat(*this, Value);
}

void TEntity::SetNamedPropertyValue(const std::string& PropertyName, bool Value) {
  const TProperty* p = Properties().Find(PropertyName);
  if (p && p->Kind == TPropKind::Boolean && p->SetOrdinal) p->SetOrdinal(*this, Value ? 1 : 0);
}

TResult TEntity::SaveToFile(const std::string& Filename) {
  TVEXIniFile ini(Filename);
  ini.IsReadOnly = true;  // written explicitly below, so a failure is reported
  if (!ini.LoadResult()) return ini.LoadResult();
  SaveToIniFile(ini, "", "");
  return ini.UpdateFile();
}

void TEntity::LoadFromCsvString(const std::string& CsvProperties, const std::string& CsvValues) {
  LoadFromCsvFields(CsvColumns(SplitCommaText(CsvProperties)), SplitCommaText(CsvValues));
}

std::vector<int> TEntity::CsvColumns(const std::vector<std::string>& Names) const {
  const std::vector<TProperty>& properties = Properties().Items();
  std::vector<int> columns(properties.size(), -1);
  for (size_t k = 0; k < properties.size(); ++k) {
    const TProperty& p = properties[k];
    if (!p.IsPublished || !p.IsScalar() || !p.IsWritable()) continue;
    for (size_t i = 0; i < Names.size(); ++i)
      if (SameText(Names[i], p.Name)) {
        columns[k] = static_cast<int>(i);
        break;
      }
  }
  return columns;
}

void TEntity::LoadFromCsvFields(const std::vector<int>& Columns, const std::vector<std::string>& Values) {
  Clear();
  const std::vector<TProperty>& properties = Properties().Items();
  for (size_t k = 0; k < properties.size() && k < Columns.size(); ++k) {
    if (Columns[k] < 0) continue;
    const TProperty& p = properties[k];
    const size_t pos = static_cast<size_t>(Columns[k]);
    const std::string text = pos < Values.size() ? Values[pos] : std::string();
    switch (p.Kind) {
      case TPropKind::Integer:
      case TPropKind::Enumeration: p.SetOrdinal(*this, StrToIntDef(text, 0)); break;
      case TPropKind::Boolean: {
        double v;
        bool b = SameText(Trim(text), "True") || (TryStrToFloat(text, v) && v != 0);
        p.SetOrdinal(*this, b ? 1 : 0);
        break;
      }
      case TPropKind::Float: p.SetFloat(*this, StrToFloatDef(text, 0.0)); break;
      case TPropKind::String: p.SetString(*this, text); break;
      default: break;
    }
  }
  IsChanged = false;
}
