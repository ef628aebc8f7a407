#include "shell/tray_win.h"

#include <shellapi.h>

#include <cwchar>

#include "shell/main_window.h"

namespace quillet {

namespace {

NOTIFYICONDATAW IconRecord(HWND window) {
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = window;
  data.uID = kTrayIconId;
  return data;
}

}  // namespace

void AddTrayIcon(HWND window) {
  NOTIFYICONDATAW data = IconRecord(window);
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = kTrayCallbackMessage;
  // The window's own icon, borrowed: the shell keeps a copy.
  data.hIcon = reinterpret_cast<HICON>(::SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
  if (!data.hIcon) data.hIcon = reinterpret_cast<HICON>(::GetClassLongPtrW(window, GCLP_HICON));
  if (!data.hIcon) data.hIcon = ::LoadIconW(nullptr, IDI_APPLICATION);
  ::Shell_NotifyIconW(NIM_ADD, &data);
  data.uFlags = NIF_TIP;
  std::wcsncpy(data.szTip, L"Quillet", sizeof data.szTip / sizeof data.szTip[0] - 1);
  ::Shell_NotifyIconW(NIM_MODIFY, &data);
  if (!OldWindowProc) {
    OldWindowProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TrayWindowProc)));
  }
}

void RemoveTrayIcon(HWND window) {
  NOTIFYICONDATAW data = IconRecord(window);
  ::Shell_NotifyIconW(NIM_DELETE, &data);
  if (OldWindowProc) {
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWindowProc));
    OldWindowProc = nullptr;
  }
}

LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kTrayCallbackMessage && lParam == kTrayLeftDoubleClick) {
    ::ShowWindow(hwnd, SW_SHOW);
    RemoveTrayIcon(hwnd);
    return 0;
  }
  // A right click, or Shift+F10 and the menu key on the focused icon (sent
  // as a right click by the shell's first icon version, WM_CONTEXTMENU by
  // later ones).
  if (message == kTrayCallbackMessage && (lParam == WM_RBUTTONUP || lParam == WM_CONTEXTMENU)) {
    POINT at{};
    ::GetCursorPos(&at);
    TheForm<MainWindow>().ShowCommandMenu(at);
    return 0;
  }
  WNDPROC own = OldWindowProc;
  if (!own) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return ::CallWindowProcW(own, hwnd, message, wParam, lParam);
}

}  // namespace quillet
