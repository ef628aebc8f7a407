// GDI hygiene over long runs, kept out of `make test` (`make soak` runs it):
// the count of live GDI objects of the process stays where it was over
// 10,000 repaints and 1,000 loads of the panel, and 1,000 open/close cycles
// of the about page, the message dialog and the help viewer.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/message_window.h"
#include "lookup/help_window.h"
#include "shell/about_window.h"
#include "shell/main_window.h"
#include "tests/support/shell_fixture.h"

namespace quillet::test {
namespace {

using GdiSoak = ShellFixture;

TEST_F(GdiSoak, PanelRepaintsAndReloads) {
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

TEST_F(GdiSoak, DialogsOpenedAndClosed) {
  ASSERT_TRUE(WriteBytes(folder_.File(L"Help.dat"), "a\r\nb\r\n"));
  HelpWindow::HelpFilePath() = win::Narrow(folder_.File(L"Help.dat"));
  MainWindow& panel = TheForm<MainWindow>();  // its navigation, not its window
  EXPECT_EQ(GdiGrowth([&] {
              panel.Navigate(7);
              ::UpdateWindow(TheForm<AboutWindow>().hwnd());
              panel.Navigate(7);
              ShowMessage("循环");
              ::UpdateWindow(TheForm<MessageWindow>().hwnd());
              TheForm<MessageWindow>().Unload();
              ShowHelpViewer();
              ::UpdateWindow(TheForm<HelpWindow>().hwnd());
              TheForm<HelpWindow>().Unload();
            }, 1000), 0);
}

}  // namespace
}  // namespace quillet::test
