// The panel's command menu: from the tray icon (right click, Shift+F10 or
// the menu key) or, with the tray picture switched off, from a right click
// on the date strip.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "base/parameter_items.h"
#include "forms/message_window.h"
#include "shell/autostart_win.h"
#include "shell/export_command_win.h"
#include "shell/main_window.h"
#include "shell/tray_win.h"
#include "win32/program_path.h"
#include "win32/text.h"

namespace quillet {

namespace {

enum MenuCommand : UINT {
  kMenuShowPanel = 1,
  kMenuStartAtLogOn,
  kMenuExportRecords,
  kMenuExportReminders,
  kMenuOpenDataFolder,
  kMenuQuit,
};

}  // namespace

void MainWindow::ShowCommandMenu(POINT at) {
  HMENU menu = ::CreatePopupMenu();
  if (!menu) return;
  // The check mark reads the registry each time: another tool may have
  // changed the value since.
  const UINT started = StartsAtLogOn() ? MF_CHECKED : MF_UNCHECKED;
  ::AppendMenuW(menu, MF_STRING, kMenuShowPanel, L"显示主面板");
  ::AppendMenuW(menu, MF_STRING | started, kMenuStartAtLogOn, L"开机时自动启动");
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, kMenuExportRecords, L"导出工作记录…");
  ::AppendMenuW(menu, MF_STRING, kMenuExportReminders, L"导出定时提醒…");
  ::AppendMenuW(menu, MF_STRING, kMenuOpenDataFolder, L"打开数据文件夹");
  ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  ::AppendMenuW(menu, MF_STRING, kMenuQuit, L"退出");
  ::SetMenuDefaultItem(menu, kMenuShowPanel, FALSE);
  // A menu of a window that is not in front would not close when the user
  // clicks elsewhere; the null message after it lets it close at once.
  ::SetForegroundWindow(hwnd());
  const UINT command = static_cast<UINT>(::TrackPopupMenu(
      menu, TPM_RETURNCMD | TPM_NONOTIFY | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd(), nullptr));
  ::PostMessageW(hwnd(), WM_NULL, 0, 0);
  ::DestroyMenu(menu);
  Program& program = this->program();
  switch (command) {
    case kMenuShowPanel:
      ::ShowWindow(hwnd(), SW_SHOW);
      RemoveTrayIcon(hwnd());
      ::SetForegroundWindow(hwnd());
      break;
    case kMenuStartAtLogOn:
      if (!SetStartAtLogOn(!StartsAtLogOn(), win::ProgramPath())) {
        ShowMessage(program, "无法更改开机时自动启动的设置。");
      }
      break;
    case kMenuExportRecords:
      ExportWithDialog(program, hwnd(), ExportKind::Records);
      break;
    case kMenuExportReminders:
      ExportWithDialog(program, hwnd(), ExportKind::Reminders);
      break;
    case kMenuOpenDataFolder: {
      const std::wstring folder = win::Widen(program.state.Parameters[kParamDataFolder]);
      ::ShellExecuteW(nullptr, L"open", folder.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
      break;
    }
    case kMenuQuit:
      ShutDown();  // as the close picture does
      break;
    default:
      break;
  }
}

}  // namespace quillet
