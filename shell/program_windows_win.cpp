#include "shell/program_windows_win.h"

#include "calendar/calendar_window.h"
#include "lookup/lookup_window.h"
#include "reminders/due_check_win.h"
#include "reminders/reminder_settings_window.h"
#include "settings/settings_window.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "worklog/record_edit_window.h"
#include "worklog/work_list_window.h"

namespace quillet {

bool ShellProgram::RecordWindowsOpen() const {
  return TheForm<WorkListWindow>().IsLoaded() || TheForm<RecordEditWindow>().IsLoaded();
}

bool ShellProgram::ReminderSettingsOpen() const { return TheForm<ReminderSettingsWindow>().IsLoaded(); }

void ConnectProgramWindows(Program& program) {
  Navigation& to = ProgramNavigation();
  to.listOpen = [] { return TheForm<WorkListWindow>().IsLoaded(); };
  to.showList = [&program](bool todayOnly) { ShowWorkList(program, todayOnly); };
  to.closeList = [] { TheForm<WorkListWindow>().CloseAsking(); };
  to.editorOpen = [] { return TheForm<RecordEditWindow>().IsLoaded(); };
  to.addRecord = [] { TheForm<WorkListWindow>().Action(WorkListWindow::kAddAction); };
  to.reminderSettingsOpen = [] { return TheForm<ReminderSettingsWindow>().IsLoaded(); };
  to.showReminderSettings = [&program] { ShowReminderSettings(program); };
  to.closeReminderSettings = [] { TheForm<ReminderSettingsWindow>().CloseAsking(); };
  to.mayEnd = [](bool ask) {
    return TheForm<WorkListWindow>().CloseForExit(ask) &&
           TheForm<ReminderSettingsWindow>().CloseForExit(ask);
  };
  to.checkDueReminders = [&program] { CheckDueRemindersNow(program); };
  to.calendarVisible = [] { return TheForm<CalendarWindow>().IsShown(); };
  to.hideCalendar = [] { TheForm<CalendarWindow>().Hide(); };
  to.calendarWindow = [&program] {
    CalendarWindow& calendar = TheForm<CalendarWindow>();
    calendar.Attach(program);
    return calendar.Load() ? calendar.hwnd() : nullptr;
  };
  to.showCalendar = [&program] { ShowCalendar(program); };
  to.showLookup = [&program] { ShowCodeLookup(program); };
  to.showSettings = [&program] {
    ShowSettingsWindow(program, [] { TheForm<MainWindow>().ApplySettings(); });
  };
}

}  // namespace quillet
