// Reminders: weeks of due-check ticks over random reminder files, checked
// against a plain list; then what the ticks take as given or never meet: the
// repeat arithmetic, the settings table over a file, hand-written files, long
// files and the exact due second.
#include "reminders/schedule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <tuple>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "reminders/reminder.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

std::string FileOf(const std::vector<Reminder>& list) { return EncodeCp936(FormatReminders(list)).bytes; }

const std::vector<std::string> kKinds = {"只提醒一次", "每天提醒", "每周提醒",
                                         "每月提醒",   "每年提醒", "偶尔"};
const std::vector<std::string> kContents = {"开会", "call home", "", "带\"引号\"的提醒",
                                            "两行\r\n内容", "一二三四五六七八九十一二三四五六七八九"};

class ScheduleModelCheck {
 public:
  ScheduleModelCheck(unsigned seed, std::string path) : random_(seed), path_(std::move(path)) {}

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  const std::string& Pick(const std::vector<std::string>& from) {
    return from[static_cast<std::size_t>(Between(0, static_cast<int>(from.size()) - 1))];
  }

  Reminder RandomReminder(const DateTime& around) {
    Reminder r;
    r[Reminder::kContent] = Pick(kContents);
    r[Reminder::kYear] = "2006";
    r[Reminder::kRepeat] = Pick(kKinds);
    r[Reminder::kPrompt] = Between(0, 1) ? "声音&窗口" : "只弹出窗口";
    r[Reminder::kRemark] = Between(0, 3) ? "" : "备注,逗号";
    const DateTime due{around.day + Between(-40, 25), Between(0, 3) == 0 ? 0 : Between(0, 86399)};
    const int unreadable = Between(0, 12);  // one in thirteen
    r[Reminder::kNextDue] = unreadable == 0 ? "" : unreadable == 1 ? "2006-2-30 8:00:00" : FormatNextDueText(due);
    return r;
  }

  void Run(int days) {
    const DateTime start = MakeDateTime(CivilDate{2006, 3, 1}, 8);
    for (int i = Between(0, 15); i > 0; --i) expected_.push_back(RandomReminder(start));
    std::string tailText;  // a short last reminder, never complete
    for (int f = Between(0, 3) == 0 ? Between(1, 10) : 0; f > 0; --f) AppendDataField(tailText, "t" + std::to_string(f));
    current_ = FileOf(expected_) + tailText;

    DateTime now = start;
    const std::int64_t end = start.SerialSeconds() + std::int64_t{days} * 86400;
    int ticks = 0;
    while (now.SerialSeconds() < end) {
      now = BuildDateTime(1970, 1, 1 + now.day, 0, 0, now.second + Between(5, 4 * 3600));
      ++ticks;
      // Reference: every complete reminder in order; an unreadable due text
      // is skipped; the due time moves on from itself, not from now.
      std::vector<std::size_t> dueNow;
      std::size_t unreadable = 0;
      for (std::size_t i = 0; i < expected_.size(); ++i) {
        const auto due = ParseDateTimeText(expected_[i][Reminder::kNextDue]);
        unreadable += due ? 0 : 1;
        if (due && now.SerialSeconds() > due->SerialSeconds()) {
          dueNow.push_back(i);
          expected_[i][Reminder::kNextDue] =
              FormatNextDueText(NextReminderTime(*due, expected_[i][Reminder::kRepeat]));
        }
      }
      const DueCheck check = CheckDueReminders(current_, now);
      ASSERT_EQ(check.writeNeeded, !check.fired.empty());
      if (check.writeNeeded) current_ = check.newFileBytes;
      ASSERT_EQ(check.fired.size(), dueNow.size()) << "tick " << ticks;
      ASSERT_EQ(check.reminders, expected_.size());
      ASSERT_EQ(check.unreadable, unreadable);
      for (std::size_t k = 0; k < dueNow.size(); ++k, ++fires_) {
        ASSERT_EQ(check.fired[k].index, dueNow[k]);
        ASSERT_EQ(check.fired[k].content, SanitizeField(expected_[dueNow[k]][Reminder::kContent]));
        ASSERT_EQ(check.fired[k].prompt, expected_[dueNow[k]][Reminder::kPrompt]);
      }
      ASSERT_EQ(current_, FileOf(expected_) + tailText) << "tick " << ticks;
    }
  }

  int fires_ = 0;

 private:
  std::mt19937 random_;
  std::string path_;
  std::vector<Reminder> expected_;
  std::string current_;  // the file's bytes
};

TEST(ScheduleProperty, WeeksOfTicksKeepEveryReminderAndFireEachWhenDue) {
  ScratchFolder folder("schedule-property");
  int fires = 0;
  for (unsigned seed = 1; seed <= 12 && !HasFatalFailure(); ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    ScheduleModelCheck check(seed, ReminderPath(folder.Folder()));
    check.Run(seed % 2 ? 21 : 70);
    fires += check.fires_;
  }
  EXPECT_GT(fires, 100);  // the walk really exercised the firing path
}

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return MakeDateTime({y, mo, d}, h, mi, s); }

TEST(NextReminderTime, AdvancesFromTheDueTimeByTheRepeatKind) {
  const std::tuple<DateTime, std::string_view, const char*> cases[] = {
      {At(2006, 12, 31, 23, 59, 59), kRepeatDaily, "2007-1-1 23:59:59"},
      {At(2006, 2, 25, 7), kRepeatWeekly, "2006-3-4 7:00:00"},
      {At(2006, 3, 1, 8, 30), kRepeatOnce, "2199-1-1 8:30:00"},
      {At(2006, 3, 1, 8), "每两天", "2006-3-1 8:00:00"},  // no repeat kind: stays
      // A month keeps the day or takes the last day of a shorter month.
      {At(2006, 1, 31), kRepeatMonthly, "2006-2-28"},
      {At(2006, 12, 15, 6), kRepeatMonthly, "2007-1-15 6:00:00"},
      {At(2008, 1, 31), kRepeatMonthly, "2008-2-29"},  // the leap rule: base_test
      {At(2006, 7, 4), kRepeatYearly, "2007-7-4"},
      {At(2008, 2, 29, 9), kRepeatYearly, "2009-2-28 9:00:00"},  // and the 28th from then on
  };
  for (const auto& [due, kind, next] : cases) EXPECT_EQ(FormatNextDueText(NextReminderTime(due, kind)), next);
}

TEST(WrapReminderContent, BreaksEvery18CharactersCountingCharactersNotBytes) {
  std::string line18;
  for (int i = 0; i < 18; ++i) line18 += "字";
  EXPECT_EQ(WrapReminderContent(line18 + line18 + "字字"), line18 + "\r\n" + line18 + "\r\n字字\r\n");
  EXPECT_EQ(WrapReminderContent(line18 + line18), line18 + "\r\n" + line18 + "\r\n\r\n");
  EXPECT_EQ(WrapReminderContent(""), "\r\n");
}

Reminder Due(const std::string& content, const std::string& nextDue, std::string_view repeat) {
  return {{content, "", "", "", "", "", "", std::string(repeat), "只弹出窗口", "", nextDue}};
}

TEST(CheckDueReminders, KeepsEveryOtherByteAsReadAndLooksBeyondTheFirstThousand) {
  // Hand-written layout: commas, unquoted fields, LF-only line ends, an
  // unreadable due text, an invalid byte, then a short reminder already due.
  const std::string head = EncodeCp936("\"会议\",2006,3,1,8,30,0\n\"每天提醒\",\"只弹出窗口\",\"备注\"\n").bytes;
  const std::string rest =
      EncodeCp936("\"不动\",\"\",\"\",\"\",\"\",\"\",\"\",\"每天提醒\",\"\",\"\",\"next Tuesday\"\r\n").bytes +
      "\"\xFF\x81 odd\"\r\n" + EncodeCp936("\"半截\"\r\n\"\"\r\n\"2000-1-1\"").bytes;
  const DueCheck check = CheckDueReminders(head + "  2006-3-1 8:30:00  \r\n" + rest, At(2006, 3, 2));
  ASSERT_EQ(check.fired.size(), 1u);
  EXPECT_EQ(check.fired[0].content, "会议");
  EXPECT_EQ(check.newFileBytes, head + "\"2006-3-2 8:30:00\"\r\n" + rest);

  std::vector<Reminder> reminders(1500, Due("later", "2030-1-1", kRepeatDaily));
  reminders[1499] = Due("last", "2006-1-1 7:00:00", kRepeatMonthly);
  const DueCheck many = CheckDueReminders(FileOf(reminders), At(2006, 1, 2));
  ASSERT_EQ(many.fired.size(), 1u);
  EXPECT_EQ(many.fired[0].index, 1499u);
  reminders[1499][Reminder::kNextDue] = "2006-2-1 7:00:00";
  EXPECT_EQ(many.newFileBytes, FileOf(reminders));
}

TEST(RunDueCheck, FiresOnlyAfterTheDueSecond) {
  ScratchFolder folder("schedule");
  const std::string path = ReminderPath(folder.Folder());
  EXPECT_EQ(RunDueCheck(path, At(2006, 3, 2)).readStatus, FileStatus::NotFound);
  EXPECT_FALSE(std::filesystem::exists(path));

  ScratchFolder::Put(path, FileOf({Due("a", "2006-3-1", kRepeatDaily)}));  // failed writes: save_faults_test
  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 1, 0, 0, 1)).saved);
  EXPECT_EQ(ScratchFolder::Get(path), FileOf({Due("a", "2006-3-2", kRepeatDaily)}));
  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 2)).check.fired.empty());  // due at this very second
}

// Adding, deleting and saving through the window: reminder_settings_test.
TEST(ReminderTable, AShortLastReminderIsReadWholeAndSavedWithEveryFieldMadeSafe) {
  ScratchFolder folder("reminder-table");
  const std::string path = ReminderPath(folder.Folder());
  std::vector<Reminder> list = {Due("带\"引号\"\r\n两行", "2006-3-1", kRepeatDaily), Reminder{{"半截", "2006"}}};
  ScratchFolder::Put(path, FileOf({list[0]}) + EncodeCp936("\"半截\"\r\n\"2006\"\r\n").bytes);
  TableModel grid;
  SetUpReminderTable(grid);
  LoadReminderTable(grid, path);
  EXPECT_EQ(grid.TextMatrix(0, 0) + grid.TextMatrix(2, 0), "序号2");
  list[0][Reminder::kContent] = SanitizeField(list[0][Reminder::kContent]);
  EXPECT_EQ(TableReminders(grid), list);
  ASSERT_TRUE(SaveReminderTable(grid, path).ok);
  EXPECT_EQ(ScratchFolder::Get(path), FileOf(list));
}

}  // namespace
}  // namespace quillet
