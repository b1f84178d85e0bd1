#include "project/cSession.h"

#include <filesystem>

#include "components/cShearConnector.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
#include "engine/cLimitState.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cFloorUse.h"

namespace {

// One library of the session: its block name in library files, its type name
// in definitions files and the property that keys its items. Listed in the
// order blocks are written and names compared.
struct TLibrarySlot {
  const char* BlockName;  // upper case
  const char* TypeName;   // upper case
  TEntityList TSession::*List;
  const char* IndexField;
};

constexpr TLibrarySlot kSlots[] = {
    {"CUSTOMSTEELSECTION", "STEELSECTION", &TSession::SteelSectionLibrary, "FullName"},
    {"SHEARCONNECTOR", "SHEARCONNECTOR", &TSession::ShearConnectorLibrary, "Name"},
    {"STEELDECK", "STEELDECK", &TSession::SteelDeckLibrary, "Name"},
    {"FLOORUSE", "FLOORUSE", &TSession::FloorUseLibrary, "LongName"},
    {"LIMITSTATE", "LIMITSTATE", &TSession::LimitStateLibrary, "LimitStateLabel"},
    {"CWBRESTRICTION", "CWBRESTRICTION", &TSession::CWBRestrictionLibrary, "MinDepth"},
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

void TSession::LoadLibraries(const std::string& LibraryFile) {
  if (!FileExists(LibraryFile)) {
    Status.SetError(elError, GetAppName() + " library file [" + LibraryFile + "] not available");
    return;
  }
  int64_t position = 0;  // 0 stands for the first block, behind the header
  try {
    // The file is read once; its blocks are decoded from memory.
    std::string bytes, error;
    if (!ReadFileBytes(LibraryFile, bytes, &error)) throw TStreamError(error);
    const int64_t size = static_cast<int64_t>(bytes.size());
    for (;;) {
      // A file written without the end marker simply ends behind its last block.
      if (position > 0 && position >= size) break;
      const TLibrarySlot* slot =
          SlotOfBlock(UpperCase(Trim(TEntityList::PeekStringFromStreamBytes(bytes, position))));
      if (!slot) break;  // the end marker, or a block this program does not know
      const int64_t next = (this->*slot->List).LoadFromStreamBytes(bytes, slot->IndexField, position);
      if (next <= position) break;  // no progress: never loop on the same block
      position = next;
    }
  } catch (const std::exception&) {
    Status.SetError(elError,
                    "Error loading from library file [" + LibraryFile + "], position = " + std::to_string(position));
  }
}

void TSession::LoadLibrariesFromCsv(const std::string& LibraryDefinitionFilename) {
  const char* kSection = "Libraries";
  TVEXIniFile ini(LibraryDefinitionFilename, true);
  SetTracked(LibraryFilename, ini.ReadString(kSection, "Name", LibraryFilename));
  const std::filesystem::path folder = std::filesystem::path(LibraryDefinitionFilename).parent_path();
  const int count = ini.ReadInteger(kSection, "Count", 0);
  for (int i = 1; i <= count; ++i) {
    const std::string index = std::to_string(i);
    std::filesystem::path name(ini.ReadString(kSection, "Library" + index, ""));
    const std::string csv = (folder / name.replace_extension(".csv")).string();
    if (!FileExists(csv)) {
      Status.SetError(elError, "Library [" + csv + "] not available");
      continue;
    }
    const TLibrarySlot* slot = SlotOfType(UpperCase(ini.ReadString(kSection, "Type" + index, "")));
    if (!slot) continue;
    if (!(this->*slot->List).LoadFromCsv(csv, slot->IndexField))
      Status.SetError(elError, "Library [" + csv + "] not available");
  }
}

void TSession::SaveLibraries(const std::string& File) const {
  bool is_first = true;
  for (const TLibrarySlot& s : kSlots) {
    const TEntityList& list = this->*s.List;
    if (list.Empty()) continue;
    list.SaveToStream(File, !is_first);  // the first block starts the file anew
    is_first = false;
  }
  TEntityList::WriteStringToStream(File, "", 0);
}

TLibraryGenerationResult GenerateLibraryFile(const std::string& DefinitionsFile, const std::string& OutputFile) {
  TLibraryGenerationResult result;
  if (!FileExists(DefinitionsFile)) {
    result.Messages.push_back("Library definitions file " + DefinitionsFile + " not found");
    return result;
  }
  TSession session;
  session.LoadLibrariesFromCsv(DefinitionsFile);
  result.LibraryFile = OutputFile.empty() ? session.LibraryFilename : OutputFile;

  // IsOK resets the status, so keep what the loading reported (a missing CSV)
  // and report it ahead of the empty libraries it leaves.
  const TStatus load_status = session.Status;
  const bool is_complete = session.IsOK();
  if (!load_status.IsOK() || !is_complete) {
    for (const TStatusLine& line : load_status.ErrorList()) result.Messages.push_back(line.Text);
    for (const TStatusLine& line : session.Status.ErrorList()) result.Messages.push_back(line.Text);
    return result;
  }

  const std::string temp = result.LibraryFile + ".tmp";
  std::error_code ec;
  try {
    session.SaveLibraries(temp);
    std::filesystem::rename(temp, result.LibraryFile);
  } catch (const std::exception& e) {
    std::filesystem::remove(temp, ec);
    result.Messages.push_back(std::string("Error: ") + e.what());
    return result;
  }
  result.IsOK = true;
  result.Messages.push_back("New library file created: " + result.LibraryFile);
  return result;
}
