// TBeam: statics of the simply supported span, the choice of the potential
// critical cross-sections, and the order of the full analysis.
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "components/cStandard.h"
#include "engine/cBeam.h"
#include "entity/VEXUtility.h"

namespace {

// The most positions a beam is analysed at: well past the 100 segments a
// project allows, and small enough that a damaged input cannot exhaust memory.
constexpr int kMaxSegments = 10000;

}  // namespace

// ---------------------------------------------------------------------------
// Design actions by statics. Work in metres: moments in kNm, shears in kN.

void TBeam::GetDesignActions(double x, TConstructionStageSet LimitToConStage, TStateType StateType, double& Mdes,
                             double& Vdes) const {
  Mdes = 0;
  Vdes = 0;
  if (!LimitStateList || StateType < 0 || StateType >= LimitStateList->Count())
    throw std::runtime_error("No limit state defined for the design actions");
  const TLimitState& limit_state = *LimitStateList->ItemAs<TLimitState>(StateType);
  const double L = Span / 1000;
  const double X = x / 1000;
  auto factor = [&](const TAppliedLoad& load) { return load.IsLiveLoad ? limit_state.LFlive : limit_state.LFdead; };

  for (int i = 0; i < PointLoadList.Count(); ++i) {
    const auto& load = static_cast<const TPointLoad&>(*PointLoadList.Load(i));
    if (!LoadActsFor(load, LimitToConStage)) continue;
    const double f = factor(load);
    const double P = load.Value;
    const double a = load.IsPositionProportional ? load.Position * Span / 1000 : load.Position / 1000;
    const double R = P * (1 - a / L);
    Mdes += f * (X * R - std::max(X - a, 0.0) * P);
    Vdes += X > a ? f * (R - P) : f * R;  // the shear jump is taken just right of the load
  }

  for (int i = 0; i < DistributedLoadList.Count(); ++i) {
    const auto& load = static_cast<const TDistributedLoad&>(*DistributedLoadList.Load(i));
    if (!LoadActsFor(load, LimitToConStage)) continue;
    const double f = factor(load);
    const double s = load.IsStartPositionProportional ? load.StartPosition * Span / 1000 : load.StartPosition / 1000;
    double e = load.IsFinishPositionProportional ? load.FinishPosition * Span / 1000 : load.FinishPosition / 1000;
    if (load.IsFinishPositionAtEnd) e = L;
    const double q1 = load.StartValue, q2 = load.FinishValue;
    const double D = e - s;
    const double U = D * q1, cu = (s + 0.5 * D) / L;  // uniform part
    // Triangular part; its centroid ratio is taken as 0.6667 of the loaded length.
    const double T = D * (q2 - q1) * 0.5, ct = (s + 0.6667 * D) / L;
    const double R = (1 - cu) * U + (1 - ct) * T;
    if (X <= s) {
      Vdes += f * R;
      Mdes += f * X * R;
    } else if (X >= e) {
      Vdes += f * (R - U - T);
      Mdes += f * (X * R - U * (X - cu * L) - T * (X - ct * L));
    } else {
      const double y = X - s, C = y * y * 0.5;
      Vdes += f * (R - y * U / D - (C / D) * (q2 - q1));
      Mdes += f * (X * R - C * q1 - y * (C / D) * (q2 - q1) / 3);
    }
  }
}

void TBeam::FindMaxMomentRegion(double& Left, double& xm, double& Right) const {
  const TConstructionStageSet stages = AllStages();
  double M, V;
  auto moment_at = [&](double at) {
    double m, v;
    GetDesignActions(at, stages, stStrength, m, v);
    return m;
  };
  double xL = 0, xR = Span;
  double VL, VR;
  GetDesignActions(xL, stages, stStrength, M, VL);
  GetDesignActions(xR, stages, stStrength, M, VR);
  const double t = (std::fabs(VL) + std::fabs(VR)) / 10000000;
  xm = (xL + xR) / 2;
  GetDesignActions(xm, stages, stStrength, M, V);
  double Mmax = M;
  while (std::fabs(xL - xR) > 1) {
    GetDesignActions(xm, stages, stStrength, M, V);
    Mmax = M;
    // xm is the zero-shear point. "At most t" rather than "below t": an
    // unloaded beam (t = 0) then settles at midspan instead of drifting to a support.
    if (std::fabs(V) <= t) break;
    if (Sign(V) == Sign(VL)) {
      xL = xm;
      VL = V;
    } else {
      xR = xm;
    }
    xm = (xL + xR) / 2;
  }
  const double plateau = std::fabs(0.995 * Mmax);
  double lo = 0, hi = xm;
  while (hi - lo > 10) {
    double mid = (lo + hi) / 2;
    if (plateau >= std::fabs(moment_at(mid))) lo = mid;
    else hi = mid;
  }
  Left = lo;
  lo = xm;
  hi = Span;
  while (hi - lo > 10) {
    double mid = (lo + hi) / 2;
    if (plateau >= std::fabs(moment_at(mid))) hi = mid;
    else lo = mid;
  }
  Right = hi;
}

// ---------------------------------------------------------------------------
// Potential critical cross-sections.

void TBeam::AssignCompositeSectionAtPCC(TPCC& PCC) const {
  if (CompositeSectionList.Empty()) return;
  const TCompositeSection* chosen = CompositeSection(0);
  for (int i = 1; i < CompositeSectionList.Count(); ++i) {
    const TCompositeSection* cs = CompositeSection(i);
    if (PCC.x >= cs->StartPosition && chosen->StartPosition < cs->StartPosition) chosen = cs;
  }
  PCC.CompositeSection.Assign(chosen);
}

TPCC* TBeam::AddPCCAt(double x, bool IsPCC, double Tolerance) {
  TPCC* pcc = PCCList.PCCAtLocation(x, Tolerance);
  if (x < 0 || x > Span) return pcc;
  if (!pcc) {
    auto created = std::make_unique<TPCC>();
    pcc = created.get();
    pcc->x = x;
    pcc->SetIsPCC(IsPCC);
    PCCList.Add(TPCCList::KeyOf(x), std::move(created));
  } else if (IsPCC) {
    pcc->SetIsPCC(true);
  }
  AssignCompositeSectionAtPCC(*pcc);
  return pcc;
}

void TBeam::PopulatePCCList(int Segments) {
  if (Segments < 1 || Segments > kMaxSegments)
    throw std::runtime_error("Number of segments must be between 1 and " + std::to_string(kMaxSegments));
  if (!(Span > 0)) throw std::runtime_error("Span must be greater than zero");
  PCCList.Clear();
  PCCList.Sorted = true;

  // Regular positions: the step is added repeatedly, so the last one is the
  // last sum below the span.
  const double step = Span / Segments;
  for (double x = 0; x < Span; x += step) AddPCCAt(x, false, 0);

  AddPCCAt(0, true, 0);
  AddPCCAt(Span, true, 0);
  const double eps = Span / 1000000;
  for (int i = 1; i < CompositeSectionList.Count(); ++i) {
    AddPCCAt(CompositeSection(i)->StartPosition - eps, true, 0);
    AddPCCAt(CompositeSection(i)->StartPosition + eps, true, 0);
  }
  for (int i = 0; i < PointLoadList.Count(); ++i) {
    const double a = static_cast<const TPointLoad*>(PointLoadList.Load(i))->PositionMm(Span);
    AddPCCAt(a - eps, true, 0);
    AddPCCAt(a + eps, true, 0);
  }
  AddPCCAt(Span / 2, true, 0);

  double left, xm, right;
  FindMaxMomentRegion(left, xm, right);
  AddPCCAt(left, true, 0);
  AddPCCAt(xm, true, 0);
  AddPCCAt(right, true, 0);
  // Whether these two are critical is decided once the capacities are known.
  for (double x : {xm / 2, (Span + xm) / 2})
    if (TPCC* p = AddPCCAt(x, false, 0)) p->IsPCCStatusKnown = false;
  x_max_des_mom = xm;

  for (int i = 0; i < UserPCCList.Count(); ++i) {
    const auto* user = UserPCCList.ItemAs<TUserPCC>(i);
    if (TPCC* p = AddPCCAt(user->x, true, 1)) p->ni_user = user->ni;
  }
}

// ---------------------------------------------------------------------------
// The full analysis.

void TBeam::SetCompositeSectionsFromBeam() {
  for (int i = 0; i < CompositeSectionList.Count(); ++i) {
    TCompositeSection* cs = CompositeSection(i);
    TSteelSection* steel = SteelSectionList.SteelSectionByLabel(cs->SteelSectionLabel);
    if (!steel)
      throw std::runtime_error("Composite section [" + cs->CompositeSectionLabel + "] refers to no steel section [" +
                               cs->SteelSectionLabel + "]");
    cs->SetLinksToLibraryData(steel, SteelDeck, ConcreteFloor);
    cs->Dc = Ds;
    cs->IsEdgeBeamLeft = false;
    cs->IsEdgeBeamRight = IsEdgeBeam;
    cs->thetaLeft = ThetaSide1;
    cs->thetaRight = ThetaSide2;
    cs->b1 = NominalWidthSide1;
    cs->b2 = NominalWidthSide2;
  }
}

void TBeam::AnalyseCompositeStageLoads() {
  const TConstructionStageSet all = AllStages();
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    double M, V;
    GetDesignActions(p.x, all, stStrength, M, V);
    p.SetMdes(stStrength, 7, M);
    p.SetVdes(stStrength, 7, V);
  }
}

void TBeam::AnalyseConstructionLoads() {
  using S = TConstructionStageSet;
  // Stored moment, the limit state whose factors apply, and the stages whose loads act.
  struct Row {
    TStateType stored;
    int stage;
    TStateType factors;
    S stages;
  };
  static const Row rows[] = {
      {stStrength, 3, stStrength, S::Of(3)},
      {stConstrucStress, 3, stConstrucStress, S::Of(3)},
      {stConstrucDefl, 3, stConstrucDefl, S::Of(3)},
      {stConstrucStress, 5, stConstrucStress, S::Of(5)},
      {stConstrucStress, 6, stConstrucStress, S::Of(5, 6)},
      {stConstrucDefl, 6, stConstrucDefl, S::Of(5, 6)},
      {stShort, 7, stShort, S::Of(7)},
      {stLong, 7, stLong, S::Of(7)},
  };
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    for (const Row& r : rows) {
      double M, V;
      GetDesignActions(p.x, r.stages, r.factors, M, V);
      // The long-term moment carries the sustained stage 5 and 6 loads as well.
      if (r.stored == stLong) M += p.GetMdes(stConstrucDefl, 6);
      p.SetMdes(r.stored, r.stage, M);
      if (r.stored == stStrength) p.SetVdes(stStrength, 3, V);
    }
    p.SetMdes(stShrinkage, 7, p.CompositeSection.Msh());
  }
}

void TBeam::FullAnalysis(const TEntityList& SteelSectionLibrary, int Segments) {
  Status.Reset();
  try {
    if (!ConcreteFloor || !SteelDeck || !ShearConnector)
      throw std::runtime_error("Concrete, steel deck and shear connector must be defined");
    if (CompositeSectionList.Empty()) throw std::runtime_error("No composite sections defined");

    for (int i = 0; i < SteelSectionList.Count(); ++i) {
      TSteelSection& s = *SteelSection(i);
      s.LoadFromLibrary(SteelSectionLibrary);
      s.CalcEffectiveProperties();
      if (!s.Status.IsOK()) Status.SetError(s.Status.ErrorLevel, s.Status.ErrorMsg);
    }

    PopulatePCCList(Segments);
    SetCompositeSectionsFromBeam();

    auto evaluate = [&](TPCC& p) {
      AssignCompositeSectionAtPCC(p);
      p.CompositeSection.CalcDesignCapacities(Span, p.x, ConcreteFloor->ConcreteStrength);
      p.CompositeSection.CalcServiceabilityProperties(ConcreteFloor->Ec());
    };
    TPCC* midspan = GetPCCAt(Span / 2);
    if (midspan) evaluate(*midspan);
    for (int i = 0; i < PCCList.Count(); ++i)
      if (PCCList.PCC(i) != midspan) evaluate(*PCCList.PCC(i));

    // Where the composite section is much stronger than the steel alone, the
    // quarter positions are critical too.
    double r = 1;
    double largest = 0;
    for (int i = 0; i < PCCList.Count(); ++i) {
      const TCompositeSectionAtPCC& cs = PCCList.PCC(i)->CompositeSection;
      const double Mb0 = cs.Mb(0);
      if (Mb0 > 0) r = cs.Mb(1) / Mb0;
      largest = i == 0 ? r : std::max(largest, r);
    }
    for (int i = 0; i < PCCList.Count(); ++i)
      if (!PCCList.PCC(i)->IsPCCStatusKnown) PCCList.PCC(i)->SetIsPCC(largest > 2.5);

    AnalyseCompositeStageLoads();

    // Connectors per group: from one upwards while the minimum spacing cannot be met.
    int n, nmax;
    if (UserNr >= 1) {
      n = nmax = UserNr;
    } else {
      n = 1;
      nmax = !Is2017Edition() ? 4 : (SteelDeck->IsSolidSlab() ? 3 : 2);
    }
    while (true) {
      ShearStudCapability(n);
      DetermineStudDistribution(n);
      AdjustStudSpacing(n);
      CalcDependableCapacity(n);
      CalculateServiceabilityProperties();
      AnalyseConstructionLoads();
      if (StudCountBasis == 0) CheckHighStressEffectOnStuds(n);
      if (n >= nmax || !Min_spacing_violation) break;
      ++n;
    }
    ShearConnectorsInGroup = n;

    CalculateDeflections();
    CalcSummaryResults();
  } catch (const std::exception& e) {
    if (Status.IsOK()) Status.SetError(elError, std::string("Error during analysis: ") + e.what());
  }

  if (Status.IsOK() && !IsAssessmentOK()) {
    if (MaxStrengthRatio() > 1) Status.SetError(elWarning, "Strength ratio > 1");
    else if (Min_spacing_violation) Status.SetError(elWarning, "Shear connector spacing problem");
    else if (MaxDeflectionRatio() > 1) Status.SetError(elWarning, "Deflection limit exceeded");
    else if (MaxStressRatio() > 1) Status.SetError(elWarning, "Stress ratio > 1");
  }
}
