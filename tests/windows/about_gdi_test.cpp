// GDI hygiene of the about page: the count of live GDI objects of the
// process stays where it was over 1,000 open/close cycles. Kept apart from the
// behaviour tests because the loops take most of a minute.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/about_window.h"
#include "shell/default_settings.h"
#include "shell/main_window.h"
#include "shell/shell_globals.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

using GdiHygiene = ShellFixture;

TEST_F(GdiHygiene, AboutPageOpenedAndClosedByThePanelButton) {
  MainWindow& panel = TheForm<MainWindow>();  // its navigation, not its window
  // One warm-up cycle: the system keeps some objects (class brushes, fonts)
  // from the first use on.
  const auto cycle = [&] {
    panel.Navigate(7);
    ::UpdateWindow(TheForm<AboutWindow>().hwnd());
    panel.Navigate(7);
  };

  cycle();
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  const int before = GdiObjectCount();
  ASSERT_GE(before, 0);
  for (int i = 0; i < 1000; ++i) cycle();
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace quillet::test
