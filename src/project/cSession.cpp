#include "project/cSession.h"

#include <algorithm>
#include <filesystem>

#include "components/cShearConnector.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
#include "engine/cLimitState.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cFloorUse.h"
#include "project/cLibraryInput.h"

namespace {

// One library of the session: its block name in library files, its type name
// in definitions files and the property that keys its items. Listed in the
// order blocks are written and names compared.
struct TLibrarySlot {
  const char* BlockName;  // upper case
  const char* TypeName;   // upper case
  TEntityList TSession::*List;
  const char* IndexField;
  const char* Caption;  // in messages
};

constexpr TLibrarySlot kSlots[] = {
    {"CUSTOMSTEELSECTION", "STEELSECTION", &TSession::SteelSectionLibrary, "FullName", "steel section"},
    {"SHEARCONNECTOR", "SHEARCONNECTOR", &TSession::ShearConnectorLibrary, "Name", "shear connector"},
    {"STEELDECK", "STEELDECK", &TSession::SteelDeckLibrary, "Name", "steel deck"},
    {"FLOORUSE", "FLOORUSE", &TSession::FloorUseLibrary, "LongName", "floor use"},
    {"LIMITSTATE", "LIMITSTATE", &TSession::LimitStateLibrary, "LimitStateLabel", "limit state"},
    {"CWBRESTRICTION", "CWBRESTRICTION", &TSession::CWBRestrictionLibrary, "MinDepth", "CWB restriction"},
};

const TLibrarySlot* SlotOfBlock(const std::string& Name) {
  for (const TLibrarySlot& s : kSlots)
    if (Name == s.BlockName) return &s;
  return nullptr;
}

const TLibrarySlot* SlotOfType(const std::string& Type) {
  for (const TLibrarySlot& s : kSlots)
    if (Type == s.TypeName) return &s;
  return nullptr;
}

}  // namespace

TSession::TSession()
    : SteelSectionLibrary(TEntityList::Of<TCustomSteelSection>()),
      ShearConnectorLibrary(TEntityList::Of<TShearConnectorLibraryItem>()),
      SteelDeckLibrary(TEntityList::Of<TSteelDeckLibraryItem>()),
      FloorUseLibrary(TEntityList::Of<TFloorUse>()),
      LimitStateLibrary(TEntityList::Of<TLimitState>()),
      CWBRestrictionLibrary(TEntityList::Of<TCWBRestriction>()) {
  SectionName = "Session";
  // The analysis looks sections up by key, and loading checks every item's key.
  for (const TLibrarySlot& s : kSlots) (this->*s.List).SetIsIndexed(true);
  Clear();
  IsChanged = false;
}

void TSession::Clear() {
  TEntity::Clear();
  SetTracked(LibraryFilename, GetAppName() + ".kvl");
  for (const TLibrarySlot& s : kSlots) (this->*s.List).Clear();
}

TEntityList* TSession::LibraryOfType(const std::string& TypeName) {
  const TLibrarySlot* slot = SlotOfType(TypeName);
  return slot ? &(this->*slot->List) : nullptr;
}

const TEntityList* TSession::LibraryOfType(const std::string& TypeName) const {
  const TLibrarySlot* slot = SlotOfType(TypeName);
  return slot ? &(this->*slot->List) : nullptr;
}

std::string TSession::LibraryCaption(const std::string& TypeName) {
  const TLibrarySlot* slot = SlotOfType(TypeName);
  return slot ? slot->Caption : "";
}

std::string TSession::LibraryIndexField(const std::string& TypeName) {
  const TLibrarySlot* slot = SlotOfType(TypeName);
  return slot ? slot->IndexField : "";
}

bool TSession::IsOK() {
  Status.Reset();
  // Decks first: the start-up dialog names the first missing library.
  Status.CheckMin(SteelDeckLibrary.Count(), 1, elError, "Missing or invalid steel deck library");
  Status.CheckMin(ShearConnectorLibrary.Count(), 1, elError, "Missing or invalid shear connector library");
  Status.CheckMin(SteelSectionLibrary.Count(), 1, elError, "Missing or invalid steel section library");
  Status.CheckMin(FloorUseLibrary.Count(), 1, elError, "Missing or invalid floor use library");
  Status.CheckMin(LimitStateLibrary.Count(), 1, elError, "Missing or invalid limit state library");
  Status.CheckMin(CWBRestrictionLibrary.Count(), 1, elError, "Missing or invalid CWB restriction library");
  Status.IsChecked = true;
  return Status.IsOK();
}

namespace {

void AddOnce(std::vector<std::string>& List, const std::string& Text) {
  if (std::find(List.begin(), List.end(), Text) == List.end()) List.push_back(Text);
}

}  // namespace

std::vector<std::string> TSession::SectionTypeChoices() const {
  std::vector<std::string> types;
  for (int i = 0; i < SteelSectionLibrary.Count(); ++i)
    AddOnce(types, SteelSectionLibrary.ItemAs<TCustomSteelSection>(i)->SectionType);
  AddOnce(types, "Custom_I");
  return types;
}

std::vector<std::string> TSession::SectionGrades(const std::string& SectionType) const {
  std::vector<std::string> grades;
  for (int i = 0; i < SteelSectionLibrary.Count(); ++i) {
    const auto& s = *SteelSectionLibrary.ItemAs<TCustomSteelSection>(i);
    if (s.SectionType == SectionType) AddOnce(grades, s.Grade);
  }
  return grades;
}

std::vector<std::string> TSession::SectionNames(const std::string& SectionType, const std::string& Grade) const {
  std::vector<std::string> names;
  for (int i = 0; i < SteelSectionLibrary.Count(); ++i) {
    const auto& s = *SteelSectionLibrary.ItemAs<TCustomSteelSection>(i);
    if (s.SectionType == SectionType && s.Grade == Grade) AddOnce(names, s.Name);
  }
  return names;
}

std::string TSession::NeighbourSection(const std::string& Grade, const std::string& Name, int Step) const {
  const TEntityList& library = SteelSectionLibrary;
  for (int i = 0; i < library.Count(); ++i) {
    const auto& s = *library.ItemAs<TCustomSteelSection>(i);
    if (!SameText(s.Name, Name) || !SameText(s.Grade, Grade)) continue;
    const int next = i + Step;
    if (next < 0 || next >= library.Count()) return Name;
    const auto& n = *library.ItemAs<TCustomSteelSection>(next);
    return SameText(n.SectionType, s.SectionType) && SameText(n.Grade, s.Grade) ? n.Name : Name;
  }
  return Name;
}

TResult TSession::LoadLibraries(const std::string& LibraryFile) {
  if (!FileExists(LibraryFile))
    return TResult::Failure(GetAppName() + " library file [" + LibraryFile + "] not available");
  // The file is read once; its blocks are decoded from memory.
  std::string bytes;
  if (TResult read = ReadFileBytes(LibraryFile, bytes); !read) return read;
  const int64_t size = static_cast<int64_t>(bytes.size());
  auto damaged_at = [&](int64_t block) {
    return TResult::Failure("Error loading from library file [" + LibraryFile + "], position = " +
                            std::to_string(block));
  };
  int64_t position = 0;  // 0 stands for the first block, behind the header
  for (;;) {
    // A file written without the end marker simply ends behind its last block.
    if (position > 0 && position >= size) break;
    std::string name;
    if (!TEntityList::PeekStringFromStreamBytes(bytes, position, name)) return damaged_at(position);
    const TLibrarySlot* slot = SlotOfBlock(UpperCase(Trim(name)));
    if (!slot) break;  // the end marker, or a block this program does not know
    int64_t next = position;
    if (!(this->*slot->List).LoadFromStreamBytes(bytes, slot->IndexField, position, &next))
      return damaged_at(position);
    if (next <= position) break;  // no progress: never loop on the same block
    position = next;
  }
  return {};
}

TResult TSession::LoadLibrariesFromCsv(const std::string& LibraryDefinitionFilename) {
  TResult result;
  const char* kSection = "Libraries";
  TVEXIniFile ini(LibraryDefinitionFilename, true);
  SetTracked(LibraryFilename, ini.ReadString(kSection, "Name", LibraryFilename));
  const std::filesystem::path folder = std::filesystem::path(LibraryDefinitionFilename).parent_path();
  const int count = ini.ReadInteger(kSection, "Count", 0);
  for (int i = 1; i <= count; ++i) {
    const std::string index = std::to_string(i);
    std::filesystem::path name(ini.ReadString(kSection, "Library" + index, ""));
    const std::string csv = (folder / name.replace_extension(".csv")).string();
    const TResult missing = TResult::Failure("Library [" + csv + "] not available");
    if (!FileExists(csv)) {
      result.Add(missing);
      continue;
    }
    const TLibrarySlot* slot = SlotOfType(UpperCase(ini.ReadString(kSection, "Type" + index, "")));
    if (!slot) continue;
    if (!(this->*slot->List).LoadFromCsv(csv, slot->IndexField)) result.Add(missing);
  }
  return result;
}

TResult TSession::SaveLibraries(const std::string& File) const {
  std::string bytes;
  for (const TLibrarySlot& s : kSlots) (this->*s.List).AppendStreamBlock(bytes, bytes.empty());
  TEntityList::AppendStreamString(bytes, "");  // the end marker
  return WriteFileAtomic(File, bytes);
}

namespace {

// The files a library is generated from: the definitions file and the CSV
// files it names (found as LoadLibrariesFromCsv finds them).
std::vector<std::string> LibraryInputFiles(const std::string& DefinitionsFile) {
  std::vector<std::string> files{DefinitionsFile};
  TVEXIniFile ini(DefinitionsFile, true);
  const std::filesystem::path folder = std::filesystem::path(DefinitionsFile).parent_path();
  const int count = ini.ReadInteger("Libraries", "Count", 0);
  for (int i = 1; i <= count && i <= 1000; ++i) {
    std::filesystem::path name(ini.ReadString("Libraries", "Library" + std::to_string(i), ""));
    files.push_back((folder / name.replace_extension(".csv")).string());
  }
  return files;
}

}  // namespace

TResult GenerateLibraryFile(const std::string& DefinitionsFile, const std::string& OutputFile) {
  // A folder or another file that cannot be read is named as such below.
  std::error_code ec;
  if (!std::filesystem::exists(DefinitionsFile, ec))
    return TResult::Failure("Library definitions file " + DefinitionsFile + " not found");
  // Every file is checked first, so that nothing is written that the
  // library reader would refuse or the sections could not use.
  if (TResult checked = CheckLibraryDefinitions(DefinitionsFile, !OutputFile.empty()); !checked) return checked;
  TSession session;
  const TResult loaded = session.LoadLibrariesFromCsv(DefinitionsFile);
  const std::string library_file = OutputFile.empty() ? session.LibraryFilename : OutputFile;

  // What could not be read comes first, then the libraries it left empty.
  const bool is_complete = session.IsOK();
  if (!loaded || !is_complete) {
    std::string problems;
    for (const std::string& line : loaded.MessageLines()) problems += "Error: " + line + "\n";
    for (const TStatusLine& line : session.Status.ErrorList()) problems += line.Text + "\n";
    problems.pop_back();
    return TResult::Failure(problems);
  }
  if (TResult fits = CheckLibrariesFitLibraryFile(session); !fits) return fits;

  // Compared as files, whatever the names: a link or another path to an input is refused too.
  TFileUses uses;
  const std::vector<std::string> inputs = LibraryInputFiles(DefinitionsFile);
  for (size_t i = 0; i < inputs.size(); ++i)
    uses.AddInput(inputs[i], i == 0 ? "library definitions file" : "library CSV file");
  uses.AddOutput(library_file);
  if (TResult checked = uses.Check(); !checked) return TResult::Failure("Error: " + checked.Message());
  // Written whole through a temporary file: a failure leaves the old library as it was.
  if (TResult saved = session.SaveLibraries(library_file); !saved) return TResult::Failure("Error: " + saved.Message());
  return TResult::Success("New library file created: " + library_file);
}
