#include "base/codepage.h"

#include <gtest/gtest.h>

#include "base/utf8.h"

#ifndef _WIN32
#include <iconv.h>
#endif

namespace quillet {
namespace {

TEST(Cp936, KnownTextsRoundTripAndCharactersOutsideTheCodePageAreReported) {
  const struct { std::string gbk, utf8; std::size_t invalid; } cases[] = {
      // "　中文 Quillet 农历" and the euro sign, which code page 936 keeps at 0x80.
      {"\xA1\xA1\xD6\xD0\xCE\xC4 Quillet \xC5\xA9\xC0\xFA\x80",
       "\u3000\u4E2D\u6587 Quillet \u519C\u5386\u20AC", 0},
      // 0xFF is never valid; a lead byte at the very end has no trail; 0x81
      // 0x20 is a lead byte followed by a blank. Each becomes its escape.
      {"A\xFF" "B\x81 C\xD6", "A\uEFFFB\uEF81 C\uEFD6", 3},
  };
  // Encoding them back: every pair below, and text_fuzz.
  for (const auto& c : cases) {
    const Cp936Decoded decoded = DecodeCp936(c.gbk);
    EXPECT_TRUE(decoded.utf8 == c.utf8 && decoded.invalidBytes == c.invalid) << decoded.utf8;
  }

  // An emoji, a Korean syllable and a broken sequence, one '?' each; a byte
  // escape among them is still its byte.
  const Cp936Encoded e = EncodeCp936("a\U0001F600b\uD55Cc\xC3" "d\uEF81");
  EXPECT_EQ(e.bytes + std::to_string(e.unmappable), "a?b?c?d\x81" "3");
  // An escaped lead byte before a quote stays, before a byte it would pair
  // with (the full-width quote a save makes of it) it cannot.
  EXPECT_EQ(EncodeCp936("\uEFD6\"").bytes, "\xD6\"");
  EXPECT_EQ(EncodeCp936("\uEFD6\uFF02").bytes, "?\xA3\xA2");
}

TEST(Cp936, EveryDoubleByteCodeOfThePublishedTableIsOneCharacterAndEveryPairComesBackWhole) {
  // Microsoft's published CP936.TXT lists 21791 double-byte codes, as many
  // as glibc's iconv decodes. Windows' own table (bestfit936.txt) maps every
  // code of the grid, 126 lead bytes 0x81-0xFE by 190 trails 0x40-0xFE but
  // 0x7F, those CP936.TXT leaves out (user-defined areas and a few more) into
  // private use.
#ifdef _WIN32
  constexpr int kCharacters = 126 * 190;
#else
  constexpr int kCharacters = 21791;
  const iconv_t glibc = iconv_open("UTF-16LE", "CP936");
#endif
  int characters = 0;
  for (int lead = 0x80; lead <= 0xFF; ++lead) {
    for (int trail = 0x00; trail <= 0xFF; ++trail) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      const Cp936Decoded d = DecodeCp936(std::string_view(pair, 2));
      const bool one = d.invalidBytes == 0 && CountCodePoints(d.utf8) == 1;
      characters += one;
      ASSERT_EQ(EncodeCp936(d.utf8).bytes, std::string_view(pair, 2)) << lead * 256 + trail;
#ifndef _WIN32  // glibc's converter asked about the two bytes whole: the same character or none
      char16_t unit[2] = {};
      char *in = const_cast<char*>(pair), *out = reinterpret_cast<char*>(unit);
      std::size_t inLeft = 2, outLeft = sizeof unit;
      const bool whole = iconv(glibc, &in, &inLeft, &out, &outLeft) != static_cast<std::size_t>(-1) && outLeft == 2;
      iconv(glibc, nullptr, nullptr, nullptr, nullptr);
      ASSERT_EQ(one ? Utf8ToUtf16(d.utf8) : u"", whole ? std::u16string(1, unit[0]) : u"") << lead * 256 + trail;
#endif
    }
  }
  EXPECT_EQ(characters, kCharacters);
#ifndef _WIN32
  iconv_close(glibc);
#endif
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
