#include "reminders/reminder_editing.h"

#include <cstdint>
#include <cstdlib>

#include "base/dates.h"
#include "base/numbers.h"
#include "base/table_rows.h"

namespace quillet {

namespace {

// "first" .. "last" in plain decimal.
std::vector<std::string> Numbers(int first, int last) {
  std::vector<std::string> list;
  for (int n = first; n <= last; ++n) list.push_back(std::to_string(n));
  return list;
}

// The years the file format and the due check read.
constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;
// Bound on the other parts, so that carrying them cannot overflow.
constexpr std::int32_t kPartLimit = 1000000;

}  // namespace

CellEditor EditorOfColumn(int col) {
  if (col == kContentCol || col == kRemarkCol) return CellEditor::Text;
  if (col >= kYearCol && col <= kPromptCol) return CellEditor::List;
  return CellEditor::None;
}

std::vector<std::string> ReminderChoices(const TableModel& table, int row, int col,
                                         int presentYear) {
  switch (col) {
    case kYearCol: return Numbers(presentYear - 1, presentYear + 10);
    case kMonthCol: return Numbers(1, 12);
    case kDayCol:
      return Numbers(1, DaysInMonth(LenientInt32(table.TextMatrix(row, kYearCol)),
                                    LenientInt32(table.TextMatrix(row, kMonthCol))));
    case kHourCol: return Numbers(0, 23);
    case kMinuteCol:
    case kSecondCol: return Numbers(0, 59);
    case kRepeatCol:
      return {std::string(kRepeatOnce), std::string(kRepeatDaily), std::string(kRepeatWeekly),
              std::string(kRepeatMonthly), std::string(kRepeatYearly),
              std::string(kRepeatLunarYearly)};
    case kPromptCol:
      return {std::string(kPromptSoundAndWindow), std::string(kPromptWindowOnly)};
    default: return {};
  }
}

int AddReminderRow(TableModel& table, const DateTime& now) {
  AddTableRows(table, 1);
  const int row = table.Rows() - 1;
  const CivilDate tomorrow = DateOf(DateTime{now.day + 1, 0});
  const int values[] = {tomorrow.year, tomorrow.month, tomorrow.day, now.second / 3600, 0, 0};
  for (int i = 0; i < 6; ++i) table.SetTextMatrix(row, kYearCol + i, std::to_string(values[i]));
  table.SetTextMatrix(row, kRepeatCol, kRepeatOnce);
  table.SetTextMatrix(row, kPromptCol, kPromptSoundAndWindow);
  table.SetTextMatrix(row, kNextDueCol, StartDueText(table, row));
  return row;
}

std::string StartDueText(const TableModel& table, int row) {
  std::int32_t parts[6];
  for (int i = 0; i < 6; ++i) {
    parts[i] = LenientInt32(table.TextMatrix(row, kYearCol + i));
    if (i > 0 && std::abs(parts[i]) > kPartLimit) return {};
  }
  if (parts[0] < kFirstYear || parts[0] > kLastYear) return {};
  const DateTime start = BuildDateTime(parts[0], parts[1], parts[2], parts[3], parts[4], parts[5]);
  const int year = DateOf(start).year;
  if (year < kFirstYear || year > kLastYear) return {};
  return FormatNextDueText(start);
}

void WriteReminderCell(TableModel& table, int row, int col, std::string_view text) {
  if (table.TextMatrix(row, col) == text) return;
  table.SetTextMatrix(row, col, text);
  if (col >= kYearCol && col <= kRepeatCol) {
    table.SetTextMatrix(row, kNextDueCol, StartDueText(table, row));
  }
}

}  // namespace quillet
