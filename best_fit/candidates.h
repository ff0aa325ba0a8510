// Pieces shared by the best-fit search, its scoring and its reference search: the tenth-degree
// angle grid, the values each criterion compares, the candidate codes and their envelope
// levels.
//
// Every criterion compares "domain values" in which an envelope acts as a minimum: the
// attenuation in dB (a floor field z gives min(curve, dB(z))) or the negated relative field
// (max(f, z) becomes min(-f, -z)). So one search serves both.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "best_fit/best_fit.h"

namespace lobrix::fit {

inline constexpr int kSamples = 360;  // whole degrees of the measured plane
inline constexpr int kPhases = 10;    // tenth-degree phases of a direction
inline constexpr int kTenths = 3600;  // the tenth-degree grid of a code's curve

// Tenths of a degree brought into -1800 .. 1799 and the ANT93 angle for them (degrees).
int FoldTenths(int tenths);
float AngleOfTenths(int tenths);

enum class Domain { kDecibel, kNegativeField };
Domain DomainOf(FitCriterion criterion);
// A relative field already clamped to 0.01 .. 1, as a domain value.
float DomainOfField(float field, Domain domain);
// A measured field as a domain value: dB floored at 40 (a NaN, infinite or non-positive field
// is 40 dB), or the negated field (a NaN or infinite field is 0.01).
float MeasuredValue(float e, Domain domain);
// Measured domain values twice round the circle, so a shift never wraps an index.
std::array<float, 2 * kSamples> MeasuredTwice(const FitColumn& e, Domain domain);

// One candidate: family, first number (V/W: beam index d), V/W lobe half-angle L and letter
// (0 for A .. 8 for I), second number z (W: 10 e6 + e7), direction in tenths.
struct Candidate {
  int family = 0, first = 0, lobe = 0, letter = 0, z = 0, tenths = 0;
};
// True when a comes first in the search order (used to break ties between equal errors).
bool ComesFirst(const Candidate& a, const Candidate& b);
std::string CandidateCode(const Candidate& c);

// The angles of a code's maxima from its direction, in tenths (see FitCandidates): at most
// four, or every angle.
struct Maxima {
  bool everywhere = false;
  int count = 0;
  std::array<int, 4> tenths{};
};
// For a candidate's family, first number and V/W lobe half-angle (the second number never
// reaches a field of 1, so it moves no maximum).
Maxima MaximaOf(const Candidate& c);

// The directions an anchored candidate set keeps (every one when it is not anchored).
class DirectionWindow {
 public:
  explicit DirectionWindow(const FitCandidates& candidates);
  bool Anchored() const { return anchored_; }
  // A code with these maxima at `tenths` has one of them inside the window.
  bool Allows(const Maxima& maxima, int tenths) const;
  // The same for some direction of first .. first + count - 1 tenths (count < 1800).
  bool AllowsAny(const Maxima& maxima, int first, int count) const;
  // Sets marks[q] for each block q of `width` tenths (q * width .. q * width + width - 1, for
  // `blocks` blocks round the circle) that holds a direction allowed to a code with these maxima.
  void MarkBlocks(const Maxima& maxima, int width, bool* marks, int blocks) const;
  // The whole degree nearest to the anchor (0 .. 359).
  int NearestDegree() const;

 private:
  bool anchored_ = false;
  int anchor_ = 0;     // tenths, 0 .. 3599
  int tolerance_ = 0;  // tenths either side
};

// Type letters, first-number range and envelope rule of the single-curve families.
struct FamilyInfo {
  const char* type;
  int firstLow, firstHigh;
};
FamilyInfo InfoOf(FitFamily family);

// The values a candidate set takes in each field, in search order.
std::vector<int> FirstNumbers(FitFamily family, const FitCandidates& candidates);
std::vector<int> BeamIndices(const FitCandidates& candidates);     // V/W d
std::vector<int> LobeHalfAngles(const FitCandidates& candidates);  // V/W L
std::vector<int> SecondNumbers(const FitCandidates& candidates);   // z (W: 10 e6 + e7)

// Envelope levels as domain values: the envelope radius z/100 of every family but W, and W's
// outer level e6/20 and inner level 0.35 + e7/20 (single precision, as ANT93 forms them).
float EnvelopeLevel(int z, Domain domain);
float OuterLevel(int e6, Domain domain);
float InnerLevel(int e7, Domain domain);

// W inner region: 0 <= folded angle <= 2L.
inline bool InnerRegion(int tenths, int lobe) {
  const int folded = FoldTenths(tenths);
  return folded >= 0 && folded <= 20 * lobe;
}

// Criterion error from a sum of squares: RMS for dB criteria, the sum itself for kField.
double CriterionError(double sumOfSquares, FitCriterion criterion);

// Largest excess of the code's attenuation over the measured one still accepted by kEnvelope.
inline constexpr double kEnvelopeSlackDb = 1.0;

}  // namespace lobrix::fit
