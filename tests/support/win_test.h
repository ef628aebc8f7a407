// Helpers for the Windows-side tests: paths handed over from the Linux
// side, waits, pixel probes, screenshots, a count of GDI objects, and a
// window and the program's manifest for hosting the gradient buttons.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/colour.h"

namespace quillet::test {

// A directory named by an environment variable, as a Windows path (a Unix
// path under Wine becomes Z:\...). Empty when the variable is unset.
std::wstring DirFromEnv(const char* variable);
std::wstring BinDir();       // the Windows build tree (quillet.exe, Lantoc.dll)
std::wstring ArtifactDir();  // where screenshots go; created on demand

// How long a wait may take before it fails: generous, as a wait ends as
// soon as its condition holds. Starting a process or opening its first
// window gets longer (a fresh Wine prefix builds its caches on first use).
inline constexpr std::chrono::milliseconds kWait = std::chrono::seconds(30);
inline constexpr std::chrono::milliseconds kStartWait = std::chrono::seconds(60);

// Pumps this thread's messages (each shown to seen before it is
// dispatched) until cond() holds or the time is up.
template <typename Cond>
bool WaitFor(Cond cond, std::chrono::milliseconds timeout = kWait,
             const std::function<void(const MSG&)>& seen = {}) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (seen) seen(msg);
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
    if (cond()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

// Handles every message posted to this thread so far: a marker posted
// after them comes out of the queue only once they have.
void DrainMessages();

// WM_TIMER messages of a window (of a thread timer: nullptr) handled until
// `count` have come; false when they did not within kWait.
bool WaitForTicks(HWND window, int count);

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  // As a Windows colour (0x00BBGGRR) for comparison with the program's values.
  Colour At(int x, int y) const;
};

// The whole window as it is on screen (frame, children and region included).
Capture CaptureWindow(HWND hwnd);
// The window's client area as WM_PRINTCLIENT draws it.
Capture RenderClient(HWND hwnd);
// text in black on a white w x h surface, drawn with font at (0, 0).
Capture RenderText(HFONT font, const std::wstring& text, int w, int h);
// What draw paints on a w x h memory surface.
Capture RenderWith(int w, int h, const std::function<void(HDC)>& draw);
// Saves CaptureWindow(hwnd) as ArtifactDir()\name.png; returns the path.
std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name);
// Saves a capture as ArtifactDir()\name.png; returns the path.
std::wstring SaveCapture(const Capture& cap, const std::wstring& name);
// Redraws the window with its children and saves its picture once it holds
// still, as SaveScreenshot(hwnd, name).
void SaveRedrawnScreenshot(HWND hwnd, const std::wstring& name);

// The top-level windows of process pid captioned exactly caption (any without one).
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* caption = nullptr);

// A left click (button down, button up) sent to hwnd at client (x, y).
void ClickAt(HWND hwnd, int x, int y);

// A control's text, also of another process (the system copies it over).
std::wstring ControlText(HWND control);
// The window with the keyboard focus in the thread of window (of any
// process): keys go where the focus is when they are sent.
HWND FocusIn(HWND window);

// Screenshots of every visible top-level window of this process.
void SaveScreenshotsOfProcess(const std::wstring& prefix);

// Live GDI objects of a process (a handle with query and read access),
// counted in the GDI handle table the system shares with it
// (GetGuiResources is not implemented everywhere); -1 when it cannot be read.
int GdiObjectCount(HANDLE process);

// Live GDI objects gained over `times` runs of cycle, after one warm-up run
// (the system keeps some objects, class brushes and fonts, from the first
// use on); the messages posted are handled before each count. The test fails
// when the count cannot be read or does not see a brush come and go.
int GdiGrowth(const std::function<void()>& cycle, int times);

// A visible top-most window to host controls in (client area w x h px).
HWND CreateHostWindow(int width, int height);

// The activation context of quillet.exe's embedded manifest, active while
// this object lives: what the program itself runs under, so that
// "Lantoc.Gleam" is found beside it with nothing registered.
class ProgramManifest {
 public:
  ProgramManifest();
  ~ProgramManifest();
  ProgramManifest(const ProgramManifest&) = delete;
  ProgramManifest& operator=(const ProgramManifest&) = delete;
  bool active() const { return active_; }

 private:
  std::wstring exe_, dir_;
  HANDLE context_ = INVALID_HANDLE_VALUE;
  ULONG_PTR cookie_ = 0;
  bool active_ = false;
};

}  // namespace quillet::test
