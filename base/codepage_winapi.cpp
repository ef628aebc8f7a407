#include <windows.h>

#include "base/codepage.h"

namespace quillet::codepage_detail {
namespace {

constexpr UINT kCp936 = 936;

// The one UTF-16 unit the bytes decode to, or 0 when they are invalid.
char16_t DecodeOne(const char* bytes, int size) {
  wchar_t out[2];
  const int n = MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, bytes, size, out, 2);
  return n == 1 ? static_cast<char16_t>(out[0]) : char16_t{0};
}

}  // namespace

void AskDecodings(char16_t* singles, char16_t* pairs) {
  for (int b = 0x80; b <= 0xFF; ++b) {
    const char in = static_cast<char>(b);
    singles[b - 0x80] = DecodeOne(&in, 1);
  }
  for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
    for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
      const char in[2] = {static_cast<char>(lead), static_cast<char>(trail)};
      pairs[(lead - kFirstLead) * 256 + trail] = DecodeOne(in, 2);
    }
  }
}

void AskEncodings(std::uint16_t* codes) {
  for (unsigned c = 0x80; c <= 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;  // surrogates are no characters
    const wchar_t in = static_cast<wchar_t>(c);
    char out[2];
    BOOL usedDefault = FALSE;
    // No best fit: a character the code page lacks is not swapped for a
    // look-alike, it is reported.
    const int n = WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS, &in, 1, out, 2, nullptr, &usedDefault);
    if (usedDefault || n < 1) continue;
    const unsigned first = static_cast<unsigned char>(out[0]);
    codes[c] = static_cast<std::uint16_t>(n == 1 ? first : first << 8 | static_cast<unsigned char>(out[1]));
  }
}

}  // namespace quillet::codepage_detail
