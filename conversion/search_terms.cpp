#include "conversion/search_terms.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "text/text_number.h"

namespace lobrix {

PatternColumn MeasuredRange(PatternColumn e) {
  for (float& value : e) {
    if (std::isnan(value)) value = 0.01f;
    value = std::clamp(value, 0.0f, 1.0f);
  }
  return e;
}

int RoundEven(double value) {
  return static_cast<int>(std::nearbyint(value));
}

int WindowStep(int start, int end) {
  return std::max(1, RoundEven((end - start) / 30.0));
}

std::vector<int> WindowIndices(int start, int end, int step) {
  std::vector<int> indices;
  for (int i = start; i <= end; i += step) indices.push_back(Wrap(i));
  return indices;
}

std::vector<int> EveryNthDegree(int n) {
  std::vector<int> indices;
  for (int i = 0; i < 360; i += n) indices.push_back(i);
  return indices;
}

std::vector<float> SweepOffsets(int halfWidth) {
  const double h = halfWidth;
  std::vector<float> offsets;
  for (float s = 0; s >= -h / 6.0; s = static_cast<float>(s - h / 36.0)) offsets.push_back(s);
  for (auto s = static_cast<float>(h / 36.0); s <= h / 6.0; s = static_cast<float>(s + h / 36.0)) {
    offsets.push_back(s);
  }
  return offsets;
}

float SingleLobeWeight(float measured) {
  return static_cast<float>(std::pow(static_cast<double>(measured), static_cast<double>(0.33f)));
}

std::string CandidateCode(int first, std::string_view type, int last) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d%.2s%02d", first, type.data(), last);
  return text;
}

std::string TwinLobeCode(int beamWidthIndex, int halfSeparation, std::string_view type, int last) {
  char text[16];
  std::snprintf(text, sizeof text, "%01d%02d%.2s%02d", beamWidthIndex, halfSeparation, type.data(),
                last);
  return text;
}

std::string ResultText(std::string_view code, float azimuth) {
  if (azimuth >= 360.0f) azimuth -= 360.0f;
  // Tenths, halves to even: a float times 10 is exact in double, so this rounds the value itself.
  const double tenths = std::nearbyint(static_cast<double>(azimuth) * 10.0);
  const long whole = std::lround(std::fabs(tenths));
  char number[32];
  std::snprintf(number, sizeof number, "%s%ld.%ld", (tenths < 0 ? "-" : ""), whole / 10,
                whole % 10);
  char field[40];
  std::snprintf(field, sizeof field, "%5s", number);
  return std::string(code) + "," + field;
}

std::string ResultCode(std::string_view resultText) {
  return std::string(resultText.substr(0, 7));
}

float ResultAngle(std::string_view resultText) {
  return resultText.size() > 8 ? static_cast<float>(TextNumber(resultText.substr(8))) : 0.0f;
}

}  // namespace lobrix
