// The small steps that the analysis, the conversion and its reference evaluation share: index
// wrapping, rounding, the sample sets, the azimuth offsets tried, the angle handed to the code's
// curve, the error sum and the result text. Both searches use exactly these, so they see the
// same numbers in the same order.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "pattern_files/measured_pattern.h"

namespace lobrix {

// Index into 0..359, whatever the number of turns.
inline int Wrap(int index) {
  const int r = index % 360;
  return r < 0 ? r + 360 : r;
}

// The column as the conversion reads it: relative fields within 0..1, a value that is not a
// number counted as the 40 dB floor (0.01). Keeps every error sum finite.
PatternColumn MeasuredRange(PatternColumn e);

// Nearest integer, halves to the even neighbour.
int RoundEven(double value);

// Sample step of a fitting window: about 30 samples, at least 1 degree apart.
int WindowStep(int start, int end);

// Indices start, start + step ... up to end, each wrapped into 0..359.
std::vector<int> WindowIndices(int start, int end, int step);
// Indices 0, n, 2n ... below 360.
std::vector<int> EveryNthDegree(int n);

// The azimuth offsets tried around the main azimuth, in the order tried: 0 down to -h/6 in steps
// of h/36, then h/36 up to h/6. The offset is accumulated in single precision, so the ends are
// sometimes missed (11 offsets instead of 13).
std::vector<float> SweepOffsets(int halfWidth);

// The azimuth tried: main azimuth plus offset, in single precision.
inline float TriedAzimuth(float mainAzimuth, float offset) {
  return mainAzimuth + offset;
}

// The error sum of a candidate: a single-precision sum of (weight * (e - model))^2.
inline float AddSquare(float error, float weight, float measured, float model) {
  const double term = static_cast<double>(weight) * (static_cast<double>(measured) - model);
  return static_cast<float>(error + term * term);
}

// Weight of a sample in the single-lobe fit: e^0.33.
float SingleLobeWeight(float measured);

inline constexpr float kNoFitYet = 1e38f;  // the best error before a stage starts

// The families a stage tries, in the order tried (the first of equal errors wins).
struct CodeFamily {
  std::string_view type;
  int low, high;  // first field
};
inline constexpr CodeFamily kSingleLobeFamilies[] = {
    {"EA", 1, 65}, {"EB", 1, 79}, {"EC", 1, 96}, {"LA", 1, 120}, {"KA", 0, 100}};
inline constexpr CodeFamily kOppositeLobeFamilies[] = {{"DE", 1, 65}, {"CA", 0, 100}};
inline constexpr std::string_view kNearOmniTypes[] = {"KA", "CA", "CB", "CC"};
inline constexpr int kNearOmniFirstLow = 90, kNearOmniFirstHigh = 100;
inline constexpr int kNearOmniLastLow = 90, kNearOmniLastHigh = 99;
// V then W, each with the back letters A..I.
inline constexpr std::string_view kTwinLobeTypes[] = {"VA", "VB", "VC", "VD", "VE", "VF",
                                                      "VG", "VH", "VI", "WA", "WB", "WC",
                                                      "WD", "WE", "WF", "WG", "WH", "WI"};

// Seven-character candidate codes: three digits, the type, two digits; or for the two-lobe
// codes one digit, two digits, the type, two digits.
std::string CandidateCode(int first, std::string_view type, int last);
std::string TwinLobeCode(int beamWidthIndex, int halfSeparation, std::string_view type, int last);

// "CODE,###.#": the azimuth reduced below 360 and written with one decimal (halves to even) in
// five characters, right-aligned, a negative value with its minus sign.
std::string ResultText(std::string_view code, float azimuth);

}  // namespace lobrix
