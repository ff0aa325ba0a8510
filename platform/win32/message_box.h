// The context help box: a task-modal information box with no owner window.
#pragma once

#include <string_view>

namespace lobrix {

// Shows `text` under `caption` (both UTF-8) and returns when the user has closed the box.
void ShowInformationBox(std::string_view caption, std::string_view text);

}  // namespace lobrix
