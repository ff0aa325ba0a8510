// The curve of one candidate code of the conversion, prepared once and evaluated at many sample
// angles: the same numbers that ANT93 gives for that code, bit for bit, without parsing the code
// or recomputing its constants at every sample.
//
// The conversion tries a few thousand codes at a few dozen angles each. ANT93 parses the code
// and derives the constants of its curve (cosine of the beam width, the lobe factors) at every
// call; here they are derived once per candidate, the cosines of the sample angles once per
// sample set, and the last two digits (envelope radius, or the two W envelope levels) are
// applied at the end, so a digit sweep costs no transcendental function at all. Each formula
// is the one of the model, with the same single-precision working values and the same order of
// operations; a test compares it with ANT93 over every family the search uses.
#pragma once

#include <algorithm>
#include <cmath>
#include <limits>
#include <string_view>

#include "pattern_math.h"

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
unsigned TermsOf(CurveKind kind);

SampleAngle MakeSampleAngle(float angle, unsigned terms = kAllTerms);

struct CandidateCurve {
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

// The curve of "NNN" + type + last digits for the types EA, EB, EC, DE, LA, KA, CA, CB, CC, with
// a first number the type accepts.
CandidateCurve PrepareCurve(std::string_view type, int first);
CurveKind KindOf(std::string_view type);
// The curve of a V or W code: beam-width index d (0..9), half angle L (0..99), back letter A..I.
CandidateCurve PrepareTwinCurve(int beamWidthIndex, int lobeHalfAngle, char letter, bool w);

// The envelope of the last two digits: a floor on the field, for W the inner level between the
// two lobes and the outer level elsewhere, for the other types the envelope radius everywhere.
struct EnvelopeLevels {
  float inner, outer;
};

// Evaluation, inline: these run for every sample of every candidate.
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

inline float BackFieldRaw(const CandidateCurve& k, const BackFieldConstants& b, float c) {
  const float u = NonNegative(k.uSquareFactor * c * c + k.uConstant);
  return static_cast<float>((k.frontQ * c + F(b.sqrtWeight) * std::sqrt(F(u))) /
                            (F(c) * c * k.denominatorFactor + F(b.square)));
}

inline float TwinLobe(const CandidateCurve& k, float x) {
  const float root = NonNegative(F(x) * x * k.k8 + k.k4);
  return static_cast<float>((F(x) * k.kc + std::sqrt(F(root))) / (F(x) * x * k.k0 + k.p));
}

}  // namespace curve_terms

// The field before the envelope: the curve itself (V/W: the larger of the two lobes); for LA
// outside 1.5 half beam widths minus infinity, so that the envelope alone decides there.
inline float RawField(const CandidateCurve& k, const SampleAngle& a) {
  const float c = a.c;
  switch (k.kind) {
    case CurveKind::EA:
      return static_cast<float>(k.fourQ * c / (F(c) * c * k.denominatorFactor + 1.0));
    case CurveKind::DE:
      return static_cast<float>(std::fabs(k.fourQ * c / (F(c) * c * k.denominatorFactor + 1.0)));
    case CurveKind::EB:
      return curve_terms::BackFieldRaw(k, curve_terms::kEb, c);
    case CurveKind::EC:
      return curve_terms::BackFieldRaw(k, curve_terms::kEc, c);
    case CurveKind::LA:
      if (std::fabs(a.laX) > 1.5 * k.laWidth) return -std::numeric_limits<float>::infinity();
      return static_cast<float>(
          std::cos(F(kPi) / 2.0 * (1.0 - std::cos(a.laThirdPiX / k.laWidth))));
    case CurveKind::KA: {
      const float u = curve_terms::NonNegative(k.kSquare * c * c + k.kLinear);
      return static_cast<float>((F(c) * k.kFactor + std::sqrt(F(u))) / 2.0);
    }
    case CurveKind::CA:
    case CurveKind::CB:
    case CurveKind::CC: {
      const float cm = a.cosMultiple[static_cast<int>(k.kind) - static_cast<int>(CurveKind::CA)];
      const float u = curve_terms::NonNegative(k.kSquare * cm * cm + k.kLinear);
      const float v = curve_terms::NonNegative((F(cm) * k.kFactor + std::sqrt(F(u))) / 2.0);
      return static_cast<float>(std::sqrt(F(v)));
    }
    case CurveKind::V:
    case CurveKind::W: {
      const auto cSecond = static_cast<float>(CosDeg(F(a.phi) - 2.0 * k.lobeHalfAngle));
      return std::max(curve_terms::TwinLobe(k, c), curve_terms::TwinLobe(k, cSecond));
    }
  }
  return 0.0f;
}

inline EnvelopeLevels EnvelopeOf(const CandidateCurve& k, int lastDigits) {
  if (k.kind == CurveKind::W) {
    return {static_cast<float>((lastDigits % 10) / 20.0 + F(0.35f)),
            static_cast<float>((lastDigits / 10) / 20.0)};
  }
  const auto radius = static_cast<float>(lastDigits / 100.0);
  return {radius, radius};
}

inline bool BetweenLobes(const CandidateCurve& k, const SampleAngle& a) {
  return k.kind == CurveKind::W && a.phi >= 0 && a.phi <= 2.0 * k.lobeHalfAngle;
}

inline float FinishField(const CandidateCurve& k, float raw, const SampleAngle& a, int lastDigits) {
  const EnvelopeLevels levels = EnvelopeOf(k, lastDigits);
  return ClampField(std::max(raw, BetweenLobes(k, a) ? levels.inner : levels.outer));
}

inline float CurveField(const CandidateCurve& curve, const SampleAngle& angle, int lastDigits) {
  return FinishField(curve, RawField(curve, angle), angle, lastDigits);
}

}  // namespace lobrix
