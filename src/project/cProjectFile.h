// Opening and saving project files the way the main window does, so the
// command line, the desktop program and the administrator tools all read a
// project identically.
#pragma once

#include <string>

#include "project/cProject.h"
#include "project/cSession.h"

class TVEXIniFile;

// Reads the project from File, then keeps it in step with the libraries: the
// deck and the connector take the library item of their name (a custom one
// then reads its own saved values again), every steel section reloads from the
// section library, and the automatic loads are recomputed. The project's limit
// states and welded-beam restrictions come from the session first.
// Fails when the file is missing, unreadable or not a project file; the
// project is then cleared.
TResult LoadProjectFile(TProject& Project, const TSession& Session, const std::string& File);
// The same from a project file already in memory (a state snapshot, a copy
// of the project for another thread); no file is touched.
void LoadProjectFromIniFile(TProject& Project, const TSession& Session, TVEXIniFile& IniFile);

// Keeps a project just read in step with the libraries, as opening or
// importing a file does: the deck and the connector take the library item of
// their name; a custom one then reads its own values from SavedFile again
// (without SavedFile a custom one is left as it is). Every steel section then
// reloads from the section library and the automatic loads are recomputed.
void ReconcileWithLibraries(TProject& Project, const TSession& Session, TVEXIniFile* SavedFile = nullptr);

// Save As: writes the project into File through the atomic writer
// (WriteFileAtomic: a temporary file renamed over the old one; a read-only
// file is refused and kept). When File is the file the project was opened
// from, OpenedFile (compared as files, not names), the keys and sections of
// that file which this save does not write are kept; any other existing file
// is replaced whole. An empty OpenedFile stands for a project of no file.
TResult SaveProjectFileAs(TProject& Project, const std::string& File, const std::string& OpenedFile);
// Save: the same into the project's own file.
TResult SaveProjectFile(TProject& Project, const std::string& File);

// A deck or connector that is not custom takes the library item of its name
// (exact, else the nearest name); a deck keeps its own WillIgnoreConcreteBelowRibs.
void ApplyLibraryDeck(TSteelDeck& Deck, const TEntityList& Library);
void ApplyLibraryConnector(TShearConnector& Connector, const TEntityList& Library);

// The prefix of a note (TProject::AnalysisNotes) among the messages of a
// validation, as "Warning: " and "Error: " prefix theirs.
inline constexpr const char* kNotePrefix = "Note: ";

// Validates the libraries and the project as the Analyse command does, and
// returns the verdict as one status: the session's messages, then the
// project's, then the project's notes (elHint, kNotePrefix). The status is OK
// exactly when the libraries and the project both validate: the notes, and
// anything else a part lets pass, do not count against it (its OKErrorLevel
// is raised over them).
TStatus ValidateForAnalysis(TSession& Session, TProject& Project);
