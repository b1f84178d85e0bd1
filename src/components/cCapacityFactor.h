// Capacity factors (phi) by kind of action effect, one column per edition.
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
