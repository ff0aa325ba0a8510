// ANT93: the relative field or attenuation of one antenna code at one angle in its own plane.
//
// Every curve, table, read-out, gain integral and 3-D value is built from this function, and
// the views call it hundreds of thousands of times: it parses the code in place and computes
// only the transcendental functions its type needs. The families with a prepared curve
// (prepared_curve.h) are evaluated through it, so the conversion, which evaluates prepared
// curves at many angles, gets the same numbers from the same formulas.
#include <algorithm>
#include <cmath>

#include "antenna_pattern.h"
#include "code_fields.h"
#include "pattern_math.h"
#include "prepared_curve.h"

namespace lobrix {

namespace {

// Cosine-power lobe of TA and P codes: 1/sqrt(2) at N/10 degrees (0.1505 = log10 sqrt 2).
float CosinePowerField(float angle, int n) {
  const auto h = static_cast<float>(CosDeg(angle));
  if (h <= 0) return 0.0f;
  const auto exponent = static_cast<float>(-F(0.1505f) / std::log10(CosDeg(n / 10.0)));
  return static_cast<float>(std::pow(F(h), F(exponent)));
}

bool InRange(int n, int low, int high) {
  return n >= low && n <= high;
}

// The prepared-curve family of the type letters t1 t2, if the first number n is in its range
// (V and W: if the back letter is A..I, whatever n is).
bool FindCurveKind(int t1, int t2, int n, CurveKind& kind) {
  const auto type = [&](char a, char b) { return t1 == a && t2 == b; };
  if (t1 == 'V' || t1 == 'W') {
    kind = t1 == 'W' ? CurveKind::W : CurveKind::V;
    return t2 >= 'A' && t2 <= 'I';
  }
  struct Family {
    char t1, t2;
    CurveKind kind;
    int low, high;
  };
  static constexpr Family kFamilies[] = {
      {'E', 'A', CurveKind::EA, 1, 65},  {'E', 'B', CurveKind::EB, 1, 79},
      {'E', 'C', CurveKind::EC, 1, 96},  {'D', 'E', CurveKind::DE, 1, 65},
      {'L', 'A', CurveKind::LA, 1, 120}, {'K', 'A', CurveKind::KA, 0, 100},
      {'C', 'A', CurveKind::CA, 0, 100}, {'C', 'B', CurveKind::CB, 0, 100},
      {'C', 'C', CurveKind::CC, 0, 100}};
  for (const Family& family : kFamilies) {
    if (type(family.t1, family.t2)) {
      kind = family.kind;
      return InRange(n, family.low, family.high);
    }
  }
  return false;
}

}  // namespace

float ANT93(std::string_view code, float angle, int mode) {
  if (!std::isfinite(angle)) return kInvalidPattern;
  const int t1 = CodeByte(code, 4);
  const int t2 = CodeByte(code, 5);
  if (t1 == 'N' && t2 == 'D') return mode == kDecibel ? 0.0f : 1.0f;

  const int n = CodeNumber(code, 1, 3);
  float f = 0;
  if ((t1 == 'T' && t2 == 'A') || t1 == 'P') {
    if (!InRange(n, 1, 890)) return kInvalidPattern;
    const auto z = static_cast<float>(CodeNumber(code, 6, 7) / 100.0);
    f = ClampField(std::max(CosinePowerField(angle, n), z));  // the envelope radius is a floor
  } else {
    CurveKind kind{};
    if (!FindCurveKind(t1, t2, n, kind)) return kInvalidPattern;
    // V and W read the beam-width index and the lobes' half angle from positions 1 and 2-3.
    const PreparedCurve curve =
        kind == CurveKind::V || kind == CurveKind::W
            ? PrepareTwinCurve(CodeNumber(code, 1, 1), CodeNumber(code, 2, 3), t2,
                               kind == CurveKind::W)
            : PrepareCurve(kind, n);
    // The angle is folded only from 180 up; the cosine-based formulas do not notice an angle
    // below -180, while LA and the W inner envelope see it unfolded.
    const SampleAngle sample = MakeSampleAngle(angle, TermsOf(kind));
    const EnvelopeLevels levels = kind == CurveKind::W
                                      ? TwinEnvelope(CodeNumber(code, 6, 6), CodeNumber(code, 7, 7))
                                      : RadiusEnvelope(CodeNumber(code, 6, 7));
    f = FinishField(curve, RawField(curve, sample), sample, levels);
  }
  return mode == kDecibel ? ToDecibel(f) : f;
}

}  // namespace lobrix
