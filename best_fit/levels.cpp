#include "best_fit/levels.h"

#include <utility>

namespace lobrix::fit {

LevelList SortedLevels(const std::vector<int>& values, float (*levelOf)(int, Domain),
                       Domain domain) {
  std::vector<std::pair<float, int>> pairs;
  for (int v : values) pairs.emplace_back(levelOf(v, domain), v);
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const auto& a, const auto& b) { return a.first > b.first; });
  LevelList list;
  for (const auto& [level, value] : pairs) {
    list.level.push_back(level);
    list.value.push_back(value);
  }
  return list;
}

}  // namespace lobrix::fit
