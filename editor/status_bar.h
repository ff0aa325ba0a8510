// The main dialog's status bar: five parts with the horizontal code, AziMax, the vertical
// code, EleMax and the gain of the code pair, kept up to date by RefreshStatus.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "editor/editor_state.h"
#include "platform/controls/controls.h"

namespace lobrix {

// Right edges of the five parts in pixels; the last reaches the window's edge.
inline constexpr std::array<int, 5> kStatusParts{97, 188, 286, 375, -1};

// The texts of the parts. Numbers in the short form, rounded to one decimal.
std::string HCodeStatusText(const EditorState& state);  // " H-code: " + hCode
std::string VCodeStatusText(const EditorState& state);  // " V-code: " + vCode
std::string AziMaxStatusText(float aziMax);             // " AziMax = 45°"
std::string EleMaxStatusText(float eleMax);             // " EleMax = -2.5°"
std::string GainStatusText(float gainDbd);              // " gaMax = 12.3 dBd = 14.5 dBi"

// The refresh the pages call, by the first three letters of `command`: "ini" all parts, "dia"
// both codes and the gain (gainDbd := ZISKANTVA of the pair), "azi" AziMax, "ele" EleMax;
// anything else does nothing. The bar is the control `barId` of `dialog`.
void RefreshStatus(std::string_view command, EditorState& state, Controls& dialog, int barId);

}  // namespace lobrix
