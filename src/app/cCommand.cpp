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
  Session.LoadLibraries(file);
  const TStatus load = Session.Status;
  if (Session.IsOK()) return true;
  // The loading messages say why (a missing file, a damaged block); the check names the empty library.
  for (const TStatusLine& line : load.ErrorList()) Error(line.Text);
  if (load.ErrorList().empty())
    for (const TStatusLine& line : Session.Status.ErrorList()) Error(line.Text);
  return false;
}

bool TCommand::LoadProject(const TSession& Session, const std::string& File, TProject& Project) {
  std::string error;
  if (LoadProjectFile(Project, Session, File, error)) return true;
  Error(error);
  return false;
}

void TConsoleObserver::AddLogLine(const std::string& Line) {
  if (!quiet_) out_ << Line << '\n';
}

