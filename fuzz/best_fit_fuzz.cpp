// Fuzz target: a measured plane of 360 relative fields taken from the bytes (any float, NaN and
// infinities included) given to the best-fit search under each criterion. A run searches one
// family, thinned out, so that it stays short (a whole search takes seconds).
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "best_fit/best_fit.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  lobrix::FitColumn column{};
  // The bytes after the first two fill the plane, repeated when there are too few.
  const std::size_t bodySize = size - 2;
  for (std::size_t i = 0; i < column.size() && bodySize >= sizeof(float); ++i) {
    const std::size_t at = (i * sizeof(float)) % (bodySize - bodySize % sizeof(float));
    std::memcpy(&column[i], data + 2 + at, sizeof(float));
  }
  const auto plane = (data[0] & 1) ? lobrix::FitPlane::kVertical : lobrix::FitPlane::kHorizontal;
  const lobrix::FitCriterion criteria[] = {lobrix::FitCriterion::kDb, lobrix::FitCriterion::kField,
                                           lobrix::FitCriterion::kEnvelope};
  const lobrix::FitCriterion criterion = criteria[data[1] % 3];
  auto candidates = lobrix::FitCandidates::Only(
      static_cast<lobrix::FitFamily>((data[1] / 3) % lobrix::kFitFamilyCount));
  candidates.firstStride = 13;
  candidates.beamStride = 4;
  candidates.lobeStride = 30;
  candidates.zStride = 50;
  const lobrix::FitResult fit = lobrix::FindBestFit(column, plane, criterion, candidates, 1);
  if (fit.found && (fit.code.size() != 7 || !(fit.direction >= 0 && fit.direction < 360))) {
    __builtin_trap();
  }
  return 0;
}
