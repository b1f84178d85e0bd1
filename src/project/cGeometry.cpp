#include "project/cGeometry.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "entity/VEXUtility.h"

namespace {

// Typical ranges of the layout, mm.
constexpr double kSpanMin = kPrimarySpanMin, kSpanMax = kPrimarySpanMax;
constexpr double kSpacingMin = kSecondarySpanMin, kSpacingMax = kSecondarySpanMax;
constexpr double kSecondarySpacingMin = 500;               // between secondary beams
constexpr double kThetaMin = 0, kThetaMax = 90;            // deck angle, degrees
constexpr double kDsMin = 90, kDsMax = 500;                // slab depth

// Bounds on the number of secondary beams along one side of the primary beam.
constexpr int kMinSecondaryBeams = 1;
constexpr int kMaxSecondaryBeams = 20;
// A spacing below this (mm) means a single secondary beam.
constexpr double kMinCountedSpacing = 100;
// The most (mm) the last secondary beam is kept clear of end 2.
constexpr double kMaxEndClearance = 100;
// Two lengths a field shows alike (it shows three decimals).
constexpr double kFieldPrecision = 0.0005;
// How far the effective spacing may stray from the secondary spans unremarked.
constexpr double kEffectiveSpacingNoteRatio = 0.01;

}  // namespace

TGeometry::TGeometry() {
  SectionName = "Geometry";
  Clear();
  IsChanged = false;
}

double TGeometry::GetSpacing(int Side) const {
  if (Side == 1) return SpacingSide1;
  if (Side == 2) return SpacingSide2;
  return Span;
}

double TGeometry::GetSecondarySpacing(int Side) const {
  if (Side == 1) return SecondarySpacingSide1;
  if (Side == 2) return SecondarySpacingSide2;
  return Span;
}

double TGeometry::GetSecondaryStart(int Side) const {
  if (Side == 1) return SecondaryStartSide1;
  if (Side == 2) return SecondaryStartSide2;
  return 0;
}

double TGeometry::GetTheta(int Side) const {
  return Side == 2 ? ThetaSide2 : ThetaSide1;
}

double TGeometry::GetMaxSlabWidth(int BeamID, int SlabSide) const {
  // The edge beam is the primary beam when there is one, else secondary beam 1;
  // its side 2 is the outer side.
  const bool is_the_edge_beam = HasPrimaryBeam ? BeamID == 0 : BeamID == 1;
  if (IsEdgeBeam && SlabSide == 2 && is_the_edge_beam) return Outstand;
  if (BeamID != 0) return GetSecondarySpacing(BeamID) / 2;
  return GetSpacing(SlabSide) / 2;
}

int TGeometry::GetSecondaryBeamCount(int Side) const {
  const double s = GetSecondaryStart(Side);
  const double S = GetSecondarySpacing(Side);
  if (!(S >= kMinCountedSpacing)) return kMinSecondaryBeams;  // also a spacing that is not a number
  if (Span / S > kMaxSecondaryBeams) return kMaxSecondaryBeams;
  // First estimate: as many beams as fit from the start distance on. Bounded
  // before the conversion, so a start beyond the span, a negative start or a
  // value that is not a number cannot give a count outside 1..20.
  double estimate = std::trunc((Span - s) / S) + 1;
  if (!(estimate >= kMinSecondaryBeams)) estimate = kMinSecondaryBeams;
  estimate = std::min(estimate, static_cast<double>(kMaxSecondaryBeams));
  int n = static_cast<int>(estimate);
  // Keep the last beam the start distance clear of end 2, but demand no more
  // than 100 mm (with s = 0 a beam may sit at end 2). A first beam close to
  // end 2 still counts: it delivers its load to the primary beam.
  const double end_limit = Span - std::min(s, kMaxEndClearance);
  while (n > kMinSecondaryBeams && s + S * (n - 1) > end_limit) --n;
  return n;
}

double TGeometry::GetSecondaryBeamLocation(int Side, int Index) const {
  const double s = GetSecondaryStart(Side);
  const double S = GetSecondarySpacing(Side);
  // The count always follows from the given start, also when the beams are centred.
  const int n = GetSecondaryBeamCount(Side);
  const double first = (!WillAutocalcSecondaryStartLocations && s >= 0) ? s : (Span - S * (n - 1)) / 2;
  return first + S * Index;
}

double TGeometry::GetTemporaryLiveLoad(double TributaryArea) const {
  // 1.0 kPa on small areas, falling linearly from 23 m2 to 0.6 kPa at 46 m2.
  if (TributaryArea < 23 || !IsTemporaryLiveLoadReducible) return 1.0;
  if (TributaryArea > 46) return 0.6;
  return 1 + (23 - TributaryArea) * 0.4 / 23;
}

double TGeometry::GetLiveReductionFactor(double TributaryArea, double Loading, bool IsReducible) const {
  // Heavy loads (storage, plant) and small areas are never reduced.
  if (!IsReducible || Loading > 5 || TributaryArea <= 10) return 1;
  return std::clamp(0.3 + 3 / std::sqrt(TributaryArea), 0.5, 1.0);
}

double TGeometry::ExpectedPrimaryEffectiveSpacing() const {
  const double side2 = IsSide2SameAsSide1 ? SpacingSide1 : SpacingSide2;
  return IsEdgeBeam ? SpacingSide1 : (SpacingSide1 + side2) / 2;
}

bool TGeometry::FollowSecondarySpans(const TGeometry& Before) {
  const double expected = ExpectedPrimaryEffectiveSpacing();
  const bool follows = !IsSide2SameAsSide1 ||
                       std::fabs(PrimaryEffectiveSpacing - Before.ExpectedPrimaryEffectiveSpacing()) <= kFieldPrecision;
  if (!follows || std::fabs(PrimaryEffectiveSpacing - expected) <= kFieldPrecision) return false;
  SetTracked(PrimaryEffectiveSpacing, expected);
  return true;
}

std::string TGeometry::EffectiveSpacingNote() const {
  if (!HasPrimaryBeam || IsEdgeBeam) return "";
  const double expected = ExpectedPrimaryEffectiveSpacing();
  if (!(std::fabs(PrimaryEffectiveSpacing - expected) > kEffectiveSpacingNoteRatio * std::fabs(expected))) return "";
  return Format("Primary beam effective spacing (%.0f mm) differs from the secondary beam span (%.0f mm)",
                {PrimaryEffectiveSpacing, expected});
}

bool TGeometry::IsOK() {
  Status.Reset();
  const std::string secondary_span_msg = "Secondary beam span must be between %.0f and %.0f mm";
  if (HasPrimaryBeam) {
    Status.CheckRange(Span, kSpanMin, kSpanMax, elWarning, "Span is outside the typical range");
    Status.CheckRange(PrimaryEffectiveSpacing, kSpacingMin, kSpacingMax, elWarning,
                      "Primary beam effective spacing must be between %.0f and %.0f mm");
  } else {
    Status.CheckRange(GetSpacing(1), kSpacingMin, kSpacingMax, elWarning, secondary_span_msg);
  }

  if (IsSide2SameAsSide1) {
    Status.CheckRange(GetSpacing(1), kSpacingMin, kSpacingMax, elWarning, secondary_span_msg);
    if (HasPrimaryBeam) {
      Status.CheckRange(SecondarySpacingSide1, kSecondarySpacingMin, Span, elWarning,
                        "Secondary beam spacing must be between %.0f mm and primary beam span");
      Status.CheckRange(SecondaryStartSide1, 0.0, Span, elWarning,
                        "Distance to first secondary beam spacing must be between within primary span");
    } else {
      Status.CheckMin(SecondarySpacingSide1, kSecondarySpacingMin, elWarning,
                      "Secondary beam spacing must be at least %.0f mm");
    }
  } else if (HasPrimaryBeam) {
    for (int n = 1; n <= 2; ++n) {
      const std::string side = std::to_string(n);
      Status.CheckRange(GetSpacing(n), kSpacingMin, kSpacingMax, elWarning,
                        "Secondary beam span (side " + side + ") must be between %.0f and %.0f mm");
      Status.CheckRange(GetSecondarySpacing(n), kSecondarySpacingMin, Span, elWarning,
                        "Secondary beam spacing (side " + side + ") must be between %.0f mm and primary beam span");
      Status.CheckRange(
          GetSecondaryStart(n), 0.0, Span, elWarning,
          "Distance to first secondary beam (side " + side + " spacing must be between within primary span");
    }
  }

  Status.CheckRange(ThetaSide1, kThetaMin, kThetaMax, elWarning, "Side 1 deck angle must be between %.0f and %.0f");
  Status.CheckRange(ThetaSide2, kThetaMin, kThetaMax, elWarning, "Side 2 deck angle must be between %.0f and %.0f");
  Status.CheckRange(Ds, kDsMin, kDsMax, elWarning, "Slab depth must be between %.0f and %.0f mm");
  Status.IsChecked = true;
  return true;
}
