// Hooking a control's messages (comctl32 subclassing) with a handler that
// carries its own target, usually a lambda holding the window that owns
// the control: handler(control, msg, wParam, lParam) answers the messages
// it takes and passes the others on with ::DefSubclassProc.
//
// The handler lives on the heap until the control is destroyed: at
// WM_NCDESTROY the subclass removes itself (comctl32 knows a subclass by
// its procedure and id, so only the same procedure can remove it) and
// deletes the handler. Whatever the handler points to must outlive the
// control.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <new>
#include <utility>

namespace quillet::win {

namespace subclass_detail {

template <class Handler>
LRESULT CALLBACK Procedure(HWND control, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                           DWORD_PTR data) {
  auto* handler = reinterpret_cast<Handler*>(data);
  if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(control, &Procedure<Handler>, id);
    delete handler;
    return ::DefSubclassProc(control, msg, wParam, lParam);
  }
  return (*handler)(control, msg, wParam, lParam);
}

}  // namespace subclass_detail

// Hooks control. Each call adds a hook of its own (the handler's address
// is the subclass id), the latest first to see a message. False, and
// nothing hooked, for a null control or when memory runs out.
template <class Handler>
bool Subclass(HWND control, Handler handler) {
  if (!control) return false;
  auto* owned = new (std::nothrow) Handler(std::move(handler));
  if (!owned) return false;
  if (!::SetWindowSubclass(control, &subclass_detail::Procedure<Handler>,
                           reinterpret_cast<UINT_PTR>(owned), reinterpret_cast<DWORD_PTR>(owned))) {
    delete owned;
    return false;
  }
  return true;
}

}  // namespace quillet::win
