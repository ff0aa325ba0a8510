// Kathrein file texts for the tests, built line by line.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace lobrix::test {

// Attenuation in dB of the test file's row i: a different value in every row, 0 .. 39.5 dB.
inline double HorizontalDb(int i) {
  return (i * 7 % 80) * 0.5;
}
inline double VerticalDb(int i) {
  return (i * 11 % 80) * 0.5;
}

inline std::string Pair(double angle, double db, const char* separator = " ") {
  char text[64];
  std::snprintf(text, sizeof text, "%.1f%s%.2f", angle, separator, db);
  return text;
}

struct MsiFile {
  std::vector<std::string> header = {
      "NAME 742 215 test panel", "FREQUENCY 900 MHz", "GAIN 15.0 dBd",
      "TILT ELECTRICAL",         "COMMENT test",      "HORIZONTAL 360"};
  std::vector<std::string> horizontal;  // pair lines
  std::string verticalHeader = "VERTICAL 360";
  std::vector<std::string> vertical;

  MsiFile() {
    for (int i = 0; i < 360; ++i) {
      horizontal.push_back(Pair(i, HorizontalDb(i)));
      vertical.push_back(Pair(i, VerticalDb(i)));
    }
  }

  std::string Text(const std::string& eol = "\r\n") const {
    std::string text;
    for (const std::string& line : header) text += line + eol;
    for (const std::string& line : horizontal) text += line + eol;
    text += verticalHeader + eol;
    for (const std::string& line : vertical) text += line + eol;
    return text;
  }
};

}  // namespace lobrix::test
