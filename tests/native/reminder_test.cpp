#include "reminders/schedule.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/codepage.h"
#include "base/utf8.h"
#include "reminders/reminder.h"
#include "tests/support/scratch_folder.h"
#include "worklog/work_table.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return MakeDateTime(CivilDate{y, mo, d}, h, mi, s);
}

std::string Next(const DateTime& due, std::string_view kind) {
  return FormatNextDueText(NextReminderTime(due, kind));
}

TEST(NextReminderTime, AdvancesFromTheDueTimeByTheRepeatKind) {
  EXPECT_EQ(Next(At(2006, 3, 1, 8, 30), kRepeatDaily), "2006-3-2 8:30:00");
  EXPECT_EQ(Next(At(2006, 12, 31, 23, 59, 59), kRepeatDaily), "2007-1-1 23:59:59");
  EXPECT_EQ(Next(At(2006, 2, 25, 7), kRepeatWeekly), "2006-3-4 7:00:00");
  EXPECT_EQ(Next(At(2006, 3, 1, 8, 30), kRepeatOnce), "2199-1-1 8:30:00");
  EXPECT_EQ(Next(At(2006, 3, 1), kRepeatOnce), "2199-1-1");
  EXPECT_EQ(Next(At(2006, 3, 1, 8), "每两天"), "2006-3-1 8:00:00");  // unknown kind
  EXPECT_EQ(Next(At(2006, 3, 1, 8), ""), "2006-3-1 8:00:00");
}

TEST(NextReminderTime, MonthlyKeepsTheDayOrTakesTheLastDayOfAShorterMonth) {
  EXPECT_EQ(Next(At(2006, 1, 31), kRepeatMonthly), "2006-2-28");
  EXPECT_EQ(Next(At(2008, 1, 31), kRepeatMonthly), "2008-2-29");
  EXPECT_EQ(Next(At(2006, 2, 28), kRepeatMonthly), "2006-3-28");
  EXPECT_EQ(Next(At(2006, 12, 15, 6), kRepeatMonthly), "2007-1-15 6:00:00");
  EXPECT_EQ(Next(At(2006, 3, 31), kRepeatMonthly), "2006-4-30");
  // Full Gregorian years: 2100 is no leap year, 2000 is.
  EXPECT_EQ(Next(At(2100, 1, 31), kRepeatMonthly), "2100-2-28");
  EXPECT_EQ(Next(At(2000, 1, 31), kRepeatMonthly), "2000-2-29");
}

TEST(NextReminderTime, YearlyFrom29FebruaryKeepsThe28th) {
  DateTime due = At(2008, 2, 29, 9);
  due = NextReminderTime(due, kRepeatYearly);
  EXPECT_EQ(FormatNextDueText(due), "2009-2-28 9:00:00");
  for (int year = 2010; year <= 2013; ++year) {
    due = NextReminderTime(due, kRepeatYearly);
    EXPECT_EQ(FormatNextDueText(due), std::to_string(year) + "-2-28 9:00:00");
  }
  EXPECT_EQ(Next(At(2006, 7, 4), kRepeatYearly), "2007-7-4");
}

TEST(WrapReminderContent, BreaksEvery18CharactersCountingCharactersNotBytes) {
  std::string forty;
  for (int i = 0; i < 40; ++i) forty += "字";
  const std::string wrapped = WrapReminderContent(forty);
  const std::string line18 = forty.substr(0, 18 * 3);
  EXPECT_EQ(wrapped, line18 + "\r\n" + line18 + "\r\n" + "字字字字\r\n");
  const std::string thirtySix = forty.substr(0, 36 * 3);
  EXPECT_EQ(WrapReminderContent(thirtySix), line18 + "\r\n" + line18 + "\r\n\r\n");
  EXPECT_EQ(WrapReminderContent(""), "\r\n");
  EXPECT_EQ(WrapReminderContent("abc中"), "abc中\r\n");
  EXPECT_EQ(WrapReminderContent("0123456789abcdefghXY"), "0123456789abcdefgh\r\nXY\r\n");
}

// The file bytes of these reminders, as the settings window writes them.
std::string FileOf(const std::vector<Reminder>& reminders) {
  return EncodeCp936(FormatReminders(reminders)).bytes;
}

Reminder Due(const std::string& content, const std::string& nextDue, std::string_view repeat,
             std::string_view prompt = kPromptWindowOnly) {
  Reminder r;
  r[Reminder::kContent] = content;
  r[Reminder::kRepeat] = std::string(repeat);
  r[Reminder::kPrompt] = std::string(prompt);
  r[Reminder::kNextDue] = nextDue;
  return r;
}

TEST(CheckDueReminders, UnreadableDueTextIsSkippedAndTheOthersStillFire) {
  const std::string file = FileOf({Due("a", "2006-3-1", kRepeatDaily),
                                   Due("bad", "next Tuesday", kRepeatDaily),
                                   Due("c", "2006-2-30", kRepeatDaily),
                                   Due("d", "2006-3-2", kRepeatDaily)});
  const DueCheck check = CheckDueReminders(file, At(2006, 3, 10));
  EXPECT_EQ(check.unreadable, 2u);
  ASSERT_EQ(check.fired.size(), 2u);
  EXPECT_EQ(check.fired[1].content, "d");
  EXPECT_EQ(check.fired[1].nextDue, "2006-3-3");
  EXPECT_EQ(check.newFileBytes, FileOf({Due("a", "2006-3-2", kRepeatDaily),
                                        Due("bad", "next Tuesday", kRepeatDaily),
                                        Due("c", "2006-2-30", kRepeatDaily),
                                        Due("d", "2006-3-3", kRepeatDaily)}));
}

TEST(CheckDueReminders, KeepsEveryOtherByteAsReadIncludingAShortLastReminder) {
  // Hand-written layout: commas, unquoted fields, LF-only line ends, GBK
  // text and an invalid byte; then a short reminder already due.
  std::string bytes = EncodeCp936("\"会议\",2006,3,1,8,30,0\n\"每天提醒\",\"只弹出窗口\",\"备注\"\n").bytes;
  bytes += "  2006-3-1 8:30:00  \r\n";
  const std::string untouched =
      EncodeCp936("\"不动\",\"\",\"\",\"\",\"\",\"\",\"\",\"每天提醒\",\"\",\"\",\"2099-1-1\"\r\n")
          .bytes +
      "\"\xFF\x81 odd\"\r\n";
  const std::string shortTail = EncodeCp936("\"半截\"\r\n\"\"\r\n\"2000-1-1\"").bytes;
  const std::string file = bytes + untouched + shortTail;
  const DueCheck check = CheckDueReminders(file, At(2006, 3, 2));
  EXPECT_EQ(check.reminders, 2u);
  ASSERT_EQ(check.fired.size(), 1u);
  EXPECT_EQ(check.fired[0].content, "会议");
  EXPECT_EQ(check.fired[0].prompt, "只弹出窗口");
  const std::string expected =
      EncodeCp936("\"会议\",2006,3,1,8,30,0\n\"每天提醒\",\"只弹出窗口\",\"备注\"\n").bytes +
      "\"2006-3-2 8:30:00\"\r\n" + untouched + shortTail;
  EXPECT_EQ(check.newFileBytes, expected);
}

TEST(CheckDueReminders, LooksAtEveryReminderBeyondTheFirstThousand) {
  std::vector<Reminder> reminders(1500, Due("later", "2030-1-1", kRepeatDaily));
  reminders[1499] = Due("last", "2006-1-1 7:00:00", kRepeatMonthly);
  const DueCheck check = CheckDueReminders(FileOf(reminders), At(2006, 1, 2));
  EXPECT_EQ(check.reminders, 1500u);
  ASSERT_EQ(check.fired.size(), 1u);
  EXPECT_EQ(check.fired[0].index, 1499u);
  reminders[1499][Reminder::kNextDue] = "2006-2-1 7:00:00";
  EXPECT_EQ(check.newFileBytes, FileOf(reminders));
}

TEST(RunDueCheck, ReadsChecksAndWritesAndKeepsTheFileWhenTheWriteFails) {
  ScratchFolder folder("schedule");
  const std::string path = ReminderPath(folder.Folder());
  EXPECT_EQ(RunDueCheck(path, At(2006, 3, 2)).readStatus, FileStatus::NotFound);
  EXPECT_FALSE(std::filesystem::exists(path));

  const std::string old = FileOf({Due("a", "2006-3-1", kRepeatDaily)});
  ScratchFolder::Put(path, old);
  std::filesystem::create_directory(TemporaryPathFor(path));  // the save cannot start
  DueCheckRun run = RunDueCheck(path, At(2006, 3, 2));
  EXPECT_EQ(run.check.fired.size(), 1u);
  EXPECT_FALSE(run.saved);
  EXPECT_FALSE(run.saveError.empty());
  EXPECT_EQ(ScratchFolder::Get(path), old);
  std::filesystem::remove(TemporaryPathFor(path));

  run = RunDueCheck(path, At(2006, 3, 2));
  EXPECT_TRUE(run.saved);
  EXPECT_EQ(ScratchFolder::Get(path), FileOf({Due("a", "2006-3-2", kRepeatDaily)}));
  run = RunDueCheck(path, At(2006, 3, 2));  // the same moment: now due at it, not after
  EXPECT_TRUE(run.check.fired.empty());
}

// The settings window's table of reminders.
class ReminderTable : public testing::Test {
 protected:
  ReminderTable() : folder_("reminder"), path_(ReminderPath(folder_.Folder())) {
    SetUpReminderTable(grid_);
  }
  ScratchFolder folder_;
  std::string path_;
  TableModel grid_;
};

TEST_F(ReminderTable, LoadsAShortLastReminderWithEmptyFieldsAndSavesItBack) {
  Reminder first = Due("开会", "2006-3-1 8:30:00", kRepeatDaily, kPromptSoundAndWindow);
  first[Reminder::kYear] = "2006";
  first[Reminder::kRemark] = "备注";
  ScratchFolder::Put(path_, FileOf({first}) + EncodeCp936("\"半截\"\r\n2007,1\r\n\"2\"\r\n").bytes);
  const ReminderLoadOutcome loaded = LoadReminderTable(grid_, path_);
  EXPECT_EQ(loaded.status, FileStatus::Ok);
  EXPECT_EQ(loaded.reminders, 2u);
  ASSERT_EQ(grid_.Rows(), 3);
  EXPECT_EQ(grid_.TextMatrix(2, 0), "2");
  EXPECT_EQ(grid_.TextMatrix(2, 1), "半截");
  EXPECT_EQ(grid_.TextMatrix(2, 3), "1");
  EXPECT_EQ(grid_.TextMatrix(2, 11), "");
  EXPECT_EQ(TableReminders(grid_)[0], first);

  ASSERT_TRUE(SaveReminderTable(grid_, path_).ok);
  Reminder second;
  second.fields[0] = "半截";
  second.fields[1] = "2007";
  second.fields[2] = "1";
  second.fields[3] = "2";
  EXPECT_EQ(ScratchFolder::Get(path_), FileOf({first, second}));
}

TEST_F(ReminderTable, MissingFileGivesTheHeadingRowAndAFailedSaveKeepsTheOldFile) {
  EXPECT_EQ(LoadReminderTable(grid_, path_).status, FileStatus::NotFound);
  EXPECT_EQ(grid_.Rows(), 1);
  const std::string old = FileOf({Due("旧", "2006-3-1", kRepeatDaily)});
  ScratchFolder::Put(path_, old);
  AddTableRows(grid_, 1);
  std::filesystem::create_directory(TemporaryPathFor(path_));
  EXPECT_FALSE(SaveReminderTable(grid_, path_).ok);
  EXPECT_EQ(ScratchFolder::Get(path_), old);
}

}  // namespace
}  // namespace quillet
