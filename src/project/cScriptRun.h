// Analyse and Design as a script runs them (the Python module, and the
// results of `trevalon analyse|design --json` from any program): the project
// validated as the Analyse command validates it, then the run without a
// report. The results are those of the command line.
//
// Threads: the session must have been loaded and validated before (the
// validation writes the session's status); from then on it is only read, so
// several threads may run at once, each on a project of its own, under the
// edition each has chosen for itself (TStandardVersionScope).
#pragma once

#include <string>
#include <vector>

#include "project/cProject.h"
#include "project/cSession.h"

struct TScriptRun {
  bool IsRun = false;  // the project validated and was analysed
  // The validation's messages: the reasons it failed ("Warning: ...",
  // "Error: ..."), else its notes ("Note: ..."); the document's messages.
  std::vector<std::string> Messages;
};

// Design first marks every standard section of every beam "<Auto-select>".
TScriptRun RunProjectForScript(TProject& Project, const TSession& Session, bool IsDesign);
