// ANT93: the relative field or attenuation of one antenna code at one angle in its own plane.
//
// Every curve, table, read-out, gain integral and 3-D value is built from this function, and
// the views call it hundreds of thousands of times: it parses the code in place and computes
// only the transcendental functions its type needs. The families with a prepared curve
// (prepared_curve.h) are evaluated through it, so the conversion, which evaluates prepared
// curves at many angles, gets the same numbers from the same formulas.
#include <algorithm>
#include <cmath>

#include "model/antenna_pattern.h"
#include "model/code_fields.h"
#include "model/cosine_power.h"
#include "model/pattern_math.h"
#include "model/prepared_curve.h"

namespace lobrix {

namespace {

// Cosine-power lobe of TA and P codes; its power is not computed behind +-90 degrees.
float CosinePowerField(float angle, int n) {
  const auto h = static_cast<float>(CosDeg(angle));
  if (h <= 0) return 0.0f;
  return CosinePowerLobe(h, CosinePowerExponent(n));
}

bool InRange(int n, int low, int high) {
  return n >= low && n <= high;
}

// The relative field of a code of one prepared-curve family with first number n. The kind is a
// template argument so that the compiler keeps only that family's preparation and formula.
// The first number, already read for the range check, is not read again (V and W read their
// own digits): a call a value is the common use, and reading costs as much as the formula.
template <CurveKind kKind>
float PreparedField(std::string_view code, int n, float angle) {
  constexpr bool kTwin = kKind == CurveKind::V || kKind == CurveKind::W;
  const PreparedCurve curve = kTwin ? PrepareCodeCurve(kKind, code) : PrepareCurve(kKind, n);
  // The angle is folded only from 180 up; the cosine-based formulas do not notice an angle
  // below -180, while LA and the W inner envelope see it unfolded.
  const SampleAngle sample = MakeSampleAngle(angle, TermsOf(kKind));
  return FinishField(curve, RawFieldOf<kKind>(curve, sample), sample, CodeEnvelope(kKind, code));
}

// The type letters of positions 4-5 as one number, for a switch over the types.
constexpr int TypeKey(int t1, int t2) {
  return t1 << 8 | t2;
}

// TA and P: the cosine-power lobe, the envelope radius a floor on it.
float CosinePowerCodeField(std::string_view code, int n, float angle) {
  const auto z = static_cast<float>(CodeNumber(code, 6, 7) / 100.0);
  return ClampField(std::max(CosinePowerField(angle, n), z));
}

}  // namespace

float ANT93(std::string_view code, float angle, int mode) {
  if (!std::isfinite(angle)) return kInvalidPattern;
  const int t1 = CodeByte(code, 4);
  const int t2 = CodeByte(code, 5);
  if (t1 == 'N' && t2 == 'D') return mode == kDecibel ? 0.0f : 1.0f;
  const int n = CodeNumber(code, 1, 3);
  // The field of a valid code in the mode asked for; a first number outside low..high is invalid.
  const auto result = [&](auto field, int low, int high) {
    if (!InRange(n, low, high)) return kInvalidPattern;
    const float f = field(code, n, angle);
    return mode == kDecibel ? ToDecibel(f) : f;
  };
  if (t1 == 'P') return result(CosinePowerCodeField, 1, 890);
  switch (TypeKey(t1, t2)) {
    case TypeKey('E', 'A'):
      return result(PreparedField<CurveKind::EA>, 1, 65);
    case TypeKey('E', 'B'):
      return result(PreparedField<CurveKind::EB>, 1, 79);
    case TypeKey('E', 'C'):
      return result(PreparedField<CurveKind::EC>, 1, 96);
    case TypeKey('D', 'E'):
      return result(PreparedField<CurveKind::DE>, 1, 65);
    case TypeKey('L', 'A'):
      return result(PreparedField<CurveKind::LA>, 1, 120);
    case TypeKey('K', 'A'):
      return result(PreparedField<CurveKind::KA>, 0, 100);
    case TypeKey('C', 'A'):
      return result(PreparedField<CurveKind::CA>, 0, 100);
    case TypeKey('C', 'B'):
      return result(PreparedField<CurveKind::CB>, 0, 100);
    case TypeKey('C', 'C'):
      return result(PreparedField<CurveKind::CC>, 0, 100);
    case TypeKey('T', 'A'):
      return result(CosinePowerCodeField, 1, 890);
    default:
      // V and W: any first number; the back letter A..I is the check.
      if ((t1 != 'V' && t1 != 'W') || t2 < 'A' || t2 > 'I') return kInvalidPattern;
      return t1 == 'W' ? result(PreparedField<CurveKind::W>, 0, 999)
                       : result(PreparedField<CurveKind::V>, 0, 999);
  }
}

}  // namespace lobrix
