// The main dialog's caption: the caller's prefix, the program's name and version date, and
// the antenna's role.
#pragma once

#include <string>

#include "editor/editor_state.h"
#include "text/language.h"

namespace lobrix {

// The suffix of role 1 (Tx), 2 (Rx) or 3 (station); empty for any other role.
TextPair RoleSuffix(int antennaRole);

// The caption prefix of the state (code page 1250, as the record holds it) as UTF-8.
std::string CaptionPrefixText(const EditorState& state);

// prefix + "  HCM Lobrix,  ver." + versionDate + role suffix, UTF-8, nothing added between.
std::string MainCaption(const EditorState& state);

}  // namespace lobrix
