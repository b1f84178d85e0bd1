// TProject: the checks of values no floor can have, of the beams' user loads,
// and the notes an analysis leaves beside its results.
#include <cmath>

#include "entity/VEXUtility.h"
#include "project/cLoadChecks.h"
#include "project/cProject.h"

namespace {

// No input of a floor comes near this (lengths in mm, stresses in MPa,
// densities in kg/m3 are all far below it); beyond it a number is a slip, and
// the analysis of it would not stay finite.
constexpr double kMaxAnyValue = 1e6;

// Load factors beyond this turn any load into nonsense.
constexpr double kMaxLoadFactor = 10;
// Floor loads (kPa), a facade line load (kN/m) and a ponding allowance (mm)
// beyond these are taken for a slip of the units.
constexpr double kMaxFloorLoad = 100;
constexpr double kMaxPonding = 100;
// Deflection limits: span/deflection ratios, absolute limits and camber, mm.
constexpr double kMaxRatioLimit = 10000;
constexpr double kMaxAbsoluteLimit = 1000;

class TRangeChecker {
 public:
  explicit TRangeChecker(TStatus& Status) : status_(Status) {}

  // Min 0 is "must not be negative" (as the file's values have always been told).
  void Check(double Value, double Min, double Max, const std::string& Name, const std::string& Unit = "") {
    const std::string shown = Name + " (" + CheckedValueText(Value) + ")";
    if (Min == 0 && Value < 0) {
      Fail(shown + " must not be negative");
    } else if (!(Value >= Min && Value <= Max)) {
      Fail(shown + " must be between " + CheckedValueText(Min) + " and " + CheckedValueText(Max) +
           (Unit.empty() ? "" : " " + Unit));
    }
  }

  // Every published number of an entity (not of its sub-entities), but
  // those in Checked (which a check of its own covers).
  void CheckAnyValue(TEntity& Entity, const std::string& Name, std::initializer_list<const char*> Checked = {}) {
    for (const TProperty& p : Entity.Properties().Items()) {
      if (!p.IsPublished || !p.IsReadable()) continue;
      bool is_checked = false;
      for (const char* c : Checked) is_checked = is_checked || p.Name == c;
      if (is_checked) continue;
      double value = 0;
      if (p.Kind == TPropKind::Float) value = p.GetFloat(Entity);
      else if (p.Kind == TPropKind::Integer) value = static_cast<double>(p.GetOrdinal(Entity));
      else continue;
      if (std::isfinite(value) && std::fabs(value) <= kMaxAnyValue) continue;
      Fail(Name + " " + p.Name + " (" + CheckedValueText(value) + ") is outside the range of any floor (" +
           CheckedValueText(-kMaxAnyValue) + " to " + CheckedValueText(kMaxAnyValue) + ")");
    }
  }

  void CheckListValues(TEntityList& List, const std::string& Name) {
    for (int i = 0; i < List.Count(); ++i) CheckAnyValue(*List.Item(i), Name + " " + std::to_string(i + 1));
  }

  bool IsOK() const { return ok_; }

 private:
  void Fail(const std::string& Message) {
    status_.SetError(elWarning, Message);
    ok_ = false;
  }

  TStatus& status_;
  bool ok_ = true;
};

}  // namespace

bool TProject::CheckPhysicalValues() {
  TRangeChecker checker(Status);
  for (int i = 0; i < LimitStateList.Count(); ++i) {
    const TLimitState& ls = *LimitStateList.ItemAs<TLimitState>(i);
    checker.Check(ls.LFdead, 0, kMaxLoadFactor, "Limit state " + ls.LimitStateLabel + ": dead load factor");
    checker.Check(ls.LFlive, 0, kMaxLoadFactor, "Limit state " + ls.LimitStateLabel + ": live load factor");
  }
  checker.Check(Geometry.NominalLiveLoad, 0, kMaxFloorLoad, "Nominal live load", "kPa");
  checker.Check(Geometry.DeadLoad, 0, kMaxFloorLoad, "Superimposed dead load", "kPa");
  checker.Check(Geometry.FacadeLoad, 0, kMaxFloorLoad, "Facade load", "kN/m");
  checker.Check(Geometry.PondingAllowance, 0, kMaxPonding, "Ponding allowance", "mm");
  checker.Check(ConcreteFloor.WetDensity, 0, kMaxAnyValue, "Wet concrete density");
  checker.Check(SteelDeck.Mass, 0, kMaxAnyValue, "Steel deck mass");

  const TDeflectionLimit& d = DeflectionLimit;
  const std::pair<double, const char*> ratios[] = {
      {d.Stage3DLRelLimit, "3"}, {d.Stage56DLRelLimit, "5&6"}, {d.Stage356DLRelLimit, "3&5&6"},
      {d.IncrementalRelLimit, "InService - incremental"}, {d.TotalRelLimit, "InService - total"}};
  for (const auto& [value, stage] : ratios)
    checker.Check(value, 0, kMaxRatioLimit, std::string("Deflection limit ") + stage + ": span/deflection ratio");
  const std::pair<double, const char*> absolutes[] = {
      {d.Stage3DLAbsLimit, "3"}, {d.Stage56DLAbsLimit, "5&6"}, {d.Stage356DLAbsLimit, "3&5&6"},
      {d.IncrementalAbsLimit, "InService - incremental"}, {d.TotalAbsLimit, "InService - total"}};
  for (const auto& [value, stage] : absolutes)
    checker.Check(value, 0, kMaxAbsoluteLimit, std::string("Deflection limit ") + stage + ": absolute limit", "mm");
  checker.Check(d.ShrinkageRatioPriorInservice, 0, 1, "Ratio of shrinkage prior to InService");
  checker.Check(d.MaximumCamber, 0, kMaxAbsoluteLimit, "Maximum camber", "mm");

  // Whatever no check above names still has to be a number a floor can have.
  checker.CheckAnyValue(*this, "Project");
  checker.CheckAnyValue(Geometry, "Geometry", {"NominalLiveLoad", "DeadLoad", "FacadeLoad", "PondingAllowance"});
  checker.CheckAnyValue(ConcreteFloor, "Concrete", {"WetDensity"});
  checker.CheckAnyValue(SteelDeck, "Steel deck", {"Mass"});
  checker.CheckAnyValue(ShearConnector, "Shear connector");
  for (int id = 0; id < 3; ++id) {
    if (!GetHasBeam(id)) continue;
    TImportedBeam& beam = beams_[id];
    const std::string name = beam.LongName();
    checker.CheckAnyValue(beam, name);
    checker.CheckListValues(beam.SteelSectionList, name + " steel section");
    for (int i = 0; i < beam.SteelSectionList.Count(); ++i)
      checker.CheckAnyValue(beam.SteelSection(i)->BaseSteelSection, name + " steel section " + std::to_string(i + 1));
    checker.CheckListValues(beam.CompositeSectionList, name + " composite section");
    checker.CheckListValues(beam.DistributedLoadList, name + " distributed load");
    checker.CheckListValues(beam.PointLoadList, name + " point load");
    checker.CheckListValues(beam.UserPCCList, name + " cross-section");
  }
  return checker.IsOK();
}

bool TProject::CheckBeamLoads() {
  bool ok = true;
  for (int id = 0; id < 3; ++id) {
    if (!GetHasBeam(id)) continue;
    const TImportedBeam& beam = beams_[id];
    ok = CheckUserLoads(beam.DistributedLoadList, beam.PointLoadList, beam.Span, beam.LongName(), Status) && ok;
  }
  return ok;
}

std::vector<std::string> TProject::AnalysisNotes() const {
  std::vector<std::string> notes;
  if (std::string note = Geometry.EffectiveSpacingNote(); !note.empty()) notes.push_back(std::move(note));
  return notes;
}
