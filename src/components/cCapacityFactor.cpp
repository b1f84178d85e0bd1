#include "components/cCapacityFactor.h"

#include "components/cStandard.h"

namespace {

constexpr const char* kLabels[kCapacityFactorCount] = {
    "Bending - steel",
    "Bending - concrete",
    "Vertical shear - steel",
    "Vertical shear - concrete",
    "Longitudinal shear - composite",
    "Longitudinal shear - shear studs",
};

}  // namespace

double CapacityFactorFor(TCapacityFactorType Kind, int Version) { return StandardFor(Version).phi(Kind); }

double CapacityFactor(TCapacityFactorType Kind) { return CurrentStandard().phi(Kind); }

std::string CapacityFactorLabel(TCapacityFactorType Kind) { return kLabels[Kind]; }
