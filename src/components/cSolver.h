// TSolver: bisection for f(x) = fx on the bracket [x0, x1], used to invert a
// beam's moment capacity for the degree of shear connection it needs.
#pragma once

#include <functional>

using TWellBehavedFunction = std::function<double(double)>;

class TSolver {
 public:
  TSolver(double Ax0, double Ax1, TWellBehavedFunction AWellBehavedFunction = nullptr)
      : x0(Ax0), x1(Ax1), WellBehavedFunction(std::move(AWellBehavedFunction)) {}

  double x0;
  double x1;
  TWellBehavedFunction WellBehavedFunction;  // may be unassigned

  // Bisects until the bracket is no wider than delta or maxn iterations have
  // run. When f(x0) and f(x1) lie on the same side of fx, returns the end with
  // the smaller residual (the right end on a tie) without iterating.
  double Findx(double fx, double delta, int maxn) const;
};
