// Constants and small helpers shared by the pattern formulas.
//
// The formulas keep their working values in single precision (each named value is a float)
// while every expression between them is evaluated in double; the decimal constants of the
// formulas are single-precision values. `F(0.72f)` spells such a constant inside a double
// expression so the reader sees both facts at once.
#pragma once

#include <cmath>

namespace lobrix {

// pi = 4 atan(1) and the degree factor atan(1)/45, held in single precision.
inline constexpr float kPi = static_cast<float>(3.14159265358979323846);
inline constexpr float kDegree = static_cast<float>(3.14159265358979323846 / 180.0);

constexpr double F(float single) {
  return single;
}

// The transcendental functions of the formulas, as a template argument: the C library's for
// one value at a time; vector_math.h has the same functions written for arrays.
struct LibraryMath {
  static double Cos(double x) { return std::cos(x); }
  static double Log10(double x) { return std::log10(x); }
  static double Pow(double x, double e) { return std::pow(x, e); }
};

// Trigonometry of an angle in degrees, converted with the single-precision degree factor.
template <class Math = LibraryMath>
double CosDeg(double degrees) {
  return Math::Cos(degrees * F(kDegree));
}
inline double SinDeg(double degrees) {
  return std::sin(degrees * F(kDegree));
}

// Relative field to attenuation in dB.
template <class Math = LibraryMath>
float ToDecibel(float field) {
  return static_cast<float>(-20.0 * Math::Log10(F(field)));
}

// Clamp to 0.01 .. 1; a NaN from a degenerate formula also lands on the floor.
inline float ClampField(float f) {
  if (!(f >= 0.01f)) return 0.01f;
  return f > 1.0f ? 1.0f : f;
}

}  // namespace lobrix
