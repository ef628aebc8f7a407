// The reminder tick of the main panel: every five seconds the due check on
// timer.dat in the data folder, at the present local time.
#pragma once

#include <vector>

#include "forms/program.h"
#include "reminders/schedule.h"

namespace quillet {

class ReminderTicker {
 public:
  // Runs the due check (snoozes included) unless the reminder settings
  // window is open (it holds its own copy of the file), and hands every
  // reminder that fired to the pop-up, all in one list. Returns at once,
  // with no dialog waiting: new due times that could not be written are
  // told once through the message dialog, and told again only after a
  // later save worked.
  void Tick(Program& program);

 private:
  bool failureShown_ = false;
  DueCheckMemory memory_;
};

// Brings these reminders back in this many minutes from the present
// (snooze.dat in the data folder); a failed save is told through the
// message dialog.
void SnoozeReminders(Program& program, const std::vector<FiredReminder>& reminders, int minutes);

// The program's ticker, for the panel's timer.
void CheckDueRemindersNow(Program& program);

}  // namespace quillet
