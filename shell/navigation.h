// What the main panel's buttons and its reminder tick reach in the windows
// of the subsystems, which the panel cannot include. Start-up fills in the
// entries of the windows the program has; an empty entry does nothing, so
// the panel works before every window exists.
#pragma once

#include <windows.h>

#include <functional>

namespace quillet {

struct Navigation {
  // Work-record list window ("　我的工作记录表"): show it, and run its
  // numbered button action (3 add a record, 7 save and close).
  std::function<void()> showList;
  std::function<void(int)> listAction;
  // Reminder settings window ("定时提醒设置"): show it; action 3 closes it
  // without saving.
  std::function<void()> showReminderSettings;
  std::function<void(int)> reminderSettingsAction;
  // Calendar window: whether it is visible, hide it, its window (loading
  // it if needed; the panel pulls it back onto the screen), show it.
  std::function<bool()> calendarVisible;
  std::function<void()> hideCalendar;
  std::function<HWND()> calendarWindow;
  std::function<void()> showCalendar;
  // Area and postal code look-up, and the settings window.
  std::function<void()> showLookup;
  std::function<void()> showSettings;
  // At the program's end, before the windows go: the open work list keeps
  // the user's changes (a failed save is told before the program ends).
  std::function<void()> saveWorkAtExit;
  // The due check of the reminders, every 5000 ms.
  std::function<void()> checkDueReminders;
};

// The one table of the program.
Navigation& ProgramNavigation();

}  // namespace quillet
