// A cross-section for the rules of partial shear connection with capacities
// simple enough to work by hand: phi Mb rises linearly from 200 kNm without
// connection to 400 kNm at full connection (Mb(0.5) = 300), psi 0.6 with
// Mb(psi) = 320, Mbfc 250 and Msf 150 kNm; the shear ratios are the test's.
#pragma once

#include "components/cStandard.h"

struct TLinearConnectionSection final : TConnectionSection {
  double ratio_held = 0.4;  // shear_ratio
  double ratio_now = 0.4;   // ShearRatioNow

  double Mb(double beta) const override { return 200 + 200 * beta; }
  double psi() const override { return 0.6; }
  double Mbfc() const override { return 250; }
  double Msf() const override { return 150; }
  double shear_ratio() const override { return ratio_held; }
  double ShearRatioNow() const override { return ratio_now; }
};
