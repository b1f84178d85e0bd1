// The parts of a beam's calculation chapter (cCalcBeam.h), one function per
// section of the chapter, and the small helpers they share to write formula
// lines. Internal to the report folder: cCalcBeam.cpp (inputs, section
// properties), cCalcBeamStrength.cpp (construction and composite stages),
// cCalcBeamService.cpp (connectors, serviceability, drawings, messages).
#pragma once

#include <string>
#include <vector>

#include "components/cStandard.h"
#include "engine/cBeam.h"
#include "report/cCalcDocument.h"

namespace calcbeam {

// What every part reads: the document it writes to, the beam, and the
// edition its cross-sections were evaluated under.
struct TContext {
  TCalcDocument& Doc;
  const TBeam& Beam;
  const TStandard& Standard;
  bool Is2017() const { return Standard.Version() == kStandard2017; }
};

void AppendInputs(TContext& C);
void AppendSectionProperties(TContext& C);
void AppendConstructionStage(TContext& C);
void AppendCompositeStage(TContext& C);
void AppendConnectors(TContext& C);
void AppendServiceability(TContext& C);
void AppendDrawings(TContext& C);
void AppendMessages(TContext& C);

// --- Formula lines.

// A step: words, symbols, numbers, result.
TCalcFormula Step(const std::string& Check, const std::string& Reference, const std::string& Symbolic,
                  const std::string& Substituted, const std::string& Result);
// A check: a step with its limit, ratio and verdict (OK when Ratio <= 1 +
// Tolerance; the analysis's own checks have none).
TCalcFormula Check(const std::string& Check, const std::string& Reference, const std::string& Symbolic,
                   const std::string& Substituted, const std::string& Result, const std::string& Limit, double Ratio,
                   double Tolerance = 0);

// --- Numbers.

// An input as the user typed it: as few decimals as needed, at most 3.
std::string In(double Value);
// A position along the span, mm: whole millimetres where it is one, three
// decimals for the cross-sections a hair either side of a point load or a
// change of section, else one decimal.
std::string Pos(double x);
// A quantity: calc::Qty.
inline std::string Q(double Value, int Decimals, const std::string& Unit) { return calc::Qty(Value, Decimals, Unit); }
// A number: calc::Num.
inline std::string Nm(double Value, int Decimals) { return calc::Num(Value, Decimals); }

// Units and symbols, as the report prints them.
inline const std::string kMm = "mm", kMm2 = "mm²", kMm3 = "mm³", kMm4 = "mm⁴", kKN = "kN", kKNm = "kNm", kMPa = "MPa",
                         kKNperM = "kN/m", kKPa = "kPa";
inline const std::string kPhi = "φ", kBeta = "β", kTimes = " × ", kMinus = " − ", kLe = " ≤ ";

// The beam's steel section at a cross-section; null when it has none.
const TSteelSection* SteelAt(const TPCC& P);
// The capacity factor of a kind under the context's edition, as text ("0.9").
std::string PhiText(const TContext& C, TCapacityFactorType Kind);

// The three deflection ratios of the serviceability checks at midspan and the
// other terms of the beam's MaxDeflectionRatio, by name.
struct TDeflectionTerm {
  std::string Name;   // "Stage 3 dead load"
  double Value = 0;   // mm
  double Limit = 0;   // mm; 0 when there is no limit
  double Ratio() const { return Limit > 0 ? Value / Limit : 0; }
};
std::vector<TDeflectionTerm> DeflectionTerms(const TBeam& Beam);

}  // namespace calcbeam
