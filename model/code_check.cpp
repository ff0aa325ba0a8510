// The antenna code check (VERANT) and the reasons a code fails it.
#include <string>

#include "model/antenna_pattern.h"
#include "model/code_fields.h"

namespace lobrix {

namespace {

CodeCheck RangeFault(int low, int high) {
  return CodeCheck{CodeFault::kFirstNumberRange, 0, low, high};
}

CodeCheck CheckRange(int n, int low, int high) {
  return (n >= low && n <= high) ? CodeCheck{} : RangeFault(low, high);
}

}  // namespace

CodeCheck CheckCode(std::string_view code) {
  // Digit positions first, in order; a position past the end is no character and fails.
  for (int position : {1, 2, 3, 6, 7}) {
    const int c = CodeByte(code, position);
    if (c < '0' || c > '9') return CodeCheck{CodeFault::kNotADigit, position, 0, 0};
  }
  const int n = (CodeByte(code, 1) - '0') * 100 + (CodeByte(code, 2) - '0') * 10 +
                (CodeByte(code, 3) - '0');
  const int z = (CodeByte(code, 6) - '0') * 10 + (CodeByte(code, 7) - '0');
  const char t1 = static_cast<char>(CodeByte(code, 4));
  const char t2 = static_cast<char>(CodeByte(code, 5));
  const auto is = [&](const char* type) { return t1 == type[0] && t2 == type[1]; };

  if (is("ND")) {
    return (n == 0 && z == 0) ? CodeCheck{} : CodeCheck{CodeFault::kNdDigits, 0, 0, 0};
  }
  if (is("TA")) return CheckRange(n, 1, 890);
  if (is("EA") || is("DE")) return CheckRange(n, 1, 65);
  if (is("EB")) return CheckRange(n, 1, 79);
  if (is("EC")) return CheckRange(n, 1, 96);
  if (is("LA")) return CheckRange(n, 1, 120);
  if (is("CA") || is("CB") || is("CC") || is("KA")) return CheckRange(n, 0, 100);
  if (t1 == 'V' || t1 == 'W') {
    return (t2 >= 'A' && t2 <= 'I') ? CodeCheck{} : CodeCheck{CodeFault::kBackLetter, 5, 0, 0};
  }
  if (t1 == 'P') return CheckRange(n, 1, 890);
  return CodeCheck{CodeFault::kUnknownType, 4, 0, 0};
}

int VERANT(std::string_view code) { return CheckCode(code).fault == CodeFault::kNone ? 1 : 0; }

std::string CodeFaultText(std::string_view code) {
  const CodeCheck check = CheckCode(code);
  if (check.fault == CodeFault::kNone) return {};
  // A short code fails on its length whichever character the check stopped at: "ab" is
  // better told it is 2 characters long than that its first character is no digit.
  if (code.size() < 7) {
    return "a code has 7 characters, this one has " + std::to_string(code.size());
  }
  const std::string type(code.substr(3, 2));
  switch (check.fault) {
    case CodeFault::kNone:
      return {};
    case CodeFault::kNotADigit:
      return "position " + std::to_string(check.position) + " must be a digit 0-9";
    case CodeFault::kNdDigits:
      return "ND (omnidirectional) must be written 000ND00";
    case CodeFault::kFirstNumberRange: {
      const std::string name = code[3] == 'P' ? std::string("P") : type;
      return name + " needs a first number from " + std::to_string(check.low) + " to " +
             std::to_string(check.high);
    }
    case CodeFault::kBackLetter:
      return std::string(1, code[3]) + " needs a back-level letter A to I in position 5";
    case CodeFault::kUnknownType:
      return "'" + type +
             "' is no antenna type (ND, EA, EB, EC, DE, LA, KA, CA, CB, CC, TA, VA-VI, WA-WI, "
             "PA-PZ; upper case)";
  }
  return {};
}

}  // namespace lobrix
