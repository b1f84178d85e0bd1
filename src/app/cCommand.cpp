#include "app/cCommand.h"

#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "project/cProjectFile.h"

std::string DefaultProjectFile() { return GetShippedFile(kSampleProjectFileName); }
std::string DefaultLibraryFile() { return GetShippedFile(kLibraryFileName); }

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

bool TCommand::OpenProject(const TCommonOptions& Common, const std::string& File, TSession& Session,
                           TProject& Project, const TProjectOpening& Opening, TStatus* Validation) {
  if (!LoadSession(Common, Session)) return false;
  if (const TResult loaded = LoadProjectFile(Project, Session, File); !loaded) {
    Error(loaded.Message());
    return false;
  }
  if (!Opening.Announcement.empty()) out_ << Opening.Announcement << '\n';
  if (!Opening.Run) return true;
  if (Opening.IsDesign) Opening.Run->MarkStandardSectionsForSelection();
  const TStatus validation = ValidateForAnalysis(Session, Project);
  if (Validation) *Validation = validation;
  if (validation.IsOK()) return true;
  for (const TStatusLine& line : validation.ErrorList()) Error(line.Text);
  return false;
}

std::ostream* TerminalProgressStream() { return ::isatty(STDERR_FILENO) ? &std::cerr : nullptr; }

void TConsoleObserver::BeamStarted(int, int Index, int Count) {
  beam_ = "beam " + std::to_string(Index) + " of " + std::to_string(Count);
}

void TConsoleObserver::CandidateTried(int, int Index, int Count, const TCustomSteelSection& Candidate, bool) {
  if (progress_.IsOn())
    progress_.Show("Design, " + beam_ + ": section " + std::to_string(Index) + " of " + std::to_string(Count) + " (" +
                   Candidate.Name + ")");
}

void TConsoleObserver::BeamFinished(int, const TBeamSummary& Summary) {
  progress_.Clear();
  summaries_.push_back(Summary);
}

void TConsoleObserver::LogLine(const std::string& Line) {
  if (!quiet_) out_ << Line << '\n';
}

void TConsoleObserver::RunFinished(const TRunOutcome&) { progress_.Clear(); }

void TProgressLine::Show(const std::string& Text) {
  if (!terminal_) return;
  *terminal_ << '\r' << Text << "\x1b[K" << std::flush;
  is_shown_ = true;
}

void TProgressLine::Clear() {
  if (!is_shown_) return;
  *terminal_ << "\r\x1b[K" << std::flush;
  is_shown_ = false;
}
