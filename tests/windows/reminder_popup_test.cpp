// The reminder pop-up: reminders coming due in the real program (lunar yearly, caught up, snoozed
// across a restart); in this process the list of one tick, its scroll bar and its sound through the
// system's media player.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "base/units.h"
#include "forms/sound_player_win.h"
#include "reminders/due_check_win.h"
#include "reminders/reminder_popup_window.h"
#include "reminders/schedule.h"
#include "shell/main_window.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/handles.h"

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
  const auto tick = [&panel] { ::SendMessageW(panel, WM_TIMER, MainWindow::kReminderTimer, 0); };
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

  // In one tick: a lunar yearly one (lunar 2030-5-15) comes due next on lunar 2031-5-15, past a leap
  // month; a daily one seven days overdue steps past the present at once.
  std::array<std::string, 4> lunar = {"交房租", "每年农历提醒", "只弹出窗口", "2030-6-15 9:40:05"},
                             daily = {"写周报", "每天提醒", "声音&窗口", "2030-6-9 9:00:00"};
  ASSERT_TRUE(WriteBytes(timer, FileOf({fired, lunar, daily})));
  ASSERT_TRUE(clock.Set(MakeDateTime({2030, 6, 15}, 9, 40, 10)));
  tick();
  lunar[3] = "2031-7-4 9:40:05";
  daily[3] = "2030-6-16 9:00:00";
  const std::string scheduled = FileOf({fired, lunar, daily});
  EXPECT_EQ(ReadBytes(timer), scheduled);
  HWND popup = program.WaitWindow(L"\x3000定时器");
  ASSERT_NE(popup, nullptr);

  // "稍后提醒", 5 分钟: both come back once the five minutes are over, across a restart, and
  // their schedule stays.
  ClickTheMouse(ChildWindows(popup).back());
  ASSERT_TRUE(WaitFor([] {  // the choice shown and painted: its right margin in the menu colour
    const Capture menu = CaptureWindow(::FindWindowW(L"#32768", nullptr));
    return menu.width > 4 && menu.At(menu.width - 3, menu.height / 2) == ::GetSysColor(COLOR_MENU);
  })) << "no choice";
  SaveCapture(CaptureWindow(popup), L"reminder-popup-snooze-" + std::to_wstring(::GetDeviceCaps(win::WindowDc(nullptr).get(), LOGPIXELSX)) + L"dpi");
  PressKey(VK_DOWN);
  PressKey(VK_RETURN);
  const std::wstring snoozeFile = install.folder() + L"\\snooze.dat";
  std::string snoozes;
  ASSERT_TRUE(WaitFor([&] { return (snoozes = ReadBytes(snoozeFile)).size() > 40 && !::IsWindow(popup); }));
  const std::size_t quote = snoozes.rfind('"', snoozes.size() - 4);
  const auto back = ParseDateTimeText(snoozes.substr(quote + 1, snoozes.size() - quote - 4));
  ASSERT_TRUE(back && back->SerialSeconds() - clock.Now().SerialSeconds() > 280) << snoozes;
  win::KernelHandle handle(::OpenProcess(PROCESS_TERMINATE, FALSE, program.Id()));
  ASSERT_TRUE(::TerminateProcess(handle.get(), 0) && program.WaitExit() == 0);
  Process again(install);
  ASSERT_NE(panel = again.WaitWindow(L"\x3000Quillet"), nullptr);
  ASSERT_TRUE(clock.Set(DateTime{back->day, back->second - 30}));
  tick();
  EXPECT_TRUE(again.Window(L"\x3000定时器") == nullptr && ReadBytes(snoozeFile) == snoozes) << "back too early";
  ASSERT_TRUE(clock.Set(DateTime{back->day, back->second + 2}));
  tick();
  HWND returned = again.Window(L"\x3000定时器");
  EXPECT_NE(returned, nullptr) << "not back within one tick";
  EXPECT_TRUE(ReadBytes(snoozeFile).empty() && ReadBytes(timer) == scheduled);

  // Another program writes timer.dat while "定时提醒设置" is open: its save asks, and
  // 保存我的修改 writes the table and keeps their version beside the file.
  // It came without taking the focus; activated, Esc closes it.
  EXPECT_NE(::GetForegroundWindow(), returned);
  ClickTheMouse(TwipsPoint(returned, 1000, 200).x, TwipsPoint(returned, 1000, 200).y);
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(returned); })) << "Esc did not close the pop-up";
  ClickTheMouse(ChildWindows(panel)[3]);
  HWND settings = again.WaitWindow(L"定时提醒设置");
  ASSERT_NE(settings, nullptr);
  const std::string theirs = FileOf({fired, lunar, daily, tomorrow});
  ASSERT_TRUE(WriteBytes(timer, theirs));
  ClickTheMouse(ChildWindows(settings).end()[-2]);  // "保 存 退 出"
  HWND asked = again.WaitWindow(L"Quillet");
  ASSERT_NE(asked, nullptr);
  ClickTheMouse(ChildWindows(asked)[0]);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(settings); }));
  EXPECT_EQ(ReadBytes(timer), scheduled);
  WIN32_FIND_DATAW found{};
  win::FileSearch other(::FindFirstFileW((timer + L".其他版本-*").c_str(), &found));
  ASSERT_TRUE(other.get() != INVALID_HANDLE_VALUE) << "their version not kept";
  EXPECT_EQ(ReadBytes(install.folder() + L"\\" + found.cFileName), theirs);

  // The first reminder deleted, then a way out other than the buttons asks
  // "是否保存对定时提醒的修改？": Alt+F4 and 否 close unsaved, Esc and 是 save.
  const auto close = [&](WORD key, bool alt, std::size_t answer) {
    ClickTheMouse(ChildWindows(panel)[3]);
    if (!(settings = again.WaitWindow(L"定时提醒设置"))) return false;
    POINT row1{TwipsToPixels(1500, 96), TwipsToPixels(240 + 125, 96)};
    ::ClientToScreen(::FindWindowExW(settings, nullptr, L"QuilletGrid", nullptr), &row1);
    ClickTheMouse(row1.x, row1.y);
    ClickTheMouse(ChildWindows(settings).end()[-3]);  // "删除提醒"
    if (!WaitFor([&] { return ::GetForegroundWindow() == settings; })) return false;  // the keys' window
    PressKey(key, false, false, alt);
    HWND dialog = again.WaitWindow(L"Quillet");
    if (!dialog) return false;
    ClickTheMouse(ChildWindows(dialog)[answer]);
    return WaitFor([&] { return !::IsWindow(dialog) && !::IsWindow(settings); });
  };
  ASSERT_TRUE(close(VK_F4, true, 1));
  EXPECT_EQ(ReadBytes(timer), scheduled);
  ASSERT_TRUE(close(VK_ESCAPE, false, 0));
  EXPECT_EQ(ReadBytes(timer), FileOf({lunar, daily}));
}

using ReminderPopup = ShellFixture;

TEST_F(ReminderPopup, ListsTheRemindersOfATickScrollsAndPlaysTheChimeFromAFolderWithABlankAndChineseName) {
  const std::wstring sound = folder_.File(L"提醒 声音") + L"\\" + win::Widen(kDeliveredSoundFile);
  ASSERT_TRUE(::CreateDirectoryW(folder_.File(L"提醒 声音").c_str(), nullptr));
  ASSERT_TRUE(::CopyFileW((BinDir() + L"\\" + win::Widen(kDeliveredSoundFile)).c_str(), sound.c_str(), FALSE));
  Parameters[kParamSoundFile] = win::Narrow(sound);
  const std::string past = DueText(-60);
  ASSERT_TRUE(WriteBytes(folder_.File(L"timer.dat"), FileOf({{"第一条", "每天提醒", "只弹出窗口", DueText(-6 * 86400 - 60)},
                                                             {k60, "每周提醒", "声音&窗口", past},
                                                             {"开会", "只提醒一次", "只弹出窗口", past}})));
  CheckDueRemindersNow(program_);
  ReminderPopupWindow& popup = TheForm<ReminderPopupWindow>();
  EXPECT_EQ(TopLevelWindows(::GetCurrentProcessId(), L"\x3000定时器").size(), 1u);
  EXPECT_TRUE(popup.Text().starts_with("第一条\r\n（错过 7 次，最早 ")) << popup.Text();
  EXPECT_TRUE(popup.Text().ends_with("）\r\n\r\n下午3点在三楼会议室开季度总结会，请\r\n带上本季度的工作记录和下季度计划，会\r\n"
                                     "后把纪要发给全组同事，并预订下周二上\r\n午的会议室。\r\n\r\n开会\r\n")) << popup.Text();
  const std::wstring dpi = std::to_wstring(popup.Dpi()) + L"dpi";
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-three-" + dpi);
  // Nine lines: the scroll bar's lower arrow shows the next.
  HWND bar = ChildWindows(popup.hwnd()).front();
  RECT box{};
  ::GetClientRect(bar, &box);
  box.top = box.bottom - 4;
  ASSERT_TRUE(popup.Scrolls() && ::IsWindowVisible(bar));
  ClickTheMouse(bar, box);
  EXPECT_TRUE(WaitFor([&] { return popup.TopLine() == 1; }));
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-three-scrolled-" + dpi);
  // The first reminder that asks for sound: sound one tick after the pop-up came, then by turns.
  EXPECT_FALSE(popup.SoundPlaying());
  ASSERT_TRUE(WaitFor([&] { return popup.SoundPlaying(); }));
  EXPECT_EQ(ProgramSoundPlayer().Mode(), "playing");
  EXPECT_TRUE(WaitFor([&] { return !popup.SoundPlaying(); }));
  FiredReminder water;
  water.content = "该喝水了";
  water.prompt = "声音&窗口";
  ShowReminders(program_, {water});
  EXPECT_TRUE(popup.Text() == "该喝水了\r\n" && !popup.Scrolls() && !::IsWindowVisible(bar));
  SaveRedrawnScreenshot(popup.hwnd(), L"reminder-popup-short-" + dpi);
  EXPECT_TRUE(WaitFor([&] { return popup.SoundPlaying(); }));
  popup.ClickButton(ReminderPopupWindow::kCloseButton);
  EXPECT_NE(SendMediaCommand("status MCI mode").code, 0u) << "the alias is free again";
}

}  // namespace
}  // namespace quillet::test
