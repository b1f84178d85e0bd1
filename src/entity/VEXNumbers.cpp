#include "entity/VEXNumbers.h"

#include <algorithm>

int Clamp(int Value, int Min, int Max) { return Value < Min ? Min : std::min(Value, Max); }

double Interpolate(double x, double x1, double x2, double y1, double y2) {
  if (x2 == x1) return x > x1 ? y2 : y1;
  return y1 + (y2 - y1) * (x - x1) / (x2 - x1);
}

double KgToKN(double m) { return m * 10.0 / 1000.0; }
double Ratio(double a, double b, double Fallback) { return b != 0 ? a / b : Fallback; }
int Sign(double v) { return (v > 0) - (v < 0); }
