// Preparing a curve: the constants of each family's formula that depend on the code alone, and
// the terms of a sample angle that depend on the angle alone.
#include "prepared_curve.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "pattern_math.h"

namespace lobrix {

using curve_terms::BackFieldConstants;
using curve_terms::kEb;
using curve_terms::kEc;
using curve_terms::kSqrt2;

namespace {

// Back level of a V/W letter A..I: the relative field of the main lobe at 180 degrees.
float TwinBackLevel(int letter) {
  constexpr float kLevels[] = {0.00001f, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f};
  return kLevels[std::clamp(letter - 'A', 0, 8)];
}

}  // namespace

unsigned TermsOf(CurveKind kind) {
  switch (kind) {
    case CurveKind::CA:
      return kCosine2Term;
    case CurveKind::CB:
      return kCosine3Term;
    case CurveKind::CC:
      return kCosine4Term;
    case CurveKind::LA:
      return kLaTerms;
    default:
      return kCosineTerm;
  }
}

SampleAngle MakeSampleAngle(float angle, unsigned terms) {
  SampleAngle a;
  a.phi = angle >= 180 ? static_cast<float>(F(angle) - 360.0) : angle;
  if (terms & kCosineTerm) a.c = static_cast<float>(CosDeg(a.phi));
  const double divisors[3] = {90.0, 60.0, 45.0};
  for (int m = 0; m < 3; ++m) {
    if (terms & (kCosine2Term << m)) {
      a.cosMultiple[m] = static_cast<float>(std::cos(F(kPi) * a.phi / divisors[m]));
    }
  }
  if (terms & kLaTerms) {
    auto x = static_cast<float>(F(a.phi) * F(kDegree));
    if (x > kPi) x = static_cast<float>(2.0 * F(kPi) - x);
    a.laX = x;
    a.laThirdPiX = F(kPi) / 3.0 * x;
  }
  return a;
}

CurveKind KindOf(std::string_view type) {
  constexpr std::string_view kTypes[] = {"EA", "EB", "EC", "DE", "LA", "KA", "CA", "CB", "CC"};
  for (std::size_t i = 0; i < std::size(kTypes); ++i) {
    if (type == kTypes[i]) return static_cast<CurveKind>(i);
  }
  return type.substr(0, 1) == "W" ? CurveKind::W : CurveKind::V;
}

PreparedCurve PrepareCurve(CurveKind kind, int first) {
  PreparedCurve k;
  k.kind = kind;
  // E family and DE: the cosine of the half beam width and its square's complement.
  float cw = 0, s = 0;
  const auto halfWidthTerms = [&] {
    cw = static_cast<float>(CosDeg(first));
    s = static_cast<float>(1.0 - F(cw) * cw);
  };
  const auto backField = [&](const BackFieldConstants& b) {
    halfWidthTerms();
    const auto q =
        static_cast<float>(F(b.scale) * s / (F(b.square) - std::pow(kSqrt2 * cw - F(b.shift), 2)));
    k.uSquareFactor = (q - F(b.back)) * q;
    k.uConstant = F(b.back) * q;
    k.frontQ = F(b.front) * q;
    k.denominatorFactor = 4.0 * q - F(b.square);
  };
  const auto mirroredLobe = [&](float q) {
    k.fourQ = 4.0 * q;
    k.denominatorFactor = 4.0 * q - 1.0;
  };
  switch (kind) {
    case CurveKind::EA:
      halfWidthTerms();
      mirroredLobe(static_cast<float>(0.5 * s / (1.0 - std::pow(kSqrt2 * cw - 1.0, 2))));
      break;
    case CurveKind::DE:
      halfWidthTerms();
      mirroredLobe(static_cast<float>(s / (2.0 - std::pow(2.0 * cw - kSqrt2, 2))));
      break;
    case CurveKind::EB:
      backField(kEb);
      break;
    case CurveKind::EC:
      backField(kEc);
      break;
    case CurveKind::LA:
      k.laWidth = static_cast<float>(first * F(kDegree));
      break;
    case CurveKind::KA: {
      const auto m = static_cast<float>(first / 100.0);
      k.kSquare = (1.0 - m) * (1.0 - m);
      k.kLinear = 4.0 * m;
      k.kFactor = 1.0 - m;
      break;
    }
    case CurveKind::CA:
    case CurveKind::CB:
    case CurveKind::CC: {
      const auto m = static_cast<float>(first / 100.0);
      const double k2 = F(m) * m;
      k.kSquare = (1.0 - k2) * (1.0 - k2);
      k.kLinear = 4.0 * k2;
      k.kFactor = 1.0 - k2;
      break;
    }
    case CurveKind::V:
    case CurveKind::W:
      break;  // prepared by PrepareTwinCurve
  }
  return k;
}

PreparedCurve PrepareCurve(std::string_view type, int first) {
  return PrepareCurve(KindOf(type), first);
}

PreparedCurve PrepareTwinCurve(int beamWidthIndex, int lobeHalfAngle, int letter, bool w) {
  PreparedCurve k;
  k.kind = w ? CurveKind::W : CurveKind::V;
  k.lobeHalfAngle = lobeHalfAngle;
  const float back = TwinBackLevel(letter);
  const auto cosTheta = static_cast<float>(CosDeg(5.0 * beamWidthIndex + 15.0));
  k.p = static_cast<float>(std::pow((F(back) + 1.0) / 2.0, 2));
  const auto g = static_cast<float>((F(k.p) / 2.0) * (1.0 - F(cosTheta) * cosTheta) /
                                    (k.p - std::pow(cosTheta / kSqrt2 - (1.0 - back) / 2.0, 2)));
  k.k0 = static_cast<float>(F(g) - k.p);
  k.k4 = static_cast<float>(F(back) * g * k.p);
  k.k8 = static_cast<float>(F(g) * g * k.p - k.k4);
  k.kc = static_cast<float>((1.0 - back) * g / 2.0);
  return k;
}

}  // namespace lobrix
