// The main dialog as data: its size, its controls, the tab texts of the four pages, and the
// ids the handlers and the Windows side share.
#pragma once

#include <array>
#include <span>

#include "platform/controls/control_row.h"
#include "text/language.h"

namespace lobrix {

// Control ids of the main dialog.
inline constexpr int kTransferButton = 1;
inline constexpr int kCloseButton = 2;
inline constexpr int kCopyButton = 3;
inline constexpr int kHelpButton = 4;
inline constexpr int kKathreinButton = 5;
inline constexpr int kTabControl = 90;
inline constexpr int kStatusBar = 99;  // created with the dialog, not from a template row
// The one-shot timer that repaints the page a quarter second after opening.
inline constexpr int kOpeningTimer = 91;
inline constexpr int kOpeningTimerMs = 250;

// Dialog units.
inline constexpr DialogRect kMainDialogRect{0, 0, 357, 278};
// A page inside the tab control.
inline constexpr DialogRect kPageRect{1, 13, 343, 212};

// The tab control and the five buttons in creation order (tab, 4, 3, 5, 1, 2), with their
// tooltips. Whether Transfer is enabled depends on the record.
std::span<const ControlRow> MainDialogRows();

// The tab texts of pages 0 to 3.
inline constexpr std::array<TextPair, 4> kPageTabs{{
    {" Horizontal diagram ", " Horizontální diagram "},
    {" Vertical diagram ", " Vertikální diagram "},
    {" Azimuth and Elevation of Max. radiation ", " Azimut a Elevace Max.vyzařování "},
    {" 3-D ant. diagram ", " 3-D ant. diagram "},
}};

}  // namespace lobrix
