// TConcreteFloor: the slab concrete of a floor: strength, densities, shrinkage
// and the derived elastic moduli. The moduli depend on the edition of the
// standard: an analysis asks for them under the standard it was given, the
// properties Ec and EcForStuds (and the input check) under the calling
// thread's. Units: MPa, kg/m3, microstrain.
#pragma once

#include "entity/cEntity.h"

class TStandard;

class TConcreteFloor : public TEntity {
 public:
  TConcreteFloor() { SectionName = "ConcreteFloor"; }

  double ConcreteStrength = 0;  // f'c, MPa
  double Density = 0;           // hardened concrete, kg/m3
  double ShrinkageStrain = 0;   // final shrinkage strain, microstrain
  double WetDensity = 0;        // wet concrete for the construction-stage slab weight, kg/m3
  bool WillUseEcTable = false;  // 2017 edition: modulus from the table of f'c

  // Mean in-situ strength, MPa.
  double fcmi() const;
  // Elastic modulus for section stiffness, MPa.
  double Ec(const TStandard& Standard) const;
  double Ec() const;
  // Elastic modulus for connector strength, MPa.
  double EcForStuds(const TStandard& Standard) const;
  double EcForStuds() const;
  bool IsConcreteLightWeight() const;

  bool IsOK() override;

  TRV_PROPERTIES(TConcreteFloor, TEntity,
                 Published("ConcreteStrength", &TConcreteFloor::ConcreteStrength),
                 Published("Density", &TConcreteFloor::Density),
                 Published("ShrinkageStrain", &TConcreteFloor::ShrinkageStrain),
                 Published("WetDensity", &TConcreteFloor::WetDensity),
                 Published("WillUseEcTable", &TConcreteFloor::WillUseEcTable),
                 PublicGetter("fcmi", &TConcreteFloor::fcmi),
                 PublicGetter("Ec", &TConcreteFloor::Ec),
                 PublicGetter("EcForStuds", &TConcreteFloor::EcForStuds),
                 PublicGetter("IsConcreteLightWeight", &TConcreteFloor::IsConcreteLightWeight))
};
