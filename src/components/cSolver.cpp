#include "components/cSolver.h"

#include <cmath>

#include "entity/VEXUtility.h"

double TSolver::Findx(double fx, double delta, int maxn) const {
  double xL = x0, xR = x1;
  double mid = (xL + xR) / 2;
  double rL, rR;
  if (WellBehavedFunction) {
    rL = WellBehavedFunction(xL) - fx;
    rR = WellBehavedFunction(xR) - fx;
  } else {
    rL = xL;
    rR = xR;
  }
  if (Sign(rL) == Sign(rR)) {
    if (std::fabs(rR) > std::fabs(rL)) {
      mid = xL;
      xR = xL;
    } else {
      mid = xR;
      xL = xR;
    }
  }
  int n = 0;
  while (WellBehavedFunction && n < maxn && std::fabs(xL - xR) > delta) {
    ++n;
    mid = (xL + xR) / 2;
    double r = WellBehavedFunction(mid) - fx;
    if (Sign(r) == Sign(rL)) {
      xL = mid;
      rL = r;
    } else {
      xR = mid;
    }
  }
  return mid;
}
