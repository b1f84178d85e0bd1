#include "components/cSteelFormulas.h"

#include <algorithm>
#include <cmath>

namespace as4100 {

namespace {

// a / b, or 0 when b is zero (an element that is absent contributes nothing).
double Div(double a, double b) { return b == 0 ? 0 : a / b; }

double Square(double v) { return v * v; }
double Cube(double v) { return v * v * v; }

constexpr double kNoLimit = 1000000;  // a web without compression

}  // namespace

double YieldStressFactor(MPa fy) { return std::sqrt(std::max(fy, 0.0) / 250); }

double InverseYieldStressFactor(MPa fy) { return Div(1, YieldStressFactor(fy)); }

TPlateLimits TopFlangeLimits(TResidualStressType Type, bool HasTwoWebs) {
  switch (Type) {
    case SR:
      return HasTwoWebs ? TPlateLimits{30, 45} : TPlateLimits{10, 16};
    case HR:
      return HasTwoWebs ? TPlateLimits{30, 45} : TPlateLimits{9, 16};
    case LW:
      return HasTwoWebs ? TPlateLimits{30, 40} : TPlateLimits{8, 15};
    case CF:
      return HasTwoWebs ? TPlateLimits{30, 30} : TPlateLimits{8, 15};
    case HW:
      break;
  }
  return HasTwoWebs ? TPlateLimits{30, 35} : TPlateLimits{8, 14};
}

double le1(mm bsf1, mm tf1, MPa fyf1, mm tw, double nw) {
  return (nw / 2) * Div(bsf1 - nw * tw, tf1) * YieldStressFactor(fyf1);
}

mm bsf1_eff_noncompact(mm bsf1, mm tf1, MPa fyf1, mm tw, double nw, double lambda_ep) {
  return std::min(bsf1, (2 / nw) * tf1 * lambda_ep / YieldStressFactor(fyf1) + nw * tw);
}

mm dp(mm Ds, mm tf1, mm tf2) { return std::max(0.0, Ds - tf1 - tf2); }

double lew(mm dp, mm tw, MPa fyw) { return Div(dp, tw) * YieldStressFactor(fyw); }

mm ypna(kN Fscf1, kN Fscw, kN Fscf2, kN Fsp, mm tf1, mm bsf1_eff, MPa fyf1, mm dp, mm tw, double nw, MPa fyw,
        mm Ds, mm bsf2, MPa fyf2, mm bsp, MPa fyp) {
  const kN H = 0.5 * (Fscf1 + Fscf2 + Fscw + Fsp);
  if (H <= Fscf1) return Div(1000 * H, fyf1 * bsf1_eff);
  if (H <= Fscf1 + Fscw) return tf1 + Div(1000 * (H - Fscf1), fyw * nw * tw);
  if (H <= Fscf1 + Fscw + Fscf2) return tf1 + dp + Div(1000 * (H - Fscf1 - Fscw), fyf2 * bsf2);
  return Ds + Div(1000 * (H - Fscf1 - Fscw - Fscf2), bsp * fyp);
}

double alpha_web(mm depth, mm tf1, mm dp) { return std::clamp(Div(depth - tf1, dp), 0.0, 1.0); }

double lambda_ep_web(double alpha_p) {
  if (alpha_p == 0) return kNoLimit;
  return alpha_p < 0.5 ? 41 / alpha_p : 111 / (4.7 * alpha_p - 1);
}

mm tw_eff_outstand_web(mm tw, double lew) { return tw * kOutstandWebCompact / lew; }

mm2 TSteelElements::Area() const { return Af1 + Aw1 + Aw2 + Af2 + Asp; }

mm TSteelElements::Centroid() const {
  return Div(tf1 * Af1 / 2 + (tf1 + dc1 / 2) * Aw1 + (tf1 + dp - dc2 / 2) * Aw2 + (Ds - tf2 / 2) * Af2 +
                 (Ds + tsp / 2) * Asp,
             Area());
}

mm4 TSteelElements::SecondMoment(mm y) const {
  return bsf1_eff * Cube(tf1) / 12 + bsf2 * Cube(tf2) / 12 + tw_full * Cube(dc1) / 12 + tw_full * Cube(dc2) / 12 +
         bsp * Cube(tsp) / 12 + Af1 * Square(y - tf1 / 2) + Af2 * Square(y - (Ds - tf2 / 2)) +
         Aw1 * Square(y - (tf1 + dc1 / 2)) + Aw2 * Square(y - (tf1 + dp - dc2 / 2)) + Asp * Square(Ds + tsp / 2 - y);
}

mm3 Zst(mm4 I, mm y) { return Div(I, y); }

mm3 Zsb(mm4 I, mm y, mm Ds, mm tsp) { return Div(I, y - Ds - tsp); }

double kv(double lambda_w) { return lambda_w > 82 ? (82 / lambda_w) * (82 / lambda_w) : 1; }

N Vw(double kv, MPa fyw, mm dw, double nw, mm tw) { return 0.6 * kv * fyw * dw * nw * tw; }

mm3 Q_above_centroid(mm y, mm tf1, mm bsf1_eff, double nw, mm tw) {
  return (y - tf1) * (y - tf1) * nw * tw / 2 + tf1 * bsf1_eff * (y - tf1 / 2);
}

double eta_shear(mm3 Q, mm2 Aavg, mm4 I, double nw, mm tw) { return std::max(1.1, Div(Q * Aavg, I * nw * tw)); }

kN Vv(N Vw, double eta) { return 2 * Vw / (0.9 + eta) / 1000; }

}  // namespace as4100
