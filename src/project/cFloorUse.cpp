#include "project/cFloorUse.h"

#include "entity/VEXUtility.h"

std::string TFloorUse::LongName() const {
  // Loads show whole kPa unless a tenth matters; load factors always show a decimal.
  return Name + ", " + Format("%.0fSlab G%.0f", {Ds, ConcreteStrength}) + ", " +
         FloatToStrDP(false, 0, 1, NominalLiveLoad) + "LL" + (IsLiveLoadReducible ? " Reduc" : " NoRed") + ", " +
         FloatToStrDP(false, 0, 1, DeadLoad) + "SDL" + ", " +
         Format("[Def:%.0f,%.0f", {IncrementalRelLimit, TotalRelLimit}) + "," + FloatToStrDP(false, 1, 1, LFliveShort) +
         "," + FloatToStrDP(false, 1, 1, LFliveLong) + "]";
}

std::unique_ptr<TFloorUse> TFloorUse::CreateNew(const std::string& AName, const std::string& AShortCode, double ADs,
                                                double AConcreteStrength, double ANominalLiveLoad,
                                                bool AIsLiveLoadReducible, double ADeadLoad,
                                                double AIncrementalRelLimit, double ATotalRelLimit, double ALFliveShort,
                                                double ALFliveLong, double AFacadeLoad) {
  auto use = std::make_unique<TFloorUse>();
  use->Name = AName;
  use->ShortCode = AShortCode;
  use->Ds = ADs;
  use->ConcreteStrength = AConcreteStrength;
  use->NominalLiveLoad = ANominalLiveLoad;
  use->IsLiveLoadReducible = AIsLiveLoadReducible;
  use->DeadLoad = ADeadLoad;
  use->IncrementalRelLimit = AIncrementalRelLimit;
  use->TotalRelLimit = ATotalRelLimit;
  use->LFliveShort = ALFliveShort;
  use->LFliveLong = ALFliveLong;
  use->FacadeLoad = AFacadeLoad;
  return use;
}
