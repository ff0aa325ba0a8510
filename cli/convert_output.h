// lobrix convert, the output: one record a file as a readable table, as CSV or as JSON.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "cli/convert_files.h"

namespace lobrix::cli {

// Columns: path, antenna name, frequency (MHz), gain (dBi), horizontal code, AziMax,
// vertical code, EleMax, one decimal each (empty where the file gives no frequency or gain);
// a failed file shows its reason after the path. A path or name longer than 120 characters is
// cut, with "…" where it was cut (the path keeps its end).
// With `fits` (--fit): a "fit" column, and for each plane the code, its direction, the RMS dB
// error and the largest deviation ("-3.4 at 120": dB, code minus measured, and its angle),
// one line a fit, the file's own columns on the first; "none" where no code qualifies.
// A classic code whose plane has a warning is marked " !", and under the table each warning
// is a line "! PATH: TEXT".
void WriteConversionTable(const std::vector<FileConversion>& files, std::ostream& out,
                          const std::vector<FitChoice>& fits = {});

// A header line, then one line a file: path,antenna,frequency_mhz,gain_dbi,horizontal,azimax,
// vertical,elemax,status,reason. Status is "converted" or "failed"; a file that was converted
// but whose picture could not be written is "failed" with its results and the reason.
// With `fits`: one record a fit, its codes and directions in the code columns, and the columns
// fit,h_error,h_rms_db,h_largest_db,h_largest_angle and the same for v (error: the fit's
// criterion; the classic's is its sum of squared relative-field differences).
// With `withPictures` (--render): a last column "picture", the picture file written for the
// file (empty when none was).
// Text cells that a spreadsheet would run as a formula (starting with =, +, - or @) get a '
// in front.
void WriteConversionCsv(const std::vector<FileConversion>& files, std::ostream& out,
                        const std::vector<FitChoice>& fits = {}, bool withPictures = false);

// One JSON array, an object a file with the same fields (numbers as numbers, null where a
// failed file has no value), the reading notes, the warnings (texts) and the header.
// With `fits`: "fits", an object a fit with its horizontal and vertical code, direction and
// figures (null where no code qualifies).
// With `withPictures`: "picture", the picture file written for the file, or null.
void WriteConversionJson(const std::vector<FileConversion>& files, std::ostream& out,
                         const std::vector<FitChoice>& fits = {}, bool withPictures = false);

// One plane of a fit as the table, the CSV and the report write it: the code, the direction
// (the horizontal one as AziMax, the vertical one as EleMax), the criterion's error, the RMS dB
// error, the largest deviation ("-3.4 at 120") and its parts. A plane where no code qualified
// has the code "none" and the rest empty.
struct FitCells {
  std::string code, direction, error, rmsDb, largest, largestDb, largestAngle;
};
FitCells CellsOf(const FitResult& fit, bool vertical);

// A text from a file or a path as UTF-8: valid UTF-8 is kept, other bytes are read as code
// page 1250 (the files' single-byte texts), control characters are written as \xNN and the
// bidirectional formatting characters and line separators as \uNNNN (\u202E).
std::string DisplayText(std::string_view text);

}  // namespace lobrix::cli
