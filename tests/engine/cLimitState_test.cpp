#include "engine/cLimitState.h"

#include <gtest/gtest.h>

#include "entity/cIniFiles.h"

TEST(LimitState, Defaults) {
  TLimitState ls;
  EXPECT_EQ(ls.SectionName, "LimitState");
  EXPECT_EQ(ls.StateType, stStrength);
  EXPECT_EQ(ls.LFdead, 1);
  EXPECT_EQ(ls.LFlive, 1);
  EXPECT_EQ(ls.LimitStateLabel, "");
}

TEST(LimitState, LabelSetsStateType) {
  const struct {
    const char* label;
    TStateType type;
  } cases[] = {
      {"Strength", stStrength},
      {"Short-term", stShort},
      {"long-TERM", stLong},
      {"Construc.Defl", stConstrucDefl},
      {"Construc.Stress", stConstrucStress},
      {"Shrinkage", stShrinkage},
      {"Long Short", stShort},  // masks are tried in a fixed order
      {"Strength stress", stStrength},
      {"Serviceability", stStrength},  // no mask matches
      {"", stStrength},
  };
  for (const auto& c : cases) {
    TLimitState ls;
    ls.SetLimitStateLabel("Short");  // start from a different type
    ls.SetLimitStateLabel(c.label);
    EXPECT_EQ(ls.StateType, c.type) << c.label;
    EXPECT_EQ(ls.LimitStateLabel, c.label);
  }
  // Through the property table as well.
  TLimitState ls;
  ls.SetNamedPropertyValue("LimitStateLabel", "Long-term");
  EXPECT_EQ(ls.StateType, stLong);
  EXPECT_TRUE(ls.IsChanged);
}

TEST(LimitState, DefaultListIsIndexedByStateType) {
  TEntityList list = TEntityList::Of<TLimitState>();
  AddDefaultLimitStates(list);
  ASSERT_EQ(list.Count(), 5);
  const struct {
    const char* label;
    double dead, live;
  } expected[] = {{"Strength", 1.2, 1.5},
                  {"Short-term", 1.0, 0.7},
                  {"Long-term", 1.0, 0.4},
                  {"Construc.Defl", 1.0, 0.0},
                  {"Construc.Stress", 1.0, 1.0}};
  for (int i = 0; i < 5; ++i) {
    auto* ls = list.ItemAs<TLimitState>(i);
    EXPECT_EQ(list.Key(i), expected[i].label);
    EXPECT_EQ(ls->LimitStateLabel, expected[i].label);
    EXPECT_EQ(static_cast<int>(ls->StateType), i);
    EXPECT_DOUBLE_EQ(ls->LFdead, expected[i].dead);
    EXPECT_DOUBLE_EQ(ls->LFlive, expected[i].live);
  }
}

TEST(LimitState, PersistenceRoundTrip) {
  TLimitState ls;
  ls.SetLimitStateLabel("Long-term");
  ls.LFdead = 1.1;
  ls.LFlive = 0.35;
  auto ini = TVEXIniFile::FromBytes("");
  ls.SaveToIniFile(ini, "Beam1", "2");
  EXPECT_EQ(
      ini.ReadSectionValues("Beam1LimitState"),
      (std::vector<std::string>{"LimitStateLabel2=Long-term", "LFdead2=1.1", "LFlive2=0.35"}));

  TLimitState back;
  back.LoadFromIniFile(ini, "Beam1", "2");
  EXPECT_EQ(back.LimitStateLabel, "Long-term");
  EXPECT_EQ(back.StateType, stLong);
  EXPECT_DOUBLE_EQ(back.LFdead, 1.1);
  EXPECT_DOUBLE_EQ(back.LFlive, 0.35);
  EXPECT_FALSE(back.IsChanged);
}
