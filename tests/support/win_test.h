// Helpers for the Windows-side tests: paths, waits, pixel probes,
// screenshots, GDI object counts, a host window and the program's manifest.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/colour.h"

namespace quillet::test {

// A directory named by an environment variable as a Windows path; empty when unset.
std::wstring DirFromEnv(const char* variable);
std::wstring BinDir();       // the Windows build tree (quillet.exe, Lantoc.dll)
std::wstring ArtifactDir();  // where screenshots go; created on demand

// Generous, as a wait ends once its condition holds; a process's first
// window gets longer (a fresh Wine prefix builds its caches on first use).
inline constexpr std::chrono::milliseconds kWait = std::chrono::seconds(30);
inline constexpr std::chrono::milliseconds kStartWait = std::chrono::seconds(60);

// Pumps this thread's messages (each shown to seen) until cond() holds or time is up.
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

// Handles every message posted to this thread so far.
void DrainMessages();

// Whether `count` WM_TIMER messages of window (thread timer: nullptr) came within kWait.
bool WaitForTicks(HWND window, int count);

struct Capture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, top row first
  Colour At(int x, int y) const;  // 0x00BBGGRR, as the program's colours
};

Capture CaptureWindow(HWND hwnd);  // as on screen, frame and children included
Capture RenderClient(HWND hwnd);   // as WM_PRINTCLIENT draws it
// text in black on a white w x h surface, drawn with font at (0, 0).
Capture RenderText(HFONT font, const std::wstring& text, int w, int h);
Capture RenderWith(int w, int h, const std::function<void(HDC)>& draw);
// Save as ArtifactDir()\name.png and return the path.
std::wstring SaveScreenshot(HWND hwnd, const std::wstring& name);
std::wstring SaveCapture(const Capture& cap, const std::wstring& name);
// Redraws the window and saves its picture once it holds still.
void SaveRedrawnScreenshot(HWND hwnd, const std::wstring& name);

// The top-level windows of process pid captioned exactly caption (any without one).
std::vector<HWND> TopLevelWindows(DWORD pid, const wchar_t* caption = nullptr);
void ClickAt(HWND hwnd, int x, int y);  // button down and up sent at client (x, y)
std::wstring ControlText(HWND control);  // also of another process
HWND FocusIn(HWND window);  // the focus in window's thread, of any process
void SaveScreenshotsOfProcess(const std::wstring& prefix);

// Live GDI objects of a process, read from the GDI handle table it shares
// (GetGuiResources is not implemented everywhere); -1 when unreadable.
int GdiObjectCount(HANDLE process);
// Live GDI objects gained over `times` runs of cycle after one warm-up run,
// posted messages handled before each count.
int GdiGrowth(const std::function<void()>& cycle, int times);

// A visible top-most window to host controls in (client area w x h px).
HWND CreateHostWindow(int width, int height);

// quillet.exe's embedded manifest, active while this lives, so that
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
