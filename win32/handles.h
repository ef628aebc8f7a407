// Move-only owners for Win32 handles: one owner per release function.
// A raw handle in this program is always borrowed.
#pragma once

#include <windows.h>

#include <utility>

namespace quillet::win {

// Owns a handle released by Release::operator()(Handle); Handle{} is empty.
template <typename Handle, typename Release>
class Owned {
 public:
  Owned() = default;
  explicit Owned(Handle h) : handle_(h) {}
  ~Owned() { reset(); }
  Owned(const Owned&) = delete;
  Owned& operator=(const Owned&) = delete;
  Owned(Owned&& other) noexcept : handle_(std::exchange(other.handle_, Handle{})) {}
  Owned& operator=(Owned&& other) noexcept {
    if (this != &other) reset(std::exchange(other.handle_, Handle{}));
    return *this;
  }

  Handle get() const { return handle_; }
  explicit operator bool() const { return handle_ != Handle{}; }
  Handle release() { return std::exchange(handle_, Handle{}); }
  void reset(Handle h = Handle{}) {
    if (handle_ != Handle{}) Release{}(handle_);
    handle_ = h;
  }

 private:
  Handle handle_{};
};

struct DeleteGdiObject { void operator()(HGDIOBJ h) const { ::DeleteObject(h); } };
struct DeleteDcRelease { void operator()(HDC h) const { ::DeleteDC(h); } };
struct CloseKernelHandle { void operator()(HANDLE h) const { ::CloseHandle(h); } };
struct DestroyIconRelease { void operator()(HICON h) const { ::DestroyIcon(h); } };
struct FindCloseRelease { void operator()(HANDLE h) const { ::FindClose(h); } };
struct ComRelease {
  template <class T>
  void operator()(T* p) const { p->Release(); }
};

template <typename T> using GdiObject = Owned<T, DeleteGdiObject>;
using Brush = GdiObject<HBRUSH>;
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Region = GdiObject<HRGN>;
using Pen = GdiObject<HPEN>;
using MemoryDc = Owned<HDC, DeleteDcRelease>;
using KernelHandle = Owned<HANDLE, CloseKernelHandle>;
using Icon = Owned<HICON, DestroyIconRelease>;
// A search of FindFirstFileW; INVALID_HANDLE_VALUE must be stored as empty.
using FileSearch = Owned<HANDLE, FindCloseRelease>;
// One reference to a COM object.
template <class T>
using ComRef = Owned<T*, ComRelease>;

// A DC from GetDC/GetWindowDC, given back with ReleaseDC.
class WindowDc {
 public:
  explicit WindowDc(HWND hwnd, bool wholeWindow = false)
      : hwnd_(hwnd), dc_(wholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd)) {}
  ~WindowDc() { if (dc_) ::ReleaseDC(hwnd_, dc_); }
  WindowDc(const WindowDc&) = delete;
  WindowDc& operator=(const WindowDc&) = delete;
  HDC get() const { return dc_; }

 private:
  HWND hwnd_;
  HDC dc_;
};

// BeginPaint/EndPaint pair for WM_PAINT.
class PaintScope {
 public:
  explicit PaintScope(HWND hwnd) : hwnd_(hwnd) { ::BeginPaint(hwnd_, &ps_); }
  ~PaintScope() { ::EndPaint(hwnd_, &ps_); }
  PaintScope(const PaintScope&) = delete;
  PaintScope& operator=(const PaintScope&) = delete;
  HDC dc() const { return ps_.hdc; }
  const RECT& area() const { return ps_.rcPaint; }

 private:
  HWND hwnd_;
  PAINTSTRUCT ps_{};
};

// Selects an object into a DC and selects the previous one back on exit,
// so an owned object is never deleted while still selected.
class SelectScope {
 public:
  SelectScope(HDC dc, HGDIOBJ obj) : dc_(dc), old_(::SelectObject(dc, obj)) {}
  ~SelectScope() { ::SelectObject(dc_, old_); }
  SelectScope(const SelectScope&) = delete;
  SelectScope& operator=(const SelectScope&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

}  // namespace quillet::win
