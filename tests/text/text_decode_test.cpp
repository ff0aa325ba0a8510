#include "text/text_decode.h"

#include <gtest/gtest.h>

namespace lobrix {
namespace {

TEST(DecodeText, ValidUtf8PassesThrough) {
  const std::string text = "Přizpůsobený 45° €";
  const std::u32string decoded = DecodeText(text);
  EXPECT_EQ(decoded, U"Přizpůsobený 45° €");
  EXPECT_EQ(EncodeUtf8(decoded), text);
}

TEST(DecodeText, StrayBytesAreReadAsCodePage1250) {
  // "Přenést" and the degree sign in code page 1250.
  EXPECT_EQ(DecodeText("P\xF8"
                       "en\xE9st 4\xB0"),
            U"Přenést 4°");
  EXPECT_EQ(DecodeText("\x81"), U"\uFFFD");  // no character there in the code page
}

TEST(DecodeText, BrokenSequencesNeverReadPastTheText) {
  EXPECT_EQ(DecodeText(std::string_view("a\xC5", 2)), U"aĹ");  // truncated two-byte sequence
  EXPECT_EQ(DecodeText("\xE2\x82"), U"â‚");                    // truncated three-byte sequence
  EXPECT_EQ(DecodeText("\xC0\xAF"), U"ŔŻ");                    // overlong "/"
  EXPECT_EQ(DecodeText("\xED\xA0\x80").size(), 3u);            // surrogate
  EXPECT_EQ(DecodeText(std::string_view("\0x", 2)), std::u32string(U"\0x", 2));
}

TEST(DecodeCp1250, ReadsEveryByteAsTheCodePage) {
  // "Ĺ" and "‚" in code page 1250 are the bytes of a valid UTF-8 "ł": single-byte text must
  // not be taken for UTF-8.
  EXPECT_EQ(DecodeCp1250("\xC5\x82 \xB0"), U"Ĺ‚ °");
  EXPECT_EQ(DecodeCp1250("\x8A\xFE\x81"), U"Šţ\uFFFD");
}

TEST(EncodeUtf16, OutsideTheBasicPlaneBecomesASurrogatePair) {
  EXPECT_EQ(EncodeUtf16(U"ř\U0001F600"), u"ř\U0001F600");
  EXPECT_EQ(EncodeUtf16(U"ř\U0001F600").size(), 3u);
}

}  // namespace
}  // namespace lobrix
