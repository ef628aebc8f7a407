// Running quillet.exe as a user runs it, for the tests of the whole
// program: a copy of the program in a folder of its own, the process with
// its windows, the system's logical DPI, and other command lines.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "base/date_time_text.h"
#include "settings/parameters.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/handles.h"

namespace quillet::test {

// The program and its delivered files copied into a fresh folder, with
// this settings file.
class Installation {
 public:
  explicit Installation(const ParameterItems& settings, const wchar_t* folderName = nullptr);
  std::wstring Exe() const { return folder_.File(L"quillet.exe"); }
  std::wstring SettingsPath() const { return folder_.File(L"paramter.dat"); }
  const std::string& settingsBytes() const { return settingsBytes_; }
  const std::wstring& folder() const { return folder_.path(); }

 private:
  TempFolder folder_;
  std::string settingsBytes_;
};

// quillet.exe of an installation, started in its folder; ended when this
// object goes if it still runs.
class Process {
 public:
  explicit Process(const Installation& install);
  ~Process();
  bool Running() const;
  // Exit code after waiting up to ms; -1 while still running.
  long WaitExit(DWORD ms = static_cast<DWORD>(kStartWait.count())) const;
  // A visible top-level window of this process with exactly this caption;
  // awaited (kStartWait: it may be the process's first), else nullptr.
  HWND Window(const wchar_t* caption) const;
  HWND WaitWindow(const wchar_t* caption) const;
  DWORD Id() const { return id_; }

 private:
  win::KernelHandle handle_;
  DWORD id_ = 0;
};

// The clock of the programs this process starts (win32/clock.h): the wall
// clock plus the seconds written to `file`, which QUILLET_CLOCK_FILE names
// from the first Set on.
class ProgramClock {
 public:
  explicit ProgramClock(std::wstring file) : file_(std::move(file)) {}
  DateTime Now() const;
  // Moves the clock to `moment`, give or take the second it takes.
  bool Set(const DateTime& moment);

 private:
  std::wstring file_;
  long long offset_ = 0;
};

// The first-run settings with docking off and the panel at (left, top) twips.
ParameterItems PanelSettings(int left, int top);

// A left click posted to a window (of any process) at client point p.
void PostClick(HWND window, POINT p);

// The point (x, y) twips from a window's client corner, in pixels at the
// window's DPI: on the screen, or (toScreen false) in the client area.
POINT TwipsPoint(HWND window, double x, double y, bool toScreen = true);

// Child windows of a window, top to bottom, then left to right.
std::vector<HWND> ChildWindows(HWND parent);

// Sets the system's logical DPI for programs started from now on, and puts
// the old value back when it goes.
class LogicalDpi {
 public:
  explicit LogicalDpi(DWORD dpi);
  ~LogicalDpi();
  LogicalDpi(const LogicalDpi&) = delete;
  LogicalDpi& operator=(const LogicalDpi&) = delete;

 private:
  DWORD old_ = 96;
  bool had_ = false;
};

// Runs a command line through cmd, its standard output and error into a
// file; returns the exit code.
int RunCaptured(const std::wstring& commandLine, const std::wstring& outputPath);

}  // namespace quillet::test
