#include "shell/autostart_win.h"

#include <windows.h>

namespace quillet {

bool StartsAtLogOn() {
  return ::RegGetValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                        nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool SetStartAtLogOn(bool on, const std::wstring& exePath) {
  if (!on) {
    const LSTATUS status = ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue);
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
  }
  const std::wstring quoted = L"\"" + exePath + L"\"";
  return ::RegSetKeyValueW(HKEY_CURRENT_USER, kRunKey, kRunValue, REG_SZ, quoted.c_str(),
                           static_cast<DWORD>((quoted.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace quillet
