// Small number helpers shared by the engineering code.
#pragma once

int Clamp(int Value, int Min, int Max);
// y1 + (y2 - y1)(x - x1)/(x2 - x1); with x2 = x1, y2 when x > x1, else y1.
double Interpolate(double x, double x1, double x2, double y1, double y2);
// Mass (kg) to weight (kN) with gravity 10 m/s^2.
double KgToKN(double m);
// a / b, or Fallback where b is zero: a quantity whose divisor vanishes.
double Ratio(double a, double b, double Fallback = 0);
// -1, 0 or +1.
int Sign(double v);
