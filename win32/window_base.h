// Base class of every window of the program. The static window procedure
// attaches the C++ object at WM_NCCREATE (from lpCreateParams), forwards
// every message to OnMessage, and detaches at WM_NCDESTROY. No exception
// leaves the window procedure.
#pragma once

#include <windows.h>

#include <string>

namespace quillet::win {

struct WindowPlacement {
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  int width = CW_USEDEFAULT;
  int height = CW_USEDEFAULT;
};

class Window {
 public:
  Window() = default;
  virtual ~Window();
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;

  HWND hwnd() const { return hwnd_; }
  bool IsAlive() const { return hwnd_ != nullptr; }
  // Destroys the window if it still exists (the object stays usable).
  void Destroy();

 protected:
  // Registers the window class className once per process and creates the
  // window with this object attached. Returns false if creation failed.
  bool Create(const wchar_t* className, const std::wstring& caption, DWORD style,
              DWORD exStyle, const WindowPlacement& placement, HWND owner = nullptr);

  // One switch per window; unhandled messages go to DefaultProc.
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT DefaultProc(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called after the window handle is gone (WM_NCDESTROY).
  virtual void OnDetached() {}

 private:
  static LRESULT CALLBACK StaticProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace quillet::win
