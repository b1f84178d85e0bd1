#include "project/cProjectFile.h"

#include <filesystem>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

namespace {

int LibraryIndexOf(const TEntityList& library, const std::string& name) {
  int i = library.IndexOf(name);
  return i >= 0 ? i : library.CloseIndexOf(name);
}

}  // namespace

void ApplyLibraryDeck(TSteelDeck& Deck, const TEntityList& Library) {
  const int i = LibraryIndexOf(Library, Deck.Name);
  if (i < 0) return;
  const bool ignore_below_ribs = Deck.WillIgnoreConcreteBelowRibs;
  Deck.Assign(Library.Item(i));
  Deck.WillIgnoreConcreteBelowRibs = ignore_below_ribs;
}

void ApplyLibraryConnector(TShearConnector& Connector, const TEntityList& Library) {
  const int i = LibraryIndexOf(Library, Connector.Name);
  if (i >= 0) Connector.Assign(Library.Item(i));
}

TResult LoadProjectFile(TProject& Project, const TSession& Session, const std::string& File) {
  Project.SetLimitStateValues(&Session.LimitStateLibrary);
  Project.SetCWBRestrictions(&Session.CWBRestrictionLibrary);
  auto refuse = [&](TResult Why) {
    Project.Clear();
    return Why;
  };
  std::error_code ec;
  if (!std::filesystem::exists(File, ec)) return refuse(TResult::Failure("Project file [" + File + "] not found"));
  TVEXIniFile ini(File, true);
  if (!ini.LoadResult()) return refuse(ini.LoadResult());
  if (!ini.SectionExists(Project.SectionName))
    return refuse(TResult::Failure("[" + File + "] is not a project file"));
  LoadProjectFromIniFile(Project, Session, ini);
  return {};
}

void LoadProjectFromIniFile(TProject& Project, const TSession& Session, TVEXIniFile& IniFile) {
  Project.SetLimitStateValues(&Session.LimitStateLibrary);
  Project.SetCWBRestrictions(&Session.CWBRestrictionLibrary);
  Project.LoadFromIniFile(IniFile, "", "");
  ReconcileWithLibraries(Project, Session, &IniFile);
  Project.IsChanged = false;
}

void ReconcileWithLibraries(TProject& Project, const TSession& Session, TVEXIniFile* SavedFile) {
  // The deck and the connector follow the library; a custom one then takes
  // its own saved values again.
  TSteelDeck& deck = Project.SteelDeck;
  if (!deck.IsCustom || SavedFile) {
    const bool custom_deck = deck.IsCustom;
    deck.IsCustom = false;
    ApplyLibraryDeck(deck, Session.SteelDeckLibrary);
    if (custom_deck) deck.LoadFromIniFile(*SavedFile, "", "");
  }
  TShearConnector& connector = Project.ShearConnector;
  if (!connector.IsCustom || SavedFile) {
    const bool custom_connector = connector.IsCustom;
    connector.IsCustom = false;
    ApplyLibraryConnector(connector, Session.ShearConnectorLibrary);
    if (custom_connector) connector.LoadFromIniFile(*SavedFile, "", "");
  }

  for (int id = 0; id < 3; ++id) {
    TImportedBeam& beam = *Project.GetBeam(id);
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i) beam.SteelSection(i)->LoadFromLibrary(Session.SteelSectionLibrary);
  }
  Project.UpdateAutoLoads();
}

TResult SaveProjectFile(TProject& Project, const std::string& File) { return Project.SaveToFile(File); }

bool ValidateForAnalysis(TSession& Session, TProject& Project, TStatus& Status) {
  const bool session_ok = Session.IsOK();
  const bool project_ok = Project.IsOK();
  Status = TStatus();
  Status.AppendErrorList(Session.Status);
  Status.AppendErrorList(Project.Status);
  return session_ok && project_ok;
}
