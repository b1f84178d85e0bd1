#include "engine/cPCC.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "components/Standard2017.h"
#include "components/cCapacityFactor.h"
#include "components/cStandard.h"
#include "components/cSteelSection.h"
#include "engine/cCompositeFormulas.h"
#include "entity/VEXUtility.h"

namespace {

// The cross-section as the standard's rules of partial shear connection read
// it, with the terms of its moment capacity worked out once.
class TPCCConnection final : public TConnectionSection {
 public:
  explicit TPCCConnection(const TPCC& PCC)
      : pcc_(PCC), capacity_(PCC.CompositeSection.MomentCapacity()) {}
  double Mb(double beta) const override { return capacity_.Mb(beta); }
  double psi() const override { return pcc_.CompositeSection.psi; }
  double Mbfc() const override { return pcc_.CompositeSection.Mbfc(); }
  double Msf() const override { return pcc_.CompositeSection.Msf(); }
  double shear_ratio() const override { return pcc_.shear_ratio; }
  double ShearRatioNow() const override {
    return Ratio(std::fabs(pcc_.GetVdes(stStrength, 7)), pcc_.GetVcomp(), 1);
  }

 private:
  const TPCC& pcc_;
  const TCompositeSectionAtPCC::TMomentCapacity capacity_;
};

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
  return CompositeSection.Standard().Vcomp(CompositeSection.Vslab(), Vv, beta_actual, CompositeSection.lambdasd());
}

double TPCC::phiVvmFor(double Mb0) const {
  const TSteelSection* s = CompositeSection.SteelSection;
  return as2327::phiVvm(CompositeSection.Standard().phi(cfVerticalShearSteel), s ? s->Vv : 0,
                        GetMdes(stStrength, 3), Mb0);
}

double TPCC::MbAdjustedForShear(double beta) const {
  return as2327_2017::MbAdjustedForShear(CompositeSection.Mb(beta), shear_ratio);
}

double TPCC::DependableMomentCapacity(double beta) const {
  return CompositeSection.Standard().phiMbv(beta, TPCCConnection(*this));
}

int TPCC::CalculateNi(const TStandard& Standard, double Fcp, double fds) { return Standard.ni(Fcp, fds); }

int TPCC::CalculateNi(double Fcp, double fds) { return CalculateNi(CurrentStandard(), Fcp, fds); }

void TPCC::CalculateMinimumShearConnection(double EffSpan, double fds, double x_max_des_mom,
                                           bool IsConnectorVeryDuctile) {
  const TCompositeSectionAtPCC& cs = CompositeSection;
  const TStandard& standard = cs.Standard();
  const double Mstar = GetMdes(stStrength, 7);
  const double Vstar = GetVdes(stStrength, 7);

  const double Vcomp = GetVcomp();
  shear_ratio = Vcomp > 0 ? std::fabs(Vstar) / Vcomp : (Vstar == 0 ? 0 : 1);
  if (shear_ratio >= 1) {
    Status.SetError(elError, "Inadequate design shear capacity at " + Format("%.0f", {x}) + " mm");
    shear_ratio = 0.999999;
  }

  beta_min = standard.beta_min(Mstar, TPCCConnection(*this), IsConnectorVeryDuctile);
  if (beta_min > 1)
    Status.SetError(elError, "Inadequate design moment capacity at " + FloatToStrDP(false, 0, 3, x) + " mm");
  if (!(beta_min >= 0)) beta_min = 0;  // also catches NaN
  beta_min = std::min(beta_min, 1.0);

  if (IsAtLocation(x_max_des_mom, 0.01)) {
    const TSteelSection* s = cs.SteelSection;
    beta_min = std::max(beta_min, standard.beta_min_at_max_moment(IsConnectorVeryDuctile,
                                                                  s ? s->FlangeAreaRatio() : 1,
                                                                  s ? s->fyf1() : 355, EffSpan));
  }

  ni = standard.ni(beta_min * cs.Fcc, fds);
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
  const double a = as2327::CurvatureFactor(s && s->BaseSteelSection.HasTwoWebs);
  const double Ii = I_factor_short * CompositeSection.Iti;
  const double Il = I_factor_long * CompositeSection.Itl;
  switch (st) {
    case stShort: return as2327::Curvature(M, a, Es, Ii);
    case stLong: return as2327::CreepCurvature(M, Es, Il, Ii);  // the short-term part is counted elsewhere
    case stConstrucDefl: return as2327::Curvature(M, a, Es, Stage == 3 ? (s ? s->ISteel : 0) : Ii);
    case stShrinkage: return as2327::Curvature(M, 1, Es, CompositeSection.Iti);
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
