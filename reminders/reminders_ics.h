// The reminders as an iCalendar file (RFC 5545) for phones and mail
// programs: one VEVENT with a display alarm per reminder, at floating local
// time (the reminders have no zone: they ring at the local clock's time).
// The next due time starts the event; daily, weekly, monthly and yearly
// repeats become an RRULE. A repeat whose arithmetic an RRULE cannot state
// (the same day of the month from the 29th on, which NextReminderTime moves
// to the month's last day and keeps there; 29 February; any other kind that
// moves the due time) becomes an RDATE list of its next kIcsListedTimes
// times. Each UID is a hash of the reminder's fields but its next due time,
// so a second export gives the same UIDs.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/date_time_text.h"
#include "base/record_file.h"
#include "reminders/reminder.h"

namespace quillet {

inline constexpr int kIcsListedTimes = 20;
inline constexpr std::string_view kIcsUidDomain = "@reminders.quillet.invalid";

// A TEXT value escaped: '\\' ';' ',' and line breaks (as "\n").
std::string IcsText(std::string_view text);
// One content line folded into lines of at most 75 octets (continuations
// start with a blank; a UTF-8 character is never split), each ended by CR LF.
std::string IcsFolded(std::string_view line);

// The whole file; stampUtc is the DTSTAMP of every event. Reminders with
// neither a readable next due time nor a readable start are left out.
std::string RemindersIcs(const std::vector<Reminder>& reminders, const DateTime& stampUtc);

// Reads timer.dat of the data folder (no file: no reminders) and replaces
// target with its iCalendar text. The data file is only read.
ExportOutcome ExportRemindersIcs(const std::string& dataFolder, const std::string& target,
                                 const DateTime& stampUtc);

}  // namespace quillet
