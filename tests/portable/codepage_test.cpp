#include "base/codepage.h"

#include <gtest/gtest.h>

#include "base/utf8.h"

namespace quillet {
namespace {

TEST(Cp936, KnownTextsRoundTrip) {
  // "　中文 Quillet 农历" and the euro sign, which code page 936 keeps at 0x80.
  const std::string gbk = "\xA1\xA1\xD6\xD0\xCE\xC4 Quillet \xC5\xA9\xC0\xFA\x80";
  const std::string utf8 = "\u3000\u4E2D\u6587 Quillet \u519C\u5386\u20AC";
  const Cp936Decoded decoded = DecodeCp936(gbk);
  EXPECT_EQ(decoded.utf8, utf8);
  EXPECT_EQ(decoded.invalidBytes, 0u);
  const Cp936Encoded encoded = EncodeCp936(utf8);
  EXPECT_EQ(encoded.bytes, gbk);
  EXPECT_EQ(encoded.unmappable, 0u);
}

TEST(Cp936, EveryDoubleByteCodeThatDecodesEncodesBack) {
  // GBK lead bytes 0x81-0xFE, trail bytes 0x40-0x7E and 0x80-0xFE.
  int valid = 0;
  for (int lead = 0x81; lead <= 0xFE; ++lead) {
    for (int trail = 0x40; trail <= 0xFE; ++trail) {
      if (trail == 0x7F) continue;
      const std::string code{static_cast<char>(lead), static_cast<char>(trail)};
      const Cp936Decoded d = DecodeCp936(code);
      if (d.invalidBytes != 0) continue;  // unassigned or user-defined code
      ++valid;
      ASSERT_EQ(CountCodePoints(d.utf8), 1u) << std::hex << lead << trail;
      const Cp936Encoded e = EncodeCp936(d.utf8);
      ASSERT_EQ(e.unmappable, 0u) << std::hex << lead << trail;
      ASSERT_EQ(e.bytes, code) << std::hex << lead << trail;
    }
  }
  // GBK assigns 21886 codes; the user-defined areas are not among them here.
  EXPECT_GE(valid, 21000);
}

TEST(Cp936, InvalidBytesBecomeReplacementCharactersAndAreCounted) {
  // 0xFF is never valid; a lead byte at the very end has no trail; 0x81 0x20
  // is a lead byte followed by a blank, which is not a trail byte.
  const Cp936Decoded d = DecodeCp936(std::string("A\xFF" "B\x81 C\xD6", 7));
  EXPECT_EQ(d.invalidBytes, 3u);
  EXPECT_EQ(d.utf8, "A\uFFFDB\uFFFD C\uFFFD");
  // Text around the bad bytes survives intact.
  EXPECT_EQ(DecodeCp936(std::string("\xD6\xD0\xFF\xCE\xC4", 5)).utf8, "\u4E2D\uFFFD\u6587");
}

TEST(Cp936, CharactersOutsideTheCodePageAreReported) {
  // An emoji and a Korean syllable have no code page 936 form.
  const Cp936Encoded e = EncodeCp936("a\U0001F600b\uD55Cc");
  EXPECT_EQ(e.bytes, "a?b?c");
  EXPECT_EQ(e.unmappable, 2u);
  // Malformed UTF-8 is reported too, one '?' per bad byte.
  const Cp936Encoded bad = EncodeCp936(std::string("x\xC3y", 3));
  EXPECT_EQ(bad.bytes, "x?y");
  EXPECT_EQ(bad.unmappable, 1u);
}

TEST(Cp936, EmptyAndLargeInputs) {
  EXPECT_EQ(DecodeCp936("").utf8, "");
  EXPECT_EQ(EncodeCp936("").bytes, "");
  std::string big;
  for (int i = 0; i < 100000; ++i) big += "\xD6\xD0x";
  const Cp936Decoded d = DecodeCp936(big);
  EXPECT_EQ(CountCodePoints(d.utf8), 200000u);
  EXPECT_EQ(EncodeCp936(d.utf8).bytes, big);
}

TEST(Utf8, MalformedSequencesAdvanceOneByteEach) {
  const std::string text("\xE4\xB8" "a\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80", 12);
  std::size_t pos = 0;
  int replacements = 0;
  while (pos < text.size()) {
    if (NextCodePoint(text, pos) == kReplacementChar) ++replacements;
  }
  EXPECT_EQ(pos, text.size());
  EXPECT_EQ(replacements, 11);  // every byte but the 'a'
  EXPECT_FALSE(IsValidUtf8(text));
  EXPECT_TRUE(IsValidUtf8("\u4E2D\U0001F600"));
}

TEST(Utf8, Utf16RoundTripIncludingSurrogatePairs) {
  const std::string text = "Q\u3000\u4E2D\U0001F600";
  const std::u16string wide = Utf8ToUtf16(text);
  EXPECT_EQ(wide.size(), 5u);
  EXPECT_EQ(Utf16ToUtf8(wide), text);
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\uFFFDx");  // lone surrogate
}

}  // namespace
}  // namespace quillet
