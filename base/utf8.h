// UTF-8 helpers. Inside the program every text is a UTF-8 std::string;
// UTF-16 exists only at Win32 calls and code page 936 only in data files.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// Decodes one code point starting at text[pos] and advances pos past it.
// A malformed or truncated sequence yields kReplacementChar and advances by
// one byte, so every byte is consumed exactly once.
char32_t NextCodePoint(std::string_view text, std::size_t& pos, bool* valid = nullptr);

// Appends the UTF-8 form of cp; surrogates and values above U+10FFFF are
// written as U+FFFD.
void AppendUtf8(std::string& out, char32_t cp);

// Number of code points (malformed bytes count one each).
std::size_t CountCodePoints(std::string_view text);

// UTF-8 <-> UTF-16. Malformed input becomes U+FFFD, never dropped.
std::u16string Utf8ToUtf16(std::string_view text);
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace quillet
