// TProject: data, defaults, names, validation and the project file. The
// automatic loads are in cProjectLoads.cpp, the report block, the summaries
// and the checksum in cProjectReport.cpp.
#include "project/cProject.h"

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"
#include "project/cFloorUse.h"

TProject::TProject() {
  SectionName = "Project";
  Clear();
}

TImportedBeam* TProject::GetBeam(int Side) { return Side >= 0 && Side <= 2 ? &beams_[Side] : nullptr; }
const TImportedBeam* TProject::GetBeam(int Side) const { return Side >= 0 && Side <= 2 ? &beams_[Side] : nullptr; }

bool TProject::GetHasBeam(int BeamID) const {
  switch (BeamID) {
    case 0: return Geometry.HasPrimaryBeam;
    case 1: return true;
    case 2: return Geometry.HasPrimaryBeam && !Geometry.IsEdgeBeam && !Geometry.IsSide2SameAsSide1;
    default: return false;
  }
}

int TProject::BeamCount() const { return GetHasBeam(2) ? 3 : 2; }

int TProject::BeamSide(const TBeam* ABeam) const {
  if (ABeam == &beams_[1]) return 1;
  if (ABeam == &beams_[2]) return 2;
  return 0;
}

bool TProject::GetIsAssessmentOK() const {
  if (GetHasBeam(0) && !beams_[0].IsAssessmentOK()) return false;
  for (int id = 1; id < BeamCount(); ++id)
    if (!beams_[id].IsAssessmentOK()) return false;
  return true;
}

std::string TProject::SetBeamPropped(int Side, bool IsPropped) {
  TImportedBeam* beam = GetBeam(Side);
  if (!beam) return "";
  beam->IsPropped = IsPropped;
  std::string told;
  if (Side == 0 && !IsPropped) {
    const bool any_propped = (GetHasBeam(1) && beams_[1].IsPropped) || (GetHasBeam(2) && beams_[2].IsPropped);
    if (any_propped) told = "Secondary beams will also be set to unpropped";
    beams_[1].IsPropped = false;
    beams_[2].IsPropped = false;
  } else if (Side != 0 && IsPropped) {
    // Without a primary beam there is nobody to tell.
    if (GetHasBeam(0) && !beams_[0].IsPropped) told = "Primary beam will also be set to propped";
    beams_[0].IsPropped = true;
  }
  IsChanged = true;
  return told;
}

std::string TProject::BeamPrefix(int BeamID) { return BeamID == 0 ? "" : "Secondary" + std::to_string(BeamID); }

// ---------------------------------------------------------------------------
// Defaults and the libraries.

void TProject::Clear() {
  TEntity::Clear();
  DesignCompositeStage = kInServiceStage;

  Geometry.Clear();
  ConcreteFloor.Clear();
  SteelDeck.Clear();
  ShearConnector.Clear();
  Geometry.HasPrimaryBeam = true;
  Geometry.IsSide2SameAsSide1 = true;
  Geometry.WillAutocalcBeamLoading = true;
  Geometry.WillAutocalcSecondaryStartLocations = false;
  Geometry.Outstand = 150;
  Geometry.PondingAllowance = 10;
  Geometry.IsTemporaryLiveLoadReducible = true;
  ConcreteFloor.Density = 2400;
  ConcreteFloor.WetDensity = 2400;
  ConcreteFloor.ShrinkageStrain = 300;

  for (int i = 0; i < 3; ++i) {
    TImportedBeam& beam = beams_[i];
    beam.Clear();
    beam.IsPrimaryBeam = i == 0;
    beam.SetFloorProperties(&ConcreteFloor, &SteelDeck, &ShearConnector, &LimitStateList, &DeflectionLimit);
    beam.SetCWBLimits(&CWBRestrictionList);
    auto cs = std::make_unique<TCompositeSection>();
    cs->CompositeSectionLabel = "1";
    cs->StartPosition = 0;
    cs->SteelSectionLabel = "Base steel beam";
    cs->bcLeft = Geometry.GetMaxSlabWidth(i, 1);
    cs->bcRight = Geometry.GetMaxSlabWidth(i, 2);
    beam.CompositeSectionList.Add("1", std::move(cs));
  }

  Segments = 10;
  DesignTable.Clear();
  Vibration.Clear();
  TestGroupList.Clear();
  TestList.Clear();
  IsChanged = false;
}

void TProject::AssignFromFloorUse(const TFloorUse& FloorUse) {
  Geometry.Ds = FloorUse.Ds;
  ConcreteFloor.ConcreteStrength = FloorUse.ConcreteStrength;
  Geometry.NominalLiveLoad = FloorUse.NominalLiveLoad;
  Geometry.IsLiveLoadReducible = FloorUse.IsLiveLoadReducible;
  Geometry.IsTemporaryLiveLoadReducible = true;
  Geometry.DeadLoad = FloorUse.DeadLoad;
  DeflectionLimit.IncrementalRelLimit = FloorUse.IncrementalRelLimit;
  DeflectionLimit.TotalRelLimit = FloorUse.TotalRelLimit;
  const int short_term = LimitStateList.CloseIndexOf("*Short*");
  if (short_term >= 0) LimitStateList.ItemAs<TLimitState>(short_term)->LFlive = FloorUse.LFliveShort;
  const int long_term = LimitStateList.CloseIndexOf("*Long*");
  if (long_term >= 0) LimitStateList.ItemAs<TLimitState>(long_term)->LFlive = FloorUse.LFliveLong;
  Geometry.FacadeLoad = FloorUse.FacadeLoad;
  IsChanged = true;
}

void TProject::SetLimitStateValues(const TEntityList* ALimitStateList) {
  LimitStateList.Clear();
  if (!ALimitStateList) {
    AddDefaultLimitStates(LimitStateList);
    return;
  }
  for (int i = 0; i < ALimitStateList->Count(); ++i) {
    const auto* source = ALimitStateList->ItemAs<TLimitState>(i);
    auto copy = std::make_unique<TLimitState>();
    copy->SetLimitStateLabel(source->LimitStateLabel);
    copy->LFdead = source->LFdead;
    copy->LFlive = source->LFlive;
    LimitStateList.Add(source->LimitStateLabel, std::move(copy));
  }
}

void TProject::SetCWBRestrictions(const TEntityList* ACWBRestrictionList) {
  CWBRestrictionList.Clear();
  if (!ACWBRestrictionList) return;
  for (int i = 0; i < ACWBRestrictionList->Count(); ++i) {
    auto copy = std::make_unique<TCWBRestriction>();
    copy->Assign(ACWBRestrictionList->Item(i));
    const std::string key = FloatToStrGeneral(copy->MinDepth);
    CWBRestrictionList.Add(key, std::move(copy));
  }
}

// ---------------------------------------------------------------------------
// Names.

TEntity* TProject::EntityProperty(const std::string& PropertyName, int Index) {
  if (SameText(PropertyName, "BEAM")) {
    if (Index < 0) return GetBeam(Geometry.HasPrimaryBeam ? 0 : 1);
    return GetBeam(Index);
  }
  return TEntity::EntityProperty(PropertyName, Index);
}

std::string TProject::StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                                  int MaxDPIncrease) {
  if (PropertyName == "ISOK") return IsOK() ? "True" : "False";
  if (PropertyName == "ERRORMSG") return Status.ErrorMsg;
  return TEntity::StringValue(PropertyName, Default, DP, MaxDPIncrease);
}

void TProject::GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix,
                             const std::string& Suffix, int MaxDepth) {
  TEntity::GetProperties(PropertyList, Prefix, Suffix, MaxDepth);
  PropertyList.push_back(Prefix + SectionName + ",IsOK,Boolean,O");
  PropertyList.push_back(Prefix + SectionName + ",ErrorMsg,String,O");
  beams_[1].GetProperties(PropertyList, "Beam*", Suffix, MaxDepth);
}

TPathEvaluation EvaluatePath(TProject& Project, const std::string& Path, const std::string& ExpectedValue) {
  TPathEvaluation result;
  std::string path = UpperCase(Path);
  if (path.rfind("PROJECT.", 0) == 0) path = path.substr(8);
  try {
    Project.CalcActualValue(path, ExpectedValue, result.ActualValue, result.IsExpected);
    result.ComparedValue = result.ActualValue;
    result.IsUnknownPath =
        result.ActualValue == "** UNKNOWN ENTITY **" || result.ActualValue == "** UNKNOWN PROPERTY **";
    double value, rel, abs;
    int dp;
    ParseExpectedValue(ExpectedValue, value, rel, abs, dp);
    if (ExpectedValue != "?" && rel <= 0 && abs <= 0) {
      std::string name;
      TEntity* owner = Project.ResolvePath(path, name);
      if (owner && owner->IsNumeric(name)) result.ComparedValue = owner->StringValue(name, result.ActualValue, dp, 0);
    }
  } catch (const std::exception& e) {
    result.ActualValue = std::string("** Calculation error: ") + e.what() + " **";
    result.ComparedValue = result.ActualValue;
    result.IsExpected = ExpectedValue == "?";
    result.IsCalculationError = true;
  }
  return result;
}

// ---------------------------------------------------------------------------
// Validation.

void TProject::CheckFloorForEdition() {
  // The edition's limits on the slab and on the connectors above the deck.
  CurrentStandard().CheckFloor(Geometry.Ds, SteelDeck, ShearConnector, Status);
}

void TProject::CheckSlabWidths() {
  for (int id = 0; id < BeamCount(); ++id) {
    if (!GetHasBeam(id)) continue;
    TImportedBeam& beam = beams_[id];
    const std::string name = FormatLiteral(beam.LongName());
    const double outstand = Geometry.Outstand;
    if (beam.IsEdgeBeam)
      Status.CheckMin(outstand, 150.0, elWarning,
                      name + " outstand distance (" + FloatToStrDP(false, 0, 3, outstand) + ") should be at least %.0f mm");
    const double S1 = id == 0 ? Geometry.SpacingSide1 : Geometry.GetSecondarySpacing(id);
    const double S2 = id == 0 ? Geometry.SpacingSide2 : Geometry.GetSecondarySpacing(id);
    for (int i = 0; i < beam.CompositeSectionList.Count(); ++i) {
      const TCompositeSection& cs = *beam.CompositeSection(i);
      Status.CheckMax(cs.bcLeft, S1 / 2, elWarning,
                      name + " composite slab width side 1 (" + FloatToStrDP(false, 0, 3, cs.bcLeft) +
                          ") must be less than half the beam spacing (" + FloatToStrDP(false, 0, 3, S1) + "/2)");
      if (beam.IsEdgeBeam)
        Status.CheckMax(cs.bcRight, outstand, elWarning,
                        name + " composite slab width side 2 (" + FloatToStrDP(false, 0, 3, cs.bcRight) +
                            ") must be less than edge beam outstand (%.0f)");
      else
        Status.CheckMax(cs.bcRight, S2 / 2, elWarning,
                        name + " composite slab width side 2 (" + FloatToStrDP(false, 0, 3, cs.bcRight) +
                            ") must be less than half the beam spacing (" + FloatToStrDP(false, 0, 3, S2) + "/2)");
    }
  }
}

bool TProject::IsOK() {
  Status.Reset();
  Status.CheckRange(FloorArea, 100, 5000, elWarning, "Single floor area should be between %d and %d sq m.");
  Status.CheckMin(Storeys, 2, elWarning, "Number of storeys in building should be at least %d");
  Status.CheckMax(Storeys, 120, elWarning, "Number of storeys in building should be less than %d");
  Status.CheckRange(Segments, 10, 100, elError, "Must specify between %d and %d segments");

  bool ok = Status.IsOK();
  ok = Geometry.IsOK() && ok;
  Status.AppendErrorList(Geometry.Status);

  if (ok) {
    CheckFloorForEdition();
    CheckSlabWidths();
    ok = ok && Status.IsOK();
  }

  TEntity* parts[] = {&DeflectionLimit, &ConcreteFloor, &SteelDeck, &ShearConnector};
  for (TEntity* part : parts) {
    const bool part_ok = part->IsOK();
    Status.AppendErrorList(part->Status);
    ok = ok && part_ok;
  }
  for (int i = 0; i < LimitStateList.Count(); ++i) {
    TEntity* ls = LimitStateList.Item(i);
    const bool ls_ok = ls->IsOK();
    Status.AppendErrorList(ls->Status);
    ok = ok && ls_ok;
  }
  ok = CheckPhysicalValues() && ok;

  if (ok) {
    for (int id = 0; id < 3; ++id) {
      if (!GetHasBeam(id)) continue;
      const bool beam_ok = beams_[id].IsOK();
      Status.AppendErrorList(beams_[id].Status);
      ok = ok && beam_ok;
    }
    ok = CheckBeamLoads() && ok;
  }
  Status.IsChecked = true;
  return ok;
}

// ---------------------------------------------------------------------------
// The project file.

void TProject::SaveExceptTestsToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  Checksum = CalcNewChecksum();
  TEntity::SaveToIniFile(IniFile, Prefix, Suffix);
  LimitStateList.SaveToIniFile(IniFile, Prefix);
  for (int id = 0; id < BeamCount(); ++id)
    if (GetHasBeam(id)) beams_[id].SaveToIniFile(IniFile, Prefix + BeamPrefix(id), Suffix);
  IniFile.EraseSection(Prefix + "TestGroups");
  IniFile.EraseSection(Prefix + "Tests");
}

void TProject::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  SaveExceptTestsToIniFile(IniFile, Prefix, Suffix);
  for (TEntityList* list : {&TestGroupList, &TestList}) {
    if (list->Empty()) IniFile.EraseSection(Prefix + list->SectionName());
    else list->SaveToIniFile(IniFile, Prefix);
  }
}

void TProject::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  TEntity::LoadFromIniFile(IniFile, Prefix, Suffix);  // clears first
  // A missing or damaged key would leave a stage number that names no stage,
  // and the composite design would then include no stage at all.
  if (!TConstructionStageSet::IsValidStage(DesignCompositeStage)) DesignCompositeStage = kInServiceStage;
  // Limit states come from the library; a file only changes the factors of known labels.
  LimitStateList.LoadFromIniFile(IniFile, "LimitStateLabel", false, Prefix);
  for (int id = 0; id < 3; ++id)
    if (GetHasBeam(id)) beams_[id].LoadFromIniFile(IniFile, Prefix + BeamPrefix(id), Suffix);
  UpdateBeamGeometry();

  TestGroupList.Clear();
  TestGroupList.LoadFromIniFile(IniFile, "Group", true, Prefix);
  TestList.Clear();
  TestList.LoadFromIniFile(IniFile, "Name", true, Prefix);
  for (int i = 0; i < TestList.Count(); ++i) {
    const std::string& group = TestList.ItemAs<TTest>(i)->Group;
    if (TestGroupList.IndexOf(group) >= 0) continue;
    auto added = std::make_unique<TTestGroup>();
    added->Group = group;
    TestGroupList.Add(group, std::move(added));
  }
  IsChanged = false;
}
