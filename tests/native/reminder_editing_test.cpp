// Editing the reminder table: the drop-down's lists, a new reminder's
// defaults across a year's end, and which edits move the next due time.
#include "reminders/reminder_editing.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ReminderEditing, ListsFollowTheColumnAndTheRowsMonth) {
  TableModel table;
  SetUpReminderTable(table);
  const int row = AddReminderRow(table, MakeDateTime(CivilDate{2006, 3, 9}, 14, 37));
  const auto years = ReminderChoices(table, row, kYearCol, 2026);
  ASSERT_EQ(years.size(), 12u);
  EXPECT_EQ(years.front(), "2025");
  EXPECT_EQ(years.back(), "2036");
  struct Month {
    const char* year;
    const char* month;
    std::size_t days;
  };
  for (const Month m : {Month{"2006", "2", 28}, {"2008", "2", 29}, {"2100", "2", 28},
                        {"2006", "4", 30}, {"2006", "", 0}}) {
    table.SetTextMatrix(row, kYearCol, m.year);
    table.SetTextMatrix(row, kMonthCol, m.month);
    EXPECT_EQ(ReminderChoices(table, row, kDayCol, 2006).size(), m.days) << m.year << m.month;
  }
  EXPECT_EQ(ReminderChoices(table, row, kMinuteCol, 2006).back(), "59");
  EXPECT_EQ(ReminderChoices(table, row, kRepeatCol, 2006)[4], "每年提醒");
  EXPECT_EQ(ReminderChoices(table, row, kPromptCol, 2006)[1], "只弹出窗口");
  EXPECT_TRUE(ReminderChoices(table, row, kRemarkCol, 2006).empty());
  EXPECT_EQ(EditorOfColumn(kRemarkCol), CellEditor::Text);
  EXPECT_EQ(EditorOfColumn(kNextDueCol), CellEditor::None);
}

TEST(ReminderEditing, StartTimeAndRepeatChangesMoveTheDueTimePromptAndSameTextDoNot) {
  TableModel table;
  SetUpReminderTable(table);
  AddReminderRow(table, MakeDateTime(CivilDate{2006, 3, 9}, 14, 37));
  const int row = AddReminderRow(table, MakeDateTime(CivilDate{2006, 12, 31}, 23, 10));
  ASSERT_EQ(TableReminders(table)[1].fields,
            (std::array<std::string, 11>{"", "2007", "1", "1", "23", "0", "0", "只提醒一次",
                                         "声音&窗口", "", "2007-1-1 23:00:00"}));
  EXPECT_EQ(table.TextMatrix(row, 0), "2");
  const auto write = [&](int col, const char* text) {
    WriteReminderCell(table, row, col, text);
    return table.TextMatrix(row, kNextDueCol);
  };
  EXPECT_EQ(write(kDayCol, "31"), "2007-1-31 23:00:00");
  EXPECT_EQ(write(kMonthCol, "2"), "2007-3-3 23:00:00") << "day 31 kept, carried into March";
  EXPECT_EQ(write(kHourCol, "0"), "2007-3-3");
  table.SetTextMatrix(row, kNextDueCol, "2199-1-1");  // fired once already
  EXPECT_EQ(write(kPromptCol, "只弹出窗口"), "2199-1-1");
  EXPECT_EQ(write(kYearCol, "2007"), "2199-1-1") << "the same year again is no change";
  EXPECT_EQ(write(kRepeatCol, "每天提醒"), "2007-3-3");
  EXPECT_EQ(write(kYearCol, "0"), "") << "no date the file can hold";
  EXPECT_EQ(write(kContentCol, "开会"), "");
}

}  // namespace
}  // namespace quillet
