// Dialog units to pixels as Windows maps them for the dialog font of the editor (base units
// 6 x 13 pixels: a dialog unit is a quarter of the average character width and an eighth of
// the character height), so the control tables place the page's elements where the Windows
// dialog has them.
#pragma once

#include "platform/controls/control_row.h"

namespace lobrix {

inline constexpr int kDialogBaseX = 6;
inline constexpr int kDialogBaseY = 13;

// value * numerator / denominator rounded to the nearest integer, halves away from zero (the
// rounding of the Windows MulDiv that the dialog manager uses); -1, as MulDiv gives, for a zero
// denominator or a result beyond an int.
constexpr int MulDivRound(int value, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const long long product = static_cast<long long>(value) * numerator;
  const long long d = denominator < 0 ? -static_cast<long long>(denominator) : denominator;
  const long long p = denominator < 0 ? -product : product;
  const long long half = d / 2;
  const long long q = p >= 0 ? (p + half) / d : -((-p + half) / d);
  if (q > 2147483647LL || q < -2147483648LL) return -1;
  return static_cast<int>(q);
}

// Every field converted by itself, as MapDialogRect converts a control's position and size.
constexpr DialogRect DialogToPixels(const DialogRect& units) {
  return {MulDivRound(units.x, kDialogBaseX, 4), MulDivRound(units.y, kDialogBaseY, 8),
          MulDivRound(units.width, kDialogBaseX, 4), MulDivRound(units.height, kDialogBaseY, 8)};
}

}  // namespace lobrix
