#include "shell/main_window.h"

#include "win32/dpi.h"
#include "win32/handles.h"
#include "win32/paint.h"

namespace quillet {

namespace {
constexpr int kGradientStep = 2;
}

bool MainWindow::Open(Colour background) {
  background_ = background;
  const int dpi = win::ScreenDpi();
  const int width = win::TwipsToPx(kWidthTwips, dpi);
  const int height = win::TwipsToPx(kHeightTwips, dpi);
  const win::WindowPlacement place{(::GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                   (::GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height};
  if (!Create(L"QuilletMainPanel", kCaption, WS_POPUP | WS_CLIPCHILDREN, WS_EX_TOPMOST, place)) {
    return false;
  }
  // The window may sit on a monitor of another DPI than the primary one.
  const int windowDpi = win::WindowDpi(hwnd());
  if (windowDpi != dpi) {
    ::SetWindowPos(hwnd(), nullptr, 0, 0, win::TwipsToPx(kWidthTwips, windowDpi),
                   win::TwipsToPx(kHeightTwips, windowDpi), SWP_NOMOVE | SWP_NOZORDER);
  }
  ::ShowWindow(hwnd(), SW_SHOW);
  ::SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  return true;
}

LRESULT MainWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_PAINT: {
      win::PaintScope paint(hwnd());
      Paint(paint.dc());
      return 0;
    }
    case WM_PRINTCLIENT:
      Paint(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel
    case WM_DESTROY:
      ::PostQuitMessage(0);
      return 0;
    default:
      return DefaultProc(msg, wParam, lParam);
  }
}

void MainWindow::Paint(HDC dc) {
  RECT client{};
  ::GetClientRect(hwnd(), &client);
  win::BufferedDc buffer(dc, client.right, client.bottom);
  win::FillGradient(buffer.dc(), client.right, client.bottom, win::WindowDpi(hwnd()), background_,
                    kGradientStep);
}

}  // namespace quillet
