// Codes and angles on which the exported functions are compared with the model linked into the
// test: every code type, range limits, invalid codes, and angles across the folds at ±180.
#pragma once

#include <array>
#include <string_view>

namespace lobrix::test {

inline constexpr std::array<std::string_view, 42> kCodes = {
    "000ND00", "123ND45", "030EA00", "030EA10", "065EA00", "030EB05", "079EB00", "030EC00",
    "096EC10", "030DE00", "060LA10", "120LA00", "000KA00", "050KA10", "100KA00", "000CA00",
    "050CA00", "050CB05", "050CC00", "100CC00", "300TA00", "001TA00", "890TA10", "120PA05",
    "050PZ00", "510VE00", "999VA99", "015WB35", "510WE12", "030EA100",
    // invalid: out of range, bad letter, lower case, too short, wrong ND digits, empty
    "066EA00", "080EB00", "097EC00", "121LA00", "101KA00", "891TA00", "000PA00", "510VJ00",
    "030ea10", "001ND00", "030EA1", ""};

inline constexpr std::array<float, 19> kAngles = {
    -359.0f, -180.0f, -90.0f, -45.5f, -0.25f,  0.0f,   0.25f,  10.0f,  20.0f, 30.0f,
    45.0f,   89.9f,   90.0f,  135.0f, 179.99f, 180.0f, 200.0f, 270.0f, 359.5f};

// Pairs for ANT3D and ZISKANTVA: the vertical codes cover electrical tilt (TA), built-in
// downtilt (P) and mechanical elevation (the rest).
inline constexpr std::array<std::string_view, 8> kHorizontalCodes = {
    "000ND00", "030EA10", "030EB00", "060LA10", "050CB05", "510VE00", "015WB35", "066EA00"};
inline constexpr std::array<std::string_view, 8> kVerticalCodes = {
    "000ND00", "100TA00", "120PA05", "050PZ00", "030EA10", "510VE00", "020DE00", "030ec00"};

inline constexpr std::array<float, 6> kAzimuths = {0.0f, 10.0f, 90.0f, 180.0f, 270.0f, 359.0f};
inline constexpr std::array<float, 2> kAzimuthMaxima = {0.0f, 300.0f};
inline constexpr std::array<float, 6> kElevations = {-90.0f, -30.0f, -5.0f, 0.0f, 7.5f, 90.0f};
inline constexpr std::array<float, 3> kElevationMaxima = {0.0f, -5.0f, 10.0f};

inline constexpr std::array<int, 2> kModes = {0, 2};

}  // namespace lobrix::test
