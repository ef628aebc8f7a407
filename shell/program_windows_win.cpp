#include "shell/program_windows_win.h"

#include "calendar/calendar_window.h"
#include "lookup/lookup_window.h"
#include "reminders/due_check_win.h"
#include "reminders/reminder_settings_window.h"
#include "settings/settings_window.h"
#include "shell/main_window.h"
#include "shell/navigation.h"
#include "worklog/work_list_window.h"

namespace quillet {

void ConnectProgramWindows() {
  Navigation& to = ProgramNavigation();
  to.showList = ShowWorkList;
  to.listAction = RunWorkListAction;
  to.showReminderSettings = ShowReminderSettings;
  to.reminderSettingsAction = RunReminderSettingsAction;
  to.saveWorkAtExit = [] { ListSavedAtExit(); };
  to.checkDueReminders = CheckDueRemindersNow;
  to.calendarVisible = [] { return TheForm<CalendarWindow>().IsShown(); };
  to.hideCalendar = [] { TheForm<CalendarWindow>().Hide(); };
  to.calendarWindow = [] {
    CalendarWindow& calendar = TheForm<CalendarWindow>();
    return calendar.Load() ? calendar.hwnd() : nullptr;
  };
  to.showCalendar = ShowCalendar;
  to.showLookup = ShowCodeLookup;
  to.showSettings = [] { ShowSettingsWindow([] { TheForm<MainWindow>().ApplySettings(); }); };
}

}  // namespace quillet
