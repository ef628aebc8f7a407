// UTF-8 <-> UTF-16 at Win32 calls. wchar_t is 16 bits on Windows.
#pragma once

#include <string>
#include <string_view>

namespace quillet::win {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view wide);

}  // namespace quillet::win
