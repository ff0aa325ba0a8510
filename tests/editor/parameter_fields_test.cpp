#include "editor/parameter_fields.h"

#include <gtest/gtest.h>

#include <string>

namespace lobrix {
namespace {

TEST(ParameterFields, ListsStartAtZeroForMinimumAndLobeTypes) {
  const ParameterFieldContents ca = ParameterFieldsFor("000CA00");
  ASSERT_EQ(ca.number.items.size(), 101u);
  EXPECT_EQ(ca.number.selected, 0);
  EXPECT_EQ(ca.number.items[0], " 000");
  EXPECT_EQ(ParameterFieldsFor("120LA00").number.selected, 119);
  EXPECT_EQ(ParameterFieldsFor("999VA00").number.selected, 999);
  EXPECT_EQ(ParameterFieldsFor("890TA00").number.items.size(), 890u);
}

TEST(ParameterFields, LetterChoiceForVWAndP) {
  const ParameterFieldContents v = ParameterFieldsFor("000VB05");
  ASSERT_EQ(v.type.items.size(), 9u);
  EXPECT_EQ(v.type.items.front(), " VA");
  EXPECT_EQ(v.type.items.back(), " VI");
  EXPECT_EQ(v.type.selected, 1);
  EXPECT_TRUE(v.type.enabled);
  EXPECT_EQ(v.second.selected, 5);

  EXPECT_EQ(ParameterFieldsFor("000WI00").type.items.back(), " WI");
  EXPECT_EQ(ParameterFieldsFor("000WI00").type.selected, 8);

  const ParameterFieldContents p = ParameterFieldsFor("000PK05");
  ASSERT_EQ(p.type.items.size(), 26u);
  EXPECT_EQ(p.type.items.back(), " PZ");
  EXPECT_EQ(p.type.items[static_cast<std::size_t>(p.type.selected)], " PK");
  // A valid P code whose second character is no letter: nothing to select, nothing broken.
  EXPECT_EQ(ParameterFieldsFor("010P500").type.selected, -1);
}

TEST(ParameterFields, OmnidirectionalAndUnknownTypesAreFixed) {
  for (const char* code : {"000ND00", "045XX10"}) {
    const ParameterFieldContents f = ParameterFieldsFor(code);
    EXPECT_EQ(f.number.items, std::vector<std::string>{" 000"}) << code;
    EXPECT_EQ(f.type.items, std::vector<std::string>{" ND"}) << code;
    EXPECT_EQ(f.second.items, std::vector<std::string>{" 00"}) << code;
    EXPECT_EQ(f.number.selected, 0);
    EXPECT_FALSE(f.number.enabled || f.type.enabled || f.second.enabled) << code;
  }
  EXPECT_EQ(ParameterFieldsFor("").type.items, std::vector<std::string>{" ND"});
}

// A field as the user sees it while typing: text and selection.
struct Field {
  std::string text;
  int start = 0;
  int end = 0;
};

// Types one digit as the edit box does (replacing the selection), then applies the overtype
// entry the page answers with.
Field TypeDigit(const Field& field, char digit, int fieldId, const char* type) {
  std::string typed = field.text.substr(0, static_cast<std::size_t>(field.start)) + digit +
                      field.text.substr(static_cast<std::size_t>(field.end));
  const OvertypeResult r = OvertypeEntry(fieldId, typed, field.start + 1, type);
  return {r.text, r.selectionStart, r.selectionEnd};
}

Field TypeDigits(const char* digits, int fieldId, const char* type) {
  Field field;
  for (const char* d = digits; *d; ++d) field = TypeDigit(field, *d, fieldId, type);
  return field;
}

TEST(OvertypeEntry, FirstNumberStaysInItsRange) {
  EXPECT_EQ(TypeDigits("150", kNumberField, "LA").text, " 120");
  EXPECT_EQ(TypeDigits("7", kNumberField, "EA").text, " 060");
  EXPECT_EQ(TypeDigits("3", kNumberField, "EA").text, " 030");
  EXPECT_EQ(TypeDigits("8", kNumberField, "EB").text, " 070");
  EXPECT_EQ(TypeDigits("9", kNumberField, "EC").text, " 090");
  EXPECT_EQ(TypeDigits("2", kNumberField, "CA").text, " 020");
  EXPECT_EQ(TypeDigits("15", kNumberField, "KA").text, " 100");
  EXPECT_EQ(TypeDigits("9", kNumberField, "TA").text, " 090");
  EXPECT_EQ(TypeDigits("95", kNumberField, "PA").text, " 095");
  EXPECT_EQ(TypeDigits("999", kNumberField, "VA").text, " 999");
  EXPECT_EQ(TypeDigits("45", kNumberField, "EA").text, " 045");
}

TEST(OvertypeEntry, ZeroWhereTheRangeStartsAtOne) {
  EXPECT_EQ(TypeDigits("0", kNumberField, "EA").text, " 010");
  EXPECT_EQ(TypeDigits("05", kNumberField, "EA").text, " 050");
  EXPECT_EQ(OvertypeEntry(kNumberField, " 00", 3, "TA").text, " 001");
  EXPECT_EQ(TypeDigits("0", kNumberField, "CA").text, " 000");
}

TEST(OvertypeEntry, SecondNumberIsTwoDigits) {
  Field f = TypeDigits("5", kSecondField, "EA");
  EXPECT_EQ(f.text, " 50");
  EXPECT_EQ(f.start, 2);
  EXPECT_EQ(TypeDigit(f, '7', kSecondField, "EA").text, " 57");
  EXPECT_EQ(OvertypeEntry(kSecondField, "", 0, "EA").text, " 00");
}

TEST(OvertypeEntry, NonDigitsDroppedAndCaretKeptInside) {
  EXPECT_EQ(OvertypeEntry(kNumberField, " 0a", 3, "EA").text, " 010");
  const OvertypeResult r = OvertypeEntry(kNumberField, " x y z", 0, "VA");
  EXPECT_EQ(r.text, " 000");
  EXPECT_GE(r.selectionStart, 1);
  EXPECT_LE(r.selectionEnd, 4);
}

TEST(CodeForTypeButton, ClampsIntoTheNewRange) {
  RememberedParameters remembered;
  EXPECT_EQ(CodeForTypeButton(103, "EC", "096", "00", remembered), "079EB00");
  EXPECT_EQ(CodeForTypeButton(102, "CA", "000", "05", remembered), "001EA05");
  EXPECT_EQ(CodeForTypeButton(111, "VC", "999", "20", remembered), "999VA20");
  EXPECT_EQ(CodeForTypeButton(113, "VC", "999", "20", remembered), "890TA20");
  EXPECT_EQ(CodeForTypeButton(107, "LA", "120", "00", remembered), "100CA00");
  EXPECT_EQ(CodeForTypeButton(114, "TA", "450", "99", remembered), "450PA99");
  EXPECT_EQ(CodeForTypeButton(115, "EA", "045", "10", remembered), "");
  EXPECT_FALSE(remembered.set);
  // After ND the remembered N is clamped too.
  CodeForTypeButton(101, "VA", "999", "00", remembered);
  EXPECT_EQ(CodeForTypeButton(104, "ND", "000", "00", remembered), "096EC00");
}

TEST(TextValue, ReadsTheLeadingNumber) {
  EXPECT_EQ(TextValue(" 045"), 45);
  EXPECT_EQ(TextValue("123."), 123);
  EXPECT_EQ(TextValue("-90.0"), -90);
  EXPECT_EQ(TextValue("7.5x"), 7.5);
  for (const char* zero : {"", "-", ".", "-.", "abc", "  "}) EXPECT_EQ(TextValue(zero), 0) << zero;
}

}  // namespace
}  // namespace lobrix
