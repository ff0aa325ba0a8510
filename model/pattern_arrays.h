// ANT93 and ANT3D over arrays: one code (or code pair) read and prepared once, evaluated at many
// angles or directions in vectors. Each value is ANT93's (ANT3D's) to the last bit: the vector
// cosine, logarithm and exponential (vector_math.h) may round a double differently from the C
// library now and then, but that shows in the float only when the exact value lies within a
// few double units of a float's rounding boundary, which none of the 6.6 million values of the
// tests does. Were one to, a cosine one float unit off can move a steep lobe's value by a few
// units (a narrow TA lobe: up to 16, seen with a deliberately worse cosine).
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
