// Measured planes made from known codes, for the conversion tests and the same-winner corpus.
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "model/antenna_pattern.h"
#include "pattern_files/measured_pattern.h"

namespace lobrix::test {

// The code's relative field with its maximum at `azimuth`: e(i) = ANT93(code, i - azimuth),
// the difference taken into -180..180 in double precision.
inline PatternColumn CodeColumn(const std::string& code, double azimuth) {
  PatternColumn e;
  for (int i = 0; i < 360; ++i) {
    double d = std::remainder(i - azimuth, 360.0);
    e[static_cast<std::size_t>(i)] = ANT93(code, static_cast<float>(d), kRelativeField);
  }
  return e;
}

// Measurement noise: each value multiplied by 1 + amplitude * uniform(-1, 1), then the column
// scaled so that its maximum is 1 again.
inline PatternColumn WithNoise(PatternColumn e, double amplitude, std::mt19937& rng) {
  std::uniform_real_distribution<double> u(-1.0, 1.0);
  for (float& value : e) value = static_cast<float>(value * (1.0 + amplitude * u(rng)));
  const float maximum = *std::max_element(e.begin(), e.end());
  for (float& value : e) value = std::min(1.0f, value / maximum);
  return e;
}

}  // namespace lobrix::test
