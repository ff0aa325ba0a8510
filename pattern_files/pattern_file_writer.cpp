// Writing a code pair as a pattern file in the Kathrein layout.
#include "pattern_files/pattern_file_writer.h"

#include <cmath>
#include <cstdio>

#include "model/antenna_pattern.h"
#include "pattern_files/measured_pattern.h"

namespace lobrix {

namespace {

std::string Format(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof text, format, value);
  return text;
}

// What is wrong with the input, or an empty text.
std::string InputFault(const PatternFileCodes& c) {
  if (!CodeFaultText(c.hCode).empty())
    return "horizontal code " + c.hCode + ": " + CodeFaultText(c.hCode);
  if (!CodeFaultText(c.vCode).empty())
    return "vertical code " + c.vCode + ": " + CodeFaultText(c.vCode);
  if (!(c.azimuth >= 0 && c.azimuth < 360)) return "the azimuth must be from 0 to under 360";
  if (!(c.elevation >= -90 && c.elevation <= 90)) return "the elevation must be from -90 to 90";
  if (c.gainDbd && !std::isfinite(*c.gainDbd)) return "the gain must be a number";
  if (!(std::isfinite(c.frequency) && c.frequency >= 0))
    return "the frequency must be a number of MHz, 0 or more";
  for (const char ch : c.name) {
    if (ch == '\r' || ch == '\n' || ch == 26) return "the name must be one line";
  }
  return {};
}

// The vertical cut through the azimuth at row i of the vertical block: rows 0..90 look forward
// and down, 91..269 backward (down, the horizon at 180, then up), 270..359 forward and up.
float VerticalCut(const PatternFileCodes& c, int i) {
  if (i <= 90)
    return ANT3D(c.hCode, c.azimuth, c.azimuth, c.vCode, static_cast<float>(-i), c.elevation,
                 kDecibel);
  if (i < 270) {
    return ANT3D(c.hCode, c.azimuth - 180.0f, c.azimuth, c.vCode, static_cast<float>(i - 180),
                 c.elevation, kDecibel);
  }
  return ANT3D(c.hCode, c.azimuth, c.azimuth, c.vCode, static_cast<float>(360 - i), c.elevation,
               kDecibel);
}

void AddLine(std::string& text, const std::string& line) {
  text += line;
  text += "\r\n";
}

// One pair; adding 0.0 writes a negative zero as 0.00.
void AddPair(std::string& text, int angle, float db) {
  AddLine(text, std::to_string(angle) + " " + Format("%.2f", static_cast<double>(db) + 0.0));
}

}  // namespace

WrittenPatternFile WritePatternFile(const PatternFileCodes& codes) {
  WrittenPatternFile result;
  result.error = InputFault(codes);
  if (!result.error.empty()) return result;

  float horizontal[360], vertical[360];
  for (int i = 0; i < 360; ++i) {
    horizontal[i] = ANT93(codes.hCode, AngleFromMaximum(i, codes.azimuth), kDecibel);
    vertical[i] = VerticalCut(codes, i);
    if (horizontal[i] < 0 || vertical[i] < 0) {
      result.error = "the code pair gives no pattern in space (" + codes.vCode + ")";
      return result;
    }
  }
  const float gain = codes.gainDbd ? *codes.gainDbd : ZISKANTVA(codes.hCode, codes.vCode);

  const bool electrical =
      codes.vCode.size() > 3 && (codes.vCode[3] == 'T' || codes.vCode[3] == 'P');
  std::string& text = result.bytes;
  AddLine(text, "NAME " + (codes.name.empty() ? codes.hCode + " " + codes.vCode : codes.name));
  AddLine(text, "FREQUENCY " + Format("%g", codes.frequency));
  AddLine(text, "GAIN " + Format("%.2f", gain) + " dBd");
  // The tilt as makers state it: degrees down.
  AddLine(text, std::string("TILT ") + (electrical ? "ELECTRICAL " : "MECHANICAL ") +
                    Format("%.1f", 0.0 - codes.elevation));
  AddLine(text, "COMMENT " + codes.hCode + " " + codes.vCode + " AziMax " +
                    Format("%.1f", codes.azimuth) + " EleMax " + Format("%.1f", codes.elevation));
  AddLine(text, "HORIZONTAL 360");
  for (int i = 0; i < 360; ++i) AddPair(text, i, horizontal[i]);
  AddLine(text, "VERTICAL 360");
  for (int i = 0; i < 360; ++i) AddPair(text, i, vertical[i]);
  result.written = true;
  return result;
}

}  // namespace lobrix
