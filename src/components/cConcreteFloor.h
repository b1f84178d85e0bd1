// TConcreteFloor: the slab concrete of a floor: strength, densities, shrinkage
// and the derived elastic moduli of both editions. Units: MPa, kg/m3,
// microstrain.
#pragma once

#include "entity/cEntity.h"

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
  double Ec() const;
  // Elastic modulus for connector strength, MPa.
  double EcForStuds() const;
  bool IsConcreteLightWeight() const { return Density <= 2100; }

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
