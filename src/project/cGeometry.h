// TGeometry: the floor around the beams being designed: a primary beam with
// secondary beams on one or both sides (or secondary beams alone), spans and
// spacings, where the secondary beams sit along the primary beam, the deck
// angles, the slab depth and the floor loads. It holds input only; the beams'
// own spans, slab widths and loads are derived from it.
//
// Side 1 and side 2 are the two sides of the primary beam; "end 1" is the end
// of the primary beam from which secondary beam positions are measured.
// Units: lengths mm, angles degrees, floor loads kPa, facade load kN/m, areas m2.
#pragma once

#include "entity/cEntity.h"

// The typical ranges of a floor layout, mm: the geometry's own checks, and the
// limits of every span and spacing given elsewhere (design tables).
inline constexpr double kPrimarySpanMin = 1500, kPrimarySpanMax = 25000;      // primary beam span
inline constexpr double kSecondarySpanMin = 1000, kSecondarySpanMax = 25000;  // secondary beam span, primary spacing

class TGeometry : public TEntity {
 public:
  TGeometry();

  double Span = 0;                           // effective length of the primary beam
  bool IsEdgeBeam = false;                   // the primary beam (or, without one, secondary beam 1) is at a floor edge
  double Outstand = 0;                       // slab beyond an edge beam
  bool HasPrimaryBeam = false;               // primary and secondary beams, else secondary beams only
  bool IsSide2SameAsSide1 = false;           // side 2 mirrors side 1
  double PrimaryEffectiveSpacing = 0;        // tributary width of the primary beam
  double ThetaSide1 = 0;                     // deck angle against the primary beam, side 1
  double ThetaSide2 = 0;                     // deck angle against the primary beam, side 2
  double SpacingSide1 = 0;                   // secondary beam span (to the next primary beam), side 1
  double SpacingSide2 = 0;                   // secondary beam span, side 2
  double SecondaryStartSide1 = 0;            // end 1 to the first secondary beam, side 1
  double SecondaryStartSide2 = 0;            // end 1 to the first secondary beam, side 2
  double SecondarySpacingSide1 = 0;          // between secondary beams, side 1
  double SecondarySpacingSide2 = 0;          // between secondary beams, side 2
  double Ds = 0;                             // overall slab thickness
  bool IsPropped = false;                    // kept in files only; each beam has its own propping flag
  double PondingAllowance = 0;               // extra concrete thickness for ponding
  bool WillAutocalcBeamLoading = false;      // create the automatic loads
  bool WillAutocalcSecondaryStartLocations = false;  // centre the secondary beams on the span
  int FloorUseIndex = 0;                     // position of the chosen standard floor use
  double NominalLiveLoad = 0;                // kPa
  bool IsLiveLoadReducible = false;          // the live load may be reduced by tributary area
  bool IsTemporaryLiveLoadReducible = false; // the construction live load may be reduced by tributary area
  double DeadLoad = 0;                       // superimposed dead load, kPa
  double FacadeLoad = 0;                     // on an edge beam, kN/m

  // SpacingSide1 / SpacingSide2 for Side 1 / 2, Span for any other side.
  double GetSpacing(int Side) const;
  // SecondarySpacingSide1 / SecondarySpacingSide2 for Side 1 / 2, Span otherwise.
  double GetSecondarySpacing(int Side) const;
  // SecondaryStartSide1 / SecondaryStartSide2 for Side 1 / 2, 0 otherwise.
  double GetSecondaryStart(int Side) const;
  // ThetaSide2 for Side 2, ThetaSide1 otherwise.
  double GetTheta(int Side) const;
  // The largest slab width on side SlabSide (1 or 2) of beam BeamID (0 the
  // primary beam, 1 and 2 the secondary beams of those sides): the outstand
  // on the outer side of an edge beam, else half the spacing to the next beam.
  double GetMaxSlabWidth(int BeamID, int SlabSide) const;
  // Number of secondary beams along the primary beam on one side, 1..20.
  int GetSecondaryBeamCount(int Side) const;
  // Distance from end 1 of secondary beam Index (0-based) on one side.
  double GetSecondaryBeamLocation(int Side, int Index) const;
  // Construction live load (kPa) on a tributary area (m2): 1.0 up to 23 m2,
  // falling linearly to 0.6 at 46 m2 when reducible.
  double GetTemporaryLiveLoad(double TributaryArea) const;
  // Live load reduction factor for a tributary area (m2) and a live load
  // Loading (kPa): 0.3 + 3 / sqrt(A), within 0.5..1, for reducible loads up
  // to 5 kPa on more than 10 m2; otherwise 1.
  double GetLiveReductionFactor(double TributaryArea, double Loading, bool IsReducible) const;

  // The tributary width the secondary spans give the primary beam: the mean
  // of the two spans of an internal beam (side 2 is side 1 while the sides
  // are the same), the side-1 span of an edge beam.
  double ExpectedPrimaryEffectiveSpacing() const;
  // Keeps PrimaryEffectiveSpacing in step with secondary spans that have just
  // changed from those of Before. With different sides it is the expected
  // value; with the same sides it follows only when it equalled Before's
  // expected value (to the 0.001 mm a field shows), so that a tributary
  // width the user chose stays. Returns whether it changed.
  bool FollowSecondarySpans(const TGeometry& Before);
  // Whether an internal primary beam's effective spacing differs from the
  // mean of the secondary spans by more than 1 %: a tributary width that may
  // be intended, but that an engineer should see. The note, or "" when none.
  std::string EffectiveSpacingNote() const;

  // Records warnings for values outside their typical ranges and always
  // returns true; the project decides what the warnings mean.
  bool IsOK() override;

  TRV_PROPERTIES(TGeometry, TEntity,
                 Published("Span", &TGeometry::Span),
                 Published("IsEdgeBeam", &TGeometry::IsEdgeBeam),
                 Published("Outstand", &TGeometry::Outstand),
                 Published("HasPrimaryBeam", &TGeometry::HasPrimaryBeam),
                 Published("IsSide2SameAsSide1", &TGeometry::IsSide2SameAsSide1),
                 Published("PrimaryEffectiveSpacing", &TGeometry::PrimaryEffectiveSpacing),
                 Published("ThetaSide1", &TGeometry::ThetaSide1),
                 Published("ThetaSide2", &TGeometry::ThetaSide2),
                 Published("SpacingSide1", &TGeometry::SpacingSide1),
                 Published("SpacingSide2", &TGeometry::SpacingSide2),
                 Published("SecondaryStartSide1", &TGeometry::SecondaryStartSide1),
                 Published("SecondaryStartSide2", &TGeometry::SecondaryStartSide2),
                 Published("SecondarySpacingSide1", &TGeometry::SecondarySpacingSide1),
                 Published("SecondarySpacingSide2", &TGeometry::SecondarySpacingSide2),
                 Published("Ds", &TGeometry::Ds),
                 Published("IsPropped", &TGeometry::IsPropped),
                 Published("PondingAllowance", &TGeometry::PondingAllowance),
                 Published("WillAutocalcBeamLoading", &TGeometry::WillAutocalcBeamLoading),
                 Published("WillAutocalcSecondaryStartLocations", &TGeometry::WillAutocalcSecondaryStartLocations),
                 Published("FloorUseIndex", &TGeometry::FloorUseIndex),
                 Published("NominalLiveLoad", &TGeometry::NominalLiveLoad),
                 Published("IsLiveLoadReducible", &TGeometry::IsLiveLoadReducible),
                 Published("IsTemporaryLiveLoadReducible", &TGeometry::IsTemporaryLiveLoadReducible),
                 Published("DeadLoad", &TGeometry::DeadLoad),
                 Published("FacadeLoad", &TGeometry::FacadeLoad))
};
