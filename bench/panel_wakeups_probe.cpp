// Probe: how often the idle main panel wakes up. Starts the panel in this
// process, leaves the cursor far from it and counts the timer messages the
// panel receives in each idle state, printed per minute. Run under Wine
// with QUILLET_BIN_DIR=build/windows:
//   tools/wine-run.sh build/wine-test build/windows/bench/panel_wakeups_probe.exe [seconds]
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "settings/default_settings.h"
#include "shell/main_window.h"
#include "shell/program_windows_win.h"
#include "shell/tray_win.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/test_files.h"
#include "win32/text.h"

namespace quillet {
namespace {

struct Counts {
  int docking = 0;
  int reminder = 0;
  int other = 0;
};

// Runs the message loop for `seconds`, counting the panel's timer messages.
Counts Idle(HWND panel, int seconds) {
  Counts counts;
  const DWORD end = ::GetTickCount() + static_cast<DWORD>(seconds) * 1000;
  for (DWORD now = ::GetTickCount(); static_cast<LONG>(end - now) > 0; now = ::GetTickCount()) {
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, end - now, QS_ALLINPUT);
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (msg.message == WM_TIMER && msg.hwnd == panel) {
        if (msg.wParam == MainWindow::kDockTimer) {
          ++counts.docking;
        } else if (msg.wParam == MainWindow::kReminderTimer) {
          ++counts.reminder;
        } else {
          ++counts.other;
        }
      }
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  }
  return counts;
}

void Report(const char* state, const Counts& c, int seconds) {
  const double perMinute = 60.0 / seconds;
  std::printf("%-36s docking %6.0f  reminder %4.0f  other %4.0f  all %6.0f  per minute\n", state,
              c.docking * perMinute, c.reminder * perMinute, c.other * perMinute,
              (c.docking + c.reminder + c.other) * perMinute);
}

int Run(int seconds) {
  test::ProgramManifest manifest;
  test::TempFolder folder;
  ShellProgram program;
  ProgramState& state = program.state;
  state.ProgramFolder = win::Narrow(folder.path());
  state.Parameters = DefaultSettings(state.ProgramFolder);
  state.SaveSettingsAtExit = false;
  ::SetCursorPos(640, 1000);  // far from the panel

  MainWindow& panel = TheForm<MainWindow>();
  const struct {
    const char* name;
    bool docking;
    int left, top;
    bool tray;
  } states[] = {
      {"docking off, shown", false, 3000, 1500, false},
      {"docking off, in the tray", false, 3000, 1500, true},
      {"docking on, shown away from edges", true, 3000, 1500, false},
      {"docking on, hidden at the left edge", true, 100, 1500, false},
      {"docking on, in the tray", true, 3000, 1500, true},
  };
  for (const auto& s : states) {
    state.Parameters[kParamDocking].assign(1, s.docking ? '1' : '0');
    if (!panel.Start(program, s.left, s.top)) {
      std::printf("the panel did not start\n");
      return 1;
    }
    if (s.tray) {
      AddTrayIcon(panel.hwnd());
      panel.Hide();
    }
    Idle(panel.hwnd(), 1);  // settle: snap and hide happen here
    Report(s.name, Idle(panel.hwnd(), seconds), seconds);
    if (s.tray) RemoveTrayIcon(panel.hwnd());
    panel.Unload();
  }
  return 0;
}

}  // namespace
}  // namespace quillet

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::atoi(argv[1]) : 12;
  ::OleInitialize(nullptr);
  const int rc = quillet::Run(seconds > 0 ? seconds : 12);
  ::OleUninitialize();
  return rc;
}
