// TVEXIniFile: an INI file held wholly in memory. It is read when created,
// served from memory, and written back when UpdateFile is called or when it is
// destroyed (unless read-only). Sections and keys are found without regard to
// letter case and keep the order of their first appearance.
//
// Text encoding: a file that starts with a byte-order mark (UTF-8, UTF-16LE or
// UTF-16BE) is written back in that encoding; otherwise valid UTF-8 is read as
// UTF-8 and anything else as Windows-1252, and written back as it was read.
// New files are UTF-8. Lines end with CR LF. Values are UTF-8 in memory.
//
// Failure: a file that is missing reads as empty; one that cannot be read (a
// folder, no permission) reads as empty and LoadResult() says why. Writing
// goes through a temporary file renamed over the old one, so a failed write
// never leaves a half-written file; UpdateFile says why it failed.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "entity/cResult.h"

class TVEXIniFile {
 public:
  enum class TEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE, Cp1252 };

  explicit TVEXIniFile(std::string FileName, bool IsReadOnly = false);
  // Builds the file from text already in memory (no file is read or written
  // unless FileName is set later and UpdateFile called).
  static TVEXIniFile FromBytes(std::string_view Bytes);
  TVEXIniFile(TVEXIniFile&&) = default;
  ~TVEXIniFile();
  TVEXIniFile(const TVEXIniFile&) = delete;
  TVEXIniFile& operator=(const TVEXIniFile&) = delete;

  const std::string& FileName() const { return file_name_; }
  bool IsReadOnly = false;
  TEncoding Encoding() const { return encoding_; }
  // Whether the file could be read when the object was made (a missing file can).
  const TResult& LoadResult() const { return load_result_; }

  // Number reads (ReadInteger, ReadBool, ReadFloat, ReadCount) give their
  // default for a missing or empty key, and also for a text that is not a
  // number; the first such text is kept here, naming the section, key and
  // text ("section [Geometry], key DeadLoad: "1,5" is not a number"), so that
  // a loader that must read a file exactly (a project) can refuse it. Loaders
  // note problems of their own the same way. Success while there is none.
  const TResult& ReadProblem() const { return read_problem_; }
  void NoteReadProblem(const std::string& Section, const std::string& Key, const std::string& Problem) const;
  // A count of items: 0 when missing or empty; a text that is not a whole
  // number, a negative count or one above Max reads as 0 and is a read problem.
  int ReadCount(const std::string& Section, const std::string& Key, int Max) const;

  bool SectionExists(const std::string& Section) const;
  bool ValueExists(const std::string& Section, const std::string& Key) const;
  std::string ReadString(const std::string& Section, const std::string& Key, const std::string& Default) const;
  int ReadInteger(const std::string& Section, const std::string& Key, int Default) const;
  bool ReadBool(const std::string& Section, const std::string& Key, bool Default) const;
  double ReadFloat(const std::string& Section, const std::string& Key, double Default) const;
  void WriteString(const std::string& Section, const std::string& Key, const std::string& Value);
  void WriteInteger(const std::string& Section, const std::string& Key, int Value);
  void WriteBool(const std::string& Section, const std::string& Key, bool Value);
  void WriteFloat(const std::string& Section, const std::string& Key, double Value);
  void EraseSection(const std::string& Section);
  void DeleteKey(const std::string& Section, const std::string& Key);
  std::vector<std::string> ReadSections() const;
  std::vector<std::string> ReadSection(const std::string& Section) const;  // keys
  // "key=value" lines of a section, in order.
  std::vector<std::string> ReadSectionValues(const std::string& Section) const;

  // The whole file as text in its encoding, as it would be written.
  std::string ToBytes() const;
  // Writes the file now.
  TResult UpdateFile();

 private:
  TVEXIniFile() = default;
  struct TSection {
    std::string name;
    std::vector<std::pair<std::string, std::string>> keys;
    std::unordered_map<std::string, size_t> index;  // upper-case key -> position
  };
  void Parse(std::string_view bytes);
  const TSection* Find(const std::string& section) const;
  TSection* Find(const std::string& section);
  TSection& FindOrAdd(const std::string& section);
  void Reindex(TSection& s);

  std::string file_name_;
  TEncoding encoding_ = TEncoding::Utf8;
  std::vector<TSection> sections_;
  std::unordered_map<std::string, size_t> section_index_;
  TResult load_result_;
  mutable TResult read_problem_;  // the first only; reads are const
  bool dirty_ = false;
};
