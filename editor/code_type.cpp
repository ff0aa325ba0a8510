#include "editor/code_type.h"

#include <array>

namespace lobrix {

int TypeClass(std::string_view letters) {
  const std::string_view pair = letters.substr(0, 2);
  if (pair == "EA" || pair == "DE") return kClassEaDe;
  if (pair == "EB") return kClassEb;
  if (pair == "EC") return kClassEc;
  if (pair == "LA") return kClassLa;
  if (pair == "CA" || pair == "CB" || pair == "CC" || pair == "KA") return kClassMinimum;
  if (pair == "TA") return kClassTa;
  if (pair.empty()) return kClassOmni;
  switch (pair[0]) {
    case 'V':
      return kClassV;
    case 'W':
      return kClassW;
    case 'P':
      return kClassP;
    default:
      return kClassOmni;
  }
}

NumberRange FirstNumberRange(int typeClass) {
  switch (typeClass) {
    case kClassEaDe:
      return {1, 65};
    case kClassEb:
      return {1, 79};
    case kClassEc:
      return {1, 96};
    case kClassLa:
      return {1, 120};
    case kClassMinimum:
      return {0, 100};
    case kClassV:
    case kClassW:
      return {0, 999};
    case kClassTa:
    case kClassP:
      return {1, 890};
    default:
      return {0, 0};
  }
}

char LastTypeLetter(int typeClass) {
  if (typeClass == kClassV || typeClass == kClassW) return 'I';
  if (typeClass == kClassP) return 'Z';
  return 0;
}

PanelGroup PanelGroupOf(int typeClass) {
  switch (typeClass) {
    case kClassMinimum:
      return PanelGroup::kC;
    case kClassV:
      return PanelGroup::kD;
    case kClassW:
      return PanelGroup::kE;
    case kClassEaDe:
    case kClassEb:
    case kClassEc:
    case kClassLa:
    case kClassTa:
    case kClassP:
      return PanelGroup::kB;
    default:
      return PanelGroup::kA;
  }
}

std::string_view ButtonType(int buttonId) {
  static constexpr std::array<std::string_view, 14> kTypes = {
      "ND", "EA", "EB", "EC", "DE", "LA", "CA", "CB", "CC", "KA", "VA", "WA", "TA", "PA"};
  if (buttonId < kFirstTypeButton || buttonId > kLastTypeButton) return {};
  return kTypes[static_cast<std::size_t>(buttonId - kFirstTypeButton)];
}

}  // namespace lobrix
