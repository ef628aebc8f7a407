#include "win32/clock.h"

#include <cstdlib>
#include <string>

#include "win32/handles.h"

namespace quillet::win {

namespace {

// The offset in seconds the harness's file holds; 0 when it is absent or
// holds no number.
long long OffsetSeconds(const wchar_t* path) {
  const HANDLE opened = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr);
  if (opened == INVALID_HANDLE_VALUE) return 0;
  const KernelHandle file(opened);
  char text[32] = {};
  DWORD read = 0;
  if (!::ReadFile(file.get(), text, sizeof text - 1, &read, nullptr)) return 0;
  return std::strtoll(text, nullptr, 10);
}

}  // namespace

SYSTEMTIME LocalNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  static const std::wstring clockFile = [] {
    wchar_t path[MAX_PATH] = {};
    const DWORD n = ::GetEnvironmentVariableW(L"QUILLET_CLOCK_FILE", path, MAX_PATH);
    return n > 0 && n < MAX_PATH ? std::wstring(path, n) : std::wstring();
  }();
  if (clockFile.empty()) return now;
  const long long offset = OffsetSeconds(clockFile.c_str());
  if (offset == 0) return now;
  FILETIME ft{};
  ::SystemTimeToFileTime(&now, &ft);
  ULARGE_INTEGER t{};
  t.LowPart = ft.dwLowDateTime;
  t.HighPart = ft.dwHighDateTime;
  t.QuadPart += static_cast<unsigned long long>(offset * 10'000'000LL);  // 100 ns units
  ft.dwLowDateTime = t.LowPart;
  ft.dwHighDateTime = t.HighPart;
  SYSTEMTIME moved = now;
  ::FileTimeToSystemTime(&ft, &moved);
  return moved;
}

}  // namespace quillet::win
