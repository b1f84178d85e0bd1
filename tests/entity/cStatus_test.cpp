#include "entity/cStatus.h"

#include <gtest/gtest.h>

TEST(Status, RealRangeAllowsTheFloatTolerance) {
  struct Case {
    double value;
    bool passes;
  } cases[] = {{99.9995, true}, {200.0009, true}, {99.998, false}, {200.002, false}, {150, true}};
  for (const auto& c : cases) {
    TStatus s;
    EXPECT_EQ(s.CheckRange(c.value, 100.0, 200.0, elWarning, "Span must be between %.0f and %.0f mm"), c.passes)
        << c.value;
    if (!c.passes) {
      EXPECT_EQ(s.ErrorMsg, "Span must be between 100 and 200 mm");
    }
  }
}

TEST(Status, IntegerChecksHaveNoTolerance) {
  TStatus s;
  EXPECT_FALSE(s.CheckMin(0, 1, elError, "At least %d"));
  EXPECT_TRUE(s.CheckMin(1, 1, elError, "At least %d"));
  EXPECT_EQ(s.ErrorList().back().Text, "Error: At least 1");
  EXPECT_FALSE(s.CheckRange(101, 10, 100, elError, "Must specify between %d and %d segments"));
  EXPECT_EQ(s.ErrorList().back().Text, "Error: Must specify between 10 and 100 segments");
}

TEST(Status, FirstMessageOfTheWorstLevelIsKept) {
  TStatus s;
  s.SetError(elWarning, "first");
  s.SetError(elWarning, "second");
  EXPECT_EQ(s.ErrorLevel, elWarning);
  EXPECT_EQ(s.ErrorMsg, "first");
  ASSERT_EQ(s.ErrorList().size(), 2u);
  EXPECT_EQ(s.ErrorList()[1].Text, "Warning: second");
  s.SetError(elError, "worse");
  EXPECT_EQ(s.ErrorLevel, elError);
  EXPECT_EQ(s.ErrorMsg, "worse");
  EXPECT_FALSE(s.IsOK());
}

TEST(Status, PrefixIsNotDoubledAndHintsHaveNone) {
  TStatus s;
  s.SetError(elWarning, "WARNING: shouted");
  s.SetError(elHint, "a hint");
  EXPECT_EQ(s.ErrorList()[0].Text, "WARNING: shouted");
  EXPECT_EQ(s.ErrorList()[1].Text, "a hint");
  EXPECT_FALSE(s.IsOK());
}

TEST(Status, BlankAndTrueChecks) {
  TStatus s;
  EXPECT_TRUE(s.CheckNotBlank("   ", elError, "blank"));
  EXPECT_FALSE(s.CheckNotBlank("", elError, "blank"));
  EXPECT_FALSE(s.CheckTrue(false, elWarning, "no %d placeholders filled"));
  EXPECT_EQ(s.ErrorList().back().Text, "Warning: no %d placeholders filled");
}

TEST(Status, ResetKeepsOKErrorLevel) {
  TStatus s;
  s.OKErrorLevel = elWarning;
  s.FloatTolerance = 5;
  s.SetError(elError, "x");
  s.Reset();
  EXPECT_EQ(s.OKErrorLevel, elWarning);
  EXPECT_DOUBLE_EQ(s.FloatTolerance, 0.001);
  EXPECT_TRUE(s.ErrorList().empty());
  s.SetError(elWarning, "tolerated");
  EXPECT_TRUE(s.IsOK());
}

TEST(Status, AppendErrorListCopiesPrefixedLinesOnce) {
  TStatus part, whole;
  part.SetError(elWarning, "w");
  part.SetError(elError, "e");
  whole.SetError(elHint, "h");
  whole.AppendErrorList(part);
  ASSERT_EQ(whole.ErrorList().size(), 3u);
  EXPECT_EQ(whole.ErrorList()[1].Text, "Warning: w");
  EXPECT_EQ(whole.ErrorList()[2].Text, "Error: e");
  EXPECT_EQ(whole.ErrorMsg, "Error: e");  // the copied line, prefix included
  whole.AppendErrorList(whole);           // appending to itself takes the count once
  EXPECT_EQ(whole.ErrorList().size(), 6u);
}
