// TEntityList: an ordered list of (key, owned entity) pairs with
// case-insensitive lookup by key, and its persistence: INI sections with a
// count and numbered keys, comma-separated text, and the binary library stream
// (.tvl: 32-bit little-endian integers and UTF-16LE strings).
//
// The list owns its items. ObjectType makes new items when the list is loaded;
// a list without one is never loaded or saved.
//
// Failure: INI reading never fails (missing keys give defaults); what it could
// not read is noted on the file (TVEXIniFile::ReadProblem). The file
// operations return a TResult: a file that cannot be read or written, or a
// damaged stream block: "Fields not properly defined", "No library items
// read", or "Library file ends unexpectedly at position N" for a file cut
// short. The stream readers never read past the end of the file and never
// allocate from an unchecked count.
#pragma once

#include <cassert>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "entity/cEntity.h"
#include "entity/cResult.h"

class TVEXIniFile;

using TEntityFactory = std::unique_ptr<TEntity> (*)();

// The most items a list reads from an INI file: far above any real list (a
// beam's loads, a project's tests), so that a damaged count is refused at
// once instead of filling memory with empty items.
constexpr int kMaxIniListCount = 10000;

// What the library stream reader accepts (see LoadFromStream): a block's
// items, its fields, and the UTF-16 code units of any one string.
constexpr int32_t kMaxStreamItems = 64000;
constexpr int32_t kMaxStreamFields = 255;
constexpr int32_t kMaxStreamStringLength = 64000;

template <class T>
std::unique_ptr<TEntity> MakeEntity() {
  return std::make_unique<T>();
}

class TEntityList {
 public:
  TEntityList() = default;
  explicit TEntityList(TEntityFactory AObjectType) : ObjectType(AObjectType) {}
  template <class T>
  static TEntityList Of() {
    return TEntityList(&MakeEntity<T>);
  }
  TEntityList(TEntityList&&) = default;
  TEntityList& operator=(TEntityList&&) = default;
  virtual ~TEntityList() = default;

  TEntityFactory ObjectType = nullptr;
  bool IsChanged = false;
  // When set, Add keeps the keys in ascending order.
  bool Sorted = false;

  // When set, the keys are also held in a hash index, so that IndexOf, Find
  // and AddOrReplace take the same time however long the list is: for the
  // libraries, which are long and looked up by key on every analysis.
  void SetIsIndexed(bool Value);
  bool IsIndexed() const { return indexed_; }

  int Count() const { return static_cast<int>(items_.size()); }
  bool Empty() const { return items_.empty(); }
  // Index must lie in 0 .. Count() - 1 for Key, SetKey, Item, ItemAs, Delete
  // and Extract (a bug of the caller otherwise: asserted, and past the
  // asserts std::out_of_range).
  bool IsValidIndex(int Index) const { return Index >= 0 && Index < Count(); }
  const std::string& Key(int Index) const {
    assert(IsValidIndex(Index));
    return items_.at(Index).key;
  }
  void SetKey(int Index, std::string Key) {
    assert(IsValidIndex(Index));
    items_.at(Index).key = std::move(Key);
    RebuildIndex();
  }
  TEntity* Item(int Index) const {
    assert(IsValidIndex(Index));
    return items_.at(Index).entity.get();
  }
  template <class T>
  T* ItemAs(int Index) const {
    return static_cast<T*>(Item(Index));
  }
  // First item whose key equals Key without regard to letter case; -1 when none.
  int IndexOf(const std::string& Key) const;
  TEntity* Find(const std::string& Key) const;
  int IndexOfEntity(const TEntity* Entity) const;
  // Appends (or, when Sorted, inserts in key order); returns the position.
  // The list owns Entity, which must not be null (nor must Insert's).
  int Add(std::string Key, std::unique_ptr<TEntity> Entity);
  void Insert(int Index, std::string Key, std::unique_ptr<TEntity> Entity);
  void Delete(int Index);
  std::unique_ptr<TEntity> Extract(int Index);
  virtual void Clear();

  // The SectionName of a new item of ObjectType ("" without one).
  std::string SectionName() const;

  // Section Prefix + SectionName: "Count", then item i saved with suffix i.
  virtual void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix);
  // Reads "Count" items (the list is not cleared first) and stores each by
  // AddOrReplace, in time linear in the count. A count that is not a whole
  // number, negative or above kMaxIniListCount loads nothing and is noted as
  // the file's ReadProblem.
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& IndexField, bool WillAllowNewEntities,
                       const std::string& Prefix);
  // Keys the entity by its IndexField text (its position when empty or unknown);
  // replaces an item with that key, or appends when WillAllowNew; else drops it.
  bool AddOrReplace(std::unique_ptr<TEntity> Entity, const std::string& IndexField, bool WillAllowNew);
  // First item whose key loosely matches s (blanks and case ignored, prefix, wildcard).
  int CloseIndexOf(const std::string& s) const;
  void AssignPropsTo(TEntity* Entity, const std::string& StringIndex) const;

  // Header of published scalar property names, then one line per item.
  TResult SaveToCsv(const std::string& CsvFilename) const;
  TResult LoadFromCsv(const std::string& CsvFilename, const std::string& IndexField);
  // The lines of a CSV file's bytes as LoadFromCsv reads them: a UTF-8
  // byte-order mark dropped, single-byte text converted to UTF-8, lines
  // ended by LF or CR LF.
  static std::vector<std::string> CsvTextLines(std::string_view Bytes);
  // Comma-text lines of the same form, without touching a file.
  std::vector<std::string> CsvLines() const;
  void LoadFromCsvLines(const std::vector<std::string>& Lines, const std::string& IndexField);

  // Appends one block to the library stream (creating the file, with its header, when new).
  TResult SaveToStream(const std::string& Filename, bool WillAppendIfExists) const;
  // Reads the block at Position (the first block when Position <= 0) and sets
  // NextPosition, when given, to the position just behind it. The items read
  // before a damage is found stay in the list.
  TResult LoadFromStream(const std::string& Filename, const std::string& IndexField, int64_t Position,
                         int64_t* NextPosition = nullptr);
  // The name of the block at Position (the first block when Position <= 0);
  // "" at the end marker.
  static TResult PeekStringFromStream(const std::string& Filename, int64_t Position, std::string& Name);
  // The same on the bytes of a library file already read, so that a file of
  // many blocks is read once.
  TResult LoadFromStreamBytes(std::string_view Bytes, const std::string& IndexField, int64_t Position,
                              int64_t* NextPosition = nullptr);
  static TResult PeekStringFromStreamBytes(std::string_view Bytes, int64_t Position, std::string& Name);
  // Appends s at the end of the file, creating it when missing.
  static TResult WriteStringToStream(const std::string& Filename, const std::string& s);
  // The same into bytes in memory, for a library file written whole: the
  // header first when WillWriteHeader, then the block (nothing for a list
  // without items or ObjectType); a string as the stream writes it.
  void AppendStreamBlock(std::string& Bytes, bool WillWriteHeader) const;
  static void AppendStreamString(std::string& Bytes, const std::string& s);

  // Scalar property names written to CSV and stream blocks, in table order.
  std::vector<std::string> FieldNames() const;

 private:
  struct Entry {
    std::string key;
    std::unique_ptr<TEntity> entity;
  };
  std::vector<std::string> ItemFields(TEntity& item, const std::vector<std::string>& names) const;
  // Keeps the index in step after the item at Index was appended, or, for
  // any other change, rebuilds it.
  void IndexAppended(int Index);
  void RebuildIndex();

  // Hashing and comparing keys without regard to letter case, as IndexOf
  // compares them, so that a key is looked up without copying it.
  struct TCaseFoldedHash {
    using is_transparent = void;
    size_t operator()(std::string_view Key) const;
  };
  struct TCaseFoldedEqual {
    using is_transparent = void;
    bool operator()(std::string_view A, std::string_view B) const;
  };

  std::vector<Entry> items_;
  bool indexed_ = false;
  std::unordered_map<std::string, int, TCaseFoldedHash, TCaseFoldedEqual> index_;  // key -> first position with it
};
