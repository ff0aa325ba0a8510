// ANT93: the relative field or attenuation of one antenna code at one angle in its own plane.
//
// Every curve, table, read-out, gain integral and 3-D value is built from this function, and
// the views call it hundreds of thousands of times: it parses the code in place and computes
// only the transcendental functions its type needs.
#include <algorithm>
#include <cmath>

#include "antenna_pattern.h"
#include "code_fields.h"
#include "pattern_math.h"

namespace lobrix {

namespace {

constexpr double kSqrt2 = 1.41421356237309504880;

float NonNegative(double value) { return value < 0 ? 0.0f : static_cast<float>(value); }

// Cosine-power lobe of TA and P codes: 1/sqrt(2) at N/10 degrees (0.1505 = log10 sqrt 2).
float CosinePowerField(float angle, int n) {
  const auto h = static_cast<float>(CosDeg(angle));
  if (h <= 0) return 0.0f;
  const auto exponent = static_cast<float>(-F(0.1505f) / std::log10(CosDeg(n / 10.0)));
  return static_cast<float>(std::pow(F(h), F(exponent)));
}

float EaField(float c, float cw, float s) {
  const auto q = static_cast<float>(0.5 * s / (1.0 - std::pow(kSqrt2 * cw - 1.0, 2)));
  return static_cast<float>(4.0 * q * c / (F(c) * c * (4.0 * q - 1.0) + 1.0));
}

// EB and EC share one form with the back field b (0.2, 0.4) and their own constants.
struct BackFieldLobe {
  float scale, square, shift, back, front, sqrtWeight;
};
constexpr BackFieldLobe kEbLobe{0.72f, 1.44f, 0.8f, 0.2f, 1.6f, 2.4f};
constexpr BackFieldLobe kEcLobe{0.98f, 1.96f, 0.6f, 0.4f, 1.2f, 2.8f};

float BackFieldField(const BackFieldLobe& k, float c, float cw, float s) {
  const auto q = static_cast<float>(F(k.scale) * s /
                                    (F(k.square) - std::pow(kSqrt2 * cw - F(k.shift), 2)));
  const float u = NonNegative((q - F(k.back)) * q * c * c + F(k.back) * q);
  return static_cast<float>((F(k.front) * q * c + F(k.sqrtWeight) * std::sqrt(F(u))) /
                            (F(c) * c * (4.0 * q - F(k.square)) + F(k.square)));
}

float DeField(float c, float cw, float s) {
  const auto q = static_cast<float>(s / (2.0 - std::pow(2.0 * cw - kSqrt2, 2)));
  return static_cast<float>(std::fabs(4.0 * q * c / (F(c) * c * (4.0 * q - 1.0) + 1.0)));
}

float LaField(float phi, int n, float z) {
  auto x = static_cast<float>(F(phi) * F(kDegree));
  if (x > kPi) x = static_cast<float>(2.0 * F(kPi) - x);
  const auto w = static_cast<float>(n * F(kDegree));
  if (std::fabs(x) > 1.5 * w) return z;
  return static_cast<float>(
      std::cos(F(kPi) / 2.0 * (1.0 - std::cos(F(kPi) / 3.0 * x / w))));
}

float KaField(float c, int n) {
  const auto k = static_cast<float>(n / 100.0);
  const float u = NonNegative((1.0 - k) * (1.0 - k) * c * c + 4.0 * k);
  return static_cast<float>((F(c) * (1.0 - k) + std::sqrt(F(u))) / 2.0);
}

// CA, CB, CC: maxima every 180, 120 or 90 degrees with minima k between them.
float CosineMaximaField(float phi, int n, double divisor) {
  const auto k = static_cast<float>(n / 100.0);
  const auto cm = static_cast<float>(std::cos(F(kPi) * phi / divisor));
  const double k2 = F(k) * k;
  const float u = NonNegative((1.0 - k2) * (1.0 - k2) * cm * cm + 4.0 * k2);
  const float v = NonNegative((F(cm) * (1.0 - k2) + std::sqrt(F(u))) / 2.0);
  return static_cast<float>(std::sqrt(F(v)));
}

// Relative field of the V/W main lobe at 180 degrees, by the second letter A..I; -1 otherwise.
float BackLevel(int letter) {
  constexpr float kLevels[] = {0.00001f, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f};
  return (letter >= 'A' && letter <= 'I') ? kLevels[letter - 'A'] : -1.0f;
}

// V and W: the main lobe plus an equal second lobe at 2L degrees; W adds two envelope levels.
float TwinLobeField(std::string_view code, float phi, float c, float back) {
  const int d = CodeNumber(code, 1, 1);
  const int lobeHalfAngle = CodeNumber(code, 2, 3);
  const auto cosTheta = static_cast<float>(CosDeg(5.0 * d + 15.0));
  const auto p = static_cast<float>(std::pow((F(back) + 1.0) / 2.0, 2));
  const auto g = static_cast<float>(
      (F(p) / 2.0) * (1.0 - F(cosTheta) * cosTheta) /
      (p - std::pow(cosTheta / kSqrt2 - (1.0 - back) / 2.0, 2)));
  const auto k0 = static_cast<float>(F(g) - p);
  const auto k4 = static_cast<float>(F(back) * g * p);
  const auto k8 = static_cast<float>(F(g) * g * p - k4);
  const auto kc = static_cast<float>((1.0 - back) * g / 2.0);
  const auto lobe = [&](float x) {
    const float root = NonNegative(F(x) * x * k8 + k4);
    return static_cast<float>((F(x) * kc + std::sqrt(F(root))) / (F(x) * x * k0 + p));
  };
  const auto cSecond = static_cast<float>(CosDeg(F(phi) - 2.0 * lobeHalfAngle));
  float f = std::max(lobe(c), lobe(cSecond));
  if (CodeByte(code, 4) == 'W') {
    const auto outer = static_cast<float>(CodeNumber(code, 6, 6) / 20.0);
    const auto inner = static_cast<float>(CodeNumber(code, 7, 7) / 20.0 + F(0.35f));
    const bool betweenLobes = phi >= 0 && phi <= 2.0 * lobeHalfAngle;
    f = std::max(f, betweenLobes ? inner : outer);
  }
  return f;
}

bool InRange(int n, int low, int high) { return n >= low && n <= high; }

}  // namespace

float ANT93(std::string_view code, float angle, int mode) {
  if (!std::isfinite(angle)) return kInvalidPattern;
  const int t1 = CodeByte(code, 4);
  const int t2 = CodeByte(code, 5);
  if (t1 == 'N' && t2 == 'D') return mode == kDecibel ? 0.0f : 1.0f;

  const int n = CodeNumber(code, 1, 3);
  const auto z = static_cast<float>(CodeNumber(code, 6, 7) / 100.0);
  // Folded angle: only angles from 180 up are brought back; the cosine-based formulas do not
  // notice an angle below -180, while LA and the W inner envelope see it unfolded.
  const auto phi = angle >= 180 ? static_cast<float>(F(angle) - 360.0) : angle;
  const auto type = [&](char a, char b) { return t1 == a && t2 == b; };
  const auto halfWidthTerms = [&](float& cw, float& s) {
    cw = static_cast<float>(CosDeg(n));
    s = static_cast<float>(1.0 - F(cw) * cw);
  };
  const auto cosPhi = [&] { return static_cast<float>(CosDeg(phi)); };

  float f = 0, cw = 0, s = 0;
  if (type('T', 'A') || t1 == 'P') {
    if (!InRange(n, 1, 890)) return kInvalidPattern;
    f = CosinePowerField(angle, n);
  } else if (type('E', 'A') || type('D', 'E')) {
    if (!InRange(n, 1, 65)) return kInvalidPattern;
    halfWidthTerms(cw, s);
    f = t1 == 'E' ? EaField(cosPhi(), cw, s) : DeField(cosPhi(), cw, s);
  } else if (type('E', 'B') || type('E', 'C')) {
    if (!InRange(n, 1, t2 == 'B' ? 79 : 96)) return kInvalidPattern;
    halfWidthTerms(cw, s);
    f = BackFieldField(t2 == 'B' ? kEbLobe : kEcLobe, cosPhi(), cw, s);
  } else if (type('L', 'A')) {
    if (!InRange(n, 1, 120)) return kInvalidPattern;
    f = LaField(phi, n, z);
  } else if (type('K', 'A')) {
    if (n > 100) return kInvalidPattern;
    f = KaField(cosPhi(), n);
  } else if (type('C', 'A') || type('C', 'B') || type('C', 'C')) {
    if (n > 100) return kInvalidPattern;
    f = CosineMaximaField(phi, n, t2 == 'A' ? 90.0 : t2 == 'B' ? 60.0 : 45.0);
  } else if (t1 == 'V' || t1 == 'W') {
    const float back = BackLevel(t2);
    if (back < 0) return kInvalidPattern;
    f = TwinLobeField(code, phi, cosPhi(), back);
  } else {
    return kInvalidPattern;
  }

  if (t1 != 'W') f = std::max(f, z);  // the envelope radius is a floor on the field
  f = ClampField(f);
  return mode == kDecibel ? ToDecibel(f) : f;
}

}  // namespace lobrix
