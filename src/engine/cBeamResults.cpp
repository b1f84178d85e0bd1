// TBeam: stiffness under partial shear connection, deflections by the
// conjugate beam, camber, and the summary ratios and verdict that screens,
// reports, design tables and the automatic section selection read.
#include <algorithm>
#include <cmath>
#include <limits>
#include <span>
#include <vector>

#include "components/cStandard.h"
#include "engine/cBeam.h"
#include "engine/cCompositeFormulas.h"

namespace {

// A demand over a capacity. A zero capacity with a demand on it fails
// plainly (a huge ratio of the demand's sign) rather than passing as zero.
double DemandRatio(double demand, double capacity) {
  if (capacity != 0) return demand / capacity;
  if (demand == 0) return 0;
  return demand > 0 ? 1e9 : -1e9;
}

// One PCC's steel stress ratios of a construction stage, kept where larger
// than the stage's: the largest of bottom stress / StressLimitBottom and of
// top stress / StressLimitTop.
void AddStageStressRatios(TConstructionStage& stage, const TPCC& p) {
  const TSteelSection* s = p.CompositeSection.SteelSection;
  if (!s) return;
  const TStateType st = stage.Stage == kInServiceStage ? stShort : stConstrucStress;
  // The bottom limit is negative, so a bottom tension gives a positive ratio.
  stage.MaxBottomStressRatio =
      std::max(stage.MaxBottomStressRatio, DemandRatio(p.GetStress(st, stage.Stage, flBottom), s->StressLimitBottom()));
  stage.MaxTopStressRatio =
      std::max(stage.MaxTopStressRatio, DemandRatio(p.GetStress(st, stage.Stage, flTop), s->StressLimitTop()));
}

// Connectors per beam implied by the count at one position: the count covers
// half the beam. A count that is not a number (a failed capacity) adds
// nothing; a huge one is held to what an int can carry.
int ConnectorsPerBeam(double ni_actual) {
  if (!(ni_actual > 0)) return 0;
  return static_cast<int>(std::ceil(2 * std::min(ni_actual, 1e8)));
}

}  // namespace

void TBeam::CalculateServiceabilityProperties() {
  const TPCC* p = PCCList.PCCClosestTo(x_max_des_mom);
  if (!p) return;
  const double beta = p->beta_actual;
  const double Is = p->CompositeSection.SteelSection ? p->CompositeSection.SteelSection->ISteel : 0;
  Iti = p->CompositeSection.Iti;
  ItL = p->CompositeSection.Itl;
  // Partial shear connection softens the section towards the bare steel.
  I_factor_short = as2327::I_factor(Iti, Is, beta);
  I_factor_long = as2327::I_factor(ItL, Is, beta);
}

namespace {

// Conjugate beam: the curvature diagram k (linear between the positions X,
// in m) loads the simply supported span L; its bending moment is the
// deflection. Moment receives the results, one per position.
void IntegrateCurvatures(std::span<const double> X, std::span<const double> k, double L, std::span<double> Moment) {
  const int count = static_cast<int>(X.size());
  if (count == 0) return;

  // The segment from e to f (D = f - e) carries a uniform part U = D k1
  // centred at e + D/2 and a triangular part T = D (k2 - k1) / 2 at
  // e + 0.6667 D (0.6667, not 2/3): together the load U + T with the first
  // moment Q about the left support.
  auto segment = [&](int j, double& U, double& T, double& Q) {
    const double e = X[j], D = X[j + 1] - e;
    U = D * k[j];
    T = D * (k[j + 1] - k[j]) * 0.5;
    Q = U * (e + 0.5 * D) + T * (e + 0.6667 * D);
  };

  // Left reaction: the loads' first moment about the right support over L.
  bool in_order = true;  // positions strictly increasing
  double load_all = 0, moment_all = 0;
  for (int j = 0; j + 1 < count; ++j) {
    double U, T, Q;
    segment(j, U, T, Q);
    load_all += U + T;
    moment_all += Q;
    in_order = in_order && X[j + 1] > X[j];
  }
  const double reaction = load_all - moment_all / L;

  // The moment at x summed segment by segment, for a position that the sweep
  // below cannot take: positions less than a micrometre apart share a key and
  // may stand out of order.
  auto direct = [&](double x) {
    double sum = 0;
    for (int j = 0; j + 1 < count; ++j) {
      const double e = X[j], f = X[j + 1], D = f - e, k1 = k[j], k2 = k[j + 1];
      const double U = D * k1, cu = (e + 0.5 * D) / L;
      const double T = D * (k2 - k1) * 0.5, ct = (e + 0.6667 * D) / L;
      const double r = x * ((1 - cu) * U + (1 - ct) * T);
      if (x <= e) {
        sum += r;
      } else if (x >= f) {
        sum += r - U * (x - cu * L) - T * (x - ct * L);
      } else {
        const double y = x - e, C = y * y * 0.5;
        sum += r - k1 * C - y * (k2 - k1) * (C / D) / 3;
      }
    }
    return sum;
  };
  // Whether every later position lies right of position i and every earlier one left of it.
  std::vector<char> ordered;
  if (!in_order) {
    ordered.assign(count, 1);
    double lowest_after = std::numeric_limits<double>::infinity();
    for (int i = count - 1; i >= 0; --i) {
      ordered[i] = !(lowest_after < X[i]);
      lowest_after = std::min(lowest_after, X[i]);
    }
    double highest_before = -std::numeric_limits<double>::infinity();
    for (int i = 0; i < count; ++i) {
      ordered[i] = ordered[i] && highest_before < X[i];
      highest_before = std::max(highest_before, X[i]);
    }
  }

  // One sweep in position order: the segments already passed lie left of x,
  // so the moment is x (reaction - their load) + their first moment.
  double load_left = 0, moment_left = 0;
  for (int i = 0; i < count; ++i) {
    Moment[i] = in_order || ordered[i] ? X[i] * (reaction - load_left) + moment_left : direct(X[i]);
    if (i + 1 < count) {
      double U, T, Q;
      segment(i, U, T, Q);
      load_left += U + T;
      moment_left += Q;
    }
  }
}

}  // namespace

void TBeam::CalcDeflectionsFor(TStateType st, int Stage) {
  const int count = PCCList.Count();
  std::vector<double> X(count), k(count), moment(count);
  for (int i = 0; i < count; ++i) {
    const TPCC& p = *PCCList.PCC(i);
    X[i] = p.x / 1000;
    k[i] = p.Curvature(st, Stage, I_factor_short, I_factor_long);
  }
  IntegrateCurvatures(X, k, Span / 1000, moment);
  // Curvatures come from moments in kNm: 10^6 to 1/mm, 10^3 to 1/m, 10^3 to mm.
  for (int i = 0; i < count; ++i) PCCList.PCC(i)->SetDeflection(st, Stage, moment[i] * 1e12);
}

void TBeam::CalculateDeflections() {
  // The strength entry has no curvature (Curvature gives 0 for it) and stays 0.
  struct TCase {
    TStateType st;
    int Stage;
  };
  static const TCase cases[] = {{stConstrucDefl, 3}, {stConstrucDefl, 6}, {stShort, 7}, {stLong, 7}, {stShrinkage, 7}};
  constexpr int kCases = sizeof cases / sizeof cases[0];
  // One pass over the PCCs reads every case's curvatures, one stores the
  // deflections; positions, curvatures and moments share one buffer.
  const size_t count = static_cast<size_t>(PCCList.Count());
  std::vector<double> buffer(count * (1 + 2 * kCases));
  const std::span<double> X(buffer.data(), count);
  auto k = [&](int c) { return std::span<double>(buffer.data() + count * (1 + c), count); };
  auto moment = [&](int c) { return std::span<double>(buffer.data() + count * (1 + kCases + c), count); };
  for (size_t i = 0; i < count; ++i) {
    const TPCC& p = *PCCList.PCC(static_cast<int>(i));
    X[i] = p.x / 1000;
    for (int c = 0; c < kCases; ++c) k(c)[i] = p.Curvature(cases[c].st, cases[c].Stage, I_factor_short, I_factor_long);
  }
  for (int c = 0; c < kCases; ++c) IntegrateCurvatures(X, k(c), Span / 1000, moment(c));
  for (size_t i = 0; i < count; ++i) {
    TPCC& p = *PCCList.PCC(static_cast<int>(i));
    // Curvatures come from moments in kNm: 10^6 to 1/mm, 10^3 to 1/m, 10^3 to mm.
    for (int c = 0; c < kCases; ++c) p.SetDeflection(cases[c].st, cases[c].Stage, moment(c)[i] * 1e12);
    p.SetDeflection(stStrength, 7, 0);
  }
}

double TBeam::SuggestedCamber() const {
  switch (CamberType) {
    case 0:
    case 1: {
      const TPCC* p = GetPCCAt(Span / 2);
      if (!p || !DeflectionLimit) return 0;
      double d = p->GetDeflection(stConstrucDefl, 3);
      if (CamberType == 1) d += p->GetDeflection(stConstrucDefl, 6);
      // Down to a multiple of 5 mm; small cambers are not worth making.
      double camber = 5 * std::trunc(d / 5);
      if (camber < 20) camber = 0;
      if (DeflectionLimit->MaximumCamber > 0) camber = std::min(camber, DeflectionLimit->MaximumCamber);
      return camber;
    }
    case 2: return CamberAbsolute;
    case 3: return CamberRelative != 0 ? Span / CamberRelative : 0;
    default: return 0;
  }
}

double TBeam::MaxDeflectionRatio() const {
  const TPCC* p = GetPCCAt(Span / 2);
  if (!p || !DeflectionLimit) return 0;
  const TDeflectionLimit& lim = *DeflectionLimit;
  double ratio = 0;
  auto term = [&](double deflection, double relative, double absolute) {
    if (relative > 0 && Span > 0) ratio = std::max(ratio, deflection / (Span / relative));
    if (absolute > 0) ratio = std::max(ratio, deflection / absolute);
  };
  const double d3 = p->GetDeflection(stConstrucDefl, 3);
  const double d56 = p->GetDeflection(stConstrucDefl, 6);
  term(d3, lim.Stage3DLRelLimit, lim.Stage3DLAbsLimit);
  term(d56, lim.Stage56DLRelLimit, lim.Stage56DLAbsLimit);
  term(d3 + d56, lim.Stage356DLRelLimit, lim.Stage356DLAbsLimit);
  term(p->GetIncrementalDeflection(lim.ShrinkageRatioPriorInservice), lim.IncrementalRelLimit, lim.IncrementalAbsLimit);
  term(p->TotalDeflection() - SuggestedCamber(), lim.TotalRelLimit, lim.TotalAbsLimit);
  return ratio;
}

void TBeam::ClearSummaryResults() {
  Stage3MomentRatio = 0;
  Stage3ShearRatio = 0;
  CompStageMomentRatio = 0;
  CompStageShearRatio = 0;
  CompStageCombinedRatio = 0;
  TotalShearConnectors = 0;
  MaxBetaActual = 0;
  MaxBottomStressRatio = 0;
  MaxTopStressRatio = 0;
}

void TBeam::ClearResults() {
  ClearSummaryResults();
  PCCList.Clear();
  for (int i = 0; i < ConstructionStageList.Count(); ++i) {
    auto* stage = ConstructionStageList.ItemAs<TConstructionStage>(i);
    stage->MaxTopStressRatio = 0;
    stage->MaxBottomStressRatio = 0;
  }
}

void TBeam::CalcSummaryResults() {
  ClearSummaryResults();
  TConstructionStage* stages[] = {StageObject(3), StageObject(5), StageObject(6), StageObject(7)};
  for (TConstructionStage* stage : stages)
    if (stage) stage->MaxBottomStressRatio = stage->MaxTopStressRatio = 0;
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC& p = *PCCList.PCC(i);
    const TCompositeSectionAtPCC::TMomentCapacity capacity = p.CompositeSection.MomentCapacity();
    const double Mb0 = capacity.Mb(0);
    Stage3MomentRatio = std::max(Stage3MomentRatio, DemandRatio(p.GetMdes(stStrength, 3), Mb0));
    Stage3ShearRatio = std::max(Stage3ShearRatio, std::fabs(DemandRatio(p.GetVdes(stStrength, 3), p.phiVvmFor(Mb0))));
    if (p.IsPCC) {
      const double M = p.GetMdes(stStrength, 7), V = p.GetVdes(stStrength, 7);
      const double Vcomp = p.GetVcomp();
      CompStageMomentRatio = std::max(CompStageMomentRatio, DemandRatio(M, p.phiMbv));
      CompStageShearRatio = std::max(CompStageShearRatio, std::fabs(DemandRatio(V, Vcomp)));
      CompStageCombinedRatio = std::max(
          CompStageCombinedRatio, std::pow(DemandRatio(M, capacity.Mb(p.beta_actual)), 3) + std::pow(DemandRatio(V, Vcomp), 6));
      MaxBetaActual = std::max(MaxBetaActual, p.beta_actual);
    }
    TotalShearConnectors = std::max(TotalShearConnectors, ConnectorsPerBeam(p.ni_actual));
    // Stress ratios: stage 3 at every position, the composite stages at the PCCs.
    for (int k = 0; k < 4; ++k)
      if (stages[k] && (k == 0 || p.IsPCC)) AddStageStressRatios(*stages[k], p);
  }
  for (const TConstructionStage* stage : stages) {
    if (!stage) continue;
    MaxBottomStressRatio = std::max(MaxBottomStressRatio, stage->MaxBottomStressRatio);
    MaxTopStressRatio = std::max(MaxTopStressRatio, stage->MaxTopStressRatio);
  }
}

void TBeam::CalcStageStressRatios(int Stage, bool PCCsOnly) {
  TConstructionStage* stage = StageObject(Stage);
  if (!stage) return;
  stage->MaxBottomStressRatio = 0;
  stage->MaxTopStressRatio = 0;
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC& p = *PCCList.PCC(i);
    if (!PCCsOnly || p.IsPCC) AddStageStressRatios(*stage, p);
  }
  MaxBottomStressRatio = std::max(MaxBottomStressRatio, stage->MaxBottomStressRatio);
  MaxTopStressRatio = std::max(MaxTopStressRatio, stage->MaxTopStressRatio);
}

double TBeam::MaxStrengthRatio() const {
  double r = std::max({CompStageMomentRatio, Stage3MomentRatio, Stage3ShearRatio, CompStageShearRatio});
  if (Standard().ChecksCombinedBendingAndShear()) r = std::max(r, CompStageCombinedRatio);
  return r;
}

double TBeam::MaxStressRatio() const { return std::max(MaxBottomStressRatio, MaxTopStressRatio); }

double TBeam::MaxOverallRatio() const { return std::max({MaxStrengthRatio(), MaxStressRatio(), MaxDeflectionRatio()}); }

bool TBeam::IsAssessmentOK() const {
  return Status.IsOK() && MaxOverallRatio() <= 1 && !Min_spacing_violation;
}

double TBeam::MaxAbsAction(TStateType st, int Stage, TActionType ActionType) const {
  double most = 0;
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC& p = *PCCList.PCC(i);
    most = std::max(most, std::fabs(ActionType == atMoment ? p.GetMdes(st, Stage) : p.GetVdes(st, Stage)));
  }
  return most;
}

double TBeam::MaxAbsCapacity(TStateType st, int Stage, TActionType ActionType) const {
  double most = 0;
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC& p = *PCCList.PCC(i);
    double c = 0;
    if (st == stStrength && Stage == 3) c = ActionType == atShear ? p.phiVvm() : p.CompositeSection.Mb(0);
    else if (st == stStrength && Stage == kInServiceStage) c = ActionType == atShear ? p.GetVcomp() : p.phiMbv;
    most = std::max(most, c);
  }
  return most;
}
