// Composite sections: a steel section acting with an effective width of slab
// on each side. TCompositeSection is the length of beam the user defines
// (from StartPosition on); TCompositeSectionAtPCC is that section evaluated at
// one potential critical cross-section, with its design capacities (effective
// width, concrete and steel forces, moment capacity at any degree of shear
// connection, capacities with the web ignored, slab shear) and serviceability
// properties (cracked transformed section, short and long term).
//
// All capacities are design capacities: the capacity factors of the standard
// the section was evaluated under (CalcDesignCapacities) are applied inside
// the formulas, and its queries follow the same standard. The formulas are
// cCompositeFormulas.h's and the edition's (effective width, slab shear).
// Units: mm, mm2, mm4, mm3, MPa, kN, kNm. Sagging moments and compression
// stresses are positive; Zt is positive and Zb negative.
//
// Preconditions: the links are set and the steel section's effective
// properties computed; CalcDesignCapacities and CalcServiceabilityProperties
// run (in that order) before any capacity query. std::runtime_error, with a
// message the beam analysis reports, comes from a query without a linked steel
// section, from CalcDesignCapacities without a deck or for a steel section
// without axial capacity, and from CalcServiceabilityProperties for a zero
// concrete modulus or effective width. Zero concrete forces (a slab no deeper
// than its ribs) and zero steel forces elsewhere give finite results.
#pragma once

#include "components/cConcreteFloor.h"
#include "components/cStandard.h"
#include "components/cSteelDeck.h"
#include "components/cSteelSection.h"
#include "engine/cCompositeFormulas.h"
#include "entity/cEntity.h"

class TCompositeSection : public TEntity {
 public:
  TCompositeSection() { SectionName = "CompositeSection"; }

  double StartPosition = 0;  // from the left support, mm
  std::string CompositeSectionLabel;
  std::string SteelSectionLabel;
  TSteelSection* SteelSection = nullptr;      // link, not owned
  TSteelDeck* SteelDeck = nullptr;            // link, not owned
  TConcreteFloor* ConcreteMaterial = nullptr;  // link, not owned
  double bcLeft = 0;        // slab width available on side 1, mm
  double bcRight = 0;       // slab width available on side 2, mm
  double thetaLeft = 0;     // rib angle on side 1, degrees
  bool IsEdgeBeamLeft = false;
  double Dc = 0;            // overall slab depth, mm
  double thetaRight = 0;    // rib angle on side 2, degrees
  bool IsEdgeBeamRight = false;
  double b1 = 0;            // nominal slab width of side 1 for the effective width, mm
  double b2 = 0;            // nominal slab width of side 2, mm

  void SetLinksToLibraryData(TSteelSection* SourceSteelSection, TSteelDeck* SourceSteelDeck,
                             TConcreteFloor* SourceConcreteMaterial);
  bool IsOK() override;
  void Assign(const TEntity* Source) override;
  // Assign from another composite section: every writable property, then the links.
  void AssignSection(const TCompositeSection& Source);

  TRV_PROPERTIES(TCompositeSection, TEntity,
                 Published("CompositeSectionLabel", &TCompositeSection::CompositeSectionLabel),
                 Published("StartPosition", &TCompositeSection::StartPosition),
                 Published("bcLeft", &TCompositeSection::bcLeft),
                 Published("bcRight", &TCompositeSection::bcRight),
                 Published("SteelSectionLabel", &TCompositeSection::SteelSectionLabel),
                 Public("SteelSection", &TCompositeSection::SteelSection),
                 Public("SteelDeck", &TCompositeSection::SteelDeck),
                 Public("ConcreteMaterial", &TCompositeSection::ConcreteMaterial),
                 Public("thetaLeft", &TCompositeSection::thetaLeft),
                 Public("IsEdgeBeamLeft", &TCompositeSection::IsEdgeBeamLeft),
                 Public("Dc", &TCompositeSection::Dc),
                 Public("thetaRight", &TCompositeSection::thetaRight),
                 Public("IsEdgeBeamRight", &TCompositeSection::IsEdgeBeamRight),
                 Public("b1", &TCompositeSection::b1),
                 Public("b2", &TCompositeSection::b2))
};

class TCompositeSectionAtPCC : public TCompositeSection {
 public:
  double Ac_1 = 0;   // concrete above the ribs within the effective width, mm2
  double Ac_2 = 0;   // effective concrete within the rib height, mm2
  double Fcc = 0;    // design compression of the concrete at full shear connection, kN
  double Fc_1 = 0;   // design force of the concrete above the ribs, kN
  double Fc_2 = 0;   // design force of the concrete within the rib height, kN
  double dsr = 0;    // depth from the slab top to the line of action of the steel yield force, mm
  double psi = 0;    // degree of shear connection at which Mbfc is reached (set with the capacities)
  double la_l = 0;   // deck lambda on side 1
  double la_r = 0;   // deck lambda on side 2
  double bcf = 0;    // total effective width, mm
  double Zt = 0;     // short-term modulus at the steel top, mm3 (positive)
  double Zb = 0;     // short-term modulus at the steel bottom, mm3 (negative)
  double kDbi = 0;   // short-term neutral axis depth below the slab top, mm
  double kDbl = 0;   // long-term neutral axis depth, mm
  double Iti = 0;    // short-term transformed second moment (steel units), mm4
  double Itl = 0;    // long-term transformed second moment, mm4
  double bcf_2 = 0;  // effective width of side 2, mm
  double bcf_1 = 0;  // effective width of side 1, mm

  // Returns the section to the state of a new one (no links, no results).
  void Reset();

  // The standard the section was evaluated under; the calling thread's
  // before it is evaluated.
  const TStandard& Standard() const { return standard_ ? *standard_ : CurrentStandard(); }

  // Total effective width at Position for the effective span EffSpan.
  double Calcbeff(double EffSpan, double Position) const;
  // Effective widths, concrete forces, Fcc and psi by the rules of Standard
  // (of the calling thread's edition without one), which the section keeps
  // for its later queries.
  void CalcDesignCapacities(const TStandard& Standard, double Lef, double Position, double fc);
  void CalcDesignCapacities(double Lef, double Position, double fc);
  // Design moment capacity (kNm) at the degree of shear connection beta (0..1).
  double Mb(double beta) const { return MomentCapacity().Mb(beta); }

  // Mb with every term that does not depend on beta worked out once, for
  // evaluating it at many degrees of shear connection (the search for the
  // least degree that carries a moment). Valid while the section is unchanged.
  class TMomentCapacity {
   public:
    double Mb(double beta) const;

   private:
    friend class TCompositeSectionAtPCC;
    double Fcc, Fc_1, Fc_2, dsr, Dc, hr, Dc_hr;  // Dc_hr: concrete above the ribs
    double tf1, tf2, tsp, Ds, dp;
    double phisFst;               // steel yield force, kN
    double F1, Fw, F2, Fp;        // flange, web, flange and plate yield forces, kN
    as2327::TCompressedParts compressed;  // moments of the wholly compressed parts, kNmm
  };
  TMomentCapacity MomentCapacity() const;
  // Capacity with the web ignored at full connection of the rest; sets psi.
  double Mbfc() const;
  // Capacity of the steel flanges and plate alone, kNm.
  double Msf() const;
  void CalcServiceabilityProperties(double Ec);
  // Shrinkage moment, kNm; 0 without a concrete.
  double Msh() const;
  // The same for the concrete's modulus Ec, MPa.
  double MshFor(double Ec) const;
  double lambdasd() const;
  double Dslab() const;
  // Slab contribution to vertical shear, kN (by the edition's rule; the 2003
  // edition has none); the span does not affect it.
  double Vslab() const;

  TRV_PROPERTIES(TCompositeSectionAtPCC, TCompositeSection,
                 Public("Ac_1", &TCompositeSectionAtPCC::Ac_1),
                 Public("Ac_2", &TCompositeSectionAtPCC::Ac_2),
                 Public("Fcc", &TCompositeSectionAtPCC::Fcc),
                 Public("Fc_1", &TCompositeSectionAtPCC::Fc_1),
                 Public("Fc_2", &TCompositeSectionAtPCC::Fc_2),
                 Public("dsr", &TCompositeSectionAtPCC::dsr),
                 Public("psi", &TCompositeSectionAtPCC::psi),
                 Public("la_l", &TCompositeSectionAtPCC::la_l),
                 Public("la_r", &TCompositeSectionAtPCC::la_r),
                 Public("bcf", &TCompositeSectionAtPCC::bcf),
                 Public("Zt", &TCompositeSectionAtPCC::Zt),
                 Public("Zb", &TCompositeSectionAtPCC::Zb),
                 Public("kDbi", &TCompositeSectionAtPCC::kDbi),
                 Public("kDbl", &TCompositeSectionAtPCC::kDbl),
                 Public("Iti", &TCompositeSectionAtPCC::Iti),
                 Public("Itl", &TCompositeSectionAtPCC::Itl),
                 Public("bcf_2", &TCompositeSectionAtPCC::bcf_2),
                 Public("bcf_1", &TCompositeSectionAtPCC::bcf_1),
                 PublicGetter("Mbfc", &TCompositeSectionAtPCC::Mbfc),
                 PublicGetter("Msf", &TCompositeSectionAtPCC::Msf),
                 PublicGetter("Msh", &TCompositeSectionAtPCC::Msh),
                 PublicGetter("lambdasd", &TCompositeSectionAtPCC::lambdasd),
                 PublicGetter("Dslab", &TCompositeSectionAtPCC::Dslab))

 private:
  // Mbfc, with the degree of shear connection Psi at which it is reached.
  double CalcMbfc(double& Psi) const;
  // Effective width of one side (1 or 2).
  double CalcSidebeff(int Side, bool IsEdge, double bsf1, double Lef, double Position) const;
  // Neutral axis depth d and second moment I of the cracked transformed section.
  void CalcTransformedSection(double CreepFactor, double Ec, double& d, double& I) const;
  void CalcSectionModuli();
  const TSteelSection& Steel() const;

  const TStandard* standard_ = nullptr;  // set by CalcDesignCapacities
};
