// Snoozed reminders ("稍后提醒"): which reminder comes back, and when, kept
// in snooze.dat in the data folder, apart from timer.dat so that the
// reminders' own file keeps its format. Code page 936 like the other data
// files: per snooze nine quoted fields, the reminder's key (content, start
// year .. second, repeat kind) and the moment it comes back as a next-due
// text.
#pragma once

#include <string>
#include <vector>

#include "base/date_time_text.h"
#include "base/record_file.h"
#include "reminders/reminder.h"

namespace quillet {

struct Snooze {
  ReminderKey key;
  DateTime at;  // comes back when the present is later than this
  friend bool operator==(const Snooze&, const Snooze&) = default;
};

// The snooze file in the data folder.
std::string SnoozePath(const std::string& dataFolder);

// The snoozes of the file; a snooze whose moment is no date-time, or cut
// short by the end of the file, is left out (the next save drops it).
std::vector<Snooze> LoadSnoozes(const std::string& path);
// The whole file text (UTF-8, before encoding).
std::string FormatSnoozes(const std::vector<Snooze>& snoozes);
SaveOutcome SaveSnoozes(const std::string& path, const std::vector<Snooze>& snoozes);

// The snoozes with each of these reminders coming back at the moment at, in
// place of an earlier snooze of the same reminder; keys are stored as the
// file holds them (SanitizeField).
std::vector<Snooze> WithSnoozes(std::vector<Snooze> snoozes, const std::vector<ReminderKey>& keys,
                                const DateTime& at);

}  // namespace quillet
