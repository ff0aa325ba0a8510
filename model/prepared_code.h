// A code read and prepared once for its ANT93 values at many angles: what the array forms of
// ANT93 and ANT3D evaluate (single_plane_arrays.cpp).
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "model/prepared_curve.h"

namespace lobrix {

struct PreparedCode {
  enum class Family { kOmni, kCosinePower, kCurve } family = Family::kOmni;
  std::string_view code;  // for angles the vector functions do not take, handed to ANT93
  CurveKind kind = CurveKind::EA;
  PreparedCurve curve;
  EnvelopeLevels levels{0, 0};
  float exponent = 0;  // cosine power: the power of the cosine
  float radius = 0;    // cosine power: the envelope radius
};

// Nothing for a code that fails what ANT93 checks.
std::optional<PreparedCode> PrepareCode(std::string_view code);

// out[i] = ANT93(code, angles[i], mode) for i < n; `out` may be `angles`.
void PreparedValues(const PreparedCode& code, const float* angles, std::size_t n, int mode,
                    float* out);

}  // namespace lobrix
