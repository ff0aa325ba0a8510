// Rounding of drawing coordinates to whole pixels or units, shared by the devices.
#pragma once

#include <algorithm>
#include <cmath>

namespace lobrix {

// Nearest integer, halves to even (the rounding of the whole program). Held within 2^27, the
// coordinate range GDI accepts, so a far-off or non-finite value never overflows an int;
// NaN gives 0.
inline int RoundToPixel(double v) {
  constexpr double kLimit = 134217727.0;
  if (std::isnan(v)) return 0;
  return static_cast<int>(std::nearbyint(std::clamp(v, -kLimit, kLimit)));
}

}  // namespace lobrix
