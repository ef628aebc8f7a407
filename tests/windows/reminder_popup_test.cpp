// The reminder pop-up: a reminder coming due in the real program; in this process
// the later of two reminders and its sound through the system's media player.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "forms/sound_player_win.h"
#include "reminders/due_check_win.h"
#include "reminders/reminder_popup_window.h"
#include "shell/main_window.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"

namespace quillet::test {
namespace {

constexpr char k60[] =  // four lines in the pop-up
    "下午3点在三楼会议室开季度总结会，请带上本季度的工作记录和下季度计划，会后把纪要发给全组同事，并预订下周二上午的会议室。";

// A reminder file of (content, repeat kind, prompt, next due) rows, the rest empty.
std::string FileOf(const std::vector<std::array<std::string, 4>>& rows) {
  std::vector<std::string> fields;
  for (const auto& [content, repeat, prompt, due] : rows) {
    fields.insert(fields.end(), {content, "", "", "", "", "", "", repeat, prompt, "", due});
  }
  return DataFile(fields);
}

TEST(ReminderJourney, AReminderComesDueOnTheProgramsClockAndNotWhileTheSettingsAreOpen) {
  Installation install(PanelSettings(0, 0));  // clear of the centred windows
  const std::wstring timer = install.folder() + L"\\timer.dat";  // the data folder: the program's
  ProgramClock clock(install.folder() + L"\\clock.txt");
  ASSERT_TRUE(clock.Set(MakeDateTime({2030, 6, 15}, 8, 0, 0)));
  // A reminder that fired once is due next in 2199, at its time of day.
  const std::array<std::string, 4> tomorrow = {"明天的会", "每天提醒", "只弹出窗口", "2030-6-16 8:00:00"},
                                    nine = {k60, "只提醒一次", "声音&窗口", "2030-6-15 9:00:00"},
                                    fired = {k60, "只提醒一次", "声音&窗口", "2199-1-1 9:00:00"};
  ASSERT_TRUE(WriteBytes(timer, FileOf({nine, tomorrow})));
  Process program(install);
  HWND panel = program.WaitWindow(L"\x3000Quillet");
  ASSERT_NE(panel, nullptr);
  // A tick, run here and now rather than by the panel's five-second timer.
  const auto tick = [panel] { ::SendMessageW(panel, WM_TIMER, MainWindow::kReminderTimer, 0); };
  tick();
  EXPECT_EQ(ReadBytes(timer), FileOf({nine, tomorrow})) << "fired before its time";
  EXPECT_EQ(program.Window(L"\x3000定时器"), nullptr);
  ASSERT_TRUE(clock.Set(MakeDateTime({2030, 6, 15}, 9, 0, 0)));
  ASSERT_NE(program.WaitWindow(L"\x3000定时器"), nullptr) << "no pop-up at the panel's next tick";
  EXPECT_TRUE(WaitFor([&] { return ReadBytes(timer) == FileOf({fired, tomorrow}); })) << "the due time not moved on";

  // While "定时提醒设置" is open a reminder due meanwhile waits; closed (unsaved), it fires.
  HWND button = ChildWindows(panel)[3];
  ClickTheMouse(button);
  ASSERT_NE(program.WaitWindow(L"定时提醒设置"), nullptr);
  const std::string waiting = FileOf({fired, tomorrow, {"稍后", "只提醒一次", "只弹出窗口", "2030-6-15 9:30:00"}});
  ASSERT_TRUE(WriteBytes(timer, waiting));
  ASSERT_TRUE(clock.Set(MakeDateTime({2030, 6, 15}, 9, 30, 0)));
  tick();
  EXPECT_EQ(ReadBytes(timer), waiting);
  ClickTheMouse(button);
  EXPECT_TRUE(WaitFor([&] {
    return ReadBytes(timer) == FileOf({fired, tomorrow, {"稍后", "只提醒一次", "只弹出窗口", "2199-1-1 9:30:00"}});
  })) << "the reminder due meanwhile never fired";
}

using ReminderPopup = ShellFixture;

TEST_F(ReminderPopup, ShowsTheLaterReminderAndPlaysTheChimeFromAFolderWithABlankAndChineseName) {
  const std::wstring sound = folder_.File(L"提醒 声音") + L"\\" + win::Widen(kDeliveredSoundFile);
  ASSERT_TRUE(::CreateDirectoryW(folder_.File(L"提醒 声音").c_str(), nullptr));
  ASSERT_TRUE(::CopyFileW((BinDir() + L"\\" + win::Widen(kDeliveredSoundFile)).c_str(), sound.c_str(), FALSE));
  Parameters[kParamSoundFile] = win::Narrow(sound);
  const std::string past = DueText(-60);
  ASSERT_TRUE(WriteBytes(folder_.File(L"timer.dat"), FileOf({{"第一条", "每天提醒", "只弹出窗口", past},
                                                             {k60, "每周提醒", "声音&窗口", past}})));
  CheckDueRemindersNow(program_);
  ReminderPopupWindow& popup = TheForm<ReminderPopupWindow>();
  EXPECT_EQ(TopLevelWindows(::GetCurrentProcessId(), L"\x3000定时器").size(), 1u);
  EXPECT_EQ(popup.Text(), "下午3点在三楼会议室开季度总结会，请\r\n带上本季度的工作记录和下季度计划，会\r\n"
                          "后把纪要发给全组同事，并预订下周二上\r\n午的会议室。\r\n");
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-60chars-" + std::to_wstring(popup.Dpi()) + L"dpi");
  // The later reminder's prompt: sound one tick after the pop-up came, then by turns.
  EXPECT_FALSE(popup.SoundPlaying());
  ASSERT_TRUE(WaitFor([&] { return popup.SoundPlaying(); }));
  EXPECT_EQ(ProgramSoundPlayer().Mode(), "playing");
  EXPECT_TRUE(WaitFor([&] { return !popup.SoundPlaying(); }));
  ShowReminder(program_, "该喝水了", "声音&窗口");
  EXPECT_EQ(popup.Text(), "该喝水了\r\n");
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-short-" + std::to_wstring(popup.Dpi()) + L"dpi");
  EXPECT_TRUE(WaitFor([&] { return popup.SoundPlaying(); }));
  popup.ClickButton(ReminderPopupWindow::kCloseButton);
  EXPECT_NE(SendMediaCommand("status MCI mode").code, 0u) << "the alias is free again";
}

}  // namespace
}  // namespace quillet::test
