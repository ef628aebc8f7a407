// Weeks of due-check ticks over random reminder files, with the settings
// window saving now and then, checked against a plain list of reminders.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/codepage.h"
#include "base/field_reader.h"
#include "base/table_rows.h"
#include "reminders/reminder.h"
#include "reminders/schedule.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

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
    if (Between(0, 12) == 0) {
      r[Reminder::kNextDue] = Between(0, 1) ? "" : "2006-2-30 8:00:00";
    } else {
      DateTime due{around.day + Between(-40, 25), Between(0, 86399)};
      if (Between(0, 3) == 0) due.second = 0;
      r[Reminder::kNextDue] = FormatNextDueText(due);
    }
    return r;
  }

  static std::string FileOf(const std::vector<Reminder>& reminders) { return EncodeCp936(FormatReminders(reminders)).bytes; }

  void Sanitize() {
    for (Reminder& r : expected_) std::transform(r.fields.begin(), r.fields.end(), r.fields.begin(), SanitizeField);
  }

  // The settings window: load the table, add or delete, save.
  void SettingsSession(const DateTime& now) {
    ScratchFolder::Put(path_, current_);
    TableModel grid;
    SetUpReminderTable(grid);
    LoadReminderTable(grid, path_);
    ASSERT_EQ(grid.TextMatrix(grid.Rows() - 1, 0), grid.Rows() > 1 ? std::to_string(grid.Rows() - 1) : "序号");
    // A short last reminder comes back as a whole one with empty fields.
    if (!tail_.empty()) {
      Reminder& padded = expected_.emplace_back();
      std::copy(tail_.begin(), tail_.end(), padded.fields.begin());
      tail_.clear();
    }
    Sanitize();  // as the file holds them
    ASSERT_EQ(TableReminders(grid), expected_);
    if (Between(0, 1) == 0 || expected_.empty()) {
      const Reminder r = RandomReminder(now);
      AddTableRows(grid, 1);
      for (int f = 0; f < Reminder::kFieldCount; ++f) grid.SetTextMatrix(grid.Rows() - 1, f + 1, r[f]);
      expected_.push_back(r);
    } else {
      std::int32_t from = Between(1, grid.Rows() - 1);
      std::int32_t to = Between(1, grid.Rows() - 1);
      DeleteTableRows(grid, from, to);
      expected_.erase(expected_.begin() + (from - 1), expected_.begin() + to);
    }
    ASSERT_TRUE(SaveReminderTable(grid, path_).ok);
    Sanitize();
    current_ = ScratchFolder::Get(path_);
    ASSERT_EQ(current_, FileOf(expected_));
  }

  void Run(int days) {
    const DateTime start = MakeDateTime(CivilDate{2006, 3, 1}, 8);
    const int count = Between(0, 15);
    for (int i = 0; i < count; ++i) expected_.push_back(RandomReminder(start));
    std::string tailText;
    for (int f = Between(0, 3) == 0 ? Between(1, 10) : 0; f > 0; --f) {
      tail_.push_back("t" + std::to_string(f));
      AppendDataField(tailText, tail_.back());
    }
    current_ = FileOf(expected_) + tailText;

    DateTime now = start;
    const std::int64_t end = start.SerialSeconds() + std::int64_t{days} * 86400;
    int ticks = 0;
    while (now.SerialSeconds() < end) {
      now = BuildDateTime(1970, 1, 1 + now.day, 0, 0, now.second + Between(5, 4 * 3600));
      if (++ticks % 40 == 0) {
        SettingsSession(now);
        if (testing::Test::HasFatalFailure()) return;
        tailText.clear();
      }
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
      // Most ticks check the bytes in memory; after a settings session the
      // check runs on the file itself.
      DueCheck check;
      if (ticks % 40 == 0) {
        const DueCheckRun run = RunDueCheck(path_, now);
        ASSERT_TRUE(run.saved);
        check = run.check;
        current_ = ScratchFolder::Get(path_);
      } else {
        check = CheckDueReminders(current_, now);
        ASSERT_EQ(check.writeNeeded, !check.fired.empty());
        if (check.writeNeeded) current_ = check.newFileBytes;
      }
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
  std::vector<std::string> tail_;
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

}  // namespace
}  // namespace quillet
