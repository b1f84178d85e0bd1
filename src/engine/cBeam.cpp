// TBeam: data, lifecycle, persistence, names and input checks. The analysis
// lives in cBeamStatics.cpp, cBeamConnectors.cpp and cBeamResults.cpp.
#include "engine/cBeam.h"

#include <algorithm>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

const char* const kAutoSelect = "<Auto-select>";

namespace {

const char* const kSteelSectionLabels[4] = {"Base steel beam", "Notched (End 1)", "Plated", "Notched (End 2)"};

}  // namespace

TBeam::TBeam() {
  SectionName = "Beam";
  PCCList.Sorted = true;
  Clear();
}

void TBeam::Clear() {
  TEntity::Clear();
  DesignCompositeStage = kInServiceStage;
  CompositeSectionList.Clear();
  UserPCCList.Clear();
  DistributedLoadList.Clear();
  PointLoadList.Clear();
  PCCList.Clear();
  CreateStages();
  CreateSteelSections();
}

void TBeam::CreateStages() {
  ConstructionStageList.Clear();
  for (int stage : {3, 5, 6, 7})
    ConstructionStageList.Add(std::to_string(stage), std::make_unique<TConstructionStage>(static_cast<TStage>(stage)));
}

void TBeam::CreateSteelSections() {
  SteelSectionList.Clear();
  for (const char* label : kSteelSectionLabels) {
    auto section = std::make_unique<TSteelSection>();
    section->SteelSectionLabel = label;
    section->SetSectionType("UB");
    section->Grade = "KESTREL";
    section->Name = kAutoSelect;
    SteelSectionList.Add(label, std::move(section));
  }
}

void TBeam::SetFloorProperties(TConcreteFloor* AConcreteFloor, TSteelDeck* ASteelDeck,
                               TShearConnector* AShearConnector, TEntityList* ALimitStateList,
                               TDeflectionLimit* ADeflectionLimit) {
  ConcreteFloor = AConcreteFloor;
  SteelDeck = ASteelDeck;
  ShearConnector = AShearConnector;
  LimitStateList = ALimitStateList;
  DeflectionLimit = ADeflectionLimit;
}

void TBeam::SetNominalWidthSide1(double Value) {
  NominalWidthSide1 = Value;
  for (int i = 0; i < CompositeSectionList.Count(); ++i) {
    TCompositeSection* cs = CompositeSection(i);
    if (WillAutosizeSlabWidths || cs->bcLeft < 1) cs->bcLeft = Value;
  }
}

void TBeam::SetNominalWidthSide2(double Value) {
  NominalWidthSide2 = Value;
  for (int i = 0; i < CompositeSectionList.Count(); ++i) {
    TCompositeSection* cs = CompositeSection(i);
    if (WillAutosizeSlabWidths || cs->bcRight < 1) cs->bcRight = Value;
  }
}

std::string TBeam::LongName() const {
  return std::string(IsPrimaryBeam ? "Primary beam" : "Secondary beam") + (Mark.empty() ? "" : " " + Mark);
}

TConstructionStageSet TBeam::AllStages() const {
  TConstructionStageSet set;
  for (int i = 0; i < ConstructionStageList.Count(); ++i) {
    int stage = ConstructionStageList.ItemAs<TConstructionStage>(i)->Stage;
    if (stage <= DesignCompositeStage) set.Add(stage);
  }
  return set;
}

TConstructionStage* TBeam::StageObject(int Stage) const {
  for (int i = 0; i < ConstructionStageList.Count(); ++i) {
    auto* s = ConstructionStageList.ItemAs<TConstructionStage>(i);
    if (s->Stage == Stage) return s;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------
// Names.

TEntity* TBeam::EntityProperty(const std::string& PropertyName, int Index) {
  if (SameText(PropertyName, "PCCAT")) return GetPCCAt(std::max(Index, 0));
  return TEntity::EntityProperty(PropertyName, Index);
}

std::string TBeam::StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                               int MaxDPIncrease) {
  if (SameText(PropertyName, "KT") || MatchesMask(PropertyName, "KT[0-9]*")) {
    std::string name;
    int n;
    SplitTrailingNumber(PropertyName, name, n);
    if (n <= 0) n = UserNr;
    if (n <= 0) n = 1;
    return FloatToStrDP(false, 0, 3, kt(n));
  }
  return TEntity::StringValue(PropertyName, Default, DP, MaxDPIncrease);
}

void TBeam::GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix,
                          const std::string& Suffix, int MaxDepth) {
  // Placeholders let the listing show the properties of lists that may be empty.
  auto dummy_cs = std::make_unique<TCompositeSection>();
  dummy_cs->CompositeSectionLabel = "<DUMMY>";
  CompositeSectionList.Add("<DUMMY>", std::move(dummy_cs));
  const bool sorted = PCCList.Sorted;
  PCCList.Sorted = false;
  PCCList.Add("<DUMMY>", std::make_unique<TPCC>());

  TEntity::GetProperties(PropertyList, Prefix, Suffix, MaxDepth);
  TEntity::GetProperties(PropertyList, "<Beam>", Suffix, -1);
  TEntityList* lists[] = {&UserPCCList, &SteelSectionList, &CompositeSectionList, &DistributedLoadList,
                          &PointLoadList};
  for (TEntityList* list : lists) {
    list->Add("<DUMMY>", list->ObjectType());
    TEntity* element = list->Item(list->Count() - 1);
    const std::string name = "<Beam>" + element->SectionName;
    PropertyList.push_back(name + ",Count,Integer,I");
    element->GetProperties(PropertyList, name, Suffix + "<N>", MaxDepth);
    list->Delete(list->Count() - 1);
  }
  if (MaxDepth > 0) PCCList.Item(0)->GetProperties(PropertyList, Prefix + ".PCCAt*", Suffix, MaxDepth);
  PropertyList.push_back(Prefix + ",kt,Float,O");

  PCCList.Delete(PCCList.Count() - 1);
  PCCList.Sorted = sorted;
  CompositeSectionList.Delete(CompositeSectionList.Count() - 1);
}

// ---------------------------------------------------------------------------
// Input checks.

bool TBeam::IsOK() {
  Status.Reset();
  // Messages of the numeric checks are format templates; the others are used
  // as they stand. They are put together only for a check that fails: the
  // automatic selection validates the beam for every candidate it tries.
  auto plain = [&] { return LongName(); };
  auto name = [&] { return FormatLiteral(LongName()); };
  Status.CheckNotBlank(Mark, elWarning, [&] { return plain() + " mark cannot be blank"; });
  Status.CheckTrue(DeflectionLimit != nullptr, elError, [&] { return plain() + " deflection limits not defined"; });
  if (CamberType == 2)
    Status.CheckRange(CamberAbsolute, 0.0, 100.0, elWarning,
                      [&] { return name() + " specified camber must be between %.0f and %.0f"; });
  if (CamberType == 3)
    Status.CheckRange(CamberRelative, 100.0, 2000.0, elWarning,
                      [&] { return name() + " specified camber must be between Span/%.0f and Span/%.0f"; });
  if (StudCountBasis == 1)
    Status.CheckRange(UserBeta, 0.4, 1.0, elWarning,
                      [&] { return name() + " specified shear connection ratio must be between %.2f and %.1f"; });
  if (StudCountBasis == 2)
    Status.CheckRange(UserStudCount, 1, 200, elWarning, [&] {
      return name() + " specified total number of shear connectors must be between %d and %d";
    });
  Status.CheckRange(SteelSectionList.Count(), 4, 4, elError,
                    [&] { return name() + " must have %d steel sections defined"; });
  if (Status.CheckMin(CompositeSectionList.Count(), 1, elError, [&] { return name() + " no composite sections defined"; }))
    Status.CheckMax(CompositeSectionList.Count(), 10, elWarning,
                    [&] { return name() + " maximum of %d composite sections should be defined"; });

  if (CWBRestrictionList && SteelSectionList.Count() > 0 && !SteelSection(0)->BaseSteelSection.IsStandard) {
    const TSteelSection& s = *SteelSection(0);
    if (const TCWBRestriction* r = FindCWBRestriction(*CWBRestrictionList, s.Ds())) {
      auto check = [&](double value, double minimum, const char* what) {
        Status.CheckMin(value, minimum, elWarning,
                        [&] { return name() + what + FloatToStrDP(false, 0, 3, minimum) + " for this depth CWB"; });
      };
      check(s.bsf1(), r->bfMin, " top flange width must be at least ");
      check(s.bsf2(), r->bfMin, " bottom flange width must be at least ");
      check(s.tf1(), r->tfMin, " top flange thickness must be at least ");
      check(s.tf2(), r->tfMin, " bottom flange thickness must be at least ");
      check(s.tw(), r->twMin, " web thickness must be at least ");
    }
  }

  bool ok = Status.IsOK();
  auto validate = [&](TEntityList& list) {
    for (int i = 0; i < list.Count(); ++i) {
      TEntity* item = list.Item(i);
      bool item_ok = item->IsOK();
      Status.AppendErrorList(item->Status);
      ok = ok && item_ok;
    }
  };
  validate(SteelSectionList);
  validate(CompositeSectionList);
  validate(ConstructionStageList);
  validate(DistributedLoadList);
  validate(PointLoadList);
  Status.IsChecked = true;
  return ok;
}

// ---------------------------------------------------------------------------
// Persistence.

void TBeam::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  TEntity::SaveToIniFile(IniFile, Prefix, Suffix);
  SteelSectionList.SaveToIniFile(IniFile, Prefix);
  CompositeSectionList.SaveToIniFile(IniFile, Prefix);
  DistributedLoadList.SaveToIniFile(IniFile, Prefix);
  PointLoadList.SaveToIniFile(IniFile, Prefix);
  if (UserPCCList.Empty()) IniFile.EraseSection(Prefix + UserPCCList.SectionName());
  else UserPCCList.SaveToIniFile(IniFile, Prefix);
}

void TBeam::LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) {
  TEntity::LoadFromIniFile(IniFile, Prefix, Suffix);  // clears first
  SteelSectionList.LoadFromIniFile(IniFile, "SteelSectionLabel", false, Prefix);
  CompositeSectionList.LoadFromIniFile(IniFile, "CompositeSectionLabel", true, Prefix);
  DistributedLoadList.LoadFromIniFile(IniFile, "", true, Prefix);
  PointLoadList.LoadFromIniFile(IniFile, "", true, Prefix);
  UserPCCList.LoadFromIniFile(IniFile, "", true, Prefix);
  IsChanged = false;
}
