// TEntity: the base of every data object. An entity describes its state as an
// ordered table of named, typed properties, declared once per class next to
// its fields. The framework works on that table alone: it clears an entity,
// copies it, reads any value by name as text or number, follows dotted
// property paths ("Beam.SteelSectionList0.Name"), lists the properties for
// test authors, fills an entity from a comma-separated line and persists it
// to INI files. Classes add fields, validation and calculations, and override
// only what differs.
//
// Declaring a class:
//
//   class TConcreteFloor : public TEntity {
//    public:
//     double ConcreteStrength = 0;  // f'c, MPa
//     double fcmi() const;
//     TRV_PROPERTIES(TConcreteFloor, TEntity,
//                    Published("ConcreteStrength", &TConcreteFloor::ConcreteStrength),
//                    PublicGetter("fcmi", &TConcreteFloor::fcmi))
//   };
//
// A property's kind follows from the field's type: bool -> Boolean, an enum ->
// other enumeration (ordinal), an integer -> Integer, a floating type -> Float,
// std::string -> String, an entity member -> Entity (owned, read-only), a
// pointer to an entity -> Entity (a link, read-only, public), a TEntityList
// member -> EntityList. Setting a property through the table stores the value
// and sets IsChanged when it differs (floats when strictly less or greater).
//
// Unknown names never raise: reads give defaults, writes are ignored.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <unordered_map>
#include <vector>

#include "entity/cResult.h"
#include "entity/cStatus.h"

class TEntity;
class TEntityList;
class TVEXIniFile;

enum class TPropKind { Integer, Boolean, Enumeration, Float, String, Entity, EntityList };

// One row of a class's property table.
struct TProperty {
  std::string Name;
  TPropKind Kind = TPropKind::Integer;
  bool IsPublished = false;  // persisted input; otherwise a public (readable) value
  // Accessors; only those of the property's kind are set. Integer, Boolean and
  // enumerations go through the ordinal pair.
  std::function<int64_t(const TEntity&)> GetOrdinal;
  std::function<void(TEntity&, int64_t)> SetOrdinal;
  std::function<double(const TEntity&)> GetFloat;
  std::function<void(TEntity&, double)> SetFloat;
  std::function<std::string(const TEntity&)> GetString;
  std::function<void(TEntity&, const std::string&)> SetString;
  std::function<TEntity*(TEntity&)> GetEntity;  // may return null for a link
  std::function<TEntityList*(TEntity&)> GetList;
  bool IsEntityWritable = false;  // an owned sub-entity the generic Clear and Assign recurse into

  bool IsScalar() const { return Kind != TPropKind::Entity && Kind != TPropKind::EntityList; }
  bool IsReadable() const;
  bool IsWritable() const;
};

// A class's table: its own properties in declaration order, then its base's
// (a base property that the class redeclares appears once, where the class puts it).
class TPropertyTable {
 public:
  TPropertyTable(std::vector<TProperty> Own, const TPropertyTable* Base);
  const std::vector<TProperty>& Items() const { return items_; }
  // Case-insensitive lookup; null when unknown.
  const TProperty* Find(std::string_view Name) const;

 private:
  std::vector<TProperty> items_;
  std::unordered_map<std::string, size_t> index_;  // upper-case name -> first position
};

// Parses an expected test value "<number> [(+/-<rel>%)] [(+/-<abs>)]".
// Parts that are not numbers count as 0; RelTolerance is a fraction.
void ParseExpectedValue(const std::string& Text, double& Value, double& RelTolerance, double& AbsTolerance,
                        int& DecimalPlaces);

class TEntity {
 public:
  TEntity();
  virtual ~TEntity();
  TEntity(const TEntity&) = delete;
  TEntity& operator=(const TEntity&) = delete;

  bool IsChanged = false;
  std::string SectionName;  // name in files and listings; by default the class name without "T"
  TStatus Status;

  static const TPropertyTable& Table();
  virtual const TPropertyTable& Properties() const { return Table(); }

  // Resets every published, writable property: 0, false, first value, empty;
  // writable sub-entities clear themselves, lists free their items.
  virtual void Clear();
  // The sub-entity named by an Entity or EntityList property; with Index >= 0
  // item Index of the list. Null when unknown or out of range; never throws
  // (property paths from tests and scripts reach it with any name and index).
  virtual TEntity* EntityProperty(const std::string& PropertyName, int Index);
  virtual bool IsSameValueAsString(const std::string& PropertyName, const std::string& Value, int DP);
  virtual bool IsNumeric(const std::string& PropertyName);
  virtual double NumericValue(const std::string& PropertyName);
  virtual std::string StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                                  int MaxDPIncrease);
  // The entity a dotted property path leads to, with the path's last segment
  // (upper case) in ValueName: "Beam.SteelSectionList0.Name" gives the
  // beam's first steel section and "NAME". Null when a segment names no entity.
  TEntity* ResolvePath(const std::string& ExtendedPropertyName, std::string& ValueName);
  // Evaluates a dotted property path against an expected value.
  virtual void CalcActualValue(const std::string& ExtendedPropertyName, const std::string& ExpectedValue,
                               std::string& ActualValue, bool& IsExpected);
  // Validation; the base only reports the current status.
  virtual bool IsOK();
  // Copies every writable scalar of Source, and writable sub-entities recursively.
  virtual void Assign(const TEntity* Source);
  virtual void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix);
  // Reads the whole file as this entity's own (no prefix or suffix); a
  // missing file reads as empty. Fails, clearing the entity, when the file
  // exists but cannot be read.
  virtual TResult LoadFromFile(const std::string& Filename);
  virtual void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix);
  virtual void SetTestData(const std::vector<std::string>& TestEntityList);
  // Appends "entity,property,type,use" lines for test authors.
  virtual void GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix,
                             const std::string& Suffix, int MaxDepth);
  virtual double LoadFloatFromIniFile(const TVEXIniFile& IniFile, const std::string& PropertyName,
                                      const std::string& Prefix, const std::string& Suffix, double Default);

  // Stores Value when a property of that name has the matching kind.
  void SetNamedPropertyValue(const std::string& PropertyName, const std::string& Value);
  void SetNamedPropertyValue(const std::string& PropertyName, const char* Value) {
    SetNamedPropertyValue(PropertyName, std::string(Value));
  }
  void SetNamedPropertyValue(const std::string& PropertyName, int Value);
  void SetNamedPropertyValue(const std::string& PropertyName, double Value);
  void SetNamedPropertyValue(const std::string& PropertyName, bool Value);
  // Saves into Filename (no prefix or suffix), keeping keys of the old file
  // this save does not write.
  TResult SaveToFile(const std::string& Filename);
  void LoadFromCsvString(const std::string& CsvProperties, const std::string& CsvValues);
  // The same in two steps, for many entities of one class read against the
  // same field names: for each property of the table (in order), the
  // position of the first of Names that is its name (letter case ignored),
  // -1 when none or when the property is not a published, writable scalar;
  // then an entity filled from values already split into fields.
  std::vector<int> CsvColumns(const std::vector<std::string>& Names) const;
  void LoadFromCsvFields(const std::vector<int>& Columns, const std::vector<std::string>& Values);
  void SaveFloatToIniFile(TVEXIniFile& IniFile, const std::string& PropertyName, double PropertyValue,
                          const std::string& Prefix, const std::string& Suffix);

  // Typed reads of a property by name (0, false or "" when unknown).
  int64_t OrdinalValue(const std::string& PropertyName) const;
  std::string TextValue(const std::string& PropertyName) const;

 protected:
  // Stores a value and marks the entity changed when it differs.
  template <class T>
  void SetTracked(T& Field, const T& Value) {
    if constexpr (std::is_floating_point_v<T>) {
      if (Field < Value || Field > Value) IsChanged = true;
    } else {
      if (Field != Value) IsChanged = true;
    }
    Field = Value;
  }
  // The INI section a published key is read from: Prefix + SectionName when
  // that section holds the key, else SectionName alone.
  std::string SectionFor(const TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Key) const;
};

// ---------------------------------------------------------------------------
// Property builders, used inside TRV_PROPERTIES.

namespace entity_detail {

template <class T>
struct is_unique_entity : std::false_type {};
template <class T>
struct is_unique_entity<std::unique_ptr<T>> : std::is_base_of<TEntity, T> {};

template <class C, class T>
TProperty FieldProperty(const char* name, T C::*member, bool published) {
  TProperty p;
  p.Name = name;
  p.IsPublished = published;
  if constexpr (std::is_same_v<T, bool>) {
    p.Kind = TPropKind::Boolean;
  } else if constexpr (std::is_enum_v<T>) {
    p.Kind = TPropKind::Enumeration;
  } else if constexpr (std::is_integral_v<T>) {
    p.Kind = TPropKind::Integer;
  } else if constexpr (std::is_floating_point_v<T>) {
    p.Kind = TPropKind::Float;
  } else if constexpr (std::is_same_v<T, std::string>) {
    p.Kind = TPropKind::String;
  } else if constexpr (std::is_base_of_v<TEntity, T>) {
    p.Kind = TPropKind::Entity;
  } else if constexpr (std::is_pointer_v<T>) {
    static_assert(std::is_base_of_v<TEntity, std::remove_pointer_t<T>>, "links must point to entities");
    p.Kind = TPropKind::Entity;
  } else if constexpr (is_unique_entity<T>::value) {
    p.Kind = TPropKind::Entity;
  } else {
    static_assert(std::is_base_of_v<TEntityList, T>, "unsupported property type");
    p.Kind = TPropKind::EntityList;
  }

  if constexpr (std::is_same_v<T, bool> || std::is_enum_v<T> || std::is_integral_v<T>) {
    p.GetOrdinal = [member](const TEntity& e) { return static_cast<int64_t>(static_cast<const C&>(e).*member); };
    p.SetOrdinal = [member](TEntity& e, int64_t v) {
      T& field = static_cast<C&>(e).*member;
      T value;
      if constexpr (std::is_same_v<T, bool>) value = v != 0;
      else value = static_cast<T>(v);
      if (field != value) e.IsChanged = true;
      field = value;
    };
  } else if constexpr (std::is_floating_point_v<T>) {
    p.GetFloat = [member](const TEntity& e) { return static_cast<double>(static_cast<const C&>(e).*member); };
    p.SetFloat = [member](TEntity& e, double v) {
      T& field = static_cast<C&>(e).*member;
      if (field < v || field > v) e.IsChanged = true;
      field = static_cast<T>(v);
    };
  } else if constexpr (std::is_same_v<T, std::string>) {
    p.GetString = [member](const TEntity& e) { return static_cast<const C&>(e).*member; };
    p.SetString = [member](TEntity& e, const std::string& v) {
      std::string& field = static_cast<C&>(e).*member;
      if (field != v) e.IsChanged = true;
      field = v;
    };
  } else if constexpr (std::is_base_of_v<TEntity, T>) {
    p.GetEntity = [member](TEntity& e) -> TEntity* { return &(static_cast<C&>(e).*member); };
  } else if constexpr (std::is_pointer_v<T>) {
    p.GetEntity = [member](TEntity& e) -> TEntity* { return static_cast<C&>(e).*member; };
  } else if constexpr (is_unique_entity<T>::value) {
    p.GetEntity = [member](TEntity& e) -> TEntity* { return (static_cast<C&>(e).*member).get(); };
  } else {
    p.GetList = [member](TEntity& e) -> TEntityList* { return &(static_cast<C&>(e).*member); };
  }
  return p;
}

template <class R>
constexpr TPropKind KindOfValue() {
  using T = std::decay_t<R>;
  if constexpr (std::is_same_v<T, bool>) return TPropKind::Boolean;
  else if constexpr (std::is_enum_v<T>) return TPropKind::Enumeration;
  else if constexpr (std::is_integral_v<T>) return TPropKind::Integer;
  else if constexpr (std::is_floating_point_v<T>) return TPropKind::Float;
  else return TPropKind::String;
}

template <class C, class R>
void SetGetter(TProperty& p, R (C::*getter)() const) {
  using T = std::decay_t<R>;
  p.Kind = KindOfValue<R>();
  if constexpr (std::is_same_v<T, bool> || std::is_enum_v<T> || std::is_integral_v<T>) {
    p.GetOrdinal = [getter](const TEntity& e) { return static_cast<int64_t>((static_cast<const C&>(e).*getter)()); };
  } else if constexpr (std::is_floating_point_v<T>) {
    p.GetFloat = [getter](const TEntity& e) { return static_cast<double>((static_cast<const C&>(e).*getter)()); };
  } else {
    p.GetString = [getter](const TEntity& e) { return std::string((static_cast<const C&>(e).*getter)()); };
  }
}

template <class C, class A>
void SetSetter(TProperty& p, void (C::*setter)(A)) {
  using T = std::decay_t<A>;
  if constexpr (std::is_same_v<T, bool>) {
    p.SetOrdinal = [setter](TEntity& e, int64_t v) { (static_cast<C&>(e).*setter)(v != 0); };
  } else if constexpr (std::is_enum_v<T> || std::is_integral_v<T>) {
    p.SetOrdinal = [setter](TEntity& e, int64_t v) { (static_cast<C&>(e).*setter)(static_cast<T>(v)); };
  } else if constexpr (std::is_floating_point_v<T>) {
    p.SetFloat = [setter](TEntity& e, double v) { (static_cast<C&>(e).*setter)(static_cast<T>(v)); };
  } else {
    p.SetString = [setter](TEntity& e, const std::string& v) { (static_cast<C&>(e).*setter)(v); };
  }
}

}  // namespace entity_detail

// A persisted input field.
template <class C, class T>
TProperty Published(const char* Name, T C::*Member) {
  return entity_detail::FieldProperty(Name, Member, true);
}
// A readable (and, for scalars, writable) working or result field.
template <class C, class T>
TProperty Public(const char* Name, T C::*Member) {
  return entity_detail::FieldProperty(Name, Member, false);
}
// An owned sub-entity that the generic Clear and Assign recurse into.
template <class C, class T>
TProperty PublishedWritableEntity(const char* Name, T C::*Member) {
  TProperty p = entity_detail::FieldProperty(Name, Member, true);
  p.IsEntityWritable = true;
  return p;
}
// A read-only derived value.
template <class C, class R>
TProperty PublicGetter(const char* Name, R (C::*Getter)() const) {
  TProperty p;
  p.Name = Name;
  entity_detail::SetGetter(p, Getter);
  return p;
}
// A property whose reads or writes have effects of their own.
template <class C, class R, class A>
TProperty Published(const char* Name, R (C::*Getter)() const, void (C::*Setter)(A)) {
  TProperty p;
  p.Name = Name;
  p.IsPublished = true;
  entity_detail::SetGetter(p, Getter);
  entity_detail::SetSetter(p, Setter);
  return p;
}
template <class C, class R, class A>
TProperty Public(const char* Name, R (C::*Getter)() const, void (C::*Setter)(A)) {
  TProperty p = Published(Name, Getter, Setter);
  p.IsPublished = false;
  return p;
}
// A field read by name but stored through a setter with effects of its own.
template <class C, class T, class A>
TProperty Published(const char* Name, T C::*Member, void (C::*Setter)(A)) {
  TProperty p = entity_detail::FieldProperty(Name, Member, true);
  entity_detail::SetSetter(p, Setter);
  return p;
}
template <class C, class T, class A>
TProperty Public(const char* Name, T C::*Member, void (C::*Setter)(A)) {
  TProperty p = Published(Name, Member, Setter);
  p.IsPublished = false;
  return p;
}

// Declares a class's property table: its own properties, in declaration
// order, followed by those of Base.
#define TRV_PROPERTIES(Class, Base, ...)                                           \
  static const TPropertyTable& Table() {                                           \
    static const TPropertyTable table(std::vector<TProperty>{__VA_ARGS__}, &Base::Table()); \
    return table;                                                                  \
  }                                                                                \
  const TPropertyTable& Properties() const override { return Table(); }
