// What a file choice leaves behind, and the texts of the message box for a rejected Kathrein
// file, shared by the conversion window and the command line.
#pragma once

#include <string>
#include <string_view>

#include "pattern_files/measured_pattern.h"
#include "text/language.h"

namespace lobrix {

// After a file was chosen (whatever its read gives): the part of the full path after its last
// backslash becomes the file name and the file-name box text, the part before it the Kathrein
// folder.
void RememberChosenFile(std::string_view fullPath, KathreinPattern& pattern,
                        std::string& kathreinFolder);

// The message of a rejected read (result 1 or 2), in both languages.
const TextPair& ReadFailureMessage(int result);
// Title and text of the message box for a rejected read: captionPrefix + " Error in file  " +
// file name, and "in directory:  " + folder + CR LF CR LF + the message of `result`.
std::string ReadFailureTitle(std::string_view captionPrefix, std::string_view fileName,
                             int language);
std::string ReadFailureText(int result, std::string_view folder, int language);

}  // namespace lobrix
