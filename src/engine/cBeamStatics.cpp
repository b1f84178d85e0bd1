// TBeam: statics of the simply supported span, the choice of the potential
// critical cross-sections, and the order of the full analysis.
#include <algorithm>
#include <cmath>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

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

TBeamLoads::TBeamLoads(const TBeam& Beam) {
  const double Span = Beam.Span;
  const double L = Span / 1000;
  L_ = L;
  loads_.reserve(static_cast<size_t>(Beam.PointLoadList.Count() + Beam.DistributedLoadList.Count()));
  for (int i = 0; i < Beam.PointLoadList.Count(); ++i) {
    const auto& load = static_cast<const TPointLoad&>(*Beam.PointLoadList.Load(i));
    TLoad p{};
    p.Source = &load;
    p.IsPoint = true;
    p.P = load.Value;
    p.a = load.IsPositionProportional ? load.Position * Span / 1000 : load.Position / 1000;
    p.R = p.P * (1 - p.a / L);
    loads_.push_back(p);
  }
  for (int i = 0; i < Beam.DistributedLoadList.Count(); ++i) {
    const auto& load = static_cast<const TDistributedLoad&>(*Beam.DistributedLoadList.Load(i));
    TLoad d{};
    d.Source = &load;
    d.s = load.IsStartPositionProportional ? load.StartPosition * Span / 1000 : load.StartPosition / 1000;
    d.e = load.IsFinishPositionProportional ? load.FinishPosition * Span / 1000 : load.FinishPosition / 1000;
    if (load.IsFinishPositionAtEnd) d.e = L;
    d.q1 = load.StartValue;
    d.dq = load.FinishValue - load.StartValue;
    d.D = d.e - d.s;
    d.U = d.D * d.q1;  // uniform part
    const double cu = (d.s + 0.5 * d.D) / L;
    // Triangular part; its centroid ratio is taken as 0.6667 of the loaded length.
    d.T = d.D * d.dq * 0.5;
    const double ct = (d.s + 0.6667 * d.D) / L;
    d.cuL = cu * L;
    d.ctL = ct * L;
    d.R = (1 - cu) * d.U + (1 - ct) * d.T;
    loads_.push_back(d);
  }
}

void TBeamLoads::SharesAt(double x, TShares& Shares) const {
  const double X = x / 1000;
  Shares.X = X;
  Shares.Items.resize(loads_.size());
  for (size_t i = 0; i < loads_.size(); ++i) {
    const TLoad& d = loads_[i];
    TShare& share = Shares.Items[i];
    share.IsTimesX = false;
    if (d.IsPoint) {
      share.g = X * d.R - std::max(X - d.a, 0.0) * d.P;
      share.h = X > d.a ? d.R - d.P : d.R;  // the shear jump is taken just right of the load
    } else if (X <= d.s) {
      share.g = d.R;
      share.IsTimesX = true;
      share.h = d.R;
    } else if (X >= d.e) {
      share.g = X * d.R - d.U * (X - d.cuL) - d.T * (X - d.ctL);
      share.h = d.R - d.U - d.T;
    } else {
      const double y = X - d.s, C = y * y * 0.5;
      share.g = X * d.R - C * d.q1 - y * (C / d.D) * d.dq / 3;
      share.h = d.R - y * d.U / d.D - (C / d.D) * d.dq;
    }
  }
}

bool TBeamLoads::IsUniformOverSpan(int Index, double& q) const {
  const TLoad& d = loads_[Index];
  q = d.q1;
  return !d.IsPoint && d.s == 0 && d.e == L_ && d.dq == 0;
}

TLoadCombination::TLoadCombination(const TBeam& Beam, const TBeamLoads& Loads, TConstructionStageSet LimitToConStage,
                                   TStateType StateType) {
  const TEntityList* limit_states = Beam.LimitStateList;
  if (!limit_states || StateType < 0 || StateType >= limit_states->Count())
    throw std::runtime_error("No limit state defined for the design actions");
  const TLimitState& limit_state = *limit_states->ItemAs<TLimitState>(StateType);
  factors_.reserve(static_cast<size_t>(Loads.Count()));
  for (int i = 0; i < Loads.Count(); ++i) {
    const TAppliedLoad& load = Loads.Load(i);
    if (LoadActsFor(load, LimitToConStage))
      factors_.push_back({i, load.IsLiveLoad ? limit_state.LFlive : limit_state.LFdead});
  }
}

void TLoadCombination::Actions(const TBeamLoads::TShares& Shares, double& Mdes, double& Vdes) const {
  Mdes = 0;
  Vdes = 0;
  for (const TFactor& factor : factors_) {
    const TBeamLoads::TShare& share = Shares.Items[factor.Load];
    Mdes += share.IsTimesX ? factor.f * Shares.X * share.g : factor.f * share.g;
    Vdes += factor.f * share.h;
  }
}

bool TLoadCombination::IsUniformOverSpan(const TBeamLoads& Loads, double& w, double& w_size) const {
  w = 0;
  w_size = 0;
  for (const TFactor& factor : factors_) {
    double q;
    if (!Loads.IsUniformOverSpan(factor.Load, q)) return false;
    w += factor.f * q;
    w_size += std::fabs(factor.f * q);
  }
  return !factors_.empty();
}

void TBeam::GetDesignActions(double x, TConstructionStageSet LimitToConStage, TStateType StateType, double& Mdes,
                             double& Vdes) const {
  Mdes = 0;
  Vdes = 0;
  const TBeamLoads loads(*this);
  const TLoadCombination combination(*this, loads, LimitToConStage, StateType);
  TBeamLoads::TShares shares;
  loads.SharesAt(x, shares);
  combination.Actions(shares, Mdes, Vdes);
}

void TBeam::FindMaxMomentRegion(double& Left, double& xm, double& Right) const {
  FindMaxMomentRegion(TBeamLoads(*this), Left, xm, Right);
}

void TBeam::FindMaxMomentRegion(const TBeamLoads& loads, double& Left, double& xm, double& Right) const {
  const TLoadCombination strength(*this, loads, AllStages(), stStrength);
  TBeamLoads::TShares shares;
  auto actions_at = [&](double at, double& m, double& v) {
    loads.SharesAt(at, shares);
    strength.Actions(shares, m, v);
  };
  double M, V;
  auto moment_at = [&](double at) {
    double m, v;
    actions_at(at, m, v);
    return m;
  };
  double xL = 0, xR = Span;
  double VL, VR;
  actions_at(xL, M, VL);
  actions_at(xR, M, VR);
  const double t = (std::fabs(VL) + std::fabs(VR)) / 10000000;
  xm = (xL + xR) / 2;
  actions_at(xm, M, V);
  double Mmax = M;
  while (std::fabs(xL - xR) > 1) {
    actions_at(xm, M, V);
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
  // The plateau: where the moment stays within 99.5 % of the maximum, its
  // ends found by bisection to within 10 mm.
  const double plateau = std::fabs(0.995 * Mmax);
  auto outside_plateau = [&](double at) { return plateau >= std::fabs(moment_at(at)); };

  // Under loads spread evenly over the whole span the moment is
  // w X (L - X) / 2, so the plateau's ends are known: X (L - X) = 2 plateau / w.
  // A trial position farther than a hair (far above the rounding of either
  // side) from an end is placed by comparison; one within it is evaluated as
  // above, so the bisection takes exactly the same steps.
  double w, w_size;
  double end_left = 0, end_right = 0, hair = -1;  // m; no hair: evaluate every trial
  const double L = Span / 1000;
  if (xm == Span / 2 && strength.IsUniformOverSpan(loads, w, w_size) && std::fabs(w) * 1e6 >= w_size) {
    const double q = L * L / 4 - 2 * plateau / std::fabs(w);  // (L/2 - X)^2 at the ends
    if (q > 0) {
      end_left = L / 2 - std::sqrt(q);
      end_right = L / 2 + std::sqrt(q);
      hair = 1e-6 * L;
    }
  }
  auto outside = [&](double at) {
    const double X = at / 1000;
    if (hair >= 0) {
      if (X < end_left - hair || X > end_right + hair) return true;
      if (X > end_left + hair && X < end_right - hair) return false;
    }
    return outside_plateau(at);
  };

  double lo = 0, hi = xm;
  while (hi - lo > 10) {
    double mid = (lo + hi) / 2;
    if (outside(mid)) lo = mid;
    else hi = mid;
  }
  Left = lo;
  lo = xm;
  hi = Span;
  while (hi - lo > 10) {
    double mid = (lo + hi) / 2;
    if (outside(mid)) hi = mid;
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
  PCC.CompositeSection.AssignSection(*chosen);
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

namespace {

// A position of the PCC list being built.
struct TPosition {
  double x;
  bool IsPCC;
  bool IsPCCStatusKnown;
  int Order;  // order of creation: positions whose keys tie keep it
  std::string Key;
};

}  // namespace

void TBeam::PopulatePCCList(int Segments) { PopulatePCCList(Segments, TBeamLoads(*this)); }

void TBeam::PopulatePCCList(int Segments, const TBeamLoads& Loads) {
  if (Segments < 1 || Segments > kMaxSegments)
    throw std::runtime_error("Number of segments must be between 1 and " + std::to_string(kMaxSegments));
  if (!(Span > 0)) throw std::runtime_error("Span must be greater than zero");

  // The PCCs of the previous analysis are reused for this one.
  std::vector<std::unique_ptr<TEntity>> spare;
  spare.reserve(PCCList.Count());
  while (!PCCList.Empty()) spare.push_back(PCCList.Extract(PCCList.Count() - 1));

  // The positions are gathered first, in order of x, and the list is made
  // once at the end. A position asked for again (the same x) is made a PCC
  // when asked for as one; positions outside the span are ignored.
  std::vector<TPosition> positions;
  auto add = [&](double x, bool is_pcc) -> TPosition* {
    if (!(x >= 0 && x <= Span)) return nullptr;
    auto at = std::lower_bound(positions.begin(), positions.end(), x,
                               [](const TPosition& p, double value) { return p.x < value; });
    if (at != positions.end() && at->x == x) {
      if (is_pcc) at->IsPCC = at->IsPCCStatusKnown = true;
      return &*at;
    }
    const int order = static_cast<int>(positions.size());
    return &*positions.insert(at, TPosition{x, is_pcc, true, order, {}});
  };

  // Regular positions: the step is added repeatedly, so the last one is the
  // last sum below the span.
  const double step = Span / Segments;
  positions.reserve(static_cast<size_t>(Segments) + 16);
  for (double x = 0; x < Span; x += step) add(x, false);

  add(0, true);
  add(Span, true);
  const double eps = Span / 1000000;
  for (int i = 1; i < CompositeSectionList.Count(); ++i) {
    add(CompositeSection(i)->StartPosition - eps, true);
    add(CompositeSection(i)->StartPosition + eps, true);
  }
  for (int i = 0; i < PointLoadList.Count(); ++i) {
    const double a = static_cast<const TPointLoad*>(PointLoadList.Load(i))->PositionMm(Span);
    add(a - eps, true);
    add(a + eps, true);
  }
  add(Span / 2, true);

  double left, xm, right;
  FindMaxMomentRegion(Loads, left, xm, right);
  add(left, true);
  add(xm, true);
  add(right, true);
  // Whether these two are critical is decided once the capacities are known.
  for (double x : {xm / 2, (Span + xm) / 2})
    if (TPosition* p = add(x, false)) p->IsPCCStatusKnown = false;
  x_max_des_mom = xm;

  // List order is key order: position in micrometres, so position order,
  // except that positions less than a micrometre apart share a key and keep
  // the order in which they were made.
  for (TPosition& p : positions) p.Key = TPCCList::KeyOf(p.x);
  auto before = [](const TPosition& a, const TPosition& b) { return a.Key != b.Key ? a.Key < b.Key : a.Order < b.Order; };
  if (!std::is_sorted(positions.begin(), positions.end(), before))
    std::sort(positions.begin(), positions.end(), before);

  PCCList.Clear();
  PCCList.Sorted = false;  // appended in order
  for (TPosition& position : positions) {
    std::unique_ptr<TEntity> item;
    if (spare.empty()) {
      item = std::make_unique<TPCC>();
    } else {
      item = std::move(spare.back());
      spare.pop_back();
      static_cast<TPCC&>(*item).Reset();
    }
    TPCC& pcc = static_cast<TPCC&>(*item);
    pcc.x = position.x;
    pcc.SetIsPCC(position.IsPCC);
    pcc.IsPCCStatusKnown = position.IsPCCStatusKnown;
    AssignCompositeSectionAtPCC(pcc);
    PCCList.Add(std::move(position.Key), std::move(item));
  }
  PCCList.Sorted = true;

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

void TBeam::AnalyseCompositeStageLoads() { AnalyseCompositeStageLoads(TBeamLoads(*this)); }

void TBeam::AnalyseCompositeStageLoads(const TBeamLoads& loads) {
  const TLoadCombination strength(*this, loads, AllStages(), stStrength);
  TBeamLoads::TShares shares;
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    loads.SharesAt(p.x, shares);
    double M, V;
    strength.Actions(shares, M, V);
    p.SetMdes(stStrength, 7, M);
    p.SetVdes(stStrength, 7, V);
  }
}

void TBeam::AnalyseConstructionLoads() { AnalyseConstructionLoads(TBeamLoads(*this)); }

void TBeam::AnalyseConstructionLoads(const TBeamLoads& loads) {
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
  constexpr int kRows = sizeof rows / sizeof rows[0];
  // Each load's share at a position serves every row.
  std::vector<TLoadCombination> combinations;
  combinations.reserve(kRows);
  for (const Row& r : rows) combinations.emplace_back(*this, loads, r.stages, r.factors);
  TBeamLoads::TShares shares;
  const TConcreteFloor* concrete = nullptr;
  double Ec = 0;
  for (int i = 0; i < PCCList.Count(); ++i) {
    TPCC& p = *PCCList.PCC(i);
    loads.SharesAt(p.x, shares);
    for (int k = 0; k < kRows; ++k) {
      const Row& r = rows[k];
      double M, V;
      combinations[k].Actions(shares, M, V);
      // The long-term moment carries the sustained stage 5 and 6 loads as well.
      if (r.stored == stLong) M += p.GetMdes(stConstrucDefl, 6);
      p.SetMdes(r.stored, r.stage, M);
      if (r.stored == stStrength) p.SetVdes(stStrength, 3, V);
    }
    // The shrinkage moment reads the concrete's modulus: worked out once per concrete.
    const TConcreteFloor* material = p.CompositeSection.ConcreteMaterial;
    if (material != concrete) {
      concrete = material;
      Ec = material ? material->Ec(Standard()) : 0;
    }
    p.SetMdes(stShrinkage, 7, material ? p.CompositeSection.MshFor(Ec) : 0);
  }
}

bool TBeam::FailsBareSteelMomentCheck(const TEntityList& SteelSectionLibrary) {
  try {
    if (!ConcreteFloor || !SteelDeck || !ShearConnector || CompositeSectionList.Empty() || !(Span > 0)) return false;
    const TStandard& standard = CurrentStandard();
    for (int i = 0; i < SteelSectionList.Count(); ++i) {
      TSteelSection& s = *SteelSection(i);
      s.LoadFromLibrary(SteelSectionLibrary);
      s.CalcEffectiveProperties(standard);
    }
    SetCompositeSectionsFromBeam();

    // The position, its stage 3 strength moment and the composite section
    // there with its capacities, as the analysis finds them for its PCC.
    const TBeamLoads loads(*this);
    double left, xm, right;
    FindMaxMomentRegion(loads, left, xm, right);
    TBeamLoads::TShares shares;
    loads.SharesAt(xm, shares);
    double M, V;
    TLoadCombination(*this, loads, TConstructionStageSet::Of(3), stStrength).Actions(shares, M, V);
    TPCC at;
    at.x = xm;
    AssignCompositeSectionAtPCC(at);
    at.CompositeSection.CalcDesignCapacities(standard, Span, xm, ConcreteFloor->ConcreteStrength);
    const double Mb0 = at.CompositeSection.Mb(0);
    // The ratio of the summary: M / Mb(0), any positive moment when Mb(0) is 0.
    return Mb0 != 0 ? M / Mb0 > 1 : M > 0;
  } catch (const std::exception&) {
    return false;
  }
}

namespace {

// Keeps the standard an analysis selected in the beam while the analysis runs.
class TSelectedStandard {
 public:
  TSelectedStandard(const TStandard*& Slot, const TStandard& Standard) : slot_(Slot) { slot_ = &Standard; }
  ~TSelectedStandard() { slot_ = nullptr; }
  TSelectedStandard(const TSelectedStandard&) = delete;
  TSelectedStandard& operator=(const TSelectedStandard&) = delete;

 private:
  const TStandard*& slot_;
};

}  // namespace

void TBeam::FullAnalysis(const TEntityList& SteelSectionLibrary, int Segments) {
  Status.Reset();
  // The edition, once for the whole analysis: every rule below follows it.
  const TStandard& standard = CurrentStandard();
  const TSelectedStandard selected(standard_, standard);
  try {
    if (!ConcreteFloor || !SteelDeck || !ShearConnector)
      throw std::runtime_error("Concrete, steel deck and shear connector must be defined");
    if (CompositeSectionList.Empty()) throw std::runtime_error("No composite sections defined");

    for (int i = 0; i < SteelSectionList.Count(); ++i) {
      TSteelSection& s = *SteelSection(i);
      s.LoadFromLibrary(SteelSectionLibrary);
      s.CalcEffectiveProperties(standard);
      if (!s.Status.IsOK()) Status.SetError(s.Status.ErrorLevel, s.Status.ErrorMsg);
    }

    const TBeamLoads loads(*this);
    PopulatePCCList(Segments, loads);
    SetCompositeSectionsFromBeam();

    const double Ec = ConcreteFloor->Ec(standard);
    auto evaluate = [&](TPCC& p) {
      AssignCompositeSectionAtPCC(p);
      p.CompositeSection.CalcDesignCapacities(standard, Span, p.x, ConcreteFloor->ConcreteStrength);
      p.CompositeSection.CalcServiceabilityProperties(Ec);
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
      const TCompositeSectionAtPCC::TMomentCapacity capacity = cs.MomentCapacity();
      const double Mb0 = capacity.Mb(0);
      if (Mb0 > 0) r = capacity.Mb(1) / Mb0;
      largest = i == 0 ? r : std::max(largest, r);
    }
    for (int i = 0; i < PCCList.Count(); ++i)
      if (!PCCList.PCC(i)->IsPCCStatusKnown) PCCList.PCC(i)->SetIsPCC(largest > 2.5);

    AnalyseCompositeStageLoads(loads);

    // Connectors per group: from one upwards while the minimum spacing cannot be met.
    int n, nmax;
    if (UserNr >= 1) {
      n = nmax = UserNr;
    } else {
      n = 1;
      nmax = standard.MaxConnectorsPerGroup(SteelDeck->IsSolidSlab());
    }
    const int first_n = n;
    while (true) {
      ShearStudCapability(n);
      DetermineStudDistribution(n);
      AdjustStudSpacing(n);
      CalcDependableCapacity(n);
      CalculateServiceabilityProperties();
      // The construction and in-service actions follow from the loads alone,
      // whatever the connectors: the first pass works them out.
      if (n == first_n) AnalyseConstructionLoads(loads);
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
