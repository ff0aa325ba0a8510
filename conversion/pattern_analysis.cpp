// AnalysePattern: where the maximum of a measured plane lies, how many main lobes it has and
// how wide the main one is, so the conversion knows which codes to try and where.
//
// Values are compared as the stored single-precision numbers. Every walk around the circle is
// bounded to one turn and every index is wrapped into 0..359, so the analysis ends for any
// input (a plateau that covers all but one sample, NaNs, a lobe as wide as the circle).
#include <algorithm>
#include <cmath>
#include <utility>

#include "conversion/conversion.h"
#include "conversion/search_terms.h"

namespace lobrix {

namespace {

float At(const PatternColumn& e, int index) {
  return e[static_cast<std::size_t>(Wrap(index))];
}

// The plateau of `level` that holds `first`, the lowest index with that value: it extends
// backwards over 0 when it starts there, and forwards while no lower value interrupts it (a
// higher value does not end it; the last index holding the level is its end).
struct Plateau {
  int start, last;
};

Plateau FindPlateau(const PatternColumn& e, int first, float level) {
  int s = first;
  if (s == 0) {
    for (int i = 359; i > 0 && e[static_cast<std::size_t>(i)] == level; --i) s = i;
  }
  int t = s;
  for (int step = 0; step < 360; ++step) {
    const float value = At(e, s + step);
    if (value < level) break;
    if (value == level) t = Wrap(s + step);
  }
  return {s, t};
}

// A whole or half degree, 0 <= centre < 360: a plateau from 358 over 0 to 1 gives 359.5.
float PlateauCentre(const Plateau& p) {
  const int sum = p.last >= p.start ? p.start + p.last : p.start + p.last + 360;
  float centre = static_cast<float>(sum) / 2.0f;
  if (centre >= 360.0f) centre -= 360.0f;
  return centre;
}

// Walks from `start` in `direction` (+1 or -1) down the flank past the half level and along the
// values below it; returns the last index below the half level, or `start` when none is met.
int LobeEdge(const PatternColumn& e, int start, int direction, float maximum, float halfLevel) {
  float running = maximum;
  int edge = start;
  for (int step = 0; step < 360; ++step) {
    const int i = Wrap(start + direction * step);
    const float value = e[static_cast<std::size_t>(i)];
    if (value < halfLevel) {
      running = value;
      edge = i;
    }
    if (value > running) break;
  }
  return edge;
}

// One side of the half-width walk: counts the steps from `start` in `direction` until the lobe
// climbs again or falls below the 20 dB level; the step that stops the walk counts too.
int HalfWidthSteps(const PatternColumn& e, int start, int direction, float level20dB) {
  float running = 999.0f;
  int count = 0;
  for (int step = 0; step < 360; ++step) {
    const float value = At(e, start + direction * step);
    ++count;
    if (value < running) running = value;
    if (value > running || value < level20dB) break;
  }
  return count;
}

// A lobe reaches the 3 dB level somewhere in the 21 degrees from `angle` on.
bool WindowHoldsLobe(const PatternColumn& e, float angle, float level3dB) {
  const int k = RoundEven(angle);
  for (int j = k; j <= k + 20; ++j) {
    if (At(e, j) >= level3dB) return true;
  }
  return false;
}

void FindLobeClass(const PatternColumn& e, PatternShape& shape) {
  if (shape.secondaryMaximum < shape.level3dB) {
    shape.lobeClass = LobeClass::One;
    return;
  }
  float d = shape.secondaryAzimuth - shape.mainAzimuth;
  if (shape.mainAzimuth > shape.secondaryAzimuth) d += 360.0f;
  const float main = shape.mainAzimuth;
  const auto holdsLobe = [&](float offset) {
    return WindowHoldsLobe(e, static_cast<float>(main + offset), shape.level3dB);
  };
  LobeClass lobeClass = LobeClass::Two;
  if (d < 3 || d > 357) {
    lobeClass = LobeClass::One;
  } else if (d >= 110 && d <= 130) {
    if (holdsLobe(230)) lobeClass = LobeClass::Three;
  } else if (d >= 230 && d <= 250) {
    if (holdsLobe(110)) lobeClass = LobeClass::Three;
  } else if (d >= 170 && d <= 190) {
    if (holdsLobe(80)) {
      lobeClass = LobeClass::Three;
      if (holdsLobe(260)) lobeClass = LobeClass::Four;
    }
    if (lobeClass != LobeClass::Four) {
      // A third lobe at 90 degrees alone gives 2 or 22, not 3.
      lobeClass = (d > 178 && d < 182) ? LobeClass::Opposite : LobeClass::Two;
    }
    // Of two opposite lobes the main one is the one nearer to 0 degrees.
    if (lobeClass == LobeClass::Opposite && main > 90 && main < 270) {
      std::swap(shape.mainAzimuth, shape.secondaryAzimuth);
      d = 360.0f - d;
    }
  }
  // The second lobe always lies clockwise within 190 degrees of the main one.
  if (lobeClass == LobeClass::Two && d > 190) {
    std::swap(shape.mainAzimuth, shape.secondaryAzimuth);
    d = 360.0f - d;
  }
  shape.lobeClass = lobeClass;
  shape.separation = d;
}

}  // namespace

PatternShape AnalysePattern(PatternColumn e) {
  PatternShape shape;
  float minimum = 999.0f, maximum = -999.0f;
  int first = 0;
  for (int i = 0; i < 360; ++i) {
    const float value = e[static_cast<std::size_t>(i)];
    if (value < minimum) minimum = value;
    if (value > maximum) {
      maximum = value;
      first = i;
    }
  }
  shape.minimum = minimum;
  shape.maximum = maximum;
  if (minimum == maximum) {
    shape.lobeClass = LobeClass::Flat;
    return shape;
  }

  const Plateau main = FindPlateau(e, first, maximum);
  shape.mainAzimuth = PlateauCentre(main);

  shape.level1dB = static_cast<float>(0.89 * maximum);
  shape.level3dB = static_cast<float>(0.708 * maximum);
  shape.level20dB = static_cast<float>(0.1 * maximum);
  if (minimum >= shape.level1dB) {
    shape.lobeClass = LobeClass::NearOmni;
    return shape;
  }

  shape.halfLevel = static_cast<float>((static_cast<double>(minimum) + maximum) / 2.0);
  shape.leftEdge = LobeEdge(e, main.start, -1, maximum, shape.halfLevel);
  shape.rightEdge = LobeEdge(e, main.last, +1, maximum, shape.halfLevel);

  const int left = shape.leftEdge, right = shape.rightEdge;
  float secondary = -999.0f;
  int secondaryIndex = 0;
  for (int i = 0; i < 360; ++i) {
    const bool outside = right > left ? (i <= left || i >= right) : (i >= right && i <= left);
    const float value = e[static_cast<std::size_t>(i)];
    if (outside && value > secondary) {
      secondary = value;
      secondaryIndex = i;
    }
  }
  shape.secondaryMaximum = secondary;
  shape.secondaryAzimuth = PlateauCentre(FindPlateau(e, secondaryIndex, secondary));

  FindLobeClass(e, shape);

  const int start = static_cast<int>(shape.mainAzimuth);  // truncated
  const int leftCount = HalfWidthSteps(e, start, -1, shape.level20dB);
  const int rightCount = HalfWidthSteps(e, start + 1, +1, shape.level20dB);
  shape.halfWidth = RoundEven((leftCount + rightCount) / 2.0);

  const int k = RoundEven(shape.mainAzimuth);
  shape.windowStart = k - shape.halfWidth;
  shape.windowEnd = k + shape.halfWidth;
  shape.windowStep = WindowStep(shape.windowStart, shape.windowEnd);
  return shape;
}

}  // namespace lobrix
