// ANT93 and ANT3D over arrays: one code (or code pair) read and prepared once, evaluated at many
// angles or directions in vectors. Each value is ANT93's (ANT3D's) to the last bit but for a
// rare one, about one in a million, that may be one unit in the last place of the float away:
// the vector cosine, logarithm and exponential round a double differently from the C library
// now and then, and such a difference survives the rounding to float only when it straddles
// a float's rounding boundary.
#pragma once

#include <span>
#include <string_view>

namespace lobrix {

// out[i] = ANT93(code, angles[i], mode). False, with every value -1, when the code fails what
// ANT93 checks. `out` has the size of `angles` and may be the same memory.
bool Ant93Many(std::string_view code, std::span<const float> angles, int mode,
               std::span<float> out);

// out[i] = ANT3D(hcode, az[i], azMax, vcode, el[i], elMax, mode). False, with every value -1,
// when a code fails what ANT3D checks. The three spans have one size; `out` may be `az` or `el`.
bool Ant3dMany(std::string_view hcode, std::span<const float> az, float azMax,
               std::string_view vcode, std::span<const float> el, float elMax, int mode,
               std::span<float> out);

}  // namespace lobrix
