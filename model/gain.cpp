// ZISKANTVA: the gain of a code pair in dBd, from Simpson integrals of the squared field over
// the horizontal circle and the vertical half circle.
#include <cmath>

#include "model/antenna_pattern.h"
#include "model/code_fields.h"
#include "model/pattern_math.h"

namespace lobrix {

namespace {

constexpr float kDipoleDirectivity = 1.64f;  // half-wave dipole over an isotropic radiator

int UpperCase(int c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; }

// Estimated main-lobe width in degrees, by type; 0 when the type has none (the P codes).
float LobeWidth(std::string_view code) {
  const int type = UpperCase(CodeByte(code, 4));
  const int n = CodeNumber(code, 1, 3);
  switch (type) {
    case 'E':
    case 'D':
    case 'L':
      return static_cast<float>(F(0.8f) * n);
    case 'T':
      return static_cast<float>(F(0.08f) * n);
    case 'C': {
      float b = 15.0f;
      if (n >= 70) {
        b = 40.0f;
      } else if (n >= 10) {
        b = static_cast<float>(15.0 + 7.0 * (n - 10) / 60.0 +
                               (n > 30 ? 18.0 * std::pow((n - 30) / 40.0, 2) : 0.0));
      }
      switch (UpperCase(CodeByte(code, 5))) {
        case 'C': return static_cast<float>(F(b) * F(0.8f));
        case 'B': return static_cast<float>(F(b) * F(1.1f));
        case 'A': return static_cast<float>(F(b) * F(1.6f));
        default: return b;
      }
    }
    case 'K':
      if (n >= 70) return 115.0f;
      return static_cast<float>(45.0 + 20.0 * n / 30.0 +
                                (n > 30 ? 69.0 * std::pow((n - 30) / 40.0, 2) : 0.0));
    case 'V':
    case 'W': {
      const double beam = F(0.8f) * (5.0 * CodeNumber(code, 1, 1) + 15.0);
      const double lobes = 2.0 * CodeNumber(code, 2, 3) + 4.0;
      return static_cast<float>(beam < lobes ? beam : lobes);
    }
    default:
      return 0.0f;
  }
}

// Intervals over a half turn: about 120/B per lobe width, at least 10, always even. A code
// with no width estimate (or an unchecked zero width) gets the minimum; the largest valid
// count is that of a TA code with N = 1 (B = 0.08, 3010 intervals).
int HalfTurnIntervals(std::string_view code) {
  const float b = LobeWidth(code);
  if (!(b >= F(0.08f))) return 10;
  const auto m = static_cast<int>(std::nearbyint(120.0 / F(b)));
  return 2 * m + 10;
}

bool IsVerticalPlane(std::string_view plane) {
  return plane.size() == 1 && (plane[0] == 'v' || plane[0] == 'V');
}

}  // namespace

float PlaneIntegral(std::string_view code, std::string_view plane) {
  const bool vertical = IsVerticalPlane(plane);
  if (UpperCase(CodeByte(code, 4)) == 'N') return vertical ? 2.0f : 2.0f * kPi;

  const int halfTurn = HalfTurnIntervals(code);
  float sum = 0.0f;
  if (vertical) {
    // Elevations from 90 - h down to -90 + h, weighted with the cosine of elevation (sin t);
    // the end points carry weight 0.
    const auto h = static_cast<float>(F(kPi) / halfTurn);
    for (int k = 1; k < halfTurn; ++k) {
      const auto t = static_cast<float>(F(h) * k);
      const auto f = ANT93(code, static_cast<float>(90.0 - F(t) / F(kDegree)), kRelativeField);
      const double weight = (k % 2 == 1) ? 4.0 : 2.0;
      sum = static_cast<float>(sum + weight * f * f * std::sin(F(t)));
    }
    return static_cast<float>(F(h) * sum / 3.0);
  }
  // The full turn: 0 and 360 coincide and together carry the weight 2 at k = 0.
  const int intervals = 2 * halfTurn;
  const auto h = static_cast<float>(2.0 * F(kPi) / intervals);
  for (int k = 0; k < intervals; ++k) {
    const auto f = ANT93(code, static_cast<float>(F(h) * k / F(kDegree)), kRelativeField);
    const double weight = (k % 2 == 1) ? 4.0 : 2.0;
    sum = static_cast<float>(sum + weight * f * f);
  }
  return static_cast<float>(F(h) * sum / 3.0);
}

float ZISKANTVA(std::string_view hcode, std::string_view vcode) {
  if (ANT93(hcode, 0, kRelativeField) < 0 || ANT93(vcode, 0, kRelativeField) < 0) {
    return kInvalidGain;
  }
  const float iv = PlaneIntegral(vcode, "v");
  const float ih = PlaneIntegral(hcode, "h");
  const auto directivity = static_cast<float>(4.0 * F(kPi) / (F(ih) * iv));
  const auto gain =
      static_cast<float>(10.0 * std::log10(F(directivity) / F(kDipoleDirectivity)));
  SetCurrentGain(gain);
  return gain;
}

}  // namespace lobrix
