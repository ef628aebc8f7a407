#include "win32/dpi.h"

#include "base/units.h"

namespace quillet::win {

int ScreenDpi() {
  HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : kDefaultDpi;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kDefaultDpi;
}

int WindowDpi(HWND hwnd) {
  // GetDpiForWindow exists from Windows 10 1607; look it up so the program
  // still starts on older systems.
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (hwnd && getDpiForWindow) {
    const UINT dpi = getDpiForWindow(hwnd);
    if (dpi > 0) return static_cast<int>(dpi);
  }
  return ScreenDpi();
}

int TwipsToPx(double twips, int dpi) { return TwipsToPixels(twips, dpi); }

}  // namespace quillet::win
