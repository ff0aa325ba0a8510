// The font the file and browser surfaces draw for a font name of the views: the Liberation faces
// stand in for the Windows ones, metric for metric ("Arial/1", "MS Sans Serif" -> "Liberation
// Sans", "Courier New" -> "Liberation Mono", "Times New Roman" -> "Liberation Serif").
#pragma once

#include <string>
#include <string_view>

namespace lobrix {

std::string LiberationFamily(std::string_view name);

}  // namespace lobrix
