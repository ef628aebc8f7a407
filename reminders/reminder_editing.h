// Editing the reminder table of the settings window: which editor a column
// takes, the entries of the drop-down editor, a new reminder's defaults, and
// writing an editor's text back into a cell (a changed start time or repeat
// kind moves the next due time back to the start time).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/date_time_text.h"
#include "base/table_model.h"
#include "reminders/reminder.h"

namespace quillet {

// Table columns: a field's index + 1 (column 0 holds the row number).
inline constexpr int kContentCol = Reminder::kContent + 1;
inline constexpr int kYearCol = Reminder::kYear + 1;
inline constexpr int kMonthCol = Reminder::kMonth + 1;
inline constexpr int kDayCol = Reminder::kDay + 1;
inline constexpr int kHourCol = Reminder::kHour + 1;
inline constexpr int kMinuteCol = Reminder::kMinute + 1;
inline constexpr int kSecondCol = Reminder::kSecond + 1;
inline constexpr int kRepeatCol = Reminder::kRepeat + 1;
inline constexpr int kPromptCol = Reminder::kPrompt + 1;
inline constexpr int kRemarkCol = Reminder::kRemark + 1;
inline constexpr int kNextDueCol = Reminder::kNextDue + 1;

enum class CellEditor {
  None,  // row numbers, the next due time
  Text,  // content and remark are typed
  List,  // year .. prompt method are chosen from a list
};
CellEditor EditorOfColumn(int col);

// The drop-down's entries for a cell, numbers in plain decimal, ascending:
// years presentYear - 1 .. presentYear + 10, months 1..12, days 1 .. the
// length of the month the row's year and month cells name (none when they
// name no month), hours 0..23, minutes and seconds 0..59, the six repeat
// kinds, the two prompt methods. Nothing for the other columns.
std::vector<std::string> ReminderChoices(const TableModel& table, int row, int col,
                                         int presentYear);

// Appends a reminder that starts tomorrow at the present hour (minute and
// second 0), once only, with sound, content and remark empty, due at its
// start. Returns its row.
int AddReminderRow(TableModel& table, const DateTime& now);

// The next-due text of a row's start time: columns 2..7 read as numbers,
// carried as calendar arithmetic does (day 31 of month 2 is in March).
// Empty when the start is no date the file can hold (a year outside
// 100..9999): such a reminder never falls due.
std::string StartDueText(const TableModel& table, int row);

// Writes an editor's text into a cell. When the text differs from the
// cell's and the column is part of the start time or the repeat kind
// (2..8), the next due time becomes the start time again; a new prompt
// method (9) or text (1, 10) leaves it alone.
void WriteReminderCell(TableModel& table, int row, int col, std::string_view text);

}  // namespace quillet
