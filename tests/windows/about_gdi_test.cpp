// GDI hygiene of the about page over 1,000 open/close cycles through the
// panel's button (see panel_gdi_test for why this is an executable apart).
#include <windows.h>

#include <gtest/gtest.h>

#include "shell/about_window.h"
#include "shell/main_window.h"
#include "tests/support/shell_fixture.h"

namespace quillet::test {
namespace {

using GdiHygiene = ShellFixture;

TEST_F(GdiHygiene, AboutPageOpenedAndClosedByThePanelButton) {
  MainWindow& panel = TheForm<MainWindow>();  // its navigation, not its window
  EXPECT_EQ(GdiGrowth([&] {
              panel.Navigate(7);
              ::UpdateWindow(TheForm<AboutWindow>().hwnd());
              panel.Navigate(7);
            }, 1000), 0);
}

}  // namespace
}  // namespace quillet::test
