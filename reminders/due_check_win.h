// The reminder tick of the main panel: every five seconds the due check on
// timer.dat in the data folder, at the present local time.
#pragma once

#include "forms/program.h"

namespace quillet {

class ReminderTicker {
 public:
  // Runs the due check unless the reminder settings window is open (it
  // holds its own copy of the file), and
  // hands every reminder that fired to the pop-up in file order (it ends up
  // showing the last). Returns at once, with no dialog waiting: new due
  // times that could not be written are told once through the message
  // dialog, and told again only after a later save worked.
  void Tick(Program& program);

 private:
  bool failureShown_ = false;
};

// The program's ticker, for the panel's timer.
void CheckDueRemindersNow(Program& program);

}  // namespace quillet
