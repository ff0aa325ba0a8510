// Context help: one topic a page and view, in English and Czech, shown in a message box whose
// caption is the caller's prefix followed by the topic's title.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "editor/editor_state.h"

namespace lobrix {

// The six subjects.
inline constexpr int kHelpHorizontalGraph = 0;
inline constexpr int kHelpHorizontalTable = 1;
inline constexpr int kHelpVerticalPolar = 2;
inline constexpr int kHelpVerticalXY = 3;
inline constexpr int kHelpDirections = 4;
inline constexpr int kHelpThreeD = 5;
inline constexpr int kHelpSubjects = 6;

struct HelpTopic {
  std::string_view title;
  std::span<const std::string_view> lines;
};

// The subject of the page on top and its view (the view counts on pages 0 and 1 only); -1 for
// a page number outside 0 to 3.
int HelpSubject(int activePage, int alternateView);

// The topic of a subject (0 .. 5) in a language (kEnglish, anything else Czech).
const HelpTopic& HelpTopicFor(int subject, int language);

// The lines joined with CR LF, none after the last.
std::string HelpText(const HelpTopic& topic);

// What the help button shows: caption and text, UTF-8.
struct HelpBox {
  std::string caption;
  std::string text;
};

// The box for the state's page, view and language; nothing for a page outside 0 to 3.
std::optional<HelpBox> ContextHelp(const EditorState& state);

}  // namespace lobrix
