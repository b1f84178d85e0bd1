// Capacity factors (phi) by kind of action effect. Each edition of the
// standard has its own values (TStandard::phi); these read them by edition.
#pragma once

#include <string>

enum TCapacityFactorType {
  cfBendingSteel,
  cfBendingConcrete,
  cfVerticalShearSteel,
  cfVerticalShearConcrete,
  cfLongitudinalShearComposite,
  cfLongitudinalShearStuds,
};
constexpr int kCapacityFactorCount = 6;

// The factor for Kind in the column of the current edition.
double CapacityFactor(TCapacityFactorType Kind);
// The factor for Kind in the column of a given edition.
double CapacityFactorFor(TCapacityFactorType Kind, int Version);
// The row label shown on the design settings screen ("Bending - steel" ...).
std::string CapacityFactorLabel(TCapacityFactorType Kind);
