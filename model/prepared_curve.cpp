// The preparation of a curve whose type is given as text.
#include "model/prepared_curve.h"

#include <iterator>
#include <string_view>

namespace lobrix {

CurveKind KindOf(std::string_view type) {
  constexpr std::string_view kTypes[] = {"EA", "EB", "EC", "DE", "LA", "KA", "CA", "CB", "CC"};
  for (std::size_t i = 0; i < std::size(kTypes); ++i) {
    if (type == kTypes[i]) return static_cast<CurveKind>(i);
  }
  return type.substr(0, 1) == "W" ? CurveKind::W : CurveKind::V;
}

PreparedCurve PrepareCurve(std::string_view type, int first) {
  return PrepareCurve(KindOf(type), first);
}

}  // namespace lobrix
