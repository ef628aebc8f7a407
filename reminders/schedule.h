// The schedule of the reminders: moving a next due time forward by its
// repeat kind, the pop-up text of a reminder, and the due check the main
// window runs every five seconds (it stands aside while the reminder
// settings window is open; that test is the window's, not this file's).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time_text.h"
#include "base/file_store.h"

namespace quillet {

// A once-only reminder that fired gets this date, keeping its time of day.
inline constexpr CivilDate kNeverAgainDate{2199, 1, 1};
// The pop-up breaks the content into lines of this many characters.
inline constexpr std::size_t kReminderLineChars = 18;

// The next due time after due by the repeat kind text: once -> 2199-1-1,
// daily +1 day, weekly +7 days, monthly the same day of the next month (the
// last day when the next month is shorter), yearly the same day of the next
// year (29 February -> 28 February). The time of day never changes; any
// other kind text leaves due unchanged. Gregorian leap years throughout.
DateTime NextReminderTime(const DateTime& due, std::string_view kind);

// The content in lines of 18 characters (code points), each line ended by
// CR LF; the last line holds what is left, so a content whose length is a
// multiple of 18 (the empty content too) ends with an empty line.
std::string WrapReminderContent(std::string_view content);

struct FiredReminder {
  std::size_t index = 0;  // the reminder's position in the file, from 0
  std::string content;    // field 1, for the pop-up
  std::string prompt;     // field 9, the prompt method
  std::string nextDue;    // the new field 11
};

struct DueCheck {
  // Every reminder that fell due, in file order; the pop-up ends up showing
  // the last one.
  std::vector<FiredReminder> fired;
  std::size_t reminders = 0;   // complete reminders looked at
  std::size_t unreadable = 0;  // skipped and kept: next-due text not a date-time
  bool writeNeeded = false;    // at least one fired
  // The file to write when writeNeeded: the bytes read with the next-due
  // field of each fired reminder replaced. Every other byte, including a
  // last incomplete reminder, stays exactly as it was read.
  std::string newFileBytes;
};

// The due check over the bytes of the reminder file (code page 936) at the
// present moment now: a reminder fires when now is later than its next due
// time (at the very second it does not fire yet).
DueCheck CheckDueReminders(std::string_view fileBytes, const DateTime& now);

struct DueCheckRun {
  FileStatus readStatus = FileStatus::NotFound;  // NotFound: no reminders, nothing due
  DueCheck check;
  bool saved = true;      // false: the new due times could not be written
  std::string saveError;  // why; the old file is intact
};

// Reads the file, checks it, and writes it back when a reminder fired.
DueCheckRun RunDueCheck(const std::string& path, const DateTime& now);

}  // namespace quillet
