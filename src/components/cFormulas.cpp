#include "components/cFormulas.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace as2327 {

MPa fcmi(MPa fc) { return 0.9 * fc * (1.2875 - 0.001875 * fc); }

MPa Ec_rho_f(kg_m3 rho, MPa f) {
  const double rho15 = std::pow(std::max(rho, 0.0), 1.5);
  return rho15 * 0.043 * std::sqrt(std::max(f, 0.0));
}

bool IsLightweight(kg_m3 rho) { return rho <= 2100; }

int ni(kN Fcp, kN fds) {
  if (!(fds >= 0.000001)) return kMaxConnectors;
  const double count = std::ceil(Fcp / fds);
  if (!(count < kMaxConnectors)) return kMaxConnectors;
  return static_cast<int>(std::max(count, -static_cast<double>(kMaxConnectors)));
}

MPa fuc_max(degrees theta1, degrees theta2) { return theta1 > 15 || theta2 > 15 ? 450 : 500; }

mm RibPitchAlongBeam(mm sr, degrees theta) { return sr / std::sin(theta * (std::numbers::pi / 180)); }

mm smax_in_ribs(mm cL, mm cR, double nr, mm smax) {
  return std::max(cL * std::trunc(smax / (cL / nr)) / nr, cR * std::trunc(smax / (cR / nr)) / nr);
}

mm smin_in_ribs(mm cL, mm cR, double nr, mm smin) { return std::max(smin, std::min(cL, cR) / nr); }

}  // namespace as2327
