// Running quillet.exe as a user runs it: a copy in a folder of its own,
// the process with its windows, the logical DPI, other command lines.
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

// The program and its files copied into a fresh folder, with these settings.
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

// quillet.exe of an installation started in its folder; ended when this goes.
class Process {
 public:
  explicit Process(const Installation& install) : Process(install.Exe(), install.folder()) {}
  Process(const std::wstring& exe, const std::wstring& folder);
  ~Process();
  bool Running() const;
  long WaitExit(DWORD ms = static_cast<DWORD>(kStartWait.count())) const;
  // A visible top-level window with exactly this caption (awaited for
  // kStartWait, as it may be the first), else nullptr. Only a shown one: while
  // the program builds a window it stands hidden at (0, 0).
  HWND Window(const wchar_t* caption) const;
  HWND WaitWindow(const wchar_t* caption) const;
  DWORD Id() const { return id_; }

 private:
  win::KernelHandle handle_;
  DWORD id_ = 0;
};

// The clock of the programs started (win32/clock.h): the wall clock plus
// the seconds in `file`, named by QUILLET_CLOCK_FILE from the first Set on.
class ProgramClock {
 public:
  explicit ProgramClock(std::wstring file) : file_(std::move(file)) {}
  DateTime Now() const;
  bool Set(const DateTime& moment);

 private:
  std::wstring file_;
  long long offset_ = 0;
};

// The first-run settings with docking off and the panel at (left, top) twips.
ParameterItems PanelSettings(int left, int top);

// (x, y) twips from a window's client corner in pixels at its DPI: on the
// screen, or (toScreen false) in the client area.
POINT TwipsPoint(HWND window, double x, double y, bool toScreen = true);

// Child windows of a window, top to bottom, then left to right.
std::vector<HWND> ChildWindows(HWND parent);

// The logical DPI of programs started from now on, put back when this goes.
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

// Runs a command line through cmd, its output and errors into a file; the exit code.
int RunCaptured(const std::wstring& commandLine, const std::wstring& outputPath);

}  // namespace quillet::test
