#include "reminders/due_check_win.h"

#include <windows.h>

#include "forms/form_win.h"
#include "forms/message_window.h"
#include "reminders/reminder.h"
#include "reminders/reminder_popup_window.h"
#include "reminders/schedule.h"
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
  const std::string path = ReminderPath(program.state.Parameters[kParamDataFolder]);
  const DueCheckRun run = RunDueCheck(path, LocalNow());
  for (const FiredReminder& fired : run.check.fired) ShowReminder(program, fired.content, fired.prompt);
  if (!run.check.writeNeeded) return;
  if (run.saved) {
    failureShown_ = false;
  } else if (!failureShown_) {
    // The reminders fire again at the next tick until the file takes their
    // new due times; the user learns why once.
    failureShown_ = true;
    ShowMessage(program, "无法保存提醒文件 " + path + "：" + run.saveError);
  }
}

void CheckDueRemindersNow(Program& program) {
  static ReminderTicker ticker;
  ticker.Tick(program);
}

}  // namespace quillet
