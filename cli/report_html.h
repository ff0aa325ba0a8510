// lobrix convert --report: one self-contained HTML page with a section a file: the codes, the
// directions, the gain, the reading and what it normalised, and the conversion picture (the
// measured and the fitted curves of both planes) as inline SVG. Nothing is fetched from
// anywhere: no scripts, no fonts, no links out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/convert_files.h"

namespace lobrix::cli {

std::string ConversionReport(const std::vector<FileConversion>& files, int language);

// An SVG document made fit to stand inline in a page beside others: the XML declaration goes,
// and every id (and every reference to one) gets `prefix` in front, so that the glyphs and
// clip paths of one picture never stand in for another's.
std::string InlineSvg(std::string_view svg, std::string_view prefix);

}  // namespace lobrix::cli
