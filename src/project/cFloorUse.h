// TFloorUse: a standard floor use, a named set of slab, load and deflection
// settings that fills a project's floor settings when chosen. Floor uses come
// from the library file only; the program holds no built-in table of them.
// Units: mm, MPa, kPa, kN/m.
#pragma once

#include <memory>
#include <string>

#include "entity/cEntity.h"

class TFloorUse : public TEntity {
 public:
  TFloorUse() { SectionName = "FloorUse"; }

  std::string Name;                  // name of the use, e.g. "Office"
  std::string ShortCode;             // short code, e.g. "OFF"
  double Ds = 0;                     // overall slab depth, mm
  double ConcreteStrength = 0;       // f'c, MPa
  double NominalLiveLoad = 0;        // kPa
  bool IsLiveLoadReducible = false;  // the live load may be reduced by tributary area
  double DeadLoad = 0;               // superimposed dead load, kPa
  double IncrementalRelLimit = 0;    // incremental deflection limit, span / value
  double TotalRelLimit = 0;          // total deflection limit, span / value
  double LFliveShort = 0;            // short-term live load factor
  double LFliveLong = 0;             // long-term live load factor
  double FacadeLoad = 0;             // facade load on an edge beam, kN/m

  // The name shown in lists and the key of the floor use library, e.g.
  // "Office, 120Slab G32, 3LL Reduc, 1SDL, [Def:500,250,0.7,0.4]".
  std::string LongName() const;

  // A floor use with every property given.
  static std::unique_ptr<TFloorUse> CreateNew(const std::string& AName, const std::string& AShortCode, double ADs,
                                              double AConcreteStrength, double ANominalLiveLoad,
                                              bool AIsLiveLoadReducible, double ADeadLoad,
                                              double AIncrementalRelLimit, double ATotalRelLimit,
                                              double ALFliveShort, double ALFliveLong, double AFacadeLoad);

  // Published in the order of the fields of library files.
  TRV_PROPERTIES(TFloorUse, TEntity,
                 Published("Name", &TFloorUse::Name),
                 Published("ShortCode", &TFloorUse::ShortCode),
                 Published("Ds", &TFloorUse::Ds),
                 Published("ConcreteStrength", &TFloorUse::ConcreteStrength),
                 Published("NominalLiveLoad", &TFloorUse::NominalLiveLoad),
                 Published("IsLiveLoadReducible", &TFloorUse::IsLiveLoadReducible),
                 Published("DeadLoad", &TFloorUse::DeadLoad),
                 Published("IncrementalRelLimit", &TFloorUse::IncrementalRelLimit),
                 Published("TotalRelLimit", &TFloorUse::TotalRelLimit),
                 Published("LFliveShort", &TFloorUse::LFliveShort),
                 Published("LFliveLong", &TFloorUse::LFliveLong),
                 Published("FacadeLoad", &TFloorUse::FacadeLoad),
                 PublicGetter("LongName", &TFloorUse::LongName))
};
