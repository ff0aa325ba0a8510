// The candidate curves of the conversion. Each formula mirrors the model's single-plane function
// term by term: the same single-precision working values, double expressions between them in
// the same order, only split where a subexpression depends on the code alone.
#include "candidate_curve.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "pattern_math.h"

namespace lobrix {

namespace {

constexpr double kSqrt2 = 1.41421356237309504880;

float NonNegative(double value) {
  return value < 0 ? 0.0f : static_cast<float>(value);
}

// Back level of a V/W letter A..I: the relative field of the main lobe at 180 degrees.
float TwinBackLevel(char letter) {
  constexpr float kLevels[] = {0.00001f, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f};
  return kLevels[std::clamp(letter - 'A', 0, 8)];
}

// The E-family lobe with the back field b: EB (0.72, 1.44, 0.8, 0.2, 1.6, 2.4) and EC
// (0.98, 1.96, 0.6, 0.4, 1.2, 2.8).
struct BackFieldConstants {
  float scale, square, shift, back, front, sqrtWeight;
};
constexpr BackFieldConstants kEb{0.72f, 1.44f, 0.8f, 0.2f, 1.6f, 2.4f};
constexpr BackFieldConstants kEc{0.98f, 1.96f, 0.6f, 0.4f, 1.2f, 2.8f};

float BackFieldRaw(const CandidateCurve& k, const BackFieldConstants& b, float c) {
  const float u = NonNegative(k.uSquareFactor * c * c + k.uConstant);
  return static_cast<float>((k.frontQ * c + F(b.sqrtWeight) * std::sqrt(F(u))) /
                            (F(c) * c * k.denominatorFactor + F(b.square)));
}

float TwinLobe(const CandidateCurve& k, float x) {
  const float root = NonNegative(F(x) * x * k.k8 + k.k4);
  return static_cast<float>((F(x) * k.kc + std::sqrt(F(root))) / (F(x) * x * k.k0 + k.p));
}

}  // namespace

SampleAngle MakeSampleAngle(float angle) {
  SampleAngle a;
  a.phi = angle >= 180 ? static_cast<float>(F(angle) - 360.0) : angle;
  a.c = static_cast<float>(CosDeg(a.phi));
  const double divisors[3] = {90.0, 60.0, 45.0};
  for (int m = 0; m < 3; ++m) {
    a.cosMultiple[m] = static_cast<float>(std::cos(F(kPi) * a.phi / divisors[m]));
  }
  auto x = static_cast<float>(F(a.phi) * F(kDegree));
  if (x > kPi) x = static_cast<float>(2.0 * F(kPi) - x);
  a.laX = x;
  a.laThirdPiX = F(kPi) / 3.0 * x;
  return a;
}

CandidateCurve PrepareCurve(std::string_view type, int first) {
  CandidateCurve k;
  const auto cw = static_cast<float>(CosDeg(first));
  const auto s = static_cast<float>(1.0 - F(cw) * cw);
  const auto backField = [&](const BackFieldConstants& b) {
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
  const auto minimaTerms = [&](double k2) {
    k.kSquare = (1.0 - k2) * (1.0 - k2);
    k.kLinear = 4.0 * k2;
    k.kFactor = 1.0 - k2;
  };
  if (type == "EA") {
    k.kind = CurveKind::EA;
    mirroredLobe(static_cast<float>(0.5 * s / (1.0 - std::pow(kSqrt2 * cw - 1.0, 2))));
  } else if (type == "DE") {
    k.kind = CurveKind::DE;
    mirroredLobe(static_cast<float>(s / (2.0 - std::pow(2.0 * cw - kSqrt2, 2))));
  } else if (type == "EB") {
    k.kind = CurveKind::EB;
    backField(kEb);
  } else if (type == "EC") {
    k.kind = CurveKind::EC;
    backField(kEc);
  } else if (type == "LA") {
    k.kind = CurveKind::LA;
    k.laWidth = static_cast<float>(first * F(kDegree));
  } else if (type == "KA") {
    k.kind = CurveKind::KA;
    const auto m = static_cast<float>(first / 100.0);
    k.kSquare = (1.0 - m) * (1.0 - m);
    k.kLinear = 4.0 * m;
    k.kFactor = 1.0 - m;
  } else {
    k.kind = type == "CA" ? CurveKind::CA : type == "CB" ? CurveKind::CB : CurveKind::CC;
    const auto m = static_cast<float>(first / 100.0);
    minimaTerms(F(m) * m);
  }
  return k;
}

CandidateCurve PrepareTwinCurve(int beamWidthIndex, int lobeHalfAngle, char letter, bool w) {
  CandidateCurve k;
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

float RawField(const CandidateCurve& k, const SampleAngle& a) {
  const float c = a.c;
  switch (k.kind) {
    case CurveKind::EA:
      return static_cast<float>(k.fourQ * c / (F(c) * c * k.denominatorFactor + 1.0));
    case CurveKind::DE:
      return static_cast<float>(std::fabs(k.fourQ * c / (F(c) * c * k.denominatorFactor + 1.0)));
    case CurveKind::EB:
      return BackFieldRaw(k, kEb, c);
    case CurveKind::EC:
      return BackFieldRaw(k, kEc, c);
    case CurveKind::LA:
      if (std::fabs(a.laX) > 1.5 * k.laWidth) return -std::numeric_limits<float>::infinity();
      return static_cast<float>(
          std::cos(F(kPi) / 2.0 * (1.0 - std::cos(a.laThirdPiX / k.laWidth))));
    case CurveKind::KA: {
      const float u = NonNegative(k.kSquare * c * c + k.kLinear);
      return static_cast<float>((F(c) * k.kFactor + std::sqrt(F(u))) / 2.0);
    }
    case CurveKind::CA:
    case CurveKind::CB:
    case CurveKind::CC: {
      const float cm = a.cosMultiple[static_cast<int>(k.kind) - static_cast<int>(CurveKind::CA)];
      const float u = NonNegative(k.kSquare * cm * cm + k.kLinear);
      const float v = NonNegative((F(cm) * k.kFactor + std::sqrt(F(u))) / 2.0);
      return static_cast<float>(std::sqrt(F(v)));
    }
    case CurveKind::V:
    case CurveKind::W: {
      const auto cSecond = static_cast<float>(CosDeg(F(a.phi) - 2.0 * k.lobeHalfAngle));
      return std::max(TwinLobe(k, c), TwinLobe(k, cSecond));
    }
  }
  return 0.0f;
}

float FinishField(const CandidateCurve& k, float raw, const SampleAngle& a, int lastDigits) {
  float f = raw;
  if (k.kind == CurveKind::W) {
    const auto outer = static_cast<float>((lastDigits / 10) / 20.0);
    const auto inner = static_cast<float>((lastDigits % 10) / 20.0 + F(0.35f));
    const bool betweenLobes = a.phi >= 0 && a.phi <= 2.0 * k.lobeHalfAngle;
    f = std::max(f, betweenLobes ? inner : outer);
  } else {
    f = std::max(f, static_cast<float>(lastDigits / 100.0));
  }
  return ClampField(f);
}

}  // namespace lobrix
