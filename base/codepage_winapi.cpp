#include <windows.h>

#include "base/codepage.h"
#include "base/utf8.h"

namespace quillet {
namespace {

constexpr UINT kCp936 = 936;

// Converts a run that is known to be valid (or reports false).
bool DecodeRun(const char* data, int size, std::u16string& out) {
  if (size == 0) return true;
  const int n = MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, data, size, nullptr, 0);
  if (n <= 0) return false;
  const std::size_t base = out.size();
  out.resize(base + static_cast<std::size_t>(n));
  MultiByteToWideChar(kCp936, MB_ERR_INVALID_CHARS, data, size,
                      reinterpret_cast<wchar_t*>(out.data() + base), n);
  return true;
}

}  // namespace

Cp936Decoded DecodeCp936(std::string_view bytes) {
  Cp936Decoded result;
  std::u16string wide;
  if (bytes.size() < 0x7FFFFFFF && DecodeRun(bytes.data(), static_cast<int>(bytes.size()), wide)) {
    result.utf8 = Utf16ToUtf8(wide);
    return result;
  }
  // Slow path: character by character, so one bad byte costs one escape.
  wide.clear();
  for (std::size_t i = 0; i < bytes.size();) {
    const auto lead = static_cast<BYTE>(bytes[i]);
    const int width = (IsDBCSLeadByteEx(kCp936, lead) && i + 1 < bytes.size()) ? 2 : 1;
    if (DecodeRun(bytes.data() + i, width, wide)) {
      i += static_cast<std::size_t>(width);
    } else {
      wide += static_cast<char16_t>(ByteEscape(lead));
      ++result.invalidBytes;
      ++i;
    }
  }
  result.utf8 = Utf16ToUtf8(wide);
  return result;
}

Cp936Encoded EncodeCp936(std::string_view utf8) {
  Cp936Encoded result;
  result.bytes.reserve(utf8.size());
  char buffer[8];
  for (std::size_t pos = 0; pos < utf8.size();) {
    bool valid = false;
    const char32_t cp = NextCodePoint(utf8, pos, &valid);
    if (cp < 0x80 && valid) {  // ASCII needs no call
      result.bytes += static_cast<char>(cp);
      continue;
    }
    if (valid && IsByteEscape(cp)) {
      result.bytes += EscapedByte(cp);
      continue;
    }
    std::string one;
    AppendUtf8(one, cp);
    const std::u16string w = Utf8ToUtf16(one);
    BOOL usedDefault = FALSE;
    const int n = valid ? WideCharToMultiByte(kCp936, WC_NO_BEST_FIT_CHARS,
                                              reinterpret_cast<const wchar_t*>(w.data()),
                                              static_cast<int>(w.size()), buffer, sizeof buffer,
                                              nullptr, &usedDefault)
                        : 0;
    if (n <= 0 || usedDefault) {
      result.bytes += '?';
      ++result.unmappable;
    } else {
      result.bytes.append(buffer, static_cast<std::size_t>(n));
    }
  }
  return result;
}

}  // namespace quillet
