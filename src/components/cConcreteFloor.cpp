#include "components/cConcreteFloor.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "components/cStandard.h"
#include "entity/VEXUtility.h"

namespace {

struct EcPoint {
  double fc;  // f'c, MPa
  double Ec;  // MPa
};

// Elastic modulus of normal-weight concrete by strength grade (2017 edition).
constexpr EcPoint kEcTable[] = {
    {20, 24000}, {25, 26700}, {30, 29200}, {32, 30100}, {40, 32800}, {50, 34800},
    {60, 36600}, {65, 37400}, {70, 38200}, {80, 39600}, {90, 41000}, {100, 42200},
};

// Modulus from density rho (kg/m3) and strength f (MPa). Negative inputs are
// meaningless and would give NaN under the roots: they count as 0.
double ModulusFormula(double rho, double f) {
  const double rho15 = std::pow(std::max(rho, 0.0), 1.5);
  const double root_f = std::sqrt(std::max(f, 0.0));
  if (Is2017Edition() && f > 40) return rho15 * (0.024 * root_f + 0.12);
  return rho15 * 0.043 * root_f;
}

// Table modulus for normal-weight concrete of strength fc (MPa). Below the first
// grade the table gives nothing; the value there follows the square-root law of
// the modulus formula from the first point (24000 x sqrt(f'c/20)), so the
// modulus is continuous at 20 MPa and falls to 0 at f'c = 0.
double TableModulus(double fc) {
  const EcPoint& first = kEcTable[0];
  if (fc < first.fc) return first.Ec * std::sqrt(std::max(fc, 0.0) / first.fc);
  for (size_t i = 0; i + 1 < std::size(kEcTable); ++i) {
    const EcPoint& a = kEcTable[i];
    const EcPoint& b = kEcTable[i + 1];
    if (a.fc <= fc && fc <= b.fc) return Interpolate(fc, a.fc, b.fc, a.Ec, b.Ec);
  }
  return std::end(kEcTable)[-1].Ec;
}

// Mean strength for the 2003 edition's section stiffness, MPa: the tabulated
// values at the standard grades, otherwise a linear fit in f'c.
double fcm2003(double fc) {
  if (fc < 0) return 0;
  if (fc == 20) return 24;
  if (fc == 25) return 29.5;
  if (fc == 32) return 37.5;
  if (fc == 40) return 46;
  return 1.0833 * fc + 2.333;
}

}  // namespace

double TConcreteFloor::fcmi() const {
  return 0.9 * ConcreteStrength * (1.2875 - 0.001875 * ConcreteStrength);
}

double TConcreteFloor::EcForStuds() const {
  if (!Is2017Edition()) return ModulusFormula(Density, ConcreteStrength);
  if (!WillUseEcTable) return ModulusFormula(Density, fcmi());
  double E = TableModulus(ConcreteStrength);
  // The table is for normal-weight concrete; scale by density for lightweight.
  if (IsConcreteLightWeight()) E *= std::pow(std::max(Density, 0.0) / 2400.0, 1.5);
  return E;
}

double TConcreteFloor::Ec() const {
  if (Is2017Edition()) return EcForStuds();
  return ModulusFormula(Density, fcm2003(ConcreteStrength));
}

bool TConcreteFloor::IsOK() {
  Status.Reset();
  if (Is2017Edition()) {
    Status.CheckMax(
        ConcreteStrength, 50.0, elWarning,
        "Concrete strength grade should not exceed %.0f MPa for this version of " + GetAppName());
  } else {
    Status.CheckMax(ConcreteStrength, 40.0, elWarning,
                    "Concrete strength grade should not exceed %.0f MPa");
  }
  Status.CheckMin(ConcreteStrength, 15.0, elWarning,
                  "Concrete strength grade should be at least %.0f MPa");
  Status.CheckRange(Density, 1800.0, 2800.0, elWarning,
                    "Concrete density must be between %.0f and %.0f kg/m3");
  Status.CheckRange(ShrinkageStrain, 200.0, 400.0, elError, "Invalid shrinkage strain value");
  Status.IsChecked = true;
  return Status.IsOK();
}
