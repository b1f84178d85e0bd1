#include "engine/cPCC.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/cCapacityFactor.h"
#include "components/cStandard.h"
#include "components/cSteelSection.h"
#include "engine/cSolver.h"
#include "entity/VEXUtility.h"

namespace {

// Counts are bounded so that a vanishing connector capacity cannot overflow an integer.
constexpr double kMaxConnectors = 1000000;

// Degree of shear connection for a moment that no connection can reach: above
// 1, so that it is reported as inadequate before it is limited to 1.
constexpr double kUnreachable = std::numeric_limits<double>::infinity();

}  // namespace

void TPCC::Reset() {
  IsPCC = false;
  CompositeSection.Reset();
  x = 0;
  IsPCCStatusKnown = false;
  ni = 0;
  beta_min = 0;
  beta_actual = 0;
  ni_actual = 0;
  phiMbv = 0;
  shear_ratio = 0;
  ni_user = 0;
  mdes_ = {};
  vdes_ = {};
  deflection_ = {};
  reduction_for_ = std::numeric_limits<double>::quiet_NaN();
  reduction_ = 0;
  Status.Reset();
  Status.OKErrorLevel = elNone;
  IsChanged = false;
}

bool TPCC::IsAtLocation(double X, double Tolerance) const { return std::fabs(x - X) <= Tolerance; }

// ---------------------------------------------------------------------------
// Capacities.

double TPCC::GetVcomp() const {
  const TSteelSection* s = CompositeSection.SteelSection;
  const double Vv = s ? s->Vv : 0;
  const double V = CapacityFactor(cfVerticalShearConcrete) * CompositeSection.Vslab() +
                   CapacityFactor(cfVerticalShearSteel) * Vv;
  if (!Is2017Edition()) return V;
  return V * (beta_actual + (1 - beta_actual) / (0.92 + 0.76 * CompositeSection.lambdasd()));
}

double TPCC::phiVvmFor(double Mb0) const {
  const TSteelSection* s = CompositeSection.SteelSection;
  const double Vv = s ? s->Vv : 0;
  // Without a bending capacity the reduction cannot be worked out: take the lowest factor.
  const double k = Mb0 > 0 ? std::clamp(2.2 - 1.6 * GetMdes(stStrength, 3) / Mb0, 0.6, 1.0) : 0.6;
  return CapacityFactor(cfVerticalShearSteel) * Vv * k;
}

double TPCC::MbAdjustedForShear(double beta) const {
  if (shear_ratio >= 1) return 0;
  return CompositeSection.Mb(beta) * ShearReduction();
}

double TPCC::ShearReduction() const {
  // Kept with the shear ratio it belongs to: a pass of the connector loop
  // asks for it at every PCC more than once.
  if (!(reduction_for_ == shear_ratio)) {
    reduction_for_ = shear_ratio;
    reduction_ = std::cbrt(1 - std::pow(shear_ratio, 6));
  }
  return reduction_;
}

int TPCC::CalculateNi(double Fcp, double fds) {
  // A connector with no capacity can never be enough; the group-factor
  // iteration below would divide by it.
  if (!(fds >= 0.000001)) return static_cast<int>(kMaxConnectors);
  double count = std::ceil(Fcp / fds);
  if (!(count < kMaxConnectors)) return static_cast<int>(kMaxConnectors);
  int n = static_cast<int>(std::max(count, -kMaxConnectors));
  if (!Is2017Edition() && n >= 1) {
    // Group factor kn = 1.18 - 0.18/sqrt(n), by fixed-point iteration; the
    // forces include the concrete capacity factor, hence the division by it.
    const double target = Fcp / CapacityFactor(cfBendingConcrete) / fds;
    double c = n;
    for (int iteration = 0; iteration < 200; ++iteration) {
      double c_prev = c;
      double kn = 1.18 - 0.18 / std::sqrt(c_prev);
      c = std::max(1.0, target / kn);
      if (std::fabs(c_prev / c - 1) <= 0.001) break;
    }
    n = c < kMaxConnectors ? static_cast<int>(std::ceil(c)) : static_cast<int>(kMaxConnectors);
  }
  return n;
}

double TPCC::MinimumDuctileBeta(bool VeryDuctile, double FlangeAreaRatio, double fy, double Le) {
  const double L = Le / 1000;  // m
  const double e = Ratio(355, fy, 1);
  double equal;
  if (L > 25) equal = 1;
  else equal = VeryDuctile ? 1 - (1 - 0.04 * L) * e : 1 - e * (0.75 - 0.03 * L);
  equal = std::max(equal, 0.4);
  double unequal = L > 20 ? 1 : 1 - e * (0.3 - 0.015 * L);
  unequal = std::max(unequal, 0.4);
  if (FlangeAreaRatio <= 1) return equal;
  if (FlangeAreaRatio >= 3) return unequal;
  return equal + (unequal - equal) * (FlangeAreaRatio - 1) / 2;
}

void TPCC::CalculateMinimumShearConnection(double EffSpan, double fds, double x_max_des_mom,
                                           bool IsConnectorVeryDuctile) {
  const TCompositeSectionAtPCC& cs = CompositeSection;
  const double Mstar = GetMdes(stStrength, 7);
  const double Vstar = GetVdes(stStrength, 7);
  const TCompositeSectionAtPCC::TMomentCapacity capacity = cs.MomentCapacity();
  const double Mb0 = capacity.Mb(0), Mb05 = capacity.Mb(0.5), Mb1 = capacity.Mb(1);
  const double Mbfc = cs.Mbfc();  // sets psi
  const double psi = cs.psi;
  const double Mbpsi = capacity.Mb(psi);
  const double Msf = cs.Msf();

  const double Vcomp = GetVcomp();
  shear_ratio = Vcomp > 0 ? std::fabs(Vstar) / Vcomp : (Vstar == 0 ? 0 : 1);
  if (shear_ratio >= 1) {
    Status.SetError(elError, "Inadequate design shear capacity at " + Format("%.0f", {x}) + " mm");
    shear_ratio = 0.999999;
  }

  if (Is2017Edition()) {
    // MbAdjustedForShear, with what does not depend on beta (the section's
    // terms and the reduction for shear) worked out once.
    const double reduction = ShearReduction();
    auto adjusted = [&](double beta) { return shear_ratio >= 1 ? 0 : capacity.Mb(beta) * reduction; };
    if (IsConnectorVeryDuctile) {
      const double M0 = adjusted(0), M1 = adjusted(1);
      // Without any gain from the slab, a moment above the steel's capacity cannot be reached.
      beta_min = Ratio(Mstar - M0, M1 - M0, Mstar > M0 ? kUnreachable : 0);
    } else {
      TSolver solver(0, 1, adjusted);
      beta_min = solver.Findx(Mstar, 0.001, 500);
    }
  } else {
    const double r = shear_ratio;
    if (r <= 0.5) {
      if (Mstar > Mb05) beta_min = Ratio(Mstar + Mb1 - 2 * Mb05, 2 * (Mb1 - Mb05), kUnreachable);
      else beta_min = Ratio(Mstar - Mb0, 2 * (Mb05 - Mb0));
    } else {
      const double R0 = 2 * (1 - r) * Mb0 + (2 * r - 1) * Msf;
      const double P = 2 * (1 - r) * Mbpsi + (2 * r - 1) * Mbfc;
      if (Mstar > P) {
        double D = Mb1 - Mbpsi;
        if (D <= 0.000001) D = 0.000001;
        beta_min = psi + (1 - psi) * (Mstar - P) / (2 * (1 - r) * D);
      } else {
        beta_min = psi * Ratio(Mstar - R0, P - R0);
      }
    }
  }

  if (beta_min > 1)
    Status.SetError(elError, "Inadequate design moment capacity at " + FloatToStrDP(false, 0, 3, x) + " mm");
  if (!(beta_min >= 0)) beta_min = 0;  // also catches NaN
  beta_min = std::min(beta_min, 1.0);

  if (IsAtLocation(x_max_des_mom, 0.01)) {
    if (Is2017Edition()) {
      const TSteelSection* s = cs.SteelSection;
      beta_min = std::max(beta_min, MinimumDuctileBeta(IsConnectorVeryDuctile, s ? s->FlangeAreaRatio() : 1,
                                                       s ? s->fyf1() : 355, EffSpan));
    } else {
      beta_min = std::max(beta_min, 0.5);
    }
  }

  ni = CalculateNi(beta_min * cs.Fcc, fds);
  if (ni_user > 0) ni_actual = ni_user;
  else ni_actual = IsPCC ? ni : 0;
}

// ---------------------------------------------------------------------------
// Stresses, curvature and deflections.

double TPCC::GetStress(TStateType st, int Stage, TFibreLocation fl) const {
  const TSteelSection* s = CompositeSection.SteelSection;
  if (!s) return 0;
  const bool top = fl == flTop;
  const double Z3 = top ? s->Zst : s->Zsb;
  const bool composite = beta_actual >= 0.4;
  const double Zc = composite ? (top ? CompositeSection.Zt : CompositeSection.Zb) : Z3;
  // The stage 3 dead load stays on the bare steel; later loads act on the composite section.
  const double bare = Ratio(GetMdes(stConstrucDefl, 3), Z3) * 1e6;
  if (st == stConstrucStress) {
    if (Stage == 3) return Ratio(GetMdes(stConstrucStress, 3), Z3) * 1e6;
    if (Stage == 5 || Stage == 6) return bare + Ratio(GetMdes(stConstrucStress, Stage), Zc) * 1e6;
    return 0;
  }
  if (st == stShort) return bare + Ratio(GetMdes(stShort, Stage) + GetMdes(stConstrucDefl, 6), Zc) * 1e6;
  return 0;
}

double TPCC::Curvature(TStateType st, int Stage, double I_factor_short, double I_factor_long) const {
  const TSteelSection* s = CompositeSection.SteelSection;
  const double Es = TSteelSection::kEs;
  const double M = GetMdes(st, Stage);
  const double a = s && s->BaseSteelSection.HasTwoWebs ? 1.2 : 1.0;
  const double Ii = I_factor_short * CompositeSection.Iti;
  const double Il = I_factor_long * CompositeSection.Itl;
  switch (st) {
    case stShort: return Ratio(M * a / Es, Ii);
    case stLong: return M / Es * (Ratio(1, Il) - Ratio(1, Ii));
    case stConstrucDefl: return Stage == 3 ? Ratio(M * a / Es, s ? s->ISteel : 0) : Ratio(M * a / Es, Ii);
    case stShrinkage: return Ratio(M / Es, CompositeSection.Iti);
    default: return 0;
  }
}

double TPCC::GetIncrementalDeflection(double ShrinkageRatioPriorInservice) const {
  return GetDeflection(stShrinkage, 7) * (1 - ShrinkageRatioPriorInservice) + GetDeflection(stShort, 7) +
         GetDeflection(stLong, 7);
}

double TPCC::TotalDeflection() const {
  return GetDeflection(stConstrucDefl, 3) + GetDeflection(stConstrucDefl, 6) + GetDeflection(stShrinkage, 7) +
         GetDeflection(stShort, 7) + GetDeflection(stLong, 7);
}

// ---------------------------------------------------------------------------
// Named values: "MDES0,7", "STRESS4,7,1", "VCOMP9000", "BEFF9000", "DSLAB".

bool TPCC::NamedValue(const std::string& PropertyName, double& Value) const {
  std::string name = UpperCase(PropertyName);
  int numbers[3] = {-1, -1, -1};  // in reading order
  int found = 0;
  int peeled[3];
  while (found < 3) {
    std::string rest;
    int number;
    SplitTrailingNumber(name, rest, number);
    if (rest.size() == name.size()) break;
    peeled[found++] = number;
    name = rest;
    if (found < 3 && !name.empty() && name.back() == ',') name.pop_back();
    else break;
  }
  for (int i = 0; i < found; ++i) numbers[i] = peeled[found - 1 - i];
  const int last = found > 0 ? peeled[0] : -1;
  // A value by state type and stage (and fibre) names one slot: every index
  // given, each within its enumeration, no more indexes than it takes.
  // Anything else (a missing, extra or out-of-range index, digits too many
  // for a number) names no value, so that a path to it is reported as
  // unknown rather than read as 0.
  if (name == "MDES" || name == "VDES" || name == "DEFLECTION" || name == "STRESS") {
    const int wanted = name == "STRESS" ? 3 : 2;
    if (found != wanted) return false;
    for (int i = 0; i < found; ++i)
      if (numbers[i] < 0) return false;
    const bool is_stage = numbers[1] == 3 || numbers[1] == 5 || numbers[1] == 6 || numbers[1] == kInServiceStage;
    if (numbers[0] >= kStateTypeCount || !is_stage) return false;
    if (wanted == 3 && numbers[2] != flBottom && numbers[2] != flTop) return false;
  }
  const TStateType st = static_cast<TStateType>(std::max(numbers[0], 0));
  if (name == "MDES") Value = GetMdes(st, numbers[1]);
  else if (name == "VDES") Value = GetVdes(st, numbers[1]);
  else if (name == "STRESS") Value = GetStress(st, numbers[1], static_cast<TFibreLocation>(numbers[2]));
  else if (name == "DEFLECTION") Value = GetDeflection(st, numbers[1]);
  else if (name == "DSLAB") Value = CompositeSection.Dslab();
  else if (name == "VSLAB") Value = CompositeSection.Vslab();
  else if (name == "VCOMP") Value = GetVcomp();
  else if (name == "BEFF") Value = CompositeSection.Calcbeff(last, x);
  else return false;
  return true;
}

bool TPCC::IsNumeric(const std::string& PropertyName) {
  double v;
  try {
    if (NamedValue(PropertyName, v)) return true;
  } catch (const std::exception&) {
    return true;  // a named value whose section is incomplete still names a number
  }
  return TEntity::IsNumeric(PropertyName);
}

double TPCC::NumericValue(const std::string& PropertyName) {
  double v = 0;
  try {
    if (NamedValue(PropertyName, v)) return v;
  } catch (const std::exception&) {
    return 0;
  }
  return TEntity::NumericValue(PropertyName);
}

std::string TPCC::StringValue(const std::string& PropertyName, const std::string& Default, int DP,
                              int MaxDPIncrease) {
  double v = 0;
  bool named;
  try {
    named = NamedValue(PropertyName, v);
  } catch (const std::exception&) {
    named = true;
    v = 0;
  }
  if (named) return FloatToStrDP(false, DP, MaxDPIncrease, v);
  return TEntity::StringValue(PropertyName, Default, DP, MaxDPIncrease);
}

void TPCC::GetProperties(std::vector<std::string>& PropertyList, const std::string& Prefix, const std::string& Suffix,
                         int MaxDepth) {
  TEntity::GetProperties(PropertyList, Prefix, Suffix, MaxDepth);
  for (const char* line : {",\"MDes*,*\",Float,O", ",\"VDes*,*\",Float,O", ",\"Stress*,*,*\",Float,O",
                           ",\"Deflection*,*\",Float,O", ",\"Dslab\",Float,O", ",\"Vslab*,*\",Float,O",
                           ",\"Vcomp*\",Float,O", ",\"beff*\",Float,O"})
    PropertyList.push_back(Prefix + line);
}

// ---------------------------------------------------------------------------
// TPCCList.

std::string TPCCList::KeyOf(double x) {
  double um = std::nearbyint(x * 1000);  // ties to even
  if (!std::isfinite(um)) um = 0;
  const long long value = static_cast<long long>(std::clamp(um, -9e17, 9e17));
  // As "%010lld": the digits zero-padded after any sign to ten characters in all.
  unsigned long long digits = static_cast<unsigned long long>(value < 0 ? -value : value);
  char text[24];
  char* const end = text + sizeof text;
  char* p = end;
  do {
    *--p = static_cast<char>('0' + digits % 10);
    digits /= 10;
  } while (digits != 0);
  while (end - p < (value < 0 ? 9 : 10)) *--p = '0';
  if (value < 0) *--p = '-';
  return std::string(p, end);
}

TPCC* TPCCList::PCCClosestTo(double x) const {
  TPCC* best = nullptr;
  double best_distance = 1000000;
  for (int i = 0; i < Count(); ++i) {
    TPCC* p = PCC(i);
    double distance = std::fabs(p->x - x);
    if (distance < best_distance) {
      best = p;
      best_distance = distance;
    }
  }
  return best;
}

TPCC* TPCCList::PCCAtLocation(double x, double Tolerance) const {
  TPCC* p = PCCClosestTo(x);
  return p && std::fabs(p->x - x) <= Tolerance ? p : nullptr;
}

TPCC* TPCCList::PCCWithCompositeSection(const std::string& SectionLabel) const {
  int a = -1;
  for (int i = 0; i < Count() && a < 0; ++i)
    if (PCC(i)->CompositeSection.CompositeSectionLabel == SectionLabel) a = i;
  if (a < 0) return nullptr;
  int b = Count() - 1;
  for (int i = a + 1; i < Count(); ++i)
    if (PCC(i)->CompositeSection.CompositeSectionLabel != SectionLabel) {
      b = i;
      break;
    }
  return PCCClosestTo((PCC(a)->x + PCC(b)->x) / 2);
}

int TPCCList::IndexOfMaxStuds() const {
  int best = -1;
  double most = 0;
  for (int i = 0; i < Count(); ++i)
    if (PCC(i)->ni_actual > most) {
      most = PCC(i)->ni_actual;
      best = i;
    }
  return best >= 0 ? best : Count() / 2;
}

double TPCCList::StudGradientAtPCC(const TPCC* Target) const {
  int i = IndexOfEntity(Target);
  if (i < 0) return 0;
  auto gradient = [&](int j) {
    if (j < 0 || j >= Count()) return 0.0;
    double dx = PCC(j)->x - PCC(i)->x;
    return dx != 0 ? std::fabs((PCC(j)->ni_actual - PCC(i)->ni_actual) / dx) : 0.0;
  };
  return std::max(gradient(i - 1), gradient(i + 1));
}
