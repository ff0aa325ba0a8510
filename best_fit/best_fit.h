// Best-fit conversion: the antenna code and direction whose curve matches one measured plane
// best under a stated criterion, searched over every code the classic conversion may return
// and every direction in tenths of a degree.
//
// Input: one plane as 360 relative fields e(0) .. e(359) at whole degrees, as the measured
// table holds them (normally 0 < e <= 1). A NaN or infinite field counts as 40 dB (0.01).
//
// Model: a code placed at direction a gives at sample i the value of ANT93 at the angle
// i - a brought into -180 .. 180. Directions are whole tenths of a degree, so every direction
// is a circular shift of the code's curve sampled at one of ten tenth-degree phases.
//
// Anchoring: a code fitted round the whole circle may point anywhere; on a broad or rippled
// plane the least error can lie far from the antenna's direction of maximum radiation, and
// such a code is of no use to a planner. An anchored search keeps only the directions at which
// one of the code's maxima lies within a tolerance of a given direction (the measured one).
#pragma once

#include <array>
#include <limits>
#include <string>
#include <string_view>

namespace lobrix {

using FitColumn = std::array<float, 360>;

enum class FitCriterion {
  kDb,        // root mean square of the attenuation differences, both floored at 40 dB
  kField,     // sum of squared relative-field differences
  kEnvelope,  // kDb among codes that nowhere exceed the measured attenuation by more than 1 dB
};
// "db", "field", "envelope".
const char* FitCriterionName(FitCriterion criterion);

enum class FitPlane { kHorizontal, kVertical };

// Code families in the order of the classic conversion (first of equal errors wins).
enum class FitFamily { kND, kEA, kEB, kEC, kLA, kKA, kDE, kCA, kCB, kCC, kV, kW };
inline constexpr int kFitFamilyCount = 12;

// The tolerance of an anchored fit unless the user sets another: degrees either side.
inline constexpr float kDefaultDirectionTolerance = 5.0f;

// Which codes and directions are searched. All() is every code of every family that the code
// check accepts, at every direction; strides thin a family out (every n-th first number, V/W
// beam index, V/W lobe half-angle, second number), always starting from the family's first
// value; an anchor keeps the directions at which one of the code's maxima lies within
// `toleranceDegrees` of `anchorDegrees`.
//
// A code's maxima are the angles where its relative field is 1: the direction itself for most
// codes, also 180 degrees on for DE and CA, 120 and 240 for CB, 90, 180 and 270 for CC, 2L for
// V and W (the second lobe), and every angle for ND and the omnidirectional KA, CA, CB and CC
// with first number 100. The anchor is taken to the nearest tenth of a degree and the
// tolerance down to a whole tenth; 180 or more leaves every direction open.
struct FitCandidates {
  std::array<bool, kFitFamilyCount> families{};
  int firstStride = 1;           // N of EA .. CC
  int beamStride = 1;            // V/W digit 1
  int lobeStride = 1;            // V/W digits 2-3
  int zStride = 1;               // positions 6-7 (W: the pair e6 e7 as one number)
  float anchorDegrees = 0;       // the measured direction of maximum radiation
  float toleranceDegrees = 180;  // 0 .. 180; 180: not anchored

  static FitCandidates All();
  // The fixed sample that a reference search can afford: every letter and beam index, every
  // third lobe half-angle, every eleventh second number (first numbers of EA .. CC all).
  static FitCandidates Sample();
  static FitCandidates Only(FitFamily family);
  FitCandidates& With(FitFamily family);
  // The same set anchored at `direction` (degrees of the measured plane) within `tolerance`.
  FitCandidates& AnchoredAt(float direction, float tolerance = kDefaultDirectionTolerance);
};

// How well one code at one direction matches the measured plane.
struct FitFigures {
  double criterionError = 0;      // kDb, kEnvelope: RMS dB; kField: sum of squares
  double rmsDb = 0;               // RMS of the attenuation differences, both floored at 40 dB
  float largestDeviationDb = 0;   // code minus measured (dB) where the difference is largest
  int largestDeviationAngle = 0;  // the sample angle of that difference, whole degrees
  float largestExcessDb = 0;      // most the code's attenuation exceeds the measured one
  bool envelopeHolds = false;     // largestExcessDb <= 1 dB
};

struct FitResult {
  bool found = false;  // false: no candidate qualifies (kEnvelope) or none was searched
  std::string code;
  float direction = 0;  // degrees, a whole tenth, 0 .. 359.9 (BetterFit: the given direction)
  FitFigures figures;
};

// The best code and direction for the criterion; among equal errors the first in family
// order, then first number, lobe, letter, second number, then the smallest direction.
// Both planes search the same families: the classic conversion runs one search on either
// column. `threads` 0 uses every core. With `errorBelow`, only a criterion error below it is
// wanted: nothing is found when no candidate has one, and the search drops far more at once
// (for a question such as "is any code 3 dB better than this one?").
FitResult FindBestFit(const FitColumn& e, FitPlane plane, FitCriterion criterion,
                      const FitCandidates& candidates = FitCandidates::All(), int threads = 0,
                      double errorBelow = std::numeric_limits<double>::infinity());

// The better under `criterion` of a search's result and one given code at a given direction,
// such as the classic conversion's, whose direction need not be a whole tenth: the given one
// when its error is strictly smaller (and, for kEnvelope, its envelope holds) or the search
// found nothing. So an anchored fit is never worse than the classic result it is anchored to.
FitResult BetterFit(const FitColumn& e, const FitResult& found, std::string_view code,
                    float direction, FitCriterion criterion);

// The same figures for a given code and direction (for example the classic conversion's
// result). A direction that is a whole tenth is evaluated on the search's own grid; any other
// as the converter does: i - direction in single precision, folded into -180 .. 180.
// Figures of an invalid code are NaN.
FitFigures ScoreFit(const FitColumn& e, std::string_view code, float direction,
                    FitCriterion criterion);

// Relative fields from attenuations in dB (for planes given as attenuations).
FitColumn FieldsFromAttenuations(const std::array<float, 360>& decibels);

}  // namespace lobrix
