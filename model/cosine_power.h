// The cosine-power lobe of TA and P codes: cos(angle) raised to the power that makes the field
// 1/sqrt(2) at the half beam width of N/10 degrees (0.1505 stands for log10 sqrt 2).
#pragma once

#include <cmath>

#include "model/pattern_math.h"

namespace lobrix {

// The power for the first number N (1..890), from the C library as every caller prepares it.
inline float CosinePowerExponent(int n) {
  return static_cast<float>(-F(0.1505f) / std::log10(CosDeg(n / 10.0)));
}

// The lobe at an angle whose cosine is h: h to the power, 0 behind +-90 degrees.
template <class Math = LibraryMath>
float CosinePowerLobe(float h, float exponent) {
  return h > 0 ? static_cast<float>(Math::Pow(F(h), F(exponent))) : 0.0f;
}

}  // namespace lobrix
