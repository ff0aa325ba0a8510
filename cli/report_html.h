// lobrix convert --report: one self-contained HTML page: a summary of every file, then a
// section a file with the codes, the directions, the gain, the reading and what it normalised,
// and the conversion picture (the measured and the fitted curves of both planes) held in the
// page: SVG (Linux) or a PNG in base 64 (Windows).
// Nothing is fetched from anywhere: no scripts, no fonts, no links out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/convert_files.h"

namespace lobrix::cli {

// A summary table first (a row a file: its path linking to its section, antenna, maker,
// frequency, the codes and directions of every conversion in `fits` (the classic one alone
// when empty) with their RMS errors, and its warnings), then a section a file with its picture:
// the measured curves and every conversion's curves over them, each in its colour, with a
// legend.
std::string ConversionReport(const std::vector<FileConversion>& files, int language,
                             const std::vector<FitChoice>& fits = {});

// An SVG document made fit to stand inline in a page beside others: the XML declaration goes,
// and every id (and every reference to one) gets `prefix` in front, so that the glyphs and
// clip paths of one picture never stand in for another's.
std::string InlineSvg(std::string_view svg, std::string_view prefix);

// The bytes in base 64 (RFC 4648, with padding), as a data: address holds a picture.
std::string Base64(std::string_view bytes);

}  // namespace lobrix::cli
