#include "base/codepage.h"

#include <gtest/gtest.h>

#include "base/utf8.h"

namespace quillet {
namespace {

TEST(Cp936, KnownTextsRoundTripAndCharactersOutsideTheCodePageAreReported) {
  const struct {
    std::string gbk, utf8;
    std::size_t invalid;
  } cases[] = {
      // "　中文 Quillet 农历" and the euro sign, which code page 936 keeps at 0x80.
      {"\xA1\xA1\xD6\xD0\xCE\xC4 Quillet \xC5\xA9\xC0\xFA\x80",
       "\u3000\u4E2D\u6587 Quillet \u519C\u5386\u20AC", 0},
      // 0xFF is never valid; a lead byte at the very end has no trail; 0x81
      // 0x20 is a lead byte followed by a blank. Each becomes its escape.
      {"A\xFF" "B\x81 C\xD6", "A\uEFFFB\uEF81 C\uEFD6", 3},
  };
  for (const auto& c : cases) {
    const Cp936Decoded decoded = DecodeCp936(c.gbk);
    EXPECT_EQ(decoded.utf8, c.utf8);
    EXPECT_EQ(decoded.invalidBytes, c.invalid);
    const Cp936Encoded encoded = EncodeCp936(c.utf8);
    EXPECT_EQ(encoded.bytes, c.gbk);
    EXPECT_EQ(encoded.unmappable, 0u);
  }

  // An emoji, a Korean syllable and a broken sequence, one '?' each; a byte
  // escape among them is still its byte.
  const Cp936Encoded e = EncodeCp936("a\U0001F600b\uD55Cc\xC3" "d\uEF81");
  EXPECT_EQ(e.bytes, "a?b?c?d\x81");
  EXPECT_EQ(e.unmappable, 3u);
  // An escaped lead byte before a quote stays, before a byte it would pair
  // with (the full-width quote a save makes of it) it cannot.
  EXPECT_EQ(EncodeCp936("\uEFD6\"").bytes, "\xD6\"");
  EXPECT_EQ(EncodeCp936("\uEFD6\uFF02").bytes, "?\xA3\xA2");
}

TEST(Cp936, NearlyEveryGbkCodeIsOneCharacter) {
  // Every lead byte 0x80-0xFF with every byte; that any bytes come back whole: codepage_fuzz.
  int characters = 0;
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const Cp936Decoded d = DecodeCp936(std::string{static_cast<char>(lead), static_cast<char>(trail)});
      characters += d.invalidBytes == 0 && CountCodePoints(d.utf8) == 1;
    }
  }
  EXPECT_GE(characters, 21000);  // GBK assigns 21886 codes; the user-defined areas are not among them here
}

TEST(Utf8, MalformedSequencesAdvanceOneByteEachAndUtf16RoundTrips) {
  const std::string bad("\xE4\xB8" "a\xC0\x80\xED\xA0\x80\xF4\x90\x80\x80", 12);
  std::size_t pos = 0;
  int replacements = 0;
  while (pos < bad.size()) replacements += NextCodePoint(bad, pos) == kReplacementChar;
  EXPECT_EQ(replacements, 11);  // every byte but the 'a'
  const std::string text = "Q\u3000\u4E2D\U0001F600";
  EXPECT_EQ(Utf8ToUtf16(text).size(), 5u);  // a surrogate pair for the emoji
  EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
  EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\uFFFDx");  // lone surrogate
}

}  // namespace
}  // namespace quillet
