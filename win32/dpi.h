// DPI of windows and of the screen, and twips<->pixels at that DPI.
#pragma once

#include <windows.h>

namespace quillet::win {

// DPI the window is drawn at (per monitor where the system supports it).
int WindowDpi(HWND hwnd);
// DPI of the primary screen, for sizes needed before a window exists.
int ScreenDpi();
int TwipsToPx(double twips, int dpi);

}  // namespace quillet::win
