#include "editor/parameter_fields.h"

#include <algorithm>
#include <cstdlib>

#include "editor/code_type.h"
#include "model/code_fields.h"

namespace lobrix {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// n (not negative) with zeros in front to `width` digits: 45 -> "045".
std::string Digits(int n, std::size_t width) {
  std::string text = std::to_string(n);
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

std::string ThreeDigits(int n) {
  return Digits(n, 3);
}
std::string TwoDigits(int n) {
  return Digits(n, 2);
}

// Z as the code holds it: the value of field 12 in two digits ("00" when its value is 0).
std::string SecondText(std::string_view secondValue) {
  const double value = std::clamp(TextValue(secondValue), 0.0, 99.0);
  return TwoDigits(static_cast<int>(value));
}

ComboContent SingleItem(std::string item) {
  return {{std::move(item)}, 0, false};
}

}  // namespace

std::string_view FieldValue(std::string_view text) {
  return text.empty() ? text : text.substr(1);
}

double TextValue(std::string_view text) {
  std::size_t i = text.find_first_not_of(' ');
  if (i == std::string_view::npos) return 0;
  std::string number;
  if (text[i] == '-' || text[i] == '+') number += text[i++];
  bool point = false;
  for (; i < text.size(); ++i) {
    if (IsDigit(text[i])) {
      number += text[i];
    } else if (text[i] == '.' && !point) {
      number += '.';
      point = true;
    } else {
      break;
    }
  }
  if (number.find_first_of("0123456789") == std::string::npos) return 0;
  return std::strtod(number.c_str(), nullptr);
}

ParameterFieldContents ParameterFieldsFor(std::string_view code) {
  const std::string_view letters = code.substr(std::min<std::size_t>(3, code.size()), 2);
  const int typeClass = TypeClass(letters);
  if (typeClass == kClassOmni) return {SingleItem(" 000"), SingleItem(" ND"), SingleItem(" 00")};

  ParameterFieldContents fields;
  const NumberRange range = FirstNumberRange(typeClass);
  const int n = CodeNumber(code, 1, 3);
  for (int value = range.first; value <= range.last; ++value) {
    fields.number.items.push_back(" " + ThreeDigits(value));
  }
  if (n >= range.first && n <= range.last) fields.number.selected = n - range.first;
  fields.number.enabled = true;

  const char lastLetter = LastTypeLetter(typeClass);
  if (lastLetter == 0) {
    fields.type = SingleItem(" " + std::string(letters));
  } else {
    for (char letter = 'A'; letter <= lastLetter; ++letter) {
      fields.type.items.push_back(std::string(" ") + letters[0] + letter);
    }
    const char second = letters.size() > 1 ? letters[1] : 0;
    if (second >= 'A' && second <= lastLetter) fields.type.selected = second - 'A';
    fields.type.enabled = true;
  }

  for (int value = 0; value <= 99; ++value) fields.second.items.push_back(" " + TwoDigits(value));
  fields.second.selected = CodeNumber(code, 6, 7) % 100;
  fields.second.enabled = true;
  return fields;
}

OvertypeResult OvertypeEntry(int field, std::string_view editText, int caret,
                             std::string_view typeLetters) {
  // The caret counted in digits: every character dropped (the leading blank too) moves it back.
  std::string digits;
  int p = caret;
  for (char c : editText) {
    if (IsDigit(c)) {
      digits += c;
    } else {
      --p;
    }
  }

  std::string s;
  if (field == kSecondField) {
    s = (digits + "00").substr(0, 2);
    p = 1;
  } else {
    s = (digits + "000").substr(0, 3);
    const int n = std::atoi(s.c_str());
    const NumberRange range = FirstNumberRange(TypeClass(typeLetters));
    const std::string lastDigits = std::to_string(range.last);
    if (n > range.last) {
      // Too big: read the digits one place further right (7 -> 070), but never beyond the
      // largest round value below the range's end (060 for 65). From 100 up a leading 1
      // stands for the range's end (150 -> 120 for LA).
      const std::string shifted = ("0" + s).substr(0, 3);
      const std::string lead = lastDigits.substr(0, 1);
      if (range.last >= 100 && s[0] == '1') {
        s = ThreeDigits(range.last);
      } else {
        const std::string round = range.last < 100 ? "0" + lead + "0" : lead + "00";
        s = std::atoi(round.c_str()) < std::atoi(shifted.c_str()) ? round : shifted;
      }
      p = 2;
    } else if (n < range.first) {
      s = p == 1 ? "010" : "001";
    }
    if (p == 3) p = 2;
  }

  p = std::clamp(p, 0, static_cast<int>(s.size()));
  OvertypeResult result;
  result.text = " " + s;
  result.selectionStart = 1 + p;
  result.selectionEnd = static_cast<int>(result.text.size());
  return result;
}

std::optional<std::string> ComposedCode(std::string_view numberText, std::string_view typeText,
                                        std::string_view secondText) {
  std::string code = std::string(FieldValue(numberText));
  code += FieldValue(typeText);
  code += FieldValue(secondText);
  if (code.size() < 7) return std::nullopt;
  code.resize(7);
  return code;
}

RememberedParameters& ProcessRememberedParameters() {
  static RememberedParameters remembered;
  return remembered;
}

std::string CodeForTypeButton(int buttonId, std::string_view previousType,
                              std::string_view numberValue, std::string_view secondValue,
                              RememberedParameters& remembered) {
  const std::string_view type = ButtonType(buttonId);
  if (type.empty()) return {};
  if (type == "ND") {
    if (previousType != "ND") {
      remembered.number = static_cast<int>(std::clamp(TextValue(numberValue), 0.0, 999.0));
      remembered.second = SecondText(secondValue);
      remembered.set = true;
    }
    return std::string(kOmniCode);
  }

  double n = 60;
  std::string second = "00";
  if (previousType == "ND") {
    if (remembered.set) {
      n = remembered.number;
      second = remembered.second;
    }
  } else {
    n = TextValue(numberValue);
    second = SecondText(secondValue);
  }
  const NumberRange range = FirstNumberRange(TypeClass(type));
  const int number = static_cast<int>(
      std::clamp(n, static_cast<double>(range.first), static_cast<double>(range.last)));
  return ThreeDigits(number) + std::string(type) + second;
}

}  // namespace lobrix
