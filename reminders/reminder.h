// The reminder: eleven text fields, its repeat kinds and prompt methods, the
// reminder file (timer.dat) and the twelve-column reminder table of the
// reminder settings window (column 0 the row number, 1..11 the fields).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_store.h"
#include "base/record_file.h"
#include "base/table_model.h"

namespace quillet {

struct Reminder {
  static constexpr int kFieldCount = 11;
  // Field indices, 0-based (table column = index + 1).
  enum FieldIndex {
    kContent = 0,
    kYear,
    kMonth,
    kDay,
    kHour,
    kMinute,
    kSecond,
    kRepeat,   // a RepeatKind text
    kPrompt,   // a PromptMethod text
    kRemark,
    kNextDue,  // next-due text, "2006-5-1 8:05:00"
  };
  std::array<std::string, kFieldCount> fields;

  std::string& operator[](int index) { return fields.at(static_cast<std::size_t>(index)); }
  const std::string& operator[](int index) const { return fields.at(static_cast<std::size_t>(index)); }
  friend bool operator==(const Reminder&, const Reminder&) = default;
};

// What tells a reminder from the others for a snooze: its content, start
// (year .. second) and repeat kind, fields 0..7 as the file holds them.
inline constexpr int kReminderKeyFields = Reminder::kRepeat + 1;
using ReminderKey = std::array<std::string, kReminderKeyFields>;

enum class RepeatKind { Once, Daily, Weekly, Monthly, Yearly, LunarYearly };
inline constexpr std::string_view kRepeatOnce = "只提醒一次";
inline constexpr std::string_view kRepeatDaily = "每天提醒";
inline constexpr std::string_view kRepeatWeekly = "每周提醒";
inline constexpr std::string_view kRepeatMonthly = "每月提醒";
inline constexpr std::string_view kRepeatYearly = "每年提醒";
inline constexpr std::string_view kRepeatLunarYearly = "每年农历提醒";
std::string_view RepeatKindText(RepeatKind kind);
// Exact comparison; any other text is no repeat kind.
std::optional<RepeatKind> RepeatKindFromText(std::string_view text);

enum class PromptMethod { SoundAndWindow, WindowOnly };
inline constexpr std::string_view kPromptSoundAndWindow = "声音&窗口";
inline constexpr std::string_view kPromptWindowOnly = "只弹出窗口";
std::string_view PromptMethodText(PromptMethod method);
// The pop-up plays the sound when the prompt text contains "声音".
bool PromptWantsSound(std::string_view prompt);

// The reminder file in the data folder.
std::string ReminderPath(const std::string& dataFolder);

// Reminders from the fields of the file, eleven by eleven; a last reminder
// cut short by the end of the file keeps its missing fields empty.
std::vector<Reminder> RemindersFromFields(const std::vector<std::string>& fields);
// The whole file text for these reminders (UTF-8, before encoding).
std::string FormatReminders(const std::vector<Reminder>& reminders);

// The reminder table: twelve columns with their headings, widths and
// alignments, and the heading row alone.
void SetUpReminderTable(TableModel& grid);

struct ReminderLoadOutcome {
  FileStatus status = FileStatus::NotFound;  // NotFound: no file yet, an empty table
  std::size_t reminders = 0;
  std::size_t invalidBytes = 0;
  FileVersion version;  // of the file as it was read
};
// Appends the file's reminders as numbered rows.
ReminderLoadOutcome LoadReminderTable(TableModel& grid, const std::string& path);
// Replaces the file with columns 1..11 of every data row, in table order.
SaveOutcome SaveReminderTable(const TableModel& grid, const std::string& path);
// The reminders of the table in row order.
std::vector<Reminder> TableReminders(const TableModel& grid);

}  // namespace quillet
