#include "shell/app_win.h"

#include <windows.h>
#include <ole2.h>

#include <string>

#include "base/numbers.h"
#include "base/paths.h"
#include "forms/message_window.h"
#include "shell/main_window.h"
#include "shell/program_windows_win.h"
#include "shell/startup.h"
#include "win32/handles.h"
#include "win32/text.h"

namespace quillet {

namespace {

// One copy per user session.
constexpr wchar_t kSingleCopyMutex[] = L"Local\\Quillet.Organiser.SingleCopy";

std::wstring ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD n = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

std::string FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return win::Narrow(slash == std::wstring::npos ? std::wstring() : path.substr(0, slash));
}

int RunPanel() {
  const std::wstring programPath = ProgramPath();
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
  // 3-7. The panel at its stored place.
  MainWindow& panel = TheForm<MainWindow>();
  if (!panel.Start(program, LenientInt32(state.Parameters[kParamPanelLeft]),
                   LenientInt32(state.Parameters[kParamPanelTop]))) {
    return 1;
  }
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && RouteEscape(msg.hwnd)) continue;
    ::TranslateMessage(&msg);
    ::DispatchMessageW(&msg);
  }
  // Every window goes while the program it belongs to still exists.
  UnloadFormsExcept(nullptr);
  return static_cast<int>(msg.wParam);
}

}  // namespace

int RunProgram() {
  // The gradient buttons are in-place activated controls: an STA with OLE.
  if (FAILED(::OleInitialize(nullptr))) return 1;
  const int code = RunPanel();
  ::OleUninitialize();
  return code;
}

}  // namespace quillet
