// What the convert command's tests share: the command run on captured streams, pattern files
// generated from a known code at a known azimuth, a fresh folder a test, and the real file.
//
// The generated files hold the attenuation of a known code at a known azimuth (computed with
// ANT93 and written with six decimals): the conversion finds that code and azimuth again, so
// the expected values are the ones the files were made from.
#pragma once

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

#include "cli/convert_command.h"
#include "model/antenna_pattern.h"
#include "tests/cli/cli_test_support.h"

namespace lobrix::cli {

inline CommandRun Convert(const Args& args) {
  std::ostringstream out, err;
  const int status = RunConvertCommand(args, out, err);
  return {status, out.str(), err.str()};
}

inline CommandRun Convert(std::initializer_list<std::string> words) {
  const std::vector<std::string> kept(words);
  return Convert(Args(kept.begin(), kept.end()));
}

// One plane of a generated file: a code with its maximum at `angle` degrees of the column;
// an empty code is a flat plane (0 dB everywhere).
struct Plane {
  std::string code;
  float angle = 0;
};

inline std::string PairLines(const Plane& plane) {
  std::string lines;
  char line[64];
  for (int i = 0; i < 360; ++i) {
    float d = static_cast<float>(i) - plane.angle;
    if (d < -180) d += 360;
    if (d > 180) d -= 360;
    const float db = plane.code.empty() ? 0.0f : ANT93(plane.code, d, kDecibel);
    std::snprintf(line, sizeof line, "%d.0 %.6f\r\n", i, static_cast<double>(db));
    lines += line;
  }
  return lines;
}

inline std::string MsiText(const std::string& name, const Plane& horizontal,
                           const Plane& vertical) {
  return "NAME " + name + "\r\nFREQUENCY 900\r\nGAIN 15.0 dBd\r\nTILT ELECTRICAL\r\n" +
         "COMMENT generated\r\nHORIZONTAL 360\r\n" + PairLines(horizontal) + "VERTICAL 360\r\n" +
         PairLines(vertical);
}

inline void WriteFile(const std::filesystem::path& path, const std::string& text) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// A fresh, empty folder for one test.
inline std::filesystem::path TestFolder() {
  return TestFolder("lobrix_convert");
}

inline const std::string kRealFile = std::string(LOBRIX_TEST_DATA) + "/msi/80010465_0791_x_co.msi";

}  // namespace lobrix::cli
