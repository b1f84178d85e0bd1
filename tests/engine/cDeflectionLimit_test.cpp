#include "engine/cDeflectionLimit.h"

#include <gtest/gtest.h>

#include "entity/cIniFiles.h"

TEST(DeflectionLimit, DefaultsAndClear) {
  TDeflectionLimit d;
  EXPECT_EQ(d.SectionName, "DeflectionLimit");
  EXPECT_FALSE(d.IsChanged);
  auto check = [](const TDeflectionLimit& limit) {
    EXPECT_EQ(limit.Stage3DLRelLimit, 200);
    EXPECT_EQ(limit.Stage56DLRelLimit, 250);
    EXPECT_EQ(limit.Stage356DLRelLimit, 0);
    EXPECT_EQ(limit.IncrementalRelLimit, 300);
    EXPECT_EQ(limit.TotalRelLimit, 250);
    EXPECT_EQ(limit.Stage3DLAbsLimit, 55);
    EXPECT_EQ(limit.Stage56DLAbsLimit, 0);
    EXPECT_EQ(limit.Stage356DLAbsLimit, 0);
    EXPECT_EQ(limit.IncrementalAbsLimit, 0);
    EXPECT_EQ(limit.TotalAbsLimit, 0);
    EXPECT_DOUBLE_EQ(limit.ShrinkageRatioPriorInservice, 0.4);
    EXPECT_EQ(limit.MaximumCamber, 50);
  };
  check(d);
  d.Stage3DLRelLimit = 1;
  d.Stage356DLAbsLimit = 7;
  d.MaximumCamber = 3;
  d.Clear();
  check(d);
}

TEST(DeflectionLimit, CombinesRatioAndAbsoluteLimit) {
  // Span 12000 mm.
  const struct {
    double R, A, expected;
  } cases[] = {
      {200, 55, 55},  // 12000/200 = 60 > 55: the absolute limit governs
      {250, 55, 48},  // 12000/250 = 48 < 55
      {0, 30, 30},    // no ratio limit
      {300, 0, 40},   // 12000/300 = 40
      {0, 0, 0},      // no limit at all
      {-5, -1, 0},    // negatives mean no limit
      {-5, 20, 20},
  };
  for (const auto& c : cases) {
    TDeflectionLimit d;
    d.TotalRelLimit = c.R;
    d.TotalAbsLimit = c.A;
    EXPECT_DOUBLE_EQ(d.GetTotalLimit(12000), c.expected) << c.R << " " << c.A;
  }
}

TEST(DeflectionLimit, EachQueryUsesItsOwnPair) {
  TDeflectionLimit d;                                 // defaults; span 9000 mm
  EXPECT_DOUBLE_EQ(d.GetStage3DLLimit(9000), 45);     // min(55, 9000/200 = 45)
  EXPECT_DOUBLE_EQ(d.GetStage56DLLimit(9000), 36);    // 9000/250
  EXPECT_DOUBLE_EQ(d.GetStage356DLLimit(9000), 0);    // both 0
  EXPECT_DOUBLE_EQ(d.GetIncrementalLimit(9000), 30);  // 9000/300
  EXPECT_DOUBLE_EQ(d.GetTotalLimit(9000), 36);        // 9000/250
  d.Stage356DLAbsLimit = 25;
  d.IncrementalAbsLimit = 20;
  d.Stage56DLRelLimit = 0;
  d.Stage56DLAbsLimit = 0;
  EXPECT_DOUBLE_EQ(d.GetStage356DLLimit(9000), 25);
  EXPECT_DOUBLE_EQ(d.GetIncrementalLimit(9000), 20);  // min(20, 30)
  EXPECT_DOUBLE_EQ(d.GetStage56DLLimit(9000), 0);
}

TEST(DeflectionLimit, PersistenceRoundTrip) {
  TDeflectionLimit d;
  d.Stage3DLRelLimit = 180;
  d.Stage356DLRelLimit = 150;
  d.TotalAbsLimit = 40;
  d.ShrinkageRatioPriorInservice = 0.25;
  d.MaximumCamber = 35;
  auto ini = TVEXIniFile::FromBytes("");
  d.SaveToIniFile(ini, "", "");
  EXPECT_EQ(
      ini.ReadSection("DeflectionLimit"),
      (std::vector<std::string>{"Stage3DLRelLimit", "Stage56DLRelLimit", "Stage356DLRelLimit",
                                "IncrementalRelLimit", "TotalRelLimit", "Stage3DLAbsLimit",
                                "Stage56DLAbsLimit", "Stage356DLAbsLimit", "IncrementalAbsLimit",
                                "TotalAbsLimit", "ShrinkageRatioPriorInservice", "MaximumCamber"}));
  TDeflectionLimit back;
  back.Stage56DLRelLimit = 999;
  back.LoadFromIniFile(ini, "", "");
  for (const TProperty& p : d.Properties().Items())
    EXPECT_DOUBLE_EQ(back.NumericValue(p.Name), d.NumericValue(p.Name)) << p.Name;
  EXPECT_EQ(back.Stage56DLRelLimit, 250);
  EXPECT_FALSE(back.IsChanged);
}
