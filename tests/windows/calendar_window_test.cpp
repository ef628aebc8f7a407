// The calendar of the running program, driven with the real mouse and keyboard at 96 and 144 dpi.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "calendar/month_grid.h"
#include "tests/support/program_runner.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"

namespace quillet::test {
namespace {

void Press(WORD key, int times = 1) {
  while (times-- > 0) PressKey(key);
}

// A real click dx pixels into the window, half way down; at its centre by default.
void Click(HWND window, int dx = -1) {
  RECT r{};
  ::GetWindowRect(window, &r);
  ClickTheMouse(dx < 0 ? (r.left + r.right) / 2 : r.left + dx, (r.top + r.bottom) / 2);
}

int CellOf(int year, int month, int day) { return MondayFirstWeekday({year, month, 1}) + day - 1; }
std::wstring MonthText(int year, int month) { return L" " + std::to_wstring(year) + L"- " + std::to_wstring(month); }

// Children: the year box and bar, the month box and bar, then the 42 cells.
struct Calendar {
  explicit Calendar(HWND calendar) : window(calendar), children(ChildWindows(calendar)) {}
  HWND Cell(int i) const { return children[4 + static_cast<std::size_t>(i)]; }
  std::wstring Shown() const { return ControlText(children[0]) + L"-" + ControlText(children[2]); }
  bool Browse(int year, int month) const {
    const int steps[2] = {year - kCalendarFirstYear, month - 1}, page[2] = {10, 3};
    for (std::size_t bar = 0; bar < 2; ++bar) {
      Click(children[2 * bar + 1], 4);
      if (!WaitFor([&] { return FocusIn(window) == children[2 * bar + 1]; })) return false;  // keys go where the focus is
      Press(VK_HOME);
      Press(VK_NEXT, steps[bar] / page[bar]);
      Press(VK_RIGHT, steps[bar] % page[bar]);
    }
    if (!WaitFor([&] { return Shown() == MonthText(year, month); })) return false;
    Click(Cell(41));  // never a day: the focus leaves the bar
    return true;
  }
  // Pixels passing test in cell i's top right quarter (the mark), or a 2 x 2 spot near its bottom right.
  int Pixels(int i, bool mark, bool (*test)(Colour)) const {
    RECT w{}, c{}, next{};
    ::GetWindowRect(window, &w);
    ::GetWindowRect(Cell(i), &c);
    ::GetWindowRect(Cell(i % 7 == 6 ? i : i + 1), &next);
    const int right = (i % 7 == 6 ? c.right : next.left) - (mark ? 2 : 8);
    const Capture shot = CaptureWindow(window);
    int count = 0;
    for (int y = mark ? c.top + 2 : c.bottom - 7; y < (mark ? (c.top + c.bottom) / 2 : c.bottom - 5); ++y) {
      for (int x = mark ? (c.left + c.right) / 2 : right - 2; x < right; ++x) count += test(shot.At(x - w.left, y - w.top));
    }
    return count;
  }
  HWND window;
  std::vector<HWND> children;
};

bool Red(Colour p) { return RedOf(p) - GreenOf(p) > 80 && GreenOf(p) - BlueOf(p) < 24; }
bool Dark(Colour p) { return RedOf(p) < 150 && RedOf(p) - BlueOf(p) < 24 && BlueOf(p) - RedOf(p) < 24; }

TEST(CalendarJourney, ThisMonthFebruary2010AndMarkedOctober2026At96And144Dpi) {
  const CivilDate now{2026, 7, 15};  // on the program's clock, whatever the wall clock says
  const ParameterItems settings = PanelSettings(300, 300);
  for (const DWORD dpi : {144u, 96u}) {
    LogicalDpi logicalDpi(dpi);
    Installation install(settings);
    ProgramClock clock(install.folder() + L"\\clock.txt");
    ASSERT_TRUE(clock.Set(MakeDateTime(now, 12, 0, 0)));
    ::CopyFileW((BinDir() + L"\\Holiday.dat").c_str(), (install.folder() + L"\\Holiday.dat").c_str(), FALSE);
    Process program(install);
    HWND panel = program.WaitWindow(L"\x3000Quillet");
    ASSERT_NE(panel, nullptr);
    HWND button = ChildWindows(panel)[4];  // "Tamber日历查询"
    Click(button);
    HWND window = program.WaitWindow(L"\x3000Tamber日历");
    ASSERT_NE(window, nullptr);
    const Calendar ui(window);
    ASSERT_EQ(ui.children.size(), 46u);
    const std::wstring tag = dpi == 96 ? L"-96dpi" : L"-144dpi";
    EXPECT_EQ(ui.Shown(), MonthText(now.year, now.month));
    SaveRedrawnScreenshot(window, L"calendar-this-month" + tag);
    // 2026's National Day: 休 from the 1st to the 7th, 班 on Saturday the 10th.
    ASSERT_TRUE(ui.Browse(2026, 10));
    SaveRedrawnScreenshot(window, L"calendar-2026-10" + tag);
    EXPECT_TRUE(WaitFor([&] { return ui.Pixels(CellOf(2026, 10, 1), true, Red) > 10; }));
    EXPECT_TRUE(WaitFor([&] { return ui.Pixels(CellOf(2026, 10, 10), true, Dark) > 10; }));
    EXPECT_EQ(ui.Pixels(CellOf(2026, 10, 15), true, Red) + ui.Pixels(CellOf(2026, 10, 17), true, Dark), 0);
    if (dpi != 96) continue;

    ASSERT_TRUE(ui.Browse(2100, 12));
    // A line too long for its cell ends in "…"; the tooltip shows the cell whole.
    ASSERT_TRUE(ui.Browse(2026, 7));
    EXPECT_EQ(ControlText(ui.Cell(2)), L" 1\r\n五月十七\r\n(建党节 香港…");
    Click(ui.Cell(2));
    HWND tip = nullptr;  // the program's only tooltip window
    EXPECT_TRUE(WaitFor([&] { return (tip = ::FindWindowW(TOOLTIPS_CLASSW, nullptr)) && ::IsWindowVisible(tip); }));
    EXPECT_EQ(ControlText(tip), L" 1\r\n五月十七\r\n(建党节 香港回归纪念)");

    // The focus makes a cell pink and gives it back its own colour: today's grey.
    ASSERT_TRUE(ui.Browse(now.year, now.month));
    const int today = CellOf(now.year, now.month, now.day), other = today == 0 ? 1 : today - 1;
    Click(ui.Cell(today), 12);
    const auto pink = [](Colour p) { return p == MakeColour(255, 128, 255); };
    EXPECT_TRUE(WaitFor([&] { return ui.Pixels(today, false, pink) == 4; }));
    Click(ui.Cell(other), 12);
    EXPECT_TRUE(WaitFor([&] { return ui.Pixels(other, false, pink) == 4; }));
    EXPECT_EQ(ui.Pixels(today, false, [](Colour p) { return p == MakeColour(200, 200, 200); }), 4) << "grey, not white";

    // The button hides it and brings it back on the screen, on the same month.
    Click(button);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(window); }));
    ::SetWindowPos(window, nullptr, -300, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Click(button);
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowVisible(window); }));
    RECT r{};
    ::GetWindowRect(window, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(ui.Shown(), MonthText(now.year, now.month));

    // Keys on the focused day: Page Down a month on, Ctrl+Page Up a year back, Home today, Down a
    // week on; Esc hides the window.
    Click(ui.Cell(today), 12);
    PressKey(VK_NEXT);
    EXPECT_TRUE(WaitFor([&] { return ui.Shown() == MonthText(2026, 8); }));
    PressKey(VK_PRIOR, false, true);
    EXPECT_TRUE(WaitFor([&] { return ui.Shown() == MonthText(2025, 8); }));
    PressKey(VK_HOME);
    EXPECT_TRUE(WaitFor([&] { return ui.Shown() == MonthText(2026, 7) && FocusIn(window) == ui.Cell(today); }));
    PressKey(VK_NEXT);
    const POINT heading = TwipsPoint(window, 6480 + 500, 120);  // "今天的农历日期是": back to today too
    ClickTheMouse(heading.x, heading.y);
    EXPECT_TRUE(WaitFor([&] { return ui.Shown() == MonthText(2026, 7) && FocusIn(window) == ui.Cell(today); }));
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return FocusIn(window) == ui.Cell(today + 7); }));
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindowVisible(window); }));
  }
}

}  // namespace
}  // namespace quillet::test
