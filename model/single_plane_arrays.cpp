// ANT93 over an array of angles.
#include "model/antenna_pattern.h"
#include "model/pattern_arrays.h"

namespace lobrix {

bool Ant93Many(std::string_view code, std::span<const float> angles, int mode,
               std::span<float> out) {
  const bool valid = ANT93(code, 0, mode) != kInvalidPattern;
  for (std::size_t i = 0; i < angles.size(); ++i) {
    out[i] = valid ? ANT93(code, angles[i], mode) : kInvalidPattern;
  }
  return valid;
}

}  // namespace lobrix
