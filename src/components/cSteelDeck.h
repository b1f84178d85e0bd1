// TSteelDeck: the profiled steel decking of a floor (or a solid slab,
// DeckType 0), and TSteelDeckLibraryItem, its library form. Units: mm, kg/m2,
// degrees. A deck that is not custom stores only its name and flags in a
// project file and takes its geometry from the library item of that name; a
// custom deck saves its geometry with the project.
#pragma once

#include "entity/cEntity.h"

class TStandard;

class TSteelDeck : public TEntity {
 public:
  TSteelDeck();

  std::string Name;              // deck name, the library key; empty is invalid
  double Mass = 0;               // kg/m2 of floor
  double hr = 0;                 // rib height, mm
  double VoidRatio = 0;          // fraction of the rib zone not filled with concrete
  double sr = 0;                 // rib spacing (pitch), mm
  double bsr = 0;                // steel rib width at mid-height, mm
  int DeckType = 0;              // 0 solid slab, 1 open trapezoidal, 2 re-entrant, 3 closed rib
  double t = 0;                  // sheet thickness, mm
  bool IsCustom = false;         // user-defined: geometry saved with the project
  int StoredStudsPerRib = 0;     // the stored value of StudsPerRib
  double Beta = 0;               // profile coefficient of the connector reduction factor
  std::string ShortCode;         // "XX" for a user-defined deck
  bool WillIgnoreConcreteBelowRibs = true;  // 2017 edition: ignore concrete below the rib tops

  bool IsSolidSlab() const { return DeckType == 0; }
  // Concrete rib width, mm.
  double b0() const { return sr - bsr; }
  // The stored value when positive, else 1.
  int StudsPerRib() const { return StoredStudsPerRib > 0 ? StoredStudsPerRib : 1; }
  void SetStudsPerRib(int Value) { SetTracked(StoredStudsPerRib, Value); }
  // Factor (0 to 1) for the concrete below the rib tops on a side whose ribs
  // make the angle Theta (degrees) with the beam, by the rule of Standard
  // (of the calling thread's edition without one).
  double lambda(double Theta, const TStandard& Standard) const;
  double lambda(double Theta) const;

  void Clear() override;
  bool IsOK() override;
  void SaveToIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;
  void LoadFromIniFile(TVEXIniFile& IniFile, const std::string& Prefix, const std::string& Suffix) override;

  TRV_PROPERTIES(TSteelDeck, TEntity,
                 Published("Name", &TSteelDeck::Name),
                 Published("WillIgnoreConcreteBelowRibs", &TSteelDeck::WillIgnoreConcreteBelowRibs),
                 Published("IsCustom", &TSteelDeck::IsCustom),
                 Public("Mass", &TSteelDeck::Mass),
                 Public("hr", &TSteelDeck::hr),
                 Public("VoidRatio", &TSteelDeck::VoidRatio),
                 Public("sr", &TSteelDeck::sr),
                 Public("bsr", &TSteelDeck::bsr),
                 Public("DeckType", &TSteelDeck::DeckType),
                 Public("t", &TSteelDeck::t),
                 Public("StudsPerRib", &TSteelDeck::StudsPerRib, &TSteelDeck::SetStudsPerRib),
                 Public("Beta", &TSteelDeck::Beta),
                 Public("ShortCode", &TSteelDeck::ShortCode),
                 PublicGetter("IsSolidSlab", &TSteelDeck::IsSolidSlab),
                 PublicGetter("b0", &TSteelDeck::b0))
};

// The library form of a deck: the geometry is published so that library files
// carry it, in the order of the library file's fields.
class TSteelDeckLibraryItem : public TSteelDeck {
 public:
  TSteelDeckLibraryItem() { SectionName = "SteelDeck"; }
  TRV_PROPERTIES(TSteelDeckLibraryItem, TSteelDeck,
                 Published("ShortCode", &TSteelDeck::ShortCode),
                 Published("Mass", &TSteelDeck::Mass),
                 Published("sr", &TSteelDeck::sr),
                 Published("bsr", &TSteelDeck::bsr),
                 Published("hr", &TSteelDeck::hr),
                 Published("t", &TSteelDeck::t),
                 Published("StudsPerRib", &TSteelDeck::StudsPerRib, &TSteelDeck::SetStudsPerRib),
                 Published("VoidRatio", &TSteelDeck::VoidRatio),
                 Published("Beta", &TSteelDeck::Beta),
                 Published("DeckType", &TSteelDeck::DeckType),
                 Published("Name", &TSteelDeck::Name),
                 Published("WillIgnoreConcreteBelowRibs", &TSteelDeck::WillIgnoreConcreteBelowRibs),
                 Published("IsCustom", &TSteelDeck::IsCustom))
};
