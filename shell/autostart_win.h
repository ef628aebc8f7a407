// Start at log-on: the value "Quillet" under the user's Run key, holding
// the quoted path of the program. Written and removed only when the user
// asks (the tray menu, the installer's component), never on its own.
#pragma once

#include <string>

namespace quillet {

inline constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kRunValue[] = L"Quillet";

// Whether the value is there now (whoever wrote it).
bool StartsAtLogOn();
// Writes "\"<exePath>\"" (on) or removes the value (off); false when the
// registry refused.
bool SetStartAtLogOn(bool on, const std::wstring& exePath);

}  // namespace quillet
