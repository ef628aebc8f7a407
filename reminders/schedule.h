// The schedule of the reminders: moving a next due time forward by its
// repeat kind, the pop-up text of a reminder, and the due check the main
// window runs every five seconds (it stands aside while the reminder
// settings window is open; that test is the window's, not this file's),
// with the snoozes that come back.
#pragma once

#include <cstddef>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "base/date_time_text.h"
#include "base/file_store.h"
#include "reminders/reminder.h"
#include "reminders/snooze.h"

namespace quillet {

// A once-only reminder that fired gets this date, keeping its time of day.
inline constexpr CivilDate kNeverAgainDate{2199, 1, 1};
// The pop-up breaks the content into lines of this many characters.
inline constexpr std::size_t kReminderLineChars = 18;

// The next due time after due by the repeat kind text: once -> 2199-1-1,
// daily +1 day, weekly +7 days, monthly the same day of the next month (the
// last day when the next month is shorter), yearly the same day of the next
// year (29 February -> 28 February), Gregorian leap years throughout. Lunar
// yearly: the lunar month and day of start (of due when start is not given
// or has no lunar date) in the lunar year after due's, a leap month as the
// ordinary month of its number and day 30 as day 29 in a month of 29 days;
// 2199-1-1 when that falls outside the lunar range (base/lunar_date.h). The
// time of day never changes; any other kind text leaves due unchanged.
DateTime NextReminderTime(const DateTime& due, std::string_view kind,
                          std::optional<CivilDate> start = std::nullopt);
// The start date of a reminder's year, month and day fields as the reminder
// table reads them (numbers carried as calendar arithmetic does), if they
// make one: the start NextReminderTime takes.
std::optional<CivilDate> StartDate(const std::string& year, const std::string& month,
                                   const std::string& day);

// The content in lines of 18 characters (code points), each line ended by
// CR LF; the last line holds what is left, so a content whose length is a
// multiple of 18 (the empty content too) ends with an empty line.
std::string WrapReminderContent(std::string_view content);

struct FiredReminder {
  std::size_t index = 0;  // the reminder's position in the file, from 0
  std::string content;    // field 1, for the pop-up
  std::string prompt;     // field 9, the prompt method
  std::string nextDue;    // the new field 11 (the old one when it stays)
  ReminderKey key;        // fields 1..8, for a snooze
  int occurrences = 1;    // due times passed since the last tick that saw it
  DateTime earliest;      // the first of them (a snooze: the moment it came back)
};

// A fired reminder in the pop-up: its content in lines of 18 characters,
// then, for more than one occurrence, "（错过 N 次，最早 Y-M-D H:MM）" and CR LF.
std::string ReminderPopupText(const FiredReminder& fired);

// What the due check keeps from tick to tick during one run of the program.
struct DueCheckMemory {
  // The bytes of each reminder of a kind the program does not know that
  // fired: its due time never moves, so it fires once per run.
  std::set<std::string> firedUnknown;
};

// A long absence is caught up in one tick, stepping at most this many due
// times a reminder (273 years of a daily one); the rest at the next tick.
inline constexpr int kCatchUpLimit = 100000;

struct DueCheck {
  // Every reminder that fell due or came back from a snooze, once each, in
  // file order.
  std::vector<FiredReminder> fired;
  std::size_t reminders = 0;   // complete reminders looked at
  std::size_t unreadable = 0;  // skipped and kept: next-due text not a date-time
  bool writeNeeded = false;    // at least one fired
  // The file to write when writeNeeded: the bytes read with the next-due
  // field of each fired reminder replaced. Every other byte, including a
  // last incomplete reminder, stays exactly as it was read.
  std::string newFileBytes;
  // The snoozes still waiting; those that came back or whose reminder is
  // gone (deleted or changed) are left out, and then snoozesChanged.
  std::vector<Snooze> snoozes;
  bool snoozesChanged = false;
};

// The due check over the bytes of the reminder file (code page 936) at the
// present moment now: a reminder fires when now is later than its next due
// time (at the very second it does not fire yet), and its due time steps on
// until now is no longer later, counting the occurrences. A reminder of an
// unknown kind keeps its bytes and fires when memory has not seen it fire.
// A snooze comes back, as its reminder (found by key), when now is later
// than its moment.
DueCheck CheckDueReminders(std::string_view fileBytes, const DateTime& now,
                           const std::vector<Snooze>& snoozes = {},
                           DueCheckMemory* memory = nullptr);

struct DueCheckRun {
  FileStatus readStatus = FileStatus::NotFound;  // NotFound: no reminders, nothing due
  DueCheck check;
  bool saved = true;      // false: the new due times could not be written
  std::string saveError;  // why; the old file is intact
  // Another program wrote the reminder file while the check ran: nothing
  // was written and nothing fired (check is empty); the next tick checks
  // the file as it is then.
  bool changedMeanwhile = false;
};

// Reads the file (and the snooze file when snoozePath is given), checks
// them, and writes back each one that changed.
DueCheckRun RunDueCheck(const std::string& path, const DateTime& now,
                        DueCheckMemory* memory = nullptr, const std::string& snoozePath = {});
// The writing half of RunDueCheck, for the check made on read: the file is
// read again just before it is replaced, and left alone when it no longer
// holds what was read.
void WriteDueCheck(const std::string& path, const FileContents& read, const std::string& snoozePath,
                   DueCheckRun& run);

}  // namespace quillet
