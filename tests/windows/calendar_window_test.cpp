// The calendar window of the running program, driven with the real mouse
// and keyboard from the panel's button: the focus colour, browsing to the
// months the edge cases name, the 休/班 marks and a cut cell's tooltip,
// hiding and showing again; screenshots at 96 and 144 dpi.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "calendar/month_grid.h"
#include "base/units.h"
#include "settings/default_settings.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

constexpr const wchar_t* kCalendarCaption = L"\x3000Tamber日历";

void Key(WORD vk, int times = 1) {
  for (int i = 0; i < times; ++i) {
    INPUT in[2] = {};
    in[0].type = in[1].type = INPUT_KEYBOARD;
    in[0].ki.wVk = in[1].ki.wVk = vk;
    in[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, in, sizeof in[0]);
  }
}

void ClickTheMouse(int x, int y) {
  MoveTheMouse(x, y);
  INPUT in[2] = {};
  in[0].type = in[1].type = INPUT_MOUSE;
  in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  ::SendInput(2, in, sizeof in[0]);
}

void ClickCentre(HWND window) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ClickTheMouse((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

// The text of a window of another process (an edit's text needs the message).
std::wstring TextOf(HWND window) {
  wchar_t text[256] = {};
  ::SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
  return text;
}

// The running calendar's controls: the year and month boxes and bars, then
// the 42 cells, as the window laid them out.
struct CalendarControls {
  explicit CalendarControls(HWND calendar) : window(calendar) {
    for (HWND child : ChildWindows(calendar)) {
      wchar_t cls[32] = {};
      ::GetClassNameW(child, cls, 32);
      (_wcsicmp(cls, L"ScrollBar") == 0 ? bars : boxes).push_back(child);
    }
  }
  HWND Cell(int i) const { return boxes[2 + static_cast<std::size_t>(i)]; }
  std::wstring Shown() const { return TextOf(boxes[0]) + L"-" + TextOf(boxes[1]); }
  // The month chosen with the keyboard on the bars, which the left arrow
  // clicked at each bar's end gives the focus.
  bool Browse(int year, int month) const {
    for (int bar = 0; bar < 2; ++bar) {
      RECT r{};
      ::GetWindowRect(bars[bar], &r);
      ClickTheMouse(r.left + 4, (r.top + r.bottom) / 2);
      WaitFor([] { return false; }, std::chrono::milliseconds(100));
      Key(VK_HOME);
      const int steps = bar == 0 ? year - kCalendarFirstYear : month - 1;
      Key(VK_NEXT, bar == 0 ? steps / 10 : steps / 3);
      Key(VK_RIGHT, bar == 0 ? steps % 10 : steps % 3);
    }
    const std::wstring wanted = L" " + std::to_wstring(year) + L"- " + std::to_wstring(month);
    if (!WaitFor([&] { return Shown() == wanted; })) return false;
    ClickCentre(Cell(41));  // never a day: the focus leaves the bar
    return true;
  }
  // A pixel of cell i near its bottom right, clear of text and mark.
  Colour Back(int i) const {
    RECT w{}, c{}, next{};
    ::GetWindowRect(window, &w);
    ::GetWindowRect(Cell(i), &c);
    ::GetWindowRect(Cell(i % 7 == 6 ? i : i + 1), &next);
    const int right = i % 7 == 6 ? c.right - 3 : next.left;
    return CaptureWindow(window).At(right - 8 - w.left, c.bottom - 6 - w.top);
  }
  // Pixels of the colour in the top right quarter of cell i (its mark).
  int MarkPixels(int i, bool red) const {
    RECT w{}, c{};
    ::GetWindowRect(window, &w);
    ::GetWindowRect(Cell(i), &c);
    const Capture shot = CaptureWindow(window);
    int count = 0;
    for (int y = c.top + 2; y < (c.top + c.bottom) / 2; ++y) {
      for (int x = (c.left + c.right) / 2; x < c.right - 2; ++x) {
        const Colour p = shot.At(x - w.left, y - w.top);
        const bool grey = std::abs(RedOf(p) - GreenOf(p)) < 24 && std::abs(GreenOf(p) - BlueOf(p)) < 24;
        count += red ? RedOf(p) - GreenOf(p) > 80 && GreenOf(p) - BlueOf(p) < 24 : grey && RedOf(p) < 150;
      }
    }
    return count;
  }
  HWND window;
  std::vector<HWND> boxes;
  std::vector<HWND> bars;
};

ParameterItems Settings() {
  ParameterItems items = DefaultSettings("");
  items[kParamPanelLeft] = "300";
  items[kParamPanelTop] = "300";
  items[kParamDocking] = "0";
  return items;
}

// The panel's calendar button of a started program, and the calendar it shows.
HWND OpenCalendar(const Process& program, HWND* button) {
  HWND panel = program.WaitWindow(L"\x3000Quillet");
  if (!panel) return nullptr;
  *button = ChildWindows(panel)[4];
  ClickCentre(*button);
  return program.WaitWindow(kCalendarCaption);
}

SYSTEMTIME Today() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  return now;
}

int CellOf(int year, int month, int day) { return MondayFirstWeekday({year, month, 1}) + day - 1; }

TEST(CalendarJourney, BrowsedWithMouseAndKeysMarkedHiddenAndShownAgain) {
  Installation install(Settings());
  ::CopyFileW((BinDir() + L"\\Holiday.dat").c_str(), (install.folder() + L"\\Holiday.dat").c_str(), FALSE);
  Process program(install);
  HWND button = nullptr;
  HWND calendar = OpenCalendar(program, &button);
  ASSERT_NE(calendar, nullptr);
  const CalendarControls ui(calendar);
  ASSERT_EQ(ui.boxes.size(), 44u);
  ASSERT_EQ(ui.bars.size(), 2u);

  // This month, today grey; the focus makes a cell pink and gives back its own colour.
  const SYSTEMTIME now = Today();
  EXPECT_EQ(ui.Shown(), L" " + std::to_wstring(now.wYear) + L"- " + std::to_wstring(now.wMonth));
  const int today = CellOf(now.wYear, now.wMonth, now.wDay);
  const int other = today == 0 ? 1 : today - 1;
  EXPECT_EQ(TextOf(ui.Cell(today)).rfind(L" " + std::to_wstring(now.wDay) + L"\r\n", 0), 0u);
  EXPECT_EQ(ui.Back(today), MakeColour(200, 200, 200));
  SaveRedrawnScreenshot(calendar, L"calendar-this-month-96dpi", std::chrono::milliseconds(200));
  RECT r{};
  ::GetWindowRect(ui.Cell(today), &r);
  ClickTheMouse(r.left + 12, r.top + 20);
  EXPECT_TRUE(WaitFor([&] { return ui.Back(today) == MakeColour(255, 128, 255); }));
  ::GetWindowRect(ui.Cell(other), &r);
  ClickTheMouse(r.left + 12, r.top + 20);
  EXPECT_TRUE(WaitFor([&] { return ui.Back(other) == MakeColour(255, 128, 255); }));
  EXPECT_EQ(ui.Back(today), MakeColour(200, 200, 200)) << "grey again, not white";

  ASSERT_TRUE(ui.Browse(2010, 2));
  EXPECT_EQ(TextOf(ui.Cell(13)), L" 14\r\n正月初一\r\n(春节情人节)");
  EXPECT_EQ(TextOf(ui.Cell(28)), L"") << "28 days";
  SaveRedrawnScreenshot(calendar, L"calendar-2010-02-96dpi", std::chrono::milliseconds(200));
  ASSERT_TRUE(ui.Browse(2020, 5));
  EXPECT_EQ(TextOf(ui.Cell(CellOf(2020, 5, 23))), L" 23\r\n闰四月初一");
  ASSERT_TRUE(ui.Browse(2100, 12));
  EXPECT_EQ(TextOf(ui.Cell(CellOf(2100, 12, 31))), L" 31\r\n腊月初一");
  ASSERT_TRUE(ui.Browse(1900, 1));
  EXPECT_EQ(TextOf(ui.Cell(0)), L" 1\r\n\r\n(元旦)");
  EXPECT_EQ(TextOf(ui.Cell(30)), L" 31\r\n正月初一\r\n(春节)");

  // A line too long for its cell ends in "…"; the tooltip shows it whole.
  ASSERT_TRUE(ui.Browse(2026, 7));
  const int july1 = CellOf(2026, 7, 1);
  EXPECT_EQ(TextOf(ui.Cell(july1)).find(L"\r\n(建党节"), 8u);
  EXPECT_EQ(TextOf(ui.Cell(july1)).back(), L'…');
  ::GetWindowRect(ui.Cell(july1), &r);
  MoveTheMouse(r.left + 30, r.top + 30);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(calendar, &pid);
  std::wstring tip;
  EXPECT_TRUE(WaitFor([&] {
    for (HWND w : TopLevelWindows(pid)) {
      wchar_t cls[32] = {};
      ::GetClassNameW(w, cls, 32);
      if (::IsWindowVisible(w) && _wcsicmp(cls, TOOLTIPS_CLASSW) == 0) tip = TextOf(w);
    }
    return !tip.empty();
  }, std::chrono::seconds(5)));
  EXPECT_EQ(tip, L" 1\r\n五月十七\r\n(建党节 香港回归纪念)");
  MoveTheMouse(0, 0);

  // 2026's National Day: 休 from the 1st to the 7th, 班 on Saturday the 10th.
  ASSERT_TRUE(ui.Browse(2026, 10));
  SaveRedrawnScreenshot(calendar, L"calendar-2026-10-96dpi", std::chrono::milliseconds(200));
  EXPECT_GT(ui.MarkPixels(CellOf(2026, 10, 1), true), 10);
  EXPECT_EQ(ui.MarkPixels(CellOf(2026, 10, 15), true), 0);
  EXPECT_GT(ui.MarkPixels(CellOf(2026, 10, 10), false), 10);
  EXPECT_EQ(ui.MarkPixels(CellOf(2026, 10, 17), false), 0);

  // The button hides it; pressed again it comes back on the screen, on the same month.
  ClickCentre(button);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(calendar); }));
  ::SetWindowPos(calendar, nullptr, -300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ClickCentre(button);
  EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(calendar); }));
  ::GetWindowRect(calendar, &r);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(ui.Shown(), L" 2026- 10");

  // Closed from its title bar it goes; the button then opens it afresh on this month.
  ::PostMessageW(calendar, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !::IsWindow(calendar); }));
  ClickCentre(button);
  HWND again = program.WaitWindow(kCalendarCaption);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ(CalendarControls(again).Shown(), L" " + std::to_wstring(now.wYear) + L"- " + std::to_wstring(now.wMonth));
}

TEST(CalendarJourney, ThisMonthFebruary2010AndAMarkedMonthAt144Dpi) {
  LogicalDpi dpi(144);
  Installation install(Settings());
  ::CopyFileW((BinDir() + L"\\Holiday.dat").c_str(), (install.folder() + L"\\Holiday.dat").c_str(), FALSE);
  Process program(install);
  HWND button = nullptr;
  HWND calendar = OpenCalendar(program, &button);
  ASSERT_NE(calendar, nullptr);
  RECT r{};
  ::GetClientRect(calendar, &r);
  EXPECT_EQ(r.right, TwipsToPixels(9780, 144));
  const CalendarControls ui(calendar);
  SaveRedrawnScreenshot(calendar, L"calendar-this-month-144dpi", std::chrono::milliseconds(200));
  ASSERT_TRUE(ui.Browse(2010, 2));
  SaveRedrawnScreenshot(calendar, L"calendar-2010-02-144dpi", std::chrono::milliseconds(200));
  ASSERT_TRUE(ui.Browse(2026, 10));
  SaveRedrawnScreenshot(calendar, L"calendar-2026-10-144dpi", std::chrono::milliseconds(200));
  EXPECT_GT(ui.MarkPixels(CellOf(2026, 10, 1), true), 15);
}

}  // namespace
}  // namespace quillet::test
