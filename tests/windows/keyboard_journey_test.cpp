// The program without a mouse: the hot key, Tab, arrows, Enter and Esc
// through the panel, a new record, the closing question, the calendar and
// the look-up, with the record file checked byte for byte.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/parameters.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/test_files.h"
#include "tests/support/win_test.h"
#include "win32/handles.h"
#include "worklog/work_record.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kPanelCaption = L"\x3000Quillet";

TEST(KeyboardJourney, HotKeyArrowsTabEnterAndEscReachEveryStep) {
  ParameterItems items = PanelSettings(3000, 1500);
  items[kParamHotKey] = "Ctrl+Alt+Q";
  Installation install(items);
  // Held by another program: told once at the start, and the panel goes on without it.
  ASSERT_TRUE(::RegisterHotKey(nullptr, 7, MOD_CONTROL | MOD_ALT, 'Q'));
  {
    Process taken(install);
    HWND message = taken.WaitWindow(L"Quillet");
    ::UnregisterHotKey(nullptr, 7);
    ASSERT_NE(message, nullptr) << "a taken key is not told";
    ::PostMessageW(taken.WaitWindow(kPanelCaption), WM_CLOSE, 0, 0);
    EXPECT_EQ(taken.WaitExit(), 0);
  }
  ProgramClock clock(install.folder() + L"\\clock.txt");
  ASSERT_TRUE(clock.Set(MakeDateTime({2029, 3, 15}, 12, 0, 0)));
  Process program(install);
  HWND panel = program.WaitWindow(kPanelCaption);
  ASSERT_NE(panel, nullptr);
  const std::vector<HWND> buttons = ChildWindows(panel);  // the eight, top down
  const int dpi = ::GetDeviceCaps(win::WindowDc(nullptr).get(), LOGPIXELSY);
  const std::wstring atDpi = L"dpi-" + std::to_wstring(dpi);
  const auto front = [](HWND window, HWND focus) {
    return WaitFor([=] { return ::GetForegroundWindow() == window && FocusIn(window) == focus; });
  };
  // The hot key brings the panel out on its first button; Down moves to button n, Enter presses it.
  const auto open = [&](std::size_t n) {
    PressKey('Q', false, true, true);
    if (!front(panel, buttons[0])) return false;
    for (std::size_t i = 1; i <= n; ++i) {
      PressKey(VK_DOWN);
      if (!front(panel, buttons[i])) return false;
    }
    PressKey(VK_RETURN);
    return true;
  };
  // Esc sends the undocked panel to the notification area; the hot key brings it back.
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == panel; }));
  PressKey(VK_ESCAPE);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(panel); })) << "Esc did not hide the panel";
  PressKey('Q', false, true, true);
  ASSERT_TRUE(front(panel, buttons[0])) << "not out, in front, on its first button";
  // The focused button shows its cue in the caption colour (white at first run) just inside its
  // edge, and loses it with the focus.
  RECT outer{};
  RECT face{};
  ::GetWindowRect(panel, &outer);
  ::GetWindowRect(buttons[0], &face);
  const auto white = [&] {
    const Capture shot = CaptureWindow(panel);
    int count = 0;
    for (int x = 0; x < ::MulDiv(4, dpi, 96); ++x) {
      count += shot.At(face.left - outer.left + x, (face.top + face.bottom) / 2 - outer.top) == 0xFFFFFF;
    }
    return count;
  };
  EXPECT_TRUE(WaitFor([&] { return white() > 0; })) << "no focus cue";
  SaveRedrawnScreenshot(panel, L"focus-cue-panel-" + atDpi);
  PressKey(VK_DOWN);
  EXPECT_TRUE(front(panel, buttons[1]) && WaitFor([&] { return white() == 0; })) << "the cue stays";

  // A record added by keys alone: Tab leaves the content box without typing a tab into it.
  ASSERT_TRUE(open(1));  // 添加工作记录
  HWND edit = program.WaitWindow(L"\x3000编辑工作记录");
  ASSERT_NE(edit, nullptr);
  HWND content = ::WindowFromPoint(TwipsPoint(edit, 120 + 300, 2040 + 300));
  ASSERT_TRUE(front(edit, content)) << "typing does not start in the content box";
  TypeText(L"写周报", content);
  PressKey(VK_TAB);
  ASSERT_TRUE(WaitFor([&] { return FocusIn(edit) != content; }));
  SaveRedrawnScreenshot(edit, L"focus-cue-edit-" + atDpi);
  PressKey(VK_TAB, true);
  ASSERT_TRUE(front(edit, content));
  EXPECT_EQ(ControlText(content), L"写周报");
  PressKey(VK_RETURN);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindow(edit); })) << "Enter did not add the record";
  HWND list = program.WaitWindow(L"\x3000我的工作记录表");
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == list; }));
  PressKey(VK_ESCAPE);  // the question: 是 is the default
  HWND question = program.WaitWindow(L"Quillet");
  ASSERT_NE(question, nullptr) << "Esc closed a changed table without asking";
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == question; }));
  PressKey(VK_RETURN);
  const std::string saved = WorkFile({{"2029-3-15 9:0", "2029-3-15 17:0", "写周报", "尚未完成", ""}});
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(list) && ReadBytes(install.folder() + L"\\schedule.dat") == saved; }));

  // The calendar opens on today; Page Down shows the next month, Home today again, Esc hides it.
  ASSERT_TRUE(open(4));
  HWND calendar = program.WaitWindow(L"\x3000Tamber日历");
  ASSERT_NE(calendar, nullptr);
  const auto day15 = [&] { return ControlText(FocusIn(calendar)).substr(0, 3) == L" 15"; };
  ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == calendar && day15(); })) << "not on today";
  HWND today = FocusIn(calendar);
  PressKey(VK_NEXT);  // 2029-4-15 is a Sunday, 3-15 a Thursday: another cell
  EXPECT_TRUE(WaitFor([&] { return FocusIn(calendar) != today && day15(); }));
  PressKey(VK_HOME);
  EXPECT_TRUE(front(calendar, today));
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(calendar); })) << "Esc did not hide the calendar";

  // The look-up: the keyword typed, Enter searches, Tab reaches 查询, Esc leaves.
  ASSERT_TRUE(open(5));
  HWND lookup = program.WaitWindow(L"\x3000邮编区号查询");
  ASSERT_NE(lookup, nullptr);
  const std::vector<HWND> controls = ChildWindows(lookup);  // keyword, 查询, 退　出, results
  ASSERT_TRUE(front(lookup, controls[0]));
  TypeText(L"拉萨", controls[0]);
  PressKey(VK_RETURN);
  EXPECT_TRUE(WaitFor([&] { return ControlText(controls[3]).find(L"850000") != std::wstring::npos; }));
  PressKey(VK_TAB);
  EXPECT_TRUE(front(lookup, controls[1]));
  SaveRedrawnScreenshot(lookup, L"focus-cue-lookup-" + atDpi);
  PressKey(VK_ESCAPE);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(lookup); })) << "Esc did not close the look-up";
  ::PostMessageW(panel, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(), 0);
}

}  // namespace
}  // namespace quillet::test
