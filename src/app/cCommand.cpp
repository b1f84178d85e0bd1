#include "app/cCommand.h"

#include <filesystem>
#include <iostream>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cProjectFile.h"

std::string DefaultProjectFile() { return GetProgramFolder() + "/SampleAnalysis.tva"; }
std::string DefaultLibraryFile() { return GetProgramFolder() + "/Trevalon.tvl"; }

void TCommand::Error(const std::string& Line) const { err_ << "trevalon: " << Line << '\n'; }

bool TCommand::LoadSession(const TCommonOptions& Common, TSession& Session) {
  const std::string file = Common.LibraryFile.empty() ? DefaultLibraryFile() : Common.LibraryFile;
  const TResult loaded = Session.LoadLibraries(file);
  if (Session.IsOK()) return true;
  // The loading says why (a missing file, a damaged block); else the check names the empty library.
  if (!loaded)
    for (const std::string& line : loaded.MessageLines()) Error("Error: " + line);
  else
    for (const TStatusLine& line : Session.Status.ErrorList()) Error(line.Text);
  return false;
}

bool TCommand::LoadProject(const TSession& Session, const std::string& File, TProject& Project) {
  const TResult loaded = LoadProjectFile(Project, Session, File);
  if (!loaded) Error(loaded.Message());
  return static_cast<bool>(loaded);
}

void TConsoleObserver::AddLogLine(const std::string& Line) {
  if (!quiet_) out_ << Line << '\n';
}

