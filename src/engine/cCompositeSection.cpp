#include "engine/cCompositeSection.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "components/cCapacityFactor.h"
#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
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

namespace {

double PhiS() { return CapacityFactor(cfBendingSteel); }
double PhiC() { return CapacityFactor(cfBendingConcrete); }

}  // namespace

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
  double b = std::min(Side == 1 ? b1 : b2, Lef / 8);
  if (Is2017Edition()) {
    double beta = b <= 0 ? 0 : 0.55 + 0.025 * Lef / b;
    double p;
    if (Position < Lef / 4) p = Position / (Lef / 4);
    else if (Position <= 0.75 * Lef) p = 1;
    else p = (Lef - Position) / (Lef / 4);
    return beta * b + p * (b - beta * b);
  }
  return std::min(b, bsf1 / 2 + (IsEdge ? 6 : 8) * Dc);
}

double TCompositeSectionAtPCC::Calcbeff(double EffSpan, double Position) const {
  const double bsf1 = Steel().bsf1();
  return std::min(bcLeft, CalcSidebeff(1, IsEdgeBeamLeft, bsf1, EffSpan, Position)) +
         std::min(bcRight, CalcSidebeff(2, IsEdgeBeamRight, bsf1, EffSpan, Position));
}

void TCompositeSectionAtPCC::CalcDesignCapacities(double Lef, double Position, double fc) {
  const TSteelSection& s = Steel();
  if (!SteelDeck) throw std::runtime_error("No steel deck for composite section [" + CompositeSectionLabel + "]");
  if (!(s.Fst > 0))
    throw std::runtime_error("Steel section [" + s.SteelSectionLabel + "] has no axial capacity");
  const double phic = PhiC();
  const double hr = SteelDeck->hr;
  dsr = (s.tf1() * s.Fscf1 / 2 + s.fyw() * s.Aw_dash * (s.tf1() + s.dp / 2) / 1000 +
         (s.tf1() + s.dp + s.tf2() / 2) * s.Fscf2 + (s.tsp() / 2 + s.Ds()) * s.Fsp) /
            s.Fst +
        Dc;
  bcf_1 = std::min(bcLeft, CalcSidebeff(1, IsEdgeBeamLeft, s.bsf1(), Lef, Position));
  bcf_2 = std::min(bcRight, CalcSidebeff(2, IsEdgeBeamRight, s.bsf1(), Lef, Position));
  bcf = bcf_1 + bcf_2;
  Fc_1 = phic * 0.85 * fc * bcf * (Dc - hr) / 1000;
  Ac_1 = (Dc - hr) * bcf;
  la_r = SteelDeck->lambda(thetaRight);
  la_l = SteelDeck->lambda(thetaLeft);
  Fc_2 = fc * phic * 0.85 * hr / 1000 * (la_l * bcf_1 + la_r * bcf_2);
  Ac_2 = (la_l * bcf_1 + la_r * bcf_2) * hr;
  Fcc = std::min(Fc_1 + Fc_2, PhiS() * s.Fst);
  CalcMbfc(psi);
}

TCompositeSectionAtPCC::TMomentCapacity TCompositeSectionAtPCC::MomentCapacity() const {
  const TSteelSection& s = Steel();
  const double phis = PhiS();
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
  // Each compressed part counts twice its force: it turns from tension into compression.
  m.top_flange = 2 * m.F1 * (dsr - Dc - m.tf1 / 2);
  m.web = 2 * m.Fw * (dsr - Dc - (m.tf1 + m.Ds - m.tf2) / 2);
  m.bottom_flange = 2 * m.F2 * (dsr - (Dc + m.Ds - m.tf2 / 2));
  return m;
}

double TCompositeSectionAtPCC::TMomentCapacity::Mb(double beta) const {
  // Ratio's rule (a zero divisor gives the fallback), written here so that
  // it inlines: Mb is evaluated hundreds of times per analysis.
  auto ratio = [](double a, double b, double fallback = 0) { return b != 0 ? a / b : fallback; };
  const double C = beta * Fcc;
  const double T = phisFst - C;  // twice the steel compression force

  // Depth of the concrete compression zone from the slab top.
  double dc;
  if (C <= Fc_1 + 0.00001) dc = ratio(Dc_hr * C, Fc_1);
  else dc = Dc_hr + ratio((C - Fc_1) * hr, Fc_2, hr);

  // Plastic neutral axis in the steel, by zone.
  double ys;
  int zone;
  if (T <= 2 * F1) {
    zone = 0;
    ys = Dc + ratio(tf1 * T, 2 * F1);
  } else if (T <= 2 * (F1 + Fw)) {
    zone = 1;
    ys = Dc + tf1 + ratio((T - 2 * F1) * dp, 2 * Fw);
  } else if (T <= 2 * (F1 + Fw + F2)) {
    zone = 2;
    ys = Dc + Ds - tf2 + ratio((T - 2 * F1 - 2 * Fw) * tf2, 2 * F2);
  } else {
    zone = 3;
    ys = Dc + Ds + ratio((T - 2 * F1 - 2 * Fw - 2 * F2) * tsp, 2 * Fp);
  }

  double Mc;
  if (C <= Fc_1) Mc = C * (dsr - dc / 2);
  else Mc = Fc_1 * (dsr - Dc_hr / 2) + (C - Fc_1) * (dsr - (Dc_hr + dc) / 2);

  double Ms;
  switch (zone) {
    case 0: Ms = T * (dsr - (Dc + ys) / 2); break;
    case 1: Ms = top_flange + (T - 2 * F1) * (dsr - (Dc + tf1 + ys) / 2); break;
    case 2: Ms = top_flange + web + (T - 2 * F1 - 2 * Fw) * (dsr - (Dc + Ds - tf2 + ys) / 2); break;
    default:
      Ms = top_flange + web + bottom_flange + (T - 2 * F1 - 2 * Fw - 2 * F2) * (dsr - (Dc + Ds + ys) / 2);
  }
  return (Mc + Ms) / 1000;
}

double TCompositeSectionAtPCC::Mbfc() const {
  double unused;
  return CalcMbfc(unused);
}

double TCompositeSectionAtPCC::CalcMbfc(double& Psi) const {
  const TSteelSection& s = Steel();
  const double phis = PhiS();
  const double hr = SteelDeck ? SteelDeck->hr : 0;
  const double tf1 = s.tf1(), tf2 = s.tf2(), tsp = s.tsp(), Ds = s.Ds(), dp = s.dp;
  const double Tf = phis * (s.Fscf1 + s.Fscf2 + s.Fsp);
  const double yf = Ratio(tf1 * s.Fscf1 / 2 + (tf1 + dp + tf2 / 2) * s.Fscf2 + (tsp / 2 + Ds) * s.Fsp,
                          s.Fscf1 + s.Fscf2 + s.Fsp) +
                    Dc;
  const double F1 = phis * s.Fscf1, F2 = phis * s.Fscf2, Fp = phis * s.Fsp;
  double Cf, M;
  if (Tf <= Fc_1) {
    Cf = Tf;
    M = Tf * (yf - Ratio(Tf * (Dc - hr), Fc_1) / 2);
  } else if (Tf <= Fc_1 + Fc_2) {
    Cf = Tf;
    double dc = (Dc - hr) + Ratio(hr * (Tf - Fc_1), Fc_2, hr);
    M = Fc_1 * (yf - (Dc - hr) / 2) + (Tf - Fc_1) * (yf - ((Dc - hr) + dc) / 2);
  } else {
    Cf = Fc_1 + Fc_2;
    const double R = Tf - Cf;
    const double Mc = Fc_1 * (yf - (Dc - hr) / 2) + Fc_2 * (yf - Dc + hr / 2);
    if (R <= 2 * F1) {
      double ys = Dc + Ratio(tf1 * R, 2 * F1);
      M = Mc + R * (yf - (Dc + ys) / 2);
    } else if (R <= 2 * F1 + 2 * F2) {
      double ys = Dc + Ds - tf2 + Ratio(tf2 * (R - 2 * F1), 2 * F2);
      M = Mc + 2 * F1 * (yf - Dc - tf1 / 2) + (R - 2 * F1) * (yf - (Dc + Ds - tf2 + ys) / 2);
    } else {
      double ys = Dc + Ds + Ratio(tsp * (R - 2 * F1 - 2 * F2), 2 * Fp);
      M = Mc + 2 * F1 * (yf - Dc - tf1 / 2) + 2 * F2 * (yf - (Dc + Ds - tf2 / 2)) +
          (R - 2 * F1 - 2 * F2) * (yf - (Dc + Ds + ys) / 2);
    }
  }
  Psi = Ratio(Cf, Fcc);
  return M / 1000;
}

double TCompositeSectionAtPCC::Msf() const {
  const TSteelSection& s = Steel();
  const double tf1 = s.tf1(), tf2 = s.tf2(), tsp = s.tsp(), Ds = s.Ds(), dp = s.dp;
  const double F = s.Fscf1 + s.Fscf2 + s.Fsp;
  const double yf = Ratio(tf1 * s.Fscf1 / 2 + (tf1 + dp + tf2 / 2) * s.Fscf2 + (tsp / 2 + Ds) * s.Fsp, F) + Dc;
  double M;
  if (2 * s.Fscf1 >= F) {
    double ys = Dc + Ratio(F * tf1, 2 * s.Fscf1);
    M = F * (yf - (Dc + ys) / 2);
  } else if (F <= 2 * s.Fscf1 + 2 * s.Fscf2) {
    double R = F - 2 * s.Fscf1;
    double ys = Dc + Ds - tf2 + Ratio(tf2 * R, 2 * s.Fscf2);
    M = 2 * s.Fscf1 * (yf - Dc - tf1 / 2) + R * (yf - (Dc + Ds - tf2 + ys) / 2);
  } else {
    double R = F - 2 * s.Fscf1 - 2 * s.Fscf2;
    double ys = Dc + Ds + Ratio(tsp * R, 2 * s.Fsp);
    M = 2 * s.Fscf1 * (yf - Dc - tf1 / 2) + 2 * s.Fscf2 * (yf - (Dc + Ds - tf2 / 2)) +
        R * (yf - (Dc + Ds + ys) / 2);
  }
  return PhiS() * M / 1000;
}

void TCompositeSectionAtPCC::CalcTransformedSection(double CreepFactor, double Ec, double& d, double& I) const {
  const TSteelSection& s = Steel();
  if (!(Ec > 0)) throw std::runtime_error("Concrete elastic modulus must be greater than zero");
  if (!(bcf > 0)) throw std::runtime_error("Composite section [" + CompositeSectionLabel + "] has no effective slab width");
  const double hr = SteelDeck ? SteelDeck->hr : 0;
  const double hc = Dc - hr;  // concrete above the ribs
  const double lambda = (la_l * bcf_1 + la_r * bcf_2) / bcf;
  const double n = s.Es() / Ec * CreepFactor;
  const double F = s.y + Dc;  // steel centroid below the slab top
  const double As = s.As_dash, Is = s.ISteel;
  const double H = n * 2 * As / (bcf * F);

  auto whole_slab = [&] {
    d = (As * F + bcf / (2 * n) * (hc * hc + lambda * hr * (2 * Dc - hr))) / (As + bcf / n * (hc + lambda * hr));
    I = As * (F - d) * (F - d) + Is + bcf * hc * hc * hc / (12 * n) + hc * bcf / (4 * n) * std::pow(2 * d - Dc + hr, 2) +
        lambda * bcf * hr * hr * hr / (12 * n) + (lambda * bcf * hr / n) * std::pow(d - Dc + hr / 2, 2);
  };

  d = (F / 2) * (std::sqrt(H * (H + 4)) - H);
  if (d <= hc) {
    I = bcf * d * d * d / (3 * n) + Is + As * (F - d) * (F - d);
  } else if (lambda <= 0.001) {
    whole_slab();
  } else {
    const double Hl = H / lambda;
    const double M = hc * 2 * (1 - lambda) / (F * lambda);
    d = (F / 2) * (std::sqrt(Hl * (Hl + 4) + M * (2 * Hl + M + 2 * hc / F)) - Hl - M);
    if (d <= Dc) {
      I = lambda * bcf * std::pow(d - Dc + hr, 3) / (3 * n) + Is + As * (F - d) * (F - d) +
          bcf * hc * hc * hc / (12 * n) + hc * bcf / (4 * n) * std::pow(2 * d - Dc + hr, 2);
    } else {
      whole_slab();
    }
  }
}

void TCompositeSectionAtPCC::CalcSectionModuli() {
  const TSteelSection& s = Steel();
  Zb = Ratio(Iti, kDbi - Dc - s.Ds() - s.tsp());
  Zt = Ratio(Iti, kDbi - Dc);
}

void TCompositeSectionAtPCC::CalcServiceabilityProperties(double Ec) {
  CalcTransformedSection(1, Ec, kDbi, Iti);
  CalcSectionModuli();
  CalcTransformedSection(3, Ec, kDbl, Itl);
}

double TCompositeSectionAtPCC::Msh() const {
  if (!ConcreteMaterial) return 0;
  return MshFor(ConcreteMaterial->Ec());
}

double TCompositeSectionAtPCC::MshFor(double Ec) const {
  if (!ConcreteMaterial) return 0;
  const double hr = SteelDeck ? SteelDeck->hr : 0;
  const double eps = ConcreteMaterial->ShrinkageStrain;
  return ((kDbi - Dc + hr / 2) * Ec * eps * Ac_2 + (kDbi - (Dc - hr) / 2) * Ec * eps * Ac_1) / 1e9 / 1000;
}

double TCompositeSectionAtPCC::lambdasd() const { return Ratio(Dc, Steel().OverallDepth() + Dc); }

double TCompositeSectionAtPCC::Dslab() const {
  const int type = SteelDeck ? SteelDeck->DeckType : 0;
  if (type == 0 || type == 2 || type == 3) return Dc;
  return Dc - (SteelDeck ? SteelDeck->hr : 0);
}

double TCompositeSectionAtPCC::Vslab() const {
  if (!Is2017Edition()) return 0;
  const double fc = ConcreteMaterial ? ConcreteMaterial->ConcreteStrength : 0;
  const double base = std::max(0.0, Dslab() * Steel().bsf1());
  return std::pow(base, 0.7) * (13 + 110 * lambdasd()) * std::sqrt(std::max(0.0, fc)) / 1000;
}
