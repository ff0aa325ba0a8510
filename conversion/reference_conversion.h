// The conversion evaluated the straightforward way: every candidate written out as a code text
// and every sample computed by ANT93. Slow; kept for the tests and the benchmark, which check
// that ConvertPattern finds the same winner.
#pragma once

#include <string>

#include "conversion/conversion.h"

namespace lobrix {

std::string ReferenceConvertPattern(PatternColumn e);

}  // namespace lobrix
