#include "engine/cConstructionStage.h"

#include <gtest/gtest.h>

TEST(ConstructionStageSet, BitsStandForStages) {
  constexpr TConstructionStageSet s{3, 5};
  static_assert(s.Contains(3) && s.Contains(5) && !s.Contains(6));
  // bit n = stage n: 2^3 + 2^5 = 8 + 32 = 40
  EXPECT_EQ(s.Bits(), 40);
  EXPECT_EQ(TConstructionStageSet::Of(5, 3), s);
  EXPECT_EQ(TConstructionStageSet::Range(3, 7).Bits(), 0xF8);
  EXPECT_TRUE(TConstructionStageSet::Range(5, 3).Empty());
}

TEST(ConstructionStageSet, StagesOutsideRangeAreNeverMembers) {
  TConstructionStageSet s;
  for (int stage : {-1, 0, 2, 8, 100}) {
    s.Add(stage);
    EXPECT_FALSE(s.Contains(stage)) << stage;
  }
  EXPECT_TRUE(s.Empty());
  s.Add(7);
  s.Add(6);
  s.Remove(6);
  EXPECT_EQ(s, TConstructionStageSet{7});
}

TEST(ConstructionStage, LabelsAndInService) {
  EXPECT_EQ(TConstructionStage::InServiceStage(), 7);
  EXPECT_EQ(TConstructionStage::StageToLabel(7), "InService");
  EXPECT_EQ(TConstructionStage::StageToLabel(3), "3");
  EXPECT_EQ(TConstructionStage::StageToLabel(6), "6");

  TConstructionStage s5(5), s7(kInServiceStage);
  EXPECT_EQ(s5.SectionName, "ConstructionStage");
  EXPECT_EQ(s5.StageLabel(), "5");
  EXPECT_FALSE(s5.IsInServiceStage());
  EXPECT_TRUE(s7.IsInServiceStage());
  EXPECT_EQ(s7.TextValue("StageLabel"), "InService");
  EXPECT_EQ(s5.MaxTopStressRatio, 0);
  EXPECT_EQ(s5.MaxBottomStressRatio, 0);
}

TEST(ConstructionStage, NothingIsPublished) {
  TConstructionStage s(3);
  for (const TProperty& p : s.Properties().Items()) EXPECT_FALSE(p.IsPublished) << p.Name;
}
