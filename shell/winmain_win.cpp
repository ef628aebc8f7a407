// Entry point of quillet.exe.
#include <windows.h>

#include "shell/main_window.h"

namespace {
// Light steel blue: with the gradient's step of 2 the panel ends in a deep
// blue that keeps black and white text readable.
constexpr quillet::Colour kFirstRunBackground = quillet::MakeColour(0xB4, 0xCD, 0xEB);
}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  quillet::MainWindow panel;
  if (!panel.Open(kFirstRunBackground)) return 1;
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
