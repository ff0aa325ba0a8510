// Exhaustive reference for the best-fit search, for tests and benchmarks only: every code of
// the candidate set at every tenth-degree direction its anchor allows, each code's values
// straight from ANT93 (the code with second number 00, cut by the code's envelope level),
// errors summed sample by sample. It drops a candidate only when a partial sum of its own squared
// differences already exceeds the best error.
#pragma once

#include <vector>

#include "best_fit/best_fit.h"

namespace lobrix {

struct ReferenceFit {
  bool found = false;
  std::string code;
  float direction = 0;
  double criterionError = 0;  // as FitFigures::criterionError
};

// One result per measured plane; the planes share the ANT93 curves.
std::vector<ReferenceFit> FindBestFitsReference(const std::vector<FitColumn>& planes,
                                                FitCriterion criterion,
                                                const FitCandidates& candidates);

}  // namespace lobrix
