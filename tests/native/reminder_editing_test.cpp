// Editing the reminder table: a new reminder across a year's end, the lists
// that depend on the present year and the row's month, and which edits move
// the next due time.
#include "reminders/reminder_editing.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ReminderEditing, NewRemindersListsAndWhichEditsMoveTheDueTime) {
  TableModel table;
  SetUpReminderTable(table);
  const int row = AddReminderRow(table, MakeDateTime(CivilDate{2006, 12, 31}, 23, 10));
  ASSERT_EQ(TableReminders(table)[0].fields,
            (std::array<std::string, 11>{"", "2007", "1", "1", "23", "0", "0", "只提醒一次",
                                         "声音&窗口", "", "2007-1-1 23:00:00"}));
  const auto years = ReminderChoices(table, row, kYearCol, 2026);
  EXPECT_EQ(years.front() + ".." + years.back() + "/" + std::to_string(years.size()), "2025..2036/12");
  const auto write = [&](int col, const char* text) {
    WriteReminderCell(table, row, col, text);
    return table.TextMatrix(row, kNextDueCol);
  };
  EXPECT_EQ(write(kDayCol, "31"), "2007-1-31 23:00:00");
  EXPECT_EQ(write(kMonthCol, "2"), "2007-3-3 23:00:00") << "day 31 kept, carried into March";
  EXPECT_EQ(ReminderChoices(table, row, kDayCol, 0).size(), 28u);
  EXPECT_EQ(write(kYearCol, "2008"), "2008-3-2 23:00:00");
  EXPECT_EQ(ReminderChoices(table, row, kDayCol, 0).size(), 29u);
  table.SetTextMatrix(row, kNextDueCol, "2199-1-1");  // fired once already
  EXPECT_EQ(write(kPromptCol, "只弹出窗口"), "2199-1-1");
  EXPECT_EQ(write(kYearCol, "2008"), "2199-1-1") << "the same year again is no change";
  EXPECT_EQ(write(kRepeatCol, "每天提醒"), "2008-3-2 23:00:00");
  EXPECT_EQ(write(kMonthCol, ""), "2007-12-31 23:00:00") << "month 0: the December before";
  EXPECT_TRUE(ReminderChoices(table, row, kDayCol, 0).empty());
  EXPECT_EQ(write(kYearCol, "0"), "") << "no date the file can hold";
}

}  // namespace
}  // namespace quillet
