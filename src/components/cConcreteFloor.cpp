#include "components/cConcreteFloor.h"

#include "components/cFormulas.h"
#include "components/cStandard.h"

double TConcreteFloor::fcmi() const { return as2327::fcmi(ConcreteStrength); }

double TConcreteFloor::EcForStuds(const TStandard& Standard) const {
  return Standard.EcForConnectors(ConcreteStrength, Density, WillUseEcTable);
}

double TConcreteFloor::EcForStuds() const { return EcForStuds(CurrentStandard()); }

double TConcreteFloor::Ec(const TStandard& Standard) const {
  return Standard.Ec(ConcreteStrength, Density, WillUseEcTable);
}

double TConcreteFloor::Ec() const { return Ec(CurrentStandard()); }

bool TConcreteFloor::IsConcreteLightWeight() const { return as2327::IsLightweight(Density); }

bool TConcreteFloor::IsOK() {
  Status.Reset();
  CurrentStandard().CheckConcreteStrength(ConcreteStrength, Status);
  Status.CheckMin(ConcreteStrength, 15.0, elWarning,
                  "Concrete strength grade should be at least %.0f MPa");
  Status.CheckRange(Density, 1800.0, 2800.0, elWarning,
                    "Concrete density must be between %.0f and %.0f kg/m3");
  Status.CheckRange(ShrinkageStrain, 200.0, 400.0, elError, "Invalid shrinkage strain value");
  Status.IsChecked = true;
  return Status.IsOK();
}
