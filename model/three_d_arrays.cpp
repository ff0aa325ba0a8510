// ANT3D over arrays of directions.
#include "model/antenna_pattern.h"
#include "model/pattern_arrays.h"

namespace lobrix {

bool Ant3dMany(std::string_view hcode, std::span<const float> az, float azMax,
               std::string_view vcode, std::span<const float> el, float elMax, int mode,
               std::span<float> out) {
  const bool valid = ANT3D(hcode, 0, 0, vcode, 0, 0, mode) != kInvalidPattern;
  for (std::size_t i = 0; i < az.size(); ++i) {
    out[i] = valid ? ANT3D(hcode, az[i], azMax, vcode, el[i], elMax, mode) : kInvalidPattern;
  }
  return valid;
}

}  // namespace lobrix
