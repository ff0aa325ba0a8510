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

#include <string_view>

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
SampleAngle MakeSampleAngle(float angle);

enum class CurveKind { EA, EB, EC, DE, LA, KA, CA, CB, CC, V, W };

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
// The curve of a V or W code: beam-width index d (0..9), half angle L (0..99), back letter A..I.
CandidateCurve PrepareTwinCurve(int beamWidthIndex, int lobeHalfAngle, char letter, bool w);

// The field before the envelope: the curve itself (V/W: the larger of the two lobes); for LA
// outside 1.5 half beam widths minus infinity, so that the envelope alone decides there.
float RawField(const CandidateCurve& curve, const SampleAngle& angle);
// The envelope of the last two digits (radius, or W outer and inner levels) and the final clamp
// to 0.01 .. 1 applied to a raw field.
float FinishField(const CandidateCurve& curve, float raw, const SampleAngle& angle, int lastDigits);
inline float CurveField(const CandidateCurve& curve, const SampleAngle& angle, int lastDigits) {
  return FinishField(curve, RawField(curve, angle), angle, lastDigits);
}

}  // namespace lobrix
