#include "reminders/due_check_win.h"

#include <windows.h>

#include "forms/form_win.h"
#include "forms/message_window.h"
#include "reminders/reminder.h"
#include "reminders/reminder_popup_window.h"
#include "reminders/schedule.h"
#include "reminders/snooze.h"
#include "win32/clock.h"

namespace quillet {

namespace {

DateTime LocalNow() {
  const SYSTEMTIME now = win::LocalNow();
  return MakeDateTime(CivilDate{now.wYear, now.wMonth, now.wDay}, now.wHour, now.wMinute,
                      now.wSecond);
}

}  // namespace

void ReminderTicker::Tick(Program& program) {
  if (program.ReminderSettingsOpen()) return;
  const std::string& folder = program.state.Parameters[kParamDataFolder];
  const std::string path = ReminderPath(folder);
  DueCheckRun run = RunDueCheck(path, LocalNow(), &memory_, SnoozePath(folder));
  if (!run.check.fired.empty()) ShowReminders(program, std::move(run.check.fired));
  if (!run.check.writeNeeded && !run.check.snoozesChanged) return;
  if (run.saved) {
    failureShown_ = false;
  } else if (!failureShown_) {
    // The reminders fire again at the next tick until the file takes their
    // new due times; the user learns why once.
    failureShown_ = true;
    ShowMessage(program, "无法保存提醒文件 " + path + "：" + run.saveError);
  }
}

void SnoozeReminders(Program& program, const std::vector<FiredReminder>& reminders, int minutes) {
  const std::string path = SnoozePath(program.state.Parameters[kParamDataFolder]);
  std::vector<ReminderKey> keys;
  for (const FiredReminder& fired : reminders) keys.push_back(fired.key);
  DateTime at = LocalNow();
  at.day += (at.second + minutes * 60) / 86400;
  at.second = (at.second + minutes * 60) % 86400;
  const SaveOutcome saved = SaveSnoozes(path, WithSnoozes(LoadSnoozes(path), keys, at));
  if (!saved.ok) ShowMessage(program, "无法保存提醒文件 " + path + "：" + saved.error);
}

void CheckDueRemindersNow(Program& program) {
  static ReminderTicker ticker;
  ticker.Tick(program);
}

}  // namespace quillet
