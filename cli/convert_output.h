// lobrix convert, the output: one record a file as a readable table, as CSV or as JSON.
#pragma once

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "convert_files.h"

namespace lobrix::cli {

// Columns: path, antenna name, frequency (MHz), gain (dBi), horizontal code, AziMax,
// vertical code, EleMax, one decimal each; a failed file shows its reason after the path.
void WriteConversionTable(const std::vector<FileConversion>& files, std::ostream& out);

// A header line, then one line a file: path,antenna,frequency_mhz,gain_dbi,horizontal,azimax,
// vertical,elemax,status,reason. Status is "converted" or "failed"; a file that was converted
// but whose picture could not be written is "failed" with its results and the reason.
void WriteConversionCsv(const std::vector<FileConversion>& files, std::ostream& out);

// One JSON array, an object a file with the same fields (numbers as numbers, null where a
// failed file has no value).
void WriteConversionJson(const std::vector<FileConversion>& files, std::ostream& out);

// A text from a file or a path as UTF-8: valid UTF-8 is kept, other bytes are read as code
// page 1250 (the files' single-byte texts), control characters are written as \xNN.
std::string DisplayText(std::string_view text);

}  // namespace lobrix::cli
