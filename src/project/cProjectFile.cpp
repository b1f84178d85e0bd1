#include "project/cProjectFile.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

namespace {

int LibraryIndexOf(const TEntityList& library, const std::string& name) {
  int i = library.IndexOf(name);
  return i >= 0 ? i : library.CloseIndexOf(name);
}

// The first section of a beam the floor has that the file lacks, when
// reading would otherwise fill it from another beam: a beam's sections
// missing under its prefix are read from the unprefixed ones, which hold the
// primary beam's data whenever the floor has a primary beam. A file cut off
// in the middle is incomplete, not a floor whose beams are all alike. A beam
// without its own section or its steel sections is incomplete too. "" when
// nothing is missing.
std::string MissingBeamSection(TProject& Project, const TVEXIniFile& Ini) {
  for (int id = 0; id < 3; ++id) {
    if (!Project.GetHasBeam(id)) continue;
    const std::string prefix = TProject::BeamPrefix(id);
    TImportedBeam& beam = *Project.GetBeam(id);
    std::vector<std::string> sections = {beam.SectionName};
    const TEntityList* lists[] = {&beam.SteelSectionList, &beam.CompositeSectionList, &beam.DistributedLoadList,
                                  &beam.PointLoadList, &beam.UserPCCList};
    for (const TEntityList* list : lists)
      sections.push_back(list->SectionName());
    for (const std::string& section : sections) {
      if (Ini.SectionExists(prefix + section)) continue;
      const bool has_unprefixed = !prefix.empty() && Ini.SectionExists(section);
      // The unprefixed sections are the primary beam's whenever the floor has one.
      if (has_unprefixed && Project.GetHasBeam(0)) return prefix + section;
      // A beam's own section and its steel sections are never optional
      // (without the latter the beam would be analysed with a section the
      // user never chose). A file saved without prefixes (the only beam of a
      // floor without primary beam) is read under the prefix: its
      // unprefixed sections are that beam's own.
      const bool is_required = section == beam.SectionName || section == beam.SteelSectionList.SectionName();
      if (is_required && !has_unprefixed) return prefix + section;
      // A list that is missing altogether reads as empty.
    }
  }
  return "";
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
  Project.LoadFromIniFile(ini, "", "");
  if (const TResult& problem = ini.ReadProblem(); !problem)
    return refuse(TResult::Failure("Project file [" + File + "], " + problem.Message()));
  if (const std::string missing = MissingBeamSection(Project, ini); !missing.empty())
    return refuse(TResult::Failure("Project file [" + File + "] is incomplete: section [" + missing + "] is missing"));
  ReconcileWithLibraries(Project, Session, &ini);
  Project.IsChanged = false;
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

TResult SaveProjectFile(TProject& Project, const std::string& File) { return SaveProjectFileAs(Project, File, File); }

TResult SaveProjectFileAs(TProject& Project, const std::string& File, const std::string& OpenedFile) {
  // The project's own file keeps what this save does not write (keys of
  // older versions, sections of other tools).
  if (!OpenedFile.empty() && IsSameFile(File, OpenedFile)) return Project.SaveToFile(File);
  // Any other file is replaced whole: nothing of what it held is merged into the project.
  auto ini = TVEXIniFile::FromBytes("");
  Project.SaveToIniFile(ini, "", "");
  return WriteFileAtomic(File, ini.ToBytes());
}

TStatus ValidateForAnalysis(TSession& Session, TProject& Project) {
  const bool session_ok = Session.IsOK();
  const bool project_ok = Project.IsOK();
  TStatus status;
  status.AppendErrorList(Session.Status);
  status.AppendErrorList(Project.Status);
  // Notes do not stop the analysis; they travel with its messages.
  for (const std::string& note : Project.AnalysisNotes()) status.SetError(elHint, kNotePrefix + note);
  if (session_ok && project_ok) {
    status.OKErrorLevel = std::max(status.ErrorLevel, elHint);
  } else if (status.IsOK()) {
    // A part that does not validate always says why; should one not, the
    // input is refused all the same.
    status.SetError(elError, "The input does not validate");
  }
  status.IsChecked = true;
  return status;
}
