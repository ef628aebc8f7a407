#include "win32/text.h"

#include "base/utf8.h"

namespace quillet::win {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "Win32 wide characters are UTF-16");

std::wstring Widen(std::string_view utf8) {
  const std::u16string u16 = Utf8ToUtf16(utf8);
  return std::wstring(u16.begin(), u16.end());
}

std::string Narrow(std::wstring_view wide) {
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide.data()), wide.size()));
}

}  // namespace quillet::win
