// Measured planes for the best-fit tests and benchmark: exact planes made from a code, and
// realistic ones (a code's curve with measurement noise, ripple, asymmetric side lobes and
// nulls, and a back level set by a front-to-back ratio).
#pragma once

#include <algorithm>
#include <cmath>
#include <random>
#include <string>

#include "best_fit/best_fit.h"
#include "model/antenna_pattern.h"

namespace lobrix::testing {

// The code's relative field at every whole degree with its maximum at `tenths` / 10 degrees,
// on the search's own grid (angle = i - direction, exact in tenths, folded to -180 .. 180).
inline FitColumn PlaneOfCode(const std::string& code, int tenths) {
  FitColumn e{};
  for (int i = 0; i < 360; ++i) {
    int d = ((10 * i - tenths) % 3600 + 3600) % 3600;
    if (d >= 1800) d -= 3600;
    e[static_cast<std::size_t>(i)] = ANT93(code, static_cast<float>(d / 10.0), kRelativeField);
  }
  return e;
}

struct Disturbance {
  double noiseDb = 1.0;         // standard deviation of the measurement noise
  double rippleDb = 0.5;        // amplitude of a slow ripple
  double sideLobeDb = 18.0;     // level of two asymmetric side lobes below the maximum
  double frontToBackDb = 25.0;  // attenuation of the back region at least this
  bool nulls = true;            // two deep nulls on the flanks
};

// A realistic plane made from `code` at `tenths`: attenuation in dB disturbed as `how` says,
// at least 0, at most 45 dB, turned into relative fields.
inline FitColumn RealisticPlane(const std::string& code, int tenths, const Disturbance& how,
                                std::mt19937& random) {
  const FitColumn exact = PlaneOfCode(code, tenths);
  std::normal_distribution<double> noise(0.0, how.noiseDb);
  std::uniform_real_distribution<double> uniform(0.0, 1.0);
  const double ripplePhase = 6.283 * uniform(random);
  const double rippleTurns = 3.0 + 5.0 * uniform(random);
  const double lobeLeft = 40.0 + 60.0 * uniform(random), lobeRight = 50.0 + 70.0 * uniform(random);
  const double nullLeft = 20.0 + 30.0 * uniform(random), nullRight = 25.0 + 30.0 * uniform(random);
  const double centre = tenths / 10.0;
  FitColumn e{};
  for (int i = 0; i < 360; ++i) {
    double a = -20.0 * std::log10(static_cast<double>(exact[static_cast<std::size_t>(i)]));
    double offset = std::remainder(i - centre, 360.0);  // -180 .. 180 from the maximum
    // Asymmetric side lobes: a bump on each side, the right one 3 dB lower.
    const double left = std::exp(-std::pow((offset + lobeLeft) / 8.0, 2));
    const double right = std::exp(-std::pow((offset - lobeRight) / 6.0, 2));
    a = std::min(a, how.sideLobeDb + 30.0 * (1.0 - left));
    a = std::min(a, how.sideLobeDb + 3.0 + 30.0 * (1.0 - right));
    if (std::fabs(offset) > 120.0) a = std::max(a, how.frontToBackDb);
    if (how.nulls) {
      if (std::fabs(offset + lobeLeft - nullLeft) < 2.0) a += 12.0;
      if (std::fabs(offset - lobeRight + nullRight) < 1.5) a += 15.0;
    }
    a += how.rippleDb * std::sin(rippleTurns * offset * 3.14159265 / 180.0 + ripplePhase);
    a += noise(random);
    a = std::clamp(a, 0.0, 45.0);
    e[static_cast<std::size_t>(i)] = static_cast<float>(std::pow(10.0, -a / 20.0));
  }
  return e;
}

}  // namespace lobrix::testing
