// GDI objects of the calendar window in this process: none gained over 200
// openings and closings and 500 month changes, painted with the day marks.
#include <windows.h>

#include <gtest/gtest.h>

#include "calendar/calendar_window.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"

namespace quillet::test {
namespace {

using CalendarGdi = ShellFixture;

TEST_F(CalendarGdi, ObjectsStayFlatOverOpeningsAndMonthChanges) {
  ::CopyFileW((BinDir() + L"\\Holiday.dat").c_str(), folder_.File(L"Holiday.dat").c_str(), FALSE);
  CalendarWindow& calendar = TheForm<CalendarWindow>();
  const auto redraw = [&] { ::RedrawWindow(calendar.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN); };
  EXPECT_EQ(GdiGrowth([&] { ShowCalendar(), redraw(), calendar.Unload(); }, 200), 0);
  ShowCalendar();
  calendar.SetScrollValue(CalendarWindow::kYearBar, 2026);  // months with marks
  int month = 0;
  EXPECT_EQ(GdiGrowth([&] { calendar.SetScrollValue(CalendarWindow::kMonthBar, 1 + month++ % 12), redraw(); }, 500), 0);
  EXPECT_EQ(calendar.Month(), 500 % 12 + 1);
}

}  // namespace
}  // namespace quillet::test
