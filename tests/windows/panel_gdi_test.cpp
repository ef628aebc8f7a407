// GDI hygiene of the main panel: the count of live GDI objects of the
// process stays where it was over 10,000 repaints and 1,000 loads and
// unloads of the panel with its eight buttons. Kept apart from the
// behaviour tests because the loops take most of a minute.
#include <windows.h>

#include <gtest/gtest.h>

#include "lookup/help_window.h"
#include "shell/about_window.h"
#include "shell/default_settings.h"
#include "shell/main_window.h"
#include "shell/message_window.h"
#include "shell/shell_globals.h"
#include "tests/support/gleam_test_support.h"
#include "tests/support/shell_fixture.h"
#include "tests/support/win_test.h"
#include "win32/text.h"

namespace quillet::test {
namespace {

using GdiHygiene = ShellFixture;

TEST_F(GdiHygiene, PanelRepaintsAndReloads) {
  ASSERT_TRUE(TheForm<MainWindow>().Start(3000, 1500));
  ::RedrawWindow(TheForm<MainWindow>().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const int before = GdiObjectCount();
  ASSERT_GE(before, 0);
  for (int i = 0; i < 10000; ++i) {
    ::RedrawWindow(TheForm<MainWindow>().hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_EQ(GdiObjectCount(), before);
  for (int i = 0; i < 1000; ++i) {
    TheForm<MainWindow>().Unload();
    ASSERT_TRUE(TheForm<MainWindow>().Start(3000, 1500));
    ::UpdateWindow(TheForm<MainWindow>().hwnd());
  }
  WaitFor([] { return false; }, std::chrono::milliseconds(50));
  EXPECT_EQ(GdiObjectCount(), before);
}

}  // namespace
}  // namespace quillet::test
