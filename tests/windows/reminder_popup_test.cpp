// The reminder pop-up: a reminder coming due in the real program; in this process
// the later of two reminders and its sound through the system's media player.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/sound_player_win.h"
#include "reminders/due_check_win.h"
#include "reminders/reminder.h"
#include "reminders/reminder_popup_window.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"

namespace quillet::test {
namespace {

constexpr char k60[] =  // four lines in the pop-up
    "下午3点在三楼会议室开季度总结会，请带上本季度的工作记录和下季度计划，会后把纪要发给全组同事，并预订下周二上午的会议室。";

// A reminder file; the due check reads the content, repeat kind, prompt and next due time.
std::string FileOf(std::vector<std::array<std::string, 4>> rows) {
  std::vector<Reminder> list(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i) {
    std::tie(list[i][Reminder::kContent], list[i][Reminder::kRepeat], list[i][Reminder::kPrompt],
             list[i][Reminder::kNextDue]) = std::tie(rows[i][0], rows[i][1], rows[i][2], rows[i][3]);
  }
  return ReminderFileBytes(list);
}

TEST(ReminderJourney, AReminderDueInTheRealProgramPopsUpWithinOneTickAndNotWhileTheSettingsAreOpen) {
  Installation install(PanelSettings(0, 0));  // clear of the centred windows
  const DateTime due = SecondsFromNow(3);
  const DateTime later = SecondsFromNow(20);
  const std::string tomorrow = FormatNextDueText(SecondsFromNow(86400));
  const std::string never = FormatNextDueText({DayNumber(CivilDate{2199, 1, 1}), due.second});
  const std::wstring timer = install.folder() + L"\\timer.dat";  // the data folder: the program's
  const auto file = [&](const std::string& first, const std::string& third) {
    return FileOf({{k60, "只提醒一次", "声音&窗口", first},
                   {"明天的会", "每天提醒", "只弹出窗口", tomorrow},
                   {"稍后", "只提醒一次", "只弹出窗口", third}});
  };
  ASSERT_TRUE(WriteBytes(timer, file(FormatNextDueText(due), FormatNextDueText(later))));
  Process program(install);
  HWND popup = nullptr;
  WaitFor([&] { return (popup = program.Window(L"\x3000定时器")) != nullptr; }, std::chrono::seconds(12));
  ASSERT_NE(popup, nullptr);
  const auto late = SecondsFromNow(0).SerialSeconds() - due.SerialSeconds();
  EXPECT_TRUE(late >= 1 && late <= 5 + 2) << "after its due second, within one tick: " << late;
  const std::string moved = file(never, FormatNextDueText(later));
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(timer) == moved; }, std::chrono::seconds(2)));

  // While "定时提醒设置" is open nothing fires and the file stays as it is;
  // closed again (the panel's button, without saving), the third one fires.
  HWND button = ChildWindows(program.WaitWindow(L"\x3000Quillet"))[3];
  ClickTheMouse(button);
  ASSERT_NE(program.WaitWindow(L"定时提醒设置"), nullptr);
  WaitFor([&] { return SecondsFromNow(0).SerialSeconds() > later.SerialSeconds() + 6; },
          std::chrono::seconds(30));
  EXPECT_EQ(ReadBytes(timer), moved);
  ClickTheMouse(button);
  const std::string fired = file(never, FormatNextDueText({DayNumber(CivilDate{2199, 1, 1}), later.second}));
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(timer) == fired; }, std::chrono::seconds(8)));
}

using ReminderPopup = ShellFixture;

TEST_F(ReminderPopup, ShowsTheLaterReminderAndPlaysTheChimeFromAFolderWithABlankAndChineseName) {
  const std::wstring sound = folder_.File(L"提醒 声音") + L"\\" + win::Widen(kDeliveredSoundFile);
  ASSERT_TRUE(::CreateDirectoryW(folder_.File(L"提醒 声音").c_str(), nullptr));
  ASSERT_TRUE(::CopyFileW((BinDir() + L"\\" + win::Widen(kDeliveredSoundFile)).c_str(), sound.c_str(), FALSE));
  Parameters[kParamSoundFile] = win::Narrow(sound);
  const std::string past = FormatNextDueText(SecondsFromNow(-60));
  ASSERT_TRUE(WriteBytes(folder_.File(L"timer.dat"), FileOf({{"第一条", "每天提醒", "只弹出窗口", past},
                                                             {k60, "每周提醒", "声音&窗口", past}})));
  CheckDueRemindersNow();
  ReminderPopupWindow& popup = TheForm<ReminderPopupWindow>();
  EXPECT_EQ(TopLevelWindows(::GetCurrentProcessId(), L"\x3000定时器").size(), 1u);
  EXPECT_EQ(popup.Text(), "下午3点在三楼会议室开季度总结会，请\r\n带上本季度的工作记录和下季度计划，会\r\n"
                          "后把纪要发给全组同事，并预订下周二上\r\n午的会议室。\r\n");
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-60chars-" + std::to_wstring(popup.Dpi()) + L"dpi");
  // The later reminder's prompt: sound one tick after the pop-up came, then by turns.
  EXPECT_FALSE(popup.SoundPlaying());
  ASSERT_TRUE(WaitFor([&] { return popup.SoundPlaying(); }, std::chrono::milliseconds(2600)));
  EXPECT_EQ(ProgramSoundPlayer().Mode(), "playing");
  EXPECT_TRUE(WaitFor([&] { return !popup.SoundPlaying(); }, std::chrono::milliseconds(2600)));
  ShowReminder("该喝水了", "声音&窗口");
  EXPECT_EQ(popup.Text(), "该喝水了\r\n");
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-short-" + std::to_wstring(popup.Dpi()) + L"dpi");
  EXPECT_TRUE(WaitFor([&] { return popup.SoundPlaying(); }, std::chrono::milliseconds(2600)));
  popup.ClickButton("Pic");
  EXPECT_NE(SendMediaCommand("status MCI mode").code, 0u) << "the alias is free again";
}

}  // namespace
}  // namespace quillet::test
