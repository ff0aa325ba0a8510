// lobrix fit: the best-fit codes and directions for one measured plane given as numbers, for
// measurements that are not in a pattern file.
#pragma once

#include <array>
#include <istream>
#include <optional>
#include <ostream>
#include <string>

#include "cli/arguments.h"

namespace lobrix::cli {

// One plane's attenuations in dB at whole degrees 0 .. 359, read from `in`: either lines of
// one number (the attenuation at 0 degrees and on at a constant step: 360 lines for 1 degree,
// 72 for 5, 720 for 0.5; a count that divides 36000 or is a multiple of 360) or lines
// "angle,attenuation" (a comma, semicolon, tab or blanks between) with every angle of a
// constant step that divides 360 once, from 0; an angle from -360 to 360 is taken round the
// circle (-90 is 270). Blank lines, lines starting with # and a first line that does not start
// with a number (a header) are skipped. The attenuations are shifted so that the smallest is
// 0 dB (the maximum of radiation) and resampled to whole degrees as the pattern files are
// (ResampleToDegrees). Nothing, with "line N: ..." or what is missing in `error`, when the
// input is not such a plane.
std::optional<std::array<float, 360>> ReadPlaneAttenuations(std::istream& in, std::string& error);

// Reads the plane from the file the words name (or standard input `in`) and writes, a line
// for each criterion asked for, the best code, its direction and the figures to `out`.
// Returns 0, or 2 for a wrong argument or an unreadable plane (a message on `err`).
int RunFitCommand(const Args& args, std::istream& in, std::ostream& out, std::ostream& err);

}  // namespace lobrix::cli
