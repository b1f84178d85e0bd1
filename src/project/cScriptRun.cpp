#include "project/cScriptRun.h"

#include "project/cAnalysisRun.h"
#include "project/cProjectFile.h"

TScriptRun RunProjectForScript(TProject& Project, const TSession& Session, bool IsDesign) {
  TScriptRun outcome;
  TAnalysisObserver quiet;
  TAnalysisRun run(Project, Session, quiet);
  if (IsDesign) run.MarkStandardSectionsForSelection();
  const bool ok = Project.IsOK();
  for (const TStatusLine& line : Project.Status.ErrorList()) outcome.Messages.push_back(line.Text);
  if (!ok) return outcome;
  for (const std::string& note : Project.AnalysisNotes()) outcome.Messages.push_back(kNotePrefix + note);
  TAnalysisRunOptions options;  // no report, no log lines
  run.RunAnalysis(options);
  outcome.IsRun = true;
  return outcome;
}
