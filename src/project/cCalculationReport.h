// The calculation report of an analysed project: the document a reviewer or
// building certifier files with the design (report/cCalcDocument.h), built
// from the project as the last analysis run left it.
//
// Contents: the title block (project, designer, project file, program and
// version, edition, date) that every page repeats; a first chapter with the
// floor sketch, the design basis (edition, load factors, deflection limits,
// floor use and loads, concrete, deck, connectors) and a summary of every
// beam (section, each ratio, camber, connectors, verdict, the governing
// check); then one chapter per analysed beam in the run's order (secondary
// side 1, side 2, primary; report/cCalcBeam.h); then the floor vibration
// check, every step of its chain, when the check is on.
//
// Preconditions: the project has been analysed (TAnalysisRun) and is not
// changed while the report is built; the report reads the calling thread's
// edition of the standard, which must be the one the run used. Builds in
// memory only; report/qt/cCalcRender.h writes it as PDF or HTML.
#pragma once

#include <ctime>
#include <string>

#include "project/cProject.h"
#include "project/cSession.h"
#include "report/cCalcDocument.h"

struct TCalcReportOptions {
  std::string ProjectFileName;  // as the user named it; the title block shows it
  std::time_t Date = 0;         // the analysis's date; 0: now
  int BeamSide = -1;            // -1: every beam; else only beam 0 (primary), 1 or 2 (secondary)
  std::string FloorUse;         // the name of the floor use, when known ("Office")
};

// Whether the project has beam Side (0, 1 or 2), so that a report can be
// limited to it; Message says why not ("The project has no beam 2; its beams
// are 1 and 0").
bool CanReportBeam(const TProject& Project, int Side, std::string& Message);

// The name of the project's floor use in the session's library ("Office"),
// or "" when the index names none.
std::string FloorUseNameOf(const TSession& Session, const TProject& Project);

TCalcDocument BuildCalculationReport(const TProject& Project, const TCalcReportOptions& Options);

// The floor vibration chapter: every step of the walking check as the last
// run made it, or why it was not made. Nothing when the check is off.
void AppendVibrationCalculation(TCalcDocument& Document, const TVibration& Vibration);
