#include "reminders/reminder.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/portable/scratch_folder.h"
#include "shell/codepage.h"
#include "worklog/work_table.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

Reminder MakeReminder(const std::string& content, const std::string& nextDue,
                      std::string_view repeat = kRepeatDaily) {
  Reminder r;
  r[Reminder::kContent] = content;
  r[Reminder::kYear] = "2006";
  r[Reminder::kMonth] = "3";
  r[Reminder::kDay] = "1";
  r[Reminder::kHour] = "8";
  r[Reminder::kMinute] = "30";
  r[Reminder::kSecond] = "0";
  r[Reminder::kRepeat] = std::string(repeat);
  r[Reminder::kPrompt] = std::string(kPromptSoundAndWindow);
  r[Reminder::kRemark] = "备注";
  r[Reminder::kNextDue] = nextDue;
  return r;
}

TEST(ReminderTable, LoadsAShortLastReminderWithEmptyFieldsAndSavesItBack) {
  ScratchFolder folder("reminder");
  const std::string path = ReminderPath(folder.Folder());
  const Reminder first = MakeReminder("开会", "2006-3-1 8:30:00");
  std::string text = FormatReminders({first});
  text += "\"半截\"\r\n2007,1\r\n\"2\"\r\n";  // four fields of a second reminder
  ScratchFolder::Put(path, EncodeCp936(text).bytes);

  TableModel grid;
  SetUpReminderTable(grid);
  const ReminderLoadOutcome loaded = LoadReminderTable(grid, path);
  EXPECT_EQ(loaded.status, FileStatus::Ok);
  EXPECT_EQ(loaded.reminders, 2u);
  ASSERT_EQ(grid.Rows(), 3);
  EXPECT_EQ(grid.TextMatrix(2, 0), "2");
  EXPECT_EQ(grid.TextMatrix(2, 1), "半截");
  EXPECT_EQ(grid.TextMatrix(2, 3), "1");
  EXPECT_EQ(grid.TextMatrix(2, 11), "");
  const std::vector<Reminder> table = TableReminders(grid);
  EXPECT_EQ(table[0], first);

  ASSERT_TRUE(SaveReminderTable(grid, path).ok);
  Reminder second;
  second[0] = "半截";
  second[1] = "2007";
  second[2] = "1";
  second[3] = "2";
  EXPECT_EQ(ScratchFolder::Get(path), EncodeCp936(FormatReminders({first, second})).bytes);
}

TEST(ReminderTable, MissingFileGivesTheHeadingRowOnly) {
  ScratchFolder folder("reminder");
  TableModel grid;
  SetUpReminderTable(grid);
  EXPECT_EQ(LoadReminderTable(grid, ReminderPath(folder.Folder())).status, FileStatus::NotFound);
  EXPECT_EQ(grid.Rows(), 1);
}

TEST(ReminderTable, AFailedSaveKeepsTheOldFile) {
  ScratchFolder folder("reminder");
  const std::string path = ReminderPath(folder.Folder());
  const std::string old = EncodeCp936(FormatReminders({MakeReminder("旧", "2006-3-1")})).bytes;
  ScratchFolder::Put(path, old);
  TableModel grid;
  SetUpReminderTable(grid);
  AddTableRows(grid, 1);
  std::filesystem::create_directory(TemporaryPathFor(path));
  EXPECT_FALSE(SaveReminderTable(grid, path).ok);
  EXPECT_EQ(ScratchFolder::Get(path), old);
}

TEST(ReminderTable, ContentWithQuotesAndLineBreaksKeepsTheFieldsInPlace) {
  ScratchFolder folder("reminder");
  const std::string path = ReminderPath(folder.Folder());
  TableModel grid;
  SetUpReminderTable(grid);
  AddTableRows(grid, 2);
  const Reminder plain = MakeReminder("plain", "2006-3-2 9:00:00");
  Reminder odd = MakeReminder("line one\r\nline \"two\"", "2006-3-1");
  odd[Reminder::kRemark] = "x\ny";
  for (int c = 0; c < 11; ++c) {
    grid.SetTextMatrix(1, c + 1, odd[c]);
    grid.SetTextMatrix(2, c + 1, plain[c]);
  }
  ASSERT_TRUE(SaveReminderTable(grid, path).ok);
  TableModel back;
  SetUpReminderTable(back);
  LoadReminderTable(back, path);
  const std::vector<Reminder> read = TableReminders(back);
  ASSERT_EQ(read.size(), 2u);
  EXPECT_EQ(read[0][Reminder::kContent], "line one line ＂two＂");
  EXPECT_EQ(read[0][Reminder::kRemark], "x y");
  EXPECT_EQ(read[0][Reminder::kNextDue], "2006-3-1");
  EXPECT_EQ(read[1], plain);
}

}  // namespace
}  // namespace quillet
