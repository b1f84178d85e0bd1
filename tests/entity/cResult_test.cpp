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
