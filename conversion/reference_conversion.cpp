// The brute-force search, candidate by candidate and sample by sample through ANT93.
#include "conversion/reference_conversion.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include "conversion/search_terms.h"
#include "model/antenna_pattern.h"

namespace lobrix {

namespace {

enum class Weighting { kNone, kRoot, kField };

float WeightOf(Weighting weighting, float measured) {
  switch (weighting) {
    case Weighting::kRoot:
      return SingleLobeWeight(measured);
    case Weighting::kField:
      return measured;
    case Weighting::kNone:
      break;
  }
  return 1.0f;
}

struct Search {
  const PatternColumn& e;
  float bestError = kNoFitYet;
  std::string bestCode = "000ND00";
  float bestAzimuth = 0;

  float Error(const std::string& code, const std::vector<int>& indices, float azimuth,
              Weighting weighting) const {
    float error = 0;
    for (const int i : indices) {
      const float measured = e[static_cast<std::size_t>(i)];
      const float model = ANT93(code, AngleFromMaximum(i, azimuth), kRelativeField);
      error = AddSquare(error, WeightOf(weighting, measured), measured, model);
    }
    return error;
  }

  bool Try(const std::string& code, const std::vector<int>& indices, float azimuth,
           Weighting weighting) {
    const float error = Error(code, indices, azimuth, weighting);
    if (!(error < bestError)) return false;
    bestError = error;
    bestCode = code;
    bestAzimuth = azimuth;
    return true;
  }

  void Sweep(const std::string& code, float mainAzimuth, int halfWidth,
             const std::vector<int>& indices, Weighting weighting) {
    for (const float s : SweepOffsets(halfWidth)) {
      Try(code, indices, TriedAzimuth(mainAzimuth, s), weighting);
    }
  }
};

// The first five characters of a code followed by the two digits of `last`.
std::string WithLastDigits(const std::string& prefix, int last) {
  char digits[8];
  std::snprintf(digits, sizeof digits, "%02d", last);
  return prefix + digits;
}

}  // namespace

std::string ReferenceConvertPattern(PatternColumn e) {
  e = MeasuredRange(e);
  const PatternShape shape = AnalysePattern(e);
  if (shape.lobeClass == LobeClass::Flat) return ResultText("000ND00", 0.0f);

  Search search{e};
  search.bestAzimuth = shape.mainAzimuth;
  const std::vector<int> window =
      WindowIndices(shape.windowStart, shape.windowEnd, shape.windowStep);
  const auto refine = [&](const std::vector<int>& indices) {
    search.bestError = kNoFitYet;
    const std::string prefix = search.bestCode.substr(0, 5);
    const float azimuth = search.bestAzimuth;
    for (int last = 0; last <= 99; ++last) {
      search.Try(WithLastDigits(prefix, last), indices, azimuth, Weighting::kNone);
    }
  };

  switch (shape.lobeClass) {
    case LobeClass::NearOmni:
      for (const std::string_view type : kNearOmniTypes) {
        for (int first = kNearOmniFirstLow; first <= kNearOmniFirstHigh; ++first) {
          for (int last = kNearOmniLastLow; last <= kNearOmniLastHigh; ++last) {
            search.Try(CandidateCode(first, type, last), EveryNthDegree(3), shape.mainAzimuth,
                       Weighting::kNone);
          }
        }
      }
      break;
    case LobeClass::One:
    case LobeClass::Opposite: {
      const bool one = shape.lobeClass == LobeClass::One;
      const auto weighting = one ? Weighting::kRoot : Weighting::kField;
      for (const CodeFamily& family : one ? std::span<const CodeFamily>(kSingleLobeFamilies)
                                          : std::span<const CodeFamily>(kOppositeLobeFamilies)) {
        for (int first = family.low; first <= family.high; ++first) {
          search.Sweep(CandidateCode(first, family.type, 0), shape.mainAzimuth, shape.halfWidth,
                       window, weighting);
        }
      }
      refine(EveryNthDegree(1));
      break;
    }
    case LobeClass::Two: {
      const int q0 = std::min(99, RoundEven(shape.separation / 2.0));
      int bestP = 0;
      for (int p = 0; p <= 9; ++p) {
        const std::string code = TwinLobeCode(p, q0, "VE", 0);
        const float before = search.bestError;
        search.Sweep(code, shape.mainAzimuth, shape.halfWidth, window, Weighting::kField);
        if (search.bestError < before) bestP = p;
      }
      const int k = RoundEven(shape.secondaryAzimuth);
      const std::vector<int> secondWindow =
          WindowIndices(k - shape.halfWidth, k + shape.halfWidth,
                        WindowStep(k - shape.halfWidth, k + shape.halfWidth));
      const int q1 = RoundEven(
          (shape.separation - (static_cast<double>(search.bestAzimuth) - shape.mainAzimuth)) / 2.0);
      const int low = std::max(0, q1 - 5), high = std::min(99, q1 + 5);
      search.bestError = kNoFitYet;
      int bestQ = 0;
      if (high > low) {
        for (int q = low; q <= high; ++q) {
          if (search.Try(TwinLobeCode(bestP, q, "VE", 0), secondWindow, search.bestAzimuth,
                         Weighting::kField)) {
            bestQ = q;
          }
        }
      }
      search.bestError = kNoFitYet;
      for (const std::string_view type : kTwinLobeTypes) {
        for (int last = 0; last <= 99; ++last) {
          search.Try(TwinLobeCode(bestP, bestQ, type, last), EveryNthDegree(6), search.bestAzimuth,
                     Weighting::kNone);
        }
      }
      break;
    }
    case LobeClass::Three:
    case LobeClass::Four: {
      const std::string_view type = shape.lobeClass == LobeClass::Three ? "CB" : "CC";
      for (int first = 0; first <= 100; ++first) {
        search.Try(CandidateCode(first, type, 0), window, shape.mainAzimuth, Weighting::kNone);
      }
      refine(EveryNthDegree(2));
      break;
    }
    case LobeClass::Flat:
      break;
  }
  return ResultText(search.bestCode, search.bestAzimuth);
}

}  // namespace lobrix
