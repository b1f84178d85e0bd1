// The floor sketch drawn from a plan: the plan turned a quarter turn for a
// page, and every line and text of the drawing inside it.
#include "report/cFloorDrawing.h"

#include <gtest/gtest.h>

namespace {

// The sample's floor: a 9 m primary beam, 9 m secondary beams at 3 m on both sides.
TFloorPlan SampleLikePlan() {
  TFloorPlan p;
  p.Caption = "Internal primary beam";
  p.PrimaryBeams.push_back({0, 0, 9000, 0});
  for (double x : {3000.0, 6000.0}) {
    p.SecondaryBeams[1].push_back({x, 0, x, -9000});
    p.SecondaryBeams[2].push_back({x, 0, x, 9000});
  }
  p.SupportLines.push_back({0, -9000, 9000, -9000});
  p.SupportLines.push_back({0, 9000, 9000, 9000});
  p.Dimensions.push_back({{0, 0}, {9000, 0}, "9000", false});
  p.Dimensions.push_back({{9000, 0}, {9000, -9000}, "9000", true});
  for (const auto* lines : {&p.PrimaryBeams, &p.SecondaryBeams[1], &p.SecondaryBeams[2], &p.SupportLines})
    for (const TPlanLine& l : *lines) p.Include(l);
  return p;
}

}  // namespace

TEST(FloorDrawing, AQuarterTurnKeepsTheLengthsAndSwapsTheSides) {
  const TFloorPlan plan = SampleLikePlan();
  EXPECT_DOUBLE_EQ(plan.Right - plan.Left, 9000);
  EXPECT_DOUBLE_EQ(plan.Bottom - plan.Top, 18000);
  const TFloorPlan turned = QuarterTurn(plan);
  // Taller than wide becomes wider than tall: the page's width holds it.
  EXPECT_DOUBLE_EQ(turned.Right - turned.Left, 18000);
  EXPECT_DOUBLE_EQ(turned.Bottom - turned.Top, 9000);
  ASSERT_EQ(turned.SecondaryBeams[1].size(), 2u);
  EXPECT_DOUBLE_EQ(turned.SecondaryBeams[1][0].length(), 9000);
  EXPECT_DOUBLE_EQ(turned.PrimaryBeams[0].length(), 9000);
  // Side 1 lies left of the primary beam, side 2 right of it.
  EXPECT_LT(turned.SecondaryBeams[1][0].x2(), 0);
  EXPECT_GT(turned.SecondaryBeams[2][0].x2(), 0);
  ASSERT_EQ(turned.Dimensions.size(), 2u);
  EXPECT_TRUE(turned.Dimensions[0].IsVertical);
  EXPECT_FALSE(turned.Dimensions[1].IsVertical);
  EXPECT_EQ(turned.Caption, plan.Caption);
}

TEST(FloorDrawing, EverythingStaysInsideTheDrawing) {
  for (const TFloorPlan& plan : {SampleLikePlan(), QuarterTurn(SampleLikePlan())}) {
    TFloorSketchStyle style;
    style.Width = 600;
    style.Height = 400;
    const TChartDrawing d = DrawFloorPlan(plan, style);
    EXPECT_EQ(d.Width, 600);
    EXPECT_EQ(d.Height, 400);
    // The beams (4 secondary, 1 primary), 2 supports and 2 dimensions of 3 lines each.
    EXPECT_EQ(d.Lines.size(), 4u + 1u + 2u + 6u);
    for (const TChartLine& l : d.Lines)
      for (const TChartPoint& p : {l.From, l.To}) {
        EXPECT_GE(p.X, 0);
        EXPECT_LE(p.X, 600);
        EXPECT_GE(p.Y, 0);
        EXPECT_LE(p.Y, 400);
      }
    // The caption and the two dimensions' figures.
    ASSERT_EQ(d.Texts.size(), 3u);
    EXPECT_EQ(d.Texts[0].Text, "Internal primary beam");
    EXPECT_EQ(d.Texts[1].Text, "9000");
  }
  // An empty plan draws its caption alone.
  TFloorPlan empty;
  empty.Caption = "Nothing";
  const TChartDrawing d = DrawFloorPlan(empty, TFloorSketchStyle());
  EXPECT_TRUE(d.Lines.empty());
  EXPECT_EQ(d.Texts.size(), 1u);
}
