#include "editor/number_filter.h"

#include <cstdlib>

namespace lobrix {

std::string NumberFilter(std::string_view text, int length, int integerDigits, int decimals,
                         NumberFilterMemory& memory, int focus) {
  std::string sign;
  if (length < 0) {
    if (!text.empty() && text.front() == '-') {
      sign = "-";
      text.remove_prefix(1);
    }
    length = -length;
  }

  std::string input(text);
  if (focus == memory.focus && input + "." == memory.previous &&
      static_cast<int>(input.size()) == integerDigits) {
    input.pop_back();
  }

  bool pointSeen = decimals == 0;
  int integerCount = 0;
  int decimalCount = 0;
  std::string result;
  for (char c : input) {
    if (c == '.' && !pointSeen) {
      result += '.';
      pointSeen = true;
    } else if (c >= '0' && c <= '9') {
      result += c;
      if (!pointSeen) {
        if (++integerCount == integerDigits) {
          result += '.';
          pointSeen = true;
        }
      } else if (++decimalCount == decimals) {
        break;
      }
    }
  }

  memory.focus = focus;
  memory.previous = result;
  return sign + result.substr(0, static_cast<std::size_t>(length));
}

}  // namespace lobrix
