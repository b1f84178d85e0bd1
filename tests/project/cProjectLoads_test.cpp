// The beams' geometry and automatic loads from the floor. Every expected
// value below is worked out by hand; the common quantities are:
//
//   Slab: Ds 130 mm, ponding 10 mm, deck 12 kg/m2 with hr 55 mm and void ratio 0.1.
//   SlabWeight(rho) = rho/100 x 0.130 + rho/100 x 0.010 + 0.08 x (1 - rho/7850) - rho/100 x 0.1 x 0.055 (kPa)
//     rho 2400: 3.12 + 0.24 + 0.0555414 - 0.132   = 3.2835414
//     rho 2450: 3.185 + 0.245 + 0.0550318 - 0.13475 = 3.3502818
//     rho 50:   0.065 + 0.005 + 0.0794904 - 0.00275 = 0.1467404
//   deckW = 12 x 10 / 1000 = 0.12 kPa
//   Superimposed dead load 1.5 kPa, live load 3 kPa reducible, facade 5 kN/m.
//   Sections: primary 530UB82.0 (0.82 kN/m), side 1 310UB40.4 (0.404 kN/m), side 2 250UB25.7 (0.257 kN/m).
#include <gtest/gtest.h>

#include "project/cProject.h"

namespace {

constexpr double kTol = 1e-5;  // the hand values above carry 7 decimals

// A 9 m primary beam carrying 8 m secondary beams at 3 m centres from 1.5 m
// (positions 1500, 4500, 7500), both sides alike, not propped.
void MakeFloor(TProject& p, double wet_density = 2450) {
  p.Clear();
  TGeometry& g = p.Geometry;
  g.Span = 9000;
  g.PrimaryEffectiveSpacing = 8000;
  g.SpacingSide1 = g.SpacingSide2 = 8000;
  g.SecondarySpacingSide1 = g.SecondarySpacingSide2 = 3000;
  g.SecondaryStartSide1 = g.SecondaryStartSide2 = 1500;
  g.Ds = 130;
  g.DeadLoad = 1.5;
  g.NominalLiveLoad = 3;
  g.IsLiveLoadReducible = true;
  g.FacadeLoad = 5;
  g.Outstand = 200;
  p.ConcreteFloor.WetDensity = wet_density;
  p.SteelDeck.Mass = 12;
  p.SteelDeck.hr = 55;
  p.SteelDeck.VoidRatio = 0.1;
  p.GetBeam(0)->SteelSection(0)->Name = "530UB82.0";
  p.GetBeam(1)->SteelSection(0)->Name = "310UB40.4";
  p.GetBeam(2)->SteelSection(0)->Name = "250UB25.7";
}

// Side 2 differs: 6 m secondary beams at 3.5 m from 2.5 m (positions 2500, 6000).
void MakeTwoSidedFloor(TProject& p) {
  MakeFloor(p);
  p.Geometry.IsSide2SameAsSide1 = false;
  p.Geometry.SpacingSide2 = 6000;
  p.Geometry.SecondarySpacingSide2 = 3500;
  p.Geometry.SecondaryStartSide2 = 2500;
}

struct Row {
  int stage;
  double value;
  bool live;
  std::string description;
  double position = 0;  // point loads only, mm
};

const char* const kSelf = "(Auto) Steel beam self-weight";
const char* const kSecondarySelf = "(Auto) Secondary beam self-weight applied to PB";
const char* const kSlab = "(Auto) Floor slab, including allowance for ponding, reo, and steel deck";
const char* const kWet = "(Auto) Floor slab, allow for difference between wet and dry concrete density";
const char* const kSlabViaSB = "(Auto) Floor slab weight applied via SB";
const char* const kTemporary = "(Auto) Temporary 1kPa live load";
const char* const kTemporaryViaSB = "(Auto) Temporary live load applied via SB";
const char* const kSDL = "(Auto) Superimposed dead load";
const char* const kSDLViaSB = "(Auto) Superimposed dead load applied via SB";
const char* const kFacade = "(Auto) Facade (dead) load";
const char* const kLive = "(Auto) Superimposed live load";
const char* const kLiveViaSB = "(Auto) Superimposed live load applied via SB";

void ExpectDistributed(const TBeam& beam, const std::vector<Row>& rows) {
  ASSERT_EQ(beam.DistributedLoadList.Count(), static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(rows[i].description);
    const auto& load = *beam.DistributedLoadList.ItemAs<TDistributedLoad>(static_cast<int>(i));
    EXPECT_TRUE(load.IsAutoCalced);
    EXPECT_EQ(load.ConStage, rows[i].stage);
    EXPECT_NEAR(load.StartValue, rows[i].value, kTol);
    EXPECT_NEAR(load.FinishValue, rows[i].value, kTol);
    EXPECT_EQ(load.IsLiveLoad, rows[i].live);
    EXPECT_EQ(load.Description, rows[i].description);
    // Uniform over the whole span.
    EXPECT_EQ(load.StartPosition, 0);
    EXPECT_TRUE(load.IsFinishPositionAtEnd);
  }
}

void ExpectPoints(const TBeam& beam, const std::vector<Row>& rows) {
  ASSERT_EQ(beam.PointLoadList.Count(), static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(testing::Message() << i << " " << rows[i].description);
    const auto& load = *beam.PointLoadList.ItemAs<TPointLoad>(static_cast<int>(i));
    EXPECT_TRUE(load.IsAutoCalced);
    EXPECT_EQ(load.ConStage, rows[i].stage);
    EXPECT_NEAR(load.Value, rows[i].value, kTol);
    EXPECT_EQ(load.IsLiveLoad, rows[i].live);
    EXPECT_EQ(load.Description, rows[i].description);
    EXPECT_FALSE(load.IsPositionProportional);
    EXPECT_NEAR(load.Position, rows[i].position, kTol);
  }
}

// One row per position and side, in that order.
std::vector<Row> PerPosition(int stage, bool live, const std::string& description,
                             const std::vector<std::pair<double, double>>& value_by_position) {
  std::vector<Row> rows;
  for (const auto& [x, v] : value_by_position) rows.push_back({stage, v, live, description, x});
  return rows;
}

void Append(std::vector<Row>& rows, const std::vector<Row>& more) { rows.insert(rows.end(), more.begin(), more.end()); }

}  // namespace

// ---------------------------------------------------------------------------
// Geometry.

TEST(ProjectLoads, UpdateBeamGeometryCopiesTheFloorIntoTheBeams) {
  TProject p;
  MakeTwoSidedFloor(p);
  p.Geometry.ThetaSide1 = 20;
  p.Geometry.ThetaSide2 = 70;
  p.DesignCompositeStage = 6;
  p.UpdateBeamGeometry();
  struct Expected {
    double span, theta1, theta2, width1, width2;
  };
  // Secondary beams see 90 degrees less the deck angle of their side; their
  // nominal widths are half their own spacing, the primary's half each side's span.
  const Expected expected[] = {{9000, 20, 70, 4000, 3000}, {8000, 70, 70, 1500, 1500}, {6000, 20, 20, 1750, 1750}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    const TImportedBeam& b = *p.GetBeam(i);
    EXPECT_EQ(b.Span, expected[i].span);
    EXPECT_EQ(b.ThetaSide1, expected[i].theta1);
    EXPECT_EQ(b.ThetaSide2, expected[i].theta2);
    EXPECT_EQ(b.NominalWidthSide1, expected[i].width1);
    EXPECT_EQ(b.NominalWidthSide2, expected[i].width2);
    EXPECT_EQ(b.Ds, 130);
    EXPECT_EQ(b.DesignCompositeStage, 6);
    EXPECT_FALSE(b.IsEdgeBeam);
  }
}

TEST(ProjectLoads, EdgeFlagGoesToThePrimaryBeamOrElseToSecondaryOne) {
  TProject p;
  MakeFloor(p);
  p.Geometry.IsEdgeBeam = true;
  p.GetBeam(2)->Ds = 1;  // beam 2 does not exist and is left alone
  p.UpdateBeamGeometry();
  EXPECT_TRUE(p.GetBeam(0)->IsEdgeBeam);
  EXPECT_EQ(p.GetBeam(0)->NominalWidthSide2, 200);  // the outstand
  EXPECT_FALSE(p.GetBeam(1)->IsEdgeBeam);
  EXPECT_EQ(p.GetBeam(2)->Ds, 1);

  p.Geometry.HasPrimaryBeam = false;
  p.UpdateBeamGeometry();
  EXPECT_FALSE(p.GetBeam(0)->IsEdgeBeam);
  EXPECT_TRUE(p.GetBeam(1)->IsEdgeBeam);
  EXPECT_EQ(p.GetBeam(1)->NominalWidthSide1, 1500);
  EXPECT_EQ(p.GetBeam(1)->NominalWidthSide2, 200);
  EXPECT_EQ(p.GetBeam(1)->Span, 8000);
}

// ---------------------------------------------------------------------------
// Secondary beams.

TEST(ProjectLoads, UnproppedSecondaryBeam) {
  TProject p;
  MakeFloor(p);
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  // q = 3000 mm; area = 3 x 8 = 24 m2.
  // Slab: (0.12 + 3.3502818) x 3 = 10.4108454; wet/dry: -0.1467404 x 3 = -0.4402212.
  // Temporary: 1 + (23 - 24) x 0.4 / 23 = 0.9826087 kPa x 3 = 2.9478261.
  // Live: psi = 0.3 + 3 / sqrt(24) = 0.9123724; x 3 kPa x 3 = 8.2113520.
  ExpectDistributed(*p.GetBeam(1), {{3, 0.404, false, kSelf},
                                    {3, 10.4108454, false, kSlab},
                                    {6, -0.4402213, false, kWet},
                                    {3, 2.9478261, true, kTemporary},
                                    {6, 4.5, false, kSDL},
                                    {7, 8.2113519, true, kLive}});
  EXPECT_EQ(p.GetBeam(1)->PointLoadList.Count(), 0);
}

TEST(ProjectLoads, ProppedSecondaryBeamCarriesTheDrySlabLater) {
  TProject p;
  MakeFloor(p);
  p.GetBeam(1)->IsPropped = true;
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  // Slab of dry density in stage 6: (0.12 + 3.2835414) x 3 = 10.2106242; no
  // wet/dry correction and no temporary load despite WetDensity 2450.
  ExpectDistributed(*p.GetBeam(1), {{3, 0.404, false, kSelf},
                                    {6, 10.2106242, false, kSlab},
                                    {6, 4.5, false, kSDL},
                                    {7, 8.2113519, true, kLive}});
}

TEST(ProjectLoads, EqualDensitiesNeedNoWetDryCorrection) {
  TProject p;
  MakeFloor(p, 2400);
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  // (0.12 + 3.2835414) x 3 = 10.2106242, in stage 3.
  ExpectDistributed(*p.GetBeam(1), {{3, 0.404, false, kSelf},
                                    {3, 10.2106242, false, kSlab},
                                    {3, 2.9478261, true, kTemporary},
                                    {6, 4.5, false, kSDL},
                                    {7, 8.2113519, true, kLive}});
}

TEST(ProjectLoads, SecondaryEdgeBeamWithoutPrimaryBeam) {
  TProject p;
  MakeFloor(p);
  p.Geometry.HasPrimaryBeam = false;
  p.Geometry.IsEdgeBeam = true;
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  // q = 3000 / 2 + 200 = 1700 mm; area = 1.7 x 8 = 13.6 m2 (< 23: full temporary load).
  // Live: 0.3 + 3 / sqrt(13.6) = 1.113 -> 1; 3 x 1.7 = 5.1.
  ExpectDistributed(*p.GetBeam(1), {{3, 0.404, false, kSelf},
                                    {3, 3.4702818 * 1.7, false, kSlab},
                                    {6, -0.1467404 * 1.7, false, kWet},
                                    {3, 1.7, true, kTemporary},
                                    {6, 2.55, false, kSDL},
                                    {6, 5, false, kFacade},
                                    {7, 5.1, true, kLive}});
  // The primary beam that is not there carries only its self-weight.
  ExpectDistributed(*p.GetBeam(0), {{3, 0.82, false, kSelf}});
  EXPECT_EQ(p.GetBeam(0)->PointLoadList.Count(), 0);
}

// ---------------------------------------------------------------------------
// Primary beams.

TEST(ProjectLoads, PrimaryBeamWithOneDesignedSide) {
  TProject p;
  MakeFloor(p);
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  const TBeam& pb = *p.GetBeam(0);
  // q = 8000 mm: one secondary beam stands for both sides. Line loads along a
  // secondary beam are p x 8 kN/m; each point load is 3 m of it.
  // A = 3 beams x 8 x 3 = 72 m2: temporary 0.6 kPa, psi = 0.3 + 3 / sqrt(72) = 0.6535534.
  ExpectDistributed(pb, {{3, 0.82, false, kSelf}});
  const double xs[] = {1500, 4500, 7500};
  std::vector<Row> rows;
  for (double x : xs) rows.push_back({3, 0.404 * 8, false, kSecondarySelf, x});  // 3.232
  for (double x : xs) {
    rows.push_back({3, 3 * 3.4702818 * 8, false, kSlabViaSB, x});  // 83.2867632
    rows.push_back({6, -3 * 0.1467404 * 8, false, kWet, x});      // -3.5217696
  }
  for (double x : xs) rows.push_back({3, 3 * 0.6 * 8, true, kTemporaryViaSB, x});       // 14.4
  for (double x : xs) rows.push_back({6, 3 * 1.5 * 8, false, kSDLViaSB, x});            // 36
  for (double x : xs) rows.push_back({7, 0.6535534 * 3 * 3 * 8, true, kLiveViaSB, x});  // 47.0558445
  ExpectPoints(pb, rows);
}

TEST(ProjectLoads, PrimaryBeamWithTwoDesignedSides) {
  TProject p;
  MakeTwoSidedFloor(p);
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  const TBeam& pb = *p.GetBeam(0);
  // Each side's secondary beam carries half its span: 4 m on side 1, 3 m on side 2.
  // A = 3 x 8 x 3 / 2 + 2 x 6 x 3.5 / 2 = 36 + 21 = 57 m2: temporary 0.6 kPa,
  // psi = 0.3 + 3 / sqrt(57) = 0.6973597.
  const std::vector<double> side1 = {1500, 4500, 7500}, side2 = {2500, 6000};
  auto both = [&](int stage, bool live, const std::string& d, double v1, double v2) {
    std::vector<std::pair<double, double>> values;
    for (double x : side1) values.push_back({x, v1});
    for (double x : side2) values.push_back({x, v2});
    return PerPosition(stage, live, d, values);
  };
  std::vector<Row> rows = both(3, false, kSecondarySelf, 8 * 0.404 / 2, 6 * 0.257 / 2);  // 1.616, 0.771
  for (double x : side1) {
    rows.push_back({3, 3 * 4 * 3.4702818, false, kSlabViaSB, x});  // 41.6433816
    rows.push_back({6, -3 * 4 * 0.1467404, false, kWet, x});      // -1.7608848
  }
  for (double x : side2) {
    rows.push_back({3, 3.5 * 3 * 3.4702818, false, kSlabViaSB, x});  // 36.4379589
    rows.push_back({6, -3.5 * 3 * 0.1467404, false, kWet, x});      // -1.5407742
  }
  Append(rows, both(3, true, kTemporaryViaSB, 3 * 4 * 0.6, 3.5 * 3 * 0.6));                        // 7.2, 6.3
  Append(rows, both(6, false, kSDLViaSB, 3 * 4 * 1.5, 3.5 * 3 * 1.5));                             // 18, 15.75
  Append(rows, both(7, true, kLiveViaSB, 0.6973597 * 3 * 4 * 3, 0.6973597 * 3.5 * 3 * 3));         // 25.10495, 21.96683
  ExpectPoints(pb, rows);
  ExpectDistributed(pb, {{3, 0.82, false, kSelf}});

  // Beam 2 has its own tributary width, q = 3500: area 3.5 x 6 = 21 m2.
  // Live: 0.3 + 3 / sqrt(21) = 0.9546537; x 3 x 3.5 = 10.0238637.
  ExpectDistributed(*p.GetBeam(2), {{3, 0.257, false, kSelf},
                                    {3, 3.4702818 * 3.5, false, kSlab},
                                    {6, -0.1467404 * 3.5, false, kWet},
                                    {3, 3.5, true, kTemporary},
                                    {6, 5.25, false, kSDL},
                                    {7, 10.0238637, true, kLive}});
}

TEST(ProjectLoads, FacadeLoadOnlyOnAnEdgeBeam) {
  TProject p;
  MakeFloor(p, 2400);
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  for (int i = 0; i < p.GetBeam(0)->DistributedLoadList.Count(); ++i)
    EXPECT_NE(p.GetBeam(0)->DistributedLoadList.Load(i)->Description, kFacade);

  p.Geometry.IsEdgeBeam = true;
  p.UpdateBeamGeometry();
  p.UpdateAutoLoads();
  ExpectDistributed(*p.GetBeam(0), {{3, 0.82, false, kSelf}, {6, 5, false, kFacade}});
  // The edge primary beam's tributary width is 8000 / 2 + 200 = 4200 mm:
  // superimposed dead load 3 m x 1.5 x 4.2 = 18.9 kN per secondary beam.
  const auto& points = p.GetBeam(0)->PointLoadList;
  int sdl = 0;
  for (int i = 0; i < points.Count(); ++i) {
    const auto& load = *points.ItemAs<TPointLoad>(i);
    if (load.Description != kSDLViaSB) continue;
    ++sdl;
    EXPECT_NEAR(load.Value, 18.9, kTol);
  }
  EXPECT_EQ(sdl, 3);
  // Secondary beams next to an edge primary beam are not edge beams.
  for (int i = 0; i < p.GetBeam(1)->DistributedLoadList.Count(); ++i)
    EXPECT_NE(p.GetBeam(1)->DistributedLoadList.Load(i)->Description, kFacade);
}

// ---------------------------------------------------------------------------
// Replacing automatic loads.

TEST(ProjectLoads, UpdatesReplaceOnlyTheAutomaticLoads) {
  TProject p;
  MakeFloor(p);
  p.UpdateBeamGeometry();
  TImportedBeam& sb = *p.GetBeam(1);
  auto manual = std::make_unique<TDistributedLoad>();
  manual->Description = "Plant";
  manual->StartValue = manual->FinishValue = 2;
  sb.DistributedLoadList.AddLoad(std::move(manual));
  auto point = std::make_unique<TPointLoad>();
  point->Description = "Hanger";
  point->Value = 7;
  sb.PointLoadList.AddLoad(std::move(point));

  p.UpdateAutoLoads();
  p.UpdateAutoLoads();  // a second update replaces, it does not add
  ASSERT_EQ(sb.DistributedLoadList.Count(), 7);
  EXPECT_EQ(sb.DistributedLoadList.AutoLoadCount(), 6);
  EXPECT_EQ(sb.DistributedLoadList.Load(0)->Description, kSelf);
  EXPECT_EQ(sb.DistributedLoadList.Load(6)->Description, "Plant");  // the user's loads follow
  ASSERT_EQ(sb.PointLoadList.Count(), 1);

  p.Geometry.WillAutocalcBeamLoading = false;
  p.UpdateAutoLoads();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(p.GetBeam(i)->DistributedLoadList.AutoLoadCount(), 0);
    EXPECT_EQ(p.GetBeam(i)->PointLoadList.AutoLoadCount(), 0);
  }
  ASSERT_EQ(sb.DistributedLoadList.Count(), 1);
  EXPECT_EQ(sb.DistributedLoadList.Load(0)->Description, "Plant");
  ASSERT_EQ(sb.PointLoadList.Count(), 1);
  EXPECT_EQ(sb.PointLoadList.Load(0)->Description, "Hanger");
  EXPECT_EQ(p.GetBeam(0)->PointLoadList.Count(), 0);
}
