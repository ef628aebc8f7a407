// INTEGRATION POINT: the gradient button control and its host are built
// with the control library. Until the host is merged, the buttons are the
// system's push buttons so that every window stays usable; the three
// functions below are the only code that changes when the host arrives.
#include "shell/button_host_win.h"

#include "win32/text.h"

namespace quillet {

HWND CreatePushButton(HWND parent, const ControlDef& control, const PixelBox& box, int id) {
  return ::CreateWindowExW(0, L"BUTTON", win::Widen(control.text).c_str(),
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, box.left, box.top,
                           box.width, box.height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           ::GetModuleHandleW(nullptr), nullptr);
}

void SetPushButtonColours(HWND, Colour, Colour) {}

void ClickPushButton(HWND button) { ::SendMessageW(button, BM_CLICK, 0, 0); }

}  // namespace quillet
