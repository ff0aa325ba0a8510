// Kathrein import, the portable part: reading a Kathrein *.MSI antenna pattern file, analysing
// one measured plane, and finding the antenna codes whose curves fit the measured planes best.
//
// Pure functions over plain values; no drawing, no dialogs, no module-wide state. The
// conversion window and the command line call these and show the results.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "antenna_pattern.h"
#include "render/language.h"

namespace lobrix {

// One measured plane: the relative field strength at whole degrees 0..359, normally 0 < e <= 1.
using PatternColumn = std::array<float, 360>;

// What one Kathrein file leaves behind. A fresh value has an all-zero table; a read writes
// the texts, numbers and rows it gets to and leaves the rest as it was, so a rejected or short
// file may have replaced some of them.
struct KathreinPattern {
  std::string fileSpec = "*.msi";  // what the open-file dialog shows in its file-name box
  std::string fileName;            // the last chosen file, without its folder
  std::string antennaName;         // the first line from its 6th character on
  float frequency = 0;             // MHz, from the second line
  float gain = 0;  // dBi: the third line's value plus 2.1 (the file states dBd) unless it says dBi
  // measured[0] = horizontal pattern (azimuth), measured[1] = vertical pattern (tilt).
  std::array<PatternColumn, 2> measured{};
};

// Result codes of a read.
inline constexpr int kKathreinRead = 0;
inline constexpr int kNotKathreinFile = 1;
inline constexpr int kShorterThanKathreinFile = 2;

// Reads the bytes of a Kathrein file into `pattern`; returns 0 (read), 1 (not a Kathrein
// antenna file) or 2 (shorter than a Kathrein antenna file).
int ReadKathreinFile(std::string_view bytes, KathreinPattern& pattern);

// The same for a file on disk; a file that cannot be opened or read gives 1.
int ReadKathreinPath(const std::string& path, KathreinPattern& pattern);

// After a file was chosen (whatever its read gives): the part of the full path after its last
// backslash becomes the file name and the file-name box text, the part before it the Kathrein folder.
void RememberChosenFile(std::string_view fullPath, KathreinPattern& pattern,
                        std::string& kathreinFolder);

// The message of a rejected read (result 1 or 2), in both languages.
const TextPair& ReadFailureMessage(int result);
// Title and text of the message box for a rejected read: captionPrefix + " Error in file  " +
// file name, and "in directory:  " + folder + CR LF CR LF + the message of `result`.
std::string ReadFailureTitle(std::string_view captionPrefix, std::string_view fileName,
                             int language);
std::string ReadFailureText(int result, std::string_view folder, int language);

// Shape of one measured plane as the conversion needs it.
enum class LobeClass : int {
  Flat = -2,      // all 360 values equal
  NearOmni = -1,  // nowhere more than about 1 dB below the maximum
  One = 1,        // one main lobe
  Two = 2,        // two lobes not opposite each other
  Three = 3,      // three lobes about 120 degrees apart
  Four = 4,       // four lobes about 90 degrees apart
  Opposite = 22,  // two equal lobes opposite each other
};

struct PatternShape {
  float maximum = 0, minimum = 0;
  float mainAzimuth = 0;  // centre of the maximum's plateau: 0 <= value < 360, whole or half
  float level1dB = 0, level3dB = 0, level20dB = 0;  // 0.89, 0.708 and 0.1 of the maximum
  float halfLevel = 0;                              // (minimum + maximum) / 2
  int leftEdge = 0, rightEdge = 0;                  // last indices below the half level
  float secondaryMaximum = 0;                       // largest value outside the main lobe
  float secondaryAzimuth = 0;
  float separation = 0;  // from the main to the secondary azimuth, clockwise
  LobeClass lobeClass = LobeClass::Flat;
  int halfWidth = 1;  // whole degrees, at least 1
  // The angles over which the main lobe is fitted: start, start + step ... up to end.
  int windowStart = 0, windowEnd = 0, windowStep = 1;
};

PatternShape AnalysePattern(PatternColumn e);

// The antenna code that fits one measured plane best and the azimuth of its maximum, as the
// text "CODE,###.#" (for example "030EA10, 45.5"; a constant column gives "000ND00,  0.0").
std::string ConvertPattern(PatternColumn e);

// Both planes of a pattern converted, as the conversion window hands them to the editor.
struct KathreinConversion {
  std::string horizontalText;  // ConvertPattern of the horizontal column
  std::string verticalText;    // ConvertPattern of the vertical column
  std::string hCode, vCode;
  float fittedAzimuth = 0;  // the azimuth of the horizontal text, possibly just below 0
  float aziMax = 0;         // the same brought to 0..360 (a negative value plus 360)
  float fittedTilt = 0;     // the angle of the vertical text
  float eleMax = 0;         // elevation of maximum radiation: -v below 180, else 360 - v
};
KathreinConversion ConvertKathreinPattern(const KathreinPattern& pattern);

// Code and angle of a result text: the first seven characters, and the number from the ninth.
std::string ResultCode(std::string_view resultText);
float ResultAngle(std::string_view resultText);

}  // namespace lobrix
