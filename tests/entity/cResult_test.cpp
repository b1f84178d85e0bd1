#include "entity/cResult.h"

#include <gtest/gtest.h>

TEST(Result, SuccessFailureAndMessages) {
  const TResult quiet;
  EXPECT_TRUE(quiet.IsOK());
  EXPECT_TRUE(quiet.MessageLines().empty());
  const TResult done = TResult::Success("New library file created: x.tvl");
  EXPECT_TRUE(done);
  EXPECT_EQ(done.Message(), "New library file created: x.tvl");
  const TResult failed = TResult::Failure("Cannot open file [x]");
  EXPECT_FALSE(failed);
  EXPECT_EQ(failed.MessageLines(), std::vector<std::string>{"Cannot open file [x]"});
}

// Several problems found in one go (missing CSV files, say) make one failure
// with one line each; a success added to it neither hides nor repairs it.
TEST(Result, AddingCollectsEveryProblem) {
  TResult all;
  all.Add(TResult());
  EXPECT_TRUE(all.IsOK());
  all.Add(TResult::Failure("Library [a.csv] not available"));
  all.Add(TResult::Success(""));
  all.Add(TResult::Failure("Library [b.csv] not available"));
  EXPECT_FALSE(all.IsOK());
  EXPECT_EQ(all.Message(), "Library [a.csv] not available\nLibrary [b.csv] not available");
  EXPECT_EQ(all.MessageLines(),
            (std::vector<std::string>{"Library [a.csv] not available", "Library [b.csv] not available"}));
}

// A cancellation is neither a success nor a failure: a run the user called
// off says so, and what it did before stays reported beside it.
TEST(Result, CancelledIsItsOwnOutcome) {
  const TResult cancelled = TResult::Cancelled("Analysis cancelled");
  EXPECT_FALSE(cancelled);
  EXPECT_TRUE(cancelled.IsCancelled());
  EXPECT_FALSE(cancelled.IsFailed());
  EXPECT_EQ(cancelled.Message(), "Analysis cancelled");
  EXPECT_TRUE(TResult::Cancelled().Message().empty());
  for (const TResult& r : {TResult(), TResult::Success("done")}) {
    EXPECT_FALSE(r.IsCancelled());
    EXPECT_FALSE(r.IsFailed());
  }
  EXPECT_TRUE(TResult::Failure("x").IsFailed());
  EXPECT_FALSE(TResult::Failure("x").IsCancelled());

  // Added together, a failure outweighs a cancellation, which outweighs a success.
  const struct {
    TResult first, second;
    bool is_ok, is_cancelled, is_failed;
  } cases[] = {
      {TResult(), TResult::Cancelled(), false, true, false},
      {TResult::Cancelled(), TResult(), false, true, false},
      {TResult::Cancelled(), TResult::Failure("f"), false, false, true},
      {TResult::Failure("f"), TResult::Cancelled(), false, false, true},
      {TResult(), TResult::Success("s"), true, false, false},
  };
  for (const auto& c : cases) {
    TResult sum = c.first;
    sum.Add(c.second);
    EXPECT_EQ(sum.IsOK(), c.is_ok);
    EXPECT_EQ(sum.IsCancelled(), c.is_cancelled);
    EXPECT_EQ(sum.IsFailed(), c.is_failed);
  }
}
