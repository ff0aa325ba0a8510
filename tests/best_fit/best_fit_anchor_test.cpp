// Anchored best fits: which angles are a code's maxima, which directions a window keeps, fits
// whose maxima must stay within the window (and agree with the reference on it), the dB fit
// never worse than the classic result it is anchored to, and searches below a given error.
#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "best_fit/best_fit.h"
#include "best_fit/candidates.h"
#include "best_fit/reference.h"
#include "conversion/conversion.h"
#include "model/antenna_pattern.h"
#include "tests/best_fit/best_fit_patterns.h"

namespace lobrix {
namespace {

using testing::RealisticPlane;

// The relative field of a code at an angle of tenths, straight from ANT93.
float FieldAt(const std::string& code, int tenths) {
  return ANT93(code, static_cast<float>(std::remainder(tenths / 10.0, 360.0)), kRelativeField);
}

// A code's maxima written out by hand from its formula (degrees from its direction), or none
// for the codes that are 1 all round.
struct MaximaCase {
  const char* code;
  std::vector<int> degrees;
};

const MaximaCase kMaximaCases[] = {
    {"030EA10", {0}},
    {"079EB00", {0}},
    {"096EC50", {0}},
    {"030LA00", {0}},
    {"099KA00", {0}},
    {"045DE08", {0, 180}},
    {"020CA45", {0, 180}},
    {"070CB81", {0, 120, 240}},
    {"010CC99", {0, 90, 180, 270}},
    {"512VE33", {0, 24}},
    {"099VA01", {0, 198}},
    {"860WB88", {0, 120}},
    {"900VI00", {0}},
    {"090VC00", {0, 180}},
    {"000ND00", {}},
    {"100KA00", {}},
    {"100CA50", {}},
    {"100CC00", {}},
};

fit::Candidate CandidateOfCode(const std::string& code) {
  static const char* types[] = {"ND", "EA", "EB", "EC", "LA", "KA", "DE", "CA", "CB", "CC"};
  fit::Candidate c;
  const std::string type = code.substr(3, 2);
  if (type[0] == 'V' || type[0] == 'W') {
    c.family = static_cast<int>(type[0] == 'V' ? FitFamily::kV : FitFamily::kW);
    c.first = code[0] - '0';
    c.lobe = std::stoi(code.substr(1, 2));
    c.letter = type[1] - 'A';
  } else {
    for (int f = 0; f < 10; ++f)
      if (type == types[f]) c.family = f;
    c.first = std::stoi(code.substr(0, 3));
  }
  c.z = std::stoi(code.substr(5, 2));
  return c;
}

// The hand-written maxima are where ANT93 gives a field of 1, and nowhere else (a broad code's
// field stays within 1e-6 of 1 for a degree or two round its maximum); MaximaOf gives them.
TEST(BestFitMaxima, AreWhereTheCodeReachesAFieldOfOne) {
  for (const MaximaCase& c : kMaximaCases) {
    const fit::Maxima maxima = fit::MaximaOf(CandidateOfCode(c.code));
    EXPECT_EQ(maxima.everywhere, c.degrees.empty()) << c.code;
    ASSERT_EQ(maxima.count, static_cast<int>(c.degrees.size())) << c.code;
    for (std::size_t m = 0; m < c.degrees.size(); ++m) {
      EXPECT_EQ(maxima.tenths[m], 10 * c.degrees[m]) << c.code;
      EXPECT_GE(FieldAt(c.code, 10 * c.degrees[m]), 1.0f - 1e-6f)
          << c.code << " at " << c.degrees[m];
    }
    for (int t = 0; t < fit::kTenths; ++t) {
      if (FieldAt(c.code, t) < 1.0f - 1e-6f) continue;
      bool near = c.degrees.empty();
      for (int degrees : c.degrees)
        near = near || std::fabs(std::remainder(t / 10.0 - degrees, 360.0)) <= 2.0;
      EXPECT_TRUE(near) << c.code << " reaches 1 at " << t / 10.0;
    }
  }
}

// The window's quick answers for a block or a run of directions are the answer of every
// direction in it, for windows that wrap round 0, a tolerance of 0, and several maxima.
TEST(BestFitWindow, BlocksAndRunsAnswerAsTheirDirectionsDo) {
  // 9.9 and 5.0 within 5 degrees begin and end on the edges of blocks of 5 degrees.
  const std::vector<std::pair<float, float>> windows = {
      {4.2f, 5.0f}, {9.9f, 5.0f},    {5.0f, 5.0f},   {359.96f, 5.0f},
      {0.0f, 0.0f}, {181.25f, 0.3f}, {-2.6f, 20.0f}, {90.0f, 179.9f}};
  const std::vector<std::string> codes = {"030EA10", "070CB81", "512VE33", "010CC99"};
  for (const auto& [anchor, tolerance] : windows) {
    const fit::DirectionWindow window(FitCandidates::All().AnchoredAt(anchor, tolerance));
    ASSERT_TRUE(window.Anchored());
    for (const std::string& code : codes) {
      const fit::Maxima maxima = fit::MaximaOf(CandidateOfCode(code));
      bool marks[72] = {};
      window.MarkBlocks(maxima, 50, marks, 72);
      for (int q = 0; q < 72; ++q) {
        bool any = false;
        for (int t = 50 * q; t < 50 * q + 50; ++t) any = any || window.Allows(maxima, t);
        EXPECT_EQ(marks[q], any) << code << " block " << q << " anchor " << anchor;
        for (int first = 50 * q; first < 50 * q + 50; first += 10) {
          bool run = false;
          for (int t = first; t < first + 10; ++t) run = run || window.Allows(maxima, t);
          EXPECT_EQ(window.AllowsAny(maxima, first, 10), run) << code << " from " << first;
        }
      }
      // The allowed directions are exactly those that put a maximum within the tolerance of
      // the anchor taken to a tenth.
      const double anchorTenths = std::nearbyint(anchor * 10.0);
      for (int t = 0; t < fit::kTenths; ++t) {
        bool expected = false;
        for (int m = 0; m < maxima.count; ++m) {
          const double off = std::remainder(t + maxima.tenths[m] - anchorTenths, 3600.0);
          expected = expected || std::fabs(off) <= std::floor(tolerance * 10.0 + 1e-4);
        }
        ASSERT_EQ(window.Allows(maxima, t), expected) << code << " at " << t;
      }
    }
  }
  EXPECT_FALSE(fit::DirectionWindow(FitCandidates::All().AnchoredAt(10, 180)).Anchored());
}

// One of the fitted code's maxima, found from its own ANT93 curve, lies within the tolerance
// of the anchor (taken to a tenth).
bool MaximumWithin(const FitResult& fit, float anchor, float tolerance) {
  for (int t = 0; t < fit::kTenths; ++t) {
    if (FieldAt(fit.code, t) < 1.0f - 1e-6f) continue;
    const double at = fit.direction + t / 10.0;
    if (std::fabs(std::remainder(at - anchor, 360.0)) <= tolerance + 0.05 + 1e-6) return true;
  }
  return false;
}

// Broad and rippled planes whose best fit round the circle points away from the antenna.
struct AnchorCase {
  const char* code;
  int tenths;    // where the plane's maximum is
  float anchor;  // the measured direction the fit is held to
  float tolerance;
  double rippleDb;
};

const AnchorCase kAnchorCases[] = {
    {"090EB00", 40, 4.0f, 5.0f, 2.5},     {"110LA00", 3500, 350.0f, 5.0f, 3.0},
    {"070KA00", 1800, 178.5f, 2.0f, 2.0}, {"045DE00", 900, 91.0f, 5.0f, 1.5},
    {"512VE00", 2000, 203.0f, 5.0f, 1.0}, {"632WD35", 3590, 0.0f, 0.0f, 1.0},
    {"030CB00", 100, 130.0f, 10.0f, 1.0}, {"065EA00", 1234, 120.0f, 1.5f, 2.0},
};

// Thinned, so that the reference (every code's curve from ANT93) stays quick under the
// sanitizers; V and W keep three beam indices, nine lobe half-angles and every letter.
FitCandidates SampleSet() {
  FitCandidates set = FitCandidates::Sample();
  set.firstStride = 4;
  set.beamStride = 4;
  set.lobeStride = 12;
  return set;
}

void PrintTo(const AnchorCase& c, std::ostream* out) {
  *out << c.code << " at " << c.tenths / 10.0 << ", anchored at " << c.anchor << " within "
       << c.tolerance;
}

class BestFitAnchoredCase : public ::testing::TestWithParam<AnchorCase> {};

TEST_P(BestFitAnchoredCase, MaximaStayInTheWindowAndTheReferenceAgrees) {
  const AnchorCase& c = GetParam();
  std::mt19937 random(static_cast<unsigned>(c.tenths));
  testing::Disturbance how;
  how.rippleDb = c.rippleDb;
  const FitColumn plane = RealisticPlane(c.code, c.tenths, how, random);
  FitCandidates set = SampleSet();
  set.AnchoredAt(c.anchor, c.tolerance);
  for (FitCriterion criterion :
       {FitCriterion::kDb, FitCriterion::kField, FitCriterion::kEnvelope}) {
    const FitResult fit = FindBestFit(plane, FitPlane::kHorizontal, criterion, set);
    const ReferenceFit reference = FindBestFitsReference({plane}, criterion, set)[0];
    ASSERT_EQ(fit.found, reference.found) << FitCriterionName(criterion);
    if (!fit.found) continue;  // no envelope fit qualifies
    EXPECT_TRUE(MaximumWithin(fit, c.anchor, c.tolerance))
        << FitCriterionName(criterion) << ": " << fit.code << " at " << fit.direction;
    EXPECT_NEAR(fit.figures.criterionError, reference.criterionError,
                1e-6 * std::max(reference.criterionError, 1e-6))
        << FitCriterionName(criterion) << ": " << fit.code << " at " << fit.direction
        << ", reference " << reference.code << " at " << reference.direction;
  }
}

INSTANTIATE_TEST_SUITE_P(BroadAndRippled, BestFitAnchoredCase, ::testing::ValuesIn(kAnchorCases),
                         [](const auto& info) {
                           return std::string(info.param.code) + "_at_" +
                                  std::to_string(info.param.tenths);
                         });

// A tolerance of 180 is the search round the whole circle.
TEST(BestFitAnchored, ToleranceOf180IsTheUnrestrictedSearch) {
  std::mt19937 random(29);
  const FitColumn plane = RealisticPlane("065EB00", 3000, {}, random);
  FitCandidates set = SampleSet();
  const FitResult free = FindBestFit(plane, FitPlane::kHorizontal, FitCriterion::kDb, set);
  set.AnchoredAt(120.0f, 180.0f);
  const FitResult wide = FindBestFit(plane, FitPlane::kHorizontal, FitCriterion::kDb, set);
  EXPECT_EQ(wide.code, free.code);
  EXPECT_EQ(wide.direction, free.direction);
}

// Anchored at the classic conversion's direction, with the classic result offered beside the
// search's, the dB fit is never worse than the classic code: every family, every candidate.
TEST(BestFitAnchored, DbFitIsNeverWorseThanTheClassicResult) {
  std::mt19937 random(31);
  const char* codes[] = {"017EB00", "045KA00", "030DE10", "160VE00", "090EC00", "050CB20"};
  for (const char* code : codes) {
    testing::Disturbance how;
    how.rippleDb = 1.5;
    const FitColumn plane =
        RealisticPlane(code, std::uniform_int_distribution<int>(0, 3599)(random), how, random);
    const std::string classic = ConvertPattern(plane);
    const std::string classicCode = ResultCode(classic);
    const float direction = ResultAngle(classic);
    const double classicRms = ScoreFit(plane, classicCode, direction, FitCriterion::kDb).rmsDb;
    const FitResult found =
        FindBestFit(plane, FitPlane::kHorizontal, FitCriterion::kDb,
                    FitCandidates::All().AnchoredAt(direction, kDefaultDirectionTolerance));
    const FitResult fit = BetterFit(plane, found, classicCode, direction, FitCriterion::kDb);
    EXPECT_LE(fit.figures.rmsDb, classicRms) << code << ": classic " << classic;
    EXPECT_TRUE(MaximumWithin(fit, direction, kDefaultDirectionTolerance))
        << code << ": " << fit.code << " at " << fit.direction << ", classic " << classic;
  }
}

TEST(BestFitAnchored, BetterFitTakesTheGivenCodeOnlyWhenItIsBetter) {
  const FitColumn plane = testing::PlaneOfCode("030EA10", 455);  // 45.5 degrees
  FitResult poor;
  poor.found = true;
  poor.code = "060EA10";
  poor.direction = 45.0f;
  poor.figures = ScoreFit(plane, poor.code, poor.direction, FitCriterion::kDb);
  const FitResult taken = BetterFit(plane, poor, "030EA10", 45.5f, FitCriterion::kDb);
  EXPECT_EQ(taken.code, "030EA10");
  EXPECT_EQ(taken.direction, 45.5f);
  EXPECT_EQ(taken.figures.rmsDb, 0.0);
  EXPECT_EQ(BetterFit(plane, taken, "060EA10", 45.0f, FitCriterion::kDb).code, "030EA10");
  // An invalid given code, or one whose envelope fails, never replaces a result.
  EXPECT_EQ(BetterFit(plane, poor, "066EA00", 45.5f, FitCriterion::kDb).code, "060EA10");
  EXPECT_FALSE(BetterFit(plane, FitResult{}, "030EA10", 225.5f, FitCriterion::kEnvelope).found);
}

// Only a criterion error below the given one is wanted: just above the best error the search
// finds the best, just below it nothing.
TEST(BestFitSearch, BelowAGivenErrorFindsTheBestOrNothing) {
  std::mt19937 random(37);
  const FitColumn plane = RealisticPlane("045EB05", 700, {}, random);
  FitCandidates set = SampleSet();
  set.AnchoredAt(70.0f, 5.0f);
  for (FitCriterion criterion : {FitCriterion::kDb, FitCriterion::kField}) {
    const FitResult best = FindBestFit(plane, FitPlane::kHorizontal, criterion, set);
    const double error = best.figures.criterionError;
    const FitResult above =
        FindBestFit(plane, FitPlane::kHorizontal, criterion, set, 0, error * (1 + 1e-6));
    EXPECT_EQ(above.code, best.code);
    EXPECT_EQ(above.direction, best.direction);
    EXPECT_FALSE(
        FindBestFit(plane, FitPlane::kHorizontal, criterion, set, 0, error * (1 - 1e-6)).found);
  }
}

}  // namespace
}  // namespace lobrix
