// TBeam: stiffness under partial shear connection, deflections by the
// conjugate beam, camber, and the summary ratios and verdict that screens,
// reports, design tables and the automatic section selection read.
#include <algorithm>
#include <cmath>

#include "components/cCapacityFactor.h"
#include "components/cStandard.h"
#include "engine/cBeam.h"

namespace {

// A demand over a capacity. A zero capacity with a demand on it fails
// plainly (a huge ratio of the demand's sign) rather than passing as zero.
double DemandRatio(double demand, double capacity) {
  if (capacity != 0) return demand / capacity;
  if (demand == 0) return 0;
  return demand > 0 ? 1e9 : -1e9;
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
  const double k = 0.6 * (1 - beta);
  I_factor_short = Iti != 0 ? (Iti + k * (Is - Iti)) / Iti : 0;
  I_factor_long = ItL != 0 ? (ItL + k * (Is - ItL)) / ItL : 0;
}

void TBeam::CalcDeflectionsFor(TStateType st, int Stage) {
  // Conjugate beam: the curvature diagram, linear between positions, loads
  // the simply supported span; its bending moment is the deflection.
  const int count = PCCList.Count();
  const double L = Span / 1000;
  std::vector<double> kappa(count), xs(count);
  for (int j = 0; j < count; ++j) {
    kappa[j] = PCCList.PCC(j)->Curvature(st, Stage, I_factor_short, I_factor_long);
    xs[j] = PCCList.PCC(j)->x / 1000;
  }
  for (int i = 0; i < count; ++i) {
    const double X = xs[i];
    double sum = 0;
    for (int j = 0; j + 1 < count; ++j) {
      const double e = xs[j], f = xs[j + 1], D = f - e;
      const double k1 = kappa[j], k2 = kappa[j + 1];
      const double U = D * k1, cu = (e + 0.5 * D) / L;
      const double T = D * (k2 - k1) * 0.5, ct = (e + 0.6667 * D) / L;
      const double r = X * ((1 - cu) * U + (1 - ct) * T);
      if (X <= e) {
        sum += r;
      } else if (X >= f) {
        sum += r - U * (X - cu * L) - T * (X - ct * L);
      } else {
        const double y = X - e, C = y * y * 0.5;
        sum += r - k1 * C - y * (k2 - k1) * (C / D) / 3;
      }
    }
    // Curvatures come from moments in kNm: 10^6 to 1/mm, 10^3 to 1/m, 10^3 to mm.
    PCCList.PCC(i)->SetDeflection(st, Stage, sum * 1e12);
  }
}

void TBeam::CalculateDeflections() {
  CalcDeflectionsFor(stConstrucDefl, 3);
  CalcDeflectionsFor(stConstrucDefl, 6);
  CalcDeflectionsFor(stStrength, 7);
  CalcDeflectionsFor(stShort, 7);
  CalcDeflectionsFor(stLong, 7);
  CalcDeflectionsFor(stShrinkage, 7);
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

void TBeam::CalcSummaryResults() {
  ClearSummaryResults();
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC& p = *PCCList.PCC(i);
    const TCompositeSectionAtPCC& cs = p.CompositeSection;
    Stage3MomentRatio = std::max(Stage3MomentRatio, DemandRatio(p.GetMdes(stStrength, 3), cs.Mb(0)));
    Stage3ShearRatio = std::max(Stage3ShearRatio, std::fabs(DemandRatio(p.GetVdes(stStrength, 3), p.phiVvm())));
    if (p.IsPCC) {
      const double M = p.GetMdes(stStrength, 7), V = p.GetVdes(stStrength, 7);
      const double Vcomp = p.GetVcomp();
      CompStageMomentRatio = std::max(CompStageMomentRatio, DemandRatio(M, p.phiMbv));
      CompStageShearRatio = std::max(CompStageShearRatio, std::fabs(DemandRatio(V, Vcomp)));
      CompStageCombinedRatio = std::max(
          CompStageCombinedRatio, std::pow(DemandRatio(M, p.phiMbBeta()), 3) + std::pow(DemandRatio(V, Vcomp), 6));
      MaxBetaActual = std::max(MaxBetaActual, p.beta_actual);
    }
    TotalShearConnectors = std::max(TotalShearConnectors, ConnectorsPerBeam(p.ni_actual));
  }
  CalcStageStressRatios(3, false);
  CalcStageStressRatios(5, true);
  CalcStageStressRatios(6, true);
  CalcStageStressRatios(7, true);
}

void TBeam::CalcStageStressRatios(int Stage, bool PCCsOnly) {
  TConstructionStage* stage = StageObject(Stage);
  if (!stage) return;
  stage->MaxBottomStressRatio = 0;
  stage->MaxTopStressRatio = 0;
  const TStateType st = Stage == kInServiceStage ? stShort : stConstrucStress;
  for (int i = 0; i < PCCList.Count(); ++i) {
    const TPCC& p = *PCCList.PCC(i);
    if (PCCsOnly && !p.IsPCC) continue;
    const TSteelSection* s = p.CompositeSection.SteelSection;
    if (!s) continue;
    // The bottom limit is negative, so a bottom tension gives a positive ratio.
    stage->MaxBottomStressRatio =
        std::max(stage->MaxBottomStressRatio, DemandRatio(p.GetStress(st, Stage, flBottom), s->StressLimitBottom()));
    stage->MaxTopStressRatio =
        std::max(stage->MaxTopStressRatio, DemandRatio(p.GetStress(st, Stage, flTop), s->StressLimitTop()));
  }
  MaxBottomStressRatio = std::max(MaxBottomStressRatio, stage->MaxBottomStressRatio);
  MaxTopStressRatio = std::max(MaxTopStressRatio, stage->MaxTopStressRatio);
}

double TBeam::MaxStrengthRatio() const {
  double r = std::max({CompStageMomentRatio, Stage3MomentRatio, Stage3ShearRatio, CompStageShearRatio});
  if (Is2017Edition()) r = std::max(r, CompStageCombinedRatio);
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
