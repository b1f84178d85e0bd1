// The calculation of one analysed beam as a chapter of a calculation report
// (cCalcDocument.h), in the order an engineer works: inputs, section
// properties, the construction stage, the composite stage at the governing
// cross-section formula by formula and then at every critical cross-section,
// the shear connectors with each spacing rule, serviceability, the drawings,
// and the analysis's messages with the assumptions the program makes.
//
// Every number is the analysis's: results are read from the beam, its
// cross-sections (TPCC) and their composite sections; where a step is shown
// that the engine does not keep (the effective width of one side before its
// limit, the depth of the stress block), it is worked out by the same named
// formula function the engine called, with the same inputs, so that it equals
// what the engine used. The formulas follow the edition the cross-sections
// were evaluated under (TCompositeSectionAtPCC::Standard).
//
// Preconditions: the beam has been through FullAnalysis (a beam without
// results gets its inputs and a note instead of the calculation). The beam is
// read, never changed. Not thread-safe for one beam; different beams may be
// written on different threads.
#pragma once

#include <string>

#include "engine/cBeam.h"
#include "report/cCalcDocument.h"

struct TCalcBeamOptions {
  std::string Caption;  // the chapter's heading and the pages' subject: "Secondary beam SB1"
  std::string Anchor;   // the chapter's anchor ("beam-1")
  // Loads' sources: loads generated from the floor are marked "Automatic",
  // the others "User".
};

// The PCC whose composite-stage strength check governs: the largest of
// M*/phi Mbv, |V*|/Vcomp and, where the edition checks them together, the
// combined ratio, over the PCCs; ties go to the first. Null for a beam
// without PCCs.
const TPCC* GoverningCompositePCC(const TBeam& Beam);

// The position (PCC) of the largest stage 3 ratio of moment (Mdes / phi Ms)
// or shear (|Vdes| / phi Vvm), over all positions: where the construction
// stage governs. Null for a beam without positions.
const TPCC* GoverningConstructionPCC(const TBeam& Beam);

// Whether the beam has results to report.
bool HasCalculationResults(const TBeam& Beam);

// Appends the beam's chapter: a level-1 heading (Caption) and its sections.
void AppendBeamCalculation(TCalcDocument& Document, const TBeam& Beam, const TCalcBeamOptions& Options);

// The ratios of the beam's summary row and which check governs: the check's
// name ("Composite bending", "Stage 3 shear", "Deflection (incremental)" ...)
// and its ratio.
struct TGoverningCheck {
  std::string Name;
  double Ratio = 0;
};
TGoverningCheck GoverningCheck(const TBeam& Beam);
