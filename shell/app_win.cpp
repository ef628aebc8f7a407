#include "shell/app_win.h"

#include <windows.h>
#include <ole2.h>

#include <shellapi.h>

#include <string>
#include <utility>
#include <vector>

#include "base/daily_backup.h"
#include "base/numbers.h"
#include "base/paths.h"
#include "forms/message_window.h"
#include "reminders/reminder.h"
#include "shell/export_command_win.h"
#include "shell/main_window.h"
#include "shell/program_windows_win.h"
#include "shell/startup.h"
#include "win32/clock.h"
#include "win32/handles.h"
#include "win32/program_path.h"
#include "win32/text.h"
#include "worklog/work_record.h"

namespace quillet {

namespace {

// One copy per user session.
constexpr wchar_t kSingleCopyMutex[] = L"Local\\Quillet.Organiser.SingleCopy";

std::string FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return win::Narrow(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

// The arguments after the program's name, UTF-8.
std::vector<std::string> Arguments() {
  int count = 0;
  wchar_t** list = ::CommandLineToArgvW(::GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 1; list && i < count; ++i) arguments.push_back(win::Narrow(list[i]));
  if (list) ::LocalFree(list);
  return arguments;
}

// Every save of the three data files passes here first: the first of the
// day copies the old file into the backup folder. A copy that fails is
// told once a run; the save goes on.
void StartDailyBackup(Program& program) {
  SetBeforeReplaceHook([&program, told = false](const std::string& path) mutable {
    const ProgramState& state = program.state;
    const std::string& dataFolder = state.Parameters[kParamDataFolder];
    if (path != WorkRecordPath(dataFolder) && path != ReminderPath(dataFolder) &&
        path != ParameterFilePath(state.ProgramFolder)) {
      return;
    }
    const SYSTEMTIME now = win::LocalNow();
    const BackupOutcome backup =
        BackUpBeforeSave(path, dataFolder, CivilDate{now.wYear, now.wMonth, now.wDay});
    if (backup.failed && !std::exchange(told, true)) {
      ShowMessage(program, "无法备份数据文件：" + backup.error + "。文件照常保存。");
    }
  });
}

int RunPanel() {
  const std::wstring programPath = win::ProgramPath();
  ShellProgram program;
  ProgramState& state = program.state;
  state.ProgramFolder = FolderOf(programPath);

  // 1. Settings. A file that exists but cannot be read is left alone.
  const std::string settingsPath = ParameterFilePath(state.ProgramFolder);
  const ParametersLoad load = LoadParameters(settingsPath);
  state.SaveSettingsAtExit = load.fileRead || ::GetFileAttributesW(win::Widen(settingsPath).c_str()) ==
                                                  INVALID_FILE_ATTRIBUTES;
  state.Parameters = StartupSettings(load, state.ProgramFolder);
  state.ParametersVersion = load.version;
  // 2. A second copy only tells the user and ends, the file untouched.
  win::KernelHandle singleCopy(::CreateMutexW(nullptr, FALSE, kSingleCopyMutex));
  if (singleCopy && ::GetLastError() == ERROR_ALREADY_EXISTS) {
    ShowMessageAndWait(program, AlreadyRunningText(win::Narrow(programPath)));
    return 0;
  }
  ConnectProgramWindows(program);
  StartDailyBackup(program);
  // 3-7. The panel at its stored place.
  MainWindow& panel = TheForm<MainWindow>();
  if (!panel.Start(program, LenientInt32(state.Parameters[kParamPanelLeft]),
                   LenientInt32(state.Parameters[kParamPanelTop]))) {
    SetBeforeReplaceHook(nullptr);
    return 1;
  }
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (RouteKey(msg)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  // Every window goes while the program it belongs to still exists.
  UnloadFormsExcept(nullptr);
  SetBeforeReplaceHook(nullptr);
  return static_cast<int>(msg.wParam);
}

}  // namespace

int RunProgram() {
  // An export command line runs beside a running copy and ends.
  if (const auto command = ParseExportCommand(Arguments())) {
    return RunExportCommand(*command, FolderOf(win::ProgramPath()));
  }
  // The gradient buttons are in-place activated controls: an STA with OLE.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  const int code = RunPanel();
  ::OleUninitialize();
  return code;
}

}  // namespace quillet
