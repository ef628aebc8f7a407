// GDI hygiene of the main panel: the count of live GDI objects of the
// process stays where it was over 10,000 repaints and 1,000 loads and
// unloads of the panel with its eight buttons. Each GDI loop has an
// executable of its own: the loops take most of a minute.
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/main_window.h"
#include "tests/support/shell_fixture.h"

namespace quillet::test {
namespace {

using GdiHygiene = ShellFixture;

TEST_F(GdiHygiene, PanelRepaintsAndReloads) {
  MainWindow& panel = TheForm<MainWindow>();
  ASSERT_TRUE(panel.Start(3000, 1500));
  EXPECT_EQ(GdiGrowth([&] { ::RedrawWindow(panel.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); },
                      10000), 0);
  EXPECT_EQ(GdiGrowth([&] {
              panel.Unload();
              EXPECT_TRUE(panel.Start(3000, 1500));
              ::UpdateWindow(panel.hwnd());
            }, 1000), 0);
}

}  // namespace
}  // namespace quillet::test
