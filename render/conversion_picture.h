// The conversion picture's input from what a conversion leaves: the file's texts and measured
// planes, and the fitted codes and directions. The conversion window and the command line
// draw the same picture from it.
#pragma once

#include <string_view>

#include "conversion/conversion.h"
#include "pattern_files/measured_pattern.h"
#include "render/conversion_views.h"

namespace lobrix {

// The picture of `pattern`, shown as the file `fileName` in `folder`, with the fitted codes
// and curves of `conversion` when there is one (nullptr: the measured curves only).
ConversionPicture ConversionPictureOf(const KathreinPattern& pattern, std::string_view fileName,
                                      std::string_view folder, int language,
                                      const KathreinConversion* conversion);

}  // namespace lobrix
