#include "shell/export_command_win.h"

#include <commdlg.h>

#include <string_view>

#include "base/date_time_text.h"
#include "base/parameter_items.h"
#include "forms/message_window.h"
#include "reminders/reminders_ics.h"
#include "settings/parameters.h"
#include "shell/startup.h"
#include "win32/text.h"
#include "worklog/records_export.h"

namespace quillet {

namespace {

DateTime UtcNow() {
  SYSTEMTIME now{};
  ::GetSystemTime(&now);
  return MakeDateTime(CivilDate{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute, now.wSecond);
}

// One line on standard error: the handle the program inherited (a file or
// pipe when cmd redirects it, as UTF-8), else the console of the parent.
void WriteErrorLine(std::string_view line) {
  HANDLE error = ::GetStdHandle(STD_ERROR_HANDLE);
  if (!error || error == INVALID_HANDLE_VALUE) {
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return;
    error = ::GetStdHandle(STD_ERROR_HANDLE);
    if (!error || error == INVALID_HANDLE_VALUE) return;
  }
  DWORD mode = 0;
  DWORD written = 0;
  if (::GetConsoleMode(error, &mode)) {
    const std::wstring wide = win::Widen(std::string(line) + "\r\n");
    ::WriteConsoleW(error, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
  } else {
    const std::string bytes = std::string(line) + "\r\n";
    ::WriteFile(error, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  }
}

}  // namespace

ExportOutcome RunExport(ExportKind kind, const std::string& dataFolder, const std::string& target) {
  return kind == ExportKind::Records ? ExportRecordsCsv(dataFolder, target)
                                     : ExportRemindersIcs(dataFolder, target, UtcNow());
}

int RunExportCommand(const ExportCommand& command, const std::string& programFolder) {
  if (!command.error.empty()) {
    WriteErrorLine(command.error);
    return 1;
  }
  // The settings as start-up reads them, without writing anything back.
  const ParametersLoad load = LoadParameters(ParameterFilePath(programFolder));
  const ParameterItems settings = StartupSettings(load, programFolder);
  const ExportOutcome outcome = RunExport(command.kind, settings[kParamDataFolder], command.target);
  if (!outcome.ok) WriteErrorLine(outcome.error);
  return outcome.ok ? 0 : 1;
}

void ExportWithDialog(Program& program, HWND owner, ExportKind kind) {
  const bool records = kind == ExportKind::Records;
  // Filter pairs, each ended by a NUL, the list by a second one.
  static constexpr wchar_t kCsvFilter[] = L"CSV 文件 (*.csv)\0*.csv\0所有文件 (*.*)\0*.*\0";
  static constexpr wchar_t kIcsFilter[] = L"iCalendar 文件 (*.ics)\0*.ics\0所有文件 (*.*)\0*.*\0";
  std::wstring file = records ? L"工作记录.csv" : L"定时提醒.ics";
  file.resize(32768, L'\0');
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = records ? kCsvFilter : kIcsFilter;
  dialog.lpstrFile = file.data();
  dialog.nMaxFile = static_cast<DWORD>(file.size());
  dialog.lpstrTitle = records ? L"导出工作记录" : L"导出定时提醒";
  dialog.lpstrDefExt = records ? L"csv" : L"ics";
  dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_EXPLORER;
  if (!::GetSaveFileNameW(&dialog)) return;
  const std::string target = win::Narrow(file.c_str());
  const ExportOutcome outcome =
      RunExport(kind, program.state.Parameters[kParamDataFolder], target);
  if (!outcome.ok) ShowMessage(program, "导出失败。" + outcome.error);
}

}  // namespace quillet
