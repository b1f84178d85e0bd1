#include "engine/cCompositeSection.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "components/cCapacityFactor.h"
#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
#include "engine/cCompositeFormulas.h"
#include "entity/VEXUtility.h"

// ---------------------------------------------------------------------------
// TCompositeSection.

void TCompositeSection::SetLinksToLibraryData(TSteelSection* SourceSteelSection, TSteelDeck* SourceSteelDeck,
                                              TConcreteFloor* SourceConcreteMaterial) {
  SteelSection = SourceSteelSection;
  SteelDeck = SourceSteelDeck;
  ConcreteMaterial = SourceConcreteMaterial;
  IsChanged = true;
}

bool TCompositeSection::IsOK() {
  Status.Reset();
  // The messages are format templates: a "%" in the label must come out as
  // typed. They are put together only for a check that fails.
  auto label = [&] { return FormatLiteral(CompositeSectionLabel); };
  Status.CheckMin(StartPosition, 0.0, elError, [&] { return "Invalid location for composite section [" + label() + "]"; });
  Status.CheckMin(bcLeft, 0.1, elError,
                  [&] { return "Invalid side 1 slab width for composite section [" + label() + "]"; });
  Status.CheckMin(bcRight, 0.1, elError,
                  [&] { return "Invalid side 2 slab width for composite section [" + label() + "]"; });
  Status.IsChecked = true;
  return Status.IsOK();
}

void TCompositeSection::Assign(const TEntity* Source) {
  auto* s = dynamic_cast<const TCompositeSection*>(Source);
  if (s) AssignSection(*s);
  else TEntity::Assign(Source);
}

void TCompositeSection::AssignSection(const TCompositeSection& Source) {
  // Field by field, because the analysis assigns a section to every
  // cross-section it makes.
  const TCompositeSection* s = &Source;
  SetTracked(StartPosition, s->StartPosition);
  SetTracked(CompositeSectionLabel, s->CompositeSectionLabel);
  SetTracked(SteelSectionLabel, s->SteelSectionLabel);
  SetTracked(bcLeft, s->bcLeft);
  SetTracked(bcRight, s->bcRight);
  SetTracked(thetaLeft, s->thetaLeft);
  SetTracked(IsEdgeBeamLeft, s->IsEdgeBeamLeft);
  SetTracked(Dc, s->Dc);
  SetTracked(thetaRight, s->thetaRight);
  SetTracked(IsEdgeBeamRight, s->IsEdgeBeamRight);
  SetTracked(b1, s->b1);
  SetTracked(b2, s->b2);
  SteelSection = s->SteelSection;
  SteelDeck = s->SteelDeck;
  ConcreteMaterial = s->ConcreteMaterial;
}

// ---------------------------------------------------------------------------
// TCompositeSectionAtPCC.

void TCompositeSectionAtPCC::Reset() {
  StartPosition = 0;
  CompositeSectionLabel.clear();
  SteelSectionLabel.clear();
  SteelSection = nullptr;
  SteelDeck = nullptr;
  ConcreteMaterial = nullptr;
  bcLeft = 0;
  bcRight = 0;
  thetaLeft = 0;
  IsEdgeBeamLeft = false;
  Dc = 0;
  thetaRight = 0;
  IsEdgeBeamRight = false;
  b1 = 0;
  b2 = 0;
  Ac_1 = 0;
  Ac_2 = 0;
  Fcc = 0;
  Fc_1 = 0;
  Fc_2 = 0;
  dsr = 0;
  psi = 0;
  la_l = 0;
  la_r = 0;
  bcf = 0;
  Zt = 0;
  Zb = 0;
  kDbi = 0;
  kDbl = 0;
  Iti = 0;
  Itl = 0;
  bcf_2 = 0;
  bcf_1 = 0;
  standard_ = nullptr;
  Status.Reset();
  Status.OKErrorLevel = elNone;
  IsChanged = false;
}

const TSteelSection& TCompositeSectionAtPCC::Steel() const {
  if (!SteelSection)
    throw std::runtime_error("No steel section [" + SteelSectionLabel + "] for composite section [" +
                             CompositeSectionLabel + "]");
  return *SteelSection;
}

double TCompositeSectionAtPCC::CalcSidebeff(int Side, bool IsEdge, double bsf1, double Lef, double Position) const {
  const double b = as2327::b_within_span(Side == 1 ? b1 : b2, Lef);
  return Standard().beff_side(b, Lef, Position, bsf1, Dc, IsEdge);
}

double TCompositeSectionAtPCC::Calcbeff(double EffSpan, double Position) const {
  const double bsf1 = Steel().bsf1();
  return std::min(bcLeft, CalcSidebeff(1, IsEdgeBeamLeft, bsf1, EffSpan, Position)) +
         std::min(bcRight, CalcSidebeff(2, IsEdgeBeamRight, bsf1, EffSpan, Position));
}

void TCompositeSectionAtPCC::CalcDesignCapacities(double Lef, double Position, double fc) {
  CalcDesignCapacities(CurrentStandard(), Lef, Position, fc);
}

void TCompositeSectionAtPCC::CalcDesignCapacities(const TStandard& AStandard, double Lef, double Position, double fc) {
  standard_ = &AStandard;
  const TSteelSection& s = Steel();
  if (!SteelDeck) throw std::runtime_error("No steel deck for composite section [" + CompositeSectionLabel + "]");
  if (!(s.Fst > 0))
    throw std::runtime_error("Steel section [" + s.SteelSectionLabel + "] has no axial capacity");
  const double phic = AStandard.phi(cfBendingConcrete);
  const double hr = SteelDeck->hr;
  dsr = as2327::dsr(s.Fscf1, s.fyw(), s.Aw_dash, s.Fscf2, s.Fsp, s.Fst, s.tf1(), s.dp, s.tf2(), s.tsp(), s.Ds(), Dc);
  bcf_1 = std::min(bcLeft, CalcSidebeff(1, IsEdgeBeamLeft, s.bsf1(), Lef, Position));
  bcf_2 = std::min(bcRight, CalcSidebeff(2, IsEdgeBeamRight, s.bsf1(), Lef, Position));
  bcf = bcf_1 + bcf_2;
  Fc_1 = as2327::Fc_1(phic, fc, bcf, Dc, hr);
  Ac_1 = as2327::Ac_1(bcf, Dc, hr);
  la_r = SteelDeck->lambda(thetaRight, AStandard);
  la_l = SteelDeck->lambda(thetaLeft, AStandard);
  Fc_2 = as2327::Fc_2(fc, phic, hr, la_l, bcf_1, la_r, bcf_2);
  Ac_2 = as2327::Ac_2(la_l, bcf_1, la_r, bcf_2, hr);
  Fcc = as2327::Fcc(Fc_1, Fc_2, AStandard.phi(cfBendingSteel), s.Fst);
  CalcMbfc(psi);
}

TCompositeSectionAtPCC::TMomentCapacity TCompositeSectionAtPCC::MomentCapacity() const {
  const TSteelSection& s = Steel();
  const double phis = Standard().phi(cfBendingSteel);
  TMomentCapacity m;
  m.Fcc = Fcc;
  m.Fc_1 = Fc_1;
  m.Fc_2 = Fc_2;
  m.dsr = dsr;
  m.Dc = Dc;
  m.hr = SteelDeck ? SteelDeck->hr : 0;
  m.Dc_hr = Dc - m.hr;
  m.tf1 = s.tf1();
  m.tf2 = s.tf2();
  m.tsp = s.tsp();
  m.Ds = s.Ds();
  m.dp = s.dp;
  m.phisFst = phis * s.Fst;
  m.F1 = phis * s.Fscf1;
  m.Fw = phis * s.Fscw;
  m.F2 = phis * s.Fscf2;
  m.Fp = phis * s.Fsp;
  m.compressed = {as2327::M_top_flange(m.F1, dsr, Dc, m.tf1), as2327::M_web(m.Fw, dsr, Dc, m.tf1, m.Ds, m.tf2),
                  as2327::M_bottom_flange(m.F2, dsr, Dc, m.Ds, m.tf2)};
  return m;
}

double TCompositeSectionAtPCC::TMomentCapacity::Mb(double beta) const {
  // Mb is evaluated hundreds of times per analysis: the formulas inline.
  const double C = beta * Fcc;   // the concrete's compression
  const double T = phisFst - C;  // twice the steel's compression
  const double dc = as2327::dc(C, Fc_1, Fc_2, Dc_hr, hr);
  const as2327::TSteelAxis axis = as2327::ys(T, F1, Fw, F2, Fp, Dc, tf1, dp, Ds, tf2, tsp);
  const double Mc = as2327::Mc(C, Fc_1, dsr, dc, Dc_hr);
  const double Ms = as2327::Ms(axis, T, F1, Fw, F2, compressed, dsr, Dc, tf1, Ds, tf2);
  return (Mc + Ms) / 1000;
}

double TCompositeSectionAtPCC::Mbfc() const {
  double unused;
  return CalcMbfc(unused);
}

double TCompositeSectionAtPCC::CalcMbfc(double& Psi) const {
  const TSteelSection& s = Steel();
  const double hr = SteelDeck ? SteelDeck->hr : 0;
  const double yf = as2327::yf(s.Fscf1, s.Fscf2, s.Fsp, s.tf1(), s.dp, s.tf2(), s.tsp(), s.Ds(), Dc);
  const as2327::TMbfc m = as2327::Mbfc(Standard().phi(cfBendingSteel), s.Fscf1, s.Fscf2, s.Fsp, Fc_1, Fc_2, yf, Dc, hr,
                                       s.tf1(), s.Ds(), s.tf2(), s.tsp());
  Psi = as2327::psi(m.Cf, Fcc);
  return m.Mbfc;
}

double TCompositeSectionAtPCC::Msf() const {
  const TSteelSection& s = Steel();
  const double yf = as2327::yf(s.Fscf1, s.Fscf2, s.Fsp, s.tf1(), s.dp, s.tf2(), s.tsp(), s.Ds(), Dc);
  return as2327::Msf(Standard().phi(cfBendingSteel), s.Fscf1, s.Fscf2, s.Fsp, yf, Dc, s.tf1(), s.Ds(), s.tf2(),
                     s.tsp());
}

void TCompositeSectionAtPCC::CalcTransformedSection(double CreepFactor, double Ec, double& d, double& I) const {
  const TSteelSection& s = Steel();
  if (!(Ec > 0)) throw std::runtime_error("Concrete elastic modulus must be greater than zero");
  if (!(bcf > 0)) throw std::runtime_error("Composite section [" + CompositeSectionLabel + "] has no effective slab width");
  const double hr = SteelDeck ? SteelDeck->hr : 0;
  const double hc = Dc - hr;  // concrete above the ribs
  const double lambda = (la_l * bcf_1 + la_r * bcf_2) / bcf;
  const double n = as2327::n_modular(s.Es(), Ec, CreepFactor);
  const double F = s.y + Dc;  // steel centroid below the slab top
  const double As = s.As_dash, Is = s.ISteel;
  const double H = as2327::H_transformed(n, As, bcf, F);

  // The neutral axis in the concrete above the ribs, else within the ribs
  // (where their concrete counts), else below them.
  d = as2327::kDb_above_ribs(F, H);
  if (d <= hc) {
    I = as2327::It_above_ribs(bcf, d, n, Is, As, F);
    return;
  }
  if (!(lambda <= 0.001)) {
    d = as2327::kDb_in_ribs(F, H, lambda, hc);
    if (d <= Dc) {
      I = as2327::It_in_ribs(lambda, bcf, d, Dc, hr, n, Is, As, F);
      return;
    }
  }
  d = as2327::kDb_whole_slab(As, F, bcf, n, Dc, hr, lambda);
  I = as2327::It_whole_slab(As, F, d, Is, bcf, n, Dc, hr, lambda);
}

void TCompositeSectionAtPCC::CalcSectionModuli() {
  const TSteelSection& s = Steel();
  Zb = as2327::Zb(Iti, kDbi, Dc, s.Ds(), s.tsp());
  Zt = as2327::Zt(Iti, kDbi, Dc);
}

void TCompositeSectionAtPCC::CalcServiceabilityProperties(double Ec) {
  CalcTransformedSection(1, Ec, kDbi, Iti);
  CalcSectionModuli();
  CalcTransformedSection(as2327::kCreepFactorLongTerm, Ec, kDbl, Itl);
}

double TCompositeSectionAtPCC::Msh() const {
  if (!ConcreteMaterial) return 0;
  return MshFor(ConcreteMaterial->Ec(Standard()));
}

double TCompositeSectionAtPCC::MshFor(double Ec) const {
  if (!ConcreteMaterial) return 0;
  const double hr = SteelDeck ? SteelDeck->hr : 0;
  return as2327::Msh(kDbi, Dc, hr, Ec, ConcreteMaterial->ShrinkageStrain, Ac_1, Ac_2);
}

double TCompositeSectionAtPCC::lambdasd() const { return as2327::lambdasd(Dc, Steel().OverallDepth()); }

double TCompositeSectionAtPCC::Dslab() const {
  return as2327::Dslab(Dc, SteelDeck ? SteelDeck->hr : 0, SteelDeck ? SteelDeck->DeckType : 0);
}

double TCompositeSectionAtPCC::Vslab() const {
  const double fc = ConcreteMaterial ? ConcreteMaterial->ConcreteStrength : 0;
  return Standard().Vslab(Dslab(), Steel().bsf1(), lambdasd(), fc);
}
