// Reminder rules that the ticks of schedule_property_test take as given or
// never meet: the repeat arithmetic, hand-written files, long files, the
// exact due second and failed writes.
#include "reminders/schedule.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "base/codepage.h"
#include "base/table_rows.h"
#include "reminders/reminder.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
  return MakeDateTime(CivilDate{y, mo, d}, h, mi, s);
}

TEST(NextReminderTime, AdvancesFromTheDueTimeByTheRepeatKind) {
  const struct {
    DateTime due;
    std::string_view kind;
    const char* next;
  } cases[] = {
      {At(2006, 12, 31, 23, 59, 59), kRepeatDaily, "2007-1-1 23:59:59"},
      {At(2006, 2, 25, 7), kRepeatWeekly, "2006-3-4 7:00:00"},
      {At(2006, 3, 1, 8, 30), kRepeatOnce, "2199-1-1 8:30:00"},
      {At(2006, 3, 1, 8), "每两天", "2006-3-1 8:00:00"},  // no repeat kind: stays
      // A month keeps the day or takes the last day of a shorter month.
      {At(2006, 1, 31), kRepeatMonthly, "2006-2-28"},
      {At(2006, 3, 31), kRepeatMonthly, "2006-4-30"},
      {At(2006, 12, 15, 6), kRepeatMonthly, "2007-1-15 6:00:00"},
      {At(2008, 1, 31), kRepeatMonthly, "2008-2-29"},
      {At(2100, 1, 31), kRepeatMonthly, "2100-2-28"},  // 2100 is no leap year, 2000 is
      {At(2000, 1, 31), kRepeatMonthly, "2000-2-29"},
      {At(2006, 7, 4), kRepeatYearly, "2007-7-4"},
      {At(2008, 2, 29, 9), kRepeatYearly, "2009-2-28 9:00:00"},  // and the 28th from then on
  };
  for (const auto& c : cases) EXPECT_EQ(FormatNextDueText(NextReminderTime(c.due, c.kind)), c.next) << c.next;
}

TEST(WrapReminderContent, BreaksEvery18CharactersCountingCharactersNotBytes) {
  std::string line18;
  for (int i = 0; i < 18; ++i) line18 += "字";
  EXPECT_EQ(WrapReminderContent(line18 + line18 + "字字"), line18 + "\r\n" + line18 + "\r\n字字\r\n");
  EXPECT_EQ(WrapReminderContent(line18 + line18), line18 + "\r\n" + line18 + "\r\n\r\n");
  EXPECT_EQ(WrapReminderContent(""), "\r\n");
  EXPECT_EQ(WrapReminderContent("0123456789abcdefghXY"), "0123456789abcdefgh\r\nXY\r\n");
}

std::string FileOf(const std::vector<Reminder>& reminders) { return EncodeCp936(FormatReminders(reminders)).bytes; }

Reminder Due(const std::string& content, const std::string& nextDue, std::string_view repeat) {
  Reminder r;
  r[Reminder::kContent] = content;
  r[Reminder::kRepeat] = std::string(repeat);
  r[Reminder::kPrompt] = std::string(kPromptWindowOnly);
  r[Reminder::kNextDue] = nextDue;
  return r;
}

TEST(CheckDueReminders, KeepsEveryOtherByteAsReadIncludingAShortLastReminder) {
  // Hand-written layout: commas, unquoted fields, LF-only line ends, an
  // unreadable due text, an invalid byte, then a short reminder already due.
  const std::string head = EncodeCp936("\"会议\",2006,3,1,8,30,0\n\"每天提醒\",\"只弹出窗口\",\"备注\"\n").bytes;
  const std::string rest =
      EncodeCp936("\"不动\",\"\",\"\",\"\",\"\",\"\",\"\",\"每天提醒\",\"\",\"\",\"next Tuesday\"\r\n").bytes +
      "\"\xFF\x81 odd\"\r\n" + EncodeCp936("\"半截\"\r\n\"\"\r\n\"2000-1-1\"").bytes;
  const DueCheck check = CheckDueReminders(head + "  2006-3-1 8:30:00  \r\n" + rest, At(2006, 3, 2));
  EXPECT_EQ(check.reminders, 2u);
  EXPECT_EQ(check.unreadable, 1u);
  ASSERT_EQ(check.fired.size(), 1u);
  EXPECT_EQ(check.fired[0].content, "会议");
  EXPECT_EQ(check.fired[0].prompt, "只弹出窗口");
  EXPECT_EQ(check.newFileBytes, head + "\"2006-3-2 8:30:00\"\r\n" + rest);
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

TEST(RunDueCheck, FiresOnlyAfterTheDueSecondAndKeepsTheFileWhenAWriteFails) {
  ScratchFolder folder("schedule");
  const std::string path = ReminderPath(folder.Folder());
  EXPECT_EQ(RunDueCheck(path, At(2006, 3, 2)).readStatus, FileStatus::NotFound);
  EXPECT_FALSE(std::filesystem::exists(path));
  TableModel grid;
  SetUpReminderTable(grid);
  EXPECT_EQ(LoadReminderTable(grid, path).status, FileStatus::NotFound);
  EXPECT_EQ(grid.Rows(), 1);

  const std::string old = FileOf({Due("a", "2006-3-1", kRepeatDaily)});
  ScratchFolder::Put(path, old);
  std::filesystem::create_directory(TemporaryPathFor(path));  // no save can start
  const DueCheckRun failed = RunDueCheck(path, At(2006, 3, 1, 0, 0, 1));
  EXPECT_EQ(failed.check.fired.size(), 1u);
  EXPECT_FALSE(failed.saved);
  EXPECT_FALSE(failed.saveError.empty());
  AddTableRows(grid, 1);
  EXPECT_FALSE(SaveReminderTable(grid, path).ok);
  EXPECT_EQ(ScratchFolder::Get(path), old);
  std::filesystem::remove(TemporaryPathFor(path));

  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 1, 0, 0, 1)).saved);
  EXPECT_EQ(ScratchFolder::Get(path), FileOf({Due("a", "2006-3-2", kRepeatDaily)}));
  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 2)).check.fired.empty());  // due at this very second
}

}  // namespace
}  // namespace quillet
