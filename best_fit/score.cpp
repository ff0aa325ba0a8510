// Figures of one code at one direction against a measured plane, straight from ANT93.
#include <cmath>
#include <limits>

#include "best_fit/candidates.h"
#include "model/antenna_pattern.h"

namespace lobrix {

namespace {

// Angle from the code's maximum to sample i. Whole tenths use the search's grid; any other
// direction is taken as the converter takes it: single precision, folded into -180 .. 180.
struct SampleAngles {
  bool onGrid;
  int tenths;
  float direction;

  float At(int i) const {
    if (onGrid) return fit::AngleOfTenths(10 * i - tenths);
    float d = static_cast<float>(i) - direction;
    if (d < -180.0f) d += 360.0f;
    if (d > 180.0f) d -= 360.0f;
    return d;
  }
};

SampleAngles AnglesFor(float direction) {
  const double tenths = std::nearbyint(static_cast<double>(direction) * 10.0);
  const bool onGrid = std::isfinite(direction) && std::fabs(tenths) < 1e7 &&
                      std::fabs(static_cast<double>(direction) * 10.0 - tenths) < 1e-3;
  return {onGrid, onGrid ? static_cast<int>(tenths) : 0, direction};
}

FitFigures Invalid() {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  FitFigures figures;
  figures.criterionError = nan;
  figures.rmsDb = nan;
  figures.largestDeviationDb = static_cast<float>(nan);
  figures.largestExcessDb = static_cast<float>(nan);
  return figures;
}

}  // namespace

FitFigures ScoreFit(const FitColumn& e, std::string_view code, float direction,
                    FitCriterion criterion) {
  if (!std::isfinite(direction) || VERANT(code) != 1) return Invalid();
  const SampleAngles angles = AnglesFor(direction);
  double dbSum = 0, fieldSum = 0;
  FitFigures figures;
  double largestExcess = -std::numeric_limits<double>::infinity();
  for (int i = 0; i < fit::kSamples; ++i) {
    const float angle = angles.At(i);
    const float field = ANT93(code, angle, kRelativeField);
    const float decibel = ANT93(code, angle, kDecibel);
    if (field < 0 || decibel < 0) return Invalid();
    const float measured = e[static_cast<std::size_t>(i)];
    const double dbDifference =
        static_cast<double>(decibel) - fit::MeasuredValue(measured, fit::Domain::kDecibel);
    const double fieldDifference =
        static_cast<double>(-field) - fit::MeasuredValue(measured, fit::Domain::kNegativeField);
    dbSum += dbDifference * dbDifference;
    fieldSum += fieldDifference * fieldDifference;
    if (std::fabs(dbDifference) > std::fabs(figures.largestDeviationDb) || i == 0) {
      figures.largestDeviationDb = static_cast<float>(dbDifference);
      figures.largestDeviationAngle = i;
    }
    if (dbDifference > largestExcess) largestExcess = dbDifference;
  }
  figures.rmsDb = fit::CriterionError(dbSum, FitCriterion::kDb);
  figures.criterionError =
      fit::CriterionError(criterion == FitCriterion::kField ? fieldSum : dbSum, criterion);
  figures.largestExcessDb = static_cast<float>(largestExcess);
  figures.envelopeHolds = largestExcess <= fit::kEnvelopeSlackDb;
  return figures;
}

}  // namespace lobrix
