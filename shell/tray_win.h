// The main panel's notification-area icon and the window procedure the
// panel runs while the icon is there.
#pragma once

#include <windows.h>

namespace quillet {

inline constexpr UINT kTrayIconId = 999933;
inline constexpr UINT kTrayCallbackMessage = 2025;  // WM_USER + 1001
inline constexpr LPARAM kTrayLeftDoubleClick = WM_LBUTTONDBLCLK;  // 515

// The panel's own window procedure while TrayWindowProc replaces it;
// nullptr when no replacement is installed.
inline WNDPROC OldWindowProc = nullptr;

// Adds the icon (tip "Quillet") and installs TrayWindowProc on window.
void AddTrayIcon(HWND window);
// Deletes the icon and, if TrayWindowProc is installed, gives the window
// its own procedure back. Harmless when there is no icon.
void RemoveTrayIcon(HWND window);

// Brings the window back on a left double-click of the icon; everything
// else goes on unchanged to the window's own procedure.
LRESULT CALLBACK TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace quillet
