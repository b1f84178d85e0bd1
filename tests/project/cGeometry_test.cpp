#include "project/cGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "entity/cEntityList.h"

namespace {

// A valid floor: a 9 m internal primary beam with 8 m secondary beams at 3 m
// on both sides, 120 mm slab.
void SetTypicalFloor(TGeometry& g) {
  g.Span = 9000;
  g.HasPrimaryBeam = true;
  g.IsSide2SameAsSide1 = true;
  g.PrimaryEffectiveSpacing = 8000;
  g.SpacingSide1 = g.SpacingSide2 = 8000;
  g.SecondarySpacingSide1 = g.SecondarySpacingSide2 = 3000;
  g.SecondaryStartSide1 = g.SecondaryStartSide2 = 1500;
  g.Ds = 120;
}

std::vector<std::string> Messages(const TGeometry& g) {
  std::vector<std::string> out;
  for (const auto& line : g.Status.ErrorList()) out.push_back(line.Text);
  return out;
}

}  // namespace

TEST(Geometry, StartsEmptyWithFieldsInFileOrder) {
  TGeometry g;
  EXPECT_EQ(g.SectionName, "Geometry");
  EXPECT_EQ(g.Span, 0);
  EXPECT_FALSE(g.HasPrimaryBeam);
  EXPECT_FALSE(g.IsChanged);
  const std::vector<std::string> expected = {"Span",
                                             "IsEdgeBeam",
                                             "Outstand",
                                             "HasPrimaryBeam",
                                             "IsSide2SameAsSide1",
                                             "PrimaryEffectiveSpacing",
                                             "ThetaSide1",
                                             "ThetaSide2",
                                             "SpacingSide1",
                                             "SpacingSide2",
                                             "SecondaryStartSide1",
                                             "SecondaryStartSide2",
                                             "SecondarySpacingSide1",
                                             "SecondarySpacingSide2",
                                             "Ds",
                                             "IsPropped",
                                             "PondingAllowance",
                                             "WillAutocalcBeamLoading",
                                             "WillAutocalcSecondaryStartLocations",
                                             "FloorUseIndex",
                                             "NominalLiveLoad",
                                             "IsLiveLoadReducible",
                                             "IsTemporaryLiveLoadReducible",
                                             "DeadLoad",
                                             "FacadeLoad"};
  EXPECT_EQ(TEntityList::Of<TGeometry>().FieldNames(), expected);
}

TEST(Geometry, SideQueries) {
  TGeometry g;
  g.Span = 9000;
  g.SpacingSide1 = 7000, g.SpacingSide2 = 8000;
  g.SecondarySpacingSide1 = 2500, g.SecondarySpacingSide2 = 3000;
  g.SecondaryStartSide1 = 500, g.SecondaryStartSide2 = 1000;
  g.ThetaSide1 = 10, g.ThetaSide2 = 20;
  EXPECT_EQ(g.GetSpacing(1), 7000);
  EXPECT_EQ(g.GetSpacing(2), 8000);
  EXPECT_EQ(g.GetSpacing(0), 9000);
  EXPECT_EQ(g.GetSecondarySpacing(1), 2500);
  EXPECT_EQ(g.GetSecondarySpacing(2), 3000);
  EXPECT_EQ(g.GetSecondarySpacing(3), 9000);
  EXPECT_EQ(g.GetSecondaryStart(1), 500);
  EXPECT_EQ(g.GetSecondaryStart(2), 1000);
  EXPECT_EQ(g.GetSecondaryStart(0), 0);
  EXPECT_EQ(g.GetTheta(2), 20);
  EXPECT_EQ(g.GetTheta(1), 10);
  EXPECT_EQ(g.GetTheta(0), 10);
}

TEST(Geometry, SecondaryBeamCountAndPositions) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    double span, start, spacing;
    bool centre;
    std::vector<double> positions;
  } cases[] = {
      {9000, 0, 3000, false, {0, 3000, 6000, 9000}},  // with no start distance a beam may sit at end 2
      {9000, 1500, 3000, false, {1500, 4500, 7500}},
      // Estimate 3; the last at 6500 is within 9000 - min(500, 100) = 8900.
      {9000, 500, 3000, false, {500, 3500, 6500}},
      // Estimate 4 (9000 / 3000 + 1); 9150 > 9000 - 100 drops the fourth.
      {9200, 150, 3000, false, {150, 3150, 6150}},
      {9000, 1500, 3000, true, {1500, 4500, 7500}},      // centred: (9000 - 2 x 3000) / 2
      {9000, 0, 3000, true, {0, 3000, 6000, 9000}},      // the count still follows the given start
      {10000, 1500, 3000, true, {2000, 5000, 8000}},     // 3 beams centred on 10 m
      {9000, -100, 3000, false, {0, 3000, 6000, 9000}},  // a negative start centres the beams
      {9000, 0, 50, false, {0}},                         // spacing below 100: one beam
      {9000, 8950, 3000, false, {8950}},                 // a first beam near end 2 still counts
      // Degenerate input stays within 1..20 beams.
      {9000, 20000, 3000, false, {20000}},
      {9000, 0, -3000, false, {0}},
      {nan, 0, 3000, false, {0}},
  };
  for (const auto& c : cases) {
    TGeometry g;
    g.Span = c.span;
    g.SecondaryStartSide2 = c.start;
    g.SecondarySpacingSide2 = c.spacing;
    g.WillAutocalcSecondaryStartLocations = c.centre;
    SCOPED_TRACE(testing::Message() << "span " << c.span << " start " << c.start << " spacing " << c.spacing);
    ASSERT_EQ(g.GetSecondaryBeamCount(2), static_cast<int>(c.positions.size()));
    for (size_t i = 0; i < c.positions.size(); ++i) {
      EXPECT_DOUBLE_EQ(g.GetSecondaryBeamLocation(2, static_cast<int>(i)), c.positions[i]) << i;
    }
  }
}

TEST(Geometry, SecondaryBeamCountIsCappedAtTwenty) {
  const struct {
    double span, start, spacing;
  } cases[] = {
      {30000, 0, 1000},      // 30 spaces
      {20000, -5000, 1000},  // a negative start would give 26
      {9000, -1e300, 1000},
      {std::numeric_limits<double>::infinity(), 0, 3000},
  };
  for (const auto& c : cases) {
    TGeometry g;
    g.Span = c.span;
    g.SecondaryStartSide1 = c.start;
    g.SecondarySpacingSide1 = c.spacing;
    EXPECT_EQ(g.GetSecondaryBeamCount(1), 20) << c.span << " " << c.start << " " << c.spacing;
  }
}

TEST(Geometry, MaxSlabWidth) {
  TGeometry g;
  g.HasPrimaryBeam = true;
  g.Outstand = 150;
  g.SpacingSide1 = 7000;
  g.SpacingSide2 = 8000;
  g.SecondarySpacingSide1 = 2500;
  g.SecondarySpacingSide2 = 3000;
  EXPECT_EQ(g.GetMaxSlabWidth(0, 2), 4000);  // internal primary beam: half the spacing
  EXPECT_EQ(g.GetMaxSlabWidth(0, 1), 3500);
  EXPECT_EQ(g.GetMaxSlabWidth(1, 2), 1250);  // secondary beams: half their spacing on both sides
  EXPECT_EQ(g.GetMaxSlabWidth(2, 1), 1500);
  g.IsEdgeBeam = true;
  EXPECT_EQ(g.GetMaxSlabWidth(0, 2), 150);  // the outer side of the edge primary beam
  EXPECT_EQ(g.GetMaxSlabWidth(0, 1), 3500);
  EXPECT_EQ(g.GetMaxSlabWidth(1, 2),
            1250);           // with a primary beam, secondary beams are never edge beams
  g.HasPrimaryBeam = false;  // secondary beam 1 is now the edge beam
  EXPECT_EQ(g.GetMaxSlabWidth(1, 2), 150);
  EXPECT_EQ(g.GetMaxSlabWidth(1, 1), 1250);
  EXPECT_EQ(g.GetMaxSlabWidth(2, 2), 1500);
}

TEST(Geometry, TemporaryLiveLoad) {
  TGeometry g;
  g.IsTemporaryLiveLoadReducible = true;
  // 1 + (23 - A) x 0.4 / 23 between 23 and 46 m2: at 30 m2, 1 - 2.8 / 23 = 0.87826.
  const struct {
    double area, load;
  } cases[] = {{10, 1.0}, {23, 1.0}, {30, 1 - 2.8 / 23}, {34.5, 0.8}, {46, 0.6}, {60, 0.6}};
  for (const auto& c : cases) EXPECT_NEAR(g.GetTemporaryLiveLoad(c.area), c.load, 1e-12) << c.area;
  EXPECT_NEAR(g.GetTemporaryLiveLoad(30), 0.878, 0.0005);
  g.IsTemporaryLiveLoadReducible = false;
  EXPECT_EQ(g.GetTemporaryLiveLoad(30), 1.0);
  EXPECT_EQ(g.GetTemporaryLiveLoad(60), 1.0);
}

TEST(Geometry, LiveReductionFactor) {
  TGeometry g;
  const struct {
    double area, loading;
    bool reducible;
    double psi;
  } cases[] = {
      {40, 3, true, 0.3 + 3 / std::sqrt(40.0)},  // 0.774
      {40, 5, true, 0.3 + 3 / std::sqrt(40.0)},  // 5 kPa is still reduced
      {40, 6, true, 1},                          // heavier loads are not
      {40, 3, false, 1},
      {10, 3, true, 1},     // small areas are not reduced
      {11, 3, true, 1},     // 0.3 + 3 / 3.317 = 1.20, capped at 1
      {100, 3, true, 0.6},  // 0.3 + 3 / 10
      {400, 3, true, 0.5},  // 0.3 + 3 / 20 = 0.45, not below 0.5
  };
  for (const auto& c : cases)
    EXPECT_NEAR(g.GetLiveReductionFactor(c.area, c.loading, c.reducible), c.psi, 1e-12) << c.area << " " << c.loading;
  EXPECT_NEAR(g.GetLiveReductionFactor(40, 3, true), 0.774, 0.0005);
}

TEST(Geometry, ValidFloorHasNoWarnings) {
  TGeometry g;
  SetTypicalFloor(g);
  EXPECT_TRUE(g.IsOK());
  EXPECT_TRUE(g.Status.IsOK());
  EXPECT_TRUE(g.Status.IsChecked);
  EXPECT_TRUE(Messages(g).empty());
}

TEST(Geometry, DeckAngleOutOfRangeWarnsButPasses) {
  TGeometry g;
  SetTypicalFloor(g);
  g.ThetaSide1 = 95;
  EXPECT_TRUE(g.IsOK());
  EXPECT_EQ(g.Status.ErrorLevel, elWarning);
  EXPECT_EQ(Messages(g), std::vector<std::string>{"Warning: Side 1 deck angle must be between 0 and 90"});
}

TEST(Geometry, WarningsInOrderWithPrimaryBeamAndDifferentSides) {
  TGeometry g;
  SetTypicalFloor(g);
  g.IsSide2SameAsSide1 = false;
  g.Span = 30000;  // also makes every spacing check use 30000 as its upper limit
  g.PrimaryEffectiveSpacing = 500;
  g.SpacingSide2 = 26000;
  g.SecondarySpacingSide1 = 400;  // only the first limit fills the template
  g.SecondaryStartSide2 = -10;
  g.ThetaSide2 = -1;
  g.Ds = 80;
  EXPECT_TRUE(g.IsOK());
  const std::vector<std::string> expected = {
      "Warning: Span is outside the typical range",
      "Warning: Primary beam effective spacing must be between 1000 and 25000 mm",
      "Warning: Secondary beam spacing (side 1) must be between 500 mm and primary beam span",
      "Warning: Secondary beam span (side 2) must be between 1000 and 25000 mm",
      "Warning: Distance to first secondary beam (side 2 spacing must be between within primary "
      "span",
      "Warning: Side 2 deck angle must be between 0 and 90",
      "Warning: Slab depth must be between 90 and 500 mm",
  };
  EXPECT_EQ(Messages(g), expected);
}

TEST(Geometry, WarningsWithIdenticalSides) {
  TGeometry g;
  SetTypicalFloor(g);
  g.SecondarySpacingSide1 = 10000;  // more than the span
  g.SecondaryStartSide1 = 9500;
  EXPECT_TRUE(g.IsOK());
  EXPECT_EQ(Messages(g), (std::vector<std::string>{
                             "Warning: Secondary beam spacing must be between 500 mm and primary beam span",
                             "Warning: Distance to first secondary beam spacing must be between within primary "
                             "span"}));

  // Without a primary beam the secondary span is checked twice.
  SetTypicalFloor(g);
  g.HasPrimaryBeam = false;
  g.SpacingSide1 = 800;
  g.SecondarySpacingSide1 = 400;
  EXPECT_TRUE(g.IsOK());
  EXPECT_EQ(Messages(g), (std::vector<std::string>{"Warning: Secondary beam span must be between 1000 and 25000 mm",
                                                   "Warning: Secondary beam span must be between 1000 and 25000 mm",
                                                   "Warning: Secondary beam spacing must be at least 500 mm"}));
}

TEST(Geometry, ExpectedEffectiveSpacingIsTheSecondarySpanOfTheBay) {
  TGeometry g;
  SetTypicalFloor(g);
  g.SpacingSide1 = 9000;
  g.SpacingSide2 = 7000;  // left from before the sides were made the same
  EXPECT_EQ(g.ExpectedPrimaryEffectiveSpacing(), 9000);  // side 2 is side 1
  g.IsSide2SameAsSide1 = false;
  EXPECT_EQ(g.ExpectedPrimaryEffectiveSpacing(), 8000);  // the mean of an internal beam's two bays
  g.IsEdgeBeam = true;
  EXPECT_EQ(g.ExpectedPrimaryEffectiveSpacing(), 9000);  // an edge beam has one bay
}

TEST(Geometry, EffectiveSpacingFollowsTheSecondarySpans) {
  // The primary beam's tributary width after the secondary spans change from
  // Before's to the geometry's: with different sides it always follows; with
  // the same sides only while it still was the span (to the 0.001 mm a
  // field shows), so that a width the user chose stays.
  const struct {
    const char* name;
    bool same_sides;
    bool edge;
    double effective;             // before the change
    double span1_before, span2_before;
    double span1, span2;          // after it
    double expected;
  } cases[] = {
      {"same sides: a 9 m bay made 10 m", true, false, 9000, 9000, 9000, 10000, 10000, 10000},
      {"same sides: a width of the user's stays", true, false, 8000, 9000, 9000, 10000, 10000, 8000},
      {"same sides: equal as a field shows it", true, false, 9000.0004, 9000, 9000, 10000, 10000, 10000},
      {"same sides: a stale side 2 plays no part", true, false, 9000, 9000, 6000, 10000, 6000, 10000},
      {"same sides, edge beam", true, true, 9000, 9000, 9000, 7500, 7500, 7500},
      {"different sides: the mean of the bays", false, false, 5000, 9000, 7000, 10000, 7000, 8500},
      {"different sides, edge beam: the side-1 bay", false, true, 5000, 9000, 7000, 10000, 7000, 10000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TGeometry before, after;
    SetTypicalFloor(before);
    before.IsSide2SameAsSide1 = c.same_sides;
    before.IsEdgeBeam = c.edge;
    before.PrimaryEffectiveSpacing = c.effective;
    before.SpacingSide1 = c.span1_before;
    before.SpacingSide2 = c.span2_before;
    after.Assign(&before);
    after.SpacingSide1 = c.span1;
    after.SpacingSide2 = c.span2;
    after.IsChanged = false;
    const bool changed = after.FollowSecondarySpans(before);
    EXPECT_DOUBLE_EQ(after.PrimaryEffectiveSpacing, c.expected);
    EXPECT_EQ(changed, c.expected != c.effective);
    EXPECT_EQ(after.IsChanged, changed);
  }
}

TEST(Geometry, AnEffectiveSpacingOtherThanTheSpanIsNoted) {
  // A tributary width may be intended, so it is a note, not a refusal: an
  // internal primary beam's effective spacing more than 1 % from the mean of
  // the secondary spans.
  const std::string note_9000_10000 =
      "Primary beam effective spacing (9000 mm) differs from the secondary beam span (10000 mm)";
  const struct {
    const char* name;
    std::function<void(TGeometry&)> change;
    std::string note;
  } cases[] = {
      {"the sample's 9 m bay made 10 m",
       [](TGeometry& g) { g.SpacingSide1 = g.SpacingSide2 = 10000; }, note_9000_10000},
      {"exactly 1 % is no note", [](TGeometry& g) { g.PrimaryEffectiveSpacing = 9900; g.SpacingSide1 = 10000; }, ""},
      {"just over 1 % is",
       [](TGeometry& g) {
         g.PrimaryEffectiveSpacing = 9899;
         g.SpacingSide1 = 10000;
       },
       "Primary beam effective spacing (9899 mm) differs from the secondary beam span (10000 mm)"},
      {"wider than the bay", [](TGeometry& g) { g.PrimaryEffectiveSpacing = 12000; },
       "Primary beam effective spacing (12000 mm) differs from the secondary beam span (9000 mm)"},
      {"the mean of two different bays",
       [](TGeometry& g) {
         g.IsSide2SameAsSide1 = false;
         g.SpacingSide1 = 10000;
         g.SpacingSide2 = 8000;
       },
       ""},
      {"one of two different bays",
       [](TGeometry& g) {
         g.IsSide2SameAsSide1 = false;
         g.PrimaryEffectiveSpacing = 10000;
         g.SpacingSide1 = 10000;
         g.SpacingSide2 = 8000;
       },
       "Primary beam effective spacing (10000 mm) differs from the secondary beam span (9000 mm)"},
      {"an edge beam is not noted",
       [](TGeometry& g) {
         g.IsEdgeBeam = true;
         g.PrimaryEffectiveSpacing = 5000;
       },
       ""},
      {"nor a floor without primary beam",
       [](TGeometry& g) {
         g.HasPrimaryBeam = false;
         g.PrimaryEffectiveSpacing = 0;
       },
       ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TGeometry g;
    SetTypicalFloor(g);
    g.PrimaryEffectiveSpacing = 9000;
    g.SpacingSide1 = g.SpacingSide2 = 9000;
    c.change(g);
    EXPECT_EQ(g.EffectiveSpacingNote(), c.note);
    // A note is no warning: the geometry's own checks are unmoved by it.
    g.IsOK();
    for (const auto& line : g.Status.ErrorList()) EXPECT_EQ(line.Text.find("differs"), std::string::npos);
  }
}
