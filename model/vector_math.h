// Cosine, logarithms, exponential and power in double precision, written without branches or
// calls so that a loop over an array of angles vectorises (several values a vector register).
//
// The pattern formulas round every named value to float. These functions are accurate to
// about one unit in the last place of a double (the C library's are, too), so a value they give
// rounds to the same float as the C library's unless the exact value lies within a few double
// units of a point halfway between two floats: about one value in a hundred million, where the
// float differs in its last bit. The algorithms are the classic ones of the freely
// distributable fdlibm (Sun, 1993), as musl keeps them, with the branches of their special
// cases replaced by selections and the domain left to the caller, as each function says.
#pragma once

#include <cstdint>

namespace lobrix::vector_math {

// std::bit_cast, which the browser build's C++ library (libc++ 13) does not have yet; the
// compilers of every build have its built-in.
template <typename To, typename From>
constexpr To BitCast(const From& from) {
  static_assert(sizeof(To) == sizeof(From));
  return __builtin_bit_cast(To, from);
}

// 2^e for a whole number e from -1022 to 1023, given as a double: made from its bits.
inline double PowerOfTwo(double e) {
  // e + 1023 + 2^52 holds the biased exponent in its low bits.
  const auto biased = BitCast<std::uint64_t>(e + (1023.0 + 0x1p52)) & 0x7ff;
  return BitCast<double>(biased << 52);
}

// Cosine of x radians, |x| below 800000 (x / (pi/2) fits in 20 bits, so the two leading parts
// of pi/2 times it are exact). Reduced by the nearest multiple n of pi/2 in three parts (about
// 118 bits of pi/2), then the sine or cosine polynomial of the quadrant n mod 4.
inline double Cos(double x) {
  constexpr double kInvPio2 = 6.36619772367581382433e-01;
  constexpr double kPio2_1 = 1.57079632673412561417e+00;   // first 33 bits of pi/2
  constexpr double kPio2_2 = 6.07710050630396597660e-11;   // next 33 bits
  constexpr double kPio2_2t = 2.02226624879595063154e-21;  // pi/2 - kPio2_1 - kPio2_2
  constexpr double kToInt = 0x1.8p52;  // adding it rounds to a whole number, kept in low bits
  const double shifted = x * kInvPio2 + kToInt;
  const double n = shifted - kToInt;
  const auto quadrant = BitCast<std::uint64_t>(shifted) & 3;

  const double t = x - n * kPio2_1;  // exact
  double w = n * kPio2_2;            // exact
  const double r = t - w;
  w = n * kPio2_2t - ((t - r) - w);
  const double y0 = r - w;         // the reduced angle ...
  const double y1 = (r - y0) - w;  // ... and what its rounding lost

  const double z = y0 * y0;
  const double z2 = z * z;
  // cos(y0 + y1) on [-pi/4, pi/4]
  const double rc = z * (4.16666666666666019037e-02 +
                         z * (-1.38888888888741095749e-03 + z * 2.48015872894767294178e-05)) +
                    z2 * z2 *
                        (-2.75573143513906633035e-07 +
                         z * (2.08757232129817482790e-09 + z * -1.13596475577881948265e-11));
  const double hz = 0.5 * z;
  const double one = 1.0 - hz;
  const double cosine = one + (((1.0 - one) - hz) + (z * rc - y0 * y1));
  // sin(y0 + y1) on [-pi/4, pi/4]
  const double rs = 8.33333333332248946124e-03 +
                    z * (-1.98412698298579493134e-04 + z * 2.75573137070700676789e-06) +
                    z * z2 * (-2.50507602534068634195e-08 + z * 1.58969099521155010221e-10);
  const double v = z * y0;
  const double sine = y0 - ((z * (0.5 * y1 - v * rs) - y1) - v * -1.66666666666666324348e-01);
  // Quadrants 0..3: cos, -sin, -cos, sin; chosen with bit masks, since a comparison of 64-bit
  // integers has no vector instruction before SSE4.2.
  const std::uint64_t odd = 0 - (quadrant & 1);  // all ones in quadrants 1 and 3
  const std::uint64_t value =
      (BitCast<std::uint64_t>(sine) & odd) | (BitCast<std::uint64_t>(cosine) & ~odd);
  const std::uint64_t negative = ((quadrant + 1) & 2) << 62;  // quadrants 1 and 2
  return BitCast<double>(value ^ negative);
}

// The parts of a logarithm: x = 2^k (1 + f) with 1 + f in [sqrt(2)/2, sqrt(2)), and the
// polynomial terms that log(1 + f) = f - hfsq + s (hfsq + r) is made of.
struct LogParts {
  double k, f, hfsq, s, r;
};

// x a positive normal double (a float from 1e-38 up is one).
inline LogParts SplitLog(double x) {
  // Moving the exponent's boundary from 1 down to sqrt(2)/2 (high word 0x3fe6a09e): k is then
  // the exponent of x/sqrt(2) rounded, and the mantissa is put back at that boundary.
  constexpr std::uint64_t kShift = std::uint64_t{0x3ff00000 - 0x3fe6a09e} << 32;
  const std::uint64_t bits = BitCast<std::uint64_t>(x) + kShift;
  // k + 1023 (0 .. 2047) as a double, without an integer conversion.
  const double biased = BitCast<double>((bits >> 52) | 0x4330000000000000) - 0x1p52;
  const double m =
      BitCast<double>((bits & 0x000fffffffffffff) + (std::uint64_t{0x3fe6a09e} << 32));
  LogParts p;
  p.k = biased - 1023.0;
  p.f = m - 1.0;
  p.hfsq = 0.5 * p.f * p.f;
  p.s = p.f / (2.0 + p.f);
  const double z = p.s * p.s;
  const double w = z * z;
  const double t1 = w * (3.999999999940941908e-01 +
                         w * (2.222219843214978396e-01 + w * 1.531383769920937332e-01));
  const double t2 = z * (6.666666666666735130e-01 +
                         w * (2.857142874366239149e-01 +
                              w * (1.818357216161805012e-01 + w * 1.479819860511658591e-01)));
  p.r = t2 + t1;
  return p;
}

// Natural logarithm of a positive normal x.
inline double Log(double x) {
  constexpr double kLn2Hi = 6.93147180369123816490e-01;
  constexpr double kLn2Lo = 1.90821492927058770002e-10;
  const LogParts p = SplitLog(x);
  return p.s * (p.hfsq + p.r) + p.k * kLn2Lo - p.hfsq + p.f + p.k * kLn2Hi;
}

// Decimal logarithm of a positive normal x: log(1 + f) split into a short leading part and
// the rest, each scaled by 1/ln(10) in two parts, so that the sum rounds once at the end.
inline double Log10(double x) {
  constexpr double kInvLn10Hi = 4.34294481878168880939e-01;
  constexpr double kInvLn10Lo = 2.50829467116452752298e-11;
  constexpr double kLog10Of2Hi = 3.01029995663611771306e-01;
  constexpr double kLog10Of2Lo = 3.69423907715893078616e-13;
  const LogParts p = SplitLog(x);
  const double hi =
      BitCast<double>(BitCast<std::uint64_t>(p.f - p.hfsq) & 0xffffffff00000000);
  const double lo = p.f - hi - p.hfsq + p.s * (p.hfsq + p.r);
  double valueHi = hi * kInvLn10Hi;
  const double y = p.k * kLog10Of2Hi;
  double valueLo = p.k * kLog10Of2Lo + (lo + hi) * kInvLn10Lo + lo * kInvLn10Hi;
  const double sum = y + valueHi;
  valueLo += (y - sum) + valueHi;
  valueHi = sum;
  return valueLo + valueHi;
}

// e^x for x from -708 to 709 (the result a normal double): x = k ln2 + r with |r| <= ln2 / 2,
// e^r by a rational approximation, times 2^k.
inline double Exp(double x) {
  constexpr double kLn2Hi = 6.93147180369123816490e-01;
  constexpr double kLn2Lo = 1.90821492927058770002e-10;
  constexpr double kInvLn2 = 1.44269504088896338700e+00;
  constexpr double kToInt = 0x1.8p52;
  const double k = (x * kInvLn2 + kToInt) - kToInt;
  const double hi = x - k * kLn2Hi;  // exact
  const double lo = k * kLn2Lo;
  const double r = hi - lo;
  const double rr = r * r;
  const double c =
      r - rr * (1.66666666666666019037e-01 +
                rr * (-2.77777777770155933842e-03 +
                      rr * (6.61375632143793436117e-05 +
                            rr * (-1.65339022054652515390e-06 + rr * 4.13813679705723846039e-08))));
  const double y = 1.0 + (r * c / (2.0 - c) - lo + hi);
  return y * PowerOfTwo(k);
}

// x^e for x in (0, 1] and e >= 0 (the cosine-power lobe), as e^(e log x); a result below
// 1e-300 comes out as about 1e-300 (the pattern floor is 0.01).
inline double PowUnit(double x, double e) {
  const double y = e * Log(x);
  return Exp(y < -700.0 ? -700.0 : y);
}

}  // namespace lobrix::vector_math

namespace lobrix {

// The functions above as the formulas' template argument (LibraryMath in pattern_math.h).
struct VectorMath {
  static double Cos(double x) { return vector_math::Cos(x); }
  static double Log10(double x) { return vector_math::Log10(x); }
  static double Pow(double x, double e) { return vector_math::PowUnit(x, e); }
};

}  // namespace lobrix
