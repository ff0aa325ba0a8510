// What a file choice leaves behind, and the texts of the message box for a rejected Kathrein
// file, shared by the conversion window and the command line.
#include "pattern_files/read_messages.h"

#include <string>

#include "pattern_files/strict_reader.h"

namespace lobrix {

namespace {

constexpr TextPair kNotKathreinText{"Selected file  isn't  Kathrein antenna file  !!",
                                    "Vybraný soubor  není  anténní soubor Kathrein  !!"};
constexpr TextPair kShorterText{"Selected file is shorter than Kathrein antenna file  !!",
                                "Vybraný soubor  je kratší,  než by měl být  !!"};
constexpr TextPair kErrorInFile{" Error in file  ", " Chyba v souboru  "};
constexpr TextPair kInDirectory{"in directory:  ", "v adresáři:  "};

}  // namespace

void RememberChosenFile(std::string_view fullPath, KathreinPattern& pattern,
                        std::string& kathreinFolder) {
  const std::size_t slash = fullPath.rfind('\\');
  const std::size_t nameStart = slash == std::string_view::npos ? 0 : slash + 1;
  pattern.fileName = std::string(fullPath.substr(nameStart));
  pattern.fileSpec = pattern.fileName;
  kathreinFolder =
      slash == std::string_view::npos ? std::string() : std::string(fullPath.substr(0, slash));
}

const TextPair& ReadFailureMessage(int result) {
  return result == kShorterThanKathreinFile ? kShorterText : kNotKathreinText;
}

std::string ReadFailureTitle(std::string_view captionPrefix, std::string_view fileName,
                             int language) {
  std::string title(captionPrefix);
  title += Pick(kErrorInFile, language);
  title += fileName;
  return title;
}

std::string ReadFailureText(int result, std::string_view folder, int language) {
  std::string text(Pick(kInDirectory, language));
  text += folder;
  text += "\r\n\r\n";
  text += Pick(ReadFailureMessage(result), language);
  return text;
}

}  // namespace lobrix
