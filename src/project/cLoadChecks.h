// The checks every load a user gives a beam passes before an analysis: a
// load that cannot be real (a negative value, a position off the beam, a
// start after its finish, a stage in which no load acts) would make the beam
// look stronger than it is, and one far beyond anything a floor carries is
// most likely a slip of the units. The project's validation names the beam,
// the table and the row; the window colours the cells of the row as soon as
// the user leaves them. Automatic loads (made from the floor) are not checked
// here: the floor's own checks cover them.
//
// Positions are judged in mm against the beam's span (a proportional position
// is its fraction of the span); the texts give them as the user wrote them.
#pragma once

#include <string>
#include <vector>

#include "engine/cAppliedLoad.h"
#include "entity/cStatus.h"

// Above these a load is taken for a slip of the units: a warning, which stops
// an analysis like every other validation warning.
inline constexpr double kMaxPlausibleLineLoad = 1000;    // kN/m
inline constexpr double kMaxPlausiblePointLoad = 10000;  // kN

// The value of a load a problem is about: the cell of its grid row.
enum class TLoadField { Stage, StartPosition, FinishPosition, StartValue, FinishValue, Position, Value };

struct TLoadProblem {
  TLoadField Field;
  TErrorLevel Level;  // elError for a load that cannot be real, elWarning for one beyond the plausible
  std::string Text;   // "finish 10500 mm is beyond the span of 9000 mm"
};

// A value as a check's message shows it: as typed for everyday numbers (at
// most 3 decimals), in exponent form for the absurdly large ("1E300"), so a
// message never runs to hundreds of digits.
std::string CheckedValueText(double Value);

// The problems of a user's load on a beam of Span mm, in the order of the
// grid's columns; none for a load that may be analysed.
std::vector<TLoadProblem> CheckUserLoad(const TDistributedLoad& Load, double Span);
std::vector<TLoadProblem> CheckUserLoad(const TPointLoad& Load, double Span);

// Every user load of a beam (AutoCalced ones skipped), each problem as a line
// of Status at its level: BeamName + ", distributed load 2: " + the problem.
// Loads are numbered among the user's loads of their kind, from 1, as the
// project file numbers them. Returns whether no problem was found.
bool CheckUserLoads(const TAppliedLoadList& DistributedLoads, const TAppliedLoadList& PointLoads, double Span,
                    const std::string& BeamName, TStatus& Status);
