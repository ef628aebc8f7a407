// The exports (CSV, iCalendar) as bytes, and the daily backup of the data
// files. Expected bytes are literals worked out by hand from RFC 4180 and
// RFC 5545; the readers of other programs check the files in
// tests/windows/export_check.py.
#include <gtest/gtest.h>

#include <filesystem>

#include "base/daily_backup.h"
#include "base/file_store.h"
#include "reminders/reminders_ics.h"
#include "tests/support/scratch_folder.h"
#include "worklog/records_export.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

TEST(Export, CsvQuotesOnlyWhatRfc4180Needs) {
  const std::vector<WorkRecord> records = {
      {"2026-12-7 9:0", "2026-12-8 17:0", "甲,乙", "尚未完成", "说\"好\""},
      {"", "", "一行\r\n二行", "已经完成", "plain"}};
  EXPECT_EQ(RecordsCsv(records),
            "\xEF\xBB\xBF序号,开始日期,截止日期,工作内容,完成情况,备注信息\r\n"
            "1,2026-12-7 9:0,2026-12-8 17:0,\"甲,乙\",尚未完成,\"说\"\"好\"\"\"\r\n"
            "2,,,\"一行\r\n二行\",已经完成,plain\r\n");
}

TEST(Export, IcsEscapesAndFoldsWithoutSplittingACharacter) {
  EXPECT_EQ(IcsText("a\\b;c,d\r\ne\nf"), "a\\\\b\\;c\\,d\\ne\\nf");
  std::string thirty;
  for (int i = 0; i < 30; ++i) thirty += "中";
  // 8 + 22*3 = 74 octets: a 23rd character would end at octet 77.
  EXPECT_EQ(IcsFolded("SUMMARY:" + thirty),
            "SUMMARY:" + thirty.substr(0, 66) + "\r\n " + thirty.substr(66) + "\r\n");
  EXPECT_EQ(IcsFolded(std::string(150, 'x')),
            std::string(75, 'x') + "\r\n " + std::string(74, 'x') + "\r\n " + "x\r\n");
}

Reminder MakeReminder(const char* content, const char* repeat, const char* nextDue) {
  return Reminder{{content, "2026", "1", "31", "8", "5", "0", repeat, "只弹出窗口", "", nextDue}};
}

TEST(Export, IcsRepeatsAndStableUids) {
  const DateTime stamp = MakeDateTime(CivilDate{2026, 12, 7}, 1, 2, 3);
  const std::vector<Reminder> reminders = {
      MakeReminder("a", "每天提醒", "2026-12-8 8:05:00"),
      MakeReminder("b", "每月提醒", "2027-1-31 8:05:00"),
      MakeReminder("c", "只提醒一次", "2199-1-1 8:05:00"),
      MakeReminder("c", "只提醒一次", "2199-1-1 8:05:00")};
  const std::string ics = RemindersIcs(reminders, stamp);
  EXPECT_NE(ics.find("DTSTAMP:20261207T010203Z\r\nDTSTART:20261208T080500\r\nRRULE:FREQ=DAILY\r\n"),
            std::string::npos);
  // From the 31st the due day runs 31 Jan, 28 Feb and stays on the 28th.
  EXPECT_NE(ics.find("DTSTART:20270131T080500\r\nRDATE:20270131T080500,20270228T080500,"
                     "20270328T080500,"),
            std::string::npos);
  // A once-only reminder that rang stands at its set time, with no repeat.
  EXPECT_NE(ics.find("DTSTART:20260131T080500\r\nSUMMARY:c\r\n"), std::string::npos);
  std::vector<Reminder> later = reminders;
  later[0][Reminder::kNextDue] = "2026-12-9 8:05:00";
  const std::string again = RemindersIcs(later, stamp);
  const auto uids = [](const std::string& text) {
    std::vector<std::string> found;
    for (std::size_t at = text.find("UID:"); at != std::string::npos; at = text.find("UID:", at + 1)) {
      found.push_back(text.substr(at, text.find("\r\n", at) - at));
    }
    return found;
  };
  ASSERT_EQ(uids(ics).size(), 4u);
  EXPECT_EQ(uids(ics), uids(again));
  EXPECT_NE(uids(ics)[2], uids(ics)[3]);
  EXPECT_TRUE(uids(ics)[0].ends_with("@reminders.quillet.invalid"));
}

TEST(Backup, FirstSaveOfTheDayKeepsTheOldFileAndFourteenDays) {
  ScratchFolder folder("backup");
  const std::string data = folder.Folder();
  const std::string schedule = folder.File("schedule.dat");
  const auto copyOf = [&](const char* day, const char* name) {
    return ScratchFolder::Get(data + "/备份/" + day + "/" + name);
  };
  ScratchFolder::Put(schedule, "yesterday\r\n");
  SetBeforeReplaceHook([&](const std::string& path) {
    EXPECT_TRUE(BackUpBeforeSave(path, data, CivilDate{2026, 12, 7}).copied);
  });
  ASSERT_TRUE(ReplaceFileContents(schedule, "today 1"));
  SetBeforeReplaceHook([&](const std::string& path) {
    EXPECT_FALSE(BackUpBeforeSave(path, data, CivilDate{2026, 12, 7}).copied);
  });
  ASSERT_TRUE(ReplaceFileContents(schedule, "today 2"));
  SetBeforeReplaceHook(nullptr);
  EXPECT_EQ(copyOf("2026-12-07", "schedule.dat"), "yesterday\r\n");
  EXPECT_EQ(ScratchFolder::Get(schedule), "today 2");
  // Other files are no business of the backup.
  ScratchFolder::Put(folder.File("Holiday.dat"), "x");
  EXPECT_FALSE(BackUpBeforeSave(folder.File("Holiday.dat"), data, CivilDate{2026, 12, 8}).copied);

  // With 2026-12-07 that makes fifteen days: the fifteenth removes the first.
  std::filesystem::create_directories(data + "/备份/我的");
  for (int day = 8; day <= 21; ++day) {
    ScratchFolder::Put(schedule, "day " + std::to_string(day));
    EXPECT_TRUE(BackUpBeforeSave(schedule, data, CivilDate{2026, 12, day}).copied);
  }
  EXPECT_FALSE(BackUpBeforeSave(folder.File("timer.dat"), data, CivilDate{2026, 12, 22}).copied);
  EXPECT_FALSE(std::filesystem::exists(data + "/备份/2026-12-07"));
  EXPECT_EQ(copyOf("2026-12-08", "schedule.dat"), "day 8");
  EXPECT_EQ(copyOf("2026-12-21", "schedule.dat"), "day 21");
  EXPECT_TRUE(std::filesystem::exists(data + "/备份/我的"));
  EXPECT_EQ(BackupDaysToRemove({"2026-12-02", "x", "2026-12-01", "2026-13-01"}, 1),
            std::vector<std::string>{"2026-12-01"});
}

TEST(Backup, AFailedCopyNeverStopsTheSave) {
  ScratchFolder folder("backup-fails");
  // A file where the backup folder should be: no folder can be made there
  // (a read-only folder would not stop root, who runs these tests).
  ScratchFolder::Put(folder.File("备份"), "");
  ScratchFolder::Put(folder.File("timer.dat"), "old");
  BackupOutcome outcome;
  SetBeforeReplaceHook([&](const std::string& path) {
    outcome = BackUpBeforeSave(path, folder.Folder(), CivilDate{2026, 12, 7});
  });
  EXPECT_TRUE(ReplaceFileContents(folder.File("timer.dat"), "new"));
  SetBeforeReplaceHook(nullptr);
  EXPECT_TRUE(outcome.failed);
  EXPECT_NE(outcome.error.find("2026-12-07"), std::string::npos);
  EXPECT_EQ(ScratchFolder::Get(folder.File("timer.dat")), "new");
}

}  // namespace
}  // namespace quillet
