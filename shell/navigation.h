// What the main panel's buttons and its reminder tick reach in the windows
// of the subsystems, which the panel cannot include. Start-up fills in the
// entries of the windows the program has; an empty entry does nothing, so
// the panel works before every window exists.
#pragma once

#include <windows.h>

#include <functional>

namespace quillet {

struct Navigation {
  // Work-record list window: whether it is loaded, show it (today's
  // records only, or all), close it (asking about unsaved changes); whether
  // its edit window is loaded, and open that window to add a record.
  std::function<bool()> listOpen;
  std::function<void(bool todayOnly)> showList;
  std::function<void()> closeList;
  std::function<bool()> editorOpen;
  std::function<void()> addRecord;
  // Reminder settings window: whether it is loaded, show it, close it
  // (asking about unsaved changes).
  std::function<bool()> reminderSettingsOpen;
  std::function<void()> showReminderSettings;
  std::function<void()> closeReminderSettings;
  // Calendar window: whether it is visible, hide it, its window (loading
  // it if needed; the panel pulls it back onto the screen), show it.
  std::function<bool()> calendarVisible;
  std::function<void()> hideCalendar;
  std::function<HWND()> calendarWindow;
  std::function<void()> showCalendar;
  // Area and postal code look-up, and the settings window.
  std::function<void()> showLookup;
  std::function<void()> showSettings;
  // At the program's end, before anything goes: the open tables with
  // unsaved changes ask whether to save them (ask) or save them (the
  // session ends). False keeps the program running (取消, a failed save).
  std::function<bool(bool ask)> mayEnd;
  // The due check of the reminders, every 5000 ms.
  std::function<void()> checkDueReminders;
};

// The one table of the program.
Navigation& ProgramNavigation();

}  // namespace quillet
