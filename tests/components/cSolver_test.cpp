#include "components/cSolver.h"

#include <gtest/gtest.h>

#include <cmath>

// Bisection converges to the root within the bracket tolerance, for rising and
// falling functions.
TEST(Solver, FindsRootWithinDelta) {
  const struct {
    const char* name;
    TWellBehavedFunction f;
    double x0, x1, fx, root;
  } cases[] = {
      {"x^2 = 2 on [0, 2]", [](double x) { return x * x; }, 0, 2, 2, std::sqrt(2.0)},
      {"1 - x = 0.25 on [0, 1]", [](double x) { return 1 - x; }, 0, 1, 0.25, 0.75},
      {"x^3 = 0.001 on [0, 1]", [](double x) { return x * x * x; }, 0, 1, 0.001, 0.1},
  };
  for (const auto& c : cases) {
    TSolver solver(c.x0, c.x1, c.f);
    // The bracket shrinks to <= delta around the root; mid lies inside it.
    EXPECT_NEAR(solver.Findx(c.fx, 0.001, 500), c.root, 0.001) << c.name;
    EXPECT_NEAR(solver.Findx(c.fx, 1e-9, 500), c.root, 1e-9) << c.name;
  }
}

// When fx lies outside the function's range over the bracket, the end with the
// smaller residual is returned after only the two end evaluations.
TEST(Solver, SameSignEndsReturnNearerEndWithoutIterating) {
  int calls = 0;
  TSolver solver(0, 1, [&calls](double x) {
    ++calls;
    return x;
  });
  EXPECT_EQ(solver.Findx(-1, 0.001, 500), 0);  // residuals -1 and -2: left end nearer
  EXPECT_EQ(calls, 2);
  calls = 0;
  EXPECT_EQ(solver.Findx(5, 0.001, 500), 1);  // residuals -5 and -4: right end nearer
  EXPECT_EQ(calls, 2);
}

TEST(Solver, TieReturnsRightEnd) {
  // f(0) = f(1) = 0.25, both 1.25 above fx = -1.
  TSolver solver(0, 1, [](double x) { return (x - 0.5) * (x - 0.5); });
  EXPECT_EQ(solver.Findx(-1, 0.001, 500), 1);
}

// An end that hits fx exactly has residual sign 0, unlike the other end: the
// bisection then closes in on that end.
TEST(Solver, ExactEndValue) {
  TSolver solver(0, 1, [](double x) { return 2 * x; });
  EXPECT_NEAR(solver.Findx(0, 0.001, 500), 0, 0.001);
  EXPECT_NEAR(solver.Findx(2, 0.001, 500), 1, 0.001);
}

// The iteration count is bounded by maxn: one step from [0, 1] gives 0.5.
TEST(Solver, StopsAfterMaxn) {
  TSolver solver(0, 1, [](double x) { return x; });
  EXPECT_EQ(solver.Findx(0.9, 1e-12, 1), 0.5);
  EXPECT_EQ(solver.Findx(0.9, 1e-12, 2), 0.75);
}

// Without a function the residuals are the bracket ends themselves and no
// iteration runs.
TEST(Solver, UnassignedFunction) {
  EXPECT_EQ(TSolver(0, 1).Findx(123, 0.001, 500), 0.5);  // signs 0 and +: the midpoint
  EXPECT_EQ(TSolver(1, 2).Findx(123, 0.001, 500), 1);    // same sign, |1| < |2|
  EXPECT_EQ(TSolver(-2, -1).Findx(0, 0.001, 500), -1);   // same sign, |-1| < |-2|
  EXPECT_EQ(TSolver(-1, 1).Findx(0, 0.001, 500), 0);     // opposite signs: the midpoint
}
