#include "forms/window_shape_win.h"

#include "base/placement.h"
#include "base/window_geometry.h"

namespace quillet {

void RoundCorners(HWND window, int radius) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) return;
  const RoundRegion g = RoundCornersRegion(r.right - r.left, r.bottom - r.top, radius);
  HRGN region = ::CreateRoundRectRgn(g.left, g.top, g.right, g.bottom, g.ellipse, g.ellipse);
  // On success the system owns the region; on failure it is still ours.
  if (region && !::SetWindowRgn(window, region, TRUE)) ::DeleteObject(region);
}

void DragWindow(HWND window, int button) {
  if (button != 1) return;
  ::ReleaseCapture();
  ::SendMessageW(window, WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

namespace {

bool CursorInside(const ScreenBox& box) {
  POINT p{};
  ::GetCursorPos(&p);
  return StrictlyInside(box, p.x, p.y);
}

}  // namespace

bool CursorOverWindow(HWND window) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) return false;
  return CursorInside({r.left, r.top, r.right, r.bottom});
}

bool CursorOverControl(HWND window, const RECT& clientBox) {
  POINT origin{0, 0};
  ::ClientToScreen(window, &origin);
  return CursorInside({origin.x + clientBox.left, origin.y + clientBox.top,
                       origin.x + clientBox.right, origin.y + clientBox.bottom});
}

bool CursorOverControl(HWND window, HWND control) {
  RECT r{};
  if (!::GetWindowRect(control, &r)) return false;
  ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
  return CursorOverControl(window, r);
}

void KeepOnScreen(HWND window) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) return;
  // Whole pixels are exact twips at every DPI, so the pure rule can work in
  // pixels here.
  const TwipsRect p = KeepOnScreen(TwipsRect{r.left, r.top, r.right - r.left, r.bottom - r.top},
                                   ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
  ::SetWindowPos(window, nullptr, p.left, p.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace quillet
