// Antenna pattern model: the HCM antenna codes, their check, the attenuation of one code in
// its own plane, the 3-D attenuation of a code pair and the antenna gain.
//
// Pure functions, no I/O. A code is a text of seven single-byte characters (for example
// "030EA10"); a shorter text is read as far as it goes, characters after the seventh are
// ignored. Failure is reported by value: ANT93 and ANT3D give -1, ZISKANTVA -99, VERANT 0.
//
// VERANT checks the whole code. ANT93, ANT3D and ZISKANTVA check only what they read: the
// type in positions 4-5 (with the back-level letter of V and W) and the first number against
// the type's range, that number read from the digits that begin positions 1-3. They check
// neither the length nor that positions 1-3, 6 and 7 are all digits (a field reads up to its
// first non-digit: "1X0" as 1, a missing field as 0) nor the digits of ND, so a code VERANT
// refuses may still give an ordinary value ("030EA", "1X0EA10").
#pragma once

#include <string>
#include <string_view>

#include "model/current_gain.h"  // CurrentGain, SetCurrentGain

namespace lobrix {

// Result modes of ANT93 and ANT3D.
inline constexpr int kRelativeField = 0;  // relative field strength, 0.01 .. 1
inline constexpr int kDecibel = 2;        // attenuation in dB, 0 .. 40

inline constexpr float kInvalidPattern = -1.0f;  // ANT93 / ANT3D: invalid code or angle
inline constexpr float kInvalidGain = -99.0f;    // ZISKANTVA: invalid code

// Why a code fails the check, in the order the check looks (first failure wins).
enum class CodeFault {
  kNone,              // the code is valid
  kNotADigit,         // one of positions 1-3, 6, 7 is missing or not 0-9
  kNdDigits,          // ND needs 000 and 00
  kFirstNumberRange,  // the first number is outside the type's range
  kBackLetter,        // V/W second letter not A..I
  kUnknownType,       // positions 4-5 name no antenna type
};

struct CodeCheck {
  CodeFault fault = CodeFault::kNone;
  int position = 0;       // 1-based position of the offending character (kNotADigit only)
  int low = 0, high = 0;  // valid range of the first number (kFirstNumberRange only)
};

// The code check with its reason; VERANT is `CheckCode(code).fault == CodeFault::kNone`.
CodeCheck CheckCode(std::string_view code);
// A one-line English explanation of a failed check, e.g. "EA needs a first number from 1 to 65";
// a code shorter than seven characters is told its length. Empty for a valid code.
std::string CodeFaultText(std::string_view code);

// 1 when the code is valid, 0 when not.
int VERANT(std::string_view code);

// Relative field (mode != 2) or attenuation in dB (mode 2) of one code at `angle` degrees from
// the direction of maximum radiation; -1 for a code that fails what it checks (see above) or
// a non-finite angle.
float ANT93(std::string_view code, float angle, int mode);

// Direction (az, el) in the frame of a beam pointing at (azMax, elMax), all in degrees.
struct AntennaAngles {
  float azimuth;    // -180 .. 180, counted from the beam
  float elevation;  // -90 .. 90, above the beam's equatorial plane
};
AntennaAngles ToAntennaAngles(float az, float azMax, float el, float elMax);

// Mechanical combination of a horizontal and a vertical pattern in the antenna frame, with the
// back lobe of the vertical pattern matched to the horizontal back radiation.
float CombinePlanes(std::string_view hcode, float a, std::string_view vcode, float e, int mode);

// Attenuation of the code pair towards (az, el) with the beam at (azMax, elMax); the vertical
// code chooses electrical tilt (TA), built-in downtilt (P) or mechanical elevation (others).
// Any positive mode gives dB, mode 0 (or a negative one) the relative field, in every branch.
// az - azMax is taken round the circle whatever the number of turns, so that one direction
// gives one value.
// -1 for a code that fails what ANT93 checks, a non-finite angle, angles whose difference
// overflows, and a P vertical code whose downtilt (position 5, A = 0 degrees) is missing or is
// 90 degrees or more (byte 0x9B and up): VERANT accepts such a code, but no pattern in space
// exists for it. Never NaN.
float ANT3D(std::string_view hcode, float az, float azMax, std::string_view vcode, float el,
            float elMax, int mode);

// Simpson integral of the squared relative field: plane "v" (any case) over elevation with the
// cosine weight, anything else over the full azimuth circle. Does not check the code.
float PlaneIntegral(std::string_view code, std::string_view plane);

// Gain of the antenna in dBd; -99 when either code fails what ANT93 checks. A valid result
// also becomes the current gain (model/current_gain.h).
float ZISKANTVA(std::string_view hcode, std::string_view vcode);

// The angle handed to ANT93 for the measured angle i (a sample of a measured pattern, a point of a
// fitted curve) with the code's maximum at `azimuth`: i - azimuth in single precision, brought
// into -180..180, so that the LA curve and the W inner envelope, which see the angle unfolded,
// fit and draw a lobe near 0/360 degrees as well as anywhere else.
inline float AngleFromMaximum(int index, float azimuth) {
  float d = static_cast<float>(index) - azimuth;
  if (d < -180.0f) {
    d += 360.0f;
  } else if (d > 180.0f) {
    d -= 360.0f;
  }
  return d;
}

}  // namespace lobrix
