#include "components/cCapacityFactor.h"

#include "components/cStandard.h"

namespace {

struct Row {
  const char* label;
  double phi2017;
  double phi2003;
};

constexpr Row kRows[kCapacityFactorCount] = {
    {"Bending - steel", 0.9, 0.9},
    {"Bending - concrete", 0.8, 0.9},
    {"Vertical shear - steel", 0.9, 0.9},
    {"Vertical shear - concrete", 0.6, 0.0},
    {"Longitudinal shear - composite", 0.63, 0.7},
    {"Longitudinal shear - shear studs", 0.8, 0.85},
};

}  // namespace

double CapacityFactorFor(TCapacityFactorType Kind, int Version) {
  const Row& r = kRows[Kind];
  return Version == kStandard2003 ? r.phi2003 : r.phi2017;
}

double CapacityFactor(TCapacityFactorType Kind) { return CapacityFactorFor(Kind, StandardVersion()); }

std::string CapacityFactorLabel(TCapacityFactorType Kind) { return kRows[Kind].label; }
