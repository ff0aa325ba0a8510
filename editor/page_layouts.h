// The four pages' own controls as data: the code-type buttons, the parameter fields, the
// graphic area and the view buttons of the code pages, the direction fields and their labels
// of the other two. The parameter panel (controls 50 to 59 on the code pages) is not here: the
// code pages build it for the code they show, after the second-number field.
#pragma once

#include <span>

#include "editor/page_field_ids.h"
#include "platform/controls/control_row.h"

namespace lobrix {

// Control ids inside the pages beside the fields (editor/page_field_ids.h).
inline constexpr int kGraphicArea = 15;
inline constexpr int kScaleButton = 16;
inline constexpr int kViewButton = 17;
inline constexpr int kFirstPanelControl = 50;
inline constexpr int kLastPanelControl = 59;
inline constexpr int kFirstCodeButton = 101;  // ND
inline constexpr int kLastCodeButton = 114;   // PA, on the vertical page only

// The rows of page 0 to 3 in creation order; empty for another page.
std::span<const ControlRow> PageRows(int page);

}  // namespace lobrix
