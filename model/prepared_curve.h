// The curve of one code of the families EA, EB, EC, DE, LA, KA, CA, CB, CC, V and W, prepared
// once and evaluated at any number of angles.
//
// Preparing derives what depends on the code alone (cosine of the beam width, the lobe
// factors); a SampleAngle holds what depends on the angle alone (the folded angle and the
// cosines its family reads); the last two digits (the envelope radius, or W's two envelope
// levels) are applied at the end. ANT93 evaluates these families through it at one angle; the
// conversion prepares a candidate once and evaluates it at many sample angles, and sweeps the
// last digits over the same raw values without any transcendental function. The formulas keep
// their working values in single precision and evaluate the expressions between them in double,
// in a fixed order of operations, so every caller gets the same bits.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "model/code_fields.h"
#include "model/pattern_math.h"

namespace lobrix {

// A sample angle as ANT93 folds and uses it (angles from 180 up lose 360), with the cosines
// that the candidate families need.
struct SampleAngle {
  float phi = 0;              // folded angle, degrees
  float c = 0;                // cos(phi)
  float cosMultiple[3] = {};  // cos(2 phi), cos(3 phi), cos(4 phi) of CA, CB, CC
  float laX = 0;              // phi in radians, mirrored above pi (LA)
  double laThirdPiX = 0;      // (pi / 3) * laX (LA)
};

enum class CurveKind { EA, EB, EC, DE, LA, KA, CA, CB, CC, V, W };

// Which parts of a SampleAngle a family reads; a sample set computes only what its stage needs.
enum SampleTerms : unsigned {
  kCosineTerm = 1,   // c (E family, DE, KA, V, W)
  kCosine2Term = 2,  // cos(2 phi) (CA)
  kCosine3Term = 4,  // cos(3 phi) (CB)
  kCosine4Term = 8,  // cos(4 phi) (CC)
  kLaTerms = 16,     // laX, laThirdPiX (LA)
  kAllTerms = 31,
};
inline unsigned TermsOf(CurveKind kind) {
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

// A sample angle with the terms asked for (the others stay 0). Math: pattern_math.h.
template <class Math = LibraryMath>
SampleAngle MakeSampleAngle(float angle, unsigned terms = kAllTerms) {
  SampleAngle a;
  a.phi = angle >= 180 ? static_cast<float>(F(angle) - 360.0) : angle;
  if (terms & kCosineTerm) a.c = static_cast<float>(CosDeg<Math>(a.phi));
  // Written out rather than looped over, so that the sample stays in registers in the loops
  // of the array forms.
  const auto cosMultiple = [&](double divisor) {
    return static_cast<float>(Math::Cos(F(kPi) * a.phi / divisor));
  };
  if (terms & kCosine2Term) a.cosMultiple[0] = cosMultiple(90.0);
  if (terms & kCosine3Term) a.cosMultiple[1] = cosMultiple(60.0);
  if (terms & kCosine4Term) a.cosMultiple[2] = cosMultiple(45.0);
  if (terms & kLaTerms) {
    auto x = static_cast<float>(F(a.phi) * F(kDegree));
    if (x > kPi) x = static_cast<float>(2.0 * F(kPi) - x);
    a.laX = x;
    a.laThirdPiX = F(kPi) / 3.0 * x;
  }
  return a;
}

struct PreparedCurve {
  CurveKind kind = CurveKind::EA;
  // E family and DE: 4q and 4q - (1, 1.44 or 1.96); EB/EC also the terms of u and the front.
  double fourQ = 0, denominatorFactor = 0;
  double uSquareFactor = 0, uConstant = 0, frontQ = 0;
  // LA: the half beam width in radians.
  float laWidth = 0;
  // KA, CA, CB, CC: the terms of u and the factor of c (or of cos k phi).
  double kSquare = 0, kLinear = 0, kFactor = 0;
  // V, W: the lobe constants and the half angle between the two lobes.
  float p = 0, k0 = 0, k4 = 0, k8 = 0, kc = 0;
  int lobeHalfAngle = 0;
};

// The envelope of the last two digits: a floor on the field, for W the inner level between the
// two lobes and the outer level elsewhere, for the other types the envelope radius everywhere.
struct EnvelopeLevels {
  float inner, outer;
};

// The terms of the formulas, inline: they run at every angle ANT93 is asked for and at every
// sample of every candidate of the conversion.
namespace curve_terms {
inline constexpr double kSqrt2 = 1.41421356237309504880;

inline float NonNegative(double value) {
  return value < 0 ? 0.0f : static_cast<float>(value);
}

// The E-family lobe with the back field b: EB (0.72, 1.44, 0.8, 0.2, 1.6, 2.4) and EC
// (0.98, 1.96, 0.6, 0.4, 1.2, 2.8).
struct BackFieldConstants {
  float scale, square, shift, back, front, sqrtWeight;
};
inline constexpr BackFieldConstants kEb{0.72f, 1.44f, 0.8f, 0.2f, 1.6f, 2.4f};
inline constexpr BackFieldConstants kEc{0.98f, 1.96f, 0.6f, 0.4f, 1.2f, 2.8f};

inline float BackFieldRaw(const PreparedCurve& k, const BackFieldConstants& b, float c) {
  const float u = NonNegative(k.uSquareFactor * c * c + k.uConstant);
  return static_cast<float>((k.frontQ * c + F(b.sqrtWeight) * std::sqrt(F(u))) /
                            (F(c) * c * k.denominatorFactor + F(b.square)));
}

inline float TwinLobe(const PreparedCurve& k, float x) {
  const float root = NonNegative(F(x) * x * k.k8 + k.k4);
  return static_cast<float>((F(x) * k.kc + std::sqrt(F(root))) / (F(x) * x * k.k0 + k.p));
}

}  // namespace curve_terms

// Preparation, inline as well: ANT93 prepares a curve at every call, so the compiler sees the
// kind and keeps only that family's work.

// Back level of a V/W letter A..I: the relative field of the main lobe at 180 degrees.
inline float TwinBackLevel(int letter) {
  constexpr float kLevels[] = {0.00001f, 0.05f, 0.1f, 0.15f, 0.2f, 0.25f, 0.3f, 0.35f, 0.4f};
  return kLevels[std::clamp(letter - 'A', 0, 8)];
}

// The steps of PrepareCurve, one family each.
namespace curve_steps {

// E family and DE: the cosine of the half beam width and its square's complement.
struct HalfWidthTerms {
  float cw, s;
};
inline HalfWidthTerms HalfWidthTermsOf(int first) {
  const auto cw = static_cast<float>(CosDeg(first));
  return {cw, static_cast<float>(1.0 - F(cw) * cw)};
}

// EA and DE: one lobe mirrored about the cross axis, from its factor q.
inline void PrepareMirroredLobe(PreparedCurve& k, float q) {
  k.fourQ = 4.0 * q;
  k.denominatorFactor = 4.0 * q - 1.0;
}

inline void PrepareEa(PreparedCurve& k, int first) {
  const HalfWidthTerms h = HalfWidthTermsOf(first);
  PrepareMirroredLobe(
      k, static_cast<float>(0.5 * h.s / (1.0 - std::pow(curve_terms::kSqrt2 * h.cw - 1.0, 2))));
}

inline void PrepareDe(PreparedCurve& k, int first) {
  const HalfWidthTerms h = HalfWidthTermsOf(first);
  PrepareMirroredLobe(
      k, static_cast<float>(h.s / (2.0 - std::pow(2.0 * h.cw - curve_terms::kSqrt2, 2))));
}

// EB and EC: the lobe with a back field, from the family's constants.
inline void PrepareBackField(PreparedCurve& k, const curve_terms::BackFieldConstants& b,
                             int first) {
  const HalfWidthTerms h = HalfWidthTermsOf(first);
  const auto q = static_cast<float>(
      F(b.scale) * h.s / (F(b.square) - std::pow(curve_terms::kSqrt2 * h.cw - F(b.shift), 2)));
  k.uSquareFactor = (q - F(b.back)) * q;
  k.uConstant = F(b.back) * q;
  k.frontQ = F(b.front) * q;
  k.denominatorFactor = 4.0 * q - F(b.square);
}

// KA: the terms of u and the factor of c from the first number as a fraction m.
inline void PrepareKa(PreparedCurve& k, int first) {
  const auto m = static_cast<float>(first / 100.0);
  k.kSquare = (1.0 - m) * (1.0 - m);
  k.kLinear = 4.0 * m;
  k.kFactor = 1.0 - m;
}

// CA, CB, CC: as KA with m squared, applied to cos k phi.
inline void PrepareClover(PreparedCurve& k, int first) {
  const auto m = static_cast<float>(first / 100.0);
  const double k2 = F(m) * m;
  k.kSquare = (1.0 - k2) * (1.0 - k2);
  k.kLinear = 4.0 * k2;
  k.kFactor = 1.0 - k2;
}

}  // namespace curve_steps

// The curve of a code of one of the kinds EA .. CC with a first number that the kind accepts.
inline PreparedCurve PrepareCurve(CurveKind kind, int first) {
  PreparedCurve k;
  k.kind = kind;
  switch (kind) {
    case CurveKind::EA:
      curve_steps::PrepareEa(k, first);
      break;
    case CurveKind::DE:
      curve_steps::PrepareDe(k, first);
      break;
    case CurveKind::EB:
      curve_steps::PrepareBackField(k, curve_terms::kEb, first);
      break;
    case CurveKind::EC:
      curve_steps::PrepareBackField(k, curve_terms::kEc, first);
      break;
    case CurveKind::LA:
      k.laWidth = static_cast<float>(first * F(kDegree));
      break;
    case CurveKind::KA:
      curve_steps::PrepareKa(k, first);
      break;
    case CurveKind::CA:
    case CurveKind::CB:
    case CurveKind::CC:
      curve_steps::PrepareClover(k, first);
      break;
    case CurveKind::V:
    case CurveKind::W:
      break;  // prepared by PrepareTwinCurve
  }
  return k;
}

// The curve of a V or W code: beam-width index d (0..9), half angle L (0..99), back letter A..I.
inline PreparedCurve PrepareTwinCurve(int beamWidthIndex, int lobeHalfAngle, int letter, bool w) {
  PreparedCurve k;
  k.kind = w ? CurveKind::W : CurveKind::V;
  k.lobeHalfAngle = lobeHalfAngle;
  const float back = TwinBackLevel(letter);
  const auto cosTheta = static_cast<float>(CosDeg(5.0 * beamWidthIndex + 15.0));
  k.p = static_cast<float>(std::pow((F(back) + 1.0) / 2.0, 2));
  const auto g =
      static_cast<float>((F(k.p) / 2.0) * (1.0 - F(cosTheta) * cosTheta) /
                         (k.p - std::pow(cosTheta / curve_terms::kSqrt2 - (1.0 - back) / 2.0, 2)));
  k.k0 = static_cast<float>(F(g) - k.p);
  k.k4 = static_cast<float>(F(back) * g * k.p);
  k.k8 = static_cast<float>(F(g) * g * k.p - k.k4);
  k.kc = static_cast<float>((1.0 - back) * g / 2.0);
  return k;
}

// The same curve of kind EA .. CC named by its type letters ("EA" .. "CC"; any other text is
// read as V or W), for callers that hold the type as text.
CurveKind KindOf(std::string_view type);
PreparedCurve PrepareCurve(std::string_view type, int first);

// The field before the envelope: the curve itself (V/W: the larger of the two lobes); for LA
// outside 1.5 half beam widths minus infinity, so that the envelope alone decides there. The
// kind is a template argument for callers that know it (ANT93); RawField dispatches on it.
template <CurveKind kKind, class Math = LibraryMath>
float RawFieldOf(const PreparedCurve& k, const SampleAngle& a) {
  const float c = a.c;
  if constexpr (kKind == CurveKind::EA) {
    return static_cast<float>(k.fourQ * c / (F(c) * c * k.denominatorFactor + 1.0));
  } else if constexpr (kKind == CurveKind::DE) {
    return static_cast<float>(std::fabs(k.fourQ * c / (F(c) * c * k.denominatorFactor + 1.0)));
  } else if constexpr (kKind == CurveKind::EB) {
    return curve_terms::BackFieldRaw(k, curve_terms::kEb, c);
  } else if constexpr (kKind == CurveKind::EC) {
    return curve_terms::BackFieldRaw(k, curve_terms::kEc, c);
  } else if constexpr (kKind == CurveKind::LA) {
    if (std::fabs(a.laX) > 1.5 * k.laWidth) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(
        Math::Cos(F(kPi) / 2.0 * (1.0 - Math::Cos(a.laThirdPiX / k.laWidth))));
  } else if constexpr (kKind == CurveKind::KA) {
    const float u = curve_terms::NonNegative(k.kSquare * c * c + k.kLinear);
    return static_cast<float>((F(c) * k.kFactor + std::sqrt(F(u))) / 2.0);
  } else if constexpr (kKind == CurveKind::CA || kKind == CurveKind::CB || kKind == CurveKind::CC) {
    const float cm = a.cosMultiple[static_cast<int>(kKind) - static_cast<int>(CurveKind::CA)];
    const float u = curve_terms::NonNegative(k.kSquare * cm * cm + k.kLinear);
    const float v = curve_terms::NonNegative((F(cm) * k.kFactor + std::sqrt(F(u))) / 2.0);
    return static_cast<float>(std::sqrt(F(v)));
  } else {
    const auto cSecond = static_cast<float>(CosDeg<Math>(F(a.phi) - 2.0 * k.lobeHalfAngle));
    return std::max(curve_terms::TwinLobe(k, c), curve_terms::TwinLobe(k, cSecond));
  }
}

inline float RawField(const PreparedCurve& k, const SampleAngle& a) {
  switch (k.kind) {
    case CurveKind::EA:
      return RawFieldOf<CurveKind::EA>(k, a);
    case CurveKind::EB:
      return RawFieldOf<CurveKind::EB>(k, a);
    case CurveKind::EC:
      return RawFieldOf<CurveKind::EC>(k, a);
    case CurveKind::DE:
      return RawFieldOf<CurveKind::DE>(k, a);
    case CurveKind::LA:
      return RawFieldOf<CurveKind::LA>(k, a);
    case CurveKind::KA:
      return RawFieldOf<CurveKind::KA>(k, a);
    case CurveKind::CA:
      return RawFieldOf<CurveKind::CA>(k, a);
    case CurveKind::CB:
      return RawFieldOf<CurveKind::CB>(k, a);
    case CurveKind::CC:
      return RawFieldOf<CurveKind::CC>(k, a);
    case CurveKind::V:
      return RawFieldOf<CurveKind::V>(k, a);
    case CurveKind::W:
      return RawFieldOf<CurveKind::W>(k, a);
  }
  return 0.0f;
}

// W's levels from its two digits: the outer one (position 6) and the inner one (position 7).
inline EnvelopeLevels TwinEnvelope(int outerDigit, int innerDigit) {
  return {static_cast<float>(innerDigit / 20.0 + F(0.35f)), static_cast<float>(outerDigit / 20.0)};
}

// The envelope radius of the other families from their last two digits as one number.
inline EnvelopeLevels RadiusEnvelope(int lastDigits) {
  const auto radius = static_cast<float>(lastDigits / 100.0);
  return {radius, radius};
}

// The envelope of a code of this curve whose last two digits are `lastDigits` (0..99).
inline EnvelopeLevels EnvelopeOf(const PreparedCurve& k, int lastDigits) {
  return k.kind == CurveKind::W ? TwinEnvelope(lastDigits / 10, lastDigits % 10)
                                : RadiusEnvelope(lastDigits);
}

// Every term evaluated (& rather than &&), so that a loop over angles has no branch here.
inline bool BetweenLobes(const PreparedCurve& k, const SampleAngle& a) {
  return (k.kind == CurveKind::W) & (a.phi >= 0) & (a.phi <= 2.0 * k.lobeHalfAngle);
}

// The relative field: the raw field raised to the envelope and clamped to 0.01 .. 1.
inline float FinishField(const PreparedCurve& k, float raw, const SampleAngle& a,
                         EnvelopeLevels levels) {
  return ClampField(std::max(raw, BetweenLobes(k, a) ? levels.inner : levels.outer));
}

inline float FinishField(const PreparedCurve& k, float raw, const SampleAngle& a, int lastDigits) {
  return FinishField(k, raw, a, EnvelopeOf(k, lastDigits));
}

inline float CurveField(const PreparedCurve& curve, const SampleAngle& angle, int lastDigits) {
  return FinishField(curve, RawField(curve, angle), angle, lastDigits);
}

// The curve of a code of the kind, read from the code's first number (V/W: its beam-width
// index, lobe half angle and back letter), which the caller has checked.
inline PreparedCurve PrepareCodeCurve(CurveKind kind, std::string_view code) {
  if (kind == CurveKind::V || kind == CurveKind::W) {
    return PrepareTwinCurve(CodeNumber(code, 1, 1), CodeNumber(code, 2, 3), CodeByte(code, 5),
                            kind == CurveKind::W);
  }
  return PrepareCurve(kind, CodeNumber(code, 1, 3));
}

// The envelope of the code's last two digits: W's two levels, the radius of the others.
inline EnvelopeLevels CodeEnvelope(CurveKind kind, std::string_view code) {
  return kind == CurveKind::W ? TwinEnvelope(CodeNumber(code, 6, 6), CodeNumber(code, 7, 7))
                              : RadiusEnvelope(CodeNumber(code, 6, 7));
}

}  // namespace lobrix
