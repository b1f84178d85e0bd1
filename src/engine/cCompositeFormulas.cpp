#include "engine/cCompositeFormulas.h"

#include <algorithm>
#include <cmath>

namespace as2327 {

mm dsr(kN Fscf1, MPa fyw, mm2 Aw_dash, kN Fscf2, kN Fsp, kN Fst, mm tf1, mm dp, mm tf2, mm tsp, mm Ds, mm Dc) {
  return (tf1 * Fscf1 / 2 + fyw * Aw_dash * (tf1 + dp / 2) / 1000 + (tf1 + dp + tf2 / 2) * Fscf2 + (tsp / 2 + Ds) * Fsp) /
             Fst +
         Dc;
}

mm b_within_span(mm b, mm Lef) { return std::min(b, Lef / 8); }

kN Fc_1(double phi_c, MPa fc, mm bcf, mm Dc, mm hr) { return phi_c * 0.85 * fc * bcf * (Dc - hr) / 1000; }

mm2 Ac_1(mm bcf, mm Dc, mm hr) { return (Dc - hr) * bcf; }

kN Fc_2(MPa fc, double phi_c, mm hr, double la_l, mm bcf_1, double la_r, mm bcf_2) {
  return fc * phi_c * 0.85 * hr / 1000 * (la_l * bcf_1 + la_r * bcf_2);
}

mm2 Ac_2(double la_l, mm bcf_1, double la_r, mm bcf_2, mm hr) { return (la_l * bcf_1 + la_r * bcf_2) * hr; }

kN Fcc(kN Fc_1, kN Fc_2, double phi_s, kN Fst) { return std::min(Fc_1 + Fc_2, phi_s * Fst); }

mm yf(kN Fscf1, kN Fscf2, kN Fsp, mm tf1, mm dp, mm tf2, mm tsp, mm Ds, mm Dc) {
  return RatioOr(tf1 * Fscf1 / 2 + (tf1 + dp + tf2 / 2) * Fscf2 + (tsp / 2 + Ds) * Fsp, Fscf1 + Fscf2 + Fsp) + Dc;
}

TMbfc Mbfc(double phi_s, kN Fscf1, kN Fscf2, kN Fsp, kN Fc_1, kN Fc_2, mm yf, mm Dc, mm hr, mm tf1, mm Ds, mm tf2,
           mm tsp) {
  const kN Tf = phi_s * (Fscf1 + Fscf2 + Fsp);
  const kN F1 = phi_s * Fscf1, F2 = phi_s * Fscf2, Fp = phi_s * Fsp;
  kN Cf;
  kNmm M;
  if (Tf <= Fc_1) {
    // The concrete above the ribs balances the steel.
    Cf = Tf;
    M = Tf * (yf - RatioOr(Tf * (Dc - hr), Fc_1) / 2);
  } else if (Tf <= Fc_1 + Fc_2) {
    // The concrete within the ribs as well.
    Cf = Tf;
    const mm dc = (Dc - hr) + RatioOr(hr * (Tf - Fc_1), Fc_2, hr);
    M = Fc_1 * (yf - (Dc - hr) / 2) + (Tf - Fc_1) * (yf - ((Dc - hr) + dc) / 2);
  } else {
    // All the concrete, and the rest R of the steel's force in compression.
    Cf = Fc_1 + Fc_2;
    const kN R = Tf - Cf;
    const kNmm Mc = Fc_1 * (yf - (Dc - hr) / 2) + Fc_2 * (yf - Dc + hr / 2);
    if (R <= 2 * F1) {
      const mm ys = Dc + RatioOr(tf1 * R, 2 * F1);
      M = Mc + R * (yf - (Dc + ys) / 2);
    } else if (R <= 2 * F1 + 2 * F2) {
      const mm ys = Dc + Ds - tf2 + RatioOr(tf2 * (R - 2 * F1), 2 * F2);
      M = Mc + 2 * F1 * (yf - Dc - tf1 / 2) + (R - 2 * F1) * (yf - (Dc + Ds - tf2 + ys) / 2);
    } else {
      const mm ys = Dc + Ds + RatioOr(tsp * (R - 2 * F1 - 2 * F2), 2 * Fp);
      M = Mc + 2 * F1 * (yf - Dc - tf1 / 2) + 2 * F2 * (yf - (Dc + Ds - tf2 / 2)) +
          (R - 2 * F1 - 2 * F2) * (yf - (Dc + Ds + ys) / 2);
    }
  }
  return {M / 1000, Cf};
}

double psi(kN Cf, kN Fcc) { return RatioOr(Cf, Fcc); }

kNm Msf(double phi_s, kN Fscf1, kN Fscf2, kN Fsp, mm yf, mm Dc, mm tf1, mm Ds, mm tf2, mm tsp) {
  const kN F = Fscf1 + Fscf2 + Fsp;
  kNmm M;
  if (2 * Fscf1 >= F) {
    const mm ys = Dc + RatioOr(F * tf1, 2 * Fscf1);
    M = F * (yf - (Dc + ys) / 2);
  } else if (F <= 2 * Fscf1 + 2 * Fscf2) {
    const kN R = F - 2 * Fscf1;
    const mm ys = Dc + Ds - tf2 + RatioOr(tf2 * R, 2 * Fscf2);
    M = 2 * Fscf1 * (yf - Dc - tf1 / 2) + R * (yf - (Dc + Ds - tf2 + ys) / 2);
  } else {
    const kN R = F - 2 * Fscf1 - 2 * Fscf2;
    const mm ys = Dc + Ds + RatioOr(tsp * R, 2 * Fsp);
    M = 2 * Fscf1 * (yf - Dc - tf1 / 2) + 2 * Fscf2 * (yf - (Dc + Ds - tf2 / 2)) + R * (yf - (Dc + Ds + ys) / 2);
  }
  return phi_s * M / 1000;
}

double n_modular(MPa Es, MPa Ec, double CreepFactor) { return Es / Ec * CreepFactor; }

double H_transformed(double n, mm2 As, mm bcf, mm F) { return n * 2 * As / (bcf * F); }

mm kDb_above_ribs(mm F, double H) { return (F / 2) * (std::sqrt(H * (H + 4)) - H); }

mm4 It_above_ribs(mm bcf, mm d, double n, mm4 Is, mm2 As, mm F) {
  return bcf * d * d * d / (3 * n) + Is + As * (F - d) * (F - d);
}

mm kDb_in_ribs(mm F, double H, double lambda, mm hc) {
  const double Hl = H / lambda;
  const double M = hc * 2 * (1 - lambda) / (F * lambda);
  return (F / 2) * (std::sqrt(Hl * (Hl + 4) + M * (2 * Hl + M + 2 * hc / F)) - Hl - M);
}

mm4 It_in_ribs(double lambda, mm bcf, mm d, mm Dc, mm hr, double n, mm4 Is, mm2 As, mm F) {
  const mm hc = Dc - hr;
  return lambda * bcf * std::pow(d - Dc + hr, 3) / (3 * n) + Is + As * (F - d) * (F - d) + bcf * hc * hc * hc / (12 * n) +
         hc * bcf / (4 * n) * std::pow(2 * d - Dc + hr, 2);
}

mm kDb_whole_slab(mm2 As, mm F, mm bcf, double n, mm Dc, mm hr, double lambda) {
  const mm hc = Dc - hr;
  return (As * F + bcf / (2 * n) * (hc * hc + lambda * hr * (2 * Dc - hr))) / (As + bcf / n * (hc + lambda * hr));
}

mm4 It_whole_slab(mm2 As, mm F, mm d, mm4 Is, mm bcf, double n, mm Dc, mm hr, double lambda) {
  const mm hc = Dc - hr;
  return As * (F - d) * (F - d) + Is + bcf * hc * hc * hc / (12 * n) + hc * bcf / (4 * n) * std::pow(2 * d - Dc + hr, 2) +
         lambda * bcf * hr * hr * hr / (12 * n) + (lambda * bcf * hr / n) * std::pow(d - Dc + hr / 2, 2);
}

mm3 Zt(mm4 It, mm kDb, mm Dc) { return RatioOr(It, kDb - Dc); }

mm3 Zb(mm4 It, mm kDb, mm Dc, mm Ds, mm tsp) { return RatioOr(It, kDb - Dc - Ds - tsp); }

kNm Msh(mm kDbi, mm Dc, mm hr, MPa Ec, microstrain eps, mm2 Ac_1, mm2 Ac_2) {
  return ((kDbi - Dc + hr / 2) * Ec * eps * Ac_2 + (kDbi - (Dc - hr) / 2) * Ec * eps * Ac_1) / 1e9 / 1000;
}

double lambdasd(mm Dc, mm D) { return RatioOr(Dc, D + Dc); }

mm Dslab(mm Dc, mm hr, int DeckType) {
  if (DeckType == 0 || DeckType == 2 || DeckType == 3) return Dc;
  return Dc - hr;
}

kN phiVvm(double phi_vs, kN Vv, kNm Mstar, kNm Ms) {
  // Without a bending capacity the reduction cannot be worked out: the lowest factor.
  const double k = Ms > 0 ? std::clamp(2.2 - 1.6 * Mstar / Ms, 0.6, 1.0) : 0.6;
  return phi_vs * Vv * k;
}

double I_factor(mm4 It, mm4 Is, double beta) {
  const double k = 0.6 * (1 - beta);
  return It != 0 ? (It + k * (Is - It)) / It : 0;
}

double CurvatureFactor(bool HasTwoWebs) { return HasTwoWebs ? 1.2 : 1.0; }

double Curvature(kNm M, double a, MPa Es, mm4 I) { return RatioOr(M * a / Es, I); }

double CreepCurvature(kNm M, MPa Es, mm4 Il, mm4 Ii) { return M / Es * (RatioOr(1, Il) - RatioOr(1, Ii)); }

}  // namespace as2327
