#include "reminders/schedule.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <tuple>

#include "base/codepage.h"
#include "reminders/reminder.h"
#include "reminders/reminder_editing.h"
#include "reminders/reminder_sound.h"
#include "settings/sound_trial.h"
#include "tests/support/lunar_reference.h"
#include "tests/support/scratch_folder.h"

namespace quillet {
namespace {

using testing_support::ScratchFolder;

std::string FileOf(const std::vector<Reminder>& list) { return EncodeCp936(FormatReminders(list)).bytes; }

DateTime At(int y, int mo, int d, int h = 0, int mi = 0, int s = 0) { return MakeDateTime({y, mo, d}, h, mi, s); }

TEST(ReminderTexts, NextTimeByTheRepeatKindAndWrappedContent) {
  const std::tuple<DateTime, std::string_view, const char*> cases[] = {
      {At(2006, 12, 31, 23, 59, 59), kRepeatDaily, "2007-1-1 23:59:59"}, {At(2006, 2, 25, 7), kRepeatWeekly, "2006-3-4 7:00:00"},
      {At(2006, 3, 1, 8, 30), kRepeatOnce, "2199-1-1 8:30:00"},
      {At(2006, 3, 1, 8), "每两天", "2006-3-1 8:00:00"},  // no repeat kind: stays
      {At(2006, 1, 31), kRepeatMonthly, "2006-2-28"}, {At(2006, 12, 15, 6), kRepeatMonthly, "2007-1-15 6:00:00"},
      {At(2008, 1, 31), kRepeatMonthly, "2008-2-29"}, {At(2006, 7, 4), kRepeatYearly, "2007-7-4"},
      {At(2008, 2, 29, 9), kRepeatYearly, "2009-2-28 9:00:00"},  // and the 28th from then on
  };
  for (const auto& [due, kind, next] : cases) EXPECT_EQ(FormatNextDueText(NextReminderTime(due, kind)), next);
  std::string line18;  // a content of whole lines ends with an empty one
  for (int i = 0; i < 18; ++i) line18 += "字";
  EXPECT_EQ(WrapReminderContent(line18 + line18) + WrapReminderContent(""), line18 + "\r\n" + line18 + "\r\n\r\n\r\n");
  FiredReminder missed;
  missed.content = "喝水", missed.occurrences = 7, missed.earliest = At(2030, 6, 9, 9, 5, 59);
  EXPECT_EQ(ReminderPopupText(missed), "喝水\r\n（错过 7 次，最早 2030-6-9 9:05）\r\n");
}

// Each day of lunar 1900..2100 as the start: the next two due dates are the same lunar month (a
// leap one: the ordinary) and day (30: 29 in a short month) in the two lunar years after.
TEST(ReminderTexts, LunarYearlyAgreesWithTheReferenceListingOnEveryStartDay) {
  const std::vector<ReferenceDay> days = ReferenceDays();
  std::map<std::tuple<int, int, int>, CivilDate> byLunar;
  for (const auto& [date, lunar] : days) byLunar[{lunar.year, lunar.month, lunar.day}] = date;
  const auto expected = [&](const LunarDate& start, int years) {
    const int year = start.year + years, month = std::abs(start.month);
    auto found = byLunar.find({year, month, start.day});
    if (found == byLunar.end()) found = byLunar.find({year, month, start.day - 1});
    return found == byLunar.end() || found->second.year > 2100 ? CivilDate{2199, 1, 1} : found->second;
  };
  ASSERT_GT(days.size(), 73384u);
  for (std::size_t i = 0; i < 73384; ++i) {
    const auto& [date, lunar] = days[i];
    const DateTime next = NextReminderTime(MakeDateTime(date, 8, 30), kRepeatLunarYearly);
    ASSERT_EQ(next, MakeDateTime(expected(lunar, 1), 8, 30)) << IsoDateText(date);
    ASSERT_EQ(NextReminderTime(next, kRepeatLunarYearly, date), MakeDateTime(expected(lunar, 2), 8, 30))
        << IsoDateText(date);
  }
}

Reminder Due(const std::string& content, const std::string& nextDue, std::string_view repeat) {
  return {{content, "", "", "", "", "", "", std::string(repeat), "只弹出窗口", "", nextDue}};
}

TEST(CheckDueReminders, KeepsEveryOtherByteLooksBeyondTheFirstThousandAndFiresOnlyAfterTheDueSecond) {
  const std::string head = EncodeCp936("\"会议\",2006,3,1,8,30,0\n\"每天提醒\",\"只弹出窗口\",\"备注\"\n").bytes;
  const std::string rest =
      EncodeCp936("\"不动\",\"\",\"\",\"\",\"\",\"\",\"\",\"每天提醒\",\"\",\"\",\"next Tuesday\"\r\n").bytes +
      "\"\xFF\x81 odd\"\r\n" + EncodeCp936("\"半截\"\r\n\"\"\r\n\"2000-1-1\"").bytes;
  const DueCheck check = CheckDueReminders(head + "  2006-3-1 8:30:00  \r\n" + rest, At(2006, 3, 2));
  ASSERT_EQ(check.fired.size(), 1u);
  EXPECT_EQ(check.fired[0].content + check.fired[0].prompt, "会议只弹出窗口");
  EXPECT_EQ(check.reminders * 10 + check.unreadable, 21u);  // the short last one is not looked at
  EXPECT_EQ(check.newFileBytes, head + "\"2006-3-2 8:30:00\"\r\n" + rest);
  // A kind this program does not know fires once a run (memory) and keeps its bytes.
  const std::string unknown = FileOf({Due("每两天", "  2006-3-1 8:00", "每两天")}) + head + "\"2006-3-2 8:30:00\"\r\n";
  DueCheckMemory run1, run2;
  EXPECT_EQ(CheckDueReminders(unknown, At(2006, 3, 2), {}, &run1).fired.size(), 1u);
  const DueCheck again = CheckDueReminders(unknown, At(2006, 3, 3), {}, &run1);
  EXPECT_TRUE(again.fired.size() == 1 && again.fired[0].content == "会议" && !again.newFileBytes.empty());
  EXPECT_EQ(again.newFileBytes.substr(0, unknown.size() - 20), unknown.substr(0, unknown.size() - 20));
  EXPECT_EQ(CheckDueReminders(unknown, At(2006, 3, 2, 0, 0, 5), {}, &run2).fired[0].content, "每两天");
  std::vector<Reminder> reminders(1500, Due("later", "2030-1-1", kRepeatDaily));
  reminders[0] = Due("odd", "2006-1-1 25:00", kRepeatDaily);
  reminders[7] = Due("week", "2005-12-20 6:00:00", kRepeatWeekly);
  reminders[1499] = Due("last", "2006-1-1 7:00:00", kRepeatMonthly);
  const DueCheck many = CheckDueReminders(FileOf(reminders), At(2006, 1, 2));
  ASSERT_EQ(many.fired.size(), 2u);
  EXPECT_EQ(many.fired[0].index * 10000 + many.fired[1].index, 71499u);
  // Caught up in one tick: two weeks passed since the week's due time, counted.
  EXPECT_EQ(many.fired[0].occurrences * 10 + many.fired[1].occurrences, 21);
  EXPECT_EQ(many.fired[0].earliest, At(2005, 12, 20, 6));
  reminders[7][Reminder::kNextDue] = "2006-1-3 6:00:00";
  reminders[1499][Reminder::kNextDue] = "2006-2-1 7:00:00";
  EXPECT_EQ(many.newFileBytes, FileOf(reminders));
  ScratchFolder folder("schedule");
  const std::string path = ReminderPath(folder.Folder());
  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 2)).readStatus == FileStatus::NotFound && !std::filesystem::exists(path));

  ScratchFolder::Put(path, FileOf({Due("a", "2006-3-1", kRepeatDaily)}));  // failed writes: save_faults_test
  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 1, 0, 0, 1)).saved);
  EXPECT_EQ(ScratchFolder::Get(path), FileOf({Due("a", "2006-3-2", kRepeatDaily)}));
  EXPECT_TRUE(RunDueCheck(path, At(2006, 3, 2)).check.fired.empty());  // due at this very second
  // Another program writes the file between the check's read and its write: its bytes stay, nothing fires.
  const FileContents read{FileStatus::Ok, ScratchFolder::Get(path)};
  DueCheckRun raced;
  raced.check = CheckDueReminders(read.bytes, At(2006, 3, 3));
  const std::string theirs = FileOf({Due("a", "2006-3-2", kRepeatDaily), Due("b", "2006-3-9", kRepeatDaily)});
  ScratchFolder::Put(path, theirs);
  WriteDueCheck(path, read, "", raced);
  EXPECT_TRUE(raced.changedMeanwhile && raced.check.fired.empty() && ScratchFolder::Get(path) == theirs);
}

TEST(Snoozes, ComeBackByTheReminderAndLeaveItsScheduleAloneTheFileDropsOrphans) {
  ScratchFolder folder("snooze");
  const auto KeyOf = [](const Reminder& r) { ReminderKey k; std::copy_n(r.fields.begin(), k.size(), k.begin()); return k; };
  const std::string path = SnoozePath(folder.Folder()), timer = ReminderPath(folder.Folder());
  const Reminder water = Due("喝\"水\"", "2006-3-2 8:30:00", kRepeatDaily), gone = Due("删掉的", "2006-3-2", kRepeatOnce);
  std::vector<Snooze> snoozes = WithSnoozes({}, {KeyOf(water), KeyOf(gone)}, At(2006, 3, 1, 8, 40));
  snoozes = WithSnoozes(snoozes, {KeyOf(water)}, At(2006, 3, 1, 8, 45));  // snoozed again
  ASSERT_TRUE(SaveSnoozes(path, snoozes).ok);
  EXPECT_EQ(ScratchFolder::Get(path), EncodeCp936("\"删掉的\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"只提醒一次\"\r\n"
                                                  "\"2006-3-1 8:40:00\"\r\n\"喝＂水＂\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n"
                                                  "\"\"\r\n\"每天提醒\"\r\n\"2006-3-1 8:45:00\"\r\n").bytes);
  ScratchFolder::Put(timer, FileOf({water}));
  DueCheckRun early = RunDueCheck(timer, At(2006, 3, 1, 8, 44), nullptr, path);
  EXPECT_TRUE(early.check.fired.empty() && early.check.snoozesChanged && LoadSnoozes(path) == std::vector<Snooze>{snoozes[1]});
  const DueCheckRun back = RunDueCheck(timer, At(2006, 3, 1, 8, 46), nullptr, path);
  ASSERT_EQ(back.check.fired.size(), 1u);
  EXPECT_EQ(back.check.fired[0].content + back.check.fired[0].nextDue, "喝＂水＂2006-3-2 8:30:00");
  EXPECT_TRUE(LoadSnoozes(path).empty() && ScratchFolder::Get(timer) == FileOf({water}));
}

TEST(ReminderTable, AShortLastReminderIsReadWholeFieldsAreMadeSafeAndEditsMoveTheDueTime) {
  ScratchFolder folder("reminder-table");
  const std::string path = ReminderPath(folder.Folder());
  std::vector<Reminder> list = {Due("带\"引号\"\r\n两行", "2006-3-1", kRepeatDaily), Reminder{{"半截", "2006"}}};
  ScratchFolder::Put(path, FileOf({list[0]}) + EncodeCp936("\"半截\"\r\n\"2006\"\r\n").bytes);
  TableModel grid;
  SetUpReminderTable(grid);
  LoadReminderTable(grid, path);
  EXPECT_EQ(grid.TextMatrix(0, 0) + grid.TextMatrix(2, 0), "序号2");
  list[0][Reminder::kContent] = "带＂引号＂ 两行";
  EXPECT_EQ(TableReminders(grid), list);
  ASSERT_TRUE(SaveReminderTable(grid, path).ok);
  EXPECT_EQ(ScratchFolder::Get(path), FileOf(list));
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

TEST(Sounds, ThePopUpsTicksOpenPlayAndCloseTheTrialPlaysTrimmedAndNeitherCutsIntoTheOther) {
  EXPECT_TRUE(ReminderSounds("声音&窗口", "1") && !ReminderSounds("声音&窗口", "0") && !ReminderSounds("声音&窗口", "") &&
              !ReminderSounds("只弹出窗口", "1"));
  std::vector<std::string> sent;
  bool fileMissing = false;
  SoundPlayer player([&](const std::string& command) {
    sent.push_back(command);
    return MediaReply{command.starts_with("Open") && fileMissing ? 275ul : 0ul, "playing "};
  });
  const char* sound = "C:\\Program Files\\提醒\\chime.wav";
  const std::string open = "Open \"C:\\Program Files\\提醒\\chime.wav\" Alias MCI";
  ReminderSoundRhythm rhythm(player);
  for (int tick = 0; tick < 3; ++tick) rhythm.Tick(true, sound);
  EXPECT_FALSE(player.Play("D:\\铃声.wav")) << "another window's play waits for the alias";
  rhythm.Stop(), rhythm.Stop();  // closed while playing, then while silent
  rhythm.Tick(true, sound), rhythm.Tick(false, sound);  // a later reminder without sound: it plays out
  EXPECT_EQ(player.Mode(), "playing");
  rhythm.Stop();
  fileMissing = true;
  for (const char* file : {sound, sound, ""}) rhythm.Tick(true, file);
  EXPECT_FALSE(rhythm.Playing());
  EXPECT_EQ(sent, (std::vector<std::string>{open, "Play MCI", "Close MCI", open, "Play MCI", "Close MCI",
                                            open, "Play MCI", "status MCI mode", "Close MCI", open, open}));
  fileMissing = false, sent.clear();
  SoundTrial trial(player);
  EXPECT_FALSE(trial.Press("   "));
  EXPECT_TRUE(trial.Press(" D:\\铃 声.wav "));
  trial.Stop();
  EXPECT_EQ(sent, (std::vector<std::string>{"Open \"D:\\铃 声.wav\" Alias MCI", "Play MCI", "Close MCI"}));
  ASSERT_TRUE(player.Play("C:\\pop-up.wav"));  // the reminder pop-up plays
  sent.clear();
  EXPECT_FALSE(trial.Press("D:\\铃 声.wav"));
  trial.Stop();
  EXPECT_TRUE(sent.empty()) << "neither opened nor closed under the pop-up";
}

}  // namespace
}  // namespace quillet
