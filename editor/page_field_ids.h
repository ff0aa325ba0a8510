// The ids of the fields inside the pages. The code pages (0 and 1) and the direction pages
// (2 and 3) use the ids 10 and 11 for fields of different meaning, so each page kind names them
// for what they hold.
#pragma once

namespace lobrix {

// The parameter fields of the code pages.
inline constexpr int kNumberField = 10;  // N, three digits
inline constexpr int kTypeField = 11;    // the two type letters
inline constexpr int kSecondField = 12;  // Z, two digits

// The number fields of the direction pages: AziMax and EleMax on page 2, the test azimuth and
// the test elevation on page 3.
inline constexpr int kAzimuthField = 10;    // 0 .. 359.9, no sign
inline constexpr int kElevationField = 11;  // -90 .. 90

}  // namespace lobrix
