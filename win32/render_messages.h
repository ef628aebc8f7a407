// The three messages by which a window gets drawn, answered by one function
// that draws the whole client area into a DC: WM_PAINT (between BeginPaint
// and EndPaint), WM_PRINTCLIENT (into the DC the message brings, which is
// how tests render a window) and WM_ERASEBKGND (nothing: the render covers
// every pixel, and erasing first would only flicker).
//
// Header-only and on the handle owners alone, so that the control library
// may use it too.
#pragma once

#include <windows.h>

#include "win32/handles.h"

namespace quillet::win {

// True when msg is one of the three, with its answer in *result; render is
// called as render(HDC).
template <class Render>
bool AnswerRenderMessage(HWND hwnd, UINT msg, WPARAM wParam, Render&& render, LRESULT* result) {
  switch (msg) {
    case WM_PAINT: {
      PaintScope paint(hwnd);
      render(paint.dc());
      *result = 0;
      return true;
    }
    case WM_PRINTCLIENT:
      render(reinterpret_cast<HDC>(wParam));
      *result = 0;
      return true;
    case WM_ERASEBKGND:
      *result = 1;
      return true;
    default:
      return false;
  }
}

}  // namespace quillet::win
