#include "project/cLoadChecks.h"

#include <cmath>

#include "entity/VEXUtility.h"

namespace {

// Two positions closer than this (mm) are the same position.
constexpr double kPositionTolerance = 0.001;

// A position as the user wrote it: a percentage of the span or mm.
std::string PositionText(double Value, bool IsProportional) {
  return IsProportional ? CheckedValueText(Value * 100) + "%" : CheckedValueText(Value) + " mm";
}

// A position must lie on the beam: 0 .. Span.
void CheckPosition(std::vector<TLoadProblem>& Problems, TLoadField Field, const char* What, double Value,
                   bool IsProportional, double Span) {
  const double mm = IsProportional ? Value * Span : Value;
  const std::string text = std::string(What) + " " + PositionText(Value, IsProportional);
  if (!std::isfinite(mm))
    Problems.push_back({Field, elError, std::string(What) + " is not a number"});
  else if (mm < -kPositionTolerance)
    Problems.push_back({Field, elError, text + " is before the start of the beam"});
  else if (mm > Span + kPositionTolerance)
    Problems.push_back({Field, elError, text + " is beyond the span of " + CheckedValueText(Span) + " mm"});
}

// A load value must be a real downward load, and a plausible one.
void CheckValue(std::vector<TLoadProblem>& Problems, TLoadField Field, const char* What, double Value,
                const char* Unit, double Plausible) {
  const std::string text = std::string(What) + " " + CheckedValueText(Value) + " " + Unit;
  if (!std::isfinite(Value))
    Problems.push_back({Field, elError, std::string(What) + " is not a number"});
  else if (Value < 0)
    Problems.push_back({Field, elError, text + " is negative"});
  else if (Value > Plausible)
    Problems.push_back({Field, elWarning, text + " is more than " + CheckedValueText(Plausible) + " " + Unit +
                                              "; check the units"});
}

// A load of a stage in which no load acts would be left out of every combination.
void CheckStage(std::vector<TLoadProblem>& Problems, int ConStage) {
  if (ConStage == 3 || ConStage == 5 || ConStage == 6 || ConStage == kInServiceStage) return;
  Problems.push_back({TLoadField::Stage, elError,
                      "stage " + std::to_string(ConStage) + " is not a stage of the beam (3, 5, 6 or 7)"});
}

}  // namespace

std::string CheckedValueText(double Value) {
  if (std::isfinite(Value) && std::fabs(Value) < 1e9) return FloatToStrDP(false, 0, 3, Value);
  return FloatToStrGeneral(Value);
}

std::vector<TLoadProblem> CheckUserLoad(const TDistributedLoad& Load, double Span) {
  std::vector<TLoadProblem> problems;
  CheckStage(problems, Load.ConStage);
  CheckPosition(problems, TLoadField::StartPosition, "start", Load.StartPosition, Load.IsStartPositionProportional,
                Span);
  // A start off the beam is told already; one on it may still lie past the finish.
  const bool is_start_told = !problems.empty() && problems.back().Field == TLoadField::StartPosition;
  if (!Load.IsFinishPositionAtEnd)
    CheckPosition(problems, TLoadField::FinishPosition, "finish", Load.FinishPosition,
                  Load.IsFinishPositionProportional, Span);
  const double start = Load.StartPositionMm(Span), finish = Load.FinishPositionMm(Span);
  if (!is_start_told && std::isfinite(start) && std::isfinite(finish) && start > finish + kPositionTolerance)
    problems.push_back({TLoadField::StartPosition, elError,
                        "start " + PositionText(Load.StartPosition, Load.IsStartPositionProportional) +
                            " is after the finish " +
                            PositionText(Load.FinishPosition, Load.IsFinishPositionProportional)});
  CheckValue(problems, TLoadField::StartValue, "start value", Load.StartValue, "kN/m", kMaxPlausibleLineLoad);
  CheckValue(problems, TLoadField::FinishValue, "finish value", Load.FinishValue, "kN/m", kMaxPlausibleLineLoad);
  return problems;
}

std::vector<TLoadProblem> CheckUserLoad(const TPointLoad& Load, double Span) {
  std::vector<TLoadProblem> problems;
  CheckStage(problems, Load.ConStage);
  CheckPosition(problems, TLoadField::Position, "position", Load.Position, Load.IsPositionProportional, Span);
  CheckValue(problems, TLoadField::Value, "value", Load.Value, "kN", kMaxPlausiblePointLoad);
  return problems;
}

bool CheckUserLoads(const TAppliedLoadList& DistributedLoads, const TAppliedLoadList& PointLoads, double Span,
                    const std::string& BeamName, TStatus& Status) {
  bool ok = true;
  auto report = [&](const std::vector<TLoadProblem>& Problems, const std::string& Load) {
    for (const TLoadProblem& p : Problems) {
      Status.SetError(p.Level, BeamName + ", " + Load + ": " + p.Text);
      ok = false;
    }
  };
  int row = 0;
  for (int i = 0; i < DistributedLoads.Count(); ++i) {
    const auto* load = DistributedLoads.ItemAs<TDistributedLoad>(i);
    if (load->IsAutoCalced) continue;
    report(CheckUserLoad(*load, Span), "distributed load " + std::to_string(++row));
  }
  row = 0;
  for (int i = 0; i < PointLoads.Count(); ++i) {
    const auto* load = PointLoads.ItemAs<TPointLoad>(i);
    if (load->IsAutoCalced) continue;
    report(CheckUserLoad(*load, Span), "point load " + std::to_string(++row));
  }
  return ok;
}
