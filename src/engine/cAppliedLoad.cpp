#include "engine/cAppliedLoad.h"

#include "entity/VEXUtility.h"
#include "entity/cIniFiles.h"

// ---------------------------------------------------------------------------
// Loads.

void TAppliedLoad::InitAutoCalc(int AStage, bool AIsLiveLoad, const std::string& ADescription) {
  ConStage = AStage;
  IsLiveLoad = AIsLiveLoad;
  Description = ADescription;
  IsAutoCalced = true;
  IsChanged = false;
}

bool LoadActsFor(int ConStage, bool IsLiveLoad, TConstructionStageSet S) {
  if (!TConstructionStageSet::IsValidStage(ConStage) || !S.Contains(ConStage)) return false;
  if (!IsLiveLoad) return true;
  // Construction live loads are removed once a later stage is combined.
  if (ConStage == 3 && S.Contains(5)) return false;
  if ((ConStage == 3 || ConStage == 5) && S.Contains(6)) return false;
  if ((ConStage == 3 || ConStage == 5 || ConStage == 6) && S.Contains(7)) return false;
  return true;
}

bool LoadActsFor(const TAppliedLoad& Load, TConstructionStageSet S) {
  return LoadActsFor(Load.ConStage, Load.IsLiveLoad, S);
}

TDistributedLoad::TDistributedLoad() {
  SectionName = "DistributedLoad";
}

void TDistributedLoad::SetStartPosition(double Value) {
  SetTracked(StartPosition, Value < 0 ? 0.0 : Value);
}

double TDistributedLoad::StartPositionMm(double Span) const {
  return IsStartPositionProportional ? StartPosition * Span : StartPosition;
}

double TDistributedLoad::FinishPositionMm(double Span) const {
  if (IsFinishPositionAtEnd) return Span;
  return IsFinishPositionProportional ? FinishPosition * Span : FinishPosition;
}

void TDistributedLoad::Clear() {
  TAppliedLoad::Clear();
  SetTracked(FinishPosition, 1.0);
  SetTracked(IsFinishPositionProportional, true);
  SetTracked(IsFinishPositionAtEnd, true);
}

std::unique_ptr<TDistributedLoad> TDistributedLoad::CreateNewAutoCalc(
    int AStage, double AValue, bool AIsLiveLoad, const std::string& ADescription) {
  auto load = std::make_unique<TDistributedLoad>();
  load->StartValue = AValue;
  load->FinishValue = AValue;
  load->InitAutoCalc(AStage, AIsLiveLoad, ADescription);
  return load;
}

TPointLoad::TPointLoad() {
  SectionName = "PointLoad";
}

std::unique_ptr<TPointLoad> TPointLoad::CreateNewAutoCalc(int AStage, double APosition,
                                                          double AValue, bool AIsLiveLoad,
                                                          const std::string& ADescription) {
  auto load = std::make_unique<TPointLoad>();
  load->Position = APosition;
  load->IsPositionProportional = false;
  load->Value = AValue;
  load->InitAutoCalc(AStage, AIsLiveLoad, ADescription);
  return load;
}

// ---------------------------------------------------------------------------
// The list.

TAppliedLoad* TAppliedLoadList::AddLoad(std::unique_ptr<TAppliedLoad> AppliedLoad) {
  if (!AppliedLoad) return nullptr;
  TAppliedLoad* raw = AppliedLoad.get();
  std::string key = std::to_string(Count());
  if (!raw->IsAutoCalced) {
    Add(std::move(key), std::move(AppliedLoad));
    return raw;
  }
  int first_manual = Count();
  for (int i = 0; i < Count(); ++i) {
    if (!Load(i)->IsAutoCalced) {
      first_manual = i;
      break;
    }
  }
  Insert(first_manual, std::move(key), std::move(AppliedLoad));
  return raw;
}

void TAppliedLoadList::ClearLoads(bool WillClearAuto, bool WillClearManual) {
  for (int i = Count() - 1; i >= 0; --i) {
    const bool is_auto = Load(i)->IsAutoCalced;
    if ((is_auto && WillClearAuto) || (!is_auto && WillClearManual)) Delete(i);
  }
}

void TAppliedLoadList::SetAllAutoState(bool AutoState) {
  const size_t prefix_length = std::string(kAutoLoadPrefix).size();
  for (int i = 0; i < Count(); ++i) {
    TAppliedLoad* load = Load(i);
    load->IsAutoCalced = AutoState;
    const bool has_prefix = MatchesMask(load->Description, kAutoLoadMask);
    if (AutoState && !has_prefix) load->Description = kAutoLoadPrefix + load->Description;
    if (!AutoState && has_prefix) load->Description.erase(0, prefix_length);
  }
}

int TAppliedLoadList::AutoLoadCount() const {
  int n = 0;
  for (int i = 0; i < Count(); ++i)
    if (Load(i)->IsAutoCalced) ++n;
  return n;
}

void TAppliedLoadList::SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix) {
  if (!ObjectType) return;
  const std::string section = Prefix + SectionName();
  IniFile.WriteInteger(section, "Count", Count());
  int saved = 0;
  for (int i = 0; i < Count(); ++i) {
    if (Load(i)->IsAutoCalced) continue;
    Load(i)->SaveToIniFile(IniFile, Prefix, std::to_string(++saved));
  }
  IniFile.WriteInteger(section, "Count", saved);
}
